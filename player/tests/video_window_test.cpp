// The video window on the virtual display (1920 x 1080), with the colour
// bars (320 x 240: red, green, blue and white, 80 pixels each) playing
// through the video control: full screen and back, the OSD over the
// picture, sizing by the zones and the wheel, the picture commands and
// display-mode switching against a table of modes the display accepts.
#include "player/video_window.h"

#include <algorithm>
#include <memory>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/menus.h"
#include "player/display_switch.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "tests/support/process.h"

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

class VideoWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Program().Names.AppName = "LcVideoTest";
    Program().Names.DataFolder = folder.File("");
    lc::settings::SetDefaultSettings(Program().Settings, 1920, 1080);
    Program().Settings.OsdColor = 0x00FFFF;  // yellow: none of the bars' colours
    Program().DisplayModeNames = {"640 x 480 x 60 Hz", "800 x 600 x 60 Hz", "1920 x 1080 x 60 Hz"};
    Program().BusyFlag = false;
    Player() = {};
    main = std::make_unique<TfrmMain>(host);
    auto fake = std::make_unique<FakeDisplay>();
    display = fake.get();
    main->SetDisplaySwitch(std::move(fake));
    main->SetBounds(1400, 900, main->Width(), main->Height());
    main->Show();
    video = std::make_unique<TfrmVideoWindow>();
    video->SetBounds(100, 100, 400, 300);
    video->Show();
    Pump(50);
  }

  void TearDown() override {
    video.reset();
    main.reset();
    Player() = {};
    Program().BusyFlag = false;
  }

  // Renders the bars with the wanted aspect ratio, places them in the
  // window and shows the paused first frame.
  void Open(double Aspect) {
    lc::PlayerState& s = Player();
    s.NativeWidth = 320;
    s.NativeHeight = 240;
    s.AspectRatioValue = Aspect;
    s.CurrentMovieFile = "bars.mp4";
    video->FilterGraph.SetActive(true);
    ASSERT_EQ(video->FilterGraph.RenderFile(lctest::MediaPath("bars.mp4")), S_OK);
    video->PlacePictureInWindow();
    video->FilterGraph.Pause();
    for (int i = 0; i < 200 && !video->VideoWindow->Surface().HasFrame(); ++i) Pump(20);
    ASSERT_TRUE(video->VideoWindow->Surface().HasFrame());
    video->VideoWindow->RepaintVideo();
    Pump(100);
  }

  TRect Bounds() const { return video->BoundsRect(); }
  TRect Picture() const { return video->VideoWindow->VideoRect; }

  COLORREF Pixel(int X, int Y) {
    HDC dc = GetDC(video->VideoWindow->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(video->VideoWindow->Handle(), dc);
    return c;
  }

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

  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmVideoWindow> video;
  FakeDisplay* display = nullptr;
};

TEST_F(VideoWindowTest, CreatedAsTheBorderlessVideoWindow) {
  EXPECT_EQ(video->Caption(), L"LcVideoTestVideoWindow");
  EXPECT_EQ(video->VideoWindow->BoundsRect(), (TRect{0, 0, 400, 300}));
  // The zones follow the window's edges.
  EXPECT_EQ(video->ResizeZones[0]->BoundsRect(), (TRect{0, 10, 5, 290}));
  EXPECT_EQ(video->ResizeZones[7]->BoundsRect(), (TRect{390, 290, 400, 300}));
  EXPECT_EQ(video->ResizeZones[7]->Tag, 8);
  EXPECT_EQ(video->ResizeZones[4]->BoundsRect(), (TRect{390, 0, 400, 10}));
}

