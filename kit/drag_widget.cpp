#include "kit/drag_widget.h"

void TDragWidget::HoverRule(int X, int Y) {
  if (OtherCaptured()) return;
  if (PointInside(X, Y)) {
    FHover = true;
    FHost.SetCursor(TWidgetCursor::HandPoint);
  } else if (FHover) {
    FHover = false;
    FHost.SetCursor(TWidgetCursor::Default);
  }
}

bool TDragWidget::DragInZone(int X, int Y, int Left, int Right, int Vertical) {
  if (X < FRect.Left - Left || X > FRect.Right + Right || Y < FRect.Top - Vertical ||
      Y > FRect.Bottom + Vertical) {
    FHover = false;
    FHost.SetCursor(TWidgetCursor::Default);
    return false;
  }
  FHover = true;
  FHost.SetCursor(TWidgetCursor::HandPoint);
  return true;
}
