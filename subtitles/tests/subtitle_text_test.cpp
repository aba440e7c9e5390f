// Reading bytes into raw lines: encoding choice, decoding, size limits and
// the split into lines.
#include "subtitles/subtitle_text.h"

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

using Wide = std::vector<std::u16string>;
using Ansi = std::vector<std::string>;

TEST(ChooseEncoding, MarksAndTheUtf8Rule) {
  struct Case {
    std::string bytes;
    SubtitleEncoding expected;
  };
  const Case cases[] = {
      {std::string("\xFF\xFE" "a\0", 4), SubtitleEncoding::Utf16Le},
      {std::string("\xFF\xFE" "a", 3), SubtitleEncoding::Ansi},  // odd size
      {"\xFF\xFE", SubtitleEncoding::Utf16Le},                   // a mark and nothing else
      {"\xEF\xBB\xBF" "abc", SubtitleEncoding::Utf8Bom},
      {"\xEF\xBB\xBF", SubtitleEncoding::Utf8Bom},
      {"plain ascii only", SubtitleEncoding::Ansi},               // no multi-byte sequence
      {"", SubtitleEncoding::Ansi},
      {"caf\xC3\xA9", SubtitleEncoding::Utf8},                    // é
      {"\xD0\x9F\xD1\x80\xD0\xB8", SubtitleEncoding::Utf8},       // Cyrillic
      {"\xE6\x97\xA5\xE6\x9C\xAC", SubtitleEncoding::Utf8},       // CJK
      {"\xF0\x9F\x98\x80", SubtitleEncoding::Utf8},               // above U+FFFF
      {"caf\xE9", SubtitleEncoding::Ansi},                        // Windows-1252 é
      {"\xC3\xA9 and \xE9", SubtitleEncoding::Ansi},              // one invalid byte
      {"\xC0\xAF", SubtitleEncoding::Ansi},                       // overlong "/"
      {"\xE0\x80\xAF", SubtitleEncoding::Ansi},                   // overlong, three bytes
      {"\xED\xA0\x80", SubtitleEncoding::Ansi},                   // a surrogate
      {"\xED\xBF\xBF", SubtitleEncoding::Ansi},                   // the last surrogate
      {"\xED\x9F\xBF", SubtitleEncoding::Utf8},                   // U+D7FF
      {"\xDF\xBF", SubtitleEncoding::Utf8},                       // U+07FF
      {"\xC2\x80", SubtitleEncoding::Utf8},                       // U+0080, the first of two bytes
      {"\xC1\xBF", SubtitleEncoding::Ansi},                       // overlong U+007F
      {"\xE0\xA0\x80", SubtitleEncoding::Utf8},                   // U+0800, the first of three
      {"\xEF\xBF\xBD", SubtitleEncoding::Utf8},                   // U+FFFD, a lead byte of EF
      {"\xF0\x90\x80\x80", SubtitleEncoding::Utf8},               // U+10000, the first of four
      {"\xF5\x80\x80\x80", SubtitleEncoding::Ansi},               // no lead byte beyond F4
      {"\xF4\x8F\xBF\xBF", SubtitleEncoding::Utf8},               // U+10FFFF
      {"\xF4\x90\x80\x80", SubtitleEncoding::Ansi},               // above U+10FFFF
      {"\xC3", SubtitleEncoding::Ansi},                           // cut short
      {"\xE2\x82", SubtitleEncoding::Ansi},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, ChooseEncoding(c.bytes)) << testing::PrintToString(c.bytes);
  }
}

TEST(DecodeText, Utf8AndUtf16) {
  EXPECT_EQ(u"caf\u00E9 \u041F \u65E5", DecodeUtf8("caf\xC3\xA9 \xD0\x9F \xE6\x97\xA5"));
  EXPECT_EQ(u"\xD83D\xDE00", DecodeUtf8("\xF0\x9F\x98\x80"));
  // Every byte of an invalid sequence is one replacement character.
  EXPECT_EQ(u"a\xFFFD\xFFFD\xFFFD" "b", DecodeUtf8("a\xED\xA0\x80" "b"));
  EXPECT_EQ(u"\xFFFD", DecodeUtf8("\xC3"));
  EXPECT_EQ(u"A\u0150", DecodeUtf16Le(std::string("A\0\x50\x01", 4)));
  // An unpaired surrogate stays a code unit of its own; a last odd byte goes.
  EXPECT_EQ(u"\xD800", DecodeUtf16Le(std::string("\x00\xD8\x41", 3)));
}

TEST(SizeLimits, CheckedBeforeDecoding) {
  // 8-bit files are measured in whole 128-byte blocks.
  EXPECT_FALSE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Ansi, 1048600));
  EXPECT_FALSE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Ansi, 1048703));
  EXPECT_TRUE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Ansi, 1048704));
  // UTF-16: the mark and two bytes per character.
  EXPECT_FALSE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf16Le, 2 + 2 * 1048576));
  EXPECT_TRUE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf16Le, 2 + 2 * 1048577));
  // UTF-8: at most three bytes per character can still fit.
  EXPECT_FALSE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf8Bom, 3 + 3 * 1048576));
  EXPECT_TRUE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf8Bom, 4 + 3 * 1048576));
  EXPECT_FALSE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf8, 3 * 1048576));
  EXPECT_TRUE(ExceedsSizeBeforeDecoding(SubtitleEncoding::Utf8, 1 + 3 * 1048576));
  EXPECT_EQ(3145731u, kMaxFileBytes);
}

TEST(SplitAnsiLines, LineEndsAndTheEndCharacter) {
  EXPECT_EQ((Ansi{"one", "two", "three"}), SplitAnsiLines("one\r\ntwo\nthree"));
  // A lone CR ends a line (old Mac files); CRs right before an LF end one
  // line with it.
  EXPECT_EQ((Ansi{"one", "two", "", "three"}), SplitAnsiLines("one\rtwo\r\rthree\r"));
  EXPECT_EQ((Ansi{"one", "two", "three"}), SplitAnsiLines("one\r\r\ntwo\r\r\r\nthree"));
  // Character 26 ends the text.
  EXPECT_EQ((Ansi{"one"}), SplitAnsiLines("one\n\x1Atwo\n"));
  // Empty lines at the end never count; those inside do.
  EXPECT_EQ((Ansi{"a", "", "b"}), SplitAnsiLines("a\n\nb\n\n\r\n\n"));
  EXPECT_EQ(Ansi{}, SplitAnsiLines("\n\n\n"));
  EXPECT_EQ(Ansi{}, SplitAnsiLines(""));
}

TEST(SplitWideLines, CrLfLfAndLoneCrAllEndALine) {
  EXPECT_EQ((Wide{u"a", u"b", u"c", u"d"}), SplitWideLines(u"a\r\nb\nc\rd"));
  EXPECT_EQ((Wide{u"a", u"", u"b"}), SplitWideLines(u"a\n\nb\r\n\r\n\n"));
  EXPECT_EQ((Wide{u"a", u"", u"b"}), SplitWideLines(u"a\r\r\nb"));
  EXPECT_EQ(Wide{}, SplitWideLines(u""));
  EXPECT_EQ(Wide{}, SplitWideLines(u"\r\n\n\r"));
}

}  // namespace
}  // namespace lc::subtitles
