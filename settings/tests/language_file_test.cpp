#include <gtest/gtest.h>

#include "settings/language_file.h"
#include "settings/text_apply.h"
#include "settings/tests/language_files.h"
#include "settings/tests/test_support.h"

namespace lc::settings {
namespace {

using testing::ScratchFolder;
using testing::WriteBytes;

// The lines of a language file holding the texts of `table`.
std::vector<std::string> LinesOf(TextTable table) {
  std::vector<std::string> lines;
  for (const TextSection& s : TextSectionOrder(table)) {
    for (const std::string& text : s.entries) lines.push_back(testing::LanguageFileLine(text));
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines, const char* end = "\r\n") {
  std::string text;
  for (const std::string& l : lines) text += l + end;
  return text;
}

TextTable English() {
  TextTable t;
  SetDefaultTexts(t);
  return t;
}

// Line index of an entry in the file order.
constexpr std::size_t kMessagesAt = 15 + 32;
constexpr std::size_t kLabelsAt = kMessagesAt + 69;
constexpr std::size_t kOptionListsAt = kLabelsAt + 44;
constexpr std::size_t kButtonsAt = kOptionListsAt + 12;
constexpr std::size_t kTabsAt = kButtonsAt + 15;
constexpr std::size_t kMenusAt = kTabsAt + 4;

class LanguageFile : public ::testing::Test {
 protected:
  LanguageLoadResult Load(const std::string& content, bool silent = true) {
    WriteBytes(file, content);
    return ReadLanguageFile(file, silent, table);
  }

  ScratchFolder dir;
  std::string file = dir.File("Test.lng");
  TextTable table = English();
};

TEST_F(LanguageFile, EnglishDumpIsAcceptedUnchanged) {
  const auto result = Load("// Translated by: nobody\r\n\r\n" + Join(LinesOf(English())));
  EXPECT_EQ(result.status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(table, English());
}

TEST_F(LanguageFile, TranslatedFileReplacesEveryText) {
  std::vector<std::string> lines = LinesOf(English());
  for (std::string& l : lines) l = "X" + l;
  ASSERT_EQ(Load(Join(lines, "\n")).status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(table.TextCaptions[0], "XAbout");
  EXPECT_EQ(table.TextMessages[20], "XInvalid video file or\r\ncodec not found!");
  EXPECT_EQ(table.TextOptionLists[7], "XHigh\rAbove normal\rNormal\rBelow normal");
  EXPECT_EQ(table.TextFilters[3], "XLumacraft playlist file");
  EXPECT_EQ(table.TextKeyHelp.substr(0, 10), "XAction\t\t\t");
}

// A malformed file, after another language was loaded, leaves the built-in
// English texts (never a mixture of the two); a missing one leaves the
// language that was there.
TEST_F(LanguageFile, AMalformedFileLeavesEnglishAMissingOneTheLanguageBefore) {
  std::vector<std::string> lines = LinesOf(English());
  lines[0] = "\xDC" "ber";  // ANSI "Über"
  ASSERT_EQ(Load(Join(lines)).status, LanguageLoadStatus::Accepted);
  ASSERT_EQ(table.TextCaptions[0], "\xC3\x9C" "ber");
  EXPECT_EQ(ReadLanguageFile(dir.File("None.lng"), true, table).status, LanguageLoadStatus::Missing);
  EXPECT_EQ(table.TextCaptions[0], "\xC3\x9C" "ber");
  const auto result = Load("// nothing\r\n\r\n//\r\n", true);
  EXPECT_EQ(result.status, LanguageLoadStatus::Rejected);
  EXPECT_EQ(result.message, "Error while loading\r\n\"Test.lng\"!");
  EXPECT_EQ(table.TextCaptions[0], "About");
  EXPECT_EQ(table, English());
}

TEST_F(LanguageFile, TrailingLinesMayOnlyBeEmptyOrComments) {
  const std::string texts = Join(LinesOf(English()));
  EXPECT_EQ(Load(texts + "\r\n// end\r\n\r\n").status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(Load(texts + "\r\n// end\r\nextra\r\n").status, LanguageLoadStatus::Rejected);
  EXPECT_EQ(Load(texts + "  // indented comment is a text\r\n").status, LanguageLoadStatus::Rejected);
  std::vector<std::string> shorter = LinesOf(English());
  shorter.pop_back();
  EXPECT_EQ(Load(Join(shorter)).status, LanguageLoadStatus::Rejected);
}

TEST_F(LanguageFile, EscapesDependOnTheArray) {
  std::vector<std::string> lines = LinesOf(English());
  lines[kMessagesAt + 0] = "a\\nb\\tc\\Nd\\Te\\\\n";
  lines[kOptionListsAt + 0] = "x\\ty";  // entry 0 has no item separator
  lines[kOptionListsAt + 3] = "a\\nb\\nc\\nd";
  lines[kMenusAt + 0] = "m\\nn";  // a menu caption is no option list
  ASSERT_EQ(Load(Join(lines)).status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(table.TextMessages[0], "a\r\nb\tc\\Nd\\Te\\\r\n");
  EXPECT_EQ(table.TextOptionLists[0], "x\ty");
  EXPECT_EQ(table.TextOptionLists[3], "a\rb\rc\rd");
  EXPECT_EQ(table.TextMenus[0], "m\r\nn");
}

// Texts added after the file layout was fixed come in keyed comment lines;
// a file without them keeps the English ones, and a bad key is a comment.
TEST_F(LanguageFile, NoticesComeFromKeyedCommentLines) {
  const std::string body = Join(LinesOf(English()));
  ASSERT_EQ(Load("//TextNotices 1=laeuft, nahm aber nicht:\\nDateien\r\n" + body +
                 "//TextNotices 0=Behalten als\r\n//TextNotices 7=Ein anderer Spieler speicherte sie\r\n"
                 "//TextNotices 8=too far\r\n//TextNotices x=no\r\n"
                 "// TextNotices 0=a comment\r\n//TextNotices 0=\r\n//TextNotices 0001=four digits\r\n")
                .status,
            LanguageLoadStatus::Accepted);
  EXPECT_EQ(table.TextNotices[0], "Behalten als");
  EXPECT_EQ(table.TextNotices[1], "laeuft, nahm aber nicht:\r\nDateien");
  EXPECT_EQ(table.TextNotices[7], "Ein anderer Spieler speicherte sie");

  table = English();
  ASSERT_EQ(Load(body).status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(table.TextNotices[0], "It is kept as");
  EXPECT_EQ(table.TextNotices[1], "is running but did not take these files:");

  // A rejected file takes none of its notices.
  EXPECT_EQ(Load("//TextNotices 0=Behalten als\r\nshort\r\n").status, LanguageLoadStatus::Rejected);
  EXPECT_EQ(table.TextNotices[0], "It is kept as");
}

TEST_F(LanguageFile, OptionListItemCountMustMatch) {
  for (const char* items : {"a\\nb\\nc", "a\\nb\\nc\\nd\\ne", "abcd"}) {
    std::vector<std::string> lines = LinesOf(English());
    lines[kOptionListsAt + 3] = items;
    EXPECT_EQ(Load(Join(lines)).status, LanguageLoadStatus::Rejected) << items;
    EXPECT_EQ(table, English());
  }
}

TEST_F(LanguageFile, LongTextsAreCutToTheirArrayLimit) {
  std::vector<std::string> lines = LinesOf(English());
  lines[kMessagesAt + 1] = std::string(600, 'm');
  lines[kLabelsAt + 1] = std::string(600, 'l');
  lines[kButtonsAt + 1] = std::string(200, 'b');
  lines[kTabsAt + 1] = std::string(70, 't');
  lines[0] = std::string(300, '\xE9');  // 300 characters of two UTF-8 bytes each
  lines.back() = std::string(6000, 'k');
  ASSERT_EQ(Load(Join(lines)).status, LanguageLoadStatus::Accepted);
  EXPECT_EQ(table.TextMessages[1], std::string(512, 'm'));
  EXPECT_EQ(table.TextLabels[1], std::string(256, 'l'));
  EXPECT_EQ(table.TextButtons[1], std::string(128, 'b'));
  EXPECT_EQ(table.TextTabs[1], std::string(64, 't'));
  EXPECT_EQ(table.TextCaptions[0].size(), 512u);
  EXPECT_EQ(table.TextKeyHelp.size(), 5120u);
}

TEST_F(LanguageFile, MissingAndUnreadableFilesReportUnlessSilent) {
  const std::string missing = dir.File("None.lng");
  auto result = ReadLanguageFile(missing, true, table);
  EXPECT_EQ(result.status, LanguageLoadStatus::Missing);
  EXPECT_EQ(result.message, "");
  result = ReadLanguageFile(missing, false, table);
  EXPECT_EQ(result.message, "File \"" + missing + "\" doesn't exist!");
  const std::string folder = dir.File("");
  result = ReadLanguageFile(folder, false, table);
  EXPECT_EQ(result.status, LanguageLoadStatus::CannotOpen);
  EXPECT_EQ(result.message, "Can't read from \"" + folder + "\"!");
  EXPECT_EQ(table, English());
}

TEST_F(LanguageFile, BinaryGarbageIsRejected) {
  std::string garbage(5000, '\0');
  for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 131) % 251);
  EXPECT_EQ(Load(garbage).status, LanguageLoadStatus::Rejected);
  EXPECT_EQ(table, English());
}

class RecordingTarget : public TextTarget {
 public:
  void ApplyTexts(const TextTable& t) override { captions.push_back(t.TextCaptions[0]); }
  std::vector<std::string> captions;
};

TEST_F(LanguageFile, LoadLanguageFileAppliesOnlyAcceptedFiles) {
  RecordingTarget target;
  RegisterTextTarget(&target);
  std::vector<std::string> shown;
  auto show = [&](const std::string& m) { shown.push_back(m); };
  std::vector<std::string> lines = LinesOf(English());
  lines[0] = "\xC0 propos";  // ANSI "À propos"
  WriteBytes(file, Join(lines));
  EXPECT_TRUE(LoadLanguageFile(file, true, table, show));
  WriteBytes(file, "// empty\r\n");
  EXPECT_FALSE(LoadLanguageFile(file, true, table, show));
  EXPECT_FALSE(LoadLanguageFile(dir.File("none.lng"), true, table, show));
  UnregisterTextTarget(&target);
  // The windows were given the accepted texts only: after the malformed
  // file they keep showing them while the table is English.
  EXPECT_EQ(target.captions, std::vector<std::string>{"\xC3\x80 propos"});
  EXPECT_EQ(shown, std::vector<std::string>{"Error while loading\r\n\"Test.lng\"!"});
  EXPECT_EQ(table.TextCaptions[0], "About");

  SetDefaultTexts(table, true);
  EXPECT_EQ(target.captions.size(), 1u) << "unregistered targets are not called";
  EXPECT_EQ(table, English());
}

}  // namespace
}  // namespace lc::settings
