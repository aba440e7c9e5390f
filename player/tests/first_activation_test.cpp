// The first activation under Wine, on real files: the command line's cases
// turned into the playlist, the first movie's opening with its flags, the
// playlist window's setting, the messages and the end of the pending state.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/unicode.h"
#include "kit/snap.h"
#include "player/tests/main_form_fixture.h"

namespace {

using lc::Program;
using lc::settings::testing::U8;
using lc::settings::testing::WriteBytes;
using Strings = std::vector<std::string>;

class FirstActivation : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    for (const char* Sub : {"m", "films", "films\\x", "films\\.hidden"})
      std::filesystem::create_directories(U8(folder.File(Sub)));
    for (const char* F : {"m\\a.avi", "m\\b.avi", "m\\c.mkv", "m\\notes.txt", "films\\Zeta.avi",
                          "films\\x\\alpha.avi", "films\\Beta.mkv", "films\\.hidden\\h.avi"})
      WriteBytes(folder.File(F), "x");
    form->Satellites.PlayList = &listWindow;
    listWindow.SetBounds(600, 300, 200, 100);
    auto& S = Program().Settings;
    S.MediaExtensions = {"avi", "mkv"};
    S.AutoPlayOnLoad = true;
    S.AutoClosePlayerWhenFinished = true;
    S.AutoLoadSubtitle = false;
    S.Shuffle = false;
    S.PlayListShow = false;
    S.EqualizerShow = false;
  }
  void TearDown() override {
    listWindow.Hide();
    form->Satellites.PlayList = nullptr;
    MainWindowTest::TearDown();
  }
  std::string F(const char* Name) { return folder.File(Name); }
  void Run(const Strings& Args) {
    form->CommandLine = Args;
    form->FirstActivationPending = true;
    form->FirstActivation();
  }
  lc::playlist::Playlist& List() { return form->Playlist(); }
  const Strings& Movies() { return List().Entries().PlaylistMovies; }

  TForm listWindow{L"TLcTestPlaylist"};
};

TEST_F(FirstActivation, OneMovieBecomesThePlaylistAndOpensWithItsNextParts) {
  Program().Settings.PlayListShow = true;
  Program().Settings.AutoLoadSubtitle = true;
  // The search takes the file named like the movie once it really is a subtitle.
  WriteBytes(F("m\\a.srt"), "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"
                           "2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n");
  List().AppendMovie(F("m\\b.avi"));
  Run({F("m\\a.avi")});
  EXPECT_EQ(Movies(), Strings{F("m\\a.avi")});
  EXPECT_EQ(List().Entries().PlaylistSubtitles, Strings{F("m\\a.srt")});
  EXPECT_EQ(List().Lines(), Strings{"1. a.avi"});
  EXPECT_EQ(List().Entries().ShuffleHistory, Strings{F("m\\a.avi")});
  EXPECT_TRUE(List().Entries().ShufflePool.empty());
  EXPECT_EQ(form->CurrentMovieFile, F("m\\a.avi"));
  EXPECT_EQ(List().Entries().PlaylistIndex, 0);
  EXPECT_EQ(List().ItemIndex(), 0);
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie play parts"});
  EXPECT_TRUE(form->CloseWhenListEnds);
  // Started with a file, the playlist window stays hidden from now on.
  EXPECT_FALSE(Program().Settings.PlayListShow);
  EXPECT_FALSE(listWindow.Showing());
  EXPECT_FALSE(form->FirstActivationPending);
  EXPECT_TRUE(reports.empty());
}

TEST_F(FirstActivation, ThreeMoviesAreNumberedWithOneDigitAndOpenWithoutNextParts) {
  Program().Settings.AutoPlayOnLoad = false;
  rooms.OpenActivates = true;
  Run({F("m\\a.avi"), F("m\\notes.txt"), F("m\\c.mkv"), F("m\\b.avi")});
  EXPECT_EQ(Movies(), (Strings{F("m\\a.avi"), F("m\\c.mkv"), F("m\\b.avi")}));
  EXPECT_EQ(List().Lines(), (Strings{"1. a.avi", "2. c.mkv", "3. b.avi"}));
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie stay"});
  EXPECT_TRUE(listWindow.Showing());
  EXPECT_EQ(form->CurrentMovieFile, F("m\\a.avi"));
  EXPECT_TRUE(rooms.PreviousValid) << "the graph became active";
}

TEST_F(FirstActivation, AFolderIsPlayedInFileNameOrder) {
  Program().Settings.Shuffle = true;
  Run({F("films")});
  EXPECT_EQ(Movies(), (Strings{F("films\\x\\alpha.avi"), F("films\\Beta.mkv"), F("films\\Zeta.avi")}));
  EXPECT_EQ(List().Entries().ShufflePool, Movies());
  EXPECT_EQ(List().Entries().PlaylistIndex, 0);
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie play"});
  EXPECT_FALSE(rooms.PreviousValid) << "nothing became active";
}

