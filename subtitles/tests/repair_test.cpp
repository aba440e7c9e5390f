// The repair of damaged lines, per format.
#include "subtitles/repair.h"

#include <algorithm>
#include <random>

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

using Ansi = Lines<char>;

TEST(RepairMicroDvd, MendsBracesAndFrames) {
  Ansi lines = {"{100}{200}Text", "100}{200}Text", "Text",     "{100}Text",
                "   {100}{200}Text  \b ", "ab",  "{1{2}x",   "{5}7}y", " {}{5}x"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::MicroDvd));
  EXPECT_EQ((Ansi{"{100}{200}Text", "{100}{200}Text", "{0}{}Text", "{100}{}Text",
                  "{100}{200}Text", "{0}{0}ab", "{1}{2}x", "{5}{7}y", "{}{5}x"}),
            lines);
}

// An end frame missing its "{" before a digit or right before its "}"
// gets only the "{".
TEST(RepairMicroDvd, EndFrameWithoutItsOpeningBrace) {
  Ansi lines = {"{5}}y", "{5}12}z"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::MicroDvd));
  EXPECT_EQ((Ansi{"{5}{}y", "{5}{12}z"}), lines);
}

TEST(RepairMicroDvd, DropsEmptyLinesAndFailsOnUnfinishedFrames) {
  Ansi lines = {"{1}{2}a", "", "    ", "{3}{4}b"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::MicroDvd));
  EXPECT_EQ((Ansi{"{1}{2}a", "{3}{4}b"}), lines);

  for (const char* bad : {"{100}{200", "{1234", "{12}{345"}) {
    Ansi broken = {"{1}{2}a", bad};
    EXPECT_FALSE(RepairSubtitleLines(broken, SubtitleFormat::MicroDvd)) << bad;
  }
}

TEST(RepairSubRip, NumbersSeparatorsAndTimeLines) {
  // The second block lacks its number, the third its blank line, and the
  // time lines are out of shape.
  Ansi lines = {"1", "00:01:02,500-->00:01:04,000", "One", "",
                "00:01:05,000 --> 00:01:06", "Two",
                "3", "00:01:07,000 --> 00:01:08,000", "Three"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::SubRip));
  EXPECT_EQ((Ansi{"1", "00:01:02,500 --> 00:01:04,000", "One", "",
                  "2", "00:01:05,000 --> 00:00:00.000", "Two", "",
                  "3", "00:01:07,000 --> 00:01:08,000", "Three"}),
            lines);
}

TEST(RepairSubRip, TextRightBeforeATimeLineGetsANumberAndABlank) {
  Ansi lines = {"1", "00:00:01,000 --> 00:00:02,000", "One",
                "00:00:03,000 --> 00:00:04,000", "Two",
                "00:00:05,000 --> 00:00:06,000", "Three"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::SubRip));
  EXPECT_EQ((Ansi{"1", "00:00:01,000 --> 00:00:02,000", "One", "",
                  "2", "00:00:03,000 --> 00:00:04,000", "Two", "",
                  "3", "00:00:05,000 --> 00:00:06,000", "Three"}),
            lines);
}

TEST(RepairSubRip, ShortTimeLinesAndTooFewEntries) {
  Ansi lines = {"7", "0:0:1,0 --> 0:0:2,0", "Short"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::SubRip));
  EXPECT_EQ("00:00:00.000 --> 00:00:00.000", lines[1]);  // not a time at either end
  EXPECT_EQ("7", lines[0]);

  // One entry in 12 lines passes; one in 13 does not.
  Ansi twelve = {"1", "00:00:01,000 --> 00:00:02,000"};
  for (int i = 0; i < 10; ++i) twelve.push_back("text");
  Ansi thirteen = twelve;
  thirteen.push_back("text");
  EXPECT_TRUE(RepairSubtitleLines(twelve, SubtitleFormat::SubRip));
  EXPECT_FALSE(RepairSubtitleLines(thirteen, SubtitleFormat::SubRip));
}

// The SubRip repair as a literal procedure: lines inserted in place, and
// the pass started again from the first line after each blank line put in
// before an entry. Quadratic, but plainly the rule.
bool LiteralSubRipRepair(Ansi& l) {
  const auto timeAt = [&](std::size_t i) {
    return i < l.size() && IsSrtTimeLine(std::string_view(l[i]));
  };
  const auto normalise = [](std::string& line) {
    if (line.size() < 12) {
      line = "00:00:00.000 --> 00:00:00.000";
      return;
    }
    if (!IsSrtTimeAt<char>(line, 0)) line.insert(0, "00:00:00.000");
    if (!IsSrtTimeAt<char>(line, line.size() - 12)) line += "00:00:00.000";
    line = line.substr(0, 12) + " --> " + line.substr(line.size() - 12);
  };
  for (auto& line : l) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\b')) line.pop_back();
    line.erase(0, line.find_first_not_of(' ') == std::string::npos ? line.size()
                                                                     : line.find_first_not_of(' '));
  }
  std::size_t n, k;
