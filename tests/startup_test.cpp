// The whole program under Wine: the single-instance hand-over, the
// "/install" and "/uninstall" switches against Wine's registry, the settings
// file written at close and read at the next start, and the migration of
// old data files. Each test runs its own copy of Lumacraft.exe under a base
// name of its own.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/dde.h"
#include "framework/messages.h"
#include "settings/tests/language_files.h"
#include "settings/text_table.h"
#include "settings/win/registry_win.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;

constexpr DWORD kStartMs = 30000;

std::string Utf8(const std::wstring& w) {
  std::string out;
  for (wchar_t c : w) out += static_cast<char>(c);  // the test paths are ASCII
  return out;
}

// Starts a copy with a settings file that skips the first-run question.
struct RunningCopy {
  RunningCopy(const ProgramCopy& copy, const std::wstring& args = L"") : process(copy.Exe(), args) {
    main = lctest::WaitForVisibleMainWindow(process.Id(), kStartMs);
  }
  DWORD Close() {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return process.Wait(20000);
  }
  ChildProcess process;
  HWND main = nullptr;
};

// True when `upper` lies above `lower` in the desktop's window order.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(lower, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == upper) return true;
  return false;
}

// The first instance takes hand-overs once its main window was activated;
// until then they are dropped, so the second start is repeated a while.
std::vector<std::string> HandOverUntilTaken(const ProgramCopy& copy, HWND main, const std::wstring& args) {
  std::vector<std::string> received;
  for (int attempt = 0; attempt < 20 && received.empty(); ++attempt) {
    EXPECT_EQ(copy.RunToEnd(args), 0u);
    received = lctest::QueryOpenFileList(main);
    if (received.empty()) Sleep(250);
  }
  return received;
}

TEST(Startup, SecondInstanceHandsOverItsArgumentsAndEnds) {
  ProgramCopy copy(L"LcTestHand");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr) << "the first instance shows no main window";
  wchar_t caption[64] = {};
  GetWindowTextW(first.main, caption, 64);
  EXPECT_STREQ(caption, L"LcTestHandMainWindow");

  // Without arguments the second start only ends.
  EXPECT_EQ(copy.RunToEnd(L""), 0u);
  EXPECT_TRUE(lctest::QueryOpenFileList(first.main).empty());

  const std::vector<std::string> expected{"C:\\movies\\a b.avi", "D:\\films", "x.srt"};
  EXPECT_EQ(HandOverUntilTaken(copy, first.main, L"\"C:\\movies\\a b.avi\" D:\\films x.srt"), expected);
  // The second start created no window that stayed.
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

// A running player that never takes the files (its main window is hidden by
// the boss key) is waited for; then the second start gives up, says so in
// a message box in the user's language, and ends with 1.
TEST(Startup, ASecondStartThatCannotHandOverSaysSo) {
  ProgramCopy copy(L"LcTestGiveUp");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "LastUsedLanguage=Test"});
  lc::settings::TextTable texts;
  lc::settings::SetDefaultTexts(texts);
  CreateDirectoryW((copy.ExeFolder() + L"lang").c_str(), nullptr);
  lctest::WriteFileText(copy.ExeFolder() + L"lang\\Test.lng",
                        lc::settings::testing::LanguageFileText(texts, "the tests") +
                            "//TextNotices 1=laeuft, nahm aber nicht:\r\n");
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  ASSERT_EQ(HandOverUntilTaken(copy, first.main, L"C:\\taken.avi"), std::vector<std::string>{"C:\\taken.avi"});
  SendMessageW(first.main, WM_HOTKEY, 1, 0);
  ASSERT_FALSE(IsWindowVisible(first.main));

  ChildProcess second(copy.Exe(), L"C:\\late.avi");
  HWND box = lctest::WaitForWindow(L"TfrmMessage", second.Id(), kStartMs, true);
  ASSERT_NE(box, nullptr) << "the second start said nothing";
  EXPECT_EQ(second.Wait(0), static_cast<DWORD>(STILL_ACTIVE));
  HWND secondMain = lctest::WaitForWindow(L"TfrmMain", second.Id(), 5000);
  ASSERT_NE(secondMain, nullptr);
  EXPECT_EQ(lctest::QueryFace(secondMain)["MessageBox"], "LcTestGiveUp laeuft, nahm aber nicht:|\"C:\\late.avi\"");
  PostMessageW(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.Wait(20000), 1u);
  SendMessageW(first.main, WM_HOTKEY, 2, 0);
  EXPECT_EQ(lctest::QueryOpenFileList(first.main), std::vector<std::string>{"C:\\taken.avi"});
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

