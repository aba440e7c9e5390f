// Whole loads from bytes and from files: encodings, formats, the failures
// and their messages, the size limits and hostile input.
#include "subtitles/loader.h"

#include "subtitles/subtitle_text.h"

#include <cstring>
#include <random>
#include <tuple>

#include <gtest/gtest.h>

#include "tests/support/scratch.h"

namespace lc::subtitles {
namespace {

using Times = std::vector<std::int32_t>;
using Ansi = std::vector<std::string>;
using Wide = std::vector<std::u16string>;

std::string Utf16Le(std::u16string_view text) {
  std::string out = "\xFF\xFE";
  for (char16_t c : text) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
  return out;
}

// Windows-1250 for the few letters the tests use; the rest as Latin-1.
class Codec1250 final : public settings::AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) const override {
    std::string out;
    for (char c : ansi) {
      switch (static_cast<unsigned char>(c)) {
        case 0xF8: out += "\xC5\x99"; break;  // ř
        case 0xED: out += "\xC3\xAD"; break;  // í
        case 0x9A: out += "\xC5\xA1"; break;  // š
        default: out += c;
      }
    }
    return out;
  }
  std::string FromUtf8(std::string_view utf8) const override { return std::string(utf8); }
};

constexpr std::string_view kSubRipLf =
    "1\n00:00:01,000 --> 00:00:03,000\n\xC3\x89V\xC3\x89NEMENTS caf\xC3\xA9\n\n"
    "2\n00:00:04,000 --> 00:00:06,500\n\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82\n"
    "<i>\xE6\x97\xA5\xE6\x9C\xAC</i>\n\n"
    "3\n00:00:07,000 --> 00:00:08,000\nfin\n";

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

TEST(LoadUtf8WithoutMark, ReadAsUtf8LikeWithTheMark) {
  const auto lf = LoadSubtitleBytes(kSubRipLf);
  ASSERT_TRUE(lf.Ok());
  const Subtitle& s = lf.Loaded;
  EXPECT_TRUE(s.IsWide);
  EXPECT_EQ(SubtitleFormat::SubRip, s.Format);
  EXPECT_EQ((Times{1000, 4000, 7000}), s.Start);
  EXPECT_EQ((Times{3000, 6500, 8000}), s.End);
  EXPECT_EQ((Wide{u"\u00C9V\u00C9NEMENTS caf\u00E9", u"\u041F\u0440\u0438\u0432\u0435\u0442|<i>\u65E5\u672C</i>",
                  u"fin"}),
            s.TextW);
  EXPECT_EQ((Wide{u"\u041F\u0440\u0438\u0432\u0435\u0442", u"\u65E5\u672C"}), s.EntryLinesW[1]);
  EXPECT_TRUE(s.Text.empty());

  const auto crlf = LoadSubtitleBytes(WithCrLf(kSubRipLf));
  ASSERT_TRUE(crlf.Ok());
  EXPECT_EQ(s.TextW, crlf.Loaded.TextW);
  EXPECT_EQ(s.Start, crlf.Loaded.Start);
  const auto marked = LoadSubtitleBytes("\xEF\xBB\xBF" + std::string(kSubRipLf));
  ASSERT_TRUE(marked.Ok());
  EXPECT_EQ(s.TextW, marked.Loaded.TextW);
}

