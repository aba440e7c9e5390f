// The display modes offered for full-screen switching, and the layout of
// the resolution menu built from them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "framework/types.h"

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
// The smallest size offered: that of the first mode (in sorted order) with
// exactly two larger modes above it (wider, or as wide and taller), at most
// 800 x 600; without such a mode 320 x 240. A single mode is its own bound.
std::pair<int, int> DisplayModeThreshold(const std::vector<DisplayMode>& sorted);
// The menu and names for the modes the display offers. Only the three
// highest refresh rates of a size get menu items.
DisplayModeMenu BuildDisplayModeMenu(const std::vector<DisplayMode>& collected);

// "M1024x768x60Hz" for the caption "1024 x 768 x 60 Hz": the blanks
// removed, "M" in front.
std::string DisplayModeNameFromText(const std::string& text);

// The mode a menu item's name stands for: its digits and "x" letters, split
// at "x" into width, height and refresh rate ("M1024x768x75Hz"). nullopt
// for a name without three such numbers.
std::optional<DisplayMode> ParseDisplayModeName(const std::string& name);

// Width and height written in a mode text ("1024 x 768 x 60 Hz"): the text
// before the first "x" and between the first and the second, trimmed.
// nullopt when they are not numbers.
std::optional<std::pair<int, int>> DisplayModeTextSize(const std::string& text);

// The mode name full screen switches to: the item name of `switchText`
// when it is one of the offered texts and differs from `currentName`.
std::optional<std::string> FullScreenModeWanted(const std::string& switchText,
                                                const std::vector<std::string>& offered,
                                                const std::string& currentName);

// True when the monitors (left, top, in the platform's order) number two or
// more and one differs from the next in its left or its top coordinate.
bool MonitorPositionsDiffer(const std::vector<std::pair<int, int>>& corners);

// The parking test of full screen: walking the monitors in order past
// the video's own (VideoIndex), the first that the main window touches
// ends the test (false); when none does, true when the main window
// touches the video's monitor: it lies only under the full-screen video.
bool LiesOnlyOnMonitor(const std::vector<TRect>& monitors, int videoIndex, const TRect& main);

// Where a window of width x height goes when sent to a monitor: centred
// on it (div truncating toward zero).
TPoint CentreOnMonitor(const TRect& monitor, int width, int height);

}  // namespace lc
