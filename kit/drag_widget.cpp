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
