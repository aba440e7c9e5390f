#include "subtitles/repair.h"

#include <algorithm>
#include <string>

namespace lc::subtitles {
namespace {

constexpr std::string_view kZeroSrtTime = "00:00:00.000";
constexpr std::string_view kZeroSubViewerTime = "00:00:00.00";

template <class Char>
using Str = std::basic_string<Char>;
template <class Char>
using View = std::basic_string_view<Char>;

template <class Char>
void Trim(Str<Char>& line) {
  std::size_t end = line.size();
  while (end > 0 && (line[end - 1] == Char(' ') || line[end - 1] == Char('\b'))) --end;
  line.resize(end);
  std::size_t begin = 0;
  while (begin < end && line[begin] == Char(' ')) ++begin;
  if (begin > 0) line.erase(0, begin);
}

// Digits and separators of a time pattern: 'd' a digit, 's' a full stop or
// comma, any other character itself.
template <class Char>
bool MatchesAt(View<Char> line, std::size_t pos, std::string_view pattern) {
  if (pos > line.size() || line.size() - pos < pattern.size()) return false;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const Char c = line[pos + i];
    const bool ok = pattern[i] == 'd'   ? IsDigit(c)
                    : pattern[i] == 's' ? c == Char('.') || c == Char(',')
                                        : c == Char(static_cast<unsigned char>(pattern[i]));
    if (!ok) return false;
  }
  return true;
}

// MicroDVD: {start}{end}text, mended where a brace or a frame is missing.
template <class Char>
bool RepairMicroDvdLine(Str<Char>& line) {
  if (line.size() < 4) line.insert(0, Widen<Char>("{0}{0}"));
  if (line[0] != Char('{')) line.insert(0, Widen<Char>(IsDigit(line[1]) ? "{" : "{0"));
  // The start frame: digits up to a "}", which is put in where missing.
  std::size_t j = 1;
  while (j + 1 < line.size() && IsDigit(line[j])) ++j;
  if (j + 1 >= line.size()) return false;
  if (line[j] != Char('}')) line.insert(j, 1, Char('}'));
  // The end frame opens right after it.
  const Char next = line[j + 1];
  if (next != Char('{')) {
    line.insert(j + 1, Widen<Char>(IsDigit(next) || next == Char('}') ? "{" : "{}"));
  }
  std::size_t k = j + 2;
  while (k < line.size() && IsDigit(line[k])) ++k;
  if (k >= line.size()) return false;
  if (line[k] != Char('}')) line.insert(k, 1, Char('}'));
  return true;
}

template <class Char>
bool RepairMicroDvd(Lines<Char>& lines) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].empty()) continue;
    if (!RepairMicroDvdLine(lines[i])) return false;
    if (kept != i) lines[kept] = std::move(lines[i]);
    ++kept;
  }
  lines.resize(kept);
  return true;
}

template <class Char>
void NormaliseSrtTimeLine(Str<Char>& line) {
  if (line.size() < 12) {
    line = Widen<Char>("00:00:00.000 --> 00:00:00.000");
    return;
  }
  if (!IsSrtTimeAt<Char>(line, 0)) line.insert(0, Widen<Char>(kZeroSrtTime));
  if (!IsSrtTimeAt<Char>(line, line.size() - 12)) line += Widen<Char>(kZeroSrtTime);
  line = line.substr(0, 12) + Widen<Char>(" --> ") + line.substr(line.size() - 12);
}