restart:
  n = 0;
  k = 0;
  for (std::size_t i = 0; i < l.size(); ++i) {
    const bool digits = IsAllDigits(std::string_view(l[i]));
    if (!digits && timeAt(i + 1)) {
      l.insert(l.begin() + static_cast<long>(i) + 1, std::to_string(n + 1));
    } else if (digits && timeAt(i + 1)) {
      ++n;
      if (n >= 2 && !l[i - 1].empty()) {
        l.insert(l.begin() + static_cast<long>(i), std::string());
        goto restart;
      }
      if (n >= 2) normalise(l[k + 1]);
      k = i;
    }
  }
  if (k + 1 < l.size()) normalise(l[k + 1]);
  return static_cast<double>(n) >= static_cast<double>(l.size()) / 12;
}

TEST(RepairSubRip, OnePassGivesWhatRestartingGives) {
  const char* pool[] = {"",     "",   "1", "2", "17", "text", "more text", "  ",
                        "00:00:01,000 --> 00:00:02,000", "00:01:02,500-->00:01:04",
                        "0:0:1 --> 0:0:2", "12:00:00,000", "x --> y"};
  std::mt19937 random(3);
  for (int trial = 0; trial < 20000; ++trial) {
    Ansi lines;
    const int count = 1 + static_cast<int>(random() % 25);
    for (int i = 0; i < count; ++i) lines.push_back(pool[random() % std::size(pool)]);
    Ansi literal = lines;
    Ansi repaired = lines;
    const bool expected = LiteralSubRipRepair(literal);
    ASSERT_EQ(expected, RepairSubtitleLines(repaired, SubtitleFormat::SubRip)) << trial;
    ASSERT_EQ(literal, repaired) << trial;
  }
}

TEST(RepairSubViewer, TimeLinesAreCompleted) {
  Ansi lines = {"00:01:02.50,", "a", "00:01:02.50,00:01:03.00", "b", ",00:01:04.00", "c",
                "00:01:05.00,00:01:06.00 extra", "d", "0:00:00.00,00:00:00.0", "e",
                "x,00:01:04.00"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::SubViewer));
  EXPECT_EQ((Ansi{"00:01:02.50,00:00:00.00", "a", "00:01:02.50,00:01:03.00", "b",
                  "00:00:00.00,00:01:04.00", "c", "00:01:05.00,00:00:00.00", "d",
                  "00:00:00.00,00:00:00.00", "e", "x,00:01:04.00"}),  // last: no time line
            lines);
}

TEST(RepairSubViewer, TwoTimesAreJoinedByACommaWhateverStandsBetween) {
  Ansi lines = {"00:01:07.00 , 00:01:08.00", "a", "00:01:09.00;00:01:10.00", "b",
                "00:01:11.00  ,00:01:12.00", "c"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::SubViewer));
  EXPECT_EQ((Ansi{"00:01:07.00,00:01:08.00", "a", "00:01:09.00,00:01:10.00", "b",
                  "00:01:11.00,00:01:12.00", "c"}),
            lines);
}

TEST(RepairSubViewer, FailsWithTooFewTimeLines) {
  // Two time lines: 2 - 1 = 1 is enough for up to 10 lines, not for 11.
  Ansi ten = {"00:00:01.00,00:00:02.00", "a", "00:00:03.00,00:00:04.00"};
  while (ten.size() < 10) ten.push_back("b");
  Ansi eleven = ten;
  eleven.push_back("b");
  EXPECT_TRUE(RepairSubtitleLines(ten, SubtitleFormat::SubViewer));
  EXPECT_FALSE(RepairSubtitleLines(eleven, SubtitleFormat::SubViewer));
}

TEST(RepairSsa, DialogueLinesAreValidated) {
  const std::string good =
      "Dialogue: Marked=0,0:00:01.00,0:00:03.00,Default,,0000,0000,0000,,Hello there";
  ASSERT_GE(good.size(), 67u);
  Ansi lines = {"[Events]", good, "Comment: anything"};
  EXPECT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::Ssa));
  Ansi none = {"no dialogue at all"};
  EXPECT_TRUE(RepairSubtitleLines(none, SubtitleFormat::Ssa));

  std::string letter = good;
  letter[22] = 'x';  // a minute digit
  std::string shortLine = good.substr(0, 66);
  for (const auto& bad : {letter, shortLine}) {
    Ansi broken = {good, bad};
    EXPECT_FALSE(RepairSubtitleLines(broken, SubtitleFormat::Ssa)) << bad;
  }
}

TEST(RepairTmPlayer, LinesWithoutTimeGetZero) {
  Ansi lines = {"Hello", "00:00:05:Ok", "0:00:05:No", "00:00:05 No"};
  EXPECT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::TmPlayer));
  EXPECT_EQ((Ansi{"00:00:00:Hello", "00:00:05:Ok", "00:00:00:0:00:05:No",
                  "00:00:00:00:00:05 No"}),
            lines);
}

TEST(RepairWide, SameRulesOnUtf16) {
  Lines<char16_t> lines = {u"  \u0416\u0435\u043B\u0430\u044E", u"{5}\u044F"};
  ASSERT_TRUE(RepairSubtitleLines(lines, SubtitleFormat::MicroDvd));
  EXPECT_EQ((Lines<char16_t>{u"{0}{}\u0416\u0435\u043B\u0430\u044E", u"{5}{}\u044F"}), lines);
  Lines<char16_t> unknown = {u"  a \b"};
  EXPECT_TRUE(RepairSubtitleLines(unknown, SubtitleFormat::Unknown));
  EXPECT_EQ(u"a", unknown[0]);
}

}  // namespace
}  // namespace lc::subtitles