TEST(LoadUtf8WithoutMark, AnsiTextStaysAnsi) {
  const std::string cp1252 = "1\r\n00:00:01,000 --> 00:00:03,000\r\n\xC9V\xC9NEMENTS caf\xE9\r\n"
                             "\r\n2\r\n00:00:04,000 --> 00:00:05,000\r\nb\r\n";
  const auto western = LoadSubtitleBytes(cp1252);
  ASSERT_TRUE(western.Ok());
  EXPECT_FALSE(western.Loaded.IsWide);
  EXPECT_EQ((Ansi{"\xC9V\xC9NEMENTS caf\xE9", "b"}), western.Loaded.Text);
  // The screen lines come through the ANSI code page (Windows-1252 here).
  EXPECT_EQ(u"\u00C9V\u00C9NEMENTS caf\u00E9", western.Loaded.EntryLinesW[0][0]);

  const std::string cp1250 = "1\r\n00:00:01,000 --> 00:00:03,000\r\nP\xF8\xEDli\x9A\r\n"
                             "\r\n2\r\n00:00:04,000 --> 00:00:05,000\r\nb\r\n";
  const Codec1250 codec;
  LoadOptions options;
  options.Codec = &codec;
  const auto central = LoadSubtitleBytes(cp1250, options);
  ASSERT_TRUE(central.Ok());
  EXPECT_FALSE(central.Loaded.IsWide);
  EXPECT_EQ((Ansi{"P\xF8\xEDli\x9A", "b"}), central.Loaded.Text);
  EXPECT_EQ((std::vector<Ansi>{{"P\xF8\xEDli\x9A"}, {"b"}}), central.Loaded.EntryLines);
  EXPECT_EQ(u"P\u0159\u00EDli\u0161", central.Loaded.EntryLinesW[0][0]);

  // One invalid sequence among valid ones keeps the whole file ANSI.
  std::string mixed(kSubRipLf);
  mixed += "\n4\n00:00:09,000 --> 00:00:10,000\nna\xEFve\n";
  const auto stays = LoadSubtitleBytes(mixed);
  ASSERT_TRUE(stays.Ok());
  EXPECT_FALSE(stays.Loaded.IsWide);
  EXPECT_EQ("\xC3\x89V\xC3\x89NEMENTS caf\xC3\xA9", stays.Loaded.Text[0]);
}

TEST(LoadUtf16, MarkEvenSizeAndLfLines) {
  const std::u16string text =
      u"{25}{50}\u0416\u0435\u043B\u0430\u044E|two\n{75}{100}{y:i}b\r\n{125}{150}c\n";
  const auto result = LoadSubtitleBytes(Utf16Le(text));
  ASSERT_TRUE(result.Ok());
  const Subtitle& s = result.Loaded;
  EXPECT_TRUE(s.IsWide);
  EXPECT_EQ(SubtitleFormat::MicroDvd, s.Format);
  EXPECT_EQ((Times{1000, 3000, 5000}), s.Start);
  EXPECT_EQ((Times{2000, 4000, 6000}), s.End);
  EXPECT_EQ(u"{y:i}b", s.TextW[1]);
  EXPECT_EQ((Wide{u"b"}), s.EntryLinesW[1]);
  EXPECT_EQ((Wide{u"\u0416\u0435\u043B\u0430\u044E", u"two"}), s.EntryLinesW[0]);

  // An odd size is read as ANSI: the mark bytes are characters of line one.
  const std::string odd = "\xFF\xFE{1}{2}a\r\n{3}{4}b\r\n{5}{6}c\r\n{7}{8}dd\r\n";
  ASSERT_EQ(1u, odd.size() % 2);
  const auto ansi = LoadSubtitleBytes(odd);
  ASSERT_TRUE(ansi.Ok());
  EXPECT_FALSE(ansi.Loaded.IsWide);
  EXPECT_EQ("\xFF\xFE{1}{2}a", ansi.Loaded.Text[0]);  // "{0}{}" was put in front
}

TEST(LoadFormats, DisplayCopiesAndDurations) {
  const std::string srt =
      "1\r\n00:00:01,000 --> 00:00:02,000\r\n<b>Bold</b> and <font x>plain\r\n\r\n"
      "2\r\n00:00:10,000 --> 00:00:12,000\r\nA text of twenty....\r\n";
  const auto result = LoadSubtitleBytes(srt);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ((std::vector<Ansi>{{"Bold and plain"}, {"A text of twenty...."}}),
            result.Loaded.EntryLines);
  // 14 characters stay 1843 ms; the last, of 20 characters, 2231 ms.
  EXPECT_EQ((Times{1843, 2231}), result.Loaded.Durations);
  LoadOptions longer;
  longer.AverageDisplayTime = 5000;
  // At 5000 ms the first would stay 9388 ms: cut at the next start.
  EXPECT_EQ((Times{9000, 13239}), LoadSubtitleBytes(srt, longer).Loaded.Durations);
}

TEST(LoadFormats, SubRipTagRemovalAfterTheTidyKeepsTheLineItLeaves) {
  // The separators are tidied before the nested tags go: the dropped
  // second "<b>" leaves the "|" before it at the end of the text, and the
  // display copy "a|" is two screen lines, the second one empty.
  const auto result = LoadSubtitleBytes(
      "1\r\n00:00:01,000 --> 00:00:02,000\r\na<b>|<b>\r\n\r\n"
      "2\r\n00:00:05,000 --> 00:00:06,000\r\nb\r\n");
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ((Ansi{"a<b>|", "b"}), result.Loaded.Text);
  EXPECT_EQ((std::vector<Ansi>{{"a", ""}, {"b"}}), result.Loaded.EntryLines);
  EXPECT_EQ(1066, result.Loaded.Durations[0]);  // two characters
}

