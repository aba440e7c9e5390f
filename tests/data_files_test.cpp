// The user's data files across runs of the whole program: a file not read
// yet is never written (a close during the start-up); a file in an
// encoding the program does not read, or whose text is damaged, has a copy
// kept aside (the user told once, in one message) before it is replaced;
// saves that fail at close are reported, each file named, and leave the
// files that were there as they were.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;

constexpr DWORD kStartMs = 30000;

using lctest::ReadAndCloseMessageBox;

std::string Ansi(const std::wstring& path) { return std::string(path.begin(), path.end()); }  // ASCII paths

// Starts the copy, waits for its main window and closes it as the taskbar
// does; its exit code (STILL_ACTIVE when no window came). `told` receives
// whether a message box came before the window.
DWORD StartAndClose(const ProgramCopy& copy, bool& told) {
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  told = lctest::WaitForWindow(L"TfrmMessage", player.Id(), main ? 1000 : 0) != nullptr;
  if (!main) return STILL_ACTIVE;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return player.Wait(20000);
}

// Starts the copy, reads and closes the message box it shows at the start
// (its text into `told`, empty when none came), then closes the program as
// the taskbar does; its exit code (STILL_ACTIVE when no window came).
DWORD StartReadTheNoticeAndClose(const ProgramCopy& copy, std::string& told) {
  ChildProcess player(copy.Exe(), L"");
  told = ReadAndCloseMessageBox(player.Id(), kStartMs);
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  if (!main) return STILL_ACTIVE;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return player.Wait(20000);
}

// What a user's data folder holds after a while: the remembered settings of
// 200 movies and the list of the last run.
std::string RememberedSettings(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "[movie " + std::to_string(i) + ".avi]\r\nLastAccessed=01/02/2024 10:11:12\r\nPanScan=" +
            std::to_string(i % 50) + "\r\nLastVideoPosition=00:12:34\r\nBookMark1=00:01:00\r\n";
  }
  return text;
}
const std::string kList = "C:\\movies\\a.avi\r\nNo subtitle\r\nC:\\movies\\b.avi\r\nC:\\movies\\b.srt\r\n";

// Starts the copy with `args` and, once it shows a message box, closes the
// program over it as the taskbar does; its exit code (STILL_ACTIVE when no
// box came or it did not end).
DWORD CloseOverMessageBox(const ProgramCopy& copy, const std::wstring& args) {
  ChildProcess player(copy.Exe(), args);
  if (!lctest::WaitForWindow(L"TfrmMessage", player.Id(), kStartMs, true)) return STILL_ACTIVE;
  HWND main = lctest::WaitForWindow(L"TfrmMain", player.Id(), 0);
  if (!main) return STILL_ACTIVE;
  PostMessageW(main, WM_CLOSE, 0, 0);
  return player.Wait(20000);
}

// The remembered settings and the automatic playlist of a copy, written
// with `remembered` and kList.
struct LastRunFiles {
  std::wstring rs, lpl;
};
LastRunFiles WriteLastRun(const ProgramCopy& copy, const std::string& remembered) {
  LastRunFiles files{copy.DataFolder() + copy.BaseName() + L".rs", copy.DataFolder() + copy.BaseName() + L".lpl"};
  lctest::WriteFileText(files.rs, remembered);
  lctest::WriteFileText(files.lpl, kList);
  return files;
}

// Answers the first-run question of process `pid` by closing the program
// as `way` does; false when no question came.
enum class CloseWay { WindowClose, SessionEnd };
bool CloseDuringTheFirstRunQuestion(DWORD pid, CloseWay way) {
  HWND question = lctest::WaitForWindow(L"#32770", pid, kStartMs, true);
  HWND main = lctest::WaitForWindow(L"TfrmMain", pid, 0);
  if (!question || !main) return false;
  if (way == CloseWay::WindowClose) {
    PostMessageW(main, WM_CLOSE, 0, 0);
  } else {
    DWORD_PTR answer = 0;
    SendMessageTimeoutW(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 10000, &answer);
    SendMessageTimeoutW(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 10000, &answer);
  }
  return true;
}

