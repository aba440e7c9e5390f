#include <gtest/gtest.h>

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

TEST(DisplayModes, ThresholdComesFromAModeWithAFewLargerSizes) {
  EXPECT_EQ(DisplayModeThreshold({}), std::make_pair(0, 0));
  EXPECT_EQ(DisplayModeThreshold({{640, 480, 60}, {800, 600, 60}, {1024, 768, 60}, {1280, 1024, 60}}),
            std::make_pair(800, 600));
  EXPECT_EQ(DisplayModeThreshold({{640, 480, 60}, {800, 600, 60}}), std::make_pair(640, 480));
  // Never above 800 x 600.
  EXPECT_EQ(DisplayModeThreshold({{1280, 720, 60}, {1600, 900, 60}, {1920, 1080, 60}, {2560, 1440, 60},
                                  {3840, 2160, 60}}),
            std::make_pair(800, 600));
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
  ASSERT_EQ(Captions(menu), (std::vector<std::string>{"800x600", "1024x768", "1280x1024"}));
  const auto& sub = menu.items[1];
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
  const auto& sub = menu.items[1];
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

TEST(MonitorLayout, NeighboursOfDifferentSizeDiffer) {
  using Sizes = std::vector<std::pair<int, int>>;
  struct Case {
    Sizes sizes;
    bool differ;
  } cases[] = {
      {{}, false},
      {{{1920, 1080}}, false},
      {{{1920, 1080}, {1920, 1080}}, false},
      {{{1920, 1080}, {1920, 1200}}, true},
      {{{1280, 1024}, {1920, 1024}}, true},
      {{{1920, 1080}, {1920, 1080}, {1280, 1024}}, true},
  };
  for (const Case& c : cases) EXPECT_EQ(MonitorSizesDiffer(c.sizes), c.differ) << c.sizes.size();
}

}  // namespace
}  // namespace lc
