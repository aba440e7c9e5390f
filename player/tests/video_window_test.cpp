// The video window on the virtual display (1920 x 1080), with the colour
// bars (320 x 240: red, green, blue and white, 80 pixels each) paused in
// the video control: full screen and back, the OSD over the
// picture, sizing by the zones and the wheel, the picture commands,
// display-mode switching against a table of modes the display accepts, the
// keys typed on the picture and files dropped on it.
#include "player/video_window.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/menus.h"
#include "player/display_switch.h"
#include "player/tests/graph_fixture.h"
#include "playlist/tests/drop_support.h"

namespace {

using lc::Player;
using lc::Program;

using lctest::Pump;

// The display as a table of the modes it accepts; switching changes the
// mode in force at once.
class FakeDisplay : public lc::DisplaySwitch {
 public:
  lc::DisplayMode Current{1920, 1080, 60};
  std::vector<lc::DisplayMode> Offered{{800, 600, 60}, {640, 480, 75}, {640, 480, 60}, {1920, 1080, 60}};
  std::vector<lc::DisplayMode> Accepted{{1920, 1080, 60}, {800, 600, 60}};
  std::vector<lc::DisplayMode> Switched;

  std::vector<lc::DisplayMode> Modes() override { return Offered; }
  lc::DisplayMode CurrentMode() override { return Current; }
  bool TestMode(const lc::DisplayMode& Mode) override {
    return std::find(Accepted.begin(), Accepted.end(), Mode) != Accepted.end();
  }
  bool SetMode(const lc::DisplayMode& Mode) override {
    Switched.push_back(Mode);
    Current = Mode;
    return true;
  }
};

class VideoWindowTest : public lc::testing::GraphFixture {
 protected:
  void AdjustSettings(lc::settings::SettingsStore& S) override {
    S.OsdColor = 0x00FFFF;  // yellow: none of the bars' colours
  }
  void SetUp() override {
    GraphFixture::SetUp();
    Program().DisplayModeNames = {"640 x 480 x 60 Hz", "800 x 600 x 60 Hz", "1920 x 1080 x 60 Hz"};
    auto fake = std::make_unique<FakeDisplay>();
    display = fake.get();
    form->SetDisplaySwitch(std::move(fake));
  }

  TRect Bounds() const { return video->BoundsRect(); }
  TRect Picture() const { return video->VideoWindow->VideoRect; }

  // Yellow pixels (the OSD text) in the rectangle.
  int YellowPixels(const TRect& R) {
    int n = 0;
    for (int y = R.Top; y < R.Bottom; ++y)
      for (int x = R.Left; x < R.Right; ++x) {
        const COLORREF c = Pixel(x, y);
        if (GetRValue(c) > 200 && GetGValue(c) > 200 && GetBValue(c) < 80) ++n;
      }
    return n;
  }

  void Wheel(bool Up) { video->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, Up ? WHEEL_DELTA : -WHEEL_DELTA), 0); }

  FakeDisplay* display = nullptr;
};

TEST_F(VideoWindowTest, CreatedAsTheBorderlessVideoWindow) {
  EXPECT_EQ(video->Caption(), L"LcFormTestVideoWindow");
  EXPECT_EQ(video->VideoWindow->BoundsRect(), (TRect{0, 0, 400, 300}));
  // The zones follow the window's edges.
  EXPECT_EQ(video->ResizeZones[0]->BoundsRect(), (TRect{0, 10, 5, 290}));
  EXPECT_EQ(video->ResizeZones[7]->BoundsRect(), (TRect{390, 290, 400, 300}));
  EXPECT_EQ(video->ResizeZones[7]->Tag, 8);
  EXPECT_EQ(video->ResizeZones[4]->BoundsRect(), (TRect{390, 0, 400, 10}));
}