// The first-run question comes before the remembered settings and the list
// of the last run are read: closing the program then (its window's close,
// the end of the session) leaves both files byte for byte.
TEST(DataFiles, ACloseDuringTheFirstRunQuestionLeavesTheFilesNotReadYet) {
  const struct {
    CloseWay way;
    const wchar_t* name;
  } ways[] = {{CloseWay::WindowClose, L"LcTestAskClose"}, {CloseWay::SessionEnd, L"LcTestAskEnd"}};
  for (const auto& w : ways) {
    SCOPED_TRACE(Ansi(w.name));
    ProgramCopy copy(w.name);
    // No settings file: the first run.
    const std::string remembered = RememberedSettings(200);
    const auto [rs, lpl] = WriteLastRun(copy, remembered);
    {
      ChildProcess player(copy.Exe(), L"");
      ASSERT_TRUE(CloseDuringTheFirstRunQuestion(player.Id(), w.way)) << "no first-run question";
      EXPECT_EQ(player.Wait(20000), 0u);
    }
    EXPECT_EQ(lctest::ReadFileText(rs), remembered);
    EXPECT_EQ(lctest::ReadFileText(lpl), kList);
    EXPECT_FALSE(lctest::FileExists(rs + L".bad"));
    EXPECT_FALSE(lctest::FileExists(lpl + L".bad"));

    // The next start reads both: the list is the last run's.
    lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "LastMovieSelectedInPlaylist=2"});
    bool told = false;
    EXPECT_EQ(StartAndClose(copy, told), 0u);
    EXPECT_FALSE(told);
    EXPECT_EQ(lctest::ReadFileText(lpl), kList);
    EXPECT_NE(lctest::ReadFileText(rs).find("[movie 199.avi]\r\n"), std::string::npos);
    copy.Uninstall();
  }
}

// A second start that gives up handing its files over (the running player,
// hidden by the boss key, refuses them) and is closed over its message has
// read the settings but put them in no window, and has read neither the
// remembered settings nor the list: it writes none of the files.
TEST(DataFiles, ASecondStartClosedOverItsGiveUpWritesNothing) {
  ProgramCopy copy(L"LcTestSecondClose");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "OsdSize=77"});
  const auto [rs, lpl] = WriteLastRun(copy, RememberedSettings(20));
  ChildProcess first(copy.Exe(), L"");
  HWND firstMain = lctest::WaitForVisibleMainWindow(first.Id(), kStartMs);
  ASSERT_NE(firstMain, nullptr);
  SendMessageW(firstMain, WM_HOTKEY, 1, 0);
  ASSERT_FALSE(IsWindowVisible(firstMain));
  const std::string files[] = {lctest::ReadFileText(copy.SettingsFile()), lctest::ReadFileText(rs),
                               lctest::ReadFileText(lpl)};

  EXPECT_EQ(CloseOverMessageBox(copy, L"C:\\late.avi"), 1u);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()), files[0]);
  EXPECT_EQ(lctest::ReadFileText(rs), files[1]);
  EXPECT_EQ(lctest::ReadFileText(lpl), files[2]);

  SendMessageW(firstMain, WM_HOTKEY, 2, 0);
  PostMessageW(firstMain, WM_CLOSE, 0, 0);
  EXPECT_EQ(first.Wait(20000), 0u);
  copy.Uninstall();
}

