#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

#include "framework/exceptions.h"
#include "framework/graphics.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/skin_widget.h"
#include "kit/tests/pixel_checks.h"

namespace {

// First row of Frame (0..3) of a caption image holding the colour Color,
// or -1.
int FirstRowWithColor(TBitmap& B, int Frame, TColor Color) {
  int FrameHeight = B.Height() / 4;
  for (int Y = 0; Y < FrameHeight; ++Y)
    for (int X = 0; X < B.Width(); ++X)
      if (PixelOf(B, X, Frame * FrameHeight + Y) == Color) return Y;
  return -1;
}

}  // namespace

TEST(LoadSkinImage, DecodesEveryPixelInPlace) {
  TBitmap B;
  LoadSkinImage(L"KitTestFace", B);
  ASSERT_EQ(200, B.Width());
  ASSERT_EQ(100, B.Height());
  for (int Y : {0, 1, 50, 99})
    for (int X : {0, 1, 127, 199})
      EXPECT_EQ(RGBColor(X, (2 * Y) % 256, (X + Y) % 256), PixelOf(B, X, Y))
          << X << "," << Y;
}

TEST(LoadSkinImage, NamesMatchWithoutRegardToCase) {
  for (const wchar_t* Name : {L"kittestface", L"KITTESTFACE", L"KitTestFACE"}) {
    TBitmap B;
    LoadSkinImage(Name, B);
    EXPECT_EQ(200, B.Width()) << static_cast<const void*>(Name);
  }
}

TEST(LoadSkinImage, ReloadingTakesTheNewImagesSize) {
  TBitmap B;
  LoadSkinImage(L"KitTestFace", B);
  LoadSkinImage(L"KitTestStrip", B);
  EXPECT_EQ(20, B.Width());
  EXPECT_EQ(80, B.Height());
  EXPECT_EQ(RGBColor(0, 0, 255), PixelOf(B, 10, 50));  // frame 2
}

TEST(SkinImageSize, IsTheSizeOfTheDecodedImage) {
  const struct {
    const wchar_t* Name;
    TSize Size;
  } Cases[] = {{L"KitTestFace", {200, 100}}, {L"kittestSTRIP", {20, 80}}, {L"KitTestAlpha", {3, 1}}};
  for (const auto& C : Cases) {
    TBitmap B;
    LoadSkinImage(C.Name, B);
    EXPECT_EQ(SkinImageSize(C.Name), (TSize{B.Width(), B.Height()})) << static_cast<const void*>(C.Name);
    EXPECT_EQ(SkinImageSize(C.Name), C.Size) << static_cast<const void*>(C.Name);
  }
}

TEST(SkinImageSize, RaisesAsTheDecoderDoes) {
  EXPECT_THROW(SkinImageSize(L"NoSuchSkin"), EResNotFound);
  EXPECT_THROW(SkinImageSize(L"KitTestNoPng"), Exception);
}

TEST(LoadSkinImage, TransparentPixelsBecomeBlack) {
  TBitmap B;
  LoadSkinImage(L"KitTestAlpha", B);
  ASSERT_EQ(3, B.Width());
  EXPECT_EQ(RGBColor(255, 255, 255), PixelOf(B, 0, 0));
  EXPECT_EQ(clBlack, PixelOf(B, 1, 0));
  TColor Half = PixelOf(B, 2, 0);
  EXPECT_GT(ColorR(Half), 60);
  EXPECT_LT(ColorR(Half), 200);
  EXPECT_EQ(0, ColorG(Half));
}

TEST(LoadSkinImage, AMissingNameRaisesAndLeavesTheBitmap) {
  TBitmap B;
  LoadSkinImage(L"KitTestStrip", B);
  EXPECT_THROW(LoadSkinImage(L"NoSuchSkin", B), EResNotFound);
  EXPECT_EQ(20, B.Width());
}

TEST(LoadSkinImage, DataThatIsNoPngRaises) {
  TBitmap B;
  EXPECT_THROW(LoadSkinImage(L"KitTestNoPng", B), Exception);
}

// The test face is 200 x 100 with the pixel (X, Y) = RGB(X, 2Y, X + Y).
TEST(DrawOutSkinImage, HeightenRepeatsTheRowAndMovesTheBottomDown) {
  TBitmap B;
  LoadSkinImage(L"KitTestFace", B);
  HeightenSkinImage(B, 130, 50);
  ASSERT_EQ(200, B.Width());
  ASSERT_EQ(130, B.Height());
  EXPECT_EQ(RGBColor(7, 98, 56), PixelOf(B, 7, 49));     // above the row: as it was
  EXPECT_EQ(RGBColor(7, 100, 57), PixelOf(B, 7, 50));    // the row ...
  EXPECT_EQ(RGBColor(7, 100, 57), PixelOf(B, 7, 79));    // ... repeated 30 times more
  EXPECT_EQ(RGBColor(7, 100, 57), PixelOf(B, 7, 80));    // then the row itself, moved
  EXPECT_EQ(RGBColor(7, 102, 58), PixelOf(B, 7, 81));
  EXPECT_EQ(RGBColor(199, 198, 42), PixelOf(B, 199, 129));  // the bottom-right corner
  // No taller: as it was.
  HeightenSkinImage(B, 120, 10);
  EXPECT_EQ(130, B.Height());
  EXPECT_EQ(RGBColor(7, 102, 58), PixelOf(B, 7, 81));
}

