// The subtitle list's commands on the selected entry, and the notice the
// window showing the lines gets of every change.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/playlist.h"
#include "playlist/tests/fakes.h"
#include "settings/text_table.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;
using testing::FakeFileSystem;
using testing::RecordingLink;

class EntrySubtitleTest : public ::testing::Test {
 protected:
  EntrySubtitleTest() : playlist(link, files, settings, texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl") {
    settings::SetDefaultTexts(texts);
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) {
      files.AddFile(std::string("C:\\m\\") + name);
      playlist.AddMovie(std::string("C:\\m\\") + name);
    }
    playlist.Entries().PlaylistSubtitleCandidates = {"C:\\m\\b.srt", "C:\\subs\\b.en.srt"};
    playlist.SetItemIndex(1);
  }
  // Entry b plays as the current entry.
  void PlayB() {
    link.graphActive = true;
    link.currentMovie = "C:\\m\\b.avi";
    playlist.Entries().PlaylistIndex = 1;
  }
  const std::string& SubtitleOfB() const { return playlist.Entries().PlaylistSubtitles[1]; }
  static bool Accept(const std::string&) { return true; }
  static bool Refuse(const std::string&) { return false; }

  RecordingLink link;
  FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts;
  Playlist playlist;
};

TEST_F(EntrySubtitleTest, ChoosingALineOfAnEntryThatDoesNotPlayOnlyChangesTheEntry) {
  playlist.ChooseSubtitleLine(2);
  EXPECT_EQ(SubtitleOfB(), "C:\\subs\\b.en.srt");
  playlist.ChooseSubtitleLine(0);
  EXPECT_EQ(SubtitleOfB(), "No subtitle");
  // A line beyond the candidates does nothing.
  playlist.ChooseSubtitleLine(1);
  playlist.ChooseSubtitleLine(3);
  EXPECT_EQ(SubtitleOfB(), "C:\\m\\b.srt");
  EXPECT_EQ(link.calls, Lines{});
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "No subtitle");
}

TEST_F(EntrySubtitleTest, ChoosingALineForTheMovieThatPlaysLoadsOrRemovesItsSubtitle) {
  PlayB();
  playlist.ChooseSubtitleLine(1);
  playlist.ChooseSubtitleLine(0);
  EXPECT_EQ(link.calls, (Lines{"chosen subtitle C:\\m\\b.srt", "no subtitle"}));
  EXPECT_EQ(SubtitleOfB(), "No subtitle");
  // A subtitle that does not load is still the entry's choice.
  link.subtitleLoads = false;
  playlist.ChooseSubtitleLine(2);
  EXPECT_EQ(SubtitleOfB(), "C:\\subs\\b.en.srt");
}

TEST_F(EntrySubtitleTest, ACandidateLoadsOnlyForTheCurrentEntry) {
  PlayB();
  // The same movie stands at entry 2 too, which is not the current one.
  playlist.Entries().PlaylistMovies[2] = "C:\\m\\b.avi";
  playlist.SetItemIndex(2);
  playlist.ChooseSubtitleLine(1);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[2], "C:\\m\\b.srt");
  EXPECT_EQ(link.calls, Lines{});
  // Without an open movie nothing loads either.
  link.graphActive = false;
  playlist.SetItemIndex(1);
  playlist.ChooseSubtitleLine(0);
  EXPECT_EQ(link.calls, Lines{});
}

TEST_F(EntrySubtitleTest, NoSubtitleForTheOpenMovieHoldsWhicheverEntryIsCurrent) {
  PlayB();
  // The open movie's entry takes its subtitle away even when another entry
  // is the current one; a candidate then loads only for the current entry.
  playlist.Entries().PlaylistIndex = 0;
  playlist.ChooseSubtitleLine(0);
  playlist.ChooseSubtitleLine(1);
  EXPECT_EQ(link.calls, Lines{"no subtitle"});
  EXPECT_EQ(SubtitleOfB(), "C:\\m\\b.srt");
}

TEST_F(EntrySubtitleTest, TheFirstEntryPlayingLoadsItsChosenCandidate) {
  link.graphActive = true;
  link.currentMovie = "C:\\m\\a.avi";
  playlist.Entries().PlaylistIndex = 0;
  playlist.SetItemIndex(0);
  playlist.ChooseSubtitleLine(2);
  EXPECT_EQ(link.calls, Lines{"chosen subtitle C:\\subs\\b.en.srt"});
}

TEST_F(EntrySubtitleTest, AnAddedSubtitleAlreadyOfferedIsRefused) {
  const int before = link.selectionChanges;
  EXPECT_FALSE(playlist.AddEntrySubtitle("c:\\M\\B.SRT", Accept));
  EXPECT_EQ(link.messages, Lines{"playlist: Subtitle already loaded!"});
  EXPECT_EQ(SubtitleOfB(), "No subtitle");
  EXPECT_EQ(link.selectionChanges, before);
}

