#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <optional>
#include <thread>

#include "framework/unicode.h"
#include "settings/file_io.h"
#include "settings/rms_file.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"
#include "settings/win/settings_win.h"

namespace lc::settings {
namespace {

using testing::LoadedRmsFile;
using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

class WinServices : public ::testing::Test {
 protected:
  void SetUp() override { InstallWindowsSettingsServices(); }
  void TearDown() override {
    SetAnsiCodec(nullptr);
    SetFileSteps({});
  }
};

TEST_F(WinServices, ReplaceOverwritesAnExistingFileButNotAReadOnlyOne) {
  ScratchFolder dir;
  const std::string target = dir.File("t\xC3\xA9st.ini");
  const std::string source = dir.File("source.tmp");
  WriteBytes(target, "old");
  WriteBytes(source, "new");
  ASSERT_TRUE(ReplaceFileWin(source, target));
  EXPECT_EQ(ReadBytes(target), "new");
  EXPECT_FALSE(FileExists(source));

  std::filesystem::permissions(testing::U8(target), std::filesystem::perms::owner_read);
  WriteBytes(source, "newer");
  EXPECT_FALSE(ReplaceFileWin(source, target));
  EXPECT_FALSE(WriteFileReplacing(target, "newest"));
  EXPECT_EQ(ReadBytes(target), "new");
  std::filesystem::permissions(testing::U8(target), std::filesystem::perms::owner_all);
}

// A copy kept aside never replaces an earlier one.
TEST_F(WinServices, RenameNewNeverReplacesAFile) {
  ScratchFolder dir;
  const std::string target = dir.File("t\xC3\xA9st.ini.bad");
  const std::string source = dir.File("source.tmp");
  WriteBytes(source, "first");
  ASSERT_TRUE(RenameNewFileWin(source, target));
  EXPECT_FALSE(FileExists(source));
  WriteBytes(source, "second");
  EXPECT_FALSE(RenameNewFileWin(source, target));
  EXPECT_EQ(ReadBytes(target), "first");
  EXPECT_EQ(ReadBytes(source), "second");
}

// Two players save the remembered settings at the same instant: the one
// that comes second waits until the other has written the file (here a
// save held open by this thread, which writes its entry and lets go), and
// keeps what it wrote. Without the wait it read the file before the other
// player's entry was in it and wrote over it.
TEST_F(WinServices, ASaveOfTheRememberedSettingsWaitsForAnotherPlayersSave) {
  LoadedRmsFile loaded("[old.avi]\r\nPanScan=1\r\n", "Lumacraft.rs");
  auto& [dir, file, mine, state] = loaded;
  TRmsEntry entry;
  entry.Name = "mine.avi";
  entry.PanScan = 2;
  mine.Store(entry);

  std::optional<SaveLock> othersSave(std::in_place, file);
  bool saved = false;
  std::thread saver([&] { saved = RmsSaveToHdd(mine, file, "", state, 10); });
  Sleep(300);  // time for the save to reach its read, where it has to wait
  WriteBytes(file, "[old.avi]\r\nPanScan=1\r\n[theirs.avi]\r\nPanScan=3\r\n");
  othersSave.reset();
  saver.join();
  ASSERT_TRUE(saved);
  RmsTable now;
  ParseRmsLines(now, SplitLines(ReadBytes(file)), TRmsEntry{}, nullptr);
  ASSERT_EQ(now.size(), 3u);
  EXPECT_EQ(now[0].Name, "old.avi");
  EXPECT_EQ(now[1].Name, "theirs.avi");
  EXPECT_EQ(now[1].PanScan, 3);
  EXPECT_EQ(now[2].Name, "mine.avi");
  EXPECT_EQ(now[2].PanScan, 2);
}

TEST_F(WinServices, SettingsFileWithNonAsciiNameRoundTrips) {
  ScratchFolder dir;
  const std::string file = dir.File("\xC3\xA9t\xC3\xA9\\Lumacraft.ini");
  ASSERT_TRUE(CreateFolders(dir.File("\xC3\xA9t\xC3\xA9")));
  std::vector<std::string> values(kConfigKeyCount);
  values[61] = "c:\\caf\xC3\xA9.avi";
  ASSERT_TRUE(WriteConfigFile(file, ConfigKeyNames(), values));
  ASSERT_TRUE(WriteConfigFile(file, ConfigKeyNames(), values));  // replaces the first one
  std::vector<std::string> read;
  ReadConfigFile(file, ConfigKeyNames(), read);
  EXPECT_EQ(read, values);
}

TEST_F(WinServices, AnsiCodePageCodecConvertsBothWays) {
  const std::string ascii = "Plain [text] = 1\r\n";
  EXPECT_EQ(CurrentAnsiCodec().ToUtf8(ascii), ascii);
  EXPECT_EQ(CurrentAnsiCodec().FromUtf8(ascii), ascii);
  EXPECT_EQ(WideToUtf8(Utf8ToWide("caf\xC3\xA9")), "caf\xC3\xA9");
  // Round trip through the code page for a character every Western code
  // page has.
  EXPECT_EQ(CurrentAnsiCodec().ToUtf8(CurrentAnsiCodec().FromUtf8("caf\xC3\xA9")), "caf\xC3\xA9");
}

}  // namespace
}  // namespace lc::settings
