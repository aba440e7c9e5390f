// Fitting an entry's screen lines to the width they may take: shrinking the
// font (AutoResizeFont), splitting long lines (AutoSplitLine) and wrapping
// the whole text anew (WrapAllText). The widths come from a measurer the
// caller gives (the painter's font on the screen, or a table in the tests),
// so the rules run without a window.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lc::subtitles {

// The width in pixels of a line drawn at a font size (points).
template <class Char>
using LineMeasurer = std::function<int(const std::basic_string<Char>& line, int fontSize)>;

// The index of the widest line (the first of equally wide ones); -1 for no
// lines.
template <class Char>
int WidestLine(const std::vector<std::basic_string<Char>>& lines, int fontSize, const LineMeasurer<Char>& measure);

// The font size after shrinking: the widest line is measured again one
// point smaller until it fits `limit` or the size is 1.
template <class Char>
int ShrinkToFit(const std::vector<std::basic_string<Char>>& lines, int fontSize, int limit,
                const LineMeasurer<Char>& measure);

// The lines broken at blanks so that each fits `limit` where it can (a
// word wider than the limit keeps a line of its own). A blank before "?",
// "!" or ":" never breaks, so right-to-left punctuation stays with its
// word. With `wrapAll` the lines are first joined into one text; with
// `dialogue` as well, a "-" that follows a sentence end (".", "!", "?")
// and comes before an upper-case letter (IsWideUpperCase) starts a new
// line.
template <class Char>
std::vector<std::basic_string<Char>> WrapLines(const std::vector<std::basic_string<Char>>& lines, int fontSize,
                                               int limit, bool wrapAll, bool dialogue,
                                               const LineMeasurer<Char>& measure);

struct FitSettings {
  bool AutoResizeFont = false;
  bool AutoSplitLine = false;
  bool WrapAllText = false;
  bool Wide = false;  // the dialogue-line rule applies to wide subtitles only
};

template <class Char>
struct FittedLines {
  std::vector<std::basic_string<Char>> Lines;
  double FontScale = 1.0;  // SubtitleFontScale: new size / old size, at most 1
};

// What the pulse does with a new entry's lines before they are painted:
// measured at `fontSize` against `limit`, the font shrunk (AutoResizeFont)
// and the lines wrapped at the shrunk size (AutoSplitLine, WrapAllText).
template <class Char>
FittedLines<Char> FitEntryLines(const std::vector<std::basic_string<Char>>& lines, int fontSize, int limit,
                                const FitSettings& settings, const LineMeasurer<Char>& measure);

}  // namespace lc::subtitles
