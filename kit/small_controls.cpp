#include "kit/small_controls.h"

void TResizeZone::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && OnMouseDown) OnMouseDown(this);
}

void TMyCheckBox::MouseEnter() {
  TCheckBox::MouseEnter();
  Invalidate();
  if (OnMouseIn) OnMouseIn(this);
}

void TMyCheckBox::MouseLeave() {
  TCheckBox::MouseLeave();
  Invalidate();
  if (OnMouseOut) OnMouseOut(this);
}

void TMyPanel::CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  Canvas().CopyRect(Dest, Source, SourceRect);
}
