#include "player/player_state.h"

#include <gtest/gtest.h>

namespace lc {
namespace {

TEST(MovieModeValues, ComeBackWhileTheRestStaysAsItIs) {
  PlayerState State;
  settings::SettingsStore Settings;
  State.MovieModeSaved = {true, 7, -3, 12, 85};
  State.ImageOffsetX = 40;
  State.ImageOffsetY = 41;
  State.AspectRatioValue = 2.35;
  Settings.PanScanValue = 30;
  Settings.AverageVerticalDisplayZone = 95;
  Settings.SubtitleSize = 22;

  RestoreMovieModeValues(State, Settings);

  EXPECT_EQ(State.ImageOffsetX, 7);
  EXPECT_EQ(State.ImageOffsetY, -3);
  EXPECT_EQ(Settings.PanScanValue, 12);
  EXPECT_EQ(Settings.AverageVerticalDisplayZone, 85);
  // Not movie mode's: untouched, and the saved values are kept.
  EXPECT_DOUBLE_EQ(State.AspectRatioValue, 2.35);
  EXPECT_EQ(Settings.SubtitleSize, 22);
  EXPECT_TRUE(State.MovieModeSaved.WasFullScreen);
  EXPECT_EQ(State.MovieModeSaved.PanScan, 12);
}

TEST(RmsChangeScore, RisesByHalfOnlyWithAGraphAndStopsAtTheMark) {
  PlayerState State;
  RaiseRmsChangeScore(State, false);
  EXPECT_EQ(State.RmsChangeScore, 0);
  RaiseRmsChangeScore(State, true);
  EXPECT_EQ(State.RmsChangeScore, 5000);
  State.RmsChangeScore = 7000;
  RaiseRmsChangeScore(State, true);
  EXPECT_EQ(State.RmsChangeScore, 10000);
  // The opening's low start climbs back only slowly.
  State.RmsChangeScore = -1000000;
  RaiseRmsChangeScore(State, true);
  EXPECT_EQ(State.RmsChangeScore, -995000);
}

// A command holds BusyFlag while it runs; an opening guard nested in an
// opening leaves the outer one in force.
TEST(CommandGuards, HoldTheirFlagForTheirLifetime) {
  Program().BusyFlag = false;
  {
    BusyScope busy;
    EXPECT_TRUE(Program().BusyFlag);
  }
  EXPECT_FALSE(Program().BusyFlag);

  Program().OpeningMovie = false;
  {
    OpeningScope outer;
    EXPECT_FALSE(outer.Nested());
    {
      OpeningScope inner;
      EXPECT_TRUE(inner.Nested());
    }
    EXPECT_TRUE(Program().OpeningMovie);
  }
  EXPECT_FALSE(Program().OpeningMovie);
}

}  // namespace
}  // namespace lc