TEST(DrawOutSkinImage, WidenRepeatsTheColumnAndMovesTheRightEdgeOver) {
  TBitmap B;
  LoadSkinImage(L"KitTestFace", B);
  WidenSkinImage(B, 230, 100);
  ASSERT_EQ(230, B.Width());
  ASSERT_EQ(100, B.Height());
  EXPECT_EQ(RGBColor(99, 6, 102), PixelOf(B, 99, 3));
  EXPECT_EQ(RGBColor(100, 6, 103), PixelOf(B, 129, 3));
  EXPECT_EQ(RGBColor(101, 6, 104), PixelOf(B, 131, 3));
  EXPECT_EQ(RGBColor(199, 198, 42), PixelOf(B, 229, 99));
}

TEST(CaptionImage, ShortAndLongCaptionsPickTheirImages) {
  TBitmap Short;
  EXPECT_EQ(80, RenderCaptionImage(Short, L"OK"));
  EXPECT_EQ(80, Short.Width());
  EXPECT_EQ(80, Short.Height());
  // Too wide for the widest image: drawn out to the caption and 10 pixels.
  TBitmap Long;
  TBitmap Probe(1, 1);
  SetCaptionFont(Probe.Canvas());
  const int LongText = Probe.Canvas().TextWidth(std::wstring(60, L'W'));
  ASSERT_GT(LongText, 300);
  EXPECT_EQ(LongText + 10, RenderCaptionImage(Long, std::wstring(60, L'W')));
  EXPECT_EQ(LongText + 10, Long.Width());
  TBitmap Requested;
  EXPECT_EQ(120, RenderCaptionImageForWidth(Requested, L"OK", 101));
}

TEST(CaptionImage, ImageWidthFollowsTheMeasuredCaption) {
  // Whatever the font measures, the image is the one the rule picks.
  TBitmap Probe(1, 1);
  SetCaptionFont(Probe.Canvas());
  for (const wchar_t* Caption : {L"Do", L"Load preset", L"Save this preset now"}) {
    int Width = Probe.Canvas().TextWidth(Caption);
    TBitmap B;
    EXPECT_EQ(CaptionWidthForText(Width), RenderCaptionImage(B, Caption))
        << Width;
  }
}

TEST(CaptionImage, FramesCarryTheCaptionInTheirColoursPressedOnePixelLower) {
  TBitmap B;
  RenderCaptionImage(B, L"Open");
  int Normal = FirstRowWithColor(B, 0, CaptionTextColor);
  int Pressed = FirstRowWithColor(B, 1, CaptionTextColor);
  int Disabled = FirstRowWithColor(B, 2, CaptionDisabledColor);
  int Hover = FirstRowWithColor(B, 3, CaptionTextColor);
  ASSERT_GE(Normal, 0);
  EXPECT_EQ(Normal + 1, Pressed);
  EXPECT_EQ(Normal, Disabled);
  EXPECT_EQ(Normal, Hover);
  EXPECT_EQ(-1, FirstRowWithColor(B, 2, CaptionTextColor));
  // The background of the image is left as it was.
  EXPECT_EQ(RGBColor(192, 192, 192), PixelOf(B, 0, 0));
}

TEST(CaptionImage, ACaptionBeyondTheWidestImageIsWrittenWholeWithTheImagesEdgesKept) {
  TBitmap Own;
  LoadSkinImage(L"ButtonText5", Own);
  TBitmap Long;
  const int W = RenderCaptionImage(Long, L"Subtitle directory...Subtitle dire");
  ASSERT_GT(W, 160);
  // Frame 0: the caption's ink lies 5 pixels in from both ends at least.
  int First = W, Last = -1;
  for (int Y = 0; Y < 20; ++Y)
    for (int X = 0; X < W; ++X)
      if (PixelOf(Long, X, Y) == CaptionTextColor) {
        First = std::min(First, X);
        Last = std::max(Last, X);
      }
  EXPECT_GE(First, 5);
  EXPECT_LE(Last, W - 6);
  // The rounded ends are the widest image's, column for column.
  for (int Y = 0; Y < 80; ++Y) {
    EXPECT_EQ(PixelOf(Own, 0, Y), PixelOf(Long, 0, Y)) << Y;
    EXPECT_EQ(PixelOf(Own, 159, Y), PixelOf(Long, W - 1, Y)) << Y;
  }
}
