#include "kit/small_controls.h"

void TResizeZone::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button != TMouseButton::mbLeft) return;
  if (OnMouseDown) OnMouseDown(this);
  // A handler given through the base class's event is not lost either.
  TGraphicControl::MouseDown(Button, Shift, X, Y);
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
