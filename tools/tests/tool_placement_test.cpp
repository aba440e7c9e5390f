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

TDialogPlacementInput DialogInput() {
  TDialogPlacementInput In;
  In.Width = 250;
  In.Height = 132;
  In.WorkArea = {0, 0, 1280, 770};
  In.ScreenWidth = 1280;
  In.ScreenHeight = 800;
  In.Main = Bounds(100, 600, 460, 150);
  In.Video = Bounds(200, 100, 640, 360);
  In.VideoWorkArea = In.WorkArea;
  In.VideoMonitor = {0, 0, 1280, 800};
  return In;
}

TEST(DialogPlacement, HalfwayBetweenScreenAndMainWindowCentres) {
  TDialogPlacementInput In = DialogInput();
  // Centres 640,400 and 330,675: halfway 485,537.
  EXPECT_EQ((TPoint{360, 471}), PlaceBetweenMain(In));
  // Kept inside the work area; the right and bottom limits win.
  In.Main = Bounds(1800, 1200, 460, 150);
  EXPECT_EQ((TPoint{1030, 638}), PlaceBetweenMain(In));
  In.Width = 2000;
  EXPECT_EQ(-720, PlaceBetweenMain(In).X);
}

TEST(DialogPlacement, AgainstTheMainWindowsMonitorWhenMonitorsDiffer) {
  TDialogPlacementInput In = DialogInput();
  In.MonitorsDiffer = true;
  In.MainMonitor = {1280, 0, 2304, 768};
  In.Main = Bounds(1400, 100, 460, 150);
  // Centres 1792,384 and 1630,175: halfway 1711,279.
  EXPECT_EQ((TPoint{1586, 213}), PlaceBetweenMain(In));
  In.Main = Bounds(-500, 100, 460, 150);
  EXPECT_EQ(1280, PlaceBetweenMain(In).X);
}

TEST(DialogPlacement, CentredOnTheVideosMonitorInFullScreen) {
  TDialogPlacementInput In = DialogInput();
  In.VideoFullScreen = true;
  In.OnFullScreenVideo = true;
  In.VideoMonitor = {1280, 0, 2304, 768};
  EXPECT_EQ((TPoint{1667, 318}), PlaceBetweenMain(In));
  EXPECT_EQ((TPoint{1667, 318}), PlaceBelowVideo(In));
  // The main window not put aside (it shows on another monitor): the jump
  // and aspect dialogs still centre on the video's monitor, the others go
  // by the main window.
  In.OnFullScreenVideo = false;
  EXPECT_EQ((TPoint{1667, 318}), PlaceBelowVideo(In));
  EXPECT_EQ((TPoint{360, 471}), PlaceBetweenMain(In));
}

TEST(DialogPlacement, BelowTheVideoWindow) {
  TDialogPlacementInput In = DialogInput();
  // Halfway between 640 and the video's centre 520: 580, less half the width.
  EXPECT_EQ((TPoint{455, 460}), PlaceBelowVideo(In));
  In.Video = Bounds(200, 500, 640, 360);
  EXPECT_EQ(638, PlaceBelowVideo(In).Y);
  In.MonitorsDiffer = true;
  In.Video = Bounds(1400, 100, 640, 360);
  In.VideoWorkArea = {1280, 0, 2304, 738};
  EXPECT_EQ((TPoint{1595, 460}), PlaceBelowVideo(In));
}

}  // namespace
}  // namespace lc::tools

// Failures show the point.
void PrintTo(const TPoint& P, std::ostream* O) { *O << "(" << P.X << "," << P.Y << ")"; }