// A settings file whose first line was damaged, remembered settings whose
// start was zeroed and a list of the last run in UTF-16: a copy of each is
// kept aside, byte for byte, and one message tells of the three copies.
// Closed over it, the program puts what it read in their places (the empty
// list deletes its file), and the next start says nothing: no copy goes
// untold, and none is told twice.
TEST(DataFiles, DamagedFilesAreKeptAsideAndTheUserToldOnceInOneMessage) {
  ProgramCopy copy(L"LcTestAll");
  const std::string settings = "\x8F\x13\xC7:\x02Configuration]\r\nFirstRun=0\r\nOsdSize=77\r\n";
  lctest::WriteFileText(copy.SettingsFile(), settings);
  const std::string remembered = std::string(512, '\0') + RememberedSettings(10).substr(512);
  const auto [rs, lpl] = WriteLastRun(copy, remembered);
  const std::string list("\xFF\xFE" "C\0:\0\\\0a\0.\0a\0v\0i\0", 18);  // UTF-16: not read
  lctest::WriteFileText(lpl, list);
  {
    ChildProcess player(copy.Exe(), L"");
    ASSERT_NE(lctest::WaitForWindow(L"TfrmMessage", player.Id(), kStartMs, true), nullptr);
    HWND main = lctest::WaitForWindow(L"TfrmMain", player.Id(), 0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(lctest::QueryFace(main)["MessageBox"],
              "Error reading from \"" + Ansi(copy.SettingsFile()) + "\"!|It is kept as \"LcTestAll.ini.bad\".|" +
                  "Error reading from \"" + Ansi(rs) + "\"!|It is kept as \"LcTestAll.rs.bad\".|" +
                  "Error reading from \"" + Ansi(lpl) + "\"!|It is kept as \"LcTestAll.lpl.bad\".");
    // No first-run question: the damaged file was the user's.
    EXPECT_EQ(lctest::WaitForWindow(L"#32770", player.Id(), 0), nullptr);
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(player.Wait(20000), 0u);
  }
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "FirstRun"), "0");
  const std::string kept = lctest::ReadFileText(rs);
  EXPECT_EQ(kept.find("[movie 0.avi]"), std::string::npos);  // its name line was zeroed
  EXPECT_NE(kept.find("[movie 9.avi]\r\n"), std::string::npos);
  EXPECT_FALSE(lctest::FileExists(lpl));

  bool told = true;
  EXPECT_EQ(StartAndClose(copy, told), 0u);
  EXPECT_FALSE(told);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), settings);
  EXPECT_EQ(lctest::ReadFileText(rs + L".bad"), remembered);
  EXPECT_EQ(lctest::ReadFileText(lpl + L".bad"), list);
  copy.Uninstall();
}

// A settings file damaged again after its first copy was kept: the second
// copy gets a name of its own, the notice names it, and the first copy,
// with the user's original values, stays as it was.
TEST(DataFiles, ASecondDamageKeepsTheFirstCopy) {
  ProgramCopy copy(L"LcTestTwice");
  const std::string damaged[] = {"Configuration]\r\nFirstRun=0\r\nOsdSize=77\r\n",
                                 "\x8F\x13\xC7:\x02Configuration]\r\nFirstRun=0\r\nOsdSize=150\r\n"};
  const wchar_t* copies[] = {L".bad", L".2.bad"};
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    lctest::WriteFileText(copy.SettingsFile(), damaged[run]);
    std::string told;
    EXPECT_EQ(StartReadTheNoticeAndClose(copy, told), 0u);
    EXPECT_EQ(told, "Error reading from \"" + Ansi(copy.SettingsFile()) + "\"!|It is kept as \"LcTestTwice.ini" +
                        Ansi(copies[run]) + "\".");
    EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "FirstRun"), "0");
  }
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), damaged[0]);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".2.bad"), damaged[1]);
  copy.Uninstall();
}

