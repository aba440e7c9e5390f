// Closing the main window under Wine: the order of the saving steps, the
// files written and read back at the next start, and closing while an
// operation is under way.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "framework/unicode.h"
#include "player/tests/main_form_fixture.h"
#include "settings/file_io.h"
#include "settings/settings_file.h"

namespace {

using lc::Program;
using lc::settings::FileExists;
using Strings = std::vector<std::string>;

class MainClose : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::playlist::PlaylistEntries& E = form->Playlist().Entries();
    E.PlaylistMovies = {"C:\\m\\a.avi"};
    E.PlaylistSubtitles = {"C:\\m\\a.srt"};
    form->Playlist().RebuildLines();
    Program().Rms.Clear();
    lc::settings::TRmsEntry Entry;
    Entry.Name = "a.avi";
    Entry.PanScan = 42;
    Program().Rms.Append(Entry);
    Program().Settings.OsdSize = 77;
  }
  void TearDown() override {
    Program().Rms.Clear();
    MainWindowTest::TearDown();
  }
  std::string File(const char* Name) { return folder.File(Name); }
};

TEST_F(MainClose, TheMovieIsStoredFirstAndTheDisplayModeComesBackBeforeTheSettings) {
  rooms.Active = true;
  Program().DesktopDisplayMode = "M1x1x1Hz";  // never the mode in force
  bool RmsAndListFirst = false, SettingsAfter = false;
  rooms.OnChangeResolution = [&] {
    RmsAndListFirst = FileExists(File("LcFormTest.rs")) && FileExists(File("LcFormTest.lpl"));
    SettingsAfter = !FileExists(File("LcFormTest.ini"));
  };
  form->Close();
  EXPECT_EQ(rooms.Log, (Strings{"StoreMovieAndStopGraph", "UndoRememberedReplacements", "ChangeResolution"}));
  EXPECT_EQ(rooms.Resolution, "M1x1x1Hz");
  EXPECT_TRUE(RmsAndListFirst);
  EXPECT_TRUE(SettingsAfter);
  EXPECT_TRUE(FileExists(File("LcFormTest.ini")));
  EXPECT_EQ(form->ProcessEnds, 0);
}

TEST_F(MainClose, WhatClosingWritesIsReadBackAtTheNextStart) {
  form->Close();
  form.reset();

  lc::settings::SettingsStore Next;
  lc::settings::SetDefaultSettings(Next, 1024, 768);
  ASSERT_TRUE(lc::settings::LoadSettingsFile(Next, host, File("LcFormTest.ini")));
  EXPECT_EQ(Next.OsdSize, 77);

  Program().Rms.Clear();
  form = std::make_unique<lc::testing::TTestMain>(host);
  form->rmsLoadFromHdd();
  ASSERT_EQ(Program().Rms.size(), 1u);
  EXPECT_EQ(Program().Rms[0].Name, "a.avi");
  EXPECT_EQ(Program().Rms[0].PanScan, 42);

  ASSERT_TRUE(form->Playlist().LoadFromList(File("LcFormTest.lpl"), true, true));
  EXPECT_EQ(form->Playlist().Entries().PlaylistMovies, Strings{"C:\\m\\a.avi"});
  EXPECT_EQ(form->Playlist().Entries().PlaylistSubtitles, Strings{"C:\\m\\a.srt"});
}

TEST_F(MainClose, ClosingDuringAnOperationSavesTheFilesButLeavesTheMovieAlone) {
  rooms.Active = true;
  Program().BusyFlag = true;
  form->Close();
  EXPECT_EQ(rooms.Log, Strings{"UndoRememberedReplacements"});
  EXPECT_TRUE(rooms.Active);
  EXPECT_TRUE(FileExists(File("LcFormTest.ini")));
  EXPECT_TRUE(FileExists(File("LcFormTest.rs")));
  EXPECT_TRUE(FileExists(File("LcFormTest.lpl")));
  EXPECT_EQ(form->ProcessEnds, 1) << "the operation under way is not waited for";

  Program().BusyFlag = false;
  Program().OpeningMovie = true;
  rooms.Log.clear();
  form->Close();
  EXPECT_EQ(rooms.Log, Strings{"UndoRememberedReplacements"});
  EXPECT_EQ(form->ProcessEnds, 2);
}

