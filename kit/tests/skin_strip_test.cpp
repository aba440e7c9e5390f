#include <gtest/gtest.h>

#include "kit/skin_strip.h"
#include "kit/tests/rect_print.h"

TEST(SkinStrip, RoundHalfEvenDecidesHalvesTowardEven) {
  struct Case { double In; int Out; } Cases[] = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2},
      {2.5001, 3}, {7.2, 7}, {-2.6, -3}};
  for (const auto& C : Cases) EXPECT_EQ(C.Out, RoundHalfEven(C.In)) << C.In;
  // Beyond the int range.
  EXPECT_EQ(3000000000LL, RoundHalfEvenLong(3000000000.5));
  EXPECT_EQ(3000000002LL, RoundHalfEvenLong(3000000001.5));
  EXPECT_EQ(-3000000001LL, RoundHalfEvenLong(-3000000000.7));
}

TEST(SkinStrip, StackedFramesUseIntegerDivisionOfTheHeight) {
  // 80 px high: 20 px each; 78 px: 0-19, 19-39, 39-58, 58-78.
  EXPECT_EQ((TRect{0, 20, 80, 40}), StackedFrame(80, 80, 1));
  EXPECT_EQ((TRect{0, 60, 80, 80}), StackedFrame(80, 80, 3));
  EXPECT_EQ((TRect{0, 0, 10, 19}), StackedFrame(10, 78, 0));
  EXPECT_EQ((TRect{0, 19, 10, 39}), StackedFrame(10, 78, 1));
  EXPECT_EQ((TRect{0, 39, 10, 58}), StackedFrame(10, 78, 2));
  EXPECT_EQ((TRect{0, 58, 10, 78}), StackedFrame(10, 78, 3));
}

TEST(SkinStrip, SideFramesSplitTheWidth) {
  // "MainMute" 30 x 13: two halves of 15.
  EXPECT_EQ((TRect{0, 0, 15, 13}), SideFrame(30, 13, 2, 0));
  EXPECT_EQ((TRect{15, 0, 30, 13}), SideFrame(30, 13, 2, 1));
  // An odd width: the right half takes the extra column.
  EXPECT_EQ((TRect{0, 0, 9, 9}), SideFrame(18 + 1, 9, 2, 0));
  EXPECT_EQ((TRect{9, 0, 19, 9}), SideFrame(18 + 1, 9, 2, 1));
  // "CBPositions" 52 x 13: four frames of 13.
  EXPECT_EQ((TRect{39, 0, 52, 13}), SideFrame(52, 13, 4, 3));
}

TEST(SkinStrip, CaptionFontFollowsTheScreenResolution) {
  EXPECT_EQ(9, CaptionFontSize(96));
  EXPECT_EQ(7, CaptionFontSize(120));
  EXPECT_EQ(6, CaptionFontSize(144));
  EXPECT_EQ(12, CaptionFontSize(72));
}

TEST(SkinStrip, CaptionImageIsAtLeastTenPixelsWiderThanTheText) {
  struct Case { int TextWidth; int Image; } Cases[] = {
      {0, 1}, {10, 1}, {70, 1}, {71, 2}, {90, 2}, {91, 3}, {130, 4},
      {131, 5}, {150, 5}, {151, 5}, {400, 5}};
  for (const auto& C : Cases) {
    EXPECT_EQ(C.Image, CaptionImageForText(C.TextWidth)) << C.TextWidth;
  }
  EXPECT_EQ(80, CaptionImageWidth(CaptionImageForText(70)));
  EXPECT_EQ(100, CaptionImageWidth(CaptionImageForText(71)));
  EXPECT_EQ(160, CaptionImageWidth(CaptionImageForText(151)));
}

TEST(SkinStrip, ACaptionTooWideForTheWidestImageDrawsItOut) {
  struct Case { int TextWidth; int Width; } Cases[] = {
      {0, 80}, {70, 80}, {71, 100}, {150, 160}, {151, 161}, {400, 410}};
  for (const auto& C : Cases) EXPECT_EQ(C.Width, CaptionWidthForText(C.TextWidth)) << C.TextWidth;
  // A requested width: the image's own below the widest, itself beyond,
  // and never too narrow for the caption.
  struct Request { int Width; int TextWidth; int Result; } Requests[] = {
      {101, 20, 120}, {160, 20, 160}, {161, 20, 161}, {500, 20, 500}, {80, 95, 120}, {200, 250, 260}};
  for (const auto& R : Requests)
    EXPECT_EQ(R.Result, CaptionWidthForRequest(R.Width, R.TextWidth)) << R.Width << " " << R.TextWidth;
}

TEST(SkinStrip, WidthRequestPicksTheSmallestImageAtLeastThatWide) {
  struct Case { int Width; int Image; } Cases[] = {
      {0, 1}, {80, 1}, {81, 2}, {100, 2}, {101, 3}, {140, 4}, {160, 5}, {500, 5}};
  for (const auto& C : Cases)
    EXPECT_EQ(C.Image, CaptionImageForWidth(C.Width)) << C.Width;
  EXPECT_EQ(L"ButtonText3", CaptionImageName(3));
}

TEST(SkinStrip, CaptionIsWrittenIntoEveryFrameWithThePressedOneLower) {
  // 100 x 80 image, text 41 x 13: x = round(29.5) = 30, y = floor(3.5) = 3.
  auto P = CaptionPasses(100, 80, 41, 13);
  EXPECT_EQ(30, P[0].X);
  EXPECT_EQ(3, P[0].Y);
  EXPECT_EQ(24, P[1].Y);  // 20 + 3 + 1
  EXPECT_EQ(43, P[2].Y);
  EXPECT_EQ(63, P[3].Y);
  EXPECT_EQ(0x166116u, P[0].Color);
  EXPECT_EQ(0x166116u, P[1].Color);
  EXPECT_EQ(0x808080u, P[2].Color);
  EXPECT_EQ(0x166116u, P[3].Color);
  // x = round(28.5) = 28 (half to even); a text taller than a frame gives a
  // negative y, floored: floor(-0.5) = -1.
  auto Q = CaptionPasses(100, 80, 43, 21);
  EXPECT_EQ(28, Q[0].X);
  EXPECT_EQ(-1, Q[0].Y);
  EXPECT_EQ(20, Q[1].Y);
}

TEST(SkinStrip, RecenteringSplitsTheChangeBetweenBothEdges) {
  // 100 px rectangle, 120 px image: 10 px out on each side; 80 px: 10 in.
  EXPECT_EQ((TRect{90, 5, 210, 25}), RecenterOnWidth({100, 5, 200, 25}, 120));
  EXPECT_EQ((TRect{110, 5, 190, 25}), RecenterOnWidth({100, 5, 200, 25}, 80));
  // An odd change: the left edge moves by the truncated half.
  EXPECT_EQ((TRect{96, 0, 201, 1}), RecenterOnWidth({100, 0, 196, 1}, 105));
  // Measured from a remembered width rather than the rectangle's own.
  EXPECT_EQ((TRect{95, 5, 205, 25}), RecenterOnWidth({100, 5, 200, 25}, 90, 100));
  EXPECT_EQ((TRect{104, 0, 181, 1}), RecenterOnWidth({100, 0, 186, 1}, 77));
  EXPECT_EQ((TRect{100, 0, 180, 1}), RecenterOnWidth({100, 0, 180, 1}, 80));
}
