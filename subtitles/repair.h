// Repair of damaged subtitle lines, run after the format is known and
// before the lines are parsed: it mends broken time lines, missing entry
// numbers and missing braces, or declares the lines too damaged.
#pragma once

#include "subtitles/line_tests.h"
#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

// Repairs `lines` in place for `format`; false when they are too damaged to
// be a subtitle of that format. Every line first loses its trailing spaces
// and backspace characters, then its leading spaces. MicroDVD drops its
// empty lines, SubRip may insert entry numbers and blank separators.
// Linear in the size of the lines.
template <class Char>
bool RepairSubtitleLines(Lines<Char>& lines, SubtitleFormat format);

// The "hh:mm:ss,mmm" (or ".mmm") time of a SubRip line at `pos`, and the
// "hh:mm:ss.cc" time of a SubViewer line.
template <class Char>
bool IsSrtTimeAt(std::basic_string_view<Char> line, std::size_t pos);
template <class Char>
bool IsSubViewerTimeAt(std::basic_string_view<Char> line, std::size_t pos);

// An ASCII text in the character type of the lines.
template <class Char>
std::basic_string<Char> Widen(std::string_view ascii) {
  return std::basic_string<Char>(ascii.begin(), ascii.end());
}

}  // namespace lc::subtitles
