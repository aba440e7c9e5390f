#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "kit/geometry.h"

// Frame arithmetic of skin strips and the layout of caption images. Widget
// images are strips of equal frames; caption buttons draw their caption into
// one of the images "ButtonText1" .. "ButtonText5" (80 .. 160 px wide).

// Frames of a four-frame button strip.
enum TButtonFrame { FrameNormal = 0, FramePressed = 1, FrameDisabled = 2, FrameHover = 3 };

// Rounds to the nearest integer, halves to even (the rounding that decides
// single pixels of layouts throughout the kit).
int RoundHalfEven(double Value);
// The same for values beyond the int range (positions of long movies).
long long RoundHalfEvenLong(double Value);

// Frame Index (0..3) of a vertical strip of four frames, W x H pixels:
// rows Index*H div 4 .. (Index+1)*H div 4, full width.
TRect StackedFrame(int W, int H, int Index);

// Frame Index of a horizontal strip of Count frames side by side:
// columns Index*W div Count .. (Index+1)*W div Count, full height.
TRect SideFrame(int W, int H, int Count, int Index);

// Caption images.
inline constexpr int CaptionImageCount = 5;
inline constexpr int CaptionImageHeight = 80;
inline constexpr std::uint32_t CaptionTextColor = 0x166116;      // $BBGGRR
inline constexpr std::uint32_t CaptionDisabledColor = 0x808080;

// Caption font size in points for the screen's dots per inch
// (9 at 96 dpi, 7 at 120).
int CaptionFontSize(int PixelsPerInch);

// Caption image number (1..5) for a caption TextWidth pixels wide: the image
// is at least 10 px wider than the text, up to the widest image.
int CaptionImageForText(int TextWidth);

// Caption image number (1..5) for a requested button width: the smallest
// image at least Width wide, capped at the widest.
int CaptionImageForWidth(int Width);

// Width in pixels of caption image N (80, 100, ... 160).
int CaptionImageWidth(int N);

// The room beside a caption in its image: the text is at least this much
// narrower than the image.
inline constexpr int CaptionMargin = 10;

// Width of the caption image drawn for a caption TextWidth pixels wide: that
// of CaptionImageForText or, for a caption too wide for the widest image,
// the widest image drawn out to the caption plus CaptionMargin.
int CaptionWidthForText(int TextWidth);

// Width of the caption image drawn for a requested width Width: that of
// CaptionImageForWidth, or Width itself beyond the widest image; never
// narrower than CaptionWidthForText(TextWidth).
int CaptionWidthForRequest(int Width, int TextWidth);

// Resource name of caption image N: "ButtonText" followed by the digit.
std::wstring CaptionImageName(int N);

// Where and in which colour the caption is written into each of the four
// frames of an ImageW x ImageH caption image.
struct TCaptionPass {
  int X = 0;
  int Y = 0;
  std::uint32_t Color = 0;
};
std::array<TCaptionPass, 4> CaptionPasses(int ImageW, int ImageH, int TextW,
                                          int TextH);

// A button rectangle re-centred on a new width W: the left edge moves out
// (or in) by half the change, rounded toward zero, the right edge by the rest.
TRect RecenterOnWidth(const TRect& Rect, int W);
// The same with the change measured from OldW, the width the button had
// (which may differ from the rectangle's own width).
TRect RecenterOnWidth(const TRect& Rect, int OldW, int W);
