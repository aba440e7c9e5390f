// The playlist model without a window: additions with the subtitle search
// and the shuffle pool, the shuffle pool's removal, and the automatic
// playlist file written at close and read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "player/memory_playlist.h"
#include "player/tests/command_line_fakes.h"
#include "settings/file_io.h"
#include "settings/tests/test_support.h"

namespace {

using lc::CommandLineEntry;
using Strings = std::vector<std::string>;

class MemoryPlaylist : public ::testing::Test {
 protected:
  lc::settings::testing::ScratchFolder folder;
  lc::testing::FakeFiles fs;
  bool autoLoad = true;
  bool shuffle = false;
  lc::TMemoryPlaylist list{fs, folder.File("auto.lpl"), &autoLoad, &shuffle};
};

TEST_F(MemoryPlaylist, AddedMoviesGetTheirSubtitleLineAndPlaceInThePool) {
  fs.Subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  list.AddMovie("C:\\m\\a.avi");
  shuffle = true;
  autoLoad = false;
  list.AddMovie("C:\\m\\b.avi");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Entry(0), (CommandLineEntry{"C:\\m\\a.avi", "C:\\m\\a.srt"}));
  EXPECT_EQ(list.Entry(1), (CommandLineEntry{"C:\\m\\b.avi", "No subtitle"}));
  EXPECT_EQ(list.Lines(), (Strings{"1. a.avi", "2. b.avi"}));
  EXPECT_EQ(list.ShufflePool(), Strings{"C:\\m\\b.avi"});
  EXPECT_EQ(list.Entry(5), CommandLineEntry{});
}

TEST_F(MemoryPlaylist, AFolderIsAddedInFileNameOrder) {
  fs.Scans["C:\\f"] = {"C:\\f\\c.avi", "C:\\f\\x\\A.avi", "C:\\f\\b.avi"};
  list.AddMovie("C:\\first.avi");
  list.AddFolderWithMovies("C:\\f");
  EXPECT_EQ(list.Lines(), (Strings{"1. first.avi", "2. A.avi", "3. b.avi", "4. c.avi"}));
}

TEST_F(MemoryPlaylist, OnlyTheFirstOccurrenceLeavesTheShufflePool) {
  list.Replace({{"a", "No subtitle"}, {"b", "No subtitle"}}, {"a", "b", "a"}, {"b"});
  list.RemoveFromShufflePool("a");
  EXPECT_EQ(list.ShufflePool(), (Strings{"b", "a"}));
  list.RemoveFromShufflePool("zz");
  EXPECT_EQ(list.ShufflePool(), (Strings{"b", "a"}));
  EXPECT_EQ(list.ShuffleHistory(), Strings{"b"});
}

TEST_F(MemoryPlaylist, TheAutomaticPlaylistIsWrittenAndReadBack) {
  list.Replace({{"C:\\m\\a.avi", "C:\\m\\a.srt"}, {"C:\\m\\b.avi", "No subtitle"}}, {}, {});
  list.SaveAutoPlaylist();
  std::string Bytes;
  ASSERT_EQ(lc::settings::ReadFileBytes(folder.File("auto.lpl"), 1 << 20, Bytes), lc::settings::ReadStatus::Ok);
  EXPECT_EQ(Bytes, "C:\\m\\a.avi\r\nC:\\m\\a.srt\r\nC:\\m\\b.avi\r\nNo subtitle\r\n");

  bool NoAuto = false, NoShuffle = false;
  lc::TMemoryPlaylist Next{fs, folder.File("other.lpl"), &NoAuto, &NoShuffle};
  Next.AddMovie("C:\\stale.avi");
  Next.SetIndex(0);
  Next.LoadFromList(folder.File("auto.lpl"));
  ASSERT_EQ(Next.Count(), 2);
  EXPECT_EQ(Next.Entry(0), (CommandLineEntry{"C:\\m\\a.avi", "C:\\m\\a.srt"}));
  EXPECT_EQ(Next.Entry(1), (CommandLineEntry{"C:\\m\\b.avi", "No subtitle"}));
  EXPECT_EQ(Next.Lines(), (Strings{"1. a.avi", "2. b.avi"}));
  EXPECT_EQ(Next.Index(), -1);

  // An empty list leaves no file behind.
  list.Replace({}, {}, {});
  list.SaveAutoPlaylist();
  EXPECT_FALSE(lc::settings::FileExists(folder.File("auto.lpl")));
}

TEST_F(MemoryPlaylist, AMissingPlaylistFileChangesNothing) {
  list.AddMovie("C:\\kept.avi");
  list.LoadFromList(folder.File("none.lpl"));
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(list.Entry(0).Movie, "C:\\kept.avi");
}

}  // namespace
