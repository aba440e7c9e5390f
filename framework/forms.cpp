#include "framework/forms.h"

#include <algorithm>
#include <vector>

#include "framework/application.h"
#include "framework/exceptions.h"

TForm::TForm(const std::wstring& ClassName, TSize ClientSize) : TWinControl(nullptr) {
  Name = ClassName.starts_with(L'T') ? ClassName.substr(1) : ClassName;
  Screen.AddForm(this);
  TCreateParams P;
  P.ClassName = ClassName;
  P.Style = WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_SYSMENU;
  RECT Frame{0, 0, ClientSize.cx, ClientSize.cy};
  AdjustWindowRectEx(&Frame, P.Style, FALSE, P.ExStyle);
  P.Bounds = Bounds(0, 0, Frame.right - Frame.left, Frame.bottom - Frame.top);
  P.WndParent = Application.Handle();
  try {
    CreateHandle(P);
  } catch (...) {
    Screen.RemoveForm(this);
    throw;
  }
}

TForm::~TForm() { Screen.RemoveForm(this); }

// ---------------------------------------------------------------- hooks

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TForm::DoHide() {
  if (OnHide) OnHide(this);
}
bool TForm::CloseQuery() {
  bool CanClose = true;
  if (OnCloseQuery) OnCloseQuery(this, CanClose);
  return CanClose;
}
void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}
void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

void TForm::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_CLOSE:
      Close();
      M.Result = 0;
      return;
    case WM_ACTIVATE:
      // The platform gives the activated window the focus; it goes back to
      // the control that had it last, and the hook may hand it on.
      TWinControl::WndProc(M);
      if (LOWORD(M.WParam) == WA_INACTIVE) {
        Deactivate();
      } else {
        RestoreFocus();
        Activate();
      }
      return;
    case WM_ACTIVATEAPP:
      Application.FormActivated(M.WParam != 0);
      break;
    case WM_SHOWWINDOW:
      // The owner's minimise hides its forms and its restore shows them.
      if (M.LParam == SW_PARENTCLOSING) FHiddenWithOwner = !M.WParam && Visible();
      if (M.LParam == SW_PARENTOPENING) FHiddenWithOwner = false;
      break;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(M);
      break;
    case WM_GETMINMAXINFO:
      WMGetMinMaxInfo(M);
      return;
    case WM_SYSCOMMAND:
      if ((M.WParam & 0xFFF0) == SC_MINIMIZE && Application.MainForm() == this) {
        Application.Minimize();
        M.Result = 0;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(M);
}

void TForm::RestoreFocus() {
  HWND Child = FFocusedChild;
  if (Child && IsWindow(Child) && IsChild(Handle(), Child) && IsWindowVisible(Child) && IsWindowEnabled(Child) &&
      !IsIconic(Handle()))
    ::SetFocus(Child);
}

// ------------------------------------------------------------- wrappers

namespace {

int ShowCommand(TWindowState State) {
  switch (State) {
    case TWindowState::wsMinimized: return SW_SHOWMINIMIZED;
    case TWindowState::wsMaximized: return SW_SHOWMAXIMIZED;
    default: return SW_SHOW;
  }
}

}  // namespace

void TForm::Show() {
  SetVisible(true);
  BringToFront();
}

void TForm::ShowWithoutActivating() {
  FHiddenWithOwner = false;
  if (HandleAllocated() && !Visible()) ShowWindowNow(SW_SHOWNA);
}

void TForm::Hide() { SetVisible(false); }

// A form shown active takes the keyboard: its request is readied first.
void TForm::ShowWindowNow(int Command) {
  if (Command != SW_SHOWNA) Application.DateFocusRequest();
  DoShow();
  ShowWindow(Handle(), Command);
  FPendingState = TWindowState::wsNormal;
}

void TForm::SetVisible(bool Visible) {
  FHiddenWithOwner = false;
  if (!HandleAllocated() || Visible == this->Visible()) return;
  if (Visible) {
    ShowWindowNow(ShowCommand(FPendingState));
  } else {
    // Hiding the active window lets the platform pick the next one.
    if (GetActiveWindow() == Handle()) Application.PassKeyboard(this);
    ShowWindow(Handle(), SW_HIDE);
    DoHide();
  }
}