TEST_F(VideoWindowTest, FilesDroppedOnTheVideoWindowOpenAsOnTheMainWindow) {
  lc::settings::testing::WriteBytes(folder.File("drop.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  const HDROP Drop = lc::playlist::testing::MakeDrop({Utf8ToWide(folder.File("drop.avi"))});
  video->Perform(WM_DROPFILES, reinterpret_cast<WPARAM>(Drop), 0);
  EXPECT_EQ(form->Playlist().Entries().PlaylistMovies, std::vector<std::string>{folder.File("drop.avi")});
  EXPECT_EQ(rooms.Log, std::vector<std::string>{"OpenMovie play parts"});
}

TEST_F(VideoWindowTest, FullScreenAndBackRestoresTheExactBounds) {
  ShowBars(1.33);
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  video->SetFullScreen(false);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{0, 0, 1920, 1080}));
  // 4:3 on 16:9 fits the height, centred.
  EXPECT_EQ(Picture(), (TRect{240, 0, 1680, 1080}));
  EXPECT_FALSE(video->ResizeZones[3]->Enabled);
  EXPECT_TRUE(form->PanScanMenuVisible);
  EXPECT_FALSE(form->WindowSizeMenuVisible);
  EXPECT_EQ(Player().ModeBeforeFullScreen, "M1920x1080x60Hz");
  EXPECT_TRUE(display->Switched.empty());  // "No change"

  video->SetNormalScreen();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  EXPECT_TRUE(video->ResizeZones[3]->Enabled);
  EXPECT_FALSE(form->PanScanMenuVisible);
  EXPECT_TRUE(form->Enabled());
  EXPECT_EQ(form->Tag, 0);
}

TEST_F(VideoWindowTest, ModeSwitchesRefuseWhileBusy) {
  Program().BusyFlag = true;
  video->SetFullScreen(false);
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  Program().BusyFlag = false;
  video->SetFullScreen(false);
  Program().BusyFlag = true;
  video->SetNormalScreen();
  EXPECT_TRUE(video->FullScreen);
  Program().BusyFlag = false;
}

TEST_F(VideoWindowTest, AutoHiddenMainWindowIsParkedAndAClickBringsItBack) {
  Program().Settings.AutoHideMainWindow = true;
  video->VideoWindowDblClick();
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(form->Tag, 1);
  EXPECT_FALSE(form->Enabled());  // it lies only under the full-screen video
  // The click of the double click itself is ignored.
  video->VideoWindowClick();
  EXPECT_EQ(form->Tag, 1);
  video->LastDoubleClickTime = 0;
  video->VideoWindowClick();
  EXPECT_EQ(form->Tag, 0);
  EXPECT_TRUE(form->Enabled());
  video->VideoWindowClick();  // and the next click parks it again
  EXPECT_EQ(form->Tag, 1);
  video->VideoWindowDblClick();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_TRUE(form->Enabled());
  EXPECT_EQ(form->Tag, 0);
}

TEST_F(VideoWindowTest, TheOsdTextShowsOverThePictureAndGoesAfterItsTime) {
  ShowBars(1.33);
  // A window 400 wide on a 1920 monitor: 9 points at (40, 30).
  const TRect band{40, 30, 160, 50};
  EXPECT_EQ(YellowPixels(band), 0);
  form->ShowOSD("Volume: 50%");
  Pump(150);
  EXPECT_GT(YellowPixels(band), 20);
  EXPECT_EQ(video->VideoWindow->OsdPaintedText, L"Volume: 50%");
  EXPECT_GE(video->VideoWindow->OsdBandBottom, 42);
  // The bars still show beside the text: red left of it, green under its end.
  const COLORREF left = Pixel(20, 150), right = Pixel(150, 150);
  EXPECT_GT(GetRValue(left), 200);
  EXPECT_LT(GetGValue(left), 60);
  EXPECT_GT(GetGValue(right), 200);

  // 11 characters stay 1.48 s.
  form->ExpireOSD();
  Pump(50);
  EXPECT_GT(YellowPixels(band), 20);
  Sleep(1550);
  form->ExpireOSD();
  Pump(150);
  EXPECT_EQ(YellowPixels(band), 0);
  EXPECT_EQ(Player().OsdText, "");
  EXPECT_EQ(video->VideoWindow->OsdPaintedText, L"");
}

