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

std::string CurrentDisplayModeName() { return DisplayModeItemName(PlatformDisplaySwitch().CurrentMode()); }

DisplayMode PlatformDisplaySwitch::CurrentMode() {
  HDC dc = GetDC(nullptr);
  DisplayMode mode{static_cast<std::uint16_t>(GetDeviceCaps(dc, HORZRES)),
                   static_cast<std::uint16_t>(GetDeviceCaps(dc, VERTRES)),
                   static_cast<std::uint16_t>(GetDeviceCaps(dc, VREFRESH))};
  ReleaseDC(nullptr, dc);
  return mode;
}

namespace {

// Mode 0's record with the wanted size, rate and the current depth.
DEVMODEW ModeRecord(const DisplayMode& mode) {
  DEVMODEW dm = {};
  dm.dmSize = sizeof dm;
  EnumDisplaySettingsW(nullptr, 0, &dm);
  dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  dm.dmPelsWidth = mode.width;
  dm.dmPelsHeight = mode.height;
  HDC dc = GetDC(nullptr);
  dm.dmBitsPerPel = GetDeviceCaps(dc, BITSPIXEL);
  ReleaseDC(nullptr, dc);
  if (mode.rate != 0) dm.dmDisplayFrequency = mode.rate;
  return dm;
}

}  // namespace

bool PlatformDisplaySwitch::TestMode(const DisplayMode& mode) {
  DEVMODEW dm = ModeRecord(mode);
  return ChangeDisplaySettingsW(&dm, CDS_TEST) == DISP_CHANGE_SUCCESSFUL;
}

bool PlatformDisplaySwitch::SetMode(const DisplayMode& mode) {
  DEVMODEW dm = ModeRecord(mode);
  return ChangeDisplaySettingsW(&dm, 0) == DISP_CHANGE_SUCCESSFUL;
}

void DetectMonitorLayout() {
  std::vector<std::pair<int, int>> corners;
  for (const TMonitor& m : Screen.Monitors()) corners.emplace_back(m.Left(), m.Top());
  Program().MonitorsDiffer = MonitorPositionsDiffer(corners);
}

}  // namespace lc