// A player that is closing (its settings file write-protected by the
// user, the close's report up) takes no second start's files: the second
// start says it could not hand them over and ends with 1, and the closing
// player opens nothing beneath its report.
TEST(Startup, AClosingPlayerRefusesAHandOver) {
  ProgramCopy copy(L"LcTestClosing");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  ASSERT_EQ(lctest::PlaylistCountAfterStart(first.main), 0);  // it takes hand-overs from now on
  ASSERT_TRUE(SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_READONLY));
  PostMessageW(first.main, WM_CLOSE, 0, 0);
  HWND report = lctest::WaitForWindow(L"TfrmMessage", first.process.Id(), kStartMs, true);
  ASSERT_NE(report, nullptr) << "the failed save was not reported";

  const std::wstring movie = lctest::MediaPath("clip.avi");
  ChildProcess second(copy.Exe(), L"\"" + movie + L"\"");
  HWND box = lctest::WaitForWindow(L"TfrmMessage", second.Id(), kStartMs, true);
  ASSERT_NE(box, nullptr) << "the second start said nothing (exit code " << second.Wait(0) << ")";
  HWND secondMain = lctest::WaitForWindow(L"TfrmMain", second.Id(), 5000);
  ASSERT_NE(secondMain, nullptr);
  EXPECT_EQ(lctest::QueryFace(secondMain)["MessageBox"],
            "LcTestClosing is running but did not take these files:|\"" + Utf8(movie) + "\"");
  PostMessageW(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(second.Wait(20000), 1u);

  EXPECT_FALSE(lctest::QueryTransport(first.main).Active());
  EXPECT_TRUE(lctest::QueryOpenFileList(first.main).empty());
  // A second start also restores the running player's minimised
  // application window, found by its title (this copy's title is not its
  // base name, so the restore is made here). The closing player shows no
  // window anew and its report stays in front (an empty video window and
  // the main window came over it: the player looked hung).
  HWND app = lctest::WaitForWindow(L"TApplication", first.process.Id(), 5000);
  ASSERT_NE(app, nullptr);
  ASSERT_TRUE(IsIconic(app));
  SendMessageW(app, WM_SYSCOMMAND, SC_RESTORE, 0);
  HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", first.process.Id(), 5000);
  ASSERT_NE(video, nullptr);
  EXPECT_FALSE(IsWindowVisible(video));
  EXPECT_TRUE(IsWindowVisible(report));
  EXPECT_TRUE(Above(report, first.main)) << "the report went behind the player's main window";
  PostMessageW(report, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.process.Wait(20000), 1u);
  SetFileAttributesW(copy.SettingsFile().c_str(), FILE_ATTRIBUTE_NORMAL);
  copy.Uninstall();
}

// Only the test build answers the query: the shipped program gives no
// process on the desktop the paths handed over to it.
TEST(Startup, TheShippedProgramDoesNotAnswerTheFileListQuery) {
  ProgramCopy copy(L"LcTestShipped", lctest::Build::Shipped);
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  EXPECT_EQ(copy.RunToEnd(L"C:\\secret.avi"), 0u);
  EXPECT_FALSE(lctest::AskOpenFileList(first.main).has_value());
  EXPECT_EQ(SendMessageW(first.main, WM_QUERYOPENFILELIST, 0, 0), 0);
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

// The main window shows before the rest of the start-up's work ends (the
// shell's conversation is opened after it). What reaches the player in
// that moment is still taken: a shell macro from a client that tries again
// while no server answers (as the shell falls back to starting the
// program), and a second start's files.
TEST(Startup, AShellMacroSentAsTheMainWindowShowsIsTaken) {
  ProgramCopy copy(L"LcTestEarlyMacro");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "PlayListShow=0", "EqualizerShow=0"});
  const std::wstring movie = copy.ExeFolder() + L"early.avi";
  lctest::WriteFileText(movie, "x");
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  UINT result = DMLERR_NO_CONV_ESTABLISHED;
  for (const DWORD start = GetTickCount();
       result == DMLERR_NO_CONV_ESTABLISHED && GetTickCount() - start < kStartMs; Sleep(10))
    result = DdeExecuteMacro(L"LcTestEarlyMacro", L"System", L"/AddFile " + movie);
  EXPECT_EQ(result, 0u);
  EXPECT_EQ(lctest::PlaylistCountAfterStart(first.main), 1);
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

