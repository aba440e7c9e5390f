#include "player/image_encoders.h"

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <jpeglib.h>
#include <png.h>

namespace {

using lc::RgbImage;

// Blocks of 16 x 16 pixels in twelve colours, as a test-pattern frame.
constexpr std::uint32_t kColours[12] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00,
                                        0x00FFFF, 0xFF00FF, 0x808080, 0x804000, 0x2060C0, 0xC0C0C0};

RgbImage Pattern(int width, int height) {
  RgbImage image;
  image.Width = width;
  image.Height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.Pixels.push_back(kColours[(y / 16 * 4 + x / 16) % 12]);
  return image;
}

std::uint32_t Le(const std::string& s, size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

RgbImage DecodePng(const std::string& file) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  RgbImage out;
  if (!png_image_begin_read_from_memory(&png, file.data(), file.size())) return out;
  png.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(png));
  if (!png_image_finish_read(&png, nullptr, rgb.data(), 0, nullptr)) return out;
  out.Width = int(png.width);
  out.Height = int(png.height);
  for (size_t i = 0; i + 2 < rgb.size(); i += 3)
    out.Pixels.push_back(std::uint32_t(rgb[i]) << 16 | std::uint32_t(rgb[i + 1]) << 8 | rgb[i + 2]);
  return out;
}

struct JpegError {
  jpeg_error_mgr Manager;
  std::jmp_buf Jump;
};

void JpegExit(j_common_ptr info) { std::longjmp(reinterpret_cast<JpegError*>(info->err)->Jump, 1); }

bool DecodeJpegRgb(const std::string& file, int& width, int& height, std::vector<unsigned char>& rgb) {
  jpeg_decompress_struct info;
  JpegError error;
  info.err = jpeg_std_error(&error.Manager);
  error.Manager.error_exit = JpegExit;
  if (setjmp(error.Jump)) {
    jpeg_destroy_decompress(&info);
    return false;
  }
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(file.data()), file.size());
  jpeg_read_header(&info, TRUE);
  info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&info);
  width = int(info.output_width);
  height = int(info.output_height);
  rgb.resize(size_t(width) * height * 3);
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = rgb.data() + size_t(info.output_scanline) * width * 3;
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return true;
}

int ChannelDistance(std::uint32_t a, std::uint32_t b) {
  int worst = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int d = std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    if (d > worst) worst = d;
  }
  return worst;
}

TEST(CaptureImages, BmpHoldsThePatternBottomUpWithPaddedRows) {
  const RgbImage image = Pattern(35, 20);  // 105 bytes a row, padded to 108
  const std::string file = lc::EncodeBmp(image);
  ASSERT_EQ(54u + 108u * 20u, file.size());
  EXPECT_EQ("BM", file.substr(0, 2));
  EXPECT_EQ(2214u, Le(file, 2, 4));
  EXPECT_EQ(54u, Le(file, 10, 4));
  EXPECT_EQ(40u, Le(file, 14, 4));
  EXPECT_EQ(35u, Le(file, 18, 4));
  EXPECT_EQ(20u, Le(file, 22, 4));
  EXPECT_EQ(0u, Le(file, 6, 4));  // reserved
  EXPECT_EQ(1u, Le(file, 26, 2));  // one plane
  EXPECT_EQ(24u, Le(file, 28, 2));
  EXPECT_EQ(0u, Le(file, 30, 4));  // uncompressed
  EXPECT_EQ(2160u, Le(file, 34, 4));
  EXPECT_EQ(2835u, Le(file, 38, 4));  // 72 dots per inch
  EXPECT_EQ(2835u, Le(file, 42, 4));
  EXPECT_EQ(0u, Le(file, 46, 4));  // no palette
  EXPECT_EQ(0u, Le(file, 50, 4));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 35; ++x) {
      const size_t at = 54 + size_t(19 - y) * 108 + size_t(x) * 3;
      ASSERT_EQ(image.Pixels[size_t(y) * 35 + x], Le(file, at, 3)) << x << "," << y;
    }
  // The first stored row is the picture's last: block row 1, colours 4 and 5.
  EXPECT_EQ(0x000000u, Le(file, 54, 3));
  EXPECT_EQ(0xFFFF00u, Le(file, 54 + 16 * 3, 3));
}

