// The display modes offered for full-screen switching, and the layout of
// the resolution menu built from them.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lc {

struct DisplayMode {
  std::uint16_t width = 0;
  std::uint16_t height = 0;
  std::uint16_t rate = 0;  // Hz
  bool operator==(const DisplayMode&) const = default;
};

// "1024 x 768 x 60 Hz": how a mode is offered in the settings.
std::string DisplayModeText(const DisplayMode& mode);
// "M1024x768x60Hz": the name of the menu item that switches to a mode.
std::string DisplayModeItemName(const DisplayMode& mode);

// One item of the resolution menu: a size. A size offered at one refresh
// rate is a single clickable item named after that mode; a size offered at
// two or three rates holds one clickable item per rate.
struct ResolutionMenuItem {
  std::string caption;  // "1024x768", or "60 Hz" for a refresh item
  std::string name;     // "M1024x768x60Hz"
  std::vector<ResolutionMenuItem> refresh;
};

struct DisplayModeMenu {
  std::vector<DisplayMode> modes;  // sorted, one of each
  std::vector<std::string> names;  // the offered modes' texts
  std::vector<ResolutionMenuItem> items;
};

// Sorts by width, height and rate and drops repeated modes.
std::vector<DisplayMode> SortDisplayModes(std::vector<DisplayMode> modes);
// The smallest size offered: taken from a mode with a few larger sizes
// above it, at most 800 x 600.
std::pair<int, int> DisplayModeThreshold(const std::vector<DisplayMode>& sorted);
// The menu and names for the modes the display offers. Only the three
// highest refresh rates of a size get menu items.
DisplayModeMenu BuildDisplayModeMenu(const std::vector<DisplayMode>& collected);

// True when the monitors (width, height, in the platform's order) number
// two or more and one differs from the next in width or in height.
bool MonitorSizesDiffer(const std::vector<std::pair<int, int>>& sizes);

}  // namespace lc