// On a right-to-left (mirrored) canvas x runs from the right edge and a
// text runs on from where it is placed towards the left: the OSD text and
// the clock move on by their width plus one, so each stands a width further
// from the right edge than the mirror of its place on a left-to-right
// canvas.
TEST_F(VideoWindowTest, OnARightToLeftCanvasTheOsdTextsMoveOnByTheirWidth) {
  ShowBars(1.33);
  // The columns with yellow (the text) in the OSD band.
  auto Columns = [&] {
    std::pair<int, int> Span{400, -1};
    for (int X = 0; X < 400; ++X)
      if (YellowPixels({X, 30, X + 1, 50}) > 0) Span = {std::min(Span.first, X), std::max(Span.second, X)};
    return Span;
  };
  form->ShowOSD("Volume: 50%");
  Pump(150);
  const auto [Left, Right] = Columns();
  ASSERT_LT(Left, 45);  // at 40, the outline a pixel or two before it
  const int Width = Right - 40;
  form->ExpireOSD();
  Player().OsdText.clear();
  video->VideoWindow->RepaintOsd();
  Pump(100);

  const HDC DC = video->VideoWindow->Canvas().Handle();
  ASSERT_TRUE(video->VideoWindow->Canvas().HandleAllocated());
  SetLayout(DC, LAYOUT_RTL);
  ASSERT_TRUE(video->VideoWindow->Canvas().RightToLeft());
  form->ShowOSD("Volume: 50%");
  Pump(150);
  const auto [MirroredLeft, MirroredRight] = Columns();
  SetLayout(DC, 0);
  // Unmoved, the text would end at the mirror of 40, 359; moved on by its
  // width plus one it ends about a width before that.
  EXPECT_NEAR(MirroredRight, 358 - Width, 4) << "the text on the left-to-right canvas: " << Left << ".." << Right;
  EXPECT_NEAR(MirroredLeft, 358 - 2 * Width, 4);
  form->ExpireOSD();
  Player().OsdText.clear();

  // The clock, right-aligned at 360 on the left-to-right canvas, ends at the
  // mirror of 360 less its width: within the first 40 columns.
  SetLayout(DC, LAYOUT_RTL);
  Player().OsdClockText = "12:34";
  video->VideoWindow->RepaintOsd();
  Pump(150);
  SetLayout(DC, 0);
  EXPECT_GT(YellowPixels({0, 30, 40, 50}), 10);
  EXPECT_EQ(YellowPixels({42, 30, 400, 50}), 0);
  Player().OsdClockText.clear();
}

TEST_F(VideoWindowTest, ALargeOsdTextOfWideLettersStaysInsideTheWindow) {
  ShowBars(1.33);
  // 200 %: 18 points in the window 400 wide; the wide letters first, so that
  // the cut by the average letter would leave too many.
  Program().Settings.OsdSize = 200;
  form->ShowOSD("WWWWWWWWWWWWWWWW................");
  Pump(150);
  const TRect Band{0, 20, 400, 90};
  EXPECT_GT(YellowPixels(Band), 200);
  EXPECT_EQ(YellowPixels(TRect{396, 20, 400, 90}), 0) << "the outline's reach from the edge stays free";
  form->ExpireOSD();
}

TEST_F(VideoWindowTest, FullscreenIsCheckedInThePopupMenuWhileInFullScreen) {
  ShowBars(1.33);
  form->PopupMenuMainPopup();
  EXPECT_FALSE(form->MenuItem(L"FullScreenMenu")->Checked());
  video->SetFullScreen(false);
  form->PopupMenuMainPopup();
  EXPECT_TRUE(form->MenuItem(L"FullScreenMenu")->Checked());
  video->SetNormalScreen();
  form->PopupMenuMainPopup();
  EXPECT_FALSE(form->MenuItem(L"FullScreenMenu")->Checked());
}

TEST_F(VideoWindowTest, OsdIsOffWithItsSetting) {
  Program().Settings.OSDDisplay = false;
  form->ShowOSD("Volume: 50%");
  EXPECT_EQ(Player().OsdText, "");
  EXPECT_EQ(video->VideoWindow->OsdPaintedText, L"");
}

TEST_F(VideoWindowTest, TheWheelSizesAboutTheCentreAndKeepsTheAspect) {
  ShowBars(1.78);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  // Every notch steps once.
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{92, 94, 508, 406}));
  EXPECT_EQ(Picture(), (TRect{0, 39, 416, 273}));
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  Wheel(false);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  Wheel(false);
  EXPECT_EQ(Bounds(), (TRect{108, 106, 492, 394}));
  EXPECT_EQ(Picture(), (TRect{0, 36, 384, 252}));
  // A busy player steps nothing; the notches after it step once each.
  Program().BusyFlag = true;
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{108, 106, 492, 394}));
  Program().BusyFlag = false;
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{92, 94, 508, 406}));
}

