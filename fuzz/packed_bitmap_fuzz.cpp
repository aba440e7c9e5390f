// The packed bitmap a renderer hands out for its current image, and the
// capture's image files made from what it holds. The input's first byte
// picks the way in: as a packed bitmap (the rest of the bytes), or as a
// picture the encoders are handed directly (sizes and pixels from the
// input, whether they agree or not).
// Contracts: a bitmap read is a whole picture of at most 32,768 pixels a
// side; its BMP file holds, after the file header, a packed bitmap that
// reads back as the same picture; its PNG file decodes to the same pixels;
// its JPEG file is one. An encoder refuses a picture whose sizes and pixels
// disagree with an empty file, and takes every other.
#include <cstdint>
#include <string>
#include <vector>

#include <png.h>

#include "fuzz/fuzz_support.h"
#include "player/image_encoders.h"

namespace {

using lc::RgbImage;

constexpr std::size_t kBmpFileHeader = 14;

// The PNG file's pixels as 0x00RRGGBB, or nothing when it does not decode.
std::vector<std::uint32_t> DecodePng(const std::string& file, int& width, int& height) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return {};
  png.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&png);
    return {};
  }
  width = static_cast<int>(png.width);
  height = static_cast<int>(png.height);
  std::vector<std::uint32_t> pixels(rgb.size() / 3);
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    pixels[i] = (std::uint32_t{rgb[3 * i]} << 16) | (std::uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  }
  return pixels;
}

void CheckFiles(const RgbImage& image) {
  const std::string bmp = lc::EncodeBmp(image);
  LC_FUZZ_CHECK(bmp.size() > kBmpFileHeader && bmp[0] == 'B' && bmp[1] == 'M');
  RgbImage back;
  LC_FUZZ_CHECK(lc::ImageFromPackedDib(bmp.data() + kBmpFileHeader, bmp.size() - kBmpFileHeader, back));
  LC_FUZZ_CHECK(back.Width == image.Width && back.Height == image.Height && back.Pixels == image.Pixels);

  std::string png;
  LC_FUZZ_CHECK(lc::EncodeCaptureImage(image, 2, png));
  int width = 0, height = 0;
  LC_FUZZ_CHECK(DecodePng(png, width, height) == image.Pixels);
  LC_FUZZ_CHECK(width == image.Width && height == image.Height);

  std::string jpeg;
  LC_FUZZ_CHECK(lc::EncodeCaptureImage(image, 1, jpeg));
  LC_FUZZ_CHECK(jpeg.size() > 4 && static_cast<unsigned char>(jpeg[0]) == 0xFF &&
                static_cast<unsigned char>(jpeg[1]) == 0xD8);
}

void ReadPackedBitmap(const std::uint8_t* data, std::size_t size) {
  RgbImage image;
  image.Width = -7;
  if (!lc::ImageFromPackedDib(data, size, image)) {
    LC_FUZZ_CHECK(image.Width == -7 && image.Pixels.empty());  // untouched
    return;
  }
  LC_FUZZ_CHECK(lc::ValidImage(image));
  LC_FUZZ_CHECK(image.Pixels.size() == static_cast<std::size_t>(image.Width) * image.Height);
  for (std::uint32_t p : image.Pixels) LC_FUZZ_CHECK(p <= 0xFFFFFF);
  CheckFiles(image);
}

// A size from -16,384 to 49,151: negative, zero, and either side of the
// limit of 32,768.
int Side(lc::fuzz::ByteReader& in) {
  const int low = in.Byte();
  return (low | (in.Byte() << 8)) - 16384;
}

// A picture as the encoders may be handed one: any sizes, and as many
// pixels as the input holds, up to 4,096.
void EncodeGivenPicture(lc::fuzz::ByteReader& in) {
  RgbImage image;
  image.Width = Side(in);
  image.Height = Side(in);
  while (in.Remaining() >= 3 && image.Pixels.size() < 4096) {
    const std::uint32_t blue = in.Byte(), green = in.Byte(), red = in.Byte();
    image.Pixels.push_back(red << 16 | green << 8 | blue);
  }
  const bool whole = image.Width > 0 && image.Height > 0 &&
                     image.Pixels.size() == static_cast<std::size_t>(image.Width) * image.Height;
  LC_FUZZ_CHECK(lc::ValidImage(image) == whole);
  if (whole) {
    CheckFiles(image);
    return;
  }
  std::string file = "old";
  LC_FUZZ_CHECK(lc::EncodeBmp(image).empty());
  for (int type : {0, 1, 2}) {
    LC_FUZZ_CHECK(!lc::EncodeCaptureImage(image, type, file));
    LC_FUZZ_CHECK(file.empty());
    file = "old";
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  if (data[0] % 4 != 3) {
    ReadPackedBitmap(data + 1, size - 1);
    return 0;
  }
  lc::fuzz::ByteReader in(data + 1, size - 1);
  EncodeGivenPicture(in);
  return 0;
}