TEST(Startup, ASecondStartAsTheMainWindowShowsHandsOver) {
  ProgramCopy copy(L"LcTestEarlyHand");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  // The main window took the activation; the application window shows.
  EXPECT_TRUE(lctest::WaitUntil([&] { return GetForegroundWindow() == first.main; }));
  HWND app = lctest::WaitForWindow(L"TApplication", first.process.Id(), kStartMs);
  ASSERT_NE(app, nullptr);
  EXPECT_TRUE(IsWindowVisible(app));
  // A single second start waits for the main window to take its files.
  EXPECT_EQ(copy.RunToEnd(L"C:\\early.avi"), 0u);
  EXPECT_EQ(lctest::QueryOpenFileList(first.main), std::vector<std::string>{"C:\\early.avi"});
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

TEST(Startup, SecondStartRestoresAMinimisedFirstInstanceBeforeHandingOver) {
  // The application window is found by its title, which is "Lumacraft"
  // until a movie plays: only a program of that base name is found.
  ProgramCopy copy(L"Lumacraft");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy first(copy);
  ASSERT_NE(first.main, nullptr);
  HWND app = lctest::WaitForWindow(L"TApplication", first.process.Id(), kStartMs);
  ASSERT_NE(app, nullptr);
  ASSERT_EQ(HandOverUntilTaken(copy, first.main, L"first.avi"), std::vector<std::string>{"first.avi"});

  SendMessageW(app, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(app));
  EXPECT_EQ(copy.RunToEnd(L"C:\\late.avi"), 0u);
  EXPECT_FALSE(IsIconic(app));
  EXPECT_EQ(lctest::QueryOpenFileList(first.main), std::vector<std::string>{"C:\\late.avi"});
  EXPECT_EQ(first.Close(), 0u);
  copy.Uninstall();
}

TEST(Startup, InstallWritesOnlyTheApplicationPath) {
  ProgramCopy copy(L"LcTestInst");
  lc::WinRegistry reg;
  const std::string key = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\LcTestInst.exe";
  reg.DeleteTree(lc::RegRoot::LocalMachine, key);

  EXPECT_EQ(copy.RunToEnd(L"/install"), 0u);
  EXPECT_EQ(reg.ReadString(lc::RegRoot::LocalMachine, key, "").value_or("<missing>"), Utf8(copy.Exe()));
  EXPECT_EQ(reg.ReadString(lc::RegRoot::LocalMachine, key, "Path").value_or("<missing>"), Utf8(copy.ExeFolder()));
  // No association, no settings file, no data folder content.
  EXPECT_FALSE(reg.KeyExists(lc::RegRoot::ClassesRoot, "LcTestInst.File"));
  EXPECT_FALSE(lctest::FileExists(copy.SettingsFile()));

  // Only as the first argument and in exactly this case is it a switch:
  // otherwise the program starts (and ends at once as a second instance).
  reg.DeleteTree(lc::RegRoot::LocalMachine, key);
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  RunningCopy player(copy);
  ASSERT_NE(player.main, nullptr);
  EXPECT_EQ(copy.RunToEnd(L"/INSTALL"), 0u);
  EXPECT_EQ(copy.RunToEnd(L"x.avi /install"), 0u);
  EXPECT_FALSE(reg.KeyExists(lc::RegRoot::LocalMachine, key));
  EXPECT_EQ(player.Close(), 0u);
  copy.Uninstall();
}

TEST(Startup, UninstallRemovesOnlyWhatIsOurs) {
  ProgramCopy copy(L"LcTestUnin");
  lc::WinRegistry reg;
  const lc::RegRoot cr = lc::RegRoot::ClassesRoot;
  const std::optional<std::string> oldPlaylist = reg.ReadString(cr, ".lpl", "");
  // Ours with a backup, another program's, and the playlist type held by
  // another program.
  reg.WriteString(cr, ".lcta", "", "LcTestUnin.File");
  reg.WriteString(cr, ".lcta", "LcTestUninFileBak", "Other.lcta");
  reg.WriteString(cr, ".lctb", "", "Other.lctb");
  reg.WriteString(cr, ".lpl", "", "OtherPlayer.lpl");
  reg.WriteString(cr, "LcTestUnin.File\\shell\\Play\\command", "", "\"x.exe\"");
  reg.WriteString(cr, "Directory\\shell\\LcTestUnin.Play\\command", "", "\"x.exe\"");
  reg.WriteString(cr, "Directory\\shell\\LcTestUnin.Enqueue\\command", "", "\"x.exe\"");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "FileTypes=lcta;lctb;", "FileAssociation=11"});
  const std::string settingsBefore = lctest::ReadFileText(copy.SettingsFile());

  EXPECT_EQ(copy.RunToEnd(L"/uninstall"), 0u);
  EXPECT_EQ(reg.ReadString(cr, ".lcta", "").value_or("<missing>"), "Other.lcta");
  EXPECT_FALSE(reg.ReadString(cr, ".lcta", "LcTestUninFileBak").has_value());
  EXPECT_EQ(reg.ReadString(cr, ".lctb", "").value_or("<missing>"), "Other.lctb");
  EXPECT_EQ(reg.ReadString(cr, ".lpl", "").value_or("<missing>"), "OtherPlayer.lpl");
  EXPECT_FALSE(reg.KeyExists(cr, "LcTestUnin.File"));
  EXPECT_FALSE(reg.KeyExists(cr, "Directory\\shell\\LcTestUnin.Play"));
  EXPECT_FALSE(reg.KeyExists(cr, "Directory\\shell\\LcTestUnin.Enqueue"));
  // Nothing is saved.
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()), settingsBefore);

  reg.DeleteTree(cr, ".lcta");
  reg.DeleteTree(cr, ".lctb");
  if (oldPlaylist) reg.WriteString(cr, ".lpl", "", *oldPlaylist);
}