TEST_F(VideoWindowTest, SizingByAZoneKeepsTheMinimumAndPlacesThePicture) {
  ShowBars(1.78);
  video->Perform(WM_ENTERSIZEMOVE, 0, 0);
  EXPECT_TRUE(video->InSizeMove);
  RECT r{100, 100, 120, 400};
  video->Perform(WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.left, 80);
  EXPECT_EQ(r.right, 120);
  RECT t{100, 100, 500, 110};
  video->Perform(WM_SIZING, WMSZ_TOP, reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(t.top, 80);
  video->SetBounds(100, 100, 384, 288);
  video->Perform(WM_EXITSIZEMOVE, 0, 0);
  EXPECT_FALSE(video->InSizeMove);
  EXPECT_TRUE(Player().WindowMoved);
  EXPECT_EQ(Picture(), (TRect{0, 36, 384, 252}));
  EXPECT_EQ(video->ResizeZones[7]->BoundsRect(), (TRect{374, 278, 384, 288}));
}

TEST_F(VideoWindowTest, AspectCommandsPlaceThePictureAndSayIt) {
  ShowBars(1.33);
  form->N169RatioMenuClick();
  EXPECT_DOUBLE_EQ(Player().AspectRatioValue, 1.78);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  const std::string& osd = Player().OsdText;
  EXPECT_TRUE(osd == "Aspect Ratio: 1.78 (16:9)" || osd == "Aspect Ratio: 1,78 (16:9)") << osd;
  form->FreeRatioMenuClick();
  EXPECT_FALSE(Program().Settings.KeepAspectRatio);
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  EXPECT_EQ(Player().OsdText, "Aspect Ratio: free");
  form->OriginalRatioMenuClick();
  EXPECT_DOUBLE_EQ(Player().AspectRatioValue, 1.33);
  EXPECT_TRUE(Program().Settings.KeepAspectRatio);
}

TEST_F(VideoWindowTest, PanAndScanAppliesInFullScreenOnly) {
  ShowBars(1.33);
  form->PanInMenuClick();  // in a window the keys grow the window
  EXPECT_EQ(Program().Settings.PanScanValue, 0);
  EXPECT_EQ(Bounds(), (TRect{92, 94, 508, 406}));
  video->SetFullScreen(false);
  for (int i = 0; i < 10; ++i) form->PanInMenuClick();
  EXPECT_EQ(Program().Settings.PanScanValue, 10);
  EXPECT_EQ(Picture(), (TRect{96, -108, 1824, 1188}));
  EXPECT_EQ(Player().OsdText, "PanScan 10%");
  form->N50MenuClick();
  EXPECT_EQ(Program().Settings.PanScanValue, -25);
  video->SetNormalScreen();
}

TEST_F(VideoWindowTest, TheZoomCycleDoublesThenFillsTheScreenThenReturns) {
  ShowBars(1.33);
  form->ZoomCycle();
  EXPECT_EQ(Bounds(), (TRect{-100, -50, 700, 550}));
  EXPECT_EQ(Picture(), (TRect{0, 0, 800, 600}));
  form->ZoomCycle();  // 1200 is more than 0.9 of 1080
  EXPECT_TRUE(video->FullScreen);
  form->ZoomCycle();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
}

TEST_F(VideoWindowTest, MovieModeFillsTheWidthAndReturnsToTheWindow) {
  ShowBars(2.35);
  Player().ImageOffsetY = 7;
  form->MovieModeMenuClick();
  EXPECT_TRUE(form->MovieModeChecked);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Program().Settings.PanScanValue, 5);
  EXPECT_EQ(Player().ImageOffsetY, 0);
  EXPECT_EQ(Picture(), (TRect{-96, 90, 2016, 989}));
  EXPECT_EQ(Player().OsdText, "Movie mode on");
  form->MovieModeMenuClick();
  EXPECT_FALSE(form->MovieModeChecked);
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Program().Settings.PanScanValue, 0);
  EXPECT_EQ(Player().ImageOffsetY, 7);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  EXPECT_FALSE(Program().BusyFlag);
}

TEST_F(VideoWindowTest, TheClockShowsRightAligned) {
  ShowBars(1.33);
  Player().OsdClockText = "12:34";
  video->VideoWindow->RepaintOsd();
  Pump(150);
  // Right-aligned at 360 (0.9 of 400), over the white bar: yellow there,
  // none where the text would start.
  EXPECT_GT(YellowPixels({310, 30, 362, 50}), 10);
  EXPECT_EQ(YellowPixels({40, 30, 160, 50}), 0);
  EXPECT_EQ(YellowPixels({362, 30, 400, 50}), 0);
}

