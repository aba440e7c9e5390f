// A client of the running player in a process of its own, as remote-control
// software, a hot-key press and the shell are: it sends the remote-control
// codes, the boss key's hot keys and a burst of DDE macros, and the player
// (a copy of the test build) follows: windows hidden and shown, the
// application minimised, the playlist grown and shrunk. Media keys sent to
// either window play, pause, stop, step the volume and the playlist. Remote
// codes reach the open configuration dialog and the open-subtitle dialog.
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "framework/dde.h"
#include "framework/messages.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;
using lctest::QueryTransport;
using lctest::Transport;
using lctest::WaitUntilPlaying;

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

// The configuration dialog opened by Ctrl+P typed on the main window, once
// it shows; nullptr when it did not.
HWND OpenConfiguration(const RunningPlayer& player) {
  if (!lctest::MakeForeground(player.main)) return nullptr;
  lctest::PressKey('P', {VK_CONTROL});
  return lctest::WaitForWindow(L"TfrmConfig", player.process.Id(), 10000, true);
}

// The item selected in the dialog's tree of pages.
LRESULT SelectedPage(HWND config) { return lctest::SelectedTreeItem(config); }

LRESULT Remote(HWND main, WPARAM code) {
  DWORD_PTR result = 1;
  SendMessageTimeoutW(main, WM_REMOTECOMMAND, code, 0, SMTO_NORMAL, 5000, &result);
  return LRESULT(result);
}

bool Closed(HWND window) {
  return lctest::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); });
}

TEST(RemoteClient, RemoteCodesDriveTheOpenConfigurationDialog) {
  ProgramCopy copy(L"LcTestConfig");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "PlayListShow=0", "EqualizerShow=0"});
  RunningPlayer player(copy);
  ASSERT_NE(player.main, nullptr);
  ASSERT_EQ(player.PlaylistCount(), 0);

  HWND config = OpenConfiguration(player);
  ASSERT_NE(config, nullptr);
  const LRESULT first = SelectedPage(config);
  ASSERT_NE(first, 0);
  // While another program is the active one, Down (8) is handed to the
  // dialog's key handler, which does not move through the pages.
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                               nullptr, nullptr);
  SetForegroundWindow(other);
  lctest::Pump(300);
  EXPECT_EQ(Remote(player.main, 8), 0);
  lctest::Pump(300);
  EXPECT_EQ(SelectedPage(config), first);
  // With the player active again, Down is typed into the tree.
  ASSERT_TRUE(lctest::MakeForeground(config));
  EXPECT_EQ(Remote(player.main, 8), 0);
  EXPECT_TRUE(lctest::WaitUntil([&] { return SelectedPage(config) != first; }));
  DestroyWindow(other);

  // Escape (6) closes the dialog, Enter (3) confirms it.
  EXPECT_EQ(Remote(player.main, 6), 0);
  EXPECT_TRUE(Closed(config));
  config = OpenConfiguration(player);
  ASSERT_NE(config, nullptr);
  EXPECT_EQ(Remote(player.main, 3), 0);
  EXPECT_TRUE(Closed(config));

  PostMessageW(player.main, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.process.Wait(20000), 0u);
  copy.Uninstall();
}

// A media key as the keyboard sends it (no modifier or mouse-button bits),
// or with `low` in the low word; the window's answer.
LRESULT MediaKey(HWND window, WORD command, WORD low = 0) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, WM_APPCOMMAND, WPARAM(window), MAKELPARAM(low, command), SMTO_NORMAL, 10000,
                      &result);
  return LRESULT(result);
}

