#include "playlist/playlist.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "playlist/tests/fakes.h"
#include "settings/text_table.h"

namespace lc::playlist {
namespace {

using Lines = std::vector<std::string>;
using testing::FakeFileSystem;
using testing::RecordingLink;

class PlaylistTest : public ::testing::Test {
 protected:
  PlaylistTest() : playlist(link, files, settings, texts, "C:\\Data\\", "C:\\Data\\Lumacraft.lpl") {
    settings::SetDefaultTexts(texts);
  }

  // Adds existing movies with the given names (in folder C:\m).
  void Add(const Lines& names) {
    for (const std::string& name : names) {
      files.AddFile("C:\\m\\" + name);
      playlist.AddMovie("C:\\m\\" + name);
    }
  }
  void AddNumbered(int count) {
    for (int i = 1; i <= count; ++i) Add({std::string("f").append(std::to_string(i)).append(".avi")});
  }
  Lines Names() const {
    Lines names;
    for (const std::string& movie : playlist.Entries().PlaylistMovies) names.push_back(movie.substr(5));
    return names;
  }

  RecordingLink link;
  FakeFileSystem files;
  settings::SettingsStore settings;
  settings::TextTable texts;
  Playlist playlist;
};

TEST_F(PlaylistTest, LinesAreNumberedAsWideAsTheCount) {
  AddNumbered(9);
  EXPECT_EQ(playlist.Lines().front(), "1. f1.avi");
  EXPECT_EQ(playlist.Lines().back(), "9. f9.avi");
  AddNumbered(1);  // a second f1.avi
  EXPECT_EQ(playlist.Lines().front(), "01. f1.avi");
  EXPECT_EQ(playlist.Lines()[9], "10. f1.avi");

  playlist.SetItemIndex(4);
  playlist.RemoveMovie();
  EXPECT_EQ(playlist.Lines(), (Lines{"1. f1.avi", "2. f2.avi", "3. f3.avi", "4. f4.avi", "5. f6.avi", "6. f7.avi",
                                     "7. f8.avi", "8. f9.avi", "9. f1.avi"}));
  AddNumbered(91);  // 100 entries: three digits
  EXPECT_EQ(playlist.Lines().front(), "001. f1.avi");
  EXPECT_EQ(playlist.Lines().back(), "100. f91.avi");
}

TEST_F(PlaylistTest, AddMovieTakesExistingFilesWithTheirSubtitle) {
  settings.AutoLoadSubtitle = true;
  link.subtitlesFound["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  link.closeWhenListEnds = true;
  Add({"a.avi", "b.avi"});
  playlist.AddMovie("C:\\m\\missing.avi");
  EXPECT_EQ(Names(), (Lines{"a.avi", "b.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"C:\\m\\a.srt", "No subtitle"}));
  EXPECT_FALSE(link.closeWhenListEnds);

  settings.AutoLoadSubtitle = false;
  Add({"c.avi"});
  link.subtitlesFound["C:\\m\\c.avi"] = "C:\\m\\c.srt";
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles.back(), "No subtitle");
}

TEST_F(PlaylistTest, RemovingKeepsTheCurrentMovieOrMakesThePreviousOneCurrent) {
  AddNumbered(5);
  auto& entries = playlist.Entries();
  entries.PlaylistIndex = 3;  // f4
  playlist.SetItemIndex(1);
  playlist.RemoveMovie();
  EXPECT_EQ(entries.PlaylistIndex, 2);
  EXPECT_EQ(entries.PlaylistMovies[2], "C:\\m\\f4.avi");
  EXPECT_EQ(playlist.ItemIndex(), 1);

  playlist.SetItemIndex(2);  // the current entry itself
  playlist.RemoveMovie();
  EXPECT_EQ(entries.PlaylistIndex, 1);
  EXPECT_EQ(Names(), (Lines{"f1.avi", "f3.avi", "f5.avi"}));

  playlist.SetItemIndex(2);  // below the current one
  playlist.RemoveMovie();
  EXPECT_EQ(entries.PlaylistIndex, 1);
  EXPECT_EQ(playlist.ItemIndex(), 1);  // the last line is selected

  entries.PlaylistIndex = 0;
  playlist.SetItemIndex(0);
  playlist.RemoveMovie();
  EXPECT_EQ(entries.PlaylistIndex, -1);
  EXPECT_EQ(entries.PlaylistSubtitles.size(), 1u);
}

TEST_F(PlaylistTest, RemovingTheLastEntryInvalidatesThePreviousMovieSettings) {
  AddNumbered(1);
  link.previousSettingsValid = true;
  playlist.SetItemIndex(-1);
  playlist.RemoveMovie();  // no selection: nothing
  EXPECT_EQ(playlist.Count(), 1);
  playlist.SetItemIndex(0);
  playlist.RemoveMovie();
  EXPECT_EQ(playlist.Count(), 0);
  EXPECT_EQ(playlist.ItemIndex(), -1);
  EXPECT_FALSE(link.previousSettingsValid);
}

TEST_F(PlaylistTest, RemoveAllEmptiesEveryPart) {
  settings.Shuffle = true;
  AddNumbered(3);
  auto& entries = playlist.Entries();
  entries.PlaylistIndex = 2;
  entries.ShuffleHistory = {"C:\\m\\f1.avi"};
  entries.PlaylistSubtitleCandidates = {"x.srt"};
  link.closeWhenListEnds = true;
  link.previousSettingsValid = true;
  playlist.RemoveAll();
  EXPECT_EQ(entries.PlaylistIndex, -1);
  EXPECT_TRUE(entries.PlaylistMovies.empty());
  EXPECT_TRUE(entries.PlaylistSubtitles.empty());
  EXPECT_TRUE(entries.ShufflePool.empty());
  EXPECT_TRUE(entries.ShuffleHistory.empty());
  EXPECT_TRUE(entries.PlaylistSubtitleCandidates.empty());
  EXPECT_TRUE(playlist.Lines().empty());
  EXPECT_FALSE(link.closeWhenListEnds);
  EXPECT_FALSE(link.previousSettingsValid);
}

TEST_F(PlaylistTest, MovingFollowsTheCurrentEntry) {
  AddNumbered(4);
  auto& entries = playlist.Entries();
  entries.PlaylistIndex = 1;
  playlist.SetItemIndex(1);
  playlist.MoveUp(true);
  EXPECT_EQ(Names(), (Lines{"f2.avi", "f1.avi", "f3.avi", "f4.avi"}));
  EXPECT_EQ(playlist.Lines()[0], "1. f2.avi");
  EXPECT_EQ(entries.PlaylistIndex, 0);
  EXPECT_EQ(playlist.ItemIndex(), 0);
  playlist.MoveUp(true);  // already first
  EXPECT_EQ(Names(), (Lines{"f2.avi", "f1.avi", "f3.avi", "f4.avi"}));

  playlist.SetItemIndex(1);  // the neighbour moves past the current entry
  playlist.MoveUp(false);
  EXPECT_EQ(entries.PlaylistIndex, 1);
  EXPECT_EQ(playlist.ItemIndex(), 1);

  playlist.SetItemIndex(0);  // the first entry moves down past the current one
  playlist.MoveDown(false);
  EXPECT_EQ(Names(), (Lines{"f2.avi", "f1.avi", "f3.avi", "f4.avi"}));
  EXPECT_EQ(entries.PlaylistIndex, 0);
  EXPECT_EQ(playlist.ItemIndex(), 0);
  playlist.SetItemIndex(2);
  playlist.MoveDown(true);
  EXPECT_EQ(Names(), (Lines{"f2.avi", "f1.avi", "f4.avi", "f3.avi"}));
  EXPECT_EQ(playlist.ItemIndex(), 3);
  EXPECT_EQ(playlist.Lines()[3], "4. f3.avi");
  playlist.MoveDown(true);  // already last
  EXPECT_EQ(playlist.ItemIndex(), 3);
  EXPECT_EQ(entries.PlaylistSubtitles.size(), 4u);
}

TEST_F(PlaylistTest, SortingIgnoresCaseKeepsEqualNamesInOrderAndReselects) {
  Add({"b.avi", "C.avi", "a.avi"});
  files.AddFile("D:\\other\\A.AVI");
  playlist.AddMovie("D:\\other\\A.AVI");
  playlist.Entries().PlaylistSubtitles[2] = "a.srt";
  playlist.Entries().PlaylistIndex = 0;
  playlist.SetItemIndex(1);  // C.avi
  playlist.SortByFileName();
  EXPECT_EQ(playlist.Entries().PlaylistMovies,
            (Lines{"C:\\m\\a.avi", "D:\\other\\A.AVI", "C:\\m\\b.avi", "C:\\m\\C.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"a.srt", "No subtitle", "No subtitle", "No subtitle"}));
  EXPECT_EQ(playlist.Lines()[1], "2. A.AVI");
  EXPECT_EQ(playlist.ItemIndex(), 3);
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 0);  // keeps its number

  playlist.SetItemIndex(2);  // b.avi
  playlist.MoveDown(true);
  playlist.MoveDown(true);
  playlist.SortByFileName();
  EXPECT_EQ(playlist.ItemIndex(), 2);
  playlist.SetItemIndex(0);  // a.avi, first before and after
  playlist.SortByFileName();
  EXPECT_EQ(playlist.ItemIndex(), 0);
}

TEST_F(PlaylistTest, RandomizeDrawsFromTheRemainingEntries) {
  Add({"a.avi", "b.avi", "c.avi", "d.avi"});
  playlist.Entries().PlaylistSubtitles[3] = "d.srt";
  playlist.SetItemIndex(0);
  // Draws 3 of 4, then 0 of 3, then 1 of 2: d, a, c; b goes last.
  std::vector<std::size_t> draws = {3, 0, 1};
  std::vector<std::size_t> bounds;
  playlist.SetRandom([&](std::size_t bound) {
    bounds.push_back(bound);
    const std::size_t r = draws.front();
    draws.erase(draws.begin());
    return r;
  });
  playlist.Randomize();
  EXPECT_EQ(bounds, (std::vector<std::size_t>{4, 3, 2}));
  EXPECT_EQ(Names(), (Lines{"d.avi", "a.avi", "c.avi", "b.avi"}));
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "d.srt");
  EXPECT_EQ(playlist.Lines()[0], "1. d.avi");
  EXPECT_EQ(playlist.ItemIndex(), 1);  // a.avi stays selected
}

TEST_F(PlaylistTest, ReplacingPutsANewMovieInThePoolAndSearchesItsSubtitle) {
  settings.Shuffle = true;
  settings.AutoLoadSubtitle = true;
  Add({"a.avi", "b.avi"});
  files.AddFile("C:\\n\\new.avi");
  link.subtitlesFound["C:\\n\\new.avi"] = "C:\\n\\new.srt";
  playlist.SetItemIndex(0);
  playlist.ReplaceMovie("C:\\n\\missing.avi");
  EXPECT_EQ(Names()[0], "a.avi");
  playlist.ReplaceMovie("C:\\n\\new.avi");
  EXPECT_EQ(playlist.Entries().PlaylistMovies[0], "C:\\n\\new.avi");
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[0], "C:\\n\\new.srt");
  EXPECT_EQ(playlist.Lines()[0], "1. new.avi");
  EXPECT_EQ(playlist.Entries().ShufflePool, (Lines{"C:\\m\\b.avi", "C:\\n\\new.avi"}));
}

TEST_F(PlaylistTest, PlayingAnEntryOpensItAndKeepsTheOutsideStartFlag) {
  AddNumbered(3);
  link.closeWhenListEnds = true;  // started from outside
  link.stopEnabled = true;
  link.listHasFocus = true;
  playlist.SetItemIndex(1);
  playlist.PlayEntry(true);
  EXPECT_EQ(link.calls, (Lines{"stop", "open C:\\m\\f2.avi play", "arrange focused"}));
  EXPECT_EQ(link.currentMovie, "C:\\m\\f2.avi");
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 1);
  EXPECT_TRUE(link.closeWhenListEnds);
  EXPECT_TRUE(link.previousSettingsValid);
}

TEST_F(PlaylistTest, ARefusedStopPlaysNothing) {
  AddNumbered(2);
  link.stopEnabled = true;
  link.stopRefused = true;
  playlist.SetItemIndex(1);
  playlist.PlayEntry(true);
  EXPECT_EQ(link.calls, (Lines{"stop"}));
  EXPECT_EQ(playlist.Entries().PlaylistIndex, -1);
}

TEST_F(PlaylistTest, AMissingMovieIsReportedToTheUserAndSkippedWhenAdvancing) {
  AddNumbered(4);
  auto& movies = playlist.Entries().PlaylistMovies;
  movies[1] = "C:\\gone\\x.avi";
  movies[2] = "C:\\gone\\y.avi";
  playlist.SetItemIndex(1);
  playlist.PlayEntry(true);
  EXPECT_EQ(link.messages, (Lines{"playlist: File \"C:\\gone\\x.avi\" doesn't exist!"}));
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 1);

  playlist.PlayEntry(false);
  EXPECT_EQ(link.calls, (Lines{"open C:\\m\\f4.avi play", "arrange"}));
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 3);
  EXPECT_EQ(playlist.ItemIndex(), 3);
  EXPECT_EQ(link.messages.size(), 1u);

  movies[3] = "C:\\gone\\z.avi";  // nothing after the missing ones
  link.calls.clear();
  playlist.SetItemIndex(2);
  playlist.PlayEntry(false);
  EXPECT_TRUE(link.calls.empty());
  EXPECT_EQ(playlist.Entries().PlaylistIndex, 3);
}

TEST_F(PlaylistTest, AttachedSubtitleGoesToTheSelectedOrEveryEntryOfThePlayingMovie) {
  Add({"a.avi", "b.avi", "a.avi"});
  playlist.SetItemIndex(1);
  playlist.SubtitleAttached("C:\\s\\a.srt", "C:\\m\\a.avi");
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"C:\\s\\a.srt", "No subtitle", "C:\\s\\a.srt"}));
  playlist.SubtitleAttached("C:\\s\\b.srt", "C:\\m\\b.avi");
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles[1], "C:\\s\\b.srt");
}

