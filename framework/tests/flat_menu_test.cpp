// The flat menu painter drawing single items into a bitmap.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "framework/flat_menu_painter.h"
#include "framework/graphics.h"
#include "framework/image_list.h"
#include "framework/menus.h"

namespace {

constexpr int kW = 160;
constexpr int kH = 22;
// The painter's default colours.
constexpr TColor kFace = RGBColor(250, 250, 250);
constexpr TColor kColumn = RGBColor(228, 228, 228);
constexpr TColor kSelected = RGBColor(193, 210, 238);
constexpr TColor kSelectedBorder = RGBColor(49, 106, 197);
constexpr TColor kSeparator = RGBColor(166, 166, 166);
constexpr TColor kDisabled = RGBColor(141, 141, 141);

class FlatMenuTest : public ::testing::Test {
 protected:
  FlatMenuTest() : Bitmap(kW, kH) {
    Painter.Font.SetName(L"Arial");
    Painter.Font.SetHeight(-11);
  }
  void DrawItem(const TMenuItem& Item, UINT State, TImageList* Images = nullptr) {
    Painter.DrawItem(Bitmap.Canvas(), Item, Rect(0, 0, kW, kH), State, Images);
  }
  // Pixels of the caption area (text part, left of any shortcut) equal to C.
  int CountInText(TColor C) {
    int N = 0;
    for (int Y = 2; Y < kH - 2; ++Y)
      for (int X = 24 + 8; X < 100; ++X) N += Bitmap.Canvas().Pixel(X, Y) == C;
    return N;
  }
  TFlatMenu Painter;
  TBitmap Bitmap;
};

TEST_F(FlatMenuTest, PlainItemHasColumnFaceAndCaptionInk) {
  TMenuItem Item(L"Open movie");
  DrawItem(Item, 0);
  EXPECT_EQ(Bitmap.Canvas().Pixel(0, 0), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(23, 21), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(24, 0), kFace);
  EXPECT_EQ(Bitmap.Canvas().Pixel(kW - 1, kH - 1), kFace);
  EXPECT_GT(CountInText(clBlack), 10);
  EXPECT_EQ(CountInText(kDisabled), 0);
  // No check mark in the column of an unchecked item.
  EXPECT_EQ(Bitmap.Canvas().Pixel(10, 12), kColumn);
}

TEST_F(FlatMenuTest, HighlightFillsFramesAndKeepsCaption) {
  TMenuItem Item(L"Play");
  DrawItem(Item, ODS_SELECTED);
  EXPECT_EQ(Bitmap.Canvas().Pixel(0, 0), kSelectedBorder);
  EXPECT_EQ(Bitmap.Canvas().Pixel(kW - 1, kH - 1), kSelectedBorder);
  EXPECT_EQ(Bitmap.Canvas().Pixel(1, 1), kSelected);
  EXPECT_EQ(Bitmap.Canvas().Pixel(kW - 2, 10), kSelected);
  EXPECT_GT(CountInText(clBlack), 10);
}

TEST_F(FlatMenuTest, DisabledItemIsGreyAndNeverHighlighted) {
  TMenuItem Item(L"Filters");
  Item.Enabled = false;
  DrawItem(Item, ODS_SELECTED);
  EXPECT_EQ(Bitmap.Canvas().Pixel(1, 1), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(kW - 2, 10), kFace);
  EXPECT_GT(CountInText(kDisabled), 10);
  EXPECT_EQ(CountInText(clBlack), 0);
  Item.Enabled = true;
  DrawItem(Item, ODS_GRAYED);
  EXPECT_EQ(CountInText(clBlack), 0);
}

TEST_F(FlatMenuTest, SeparatorIsOneLineAcrossTheTextPart) {
  TMenuItem Item(L"-");
  TBitmap Line(kW, 5);
  Painter.DrawItem(Line.Canvas(), Item, Rect(0, 0, kW, 5), ODS_SELECTED, nullptr);
  EXPECT_EQ(Line.Canvas().Pixel(31, 2), kFace);
  for (int X : {32, 80, kW - 1}) EXPECT_EQ(Line.Canvas().Pixel(X, 2), kSeparator) << X;
  for (int Y : {0, 1, 3, 4}) EXPECT_EQ(Line.Canvas().Pixel(80, Y), kFace) << Y;
  EXPECT_EQ(Line.Canvas().Pixel(10, 2), kColumn);
}

TEST_F(FlatMenuTest, CheckMarkAndRadioDotInTheColumn) {
  TMenuItem Item(L"Always on top");
  Item.SetChecked(true);
  DrawItem(Item, 0);
  // The tick for middle row 11: down from (8,10) to (10,12), up to (14,8).
  for (auto [X, Y] : {std::pair{8, 10}, {9, 11}, {10, 12}, {11, 12}, {12, 11}, {13, 10}, {14, 8}})
    EXPECT_EQ(Bitmap.Canvas().Pixel(X, Y), clBlack) << X << "," << Y;
  EXPECT_EQ(Bitmap.Canvas().Pixel(8, 13), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(16, 8), kColumn);

  TMenuItem Radio(L"4:3");
  Radio.RadioItem = true;
  Radio.SetChecked(true);
  DrawItem(Radio, 0);
  EXPECT_EQ(Bitmap.Canvas().Pixel(11, 8), clBlack);
  EXPECT_EQ(Bitmap.Canvas().Pixel(9, 10), clBlack);
  EXPECT_EQ(Bitmap.Canvas().Pixel(13, 13), clBlack);
  EXPECT_EQ(Bitmap.Canvas().Pixel(9, 8), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(16, 11), kColumn);
}

TEST_F(FlatMenuTest, ImageSitsCentredInTheColumnAndGreysWhenDisabled) {
  TBitmap Strip(32, 16);
  Strip.Canvas().Brush.Color = clRed;
  Strip.Canvas().FillRect(Rect(0, 0, 16, 16));
  Strip.Canvas().Brush.Color = clLime;
  Strip.Canvas().FillRect(Rect(16, 0, 32, 16));
  Strip.Canvas().SetPixel(0, 15, clWhite);  // the key colour of the strip
  TImageList Images(16, 16);
  ASSERT_EQ(Images.Add(Strip), 0);
  EXPECT_EQ(Images.Count(), 2);
  TMenuItem Item(L"Bookmark");
  Item.ImageIndex = 1;
  DrawItem(Item, 0, &Images);
  // Column 24 wide, item 22 high: the image covers (4, 3) to (19, 18).
  EXPECT_EQ(Bitmap.Canvas().Pixel(4, 3), clLime);
  EXPECT_EQ(Bitmap.Canvas().Pixel(19, 18), clLime);
  EXPECT_EQ(Bitmap.Canvas().Pixel(3, 3), kColumn);
  EXPECT_EQ(Bitmap.Canvas().Pixel(20, 18), kColumn);
  Item.ImageIndex = 0;
  Item.Enabled = false;
  DrawItem(Item, 0, &Images);
  // Red (luma 76) lifted two thirds of the way to white: 195.
  EXPECT_EQ(Bitmap.Canvas().Pixel(10, 10), RGBColor(195, 195, 195));
  // The key pixel shows the column through it.
  EXPECT_EQ(Bitmap.Canvas().Pixel(4, 18), kColumn);
}

TEST_F(FlatMenuTest, MeasureMakesRoomForCaptionShortcutAndImages) {
  TMenuItem Short(L"Go");
  TMenuItem WithKey(L"Go\tCtrl+Shift+G");
  TSize A = Painter.MeasureItem(Bitmap.Canvas(), Short, nullptr);
  TSize B = Painter.MeasureItem(Bitmap.Canvas(), WithKey, nullptr);
  EXPECT_GE(A.cx, 24 + 8 + 16 + 10);
  EXPECT_GT(B.cx, A.cx + 40);
  EXPECT_EQ(A.cy, 20);
  TImageList Big(32, 32);
  EXPECT_EQ(Painter.MeasureItem(Bitmap.Canvas(), Short, &Big).cy, 36);
  EXPECT_EQ(Painter.MeasureItem(Bitmap.Canvas(), TMenuItem(L"-"), nullptr).cy, 5);
}

TEST_F(FlatMenuTest, ShortcutColumnHidesTheAmpersandThatMarksItsLetter) {
  // A bookmark's "Alt+&1" reads "Alt+1", the 1 underlined only when the
  // keyboard cues are shown.
  TMenuItem Marked(L"00:01:05\t\t\tAlt+&1");
  TMenuItem Plain(L"00:01:05\t\t\tAlt+1");
  TBitmap PlainBitmap(kW, kH);
  DrawItem(Marked, ODS_NOACCEL);
  Painter.DrawItem(PlainBitmap.Canvas(), Plain, Rect(0, 0, kW, kH), ODS_NOACCEL, nullptr);
  int Ink = 0, Differ = 0;
  for (int Y = 0; Y < kH; ++Y)
    for (int X = 100; X < kW; ++X) {
      Ink += Bitmap.Canvas().Pixel(X, Y) == clBlack;
      Differ += Bitmap.Canvas().Pixel(X, Y) != PlainBitmap.Canvas().Pixel(X, Y);
    }
  EXPECT_GT(Ink, 10) << "the shortcut is written";
  EXPECT_EQ(Differ, 0) << "no \"&\" among the shortcut's letters";
  EXPECT_EQ(Painter.MeasureItem(Bitmap.Canvas(), Marked, nullptr).cx,
            Painter.MeasureItem(Bitmap.Canvas(), Plain, nullptr).cx);
  // With the cues shown the marked letter gets its underline.
  DrawItem(Marked, 0);
  Differ = 0;
  for (int Y = 0; Y < kH; ++Y)
    for (int X = 100; X < kW; ++X) Differ += Bitmap.Canvas().Pixel(X, Y) != PlainBitmap.Canvas().Pixel(X, Y);
  EXPECT_GT(Differ, 0);
}

}  // namespace