TEST_F(VideoWindowTest, FullScreenAndBackRestoresTheExactBounds) {
  Open(1.33);
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  video->SetFullScreen(false);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{0, 0, 1920, 1080}));
  // 4:3 on 16:9 fits the height, centred.
  EXPECT_EQ(Picture(), (TRect{240, 0, 1680, 1080}));
  EXPECT_FALSE(video->ResizeZones[3]->Enabled);
  EXPECT_TRUE(main->PanScanMenuVisible);
  EXPECT_FALSE(main->WindowSizeMenuVisible);
  EXPECT_EQ(Player().ModeBeforeFullScreen, "M1920x1080x60Hz");
  EXPECT_TRUE(display->Switched.empty());  // "No change"

  video->SetNormalScreen();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  EXPECT_TRUE(video->ResizeZones[3]->Enabled);
  EXPECT_FALSE(main->PanScanMenuVisible);
  EXPECT_TRUE(main->Enabled());
  EXPECT_EQ(main->Tag, 0);
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
  EXPECT_EQ(main->Tag, 1);
  EXPECT_FALSE(main->Enabled());  // it lies only under the full-screen video
  // The click of the double click itself is ignored.
  video->VideoWindowClick();
  EXPECT_EQ(main->Tag, 1);
  video->LastDoubleClickTime = 0;
  video->VideoWindowClick();
  EXPECT_EQ(main->Tag, 0);
  EXPECT_TRUE(main->Enabled());
  video->VideoWindowClick();  // and the next click parks it again
  EXPECT_EQ(main->Tag, 1);
  video->VideoWindowDblClick();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_TRUE(main->Enabled());
  EXPECT_EQ(main->Tag, 0);
}

TEST_F(VideoWindowTest, TheOsdTextShowsOverThePictureAndGoesAfterItsTime) {
  Open(1.33);
  // A window 400 wide on a 1920 monitor: 9 points at (40, 30).
  const TRect band{40, 30, 160, 50};
  EXPECT_EQ(YellowPixels(band), 0);
  main->ShowOSD("Volume: 50%");
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
  main->ExpireOSD();
  Pump(50);
  EXPECT_GT(YellowPixels(band), 20);
  Sleep(1550);
  main->ExpireOSD();
  Pump(150);
  EXPECT_EQ(YellowPixels(band), 0);
  EXPECT_EQ(Player().OsdText, "");
  EXPECT_EQ(video->VideoWindow->OsdPaintedText, L"");
}

TEST_F(VideoWindowTest, OsdIsOffWithItsSetting) {
  Program().Settings.OSDDisplay = false;
  main->ShowOSD("Volume: 50%");
  EXPECT_EQ(Player().OsdText, "");
  EXPECT_EQ(video->VideoWindow->OsdPaintedText, L"");
}

TEST_F(VideoWindowTest, TheWheelSizesAboutTheCentreAndKeepsTheAspect) {
  Open(1.78);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  Wheel(true);  // arms only
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{92, 94, 508, 406}));
  EXPECT_EQ(Picture(), (TRect{0, 39, 416, 273}));
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  Wheel(false);
  Wheel(false);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  Wheel(false);
  Wheel(false);
  EXPECT_EQ(Bounds(), (TRect{108, 106, 492, 394}));
  EXPECT_EQ(Picture(), (TRect{0, 36, 384, 252}));
  // A busy player keeps the step for the next notification.
  Program().BusyFlag = true;
  Wheel(true);
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{108, 106, 492, 394}));
  Program().BusyFlag = false;
  Wheel(true);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
}

TEST_F(VideoWindowTest, SizingByAZoneKeepsTheMinimumAndPlacesThePicture) {
  Open(1.78);
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
  Open(1.33);
  main->N169RatioMenuClick();
  EXPECT_DOUBLE_EQ(Player().AspectRatioValue, 1.78);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  const std::string& osd = Player().OsdText;
  EXPECT_TRUE(osd == "Aspect Ratio: 1.78 (16:9)" || osd == "Aspect Ratio: 1,78 (16:9)") << osd;
  main->FreeRatioMenuClick();
  EXPECT_FALSE(Program().Settings.KeepAspectRatio);
  EXPECT_EQ(Picture(), (TRect{0, 0, 400, 300}));
  EXPECT_EQ(Player().OsdText, "Aspect Ratio: free");
  main->OriginalRatioMenuClick();
  EXPECT_DOUBLE_EQ(Player().AspectRatioValue, 1.33);
  EXPECT_TRUE(Program().Settings.KeepAspectRatio);
}

