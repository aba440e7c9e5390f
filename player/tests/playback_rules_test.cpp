// The decisions of opening a movie and of its end, as tables of plain
// values.
#include "player/playback_rules.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

using lc::RenderOutcome;

TEST(RenderResults, FiveResultsGoOnAndTwoOfThemHaveNoGraph) {
  struct Row {
    std::int32_t Result;
    RenderOutcome Outcome;
  };
  const Row Rows[] = {
      {0, RenderOutcome::GoOn},
      {0x00040242, RenderOutcome::GoOn},
      {0x00040258, RenderOutcome::GoOn},
      {static_cast<std::int32_t>(0x8004025C), RenderOutcome::NoGraph},
      {static_cast<std::int32_t>(0x80040256), RenderOutcome::NoGraph},
      {1, RenderOutcome::Fail},  // S_FALSE: no graph to render into
      {-1, RenderOutcome::Fail},  // the render raised
      {static_cast<std::int32_t>(0x80040265), RenderOutcome::Fail},
      {static_cast<std::int32_t>(0x80004005), RenderOutcome::Fail},
      {0x00040257, RenderOutcome::Fail},
  };
  for (const Row& R : Rows) EXPECT_EQ(R.Outcome, lc::ClassifyRenderResult(R.Result)) << std::hex << R.Result;
}

TEST(FrameRate, TheFirstStreamWithAPlausibleRateWins) {
  struct Row {
    std::vector<double> Rates;
    double Expected;
  };
  const Row Rows[] = {
      {{}, 25.0},
      {{0.0}, 25.0},              // audio only
      {{119.88, 29.97}, 29.97},
      {{120.0, 0.0}, 25.0},        // an audio stream last
      {{120.0}, 120.0},
      {{23.9760239, 0.0}, 23.976},  // rounded to three decimals
      {{0.0, 25.0}, 25.0},
      {{0.5, 59.94}, 59.94},
      {{60.0, 30.0}, 60.0},
      {{1.0}, 1.0},
  };
  for (const Row& R : Rows) EXPECT_DOUBLE_EQ(R.Expected, lc::ChooseFrameRate(R.Rates));
}

TEST(FrameRate, AbsurdRatesFallBackTo25) {
  const double Nan = std::numeric_limits<double>::quiet_NaN();
  const double Inf = std::numeric_limits<double>::infinity();
  for (double Rate : {0.0, -5.0, Nan, Inf, 1000.5, 5000.0, 0.0001}) EXPECT_DOUBLE_EQ(25.0, lc::SaneFrameRate(Rate));
  EXPECT_DOUBLE_EQ(1000.0, lc::SaneFrameRate(1000.0));
  EXPECT_DOUBLE_EQ(29.97, lc::SaneFrameRate(29.97002997));
  EXPECT_DOUBLE_EQ(25.0, lc::ChooseFrameRate({Nan}));
  EXPECT_DOUBLE_EQ(25.0, lc::ChooseFrameRate({-3.0}));
}

TEST(MicroDvd, TimesAreScaledOnceForAnotherFrameRate) {
  std::vector<std::int32_t> Times{0, 1000, 23976, 60000, -1};
  lc::RetimeMicroDvd(Times, 23.976);
  EXPECT_EQ((std::vector<std::int32_t>{0, 1043, 25000, 62563, -1}), Times);

  std::vector<std::int32_t> Same{1000, 2000};
  lc::RetimeMicroDvd(Same, 25.0);
  EXPECT_EQ((std::vector<std::int32_t>{1000, 2000}), Same);

  std::vector<std::int32_t> Faster{1000, 3000};
  lc::RetimeMicroDvd(Faster, 50.0);
  EXPECT_EQ((std::vector<std::int32_t>{500, 1500}), Faster);
}

TEST(MicroDvd, OnlyMicroDvdAtAnotherUsableRateIsRetimed) {
  EXPECT_TRUE(lc::MicroDvdNeedsRetiming(1, 23.976));
  EXPECT_FALSE(lc::MicroDvdNeedsRetiming(1, 25.0));
  EXPECT_FALSE(lc::MicroDvdNeedsRetiming(2, 23.976));  // SubRip keeps its times
  EXPECT_FALSE(lc::MicroDvdNeedsRetiming(0, 30.0));
  EXPECT_FALSE(lc::MicroDvdNeedsRetiming(1, 0.0));
}