TEST_F(VideoWindowTest, FullScreenSwitchesToTheChosenModeAndBack) {
  Program().Settings.FullscreenModeSwitch = "800 x 600 x 60 Hz";
  video->SetFullScreen(false);
  ASSERT_EQ(display->Switched.size(), 1u);
  EXPECT_EQ(display->Switched[0], (lc::DisplayMode{800, 600, 60}));
  EXPECT_TRUE(Player().OwnModeChange);
  EXPECT_EQ(Player().ModeBeforeFullScreen, "M1920x1080x60Hz");
  Player().OwnModeChange = false;  // as the display change would
  video->SetNormalScreen();
  ASSERT_EQ(display->Switched.size(), 2u);
  EXPECT_EQ(display->Switched[1], (lc::DisplayMode{1920, 1080, 60}));
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
}

TEST_F(VideoWindowTest, ARefusedModeLeavesFullScreenOnTheCurrentMode) {
  ShowBars(1.33);
  Program().Settings.FullscreenModeSwitch = "640 x 480 x 60 Hz";
  video->SetFullScreen(false);
  EXPECT_TRUE(display->Switched.empty());
  EXPECT_FALSE(Player().OwnModeChange);
  EXPECT_EQ(Bounds(), (TRect{0, 0, 1920, 1080}));
  EXPECT_EQ(Picture(), (TRect{240, 0, 1680, 1080}));
  EXPECT_FALSE(Program().BusyFlag);
  video->SetNormalScreen();
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
}

TEST_F(VideoWindowTest, ModeNamesThatDoNotParseSwitchNothing) {
  EXPECT_FALSE(form->ChangeResolution("Temp"));
  EXPECT_FALSE(form->ChangeResolution("M800x600Hz"));
  EXPECT_TRUE(display->Switched.empty());
  EXPECT_TRUE(form->ChangeResolution("M800x600x60Hz"));
  EXPECT_EQ(form->CurrentDisplayModeName(), "M800x600x60Hz");
}

TEST_F(VideoWindowTest, TheModeListIsBuiltAnewFromTheDisplaysModes) {
  Program().Settings.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  form->RebuildDisplayModes();
  EXPECT_EQ(Program().DisplayModeNames,
            (std::vector<std::string>{"640 x 480 x 60 Hz", "640 x 480 x 75 Hz", "800 x 600 x 60 Hz",
                                      "1920 x 1080 x 60 Hz"}));
  EXPECT_EQ(Program().Settings.FullscreenModeSwitch, "No change");
  Program().Settings.FullscreenModeSwitch = "800 x 600 x 60 Hz";
  form->RebuildDisplayModes();
  EXPECT_EQ(Program().Settings.FullscreenModeSwitch, "800 x 600 x 60 Hz");
}

TEST_F(VideoWindowTest, TheMainWindowsCommandsReachThePictureRoom) {
  form->InstallPictureRoom();
  ShowBars(1.33);
  form->RunCommand(lc::Cmd::BtnFullScreenClick);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  EXPECT_EQ(form->Commands().RmsChangeScore(), 5000);
  EXPECT_TRUE(form->Commands().GraphActive());
  form->RunCommand(lc::Cmd::PanInMenuClick);
  EXPECT_EQ(Program().Settings.PanScanValue, 1);
  form->Commands().ShowOSD(L"Repeat all");
  EXPECT_EQ(Player().OsdText, "Repeat all");
  form->RunCommand(lc::Cmd::BtnFullScreenClick);
  EXPECT_FALSE(video->FullScreen);
  // Commands of other rooms go on to them (here the stand-in).
  form->RunCommand(lc::Cmd::BtnStopClick);
  ASSERT_FALSE(rooms.Calls.empty());
  EXPECT_EQ(rooms.Calls.back().Command, lc::Cmd::BtnStopClick);
  EXPECT_TRUE(video->GraphActive());
}

