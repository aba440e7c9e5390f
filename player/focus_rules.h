// Where the H and F12 keys bring a window back to when it takes the focus
// from the other one: the main window into the work area, the video window
// at least a tenth of the screen inside it. Portable: no Windows header.
#pragma once

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

}  // namespace lc
