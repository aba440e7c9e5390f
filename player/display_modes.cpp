#include "player/display_modes.h"

#include <algorithm>
#include <tuple>

namespace lc {

std::string DisplayModeText(const DisplayMode& m) {
  return std::to_string(m.width) + " x " + std::to_string(m.height) + " x " + std::to_string(m.rate) + " Hz";
}

std::string DisplayModeItemName(const DisplayMode& m) {
  return "M" + std::to_string(m.width) + "x" + std::to_string(m.height) + "x" + std::to_string(m.rate) + "Hz";
}

std::vector<DisplayMode> SortDisplayModes(std::vector<DisplayMode> modes) {
  auto key = [](const DisplayMode& m) { return std::tie(m.width, m.height, m.rate); };
  std::sort(modes.begin(), modes.end(), [&](const DisplayMode& a, const DisplayMode& b) { return key(a) < key(b); });
  modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
  return modes;
}

std::pair<int, int> DisplayModeThreshold(const std::vector<DisplayMode>& sorted) {
  if (sorted.empty()) return {0, 0};
  const int count = static_cast<int>(sorted.size());
  const DisplayMode* reference = &sorted.front();
  int best = -1;
  if (count > 1) {
    for (const DisplayMode& m : sorted) {
      int larger = 0;
      for (const DisplayMode& o : sorted)
        if (o.width > m.width || (o.width == m.width && o.height > m.height)) ++larger;
      if (larger >= 2 && larger < count - 1 && (best < 0 || larger < best)) {
        best = larger;
        reference = &m;
      }
    }
  }
  return {std::min<int>(reference->width, 800), std::min<int>(reference->height, 600)};
}

DisplayModeMenu BuildDisplayModeMenu(const std::vector<DisplayMode>& collected) {
  DisplayModeMenu menu;
  menu.modes = SortDisplayModes(collected);
  const auto [tw, th] = DisplayModeThreshold(menu.modes);
  const auto& modes = menu.modes;
  for (size_t i = 0; i < modes.size(); ++i) {
    const DisplayMode& m = modes[i];
    if (!(m.width > tw || (m.width == tw && m.height >= th))) continue;
    menu.names.push_back(DisplayModeText(m));
    const std::string size = std::to_string(m.width) + "x" + std::to_string(m.height);
    auto found = std::find_if(menu.items.begin(), menu.items.end(),
                              [&](const ResolutionMenuItem& item) { return item.caption == size; });
    if (found == menu.items.end()) {
      menu.items.push_back({size, "M" + size + "x00Hz", {}});
      size_t same = 0;
      for (size_t j = i + 1; j < modes.size() && modes[j].width == m.width && modes[j].height == m.height; ++j) ++same;
      if (same >= 3) {
        // Only the three highest rates of a size get items: go on with the
        // third mode from the end of this size (the loop adds one).
        i = i + same - 3;
        continue;
      }
    }
    menu.items.back().refresh.push_back({std::to_string(m.rate) + " Hz", DisplayModeItemName(m), {}});
  }
  for (ResolutionMenuItem& item : menu.items) {
    if (item.refresh.size() == 1) {
      item.name = item.refresh.front().name;
      item.refresh.clear();
    }
  }
  return menu;
}

bool MonitorSizesDiffer(const std::vector<std::pair<int, int>>& sizes) {
  for (size_t i = 0; i + 1 < sizes.size(); ++i)
    if (sizes[i] != sizes[i + 1]) return true;
  return false;
}

}  // namespace lc
