#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "player/display_modes.h"

namespace lc {
namespace {

std::vector<std::string> Captions(const DisplayModeMenu& menu) {
  std::vector<std::string> out;
  for (const auto& item : menu.items) out.push_back(item.caption);
  return out;
}

TEST(DisplayModes, SortedAndRepeatedModesDropped) {
  auto sorted = SortDisplayModes({{1024, 768, 75}, {800, 600, 60}, {1024, 768, 60}, {800, 600, 60}});
  EXPECT_EQ(sorted, (std::vector<DisplayMode>{{800, 600, 60}, {1024, 768, 60}, {1024, 768, 75}}));
}

TEST(DisplayModes, ThresholdIsTheFirstModeWithExactlyTwoLargerModes) {
  struct Case {
    std::vector<DisplayMode> sorted;
    std::pair<int, int> bound;
  };
  const Case cases[] = {
      {{}, {320, 240}},
      {{{1024, 768, 60}}, {1024, 768}},
      // 800 x 600 has two larger modes above it.
      {{{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1280, 1024, 60}}, {800, 600}},
      // 800 x 600 has two larger modes: 1024 x 768 at two rates.
      {{{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1024, 768, 75}}, {800, 600}},
      // Nobody has exactly two larger modes: 640 x 480 four, 800 x 600 three.
      {{{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1024, 768, 70}, {1024, 768, 75}}, {320, 240}},
      {{{640, 480, 60}, {800, 600, 60}}, {320, 240}},
      // Modes of the same size are never larger than each other: both
      // 640 x 480 modes have exactly 800 x 600 and 1024 x 768 above them.
      {{{640, 480, 60}, {640, 480, 75}, {800, 600, 60}, {1024, 768, 60}}, {640, 480}},
      // As wide and taller counts as larger.
      {{{800, 480, 60}, {800, 600, 60}, {800, 640, 60}}, {800, 480}},
      // Never above 800 x 600.
      {{{1280, 720, 60}, {1600, 900, 60}, {1920, 1080, 60}, {2560, 1440, 60}, {3840, 2160, 60}}, {800, 600}},
      {{{1024, 600, 60}, {1280, 720, 60}, {1920, 1080, 60}}, {800, 600}},
  };
  for (const Case& c : cases) EXPECT_EQ(DisplayModeThreshold(c.sorted), c.bound) << c.sorted.size() << " modes";
}

TEST(DisplayModes, TwoRatesOfOneSizeAndASingleOneAreAllOffered) {
  // No mode has exactly two larger modes above it: from 320 x 240 up.
  auto menu = BuildDisplayModeMenu({{640, 480, 60}, {640, 480, 75}, {800, 600, 60}});
  ASSERT_EQ(Captions(menu), (std::vector<std::string>{"640x480", "800x600"}));
  ASSERT_EQ(menu.items[0].refresh.size(), 2u);
  EXPECT_EQ(menu.items[0].refresh[0].caption, "60 Hz");
  EXPECT_EQ(menu.items[0].refresh[1].caption, "75 Hz");
  EXPECT_EQ(menu.items[0].refresh[1].name, "M640x480x75Hz");
  EXPECT_TRUE(menu.items[1].refresh.empty());
  EXPECT_EQ(menu.items[1].name, "M800x600x60Hz");
}

TEST(DisplayModes, OneRatePerSizeGivesSingleItems) {
  auto menu = BuildDisplayModeMenu({{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1280, 1024, 60}});
  EXPECT_EQ(Captions(menu), (std::vector<std::string>{"800x600", "1024x768", "1280x1024"}));
  EXPECT_EQ(menu.items[1].name, "M1024x768x60Hz");
  EXPECT_TRUE(menu.items[1].refresh.empty());
  EXPECT_EQ(menu.names, (std::vector<std::string>{"800 x 600 x 60 Hz", "1024 x 768 x 60 Hz", "1280 x 1024 x 60 Hz"}));
}

TEST(DisplayModes, TwoSmallModesAreBothOffered) {
  auto menu = BuildDisplayModeMenu({{640, 480, 60}, {800, 600, 60}});
  EXPECT_EQ(Captions(menu), (std::vector<std::string>{"640x480", "800x600"}));
}

TEST(DisplayModes, OnlyTheThreeHighestRatesGetItems) {
  auto menu = BuildDisplayModeMenu(
      {{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1024, 768, 70}, {1024, 768, 72}, {1024, 768, 75},
       {1280, 1024, 60}});
  // No mode has exactly two larger ones: 640 x 480 is offered too.
  ASSERT_EQ(Captions(menu), (std::vector<std::string>{"640x480", "800x600", "1024x768", "1280x1024"}));
  const auto& sub = menu.items[2];
  ASSERT_EQ(sub.refresh.size(), 3u);
  EXPECT_EQ(sub.refresh[0].caption, "70 Hz");
  EXPECT_EQ(sub.refresh[2].caption, "75 Hz");
  EXPECT_EQ(sub.refresh[2].name, "M1024x768x75Hz");
  // The 60 Hz text is still offered in the settings.
  EXPECT_NE(std::find(menu.names.begin(), menu.names.end(), "1024 x 768 x 60 Hz"), menu.names.end());
}

TEST(DisplayModes, FiveRatesSkipTheMiddleOnesText) {
  auto menu = BuildDisplayModeMenu({{640, 480, 60}, {800, 600, 60}, {1024, 768, 50}, {1024, 768, 60},
                                    {1024, 768, 70}, {1024, 768, 72}, {1024, 768, 75}, {1280, 1024, 60}});
  const auto& sub = menu.items[2];
  ASSERT_EQ(sub.refresh.size(), 3u);
  EXPECT_EQ(sub.refresh[0].caption, "70 Hz");
  EXPECT_EQ(std::find(menu.names.begin(), menu.names.end(), "1024 x 768 x 60 Hz"), menu.names.end());
  EXPECT_NE(std::find(menu.names.begin(), menu.names.end(), "1024 x 768 x 50 Hz"), menu.names.end());
}

TEST(DisplayModes, NoModesGiveAnEmptyMenu) {
  auto menu = BuildDisplayModeMenu({});
  EXPECT_TRUE(menu.items.empty());
  EXPECT_TRUE(menu.names.empty());
}

TEST(MonitorLayout, NeighboursWithAnotherCornerDiffer) {
  using Corners = std::vector<std::pair<int, int>>;
  struct Case {
    Corners corners;
    bool differ;
  } cases[] = {
      {{}, false},
      {{{0, 0}}, false},
      {{{0, 0}, {1920, 0}}, true},   // side by side
      {{{0, 0}, {0, 1080}}, true},   // one above the other
      {{{0, 0}, {0, 0}}, false},     // mirrored
      {{{0, 0}, {0, 0}, {-1280, 0}}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(MonitorPositionsDiffer(c.corners), c.differ) << c.corners.size();
}

TEST(DisplayModeNames, ItemNamesFromTexts) {
  EXPECT_EQ(DisplayModeNameFromText("1024 x 768 x 60 Hz"), "M1024x768x60Hz");
  EXPECT_EQ(DisplayModeNameFromText("800 x 600 x 75 Hz"), "M800x600x75Hz");
}

TEST(DisplayModeNames, NamesParseIntoModes) {
  EXPECT_EQ(ParseDisplayModeName("M1024x768x75Hz"), (DisplayMode{1024, 768, 75}));
  EXPECT_EQ(ParseDisplayModeName("M800x600x00Hz"), (DisplayMode{800, 600, 0}));
  EXPECT_EQ(ParseDisplayModeName("M10240x4320x120Hz"), (DisplayMode{10240, 4320, 120}));
  EXPECT_EQ(ParseDisplayModeName("M 1280 x 1024 x 60 Hz"), (DisplayMode{1280, 1024, 60}));
  EXPECT_EQ(ParseDisplayModeName("M1920x1080x59Hz"), (DisplayMode{1920, 1080, 59}));
  // Names that do not hold three numbers are refused, never guessed.
  EXPECT_EQ(ParseDisplayModeName("Temp"), std::nullopt);
  EXPECT_EQ(ParseDisplayModeName("M1024x768Hz"), std::nullopt);
  EXPECT_EQ(ParseDisplayModeName("Mx768x60Hz"), std::nullopt);
  EXPECT_EQ(ParseDisplayModeName("M1024x768x60x2Hz"), std::nullopt);
  EXPECT_EQ(ParseDisplayModeName("M99999999x768x60Hz"), std::nullopt);
  // Each number fills 16 bits at the most.
  EXPECT_EQ(ParseDisplayModeName("M65535x65535x65535Hz"), (DisplayMode{65535, 65535, 65535}));
  EXPECT_EQ(ParseDisplayModeName("M1024x65536x60Hz"), std::nullopt);
  EXPECT_EQ(ParseDisplayModeName("M70000x768x60Hz"), std::nullopt);
}

TEST(DisplayModeNames, SizeFromAText) {
  EXPECT_EQ(DisplayModeTextSize("1024 x 768 x 60 Hz"), std::make_pair(1024, 768));
  EXPECT_EQ(DisplayModeTextSize(" 640 x 480 x 75 Hz"), std::make_pair(640, 480));
  EXPECT_EQ(DisplayModeTextSize("1920 x 1080 x 59 Hz"), std::make_pair(1920, 1080));
  EXPECT_EQ(DisplayModeTextSize("No change"), std::nullopt);
  EXPECT_EQ(DisplayModeTextSize("wide x tall x 60 Hz"), std::nullopt);
  EXPECT_EQ(DisplayModeTextSize(""), std::nullopt);
}

TEST(DisplayModeNames, FullScreenSwitchesOnlyToAnOfferedOtherMode) {
  const std::vector<std::string> offered{"800 x 600 x 60 Hz", "1024 x 768 x 60 Hz"};
  EXPECT_EQ(FullScreenModeWanted("800 x 600 x 60 Hz", offered, "M1024x768x60Hz"), "M800x600x60Hz");
  EXPECT_EQ(FullScreenModeWanted("1024 x 768 x 60 Hz", offered, "M1024x768x60Hz"), std::nullopt);
  EXPECT_EQ(FullScreenModeWanted("No change", offered, "M1024x768x60Hz"), std::nullopt);
  EXPECT_EQ(FullScreenModeWanted("1280 x 1024 x 60 Hz", offered, "M1024x768x60Hz"), std::nullopt);
}

TEST(MonitorChoice, ParkingTestLooksAtTheOtherMonitorsFirst) {
  const std::vector<TRect> two{{0, 0, 1920, 1080}, {1920, 0, 3200, 1024}};
  EXPECT_TRUE(LiesOnlyOnMonitor(two, 0, {100, 100, 560, 250}));     // on the video's monitor only
  EXPECT_FALSE(LiesOnlyOnMonitor(two, 0, {2000, 100, 2460, 250}));  // on the other one
  EXPECT_FALSE(LiesOnlyOnMonitor(two, 0, {1800, 100, 2260, 250}));  // across both
  EXPECT_TRUE(LiesOnlyOnMonitor(two, 1, {2000, 100, 2460, 250}));
  EXPECT_FALSE(LiesOnlyOnMonitor(two, 1, {1800, 100, 2260, 250}));  // across both, seen from the second
  EXPECT_FALSE(LiesOnlyOnMonitor(two, 1, {-900, 100, -440, 250}));  // off every monitor
  EXPECT_TRUE(LiesOnlyOnMonitor({{0, 0, 1024, 768}}, 0, {0, 0, 460, 150}));
  EXPECT_FALSE(LiesOnlyOnMonitor({{0, 0, 1024, 768}}, -1, {0, 0, 460, 150}));
}

TEST(MonitorChoice, SentWindowsAreCentred) {
  EXPECT_EQ(CentreOnMonitor({1920, 0, 3200, 1024}, 400, 301), (TPoint{2360, 362}));
  EXPECT_EQ(CentreOnMonitor({-1281, -1, 0, 1024}, 401, 300), (TPoint{-841, 361}));
}

}  // namespace
}  // namespace lc