TEST(LoadFormats, DisplayLengthsComputedAgainForAnotherAverage) {
  // Two screen lines of 2 count 5 characters with the line break.
  auto ansi = LoadSubtitleBytes(
      "1\r\n00:00:01,000 --> 00:00:02,000\r\nab\r\ncd\r\n\r\n"
      "2\r\n00:00:03,000 --> 00:00:04,000\r\nA text of twenty....\r\n");
  ASSERT_TRUE(ansi.Ok());
  Subtitle& s = ansi.Loaded;
  EXPECT_EQ((Times{1260, 2231}), s.Durations);
  RecomputeDisplayDurations(s, 5000);
  EXPECT_EQ((Times{2000, 13239}), s.Durations);  // 3610 ms cut at the next start
  RecomputeDisplayDurations(s, 1000);
  EXPECT_EQ((Times{931, 814}), s.Durations);
  EXPECT_EQ((Times{1000, 3000}), s.Start);
  EXPECT_EQ((Times{2000, 4000}), s.End);

  // A wide file counts its wide lines: 5 + 3 and the break.
  auto wide = LoadSubtitleBytes(
      Utf16Le(u"{25}{50}\u0416\u0435\u043B\u0430\u044E|two\n{1000}{1100}b\n{1200}{1300}c\n"));
  ASSERT_TRUE(wide.Ok());
  ASSERT_TRUE(wide.Loaded.IsWide);
  RecomputeDisplayDurations(wide.Loaded, 5000);
  EXPECT_EQ(6178, wide.Loaded.Durations[0]);
}

TEST(LoadFormats, MicroDvdFrameRate) {
  LoadOptions film;
  film.FrameRate = 23.976;
  const auto result = LoadSubtitleBytes("{24}{48}a\n{1000}{1048}b\n{2000}{}c\n", film);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ((Times{1001, 41708, 83417}), result.Loaded.Start);
  EXPECT_EQ((Times{2002, 43710, 84418}), result.Loaded.End);  // the last: + 1001 ms
}

std::string SsaScript(int dialogues) {
  std::string s = "[Script Info]\r\nScriptType: v4.00\r\n\r\n[Events]\r\n";
  for (int i = 0; i < dialogues; ++i) {
    s += "Dialogue: Marked=0,0:00:0" + std::to_string(i) + ".00,0:00:0" + std::to_string(i) +
         ".50,Default,,0000,0000,0000,,Line " + std::to_string(i) + ", with a long text\r\n";
  }
  return s;
}

TEST(LoadDecisions, ShortSsaLoadsAndTwentyPlainLinesFail) {
  const auto script = LoadSubtitleBytes(SsaScript(2));
  ASSERT_TRUE(script.Ok());
  EXPECT_EQ(SubtitleFormat::Ssa, script.Loaded.Format);
  EXPECT_EQ((Ansi{"Line 0, with a long text", "Line 1, with a long text"}), script.Loaded.Text);
  EXPECT_EQ((Times{0, 1000}), script.Loaded.Start);

  std::string twenty;
  for (int i = 0; i < 20; ++i) twenty += "Just a line of prose\r\n";
  const auto prose = LoadSubtitleBytes(twenty);
  EXPECT_EQ(LoadFailure::UnknownType, prose.Failure);
  EXPECT_EQ(SubtitleFormat::Ssa, prose.DetectedFormat);
  EXPECT_EQ(0u, prose.Loaded.Count());
}

TEST(LoadDecisions, UnusableTimesFailTheLoad) {
  // TMPlayer repair always succeeds, but entries without text leave nothing.
  const auto blank = LoadSubtitleBytes("00:00:01:\n00:00:02:\n00:00:03:\n");
  EXPECT_EQ(LoadFailure::SeriousErrors, blank.Failure);
  EXPECT_EQ(SubtitleFormat::TmPlayer, blank.DetectedFormat);
  // The last entry has no time at all.
  const auto stuck = LoadSubtitleBytes("{0}{25}a\n{50}{75}b\n{}{}c\n");
  EXPECT_EQ(LoadFailure::SeriousErrors, stuck.Failure);
  // The repair fails.
  const auto broken = LoadSubtitleBytes("{1}{2}a\n{3}{4}b\n{5}{6}c\n{100}{200\n");
  EXPECT_EQ(LoadFailure::SeriousErrors, broken.Failure);
}

