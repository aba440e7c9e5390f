// The arithmetic of a change of the screen size or display mode: every
// window keeps its place in proportion to the screen and stays inside the
// work area; an open movie is rendered again and sought back to a tenth of
// a second before where it was. Portable: no Windows header.
#pragma once

#include <cstdint>

namespace lc {

struct ScreenRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
};

// Where a window whose top-left corner is (left, top) and whose client area
// is clientWidth x clientHeight goes when the screen changes from
// oldWidth x oldHeight to newWidth x newHeight: Round(new x old position /
// old size) on each axis (halves to even), then clamped into the work
// area (the area's edge wins over the far edge for a window larger than
// it). An old size of 0 counts as the new one.
struct PlacedPoint {
  int Left = 0, Top = 0;
  bool operator==(const PlacedPoint&) const = default;
};
PlacedPoint PlaceAfterScreenChange(int left, int top, int clientWidth, int clientHeight, int oldWidth,
                                   int oldHeight, int newWidth, int newHeight, const ScreenRect& workArea);

// The position (100-ns units) to go back to: 1,000,000 before `current`,
// not below 0.
std::int64_t ReloadPosition(std::int64_t current);

// A render result after which the reload goes on: success, or one of the
// partial successes a render reports (0x8004025C, 0x80040256, 0x00040258,
// 0x00040242).
bool ReloadRenderUsable(std::int32_t result);

}  // namespace lc