TEST(EndOfMovie, RepeatOneAndASingleMovieRepeatAllReplay) {
  struct Row {
    int RepeatMode;
    int Movies;
    bool Replay;
  };
  const Row Rows[] = {
      {0, 0, false}, {0, 1, false}, {0, 3, false},  //
      {1, 0, true},  {1, 1, true},  {1, 3, true},   //
      {2, 0, true},  {2, 1, true},  {2, 2, false}, {2, 3, false},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(R.Replay, lc::ReplayAtEnd(R.RepeatMode, R.Movies)) << R.RepeatMode << " " << R.Movies;
}

TEST(Warnings, ShownInOrderUnlessSwitchedOff) {
  lc::WarningInput In;
  EXPECT_EQ(std::vector<int>{}, lc::OpeningWarnings(In));
  In.OverlayInUse = false;
  EXPECT_EQ(std::vector<int>{56}, lc::OpeningWarnings(In));
  In.RenderResult = 0x00040258;
  EXPECT_EQ((std::vector<int>{56, 67}), lc::OpeningWarnings(In));
  In.DoNotShowOverlayMessage = true;
  EXPECT_EQ(std::vector<int>{67}, lc::OpeningWarnings(In));
  In.DoNotShowAudioStreamMessage = true;
  EXPECT_EQ(std::vector<int>{}, lc::OpeningWarnings(In));
  In.RenderResult = 0x00040242;
  EXPECT_EQ(std::vector<int>{68}, lc::OpeningWarnings(In));
  In.DoNotShowStreamMessage = true;
  EXPECT_EQ(std::vector<int>{}, lc::OpeningWarnings(In));
  // The stream warning does not follow the audio result, nor the other way.
  lc::WarningInput Audio;
  Audio.RenderResult = 0x00040258;
  Audio.DoNotShowAudioStreamMessage = true;
  EXPECT_EQ(std::vector<int>{}, lc::OpeningWarnings(Audio));
}

TEST(PreviousMovie, SameSizeWithinFivePercentOfTheNewMovie) {
  EXPECT_TRUE(lc::SameNativeSize(640, 480, 640, 480));
  EXPECT_TRUE(lc::SameNativeSize(640, 480, 672, 504));   // exactly 5 %
  EXPECT_FALSE(lc::SameNativeSize(640, 480, 673, 480));
  EXPECT_FALSE(lc::SameNativeSize(640, 480, 640, 505));
  EXPECT_TRUE(lc::SameNativeSize(640, 480, 608, 456));
  EXPECT_FALSE(lc::SameNativeSize(640, 480, 607, 480));
  EXPECT_FALSE(lc::SameNativeSize(0, 0, 0, 0));
  EXPECT_FALSE(lc::SameNativeSize(0, 480, 0, 480));
  EXPECT_TRUE(lc::SameNativeSize(1, 1, 1, 1));
}

lc::OpeningPlaceInput Base() {
  lc::OpeningPlaceInput In;
  In.Current = {100, 100, 400, 300};
  In.ControlWidth = 400;
  In.ControlHeight = 300;
  In.NativeWidth = 320;
  In.NativeHeight = 240;
  In.AreaWidth = 1920;
  In.AreaHeight = 1080;
  return In;
}

TEST(WindowPlace, PreviousThenEntryThenNativeSize) {
  lc::OpeningPlaceInput In = Base();
  EXPECT_EQ(std::nullopt, lc::OpeningWindowPlace(In));

  In.LoadAtOriginalMovieSize = true;
  EXPECT_EQ((lc::WindowPlace{140, 130, 320, 240}), lc::OpeningWindowPlace(In));

  In.Entry = lc::WindowPlace{0, 0, 601, 451};
  // Centred on the window, halves toward zero: 100 + (400 - 601) div 2.
  EXPECT_EQ((lc::WindowPlace{0, 25, 601, 451}), lc::OpeningWindowPlace(In));

  In.Previous = lc::WindowPlace{0, 0, 200, 100};
  EXPECT_EQ((lc::WindowPlace{200, 200, 200, 100}), lc::OpeningWindowPlace(In));
}

TEST(WindowPlace, ATenthOfTheAreaStaysReachable) {
  lc::OpeningPlaceInput In = Base();
  In.Current = {1900, 1000, 400, 300};
  In.Entry = lc::WindowPlace{0, 0, 400, 300};
  // X at most 1920 x 9 div 10, Y at most 1080 x 9 div 10.
  EXPECT_EQ((lc::WindowPlace{1728, 972, 400, 300}), lc::OpeningWindowPlace(In));
  In.Current = {-2000, -2000, 400, 300};
  // X at least 1920 div 10 - 400, Y at least 1080 div 10 - 300.
  EXPECT_EQ((lc::WindowPlace{-208, -192, 400, 300}), lc::OpeningWindowPlace(In));
  // A virtual desktop that starts left of the primary screen.
  In.AreaX = -1280;
  In.AreaWidth = 3200;
  EXPECT_EQ((lc::WindowPlace{-1360, -192, 400, 300}), lc::OpeningWindowPlace(In));
}

TEST(RememberedPosition, OnlyWellInsideAMovieOfAtLeastFiveSeconds) {
  const std::int64_t Minute = 600000000;  // 60 s in 100 ns
  const double Day = 86400.0;
  EXPECT_EQ(std::optional<std::int64_t>(300000000), lc::RememberedSeekTarget(Minute, 30.0 / Day));
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(Minute, 57.0 / Day));  // 3 s before the end
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(Minute, 55.0 / Day));  // exactly 5 s before
  EXPECT_EQ(std::optional<std::int64_t>(540000000), lc::RememberedSeekTarget(Minute, 54.0 / Day));
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(Minute, 0.0));
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(Minute, -1.0 / Day));
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(49999999, 1.0 / Day));  // shorter than 5 s
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(Minute, std::nan("")));
  // One unit more than 5 s before the end still seeks.
  EXPECT_EQ(std::optional<std::int64_t>(50000000), lc::RememberedSeekTarget(100000001, 5.0 / Day));
  EXPECT_EQ(std::nullopt, lc::RememberedSeekTarget(100000000, 5.0 / Day));
}