TEST(RemoteClient, MediaKeysDriveThePlayingMovie) {
  ProgramCopy copy(L"LcTestKeys");
  lctest::WriteSettingsFile(copy.SettingsFile(),
                            {"FirstRun=0", "PlayListShow=0", "EqualizerShow=0", "AudioVolume=10", "Mute=0"});
  // Two entries, long enough not to end during the test.
  const std::wstring a = copy.ExeFolder() + L"a.mp4", b = copy.ExeFolder() + L"b.mp4";
  ASSERT_TRUE(CopyFileW(lctest::MediaPath("demo.mp4").c_str(), a.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW(lctest::MediaPath("demo.mp4").c_str(), b.c_str(), FALSE));
  ChildProcess process(copy.Exe(), L"\"" + a + L"\" \"" + b + L"\"");
  HWND main = lctest::WaitForVisibleMainWindow(process.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  Transport t = WaitUntilPlaying(main, 0);
  ASSERT_TRUE(t.Active() && t.Playing()) << std::hex << t.bits;
  EXPECT_EQ(t.Volume(), 10);
  EXPECT_TRUE(t.SoundOn());

  // Play/pause (14) pauses a playing movie and plays a paused one.
  EXPECT_EQ(MediaKey(main, 14), 1);
  t = QueryTransport(main);
  EXPECT_TRUE(t.Paused());
  EXPECT_FALSE(t.Playing());
  EXPECT_EQ(MediaKey(main, 14), 1);
  EXPECT_TRUE(QueryTransport(main).Playing());

  // Volume up (10) and down (9) step the volume bar; mute (8) toggles.
  EXPECT_EQ(MediaKey(main, 10), 1);
  EXPECT_EQ(QueryTransport(main).Volume(), 11);
  EXPECT_EQ(MediaKey(main, 9), 1);
  EXPECT_EQ(MediaKey(main, 9), 1);
  EXPECT_EQ(QueryTransport(main).Volume(), 9);
  EXPECT_EQ(MediaKey(main, 8), 1);
  EXPECT_FALSE(QueryTransport(main).SoundOn());
  EXPECT_EQ(MediaKey(main, 8), 1);
  EXPECT_TRUE(QueryTransport(main).SoundOn());

  // Sent with a modifier key or from the mouse, or unknown to the player,
  // a command is answered and does nothing.
  const LRESULT before = QueryTransport(main).bits;
  EXPECT_EQ(MediaKey(main, 14, MK_CONTROL), 1);
  EXPECT_EQ(MediaKey(main, 10 | 0x8000), 1);
  EXPECT_EQ(MediaKey(main, 1), 1);
  EXPECT_EQ(QueryTransport(main).bits, before);

  // The video window hands the media keys to the main window.
  HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", process.Id(), 5000, true);
  ASSERT_NE(video, nullptr);
  EXPECT_EQ(MediaKey(video, 10), 1);
  EXPECT_EQ(QueryTransport(main).Volume(), 10);

  // Next (11) and previous (12) track.
  EXPECT_EQ(MediaKey(main, 11), 1);
  t = WaitUntilPlaying(main, 1);
  EXPECT_EQ(t.Entry(), 1);
  EXPECT_EQ(MediaKey(video, 12), 1);
  t = WaitUntilPlaying(main, 0);
  EXPECT_EQ(t.Entry(), 0);
  EXPECT_TRUE(t.Playing());

  // Stop (13) closes the graph; play/pause then plays the entry again.
  EXPECT_EQ(MediaKey(main, 13), 1);
  t = QueryTransport(main);
  EXPECT_FALSE(t.Active());
  EXPECT_FALSE(t.Playing());
  EXPECT_FALSE(t.Paused());
  EXPECT_EQ(MediaKey(main, 14), 1);
  t = WaitUntilPlaying(main, 0);
  EXPECT_TRUE(t.Active() && t.Playing()) << std::hex << t.bits;

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.Wait(20000), 0u);
  copy.Uninstall();
}

// The first visible standard dialog of process `pid`, waited for up to 10 s.
HWND WaitForFileDialog(DWORD pid) { return lctest::WaitForWindow(L"#32770", pid, 10000, true); }

TEST(RemoteClient, TheOpenSubtitleDialogTakesTheFileDialogKeystrokes) {
  ProgramCopy copy(L"LcTestSubDialog");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "PlayListShow=0", "EqualizerShow=0"});
  ChildProcess process(copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  HWND main = lctest::WaitForVisibleMainWindow(process.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  ASSERT_TRUE(WaitUntilPlaying(main, 0).Playing());

  // Code 2 opens the subtitle dialog (Ctrl+L).
  PostMessageW(main, WM_REMOTECOMMAND, 2, 0);
  HWND dialog = WaitForFileDialog(process.Id());
  ASSERT_NE(dialog, nullptr);
  // In a file dialog code 4 is Backspace, not the Escape of other dialogs:
  // the dialog stays.
  EXPECT_EQ(Remote(main, 4), 0);
  lctest::Pump(500);
  EXPECT_TRUE(IsWindowVisible(dialog));
  // Code 6 is its Escape.
  EXPECT_EQ(Remote(main, 6), 0);
  EXPECT_TRUE(Closed(dialog));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.Wait(20000), 0u);
  copy.Uninstall();
}

}  // namespace
