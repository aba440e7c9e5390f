#include "player/pulse_rules.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

namespace lc {
namespace {

TEST(PulseTexts, ClockAndPercentage) {
  EXPECT_EQ(ClockText(0), "00:00:00");
  EXPECT_EQ(ClockText(3723999), "01:02:03");
  EXPECT_EQ(ClockText(86399999), "23:59:59");
  // A time of day: a whole day wraps.
  EXPECT_EQ(ClockText(90000000), "01:00:00");
  EXPECT_EQ(ClockText(-5000), "00:00:00");
  EXPECT_EQ(PositionPercent(5000, 20000), 25);
  // Halves go to the even neighbour.
  EXPECT_EQ(PositionPercent(25, 1000), 2);
  EXPECT_EQ(PositionPercent(35, 1000), 4);
  // No duration: no division.
  EXPECT_EQ(PositionPercent(5000, 0), 0);
  EXPECT_EQ(PositionPercent(5000, -3), 0);
}

// Frame 18 of 30 per second, stamped 599.9999 ms, is the frame of 600 ms.
TEST(PulseTexts, APositionIsItsNearestMillisecond) {
  EXPECT_EQ(PositionMs(5999999), 600);
  EXPECT_EQ(PositionMs(6004999), 600);
  EXPECT_EQ(PositionMs(6005000), 601);
  EXPECT_EQ(PositionMs(4999), 0);
}

TEST(PulseTexts, PositionOsdInTimesAndFrames) {
  EXPECT_EQ(PositionOsdText(65000, 600000, false, false, 25), "00:01:05 / 00:10:00 (11%)");
  // 12.34 s at 25 frames per second: 308.5 frames round to 308; in tens
  // while playing 30.85 rounds to 31.
  EXPECT_EQ(PositionOsdText(12340, 60000, true, false, 25), "   308 / 1500 (21%)");
  EXPECT_EQ(PositionOsdText(12340, 60000, true, true, 25), "   310 / 1500 (21%)");
  // Only the running number moves in tens: the total is every frame.
  EXPECT_EQ(PositionOsdText(12340, 61000, true, true, 25), "   310 / 1525 (20%)");
  EXPECT_EQ(PositionOsdText(0, 0, false, false, 25), "00:00:00 / 00:00:00 (0%)");
}

// A frame rate that is not a finite number counts no frames, and the seek
// to the end keeps nothing back.
TEST(PulseTexts, NoFramesAtARateThatIsNotFinite) {
  const double Nan = std::numeric_limits<double>::quiet_NaN();
  const double Inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(PositionOsdText(12340, 60000, true, false, Nan), "     0 / 0 (21%)");
  EXPECT_EQ(FrameLabelText(12400000, 4000, Inf, true), "     0 -      0 -      0");
  EXPECT_EQ(FrameLabelText(12400000, 4000, -Inf, false), "     0 -      0 -      0");
  EXPECT_EQ(SeekEndTarget(40000000, Nan), 40000000);
}

TEST(PulseTexts, TimeLabelCountsTheRestFromTheShownSecond) {
  EXPECT_EQ(TimeLabelText(0, 3000), "00:00:03 - 00:00:00 - 00:00:03");
  // 1.9 s shows as 1 s, so of 4.5 s 3.5 s remain: 00:00:03.
  EXPECT_EQ(TimeLabelText(1900, 4500), "00:00:04 - 00:00:01 - 00:00:03");
  EXPECT_EQ(TimeLabelText(3723900, 7200000), "02:00:00 - 01:02:03 - 00:57:57");
  // A position past the end never shows a negative rest.
  EXPECT_EQ(TimeLabelText(5000, 3000), "00:00:03 - 00:00:05 - 00:00:00");
  EXPECT_EQ(TimeLabelText(0, 0), "00:00:00 - 00:00:00 - 00:00:00");
}

TEST(PulseTexts, FrameLabelAdvancesInTensWhilePlaying) {
  // 4 s at 25 frames per second = 100 frames; at 1.24 s frame 31.
  EXPECT_EQ(FrameLabelText(12400000, 4000, 25, false), "   100 -     31 -     69");
  EXPECT_EQ(FrameLabelText(12400000, 4000, 25, true), "   100 -     30 -     70");
  EXPECT_EQ(FrameLabelText(12800000, 4000, 25, true), "   100 -     30 -     70");
  EXPECT_EQ(FrameLabelText(13200000, 4000, 25, true), "   100 -     30 -     70");
  EXPECT_EQ(FrameLabelText(14000000, 4000, 25, true), "   100 -     40 -     60");
  // Halves round to even: 31.5 frames show as 32, 68.5 as 68.
  EXPECT_EQ(FrameLabelText(12600000, 4000, 25, false), "   100 -     32 -     68");
  // The total never moves in tens.
  EXPECT_EQ(FrameLabelText(0, 4120, 25, true), "   103 -      0 -    100");
  // Totals wider than six digits are not cut.
  EXPECT_EQ(FrameLabelText(0, 400000000, 25, false), "10000000 -      0 - 10000000");
}

TEST(PulseTexts, IdleTimeLabel) {
  EXPECT_EQ(IdleTimeLabelText(125000, false, 25), "00:02:05 - 00:00:00 - 00:02:05");
  EXPECT_EQ(IdleTimeLabelText(4000, true, 25), "   100 -      0 -    100");
  EXPECT_EQ(IdleTimeLabelText(4120, true, 25), "   103 -      0 -    103");
  EXPECT_EQ(IdleTimeLabelText(0, false, 25), "00:00:00 - 00:00:00 - 00:00:00");
}

TEST(SeekTargets, StepsStayWithinTheMovie) {
  // Rewind at 00:00:05 by 20 s lands on 0.
  EXPECT_EQ(SeekStepTarget(50000000, 20, false, 600000), 0);
  EXPECT_EQ(SeekStepTarget(300000000, 20, false, 600000), 100000000);
  EXPECT_EQ(SeekStepTarget(100000000, 60, true, 600000), 700000000);
  // Forward near the end stops 10 ms before it.
  EXPECT_EQ(SeekStepTarget(5900000000, 20, true, 600000), 5999900000);
  // A movie shorter than 10 ms: never below 0.
  EXPECT_EQ(SeekStepTarget(0, 20, true, 5), 0);
  EXPECT_EQ(SeekStepTarget(0, 20, true, 0), 0);
  EXPECT_EQ(SeekPositionTarget(1500, 3000), 15000000);
  EXPECT_EQ(SeekPositionTarget(3000, 3000), 29900000);
  EXPECT_EQ(SeekPositionTarget(-40, 3000), 0);
  EXPECT_EQ(SeekPositionTarget(100, 0), 0);
}

TEST(SeekTargets, EndLandsATenthBeforeTheEndAt25) {
  EXPECT_EQ(SeekEndTarget(40000000, 25), 39000000);
  EXPECT_EQ(SeekEndTarget(40000000, 50), 38000000);
  EXPECT_EQ(SeekEndTarget(500000, 25), 0);
  EXPECT_EQ(SeekEndTarget(0, 25), 0);
}

TEST(Bookmarks, CaptionsAndPositions) {
  EXPECT_EQ(BookmarkCaption(3723900, 1), "01:02:03\t\t\tAlt+&1");
  EXPECT_EQ(BookmarkCaption(0, 9), "00:00:00\t\t\tAlt+&9");
  // Past 24 hours the hours stay.
  EXPECT_EQ(BookmarkTime(90061000), "25:01:01");
  EXPECT_EQ(BookmarkTime(400000000), "99:59:59");
  EXPECT_EQ(BookmarkPosition("01:02:03\t\t\tAlt+&1"), 37230000000LL);
  EXPECT_EQ(BookmarkPosition("25:01:01"), 900610000000LL);
  EXPECT_EQ(BookmarkPosition("1:02:03"), std::nullopt);
  EXPECT_EQ(BookmarkPosition("01-02-03"), std::nullopt);
  EXPECT_EQ(BookmarkPosition("0a:02:03"), std::nullopt);
  EXPECT_EQ(BookmarkPosition("a1:02:03"), std::nullopt);
  EXPECT_EQ(BookmarkPosition("01:02x03"), std::nullopt);
  EXPECT_EQ(BookmarkPosition(""), std::nullopt);
}

TEST(ScrollTimer, OneLabelMovesTenPixelsAndWraps) {
  ScrollState Movie{true, false, -1, 25};
  ScrollState Subtitle;
  bool Turn = true;
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 0);
  ScrollTick(Movie, Subtitle, Turn);
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 20);
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 5);
  EXPECT_EQ(Subtitle.Offset, -1);
  Movie.DragScrolling = true;
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 5);
}

