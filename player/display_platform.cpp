#include "player/display_platform.h"

#include <utility>

#include <windows.h>

#include "framework/application.h"
#include "settings/program_state.h"

namespace lc {

std::vector<DisplayMode> CollectDisplayModes() {
  std::vector<DisplayMode> modes;
  for (DWORD bits : {16u, 32u}) {
    DEVMODEW dm = {};
    dm.dmSize = sizeof dm;
    for (DWORD i = 0; EnumDisplaySettingsW(nullptr, i, &dm); ++i) {
      if (dm.dmBitsPerPel == bits)
        modes.push_back({static_cast<std::uint16_t>(dm.dmPelsWidth), static_cast<std::uint16_t>(dm.dmPelsHeight),
                         static_cast<std::uint16_t>(dm.dmDisplayFrequency)});
      dm = {};
      dm.dmSize = sizeof dm;
    }
    if (!modes.empty()) break;
  }
  return modes;
}

std::string CurrentDisplayModeName() {
  HDC dc = GetDC(nullptr);
  DisplayMode mode{static_cast<std::uint16_t>(GetDeviceCaps(dc, HORZRES)),
                   static_cast<std::uint16_t>(GetDeviceCaps(dc, VERTRES)),
                   static_cast<std::uint16_t>(GetDeviceCaps(dc, VREFRESH))};
  ReleaseDC(nullptr, dc);
  return DisplayModeItemName(mode);
}

void DetectMonitorLayout() {
  std::vector<std::pair<int, int>> sizes;
  for (const TMonitor& m : Screen.Monitors()) sizes.emplace_back(m.Width(), m.Height());
  Program().MonitorsDiffer = MonitorSizesDiffer(sizes);
}

}  // namespace lc
