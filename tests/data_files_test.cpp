// The user's data files across runs of the whole program: a file in an
// encoding the program does not read is kept aside (and the user told),
// never written over; a save that fails at close is reported and leaves
// the files that were there as they were.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;

constexpr DWORD kStartMs = 30000;

// Closes the message box process `pid` shows (waiting for it up to `ms`);
// false when none came.
bool CloseMessageBox(DWORD pid, DWORD ms) {
  HWND box = lctest::WaitForWindow(L"TfrmMessage", pid, ms);
  if (!box) return false;
  PostMessageW(box, WM_CLOSE, 0, 0);
  return true;
}

TEST(DataFiles, AUtf16SettingsFileIsKeptAsideAndTheOtherFilesStay) {
  ProgramCopy copy(L"LcTestUtf16");
  // "[Configuration]", "OsdSize=77" as another editor saves them.
  std::string utf16("\xFF\xFE", 2);
  for (char c : std::string("[Configuration]\r\nFirstRun=0\r\nOsdSize=77\r\n")) utf16 += std::string{c, '\0'};
  lctest::WriteFileText(copy.SettingsFile(), utf16);
  const std::string presets = "Rock=10,20,0,0,0,0,0,0,0,0,0\r\n";
  lctest::WriteFileText(copy.DataFolder() + L"Presets.EQ", presets);
  const std::string list = "C:\\movies\\a.avi\r\nNo subtitle\r\n";
  lctest::WriteFileText(copy.DataFolder() + L"LcTestUtf16.lpl", list);
  {
    ChildProcess player(copy.Exe(), L"");
    ASSERT_TRUE(CloseMessageBox(player.Id(), kStartMs)) << "the user was not told";
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
    ASSERT_NE(main, nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.Wait(20000), 0u);
  }
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), utf16);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()).substr(0, 17), "[Configuration]\r\n");
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "OsdSize"), "100");
  EXPECT_EQ(lctest::ReadFileText(copy.DataFolder() + L"Presets.EQ"), presets);
  EXPECT_EQ(lctest::ReadFileText(copy.DataFolder() + L"LcTestUtf16.lpl"), list);

  // Told once: the next start reads its new file and says nothing.
  ChildProcess again(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(again.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(lctest::WaitForWindow(L"TfrmMessage", again.Id(), 1000), nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(again.Wait(20000), 0u);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), utf16);
  copy.Uninstall();
}

TEST(DataFiles, ASaveThatFailsAtCloseIsReportedAndTheFilesStay) {
  ProgramCopy copy(L"LcTestRo");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "OsdSize=77"});
  const std::string before = lctest::ReadFileText(copy.SettingsFile());
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  // The user protects the settings file while the player runs.
  ASSERT_TRUE(SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(CloseMessageBox(player.Id(), kStartMs)) << "the failed save was not reported";
  EXPECT_EQ(player.Wait(20000), 1u);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()), before);
  SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  copy.Uninstall();
}

// The close comes while a loop of the player's runs (the taskbar's close
// over the message box of a movie that is not there, or over the popup
// menu): the failed save is still reported, a box that is up stepping
// aside, and the program ends with 1 once the report is answered.
TEST(DataFiles, ASaveThatFailsAtCloseIsReportedOverAMessageBoxOrMenuAlreadyUp) {
  for (const lctest::NestedLoop& loop : lctest::kNestedLoops) {
    SCOPED_TRACE(loop.name);
    ProgramCopy copy(loop.menu ? L"LcTestRoMenu" : L"LcTestRoBox");
    lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
    ChildProcess player(copy.Exe(), loop.args);
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
    ASSERT_NE(main, nullptr);
    const HWND loopWindow = lctest::EnterNestedLoop(loop, main, player.Id());
    ASSERT_NE(loopWindow, nullptr);
    // The box that was up before the report (none for the menu).
    const HWND first = loop.menu ? nullptr : loopWindow;
    ASSERT_TRUE(SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
    PostMessageW(main, WM_CLOSE, 0, 0);
    HWND report = nullptr;
    for (DWORD start = GetTickCount(); !report && GetTickCount() - start < kStartMs;) {
      HWND shown = lctest::WaitForWindow(L"TfrmMessage", player.Id(), 0, true);
      if (shown && shown != first) report = shown;
      if (player.Wait(50) != STILL_ACTIVE) break;
    }
    ASSERT_NE(report, nullptr) << "the failed save was not reported";
    if (first) {
      EXPECT_FALSE(IsWindowVisible(first));
    }
    PostMessageW(report, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.Wait(20000), 1u);
    SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
    copy.Uninstall();
  }
}

}  // namespace
