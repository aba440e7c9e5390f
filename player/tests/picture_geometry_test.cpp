#include <gtest/gtest.h>

#include <optional>

#include "player/picture_geometry.h"

namespace lc {
namespace {

struct Placement {
  int NativeWidth, NativeHeight;
  double Aspect;
  bool Keep;
  int AreaWidth, AreaHeight, PanScan, OffsetX, OffsetY;
  TRect Expected;  // left, top, right, bottom
};

TEST(PicturePlacement, AspectCorrectedSizeKeepsThePixelCount) {
  EXPECT_EQ(AspectCorrectedSize({720, 576, 1.78, true}), (TSize{859, 483}));
  EXPECT_EQ(AspectCorrectedSize({720, 576, 1.33, true}), (TSize{743, 558}));
  EXPECT_EQ(AspectCorrectedSize({640, 480, 1.33, true}), (TSize{639, 481}));
  EXPECT_EQ(AspectCorrectedSize({1920, 800, 2.4, true}), (TSize{1920, 800}));
  // No picture size: nothing to correct, and nothing divided by zero.
  EXPECT_EQ(AspectCorrectedSize({0, 576, 1.78, true}), (TSize{0, 0}));
  EXPECT_EQ(AspectCorrectedSize({720, 0, 1.78, true}), (TSize{0, 0}));
  EXPECT_EQ(AspectCorrectedSize({720, 576, 0, true}), (TSize{0, 0}));
}

TEST(PicturePlacement, RuleTable) {
  const Placement cases[] = {
      // 16:9 movie in full screen on a 5:4 monitor: fits the width.
      {720, 576, 1.78, true, 1280, 1024, 0, 0, 0, {0, 152, 1280, 872}},
      {720, 576, 1.78, true, 1280, 1024, 10, 0, 0, {-128, 80, 1408, 944}},
      // 4:3 on 16:10 fits the height, centred; pan & scan shifts it up.
      {720, 576, 1.33, true, 1680, 1050, 0, 0, 0, {141, 0, 1539, 1050}},
      {720, 576, 1.33, true, 1680, 1050, 10, 0, 0, {1, -105, 1679, 1155}},
      {720, 576, 1.33, true, 1680, 1050, 0, 0, 10, {141, -105, 1539, 945}},
      {720, 576, 1.33, true, 1680, 1050, 0, 10, 0, {281, 0, 1679, 1050}},
      {720, 576, 1.0, true, 1920, 1080, 0, 0, 0, {420, 0, 1500, 1080}},
      // Shrunk by the 50 % command's pan & scan, enlarged by the largest.
      {640, 480, 1.33, true, 1024, 768, -25, 0, 0, {257, 192, 767, 576}},
      {640, 480, 1.33, true, 1024, 768, 100, 0, 0, {-1018, -768, 2043, 1536}},
      // Offsets: up by 10 % of the height, right by 10 % of the width.
      {1920, 800, 2.4, true, 1920, 1080, 0, 0, 10, {0, 60, 1920, 860}},
      {1920, 800, 2.4, true, 1920, 1080, 0, 10, 0, {192, 140, 2112, 940}},
      // A window of the design size.
      {720, 576, 1.25, true, 317, 245, 0, 0, 0, {5, 0, 311, 245}},
      {352, 288, 1.22, true, 400, 300, 0, 0, 0, {16, 0, 383, 300}},
      // Free mode fills the area, in both variants.
      {720, 576, 1.78, false, 1280, 1024, 0, 0, 0, {0, 0, 1280, 1024}},
      {720, 576, 1.78, false, 1280, 1024, 10, 0, 0, {-128, -102, 1408, 1127}},
      {720, 576, 1.78, false, 400, 300, 0, -10, 10, {-40, -30, 360, 270}},
      // Halves round to even: 2.5 -> 2, 7.5 -> 8, 202.5 -> 202.
      {400, 250, 1.6, true, 400, 250, 0, 0, 1, {0, -2, 400, 248}},
      {400, 250, 1.6, true, 400, 250, 0, 0, 3, {0, -8, 400, 242}},
      {1000, 500, 2.0, true, 405, 300, 0, 0, 0, {0, 49, 405, 251}},
  };
  for (const Placement& c : cases) {
    const PictureShape shape{c.NativeWidth, c.NativeHeight, c.Aspect, c.Keep};
    EXPECT_EQ(PlacePicture(shape, c.AreaWidth, c.AreaHeight, c.PanScan, c.OffsetX, c.OffsetY), c.Expected)
        << c.NativeWidth << "x" << c.NativeHeight << " at " << c.Aspect << " in " << c.AreaWidth << "x"
        << c.AreaHeight << " P " << c.PanScan << " offsets " << c.OffsetX << "," << c.OffsetY;
  }
}

TEST(PicturePlacement, NoNativeSizeFillsTheArea) {
  EXPECT_EQ(PlacePicture({0, 0, 1.78, true}, 640, 480), (TRect{0, 0, 640, 480}));
  EXPECT_EQ(PlacePicture({720, 576, 0, true}, 640, 480, 10), (TRect{-64, -48, 704, 528}));
}

TEST(PicturePlacement, OriginalRatioIsRoundedToHundredths) {
  EXPECT_DOUBLE_EQ(OriginalAspectRatio(720, 576), 1.25);
  EXPECT_DOUBLE_EQ(OriginalAspectRatio(1920, 1080), 1.78);
  EXPECT_DOUBLE_EQ(OriginalAspectRatio(640, 480), 1.33);
  EXPECT_DOUBLE_EQ(OriginalAspectRatio(352, 0), 352.0);  // the height counts as 1
}

TEST(PanScan, AutomaticCoversAThirdOfTheBars) {
  struct Case {
    int MW, MH;
    double A;
    int Expected;
  } cases[] = {
      {1280, 1024, 1.78, 7}, {1024, 768, 2.35, 13}, {640, 480, 2.35, 13},
      {1920, 1080, 1.85, 0},  {1920, 1080, 2.0, 0},  // 1 and 2 count as none
      {1920, 1024, 2.2, 3},
      {1920, 1080, 1.78, 0},  {1280, 1024, 1.33, 0},  // the screen is wide enough
      {1024, 1024, 5.0, 50},  // at most 50
      {768, 1024, 1.0, 6},    // a square picture on an upright screen
  };
  for (const Case& c : cases) EXPECT_EQ(AutomaticPanScan(c.MW, c.MH, c.A), c.Expected) << c.MW << "x" << c.MH;
  EXPECT_EQ(AutomaticPanScan(1024, 0, 2.35), 0);
}

TEST(PanScan, SizeCommandsInFullScreen) {
  EXPECT_EQ(PanScanForPercent(50), -25);
  EXPECT_EQ(PanScanForPercent(75), -37);
  EXPECT_EQ(PanScanForPercent(100), 0);
  EXPECT_EQ(PanScanForPercent(200), 100);
}

const ReachArea kPrimary{0, 0, 1280, 1024};

TEST(WheelSteps, ShrinkTable) {
  struct Case {
    TRect Bounds;
    std::optional<TRect> Expected;
  } cases[] = {
      {{100, 100, 156, 142}, TRect{108, 106, 148, 136}},  // 56 wide: 16 pixels
      {{100, 100, 150, 200}, TRect{105, 110, 145, 190}},  // 50 wide: 10 pixels
      {{100, 100, 147, 147}, TRect{103, 103, 143, 143}},  // odd step: 3 left, 4 right
      {{100, 100, 140, 200}, std::nullopt},               // 40 wide: never
      {{100, 100, 500, 131}, TRect{108, 100, 492, 130}},  // 31 high: down to 30
      {{100, 100, 500, 130}, std::nullopt},               // would fall below 30
      // Kept reachable: the left edge at most 9/10 in, the bottom at least 1/10.
      {{1200, 100, 1600, 400}, TRect{1152, 106, 1536, 394}},
      {{100, 1000, 500, 1300}, TRect{108, 921, 492, 1209}},
      {{-600, -500, -100, -100}, TRect{-356, -285, 128, 102}},
      // Left and top edges short of the nine tenths (1152 across, 921 down)
      // stay where they are.
      {{1100, 100, 1500, 400}, TRect{1108, 106, 1492, 394}},
      {{100, 850, 500, 1150}, TRect{108, 856, 492, 1144}},
      // Edges that end just short of the tenth (102 down, 128 across) still move.
      {{100, -200, 500, 100}, TRect{108, -186, 492, 102}},
      {{-300, 100, 126, 400}, TRect{-282, 105, 128, 394}},
  };
  for (const auto& c : cases) {
    const auto got = WheelShrinkBounds(c.Bounds, c.Bounds.Width(), c.Bounds.Height(), kPrimary);
    EXPECT_EQ(got, c.Expected) << c.Bounds.Left << "," << c.Bounds.Top << " " << c.Bounds.Width() << "x"
                               << c.Bounds.Height();
  }
}

TEST(WheelSteps, GrowTable) {
  // 720 x 576 at 16:9: the corrected picture is 859 x 483; on a 1280 x 1024
  // screen the window grows up to 1718 x 1024.
  const TSize picture{859, 483};
  struct Case {
    TRect Bounds;
    std::optional<TRect> Expected;
  } cases[] = {
      {{100, 100, 500, 400}, TRect{92, 94, 508, 406}},
      {{100, 100, 501, 401}, TRect{92, 94, 509, 407}},
      {{100, 100, 1810, 1100}, TRect{96, 98, 1814, 1103}},  // 8 pixels left to the largest width
      {{0, 0, 1718, 1024}, std::nullopt},                   // as large as it gets
      {{0, 0, 1000, 1020}, std::nullopt},                   // the height would pass 1024
  };
  for (const auto& c : cases)
    EXPECT_EQ(WheelGrowBounds(c.Bounds, picture, 1280, 1024), c.Expected) << c.Bounds.Width();
  // The screen is the limit when it is larger than twice the picture.
  EXPECT_EQ(WheelGrowBounds({0, 0, 1270, 600}, {320, 240}, 1280, 1024), (TRect{-5, -2, 1275, 603}));
  // One pixel of room left: a step of one (the height grows in proportion,
  // 900 / 1717 x 1718 = 900.52); no room in width, or no width: no step.
  EXPECT_EQ(WheelGrowBounds({0, 0, 1717, 900}, picture, 1280, 1024), (TRect{0, 0, 1718, 901}));
  EXPECT_EQ(WheelGrowBounds({0, 0, 1718, 500}, picture, 1280, 1024), std::nullopt);
  EXPECT_EQ(WheelGrowBounds({100, 100, 100, 400}, picture, 1280, 1024), std::nullopt);
}

TEST(WheelSteps, SizingKeepsFortyByThirty) {
  struct Case {
    int Edge;
    TRect Proposed, Expected;
  } cases[] = {
      {1, {100, 100, 120, 300}, {80, 100, 120, 300}},   // left
      {2, {100, 100, 120, 300}, {100, 100, 140, 300}},  // right
      {3, {100, 100, 300, 110}, {100, 80, 300, 110}},   // top
      {4, {100, 100, 120, 110}, {80, 80, 120, 110}},    // top-left
      {5, {100, 100, 120, 110}, {100, 80, 140, 110}},   // top-right
      {6, {100, 100, 300, 110}, {100, 100, 300, 130}},  // bottom
      {7, {100, 100, 120, 110}, {80, 100, 120, 130}},   // bottom-left
      {8, {100, 100, 110, 105}, {100, 100, 140, 130}},  // bottom-right
      {8, {100, 100, 500, 400}, {100, 100, 500, 400}},  // large enough: untouched
  };
  for (const auto& c : cases) EXPECT_EQ(LimitSizingRect(c.Edge, c.Proposed), c.Expected) << "edge " << c.Edge;
}

TEST(SizeCommands, PercentOfTheCorrectedSize) {
  const PictureShape movie{720, 576, 1.78, true};
  const TRect window{100, 100, 500, 400};
  EXPECT_EQ(PercentWindowBounds(50, movie, window, kPrimary), Bounds(85, 129, 430, 241));
  EXPECT_EQ(PercentWindowBounds(100, movie, window, kPrimary), Bounds(-129, 9, 859, 483));
  EXPECT_EQ(PercentWindowBounds(200, movie, window, kPrimary), Bounds(-559, -232, 1718, 965));
  // Already that size: nothing; one side alone is not that size.
  EXPECT_EQ(PercentWindowBounds(100, movie, Bounds(0, 0, 859, 483), kPrimary), std::nullopt);
  EXPECT_EQ(PercentWindowBounds(100, movie, Bounds(0, 0, 859, 400), kPrimary), Bounds(0, -41, 859, 483));  // (400 - 483) div 2 = -41
  // Kept reachable, on the primary screen and on a virtual desktop.
  EXPECT_EQ(PercentWindowBounds(50, movie, {1200, 900, 1600, 1200}, kPrimary), Bounds(1152, 921, 430, 241));
  EXPECT_EQ(PercentWindowBounds(50, movie, {1200, 900, 1600, 1200}, {-1280, 0, 2560, 1024}),
            Bounds(1024, 921, 430, 241));
  EXPECT_EQ(PercentWindowBounds(50, movie, {-900, -900, -500, -600}, kPrimary), Bounds(-302, -139, 430, 241));
  // No native size: no window of no size.
  EXPECT_EQ(PercentWindowBounds(100, {0, 0, 1.78, true}, window, kPrimary), std::nullopt);
}

TEST(ZoomCycle, DoublesWhileItFitsNineTenths) {
  EXPECT_EQ(ZoomDoubleBounds(Bounds(440, 362, 400, 300), 1280, 1024), Bounds(240, 212, 800, 600));
  EXPECT_EQ(ZoomDoubleBounds(Bounds(240, 212, 800, 600), 1280, 1024), std::nullopt);
  EXPECT_EQ(ZoomDoubleBounds(Bounds(0, 0, 450, 450), 1000, 1000), Bounds(-225, -225, 900, 900));
  EXPECT_EQ(ZoomDoubleBounds(Bounds(0, 0, 451, 100), 1000, 1000), std::nullopt);
  EXPECT_EQ(ZoomDoubleBounds(Bounds(0, 0, 100, 451), 1000, 1000), std::nullopt);
  EXPECT_EQ(ZoomDoubleBounds(Bounds(11, 11, 101, 101), 1000, 1000), Bounds(-39, -39, 202, 202));
}

TEST(MovieMode, SubtitleFontSize) {
  EXPECT_EQ(MovieModeSubtitleFontSize(1024, 100), 28);
  EXPECT_EQ(MovieModeSubtitleFontSize(1920, 100), 52);  // 52.5
  EXPECT_EQ(MovieModeSubtitleFontSize(1024, 300), 84);
}

TEST(MovieMode, WideMovieOnAFourThirdsScreen) {
  const PictureShape movie{720, 576, 2.35, true};
  struct Case {
    bool Subtitles, Outline;
    int FontSize, TextHeight;
    int PanScan, OffsetY;
    std::optional<int> Zone;
    TRect Placement;
  } cases[] = {
      {true, true, 28, 32, 13, 6, 9, {-133, 76, 1157, 625}},
      {false, false, 28, 32, 13, 0, std::nullopt, {-133, 109, 1157, 658}},
      // Large subtitles limit the picture so that two lines fit below it.
      {true, true, 28, 120, 10, 23, 16, {-102, 2, 1127, 525}},
      {true, false, 28, 120, 11, 22, 16, {-113, 1, 1136, 532}},
      {true, true, 84, 120, 10, 23, 16, {-102, 2, 1127, 525}},
  };
  for (const auto& c : cases) {
    const MovieModeValues v =
        MovieModeLayout(movie, {1024, 768, c.Subtitles, c.Outline, c.FontSize, c.TextHeight});
    EXPECT_EQ(v.PanScan, c.PanScan) << c.TextHeight;
    EXPECT_EQ(v.OffsetX, 0);
    EXPECT_EQ(v.OffsetY, c.OffsetY) << c.TextHeight;
    EXPECT_EQ(v.SubtitleZone, c.Zone) << c.TextHeight;
    EXPECT_EQ(v.Placement, c.Placement) << c.TextHeight;
  }
}

TEST(MovieMode, ScreenAsWideAsThePictureOnlyResets) {
  // 2.4 on 16:9 is wider; 1.78 on 16:9 and 1.35 on 4:3 are within 1 %.
  MovieModeValues v = MovieModeLayout({1920, 800, 2.4, true}, {1920, 1080, true, true, 52, 40});
  EXPECT_EQ(v.PanScan, 6);
  EXPECT_EQ(v.OffsetY, 5);
  EXPECT_EQ(v.SubtitleZone, 6);
  EXPECT_EQ(v.Placement, (TRect{-115, 47, 2035, 943}));

  // Wider than the screen by less than a third of the bars' worth: no pan
  // & scan, only centred.
  v = MovieModeLayout({720, 576, 2.0, true}, {1920, 1080, false, false, 52, 0});
  EXPECT_EQ(v.PanScan, 0);
  EXPECT_EQ(v.OffsetY, 0);
  EXPECT_EQ(v.Placement, (TRect{0, 60, 1920, 1019}));

  v = MovieModeLayout({720, 576, 1.78, true}, {1920, 1080, false, false, 52, 0});
  EXPECT_EQ(v.PanScan, 0);
  EXPECT_EQ(v.SubtitleZone, std::nullopt);
  EXPECT_EQ(v.Placement, (TRect{0, 0, 1921, 1080}));

  v = MovieModeLayout({720, 576, 1.35, true}, {1024, 768, true, true, 28, 32});
  EXPECT_EQ(v.PanScan, 0);
  EXPECT_EQ(v.OffsetY, 0);
  EXPECT_EQ(v.SubtitleZone, 0);
  EXPECT_EQ(v.Placement, (TRect{-6, 0, 1031, 768}));

  // The free mode fills the screen.
  v = MovieModeLayout({720, 576, 2.35, false}, {1024, 768, true, true, 28, 32});
  EXPECT_EQ(v.PanScan, 0);
  EXPECT_EQ(v.Placement, (TRect{0, 0, 1024, 768}));

  // A one-pixel movie at 5.0 has a corrected height of Round(0.45) = 0:
  // with no height to enlarge it fills the screen like the free mode.
  v = MovieModeLayout({1, 1, 5.0, true}, {1024, 768, true, true, 28, 32});
  EXPECT_EQ(v.PanScan, 0);
  EXPECT_EQ(v.OffsetY, 0);
  EXPECT_EQ(v.SubtitleZone, 0);
  EXPECT_EQ(v.Placement, (TRect{0, 0, 1024, 768}));
}

TEST(PictureOffsets, AStepMovesThePictureAlongOneAxisOnly) {
  struct Case {
    TRect Current;
    int ControlWidth, ControlHeight, OffsetX, OffsetY;
    bool Horizontal;
    TRect Expected;
  } cases[] = {
      // 16:9 in a 400 x 300 control: 400 x 225 at the top 37.
      {{0, 37, 400, 262}, 400, 300, 1, 0, true, {4, 37, 404, 262}},
      {{4, 37, 404, 262}, 400, 300, 1, 1, false, {4, 35, 404, 260}},  // Round(2.25) = 2
      {{0, 37, 400, 262}, 400, 300, -1, 0, true, {-4, 37, 396, 262}},
      {{0, 37, 400, 262}, 400, 300, 0, -2, false, {0, 41, 400, 266}},  // 37 - Round(-4.5) = 37 + 4
      {{0, 37, 400, 262}, 400, 300, 0, 2, false, {0, 33, 400, 258}},
      // A picture wider than the control: (300 - 501) div 2 is -100.
      {{-100, 0, 401, 300}, 300, 300, 10, 0, true, {-50, 0, 451, 300}},
      {{0, 0, 260, 260}, 300, 300, 3, 0, true, {28, 0, 288, 260}},  // Round(7.8) + 20
      {{0, 0, 250, 250}, 300, 300, 0, 100, false, {0, -225, 250, 25}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(OffsetPictureRect(c.Current, c.ControlWidth, c.ControlHeight, c.OffsetX, c.OffsetY, c.Horizontal),
              c.Expected)
        << c.OffsetX << ", " << c.OffsetY;
}

TEST(PictureOffsets, CentringKeepsTheSize) {
  EXPECT_EQ(CentredPictureRect({4, 35, 404, 260}, 400, 300), (TRect{0, 37, 400, 262}));
  EXPECT_EQ(CentredPictureRect({-80, 10, 421, 290}, 300, 300), (TRect{-100, 10, 401, 290}));
  EXPECT_EQ(CentredPictureRect({9, 9, 10, 10}, 0, 0), (TRect{0, 0, 1, 1}));
}

}  // namespace
}  // namespace lc
