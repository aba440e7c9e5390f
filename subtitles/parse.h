// Parsing repaired subtitle lines into timed entries, and the
// display-length rule: how long a text of a given length stays on screen.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "subtitles/line_tests.h"
#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

// The display-length rule for an AverageDisplayTime of A milliseconds:
// X = A / 2163, P = (4 X^2.5 - X^0.05) x 20.40816 ms per character and
// B = 1000 X^0.05 - P; a text of L characters stays Round(L P + B) ms,
// halves to even. At A = 2163 a 20-character text gets 2163 ms.
// Below about 1228 ms the time per character is negative and long texts
// get less time than short ones; a text so long that the rule would leave
// it none (125 characters and more at 1000 ms) stays kShortestDisplayLength,
// so that an entry timed by the rule still ends after it starts.
inline constexpr std::int64_t kShortestDisplayLength = 1;
class DisplayLengthRule {
 public:
  explicit DisplayLengthRule(int averageDisplayTime);
  std::int64_t operator()(std::size_t length) const;
  long double PerCharacter() const { return P; }
  long double Base() const { return B; }

 private:
  long double P;
  long double B;
};

// The same rule fixed at the default of 2200 ms: Round(64.74 L + 936.1).
std::int64_t FixedDisplayLength(std::size_t length);

// A 64-bit time kept within the 32-bit range of the list.
std::int32_t ClampTime(std::int64_t ms);

// Milliseconds of a MicroDVD frame number: Round(frame x 1000 / rate).
std::int32_t FrameToMs(std::int64_t frame, double frameRate);

// Start and end of a SubRip time line "hh:mm:ss,mmm --> hh:mm:ss,mmm" and of
// a SubViewer one "hh:mm:ss.cc,hh:mm:ss.cc", read from fixed positions
// (the separators are not looked at); nullopt when a digit is missing.
struct TimePair {
  std::int32_t Start;
  std::int32_t End;
};
template <class Char>
std::optional<TimePair> ParseSrtTimes(std::basic_string_view<Char> line);
template <class Char>
std::optional<TimePair> ParseSubViewerTimes(std::basic_string_view<Char> line);

// What the builders need besides the lines.
struct ParseOptions {
  double FrameRate = 25.0;          // MicroDVD frames per second
  int AverageDisplayTime = 2200;    // the display-length rule (TMPlayer)
};

// Builds the timed list of repaired lines in `format`. Times not given are
// -1. nullopt when a line does not hold digits where its format puts them
// (the load then fails); an Unknown format gives an empty list.
template <class Char>
std::optional<TimedEntries<Char>> BuildSubtitleList(const Lines<Char>& lines,
                                                    SubtitleFormat format,
                                                    const ParseOptions& options);

}  // namespace lc::subtitles
