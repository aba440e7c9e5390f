#include "framework/controls.h"

#include "framework/application.h"

namespace {

UINT AlignmentFormat(TAlignment A) {
  switch (A) {
    case TAlignment::taCenter: return DT_CENTER;
    case TAlignment::taRightJustify: return DT_RIGHT;
    default: return DT_LEFT;
  }
}

}  // namespace

TLabel::TLabel(TWinControl* Parent) : TGraphicControl(Parent) {
  if (Parent) FFont.Assign(Parent->Font);
  AdjustBounds();
}

void TLabel::SetCaption(const std::wstring& Caption) {
  if (Caption == FCaption) return;
  FCaption = Caption;
  AdjustBounds();
  Invalidate();
}

void TLabel::SetFont(const TFont& Font) {
  FFont.Assign(Font);
  AdjustBounds();
  Invalidate();
}

void TLabel::SetAutoSize(bool AutoSize) {
  FAutoSize = AutoSize;
  AdjustBounds();
}

TSize TLabel::TextSize() const {
  static TBitmap* Measure = new TBitmap(1, 1);  // kept for the program's life
  TCanvas& C = Measure->Canvas();
  C.Font.Assign(FFont);
  // An empty caption still has the height of one line.
  std::wstring Text = FCaption.empty() ? L" " : FCaption;
  TRect R = C.DrawText(Text, Rect(0, 0, 0, 0), DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS);
  return {R.Width(), R.Height()};
}

void TLabel::AdjustBounds() {
  if (!FAutoSize) return;
  TSize S = TextSize();
  const TRect& B = BoundsRect();
  SetBounds(B.Left, B.Top, S.cx, S.cy);
}

void TLabel::Paint(TCanvas& Canvas) {
  TRect R = Rect(0, 0, Width(), Height());
  Canvas.Font.Assign(FFont);
  Canvas.Brush.Color = Color;
  if (!Transparent) {
    Canvas.Brush.Style = TBrushStyle::bsSolid;
    Canvas.FillRect(R);
  }
  Canvas.Brush.Style = TBrushStyle::bsClear;
  UINT Format = DT_NOPREFIX | DT_EXPANDTABS | AlignmentFormat(Alignment);
  if (RightToLeftReading && Application.RightToLeftSystem) Format |= DT_RTLREADING;
  Canvas.DrawText(FCaption, R, Format);
}