TEST(CaptureImages, PngDecodesBackToThePatternExactly) {
  for (const RgbImage& image : {Pattern(64, 48), Pattern(13, 7), Pattern(1, 1)}) {
    std::string file;
    ASSERT_TRUE(lc::EncodePng(image, file));
    EXPECT_EQ("\x89PNG", file.substr(0, 4));
    const RgbImage back = DecodePng(file);
    EXPECT_EQ(image.Width, back.Width);
    EXPECT_EQ(image.Height, back.Height);
    EXPECT_EQ(image.Pixels, back.Pixels);
  }
}

TEST(CaptureImages, JpegDecodesBackCloseToThePattern) {
  const RgbImage image = Pattern(64, 48);
  std::string file;
  ASSERT_TRUE(lc::EncodeJpeg(image, file));
  EXPECT_EQ("\xFF\xD8\xFF", file.substr(0, 3));
  int width = 0, height = 0;
  std::vector<unsigned char> rgb;
  ASSERT_TRUE(DecodeJpegRgb(file, width, height, rgb));
  ASSERT_EQ(64, width);
  ASSERT_EQ(48, height);
  // The middle of every block keeps its colour within the loss of quality 75.
  for (int by = 0; by < 3; ++by)
    for (int bx = 0; bx < 4; ++bx) {
      const size_t at = (size_t(by * 16 + 8) * 64 + bx * 16 + 8) * 3;
      const std::uint32_t got = std::uint32_t(rgb[at]) << 16 | std::uint32_t(rgb[at + 1]) << 8 | rgb[at + 2];
      EXPECT_LE(ChannelDistance(kColours[by * 4 + bx], got), 24) << bx << "," << by << " got " << std::hex << got;
    }
  // The default quality is 75: a higher one gives a larger file.
  std::string finer;
  ASSERT_TRUE(lc::EncodeJpeg(image, finer, 95));
  EXPECT_LT(file.size(), finer.size());
}

TEST(CaptureImages, TheCaptureTypeChoosesTheFormat) {
  const RgbImage image = Pattern(16, 16);
  std::string bmp, jpg, png, other;
  ASSERT_TRUE(lc::EncodeCaptureImage(image, 0, bmp));
  ASSERT_TRUE(lc::EncodeCaptureImage(image, 1, jpg));
  ASSERT_TRUE(lc::EncodeCaptureImage(image, 2, png));
  ASSERT_TRUE(lc::EncodeCaptureImage(image, 5, other));
  EXPECT_EQ("BM", bmp.substr(0, 2));
  EXPECT_EQ("\xFF\xD8", jpg.substr(0, 2));
  EXPECT_EQ("\x89PNG", png.substr(0, 4));
  EXPECT_EQ("\x89PNG", other.substr(0, 4));
}

TEST(CaptureImages, AnImageThatIsNotWholeIsRefused) {
  RgbImage empty;
  RgbImage shortRows = Pattern(4, 4);
  shortRows.Pixels.pop_back();
  RgbImage noRows;
  noRows.Width = 5;
  RgbImage tooWide;
  tooWide.Width = 32769;
  tooWide.Height = 1;
  tooWide.Pixels.resize(32769);
  for (const RgbImage& bad : {empty, shortRows, noRows, tooWide}) {
    std::string file = "old";
    EXPECT_FALSE(lc::EncodePng(bad, file));
    EXPECT_EQ("", file);
    EXPECT_FALSE(lc::EncodeJpeg(bad, file));
    EXPECT_EQ("", lc::EncodeBmp(bad));
    EXPECT_FALSE(lc::EncodeCaptureImage(bad, 0, file));
  }
}

// ------------------------------------------------ packed bitmaps

