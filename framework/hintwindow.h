// The small popup window that shows a hint text near the mouse.
#pragma once

#include <string>

#include "framework/controls.h"

class THintWindow : public TWinControl {
 public:
  THintWindow();

 protected:
  // ---- hooks ----
  void Paint() override;

 public:
  // ---- wrappers ----
  // The size the text needs in the hint font, with the frame and margins.
  TSize CalcHintRect(const std::wstring& Text);
  // Shows Text at the screen point Pos (kept on the monitor) in Color.
  void ActivateHint(TPoint Pos, const std::wstring& Text, TColor Color);
  void ReleaseHint();
  const std::wstring& Text() const { return FText; }

 private:
  std::wstring FText;
};
