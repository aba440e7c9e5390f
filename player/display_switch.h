// The display-mode switch as TfrmMain.ChangeResolution uses it: the real
// one asks the platform (player/display_platform.cpp); tests give a table
// of modes the display accepts.
#pragma once

#include <vector>

#include "player/display_modes.h"

namespace lc {

class DisplaySwitch {
 public:
  virtual ~DisplaySwitch() = default;
  // The primary display's modes of 16 bits per pixel, or of 32 when it has
  // none of 16, in the platform's order.
  virtual std::vector<DisplayMode> Modes() = 0;
  // The mode in force (rate 0 when the platform does not tell).
  virtual DisplayMode CurrentMode() = 0;
  // Whether the display would take Mode (a rate of 0 leaves the rate to
  // the platform); nothing changes.
  virtual bool TestMode(const DisplayMode& Mode) = 0;
  // Switches to Mode for this session only; false when the platform
  // refused. The platform announces the change (WM_DISPLAYCHANGE) before
  // this returns.
  virtual bool SetMode(const DisplayMode& Mode) = 0;
};

}  // namespace lc
