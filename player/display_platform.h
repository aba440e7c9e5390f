// The display's modes and monitors as the platform reports them: the modes
// offered for full-screen switching, the mode in force, and whether the
// monitors differ in size. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "player/display_modes.h"

namespace lc {

// The primary display's modes of 16 bits per pixel, or of 32 when it has
// none of 16; every mode number from 0 on is read.
std::vector<DisplayMode> CollectDisplayModes();

// "M1280x1024x60Hz": the mode in force on the screen.
std::string CurrentDisplayModeName();

// DetectMonitorLayout: sets MonitorsDiffer when two monitors next to each
// other in the platform's order differ in width or height.
void DetectMonitorLayout();

}  // namespace lc