TEST_F(FirstActivation, APlaylistOfTwelveIsRenumbered) {
  std::string Text;
  for (int I = 1; I <= 12; ++I) {
    const std::string Movie = F("m\\a.avi").substr(0, F("m\\a.avi").size() - 5) + "f" + std::to_string(I) + ".avi";
    WriteBytes(Movie, "x");
    Text += Movie + "\r\n" + (I == 1 ? F("m\\gone.srt") : std::string("No subtitle")) + "\r\n";
  }
  const std::string File = F("Films.LPL");
  WriteBytes(File, Text);
  Run({File});
  ASSERT_EQ(List().Count(), 12);
  EXPECT_EQ(List().Lines()[0], "01. f1.avi");
  EXPECT_EQ(List().Lines()[11], "12. f12.avi");
  EXPECT_EQ(List().Entries().PlaylistSubtitles[0], "No subtitle") << "its subtitle file does not exist";
  EXPECT_EQ(form->CurrentMovieFile, Movies()[0]);
  EXPECT_TRUE(listWindow.Showing());
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie play"}) << "a playlist adds no next parts";
}

TEST_F(FirstActivation, APlaylistWhoseFirstMovieIsMissingOpensNothing) {
  const std::string File = F("gone.lpl");
  WriteBytes(File, F("m\\nothere.avi") + "\r\nNo subtitle\r\n");
  Run({File});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"File \"" + Utf8ToWide(F("m\\nothere.avi")) +
                                                L"\" doesn't exist!"});
  EXPECT_TRUE(rooms.Log.empty());
  EXPECT_FALSE(form->FirstActivationPending);
}

TEST_F(FirstActivation, AddFileAndAddFolderAppendAndOpenNothing) {
  List().AppendMovie(F("m\\c.mkv"));
  Run({"/AddFile", F("m\\b.avi")});
  EXPECT_EQ(Movies(), (Strings{F("m\\c.mkv"), F("m\\b.avi")}));
  EXPECT_TRUE(listWindow.Showing());
  Run({"/AddFolder", F("films")});
  EXPECT_EQ(Movies(), (Strings{F("m\\c.mkv"), F("m\\b.avi"), F("films\\x\\alpha.avi"), F("films\\Beta.mkv"),
                               F("films\\Zeta.avi")}));
  EXPECT_TRUE(rooms.Log.empty());
}

TEST_F(FirstActivation, MissingNamesAndEmptyResultsAreReported) {
  List().AppendMovie(F("m\\c.mkv"));
  Run({"C:\\nothing.avi"});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"File \"C:\\nothing.avi\" doesn't exist!"});
  EXPECT_EQ(Movies(), Strings{F("m\\c.mkv")}) << "the loaded list stays";
  reports.clear();
  Run({F("m\\notes.txt"), "C:\\nothing.avi"});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"No movie found!"});
  EXPECT_EQ(List().Entries().PlaylistIndex, -1);
  EXPECT_EQ(List().ItemIndex(), -1);
  EXPECT_TRUE(rooms.Log.empty());
}

TEST_F(FirstActivation, NoArgumentsShowTheSatellitesOfTheLastRun) {
  TForm Eq(L"TLcTestEqualizer");
  Eq.SetBounds(600, 450, 200, 100);
  form->Satellites.Equalizer = &Eq;
  Program().Settings.EqualizerShow = true;
  Program().Settings.PlayListShow = true;
  Run({});
  EXPECT_TRUE(Eq.Showing());
  EXPECT_TRUE(listWindow.Showing());
  EXPECT_TRUE(Program().Settings.PlayListShow);
  EXPECT_EQ(DockTable[DockPlayList].Form, &listWindow);
  EXPECT_EQ(DockTable[DockEqualizer].Form, &Eq);
  EXPECT_FALSE(form->FirstActivationPending);
  Eq.Hide();
  form->Satellites.Equalizer = nullptr;
  DockTable[DockEqualizer].Form = nullptr;
  DockTable[DockPlayList].Form = nullptr;
}

TEST_F(FirstActivation, RunsOnceAtTheFirstActivationAndNotWhilePlacing) {
  form->CommandLine = {"C:\\nothing-at-all.avi"};
  form->SkipFormPlacement = true;
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_TRUE(form->FirstActivationPending);
  form->SkipFormPlacement = false;
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(form->FirstActivationPending);
  EXPECT_EQ(reports.size(), 1u);
}

}  // namespace
