#include "subtitles/line_fitting.h"

#include <algorithm>

#include "subtitles/display_rules.h"

namespace lc::subtitles {

namespace {

template <class Char>
using Text = std::basic_string<Char>;

template <class Char>
bool IsSentenceEnd(Char c) {
  return c == Char('.') || c == Char('!') || c == Char('?');
}

// A blank at `i` may break the line unless right-to-left punctuation
// follows it.
template <class Char>
bool BreaksAt(const Text<Char>& text, std::size_t i) {
  if (text[i] != Char(' ')) return false;
  if (i + 1 >= text.size()) return true;
  const Char next = text[i + 1];
  return next != Char('?') && next != Char('!') && next != Char(':');
}

template <class Char>
Text<Char> Trimmed(const Text<Char>& text) {
  const std::size_t first = text.find_first_not_of(Char(' '));
  if (first == Text<Char>::npos) return {};
  const std::size_t last = text.find_last_not_of(Char(' '));
  return text.substr(first, last - first + 1);
}

// The text cut before every dialogue dash: "-" after a sentence end and
// before a capital, blanks allowed between.
template <class Char>
std::vector<Text<Char>> SplitDialogue(const Text<Char>& text) {
  std::vector<Text<Char>> parts;
  std::size_t from = 0;
  for (std::size_t k = 1; k < text.size(); ++k) {
    if (text[k] != Char('-')) continue;
    std::size_t before = k;
    while (before > from && text[before - 1] == Char(' ')) --before;
    if (before == from || !IsSentenceEnd(text[before - 1])) continue;
    std::size_t after = k + 1;
    while (after < text.size() && text[after] == Char(' ')) ++after;
    if (after >= text.size() || !IsWideUpperCase(static_cast<char16_t>(text[after]))) continue;
    parts.push_back(text.substr(from, k - from));
    from = k;
  }
  parts.push_back(text.substr(from));
  return parts;
}

// One text broken greedily at its breaking blanks.
template <class Char>
void WrapText(const Text<Char>& text, int fontSize, int limit, const LineMeasurer<Char>& measure,
              std::vector<Text<Char>>& out) {
  std::vector<Text<Char>> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !BreaksAt(text, i)) continue;
    if (i > start) words.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  if (words.empty()) {
    out.push_back({});
    return;
  }
  Text<Char> line = words[0];
  for (std::size_t w = 1; w < words.size(); ++w) {
    Text<Char> longer = line + Char(' ') + words[w];
    if (measure(longer, fontSize) <= limit) {
      line = std::move(longer);
    } else {
      out.push_back(std::move(line));
      line = words[w];
    }
  }
  out.push_back(std::move(line));
}

}  // namespace

template <class Char>
int WidestLine(const std::vector<Text<Char>>& lines, int fontSize, const LineMeasurer<Char>& measure) {
  int widest = -1, widestWidth = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const int width = measure(lines[i], fontSize);
    if (widest < 0 || width > widestWidth) {
      widest = static_cast<int>(i);
      widestWidth = width;
    }
  }
  return widest;
}

template <class Char>
int ShrinkToFit(const std::vector<Text<Char>>& lines, int fontSize, int limit, const LineMeasurer<Char>& measure) {
  const int widest = WidestLine(lines, fontSize, measure);
  if (widest < 0) return fontSize;
  while (fontSize > 1 && measure(lines[widest], fontSize) > limit) --fontSize;
  return fontSize;
}

template <class Char>
std::vector<Text<Char>> WrapLines(const std::vector<Text<Char>>& lines, int fontSize, int limit, bool wrapAll,
                                  bool dialogue, const LineMeasurer<Char>& measure) {
  std::vector<Text<Char>> out;
  if (!wrapAll) {
    for (const Text<Char>& line : lines) {
      if (measure(line, fontSize) <= limit)
        out.push_back(line);
      else
        WrapText(Trimmed(line), fontSize, limit, measure, out);
    }
    return out;
  }
  Text<Char> joined;
  for (const Text<Char>& line : lines) {
    const Text<Char> part = Trimmed(line);
    if (part.empty()) continue;
    if (!joined.empty()) joined += Char(' ');
    joined += part;
  }
  const std::vector<Text<Char>> parts = dialogue ? SplitDialogue(joined) : std::vector<Text<Char>>{joined};
  for (const Text<Char>& part : parts) WrapText(Trimmed(part), fontSize, limit, measure, out);
  return out;
}

template <class Char>
FittedLines<Char> FitEntryLines(const std::vector<Text<Char>>& lines, int fontSize, int limit,
                                const FitSettings& settings, const LineMeasurer<Char>& measure) {
  FittedLines<Char> fitted;
  fitted.Lines = lines;
  int size = fontSize;
  if (settings.AutoResizeFont && fontSize > 0) {
    size = ShrinkToFit(lines, fontSize, limit, measure);
    fitted.FontScale = std::min(static_cast<double>(size) / fontSize, 1.0);
  }
  if (settings.AutoSplitLine || settings.WrapAllText)
    fitted.Lines = WrapLines(lines, size, limit, settings.WrapAllText, settings.WrapAllText && settings.Wide, measure);
  return fitted;
}

#define LC_FITTING_FOR(Char)                                                                                     \
  template int WidestLine<Char>(const std::vector<Text<Char>>&, int, const LineMeasurer<Char>&);                \
  template int ShrinkToFit<Char>(const std::vector<Text<Char>>&, int, int, const LineMeasurer<Char>&);          \
  template std::vector<Text<Char>> WrapLines<Char>(const std::vector<Text<Char>>&, int, int, bool, bool,        \
                                                   const LineMeasurer<Char>&);                                  \
  template FittedLines<Char> FitEntryLines<Char>(const std::vector<Text<Char>>&, int, int, const FitSettings&, \
                                                 const LineMeasurer<Char>&);
LC_FITTING_FOR(char)
LC_FITTING_FOR(char16_t)
#undef LC_FITTING_FOR

}  // namespace lc::subtitles
