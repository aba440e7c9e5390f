#include <gtest/gtest.h>

#include <filesystem>

#include "settings/file_io.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::ReadBytes;
using testing::ScratchFolder;
using testing::WriteBytes;

std::vector<std::string> Read(const std::string& file) {
  std::vector<std::string> values;
  ReadConfigFile(file, ConfigKeyNames(), values);
  return values;
}

TEST(ConfigFile, TableHas96KeysInFileOrder) {
  const auto& keys = ConfigKeyNames();
  ASSERT_EQ(keys.size(), 96u);
  EXPECT_EQ(keys[0], "LastAccessedFolder");
  EXPECT_EQ(keys[49], "PanScanSize");
  EXPECT_EQ(keys[70], "EqualizerSettings");
  EXPECT_EQ(keys[95], "ActivateAlwaysOnTopInFullScreen");
  std::set<std::string> unique(keys.begin(), keys.end());
  EXPECT_EQ(unique.size(), keys.size());
}

TEST(ConfigFile, HeaderMustMatchExactly) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  const char* headers[] = {"[configuration]", "[Configuration] ", " [Configuration]", "",
                           "\xEF\xBB\xBF\xEF\xBB\xBF[Configuration]", "OsdSize=7"};
  for (const char* header : headers) {
    WriteBytes(file, std::string(header) + "\r\nOsdSize=300\r\n");
    std::vector<std::string> values;
    EXPECT_EQ(ReadConfigFile(file, ConfigKeyNames(), values), ReadStatus::Damaged) << "header: \"" << header << "\"";
    EXPECT_TRUE(values.empty()) << "header: \"" << header << "\"";
  }
  // An empty or blank file holds nothing, and nothing that could be lost.
  for (const char* blank : {"", "\r\n", " \t\r\n\n"}) {
    WriteBytes(file, blank);
    std::vector<std::string> values;
    EXPECT_EQ(ReadConfigFile(file, ConfigKeyNames(), values), ReadStatus::Ok);
    EXPECT_TRUE(values.empty());
  }
  WriteBytes(file, "[Configuration]\r\nOsdSize=300\r\n");
  const auto values = Read(file);
  ASSERT_EQ(values.size(), 80u);  // grown to the key's index + 1
  EXPECT_EQ(values[79], "300");
}

TEST(ConfigFile, LinesMatchTheFirstKeyCaseSensitivelyAndLastWins) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  WriteBytes(file,
             "[Configuration]\n"
             "osdsize=1\r\n"            // wrong case: no key
             "OsdSize =2\r\n"           // blank before "=": no key
             "; comment\r\n"
             "[Other]\r\n"
             "OsdSize=3\r"              // lone CR ends a line too
             "OsdSize=4=5\r\n"          // value keeps further "="
             "Mute=\r\n"                // empty value
             "SubtitleFontName= Arial ");  // untrimmed, no final line end
  const auto values = Read(file);
  ASSERT_EQ(values.size(), 80u);
  EXPECT_EQ(values[79], "4=5");
  EXPECT_EQ(values[51], "");
  EXPECT_EQ(values[20], " Arial ");
}

TEST(ConfigFile, HostileFilesReadNothingOrOnlyWhatMatches) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  std::string garbage(70000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 256);
  WriteBytes(file, garbage);
  std::vector<std::string> none;
  EXPECT_NE(ReadConfigFile(file, ConfigKeyNames(), none), ReadStatus::Ok);
  EXPECT_TRUE(none.empty());

  WriteBytes(file, "[Configuration]\r\n" + garbage + "\r\nOsdSize=" + std::string(100000, '9') + "\r\n");
  const auto values = Read(file);
  ASSERT_GE(values.size(), 80u);
  EXPECT_EQ(values[79].size(), 100000u);

  WriteBytes(file, "[Configuration]\r\nOsdSize=1\r\n" + std::string(kMaxConfigFileBytes, 'x'));
  EXPECT_TRUE(Read(file).empty()) << "over-large file is not read";

  std::vector<std::string> kept{"keep"};
  ReadConfigFile(dir.File("missing.ini"), ConfigKeyNames(), kept);
  EXPECT_EQ(kept, std::vector<std::string>{"keep"});
  ReadConfigFile(dir.path().string(), ConfigKeyNames(), kept);  // a folder
  EXPECT_EQ(kept, std::vector<std::string>{"keep"});
}

