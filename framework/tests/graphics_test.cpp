// Pixel checks of TCanvas and TBitmap on off-screen bitmaps.
#include <cstdint>
#include <memory>

#include <gtest/gtest.h>

#include <windows.h>

#include "framework/graphics.h"

namespace {

constexpr TColor kA = RGBColor(200, 10, 10);
constexpr TColor kB = RGBColor(10, 200, 10);
constexpr TColor kC = RGBColor(10, 10, 200);
constexpr TColor kD = RGBColor(120, 120, 20);

void Fill(TBitmap& B, const TRect& R, TColor Color) {
  B.Canvas().Brush.Style = TBrushStyle::bsSolid;
  B.Canvas().Brush.Color = Color;
  B.Canvas().FillRect(R);
}

// A 2 x 2 bitmap with one colour per pixel: A B / C D.
void MakeQuad(TBitmap& B) {
  B.SetSize(2, 2);
  B.Canvas().SetPixel(0, 0, kA);
  B.Canvas().SetPixel(1, 0, kB);
  B.Canvas().SetPixel(0, 1, kC);
  B.Canvas().SetPixel(1, 1, kD);
}

}  // namespace

TEST(CanvasTest, FillRectExcludesRightAndBottomEdges) {
  TBitmap B(6, 6);
  Fill(B, Rect(0, 0, 6, 6), clWhite);
  Fill(B, Rect(1, 2, 4, 5), kA);
  EXPECT_EQ(B.Canvas().Pixel(1, 2), kA);
  EXPECT_EQ(B.Canvas().Pixel(3, 4), kA);
  EXPECT_EQ(B.Canvas().Pixel(4, 4), clWhite);
  EXPECT_EQ(B.Canvas().Pixel(3, 5), clWhite);
  EXPECT_EQ(B.Canvas().Pixel(0, 2), clWhite);
  EXPECT_EQ(B.Canvas().Pixel(1, 1), clWhite);
}

TEST(CanvasTest, FillRectWithClearBrushPaintsNothing) {
  TBitmap B(3, 3);
  Fill(B, Rect(0, 0, 3, 3), clWhite);
  B.Canvas().Brush.Style = TBrushStyle::bsClear;
  B.Canvas().Brush.Color = kA;
  B.Canvas().FillRect(Rect(0, 0, 3, 3));
  EXPECT_EQ(B.Canvas().Pixel(1, 1), clWhite);
}

TEST(CanvasTest, CopyRectStretchesByRepeatingPixels) {
  TBitmap Src;
  MakeQuad(Src);
  TBitmap Dst(6, 6);
  Fill(Dst, Rect(0, 0, 6, 6), clWhite);
  Dst.Canvas().CopyRect(Rect(1, 1, 5, 5), Src.Canvas(), Rect(0, 0, 2, 2));
  struct Case { int X, Y; TColor Want; };
  const Case Cases[] = {
      {1, 1, kA}, {2, 2, kA}, {3, 1, kB}, {4, 2, kB}, {1, 3, kC},
      {2, 4, kC}, {3, 3, kD}, {4, 4, kD}, {0, 0, clWhite}, {5, 5, clWhite},
  };
  for (const Case& C : Cases)
    EXPECT_EQ(Dst.Canvas().Pixel(C.X, C.Y), C.Want) << "at " << C.X << "," << C.Y;
}

TEST(CanvasTest, CopyRectShrinksWithoutBlending) {
  TBitmap Src(4, 1);
  const TColor Row[] = {kA, kA, kB, kB};
  for (int X = 0; X < 4; ++X) Src.Canvas().SetPixel(X, 0, Row[X]);
  TBitmap Dst(2, 1);
  Dst.Canvas().CopyRect(Rect(0, 0, 2, 1), Src.Canvas(), Rect(0, 0, 4, 1));
  EXPECT_EQ(Dst.Canvas().Pixel(0, 0), kA);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 0), kB);
}

TEST(CanvasTest, CopyRectWithinOneBitmapOverlappingShift) {
  TBitmap B(5, 1);
  const TColor Row[] = {kA, kB, kC, kD, clWhite};
  for (int X = 0; X < 5; ++X) B.Canvas().SetPixel(X, 0, Row[X]);
  B.Canvas().CopyRect(Rect(1, 0, 5, 1), B.Canvas(), Rect(0, 0, 4, 1));
  const TColor Want[] = {kA, kA, kB, kC, kD};
  for (int X = 0; X < 5; ++X) EXPECT_EQ(B.Canvas().Pixel(X, 0), Want[X]) << "x " << X;
}