TEST_F(PlaylistTest, AttachedSubtitleGoesToTheOnlyEntry) {
  Add({"a.avi"});
  playlist.SubtitleAttached("C:\\s\\a.srt", "C:\\m\\a.avi");
  EXPECT_EQ(playlist.Entries().PlaylistSubtitles, (Lines{"C:\\s\\a.srt"}));
}

// ---------------------------------------------------------------- shuffle

TEST_F(PlaylistTest, ShuffleSwitchFillsOrEmptiesThePool) {
  AddNumbered(3);
  playlist.Entries().ShuffleHistory = {"C:\\m\\f1.avi"};
  playlist.SetShuffle(true);
  EXPECT_TRUE(settings.Shuffle);
  EXPECT_EQ(playlist.Entries().ShufflePool, playlist.Entries().PlaylistMovies);
  EXPECT_TRUE(playlist.Entries().ShuffleHistory.empty());
  Add({"late.avi"});
  EXPECT_EQ(playlist.Entries().ShufflePool.back(), "C:\\m\\late.avi");
  playlist.SetShuffle(false);
  EXPECT_FALSE(settings.Shuffle);
  EXPECT_TRUE(playlist.Entries().ShufflePool.empty());
}

TEST_F(PlaylistTest, ShuffleRoundsPlayEveryEntryOnceWithoutRepeats) {
  constexpr int kEntries = 7;
  AddNumbered(kEntries);
  playlist.SetShuffle(true);
  std::mt19937 engine(12345);
  playlist.SetRandom([&](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(engine); });

  for (int round = 0; round < 40; ++round) {
    std::multiset<std::string> played;
    for (int step = 0; step < kEntries; ++step) {
      int entry = playlist.PickShuffleNext();
      if (entry < 0) entry = playlist.RestartShuffleRound();  // repeat all
      ASSERT_GE(entry, 0);
      playlist.SetItemIndex(entry);
      playlist.PlayEntry(false);
      const std::string movie = link.currentMovie;
      played.insert(movie);
      const auto& history = playlist.Entries().ShuffleHistory;
      for (std::size_t i = 1; i < history.size(); ++i) EXPECT_NE(history[i], history[i - 1]);
    }
    EXPECT_EQ(played.size(), static_cast<std::size_t>(kEntries));
    EXPECT_EQ(std::set<std::string>(played.begin(), played.end()).size(), static_cast<std::size_t>(kEntries))
        << "round " << round;
    EXPECT_TRUE(playlist.Entries().ShufflePool.empty());
    // A new round starts a new history.
    EXPECT_EQ(playlist.Entries().ShuffleHistory.size(), static_cast<std::size_t>(kEntries));
  }
}

