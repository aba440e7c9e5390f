// Where H and F12 bring the window that takes the focus: the main window
// into the work area, the video window a tenth of the screen inside.
#include "player/focus_rules.h"

#include <gtest/gtest.h>

namespace {

struct Case {
  TPoint From;
  TSize Size;
  TRect Area;
  TPoint Want;
};

TEST(FocusRules, TheMainWindowIsPulledIntoTheArea) {
  const TRect Work = Bounds(0, 0, 1024, 738);
  const Case Cases[] = {
      {{100, 100}, {460, 150}, Work, {100, 100}},
      {{900, 700}, {460, 150}, Work, {564, 588}},
      {{-50, -20}, {460, 150}, Work, {0, 0}},
      // The left monitor of a desktop that starts at -1280.
      {{-2000, 50}, {460, 150}, Bounds(-1280, 0, 1280, 1024), {-1280, 50}},
      // Larger than the area: its left and top edges win.
      {{10, 10}, {1200, 900}, Work, {0, 0}},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(lc::PullIntoArea(C.From, C.Size, C.Area), C.Want) << C.From.X << "," << C.From.Y;
  }
}

TEST(FocusRules, TheVideoWindowKeepsATenthOfTheScreen) {
  const TRect Screen = Bounds(0, 0, 1920, 1080);
  const Case Cases[] = {
      {{100, 100}, {400, 300}, Screen, {100, 100}},
      {{1800, 1000}, {400, 300}, Screen, {1728, 972}},
      {{-500, -400}, {400, 300}, Screen, {-208, -192}},
      {{-2000, 500}, {400, 300}, Bounds(-1280, 0, 3200, 1080), {-1360, 500}},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(lc::KeepTenthInside(C.From, C.Size, C.Area), C.Want) << C.From.X << "," << C.From.Y;
  }
}

}  // namespace
