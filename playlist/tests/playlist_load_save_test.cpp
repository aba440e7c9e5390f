#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "playlist/playlist.h"
#include "playlist/tests/fakes.h"
#include "settings/tests/test_support.h"
#include "settings/text_table.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;
using testing::FakeFileSystem;
using testing::RecordingLink;

std::string Entries(int from, int count) {
  std::string bytes;
  for (int i = from; i < from + count; ++i) bytes += "C:\\m\\f" + std::to_string(i) + ".avi\r\nNo subtitle\r\n";
  return bytes;
}

// ------------------------------------------------------------ in memory

class PlaylistLoadTest : public ::testing::Test {
 protected:
  PlaylistLoadTest() : playlist(link, files, settings, texts, "C:\\Data\\", kAuto) {
    settings::SetDefaultTexts(texts);
    playlist.LoadAtStart(0);
    files.AddFile("C:\\m\\keep1.avi");
    files.AddFile("C:\\m\\keep2.avi");
    playlist.AddMovie("C:\\m\\keep1.avi");
    playlist.AddMovie("C:\\m\\keep2.avi");
  }
  static constexpr const char* kAuto = "C:\\Data\\Lumacraft.lpl";
  Lines Movies() const { return playlist.Entries().PlaylistMovies; }

  RecordingLink link;
  FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts;
  Playlist playlist;
};

TEST_F(PlaylistLoadTest, ReplacingLoadEmptiesTheWholeModelFirst) {
  files.AddFile("C:\\l\\new.lpl", "C:\\n\\a.avi\r\nC:\\n\\a.srt\r\nC:\\n\\b.avi\r\n");
  settings.Shuffle = true;
  auto& entries = playlist.Entries();
  entries.PlaylistIndex = 1;
  entries.ShuffleHistory = {"C:\\m\\keep1.avi"};
  playlist.SetItemIndex(1);
  link.closeWhenListEnds = true;
  EXPECT_TRUE(playlist.LoadFromList("C:\\l\\new.lpl", false, true));
  EXPECT_EQ(Movies(), (Lines{"C:\\n\\a.avi", "C:\\n\\b.avi"}));
  EXPECT_EQ(entries.PlaylistSubtitles, (Lines{"C:\\n\\a.srt", "No subtitle"}));
  EXPECT_EQ(entries.ShufflePool, Movies());
  EXPECT_TRUE(entries.ShuffleHistory.empty());
  EXPECT_EQ(entries.PlaylistIndex, -1);
  EXPECT_EQ(playlist.ItemIndex(), -1);
  EXPECT_EQ(playlist.Lines(), (Lines{"1. a.avi", "2. b.avi"}));
  EXPECT_FALSE(link.closeWhenListEnds);
  EXPECT_TRUE(link.messages.empty());
}

TEST_F(PlaylistLoadTest, AppendingKeepsTheSelectionAndStopsAtTheLineLimit) {
  for (int i = 0; i < 598; ++i) playlist.AppendMovie("C:\\x\\" + std::to_string(i) + ".avi");
  playlist.RebuildLines();
  playlist.SetItemIndex(7);
  files.AddFile("C:\\l\\big.lpl", Entries(0, 1000));
  EXPECT_TRUE(playlist.LoadFromList("C:\\l\\big.lpl", false, false));
  EXPECT_EQ(playlist.Count(), 1000);
  EXPECT_EQ(Movies().back(), "C:\\m\\f399.avi");
  EXPECT_EQ(playlist.Lines().back(), "1000. f399.avi");
  EXPECT_EQ(playlist.ItemIndex(), 7);
  EXPECT_TRUE(link.messages.empty());

  EXPECT_TRUE(playlist.LoadFromList("C:\\l\\big.lpl", false, false));
  EXPECT_EQ(playlist.Count(), 1000);
}