TEST(ScrollTimer, TwoLabelsTakeTurnsMovieFirst) {
  ScrollState Movie{true, false, -1, 20};
  ScrollState Subtitle{true, false, -1, 30};
  bool Turn = true;
  ScrollTick(Movie, Subtitle, Turn);
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 10);
  EXPECT_EQ(Subtitle.Offset, -1);
  ScrollTick(Movie, Subtitle, Turn);  // round done
  EXPECT_FALSE(Turn);
  EXPECT_EQ(Movie.Offset, 0);
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Subtitle.Offset, 0);
  EXPECT_EQ(Movie.Offset, 0);
  for (int I = 0; I < 3; ++I) ScrollTick(Movie, Subtitle, Turn);
  EXPECT_TRUE(Turn);
  EXPECT_EQ(Subtitle.Offset, 0);
  // The movie label, back at its start, pauses one tick.
  EXPECT_EQ(Movie.Offset, -1);
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 0);
  Subtitle.Offset = 0;
  Movie.DragScrolling = true;
  ScrollTick(Movie, Subtitle, Turn);
  EXPECT_EQ(Movie.Offset, 0);
  EXPECT_EQ(Subtitle.Offset, 0);
}

TEST(EndOfList, ShutdownCloseAndFront) {
  EndOfListInput In;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, false, false}));
  In.TurnOffComputerAfterPlay = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{true, false, false}));
  In.ShutdownFailed = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, false, false}));
  In.VideoFullScreen = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, false, true}));
  In.DialogOpen = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, false, false}));
  In = {};
  In.CloseWhenListEnds = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, false, false}));
  In.AutoClosePlayerWhenFinished = true;
  In.VideoFullScreen = true;
  EXPECT_EQ(DecideEndOfList(In), (EndOfListActions{false, true, false}));
}

TEST(EndOfList, AdvanceStopsOnceEveryEntryFailed) {
  const std::vector<std::string> List{"a.avi", "b.avi", "c.avi"};
  FailedEntries Failed;
  EXPECT_FALSE(Failed.AllFailed(List));
  Failed.Failed("a.avi");
  Failed.Failed("c.avi");
  Failed.Failed("c.avi");
  EXPECT_FALSE(Failed.AllFailed(List));
  Failed.Failed("b.avi");
  EXPECT_TRUE(Failed.AllFailed(List));
  EXPECT_FALSE(Failed.AllFailed({}));
  Failed.Played();
  EXPECT_TRUE(Failed.Empty());
  EXPECT_FALSE(Failed.AllFailed(List));
}

}  // namespace
}  // namespace lc
