// The OSD's outlined text drawn on a bitmap: the outline, stamped without
// smoothing around the smoothed text, must stay on the letters from the
// first to the last, whatever advances the two font qualities have.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "framework/graphics.h"
#include "player/outlined_text.h"

namespace {

constexpr TColor kKey = 0x003F3F;      // (63, 63, 0)
constexpr TColor kYellow = 0x00FFFF;   // the text
constexpr int kWidth = 480, kHeight = 40;

class OutlinedText : public ::testing::Test {
 protected:
  void SetUp() override {
    Back.SetSize(kWidth, kHeight);
    Back.Canvas().Brush = {TBrushStyle::bsSolid, kKey};
    Back.Canvas().FillRect(Rect(0, 0, kWidth, kHeight));
    Font.SetName(L"Arial");
    Font.SetStyle(fsBold);
    Font.SetSize(13);
  }

  bool Yellow(int X, int Y) {
    const TColor C = Back.Canvas().Pixel(X, Y);
    return GetRValue(C) > 200 && GetGValue(C) > 200 && GetBValue(C) < 80;
  }
  bool Black(int X, int Y) {
    const TColor C = Back.Canvas().Pixel(X, Y);
    return GetRValue(C) < 40 && GetGValue(C) < 40 && GetBValue(C) < 40;
  }
  bool YellowNear(int X, int Y, int Reach) {
    for (int V = std::max(Y - Reach, 0); V <= std::min(Y + Reach, kHeight - 1); ++V)
      for (int U = std::max(X - Reach, 0); U <= std::min(X + Reach, kWidth - 1); ++U)
        if (Yellow(U, V)) return true;
    return false;
  }

  TBitmap Back;
  TFont Font;
};

TEST_F(OutlinedText, TheOutlineStaysOnEveryLetterOfALongText) {
  const std::wstring Text = L"Another subtitle with spaces in it, and more";
  DrawOutlinedText(Back.Canvas(), Font, 4, 4, Text, 1, 1, clBlack, kYellow, true);
  int Ink = 0, Stray = 0, Right = -1, Row = -1;
  for (int Y = 0; Y < kHeight; ++Y)
    for (int X = 0; X < kWidth; ++X) {
      if (Yellow(X, Y)) {
        ++Ink;
        if (X > Right) Right = X, Row = Y;
      }
      if (Black(X, Y) && !YellowNear(X, Y, 2)) ++Stray;
    }
  EXPECT_GT(Ink, 300);
  EXPECT_EQ(Stray, 0);
  ASSERT_GT(Right, 0);
  EXPECT_TRUE(Black(Right + 1, Row) || Black(Right + 2, Row)) << "rightmost text pixel at " << Right << "," << Row;
}

}  // namespace