// Makes a folder in the place of each of the copy's data files named by
// `extensions` (in the order the start tells of them), then starts and
// closes the copy twice: each start tells of every folder in its one
// notice as a folder that stays, and no close moves, copies or writes over
// any of them.
void ExpectFoldersToldAsFoldersThatStay(const wchar_t* baseName, const std::vector<std::wstring>& extensions) {
  ProgramCopy copy(baseName);
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  std::vector<std::wstring> folders;
  std::string notice;
  for (const std::wstring& extension : extensions) {
    folders.push_back(copy.DataFolder() + copy.BaseName() + extension);
    ASSERT_TRUE(CreateDirectoryW(folders.back().c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    notice += std::string(notice.empty() ? "" : "|") + "Error reading from \"" + Ansi(folders.back()) +
              "\"!|It is a folder: it stays where it is, and nothing is written in its place.";
  }
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    std::string told;
    EXPECT_EQ(StartReadTheNoticeAndClose(copy, told), 0u);
    EXPECT_EQ(told, notice);
    for (const std::wstring& folder : folders) {
      EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
      EXPECT_FALSE(lctest::FileExists(folder + L".bad"));
    }
  }
  for (const std::wstring& folder : folders) RemoveDirectoryW(folder.c_str());
  copy.Uninstall();
}

// A folder where the remembered settings belong is not read, and never
// moved: the notice says so, the close leaves it, and the next start tells
// of it again.
TEST(DataFiles, AFolderInTheWayIsToldAsAFolderThatStays) {
  ExpectFoldersToldAsFoldersThatStay(L"LcTestFolder", {L".rs"});
}

// So is a folder where the list of the last run belongs, alone or in the
// same notice as the remembered settings' folder.
TEST(DataFiles, AFolderWhereTheLastListBelongsIsToldAsAFolderThatStays) {
  ExpectFoldersToldAsFoldersThatStay(L"LcTestListFolder", {L".lpl"});
  ExpectFoldersToldAsFoldersThatStay(L"LcTestBothFolders", {L".rs", L".lpl"});
}

// A folder where the settings belong is no new user's missing file: each
// start tells of it as of a folder in any data file's place, and asks no
// first-run question; each close says the settings could not be saved in
// it. Nothing moves, copies or writes over it.
TEST(DataFiles, AFolderWhereTheSettingsBelongIsToldAtTheStart) {
  ProgramCopy copy(L"LcTestIniFolder");
  const std::wstring ini = copy.SettingsFile();
  CreateDirectoryW(copy.DataFolder().c_str(), nullptr);
  ASSERT_TRUE(CreateDirectoryW(ini.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  for (int run = 0; run < 2; ++run) {
    SCOPED_TRACE(run);
    ChildProcess player(copy.Exe(), L"");
    EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
              "Error reading from \"" + Ansi(ini) +
                  "\"!|It is a folder: it stays where it is, and nothing is written in its place.");
    HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(lctest::WaitForWindow(L"#32770", player.Id(), 0), nullptr) << "a first-run question";
    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
              "Can't write in \"LcTestIniFolder.ini\"!|"
              "It is left as it was: what changed in this run could not be saved in it.");
    EXPECT_EQ(player.Wait(20000), 1u);
    EXPECT_NE(GetFileAttributesW(ini.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_FALSE(lctest::FileExists(ini + L".bad"));
  }
  RemoveDirectoryW(ini.c_str());
  copy.Uninstall();
}

// Killed while the notice is up, the program has kept its copy but
// written nothing in the file's place: the next start finds the file
// damaged again, tells of the same copy (no second one), and its close
// puts the entries it read in the file's place.
TEST(DataFiles, AKillWhileTheNoticeIsUpLeavesTheFileToBeToldAgain) {
  ProgramCopy copy(L"LcTestKill");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  const std::string remembered = std::string(512, '\0') + RememberedSettings(10).substr(512);
  const auto [rs, lpl] = WriteLastRun(copy, remembered);
  const std::string told = "Error reading from \"" + Ansi(rs) + "\"!|It is kept as \"LcTestKill.rs.bad\".";
  {
    // Ended as the scope closes: TerminateProcess, nothing of its own runs.
    ChildProcess player(copy.Exe(), L"");
    ASSERT_NE(lctest::WaitForWindow(L"TfrmMessage", player.Id(), kStartMs, true), nullptr);
    HWND main = lctest::WaitForWindow(L"TfrmMain", player.Id(), 0);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(lctest::QueryFace(main)["MessageBox"], told);
  }
  EXPECT_EQ(lctest::ReadFileText(rs), remembered);
  EXPECT_EQ(lctest::ReadFileText(rs + L".bad"), remembered);
  std::string toldAgain;
  EXPECT_EQ(StartReadTheNoticeAndClose(copy, toldAgain), 0u);
  EXPECT_EQ(toldAgain, told);
  EXPECT_NE(lctest::ReadFileText(rs).find("[movie 9.avi]\r\n"), std::string::npos);
  EXPECT_EQ(lctest::ReadFileText(rs + L".bad"), remembered);
  EXPECT_FALSE(lctest::FileExists(rs + L".2.bad"));
  copy.Uninstall();
}

// A close during the start-up (over a language file's error, before the
// list of the last run is read; over the report of a damaged file, before
// the windows of the last run are shown) writes the settings file back
// byte for byte as it was read: the list's selection, the windows shown
// and the folder used last among them.
TEST(DataFiles, ACloseDuringTheStartUpWritesTheSettingsAsTheyWereRead) {
  ProgramCopy copy(L"LcTestAsRead");
  const std::wstring exeFolder = copy.ExeFolder().substr(0, copy.ExeFolder().size() - 1);
  lctest::WriteSettingsFile(copy.SettingsFile(),
                            {"FirstRun=0", "LastMovieSelectedInPlaylist=2", "PlayListShow=1", "EqualizerShow=1",
                             "LastAccessedFolder=" + Ansi(exeFolder)});
  const auto [rs, lpl] = WriteLastRun(copy, RememberedSettings(3));
  bool told = true;
  ASSERT_EQ(StartAndClose(copy, told), 0u);
  ASSERT_FALSE(told);
  const std::string written = lctest::ReadFileText(copy.SettingsFile());
  ASSERT_EQ(lctest::SettingsValue(copy.SettingsFile(), "LastMovieSelectedInPlaylist"), "2");
  ASSERT_EQ(lctest::SettingsValue(copy.SettingsFile(), "PlayListShow"), "1");

  CreateDirectoryW((copy.ExeFolder() + L"lang").c_str(), nullptr);
  lctest::WriteFileText(copy.ExeFolder() + L"lang\\Broken.lng", "short\r\n");
  const std::string language = "\r\nLastUsedLanguage=English (built in)\r\n";
  ASSERT_NE(written.find(language), std::string::npos);
  std::string broken = written;
  broken.replace(broken.find(language), language.size(), "\r\nLastUsedLanguage=Broken\r\n");
  // The language is taken back only once its error was answered.
  const struct {
    const char* moment;
    std::string settings, remembered;
  } closes[] = {
      {"over the language file's error", broken, RememberedSettings(3)},
      {"over the report of damaged remembered settings", written,
       std::string(512, '\0') + RememberedSettings(10).substr(512)},
  };
  for (const auto& c : closes) {
    SCOPED_TRACE(c.moment);
    lctest::WriteFileText(copy.SettingsFile(), c.settings);
    lctest::WriteFileText(rs, c.remembered);
    EXPECT_EQ(CloseOverMessageBox(copy, L""), 0u);
    EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()), c.settings);
  }
  copy.Uninstall();
}

// Closed while the start-up's report is up, the program saves what it has
// read: the damaged settings file is kept aside, the remembered settings
// and the list are written back whole.
TEST(DataFiles, ACloseOverTheStartUpsReportSavesWhatWasRead) {
  ProgramCopy copy(L"LcTestReportClose");
  const std::string settings = "Configuration\r\nFirstRun=0\r\n";
  lctest::WriteFileText(copy.SettingsFile(), settings);
  const auto [rs, lpl] = WriteLastRun(copy, RememberedSettings(3));
  EXPECT_EQ(CloseOverMessageBox(copy, L""), 0u);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), settings);
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "FirstRun"), "0");
  EXPECT_NE(lctest::ReadFileText(rs).find("[movie 2.avi]\r\nLastAccessed=01/02/2024 10:11:12\r\nPanScan=2\r\n"),
            std::string::npos);
  EXPECT_EQ(lctest::ReadFileText(lpl), kList);
  copy.Uninstall();
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
  std::string notice;
  EXPECT_EQ(StartReadTheNoticeAndClose(copy, notice), 0u);
  EXPECT_EQ(notice, "Error reading from \"" + Ansi(copy.SettingsFile()) + "\"!|It is kept as \"LcTestUtf16.ini.bad\".");
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), utf16);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile()).substr(0, 17), "[Configuration]\r\n");
  EXPECT_EQ(lctest::SettingsValue(copy.SettingsFile(), "OsdSize"), "100");
  EXPECT_EQ(lctest::ReadFileText(copy.DataFolder() + L"Presets.EQ"), presets);
  EXPECT_EQ(lctest::ReadFileText(copy.DataFolder() + L"LcTestUtf16.lpl"), list);

  // Told once: the next start reads its new file and says nothing.
  bool told = true;
  EXPECT_EQ(StartAndClose(copy, told), 0u);
  EXPECT_FALSE(told);
  EXPECT_EQ(lctest::ReadFileText(copy.SettingsFile() + L".bad"), utf16);
  copy.Uninstall();
}