TEST(CanvasTest, CopyRectWithinOneBitmapOverlappingStretch) {
  // The skinned message box stretches a strip of its face over itself.
  TBitmap B(2, 8);
  const TColor Rows[] = {kA, kB, kC, kD};
  Fill(B, Rect(0, 0, 2, 8), clWhite);
  for (int Y = 0; Y < 4; ++Y) Fill(B, Rect(0, Y, 2, Y + 1), Rows[Y]);
  B.Canvas().CopyRect(Rect(0, 0, 2, 8), B.Canvas(), Rect(0, 0, 2, 4));
  for (int Y = 0; Y < 8; ++Y) {
    EXPECT_EQ(B.Canvas().Pixel(0, Y), Rows[Y / 2]) << "row " << Y;
    EXPECT_EQ(B.Canvas().Pixel(1, Y), Rows[Y / 2]) << "row " << Y;
  }
}

TEST(CanvasTest, DrawPlacesWholeBitmap) {
  TBitmap Src;
  MakeQuad(Src);
  TBitmap Dst(4, 4);
  Dst.Canvas().Draw(2, 1, Src);
  EXPECT_EQ(Dst.Canvas().Pixel(2, 1), kA);
  EXPECT_EQ(Dst.Canvas().Pixel(3, 2), kD);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 1), clBlack);
}

TEST(CanvasTest, CopyRectTransparentSkipsKeyColour) {
  TBitmap Src;
  MakeQuad(Src);
  TBitmap Dst(2, 2);
  Fill(Dst, Rect(0, 0, 2, 2), clWhite);
  Dst.Canvas().CopyRectTransparent(Rect(0, 0, 2, 2), Src.Canvas(), Rect(0, 0, 2, 2), kB);
  EXPECT_EQ(Dst.Canvas().Pixel(0, 0), kA);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 0), clWhite);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 1), kD);
}

TEST(CanvasTest, TextOutUsesFontColourAndClearBrush) {
  TBitmap B(80, 30);
  Fill(B, Rect(0, 0, 80, 30), clWhite);
  TCanvas& C = B.Canvas();
  C.Font.SetName(L"Arial");
  C.Font.SetHeight(-20);
  C.Font.SetColor(clRed);
  C.Brush.Style = TBrushStyle::bsClear;
  C.TextOut(2, 2, L"HHHH");
  int Red = 0, Foreign = 0;
  for (int Y = 0; Y < 30; ++Y)
    for (int X = 0; X < 80; ++X) {
      TColor P = C.Pixel(X, Y);
      if (P == clRed) ++Red;
      // Anything but white, red or a blend of the two is wrong.
      if (ColorR(P) != 255 || ColorG(P) != ColorB(P)) ++Foreign;
    }
  EXPECT_GT(Red, 20);
  EXPECT_EQ(Foreign, 0);
}

TEST(CanvasTest, TextOutWithSolidBrushFillsTextCell) {
  TBitmap B(80, 30);
  Fill(B, Rect(0, 0, 80, 30), clWhite);
  TCanvas& C = B.Canvas();
  C.Font.SetColor(clWhite);
  C.Brush.Style = TBrushStyle::bsSolid;
  C.Brush.Color = kC;
  C.TextOut(5, 5, L"i");
  TSize S = C.TextExtent(L"i");
  ASSERT_GT(S.cx, 0);
  EXPECT_EQ(C.Pixel(5, 5), kC);
  EXPECT_EQ(C.Pixel(5 + S.cx, 5), clWhite);
  EXPECT_EQ(C.Pixel(5, 5 + S.cy), clWhite);
}

TEST(CanvasTest, TextMeasuresFollowFont) {
  TBitmap B(1, 1);
  TCanvas& C = B.Canvas();
  C.Font.SetName(L"Arial");
  C.Font.SetHeight(-12);
  int Small = C.TextWidth(L"Lumacraft");
  int SmallH = C.TextHeight(L"Lumacraft");
  C.Font.SetHeight(-24);
  EXPECT_GT(C.TextWidth(L"Lumacraft"), Small + Small / 2);
  EXPECT_GT(C.TextHeight(L"Lumacraft"), SmallH + SmallH / 2);
  EXPECT_GT(C.TextWidth(L"WWW"), C.TextWidth(L"W"));
  EXPECT_EQ(C.TextWidth(L""), 0);
}

TEST(CanvasTest, FontSizeFollowsScreenPixelsPerInch) {
  TFont F;
  F.SetSize(9);
  EXPECT_EQ(F.Height(), -MulDiv(9, ScreenPixelsPerInch(), 72));
  EXPECT_EQ(F.Size(), 9);
}

