#include "kit/window_drag.h"

#include <vector>

#include "kit/monitor_list.h"

namespace {

constexpr WPARAM ScMoveByCaption = SC_MOVE | HTCAPTION;  // 61458

// Switches full-window dragging on and restores the setting read before,
// whatever way the scope is left.
class TDragFullWindowsScope {
 public:
  TDragFullWindowsScope() {
    BOOL Old = FALSE;
    FRead = SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &Old, 0) != 0;
    FOld = Old;
    if (FRead) SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  }
  ~TDragFullWindowsScope() {
    if (FRead) SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, FOld, nullptr, 0);
  }
  TDragFullWindowsScope(const TDragFullWindowsScope&) = delete;
  TDragFullWindowsScope& operator=(const TDragFullWindowsScope&) = delete;

 private:
  bool FRead = false;
  BOOL FOld = FALSE;
};

WINDOWPOS& PosOf(TMessage& Msg) { return *reinterpret_cast<WINDOWPOS*>(Msg.LParam); }

// The rectangle a change proposes; a part that the change leaves alone
// (SWP_NOMOVE, SWP_NOSIZE) is the form's current one.
TRect ProposedRect(const WINDOWPOS& P, TWinControl& Form) {
  TRect R = Form.BoundsRect();
  if (!(P.flags & SWP_NOMOVE)) R = R.Offset(P.x - R.Left, P.y - R.Top);
  if (!(P.flags & SWP_NOSIZE)) {
    R.Right = R.Left + P.cx;
    R.Bottom = R.Top + P.cy;
  }
  return R;
}

// Writes the snapped rectangle into the change. A change flagged to keep
// the place or the size would drop the new x, y or cx, cy: the flag goes
// wherever the result differs from the form's current rectangle.
void WriteBack(WINDOWPOS& P, const TRect& R, TWinControl& Form) {
  TRect Now = Form.BoundsRect();
  P.x = R.Left;
  P.y = R.Top;
  P.cx = R.Width();
  P.cy = R.Height();
  if (R.Left != Now.Left || R.Top != Now.Top) P.flags &= ~UINT(SWP_NOMOVE);
  if (R.Width() != Now.Width() || R.Height() != Now.Height()) P.flags &= ~UINT(SWP_NOSIZE);
}

TRect ScreenArea(bool UseDesktop) {
  return UseDesktop ? Screen.DesktopRect() : Screen.WorkAreaRect();
}

}  // namespace

void StartWindowDrag(TWinControl& Form) {
  TDragFullWindowsScope Scope;
  ReleaseCapture();
  SendMessageW(Form.Handle(), WM_SYSCOMMAND, ScMoveByCaption, 0);
}

void SnapWindow(TWinControl& Form, TMessage& Msg, std::span<TForm* const> Targets,
                bool UseDesktop) {
  WINDOWPOS& Pos = PosOf(Msg);
  TRect Proposed = ProposedRect(Pos, Form);
  bool IsMove = Proposed.Width() == Form.Width() && Proposed.Height() == Form.Height();
  std::vector<TRect> Rects;
  for (TForm* T : Targets)
    if (T && T->HandleAllocated() && T->Visible() && T->Enabled())
      Rects.push_back(T->BoundsRect());
  WriteBack(Pos, SnapRect(Proposed, IsMove, Rects, ScreenArea(UseDesktop)), Form);
}

void SnapWindowWithDocked(TWinControl& Form, TMessage& Msg,
                          std::span<TDockedWindow> Docked, bool UseDesktop) {
  WINDOWPOS& Pos = PosOf(Msg);
  std::vector<TRect> Magnets;
  for (const TDockedWindow& D : Docked)
    if (D.Form && D.Form->HandleAllocated() && D.Form->Visible() && !D.Docked)
      Magnets.push_back(D.Form->BoundsRect());
  TRect R = SnapRectWithDocked(ProposedRect(Pos, Form), Magnets, ScreenArea(UseDesktop));
  if (Pos.hwndInsertAfter == nullptr) {
    for (auto It = Docked.rbegin(); It != Docked.rend(); ++It) {
      TForm* F = It->Form;
      if (F && F->HandleAllocated() && F->Visible() && It->Docked)
        F->SetBounds(R.Left + It->DX, R.Top + It->DY, F->Width(), F->Height());
    }
  }
  WriteBack(Pos, R, Form);
}

void DecideDocking(TWinControl& Main, std::span<TDockedWindow> Table) {
  for (TDockedWindow& D : Table)
    if (D.Form) DecideDock(D, Main.BoundsRect(), D.Form->BoundsRect());
}

TMonitor GetWindowMonitor(HWND Handle) {
  HMONITOR Wanted = MonitorFromWindow(Handle, MONITOR_DEFAULTTONEAREST);
  std::vector<TMonitor> Monitors = Screen.Monitors();
  std::vector<TMonitorKey> Keys;
  for (const TMonitor& M : Monitors) Keys.push_back({M.Handle, M.Primary});
  int Index = FindMonitorIndex(Wanted, Keys);
  return Index < 0 ? TMonitor{} : Monitors[static_cast<std::size_t>(Index)];
}