TEST_F(VideoWindowTest, PanAndScanAppliesInFullScreenOnly) {
  Open(1.33);
  main->PanInMenuClick();  // in a window the keys grow the window
  EXPECT_EQ(Program().Settings.PanScanValue, 0);
  EXPECT_EQ(Bounds(), (TRect{92, 94, 508, 406}));
  video->SetFullScreen(false);
  for (int i = 0; i < 10; ++i) main->PanInMenuClick();
  EXPECT_EQ(Program().Settings.PanScanValue, 10);
  EXPECT_EQ(Picture(), (TRect{96, -108, 1824, 1188}));
  EXPECT_EQ(Player().OsdText, "PanScan 10%");
  main->N50MenuClick();
  EXPECT_EQ(Program().Settings.PanScanValue, -25);
  video->SetNormalScreen();
}

TEST_F(VideoWindowTest, TheZoomCycleDoublesThenFillsTheScreenThenReturns) {
  Open(1.33);
  main->ZoomCycle();
  EXPECT_EQ(Bounds(), (TRect{-100, -50, 700, 550}));
  EXPECT_EQ(Picture(), (TRect{0, 0, 800, 600}));
  main->ZoomCycle();  // 1200 is more than 0.9 of 1080
  EXPECT_TRUE(video->FullScreen);
  main->ZoomCycle();
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
}

TEST_F(VideoWindowTest, MovieModeFillsTheWidthAndReturnsToTheWindow) {
  Open(2.35);
  Player().ImageOffsetY = 7;
  main->MovieModeMenuClick();
  EXPECT_TRUE(main->MovieModeChecked);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Program().Settings.PanScanValue, 5);
  EXPECT_EQ(Player().ImageOffsetY, 0);
  EXPECT_EQ(Picture(), (TRect{-96, 90, 2016, 989}));
  EXPECT_EQ(Player().OsdText, "Movie mode on");
  main->MovieModeMenuClick();
  EXPECT_FALSE(main->MovieModeChecked);
  EXPECT_FALSE(video->FullScreen);
  EXPECT_EQ(Program().Settings.PanScanValue, 0);
  EXPECT_EQ(Player().ImageOffsetY, 7);
  EXPECT_EQ(Bounds(), (TRect{100, 100, 500, 400}));
  EXPECT_FALSE(Program().BusyFlag);
}

TEST_F(VideoWindowTest, TheClockShowsRightAligned) {
  Open(1.33);
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
  Open(1.33);
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
  EXPECT_FALSE(main->ChangeResolution("Temp"));
  EXPECT_FALSE(main->ChangeResolution("M800x600Hz"));
  EXPECT_TRUE(display->Switched.empty());
  EXPECT_TRUE(main->ChangeResolution("M800x600x60Hz"));
  EXPECT_EQ(main->CurrentDisplayModeName(), "M800x600x60Hz");
}

TEST_F(VideoWindowTest, TheModeListIsBuiltAnewFromTheDisplaysModes) {
  Program().Settings.FullscreenModeSwitch = "1024 x 768 x 60 Hz";
  main->RebuildDisplayModes();
  EXPECT_EQ(Program().DisplayModeNames,
            (std::vector<std::string>{"640 x 480 x 60 Hz", "640 x 480 x 75 Hz", "800 x 600 x 60 Hz",
                                      "1920 x 1080 x 60 Hz"}));
  EXPECT_EQ(Program().Settings.FullscreenModeSwitch, "No change");
  Program().Settings.FullscreenModeSwitch = "800 x 600 x 60 Hz";
  main->RebuildDisplayModes();
  EXPECT_EQ(Program().Settings.FullscreenModeSwitch, "800 x 600 x 60 Hz");
}

