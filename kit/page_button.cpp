#include "kit/page_button.h"

TPageButton::TPageButton(TWinControl* Parent, const TRect& Rect, const std::wstring& Caption,
                         const std::wstring& Hint)
    : TPanel(Parent), FHost(*this), FSurface(FHost) {
  SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height());
  TButtonOptions Options{TButtonVariant::Config};
  Options.Targets = ptWindow;
  // The face under a narrower caption is the page's colour, painted by the
  // erase; nothing of the dialog's skin is restored here.
  Options.RestoreOnShrink = false;
  FButton = std::make_unique<TVirtualButton>(FHost, FSurface, TRect{0, 0, Rect.Width(), Rect.Height()}, Caption,
                                             Hint, L"", Options);
  FButton->OnClick = [this] {
    if (OnClick) OnClick();
  };
  FHost.SetMouseOrder({FButton.get()});
  ShowHint = true;
  Fit();
}

TPageButton::~TPageButton() { FHost.RemoveWidget(FButton.get()); }

void TPageButton::Fit() {
  const TRect R = FButton->Rect();
  SetBounds(Left() + R.Left, Top() + R.Top, R.Width(), R.Height());
  FButton->SetRect({0, 0, R.Width(), R.Height()});
  TBitmap& Face = FHost.Skin();
  Face.SetSize(R.Width(), R.Height());
  const TColor Under = Parent() ? Parent()->Color() : clBtnFace;
  Face.Canvas().Brush = {TBrushStyle::bsSolid, Under};
  Face.Canvas().FillRect({0, 0, R.Width(), R.Height()});
}

void TPageButton::SetCaption(const std::wstring& Caption) {
  FButton->SetCaption(Caption);
  Fit();
  Invalidate();
}

void TPageButton::Paint() {
  FButton->Paint();
  TPanel::Paint();
}

void TPageButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPanel::MouseDown(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) FHost.MouseDown(X, Y);
}

void TPageButton::MouseMove(TShiftState Shift, int X, int Y) {
  TPanel::MouseMove(Shift, X, Y);
  FHost.MouseMove(X, Y, (Shift & ssLeft) != 0);
}

void TPageButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPanel::MouseUp(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) FHost.MouseUp(X, Y);
}

void TPageButton::MouseLeave() {
  TPanel::MouseLeave();
  FHost.MouseLeave();
}

bool TPageButton::EraseBackground() { return FHost.EraseBackground(); }