TEST(Startup, NormalStartRegistersThePlaylistTypeWithItsProgId) {
  ProgramCopy copy(L"LcTestProg");
  lc::WinRegistry reg;
  const lc::RegRoot cr = lc::RegRoot::ClassesRoot;
  const std::optional<std::string> oldPlaylist = reg.ReadString(cr, ".lpl", "");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "FileAssociation=", "FileTypes=avi;"});
  RunningCopy player(copy);
  ASSERT_NE(player.main, nullptr);
  EXPECT_EQ(reg.ReadString(cr, ".lpl", "").value_or("<missing>"), "LcTestProg.File");
  // The playlist type points at the identifier, so the identifier exists.
  const std::string command = std::string(1, '"').append(Utf8(copy.Exe())).append(1, '"');
  EXPECT_EQ(reg.ReadString(cr, "LcTestProg.File\\shell\\Play\\command", "").value_or("<missing>"), command);
  EXPECT_EQ(player.Close(), 0u);

  copy.Uninstall();
  EXPECT_FALSE(reg.KeyExists(cr, "LcTestProg.File"));
  EXPECT_EQ(reg.ReadString(cr, ".lpl", "").value_or(""), oldPlaylist.value_or(""));
}

// Answers the first-run question of process `pid` with `answer` (IDYES or
// IDNO); false when no question appeared.
bool AnswerFirstRunQuestion(DWORD pid, int answer) {
  HWND box = lctest::WaitForWindow(L"#32770", pid, kStartMs);
  if (!box) return false;
  // The box's window exists a moment before its text does.
  wchar_t text[256] = {};
  for (int wait = 0; wait < 100 && !GetDlgItemTextW(box, 0xFFFF, text, 256); ++wait) Sleep(20);
  EXPECT_STREQ(text, L"Should I associate LcTestFirst with all supported extensions?");
  PostMessageW(box, WM_COMMAND, answer, 0);
  return true;
}

TEST(Startup, FirstRunAsksOnceAndAssociatesOnlyOnYes) {
  ProgramCopy copy(L"LcTestFirst");
  lc::WinRegistry reg;
  const lc::RegRoot cr = lc::RegRoot::ClassesRoot;
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=1", "FileTypes=lcfa;lcfb;", "FileAssociation=00"});
  {
    ChildProcess player(copy.Exe(), L"");
    ASSERT_TRUE(AnswerFirstRunQuestion(player.Id(), IDNO));
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(reg.KeyExists(cr, ".lcfa"));
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.Wait(20000), 0u);
  }
  // "No" is remembered: the next start asks nothing.
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "FirstRun"), "0");

  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=1", "FileTypes=lcfa;lcfb;", "FileAssociation=00"});
  {
    ChildProcess player(copy.Exe(), L"");
    ASSERT_TRUE(AnswerFirstRunQuestion(player.Id(), IDYES));
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(reg.ReadString(cr, ".lcfa", "").value_or("<missing>"), "LcTestFirst.File");
    EXPECT_EQ(reg.ReadString(cr, ".lcfb", "").value_or("<missing>"), "LcTestFirst.File");
    EXPECT_EQ(reg.ReadString(cr, "LcTestFirst.File\\shell", "").value_or("<missing>"), "Play");
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.Wait(20000), 0u);
  }
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "FileAssociation"), "11");

  copy.Uninstall();
  EXPECT_EQ(reg.ReadString(cr, ".lcfa", "").value_or("<missing>"), "");
  EXPECT_FALSE(reg.KeyExists(cr, "LcTestFirst.File"));
  reg.DeleteTree(cr, ".lcfa");
  reg.DeleteTree(cr, ".lcfb");
}

