// Pictures as tests read them back: image files (PNG and JPEG through the
// same libraries the program uses, BMP directly), pixels of the screen or
// of a renderer, and how far one picture lies from a reference, for tests
// that check the program shows (or saves) the picture a decoder made.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lctest {

// 8-bit R, G, B triples, rows top-down.
struct RgbPicture {
  int Width = 0, Height = 0;
  std::vector<std::uint8_t> Rgb;
  std::uint8_t At(int X, int Y, int Channel) const { return Rgb[(std::size_t(Y) * Width + X) * 3 + Channel]; }
};

// An empty picture when the bytes are not such a file. A JPEG that is not
// one ends the test program (libjpeg's own error exit).
RgbPicture ReadPng(const std::string& Bytes);
RgbPicture ReadJpeg(const std::string& Bytes);
RgbPicture ReadBmp(const std::string& Bytes);

// A frame of planar 4:2:0 (Y, then Cb, then Cr, rows without padding) in
// RGB: BT.601 with studio range, each chroma sample for its 2 x 2 pixels.
// Empty when Bytes is not that size.
RgbPicture FromI420(const std::string& Bytes, int Width, int Height);

// Pixels as 0x00RRGGBB (a renderer's frame, a grab of the screen), Width x
// Height of them from (Left, Top) of a picture Stride pixels wide.
RgbPicture FromPixels(const std::uint32_t* Pixels, int Stride, int Left, int Top, int Width, int Height);

// Reference shown at another size: resampled bilinearly to Width x Height,
// pixel centres to pixel centres.
RgbPicture Resampled(const RgbPicture& Reference, int Width, int Height);

// How far Seen lies from Reference (the same size): the mean difference of
// all channels of all pixels, and the share of pixels (0..1) with a
// channel more than Far away. A picture of another size is all far.
struct PictureDifference {
  double Mean = 255;
  double FarShare = 1;
};
PictureDifference Compare(const RgbPicture& Seen, const RgbPicture& Reference, int Far);

}  // namespace lctest