// Files that cannot be written (here a folder stands in their place) are
// reported once at close, each named, unless the user chose not to see
// writing errors; the process then ends with 1. A folder found where the
// remembered settings belong is told as the start tells of one, whatever
// the choice.
TEST_F(MainClose, FailedSavesAreReportedOnceByNameAndEndWithOne) {
  const char* Names[] = {"LcFormTest.ini", "LcFormTest.rs", "LcFormTest.lpl"};
  const struct {
    std::vector<const char*> Blocked;
    std::wstring Named;  // the lines naming the files, in the order of saving
  } Cases[] = {
      {{"LcFormTest.ini"}, L"Can't write in \"LcFormTest.ini\"!\r\n"},
      {{"LcFormTest.rs"}, L"Can't write in \"LcFormTest.rs\"!\r\n"},
      {{"LcFormTest.lpl"}, L"Can't write in \"LcFormTest.lpl\"!\r\n"},
      {{"LcFormTest.ini", "LcFormTest.rs", "LcFormTest.lpl"},
       L"Can't write in \"LcFormTest.rs\"!\r\nCan't write in \"LcFormTest.lpl\"!\r\nCan't write in "
       L"\"LcFormTest.ini\"!\r\n"},
      {{}, L""},
  };
  for (const auto& C : Cases) {
    for (const char* Name : Names) std::filesystem::remove_all(std::filesystem::u8path(File(Name)));
    for (const char* Blocked : C.Blocked) lc::settings::CreateFolders(File(Blocked));
    const bool Fails = !C.Blocked.empty();
    const std::wstring Message =
        C.Named + (C.Blocked.size() == 1
                       ? L"It is left as it was: what changed in this run could not be saved in it."
                       : L"They are left as they were: what changed in this run could not be saved in them.");
    const bool RsBlocked = C.Named.find(L".rs\"") != std::wstring::npos;
    const std::wstring FolderNotice = L"Error reading from \"" + Utf8ToWide(File("LcFormTest.rs")) +
                                      L"\"!\r\nIt is a folder: it stays where it is, and nothing is written in "
                                      L"its place.";
    for (bool DontShow : {false, true}) {
      SCOPED_TRACE(WideToUtf8(C.Named) + (DontShow ? " (not shown)" : ""));
      Program().Settings.DontShowWritingError = DontShow;
      // The table as read at the start, its entry not saved yet.
      Program().RmsFile = {};
      Program().RmsFile.Read = true;
      reports.clear();
      form->ProcessEnds = 0;
      form->LastExitCode = 0;
      form->Close();
      std::vector<std::wstring> Expected;
      if (RsBlocked) Expected.push_back(FolderNotice);
      if (Fails && !DontShow) Expected.push_back(Message);
      EXPECT_EQ(reports, Expected);
      EXPECT_EQ(form->ProcessEnds, Fails ? 1 : 0);
      EXPECT_EQ(form->LastExitCode, Fails ? 1u : 0u);
      for (const char* Blocked : C.Blocked) EXPECT_TRUE(lc::settings::FolderExists(File(Blocked)));
      EXPECT_FALSE(Program().Settings.ConfigWriteError);
    }
  }
}

// At the end of the session nobody is there to answer: the failed save is
// not shown, and the process still ends with 1.
TEST_F(MainClose, AFailedSaveAtTheEndOfTheSessionIsNotShownButEndsWithOne) {
  lc::settings::CreateFolders(File("LcFormTest.ini"));
  reports.clear();
  SendMessageW(form->Handle(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(reports, std::vector<std::wstring>{});
  EXPECT_EQ(form->ProcessEnds, 1);
  EXPECT_EQ(form->LastExitCode, 1u);
  EXPECT_TRUE(lc::settings::FolderExists(File("LcFormTest.ini")));
}

// A message loop nested in the close (the display switching back, a
// message box) lets the pulse or another window ask for a close again: the
// running close is the one that completes.
TEST_F(MainClose, ACloseAskedForWhileTheCloseRunsIsDropped) {
  rooms.Active = true;
  Program().DesktopDisplayMode = "M1x1x1Hz";
  int Asked = 0;
  rooms.OnChangeResolution = [&] {
    if (Asked++ == 0) form->Close();
  };
  form->Close();
  EXPECT_EQ(rooms.Log, (Strings{"StoreMovieAndStopGraph", "UndoRememberedReplacements", "ChangeResolution"}));
  EXPECT_EQ(Asked, 1);
  EXPECT_TRUE(FileExists(File("LcFormTest.ini")));
  // Done, it can run again (the player went on after a shutdown that did
  // not come).
  rooms.Log.clear();
  form->Close();
  EXPECT_EQ(rooms.Log, (Strings{"UndoRememberedReplacements", "ChangeResolution"}));
}

TEST_F(MainClose, TheDisplayModeStaysWhenItIsTheDesktops) {
  Program().DesktopDisplayMode.clear();
  form->Close();
  EXPECT_TRUE(rooms.Resolution.empty());
}

}  // namespace
