#include "subtitles/parse.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "kit/skin_strip.h"
#include "subtitles/repair.h"

namespace lc::subtitles {
namespace {

template <class Char>
using Str = std::basic_string<Char>;
template <class Char>
using View = std::basic_string_view<Char>;

// The number written by `count` digits at `pos`; -1 when one is missing.
template <class Char>
std::int64_t DigitsAt(View<Char> line, std::size_t pos, std::size_t count) {
  if (pos > line.size() || line.size() - pos < count) return -1;
  std::int64_t value = 0;
  for (std::size_t i = pos; i < pos + count; ++i) {
    if (!IsDigit(line[i])) return -1;
    value = value * 10 + (line[i] - Char('0'));
  }
  return value;
}

// A clock time: hours of `hourDigits` digits at `h`, two-digit minutes at
// `m` and seconds at `sec`, then `fracDigits` digits at `frac` worth
// `fracScale` ms each; -1 when a digit is missing.
struct ClockLayout {
  std::size_t h, hourDigits, m, sec, frac, fracDigits;
  std::int64_t fracScale;
};

template <class Char>
std::int64_t ClockAt(View<Char> line, const ClockLayout& at) {
  const std::int64_t h = DigitsAt(line, at.h, at.hourDigits);
  const std::int64_t m = DigitsAt(line, at.m, 2);
  const std::int64_t s = DigitsAt(line, at.sec, 2);
  const std::int64_t f = at.fracDigits == 0 ? 0 : DigitsAt(line, at.frac, at.fracDigits);
  if (h < 0 || m < 0 || s < 0 || f < 0) return -1;
  return h * 3600000 + m * 60000 + s * 1000 + f * at.fracScale;
}

template <class Char>
std::optional<TimePair> ClockPair(View<Char> line, const ClockLayout& start, const ClockLayout& end) {
  const std::int64_t a = ClockAt(line, start);
  const std::int64_t b = ClockAt(line, end);
  if (a < 0 || b < 0) return std::nullopt;
  return TimePair{static_cast<std::int32_t>(a), static_cast<std::int32_t>(b)};
}

constexpr ClockLayout kSrtStart{0, 2, 3, 6, 9, 3, 1};
constexpr ClockLayout kSrtEnd{17, 2, 20, 23, 26, 3, 1};
constexpr ClockLayout kSubViewerStart{0, 2, 3, 6, 9, 2, 10};
constexpr ClockLayout kSubViewerEnd{12, 2, 15, 18, 21, 2, 10};
constexpr ClockLayout kSsaStart{19, 1, 21, 24, 27, 2, 10};
constexpr ClockLayout kSsaEnd{30, 1, 32, 35, 38, 2, 10};
constexpr ClockLayout kTmPlayerStart{0, 2, 3, 6, 0, 0, 0};

template <class Char>
void ReplaceAll(Str<Char>& text, std::string_view from, Char to) {
  const Str<Char> pattern = Widen<Char>(from);
  std::size_t pos = text.find(pattern);
  if (pos == Str<Char>::npos) return;
  Str<Char> out;
  std::size_t begin = 0;
  for (; pos != Str<Char>::npos; pos = text.find(pattern, begin)) {
    out.append(text, begin, pos - begin);
    out += to;
    begin = pos + pattern.size();
  }
  out.append(text, begin);
  text = std::move(out);
}

// Lines first..last joined with "|" (at least line `first`; a line beyond
// the end counts as empty).
template <class Char>
Str<Char> JoinLines(const Lines<Char>& lines, std::size_t first, std::size_t last) {
  Str<Char> text;
  std::size_t j = first;
  do {
    if (j < lines.size()) text += lines[j];
    text += Char('|');
    ++j;
  } while (j <= last);
  text.pop_back();
  return text;
}

// A MicroDVD frame text: at most its first 7 digits; -1 when empty.
template <class Char>
std::optional<std::int32_t> FrameTime(View<Char> frame, double frameRate) {
  if (frame.empty()) return -1;
  const View<Char> digits = frame.substr(0, 7);
  const std::int64_t value = DigitsAt(digits, 0, digits.size());
  if (value < 0) return std::nullopt;
  return FrameToMs(value, frameRate);
}

template <class Char>
std::optional<TimedEntries<Char>> BuildMicroDvd(const Lines<Char>& lines, double frameRate) {
  TimedEntries<Char> list;
  for (const auto& line : lines) {
    const View<Char> view(line);
    const std::size_t close1 = view.find(Char('}'), 1);
    if (close1 == View<Char>::npos || close1 + 2 > view.size()) return std::nullopt;
    const std::size_t close2 = view.find(Char('}'), close1 + 2);
    if (close2 == View<Char>::npos) return std::nullopt;
    const auto start = FrameTime(view.substr(1, close1 - 1), frameRate);
    const auto end = FrameTime(view.substr(close1 + 2, close2 - close1 - 2), frameRate);
    if (!start || !end) return std::nullopt;
    list.Add(*start, *end, Str<Char>(view.substr(close2 + 1)));
  }
  return list;
}

template <class Char>
std::optional<TimedEntries<Char>> BuildSubRip(const Lines<Char>& lines) {
  std::vector<std::size_t> counters;
  for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
    if (IsAllDigits<Char>(lines[i]) && IsSrtTimeLine<Char>(lines[i + 1])) counters.push_back(i);
  }
  TimedEntries<Char> list;
  for (std::size_t m = 0; m < counters.size(); ++m) {
    const std::size_t c = counters[m];
    const auto times = ParseSrtTimes<Char>(lines[c + 1]);
    if (!times) return std::nullopt;
    std::size_t last;
    if (m + 1 < counters.size()) {
      last = counters[m + 1] >= 2 ? counters[m + 1] - 2 : 0;
    } else {
      last = c + 2;
      while (last + 1 < lines.size() && !lines[last + 1].empty()) ++last;
    }
    list.Add(times->Start, times->End, JoinLines(lines, c + 2, last));
  }
  return list;
}

template <class Char>
bool IsExactSubViewerTimeLine(View<Char> line) {
  return line.size() == 23 && IsSubViewerTimeAt(line, 0) && line[11] == Char(',') &&
         IsSubViewerTimeAt(line, 12);
}

template <class Char>
std::optional<TimedEntries<Char>> BuildSubViewer(const Lines<Char>& lines) {
  TimedEntries<Char> list;
  std::size_t previous = 0;
  const auto closeEntry = [&](std::size_t endLine) {
    // The lines after the previous time line up to endLine - 1.
    Str<Char> text;
    for (std::size_t j = previous + 1; j < endLine; ++j) {
      text += lines[j];
      text += Char('|');
    }
    if (!text.empty()) text.pop_back();
    ReplaceAll(text, "[br]", Char('|'));
    list.Text.back() = std::move(text);
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (!IsExactSubViewerTimeLine<Char>(lines[i])) continue;
    if (list.Count() > 0) closeEntry(i);
    const auto times = ParseSubViewerTimes<Char>(lines[i]);
    list.Add(times->Start, times->End, {});
    previous = i;
  }
  if (list.Count() > 0) closeEntry(lines.size());
  return list;
}

template <class Char>
std::optional<TimedEntries<Char>> BuildSsa(const Lines<Char>& lines) {
  TimedEntries<Char> list;
  for (const auto& line : lines) {
    const View<Char> view(line);
    if (!StartsWithAscii(view, kDialoguePrefix)) continue;
    const auto times = ClockPair(view, kSsaStart, kSsaEnd);
    if (!times) return std::nullopt;
    // The text follows the ninth comma: the fields before it are fixed.
    std::size_t pos = View<Char>::npos;
    for (std::size_t comma = 0, from = 0; comma < 9; ++comma, from = pos + 1) {
      pos = view.find(Char(','), from);
      if (pos == View<Char>::npos) break;
    }
    Str<Char> text = pos == View<Char>::npos ? Str<Char>() : Str<Char>(view.substr(pos + 1));
    ReplaceAll(text, "\\N", Char('|'));
    list.Add(times->Start, times->End, std::move(text));
  }
  return list;
}

template <class Char>
std::optional<TimedEntries<Char>> BuildTmPlayer(const Lines<Char>& lines, int averageDisplayTime) {
  const DisplayLengthRule rule(averageDisplayTime);
  TimedEntries<Char> list;
  for (const auto& line : lines) {
    const View<Char> view(line);
    const std::int64_t start = ClockAt(view, kTmPlayerStart);
    if (start < 0) return std::nullopt;
    list.Add(static_cast<std::int32_t>(start), -1,
             Str<Char>(view.substr(std::min<std::size_t>(9, view.size()))));
  }
  for (std::size_t i = 0; i < list.Count(); ++i) {
    std::int64_t end = list.Start[i] + rule(list.Text[i].size());
    if (i + 1 < list.Count()) end = std::min<std::int64_t>(list.Start[i + 1], end);
    list.End[i] = ClampTime(end);
  }
  return list;
}

}  // namespace

