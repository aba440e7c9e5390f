#include "framework/hintwindow.h"

#include <algorithm>

#include "framework/application.h"

THintWindow::THintWindow() : TWinControl(nullptr) {
  TCreateParams P;
  P.ClassName = L"THintWindow";
  P.Style = WS_POPUP | WS_BORDER;
  P.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  P.ClassStyle = CS_OWNDC | CS_SAVEBITS;
  P.WndParent = Application.Handle();
  CreateHandle(P);
}

void THintWindow::Paint() {
  TCanvas& C = Canvas();
  C.Font.Assign(Screen.HintFont);
  C.Brush.Style = TBrushStyle::bsClear;
  C.TextOut(2, 1, FText);
}

TSize THintWindow::CalcHintRect(const std::wstring& Text) {
  TCanvas& C = Canvas();
  C.Font.Assign(Screen.HintFont);
  TSize S = C.TextExtent(Text);
  return {S.cx + 6, S.cy + 4};
}

void THintWindow::ActivateHint(TPoint Pos, const std::wstring& Text, TColor Color) {
  FText = Text;
  SetColor(Color);
  TSize S = CalcHintRect(Text);
  // Keep the hint on the monitor under its position.
  POINT P{Pos.X, Pos.Y};
  MONITORINFO Info{};
  Info.cbSize = sizeof(Info);
  if (GetMonitorInfoW(MonitorFromPoint(P, MONITOR_DEFAULTTONEAREST), &Info)) {
    Pos.X = std::max<int>(Info.rcWork.left, std::min<int>(Pos.X, Info.rcWork.right - S.cx));
    Pos.Y = std::max<int>(Info.rcWork.top, std::min<int>(Pos.Y, Info.rcWork.bottom - S.cy));
  }
  SetWindowPos(Handle(), HWND_TOPMOST, Pos.X, Pos.Y, S.cx, S.cy,
               SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHint() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}
