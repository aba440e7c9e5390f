// TfrmJump: type a time as hh:mm:ss and the movie jumps there. Created for
// one opening; the last accepted time is kept for the program's run.
// GUI thread only.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/controls.h"
#include "framework/std_controls.h"
#include "tools/tool_dialog.h"
#include "tools/tool_links.h"

class TfrmJump : public TToolDialog {
 public:
  // Player: the movie the dialog seeks in (the main window's dialog link).
  explicit TfrmJump(lc::tools::TDialogPlayerLink& Player);
  ~TfrmJump() override;

  TEdit& ETime() { return *FTime; }
  TLabel& LFromTime() { return *FFromTime; }
  // Seeks to the typed time when it is valid and closes; otherwise the
  // last accepted time comes back with a beep.
  void btnOkClick();
  // Escape closes (the remote control calls it too).
  void FormKeyPress(wchar_t& Key);
  // The edit's keys: Enter accepts, Escape closes, only digits, ":" and
  // Backspace are typed.
  void ETimeKeyPress(wchar_t& Key);

 protected:
  void DoShow() override;
  void Activate() override;
  void KeyPress(wchar_t& Key) override;
  void WndProc(TMessage& Message) override;

 private:
  // The movie's duration in whole seconds.
  std::int64_t DurationSeconds() const;
  void ShowTime(std::int64_t Seconds);
  // The time's font at the largest height, 17 pixels at most, at which the
  // edit shows the whole time and the label ends inside the window.
  void FitTimeFont();

  lc::tools::TDialogPlayerLink& FPlayer;
  std::unique_ptr<TEdit> FTime;
  std::unique_ptr<TLabel> FFromTime;
};

// The last accepted jump target in seconds (0 at start).
extern std::int64_t LastJumpTime;
// The dialog while it exists, nullptr otherwise.
extern TfrmJump* frmJump;
