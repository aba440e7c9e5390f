// The tool dialogs against a real movie: the jump dialog seeks the playing
// graph to the typed time, and the aspect-ratio and pan & scan dialogs move
// the picture while they run.
#include <windows.h>
#include <dshow.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"
#include "tools/jump_dialog.h"
#include "tools/slider_dialogs.h"
#include "tools/tool_environment.h"

namespace {

using lc::Player;
using lc::Program;
using lctest::Pump;

class DialogsOnAMovie : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Program().Names.AppName = "LcDialogs";
    Program().Names.DataFolder = folder.File("");
    lc::settings::SetDefaultSettings(Program().Settings, 1920, 1080);
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable());
    Program().Settings.DoNotShowOverlayMessage = true;
    Program().Rms.Clear();
    Player() = {};
    lc::Playback() = {};
    LastJumpTime = 0;
    main = std::make_unique<TfrmMain>(host);
    main->SetBounds(1400, 900, main->Width(), main->Height());
    main->Show();
    video = std::make_unique<TfrmVideoWindow>();
    video->SetBounds(100, 100, 400, 300);
    video->Show();
    main->Satellites.VideoWindow = video.get();
    main->InstallPlaybackRoom();
    main->InstallPictureRoom();
    main->FirstActivationPending = false;
    lc::tools::TToolEnvironment E;
    E.Dialogs = &main->DialogLink();
    lc::tools::SetToolEnvironment(std::move(E));
    Pump(50);
  }

  void TearDown() override {
    lc::tools::SetToolEnvironment({});
    video.reset();
    main.reset();
    Player() = {};
    lc::Playback() = {};
  }

  void Open(const char* Name) {
    main->CurrentMovieFile = lc::settings::WideToUtf8(lctest::MediaPath(Name));
    main->Commands().OpenMovie(true, false);
    ASSERT_TRUE(video->GraphActive());
  }

  LONGLONG Position() {
    IMediaSeeking* Seeking = nullptr;
    LONGLONG Now = -1;
    if (SUCCEEDED(video->FilterGraph.QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&Seeking)))) {
      Seeking->GetCurrentPosition(&Now);
      Seeking->Release();
    }
    return Now;
  }

  void Char(HWND Wnd, wchar_t C) {
    PostMessageW(Wnd, WM_CHAR, C, 0);
    Pump(60);
  }

  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmVideoWindow> video;
};

TEST_F(DialogsOnAMovie, JumpSeeksThePlayingMovieToTheTypedTime) {
  Open("demo.mp4");
  auto Jump = std::make_unique<TfrmJump>();
  Jump->Show();
  Pump(50);
  EXPECT_EQ(L"from  00:00:20", Jump->LFromTime().Caption());
  Jump->ETime().SetText(L"");
  for (wchar_t C : std::wstring(L"00:00:12\r")) Char(Jump->ETime().Handle(), C);
  EXPECT_EQ(12, LastJumpTime);
  // Read back from the graph: just after 12 s, well before the end.
  const LONGLONG At = Position();
  EXPECT_GE(At, 120000000);
  EXPECT_LT(At, 150000000);
}

TEST_F(DialogsOnAMovie, AspectRatioDialogReshapesThePictureLive) {
  Open("bars.mp4");
  Pump(200);
  const TRect Before = video->VideoWindow->VideoRect;
  auto Dialog = std::make_unique<TfrmAspectRatio>();
  Dialog->Slider().SetPosition(133);
  Dialog->Show();
  Pump(50);
  Char(Dialog->Handle(), L'2');
  EXPECT_DOUBLE_EQ(2.0, Player().AspectRatioValue);
  const TRect After = video->VideoWindow->VideoRect;
  EXPECT_NE(Before, After);
  EXPECT_NEAR(2.0, double(After.Width()) / After.Height(), 0.02);
  // Escape puts the first ratio back on the picture.
  Char(Dialog->Handle(), 27);
  EXPECT_DOUBLE_EQ(1.33, Player().AspectRatioValue);
  EXPECT_NEAR(1.33, double(video->VideoWindow->VideoRect.Width()) / video->VideoWindow->VideoRect.Height(), 0.02);
}

TEST_F(DialogsOnAMovie, PanScanDialogEnlargesTheFullScreenPicture) {
  Open("bars.mp4");
  video->SetFullScreen(true);
  Pump(300);
  const TRect Before = video->VideoWindow->VideoRect;
  auto Dialog = std::make_unique<TfrmPanScan>();
  Dialog->Slider().SetPosition(Program().Settings.PanScanValue);
  Dialog->Show();
  Pump(50);
  for (int I = 0; I < 10; ++I) {
    PostMessageW(Dialog->Handle(), WM_KEYDOWN, VK_UP, 0);
    Pump(30);
  }
  EXPECT_EQ(10, Program().Settings.PanScanValue);
  EXPECT_GT(video->VideoWindow->VideoRect.Width(), Before.Width());
  Char(Dialog->Handle(), 27);
  EXPECT_EQ(0, Program().Settings.PanScanValue);
  EXPECT_EQ(Before.Width(), video->VideoWindow->VideoRect.Width());
  video->SetNormalScreen();
}

}  // namespace