TEST_F(PlaylistLoadTest, AFailedLoadLeavesTheListAndReportsUnlessSilent) {
  files.AddFile("C:\\l\\movie.lpl", std::string("\x1A\x45\xDF\xA3\0\0\x01", 7));  // a renamed video
  files.AddFile("C:\\l\\huge.lpl", std::string(1048704, 'x'));
  files.AddFile("C:\\l\\locked.lpl", "a\r\n");
  files.unreadable.insert("C:\\l\\locked.lpl");
  playlist.SetItemIndex(1);
  playlist.Entries().PlaylistIndex = 0;
  struct Case {
    const char* file;
    const char* message;
  };
  const Case cases[] = {
      {"C:\\l\\movie.lpl", "playlist: Error reading from \"C:\\l\\movie.lpl\"!"},
      {"C:\\l\\huge.lpl", "playlist: File \"C:\\l\\huge.lpl\" is too big for a playlist file!"},
      {"C:\\l\\locked.lpl", "playlist: Error opening \"C:\\l\\locked.lpl\"!"},
      {"C:\\l\\none.lpl", "playlist: Error opening \"C:\\l\\none.lpl\"!"},
  };
  for (const Case& c : cases) {
    for (bool silent : {false, true}) {
      link.messages.clear();
      EXPECT_FALSE(playlist.LoadFromList(c.file, silent, true)) << c.file;
      EXPECT_EQ(link.messages, silent ? Lines{} : Lines{c.message}) << c.file;
      EXPECT_EQ(Movies(), (Lines{"C:\\m\\keep1.avi", "C:\\m\\keep2.avi"})) << c.file;
      EXPECT_EQ(playlist.Lines().size(), 2u);
      EXPECT_EQ(playlist.ItemIndex(), 1);
      EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);
    }
  }
}

TEST_F(PlaylistLoadTest, TheSizeLimitIsBelow1048704Bytes) {
  std::string bytes = "C:\\m\\a.avi\r\nNo subtitle\r\n";
  bytes.resize(1048703, ' ');
  files.AddFile("C:\\l\\fits.lpl", bytes);
  EXPECT_TRUE(playlist.LoadFromList("C:\\l\\fits.lpl", false, true));
  EXPECT_EQ(playlist.Count(), 2);  // the blanks make a last movie line
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[1], "No subtitle");
  EXPECT_TRUE(link.messages.empty());
}

TEST_F(PlaylistLoadTest, TheAutomaticSaveNeverReplacesAListItCouldNotRead) {
  const std::string binary("\0\x01\x02\x03", 4);
  files.AddFile(kAuto, binary);
  playlist.RemoveAll();
  EXPECT_FALSE(playlist.LoadFromList(kAuto, true, true));
  playlist.FormCloseQuery();  // empty list: the file would be deleted
  ASSERT_TRUE(files.FileExists(kAuto));
  EXPECT_EQ(files.Bytes(kAuto), binary);
  EXPECT_TRUE(playlist.AutoFileUnread());
  // A new list: the file is set aside, byte for byte, and the list saved.
  playlist.AddMovie("C:\\m\\keep1.avi");
  playlist.FormCloseQuery();
  EXPECT_EQ(files.Bytes(kAuto + std::string(".bad")), binary);
  EXPECT_EQ(files.Bytes(kAuto), "C:\\m\\keep1.avi\r\nNo subtitle\r\n");
  EXPECT_FALSE(playlist.AutoFileUnread());

  // Saved there on purpose, it becomes the list's file again.
  playlist.SaveCommand(kAuto, false);
  EXPECT_EQ(files.Bytes(kAuto), "C:\\m\\keep1.avi\r\nNo subtitle\r\n");
}

// A playlist whose list of the last run (ListFile) the start-up has not
// loaded yet, and what it is linked to.
struct PlaylistBeforeStart {
  explicit PlaylistBeforeStart(const std::string& ListFile)
      : playlist(link, files, settings, texts, "C:\\Data\\", ListFile) {}
  RecordingLink link;
  FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts = [] {
    settings::TextTable defaults;
    settings::SetDefaultTexts(defaults);
    return defaults;
  }();
  Playlist playlist;
};

