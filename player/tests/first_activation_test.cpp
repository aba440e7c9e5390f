// The first activation under Wine: the command line's cases turned into the
// playlist, the first movie's opening with its flags, the playlist window's
// setting, the messages and the end of the pending state.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kit/snap.h"
#include "player/memory_playlist.h"
#include "player/tests/command_line_fakes.h"
#include "player/tests/main_form_fixture.h"

namespace {

using lc::Program;
using Strings = std::vector<std::string>;

class FirstActivation : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    fs.Files = {"C:\\m\\a.avi", "C:\\m\\b.avi", "C:\\m\\c.mkv", "C:\\m\\notes.txt"};
    fs.Folders = {"C:\\films"};
    fs.Scans["C:\\films"] = {"C:\\films\\Zeta.avi", "C:\\films\\x\\alpha.avi", "C:\\films\\Beta.mkv"};
    form->OnReport = [this](const std::wstring& Text) { reports.push_back(Text); };
    form->Satellites.PlayList = &listWindow;
    form->SetPlaylist(&list);
    listWindow.SetBounds(600, 300, 200, 100);
    auto& S = Program().Settings;
    S.MediaExtensions = {"avi", "mkv"};
    S.AutoPlayOnLoad = true;
    S.AutoClosePlayerWhenFinished = true;
  }
  void TearDown() override {
    listWindow.Hide();
    form->Satellites.PlayList = nullptr;
    form->SetPlaylist(nullptr);
    MainWindowTest::TearDown();
  }
  void Run(const Strings& Args) {
    form->CommandLine = Args;
    form->FirstActivation(fs);
  }
  lc::TMemoryPlaylist& List() { return list; }
  Strings Movies() {
    Strings Out;
    for (int I = 0; I < List().Count(); ++I) Out.push_back(List().Entry(I).Movie);
    return Out;
  }

  lc::testing::FakeFiles fs;
  lc::TMemoryPlaylist list{fs, folder.File("auto.lpl"), &Program().Settings.AutoLoadSubtitle,
                           &Program().Settings.Shuffle};
  TForm listWindow{L"TLcTestPlaylist"};
  std::vector<std::wstring> reports;
};

TEST_F(FirstActivation, OneMovieBecomesThePlaylistAndOpensWithItsNextParts) {
  Program().Settings.PlayListShow = true;
  fs.Subtitles["C:\\m\\a.avi"] = "C:\\m\\a.srt";
  Program().Settings.AutoLoadSubtitle = true;
  List().AddMovie("C:\\old.avi");
  Run({"C:\\m\\a.avi"});
  EXPECT_EQ(Movies(), Strings{"C:\\m\\a.avi"});
  EXPECT_EQ(List().Entry(0).Subtitle, "C:\\m\\a.srt");
  EXPECT_EQ(List().Lines(), Strings{"1. a.avi"});
  EXPECT_EQ(List().ShuffleHistory(), Strings{"C:\\m\\a.avi"});
  EXPECT_EQ(List().CurrentMovieFile(), "C:\\m\\a.avi");
  EXPECT_EQ(List().Index(), 0);
  EXPECT_EQ(List().SelectedLine(), 0);
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
  Run({"C:\\m\\a.avi", "C:\\m\\notes.txt", "C:\\m\\c.mkv", "C:\\m\\b.avi"});
  EXPECT_EQ(Movies(), (Strings{"C:\\m\\a.avi", "C:\\m\\c.mkv", "C:\\m\\b.avi"}));
  EXPECT_EQ(List().Lines(), (Strings{"1. a.avi", "2. c.mkv", "3. b.avi"}));
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie stay"});
  EXPECT_TRUE(listWindow.Showing());
  EXPECT_EQ(List().CurrentMovieFile(), "C:\\m\\a.avi");
  EXPECT_TRUE(rooms.PreviousValid) << "the graph became active";
}

TEST_F(FirstActivation, AFolderIsPlayedInFileNameOrder) {
  Program().Settings.Shuffle = true;
  Run({"C:\\films"});
  EXPECT_EQ(Movies(), (Strings{"C:\\films\\x\\alpha.avi", "C:\\films\\Beta.mkv", "C:\\films\\Zeta.avi"}));
  EXPECT_EQ(List().ShufflePool(), Movies());
  EXPECT_EQ(List().Index(), 0);
  EXPECT_FALSE(rooms.PreviousValid) << "nothing became active";
  Program().Settings.Shuffle = false;
}

TEST_F(FirstActivation, APlaylistOfTwelveIsRenumbered) {
  std::string Text;
  for (int I = 1; I <= 12; ++I) {
    const std::string Movie = "C:\\m\\f" + std::to_string(I) + ".avi";
    fs.Files.insert(Movie);
    Text += Movie + "\r\n" + (I == 1 ? "C:\\m\\gone.srt" : "No subtitle") + "\r\n";
  }
  const std::string File = folder.File("Films.LPL");
  lc::settings::testing::WriteBytes(File, Text);
  fs.Files.insert(File);
  Run({File});
  ASSERT_EQ(List().Count(), 12);
  EXPECT_EQ(List().Lines()[0], "01. f1.avi");
  EXPECT_EQ(List().Lines()[11], "12. f12.avi");
  EXPECT_EQ(List().Entry(0).Subtitle, "No subtitle") << "its subtitle file does not exist";
  EXPECT_EQ(List().CurrentMovieFile(), "C:\\m\\f1.avi");
  EXPECT_TRUE(listWindow.Showing());
  EXPECT_EQ(rooms.Log, Strings{"OpenMovie play"}) << "a playlist adds no next parts";
}

TEST_F(FirstActivation, APlaylistWhoseFirstMovieIsMissingOpensNothing) {
  const std::string File = folder.File("gone.lpl");
  lc::settings::testing::WriteBytes(File, "C:\\m\\nothere.avi\r\nNo subtitle\r\n");
  fs.Files.insert(File);
  Run({File});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"File \"C:\\m\\nothere.avi\" doesn't exist!"});
  EXPECT_TRUE(rooms.Log.empty());
  EXPECT_FALSE(form->FirstActivationPending);
}

TEST_F(FirstActivation, AddFileAndAddFolderAppendAndOpenNothing) {
  List().AddMovie("C:\\loaded.avi");
  Run({"/AddFile", "C:\\m\\b.avi"});
  EXPECT_EQ(Movies(), (Strings{"C:\\loaded.avi", "C:\\m\\b.avi"}));
  EXPECT_TRUE(listWindow.Showing());
  form->FirstActivationPending = true;
  Run({"/AddFolder", "C:\\films"});
  EXPECT_EQ(Movies(), (Strings{"C:\\loaded.avi", "C:\\m\\b.avi", "C:\\films\\x\\alpha.avi",
                              "C:\\films\\Beta.mkv", "C:\\films\\Zeta.avi"}));
  EXPECT_TRUE(rooms.Log.empty());
}

TEST_F(FirstActivation, MissingNamesAndEmptyResultsAreReported) {
  List().AddMovie("C:\\loaded.avi");
  Run({"C:\\nothing.avi"});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"File \"C:\\nothing.avi\" doesn't exist!"});
  EXPECT_EQ(Movies(), Strings{"C:\\loaded.avi"}) << "the loaded list stays";
  reports.clear();
  Run({"C:\\m\\notes.txt", "C:\\nothing.avi"});
  EXPECT_EQ(reports, std::vector<std::wstring>{L"No movie found!"});
  EXPECT_EQ(List().Index(), -1);
  EXPECT_EQ(List().SelectedLine(), -1);
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
  form->OnReport = [this](const std::wstring& Text) { reports.push_back(Text); };
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
