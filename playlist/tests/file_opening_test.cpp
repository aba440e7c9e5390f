#include "playlist/file_opening.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "playlist/tests/fakes.h"
#include "settings/text_table.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;
using testing::FakeFileSystem;
using testing::RecordingLink;

class FileOpeningTest : public ::testing::Test {
 protected:
  FileOpeningTest()
      : playlist(link, files, settings, texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl"),
        opener(playlist, link, files, settings, texts) {
    settings::SetDefaultTexts(texts);
    settings.MediaExtensions = {"avi", "mkv", "mpg"};
    settings.AutoPlayOnLoad = true;
    for (const char* file : {"C:\\m\\a.avi", "C:\\m\\b.avi", "C:\\m\\movie.xyz", "C:\\m\\film.srt",
                             "C:\\x\\.hidden\\c.avi", "C:\\x\\d.AVI", "C:\\x\\y\\E.mkv", "C:\\x\\y\\notes.txt"})
      files.AddFile(file);
  }
  Lines Movies() const { return playlist.Entries().PlaylistMovies; }
  // An earlier list that an open must replace or keep.
  void EarlierList() {
    files.AddFile("C:\\old\\one.avi");
    playlist.AddMovie("C:\\old\\one.avi");
    playlist.SetItemIndex(0);
    playlist.Entries().PlaylistIndex = 0;
  }

  RecordingLink link;
  FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts;
  Playlist playlist;
  FileOpener opener;
};

TEST_F(FileOpeningTest, ASingleFileOfAnyTypePlaysAndLooksForItsNextParts) {
  opener.OpenFiles({"C:\\m\\movie.xyz"}, -1);
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\movie.xyz"}));
  EXPECT_EQ(link.calls, (Lines{"stop for new list", "open C:\\m\\movie.xyz play parts"}));
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);
  EXPECT_EQ(playlist.ItemIndex(), 0);
  EXPECT_EQ(playlist.Lines(), (Lines{"1. movie.xyz"}));

  link.calls.clear();
  settings.AutoPlayOnLoad = false;
  opener.OpenFiles({"C:\\m\\movie.xyz", "C:\\m\\a.avi"}, -1);
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\a.avi"}));
  EXPECT_EQ(link.calls, (Lines{"stop for new list", "open C:\\m\\a.avi paused"}));
}

TEST_F(FileOpeningTest, TheStartMovieFollowsItsFileThroughTheSort) {
  struct Case {
    int startIndex;
    const char* plays;
  };
  const Case cases[] = {{0, "C:\\m\\b.avi"}, {1, "C:\\m\\a.avi"}, {-1, "C:\\m\\a.avi"}, {2, "C:\\m\\a.avi"},
                        {99, "C:\\m\\a.avi"}};
  for (const Case& c : cases) {
    link.calls.clear();
    opener.OpenFiles({"C:\\m\\b.avi", "C:\\m\\a.avi"}, c.startIndex);
    EXPECT_EQ(Movies(), (Lines{"C:\\m\\a.avi", "C:\\m\\b.avi"})) << c.startIndex;
    EXPECT_EQ(link.currentMovie, c.plays) << c.startIndex;
    EXPECT_EQ(link.calls.back(), std::string("open ") + c.plays + " play") << c.startIndex;
    EXPECT_EQ(playlist.ItemIndex(), playlist.Entries().PlaylistIndex);
  }
}

TEST_F(FileOpeningTest, AStartMovieThatVanishedIsReportedAndTheListStays) {
  link.onStopForNewList = [&] { files.RemoveFile("C:\\m\\a.avi"); };
  opener.OpenFiles({"C:\\m\\b.avi", "C:\\m\\a.avi"}, -1);
  EXPECT_EQ(link.messages, (Lines{"main: File \"C:\\m\\a.avi\" doesn't exist!"}));
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\a.avi", "C:\\m\\b.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);
  EXPECT_EQ(link.calls, (Lines{"stop for new list"}));
}