// Every file that could not be saved is named, in one message; the files
// stay as they were and the program ends with 1.
TEST(DataFiles, SavesThatFailAtCloseAreReportedByNameAndTheFilesStay) {
  ProgramCopy copy(L"LcTestRo");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "OsdSize=77"});
  const auto [rs, lpl] = WriteLastRun(copy, RememberedSettings(3));
  const std::wstring files[] = {copy.SettingsFile(), rs, lpl};
  std::string before[3];
  for (int i = 0; i < 3; ++i) before[i] = lctest::ReadFileText(files[i]);
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  // The user protects the files while the player runs.
  for (const std::wstring& file : files) ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
            "Can't write in \"LcTestRo.rs\"!|Can't write in \"LcTestRo.lpl\"!|Can't write in \"LcTestRo.ini\"!|"
            "They are left as they were: what changed in this run could not be saved in them.");
  EXPECT_EQ(player.Wait(20000), 1u);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lctest::ReadFileText(files[i]), before[i]);
    SetFileAttributesW(files[i].c_str(), FILE_ATTRIBUTE_NORMAL);
  }
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

// 200 remembered movies, each with its own pan & scan, window size,
// position, bookmark, colours and subtitle look, and a name with brackets
// of its own ("Movie [1850].avi"). The name line of one lost its "]" (the
// first, the 51st, the last), or the line break before it (the 2nd, the
// 51st, the last), its name joined to the last field of the movie before;
// or a line break between two fields of one entry was lost (the date and
// pan & scan of the first, brightness and contrast or position and
// bookmark of the 51st, outline and subtitle height of the last); or every
// line break of the 51st (its name line then holds its fields and the next
// name); or the bytes from inside the 51st name to the 52nd name were
// overwritten with zero bytes. The user is told, the file is kept aside
// byte for byte, and the first close writes every entry that could be
// read, each with its own values: no entry takes another's fields, no
// value changes.
TEST(DataFiles, ADamagedLineInTheRememberedSettingsCostsOnlyAnEntryWhoseNameIsLost) {
  const auto name = [](int i) { return "Movie [" + std::to_string(1800 + i) + "].avi"; };
  // The field lines of movie i, as the file holds them and as it is
  // written back.
  const auto fields = [](int i) {
    char position[16], bookmark[16];
    std::snprintf(position, sizeof position, "%02d:%02d:%02d", i / 60, i % 60, (i * 7) % 60);
    std::snprintf(bookmark, sizeof bookmark, "00:%02d:%02d", i % 60, (i * 11) % 60);
    return std::vector<std::string>{"LastAccessed=01/02/2024 10:11:12",
                                    "PanScan=" + std::to_string(i % 50 + 1),
                                    "VideoWindowWidth=" + std::to_string(400 + i),
                                    "VideoWindowHeight=" + std::to_string(900 - i),
                                    std::string("LastVideoPosition=") + position,
                                    std::string("BookMark1=") + bookmark,
                                    "Brightness=" + std::to_string(1000 + i),
                                    "Contrast=" + std::to_string(9000 + i),
                                    "UseOutlineFont=0",
                                    "AverageVerticalDisplayZone=" + std::to_string(i % 50)};
  };
  const struct {
    int damaged;
    // "]", the line break before the name ("["), or before this field;
    // every line break of the entry ("\r\n"); zero bytes from inside its
    // name to the next name ("\0").
    std::string lost;
  } cases[] = {{0, "]"},           {50, "]"},          {199, "]"},
               {1, "["},           {50, "["},          {199, "["},
               {0, "PanScan="},    {50, "Contrast="},  {50, "BookMark1="},
               {199, "AverageVerticalDisplayZone="},   {50, "\r\n"},
               {50, std::string(1, '\0')}};
  for (const auto& c : cases) {
    const std::string& lost = c.lost;
    const bool zeroed = lost == std::string(1, '\0');
    SCOPED_TRACE(std::to_string(c.damaged) + ": lost " +
                 (lost == "\r\n" ? "every line break" : zeroed ? "to zero bytes" : "before " + lost));
    ProgramCopy copy(L"LcTestRsName");
    lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
    std::string remembered;
    for (int i = 0; i < 200; ++i) {
      const bool damaged = i == c.damaged;
      const bool allBreaks = damaged && lost == "\r\n";
      if (damaged && lost == "[") remembered.erase(remembered.size() - 2);
      remembered += "[" + name(i) + (damaged && lost == "]" ? "" : "]");
      for (const std::string& line : fields(i))
        remembered += (allBreaks || (damaged && line.rfind(lost, 0) == 0) ? "" : "\r\n") + line;
      remembered += allBreaks ? "" : "\r\n";
    }
    if (zeroed) {
      const std::size_t from = remembered.find("[" + name(c.damaged)) + 7;
      const std::size_t to = remembered.find("[" + name(c.damaged + 1));
      remembered.replace(from, to - from, to - from, '\0');
    }
    const auto [rs, lpl] = WriteLastRun(copy, remembered);
    {
      ChildProcess player(copy.Exe(), L"");
      EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
                "Error reading from \"" + Ansi(rs) + "\"!|It is kept as \"LcTestRsName.rs.bad\".");
      HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
      ASSERT_NE(main, nullptr);
      PostMessageW(main, WM_CLOSE, 0, 0);
      EXPECT_EQ(player.Wait(20000), 0u);
    }
    EXPECT_EQ(lctest::ReadFileText(rs + L".bad"), remembered);
    const std::string kept = lctest::ReadFileText(rs);
    int entries = 0;
    for (std::size_t at = kept.find("\r\n["); at != std::string::npos; at = kept.find("\r\n[", at + 1)) ++entries;
    // A joined name or field is read as the line it was; a name without
    // its "]" is not, nor one overwritten.
    const int gone = lost == "]" || zeroed ? c.damaged : -1;
    EXPECT_EQ(entries + 1, gone < 0 ? 200 : 199);
    if (gone >= 0) {
      EXPECT_EQ(kept.find("[" + name(gone) + "]"), std::string::npos);
    }
    for (int i = 0; i < 200; ++i) {
      if (i == gone) continue;
      const std::size_t block = kept.find("[" + name(i) + "]\r\n");
      EXPECT_NE(block, std::string::npos) << name(i);
      if (block == std::string::npos) continue;
      const std::string entry = kept.substr(block, kept.find("\r\n[", block) - block) + "\r\n";
      for (const std::string& line : fields(i))
        EXPECT_NE(entry.find("\r\n" + line + "\r\n"), std::string::npos) << name(i) << ": " << line;
    }
    copy.Uninstall();
  }
}

