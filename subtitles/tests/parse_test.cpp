// The display-length rule, the time parsers and the list builders.
#include "subtitles/parse.h"

#include <gtest/gtest.h>

#include "subtitles/subtitle_text.h"

namespace lc::subtitles {
namespace {

using Ansi = Lines<char>;

TEST(DisplayLengthRule, ReferenceTable) {
  struct Row {
    int a;
    double p, b;
    std::int64_t l1, l10, l40;
  };
  const Row rows[] = {{1000, -7.772, 969.932, 962, 892, 659},
                      {2163, 61.224, 938.776, 1000, 1551, 3388},
                      {2200, 64.743, 936.105, 1001, 1584, 3526},
                      {5000, 641.923, 400.864, 1043, 6820, 26078}};
  for (const auto& row : rows) {
    const DisplayLengthRule rule(row.a);
    EXPECT_NEAR(row.p, static_cast<double>(rule.PerCharacter()), 0.001) << row.a;
    EXPECT_NEAR(row.b, static_cast<double>(rule.Base()), 0.001) << row.a;
    EXPECT_EQ(row.l1, rule(1)) << row.a;
    EXPECT_EQ(row.l10, rule(10)) << row.a;
    EXPECT_EQ(row.l40, rule(40)) << row.a;
  }
  EXPECT_EQ(2231, DisplayLengthRule(2200)(20));
  EXPECT_EQ(2163, DisplayLengthRule(2163)(20));
  EXPECT_EQ(936, FixedDisplayLength(0));
  EXPECT_EQ(1260, FixedDisplayLength(5));
  EXPECT_EQ(1001, FixedDisplayLength(1));
}

TEST(DisplayLengthRule, ALongTextNeverGetsNoTimeAtAll) {
  // At 1000 ms every character takes 7.772 ms off 969.932 ms: 124
  // characters still get 6 ms, 125 would get -2.
  const DisplayLengthRule shortest(1000);
  EXPECT_EQ(37, shortest(120));
  EXPECT_EQ(6, shortest(124));
  EXPECT_EQ(1, shortest(125));
  EXPECT_EQ(1, shortest(400));
  EXPECT_EQ(1, shortest(1000000));
  // An empty text keeps the rule's base.
  EXPECT_EQ(936, DisplayLengthRule(2200)(0));
}

TEST(FrameToMs, RoundsHalvesToEven) {
  EXPECT_EQ(10000, FrameToMs(250, 25.0));
  EXPECT_EQ(40, FrameToMs(1, 25.0));
  EXPECT_EQ(41708, FrameToMs(1000, 23.976));
  EXPECT_EQ(0, FrameToMs(0, 23.976));
  EXPECT_EQ(2, FrameToMs(1, 400.0));   // 2.5 goes to 2
  EXPECT_EQ(8, FrameToMs(3, 400.0));   // 7.5 goes to 8
  EXPECT_EQ(399999960, FrameToMs(9999999, 25.0));
}

TEST(TimeParsers, FixedPositions) {
  const auto srt = ParseSrtTimes(std::string_view("01:02:03,456 --> 10:20:30.789"));
  ASSERT_TRUE(srt.has_value());
  EXPECT_EQ(3723456, srt->Start);
  EXPECT_EQ(37230789, srt->End);
  const auto sv = ParseSubViewerTimes(std::string_view("01:02:03.45,99:59:59.99"));
  ASSERT_TRUE(sv.has_value());
  EXPECT_EQ(3723450, sv->Start);
  EXPECT_EQ(359999990, sv->End);
  EXPECT_FALSE(ParseSrtTimes(std::string_view("01:02:03,456 --> 10:20:30.78x")).has_value());
  EXPECT_FALSE(ParseSrtTimes(std::string_view("01:02:03,456 --> 10:20")).has_value());
  EXPECT_FALSE(ParseSubViewerTimes(std::string_view("01:0x:03.45,00:00:00.00")).has_value());
  // A line is read only within itself, even where the text goes on after it.
  EXPECT_FALSE(ParseSrtTimes(std::string_view("01:02:03,456 --> 10:20:30.789").substr(0, 27)).has_value());
}

TEST(BuildMicroDvd, FramesAndTexts) {
  const Ansi lines = {"{}{250}text", "{25}{50}a|b {y:i}", "{123456789}{}x"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::MicroDvd, {25.0, 2200});
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(3u, list->Count());
  EXPECT_EQ((std::vector<std::int32_t>{-1, 1000, 49382680}), list->Start);  // 7 digits read
  EXPECT_EQ((std::vector<std::int32_t>{10000, 2000, -1}), list->End);
  EXPECT_EQ((Ansi{"text", "a|b {y:i}", "x"}), list->Text);
  const auto slow = BuildSubtitleList(Ansi{"{24}{48}t"}, SubtitleFormat::MicroDvd, {23.976, 2200});
  EXPECT_EQ(1001, slow->Start[0]);
  EXPECT_EQ(2002, slow->End[0]);
  // A frame that is no number, at either end, makes it no MicroDVD file.
  for (const char* line : {"{2x}{48}t", "{24}{4y}t"})
    EXPECT_FALSE(BuildSubtitleList(Ansi{line}, SubtitleFormat::MicroDvd, {25.0, 2200}).has_value()) << line;
}

TEST(BuildSubRip, BlocksBecomeEntries) {
  const Ansi lines = {"1", "00:00:01,000 --> 00:00:02,500", "One", "line two", "",
                      "2", "00:00:03,000 --> 00:00:04,000", "", "",
                      "3", "00:00:05,000 --> 00:00:06,000", "Last", "", "after the blank"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::SubRip, {});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ((std::vector<std::int32_t>{1000, 3000, 5000}), list->Start);
  EXPECT_EQ((std::vector<std::int32_t>{2500, 4000, 6000}), list->End);
  EXPECT_EQ((Ansi{"One|line two", "", "Last"}), list->Text);
  // A text that is a number starts no entry, nor does a line before a
  // time line that is no number.
  const Ansi numbers = {"1", "00:00:01,000 --> 00:00:02,000", "1984", "", "x", "00:00:03,000 --> 00:00:04,000", "y"};
  const auto withNumbers = BuildSubtitleList(numbers, SubtitleFormat::SubRip, {});
  ASSERT_TRUE(withNumbers.has_value());
  EXPECT_EQ((Ansi{"1984"}), withNumbers->Text);
  // No counter line followed by a time line: an empty list.
  EXPECT_EQ(0u, BuildSubtitleList(Ansi{"text", "more"}, SubtitleFormat::SubRip, {})->Count());
}

TEST(BuildSubViewer, TimeLinesOpenEntries) {
  const Ansi lines = {"[INFORMATION]", "00:00:01.00,00:00:02.50", "One[br]two", "",
                      "00:00:03.00,00:00:04.00", "00:00:05.00,00:00:06.00", "Six[BR]x", "y",
                      "not a time!,00:00:07.00"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::SubViewer, {});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ((std::vector<std::int32_t>{1000, 3000, 5000}), list->Start);
  EXPECT_EQ((std::vector<std::int32_t>{2500, 4000, 6000}), list->End);
  EXPECT_EQ((Ansi{"One|two|", "", "Six[BR]x|y|not a time!,00:00:07.00"}), list->Text);
}

TEST(BuildSsa, DialogueLines) {
  const Ansi lines = {
      "[Events]",
      "Dialogue: Marked=0,1:02:03.45,1:02:05.67,Default,NTP,0000,0000,0000,!Effect,Hi\\Nthere\\n",
      "Comment: Marked=0,0:00:00.00,0:00:00.00,Default,,0000,0000,0000,,not this",
      "Dialogue: Marked=0,0:00:00.00,0:00:00.00,Default,,0000,0000,0000,,at zero",
      // Wide margins push the text before the 68th column; it is kept whole.
      "Dialogue: Marked=0,0:00:07.00,0:00:08.00,D,,0,0,0,,Short margins, with a comma"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::Ssa, {});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ((std::vector<std::int32_t>{3723450, 0, 7000}), list->Start);
  EXPECT_EQ((std::vector<std::int32_t>{3725670, 0, 8000}), list->End);
  EXPECT_EQ((Ansi{"Hi|there\\n", "at zero", "Short margins, with a comma"}), list->Text);
}

TEST(BuildTmPlayer, EndsFromTheRuleAndTheNextStart) {
  const Ansi lines = {"00:00:01:A text of twenty chars", "00:00:02:Soon after",
                      "01:00:00:Twenty characters!!!"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::TmPlayer, {25.0, 2200});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ((std::vector<std::int32_t>{1000, 2000, 3600000}), list->Start);
  // 10 characters at 2200: 1584 ms; the first ends at the second's start.
  EXPECT_EQ((std::vector<std::int32_t>{2000, 3584, 3602231}), list->End);
  EXPECT_EQ("Soon after", list->Text[1]);
}

TEST(BuildWide, SameRulesOnUtf16) {
  const Lines<char16_t> lines = {u"Dialogue: Marked=0,0:00:01.00,0:00:02.00,D,,0,0,0,,\u041F\\N\u0440"};
  const auto list = BuildSubtitleList(lines, SubtitleFormat::Ssa, {});
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(u"\u041F|\u0440", list->Text[0]);
}

}  // namespace
}  // namespace lc::subtitles