int StoredPosition(int pixels, int screenSize) {
  return static_cast<int>(std::nearbyint(pixels * 100000.0 / screenSize));
}

TEST(Startup, SettingsWrittenAtCloseAreReadAtTheNextStart) {
  ProgramCopy copy(L"LcTestSet");
  // Another program holds the hide key: the player cannot register it, but
  // keeps it in its settings.
  ASSERT_TRUE(RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, VK_F9));
  lctest::WriteSettingsFile(copy.SettingsFile(),
                            {"FirstRun=0", "BossKey=1", "BossKeyHide=Ctrl+Alt+F9", "BossKeyShow=Ctrl+Alt+F10",
                             "LastUsedLanguage=Klingon", "FullscreenModeSwitch=9999 x 9999 x 99 Hz"});
  {
    RunningCopy player(copy);
    ASSERT_NE(player.main, nullptr);
    // The show key is the player's now.
    EXPECT_FALSE(RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, VK_F10));
    SetWindowPos(player.main, nullptr, 123, 77, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(player.Close(), 0u);
  }
  const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
  const std::wstring file = copy.SettingsFile();
  EXPECT_EQ(lctest::SettingsValue(file, "MainXPosition"), std::to_string(StoredPosition(123, w)));
  EXPECT_EQ(lctest::SettingsValue(file, "MainYPosition"), std::to_string(StoredPosition(77, h)));
  EXPECT_EQ(lctest::SettingsValue(file, "FirstRun"), "0");
  EXPECT_EQ(lctest::SettingsValue(file, "BossKeyHide"), "Ctrl+Alt+F9");
  EXPECT_EQ(lctest::SettingsValue(file, "BossKeyShow"), "Ctrl+Alt+F10");
  // A language without its file falls back to the built-in texts; a
  // display mode the screen does not offer becomes "No change".
  EXPECT_EQ(lctest::SettingsValue(file, "LastUsedLanguage"), "English (built in)");
  EXPECT_EQ(lctest::SettingsValue(file, "FullscreenModeSwitch"), "No change");
  // Closing released the show key.
  EXPECT_TRUE(RegisterHotKey(nullptr, 8, MOD_CONTROL | MOD_ALT, VK_F10));
  UnregisterHotKey(nullptr, 8);
  UnregisterHotKey(nullptr, 7);

  RunningCopy again(copy);
  ASSERT_NE(again.main, nullptr);
  RECT r = {};
  GetWindowRect(again.main, &r);
  EXPECT_EQ(r.left, 123);
  EXPECT_EQ(r.top, 77);
  EXPECT_EQ(again.Close(), 0u);
  copy.Uninstall();
}

// The list of the last run comes back with its entry selected; an entry
// number beyond the list (the list file was edited since) selects the last.
TEST(Startup, TheEntryOfTheLastRunIsSelectedAgainOrTheLastWhenBeyondTheList) {
  ProgramCopy copy(L"LcTestSelect");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "LastMovieSelectedInPlaylist=9"});
  lctest::WriteFileText(copy.DataFolder() + L"LcTestSelect.lpl",
                        "C:\\movies\\one.avi\r\nNo subtitle\r\nC:\\movies\\two.avi\r\nNo subtitle\r\n");
  {
    RunningCopy player(copy);
    ASSERT_NE(player.main, nullptr);
    EXPECT_EQ(lctest::QueryFace(player.main)["PlaylistSelected"], "1");
    EXPECT_EQ(player.Close(), 0u);
  }
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "LastMovieSelectedInPlaylist"), "2");
  copy.Uninstall();
}

