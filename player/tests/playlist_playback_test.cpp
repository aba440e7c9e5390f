// The playlist window over the main window's playlist, with the real
// opening: a double click on an entry stops what plays and opens that
// entry's movie in the video window.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "framework/application.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "playlist/tests/drop_support.h"
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

// Message boxes are read and closed by a timer (the box is modal).
std::vector<std::wstring> BoxTexts;
void CALLBACK CloseBox(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  BoxTexts.push_back(frmMessage->Text());
  wchar_t Key = 27;
  frmMessage->FormKeyPress(Key);
}

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
    BoxTexts.clear();
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

// A movie of its own folder with a subtitle beside it, played from the
// list: the subtitle list offers that subtitle.
class PlaylistSubtitleChoice : public PlaylistPlayback {
 protected:
  void SetUp() override {
    PlaylistPlayback::SetUp();
    std::filesystem::copy_file(lctest::MediaPath("clip.avi"), std::filesystem::u8path(folder.File("Film.avi")));
    Movie = folder.File("Film.avi");
    Srt = Write("Film.srt", Good("HELLO"));
    main->Playlist().AddMovie(Movie);
    DoubleClick(2);
    ASSERT_EQ(main->CurrentMovieFile, Movie);
    ASSERT_TRUE(video->FilterGraph.Active());
    ASSERT_EQ(list->ListSub.Count(), 2);
    ASSERT_EQ(list->ListSub.Items(1), L"Film.srt");
  }

  static std::string Good(const std::string& Text) {
    return "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + Text + "\r\n\r\n2\r\n00:01:00,000 --> 00:01:01,000\r\nEND\r\n";
  }
  std::string Write(const std::string& Name, const std::string& Bytes) {
    const std::string Path = folder.File(Name);
    std::ofstream(std::filesystem::u8path(Path), std::ios::binary) << Bytes;
    return Path;
  }
  // A click on a line of the subtitle list; a message box it raises is
  // read and closed.
  void ChooseLine(int Line) {
    HWND Lines = list->ListSub.Handle();
    const int Height = list->ListSub.ItemHeight();
    const LPARAM At = MAKELPARAM(10, Line * Height + Height / 2);
    SetTimer(nullptr, 0, 50, CloseBox);
    SendMessageW(Lines, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(Lines, WM_LBUTTONUP, 0, At);
    Pump(200);
  }
  void DropOnSubtitles(const std::string& File) {
    const TRect R = list->ListSub.BoundsRect();
    SetTimer(nullptr, 0, 50, CloseBox);
    SendMessageW(list->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(lc::playlist::testing::MakeDrop(
                     {lc::settings::Utf8ToWide(File)}, POINT{R.Left + 10, R.Top + 5})),
                 0);
    Pump(200);
  }
  void LinesOnScreen(std::vector<std::string> Lines) { video->VideoWindow->OverlaySubtitleLinesA = std::move(Lines); }
  const std::string& EntrySubtitle() const { return main->Playlist().Entries().PlaylistSubtitles[2]; }

  std::string Movie, Srt;
};

TEST_F(PlaylistSubtitleChoice, ACandidateThatNoLongerLoadsSaysSoAndStaysTheEntrysChoice) {
  // The file changed on disk after the list was gathered.
  Write("Film.srt", "just some words\r\nand more\r\n");
  LinesOnScreen({"OLD LINE"});
  ChooseLine(1);
  EXPECT_EQ(BoxTexts, std::vector<std::wstring>{L"Unknown subtitle type!"});
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), Srt);
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());
}

TEST_F(PlaylistSubtitleChoice, ChoosingACandidateLoadsItAndLineZeroTakesItAway) {
  LinesOnScreen({"OLD LINE"});
  ChooseLine(1);
  EXPECT_EQ(BoxTexts, std::vector<std::wstring>{});
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"Film.srt");
  EXPECT_EQ(lc::Subtitles().Current.Count(), 2u);
  EXPECT_EQ(EntrySubtitle(), Srt);
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());

  ChooseLine(0);
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), "No subtitle");

  // Another entry's choice changes that entry alone.
  Player().SubtitleLoaded = true;
  main->SubtitleLabel->SetCaption(L"Film.srt");
  main->Playlist().Entries().PlaylistSubtitles[0] = Srt;
  list->ListVideo.SetItemIndex(0);
  list->ListVideo.OnClick(&list->ListVideo);
  ASSERT_EQ(list->ListSub.ItemIndex(), 1);
  ChooseLine(0);
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"Film.srt");
  EXPECT_EQ(main->Playlist().Entries().PlaylistSubtitles[0], "No subtitle");
}

TEST_F(PlaylistSubtitleChoice, ASubtitleAddedForThePlayingMovieIsLoadedWithItsMessage) {
  const std::string Text = Write("notes.txt", "just some words\r\nand more\r\n");
  DropOnSubtitles(Text);
  EXPECT_EQ(BoxTexts, std::vector<std::wstring>{L"Unknown subtitle type!"});
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), "No subtitle");

  BoxTexts.clear();
  const std::string Other = Write("Other.srt", Good("WORLD"));
  DropOnSubtitles(Other);
  EXPECT_EQ(BoxTexts, std::vector<std::wstring>{});
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(main->SubtitleLabel->Caption(), L"Other.srt");
  EXPECT_EQ(EntrySubtitle(), Other);
  // Gathered again: the entry's own subtitle first, selected.
  ASSERT_GE(list->ListSub.Count(), 2);
  EXPECT_EQ(list->ListSub.Items(1), L"Other.srt");
  EXPECT_EQ(list->ListSub.ItemIndex(), 1);
}

}  // namespace