TEST(LoadDecisions, LongLinesLoadAtTheShortestAverageDisplayTime) {
  // At 1000 ms the rule would end a TMPlayer line of 130 characters 40 ms
  // before it starts; it stays 1 ms instead, and the file loads.
  const std::string longLine(130, 'w');
  const std::string tmp = "00:00:01:short\n00:00:05:" + longLine + "\n00:00:09:" + longLine + "\n";
  LoadOptions shortest;
  shortest.AverageDisplayTime = 1000;
  const auto result = LoadSubtitleBytes(tmp, shortest);
  ASSERT_TRUE(result.Ok());
  EXPECT_EQ((Times{1000, 5000, 9000}), result.Loaded.Start);
  EXPECT_EQ((Times{1931, 5001, 9001}), result.Loaded.End);
  EXPECT_EQ((Times{931, 1, 1}), result.Loaded.Durations);
}

TEST(LoadFailures, TextTypeAndEmptyFiles) {
  EXPECT_EQ(LoadFailure::NotText, LoadSubtitleBytes("").Failure);
  EXPECT_EQ(LoadFailure::NotText, LoadSubtitleBytes("\r\n\r\n\n").Failure);
  EXPECT_EQ(LoadFailure::NotText, LoadSubtitleBytes("\xEF\xBB\xBF").Failure);
  EXPECT_EQ(LoadFailure::NotText, LoadSubtitleBytes("\xFF\xFE").Failure);
  EXPECT_EQ(LoadFailure::NotText, LoadSubtitleBytes("1+1=2\n2+2=4\n").Failure);
  EXPECT_EQ(LoadFailure::UnknownType, LoadSubtitleBytes("Dear diary,\nnothing today.\n").Failure);
  // Trailing empty lines change nothing.
  EXPECT_TRUE(LoadSubtitleBytes("{1}{2}a\n{3}{4}b\n{5}{6}c\n\n\n\n").Ok());
}

TEST(LoadFailures, SizeLimits) {
  std::string ansiOk(1048600, 'a');
  std::string ansiBig(1048704, 'a');
  EXPECT_EQ(LoadFailure::UnknownType, LoadSubtitleBytes(ansiOk).Failure);
  EXPECT_EQ(LoadFailure::TooBig, LoadSubtitleBytes(ansiBig).Failure);
  // 1,048,576 characters of UTF-8 pass the size check, one more does not.
  std::string utf8 = "\xEF\xBB\xBF";
  for (int i = 0; i < 1048576 / 2; ++i) utf8 += "\xD0\x96 ";
  EXPECT_EQ(LoadFailure::UnknownType, LoadSubtitleBytes(utf8).Failure);
  EXPECT_EQ(LoadFailure::TooBig, LoadSubtitleBytes(utf8 + "a").Failure);
  EXPECT_EQ(LoadFailure::TooBig, LoadSubtitleBytes(utf8.substr(3) + "a").Failure);
  const std::u16string wide(1048577, u'a');
  EXPECT_EQ(LoadFailure::TooBig, LoadSubtitleBytes(Utf16Le(wide)).Failure);
  EXPECT_EQ(LoadFailure::UnknownType, LoadSubtitleBytes(Utf16Le(wide.substr(1))).Failure);
}