TEST_F(FileOpeningTest, FoldersAddTheirMoviesSkippingHiddenFolders) {
  settings.AutoLoadSubtitle = true;
  settings.Shuffle = true;
  link.subtitlesFound["C:\\x\\d.AVI"] = "C:\\x\\d.srt";
  playlist.Entries().ShuffleHistory = {"C:\\old.avi"};
  opener.OpenFiles({"C:\\x", "C:\\m\\b.avi", "C:\\nowhere"}, -1);
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\b.avi", "C:\\x\\d.AVI", "C:\\x\\y\\E.mkv"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"No subtitle", "C:\\x\\d.srt", "No subtitle"}));
  EXPECT_EQ(playlist.Entries().ShufflePool, Movies());
  EXPECT_TRUE(playlist.Entries().ShuffleHistory.empty());
  EXPECT_EQ(link.calls.back(), "open C:\\m\\b.avi play");
}

TEST_F(FileOpeningTest, NothingToPlayLeavesTheEarlierListAsItWas) {
  EarlierList();
  opener.OpenFiles({"C:\\m\\film.srt", "C:\\x\\y\\notes.txt", "C:\\nowhere"}, -1);
  EXPECT_EQ(link.messages, (Lines{"main: No movie found!"}));
  EXPECT_EQ(Movies(), (Lines{"C:\\old\\one.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);
  EXPECT_TRUE(link.calls.empty());
}

TEST_F(FileOpeningTest, NothingHappensWhileThePlayerIsBusy) {
  EarlierList();
  link.busy = true;
  opener.OpenFiles({"C:\\m\\a.avi"}, -1);
  EXPECT_EQ(Movies(), (Lines{"C:\\old\\one.avi"}));
  EXPECT_TRUE(link.calls.empty());
  EXPECT_TRUE(link.messages.empty());
}

TEST_F(FileOpeningTest, ASubtitleGoesWithTheOpenMovieOrIsTriedAsAMovie) {
  opener.OpenFiles({"C:\\m\\film.srt"}, -1);  // no movie open
  EXPECT_EQ(link.calls.back(), "open C:\\m\\film.srt play parts");

  opener.OpenFiles({"C:\\m\\a.avi", "C:\\m\\b.avi"}, 1);
  link.calls.clear();
  link.currentMovie = "C:\\m\\b.avi";
  link.graphActive = true;
  link.subtitleLoads = false;
  opener.OpenFiles({"C:\\m\\film.srt"}, -1);
  EXPECT_EQ(link.calls, (Lines{"subtitle C:\\m\\film.srt"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"No subtitle", "No subtitle"}));

  link.subtitleLoads = true;
  opener.OpenFiles({"C:\\m\\film.srt"}, -1);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"No subtitle", "C:\\m\\film.srt"}));
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\a.avi", "C:\\m\\b.avi"}));
}

TEST_F(FileOpeningTest, APlaylistFileIsLoadedShownAndPlayed) {
  files.AddFile("C:\\l\\list.LPL", "C:\\m\\b.avi\r\nNo subtitle\r\nC:\\m\\a.avi\r\nC:\\m\\a.srt\r\n");
  opener.OpenFiles({"C:\\l\\list.LPL"}, -1);
  EXPECT_EQ(Movies(), (Lines{"C:\\m\\b.avi", "C:\\m\\a.avi"}));  // the file's order
  EXPECT_EQ(link.calls, (Lines{"show playlist", "stop for new list", "open C:\\m\\b.avi play"}));
}

TEST_F(FileOpeningTest, AnUnreadablePlaylistFileKeepsTheListUnplayed) {
  EarlierList();
  files.AddFile("C:\\l\\bad.lpl", std::string("\0\0", 2));
  opener.OpenFiles({"C:\\l\\bad.lpl"}, -1);
  EXPECT_EQ(link.messages, (Lines{"playlist: Error reading from \"C:\\l\\bad.lpl\"!"}));
  EXPECT_EQ(Movies(), (Lines{"C:\\old\\one.avi"}));
  EXPECT_TRUE(link.calls.empty());

  link.messages.clear();
  files.AddFile("C:\\l\\empty.lpl", "");
  opener.OpenFiles({"C:\\l\\empty.lpl"}, -1);
  EXPECT_EQ(link.messages, (Lines{"main: No movie found!"}));
  EXPECT_TRUE(Movies().empty());
}

