// The playlist window over the main window's playlist, with the real
// opening: a double click on an entry stops what plays and opens that
// entry's movie in the video window.
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/playlist_setup.h"
#include "kit/tests/box_closer.h"
#include "player/tests/playback_fixture.h"
#include "playlist/tests/drop_support.h"
#include "playlist/win/playlist_window.h"

namespace {

using lc::Player;
using lc::Program;
using lc::testing::ClosedBoxes;
using lc::testing::Media;
using lctest::Pump;

class PlaylistPlayback : public lc::testing::PlaybackFixture {
 protected:
  void AdjustSettings(lc::settings::SettingsStore& S) override { S.AutoLoadSubtitle = false; }
  void SetUp() override {
    PlaybackFixture::SetUp();
    ClosedBoxes().clear();
    list = lc::MakePlaylistWindow(*form, links->Playlist());
    list->SetBounds(600, 100, list->Width(), list->Height());
    list->Show();
    for (const char* Name : {"clip.avi", "clip.mkv"}) form->Playlist().AddMovie(Media(Name));
    Pump(50);
  }

  void TearDown() override {
    form->Satellites.PlayList = nullptr;
    list.reset();
    PlaybackFixture::TearDown();
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

  std::unique_ptr<TfrmPlayList> list;
};

TEST_F(PlaylistPlayback, ADoubleClickPlaysTheEntryThroughTheOpening) {
  ASSERT_EQ(list->ListVideo.Count(), 2);
  EXPECT_EQ(list->ListVideo.Items(1), L"2. clip.mkv");
  DoubleClick(1);
  const std::string Mkv = Media("clip.mkv");
  EXPECT_EQ(form->CurrentMovieFile, Mkv);
  EXPECT_EQ(form->Playlist().Entries().PlaylistIndex, 1);
  EXPECT_TRUE(video->FilterGraph.Active());
  EXPECT_TRUE(form->BtnStop->Enabled());
  EXPECT_EQ(form->MovieLabel->Caption(), L"clip.mkv");

  // The next double click stops that movie and opens the first entry.
  DoubleClick(0);
  EXPECT_EQ(form->CurrentMovieFile, Media("clip.avi"));
  EXPECT_EQ(form->Playlist().Entries().PlaylistIndex, 0);
  EXPECT_TRUE(video->FilterGraph.Active());
  EXPECT_EQ(form->MovieLabel->Caption(), L"clip.avi");
  // Both went through the main window's opening.
  EXPECT_EQ(Opened(), (std::vector<std::string>{"clip.mkv", "clip.avi"}));
}

TEST_F(PlaylistPlayback, AnOpeningGathersTheSubtitleCandidatesOfItsEntry) {
  list->ListSub.Clear();
  form->Opener().OpenFiles({Media("clip.mkv")}, -1);
  Pump(300);
  EXPECT_TRUE(video->FilterGraph.Active());
  ASSERT_EQ(list->ListVideo.Count(), 1);
  EXPECT_EQ(list->ListVideo.ItemIndex(), 0);
  ASSERT_EQ(list->ListSub.Count(), 1);
  EXPECT_EQ(list->ListSub.Items(0), L"No subtitle");
  EXPECT_EQ(list->ListSub.ItemIndex(), 0);
}

// The owner of the box that shows next, read when it is up.
TForm* BoxOwner = nullptr;
void CALLBACK NoteBoxOwner(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  BoxOwner = frmMessage->OwnerForm;
  lc::testing::CloseShownBox(nullptr, 0, Id, 0);
}

TEST_F(PlaylistPlayback, ThePlaylistsMessagesBelongToItsWindowTheOpeningsToTheMainWindow) {
  form->OnReport = nullptr;  // the real boxes show
  form->Playlist().RemoveAll();
  SetTimer(nullptr, 0, 50, NoteBoxOwner);
  form->Playlist().SaveCommand({}, false);
  Pump(100);
  EXPECT_EQ(BoxOwner, list.get());
  SetTimer(nullptr, 0, 50, NoteBoxOwner);
  form->Opener().OpenFiles({folder.File("nothing here.avi")}, -1);
  Pump(100);
  EXPECT_EQ(BoxOwner, form.get());
  EXPECT_EQ(ClosedBoxes(), (std::vector<std::wstring>{L"Nothing to save!", L"No movie found!"}));
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
    form->Playlist().AddMovie(Movie);
    DoubleClick(2);
    ASSERT_EQ(form->CurrentMovieFile, Movie);
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
    lc::testing::CloseNextBox();
    SendMessageW(Lines, WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(Lines, WM_LBUTTONUP, 0, At);
    Pump(200);
  }
  void DropOnSubtitles(const std::string& File) {
    const TRect R = list->ListSub.BoundsRect();
    lc::testing::CloseNextBox();
    SendMessageW(list->Handle(), WM_DROPFILES,
                 reinterpret_cast<WPARAM>(lc::playlist::testing::MakeDrop(
                     {Utf8ToWide(File)}, POINT{R.Left + 10, R.Top + 5})),
                 0);
    Pump(200);
  }
  void LinesOnScreen(std::vector<std::string> Lines) { video->VideoWindow->OverlaySubtitleLinesA = std::move(Lines); }
  const std::string& EntrySubtitle() const { return form->Playlist().Entries().PlaylistSubtitles[2]; }

  std::string Movie, Srt;
};

TEST_F(PlaylistSubtitleChoice, ACandidateThatNoLongerLoadsSaysSoAndStaysTheEntrysChoice) {
  // The file changed on disk after the list was gathered.
  Write("Film.srt", "just some words\r\nand more\r\n");
  LinesOnScreen({"OLD LINE"});
  ChooseLine(1);
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{L"Unknown subtitle type!"});
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), Srt);
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());
}

