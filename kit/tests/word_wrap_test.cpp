#include <gtest/gtest.h>

#include "kit/word_wrap.h"

namespace {

// Every character 10 px wide.
int Measure(const std::wstring& S) { return 10 * static_cast<int>(S.size()); }

std::vector<std::wstring> Wrap(const std::wstring& Text, int Width) {
  auto Measured = [](const std::wstring& S) { return Measure(UnescapeWrapped(S)); };
  std::vector<std::wstring> Lines = WrapLines(EscapeForWrap(Text), Width, Measured);
  for (std::wstring& L : Lines) L = UnescapeWrapped(L);
  return Lines;
}

using Lines = std::vector<std::wstring>;

}  // namespace

TEST(WordWrap, EscapesRoundTripAndKeepTheMarksOffTheBlanks) {
  std::wstring Text = L"C:\\My-Films\\a.avi is gone ! Really ?";
  std::wstring Escaped = EscapeForWrap(Text);
  EXPECT_EQ(std::wstring::npos, Escaped.find(L" !"));
  EXPECT_EQ(std::wstring::npos, Escaped.find(L'\\'));
  EXPECT_EQ(std::wstring::npos, Escaped.find(L'-'));
  EXPECT_EQ(Text, UnescapeWrapped(Escaped));
}

TEST(WordWrap, ControlCharactersOneToFourAreDroppedNotTurnedIntoMarks) {
  std::wstring Text = L"a\x01" L"b\x02" L"c\x03\x03" L"d\x04\x04";
  EXPECT_EQ(L"abcd", UnescapeWrapped(EscapeForWrap(Text)));
}

TEST(WordWrap, BreaksAtBlanksOnly) {
  EXPECT_EQ((Lines{L"one two", L"three"}), Wrap(L"one two three", 80));
  // A path is one word: never split at "\" or "-" while it fits a line.
  EXPECT_EQ((Lines{L"file", L"C:\\a-b\\c"}), Wrap(L"file C:\\a-b\\c", 80));
}

TEST(WordWrap, MarkStaysWithTheWordBeforeIt) {
  // "word !" is 60 px; at 50 px the line cannot break before the mark.
  EXPECT_EQ((Lines{L"go", L"word !"}), Wrap(L"go word !", 60));
  EXPECT_EQ((Lines{L"go", L"now ?"}), Wrap(L"go now ?", 50));
}

TEST(WordWrap, ParagraphsAndEmptyLines) {
  EXPECT_EQ((Lines{L"a", L"", L"b", L"c"}), Wrap(L"a\r\n\r\nb\nc", 100));
  EXPECT_EQ((Lines{L""}), Wrap(L"", 100));
  // A lone CR ends a paragraph as CR LF does; two line ends in a row that
  // are not CR LF leave an empty line between.
  const struct {
    const wchar_t* Text;
    Lines Expected;
  } Cases[] = {{L"a\rb", {L"a", L"b"}},           {L"a\n\nb", {L"a", L"", L"b"}},
               {L"a\r\rb", {L"a", L"", L"b"}},     {L"a\n\rb", {L"a", L"", L"b"}},
               {L"a\r\n\nb", {L"a", L"", L"b"}}, {L"a\r", {L"a", L""}},
               {L"a\r\n", {L"a", L""}}};
  for (const auto& C : Cases) EXPECT_EQ(C.Expected, Wrap(C.Text, 100)) << "case " << &C - Cases;
}

TEST(WordWrap, OverlongWordIsCutBetweenCharacters) {
  EXPECT_EQ((Lines{L"ab", L"abcd", L"efgh", L"ij"}), Wrap(L"ab abcdefghij", 40));
}

// A path wider than the line breaks after the last separator that fits,
// so each name reads whole; a name wider than the line alone is still cut.
TEST(WordWrap, AnOverlongPathBreaksBetweenItsNames) {
  EXPECT_EQ((Lines{L"C:\\Users\\", L"me\\", L"Roaming/", L"LcTest.ini"}),
            Wrap(L"C:\\Users\\me\\Roaming/LcTest.ini", 100));
  EXPECT_EQ((Lines{L"in", L"C:\\", L"abcdefghij", L"klmnop\\a"}), Wrap(L"in C:\\abcdefghijklmnop\\a", 100));
  // A separator only at the start is no place to break; one after the
  // first character is.
  EXPECT_EQ((Lines{L"\\abcdefgh", L"ij"}), Wrap(L"\\abcdefghij", 90));
  EXPECT_EQ((Lines{L"a\\", L"bcdefghij"}), Wrap(L"a\\bcdefghij", 90));
}

