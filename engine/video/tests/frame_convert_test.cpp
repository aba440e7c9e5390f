#include "engine/video/frame_convert.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/video/tests/video_test_util.h"

namespace {

// Four vertical colour bars, each Width / 4 wide (chroma pairs never
// straddle a bar edge when Width / 4 is even).
const int Bars[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};

int BarOf(int x, int w) { return x * 4 / w; }

// Writes the bars into a buffer of the given format, natural stride.
std::vector<std::uint8_t> MakeBars(TPixelFormat f, int w, int h) {
  const int stride = NaturalStride(f, w);
  std::vector<std::uint8_t> d(FrameBytes(f, w, h, stride), 0);
  const TFrameView v = DescribeFrame(f, d.data(), w, h, stride, false);
  auto at = [&](int plane, int x, int y) {
    return const_cast<std::uint8_t*>(v.Plane[plane]) + std::ptrdiff_t(y) * v.Stride[plane] + x;
  };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int* c = Bars[BarOf(x, w)];
      const TYuv e = EncodeYuv(c[0], c[1], c[2]);
      switch (f) {
        case TPixelFormat::RGB32:
          at(0, 4 * x, y)[0] = std::uint8_t(c[2]);
          at(0, 4 * x, y)[1] = std::uint8_t(c[1]);
          at(0, 4 * x, y)[2] = std::uint8_t(c[0]);
          break;
        case TPixelFormat::YUY2:
        case TPixelFormat::UYVY: {
          const bool uyvy = f == TPixelFormat::UYVY;
          std::uint8_t* pair = at(0, (x & ~1) * 2, y);
          pair[(uyvy ? 1 : 0) + (x & 1) * 2] = std::uint8_t(e.Y);
          pair[uyvy ? 0 : 1] = std::uint8_t(e.U);
          pair[uyvy ? 2 : 3] = std::uint8_t(e.V);
          break;
        }
        case TPixelFormat::NV12:
          *at(0, x, y) = std::uint8_t(e.Y);
          *at(1, x & ~1, y / 2) = std::uint8_t(e.U);
          *at(1, (x & ~1) + 1, y / 2) = std::uint8_t(e.V);
          break;
        default:
          *at(0, x, y) = std::uint8_t(e.Y);
          *at(1, x / 2, y / 2) = std::uint8_t(e.U);
          *at(2, x / 2, y / 2) = std::uint8_t(e.V);
      }
    }
  return d;
}

TEST(FrameConvert, EveryFormatShowsTheBars) {
  const int w = 40, h = 6;  // 40 wide: groups of 8 and a tail
  for (TPixelFormat f : {TPixelFormat::RGB32, TPixelFormat::YUY2, TPixelFormat::UYVY,
                         TPixelFormat::I420, TPixelFormat::YV12, TPixelFormat::NV12}) {
    const auto data = MakeBars(f, w, h);
    const TFrameView v = DescribeFrame(f, data.data(), w, h, NaturalStride(f, w), false);
    std::vector<std::uint32_t> out(std::size_t(w) * h);
    ConvertFrame(v, TColorSettings{}, out.data(), w);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = out[std::size_t(y) * w + x];
        const int* c = Bars[BarOf(x, w)];
        ASSERT_NEAR(Red(p), c[0], 3) << PixelFormatName(f) << " x=" << x << " y=" << y;
        ASSERT_NEAR(Green(p), c[1], 3) << PixelFormatName(f) << " x=" << x << " y=" << y;
        ASSERT_NEAR(Blue(p), c[2], 3) << PixelFormatName(f) << " x=" << x << " y=" << y;
      }
  }
}

TEST(FrameConvert, BottomUpRgbIsTurnedUpright) {
  // Stored rows: the bottom row first; each row a colour of its own.
  const std::uint32_t stored[4][2] = {
      {0x0000FF, 0x0000FF}, {0x00FF00, 0x00FF00}, {0xFFFF00, 0xFFFF00}, {0xFF0000, 0xFF0000}};
  const TFrameView v = DescribeFrame(TPixelFormat::RGB32,
                                     reinterpret_cast<const std::uint8_t*>(stored), 2, 4, 8, true);
  std::uint32_t out[8];
  ConvertFrame(v, TColorSettings{}, out, 2);
  const std::uint32_t upright[4] = {0xFF0000, 0xFFFF00, 0x00FF00, 0x0000FF};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 2; ++x) EXPECT_EQ(out[y * 2 + x], upright[y]) << x << "," << y;
}

