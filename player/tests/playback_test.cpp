// Opening real movies through the main window's commands, with the video
// window, its graph and audio chain on the virtual display: play to the
// end, pause on the first frame, stop and reopen with the remembered
// position and picture, and a file that does not render.
#include <float.h>

#include <windows.h>
#include <dshow.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "engine/graph/graph_utils.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"

namespace {

using lc::Player;
using lc::Program;
using lctest::Pump;

// Message boxes are read and closed by a timer (the box is modal).
std::wstring BoxText;
void CALLBACK CloseBox(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  BoxText = frmMessage->Text();
  wchar_t Key = 27;
  frmMessage->FormKeyPress(Key);
}

class PlaybackTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Program().Names.AppName = "LcPlayback";
    Program().Names.DataFolder = folder.File("");
    lc::settings::SetDefaultSettings(Program().Settings, 1920, 1080);
    Program().Settings.DoNotShowOverlayMessage = true;
    Program().Rms.Clear();
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
    Player() = {};
    lc::Playback() = {};
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
    // The hand-over flags stay for the tests to read: the pulse that takes
    // them is tested on its own (pulse_tests).
    main->GeneralTimer.SetEnabled(false);
    BoxText.clear();
    Pump(50);
  }

  void TearDown() override {
    video.reset();
    main.reset();
    Player() = {};
    lc::Playback() = {};
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
  }

  // Opens a generated movie; false when the opening was aborted.
  bool Open(const char* Name, bool Play) {
    main->CurrentMovieFile = lc::settings::WideToUtf8(lctest::MediaPath(Name));
    try {
      main->Commands().OpenMovie(Play, false);
    } catch (const EAbort&) {
      return false;
    }
    return true;
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

  void SeekTo(LONGLONG Target) {
    IMediaSeeking* Seeking = nullptr;
    ASSERT_TRUE(SUCCEEDED(video->FilterGraph.QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&Seeking))));
    Seeking->SetPositions(&Target, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    Seeking->Release();
  }

  void WaitForFrame() {
    for (int i = 0; i < 200 && !video->VideoWindow->Surface().HasFrame(); ++i) Pump(20);
    video->VideoWindow->RepaintVideo();
    Pump(100);
  }

  COLORREF Pixel(int X, int Y) {
    HDC dc = GetDC(video->VideoWindow->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(video->VideoWindow->Handle(), dc);
    return c;
  }

  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmVideoWindow> video;
};

TEST_F(PlaybackTest, AMovieOpensPlaysAndEndsForThePulse) {
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_TRUE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  EXPECT_TRUE(ShownDown(*main->BtnPlay));
  EXPECT_FALSE(ShownDown(*main->BtnPause));
  EXPECT_TRUE(main->BtnStop->Enabled());
  EXPECT_TRUE(main->BtnRewind->Enabled());
  EXPECT_EQ(L"clip.avi", main->MovieLabel->Caption());
  EXPECT_EQ(L"LcPlayback - 'clip.avi'", Application.Title());
  EXPECT_EQ(3000, main->ProgressBar->Max());
  EXPECT_EQ(L"00:00:03 - 00:00:00 - 00:00:03 ", main->MovieTimesLabel->Caption());
  EXPECT_EQ(320, Player().NativeWidth);
  EXPECT_EQ(240, Player().NativeHeight);
  EXPECT_DOUBLE_EQ(1.33, Player().AspectRatioValue);
  EXPECT_DOUBLE_EQ(25.0, main->FrameRate);
  EXPECT_TRUE(main->ResetTimer.Enabled());
  EXPECT_EQ(3000, video->VideoWindow->AutoHideCursor);
  // The opening stored the movie's entry.
  EXPECT_EQ(0, Program().Rms.Find("clip.avi"));
  for (int i = 0; i < 300 && !lc::Playback().PlaybackFinished; ++i) Pump(20);
  EXPECT_TRUE(lc::Playback().PlaybackFinished);
  EXPECT_GE(Position(), 25000000);
}

TEST_F(PlaybackTest, RepeatOneReplaysInTheEventItself) {
  Program().Settings.RepeatMode = 1;
  ASSERT_TRUE(Open("clip.avi", true));
  SeekTo(28000000);
  for (int i = 0; i < 100 && Position() >= 20000000; ++i) Pump(20);
  EXPECT_LT(Position(), 20000000);
  EXPECT_FALSE(lc::Playback().PlaybackFinished);
  EXPECT_TRUE(video->GraphActive());
}