TEST_F(VideoWindowTest, TheMainWindowsCommandsReachThePictureRoom) {
  main->InstallPictureRoom();
  Open(1.33);
  main->RunCommand(lc::Cmd::BtnFullScreenClick);
  EXPECT_TRUE(video->FullScreen);
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  EXPECT_EQ(main->Commands().RmsChangeScore(), 5000);
  EXPECT_TRUE(main->Commands().GraphActive());
  main->RunCommand(lc::Cmd::PanInMenuClick);
  EXPECT_EQ(Program().Settings.PanScanValue, 1);
  main->Commands().ShowOSD(L"Repeat all");
  EXPECT_EQ(Player().OsdText, "Repeat all");
  main->RunCommand(lc::Cmd::BtnFullScreenClick);
  EXPECT_FALSE(video->FullScreen);
  // Commands of other rooms go on to them (here the stand-in).
  main->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_TRUE(video->GraphActive());
}

TEST_F(VideoWindowTest, AlwaysOnTopTogglesTheVideoWindowsStacking) {
  main->AlwaysOnTopMenuClick();
  EXPECT_TRUE(main->AlwaysOnTopChecked);
  EXPECT_NE(GetWindowLongW(video->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(Player().OsdText, "Always on Top: on");
  main->AlwaysOnTopMenuClick();
  EXPECT_EQ(GetWindowLongW(video->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  // Ticked by full screen itself, it is unticked on leaving.
  Program().Settings.ActivateAlwaysOnTopInFullScreen = true;
  video->SetFullScreen(false);
  EXPECT_TRUE(main->AlwaysOnTopChecked);
  video->SetNormalScreen();
  EXPECT_FALSE(main->AlwaysOnTopChecked);
}

TEST_F(VideoWindowTest, TheOffsetKeysMoveThePictureAndCentreItAgain) {
  main->InstallPictureRoom();
  WORD Key = VK_NUMPAD6;
  main->FormKeyDown(Key, 0);  // no graph yet: nothing, not even the OSD
  EXPECT_EQ(Player().ImageOffsetX, 0);
  EXPECT_EQ(Player().OsdText, "");
  Open(1.33);
  main->N169RatioMenuClick();
  ASSERT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  Player().RmsChangeScore = 0;
  main->MovieModeChecked = true;
  Key = VK_NUMPAD6;
  main->FormKeyDown(Key, 0);
  EXPECT_EQ(Player().ImageOffsetX, 1);
  EXPECT_EQ(Picture(), (TRect{4, 37, 404, 262}));
  EXPECT_EQ(Player().OsdText, "Horizontal position: 1%");
  EXPECT_EQ(Player().RmsChangeScore, 5000);
  EXPECT_FALSE(main->MovieModeChecked);
  Key = 'Y';  // Shift+Y: up
  main->FormKeyDown(Key, ssShift);
  EXPECT_EQ(Player().ImageOffsetY, 1);
  EXPECT_EQ(Picture(), (TRect{4, 35, 404, 260}));
  EXPECT_EQ(Player().OsdText, "Vertical position: 1%");
  EXPECT_EQ(Player().RmsChangeScore, 10000);
  // At the limit the picture stays and the OSD still speaks.
  Player().ImageOffsetX = 100;
  Key = 'J';  // Shift+J: right
  main->FormKeyDown(Key, ssShift);
  EXPECT_EQ(Player().ImageOffsetX, 100);
  EXPECT_EQ(Picture(), (TRect{4, 35, 404, 260}));
  EXPECT_EQ(Player().OsdText, "Horizontal position: 100%");
  Key = VK_NUMPAD5;
  main->FormKeyDown(Key, 0);
  EXPECT_EQ(Player().ImageOffsetX, 0);
  EXPECT_EQ(Player().ImageOffsetY, 0);
  EXPECT_EQ(Picture(), (TRect{0, 37, 400, 262}));
  EXPECT_EQ(Player().OsdText, "Center");
}

}  // namespace