std::string InfoHeader(std::int32_t width, std::int32_t height, int bits, int compression, int headerSize = 40) {
  std::string h;
  auto put = [&](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) h.push_back(char((v >> (8 * i)) & 0xFF));
  };
  put(std::uint32_t(headerSize), 4);
  put(std::uint32_t(width), 4);
  put(std::uint32_t(height), 4);
  put(1, 2);
  put(std::uint32_t(bits), 2);
  put(std::uint32_t(compression), 4);
  h.append(size_t(headerSize) - 20, '\0');
  return h;
}

TEST(CaptureImages, PackedBitmapsOfTheRenderer) {
  // 2 x 2, 24 bits, bottom-up: rows of 6 bytes padded to 8.
  std::string dib = InfoHeader(2, 2, 24, 0);
  dib += std::string("\x03\x02\x01\x06\x05\x04\0\0", 8);  // bottom row
  dib += std::string("\x30\x20\x10\x60\x50\x40\0\0", 8);  // top row
  lc::RgbImage image;
  ASSERT_TRUE(lc::ImageFromPackedDib(dib.data(), dib.size(), image));
  EXPECT_EQ(2, image.Width);
  EXPECT_EQ(2, image.Height);
  EXPECT_EQ((std::vector<std::uint32_t>{0x102030, 0x405060, 0x010203, 0x040506}), image.Pixels);

  // 32 bits, top-down, bit fields after a 40-byte header.
  std::string top = InfoHeader(1, -2, 32, 3);
  top += std::string("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
  top += std::string("\x11\x22\x33\x00\x44\x55\x66\x00", 8);
  ASSERT_TRUE(lc::ImageFromPackedDib(top.data(), top.size(), image));
  EXPECT_EQ(1, image.Width);
  EXPECT_EQ(2, image.Height);
  EXPECT_EQ((std::vector<std::uint32_t>{0x332211, 0x665544}), image.Pixels);

  // A larger header version (124 bytes) with plain 32-bit pixels.
  std::string v5 = InfoHeader(1, 1, 32, 0, 124) + std::string("\x01\x02\x03\x00", 4);
  ASSERT_TRUE(lc::ImageFromPackedDib(v5.data(), v5.size(), image));
  EXPECT_EQ((std::vector<std::uint32_t>{0x030201}), image.Pixels);
}

TEST(CaptureImages, PackedBitmapsThatDoNotHoldWhatTheySayAreRefused) {
  const std::string good = InfoHeader(2, 2, 24, 0) + std::string(16, '\x7F');
  lc::RgbImage image;
  image.Width = 9;
  ASSERT_TRUE(lc::ImageFromPackedDib(good.data(), good.size(), image));
  image.Width = 9;
  EXPECT_FALSE(lc::ImageFromPackedDib(good.data(), good.size() - 1, image));
  EXPECT_EQ(9, image.Width);  // untouched
  const std::string cases[] = {
      InfoHeader(2, 2, 16, 0) + std::string(16, '\0'),                 // 16 bits
      InfoHeader(2, 2, 24, 1) + std::string(16, '\0'),                 // compressed
      InfoHeader(0, 2, 24, 0) + std::string(16, '\0'),                 // no width
      InfoHeader(2, 0, 24, 0) + std::string(16, '\0'),                 // no height
      InfoHeader(40000, 1, 24, 0) + std::string(120000, '\0'),         // too wide
      InfoHeader(1, 1, 32, 3) + std::string(4, '\0'),                  // masks missing
      InfoHeader(1, 1, 32, 3) + std::string(12, '\x01') + std::string(4, '\0'),  // other masks
      InfoHeader(1, 1, 24, 0, 30) + std::string(4, '\0'),              // header too small
      InfoHeader(20000, 20000, 32, 0) + std::string(64, '\0'),         // pixels missing
      InfoHeader(32769, 1, 24, 0) + std::string(32769 * 3 + 1, '\0'),  // one beyond the widest
      std::string(39, '\0'),
  };
  for (const std::string& bad : cases) EXPECT_FALSE(lc::ImageFromPackedDib(bad.data(), bad.size(), image));
  EXPECT_FALSE(lc::ImageFromPackedDib(nullptr, 100, image));
  // The widest picture taken: 32768 pixels.
  const std::string widest = InfoHeader(32768, -1, 24, 0) + std::string(32768 * 3, '\x10');
  ASSERT_TRUE(lc::ImageFromPackedDib(widest.data(), widest.size(), image));
  EXPECT_EQ(32768, image.Width);
  EXPECT_EQ(0x101010u, image.Pixels.back());
  // A header that claims more bytes than the buffer holds.
  std::string claims = good;
  claims[0] = char(200);
  EXPECT_FALSE(lc::ImageFromPackedDib(claims.data(), claims.size(), image));
}

// Three pixels of 24 bits are nine bytes, so each row is padded to twelve:
// the second row starts three bytes after the first row's last pixel.
TEST(CaptureImages, PackedBitmapRowsArePaddedToFourBytes) {
  std::string dib = InfoHeader(3, 2, 24, 0);
  dib += std::string("\x01\x02\x03\x04\x05\x06\x07\x08\x09\xEE\xEE\xEE", 12);  // bottom row
  dib += std::string("\x11\x12\x13\x14\x15\x16\x17\x18\x19\xEE\xEE\xEE", 12);  // top row
  lc::RgbImage image;
  ASSERT_TRUE(lc::ImageFromPackedDib(dib.data(), dib.size(), image));
  EXPECT_EQ((std::vector<std::uint32_t>{0x131211, 0x161514, 0x191817, 0x030201, 0x060504, 0x090807}),
            image.Pixels);
}

// Pictures 32,768 rows high, stored either way up, are the highest taken.
TEST(CaptureImages, PackedBitmapHeightLimit) {
  const struct {
    std::int32_t height;
    bool taken;
  } cases[] = {{32768, true}, {-32768, true}, {32769, false}, {-32769, false}};
  for (const auto& c : cases) {
    const int rows = c.height < 0 ? -c.height : c.height;
    // One 24-bit pixel a row, padded to four bytes; the top row differs.
    std::string dib = InfoHeader(1, c.height, 24, 0) + std::string(std::size_t(rows) * 4, '\x01');
    const std::size_t top = c.height > 0 ? dib.size() - 4 : 40;
    dib[top] = '\x7F';
    lc::RgbImage image;
    ASSERT_EQ(c.taken, lc::ImageFromPackedDib(dib.data(), dib.size(), image)) << c.height;
    if (!c.taken) continue;
    EXPECT_EQ(32768, image.Height);
    EXPECT_EQ(0x01017Fu, image.Pixels.front()) << c.height;
    EXPECT_EQ(0x010101u, image.Pixels.back()) << c.height;
  }
}

// Bit fields: three masks right after a 40-byte header, or inside a header
// of 52 bytes or more; a header in between has no room for them.
TEST(CaptureImages, PackedBitmapMasksFollowOrLieInsideTheHeader) {
  const std::string masks("\0\0\xFF\0\0\xFF\0\0\xFF\0\0\0", 12);
  const std::string pixel("\x21\x22\x23\x00", 4);
  const struct {
    int headerSize;
    bool taken;
  } cases[] = {{40, true}, {41, false}, {51, false}, {52, true}, {56, true}};
  for (const auto& c : cases) {
    std::string dib = InfoHeader(1, 1, 32, 3, c.headerSize);
    if (dib.size() < 52) dib.resize(52);
    dib.replace(40, 12, masks);
    dib += pixel;
    lc::RgbImage image;
    ASSERT_EQ(c.taken, lc::ImageFromPackedDib(dib.data(), dib.size(), image)) << c.headerSize;
    if (c.taken) {
      EXPECT_EQ((std::vector<std::uint32_t>{0x232221}), image.Pixels) << c.headerSize;
    }
  }
}

}  // namespace