TEST_F(PlaybackTest, PausedOpeningShowsAndKeepsTheFirstFrame) {
  ASSERT_TRUE(Open("bars.mp4", false));
  EXPECT_TRUE(ShownDown(*main->BtnPause));
  EXPECT_FALSE(ShownDown(*main->BtnPlay));
  EXPECT_FALSE(main->ResetTimer.Enabled());
  WaitForFrame();
  ASSERT_TRUE(video->VideoWindow->Surface().HasFrame());
  // The bars fill the 400 x 300 window's picture: red, green, blue, white.
  const TRect R = video->VideoWindow->VideoRect;
  ASSERT_GT(R.Width(), 0);
  const int Y = (R.Top + R.Bottom) / 2;
  const COLORREF Red = Pixel(R.Left + R.Width() / 8, Y);
  const COLORREF White = Pixel(R.Left + R.Width() * 7 / 8, Y);
  EXPECT_GT(GetRValue(Red), 200);
  EXPECT_LT(GetGValue(Red), 60);
  EXPECT_GT(GetBValue(White), 200);
  EXPECT_GT(GetGValue(White), 200);
  // Held at the start: Play then Pause may have let a frame's time pass.
  const LONGLONG Held = Position();
  EXPECT_LT(Held, 1000000);
  Pump(500);
  EXPECT_EQ(Held, Position());
}

TEST_F(PlaybackTest, PauseAndPlayThroughTheCommands) {
  ASSERT_TRUE(Open("clip.avi", true));
  main->RunCommand(lc::Cmd::BtnPauseClick);
  EXPECT_TRUE(ShownDown(*main->BtnPause));
  EXPECT_FALSE(main->ResetTimer.Enabled());
  EXPECT_EQ(0, video->VideoWindow->AutoHideCursor);
  EXPECT_EQ("Pause", Player().OsdText);
  const LONGLONG Held = Position();
  Pump(400);
  EXPECT_EQ(Held, Position());
  main->RunCommand(lc::Cmd::BtnPlayClick);
  EXPECT_TRUE(ShownDown(*main->BtnPlay));
  EXPECT_TRUE(main->ResetTimer.Enabled());
  EXPECT_EQ("Play", Player().OsdText);
  Pump(400);
  EXPECT_GT(Position(), Held);
}

TEST_F(PlaybackTest, StopAndReopenRestoresThePositionAndThePicture) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.RememberMovieSettings = true;
  S.RememberLastMoviePosition = true;
  ASSERT_TRUE(Open("demo.mp4", false));
  SeekTo(80000000);  // 8 s
  Player().ImageOffsetX = 10;
  main->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(main->BtnStop->Enabled());
  EXPECT_FALSE(main->BtnPause->Enabled());
  EXPECT_EQ(L"00:00:20 - 00:00:00 - 00:00:20 ", main->MovieTimesLabel->Caption());
  EXPECT_EQ(L"demo.mp4", main->MovieLabel->Caption());  // not closed
  EXPECT_EQ("Stop", Player().OsdText);
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  EXPECT_TRUE(Prev.Valid);
  EXPECT_EQ(640, Prev.NativeWidth);
  EXPECT_EQ(10, Prev.ImageOffsetX);
  Player().ImageOffsetX = 0;

  ASSERT_TRUE(Open("demo.mp4", false));
  EXPECT_NEAR(80000000.0, static_cast<double>(Position()), 10000000.0);
  EXPECT_EQ(10, Player().ImageOffsetX);
}

TEST_F(PlaybackTest, StopWithCloseUnloadsTheLabels) {
  ASSERT_TRUE(Open("clip.avi", true));
  TMenuItem* Filters = main->MenuItem(L"FiltersMenu");
  ASSERT_NE(nullptr, Filters);
  EXPECT_TRUE(Filters->Enabled);
  EXPECT_EQ(static_cast<int>(main->FilterMenuItems.size()), Filters->Count());
  main->RunCommand(lc::Cmd::StopForNewList);
  EXPECT_FALSE(Filters->Enabled);
  EXPECT_EQ(0, Filters->Count());
  EXPECT_TRUE(main->FilterMenuItems.empty());
  EXPECT_FALSE(video->GraphActive());
  EXPECT_EQ(L"No movie", main->MovieLabel->Caption());
  EXPECT_EQ(L"No subtitle", main->SubtitleLabel->Caption());
  EXPECT_EQ(L"00:00:00 - 00:00:00 - 00:00:00", main->MovieTimesLabel->Caption());
  EXPECT_EQ(L"LcPlayback", Application.Title());
  EXPECT_FALSE(main->ProgressBar->Enabled());
}

TEST_F(PlaybackTest, AFileThatDoesNotRenderEndsInTheFailurePath) {
  SetShowMessageProc([](const std::wstring&) {});
  SetTimer(nullptr, 0, 50, CloseBox);
  EXPECT_FALSE(Open("corrupt.avi", true));
  SetShowMessageProc(nullptr);
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  EXPECT_EQ(L"Invalid video file or\r\ncodec not found!", BoxText);
  EXPECT_EQ(L"No movie", main->MovieLabel->Caption());
  EXPECT_TRUE(main->CurrentMovieFile.empty());
  EXPECT_FALSE(main->BtnStop->Enabled());
  EXPECT_FALSE(main->BtnPause->Enabled());
  EXPECT_FALSE(ShownDown(*main->BtnPlay));
  EXPECT_FALSE(lc::Playback().RenderFailed);
}