TEST(CanvasTest, WrapsForeignContextWithoutReleasingIt) {
  HDC DC = CreateCompatibleDC(nullptr);
  BITMAPINFO Info{};
  Info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* Bits = nullptr;
  HBITMAP Bmp = CreateDIBSection(nullptr, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ Old = SelectObject(DC, Bmp);
  IntersectClipRect(DC, 1, 1, 3, 4);
  {
    TCanvas C(DC);
    EXPECT_EQ(C.ClipRect(), Rect(1, 1, 3, 4));
    C.Brush.Color = kA;
    C.FillRect(Rect(0, 0, 4, 4));  // clipped
    C.Font.SetHeight(-10);
    C.TextOut(0, 0, L"x");  // selects a font into the foreign context
  }
  // The context still works and got its own font back.
  EXPECT_EQ(GetPixel(DC, 1, 1), kA);
  EXPECT_EQ(GetPixel(DC, 0, 0), 0u);
  EXPECT_EQ(GetCurrentObject(DC, OBJ_FONT), GetStockObject(SYSTEM_FONT));
  SelectObject(DC, Old);
  DeleteObject(Bmp);
  DeleteDC(DC);
}

TEST(BitmapTest, ResizeKeepsTopLeftPixels) {
  TBitmap B(4, 4);
  for (int Y = 0; Y < 4; ++Y)
    for (int X = 0; X < 4; ++X) B.Canvas().SetPixel(X, Y, RGBColor(X * 50, Y * 50, 7));
  B.SetSize(6, 2);
  EXPECT_EQ(B.Width(), 6);
  EXPECT_EQ(B.Height(), 2);
  for (int Y = 0; Y < 2; ++Y)
    for (int X = 0; X < 4; ++X)
      EXPECT_EQ(B.Canvas().Pixel(X, Y), RGBColor(X * 50, Y * 50, 7)) << X << "," << Y;
  EXPECT_EQ(B.Canvas().Pixel(5, 1), clBlack);
  B.SetHeight(3);
  EXPECT_EQ(B.Canvas().Pixel(3, 1), RGBColor(150, 50, 7));
  EXPECT_EQ(B.Canvas().Pixel(0, 2), clBlack);
}

// A new bitmap is black in every byte, also where the memory of one just
// freed (painted white) may come back, and so is the part a bitmap grows by.
TEST(BitmapTest, NewPixelsAreBlackEvenWhereAWhiteBitmapWasFreed) {
  auto AllZero = [](TBitmap& B, int FromRow) {
    for (int Y = FromRow; Y < B.Height(); ++Y) {
      const std::uint8_t* Row = B.ScanLine(Y);
      for (int X = 0; X < B.Width() * 3; ++X)
        if (Row[X] != 0) return false;
    }
    return true;
  };
  for (int Round = 0; Round < 3; ++Round) {
    auto White = std::make_unique<TBitmap>(800, 800);
    Fill(*White, Rect(0, 0, 800, 800), clWhite);
    ASSERT_EQ(White->ScanLine(799)[2399], 255);
    White.reset();
    TBitmap Fresh(800, 800);
    EXPECT_TRUE(AllZero(Fresh, 0)) << "round " << Round;
  }
  TBitmap Grown(10, 10);
  Fill(Grown, Rect(0, 0, 10, 10), clWhite);
  Grown.SetSize(10, 600);
  EXPECT_EQ(Grown.ScanLine(9)[29], 255);
  EXPECT_TRUE(AllZero(Grown, 10));
}

TEST(BitmapTest, WidthThenHeightOfAnEmptyBitmapGivesBoth) {
  TBitmap B;
  B.SetWidth(5);
  EXPECT_TRUE(B.Empty());
  EXPECT_EQ(B.ScanLine(0), nullptr);
  B.SetHeight(3);
  EXPECT_EQ(B.Width(), 5);
  EXPECT_EQ(B.Height(), 3);
  ASSERT_NE(B.ScanLine(2), nullptr);
  EXPECT_EQ(B.Canvas().Pixel(4, 2), clBlack);
}

TEST(BitmapTest, AssignCopiesSizeAndPixels) {
  TBitmap Src;
  MakeQuad(Src);
  TBitmap Dst(9, 9);
  Dst.Assign(Src);
  EXPECT_EQ(Dst.Width(), 2);
  EXPECT_EQ(Dst.Height(), 2);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 1), kD);
  Src.Canvas().SetPixel(1, 1, kA);
  EXPECT_EQ(Dst.Canvas().Pixel(1, 1), kD);  // a copy, not shared
}

TEST(BitmapTest, ScanLineIsTopDownBlueGreenRed) {
  TBitmap B(3, 2);
  B.Canvas().SetPixel(2, 1, RGBColor(1, 2, 3));
  const std::uint8_t* Row = B.ScanLine(1);
  EXPECT_EQ(Row[6], 3);
  EXPECT_EQ(Row[7], 2);
  EXPECT_EQ(Row[8], 1);
  B.ScanLine(0)[0] = 9;  // blue of (0, 0)
  EXPECT_EQ(B.Canvas().Pixel(0, 0), RGBColor(0, 0, 9));
}

TEST(BitmapTest, EmptyBitmapDrawsNothing) {
  TBitmap Empty;
  EXPECT_TRUE(Empty.Empty());
  EXPECT_EQ(Empty.ScanLine(0), nullptr);
  TBitmap Dst(2, 2);
  Fill(Dst, Rect(0, 0, 2, 2), kA);
  Dst.Canvas().Draw(0, 0, Empty);
  EXPECT_EQ(Dst.Canvas().Pixel(0, 0), kA);
}
