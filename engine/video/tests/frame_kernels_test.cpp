#include "engine/video/frame_kernels.h"

#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "engine/video/frame_compose.h"
#include "engine/video/frame_reduce.h"
#include "engine/video/frame_scale.h"
#include "engine/video/tests/video_test_util.h"

namespace {

// Runs the code at one kernel level and restores the best one after.
struct TLevelScope {
  explicit TLevelScope(TKernelLevel Level) { SetKernelLevel(Level); }
  ~TLevelScope() { SetKernelLevel(BestKernelLevel()); }
};

constexpr TKernelLevel VectorLevels[] = {TKernelLevel::Sse2, TKernelLevel::Avx2};

std::vector<std::uint32_t> RandomPixels(std::size_t Count, unsigned Seed) {
  std::mt19937 rng(Seed);
  std::vector<std::uint32_t> px(Count);
  for (auto& p : px) p = rng();  // alpha bytes set too: the kernels must ignore them
  return px;
}

const TColorSettings Hued{300, 15000, -70, 16000, true};

// A frame of random bytes in every plane, rows of the format's natural stride.
struct TRandomFrame {
  TRandomFrame(TPixelFormat Format, int Width, int Height, unsigned Seed)
      : Data(FrameBytes(Format, Width, Height, NaturalStride(Format, Width))) {
    std::mt19937 rng(Seed);
    for (auto& d : Data) d = std::uint8_t(rng());
    View = DescribeFrame(Format, Data.data(), Width, Height, NaturalStride(Format, Width), false);
  }
  std::vector<std::uint8_t> Data;
  TFrameView View;
};

// The scaler's row passes give the same pixels at every level (the plain
// code clears the alpha byte, so colours are compared): enlarged (where
// the AVX2 code picks the pairs out of whole loads), slightly reduced and
// enlarged twice (gathered), 611 = 38 groups of 16 and a tail of 3.
TEST(FrameKernels, ScalerIsTheSameAtEveryLevel) {
  const auto src = RandomPixels(700, 3);
  for (int sourceLength : {517, 650, 300}) {
    TScaleTaps taps;
    taps.Build(0, 611, 0, 611, 0, sourceLength);
    std::vector<std::uint32_t> reference(611), scaled(611), blended(517), blendReference(517);
    {
      TLevelScope plain(TKernelLevel::Plain);
      ScaleRow(src.data(), taps, reference.data());
      BlendRows(src.data(), src.data() + 1, 93, 516, blendReference.data());
    }
    for (TKernelLevel level : VectorLevels) {
      TLevelScope scope(level);
      ScaleRow(src.data(), taps, scaled.data());
      BlendRows(src.data(), src.data() + 1, 93, 516, blended.data());
      for (std::size_t i = 0; i < scaled.size(); ++i)
        ASSERT_EQ(scaled[i] & 0xFFFFFF, reference[i])
            << sourceLength << " level " << int(level) << " pixel " << i;
      for (std::size_t i = 0; i < 516; ++i)
        ASSERT_EQ(blended[i], blendReference[i]) << "level " << int(level) << " pixel " << i;
    }
  }
}

// The fused blend and colour matrix equals the blend followed by the
// matrix, and the AVX2 code equals the SSE2 code.
TEST(FrameKernels, FusedBlendAndMatrixEqualsTheTwoPasses) {
  if (BestKernelLevel() == TKernelLevel::Plain) GTEST_SKIP() << "no vector code in this build";
  auto t = std::make_unique<TRgbTables>();
  t->Build(Hued);
  ASSERT_EQ(t->Kind, TRgbTables::TKind::Matrix);
  const auto a = RandomPixels(304, 5), b = RandomPixels(304, 6);
  std::vector<std::uint32_t> sse2(304);
  for (TKernelLevel level : VectorLevels) {
    TLevelScope scope(level);
    for (int weight : {0, 1, 64, 127, 128}) {
      std::vector<std::uint32_t> twoPasses(304), fused(304);
      BlendRows(a.data(), b.data(), weight, 304, twoPasses.data());
      const int viaMatrix = RgbMatrixSimd(twoPasses.data(), nullptr, 304, *t, twoPasses.data());
      const int done = BlendRowsMatrixSimd(a.data(), b.data(), weight, 304, *t, fused.data());
      ASSERT_EQ(done, 304) << "level " << int(level);
      ASSERT_EQ(viaMatrix, 304) << "level " << int(level);
      for (std::size_t i = 0; i < fused.size(); ++i)
        ASSERT_EQ(fused[i], twoPasses[i]) << "level " << int(level) << " weight " << weight << " pixel " << i;
      if (weight != 64) continue;
      if (level == TKernelLevel::Sse2) sse2 = fused;
      EXPECT_EQ(fused, sse2) << "level " << int(level);
    }
  }
}

// The colour matrix (with and without a column map) and the 4:2:0 row
// conversion give the same pixels with AVX2 as with SSE2.
TEST(FrameKernels, WideKernelsEqualTheSse2Ones) {
  if (BestKernelLevel() < TKernelLevel::Avx2) GTEST_SKIP() << "the processor has no AVX2";
  auto rgb = std::make_unique<TRgbTables>();
  rgb->Build(Hued);
  auto yuv = std::make_unique<TYuvTables>();
  yuv->Build(Hued);
  const auto px = RandomPixels(160, 9);
  std::vector<int> map(160);
  for (std::size_t i = 0; i < map.size(); ++i) map[i] = int((i * 7) % 160);
  std::vector<std::uint8_t> planes(160 + 80 + 80);
  for (std::size_t i = 0; i < planes.size(); ++i) planes[i] = std::uint8_t(px[i % 160] >> 8);
  const std::uint8_t *y = planes.data(), *u = y + 160, *v = u + 80;
  std::vector<std::uint32_t> out[2][3];
  for (int k = 0; k < 2; ++k) {
    TLevelScope scope(VectorLevels[k]);
    for (auto& o : out[k]) o.assign(160, 0);
    EXPECT_EQ(RgbMatrixSimd(px.data(), nullptr, 160, *rgb, out[k][0].data()), 160);
    EXPECT_EQ(RgbMatrixSimd(px.data(), map.data(), 160, *rgb, out[k][1].data()), 160);
    EXPECT_EQ(Yuv420RowSimd(y, u, v, 160, *yuv, out[k][2].data()), 160);
  }
  for (int j = 0; j < 3; ++j)
    for (std::size_t i = 0; i < 160; ++i) ASSERT_EQ(out[1][j][i], out[0][j][i]) << j << " pixel " << i;
}

// A span's pixels do not depend on the column it starts from: an odd start
// (as a scaled picture's span often has) takes the vector code from its
// second pixel on, as the even start before it does, in both 4:2:0 layouts.
TEST(FrameKernels, ASpanFromAnOddColumnMatchesTheEvenOne) {
  auto yuv = std::make_unique<TYuvTables>();
  yuv->Build(Hued);
  const int w = 160, h = 2;
  for (TPixelFormat format : {TPixelFormat::I420, TPixelFormat::NV12}) {
    const TRandomFrame random(format, w, h, 5);
    const TFrameView& frame = random.View;
    for (TKernelLevel level : VectorLevels) {
      TLevelScope scope(level);
      std::vector<std::uint32_t> even(150), odd(149);
      ConvertSpan(frame, 1, 0, 150, *yuv, even.data());
      ConvertSpan(frame, 1, 1, 149, *yuv, odd.data());
      const char* name = PixelFormatName(format);
      ASSERT_NEAR(Green(odd[0]), Green(even[1]), 1) << name;
      for (std::size_t i = 2; i < even.size(); ++i)
        ASSERT_EQ(odd[i - 1], even[i]) << name << " level " << int(level) << " pixel " << i;
    }
  }
}

// A 4:2:0 span from an odd column writes its pixels and not one more: 16
// pixels from column 1 are one on its own and 15 for the vector code, and
// the pixel after them stays as it was; a span of none writes nothing.
TEST(FrameKernels, AnOddSpanEndsAtItsCount) {
  auto yuv = std::make_unique<TYuvTables>();
  yuv->Build(Hued);
  const int w = 40, h = 2;
  constexpr std::uint32_t Guard = 0xDEADBEEF;
  for (TPixelFormat format : {TPixelFormat::I420, TPixelFormat::YV12, TPixelFormat::NV12}) {
    const TRandomFrame random(format, w, h, 9);
    const TFrameView& frame = random.View;
    for (TKernelLevel level : VectorLevels) {
      TLevelScope scope(level);
      for (int count : {16, 24, 17, 0}) {
        std::vector<std::uint32_t> out(std::size_t(count) + 1, Guard);
        ConvertSpan(frame, 1, 1, count, *yuv, out.data());
        EXPECT_EQ(out[std::size_t(count)], Guard)
            << PixelFormatName(format) << " level " << int(level) << " count " << count;
        if (count > 0) {
          EXPECT_NE(out[std::size_t(count) - 1], Guard) << PixelFormatName(format) << " count " << count;
        }
      }
    }
  }
}

// The columns a reducing scaler reads, converted alone, are the pixels the
// span holds at those columns, at every level and in every YUV format:
// pairs of columns from an odd and an even span start (groups of 8 then
// start off and on a pair), columns too far apart to be picked out of one
// load, pairs up to the right edge of an odd-sized row (where the loads
// would reach past it), a span whose tail the table code converts, and
// one column.
TEST(FrameKernels, ColumnsConvertedAloneAreTheSpansPixels) {
  auto yuv = std::make_unique<TYuvTables>();
  yuv->Build(Hued);
  const int w = 203, h = 4;
  auto pairs = [](int From, int To, double Step) {
    std::vector<int> cols;
    for (double x = From; x + 1 < To; x += Step) {
      if (cols.empty() || cols.back() < int(x)) cols.push_back(int(x));
      cols.push_back(int(x) + 1);
    }
    return cols;
  };
  auto every = [](int From, int To, int Step) {
    std::vector<int> cols;
    for (int x = From; x < To; x += Step) cols.push_back(x);
    return cols;
  };
  const struct { int Left, Count; std::vector<int> Cols; } cases[] = {
      {1, 201, pairs(1, 202, 4.17)}, {0, 202, pairs(0, 202, 4.17)}, {2, 199, pairs(3, 201, 2.6)},
      {0, 203, every(0, 203, 3)},    {150, 53, pairs(150, 203, 3.3)}, {37, 20, pairs(37, 57, 3.1)},
      {64, 1, {64}},
  };
  for (TPixelFormat format : {TPixelFormat::I420, TPixelFormat::YV12, TPixelFormat::NV12,
                              TPixelFormat::YUY2, TPixelFormat::UYVY}) {
    const TRandomFrame random(format, w, h, 17);
    for (TKernelLevel level : {TKernelLevel::Plain, TKernelLevel::Sse2, TKernelLevel::Avx2}) {
      if (level > BestKernelLevel()) continue;
      TLevelScope scope(level);
      for (const auto& c : cases) {
        TColumnConversion columns;
        columns.Build(format, w, c.Cols.data(), int(c.Cols.size()), c.Left, c.Count);
        for (int sy : {1, 2}) {
          std::vector<std::uint32_t> span(std::size_t(c.Count)), out(c.Cols.size());
          ConvertSpan(random.View, sy, c.Left, c.Count, *yuv, span.data());
          columns.Convert(random.View, sy, *yuv, out.data());
          for (std::size_t k = 0; k < c.Cols.size(); ++k)
            ASSERT_EQ(out[k], span[std::size_t(c.Cols[k] - c.Left)])
                << PixelFormatName(format) << " level " << int(level) << " span from " << c.Left
                << " row " << sy << " column " << c.Cols[k];
        }
      }
    }
  }
}

// A reduced row converted straight into its scaled width is the span
// converted and then scaled, pixel for pixel: the default window's
// reduction, a crop from an odd column, odd sizes, a mild reduction, one
// by 4.75 (where a group's last column may lie 16 bytes past its first,
// one beyond its load) and a strong one (where few pixels' columns fit in
// one load), in both 4:2:0 layouts. The one pass runs on the row
// wherever groups of four pixels fit in one load (all but the strong
// reduction): a group that silently never forms leaves the pixels right
// but the time of the conversion they replaced. Below AVX2, on any
// processor, it never runs: the caller converts and scales.
TEST(FrameKernels, ReducedRowsAreTheSpanScaled) {
  auto yuv = std::make_unique<TYuvTables>();
  yuv->Build(Hued);
  const struct { int W, Dest, SourceLeft, SourceWidth; bool Pays; } cases[] = {
      {1920, 460, 0, 1920, true}, {1920, 460, 101, 1602, true}, {854, 459, 0, 854, true},
      {721, 460, 25, 670, true},  {1920, 1003, 0, 1920, true},  {203, 60, 0, 203, true},
      {1920, 404, 0, 1920, true}, {1920, 300, 0, 1920, false},
  };
  for (TPixelFormat format : {TPixelFormat::I420, TPixelFormat::YV12, TPixelFormat::NV12}) {
    for (const auto& c : cases) {
      const TRandomFrame random(format, c.W, 4, 23);
      TScaleTaps taps;
      taps.Build(0, c.Dest, 0, c.Dest, c.SourceLeft, c.SourceWidth);
      const int left = taps.First.front(), count = taps.First.back() + 2 - left;
      TReducedRows reduced;
      reduced.Build(format, c.W, taps, left, count);
      for (TKernelLevel level : {TKernelLevel::Plain, TKernelLevel::Sse2, TKernelLevel::Avx2}) {
        if (level > BestKernelLevel()) continue;
        TLevelScope scope(level);
        EXPECT_EQ(reduced.Pays(), c.Pays && level == TKernelLevel::Avx2)
            << PixelFormatName(format) << " " << c.W << " -> " << c.Dest << " level " << int(level);
      }
      if (BestKernelLevel() < TKernelLevel::Avx2) continue;  // the one pass is AVX2 code
      for (int sy = 0; sy < 4; ++sy) {
        std::vector<std::uint32_t> span(std::size_t(count), 0), expected(std::size_t(c.Dest), 0),
            out(std::size_t(c.Dest), 0);
        ConvertSpan(random.View, sy, left, count, *yuv, span.data());
        ScaleRow(span.data() - left, taps, expected.data());
        reduced.Run(random.View, sy, *yuv, out.data());
        for (int i = 0; i < c.Dest; ++i)
          ASSERT_EQ(out[std::size_t(i)], expected[std::size_t(i)])
              << PixelFormatName(format) << " " << c.W << " -> " << c.Dest << " from " << c.SourceLeft
              << " row " << sy << " pixel " << i;
      }
    }
  }
}

// A whole composition (scaled, colours on, odd sizes so every tail runs)
// is the same at both vector levels, and within a step of the plain code.
// Enlarged, an RGB source's colours are adjusted before the scaling;
// reduced, after it in the fused blend. Odd frames of each 4:2:0 layout
// reduced far enough that only the columns the scaler reads are
// converted, in one pass with their scaling at AVX2 (by 3.1 to 4.1) or
// alone by the plain code (by 5.8), and enlarged to an odd width.
TEST(FrameKernels, CompositionIsTheSameAtEveryLevel) {
  const struct {
    TPixelFormat Format;
    int W, H;
    TVideoRect Dest;
  } cases[] = {
      {TPixelFormat::RGB32, 202, 78, {0, 3, 251, 94}}, {TPixelFormat::RGB32, 202, 78, {0, 1, 163, 60}},
      {TPixelFormat::I420, 202, 78, {0, 3, 251, 94}},  {TPixelFormat::I420, 202, 78, {0, 1, 163, 60}},
      {TPixelFormat::NV12, 202, 78, {0, 3, 251, 94}},  {TPixelFormat::NV12, 202, 78, {0, 1, 163, 60}},
      {TPixelFormat::I420, 853, 481, {1, 2, 261, 149}},  {TPixelFormat::YV12, 721, 405, {0, 1, 171, 97}},
      {TPixelFormat::NV12, 1283, 723, {0, 0, 299, 169}}, {TPixelFormat::I420, 1283, 723, {0, 0, 211, 119}},
      {TPixelFormat::NV12, 203, 77, {0, 0, 611, 231}},
  };
  for (const auto& c : cases) {
    const TRandomFrame random(c.Format, c.W, c.H, 11);
    const std::size_t count = std::size_t(c.Dest.Right) * std::size_t(c.Dest.Bottom + 3);
    std::vector<std::uint32_t> results[3];
    const TKernelLevel levels[3] = {TKernelLevel::Plain, TKernelLevel::Sse2, TKernelLevel::Avx2};
    for (int k = 0; k < 3; ++k) {
      TLevelScope scope(levels[k]);
      TFrameCompositor composer;
      composer.SetTarget(c.Dest.Right, c.Dest.Bottom + 3);
      composer.SetPlacement(c.Dest, ZoomSourceRect(c.W, c.H, 5));
      composer.SetColors(Hued);
      composer.Compose(random.View);
      results[k].assign(composer.Pixels(), composer.Pixels() + count);
    }
    const std::string name = std::string(PixelFormatName(c.Format)) + " " + std::to_string(c.W) + " -> " +
                             std::to_string(c.Dest.Width());
    for (std::size_t i = 0; i < count; ++i) {
      ASSERT_EQ(results[2][i], results[1][i]) << name << " pixel " << i;
      const std::uint32_t p = results[0][i], q = results[1][i];
      ASSERT_NEAR(Red(p), Red(q), 1) << name << " pixel " << i;
      ASSERT_NEAR(Green(p), Green(q), 1) << name << " pixel " << i;
      ASSERT_NEAR(Blue(p), Blue(q), 1) << name << " pixel " << i;
    }
  }
}

}  // namespace