TEST(LoadHostile, NeverACrashOrAnUnsoundList) {
  std::mt19937 random(7);
  std::vector<std::string> inputs;
  std::string binary(200000, '\0');
  for (auto& c : binary) c = static_cast<char>(random());
  inputs.push_back(binary);
  inputs.push_back(std::string(1000000, 'x'));                      // one huge line
  inputs.push_back(Utf16Le(u"{1}{2}\xD800\xDC00\xDC00 a\n{3}{4}\xD800\n{5}{6}b"));
  inputs.push_back(Utf16Le(u"abc") + "x");                          // odd UTF-16
  inputs.push_back("99:99:99:far away\n99:99:99:and more\n00:00:01:x\n");
  inputs.push_back("1\n99:99:99,999 --> 00:00:00,000\nx\n\n2\n00:00:00,000 --> 99:99:99,999\ny\n");
  inputs.push_back("{9999999999}{99999999999}big\n{1}{2}a\n{3}{4}b\n");
  std::string same;
  for (int i = 0; i < 20000; ++i) same += "{1}{2}the same line\n";
  inputs.push_back(same);
  std::string srtSame;
  for (int i = 0; i < 5000; ++i) srtSame += "1\n00:00:01,000 --> 00:00:02,000\nsame\n\n";
  inputs.push_back(srtSame);
  std::string tags = "1\n00:00:01,000 --> 00:00:02,000\n";
  for (int i = 0; i < 30000; ++i) tags += "<b>";
  inputs.push_back(tags + "\n");
  for (const auto& input : inputs) {
    const auto result = LoadSubtitleBytes(input);
    const Subtitle& s = result.Loaded;
    if (!result.Ok()) {
      EXPECT_EQ(0u, s.Count());
      continue;
    }
    ASSERT_GT(s.Count(), 0u);
    EXPECT_EQ(s.Count(), s.End.size());
    EXPECT_EQ(s.Count(), s.Durations.size());
    EXPECT_EQ(s.Count(), s.EntryLinesW.size());
    for (std::size_t i = 0; i < s.Count(); ++i) {
      EXPECT_GE(s.Start[i], 0);
      EXPECT_LT(s.Start[i], s.End[i]);
      if (i + 1 < s.Count()) {
        EXPECT_LE(s.End[i], s.Start[i + 1]);
      }
    }
  }
}

TEST(LoadHostile, ThousandsOfIdenticalLinesMergeInOnePass) {
  std::string same;
  for (int i = 0; i < 20000; ++i) {
    same.append("{").append(std::to_string(i * 25)).append("}{").append(std::to_string(i * 25 + 25));
    same.append("}the same line\n");
  }
  const auto result = LoadSubtitleBytes(same);
  ASSERT_TRUE(result.Ok());
  ASSERT_EQ(1u, result.Loaded.Count());
  EXPECT_EQ(0, result.Loaded.Start[0]);
  EXPECT_EQ(20000000, result.Loaded.End[0]);
}

// The entries of an 8-bit load as start, end and text.
using Entries = std::vector<std::tuple<std::int32_t, std::int32_t, std::string>>;
Entries EntriesOf(const LoadResult& result) {
  Entries entries;
  const Subtitle& s = result.Loaded;
  for (std::size_t i = 0; i < s.Text.size(); ++i) entries.emplace_back(s.Start[i], s.End[i], s.Text[i]);
  return entries;
}

TEST(LoadOverlaps, CuesThatStartTogetherAreJoinedWhereNothingElseDoes) {
  // Positioned texts: three cues on the same times, twice.
  std::string srt;
  const char* cues[][2] = {{"22,501 --> 00:00:24,500", "Left"},   {"22,501 --> 00:00:24,500", "Middle"},
                           {"22,501 --> 00:00:24,500", "Right"},  {"24,501 --> 00:00:26,500", "Up"},
                           {"24,501 --> 00:00:26,500", "Down"},   {"24,501 --> 00:00:26,500", "Centre"},
                           {"30,000 --> 00:00:31,000", "Alone"}};
  for (int i = 0; i < 7; ++i) {
    srt += std::to_string(i + 1) + "\r\n00:00:" + cues[i][0] + "\r\n" + cues[i][1] + "\r\n\r\n";
  }
  const auto positioned = LoadSubtitleBytes(srt);
  ASSERT_TRUE(positioned.Ok());
  EXPECT_EQ((Entries{{22501, 24500, "Left|Middle|Right"}, {24501, 26500, "Up|Down|Centre"},
                     {30000, 31000, "Alone"}}),
            EntriesOf(positioned));
  EXPECT_EQ((Ansi{"Left", "Middle", "Right"}), positioned.Loaded.EntryLines[0]);
  // A cue that starts earlier joins too; the entry lasts until the latest end.
  const auto earlier = LoadSubtitleBytes("{25}{75}One\n{20}{75}Two\n{25}{125}Three\n{150}{175}Four\n");
  EXPECT_EQ((Entries{{1000, 5000, "One|Two|Three"}, {6000, 7000, "Four"}}), EntriesOf(earlier));
  // A cue written twice among them is shown once.
  const auto twice = LoadSubtitleBytes("{25}{75}One\n{25}{75}Two\n{25}{75}One\n{25}{100}Two\n{150}{175}Three\n");
  EXPECT_EQ((Entries{{1000, 4000, "One|Two"}, {6000, 7000, "Three"}}), EntriesOf(twice));
  // Two identical cues still follow one another.
  const auto pair = LoadSubtitleBytes("{25}{75}One\n{25}{75}Two\n{150}{175}Three\n");
  EXPECT_EQ((Entries{{1000, 3000, "One"}, {3000, 4130, "Two"}, {6000, 7000, "Three"}}), EntriesOf(pair));
}