// A folder in the list file's place is a list that could not be read:
// the automatic save leaves it alone, and a list to save is not saved.
TEST(PlaylistAtStart, AFolderInTheListsPlaceIsNeverWrittenOver) {
  PlaylistBeforeStart start("C:\\Data\\Lumacraft.lpl");
  auto& [link, files, settings, texts, playlist] = start;
  files.AddFolder("C:\\Data\\Lumacraft.lpl");
  playlist.LoadAtStart(0);
  EXPECT_TRUE(playlist.AutoFileUnread());
  EXPECT_TRUE(playlist.FormCloseQuery());  // nothing to save
  files.AddFile("C:\\m\\a.avi");
  playlist.AddMovie("C:\\m\\a.avi");
  EXPECT_FALSE(playlist.FormCloseQuery());
  EXPECT_EQ(files.writes, 0);
  EXPECT_TRUE(files.FolderExists("C:\\Data\\Lumacraft.lpl"));
  EXPECT_FALSE(files.FileExists("C:\\Data\\Lumacraft.lpl"));
  EXPECT_TRUE(link.messages.empty());
}

// The list of the last run is there but could not be read (no list, too
// large, not readable): the automatic save never replaces it. With nothing
// to save it stays; with a list to save it is first kept aside byte for
// byte, and one that cannot even be copied stays, the save failing.
TEST(PlaylistAtStart, AListOfTheLastRunThatCouldNotBeReadIsNeverWrittenOver) {
  const std::string kFile = "C:\\Data\\Lc.lpl";
  const struct {
    const char* what;
    std::string bytes;
    bool readable;
    bool saved;
  } cases[] = {
      {"no list", std::string("\0\x01\x02\x03", 4), true, true},
      {"too large", std::string(1048704, 'x'), true, true},
      {"not readable", Entries(0, 2), false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    PlaylistBeforeStart start(kFile);
    auto& [link, files, settings, texts, playlist] = start;
    files.AddFile(kFile, c.bytes);
    if (!c.readable) files.unreadable.insert(kFile);
    playlist.LoadAtStart(0);
    EXPECT_EQ(link.messages, Lines{}) << "the start-up tells of it, with the other files";
    EXPECT_TRUE(playlist.FormCloseQuery());  // nothing to save
    EXPECT_EQ(files.Bytes(kFile), c.bytes);
    files.AddFile("C:\\m\\x.avi");
    playlist.AddMovie("C:\\m\\x.avi");
    EXPECT_EQ(playlist.FormCloseQuery(), c.saved);
    EXPECT_EQ(files.Bytes(kFile + (c.saved ? ".bad" : "")), c.bytes);
    EXPECT_EQ(files.FileExists(kFile + ".bad"), c.saved);
    if (c.saved) {
      EXPECT_EQ(files.Bytes(kFile), "C:\\m\\x.avi\r\nNo subtitle\r\n");
    }
  }
}

TEST_F(PlaylistLoadTest, TheAutomaticSaveWritesOrDeletesTheListFile) {
  playlist.FormCloseQuery();
  EXPECT_EQ(files.Bytes(kAuto), "C:\\m\\keep1.avi\r\nNo subtitle\r\nC:\\m\\keep2.avi\r\nNo subtitle\r\n");
  EXPECT_TRUE(files.FolderExists("C:\\Data"));
  playlist.RemoveAll();
  playlist.FormCloseQuery();
  EXPECT_FALSE(files.FileExists(kAuto));

  playlist.AddMovie("C:\\m\\keep1.avi");
  files.failWrites = true;
  playlist.FormCloseQuery();
  EXPECT_EQ(files.writes, 2);
  EXPECT_TRUE(link.messages.empty());
}

TEST_F(PlaylistLoadTest, AListFileThatIsNotThereYetIsWrittenAtClose) {
  playlist.RemoveAll();
  EXPECT_FALSE(playlist.LoadFromList(kAuto, true, true));  // the first start
  playlist.AddMovie("C:\\m\\keep2.avi");
  playlist.FormCloseQuery();
  EXPECT_EQ(files.Bytes(kAuto), "C:\\m\\keep2.avi\r\nNo subtitle\r\n");
}

TEST_F(PlaylistLoadTest, AListCutAtTheLineLimitKeepsItsTailWhenSavedBack) {
  files.AddFile(kAuto, Entries(0, 1500));
  EXPECT_TRUE(playlist.LoadFromList(kAuto, true, true));
  EXPECT_EQ(playlist.Count(), 1000);
  playlist.SetItemIndex(0);
  playlist.RemoveMovie();
  playlist.FormCloseQuery();
  EXPECT_EQ(files.Bytes(kAuto), Entries(1, 1499));

  // Saved elsewhere, the list is what it shows.
  playlist.SaveCommand("C:\\l\\shown", false);
  EXPECT_EQ(files.Bytes("C:\\l\\shown.lpl"), Entries(1, 999));

  // Emptied, the list takes its tail with it.
  playlist.RemoveAll();
  playlist.AddMovie("C:\\m\\keep1.avi");
  playlist.FormCloseQuery();
  EXPECT_EQ(files.Bytes(kAuto), "C:\\m\\keep1.avi\r\nNo subtitle\r\n");
}

TEST_F(PlaylistLoadTest, SaveCommandNamesTheFileAndReportsFailures) {
  struct Case {
    const char* chosen;
    bool allFiles;
    const char* written;
  };
  const Case cases[] = {
      {"C:\\l\\list", false, "C:\\l\\list.lpl"},
      {"C:\\l\\LIST.LPL", false, "C:\\l\\LIST.LPL"},
      {"C:\\l\\list.lpl.txt", false, "C:\\l\\list.lpl.txt.lpl"},
      {"C:\\l\\plain", true, "C:\\l\\plain"},
  };
  for (const Case& c : cases) {
    playlist.SaveCommand(c.chosen, c.allFiles);
    EXPECT_TRUE(files.FileExists(c.written)) << c.chosen;
  }
  EXPECT_TRUE(link.messages.empty());

  files.failWrites = true;
  playlist.SaveCommand("C:\\l\\list", false);
  EXPECT_EQ(link.messages, (Lines{"playlist: Can't open \"C:\\l\\list.lpl\"!"}));
  EXPECT_FALSE(playlist.SavePlaylist("C:\\l\\list.lpl", true));
  EXPECT_EQ(link.messages.size(), 1u);

  playlist.RemoveAll();
  link.messages.clear();
  playlist.SaveCommand("C:\\l\\list", false);
  EXPECT_EQ(link.messages, (Lines{"playlist: Nothing to save!"}));
}

// Until the start-up has loaded the list of the last run, the list is not
// the file's: closing the window then (or the program, during the
// start-up) neither deletes nor writes it.
TEST(PlaylistAtStart, TheAutomaticSaveKeepsTheFileUntilTheStartUpLoadedIt) {
  constexpr const char* kFile = "C:\\Data\\Lc.lpl";
  const std::string bytes = Entries(0, 3);
  PlaylistBeforeStart start(kFile);
  auto& [link, files, settings, texts, playlist] = start;
  files.AddFile(kFile, bytes);
  EXPECT_TRUE(playlist.FormCloseQuery());  // an empty list would delete it
  files.AddFile("C:\\m\\x.avi");
  playlist.AddMovie("C:\\m\\x.avi");
  EXPECT_TRUE(playlist.FormCloseQuery());
  EXPECT_EQ(files.Bytes(kFile), bytes);
  EXPECT_EQ(files.writes, 0);

  playlist.LoadAtStart(2);
  EXPECT_EQ(playlist.Count(), 3);
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 1);
  playlist.RemoveAll();
  EXPECT_TRUE(playlist.FormCloseQuery());
  EXPECT_FALSE(files.FileExists(kFile));
}

