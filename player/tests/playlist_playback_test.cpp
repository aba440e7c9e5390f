// The playlist window over the main window's playlist, with the real
// opening: a double click on an entry stops what plays and opens that
// entry's movie in the video window.
#include <windows.h>

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/win/settings_win.h"
#include "tests/support/process.h"

namespace {

using lc::Player;
using lc::Program;
using lctest::Pump;

class PlaylistPlayback : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Program().Names.AppName = "LcPlaylistPlay";
    Program().Names.DataFolder = folder.File("");
    lc::settings::SetDefaultSettings(Program().Settings, 1920, 1080);
    Program().Settings.DoNotShowOverlayMessage = true;
    Program().Settings.AutoLoadSubtitle = false;
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
    list = std::make_unique<TfrmPlayList>(main->Playlist(), main->Opener(), Program().Settings,
                                          TPlayListEnvironment{});
    main->Satellites.PlayList = list.get();
    list->SetBounds(600, 100, list->Width(), list->Height());
    list->Show();
    for (const char* Name : {"clip.avi", "clip.mkv"}) {
      main->Playlist().AddMovie(lc::settings::WideToUtf8(lctest::MediaPath(Name)));
    }
    Pump(50);
  }

  void TearDown() override {
    list.reset();
    video.reset();
    main.reset();
    Player() = {};
    lc::Playback() = {};
    Program().BusyFlag = false;
    Program().OpeningMovie = false;
  }

  void DoubleClick(int Line) {
    HWND Lines = list->ListVideo.Handle();
    const int Height = list->ListVideo.ItemHeight();
    const LPARAM At = MAKELPARAM(10, Line * Height + Height / 2);
    SendMessageW(Lines, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(Lines, WM_LBUTTONUP, 0, At);
    SendMessageW(Lines, WM_LBUTTONDBLCLK, MK_LBUTTON, At);
    SendMessageW(Lines, WM_LBUTTONUP, 0, At);
    Pump(300);
  }

  lc::settings::testing::ScratchFolder folder;
  lc::settings::testing::FakeHost host;
  std::unique_ptr<TfrmMain> main;
  std::unique_ptr<TfrmVideoWindow> video;
  std::unique_ptr<TfrmPlayList> list;
};

TEST_F(PlaylistPlayback, ADoubleClickPlaysTheEntryThroughTheOpening) {
  ASSERT_EQ(list->ListVideo.Count(), 2);
  EXPECT_EQ(list->ListVideo.Items(1), L"2. clip.mkv");
  DoubleClick(1);
  const std::string Mkv = lc::settings::WideToUtf8(lctest::MediaPath("clip.mkv"));
  EXPECT_EQ(main->CurrentMovieFile, Mkv);
  EXPECT_EQ(main->Playlist().Entries().PlaylistIndex, 1);
  EXPECT_TRUE(video->FilterGraph.Active());
  EXPECT_TRUE(main->BtnStop->Enabled());
  EXPECT_EQ(main->MovieLabel->Caption(), L"clip.mkv");

  // The next double click stops that movie and opens the first entry.
  DoubleClick(0);
  EXPECT_EQ(main->CurrentMovieFile, lc::settings::WideToUtf8(lctest::MediaPath("clip.avi")));
  EXPECT_EQ(main->Playlist().Entries().PlaylistIndex, 0);
  EXPECT_TRUE(video->FilterGraph.Active());
  EXPECT_EQ(main->MovieLabel->Caption(), L"clip.avi");
}

TEST_F(PlaylistPlayback, AnOpeningGathersTheSubtitleCandidatesOfItsEntry) {
  list->ListSub.Clear();
  main->Opener().OpenFiles({lc::settings::WideToUtf8(lctest::MediaPath("clip.mkv"))}, -1);
  Pump(300);
  EXPECT_TRUE(video->FilterGraph.Active());
  ASSERT_EQ(list->ListVideo.Count(), 1);
  EXPECT_EQ(list->ListVideo.ItemIndex(), 0);
  ASSERT_EQ(list->ListSub.Count(), 1);
  EXPECT_EQ(list->ListSub.Items(0), L"No subtitle");
  EXPECT_EQ(list->ListSub.ItemIndex(), 0);
}

}  // namespace