// Writes `bytes` as the copy's presets file and settings that show the
// equalizer at start; the presets file's path.
std::wstring WritePresetsFile(const ProgramCopy& copy, const std::string& bytes) {
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "EqualizerShow=1"});
  const std::wstring file = copy.DataFolder() + L"Presets.EQ";
  lctest::WriteFileText(file, bytes);
  return file;
}

// Clicks the equalizer's load or save button as the user does.
void ClickPresetButton(DWORD pid, bool save) {
  HWND equalizer = lctest::WaitForWindow(L"TfrmEqualizer", pid, kStartMs, true);
  const LPARAM at = save ? MAKELPARAM(12, 109) : MAKELPARAM(12, 78);
  PostMessageW(equalizer, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageW(equalizer, WM_LBUTTONUP, 0, at);
}
HWND PresetDialog(DWORD pid) { return lctest::WaitForWindow(L"TfrmLoadSavePreset", pid, 10000, true); }
// The preset dialog the button opens (nullptr when none came within 10 s).
HWND OpenPresetDialog(DWORD pid, bool save) {
  ClickPresetButton(pid, save);
  return PresetDialog(pid);
}

// Types into the dialog's list (load) or name edit (save) and waits until
// the dialog is gone.
void TypeIntoPresetDialog(HWND dialog, const std::wstring& keys) {
  HWND into = FindWindowExW(dialog, nullptr, L"EDIT", nullptr);
  if (!into || !IsWindowVisible(into)) into = FindWindowExW(dialog, nullptr, L"LISTBOX", nullptr);
  for (wchar_t key : keys) PostMessageW(into, WM_CHAR, key, 0);
  lctest::WaitUntil([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

// A presets file a user edited (a comment, a line the reader skips, values
// out of range): opening the dialog and cancelling leaves it byte for
// byte; saving a preset keeps it aside and tells the user; a save into a
// write-protected file is reported as that save's failure, by the file's
// name.
TEST(DataFiles, ThePresetDialogWritesOnlyWhatTheUserChangedAndKeepsTheRest) {
  ProgramCopy copy(L"LcTestPresets");
  const std::string presets = "; my presets\r\nRock=10,20,0,0,0,0,0,0,0,0,0\r\nbroken line\r\nLoud=150,-300\r\n";
  const std::wstring file = WritePresetsFile(copy, presets);
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  ASSERT_NE(main, nullptr);

  HWND dialog = OpenPresetDialog(player.Id(), false);
  ASSERT_NE(dialog, nullptr);
  TypeIntoPresetDialog(dialog, L"\x1B");  // Escape
  EXPECT_EQ(lctest::WaitForWindow(L"TfrmMessage", player.Id(), 1000, true), nullptr);
  EXPECT_EQ(lctest::ReadFileText(file), presets);

  dialog = OpenPresetDialog(player.Id(), true);
  ASSERT_NE(dialog, nullptr);
  TypeIntoPresetDialog(dialog, L"Mine\r");
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
            "Error reading from \"" + Ansi(file) + "\"!|It is kept as \"Presets.EQ.bad\".");
  EXPECT_EQ(lctest::ReadFileText(file + L".bad"), presets);
  const std::string saved =
      "Rock=10,20,0,0,0,0,0,0,0,0,0\r\nLoud=100,-100,0,0,0,0,0,0,0,0,0\r\nMine=0,0,0,0,0,0,0,0,0,0,0\r\n";
  EXPECT_EQ(lctest::ReadFileText(file), saved);

  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  dialog = OpenPresetDialog(player.Id(), true);
  ASSERT_NE(dialog, nullptr);
  TypeIntoPresetDialog(dialog, L"More\r");
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs), "Can't write in \"" + Ansi(file) + "\"!");
  EXPECT_EQ(lctest::ReadFileText(file), saved);
  SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.Wait(20000), 0u);
  copy.Uninstall();
}

