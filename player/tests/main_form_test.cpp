// The main window's start-up parts under Wine: its caption, the hand-over
// receiver with hostile records, the boss-key hot keys and the saving when
// it closes.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#include <shlobj.h>

#include "framework/unicode.h"
#include "player/handover.h"
#include "player/main_form.h"
#include "player/tests/main_form_fixture.h"
#include "settings/program_state.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"

namespace {

using lc::Program;

class MainFormTest : public lc::testing::MainWindowTest {
 protected:
  LRESULT SendCopyData(const void* data, DWORD size) {
    COPYDATASTRUCT record{0, size, const_cast<void*>(data)};
    return form->Perform(WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record));
  }
};

TEST_F(MainFormTest, FirstShowSetsTheCaptionASecondInstanceLooksFor) {
  EXPECT_EQ(form->Caption(), L"");
  form->Show();
  EXPECT_EQ(form->Caption(), L"LcFormTestMainWindow");
  EXPECT_EQ(form->ClientWidth(), 460);
  EXPECT_EQ(form->ClientHeight(), 150);
  form->Hide();
}

// The result tells the sender whether its files were taken, so that it
// can try again while they are refused.
TEST_F(MainFormTest, HandOverIsTakenOnlyAfterTheFirstActivation) {
  const char text[] = "C:\\a.avi\x01" "D:\\films\x01";
  EXPECT_EQ(SendCopyData(text, sizeof text - 1), 0);
  EXPECT_TRUE(form->WaitingHandOvers.empty());

  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_FALSE(form->FirstActivationPending);
  form->CloseWhenListEnds = true;
  EXPECT_EQ(SendCopyData(text, sizeof text - 1), 1);
  ASSERT_EQ(form->WaitingHandOvers.size(), 1u);
  EXPECT_EQ(form->WaitingHandOvers.back(), (std::vector<std::string>{"C:\\a.avi", "D:\\films"}));
  EXPECT_FALSE(form->CloseWhenListEnds);

  // While an operation or an opening runs the hand-over is refused.
  Program().BusyFlag = true;
  EXPECT_EQ(SendCopyData("x.avi\x01", 6), 0);
  Program().BusyFlag = false;
  Program().OpeningMovie = true;
  EXPECT_EQ(SendCopyData("x.avi\x01", 6), 0);
  EXPECT_EQ(form->WaitingHandOvers.size(), 1u);
  Program().OpeningMovie = false;

  // Names the code page cannot spell come as UTF-8 behind its mark.
  EXPECT_EQ(SendCopyData("\xEF\xBB\xBF" "C:\\\xCE\xA9.avi\x01", 13), 1);
  EXPECT_EQ(form->WaitingHandOvers.back(), std::vector<std::string>{"C:\\\xCE\xA9.avi"});
}

TEST_F(MainFormTest, DroppedFilesOpenAsFromTheOpenDialog) {
  lc::settings::testing::WriteBytes(folder.File("drop.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  const std::wstring name = Utf8ToWide(folder.File("drop.avi"));
  const SIZE_T bytes = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
  HGLOBAL drop = GlobalAlloc(GHND, bytes);
  auto* files = static_cast<DROPFILES*>(GlobalLock(drop));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), name.c_str(), name.size() * sizeof(wchar_t));
  GlobalUnlock(drop);
  form->Perform(WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0);
  EXPECT_EQ(form->Playlist().Entries().PlaylistMovies, std::vector<std::string>{folder.File("drop.avi")});
  EXPECT_EQ(form->CurrentMovieFile, folder.File("drop.avi"));
  EXPECT_EQ(rooms.Log, std::vector<std::string>{"OpenMovie play parts"});
  EXPECT_FALSE(form->CloseWhenListEnds) << "opened by the user";
}

TEST_F(MainFormTest, HandOverReceiverSurvivesHostileRecords) {
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(form->Perform(WM_COPYDATA, 0, 0), 0);  // no record at all
  SendCopyData(nullptr, 4096);                       // a length without data
  EXPECT_TRUE(form->WaitingHandOvers.empty());
  SendCopyData("abc\x01", 0);
  EXPECT_TRUE(form->WaitingHandOvers.empty());
  // Only cbData bytes are read: the second name lies beyond them.
  const char text[] = "one\x01two\x01";
  SendCopyData(text, 6);
  ASSERT_EQ(form->WaitingHandOvers.size(), 1u);
  EXPECT_EQ(form->WaitingHandOvers.back(), std::vector<std::string>{"one"});
}

