#include "engine/video/color_adjust.h"

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/video/tests/video_test_util.h"

namespace {

std::uint32_t Rgb(int r, int g, int b) { return (std::uint32_t(r) << 16) | (g << 8) | b; }

std::uint32_t ViaYuv(const TColorSettings& s, int y, int u, int v) {
  auto t = std::make_unique<TYuvTables>();
  t->Build(s);
  const int32_t l = t->Y[y];
  return Rgb(ByteClamp[(l + t->RU[u] + t->RV[v]) >> ColorFracBits],
             ByteClamp[(l + t->GU[u] + t->GV[v]) >> ColorFracBits],
             ByteClamp[(l + t->BU[u] + t->BV[v]) >> ColorFracBits]);
}

std::uint32_t ViaRgb(const TColorSettings& s, std::uint32_t p) {
  auto t = std::make_unique<TRgbTables>();
  t->Build(s);
  t->Apply(&p, 1);
  return p;
}

TEST(ColorAdjust, NeutralYuvTablesDecodeStudioRange) {
  const TColorSettings neutral;
  const struct { int Y, U, V, R, G, B; } cases[] = {
      {16, 128, 128, 0, 0, 0},       {235, 128, 128, 255, 255, 255},
      {126, 128, 128, 128, 128, 128}, {81, 90, 240, 255, 0, 0},
      {145, 54, 34, 0, 255, 0},       {41, 240, 110, 0, 0, 255},
  };
  for (const auto& c : cases) {
    const std::uint32_t p = ViaYuv(neutral, c.Y, c.U, c.V);
    EXPECT_NEAR(Red(p), c.R, 2) << c.Y << "," << c.U << "," << c.V;
    EXPECT_NEAR(Green(p), c.G, 2) << c.Y << "," << c.U << "," << c.V;
    EXPECT_NEAR(Blue(p), c.B, 2) << c.Y << "," << c.U << "," << c.V;
  }
}

// A fixed-point sum (1,024 to a step) becomes the nearest byte, halves
// rounded up, and stops at 0 and 255.
TEST(ColorAdjust, FixedPointSumsRoundToTheNearestByte) {
  const struct { int32_t Sum; int Byte; } cases[] = {
      {511, 0},      {512, 1},      {1535, 1},     {1536, 2},   {-512, 0},
      {-513, 0},     {-100000, 0},  {261631, 255}, {262144, 255}, {10000000, 255},
  };
  for (const auto& c : cases) EXPECT_EQ(ClampFixed(c.Sum), c.Byte) << c.Sum;
}

TEST(ColorAdjust, NeutralRgbIsIdentity) {
  auto t = std::make_unique<TRgbTables>();
  t->Build(TColorSettings{});
  EXPECT_EQ(t->Kind, TRgbTables::TKind::Identity);
  std::vector<std::uint32_t> px = {Rgb(1, 2, 3), Rgb(200, 100, 50), Rgb(255, 255, 255)};
  const auto before = px;
  t->Apply(px.data(), int(px.size()));
  EXPECT_EQ(px, before);
}

// Each control moves a mid-grey or a red pixel the way its knob says.
TEST(ColorAdjust, EachControlMovesPixelsTheExpectedWay) {
  const struct {
    const char* Name;
    TColorSettings S;
    std::uint32_t In, Out;
  } cases[] = {
      {"brightness up 10 IRE", {1750, 10000, 0, 10000, true}, Rgb(100, 100, 100), Rgb(126, 126, 126)},
      {"brightness down", {0, 10000, 0, 10000, true}, Rgb(100, 100, 100), Rgb(81, 81, 81)},
      {"contrast half", {750, 5000, 0, 10000, true}, Rgb(200, 100, 40), Rgb(100, 50, 20)},
      {"contrast double clips", {750, 20000, 0, 10000, true}, Rgb(200, 100, 40), Rgb(255, 200, 80)},
      {"saturation off", {750, 10000, 0, 0, true}, Rgb(255, 0, 0), Rgb(76, 76, 76)},
      {"colour switch off", {750, 10000, 0, 10000, false}, Rgb(0, 0, 255), Rgb(29, 29, 29)},
      {"hue half turn", {750, 10000, 180, 10000, true}, Rgb(200, 100, 100), Rgb(60, 160, 160)},
  };
  for (const auto& c : cases) {
    const std::uint32_t p = ViaRgb(c.S, c.In);
    EXPECT_NEAR(Red(p), Red(c.Out), 1) << c.Name;
    EXPECT_NEAR(Green(p), Green(c.Out), 1) << c.Name;
    EXPECT_NEAR(Blue(p), Blue(c.Out), 1) << c.Name;
  }
}

// A YUV source and an RGB source of the same colour agree under the same
// (non-neutral) settings.
TEST(ColorAdjust, YuvAndRgbPathsAgree) {
  const TColorSettings s{2000, 13000, 40, 7000, true};
  const int colours[][3] = {{200, 60, 30}, {20, 180, 90}, {128, 128, 128}, {60, 60, 220}};
  for (const auto& c : colours) {
    const TYuv yuv = EncodeYuv(c[0], c[1], c[2]);
    const std::uint32_t a = ViaYuv(s, yuv.Y, yuv.U, yuv.V);
    const std::uint32_t b = ViaRgb(s, Rgb(c[0], c[1], c[2]));
    EXPECT_NEAR(Red(a), Red(b), 3) << c[0] << "," << c[1] << "," << c[2];
    EXPECT_NEAR(Green(a), Green(b), 3) << c[0] << "," << c[1] << "," << c[2];
    EXPECT_NEAR(Blue(a), Blue(b), 3) << c[0] << "," << c[1] << "," << c[2];
  }
}

// The vector kernel (whole groups of 8) and the table code (the tail)
// agree within one step on random pixels.
TEST(ColorAdjust, VectorAndTablePathsAgree) {
  for (const TColorSettings& s : {TColorSettings{300, 15000, -70, 16000, true},
                                  TColorSettings{1200, 8000, 0, 10000, true}}) {
    auto t = std::make_unique<TRgbTables>();
    t->Build(s);
    std::mt19937 rng(7);
    std::vector<std::uint32_t> px(803);
    for (auto& p : px) p = rng() & 0xFFFFFF;
    std::vector<std::uint32_t> one = px;
    t->Apply(px.data(), int(px.size()));
    for (auto& p : one) t->Apply(&p, 1);  // single pixels never reach the vector code
    for (std::size_t i = 0; i < px.size(); ++i) {
      ASSERT_NEAR(Red(px[i]), Red(one[i]), 1) << i;
      ASSERT_NEAR(Green(px[i]), Green(one[i]), 1) << i;
      ASSERT_NEAR(Blue(px[i]), Blue(one[i]), 1) << i;
    }
  }
}

}  // namespace