TEST_F(PlaylistTest, ShuffleNextDropsPoolPathsThatLeftTheList) {
  AddNumbered(3);
  playlist.SetShuffle(true);
  playlist.Entries().ShufflePool = {"C:\\m\\gone.avi", "C:\\m\\f3.avi"};
  playlist.SetRandom([](std::size_t) { return std::size_t{0}; });
  EXPECT_EQ(playlist.PickShuffleNext(), 2);
  EXPECT_EQ(playlist.Entries().ShufflePool, (Lines{"C:\\m\\f3.avi"}));
  playlist.Entries().ShufflePool = {"C:\\m\\gone.avi"};
  EXPECT_EQ(playlist.PickShuffleNext(), -1);
  EXPECT_TRUE(playlist.Entries().ShufflePool.empty());
}

TEST_F(PlaylistTest, ShufflePreviousWalksTheHistoryBackAndCutsIt) {
  AddNumbered(4);
  auto& history = playlist.Entries().ShuffleHistory;
  history = {"C:\\m\\f2.avi", "C:\\m\\gone.avi", "C:\\m\\f4.avi", "C:\\m\\f1.avi"};
  EXPECT_EQ(playlist.PickShufflePrevious(), 3);  // f4
  EXPECT_EQ(history, (Lines{"C:\\m\\f2.avi", "C:\\m\\gone.avi"}));
  EXPECT_EQ(playlist.PickShufflePrevious(), 1);  // gone is skipped: f2
  EXPECT_TRUE(history.empty());
  history = {"C:\\m\\f3.avi"};  // only the current movie
  EXPECT_EQ(playlist.PickShufflePrevious(), -1);
  EXPECT_TRUE(history.empty());
}

TEST_F(PlaylistTest, PlayingInShuffleModeTakesTheMovieOutOfThePool) {
  AddNumbered(3);
  playlist.SetShuffle(true);
  playlist.SetItemIndex(1);
  playlist.PlayEntry(true);
  playlist.PlayEntry(true);  // the same movie again: one history entry
  EXPECT_EQ(playlist.Entries().ShufflePool, (Lines{"C:\\m\\f1.avi", "C:\\m\\f3.avi"}));
  EXPECT_EQ(playlist.Entries().ShuffleHistory, (Lines{"C:\\m\\f2.avi"}));
}

}  // namespace
}  // namespace lc::playlist
