// The thin wrappers of TWinControl and the child controls TPanel and
// TCheckBox.
#include "framework/controls.h"

#include "framework/messages.h"

namespace {

TRect ToRect(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }

}  // namespace

void TWinControl::SetFont(const TFont& Value) {
  Font.Assign(Value);
  FCanvas.Font.Assign(Value);
  if (FHandle && FDefWndProc)
    SendMessageW(FHandle, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), TRUE);
}

void TWinControl::SetColor(TColor Color) {
  if (Color == FColor) return;
  FColor = Color;
  Invalidate();
}

TRect TWinControl::BoundsRect() const {
  if (!FHandle) return {};
  RECT R;
  GetWindowRect(FHandle, &R);
  if (HWND P = GetParent(FHandle); P && (GetWindowLongW(FHandle, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, P, reinterpret_cast<POINT*>(&R), 2);
  return ToRect(R);
}

int TWinControl::Left() const { return BoundsRect().Left; }
int TWinControl::Top() const { return BoundsRect().Top; }
int TWinControl::Width() const { return BoundsRect().Width(); }
int TWinControl::Height() const { return BoundsRect().Height(); }

// A window already at the bounds is left alone: under Wine moving even a
// hidden window costs a round to the display server.
void TWinControl::SetBounds(int Left, int Top, int Width, int Height) {
  if (BoundsRect() == TRect{Left, Top, Left + Width, Top + Height}) return;
  if (FHandle)
    SetWindowPos(FHandle, nullptr, Left, Top, Width, Height, SWP_NOZORDER | SWP_NOACTIVATE);
}

TRect TWinControl::ClientRect() const {
  if (!FHandle) return {};
  RECT R;
  GetClientRect(FHandle, &R);
  return ToRect(R);
}

int TWinControl::ClientWidth() const { return ClientRect().Width(); }
int TWinControl::ClientHeight() const { return ClientRect().Height(); }

void TWinControl::SetClientSize(int Width, int Height) {
  SetBounds(Left(), Top(), this->Width() - ClientWidth() + Width,
            this->Height() - ClientHeight() + Height);
}

TPoint TWinControl::ClientToScreen(TPoint P) const {
  POINT WP{P.X, P.Y};
  if (FHandle) ::ClientToScreen(FHandle, &WP);
  return {WP.x, WP.y};
}

TPoint TWinControl::ScreenToClient(TPoint P) const {
  POINT WP{P.X, P.Y};
  if (FHandle) ::ScreenToClient(FHandle, &WP);
  return {WP.x, WP.y};
}

bool TWinControl::Visible() const {
  return FHandle && (GetWindowLongW(FHandle, GWL_STYLE) & WS_VISIBLE);
}

void TWinControl::SetVisible(bool Visible) {
  if (FHandle) ShowWindow(FHandle, Visible ? SW_SHOW : SW_HIDE);
}

bool TWinControl::Showing() const { return FHandle && IsWindowVisible(FHandle); }

bool TWinControl::Enabled() const { return FHandle && IsWindowEnabled(FHandle); }

void TWinControl::SetEnabled(bool Enabled) {
  if (FHandle) EnableWindow(FHandle, Enabled);
}

void TWinControl::SetCaption(const std::wstring& Caption) {
  FCaption = Caption;
  if (FHandle) SetWindowTextW(FHandle, Caption.c_str());
}

void TWinControl::SetFocus() {
  if (FHandle) ::SetFocus(FHandle);
}

bool TWinControl::Focused() const { return FHandle && GetFocus() == FHandle; }

void TWinControl::BringToFront() {
  if (FHandle)
    SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::SendToBack() {
  if (FHandle)
    SetWindowPos(FHandle, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::Invalidate() {
  if (FHandle) ::InvalidateRect(FHandle, nullptr, TRUE);
}

void TWinControl::InvalidateRect(const TRect& Rect) {
  RECT R{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  if (FHandle) ::InvalidateRect(FHandle, &R, TRUE);
}

void TWinControl::Update() {
  if (FHandle) UpdateWindow(FHandle);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

LRESULT TWinControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage M{FHandle, Msg, WParam, LParam, 0};
  WindowProc(M);
  return M.Result;
}

void TWinControl::ScaleBy(int M, int D) {
  if (M == D || D == 0 || !FHandle) return;
  auto Scale = [M, D](int V) { return MulDiv(V, M, D); };
  for (HWND Child = GetWindow(FHandle, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
    TWinControl* C = FindControl(Child);
    if (!C) continue;
    TRect R = C->BoundsRect();
    C->ScaleBy(M, D);
    C->SetBounds(Scale(R.Left), Scale(R.Top), C->Width(), C->Height());
  }
  for (TGraphicControl* C : FControls) {
    const TRect& R = C->BoundsRect();
    C->SetBounds(Scale(R.Left), Scale(R.Top), Scale(R.Width()), Scale(R.Height()));
  }
  TFont Scaled;
  Scaled.Assign(Font);
  Scaled.SetHeight(Scale(Font.Height()));
  SetFont(Scaled);
  // The graphic controls are placed already: keep the anchors out of it.
  FLastClientWidth = Scale(ClientWidth());
  FLastClientHeight = Scale(ClientHeight());
  SetClientSize(FLastClientWidth, FLastClientHeight);
}

// --------------------------------------------------------------- TPanel

TPanel::TPanel(TWinControl* Parent) : TWinControl(Parent) {
  TCreateParams P;
  P.ClassName = L"TPanel";
  P.Style = WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_VISIBLE;
  P.Bounds = Bounds(0, 0, 185, 41);
  CreateHandle(P);
}

// ------------------------------------------------------------ TCheckBox

TCheckBox::TCheckBox(TWinControl* Parent) : TWinControl(Parent) {
  TCreateParams P;
  P.ClassName = L"BUTTON";
  P.SystemClass = true;
  P.Style = BS_AUTOCHECKBOX | WS_TABSTOP | WS_CLIPSIBLINGS | WS_VISIBLE;
  P.Bounds = Bounds(0, 0, 97, 17);
  CreateHandle(P);
}

void TCheckBox::Click() {
  if (OnClick) OnClick(this);
}

void TCheckBox::WndProc(TMessage& M) {
  if (M.Msg == CN_COMMAND) {
    if (HIWORD(M.WParam) == BN_CLICKED) Click();
    M.Result = 0;
    return;
  }
  TWinControl::WndProc(M);
}

bool TCheckBox::Checked() const {
  return HandleAllocated() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool Checked) {
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