TEST_F(EntrySubtitleTest, AnAddedSubtitleForAnEntryThatDoesNotPlayMustPassTheCheck) {
  EXPECT_FALSE(playlist.AddEntrySubtitle("C:\\x\\bad.txt", Refuse));
  EXPECT_EQ(link.messages, Lines{"playlist: Bad subtitle!"});
  EXPECT_EQ(SubtitleOfB(), "No subtitle");
  const int before = link.selectionChanges;
  EXPECT_TRUE(playlist.AddEntrySubtitle("C:\\x\\good.srt", Accept));
  EXPECT_EQ(SubtitleOfB(), "C:\\x\\good.srt");
  EXPECT_EQ(link.selectionChanges, before + 1);
  EXPECT_EQ(link.calls, Lines{});
}

TEST_F(EntrySubtitleTest, AnAddedSubtitleForTheMovieThatPlaysIsLoadedWithoutTheCheck) {
  PlayB();
  // The movie open is the selected entry's even when another entry is the
  // current one.
  playlist.Entries().PlaylistIndex = 0;
  EXPECT_TRUE(playlist.AddEntrySubtitle("C:\\x\\new.srt", Refuse));
  EXPECT_EQ(link.calls, Lines{"chosen subtitle C:\\x\\new.srt"});
  EXPECT_EQ(SubtitleOfB(), "C:\\x\\new.srt");
  link.subtitleLoads = false;
  EXPECT_FALSE(playlist.AddEntrySubtitle("C:\\x\\broken.srt", Accept));
  EXPECT_EQ(SubtitleOfB(), "C:\\x\\new.srt");
  EXPECT_EQ(link.messages, Lines{});
}

TEST_F(EntrySubtitleTest, NothingHappensWithoutASelectedEntry) {
  playlist.SetItemIndex(-1);
  EXPECT_FALSE(playlist.AddEntrySubtitle("C:\\x\\good.srt", Accept));
  playlist.ChooseSubtitleLine(0);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"No subtitle", "No subtitle", "No subtitle"}));
}

TEST_F(EntrySubtitleTest, TheFirstEntryIsAnEntryLikeAnyOther) {
  playlist.SetItemIndex(0);
  playlist.ChooseSubtitleLine(1);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "C:\\m\\b.srt");
  EXPECT_TRUE(playlist.AddEntrySubtitle("C:\\x\\good.srt", Accept));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "C:\\x\\good.srt");
  // No line chosen: nothing changes.
  playlist.ChooseSubtitleLine(-1);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "C:\\x\\good.srt");
  // Removing the first entry selects the one that moved into its place.
  playlist.RemoveMovie();
  EXPECT_EQ(playlist.ItemIndex(), 0);
  EXPECT_EQ(playlist.Lines().front(), "1. b.avi");
}

TEST_F(EntrySubtitleTest, PlayingWithoutASelectedEntryOpensNothing) {
  playlist.SetItemIndex(-1);
  playlist.PlayEntry(true);
  playlist.PlayEntry(false);
  EXPECT_EQ(link.calls, Lines{});
  EXPECT_EQ(playlist.Entries().PlaylistIndex, -1);
}

// The window follows the model: every edit ends with the lines and the
// selection it must show.
TEST_F(EntrySubtitleTest, EveryEditTellsTheWindowWhatToShow) {
  Lines shown;
  int selected = -2;
  playlist.OnLinesChanged = [&] {
    shown = playlist.Lines();
    selected = playlist.ItemIndex();
  };
  playlist.MoveDown(true);
  EXPECT_EQ(shown, (Lines{"1. a.avi", "2. c.avi", "3. b.avi"}));
  EXPECT_EQ(selected, 2);
  playlist.MoveUp(false);
  EXPECT_EQ(shown, (Lines{"1. a.avi", "2. b.avi", "3. c.avi"}));
  EXPECT_EQ(selected, 2);
  playlist.RemoveMovie();
  EXPECT_EQ(shown, (Lines{"1. a.avi", "2. b.avi"}));
  EXPECT_EQ(selected, 1);
  files.AddFile("C:\\m\\z.avi");
  playlist.ReplaceMovie("C:\\m\\z.avi");
  EXPECT_EQ(shown, (Lines{"1. a.avi", "2. z.avi"}));
  playlist.SetItemIndex(0);
  EXPECT_EQ(selected, 0);
  playlist.SortByFileName();
  EXPECT_EQ(selected, 0);
  playlist.AddMovie("C:\\m\\c.avi");
  EXPECT_EQ(shown, (Lines{"1. a.avi", "2. z.avi", "3. c.avi"}));
  playlist.RemoveAll();
  EXPECT_EQ(shown, Lines{});
  EXPECT_EQ(selected, -1);
}

TEST_F(EntrySubtitleTest, AnAutomaticAdvanceShowsTheEntryItMovesTo) {
  int selected = -2;
  playlist.OnLinesChanged = [&] { selected = playlist.ItemIndex(); };
  files.RemoveFile("C:\\m\\b.avi");
  playlist.PlayEntry(false);
  EXPECT_EQ(selected, 2);
  EXPECT_EQ(link.currentMovie, "C:\\m\\c.avi");
}

}  // namespace
}  // namespace lc::playlist
