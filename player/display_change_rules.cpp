#include "player/display_change_rules.h"

#include <algorithm>
#include <cmath>

namespace lc {

namespace {

int Scaled(int position, int oldSize, int newSize) {
  if (oldSize <= 0) return position;
  return static_cast<int>(std::nearbyint(static_cast<double>(newSize) * position / oldSize));
}

int Clamped(int value, int areaStart, int areaSize, int size) {
  return std::max(areaStart, std::min(value, areaStart + areaSize - size));
}

}  // namespace

PlacedPoint PlaceAfterScreenChange(int left, int top, int clientWidth, int clientHeight, int oldWidth,
                                   int oldHeight, int newWidth, int newHeight, const ScreenRect& workArea) {
  PlacedPoint p;
  p.Top = Clamped(Scaled(top, oldHeight, newHeight), workArea.Top, workArea.Height, clientHeight);
  p.Left = Clamped(Scaled(left, oldWidth, newWidth), workArea.Left, workArea.Width, clientWidth);
  return p;
}

std::int64_t ReloadPosition(std::int64_t current) { return std::max<std::int64_t>(current - 1000000, 0); }

bool ReloadRenderUsable(std::int32_t result) {
  switch (static_cast<std::uint32_t>(result)) {
    case 0:
    case 0x8004025Cu:
    case 0x80040256u:
    case 0x00040258u:
    case 0x00040242u: return true;
    default: return false;
  }
}

}  // namespace lc