TEST_F(PlaylistSubtitleChoice, ChoosingACandidateLoadsItAndLineZeroTakesItAway) {
  LinesOnScreen({"OLD LINE"});
  ChooseLine(1);
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{});
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"Film.srt");
  EXPECT_EQ(lc::Subtitles().Current.Count(), 2u);
  EXPECT_EQ(EntrySubtitle(), Srt);
  EXPECT_TRUE(video->VideoWindow->OverlaySubtitleLinesA.empty());

  ChooseLine(0);
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), "No subtitle");

  // Another entry's choice changes that entry alone.
  Player().SubtitleLoaded = true;
  form->SubtitleLabel->SetCaption(L"Film.srt");
  form->Playlist().Entries().PlaylistSubtitles[0] = Srt;
  list->ListVideo.SetItemIndex(0);
  list->ListVideo.OnClick(&list->ListVideo);
  ASSERT_EQ(list->ListSub.ItemIndex(), 1);
  ChooseLine(0);
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"Film.srt");
  EXPECT_EQ(form->Playlist().Entries().PlaylistSubtitles[0], "No subtitle");
}

TEST_F(PlaylistSubtitleChoice, ASubtitleAddedForThePlayingMovieIsLoadedWithItsMessage) {
  const std::string Text = Write("notes.txt", "just some words\r\nand more\r\n");
  DropOnSubtitles(Text);
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{L"Unknown subtitle type!"});
  EXPECT_FALSE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"No subtitle");
  EXPECT_EQ(EntrySubtitle(), "No subtitle");

  ClosedBoxes().clear();
  const std::string Other = Write("Other.srt", Good("WORLD"));
  DropOnSubtitles(Other);
  EXPECT_EQ(ClosedBoxes(), std::vector<std::wstring>{});
  EXPECT_TRUE(Player().SubtitleLoaded);
  EXPECT_EQ(form->SubtitleLabel->Caption(), L"Other.srt");
  EXPECT_EQ(EntrySubtitle(), Other);
  // Gathered again: the entry's own subtitle first, selected.
  ASSERT_GE(list->ListSub.Count(), 2);
  EXPECT_EQ(list->ListSub.Items(1), L"Other.srt");
  EXPECT_EQ(list->ListSub.ItemIndex(), 1);
}

}  // namespace