TEST(FrameConvert, CopiesAreUprightAndComplete) {
  for (TPixelFormat f : {TPixelFormat::RGB32, TPixelFormat::I420, TPixelFormat::NV12,
                         TPixelFormat::UYVY}) {
    const int w = 16, h = 6;
    const auto data = MakeBars(f, w, h);
    const TFrameView v =
        DescribeFrame(f, data.data(), w, h, NaturalStride(f, w), f == TPixelFormat::RGB32);
    std::vector<std::uint8_t> buffer;
    const TFrameView copy = CopyFrame(v, buffer);
    EXPECT_EQ(buffer.size(), data.size()) << PixelFormatName(f);
    std::vector<std::uint32_t> a(std::size_t(w) * h), b(a.size());
    ConvertFrame(v, TColorSettings{}, a.data(), w);
    ConvertFrame(copy, TColorSettings{}, b.data(), w);
    EXPECT_EQ(a, b) << PixelFormatName(f);
    EXPECT_GT(copy.Stride[0], 0) << PixelFormatName(f);
  }
}

// A copy made as its rows are read holds the rows asked for (with their
// chroma rows) and no other until it is finished; finished, it is the
// whole copy, upright.
TEST(FrameConvert, RowByRowCopyHoldsTheRowsRead) {
  for (TPixelFormat f : {TPixelFormat::RGB32, TPixelFormat::YUY2, TPixelFormat::UYVY, TPixelFormat::I420,
                         TPixelFormat::YV12, TPixelFormat::NV12}) {
    const int w = 6, h = 7, stride = NaturalStride(f, w);
    std::vector<std::uint8_t> data(FrameBytes(f, w, h, stride));
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = std::uint8_t(1 + i % 251);
    const TFrameView v = DescribeFrame(f, data.data(), w, h, stride, f == TPixelFormat::RGB32);
    const bool planar = f == TPixelFormat::I420 || f == TPixelFormat::YV12 || f == TPixelFormat::NV12;
    std::vector<std::uint8_t> buffer;
    TFrameCopy copy;
    const TFrameView c = copy.Start(v, buffer);
    std::fill(buffer.begin(), buffer.end(), std::uint8_t(0));
    copy.Row(4);
    copy.Row(4);
    copy.Row(h);  // beyond the frame: nothing
    auto same = [](const TFrameView& a, const TFrameView& b, int p, int y) {
      const std::size_t n = std::size_t(b.Stride[p]);
      return std::equal(b.Plane[p] + std::ptrdiff_t(y) * b.Stride[p], b.Plane[p] + std::ptrdiff_t(y) * b.Stride[p] + n,
                        a.Plane[p] + std::ptrdiff_t(y) * a.Stride[p]);
    };
    auto empty = [](const TFrameView& b, int p, int y) {
      const std::uint8_t* row = b.Plane[p] + std::ptrdiff_t(y) * b.Stride[p];
      return std::all_of(row, row + b.Stride[p], [](std::uint8_t x) { return x == 0; });
    };
    const char* name = PixelFormatName(f);
    for (int y = 0; y < h; ++y) {
      if (y == 4)
        EXPECT_TRUE(same(v, c, 0, y)) << name << " row " << y;
      else
        EXPECT_TRUE(empty(c, 0, y)) << name << " row " << y;
    }
    if (planar)
      for (int p = 1; p < (f == TPixelFormat::NV12 ? 2 : 3); ++p)
        for (int y = 0; y < (h + 1) / 2; ++y) {
          if (y == 2)
            EXPECT_TRUE(same(v, c, p, y)) << name << " plane " << p << " row " << y;
          else
            EXPECT_TRUE(empty(c, p, y)) << name << " plane " << p << " row " << y;
        }
    copy.Finish();
    std::vector<std::uint8_t> whole;
    CopyFrame(v, whole);
    EXPECT_EQ(buffer, whole) << name;
    EXPECT_TRUE(same(v, c, 0, h - 1)) << name;
  }
}

TEST(FrameConvert, FrameBytesPerFormat) {
  const struct { TPixelFormat F; int W, H; std::size_t Bytes; } cases[] = {
      {TPixelFormat::RGB32, 640, 480, 1228800}, {TPixelFormat::YUY2, 640, 480, 614400},
      {TPixelFormat::I420, 640, 480, 460800},   {TPixelFormat::NV12, 640, 480, 460800},
      {TPixelFormat::YV12, 6, 3, 6 * 3 + 2 * 3 * 2}, {TPixelFormat::NV12, 6, 3, 6 * 3 + 6 * 2},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FrameBytes(c.F, c.W, c.H, NaturalStride(c.F, c.W)), c.Bytes)
        << PixelFormatName(c.F) << " " << c.W << "x" << c.H;
}

