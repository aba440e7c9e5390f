#include <gtest/gtest.h>

#include <optional>

#include "player/osd_rules.h"

namespace lc {
namespace {

constexpr double kSecondsPerDay = 86400.0;

TEST(OsdRules, DurationGrowsWithTheText) {
  EXPECT_NEAR(OsdDuration(10) * kSecondsPerDay, 1.4192064, 1e-6);
  EXPECT_NEAR(OsdDuration(1) * kSecondsPerDay, 0.864, 1e-6);
  EXPECT_NEAR(OsdDuration(0) * kSecondsPerDay, 0.8023104, 1e-6);
}

TEST(OsdRules, LayoutInFullScreenAndInAWindow) {
  struct Case {
    bool FullScreen;
    int MonitorWidth, MonitorHeight, WindowWidth, WindowHeight, OsdSize, Ppi;
    int FontSize, X0, Y0, D, E, ClockTextWidth, ClockX;
  } cases[] = {
      // 1024 pixels wide at 96 pixels per inch, OsdSize 100.
      {true, 1024, 768, 1024, 768, 100, 96, 23, 102, 77, 2, 1, 60, 862},
      // A window 512 wide: Round(11.5) = 12 points, placed in the window.
      {false, 1024, 768, 512, 300, 100, 96, 12, 51, 30, 1, 1, 40, 421},
      // A larger OSD on a denser screen.
      {true, 1920, 1080, 1920, 1080, 250, 120, 86, 192, 108, 11, 8, 100, 1628},
  };
  for (const Case& c : cases) {
    const OsdLayout l = ComputeOsdLayout(c.FullScreen, c.MonitorWidth, c.MonitorHeight, c.WindowWidth,
                                         c.WindowHeight, c.OsdSize, c.Ppi);
    EXPECT_EQ(l.FontSize, c.FontSize) << c.WindowWidth;
    EXPECT_EQ(l.X0, c.X0) << c.WindowWidth;
    EXPECT_EQ(l.Y0, c.Y0) << c.WindowWidth;
    EXPECT_EQ(l.D, c.D) << c.WindowWidth;
    EXPECT_EQ(l.E, c.E) << c.WindowWidth;
    EXPECT_EQ(OsdClockX(l, c.ClockTextWidth), c.ClockX) << c.WindowWidth;
  }
  EXPECT_EQ(ComputeOsdLayout(true, 0, 768, 0, 768, 100, 96).FontSize, 0);
}

// A monitor of no width, or a screen that reports no pixels per inch, gives
// no text at all: no size, no room, no place, in a window as in full screen.
TEST(OsdRules, NoMonitorWidthOrResolutionGivesNoText) {
  const struct {
    bool FullScreen;
    int MonitorWidth, Ppi;
  } cases[] = {{false, 0, 96}, {true, 1024, 0}, {false, 1024, 0}, {false, -1024, 96}};
  for (const auto& c : cases) {
    const OsdLayout l = ComputeOsdLayout(c.FullScreen, c.MonitorWidth, 768, 512, 300, 100, c.Ppi);
    EXPECT_EQ(l.FontSize, 0) << c.MonitorWidth << " " << c.Ppi;
    EXPECT_EQ(l.Width, 0) << c.MonitorWidth << " " << c.Ppi;
    EXPECT_EQ(l.X0, 0) << c.MonitorWidth << " " << c.Ppi;
    EXPECT_EQ(l.Y0, 0) << c.MonitorWidth << " " << c.Ppi;
    EXPECT_EQ(l.D, 0) << c.MonitorWidth << " " << c.Ppi;
  }
}

// On a right-to-left canvas a text goes on by its width plus one.
TEST(OsdRules, TextsMoveByTheirWidthOnARightToLeftCanvas) {
  EXPECT_EQ(OsdTextX(102, 80, false), 102);
  EXPECT_EQ(OsdTextX(102, 80, true), 183);
  EXPECT_EQ(OsdTextX(0, 0, true), 1);
}

TEST(OsdRules, LongTextsAreCutToTheRoom) {
  EXPECT_EQ(OsdCutCount(10, 100, 400, std::nullopt), 10);  // fits
  EXPECT_EQ(OsdCutCount(1, 10, 400, std::nullopt), 1);     // a single character too
  EXPECT_EQ(OsdCutCount(40, 800, 500, std::nullopt), 20);  // 0.8 x 500 of 800 pixels
  EXPECT_EQ(OsdCutCount(40, 800, 500, 60), 16);            // (375 - 60) / 800 x 40 = 15.75
  EXPECT_EQ(OsdCutCount(40, 800, 100, 90), 0);             // no room beside the clock: none, never fewer
  EXPECT_EQ(OsdCutCount(5, 1, 100, 90), 0);                // however narrow the text
  EXPECT_EQ(OsdCutCount(0, 0, 400, std::nullopt), 0);
  EXPECT_EQ(OsdCutCount(5, 0, 400, std::nullopt), 5);
}

TEST(OsdRules, OutlineAndKeyColours) {
  struct Case {
    TColor Text, Outline, Key;
  } cases[] = {
      {0xFFFFFF, 0x000000, RGBColor(63, 63, 63)},     // white
      {0x000000, 0xFFFFFF, RGBColor(192, 192, 192)},  // black
      {0xFF0000, 0xFFFFFF, RGBColor(192, 192, 255)},  // blue
      {0x00FF00, 0x000000, RGBColor(0, 63, 0)},       // the default bright green
      {0x808080, 0xFFFFFF, RGBColor(224, 224, 224)},  // gray
      {0x000080, 0xFFFFFF, RGBColor(224, 192, 192)},  // maroon
      {0x020202, 0x000000, RGBColor(1, 1, 1)},        // the key would be black
      {0x010101, 0x000000, RGBColor(2, 2, 2)},        // ... and then the text itself
      {0x0000FF, 0x000000, RGBColor(63, 0, 0)},       // red is not a dark colour
  };
  for (const Case& c : cases) {
    const OsdColors got = OsdColorsFor(c.Text);
    EXPECT_EQ(got.Outline, c.Outline) << std::hex << c.Text;
    EXPECT_EQ(got.Key, c.Key) << std::hex << c.Text;
  }
}

}  // namespace
}  // namespace lc
