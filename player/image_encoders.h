// A captured frame and its image files: the frame as 24-bit colour
// pixels, written as a BMP file, as a JPEG through libjpeg (the library's
// default settings, quality 75) or as a PNG through libpng. Also reads the
// packed device-independent bitmap a renderer hands out for its current
// image. Portable: no Windows header.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace lc {

// Pixels 0x00RRGGBB, rows top-down, Width * Height of them.
struct RgbImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// The image is usable: positive sizes and one pixel each.
bool ValidImage(const RgbImage& image);

// A 24-bit BMP file (file header, info header, rows bottom-up padded to
// four bytes). Empty for an image that is not valid.
std::string EncodeBmp(const RgbImage& image);
// False, with `out` empty, when the library refuses the image.
bool EncodePng(const RgbImage& image, std::string& out);
bool EncodeJpeg(const RgbImage& image, std::string& out, int quality = 75);
// The file of capture type 0 (BMP), 1 (JPEG) or any other (PNG).
bool EncodeCaptureImage(const RgbImage& image, int captureType, std::string& out);

// Reads a packed bitmap: an info header (40 bytes or a larger version)
// followed, for bit fields, by three masks, then the pixels of a 24- or
// 32-bit uncompressed picture, bottom-up for a positive height. False for
// anything else or when `size` bytes do not hold it all.
bool ImageFromPackedDib(const void* data, std::size_t size, RgbImage& image);

}  // namespace lc
