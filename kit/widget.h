#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "kit/geometry.h"

// The widget protocol shared by every skinned window: lightweight widgets
// (plain objects, not window controls) hold a rectangle and react to the
// mouse events that their window hands them; the window's host gives them its
// hint text, the cursor and the window's captured widget. This header is
// portable: the drawing lives in the concrete widgets and the host's
// platform side (kit/skin_host.h).
//
// All of it runs on the GUI thread.

class TWidget;

// The cursors the widgets show: the default arrow, the hand while hovering
// and the pressed hand while a press is held.
enum class TWidgetCursor { Default, HandPoint, HandPress };

// What a widget sees of its window. One host per window; it also keeps the
// window's mouse order and drives the widgets from the window's mouse
// events.
//
// The mouse order is the order in which the window offers the mouse to its
// widgets. Every rule of the press and the release follows it: a press goes
// to the first widget in the order that takes it (the window drags itself
// when none does), a release clicks the first that reports a click, a
// double click runs the first under the point that has a handler; moves,
// leaving the window and a lost capture reach every widget in this order.
// Where widgets overlap, the earlier one wins. Each skinned window states
// its order once, in its single SetMouseOrder call; a widget left out of it
// never sees the mouse.
class TWidgetHost {
 public:
  virtual ~TWidgetHost() = default;

  // Hooks for the platform side (or a test's recording host).
  // Sets the window's hint text itself, without showing the hint window.
  virtual void SetHintText(const std::wstring& Text) = 0;
  // Hides a hint window currently showing.
  virtual void CancelHint() = 0;
  virtual void SetCursor(TWidgetCursor Cursor) = 0;

  // The widget that took the last press, until the window's release; while
  // it is set every other widget ignores mouse moves.
  TWidget* CapturedWidget = nullptr;

  // The window's mouse order, earliest first: every widget of its face
  // (not owned). Replaces any order set before.
  void SetMouseOrder(std::vector<TWidget*> Order);
  // Takes a widget out of the order (a destroyed widget leaves by itself).
  void RemoveWidget(TWidget* Widget);
  // The widgets in their mouse order.
  const std::vector<TWidget*>& Widgets() const { return FWidgets; }

  // Left button down: offers the press to the widgets in order and returns
  // the first that took it, or nullptr (the window then starts a drag).
  TWidget* MouseDown(int X, int Y);
  // Mouse move: every widget is told.
  void MouseMove(int X, int Y, bool LeftDown);
  // Left button up: clears CapturedWidget, then asks the widgets in order;
  // the first that reports a click runs its OnClick and is returned.
  TWidget* MouseUp(int X, int Y);
  // The mouse left the window: widgets drop their hover look, the cursor
  // returns to the default and the hint text is cleared. Pressed states stay.
  void MouseLeave();
  // Double click: runs OnDoubleClick of the first widget that has one and
  // lies under the point; False when none does.
  bool DoubleClick(int X, int Y);
  // The window lost the mouse capture before the release: the captured
  // widget is let go and every widget drops its press and its drag.
  void CaptureLost();

 private:
  std::vector<TWidget*> FWidgets;
};

// Base of every widget: the standard press, hover and release rules of a
// plain button. Variants override the mouse operations where their rules
// differ and give Paint, which draws the widget's current look.
class TWidget {
 public:
  TWidget(TWidgetHost& Host, const TRect& Rect, std::wstring Hint = {});
  // Leaves its host's list and capture; the host must outlive its widgets
  // (a window's widgets are members of the window that holds the host).
  virtual ~TWidget();
  TWidget(const TWidget&) = delete;
  TWidget& operator=(const TWidget&) = delete;

  // Press with the left button: True when the point hits the widget.
  virtual bool MouseDown(int X, int Y);
  // Mouse move; True when the widget's value changed (value widgets).
  virtual bool MouseMove(int X, int Y, bool LeftDown);
  // Release of the left button: True for a click.
  virtual bool MouseUp(int X, int Y);
  // The mouse left the window: hover cleared and repainted when it was set.
  virtual void MouseLeave();
  // The window lost the mouse capture: a pressed look is released and
  // repainted; variants also end their drags.
  virtual void CaptureLost();
  // Hit test: Left <= X <= Right and Top <= Y <= Bottom (one pixel wider
  // and taller than the painted area).
  virtual bool PointInside(int X, int Y) const;
  // Draws the current look on the window (and its back buffer).
  virtual void Paint() = 0;

  // The frame of a four-frame strip that the standard rules show:
  // normal when not hovered, pressed when hovered and pressed, else hover.
  int StandardFrame() const;

  const TRect& Rect() const { return FRect; }
  // Moves the widget (windows place widgets after a layout change).
  void SetRect(const TRect& Rect) { FRect = Rect; }
  bool Pressed() const { return FPressed; }
  bool Hover() const { return FHover; }
  const std::wstring& Hint() const { return FHint; }
  // A new hint (a language change); shown from the next hover on.
  void SetHint(std::wstring Hint) { FHint = std::move(Hint); }
  TWidgetHost& Host() const { return FHost; }

  // Run by the host on a click and on a double click inside the widget.
  std::function<void()> OnClick;
  std::function<void()> OnDoubleClick;

 protected:
  // Building blocks of the standard rules, for variants.
  // Another widget of the window holds the capture.
  bool OtherCaptured() const;
  // The press: pressed, hint cleared and cancelled, painted, captured,
  // pressed-hand cursor (when ShowPressCursor).
  void TakePress(bool ShowPressCursor = true);
  // Leaving: when hovered, hint cleared and cancelled, hover dropped,
  // repainted, default cursor. The pressed look is always released.
  void LeaveWidget();

  TWidgetHost& FHost;
  TRect FRect;
  bool FPressed = false;
  bool FHover = false;
  std::wstring FHint;
};
