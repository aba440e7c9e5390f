// A timer that calls OnTimer every Interval milliseconds from the message
// loop of the GUI thread (also inside modal loops).
#pragma once

#include <functional>

#include <windows.h>

#include "framework/component.h"

class TTimer : public TComponent {
 public:
  TTimer();
  TTimer(const TTimer&) = delete;
  TTimer& operator=(const TTimer&) = delete;
  ~TTimer() override;

  TNotifyEvent OnTimer;

  // ---- wrappers ----
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Enabled);
  unsigned Interval() const { return FInterval; }
  void SetInterval(unsigned Milliseconds);

 private:
  static void CALLBACK TimerProc(HWND Wnd, UINT Msg, UINT_PTR Id, DWORD Time);
  void Update();

  bool FEnabled = true;
  unsigned FInterval = 1000;
  UINT_PTR FId = 0;
};