TEST_F(PlaybackTest, AnAudioOnlyFileFailsSilentlyWhileAdvancing) {
  lc::Playback().AutoAdvancing = true;
  EXPECT_FALSE(Open("tone.wav", true));
  EXPECT_TRUE(lc::Playback().RenderFailed);
  EXPECT_FALSE(lc::Playback().AutoAdvancing);
  EXPECT_TRUE(BoxText.empty());
  EXPECT_FALSE(video->GraphActive());
}

TEST_F(PlaybackTest, RememberedEntryReplacesTheVolumeUntilTheStop) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.RememberMovieSettings = true;
  lc::settings::TRmsEntry E = lc::settings::RmsStartEntry(S);
  E.Name = "clip.avi";
  E.AudioVolume = 2500;
  Program().Rms.Append(E);
  main->VolumeBar->SetPosition(16);
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_EQ(5, main->VolumeBar->Position());
  EXPECT_EQ(2500, video->FilterGraph.Volume());
  main->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(16, main->VolumeBar->Position());
}

TEST_F(PlaybackTest, ExternalSubtitleFiltersAreRefusedOnRequest) {
  Program().Settings.DisableExternalSubtitleFilters = true;
  EXPECT_FALSE(video->FilterGraphSelectedFilter(L"DirectVobSub (auto-loading version)"));
  EXPECT_FALSE(video->FilterGraphSelectedFilter(L"DivXG400"));
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"AVI Splitter"));
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"My DirectVobSub"));  // the name must begin with it
  EXPECT_TRUE(main->SubtitlesShown);
  // Allowed with a subtitle loaded: the player's own subtitles give way.
  Program().Settings.DisableExternalSubtitleFilters = false;
  Player().SubtitleLoaded = true;
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"DirectVobSub"));
  EXPECT_FALSE(main->SubtitlesShown);
  EXPECT_TRUE(main->MenuItem(L"DisableSubtitleMenu")->Checked());
  Player().SubtitleLoaded = false;
  EXPECT_TRUE(video->FilterGraphSelectedFilter(L"DirectVobSub"));
  EXPECT_TRUE(main->SubtitlesShown);
  EXPECT_FALSE(main->MenuItem(L"DisableSubtitleMenu")->Checked());
}

TEST_F(PlaybackTest, TheFrameRateIsReadFromTheVideoStream) {
  EXPECT_DOUBLE_EQ(25.0, main->GetMovieFrameRate(lc::settings::WideToUtf8(lctest::MediaPath("missing.avi"))));
  ASSERT_TRUE(Open("rate30.mp4", false));
  EXPECT_DOUBLE_EQ(30.0, main->FrameRate);
  main->RunCommand(lc::Cmd::BtnStopClick);
  Program().Settings.ShowFrames = true;
  ASSERT_TRUE(Open("rate30.mp4", false));
  EXPECT_EQ(L"    60 -      0 -     60", main->MovieTimesLabel->Caption());
}

TEST_F(PlaybackTest, TheNextMovieOfTheSameSizeTakesOverThePreviousPicture) {
  Program().Settings.RememberPreviousMovieSettings = true;
  ASSERT_TRUE(Open("clip.avi", true));
  Player().ImageOffsetX = 7;
  Player().ImageOffsetY = -3;
  main->RunCommand(lc::Cmd::N169RatioMenuClick);
  main->RunCommand(lc::Cmd::BtnStopClick);
  video->SetBounds(100, 100, 600, 500);
  ASSERT_TRUE(Open("clip.mp4", true));  // 320 x 240 as well
  EXPECT_EQ(7, Player().ImageOffsetX);
  EXPECT_EQ(-3, Player().ImageOffsetY);
  EXPECT_DOUBLE_EQ(1.78, Player().AspectRatioValue);
  EXPECT_EQ(lc::AspectChoice::Wide169, main->AspectChecked);
  // The previous window's size, centred where the window was.
  EXPECT_EQ(Rect(200, 200, 600, 500), video->BoundsRect());
  main->RunCommand(lc::Cmd::BtnStopClick);
  // A movie of another size keeps its own picture.
  ASSERT_TRUE(Open("demo.mp4", true));
  EXPECT_EQ(0, Player().ImageOffsetX);
  EXPECT_DOUBLE_EQ(1.78, Player().AspectRatioValue);
  EXPECT_EQ(640, Player().NativeWidth);
}

TEST_F(PlaybackTest, FloatingPointExceptionsAreMaskedWhileAMoviePlays) {
  const unsigned Before = _controlfp(0, 0);
  ASSERT_TRUE(Open("clip.avi", true));
  EXPECT_EQ(static_cast<unsigned>(_MCW_EM), _controlfp(0, 0) & _MCW_EM);
  EXPECT_EQ(static_cast<unsigned>(_RC_NEAR), _controlfp(0, 0) & _MCW_RC);
  main->RunCommand(lc::Cmd::BtnStopClick);
  EXPECT_EQ(Before & (_MCW_EM | _MCW_RC), _controlfp(0, 0) & (_MCW_EM | _MCW_RC));
}

}  // namespace
