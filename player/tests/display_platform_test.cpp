// The display's modes and monitors as Wine reports them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include <windows.h>

#include "player/display_platform.h"
#include "settings/program_state.h"

namespace lc {
namespace {

TEST(DisplayModes, TheScreensModesAreCollectedAndNamed) {
  EXPECT_FALSE(CollectDisplayModes().empty());
  const std::string name = CurrentDisplayModeName();
  int w = 0, h = 0, r = 0;
  ASSERT_EQ(std::sscanf(name.c_str(), "M%dx%dx%dHz", &w, &h, &r), 3) << name;
  EXPECT_EQ(w, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(h, GetSystemMetrics(SM_CYSCREEN));
}

TEST(DisplayModes, OneMonitorNeverDiffers) {
  ASSERT_EQ(GetSystemMetrics(SM_CMONITORS), 1);
  Program().MonitorsDiffer = true;
  DetectMonitorLayout();
  EXPECT_FALSE(Program().MonitorsDiffer);
}

}  // namespace
}  // namespace lc