DisplayLengthRule::DisplayLengthRule(int averageDisplayTime) {
  const long double x = averageDisplayTime / 2163.0L;
  P = (4 * std::pow(x, 2.5L) - std::pow(x, 0.05L)) * 20.40816L;
  B = 1000 * std::pow(x, 0.05L) - P;
}

std::int64_t DisplayLengthRule::operator()(std::size_t length) const {
  const std::int64_t ms = ClampTime(RoundHalfEvenLong(static_cast<double>(
      std::clamp<long double>(length * P + B, -4e9L, 4e9L))));
  return std::max<std::int64_t>(ms, kShortestDisplayLength);
}

std::int64_t FixedDisplayLength(std::size_t length) {
  return ClampTime(RoundHalfEvenLong(std::min(64.74 * static_cast<double>(length) + 936.1, 4e9)));
}

std::int32_t ClampTime(std::int64_t ms) {
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      ms, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t FrameToMs(std::int64_t frame, double frameRate) {
  if (!(frameRate > 0)) frameRate = 25.0;
  return ClampTime(RoundHalfEvenLong(std::min(frame * 1000.0 / frameRate, 4e9)));
}

template <class Char>
std::optional<TimePair> ParseSrtTimes(std::basic_string_view<Char> line) {
  return ClockPair(line, kSrtStart, kSrtEnd);
}

template <class Char>
std::optional<TimePair> ParseSubViewerTimes(std::basic_string_view<Char> line) {
  return ClockPair(line, kSubViewerStart, kSubViewerEnd);
}

template <class Char>
std::optional<TimedEntries<Char>> BuildSubtitleList(const Lines<Char>& lines,
                                                    SubtitleFormat format,
                                                    const ParseOptions& options) {
  switch (format) {
    case SubtitleFormat::MicroDvd:
      return BuildMicroDvd(lines, options.FrameRate);
    case SubtitleFormat::SubRip:
      return BuildSubRip(lines);
    case SubtitleFormat::SubViewer:
      return BuildSubViewer(lines);
    case SubtitleFormat::Ssa:
      return BuildSsa(lines);
    case SubtitleFormat::TmPlayer:
      return BuildTmPlayer(lines, options.AverageDisplayTime);
    case SubtitleFormat::Unknown:
      break;
  }
  return TimedEntries<Char>{};
}

#define LC_INSTANTIATE(Char)                                                              \
  template std::optional<TimePair> ParseSrtTimes<Char>(std::basic_string_view<Char>);     \
  template std::optional<TimePair> ParseSubViewerTimes<Char>(std::basic_string_view<Char>); \
  template std::optional<TimedEntries<Char>> BuildSubtitleList<Char>(                     \
      const Lines<Char>&, SubtitleFormat, const ParseOptions&);
LC_INSTANTIATE(char)
LC_INSTANTIATE(char16_t)
#undef LC_INSTANTIATE

}  // namespace lc::subtitles
