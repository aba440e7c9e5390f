// Where the keyboard goes: where the H and F12 keys bring a window back to
// when it takes the focus from the other one (the main window into the
// work area, the video window at least a tenth of the screen inside it),
// and which window of the player takes the keyboard when the one that
// holds it hides or closes. Portable: no Windows header.
#pragma once

#include <span>

#include "framework/types.h"

namespace lc {

// The main window's new top-left corner: Max(Min(Left, area left + area
// width - client width), area left), and the same for Top with the
// heights. A window larger than the area keeps the area's left (top) edge.
TPoint PullIntoArea(TPoint TopLeft, TSize Client, const TRect& Area);

// The video window's new top-left corner: Max(Min(Left, area left + 9 x
// area width div 10), area left + area width div 10 - window width), and
// the same for Top with the heights; so at least a tenth of the area's
// width and height of the window stays on it.
TPoint KeepTenthInside(TPoint TopLeft, TSize Window, const TRect& Area);

// A window of the player as the keyboard sees it.
struct KeyboardWindow {
  bool Showing = false;  // on the screen (shown, the player not minimised)
  bool Enabled = false;  // takes input (no modal dialog over it)
  bool Leaving = false;  // being hidden or closed now
  bool Behind = false;   // parked behind the full-screen picture
};

// The window that takes the keyboard when the one that holds it hides or
// closes, or when the platform left it in none of the player's windows:
// `Preferred` (the window that held it before, -1 for none) when it can
// take it, else the first window of `Windows` that can, the main window
// coming first; a window can when it shows, is enabled and is not
// leaving. A window parked behind the full-screen picture takes it only
// when no other can, preferred or not: the user sees the picture. -1 when
// no window can (the player is hidden or minimised): the keyboard leaves
// the player.
int KeyboardHeir(std::span<const KeyboardWindow> Windows, int Preferred = -1);

}  // namespace lc
