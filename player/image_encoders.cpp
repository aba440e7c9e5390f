#include "player/image_encoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>
#include <png.h>

namespace lc {

namespace {

// A picture larger than this on either side is not a video frame.
constexpr int kMaxSide = 32768;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint32_t GetLe(const unsigned char* p, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
  return value;
}

// The image's rows as R, G, B bytes.
std::vector<unsigned char> RgbBytes(const RgbImage& image) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(image.Width) * image.Height * 3);
  unsigned char* p = bytes.data();
  for (std::uint32_t pixel : image.Pixels) {
    *p++ = static_cast<unsigned char>(pixel >> 16);
    *p++ = static_cast<unsigned char>(pixel >> 8);
    *p++ = static_cast<unsigned char>(pixel);
  }
  return bytes;
}

struct JpegFailure {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr info) {
  std::longjmp(reinterpret_cast<JpegFailure*>(info->err)->Jump, 1);
}

// The libjpeg part, kept free of objects with destructors because a
// failure leaves it through longjmp.
bool CompressJpeg(const unsigned char* rgb, int width, int height, int quality, unsigned char** buffer,
                  unsigned long* size) {
  jpeg_compress_struct info;
  JpegFailure failure;
  info.err = jpeg_std_error(&failure.Manager);
  failure.Manager.error_exit = JpegErrorExit;
  if (setjmp(failure.Jump)) {
    jpeg_destroy_compress(&info);
    return false;
  }
  jpeg_create_compress(&info);
  jpeg_mem_dest(&info, buffer, size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(rgb) + static_cast<std::size_t>(info.next_scanline) * width * 3;
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return true;
}

}  // namespace

bool ValidImage(const RgbImage& image) {
  return image.Width > 0 && image.Height > 0 && image.Width <= kMaxSide && image.Height <= kMaxSide &&
         image.Pixels.size() == static_cast<std::size_t>(image.Width) * image.Height;
}

std::string EncodeBmp(const RgbImage& image) {
  if (!ValidImage(image)) return {};
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(image.Width) * 3 + 3) & ~3u;
  const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(image.Height);
  std::string out;
  out.reserve(54 + pixelBytes);
  out += "BM";
  PutLe(out, 54 + pixelBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, 54, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(image.Width), 4);
  PutLe(out, static_cast<std::uint32_t>(image.Height), 4);
  PutLe(out, 1, 2);
  PutLe(out, 24, 2);
  PutLe(out, 0, 4);
  PutLe(out, pixelBytes, 4);
  PutLe(out, 2835, 4);  // 72 dots per inch
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = image.Height - 1; y >= 0; --y) {
    const std::uint32_t* row = &image.Pixels[static_cast<std::size_t>(y) * image.Width];
    for (int x = 0; x < image.Width; ++x) PutLe(out, row[x], 3);
    out.append(rowBytes - static_cast<std::uint32_t>(image.Width) * 3, '\0');
  }
  return out;
}

bool EncodePng(const RgbImage& image, std::string& out) {
  out.clear();
  if (!ValidImage(image)) return false;
  const std::vector<unsigned char> rgb = RgbBytes(image);
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.Width);
  png.height = static_cast<png_uint_32>(image.Height);
  png.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr) || size == 0) {
    png_image_free(&png);
    return false;
  }
  out.resize(size);
  const bool written = png_image_write_to_memory(&png, out.data(), &size, 0, rgb.data(), 0, nullptr) != 0;
  png_image_free(&png);
  if (!written) {
    out.clear();
    return false;
  }
  out.resize(size);
  return true;
}

bool EncodeJpeg(const RgbImage& image, std::string& out, int quality) {
  out.clear();
  if (!ValidImage(image)) return false;
  const std::vector<unsigned char> rgb = RgbBytes(image);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  const bool done = CompressJpeg(rgb.data(), image.Width, image.Height, quality, &buffer, &size);
  if (done && buffer) out.assign(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return done && !out.empty();
}

bool EncodeCaptureImage(const RgbImage& image, int captureType, std::string& out) {
  if (captureType == 0) {
    out = EncodeBmp(image);
    return !out.empty();
  }
  if (captureType == 1) return EncodeJpeg(image, out);
  return EncodePng(image, out);
}

bool ImageFromPackedDib(const void* data, std::size_t size, RgbImage& image) {
  const auto* p = static_cast<const unsigned char*>(data);
  if (!p || size < 40) return false;
  const std::uint32_t headerSize = GetLe(p, 4);
  const auto width = static_cast<std::int32_t>(GetLe(p + 4, 4));
  const auto height = static_cast<std::int32_t>(GetLe(p + 8, 4));
  const std::uint32_t bits = GetLe(p + 14, 2);
  const std::uint32_t compression = GetLe(p + 16, 4);
  constexpr std::uint32_t kRgb = 0, kBitFields = 3;
  if (headerSize < 40 || headerSize > size) return false;
  if (width <= 0 || width > kMaxSide || height == 0 || height < -kMaxSide || height > kMaxSide) return false;
  if (!(bits == 24 && compression == kRgb) && !(bits == 32 && (compression == kRgb || compression == kBitFields)))
    return false;
  // Bit fields of a 40-byte header follow it as three masks.
  std::size_t offset = headerSize;
  std::uint32_t masks[3] = {0xFF0000, 0xFF00, 0xFF};
  if (compression == kBitFields) {
    // The masks follow a 40-byte header, and lie inside a larger one.
    if (size < 52 || (headerSize > 40 && headerSize < 52)) return false;
    if (headerSize == 40) offset += 12;
    for (int i = 0; i < 3; ++i) masks[i] = GetLe(p + 40 + 4 * i, 4);
    if (masks[0] != 0xFF0000 || masks[1] != 0xFF00 || masks[2] != 0xFF) return false;
  }
  const int rows = height < 0 ? -height : height;
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bits / 8 + 3) & ~static_cast<std::size_t>(3);
  if (static_cast<std::uint64_t>(rowBytes) * rows > size - offset) return false;
  RgbImage out;
  out.Width = width;
  out.Height = rows;
  out.Pixels.resize(static_cast<std::size_t>(width) * rows);
  const std::size_t step = bits / 8;
  for (int y = 0; y < rows; ++y) {
    const int sourceRow = height > 0 ? rows - 1 - y : y;
    const unsigned char* row = p + offset + rowBytes * sourceRow;
    for (int x = 0; x < width; ++x) out.Pixels[static_cast<std::size_t>(y) * width + x] = GetLe(row + x * step, 3);
  }
  image = std::move(out);
  return true;
}

}  // namespace lc
