#include "player/display_modes.h"

#include <algorithm>
#include <string_view>
#include <tuple>

namespace lc {

std::string DisplayModeText(const DisplayMode& m) {
  return std::to_string(m.width) + " x " + std::to_string(m.height) + " x " + std::to_string(m.rate) + " Hz";
}

std::string DisplayModeItemName(const DisplayMode& m) {
  return std::string("M").append(std::to_string(m.width)) + "x" + std::to_string(m.height) + "x" +
         std::to_string(m.rate) + "Hz";
}

std::vector<DisplayMode> SortDisplayModes(std::vector<DisplayMode> modes) {
  auto key = [](const DisplayMode& m) { return std::tie(m.width, m.height, m.rate); };
  std::sort(modes.begin(), modes.end(), [&](const DisplayMode& a, const DisplayMode& b) { return key(a) < key(b); });
  modes.erase(std::unique(modes.begin(), modes.end()), modes.end());
  return modes;
}

std::pair<int, int> DisplayModeThreshold(const std::vector<DisplayMode>& sorted) {
  if (sorted.size() == 1) return {sorted.front().width, sorted.front().height};
  // Larger: wider, or as wide and taller; modes of the same size never count.
  const auto larger = [](const DisplayMode& o, const DisplayMode& m) {
    return o.width > m.width || (o.width == m.width && o.height > m.height);
  };
  for (const DisplayMode& m : sorted) {
    const auto count = std::count_if(sorted.begin(), sorted.end(), [&](const DisplayMode& o) { return larger(o, m); });
    if (count == 2) return {std::min<int>(m.width, 800), std::min<int>(m.height, 600)};
  }
  return {320, 240};
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

std::string DisplayModeNameFromText(const std::string& text) {
  std::string name = "M";
  for (char c : text)
    if (c != ' ') name += c;
  return name;
}

namespace {

// A decimal number of at most five digits (blanks around it allowed).
std::optional<int> SmallNumber(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  if (text.empty() || text.size() > 5) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::vector<std::string_view> SplitAtX(std::string_view text) {
  std::vector<std::string_view> parts;
  for (size_t start = 0;;) {
    const size_t x = text.find('x', start);
    parts.push_back(text.substr(start, x == std::string_view::npos ? x : x - start));
    if (x == std::string_view::npos) return parts;
    start = x + 1;
  }
}

}  // namespace

std::optional<DisplayMode> ParseDisplayModeName(const std::string& name) {
  std::string kept;
  for (char c : name)
    if ((c >= '0' && c <= '9') || c == 'x') kept += c;
  const auto parts = SplitAtX(kept);
  if (parts.size() != 3) return std::nullopt;
  const auto w = SmallNumber(parts[0]), h = SmallNumber(parts[1]), r = SmallNumber(parts[2]);
  if (!w || !h || !r || *w > 0xFFFF || *h > 0xFFFF || *r > 0xFFFF) return std::nullopt;
  return DisplayMode{static_cast<std::uint16_t>(*w), static_cast<std::uint16_t>(*h),
                     static_cast<std::uint16_t>(*r)};
}

std::optional<std::pair<int, int>> DisplayModeTextSize(const std::string& text) {
  const auto parts = SplitAtX(text);
  if (parts.size() < 3) return std::nullopt;
  const auto w = SmallNumber(parts[0]), h = SmallNumber(parts[1]);
  if (!w || !h) return std::nullopt;
  return std::make_pair(*w, *h);
}

std::optional<std::string> FullScreenModeWanted(const std::string& switchText,
                                                const std::vector<std::string>& offered,
                                                const std::string& currentName) {
  const std::string wanted = DisplayModeNameFromText(switchText);
  if (wanted == currentName) return std::nullopt;
  if (std::find(offered.begin(), offered.end(), switchText) == offered.end()) return std::nullopt;
  return wanted;
}

bool MonitorPositionsDiffer(const std::vector<std::pair<int, int>>& corners) {
  for (size_t i = 0; i + 1 < corners.size(); ++i)
    if (corners[i].first != corners[i + 1].first || corners[i].second != corners[i + 1].second) return true;
  return false;
}

bool LiesOnlyOnMonitor(const std::vector<TRect>& monitors, int videoIndex, const TRect& main) {
  for (int i = 0; i < static_cast<int>(monitors.size()); ++i)
    if (i != videoIndex && monitors[i].Intersects(main)) return false;
  return videoIndex >= 0 && videoIndex < static_cast<int>(monitors.size()) && monitors[videoIndex].Intersects(main);
}

TPoint CentreOnMonitor(const TRect& monitor, int width, int height) {
  return {monitor.Left + monitor.Width() / 2 - width / 2, monitor.Top + monitor.Height() / 2 - height / 2};
}

}  // namespace lc
