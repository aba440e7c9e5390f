#include "tests/support/pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

namespace lctest {

RgbPicture ReadPng(const std::string& Bytes) {
  RgbPicture p;
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, Bytes.data(), Bytes.size())) return p;
  png.format = PNG_FORMAT_RGB;
  p.Rgb.resize(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, p.Rgb.data(), 0, nullptr)) return {};
  p.Width = int(png.width);
  p.Height = int(png.height);
  return p;
}

RgbPicture ReadJpeg(const std::string& Bytes) {
  RgbPicture p;
  jpeg_decompress_struct info;
  jpeg_error_mgr error;
  info.err = jpeg_std_error(&error);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(Bytes.data()), Bytes.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  p.Width = int(info.output_width);
  p.Height = int(info.output_height);
  p.Rgb.resize(std::size_t(p.Width) * p.Height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = p.Rgb.data() + std::size_t(info.output_scanline) * p.Width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return p;
}

RgbPicture ReadBmp(const std::string& Bytes) {
  RgbPicture p;
  if (Bytes.size() < 54 || Bytes.substr(0, 2) != "BM") return p;
  auto le = [&](std::size_t at) {
    return int(unsigned(static_cast<unsigned char>(Bytes[at])) | unsigned(static_cast<unsigned char>(Bytes[at + 1])) << 8 |
               unsigned(static_cast<unsigned char>(Bytes[at + 2])) << 16 |
               unsigned(static_cast<unsigned char>(Bytes[at + 3])) << 24);
  };
  const int offset = le(10), width = le(18), height = le(22);
  const int row = (width * 3 + 3) & ~3;
  if (width <= 0 || height <= 0 || Bytes.size() < std::size_t(offset) + std::size_t(row) * height) return p;
  p.Width = width;
  p.Height = height;
  p.Rgb.reserve(std::size_t(width) * height * 3);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::size_t at = std::size_t(offset) + std::size_t(height - 1 - y) * row + std::size_t(x) * 3;
      p.Rgb.push_back(static_cast<std::uint8_t>(Bytes[at + 2]));
      p.Rgb.push_back(static_cast<std::uint8_t>(Bytes[at + 1]));
      p.Rgb.push_back(static_cast<std::uint8_t>(Bytes[at]));
    }
  return p;
}

RgbPicture FromI420(const std::string& Bytes, int Width, int Height) {
  const int cw = (Width + 1) / 2, ch = (Height + 1) / 2;
  const std::size_t luma = std::size_t(Width) * Height, chroma = std::size_t(cw) * ch;
  if (Width <= 0 || Height <= 0 || Bytes.size() != luma + 2 * chroma) return {};
  const auto* y = reinterpret_cast<const std::uint8_t*>(Bytes.data());
  const std::uint8_t* u = y + luma;
  const std::uint8_t* v = u + chroma;
  const auto Byte = [](double Value) { return std::uint8_t(std::clamp<long>(std::lround(Value), 0, 255)); };
  RgbPicture p;
  p.Width = Width;
  p.Height = Height;
  p.Rgb.reserve(luma * 3);
  for (int row = 0; row < Height; ++row)
    for (int x = 0; x < Width; ++x) {
      const std::size_t c = std::size_t(row / 2) * cw + x / 2;
      const double l = 1.164383 * (y[std::size_t(row) * Width + x] - 16);
      const double cb = u[c] - 128.0, cr = v[c] - 128.0;
      p.Rgb.push_back(Byte(l + 1.596027 * cr));
      p.Rgb.push_back(Byte(l - 0.391762 * cb - 0.812968 * cr));
      p.Rgb.push_back(Byte(l + 2.017232 * cb));
    }
  return p;
}

RgbPicture FromPixels(const std::uint32_t* Pixels, int Stride, int Left, int Top, int Width, int Height) {
  RgbPicture p;
  p.Width = Width;
  p.Height = Height;
  p.Rgb.resize(std::size_t(Width) * Height * 3);
  std::uint8_t* out = p.Rgb.data();
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x) {
      const std::uint32_t px = Pixels[std::size_t(Top + y) * Stride + Left + x];
      *out++ = std::uint8_t(px >> 16);
      *out++ = std::uint8_t(px >> 8);
      *out++ = std::uint8_t(px);
    }
  return p;
}

RgbPicture Resampled(const RgbPicture& Reference, int Width, int Height) {
  RgbPicture p;
  p.Width = Width;
  p.Height = Height;
  p.Rgb.resize(std::size_t(Width) * Height * 3);
  const auto Source = [](int I, int Out, int In) {
    return std::clamp((I + 0.5) * In / Out - 0.5, 0.0, double(In - 1));
  };
  std::uint8_t* out = p.Rgb.data();
  for (int y = 0; y < Height; ++y) {
    const double sy = Source(y, Height, Reference.Height);
    const int y0 = int(sy), y1 = std::min(y0 + 1, Reference.Height - 1);
    const double fy = sy - y0;
    for (int x = 0; x < Width; ++x) {
      const double sx = Source(x, Width, Reference.Width);
      const int x0 = int(sx), x1 = std::min(x0 + 1, Reference.Width - 1);
      const double fx = sx - x0;
      for (int c = 0; c < 3; ++c) {
        const double top = Reference.At(x0, y0, c) * (1 - fx) + Reference.At(x1, y0, c) * fx;
        const double bottom = Reference.At(x0, y1, c) * (1 - fx) + Reference.At(x1, y1, c) * fx;
        *out++ = std::uint8_t(std::lround(top * (1 - fy) + bottom * fy));
      }
    }
  }
  return p;
}

PictureDifference Compare(const RgbPicture& Seen, const RgbPicture& Reference, int Far) {
  PictureDifference d;
  if (Seen.Width != Reference.Width || Seen.Height != Reference.Height || Seen.Rgb.empty()) return d;
  double sum = 0;
  std::size_t far = 0;
  for (std::size_t i = 0; i < Seen.Rgb.size(); i += 3) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) {
      const int diff = std::abs(int(Seen.Rgb[i + c]) - int(Reference.Rgb[i + c]));
      sum += diff;
      largest = std::max(largest, diff);
    }
    far += largest > Far;
  }
  d.Mean = sum / double(Seen.Rgb.size());
  d.FarShare = double(far) / double(Seen.Rgb.size() / 3);
  return d;
}

}  // namespace lctest
