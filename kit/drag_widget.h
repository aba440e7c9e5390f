#pragma once

#include "kit/widget.h"

// Base of the widgets that are dragged (sliders and bars): a press starts
// a drag that follows the mouse until the left button is released, a move
// arrives without it, or the window loses the mouse capture. They show the
// pointing hand while hovered and drop the hover flag without repainting
// when the mouse leaves the window.
class TDragWidget : public TWidget {
 public:
  using TWidget::TWidget;

  void MouseLeave() override { FHover = false; }
  // The window lost the mouse capture: the drag ends.
  void CaptureLost() override {
    TWidget::CaptureLost();
    FDragging = false;
  }
  bool Dragging() const { return FDragging; }

 protected:
  // Hovering while not dragged: nothing while another widget holds the
  // capture; inside the pointing hand; leaving the default cursor.
  void HoverRule(int X, int Y);
  // A move while dragged: inside the zone reaching Left, Right and Vertical
  // pixels beyond the widget's rectangle, the pointing hand and the hover
  // flag, True; outside it the hover flag drops and the cursor returns to the
  // default, False (the drag then keeps its value).
  bool DragInZone(int X, int Y, int Left, int Right, int Vertical);

  bool FDragging = false;
};
