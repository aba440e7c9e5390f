// Shrinking, splitting and wrapping an entry's lines against a measurer
// that gives every character the font size's width.
#include "subtitles/line_fitting.h"

#include <gtest/gtest.h>

namespace lc::subtitles {
namespace {

using Lines = std::vector<std::string>;
using WideLines = std::vector<std::u16string>;

int Width(const std::string& line, int size) { return static_cast<int>(line.size()) * size; }
int WideWidth(const std::u16string& line, int size) { return static_cast<int>(line.size()) * size; }

const LineMeasurer<char> kMeasure = Width;
const LineMeasurer<char16_t> kWideMeasure = WideWidth;

TEST(ShrinkToFit, LowersTheSizeUntilTheWidestLineFits) {
  EXPECT_EQ(1, WidestLine(Lines{"ab", "abcd", "wxyz"}, 10, kMeasure));
  EXPECT_EQ(0, WidestLine(Lines{"abc", "abc"}, 10, kMeasure));
  EXPECT_EQ(-1, WidestLine(Lines{}, 10, kMeasure));
  struct Case {
    Lines Text;
    int Size, Limit, Expected;
  };
  const Case cases[] = {
      {{"abcd", "ab"}, 20, 50, 12},   // 4 x 12 = 48
      {{"abcd", "ab"}, 20, 80, 20},   // fits already
      {{"abcd", "ab"}, 20, 0, 1},     // never below 1
      {{"abcdefghij"}, 9, 45, 4},
      {{}, 20, 10, 20},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Expected, ShrinkToFit(c.Text, c.Size, c.Limit, kMeasure)) << c.Limit;
}

TEST(ShrinkToFit, MeasuresTheLineThatWasWidestAtTheStart) {
  // "iii" is the widest at 10 points but not below: only it is measured
  // again, so the size stops where it fits.
  const LineMeasurer<char> odd = [](const std::string& line, int size) {
    if (line == "iii") return size >= 10 ? 100 : 30;
    return 60;
  };
  EXPECT_EQ(9, ShrinkToFit(Lines{"mm", "iii"}, 10, 50, odd));
}

TEST(WrapLines, SplitsOnlyTheLinesThatAreTooLong) {
  struct Case {
    Lines Text;
    int Limit;
    Lines Expected;
  };
  const Case cases[] = {
      {{"one two three four"}, 9, {"one two", "three", "four"}},
      {{"short", "one two three four"}, 9, {"short", "one two", "three", "four"}},
      // A line that fits keeps its own blanks.
      {{"a  b"}, 9, {"a  b"}},
      // A word wider than the limit keeps a line of its own.
      {{"extraordinary word"}, 9, {"extraordinary", "word"}},
      // A blank before "?", "!" or ":" does not break.
      {{"why ? because"}, 4, {"why ?", "because"}},
      {{"no ! yes : maybe"}, 3, {"no !", "yes :", "maybe"}},
      {{"abc :"}, 3, {"abc :"}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.Expected, WrapLines(c.Text, 1, c.Limit, false, false, kMeasure)) << c.Text.back();
}

TEST(WrapLines, WrapAllJoinsTheLinesFirst) {
  EXPECT_EQ((Lines{"one two three", "four"}), WrapLines(Lines{"one", "two three four"}, 1, 13, true, false, kMeasure));
  EXPECT_EQ((Lines{"a b c"}), WrapLines(Lines{" a ", "", "b c"}, 1, 20, true, false, kMeasure));
  // An 8-bit subtitle has no dialogue rule.
  EXPECT_EQ((Lines{"-Hello there. -Hi."}), WrapLines(Lines{"-Hello there.", "-Hi."}, 1, 40, true, false, kMeasure));
}

TEST(WrapLines, DialogueDashesStartNewLinesInWideText) {
  struct Case {
    WideLines Text;
    WideLines Expected;
  };
  const Case cases[] = {
      {{u"-Hello there.", u"-Hi."}, {u"-Hello there.", u"-Hi."}},
      {{u"-Where? -Here! - Now."}, {u"-Where?", u"-Here!", u"- Now."}},
      // Cyrillic capitals count as capitals.
      {{u"-Да. -Нет."}, {u"-Да.", u"-Нет."}},
      // No sentence end before the dash, or no capital after it.
      {{u"well-Known -Fine"}, {u"well-Known -Fine"}},
      {{u"Done. -then more"}, {u"Done. -then more"}},
      {{u"Done. -"}, {u"Done. -"}},
  };
  for (const Case& c : cases) EXPECT_EQ(c.Expected, WrapLines(c.Text, 1, 100, true, true, kWideMeasure));
  // The parts are wrapped at the limit as well.
  EXPECT_EQ((WideLines{u"-One two", u"three.", u"-Four."}),
            WrapLines(WideLines{u"-One two three. -Four."}, 1, 8, true, true, kWideMeasure));
}

TEST(FitEntryLines, ShrinksThenWrapsAtTheNewSize) {
  const Lines text{"abcdefghij", "abc"};
  FittedLines<char> fitted = FitEntryLines(text, 10, 50, {true, false, false, false}, kMeasure);
  EXPECT_EQ(text, fitted.Lines);
  EXPECT_DOUBLE_EQ(0.5, fitted.FontScale);  // 5 of 10 points
  fitted = FitEntryLines(text, 10, 200, {true, false, false, false}, kMeasure);
  EXPECT_DOUBLE_EQ(1.0, fitted.FontScale);
  // Split without shrinking: at 10 points 5 characters fit 50 pixels.
  fitted = FitEntryLines(Lines{"abc defgh ij"}, 10, 50, {false, true, false, false}, kMeasure);
  EXPECT_EQ((Lines{"abc", "defgh", "ij"}), fitted.Lines);
  EXPECT_DOUBLE_EQ(1.0, fitted.FontScale);
  // Nothing switched on: the lines as they are.
  fitted = FitEntryLines(Lines{"abc defgh ij"}, 10, 50, {}, kMeasure);
  EXPECT_EQ((Lines{"abc defgh ij"}), fitted.Lines);
  // Wide, with the dialogue rule.
  const FittedLines<char16_t> wide =
      FitEntryLines(WideLines{u"-Yes. -No."}, 2, 100, {false, false, true, true}, kWideMeasure);
  EXPECT_EQ((WideLines{u"-Yes.", u"-No."}), wide.Lines);
}

}  // namespace
}  // namespace lc::subtitles
