#pragma once

#include <functional>
#include <string>
#include <vector>

// Word wrapping of the message box's text. Lines break at blanks only; the
// text is escaped first so that a blank before "!" or "?" is no break (the
// mark stays with its word), and a path's "\" and "-" read as parts of a
// word. A name in double quotes is one word, its blanks too: it is never
// broken where it fits a line. Portable: the width of a text comes from
// the caller's measurer.

// Measures text in the font it is shown in.
class TTextMeasurer {
 public:
  virtual ~TTextMeasurer() = default;
  virtual int TextWidth(const std::wstring& Text) = 0;
  // Height of one line of text.
  virtual int LineHeight() = 0;
};

// The escapes, in this order over the whole text: "\" becomes character 1,
// "-" character 2, " !" two characters 3, " ?" two characters 4. Characters
// 1 to 4 already in the text are dropped first (they have no glyph, and
// undoing the escapes would turn them into those marks).
std::wstring EscapeForWrap(const std::wstring& Text);
// Undoes EscapeForWrap.
std::wstring UnescapeWrapped(const std::wstring& Text);

// Breaks Text into its visual lines no wider than Width (as Measure says):
// paragraphs end at CR LF, CR or LF; within a paragraph the words are
// filled greedily and the blanks at a break are dropped; a word wider than
// Width alone is cut after the last path separator ("\" or "/") that fits,
// so that a path breaks between its names, else (a quoted name) at the
// last blank that fits, and between characters only where neither fits
// (never inside an escaped " !" or " ?"). An empty paragraph gives an
// empty line.
std::vector<std::wstring> WrapLines(const std::wstring& Text, int Width,
                                    const std::function<int(const std::wstring&)>& Measure);

// The width of Text's widest word (words end at blanks and line ends; a
// quoted name is one word).
int WidestWord(const std::wstring& Text, const std::function<int(const std::wstring&)>& Measure);
// The width of Text's widest piece that WrapLines never breaks where it has
// room for it: a word, or in a path each name up to and with the separator
// after it (the separators of the escaped text, as WrapLines reads them).
int WidestName(const std::wstring& Text, const std::function<int(const std::wstring&)>& Measure);

// Joins lines with CR LF.
std::wstring JoinLines(const std::vector<std::wstring>& Lines);
// Splits a text at CR LF.
std::vector<std::wstring> SplitLines(const std::wstring& Text);
// Replaces every occurrence of From by To, left to right, non-overlapping
// (WideReplaceAll); an empty From changes nothing.
std::wstring ReplaceAll(std::wstring Text, const std::wstring& From, const std::wstring& To);