TEST(LoadOverlaps, SameSecondPairAtTheStartOfATmPlayerFile) {
  const auto pair = LoadSubtitleBytes("00:00:01:One\n00:00:05:Two\n00:00:05:Three\n00:00:09:Four\n");
  EXPECT_EQ((Entries{{1000, 2130, "One"}, {3870, 5000, "Two"}, {5000, 6260, "Three"},
                     {9000, 10195, "Four"}}),
            EntriesOf(pair));
  // A repeated line there is merged as before and keeps its own start.
  const auto repeated = LoadSubtitleBytes("00:00:01:One\n00:00:05:Two\n00:00:05:Two\n00:00:09:Four\n");
  EXPECT_EQ((Entries{{1000, 2130, "One"}, {5000, 6130, "Two"}, {9000, 10195, "Four"}}),
            EntriesOf(repeated));
}

TEST(LoadLineEnds, LoneCrEndsALineOfAnAnsiFile) {
  const Entries three{{1000, 2000, "First"}, {3000, 4000, "Second"}, {5000, 6000, "Third"}};
  EXPECT_EQ(three, EntriesOf(LoadSubtitleBytes("{25}{50}First\r{75}{100}Second\r{125}{150}Third\r")));
  const std::string srt = "1|00:00:01,000 --> 00:00:02,000|First||2|00:00:03,000 --> 00:00:04,000|"
                          "Second||3|00:00:05,000 --> 00:00:06,000|Third|";
  for (const char* lineEnd : {"\r", "\r\r\n"}) {
    std::string file;
    for (char c : srt) file += c == '|' ? std::string(lineEnd) : std::string(1, c);
    EXPECT_EQ(three, EntriesOf(LoadSubtitleBytes(file))) << "line end of " << std::strlen(lineEnd);
  }
}

// A file that ends in its last cue's last line, without a line break
// after it, keeps that line, as a file ending with a line break does.
TEST(LoadLineEnds, TheLastCueKeepsItsLastLineWithoutAFinalLineBreak) {
  const struct {
    const char* format;
    std::string text;
  } cases[] = {
      {"SubRip", "1\r\n00:00:01,000 --> 00:00:02,000\r\nFirst\r\n\r\n2\r\n00:00:03,000 --> 00:00:04,000\r\n"
                 "Second\r\n\r\n3\r\n00:00:05,000 --> 00:00:06,000\r\nLast\r\nline two"},
      {"SubViewer", "00:00:01.00,00:00:02.00\r\nFirst\r\n\r\n00:00:03.00,00:00:04.00\r\nSecond\r\n\r\n"
                    "00:00:05.00,00:00:06.00\r\nLast\r\nline two"},
  };
  const Entries expected{{1000, 2000, "First"}, {3000, 4000, "Second"}, {5000, 6000, "Last|line two"}};
  for (const auto& c : cases) {
    for (const char* end : {"", "\r\n"}) {
      EXPECT_EQ(expected, EntriesOf(LoadSubtitleBytes(c.text + end))) << c.format << (*end ? " with" : " without")
                                                                      << " a final line break";
    }
  }
}

TEST(LoadSubViewer, TimeLineWithSpacesAroundTheComma) {
  const auto result = LoadSubtitleBytes(
      "00:00:01.00,00:00:02.00\r\nFirst\r\n\r\n00:00:03.00 , 00:00:04.00\r\nSecond\r\n\r\n"
      "00:00:05.00,00:00:06.00\r\nThird\r\n\r\n00:00:07.00,00:00:08.00\r\nFourth\r\n");
  EXPECT_EQ(SubtitleFormat::SubViewer, result.DetectedFormat);
  EXPECT_EQ((Entries{{1000, 2000, "First"}, {3000, 4000, "Second"}, {5000, 6000, "Third"},
                     {7000, 8000, "Fourth"}}),
            EntriesOf(result));
}

