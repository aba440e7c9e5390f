// The painting arithmetic and the command steps, as tables.
#include "subtitles/display_rules.h"

#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

TEST(PainterFontSize, FollowsWidthSizeScaleAndResolution) {
  struct Case {
    double Scale;
    int Size, Width, Ppi, Expected;
  };
  const Case cases[] = {
      {1.0, 100, 640, 96, 18},   // 17.5 rounds to even
      {1.0, 100, 400, 96, 11},   // 10.94
      {0.5, 100, 640, 96, 9},    // 8.75
      {1.0, 100, 640, 120, 14},  // 14.0
      {1.0, 300, 1920, 96, 158}, // 157.5 rounds to even
      {1.0, 10, 10, 96, 1},      // 0.03: never below 1
      {1.0, 100, 0, 96, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Expected, PainterFontSize(c.Scale, c.Size, c.Width, c.Ppi)) << c.Size << " " << c.Width;
}

TEST(FontDialogSizes, PointsToSubtitleSize) {
  EXPECT_EQ(100, SubtitleSizeFromDialog(28, 1024));
  EXPECT_EQ(99, SubtitleSizeFromDialog(52, 1920));  // 99.05
  EXPECT_EQ(10, SubtitleSizeFromDialog(1, 1920));    // 1.9, kept at 10
  EXPECT_EQ(1000, SubtitleSizeFromDialog(600, 1024));  // 2142.9, kept at 1000
  EXPECT_EQ(269, LineWidthLimit(85, 317));  // 269.45
  EXPECT_EQ(360, LineWidthLimit(90, 400));
}

TEST(OutlineColors, DarkTextsGetWhiteOutlinesAndLightKeys) {
  struct Case {
    Rgb Text, Outline, Key;
  };
  const Case cases[] = {
      {{255, 255, 255}, {0, 0, 0}, {63, 63, 63}},
      {{0, 0, 0}, {255, 255, 255}, {192, 192, 192}},
      {{0, 0, 128}, {255, 255, 255}, {192, 192, 224}},
      {{128, 128, 128}, {255, 255, 255}, {224, 224, 224}},
      {{0, 0, 255}, {255, 255, 255}, {192, 192, 255}},
      {{128, 0, 0}, {255, 255, 255}, {224, 192, 192}},
      {{0, 128, 0}, {255, 255, 255}, {192, 224, 192}},
      {{128, 128, 0}, {255, 255, 255}, {224, 224, 192}},
      {{128, 0, 128}, {255, 255, 255}, {224, 192, 224}},
      {{0, 128, 128}, {255, 255, 255}, {192, 224, 224}},
      {{0, 128, 1}, {0, 0, 0}, {0, 32, 0}},
      {{255, 255, 0}, {0, 0, 0}, {63, 63, 0}},
      {{255, 0, 0}, {0, 0, 0}, {63, 0, 0}},
      // Not one of the nine: a black outline even though it is dark.
      {{0, 0, 127}, {0, 0, 0}, {0, 0, 31}},
      // Darkened to black, the outline colour: the key becomes (1, 1, 1).
      {{1, 2, 3}, {0, 0, 0}, {1, 1, 1}},
      {{3, 3, 3}, {0, 0, 0}, {1, 1, 1}},
      {{4, 0, 0}, {0, 0, 0}, {1, 0, 0}},
  };
  for (const Case& c : cases) {
    const OutlineColors got = OutlineColorsFor(c.Text);
    EXPECT_EQ(c.Outline, got.Outline) << int(c.Text.R) << "," << int(c.Text.G) << "," << int(c.Text.B);
    EXPECT_EQ(c.Key, got.Key) << int(c.Text.R) << "," << int(c.Text.G) << "," << int(c.Text.B);
  }
}

using Offsets = std::vector<Offset>;

Offsets Of(std::span<const Offset> offsets) { return {offsets.begin(), offsets.end()}; }

TEST(OutlineOffsets, TiersByFontSize) {
  const Offsets small{{-1, -1}, {-1, 1}, {1, -1}, {1, 1}};
  const Offsets medium{{-2, -2}, {-2, 0}, {-2, -1}, {-2, 2}, {-1, -2}, {0, -2},
                       {1, -2},  {2, -2}, {2, -1},  {2, 0},  {2, 1},   {2, 2}};
  const Offsets large{{-3, -3}, {-3, -1}, {-3, 0}, {-3, 2}, {-3, 3}, {-2, -3}, {-1, -3},
                      {-1, 3},  {0, -3},  {1, -3}, {1, -2}, {2, -3}, {3, -3},  {3, -2},
                      {3, -1},  {3, 0},   {3, 1},  {3, 2},  {3, 3}};
  EXPECT_EQ(Offsets{}, Of(OutlineOffsets(1)));
  EXPECT_EQ(Offsets{}, Of(OutlineOffsets(9)));
  EXPECT_EQ(small, Of(OutlineOffsets(10)));
  EXPECT_EQ(small, Of(OutlineOffsets(15)));
  EXPECT_EQ(medium, Of(OutlineOffsets(16)));
  EXPECT_EQ(medium, Of(OutlineOffsets(42)));
  EXPECT_EQ(large, Of(OutlineOffsets(43)));
  EXPECT_EQ(large, Of(OutlineOffsets(200)));
}

TEST(ShadowOffsets, TiersByFontSize) {
  const Offsets s16{{2, 2}, {2, 3}, {3, 2}, {3, 3}};
  const Offsets s26{{2, 2}, {2, 4}, {4, 2}, {4, 4}};
  const Offsets s44{{3, 3}, {3, 5}, {7, 3}, {7, 5}};
  const Offsets s55{{2, 3}, {2, 7}, {8, 3}, {8, 7}};
  const std::pair<int, Offsets> cases[] = {{15, {}}, {16, s16}, {25, s16}, {26, s26}, {43, s26},
                                           {44, s44}, {54, s44}, {55, s55}, {300, s55}};
  for (const auto& [size, expected] : cases) EXPECT_EQ(expected, Of(ShadowOffsets(size))) << size;
}

TEST(OutlinePlacement, BitmapAndBand) {
  const BackBitmapSize size = OutlineBitmapSize(200, 2, 20);
  EXPECT_EQ(209, size.Width);
  EXPECT_EQ(51, size.Height);
  EXPECT_EQ(3, OutlineLineX(209, 200));
  EXPECT_EQ(53, OutlineLineX(209, 100));
  EXPECT_EQ(3, OutlineLineY(0, 20));
  EXPECT_EQ(43, OutlineLineY(2, 20));
  // Zone 0: the second bound, H - BH + 6.
  EXPECT_EQ(266, OutlineBandTop(300, 0, 40));
  // Zone 50: H - Round(H / 2) - BH div 2 + 3.
  EXPECT_EQ(133, OutlineBandTop(300, 50, 40));
  EXPECT_EQ(134, OutlineBandTop(301, 50, 41));  // 301 - 150 - 20 + 3 (150.5 rounds to even)
  // Zone 10 on 300 rows: 300 - 30 - 25 + 2 + 1.
  EXPECT_EQ(248, OutlineBandTop(300, 10, 51));
  EXPECT_EQ(97, OutlineCopyX(400, 209));
  EXPECT_EQ(-8, OutlineCopyX(400, 421));
}

TEST(DirectPlacement, GapBandAndRows) {
  DirectPlacement p = PlaceDirectLines(300, 300, 10, 2, 20, 300);
  EXPECT_EQ(10, p.Gap);  // Round(30) - 40 div 2
  EXPECT_EQ(249, p.BandTop);
  EXPECT_EQ(250, DirectLineY(300, 2, 0, 20, p.Gap));
  EXPECT_EQ(270, DirectLineY(300, 2, 1, 20, p.Gap));
  p = PlaceDirectLines(300, 300, 0, 2, 20, 300);
  EXPECT_EQ(0, p.Gap);
  EXPECT_EQ(259, p.BandTop);
  EXPECT_EQ(280, DirectLineY(300, 2, 1, 20, p.Gap));
  // A band already higher (the outline of another line list) stays.
  EXPECT_EQ(100, PlaceDirectLines(300, 300, 0, 2, 20, 100).BandTop);
  // The gap follows the window's height, the rows the control's.
  p = PlaceDirectLines(280, 400, 10, 1, 20, 280);
  EXPECT_EQ(30, p.Gap);
  EXPECT_EQ(229, p.BandTop);
  EXPECT_EQ(230, DirectLineY(280, 1, 0, 20, p.Gap));
  EXPECT_EQ(150, DirectLineX(400, 100));
  EXPECT_EQ(-1, DirectLineX(400, 403));
}

TEST(CommandSteps, RoundingSizeAndZone) {
  const int rounding[][2] = {{12, 10}, {13, 15}, {10, 10}, {0, 0}, {1002, 1000}, {1003, 1005}, {-2, 0}};
  for (const auto& r : rounding) EXPECT_EQ(r[1], RoundToMultipleOf5(r[0])) << r[0];
  EXPECT_EQ(105, SubtitleSizeStep(100, true));
  EXPECT_EQ(95, SubtitleSizeStep(100, false));
  EXPECT_EQ(1000, SubtitleSizeStep(998, true));
  EXPECT_EQ(1000, SubtitleSizeStep(1000, true));
  EXPECT_EQ(10, SubtitleSizeStep(10, false));
  EXPECT_EQ(10, SubtitleSizeStep(12, false));
  EXPECT_EQ(20, SubtitleSizeStep(13, true));  // 18 rounds up
  EXPECT_EQ(50, DisplayZoneStep(50, true));
  EXPECT_EQ(50, DisplayZoneStep(49, true));
  EXPECT_EQ(49, DisplayZoneStep(50, false));
  EXPECT_EQ(0, DisplayZoneStep(0, false));
  EXPECT_EQ(1, DisplayZoneStep(0, true));
}

TEST(CommandSteps, DelayShiftsAndTheirText) {
  Subtitle s;
  s.Start = {200, 4000};
  s.End = {1500, 6000};
  ShiftSubtitleTimes(s, -500);
  EXPECT_EQ((std::vector<std::int32_t>{-300, 3500}), s.Start);
  EXPECT_EQ((std::vector<std::int32_t>{1000, 5500}), s.End);
  ShiftSubtitleTimes(s, 10000);
  EXPECT_EQ((std::vector<std::int32_t>{9700, 13500}), s.Start);
  EXPECT_EQ((std::vector<std::int32_t>{11000, 15500}), s.End);
  EXPECT_EQ("-1.5", DelaySeconds(-15, '.'));
  EXPECT_EQ("-1,5", DelaySeconds(-15, ','));
  EXPECT_EQ("-0.5", DelaySeconds(-5, '.'));
  EXPECT_EQ("0.5", DelaySeconds(5, '.'));
  EXPECT_EQ("0.0", DelaySeconds(0, '.'));
  EXPECT_EQ("10.0", DelaySeconds(100, '.'));
  EXPECT_EQ("12.5", DelaySeconds(125, '.'));
}

TEST(EntryAt, FirstEntryHoldingThePosition) {
  Subtitle s;
  s.Start = {1000, 3000, 2500};
  s.End = {3000, 5000, 4000};
  s.Durations = {500, 2000, 1000};
  s.Text = {"a", "b", "c"};
  const std::pair<std::int64_t, int> byEnds[] = {{999, -1}, {1000, 0}, {2999, 0}, {3000, 1},
                                                 {4999, 1}, {5000, -1}, {-1, -1}};
  for (const auto& [at, entry] : byEnds) EXPECT_EQ(entry, EntryAt(s, at, false)) << at;
  // By display lengths: the first ends at 1500, the third runs 2500 .. 3500.
  const std::pair<std::int64_t, int> byDurations[] = {{1499, 0}, {1500, -1}, {2600, 2}, {3000, 1}, {4999, 1}};
  for (const auto& [at, entry] : byDurations) EXPECT_EQ(entry, EntryAt(s, at, true)) << at;
  EXPECT_EQ(-1, EntryAt(Subtitle{}, 0, false));
}

TEST(IsWideUpperCase, CapitalsOfEachScript) {
  const char16_t upper[] = {u'A',   u'Z',   0x00C0, 0x00D6, 0x00D8, 0x00DE, 0x0100, 0x0132, 0x0139, 0x0147,
                            0x014A, 0x0178, 0x0179, 0x017D, 0x0181, 0x01C4, 0x01CD, 0x01DB, 0x01DE, 0x01F1,
                            0x01F6, 0x01F7, 0x0218, 0x021A, 0x0386, 0x0388, 0x038C, 0x038F, 0x0391, 0x03A1,
                            0x03A3, 0x03AB, 0x03E2, 0x03EE, 0x0401, 0x040C, 0x040E, 0x0410, 0x042F, 0x0460,
                            0x0490, 0x04D0, 0x0531, 0x0556, 0x10A0, 0x10C5, 0x1E00, 0x1E94, 0x1EA0, 0x1EF8,
                            0x1F08, 0x1F59, 0x1FFB, 0x2160, 0x216F, 0x24B6, 0x24CF, 0xFF21, 0xFF3A};
  for (char16_t c : upper) EXPECT_TRUE(IsWideUpperCase(c)) << std::hex << int(c);
  const char16_t other[] = {u'a',   u'z',   u'@',   u'[',   u'-',   0x00D7, 0x00DF, 0x00E0, 0x0101, 0x0130,
                            0x0131, 0x013A, 0x0148, 0x0149, 0x017E, 0x017F, 0x01C5, 0x01C6, 0x01C8, 0x01CB,
                            0x01DC, 0x01F2, 0x0219, 0x021B, 0x0387, 0x038B, 0x0390, 0x03A2, 0x03AC, 0x03B1,
                            0x03E3, 0x03EF, 0x0400, 0x040D, 0x0430, 0x0461, 0x0557, 0x0561, 0x10C6, 0x10D0,
                            0x1E01, 0x1E95, 0x1E9E, 0x1EA1, 0x1F00, 0x1F10, 0x1F58, 0x1FFC, 0x2170, 0x24D0,
                            0xFF20, 0xFF41, 0x0000, 0xFFFF};
  for (char16_t c : other) EXPECT_FALSE(IsWideUpperCase(c)) << std::hex << int(c);
}

// Capitals per block, counted by hand from the script tables: every
// capital of a block and nothing else in it.
TEST(IsWideUpperCase, CapitalsPerBlock) {
  struct Block {
    char16_t First, Last;
    int Capitals;
  };
  const Block blocks[] = {
      {0x0000, 0x007F, 26},  {0x0080, 0x00FF, 30},  {0x0100, 0x017F, 62},  {0x0180, 0x024F, 78},
      {0x0370, 0x03FF, 40},  {0x0400, 0x04FF, 111}, {0x0530, 0x058F, 38},  {0x10A0, 0x10FF, 38},
      {0x1E00, 0x1EFF, 120}, {0x1F00, 0x1FFF, 69},  {0x2150, 0x218F, 16},  {0x2460, 0x24FF, 26},
      {0xFF00, 0xFFEF, 26},
  };
  int total = 0;
  for (const Block& b : blocks) {
    int n = 0;
    for (char32_t c = b.First; c <= b.Last; ++c) n += IsWideUpperCase(static_cast<char16_t>(c));
    EXPECT_EQ(b.Capitals, n) << std::hex << int(b.First);
    total += n;
  }
  int all = 0;
  for (char32_t c = 0; c <= 0xFFFF; ++c) all += IsWideUpperCase(static_cast<char16_t>(c));
  EXPECT_EQ(total, all) << "capitals outside the blocks";
}

}  // namespace
}  // namespace lc::subtitles