TEST(ConfigFile, WriterPutsHeaderAndCrLfLines) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  const std::vector<std::string> keys{"A", "B", "C"};
  ASSERT_TRUE(WriteConfigFile(file, keys, {"1", "", "x\r\ny"}));
  EXPECT_EQ(ReadBytes(file), "[Configuration]\r\nA=1\r\nB=\r\nC=xy\r\n");
  // A value beyond the key list is written without a key, not read past it.
  EXPECT_EQ(ConfigText({"A"}, {"1", "2"}), "[Configuration]\r\nA=1\r\n=2\r\n");
}

TEST(ConfigFile, FailedWriteLeavesPreviousFile) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  WriteBytes(file, "[Configuration]\r\nOsdSize=123\r\n");
  std::filesystem::permissions(testing::U8(file), std::filesystem::perms::owner_read |
                                                      std::filesystem::perms::group_read);
  EXPECT_FALSE(WriteConfigFile(file, ConfigKeyNames(), std::vector<std::string>(96, "0")));
  EXPECT_EQ(ReadBytes(file), "[Configuration]\r\nOsdSize=123\r\n");

  // A failing replace step (the temporary file was written) keeps the old
  // file and leaves no temporary file behind.
  std::filesystem::permissions(testing::U8(file), std::filesystem::perms::owner_all);
  SetReplaceFileFunction([](const std::string&, const std::string&) { return false; });
  EXPECT_FALSE(WriteConfigFile(file, ConfigKeyNames(), std::vector<std::string>(96, "0")));
  SetReplaceFileFunction(nullptr);
  EXPECT_EQ(ReadBytes(file), "[Configuration]\r\nOsdSize=123\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);

  EXPECT_FALSE(WriteConfigFile(dir.File("no/such/folder/a.ini"), ConfigKeyNames(), {"x"}));
}

TEST(ConfigFile, NonAsciiPathAndValuesUseTheAnsiCodePage) {
  ScratchFolder dir;
  const std::string file = dir.File("r\xC3\xA9glages.ini");  // "réglages.ini"
  std::vector<std::string> values(96);
  values[61] = "c:\\films\\\xC3\xA9t\xC3\xA9.avi";  // "été"
  ASSERT_TRUE(WriteConfigFile(file, ConfigKeyNames(), values));
  EXPECT_NE(ReadBytes(file).find("RecentFile1=c:\\films\\\xE9t\xE9.avi\r\n"), std::string::npos);
  EXPECT_EQ(Read(file), values);
}

// A value the code page cannot spell ("Фильм_Ωmega.mp4") makes the whole
// file UTF-8 behind its mark; it reads back unchanged, as does a file of
// that form edited by hand.
TEST(ConfigFile, ValuesOutsideTheCodePageMakeAUtf8File) {
  ScratchFolder dir;
  const std::string file = dir.File("a.ini");
  std::vector<std::string> values(96);
  values[0] = "c:\\\xC3\xA9t\xC3\xA9\\";
  values[61] = "c:\\\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD0\xBC_\xCE\xA9mega.mp4";
  ASSERT_TRUE(WriteConfigFile(file, ConfigKeyNames(), values));
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.substr(0, 50), "\xEF\xBB\xBF[Configuration]\r\nLastAccessedFolder=c:\\\xC3\xA9t\xC3\xA9\\\r\n");
  EXPECT_NE(bytes.find("\r\nRecentFile1=c:\\\xD0\xA4\xD0\xB8\xD0\xBB\xD1\x8C\xD0\xBC_\xCE\xA9mega.mp4\r\n"),
            std::string::npos);
  EXPECT_EQ(Read(file), values);

  WriteBytes(file, "\xEF\xBB\xBF[Configuration]\r\nRecentFile2=\xE2\x82\xAC\r\n");
  EXPECT_EQ(Read(file)[62], "\xE2\x82\xAC");
}

TEST(ConfigFile, FontStyleCodes) {
  EXPECT_EQ(FontStyleToCode(kFontBold | kFontItalic), "2");
  EXPECT_EQ(FontStyleToCode(kFontBold | kFontUnderline), "1");
  EXPECT_EQ(FontStyleToCode(kFontItalic | kFontStrikeOut), "3");
  EXPECT_EQ(FontStyleToCode(kFontUnderline), "0");
  EXPECT_EQ(CodeToFontStyle(1), kFontBold);
  EXPECT_EQ(CodeToFontStyle(2), kFontBold | kFontItalic);
  EXPECT_EQ(CodeToFontStyle(3), kFontItalic);
  EXPECT_EQ(CodeToFontStyle(0), 0);
  EXPECT_EQ(CodeToFontStyle(4), 0);
}

}  // namespace
}  // namespace lc::settings
