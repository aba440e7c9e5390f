// The tests that decide whether raw subtitle lines are text and in which
// format. Each works on 8-bit lines (char: the file's ANSI bytes) and on
// UTF-16 lines (char16_t) with the same rules.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

template <class Char>
using Lines = std::vector<std::basic_string<Char>>;

// A character as a number: the byte value of an 8-bit character, the code
// unit of a UTF-16 one.
inline unsigned CharCode(char c) { return static_cast<unsigned char>(c); }
inline unsigned CharCode(char16_t c) { return c; }
template <class Char>
bool IsDigit(Char c) { return c >= Char('0') && c <= Char('9'); }

// Whether the line begins with the ASCII text `prefix`.
template <class Char>
bool StartsWithAscii(std::basic_string_view<Char> line, std::string_view prefix) {
  if (line.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (line[i] != Char(static_cast<unsigned char>(prefix[i]))) return false;
  }
  return true;
}

// The beginning of every SSA dialogue line.
inline constexpr std::string_view kDialoguePrefix = "Dialogue: Marked=";

// Whether the character counts as text: printable ASCII except "+" and
// "=", and the letters of the code page (8-bit) or the cased letters of the
// alphabets that have them (UTF-16). Control characters never count.
bool IsTextChar(char c);
bool IsTextChar(char16_t c);

// The plain-text test: there are characters, no more than 10,485,760
// characters and line breaks in all, and fewer than 40 % of them are not
// text characters.
template <class Char>
bool IsPlainText(const Lines<Char>& lines);

// Whether one line looks like a SubRip time line ("00:00:00,000 -->
// 00:00:00,000") or a SubViewer one ("00:00:00.00,00:00:00.00"), scored on
// its counts of digits and punctuation; damaged lines may still pass.
template <class Char>
bool IsSrtTimeLine(std::basic_string_view<Char> line);
template <class Char>
bool IsSubViewerTimeLine(std::basic_string_view<Char> line);

// The format of the lines, Unknown when none fits. The tests run in the
// order MicroDVD, SubRip, SubViewer, SSA, TMPlayer; the first that holds
// wins.
template <class Char>
SubtitleFormat DetectSubtitleFormat(const Lines<Char>& lines);

// Whether a line is made only of the digits 0-9 (the empty line is not).
template <class Char>
bool IsAllDigits(std::basic_string_view<Char> line);

}  // namespace lc::subtitles
