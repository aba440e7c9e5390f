#pragma once

// A rectangle in pixels: Left and Top inclusive, Right and Bottom as the
// platform gives them (a window's rectangle, a widget's painted area up to
// but excluding Right/Bottom). Portable: no platform header.
struct TKitRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool operator==(const TKitRect&) const = default;
};

// True when the closed intervals [A1, A2] and [B1, B2] intersect
// (A1 <= A2 and B1 <= B2 are the caller's promise).
inline bool RangesOverlap(int A1, int A2, int B1, int B2) {
  return A1 <= B2 && B1 <= A2;
}
