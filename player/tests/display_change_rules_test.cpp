#include "player/display_change_rules.h"

#include <gtest/gtest.h>

namespace {

using lc::PlacedPoint;
using lc::PlaceAfterScreenChange;

TEST(DisplayChange, WindowsKeepTheirPlaceInProportion) {
  const lc::ScreenRect work1024{0, 0, 1024, 738};
  // 1920 x 1080 to 1024 x 768: 1000 * 768 / 1080 = 711.1 -> 711, 600 * 1024 / 1920 = 320.
  EXPECT_EQ((PlacedPoint{320, 711}), PlaceAfterScreenChange(600, 1000, 10, 10, 1920, 1080, 1024, 768, work1024));
  // Halves go to the even neighbour: 1 * 1024 / 2048 = 0.5 -> 0, 3 -> 1.5 -> 2,
  // 5 -> 2.5 -> 2.
  EXPECT_EQ((PlacedPoint{0, 0}), PlaceAfterScreenChange(1, 1, 10, 10, 2048, 2048, 1024, 1024, {0, 0, 1024, 1024}));
  EXPECT_EQ((PlacedPoint{2, 2}), PlaceAfterScreenChange(3, 3, 10, 10, 2048, 2048, 1024, 1024, {0, 0, 1024, 1024}));
  EXPECT_EQ((PlacedPoint{2, 2}), PlaceAfterScreenChange(5, 5, 10, 10, 2048, 2048, 1024, 1024, {0, 0, 1024, 1024}));
  // Growing screens move windows out as well.
  EXPECT_EQ((PlacedPoint{750, 600}), PlaceAfterScreenChange(400, 300, 100, 100, 800, 600, 1500, 1200, {0, 0, 1500, 1170}));
}

TEST(DisplayChange, WindowsAreClampedIntoTheWorkArea) {
  // A work area below a top task bar, 30 pixels high, and left of a side bar.
  const lc::ScreenRect work{0, 30, 1000, 700};
  // Beyond the right and bottom: the far edge of the area holds the window.
  EXPECT_EQ((PlacedPoint{800, 530}), PlaceAfterScreenChange(1900, 1000, 200, 200, 1920, 1080, 1024, 768, work));
  // Above the area's top: its top.
  EXPECT_EQ((PlacedPoint{0, 30}), PlaceAfterScreenChange(-50, 0, 200, 200, 1920, 1080, 1024, 768, work));
  // A window larger than the area: the area's top left wins.
  EXPECT_EQ((PlacedPoint{0, 30}), PlaceAfterScreenChange(500, 500, 1200, 900, 1920, 1080, 1024, 768, work));
  // The same size: only the clamp acts.
  EXPECT_EQ((PlacedPoint{100, 130}), PlaceAfterScreenChange(100, 130, 50, 50, 1024, 768, 1024, 768, work));
  // An unknown old size moves nothing but still clamps.
  EXPECT_EQ((PlacedPoint{100, 30}), PlaceAfterScreenChange(100, 10, 50, 50, 0, 0, 1024, 768, work));
}

TEST(DisplayChange, TheMovieGoesBackATenthOfASecond) {
  EXPECT_EQ(49000000, lc::ReloadPosition(50000000));
  EXPECT_EQ(0, lc::ReloadPosition(1000000));
  EXPECT_EQ(0, lc::ReloadPosition(400000));
  EXPECT_EQ(1, lc::ReloadPosition(1000001));
  EXPECT_EQ(0, lc::ReloadPosition(0));
}

TEST(DisplayChange, RenderResultsThatLetTheReloadGoOn) {
  for (std::uint32_t good : {0x0u, 0x8004025Cu, 0x80040256u, 0x00040258u, 0x00040242u})
    EXPECT_TRUE(lc::ReloadRenderUsable(static_cast<std::int32_t>(good))) << std::hex << good;
  for (std::uint32_t bad : {0x80004005u, 0x80040218u, 0x1u, 0x80040265u, 0x00040257u})
    EXPECT_FALSE(lc::ReloadRenderUsable(static_cast<std::int32_t>(bad))) << std::hex << bad;
}

}  // namespace
