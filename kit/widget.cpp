#include "kit/widget.h"

#include <algorithm>

#include "kit/skin_strip.h"

// ---- TWidgetHost ----------------------------------------------------------

void TWidgetHost::SetMouseOrder(std::vector<TWidget*> Order) { FWidgets = std::move(Order); }

void TWidgetHost::RemoveWidget(TWidget* Widget) {
  std::erase(FWidgets, Widget);
  if (CapturedWidget == Widget) CapturedWidget = nullptr;
}

TWidget* TWidgetHost::MouseDown(int X, int Y) {
  for (TWidget* W : FWidgets)
    if (W->MouseDown(X, Y)) return W;
  return nullptr;
}

void TWidgetHost::MouseMove(int X, int Y, bool LeftDown) {
  for (TWidget* W : FWidgets) W->MouseMove(X, Y, LeftDown);
}

TWidget* TWidgetHost::MouseUp(int X, int Y) {
  CapturedWidget = nullptr;
  for (TWidget* W : FWidgets) {
    if (!W->MouseUp(X, Y)) continue;
    if (W->OnClick) W->OnClick();
    return W;
  }
  return nullptr;
}

void TWidgetHost::CaptureLost() {
  CapturedWidget = nullptr;
  for (TWidget* W : FWidgets) W->CaptureLost();
}

void TWidgetHost::MouseLeave() {
  for (TWidget* W : FWidgets) W->MouseLeave();
  SetCursor(TWidgetCursor::Default);
  SetHintText(std::wstring());
}

bool TWidgetHost::DoubleClick(int X, int Y) {
  for (TWidget* W : FWidgets) {
    if (W->OnDoubleClick && W->PointInside(X, Y)) {
      W->OnDoubleClick();
      return true;
    }
  }
  return false;
}

// ---- TWidget --------------------------------------------------------------

TWidget::TWidget(TWidgetHost& Host, const TRect& Rect, std::wstring Hint)
    : FHost(Host), FRect(Rect), FHint(std::move(Hint)) {}

TWidget::~TWidget() { FHost.RemoveWidget(this); }

bool TWidget::PointInside(int X, int Y) const {
  return FRect.Left <= X && X <= FRect.Right && FRect.Top <= Y &&
         Y <= FRect.Bottom;
}

bool TWidget::OtherCaptured() const {
  return FHost.CapturedWidget != nullptr && FHost.CapturedWidget != this;
}

void TWidget::TakePress(bool ShowPressCursor) {
  FPressed = true;
  FHost.SetHintText(std::wstring());
  FHost.CancelHint();
  Paint();
  FHost.CapturedWidget = this;
  if (ShowPressCursor) FHost.SetCursor(TWidgetCursor::HandPress);
}

void TWidget::LeaveWidget() {
  if (FHover) {
    FHost.SetHintText(std::wstring());
    FHost.CancelHint();
    FHover = false;
    Paint();
    FHost.SetCursor(TWidgetCursor::Default);
  }
  FPressed = false;
}

bool TWidget::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  TakePress();
  return true;
}

bool TWidget::MouseMove(int X, int Y, bool LeftDown) {
  if (OtherCaptured()) return false;
  if (!PointInside(X, Y)) {
    LeaveWidget();
    return false;
  }
  FHover = true;
  if (FPressed) {
    FHost.SetCursor(TWidgetCursor::HandPress);
  } else if (FHost.CapturedWidget != this) {
    // Plain hovering: repainted on every move inside.
    FHost.SetCursor(TWidgetCursor::HandPoint);
    FHost.SetHintText(FHint);
    Paint();
  } else {
    // The captured widget coming back under the held button.
    FPressed = true;
    FHost.SetCursor(TWidgetCursor::HandPress);
    Paint();
  }
  return false;
}

bool TWidget::MouseUp(int X, int Y) {
  if (!FPressed || !PointInside(X, Y)) return false;
  FPressed = false;
  Paint();
  return true;
}

void TWidget::CaptureLost() {
  if (!FPressed) return;
  FPressed = false;
  Paint();
}

void TWidget::MouseLeave() {
  if (!FHover) return;
  FHover = false;
  Paint();
}

int TWidget::StandardFrame() const {
  if (!FHover) return FrameNormal;
  return FPressed ? FramePressed : FrameHover;
}