void TForm::Close() {
  if (FModal) {
    if (ModalResult == mrNone) ModalResult = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction Action = TCloseAction::caHide;
  DoClose(Action);
  if (Action == TCloseAction::caNone) return;
  if (Application.MainForm() == this) {
    Application.Terminate();
  } else if (Action == TCloseAction::caMinimize) {
    ShowWindow(Handle(), SW_MINIMIZE);
  } else {
    Hide();
  }
}

// Runs the close hooks when the modal loop is about to end; false keeps
// the form open (ModalResult is reset).
bool TForm::CloseModal() {
  TCloseAction Action = TCloseAction::caHide;
  if (CloseQuery()) DoClose(Action); else Action = TCloseAction::caNone;
  if (Action == TCloseAction::caNone) {
    ModalResult = mrNone;
    return false;
  }
  return true;
}

TModalResult TForm::ShowModal() {
  if (FModal || Visible()) throw Exception("Cannot make a visible window modal");
  ReleaseCapture();
  HWND ActiveBefore = GetActiveWindow();
  std::vector<HWND> Disabled;
  for (TForm* F : Screen.Forms()) {
    HWND W = F->Handle();
    if (F != this && W && IsWindowVisible(W) && IsWindowEnabled(W)) {
      EnableWindow(W, FALSE);
      Disabled.push_back(W);
    }
  }
  Application.ModalStarted();
  FModal = true;
  ModalResult = mrNone;
  auto Finish = [&] {
    for (HWND W : Disabled)
      if (IsWindow(W)) EnableWindow(W, TRUE);
    if (HandleAllocated()) Hide();
    FModal = false;
    Application.GiveKeyboardBack(ActiveBefore);
    Application.ModalFinished();
  };
  try {
    Show();
    SetActiveWindow(Handle());
    // ModalResult is looked at before waiting, so a result set before the
    // loop (in OnShow) ends it without a message having to arrive.
    for (;;) {
      if (Application.Terminated()) {
        ModalResult = mrCancel;
        break;
      }
      if (ModalResult != mrNone) {
        if (CloseModal()) break;
      } else {
        Application.HandleMessage();
      }
    }
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
  return ModalResult;
}

void TForm::ApplyConstraints(int& Width, int& Height) const {
  if (Constraints.MinWidth > 0) Width = std::max(Width, Constraints.MinWidth);
  if (Constraints.MaxWidth > 0) Width = std::min(Width, Constraints.MaxWidth);
  if (Constraints.MinHeight > 0) Height = std::max(Height, Constraints.MinHeight);
  if (Constraints.MaxHeight > 0) Height = std::min(Height, Constraints.MaxHeight);
}

void TForm::SetBounds(int Left, int Top, int Width, int Height) {
  ApplyConstraints(Width, Height);
  TWinControl::SetBounds(Left, Top, Width, Height);
}

void TForm::SetStyle(DWORD Style, DWORD ExStyle) {
  if (!HandleAllocated()) return;
  DWORD Visible = GetWindowLongW(Handle(), GWL_STYLE) & WS_VISIBLE;
  SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>(Style | Visible));
  SetWindowLongW(Handle(), GWL_EXSTYLE, static_cast<LONG>(ExStyle));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TWindowState TForm::WindowState() const {
  if (!HandleAllocated()) return TWindowState::wsNormal;
  if (!IsWindowVisible(Handle())) return FPendingState;
  if (IsIconic(Handle())) return TWindowState::wsMinimized;
  if (IsZoomed(Handle())) return TWindowState::wsMaximized;
  return TWindowState::wsNormal;
}

void TForm::SetWindowState(TWindowState State) {
  if (!HandleAllocated()) return;
  if (!IsWindowVisible(Handle())) {
    FPendingState = State;
    return;
  }
  if (State != WindowState())
    ShowWindow(Handle(), State == TWindowState::wsNormal ? SW_RESTORE : ShowCommand(State));
}

bool TForm::Active() const { return HandleAllocated() && GetActiveWindow() == Handle(); }

// ------------------------------------------------------------ internals

void TForm::WMWindowPosChanging(TMessage& M) {
  auto* Pos = reinterpret_cast<WINDOWPOS*>(M.LParam);
  if (!(Pos->flags & SWP_NOSIZE)) ApplyConstraints(Pos->cx, Pos->cy);
}

void TForm::WMGetMinMaxInfo(TMessage& M) {
  DefaultHandler(M);
  auto* Info = reinterpret_cast<MINMAXINFO*>(M.LParam);
  if (Constraints.MinWidth > 0) Info->ptMinTrackSize.x = Constraints.MinWidth;
  if (Constraints.MinHeight > 0) Info->ptMinTrackSize.y = Constraints.MinHeight;
  if (Constraints.MaxWidth > 0) Info->ptMaxTrackSize.x = Constraints.MaxWidth;
  if (Constraints.MaxHeight > 0) Info->ptMaxTrackSize.y = Constraints.MaxHeight;
  M.Result = 0;
}