TEST_F(FileOpeningTest, DropsOnTheMainWindowOpenFromTheFirstDroppedFile) {
  link.previousSettingsValid = true;
  link.openSucceeds = false;
  opener.AcceptFiles({"C:\\m\\b.avi", "C:\\m\\a.avi"});
  EXPECT_EQ(link.currentMovie, "C:\\m\\b.avi");
  EXPECT_FALSE(link.previousSettingsValid);
  link.openSucceeds = true;
  opener.AcceptFiles({"C:\\m\\a.avi"});
  EXPECT_TRUE(link.previousSettingsValid);
}

// A single ".lpl" name that brings no entry into an empty list is dropped
// like any other name: a folder of that name is scanned.
TEST_F(FileOpeningTest, AnLplNameThatLoadsNothingIsADropAllTheSame) {
  files.AddFile("C:\\v.lpl\\a.avi");
  opener.DropOnPlaylist({"C:\\v.lpl"});
  EXPECT_EQ(Movies(), (Lines{"C:\\v.lpl\\a.avi"}));
}

TEST_F(FileOpeningTest, DropsOnThePlaylistAppendWithoutPlaying) {
  EarlierList();
  link.closeWhenListEnds = true;
  opener.DropOnPlaylist({"C:\\m\\b.avi", "C:\\x", "C:\\m\\movie.xyz", "C:\\m\\a.avi"});
  EXPECT_EQ(Movies(), (Lines{"C:\\old\\one.avi", "C:\\m\\b.avi", "C:\\x\\d.AVI", "C:\\x\\y\\E.mkv", "C:\\m\\a.avi"}));
  EXPECT_EQ(playlist.Lines().back(), "5. a.avi");
  EXPECT_EQ(playlist.ItemIndex(), 0);
  EXPECT_FALSE(link.closeWhenListEnds);
  EXPECT_TRUE(link.calls.empty());

  files.AddFile("C:\\l\\more.lpl", "C:\\m\\z.avi\r\nNo subtitle\r\n");
  link.previousSettingsValid = true;
  opener.DropOnPlaylist({"C:\\l\\more.lpl"});
  EXPECT_FALSE(link.previousSettingsValid);
  EXPECT_EQ(Movies().back(), "C:\\m\\z.avi");
  EXPECT_EQ(playlist.Count(), 6);

  // Only a name ending in the extension is a playlist file.
  files.AddFile("C:\\l\\x.lpl.avi");
  opener.DropOnPlaylist({"C:\\l\\x.lpl.avi"});
  EXPECT_EQ(Movies().back(), "C:\\l\\x.lpl.avi");
}

TEST_F(FileOpeningTest, AddedFilesAndFoldersAreAppended) {
  EarlierList();
  opener.AddMovies({"C:\\m\\movie.xyz", "C:\\m\\gone.avi", "C:\\m\\a.avi"});
  EXPECT_EQ(Movies(), (Lines{"C:\\old\\one.avi", "C:\\m\\movie.xyz", "C:\\m\\a.avi"}));
  EXPECT_TRUE(link.messages.empty());
  opener.AddMovies({"C:\\m\\gone.avi"});
  EXPECT_EQ(link.messages, (Lines{"playlist: File \"C:\\m\\gone.avi\" doesn't exist!"}));

  link.closeWhenListEnds = true;
  opener.AddFolderWithMovies("C:\\x\\");
  EXPECT_EQ(Movies().size(), 5u);
  EXPECT_EQ(Movies()[3], "C:\\x\\d.AVI");
  EXPECT_EQ(Movies()[4], "C:\\x\\y\\E.mkv");
  EXPECT_EQ(playlist.ItemIndex(), 0);
  EXPECT_FALSE(link.closeWhenListEnds);

  // The folder command gives up closing at the list's end before its
  // browser opens, so a cancelled browser does too.
  link.closeWhenListEnds = true;
  opener.FolderCommandBegins();
  EXPECT_FALSE(link.closeWhenListEnds);
  EXPECT_EQ(Movies().size(), 5u);
}

}  // namespace
}  // namespace lc::playlist