TEST_F(VideoWindowTest, AlwaysOnTopTogglesTheVideoWindowsStacking) {
  form->AlwaysOnTopMenuClick();
  EXPECT_TRUE(form->AlwaysOnTopChecked);
  EXPECT_NE(GetWindowLongW(video->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(Player().OsdText, "Always on Top: on");
  form->AlwaysOnTopMenuClick();
  EXPECT_EQ(GetWindowLongW(video->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // Ticked by full screen itself, it is unticked on leaving.
  Program().Settings.ActivateAlwaysOnTopInFullScreen = true;
  video->SetFullScreen(false);
  EXPECT_TRUE(form->AlwaysOnTopChecked);
  video->SetNormalScreen();
  EXPECT_FALSE(form->AlwaysOnTopChecked);
}

TEST_F(VideoWindowTest, TheOffsetKeysMoveThePictureAndCentreItAgain) {
  form->InstallPictureRoom();
  WORD Key = VK_NUMPAD6;
  form->FormKeyDown(Key, 0);  // no graph yet: nothing, not even the OSD
  EXPECT_EQ(Player().ImageOffsetX, 0);
  EXPECT_EQ(Player().OsdText, "");
  ShowBars(1.33);
  form->N169RatioMenuClick();
  ASSERT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  Player().RmsChangeScore = 0;
  form->MovieModeChecked = true;
  Key = VK_NUMPAD6;
  form->FormKeyDown(Key, 0);
  EXPECT_EQ(Player().ImageOffsetX, 1);
  EXPECT_EQ(Picture(), (TRect{4, 37, 404, 262}));
  EXPECT_EQ(Player().OsdText, "Horizontal position: 1%");
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  EXPECT_FALSE(form->MovieModeChecked);
  Key = 'Y';  // Shift+Y: up
  form->FormKeyDown(Key, ssShift);
  EXPECT_EQ(Player().ImageOffsetY, 1);
  EXPECT_EQ(Picture(), (TRect{4, 35, 404, 260}));
  EXPECT_EQ(Player().OsdText, "Vertical position: 1%");
  EXPECT_EQ(Player().RmsChangeScore, 10000);
  // At the limit the picture stays and the OSD still speaks.
  Player().ImageOffsetX = 100;
  Key = 'J';  // Shift+J: right
  form->FormKeyDown(Key, ssShift);
  EXPECT_EQ(Player().ImageOffsetX, 100);
  EXPECT_EQ(Picture(), (TRect{4, 35, 404, 260}));
  EXPECT_EQ(Player().OsdText, "Horizontal position: 100%");
  Key = VK_NUMPAD5;
  form->FormKeyDown(Key, 0);
  EXPECT_EQ(Player().ImageOffsetX, 0);
  EXPECT_EQ(Player().ImageOffsetY, 0);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  EXPECT_EQ(Player().OsdText, "Center");
}

}  // namespace

// Keys as the platform delivers them to the focused video control: through
// the message loop, which lets the control claim Escape and the arrows.
class VideoKeysTest : public VideoWindowTest {
 protected:
  void Press(WORD Key) {
    PostMessageW(video->VideoWindow->Handle(), WM_KEYDOWN, Key, 1);
    Application.ProcessMessages();
  }
};

TEST_F(VideoKeysTest, EscapeOnThePictureParksTheMainWindowThenLeavesFullScreen) {
  Program().Settings.AutoHideMainWindow = false;
  video->SetFullScreen(false);
  ASSERT_EQ(form->Tag, 0);
  video->VideoWindow->SetFocus();
  Press(VK_ESCAPE);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(form->Tag, 1);
  EXPECT_TRUE(video->VideoWindow->Focused());
  // H brings it back in front, without leaving full screen.
  Press('H');
  EXPECT_EQ(form->Tag, 0);
  EXPECT_TRUE(form->Enabled());
  EXPECT_TRUE(video->FullScreen);
  video->VideoWindow->SetFocus();
  Press(VK_ESCAPE);
  Press(VK_ESCAPE);
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(form->Tag, 0);
  EXPECT_TRUE(form->Enabled());
}

TEST_F(VideoKeysTest, HHandsTheFocusBetweenTheWindowsAndBringsThemBack) {
  form->SetBounds(1700, 1000, form->Width(), form->Height());
  video->SetBounds(1850, -250, 400, 300);
  // The focus the video window takes goes on to the picture.
  video->SetFocus();
  ASSERT_TRUE(video->VideoWindow->Focused());
  Press('H');
  // The main window (460 x 150) back inside the work area.
  const TRect Work = Screen.WorkAreaRect();
  EXPECT_EQ(GetFocus(), form->Handle());
  EXPECT_EQ(form->Left(), Work.Right - 460);
  EXPECT_EQ(form->Top(), Work.Bottom - 150);
  WORD Key = 'H';
  form->FormKeyDown(Key, 0);
  EXPECT_TRUE(video->VideoWindow->Focused());
  EXPECT_EQ(video->Left(), 1728);
  EXPECT_EQ(video->Top(), -192);
}
