// Pixel checks of 24-bit bitmaps (a skin, a window's back buffer) for the
// tests of skinned windows.
#pragma once

#include <cstdint>

#include <gtest/gtest.h>

#include "framework/graphics.h"
#include "framework/types.h"

// The colour of the pixel at (X, Y) of a 24-bit bitmap.
inline TColor PixelOf(TBitmap& B, int X, int Y) {
  const std::uint8_t* P = B.ScanLine(Y) + 3 * X;
  return RGBColor(P[2], P[1], P[0]);
}

// Pixels of Area of A against those of Source's SourceArea (same size).
inline void ExpectSamePixels(TBitmap& A, const TRect& Area, TBitmap& Source, const TRect& SourceArea) {
  int Mismatches = 0;
  for (int Y = 0; Y < Area.Height(); ++Y)
    for (int X = 0; X < Area.Width(); ++X)
      if (PixelOf(A, Area.Left + X, Area.Top + Y) != PixelOf(Source, SourceArea.Left + X, SourceArea.Top + Y))
        ++Mismatches;
  EXPECT_EQ(0, Mismatches) << "of " << Area.Width() * Area.Height();
}