// The widest piece a wrap keeps whole where it has room: a path's name with
// the separator after it, a word without one, a separator at a word's start
// kept with its name; and at that width the wrap keeps each name whole.
TEST(WordWrap, TheWidestNameIsAPathsWidestNameOrAWord) {
  auto Widest = [](const std::wstring& Text) {
    return WidestName(EscapeForWrap(Text), [](const std::wstring& S) { return Measure(UnescapeWrapped(S)); });
  };
  EXPECT_EQ(60, Widest(L"a Users\\me/ab"));  // "Users\\"
  EXPECT_EQ(170, Widest(L"in C:\\abcdefghijklmnop\\a"));
  EXPECT_EQ(110, Widest(L"abc\\defghij.mp4 x\\"));  // a word's last name
  EXPECT_EQ(70, Widest(L"\\abcde\\\\ab"));  // "\\abcde\\"
  EXPECT_EQ(90, Widest(L"a\\bcdefghij"));  // a separator after the first character breaks
  EXPECT_EQ(0, Widest(L""));
  EXPECT_EQ((Lines{L"D:\\Films\\", L"defghij.mp4"}), Wrap(L"D:\\Films\\defghij.mp4", 110));
}

// A name in double quotes is one word with its blanks: where it fits a
// line it is never broken; where it does not, it breaks after a separator,
// a piece wider than the line at its last blank that fits, and only a
// piece without one between characters. A quote without a closing one on
// its line quotes nothing.
TEST(WordWrap, AQuotedNameBreaksOnlyWhereItMust) {
  const struct {
    const wchar_t* Text;
    int Width;
    Lines Expected;
  } Cases[] = {
      {L"not taken: \"C:\\Deep\\Second part.avi\"", 300, {L"not taken:", L"\"C:\\Deep\\Second part.avi\""}},
      {L"\"a b\" and \"c d\"", 60, {L"\"a b\"", L"and", L"\"c d\""}},
      {L"\"C:\\Deep folder\\Second part of it.avi\"!", 200,
       {L"\"C:\\Deep folder\\", L"Second part of", L"it.avi\"!"}},
      {L"\"abc  defghijk\"", 60, {L"\"abc", L"defghi", L"jk\""}},
      {L"5\" screen size", 70, {L"5\"", L"screen", L"size"}},
      {L"x \"a b\r\nc\" d", 30, {L"x", L"\"a", L"b", L"c\"", L"d"}},
  };
  for (const auto& C : Cases) EXPECT_EQ(C.Expected, Wrap(C.Text, C.Width)) << C.Width;
  auto Measured = [](const std::wstring& S) { return Measure(UnescapeWrapped(S)); };
  const std::wstring Text = EscapeForWrap(L"x \"C:\\ab\\c d e\"! y");
  EXPECT_EQ(140, WidestWord(Text, Measured));  // the whole name with its mark
  EXPECT_EQ(70, WidestName(Text, Measured));   // "c d e"!
  EXPECT_EQ(30, WidestWord(EscapeForWrap(L"\"ab\r\ncd\" x"), Measured));
}

TEST(WordWrap, LeadingBlanksStayOnTheFirstLineOnly) {
  EXPECT_EQ((Lines{L"  ab cd", L"ef"}), Wrap(L"  ab cd   ef", 70));
}

TEST(WordWrap, CuttingAWordNeverPartsAnEscapedMark) {
  // "abc !" is one word of 50 px; at 40 px the cut falls before the pair.
  EXPECT_EQ((Lines{L"abc", L" !"}), Wrap(L"abc !", 40));
}

TEST(WordWrap, ReplaceAllIsLeftToRightAndNonOverlapping) {
  EXPECT_EQ(L"a\r\n\r\nb", ReplaceAll(L"a\r\n\r\n\r\nb", L"\r\n\r\n", L"\r\n"));
  EXPECT_EQ(L"a\r\nb", ReplaceAll(L"a\r\n\r\nb", L"\r\n\r\n", L"\r\n"));
  // An empty pattern matches nowhere.
  EXPECT_EQ(L"ab", ReplaceAll(L"ab", L"", L""));
  EXPECT_EQ(L"ab", ReplaceAll(L"ab", L"", L"x"));
}
