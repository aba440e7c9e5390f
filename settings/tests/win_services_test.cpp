#include <gtest/gtest.h>

#include <filesystem>

#include "framework/unicode.h"
#include "settings/file_io.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"
#include "settings/win/settings_win.h"

namespace lc::settings {
namespace {

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
