// The display's modes and monitors as the platform reports them: the modes
// offered for full-screen switching, the mode in force, and whether the
// monitors differ in size. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "player/display_modes.h"
#include "player/display_switch.h"

namespace lc {

// The primary display's modes of 16 bits per pixel, or of 32 when it has
// none of 16; every mode number from 0 on is read.
std::vector<DisplayMode> CollectDisplayModes();

// "M1280x1024x60Hz": the mode in force on the screen.
std::string CurrentDisplayModeName();

// The platform's display: ChangeDisplaySettings on a mode record filled
// from mode 0, with the current colour depth.
class PlatformDisplaySwitch : public DisplaySwitch {
 public:
  std::vector<DisplayMode> Modes() override { return CollectDisplayModes(); }
  DisplayMode CurrentMode() override;
  bool TestMode(const DisplayMode& Mode) override;
  bool SetMode(const DisplayMode& Mode) override;
};

// DetectMonitorLayout: sets MonitorsDiffer when two monitors next to each
// other in the platform's order differ in their left or top coordinate.
void DetectMonitorLayout();

}  // namespace lc