// Second instances started together: the second list comes before the
// first was opened. Each is opened in its turn and let go of afterwards.
TEST_F(MainFormTest, HandOversThatComeTogetherAreOpenedInTurn) {
  lc::settings::testing::WriteBytes(folder.File("first.avi"), "x");
  lc::settings::testing::WriteBytes(folder.File("second.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  std::vector<std::string> opened;
  rooms.OnOpenMovie = [&] { opened.push_back(form->CurrentMovieFile); };
  const std::string first = lc::EncodeHandoverText({folder.File("first.avi")});
  const std::string second = lc::EncodeHandoverText({folder.File("second.avi")});
  SendCopyData(first.data(), static_cast<DWORD>(first.size()));
  SendCopyData(second.data(), static_cast<DWORD>(second.size()));
  EXPECT_TRUE(opened.empty()) << "opened once the sender is let go";
  for (int i = 0; i < 50 && opened.size() < 2; ++i) Application.ProcessMessages();
  EXPECT_EQ(opened, (std::vector<std::string>{folder.File("first.avi"), folder.File("second.avi")}));
  EXPECT_TRUE(form->WaitingHandOvers.empty());
  EXPECT_TRUE(form->OpenFileList.empty());
  EXPECT_EQ(form->Playlist().Entries().PlaylistMovies, std::vector<std::string>{folder.File("second.avi")});
}

// A list taken just before an opening began (its turn comes inside the
// opening's message loops) waits for the pulse.
TEST_F(MainFormTest, AHandOverWhoseTurnComesDuringAnOpeningWaitsForIt) {
  lc::settings::testing::WriteBytes(folder.File("later.avi"), "x");
  Program().Settings.MediaExtensions = {"avi"};
  form->Perform(WM_ACTIVATE, WA_ACTIVE, 0);
  form->GeneralTimer.SetEnabled(false);
  int opened = 0;
  rooms.OnOpenMovie = [&] { ++opened; };
  const std::string text = lc::EncodeHandoverText({folder.File("later.avi")});
  EXPECT_EQ(SendCopyData(text.data(), static_cast<DWORD>(text.size())), 1);
  Program().OpeningMovie = true;
  for (int i = 0; i < 5; ++i) Application.ProcessMessages();
  form->GeneralTimerTimer();
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(form->WaitingHandOvers.size(), 1u);
  Program().OpeningMovie = false;
  form->GeneralTimerTimer();
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(form->WaitingHandOvers.empty());
}

TEST_F(MainFormTest, BossKeysFollowTheSettingsAndAreReleasedAtClose) {
  using lc::settings::ShortCut;
  const ShortCut hide = lc::settings::kShortCutCtrl | lc::settings::kShortCutAlt | VK_F11;
  const ShortCut show = lc::settings::kShortCutCtrl | lc::settings::kShortCutAlt | VK_F12;
  auto& s = Program().Settings;
  s.BossKey = true;
  s.BossKeyHide = hide;
  s.BossKeyShow = show;
  form->ApplyBossKeys();
  // Held by the main window now: nobody else gets them.
  EXPECT_FALSE(RegisterHotKey(nullptr, 21, MOD_CONTROL | MOD_ALT, VK_F11));

  // Switching the option off releases them.
  s.BossKey = false;
  form->ApplyBossKeys();
  ASSERT_TRUE(RegisterHotKey(nullptr, 21, MOD_CONTROL | MOD_ALT, VK_F11));

  // A key that another program holds stays in the settings, unregistered.
  s.BossKey = true;
  form->ApplyBossKeys();
  EXPECT_EQ(form->BossKeys().Registered(lc::kBossHideId), 0);
  EXPECT_EQ(form->BossKeys().Registered(lc::kBossShowId), show);
  EXPECT_EQ(s.BossKeyHide, hide);
  UnregisterHotKey(nullptr, 21);

  form->Close();
  EXPECT_EQ(form->BossKeys().Registered(lc::kBossShowId), 0);
  EXPECT_TRUE(RegisterHotKey(nullptr, 22, MOD_CONTROL | MOD_ALT, VK_F12));
  UnregisterHotKey(nullptr, 22);
}

TEST_F(MainFormTest, ClosingWritesTheSettingsFileWithTheLiveValues) {
  bool gathered = false;
  host.gather = [&](lc::settings::SettingsStore& store) {
    gathered = true;
    store.OsdSize = 123;
  };
  form->Close();
  EXPECT_TRUE(gathered);
  const std::string ini = lc::settings::testing::ReadBytes(folder.File("LcFormTest.ini"));
  EXPECT_EQ(ini.rfind("[Configuration]\r\n", 0), 0u) << ini.substr(0, 40);
  EXPECT_NE(ini.find("\r\nOsdSize=123\r\n"), std::string::npos);
  EXPECT_FALSE(Program().Settings.ConfigWriteError);
}

// Answers the first message box of this process with OK and tells whether
// one came.
class TProblemBoxAnswer {
 public:
  TProblemBoxAnswer()
      : FThread([this] {
          for (int i = 0; i < 200 && !FShown; ++i) {
            HWND Box = FindWindowW(L"#32770", nullptr);
            DWORD Pid = 0;
            if (Box) GetWindowThreadProcessId(Box, &Pid);
            if (Box && Pid == GetCurrentProcessId()) {
              FShown = true;
              PostMessageW(Box, WM_COMMAND, IDOK, 0);
            }
            Sleep(50);
          }
        }) {}
  ~TProblemBoxAnswer() { FThread.join(); }
  bool Shown() const { return FShown; }

 private:
  std::atomic<bool> FShown{false};
  std::thread FThread;
};

// A failure while saving at close is shown and ends the program with a
// failure code, not with the code of a good end.
TEST_F(MainFormTest, AFailedSaveAtCloseIsReportedAndEndsWithAFailureCode) {
  host.gather = [](lc::settings::SettingsStore&) { throw std::runtime_error("disk gone"); };
  bool Shown = false;
  {
    TProblemBoxAnswer Answer;
    form->Close();
    Shown = Answer.Shown();
  }
  EXPECT_TRUE(Shown);
  EXPECT_EQ(form->ProcessEnds, 1);
  EXPECT_EQ(form->LastExitCode, 1u);
}

TEST(HintTime, GrowsWithTheHintsLength) {
  EXPECT_EQ(HintDisplayTime(10), 1551);
  EXPECT_EQ(HintDisplayTime(0), 939);
}

}  // namespace
