// A client of the running player in a process of its own, as remote-control
// software, a hot-key press and the shell are: it sends the remote-control
// codes, the boss key's hot keys and a burst of DDE macros, and the player
// (a copy of the test build) follows: windows hidden and shown, the
// application minimised, the playlist grown and shrunk.
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "framework/dde.h"
#include "framework/messages.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;

constexpr DWORD kStartMs = 30000;

struct RunningPlayer {
  explicit RunningPlayer(const ProgramCopy& copy) : process(copy.Exe(), L"") {
    main = lctest::WaitForVisibleMainWindow(process.Id(), kStartMs);
  }
  // The playlist's length once the first activation has ended; -1 when
  // it did not end in time.
  LRESULT PlaylistCount() {
    DWORD_PTR count = DWORD_PTR(-1);
    for (int i = 0; i < 80; ++i) {
      SendMessageTimeoutW(main, WM_QUERYPLAYLISTCOUNT, 0, 0, SMTO_NORMAL, 5000, &count);
      if (LRESULT(count) >= 0) break;
      Sleep(250);
    }
    return LRESULT(count);
  }
  ChildProcess process;
  HWND main = nullptr;
};

TEST(RemoteClient, HotKeysRemoteCodesAndShellMacrosReachThePlayer) {
  ProgramCopy copy(L"LcTestClient");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "PlayListShow=0", "EqualizerShow=0"});
  // Movies for the shell's verbs: two files and a folder with one movie.
  const std::wstring media = copy.ExeFolder();
  lctest::WriteFileText(media + L"a.avi", "x");
  lctest::WriteFileText(media + L"b.avi", "x");
  CreateDirectoryW((media + L"more").c_str(), nullptr);
  lctest::WriteFileText(media + L"more\\c.avi", "x");
  lctest::WriteFileText(media + L"more\\notes.txt", "x");

  RunningPlayer player(copy);
  ASSERT_NE(player.main, nullptr);
  ASSERT_EQ(player.PlaylistCount(), 0);

  // The boss key: hide, hide again (nothing more), show.
  SendMessageW(player.main, WM_HOTKEY, 1, 0);
  EXPECT_FALSE(IsWindowVisible(player.main));
  SendMessageW(player.main, WM_HOTKEY, 1, 0);
  SendMessageW(player.main, WM_HOTKEY, 2, 0);
  EXPECT_TRUE(IsWindowVisible(player.main));

  // The shell sends one macro per selected item, close together.
  const std::wstring macros[] = {L"/AddFile " + media + L"a.avi", L"/AddFile " + media + L"b.avi",
                                 L"/AddFolder " + media + L"more", L"/AddFile"};
  for (const std::wstring& macro : macros)
    EXPECT_EQ(DdeExecuteMacro(L"LcTestClient", L"System", macro), 0u) << std::string(macro.begin(), macro.end());
  EXPECT_EQ(player.PlaylistCount(), 3);
  // Adding shows the playlist window; code 55 hides it and shows it again.
  HWND list = lctest::WaitForWindow(L"TfrmPlayList", player.process.Id(), 5000);
  ASSERT_NE(list, nullptr);
  EXPECT_TRUE(IsWindowVisible(list));
  SendMessageW(player.main, WM_REMOTECOMMAND, 55, 0);
  EXPECT_FALSE(IsWindowVisible(list));
  SendMessageW(player.main, WM_REMOTECOMMAND, 55, 0);
  EXPECT_TRUE(IsWindowVisible(list));
  // Code 70 (Alt+Delete in the list) removes the selected entry.
  SendMessageW(player.main, WM_REMOTECOMMAND, 66, 0);
  SendMessageW(player.main, WM_REMOTECOMMAND, 70, 0);
  EXPECT_EQ(player.PlaylistCount(), 2);

  // Every remote code answers 0; code 32 minimises the application.
  DWORD_PTR result = 1;
  for (WPARAM code : {0, 75, 5, 13, 32}) {
    SendMessageTimeoutW(player.main, WM_REMOTECOMMAND, code, 0, SMTO_NORMAL, 5000, &result);
    EXPECT_EQ(result, 0u) << code;
  }
  HWND app = lctest::WaitForWindow(L"TApplication", player.process.Id(), 5000);
  ASSERT_NE(app, nullptr);
  EXPECT_TRUE(IsIconic(app));

  PostMessageW(player.main, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.process.Wait(20000), 0u);
  copy.Uninstall();
}

}  // namespace