// Chroma rows are shared by two picture rows: a frame red in its top half
// and blue in its bottom half keeps the two apart, row for row.
TEST(FrameConvert, PlanarChromaFollowsThePictureRows) {
  const int w = 36, h = 8;  // groups of 8 and a tail
  const TYuv red = EncodeYuv(255, 0, 0), blue = EncodeYuv(0, 0, 255);
  for (TPixelFormat f : {TPixelFormat::I420, TPixelFormat::NV12}) {
    const int stride = NaturalStride(f, w);
    std::vector<std::uint8_t> d(FrameBytes(f, w, h, stride), 0);
    const TFrameView v = DescribeFrame(f, d.data(), w, h, stride, false);
    auto at = [&](int plane, int x, int y) {
      return const_cast<std::uint8_t*>(v.Plane[plane]) + std::ptrdiff_t(y) * v.Stride[plane] + x;
    };
    for (int y = 0; y < h; ++y) {
      const TYuv& e = y < h / 2 ? red : blue;
      for (int x = 0; x < w; ++x) {
        *at(0, x, y) = std::uint8_t(e.Y);
        if (f == TPixelFormat::NV12) {
          *at(1, x & ~1, y / 2) = std::uint8_t(e.U);
          *at(1, (x & ~1) + 1, y / 2) = std::uint8_t(e.V);
        } else {
          *at(1, x / 2, y / 2) = std::uint8_t(e.U);
          *at(2, x / 2, y / 2) = std::uint8_t(e.V);
        }
      }
    }
    std::vector<std::uint32_t> out(std::size_t(w) * h);
    ConvertFrame(v, TColorSettings{}, out.data(), w);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const std::uint32_t p = out[std::size_t(y) * w + x];
        ASSERT_NEAR(Red(p), y < h / 2 ? 255 : 0, 3) << PixelFormatName(f) << " x=" << x << " y=" << y;
        ASSERT_NEAR(Blue(p), y < h / 2 ? 0 : 255, 3) << PixelFormatName(f) << " x=" << x << " y=" << y;
      }
  }
}

// A row read through a column map (as the scaler reads it) takes each
// pixel's chroma from that pixel's own pair, even where the map goes back
// and forth between two pairs of different colours. Pair 0 is red (Y 81,
// Cb 90, Cr 240), pair 1 blue (Y 41, Cb 240, Cr 110).
TEST(FrameConvert, MappedRowsTakeEachPairsOwnChroma) {
  const std::uint8_t yuy2[] = {81, 90, 81, 240, 41, 240, 41, 110};
  const std::uint8_t uyvy[] = {90, 81, 240, 81, 240, 41, 110, 41};
  const std::uint8_t i420[] = {81, 81, 41, 41, 90, 240, 240, 110};  // Y row, Cb row, Cr row
  const std::uint8_t nv12[] = {81, 81, 41, 41, 90, 240, 240, 110};  // Y row, Cb Cr pairs
  const struct {
    TPixelFormat Format;
    const std::uint8_t* Data;
    int Stride;
  } frames[] = {{TPixelFormat::YUY2, yuy2, 8},
                {TPixelFormat::UYVY, uyvy, 8},
                {TPixelFormat::I420, i420, 4},
                {TPixelFormat::NV12, nv12, 4}};
  auto tables = std::make_unique<TYuvTables>();
  tables->Build(TColorSettings{});
  const int map[] = {0, 2, 1, 3, 3, 0};
  const int red[] = {255, 0, 0}, blue[] = {0, 0, 255};
  const int* expected[] = {red, blue, red, blue, blue, red};
  for (const auto& f : frames) {
    const TFrameView v = DescribeFrame(f.Format, f.Data, 4, 1, f.Stride, false);
    std::uint32_t out[6];
    ConvertRow(v, 0, map, 6, *tables, out);
    for (int i = 0; i < 6; ++i) {
      EXPECT_NEAR(Red(out[i]), expected[i][0], 2) << PixelFormatName(f.Format) << " pixel " << i;
      EXPECT_NEAR(Green(out[i]), expected[i][1], 2) << PixelFormatName(f.Format) << " pixel " << i;
      EXPECT_NEAR(Blue(out[i]), expected[i][2], 2) << PixelFormatName(f.Format) << " pixel " << i;
    }
  }
}

// An odd-sized planar frame reads its last chroma column and row.
TEST(FrameConvert, OddSizedPlanarFrame) {
  const int w = 5, h = 3;
  const int stride = NaturalStride(TPixelFormat::I420, w);  // 6
  std::vector<std::uint8_t> d(FrameBytes(TPixelFormat::I420, w, h, stride), 128);
  const TYuv white = EncodeYuv(255, 255, 255);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) d[std::size_t(y) * stride + x] = std::uint8_t(white.Y);
  const TFrameView v = DescribeFrame(TPixelFormat::I420, d.data(), w, h, stride, false);
  std::vector<std::uint32_t> out(std::size_t(w) * h);
  ConvertFrame(v, TColorSettings{}, out.data(), w);
  EXPECT_EQ(out.back(), 0xFFFFFFu);
}

}  // namespace
