// The plain-text test, the time-line tests and the format detection.
#include <gtest/gtest.h>

#include "subtitles/line_tests.h"
#include "subtitles/subtitle_text.h"

namespace lc::subtitles {
namespace {

Lines<char> L(std::string_view text) { return SplitAnsiLines(text); }
Lines<char16_t> W(std::u16string_view text) { return SplitWideLines(text); }

TEST(IsTextChar, AnsiSet) {
  for (unsigned c : {32u, 42u, 44u, 60u, 62u, 126u, 138u, 140u, 154u, 163u, 165u, 170u, 175u,
                     179u, 185u, 186u, 188u, 190u, 214u, 216u, 222u, 224u, 246u, 248u, 254u}) {
    EXPECT_TRUE(IsTextChar(static_cast<char>(c))) << c;
  }
  for (unsigned c : {0u, 9u, 10u, 31u, 43u, 61u, 127u, 128u, 139u, 155u, 160u, 164u, 187u, 189u,
                     215u, 223u, 247u, 255u}) {
    EXPECT_FALSE(IsTextChar(static_cast<char>(c))) << c;
  }
}

TEST(IsTextChar, WideSet) {
  for (char16_t c : {u' ', u'*', u',', u'<', u'>', u'~', u'\u00C0', u'\u00FF', u'\u0150',
                     u'\u01C4', u'\u0410', u'\u044F', u'\u0531', u'\u10A0', u'\u1F51',
                     u'\u2160', u'\u24E9', u'\uFF21', u'\uFF5A'}) {
    EXPECT_TRUE(IsTextChar(c)) << static_cast<unsigned>(c);
  }
  for (char16_t c : {u'\t', u'+', u'=', u'\u007F', u'\u00A0', u'\u00D7', u'\u00DF', u'\u01C5',
                     u'\u0387', u'\u0400', u'\u0450', u'\u1F52', u'\u3042', u'\u4E00',
                     char16_t{0xD800}, u'\uFF3B', u'\uFFFD'}) {
    EXPECT_FALSE(IsTextChar(c)) << static_cast<unsigned>(c);
  }
}

TEST(IsPlainText, ShareOfOtherCharacters) {
  // 1000 characters in 10 lines: 399 outside the set pass, 400 fail.
  const auto lines = [](std::size_t others) {
    std::string text(others, '+');
    text.append(1000 - others, 'a');
    Lines<char> out;
    for (std::size_t i = 0; i < 10; ++i) out.push_back(text.substr(i * 100, 100));
    return out;
  };
  EXPECT_TRUE(IsPlainText(lines(399)));
  EXPECT_FALSE(IsPlainText(lines(400)));
  EXPECT_FALSE(IsPlainText(L("a=b=c")));
  EXPECT_TRUE(IsPlainText(L("ab=c=d")));
  EXPECT_FALSE(IsPlainText(L("")));
  EXPECT_FALSE(IsPlainText(Lines<char>{"", "", ""}));
  EXPECT_FALSE(IsPlainText(L("\t\t\ta")));
  // The decoded characters count in a wide file: ideographs are others.
  EXPECT_TRUE(IsPlainText(W(u"\u041F\u0440\u0438\u0432\u0435\u0442 \u65E5")));
  EXPECT_FALSE(IsPlainText(W(u"\u65E5\u672C\u8A9E ab")));
}

TEST(IsPlainText, CharactersAndLineBreaksAreLimited) {
  // Line count x 2 + characters may reach 10,485,760 but not pass it.
  EXPECT_TRUE(IsPlainText(Lines<char>{std::string(10485758, 'a')}));
  EXPECT_FALSE(IsPlainText(Lines<char>{std::string(10485759, 'a')}));
  EXPECT_FALSE(IsPlainText(Lines<char>{std::string(10485757, 'a'), "b"}));
}

TEST(TimeLineTests, SubRip) {
  const std::pair<std::string_view, bool> cases[] = {
      {"00:00:01,000 --> 00:00:03,500", true},
      {"00:00:01.000 --> 00:00:03.500", true},
      {"00:01:02,500-->00:01:04,000", true},
      {"00:01:02,500 --> 00:01:04", true},
      {"00:00:01,000 00:00:03,500", true},  // the counts alone score 65
      {"Hello, world --> there", false},
      {"12345678901234567890", false},
      // Near the threshold: 50.03 (the arrow at 2 adds 3.6) and 48.7.
      {"0-->0x1,0,00 --> 00:00:3,500", true},
      {"a0:00:0:,00 - 0,:0:03,500", false},
      // The arrow's place decides: at 1 (51.3), at 26 (50.9), at the very end.
      {"--> 00:01,000 a-> 00:0a:03.,500", true},
      {"00:00a01,00 00:,a:,03,500a-->", true},
      {">0-001,0000:00:03,a00 -->", true},
      // A whole time line with 19 more blanks and a letter: 49.3, the
      // arrow at 14 adding its full 25.
      {"00:00:01,000 --> 00:00:02,000                   x", false},
      {"", false},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(expected, IsSrtTimeLine(line)) << line;
    const std::u16string wide(line.begin(), line.end());
    EXPECT_EQ(expected, IsSrtTimeLine(std::u16string_view(wide))) << line;
  }
}

TEST(TimeLineTests, SubViewer) {
  const std::pair<std::string_view, bool> cases[] = {
      {"00:00:00.00,00:00:00.00", true},
      {"00:01:02.50,", true},   // scores 52
      {"00:01:02.50", false},   // scores 48
      {"00:01:02.50,00:01:04.00 x", true},
      {"The end, at last.", false},
      {"1:2.", false},
      // Perfect counts, half the line other characters: exactly 50.
      {"00:00:00.00,00:00:00.00abcdefghijklmnopqrstuvw", true},
      {"00:00:00.00,00:00:00.00abcdefghijklmnopqrstuvwx", false},
  };
  for (const auto& [line, expected] : cases) {
    EXPECT_EQ(expected, IsSubViewerTimeLine(line)) << line;
  }
}

TEST(DetectSubtitleFormat, MicroDvd) {
  EXPECT_EQ(SubtitleFormat::MicroDvd, DetectSubtitleFormat(L("{1}{2}a\n{}{}b\n{10}{20}c\nd")));
  // Two of four lines are not three quarters.
  EXPECT_NE(SubtitleFormat::MicroDvd, DetectSubtitleFormat(L("{1}{2}a\n{3}{4}b\nc\nd")));
  // The end frame needs its closing brace; letters are no frame.
  EXPECT_NE(SubtitleFormat::MicroDvd, DetectSubtitleFormat(L("{1}{\n{1}{2\n{a}{2}x\n{1}{b}x\n{1}x2}")));
  // So does the start frame.
  EXPECT_NE(SubtitleFormat::MicroDvd, DetectSubtitleFormat(L("{1]{2}a\n{3]{4}b\n{5]{6}c")));
  EXPECT_EQ(SubtitleFormat::MicroDvd,
            DetectSubtitleFormat(W(u"{1}{2}\u0430\n{3}{4}\u0431\n{5}{6}\u0432")));
}

constexpr std::string_view kSubRip =
    "1\n00:00:01,000 --> 00:00:02,000\nOne\n\n"
    "2\n00:00:03,000 --> 00:00:04,000\nTwo\nlines\n\n"
    "3\n00:00:05,000 --> 00:00:06,000\nThree\n";

TEST(DetectSubtitleFormat, SubRipAndSubViewer) {
  EXPECT_EQ(SubtitleFormat::SubRip, DetectSubtitleFormat(L(kSubRip)));
  // Without the blank separators it is no longer SubRip.
  EXPECT_NE(SubtitleFormat::SubRip,
            DetectSubtitleFormat(L("1\n00:00:01,000 --> 00:00:02,000\nOne\n"
                                   "2\n00:00:03,000 --> 00:00:04,000\nTwo\n")));
  EXPECT_EQ(SubtitleFormat::SubViewer,
            DetectSubtitleFormat(L("00:00:01.00,00:00:02.00\nOne\n\n"
                                   "00:00:03.00,00:00:04.00\nTwo\n\n"
                                   "00:00:05.00,00:00:06.00\nThree\n\n")));
  // A quarter of the lines of 23 characters is not more than a quarter.
  EXPECT_EQ(SubtitleFormat::Unknown,
            DetectSubtitleFormat(L("00:00:01.00,00:00:02.00\nOne\n\n"
                                   "00:00:03.00,00:00:04.00\nTwo\n\nx\ny")));
  // Trailing blank lines do not count: two blocks have one blank in five.
  EXPECT_EQ(SubtitleFormat::Unknown,
            DetectSubtitleFormat(L("00:00:01.00,00:00:02.00\nOne\n\n"
                                   "00:00:03.00,00:00:04.00\nTwo\n\n\n\n")));
}

// SubRip needs more than one time line in 6.4 lines: 32 lines with five
// time lines (and six numbers, five blanks) are not SubRip, with six they are.
TEST(DetectSubtitleFormat, SubRipNeedsMoreTimeLinesThanASixPointFourth) {
  std::string text;
  for (int i = 1; i <= 5; ++i) text += std::to_string(i) + "\n00:00:0" + std::to_string(i) + ",000 --> 00:00:0" +
                                       std::to_string(i) + ",500\nSome\nwords\n\n";
  const std::string five = text + "6\nx\nx\nx\nx\nx\nx";
  const std::string six = text + "6\n00:00:06,000 --> 00:00:06,500\nx\nx\nx\nx\nx";
  ASSERT_EQ(L(five).size(), 32u);
  ASSERT_EQ(L(six).size(), 32u);
  EXPECT_EQ(SubtitleFormat::Unknown, DetectSubtitleFormat(L(five)));
  EXPECT_EQ(SubtitleFormat::SubRip, DetectSubtitleFormat(L(six)));
}

TEST(DetectSubtitleFormat, SsaAndTmPlayer) {
  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "Just some words of text\n";
  // Twenty lines that are nothing else are taken for SSA.
  EXPECT_EQ(SubtitleFormat::Ssa, DetectSubtitleFormat(L(twenty)));
  EXPECT_EQ(SubtitleFormat::Unknown, DetectSubtitleFormat(L(twenty + "and one more\n")));
  // Beyond 20 lines three quarters of the rest must be dialogue lines.
  std::string script = twenty;
  for (int i = 0; i < 3; ++i) script += "Dialogue: Marked=0,0:00:01.00,0:00:02.00,D,,0,0,0,,x\n";
  script += "Comment\n";
  EXPECT_EQ(SubtitleFormat::Ssa, DetectSubtitleFormat(L(script)));
  EXPECT_EQ(SubtitleFormat::Unknown, DetectSubtitleFormat(L(script + "Comment\n")));
  // A short script with a dialogue line is SSA; a short text without is not.
  EXPECT_EQ(SubtitleFormat::Ssa,
            DetectSubtitleFormat(L("[Events]\nDialogue: Marked=0,0:00:01.00,0:00:02.00,x")));
  EXPECT_EQ(SubtitleFormat::Unknown, DetectSubtitleFormat(L("[Events]\nnothing here")));
  EXPECT_EQ(SubtitleFormat::TmPlayer,
            DetectSubtitleFormat(L("00:00:01:One\n00:00:05:Two\n00:01:00:Three\nFour")));
  EXPECT_EQ(SubtitleFormat::Unknown,
            DetectSubtitleFormat(L("00:00:01:One\n00:00:05:Two\nThree\nFour")));
}

// TMPlayer lines hold digits at places 1, 2, 4, 5, 7, 8 and colons at 3, 6
// and 9: a file whose lines break any one of them is not TMPlayer. A line
// of just the nine characters counts.
TEST(DetectSubtitleFormat, TmPlayerNeedsEveryDigitAndColonInPlace) {
  EXPECT_EQ(SubtitleFormat::TmPlayer, DetectSubtitleFormat(L("00:00:01:\n00:00:05:\n00:01:00:")));
  for (const char* line : {"x0:00:01:a", "0x:00:01:a", "00x00:01:a", "00:x0:01:a", "00:0x:01:a",
                           "00:00x01:a", "00:00:x1:a", "00:00:0x:a", "00:00:01xa", "00:00:01"}) {
    const std::string text = std::string(line) + "\n" + line + "\n" + line + "\n";
    EXPECT_EQ(SubtitleFormat::Unknown, DetectSubtitleFormat(L(text))) << line;
  }
}

// A dialogue line must begin with the whole prefix, its first letter too.
TEST(DetectSubtitleFormat, SsaDialogueNeedsItsFirstLetter) {
  EXPECT_EQ(SubtitleFormat::Unknown,
            DetectSubtitleFormat(L("[Events]\nXialogue: Marked=0,0:00:01.00,0:00:02.00,x")));
}

}  // namespace
}  // namespace lc::subtitles