// SubRip: every entry gets a number line before its time line and a blank
// line before its number; the time lines are brought into shape. One pass:
// a blank line put in before an entry never changes what the lines before
// it decided.
template <class Char>
bool RepairSubRip(Lines<Char>& lines) {
  Lines<Char> out;
  out.reserve(lines.size() + lines.size() / 2 + 2);
  std::size_t entries = 0;
  std::size_t latest = 0;  // index in `out` of the latest entry's number line
  const auto beginEntry = [&](Str<Char> number) {
    ++entries;
    if (entries >= 2) {
      if (!out.back().empty()) out.emplace_back();
      NormaliseSrtTimeLine(out[latest + 1]);
    }
    latest = out.size();
    out.push_back(std::move(number));
  };
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const bool beforeTime = i + 1 < lines.size() && IsSrtTimeLine<Char>(lines[i + 1]);
    if (beforeTime && IsAllDigits<Char>(lines[i])) {
      beginEntry(std::move(lines[i]));
      continue;
    }
    out.push_back(std::move(lines[i]));
    if (beforeTime) {
      const std::size_t count = out.size() + 1 + (lines.size() - i - 1);
      const std::size_t number = std::clamp<std::size_t>(entries + 1, 1, count);
      beginEntry(Widen<Char>(std::to_string(number)));
    }
  }
  if (latest + 1 < out.size()) NormaliseSrtTimeLine(out[latest + 1]);
  lines = std::move(out);
  return static_cast<double>(entries) >= static_cast<double>(lines.size()) / 12;
}

template <class Char>
bool RepairSubViewer(Lines<Char>& lines) {
  const Str<Char> zero = Widen<Char>(kZeroSubViewerTime);
  double timeLines = 0;
  for (auto& line : lines) {
    if (!IsSubViewerTimeLine<Char>(line)) continue;
    timeLines += 1;
    // The line becomes the two times joined by a comma, whatever stood
    // between them; a time it does not hold is zero.
    const bool begins = IsSubViewerTimeAt<Char>(line, 0);
    const bool ends = line.size() >= 11 && IsSubViewerTimeAt<Char>(line, line.size() - 11);
    line = (begins ? line.substr(0, 11) : zero) + Char(',') +
           (ends ? line.substr(line.size() - 11) : zero);
  }
  return timeLines - 1 >= static_cast<double>(lines.size()) / 10;
}

// SSA: nothing is mended; from the first dialogue line on, every dialogue
// line must carry its two times where the format puts them.
template <class Char>
bool CheckSsa(const Lines<Char>& lines) {
  for (const auto& line : lines) {
    const View<Char> view(line);
    if (!StartsWithAscii(view, kDialoguePrefix)) continue;
    if (line.size() < 67 || !MatchesAt(view, 17, "d,d:dd:dd.dd,d:dd:dd.dd")) return false;
  }
  return true;
}

template <class Char>
void RepairTmPlayer(Lines<Char>& lines) {
  for (auto& line : lines) {
    if (!MatchesAt<Char>(line, 0, "dd:dd:dd:")) line.insert(0, Widen<Char>("00:00:00:"));
  }
}

}  // namespace

template <class Char>
bool IsSrtTimeAt(std::basic_string_view<Char> line, std::size_t pos) {
  return MatchesAt(line, pos, "dd:dd:ddsddd");
}

template <class Char>
bool IsSubViewerTimeAt(std::basic_string_view<Char> line, std::size_t pos) {
  return MatchesAt(line, pos, "dd:dd:dd.dd");
}

template <class Char>
bool RepairSubtitleLines(Lines<Char>& lines, SubtitleFormat format) {
  for (auto& line : lines) Trim(line);
  switch (format) {
    case SubtitleFormat::MicroDvd:
      return RepairMicroDvd(lines);
    case SubtitleFormat::SubRip:
      return RepairSubRip(lines);
    case SubtitleFormat::SubViewer:
      return RepairSubViewer(lines);
    case SubtitleFormat::Ssa:
      return CheckSsa(lines);
    case SubtitleFormat::TmPlayer:
      RepairTmPlayer(lines);
      return true;
    case SubtitleFormat::Unknown:
      break;
  }
  return true;
}

#define LC_INSTANTIATE(Char)                                                   \
  template bool IsSrtTimeAt<Char>(std::basic_string_view<Char>, std::size_t);  \
  template bool IsSubViewerTimeAt<Char>(std::basic_string_view<Char>, std::size_t); \
  template bool RepairSubtitleLines<Char>(Lines<Char>&, SubtitleFormat);
LC_INSTANTIATE(char)
LC_INSTANTIATE(char16_t)
#undef LC_INSTANTIATE

}  // namespace lc::subtitles