TEST_F(PlaylistLoadTest, TheEntryOfTheLastRunIsSelectedAgainAtStart) {
  for (int saved : {0, -1}) {
    playlist.SelectAtStart(saved);
    EXPECT_EQ(playlist.ItemIndex(), -1) << saved;
    EXPECT_EQ(playlist.Entries().PlaylistIndex, -1) << saved;
  }
  EXPECT_EQ(link.selectionChanges, 0);
  playlist.SelectAtStart(1);
  EXPECT_EQ(playlist.ItemIndex(), 0);
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);
  // A number beyond the two entries (the list shrank since) selects the last.
  for (int saved : {3, 1000}) {
    playlist.SelectAtStart(saved);
    EXPECT_EQ(playlist.ItemIndex(), 1) << saved;
    EXPECT_EQ(playlist.Entries().PlaylistIndex, 1) << saved;
  }
  EXPECT_EQ(link.selectionChanges, 3);
  // Without a list of the last run nothing is selected.
  playlist.RemoveAll();
  playlist.SelectAtStart(2);
  EXPECT_EQ(playlist.ItemIndex(), -1);
  EXPECT_EQ(playlist.Entries().PlaylistIndex, -1);
}

TEST_F(PlaylistLoadTest, OpenCommandReplacesTheListAndForgetsThePreviousMovie) {
  files.AddFile("C:\\l\\two.lpl", "C:\\n\\a.avi\r\nNo subtitle\r\n");
  link.previousSettingsValid = true;
  playlist.OpenCommand("C:\\l\\two.lpl");
  EXPECT_EQ(Movies(), (Lines{"C:\\n\\a.avi"}));
  EXPECT_FALSE(link.previousSettingsValid);
  // A list that cannot be opened is told, and the list stays.
  playlist.OpenCommand("C:\\l\\gone.lpl");
  EXPECT_EQ(link.messages, (Lines{"playlist: Error opening \"C:\\l\\gone.lpl\"!"}));
  EXPECT_EQ(Movies(), (Lines{"C:\\n\\a.avi"}));
}