TEST(AspectMenu, AStoredRatioChecksItsEntry) {
  using lc::AspectChoice;
  EXPECT_EQ(AspectChoice::Original, lc::AspectMenuFor(1.78, 1.78));
  EXPECT_EQ(AspectChoice::Original, lc::AspectMenuFor(2.35, 2.351));
  EXPECT_EQ(AspectChoice::Wide169, lc::AspectMenuFor(1.777, 1.33));
  EXPECT_EQ(AspectChoice::Standard43, lc::AspectMenuFor(1.333, 1.78));
  EXPECT_EQ(AspectChoice::Square11, lc::AspectMenuFor(1.0, 1.78));
  EXPECT_EQ(AspectChoice::Custom, lc::AspectMenuFor(2.35, 1.78));
  EXPECT_EQ(AspectChoice::Custom, lc::AspectMenuFor(1.74, 1.33));
}

TEST(TimeLabel, StoppedShowsTheTotalTwiceAndNoMovieShowsZeros) {
  EXPECT_EQ("00:00:04 - 00:00:00 - 00:00:04 ", lc::StoppedTimesText(4000, false, 25.0));
  EXPECT_EQ("01:02:03 - 00:00:00 - 01:02:03 ", lc::StoppedTimesText(3723999, false, 25.0));
  EXPECT_EQ("   100 -      0 -    100", lc::StoppedTimesText(4000, true, 25.0));
  EXPECT_EQ("    96 -      0 -     96", lc::StoppedTimesText(4000, true, 23.976));
  EXPECT_EQ("00:00:00 - 00:00:00 - 00:00:00", lc::NoMovieTimesText(false));
  EXPECT_EQ("     0 -      0 -      0", lc::NoMovieTimesText(true));
}

}  // namespace
