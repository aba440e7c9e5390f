// Where the colour control window and the preset dialog place themselves.
#include "tools/tool_placement.h"

#include <gtest/gtest.h>

namespace lc::tools {
namespace {


TColorPlacementInput ColorInput() {
  TColorPlacementInput In;
  In.Width = 292;
  In.Height = 162;
  In.WorkArea = {0, 0, 1280, 770};
  In.VideoWorkArea = In.WorkArea;
  In.ScreenWidth = 1280;
  In.ScreenHeight = 800;
  In.Main = Bounds(100, 600, 460, 150);
  return In;
}

TEST(ColorPlacement, BelowANormalVideoWindowCentredOnIt) {
  TColorPlacementInput In = ColorInput();
  In.VideoShowing = true;
  In.Video = Bounds(200, 100, 640, 360);
  EXPECT_EQ((TPoint{374, 460}), PlaceColorControl(In));
  // Near the bottom and right edges it is clamped into the work area.
  In.Video = Bounds(1000, 500, 640, 360);
  EXPECT_EQ((TPoint{988, 608}), PlaceColorControl(In));
}

TEST(ColorPlacement, OverAFullScreenVideo) {
  TColorPlacementInput In = ColorInput();
  In.VideoShowing = true;
  In.VideoFullScreen = true;
  EXPECT_EQ((TPoint{494, 478}), PlaceColorControl(In));
  // A short work area lowers the bottom limit.
  In.WorkArea = {0, 0, 1280, 500};
  EXPECT_EQ((TPoint{494, 338}), PlaceColorControl(In));
  In.MonitorsDiffer = true;
  In.VideoMonitor = {1280, 0, 2304, 768};
  // The primary screen's height counts, the monitor's bottom clamps.
  EXPECT_EQ((TPoint{1646, 478}), PlaceColorControl(In));
}

TEST(ColorPlacement, HalfwayBetweenScreenCentreAndMainWindow) {
  TColorPlacementInput In = ColorInput();
  // Main centre (330, 675), screen centre (640, 400).
  EXPECT_EQ((TPoint{339, 456}), PlaceColorControl(In));
  In.MonitorsDiffer = true;
  In.MainMonitor = {0, 0, 1280, 800};
  EXPECT_EQ((TPoint{339, 456}), PlaceColorControl(In));
  // A main window far off the monitor's left edge: clamped to the monitor.
  In.Main = Bounds(-1400, 700, 460, 150);
  EXPECT_EQ((TPoint{0, 506}), PlaceColorControl(In));
  In.Main = Bounds(2400, 2000, 460, 150);
  EXPECT_EQ((TPoint{988, 638}), PlaceColorControl(In));
}

TEST(PresetPlacement, LeftOfBelowOrCentred) {
  TPresetPlacementInput In;
  In.Width = 250;
  In.Height = 300;
  In.Area = {0, 0, 1280, 770};
  In.ScreenWidth = 1280;
  In.ScreenHeight = 800;
  In.Equalizer = Bounds(400, 100, 425, 176);
  EXPECT_EQ((TPoint{150, 38}), PlacePresetDialog(In));
  In.Equalizer = Bounds(100, 100, 425, 176);
  EXPECT_EQ((TPoint{100, 276}), PlacePresetDialog(In));
  In.Equalizer = Bounds(100, 500, 425, 176);
  EXPECT_EQ((TPoint{515, 250}), PlacePresetDialog(In));
  In.MonitorsDiffer = true;
  In.Monitor = {1280, 0, 2560, 1024};
  EXPECT_EQ((TPoint{1795, 362}), PlacePresetDialog(In));
}

TEST(KeepInside, MovesIntoTheArea) {
  EXPECT_EQ((TPoint{855, 0}), KeepInside(Bounds(900, -20, 425, 176), {0, 0, 1280, 770}));
  EXPECT_EQ((TPoint{10, 20}), KeepInside(Bounds(10, 20, 425, 176), {0, 0, 1280, 770}));
  EXPECT_EQ((TPoint{0, 594}), KeepInside(Bounds(-5, 700, 425, 176), {0, 0, 1280, 770}));
}

}  // namespace
}  // namespace lc::tools

// Failures show the point.
void PrintTo(const TPoint& P, std::ostream* O) { *O << "(" << P.X << "," << P.Y << ")"; }