TEST(LoadMicroDvd, ZeroLengthCueBeforeACueWithoutStart) {
  // "Two" lasts its display length; "Three" starts its own before its end.
  EXPECT_EQ((Entries{{1000, 2000, "One"}, {4000, 5130, "Two"}, {8740, 10000, "Three"}}),
            EntriesOf(LoadSubtitleBytes("{25}{50}One\n{100}{100}Two\n{}{250}Three\n")));
}

class LoadFileTest : public testing::Test {
 protected:
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = scratch_.File(name);
    lctest::WriteBytes(path, bytes);
    return path;
  }
  lctest::ScratchFolder scratch_;
};

TEST_F(LoadFileTest, FilesAndTheSilentCheck) {
  const std::string good = Write("film.srt", std::string(kSubRipLf));
  EXPECT_TRUE(LoadSubtitleFile(good).Ok());
  EXPECT_TRUE(CheckSubtitleFile(good));
  // A MicroDVD line of three characters is mended by the load; the check
  // answers what the load does.
  const std::string shortLine = Write("short.sub", "{1}{2}a\n{3}{4}b\n{5}{6}c\nab\n");
  EXPECT_TRUE(LoadSubtitleFile(shortLine).Ok());
  EXPECT_TRUE(CheckSubtitleFile(shortLine));
  const std::string prose = Write("notes.txt", "Dear diary,\nnothing today.\n");
  EXPECT_FALSE(CheckSubtitleFile(prose));
  EXPECT_EQ(LoadFailure::Missing, LoadSubtitleFile(scratch_.File("none.srt")).Failure);
  EXPECT_FALSE(CheckSubtitleFile(scratch_.File("none.srt")));
  EXPECT_EQ(LoadFailure::CannotOpen, LoadSubtitleFile(scratch_.path().string()).Failure);
  const std::string huge = Write("huge.srt", std::string(kMaxFileBytes + 1, 'a'));
  EXPECT_EQ(LoadFailure::TooBig, LoadSubtitleFile(huge).Failure);
}

TEST_F(LoadFileTest, OneMessageUnlessSilent) {
  settings::TextTable texts;
  settings::SetDefaultTexts(texts);
  const std::string prose = Write("notes.txt", "Dear diary,\nnothing today.\n");
  const auto shown = LoadSubtitleWithMessage(prose, false, {}, texts);
  EXPECT_EQ(LoadFailure::UnknownType, shown.Result.Failure);
  EXPECT_EQ("Unknown subtitle type!", shown.Message);
  EXPECT_EQ("", LoadSubtitleWithMessage(prose, true, {}, texts).Message);
  const std::string folder = scratch_.path().string();
  EXPECT_EQ("Can't open \"" + folder + "\" for reading!",
            LoadSubtitleWithMessage(folder, false, {}, texts).Message);
  const auto missing = LoadSubtitleWithMessage(scratch_.File("gone.srt"), false, {}, texts);
  EXPECT_EQ(LoadFailure::Missing, missing.Result.Failure);
  EXPECT_EQ("", missing.Message);
  const std::string good = Write("ok.sub", "{1}{2}a\n{3}{4}b\n{5}{6}c\n");
  const auto loaded = LoadSubtitleWithMessage(good, false, {}, texts);
  EXPECT_TRUE(loaded.Result.Ok());
  EXPECT_EQ("", loaded.Message);
}

TEST(LoadFailureMessage, TextsOfTheTable) {
  settings::TextTable texts;
  settings::SetDefaultTexts(texts);
  EXPECT_EQ("Can't open \"C:\\a b.srt\" for reading!",
            LoadFailureMessage(LoadFailure::CannotOpen, "C:\\a b.srt", texts));
  EXPECT_EQ("The file \"x.srt\" is too big to be a subtitle!",
            LoadFailureMessage(LoadFailure::TooBig, "x.srt", texts));
  EXPECT_EQ("This is not a text!", LoadFailureMessage(LoadFailure::NotText, "x", texts));
  EXPECT_EQ("Unknown subtitle type!", LoadFailureMessage(LoadFailure::UnknownType, "x", texts));
  EXPECT_EQ(texts.TextMessages[9], LoadFailureMessage(LoadFailure::SeriousErrors, "x", texts));
  EXPECT_TRUE(texts.TextMessages[9].starts_with("This text file appears to be a subtitle."));
  EXPECT_EQ("", LoadFailureMessage(LoadFailure::Missing, "x", texts));
  EXPECT_EQ("", LoadFailureMessage(LoadFailure::None, "x", texts));
}

}  // namespace
}  // namespace lc::subtitles
