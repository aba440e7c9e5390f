#include "player/entry_choice.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "playlist/tests/fakes.h"
#include "settings/text_table.h"

namespace lc {
namespace {

using Paths = std::vector<std::string>;

class EntryChoiceTest : public ::testing::Test {
 protected:
  EntryChoiceTest() : list(link, files, settings, texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl") {
    settings::SetDefaultTexts(texts);
    // The draws the test sets out, in order.
    list.SetRandom([this](std::size_t Bound) {
      EXPECT_FALSE(draws.empty());
      const std::size_t R = draws.empty() ? 0 : draws.front();
      if (!draws.empty()) draws.pop_front();
      EXPECT_LT(R, Bound);
      return R;
    });
  }
  void Fill(int Count, int Current) {
    for (int I = 0; I < Count; ++I) {
      const std::string Path = "C:\\m\\" + std::string(1, static_cast<char>('a' + I)) + ".avi";
      files.AddFile(Path);
      list.AddMovie(Path);
    }
    list.Entries().PlaylistIndex = Current;
  }
  int Choose(bool Shuffle, int Repeat, EntryStep Step) { return ChooseEntry(list, Shuffle, Repeat, Step); }

  playlist::testing::RecordingLink link;
  playlist::testing::FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts;
  playlist::Playlist list;
  std::deque<std::size_t> draws;
};

TEST_F(EntryChoiceTest, EndOfMovieInSequence) {
  Fill(2, 0);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::MovieEnded), 1);
  list.Entries().PlaylistIndex = 1;
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::MovieEnded), -1);
  EXPECT_EQ(Choose(false, kRepeatOne, EntryStep::MovieEnded), -1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::MovieEnded), 0);
  list.Entries().PlaylistIndex = -1;
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::MovieEnded), -1);
}

TEST_F(EntryChoiceTest, AnEmptyListNeverStartsAgain) {
  Fill(0, 0);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::MovieEnded), -1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Next), -1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Previous), -1);
}

TEST_F(EntryChoiceTest, AFailureAtTheLastEntryNeverWraps) {
  Fill(3, 1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::RenderFailed), 2);
  list.Entries().PlaylistIndex = 2;
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::RenderFailed), -1);
}

TEST_F(EntryChoiceTest, NextAndPreviousInSequence) {
  Fill(3, 2);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Next), -1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Next), 0);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), 1);
  list.Entries().PlaylistIndex = 1;
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), 0);
  list.Entries().PlaylistIndex = -1;
  // No current entry: Next starts at the first, Previous only wraps.
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Next), 0);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), -1);
  list.Entries().PlaylistIndex = 0;
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), -1);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Previous), 2);
  // The list lost its last entry, the one that played: Previous still
  // reaches the new last one. Further beyond the list it leads nowhere.
  list.Entries().PlaylistIndex = 3;
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), 2);
  list.Entries().PlaylistIndex = 5;
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Previous), -1);
}

TEST_F(EntryChoiceTest, ASingleEntryRepeatsOnlyWithRepeatAll) {
  Fill(1, 0);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Previous), 0);
  EXPECT_EQ(Choose(false, kRepeatAll, EntryStep::Next), 0);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::Previous), -1);
  EXPECT_EQ(Choose(false, kRepeatOff, EntryStep::MovieEnded), -1);
}

TEST_F(EntryChoiceTest, ShuffleDropsStalePathsAndStartsNewRounds) {
  Fill(3, 0);
  list.Entries().ShufflePool = {"C:\\m\\gone.avi", "C:\\m\\c.avi"};
  draws = {0, 0};
  EXPECT_EQ(Choose(true, kRepeatOff, EntryStep::Next), 2);
  EXPECT_EQ(list.Entries().ShufflePool, (Paths{"C:\\m\\c.avi"}));
  // Only a stale path left: the command finds nothing, the pulse begins a
  // new round with repeat all.
  list.Entries().ShufflePool = {"C:\\m\\gone.avi"};
  draws = {0};
  EXPECT_EQ(Choose(true, kRepeatAll, EntryStep::Next), -1);
  list.Entries().ShufflePool = {"C:\\m\\gone.avi"};
  list.Entries().ShuffleHistory = {"C:\\m\\a.avi"};
  draws = {0, 1};
  EXPECT_EQ(Choose(true, kRepeatAll, EntryStep::MovieEnded), 1);
  EXPECT_EQ(list.Entries().ShufflePool, (Paths{"C:\\m\\a.avi", "C:\\m\\b.avi", "C:\\m\\c.avi"}));
  EXPECT_TRUE(list.Entries().ShuffleHistory.empty());
  // An empty pool without repeat all: nothing, also after a failure.
  list.Entries().ShufflePool.clear();
  EXPECT_EQ(Choose(true, kRepeatOff, EntryStep::RenderFailed), -1);
  EXPECT_EQ(Choose(true, kRepeatOne, EntryStep::Next), -1);
  draws = {2};
  EXPECT_EQ(Choose(true, kRepeatAll, EntryStep::RenderFailed), 2);
  // The first entry drawn at a movie's end plays.
  list.Entries().ShufflePool = {"C:\\m\\a.avi"};
  draws = {0};
  EXPECT_EQ(Choose(true, kRepeatOff, EntryStep::MovieEnded), 0);
}

TEST_F(EntryChoiceTest, ShufflePreviousWalksTheHistoryBack) {
  Fill(3, 2);
  list.Entries().ShuffleHistory = {"C:\\m\\b.avi", "C:\\m\\gone.avi", "C:\\m\\c.avi"};
  EXPECT_EQ(Choose(true, kRepeatOff, EntryStep::Previous), 1);
  EXPECT_TRUE(list.Entries().ShuffleHistory.empty());
  // Only the current movie in the history: nothing, and the history empties.
  list.Entries().ShuffleHistory = {"C:\\m\\c.avi"};
  EXPECT_EQ(Choose(true, kRepeatAll, EntryStep::Previous), -1);
  EXPECT_TRUE(list.Entries().ShuffleHistory.empty());
}

}  // namespace
}  // namespace lc