// ------------------------------------------------------------ on disk

class PlaylistDiskTest : public ::testing::Test {
 protected:
  PlaylistDiskTest() : playlist(link, disk, settings, texts, folder.File("data"), folder.File("data/auto.lpl")) {
    settings::SetDefaultTexts(texts);
  }

  settings::testing::ScratchFolder folder;
  RecordingLink link;
  DiskFileSystem disk;
  settings::SettingsStore settings;
  settings::TextTable texts;
  Playlist playlist;
};

TEST_F(PlaylistDiskTest, NamesRoundTripWithAndWithoutSubtitles) {
  const Lines movies = {"C:\\Films\\Caf\xC3\xA9.avi", "D:\\\xE6\x98\xA0\xE7\x94\xBB\\clip.mkv", "E:\\plain.mpg"};
  const Lines subtitles = {"C:\\Films\\Caf\xC3\xA9.srt", "No subtitle", "E:\\\xD0\x9A\xD0\xB8\xD0\xBD\xD0\xBE.sub"};
  for (std::size_t i = 0; i < movies.size(); ++i) playlist.AppendMovie(movies[i]);
  playlist.Entries().PlaylistSubtitles = subtitles;
  const std::string file = folder.File("data/list.lpl");
  ASSERT_TRUE(playlist.SavePlaylist(file, false));  // creates the data folder

  playlist.RemoveAll();
  ASSERT_TRUE(playlist.LoadFromList(file, false, true));
  EXPECT_EQ(playlist.Entries().PlaylistMovies, movies);
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, subtitles);
  EXPECT_TRUE(link.messages.empty());
}

TEST_F(PlaylistDiskTest, AFailedSaveIsReportedAndLeavesTheOldFile) {
  std::filesystem::create_directories(folder.path() / "data");
  const std::string file = folder.File("data/locked.lpl");
  settings::testing::WriteBytes(file, "old\r\nNo subtitle\r\n");
  std::filesystem::permissions(settings::testing::U8(file), std::filesystem::perms::owner_read);
  playlist.AppendMovie("C:\\new.avi");
  EXPECT_FALSE(playlist.SavePlaylist(file, false));
  EXPECT_EQ(link.messages, (Lines{"playlist: Can't open \"" + file + "\"!"}));
  std::filesystem::permissions(settings::testing::U8(file), std::filesystem::perms::owner_all);
  EXPECT_EQ(settings::testing::ReadBytes(file), "old\r\nNo subtitle\r\n");
}

TEST_F(PlaylistDiskTest, ATruncatedFileLoadsItsWholeEntriesAndStaysAsItWas) {
  std::filesystem::create_directories(folder.path() / "data");
  const std::string file = folder.File("data/cut.lpl");
  const std::string bytes = "C:\\a.avi\r\nC:\\a.srt\r\nC:\\b.avi\r\nC:\\b.s";
  settings::testing::WriteBytes(file, bytes);
  ASSERT_TRUE(playlist.LoadFromList(file, false, true));
  EXPECT_EQ(playlist.Entries().PlaylistMovies, (Lines{"C:\\a.avi", "C:\\b.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"C:\\a.srt", "C:\\b.s"}));
  EXPECT_EQ(settings::testing::ReadBytes(file), bytes);
}

}  // namespace
}  // namespace lc::playlist