// A folder where the presets belong: the dialog says it stays where it
// is, a save says it could not write in it, and the folder stays a folder
// with no copy beside it.
TEST(DataFiles, AFolderWhereThePresetsBelongIsToldAsAFolderThatStays) {
  ProgramCopy copy(L"LcTestPresetFolder");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "EqualizerShow=1"});
  const std::wstring folder = copy.DataFolder() + L"Presets.EQ";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  ClickPresetButton(player.Id(), true);
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
            "Error reading from \"" + Ansi(folder) +
                "\"!|It is a folder: it stays where it is, and nothing is written in its place.");
  HWND dialog = PresetDialog(player.Id());
  ASSERT_NE(dialog, nullptr);
  TypeIntoPresetDialog(dialog, L"Mine\r");
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs), "Can't write in \"" + Ansi(folder) + "\"!");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.Wait(20000), 0u);
  EXPECT_NE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
  EXPECT_FALSE(lctest::FileExists(folder + L".bad"));
  RemoveDirectoryW(folder.c_str());
  copy.Uninstall();
}

// 2,048 random bytes under the presets file's name are no presets: the
// dialog offers the built-in preset alone, names the file and where it
// will be kept, and leaves it byte for byte when nothing is saved.
TEST(DataFiles, APresetsFileOfRandomBytesIsToldOfAndLeftAsItIs) {
  ProgramCopy copy(L"LcTestPresetNoise");
  std::string noise(2048, '\0');
  unsigned seed = 2048;
  for (char& c : noise) c = static_cast<char>((seed = seed * 1103515245u + 12345u) >> 16);
  const std::wstring file = WritePresetsFile(copy, noise);
  ChildProcess player(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(player.Id(), kStartMs);
  ASSERT_NE(main, nullptr);
  ClickPresetButton(player.Id(), false);
  // The file is named before the dialog shows.
  EXPECT_EQ(ReadAndCloseMessageBox(player.Id(), kStartMs),
            "Error reading from \"" + Ansi(file) + "\"!|When a preset is saved, it is kept as \"Presets.EQ.bad\".");
  HWND dialog = PresetDialog(player.Id());
  ASSERT_NE(dialog, nullptr);
  HWND list = FindWindowExW(dialog, nullptr, L"LISTBOX", nullptr);
  EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
  TypeIntoPresetDialog(dialog, L"\x1B");
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(player.Wait(20000), 0u);
  EXPECT_EQ(lctest::ReadFileText(file), noise);
  EXPECT_FALSE(lctest::FileExists(file + L".bad"));
  copy.Uninstall();
}

}  // namespace