TEST(Startup, PriorityIsSetAndTheEndOfTheSessionClosesAndSaves) {
  ProgramCopy copy(L"LcTestEnd");
  // The file holds 1..4 (4 normal); 1 is the lowest.
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "CpuPriority=1", "OsdSize=77"});
  RunningCopy player(copy);
  ASSERT_NE(player.main, nullptr);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, player.process.Id());
  ASSERT_NE(process, nullptr);
  EXPECT_EQ(GetPriorityClass(process), static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS));
  CloseHandle(process);

  // Asked, the player agrees and keeps running; an end that another
  // program cancelled leaves it running; the end that comes closes it.
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(player.main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer);
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  SendMessageTimeoutW(player.main, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 10000, &answer);
  EXPECT_EQ(player.process.Wait(1000), static_cast<DWORD>(STILL_ACTIVE));
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "AllowMultipleInstances"), "<missing>");
  SendMessageTimeoutW(player.main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer);
  EXPECT_EQ(player.process.Wait(20000), 0u);
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "CpuPriority"), "1");
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "OsdSize"), "77");
  // Written whole: every key, not just the ones given.
  EXPECT_NE(lctest::SettingsValue(copy.SettingsFile(), "AllowMultipleInstances"), "<missing>");
  copy.Uninstall();
}

TEST(Startup, OldDataFilesAreMovedOnceAndOnlyWhenTheNewCopyIsMissing) {
  ProgramCopy copy(L"LcTestMig");
  const std::wstring oldIni = copy.ExeFolder() + L"LcTestMig.ini";
  lctest::WriteSettingsFile(oldIni, {"FirstRun=0", "OsdSize=33"});
  lctest::WriteFileText(copy.ExeFolder() + L"Presets.EQ", "old presets");
  lctest::WriteFileText(copy.ExeFolder() + L"LcTestMig.rs", "");
  lctest::WriteFileText(copy.DataFolder() + L"Presets.EQ", "new presets");

  {
    // The moved settings file is the one read: no first-run question.
    RunningCopy player(copy);
    ASSERT_NE(player.main, nullptr);
    EXPECT_EQ(player.Close(), 0u);
  }
  EXPECT_FALSE(lctest::FileExists(oldIni));
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "OsdSize"), "33");
  EXPECT_FALSE(lctest::FileExists(copy.ExeFolder() + L"LcTestMig.rs"));
  EXPECT_EQ(lctest::ReadFileText(copy.ExeFolder() + L"Presets.EQ"), "old presets");
  EXPECT_EQ(lctest::ReadFileText(copy.DataFolder() + L"Presets.EQ"), "new presets");

  // An old file that reappears beside the program is left alone.
  lctest::WriteSettingsFile(oldIni, {"FirstRun=0", "OsdSize=44"});
  {
    RunningCopy player(copy);
    ASSERT_NE(player.main, nullptr);
    EXPECT_EQ(player.Close(), 0u);
  }
  EXPECT_TRUE(lctest::FileExists(oldIni));
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "OsdSize"), "33");
  copy.Uninstall();
}

}  // namespace

TEST(Startup, EqualizerAndColourSettingsGoThroughTheirWindowsAndBack) {
  ProgramCopy copy(L"LcTestTools");
  // Three equalizer numbers set the pre-amplification and bands 0 and 1; the
  // brightness is stored times 10 and its slider keeps whole tenths.
  lctest::WriteSettingsFile(copy.SettingsFile(),
                            {"FirstRun=0", "EqualizerSettings=10,-20,30", "BrightnessControl=753",
                             "ContrastControl=15099", "HueControl=-45", "SaturationControl=200"});
  {
    RunningCopy player(copy);
    ASSERT_NE(player.main, nullptr);
    EXPECT_NE(lctest::WaitForWindow(L"TfrmEqualizer", player.process.Id(), 5000), nullptr);
    EXPECT_NE(lctest::WaitForWindow(L"TfrmColorControl", player.process.Id(), 5000), nullptr);
    EXPECT_EQ(player.Close(), 0u);
  }
  const std::wstring file = copy.SettingsFile();
  EXPECT_EQ(lctest::SettingsValue(file, "EqualizerSettings"), "10,-20,30,0,0,0,0,0,0,0,0");
  EXPECT_EQ(lctest::SettingsValue(file, "BrightnessControl"), "750");
  EXPECT_EQ(lctest::SettingsValue(file, "ContrastControl"), "15000");
  EXPECT_EQ(lctest::SettingsValue(file, "HueControl"), "-45");
  EXPECT_EQ(lctest::SettingsValue(file, "SaturationControl"), "200");
  copy.Uninstall();
}
