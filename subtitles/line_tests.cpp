#include "subtitles/line_tests.h"

#include <bitset>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace lc::subtitles {
namespace {

// Text characters of the 8-bit test: byte ranges, both ends included.
constexpr std::pair<unsigned, unsigned> kAnsiText[] = {
    {32, 42},   {44, 60},   {62, 126},  {138, 138}, {140, 143}, {154, 154},
    {156, 159}, {163, 163}, {165, 165}, {170, 170}, {175, 175}, {179, 179},
    {185, 186}, {188, 188}, {190, 214}, {216, 222}, {224, 246}, {248, 254}};

// Text characters of the UTF-16 test (1354 code units in 88 ranges).
constexpr std::pair<unsigned, unsigned> kWideText[] = {
    {0x0020, 0x002A}, {0x002C, 0x003C}, {0x003E, 0x007E}, {0x00C0, 0x00D6}, {0x00D8, 0x00DE},
    {0x00E0, 0x00F6}, {0x00F8, 0x012F}, {0x0132, 0x0137}, {0x0139, 0x0148}, {0x014A, 0x017E},
    {0x0181, 0x018C}, {0x018E, 0x0194}, {0x0196, 0x0199}, {0x019C, 0x019D}, {0x019F, 0x01A5},
    {0x01A7, 0x01A9}, {0x01AC, 0x01B9}, {0x01BC, 0x01BD}, {0x01C4, 0x01C4}, {0x01C6, 0x01C7},
    {0x01C9, 0x01CA}, {0x01CC, 0x01EF}, {0x01F1, 0x01F1}, {0x01F3, 0x01F5}, {0x01FA, 0x021B},
    {0x0253, 0x0254}, {0x0256, 0x0257}, {0x0259, 0x0259}, {0x025B, 0x025B}, {0x0260, 0x0260},
    {0x0263, 0x0263}, {0x0268, 0x0269}, {0x026F, 0x026F}, {0x0272, 0x0272}, {0x0275, 0x0275},
    {0x0283, 0x0283}, {0x0288, 0x0288}, {0x028A, 0x028B}, {0x0292, 0x0292}, {0x0386, 0x0386},
    {0x0388, 0x038A}, {0x038C, 0x038C}, {0x038E, 0x038F}, {0x0391, 0x03A1}, {0x03A3, 0x03AF},
    {0x03B1, 0x03CE}, {0x03E2, 0x03EF}, {0x0401, 0x040C}, {0x040E, 0x044F}, {0x0451, 0x045C},
    {0x045E, 0x0481}, {0x0490, 0x04BF}, {0x04C1, 0x04C4}, {0x04C7, 0x04C8}, {0x04CB, 0x04CC},
    {0x04D0, 0x04EB}, {0x04EE, 0x04F5}, {0x04F8, 0x04F9}, {0x0531, 0x0556}, {0x0561, 0x0586},
    {0x10A0, 0x10C5}, {0x1E00, 0x1E95}, {0x1EA0, 0x1EF9}, {0x1F00, 0x1F15}, {0x1F18, 0x1F1D},
    {0x1F20, 0x1F45}, {0x1F48, 0x1F4D}, {0x1F51, 0x1F51}, {0x1F53, 0x1F53}, {0x1F55, 0x1F55},
    {0x1F57, 0x1F57}, {0x1F59, 0x1F59}, {0x1F5B, 0x1F5B}, {0x1F5D, 0x1F5D}, {0x1F5F, 0x1F7D},
    {0x1FB0, 0x1FB1}, {0x1FB8, 0x1FBB}, {0x1FC8, 0x1FCB}, {0x1FD0, 0x1FD1}, {0x1FD8, 0x1FDB},
    {0x1FE0, 0x1FE1}, {0x1FE5, 0x1FE5}, {0x1FE8, 0x1FEC}, {0x1FF8, 0x1FFB}, {0x2160, 0x217F},
    {0x24B6, 0x24E9}, {0xFF21, 0xFF3A}, {0xFF41, 0xFF5A}};

template <std::size_t N, std::size_t M>
std::bitset<N> MakeSet(const std::pair<unsigned, unsigned> (&ranges)[M]) {
  std::bitset<N> set;
  for (const auto& [first, last] : ranges) {
    for (unsigned c = first; c <= last; ++c) set.set(c);
  }
  return set;
}

// Position (1-based) of the first "-->" in the line; 0 when there is none.
template <class Char>
std::size_t ArrowPosition(std::basic_string_view<Char> line) {
  for (std::size_t i = 0; i + 2 < line.size(); ++i) {
    if (line[i] == Char('-') && line[i + 1] == Char('-') && line[i + 2] == Char('>')) return i + 1;
  }
  return 0;
}

// "{" digits "}{" digits "}" at the start of the line.
template <class Char>
bool IsMicroDvdLine(const std::basic_string<Char>& line) {
  std::size_t i = 0;
  if (i >= line.size() || line[i] != Char('{')) return false;
  ++i;
  while (i < line.size() && IsDigit(line[i])) ++i;
  if (i + 1 >= line.size() || line[i] != Char('}') || line[i + 1] != Char('{')) return false;
  i += 2;
  while (i < line.size() && IsDigit(line[i])) ++i;
  return i < line.size() && line[i] == Char('}');
}

// TMPlayer shape: digits at 1, 2, 4, 5, 7, 8 and colons at 3, 6, 9 (1-based).
template <class Char>
void CountTmPlayerShape(const std::basic_string<Char>& line, double& digits, double& colons) {
  if (line.size() < 9) return;
  bool allDigits = true;
  for (std::size_t i : {0, 1, 3, 4, 6, 7}) allDigits = allDigits && IsDigit(line[i]);
  if (allDigits) digits += 1;
  if (line[2] == Char(':') && line[5] == Char(':') && line[8] == Char(':')) colons += 1;
}

}  // namespace

bool IsTextChar(char c) {
  static const std::bitset<256> set = MakeSet<256>(kAnsiText);
  return set.test(CharCode(c));
}

bool IsTextChar(char16_t c) {
  static const std::bitset<65536> set = MakeSet<65536>(kWideText);
  return set.test(CharCode(c));
}

template <class Char>
bool IsAllDigits(std::basic_string_view<Char> line) {
  if (line.empty()) return false;
  for (Char c : line) {
    if (!IsDigit(c)) return false;
  }
  return true;
}

template <class Char>
bool IsPlainText(const Lines<Char>& lines) {
  double total = 0;
  double others = 0;
  for (const auto& line : lines) {
    total += static_cast<double>(line.size());
    for (Char c : line) {
      if (!IsTextChar(c)) others += 1;
    }
  }
  if (total == 0) return false;
  if (static_cast<double>(lines.size()) * 2 + total > 10485760) return false;
  return others * 100 / total < 40;
}

template <class Char>
bool IsSubViewerTimeLine(std::basic_string_view<Char> line) {
  if (line.size() < 5) return false;
  int digits = 0, colons = 0, stops = 0, commas = 0, others = 0;
  for (Char c : line) {
    if (IsDigit(c)) ++digits;
    else if (c == Char(':')) ++colons;
    else if (c == Char('.')) ++stops;
    else if (c == Char(',')) ++commas;
    else ++others;
  }
  const double score = 23.0 - std::abs(digits - 16) - std::abs(colons - 4) - std::abs(stops - 2) -
                       std::abs(commas - 1);
  const double value = score * 100 / 23 - others * 100.0 / static_cast<double>(line.size());
  return value >= 50;
}

template <class Char>
bool IsSrtTimeLine(std::basic_string_view<Char> line) {
  if (line.size() < 7) return false;
  int digits = 0, colons = 0, separators = 0, spaces = 0, hyphens = 0, arrows = 0, others = 0;
  for (Char c : line) {
    if (IsDigit(c)) ++digits;
    else if (c == Char(':')) ++colons;
    else if (c == Char(',') || c == Char('.')) ++separators;
    else if (c == Char(' ')) ++spaces;
    else if (c == Char('-')) ++hyphens;
    else if (c == Char('>')) ++arrows;
    else ++others;
  }
  const double score = 29.0 - std::abs(digits - 18) - std::abs(colons - 4) -
                       std::abs(separators - 2) - std::abs(spaces - 2) - std::abs(hyphens - 2) -
                       std::abs(arrows - 1);
  const double p = static_cast<double>(ArrowPosition(line));
  const double value = score * 75 / 29 - others * 75.0 / static_cast<double>(line.size()) +
                       (14 - std::abs(p - 14)) * 25 / 14;
  return value >= 50;
}

template <class Char>
SubtitleFormat DetectSubtitleFormat(const Lines<Char>& lines) {
  const double n = static_cast<double>(lines.size());
  double microDvd = 0, empty = 0, numbers = 0, srtTimes = 0, length23 = 0, dialogue = 0;
  double tmDigits = 0, tmColons = 0;
  for (const auto& line : lines) {
    const std::basic_string_view<Char> view(line);
    if (IsMicroDvdLine(line)) microDvd += 1;
    if (line.empty()) {
      empty += 1;
    } else if (IsAllDigits(view)) {
      numbers += 1;
    } else if (IsSrtTimeLine(view)) {
      srtTimes += 1;
    }
    if (line.size() == 23) length23 += 1;
    if (StartsWithAscii<Char>(line, kDialoguePrefix)) dialogue += 1;
    CountTmPlayerShape(line, tmDigits, tmColons);
  }
  if (microDvd >= 3 * n / 4) return SubtitleFormat::MicroDvd;
  if (empty > n / 8.6 && numbers > n / 6.4 && srtTimes > n / 6.4) return SubtitleFormat::SubRip;
  if (empty > n / 5 && length23 > n / 4) return SubtitleFormat::SubViewer;
  // A short script (under 20 lines) is SSA when it holds a dialogue line.
  if (n >= 20 ? dialogue >= 3 * (n - 20) / 4 : dialogue >= 1) return SubtitleFormat::Ssa;
  if (tmDigits >= 0.75 * n && tmDigits <= 1.25 * n && tmColons >= 0.75 * n &&
      tmColons <= 1.25 * n) {
    return SubtitleFormat::TmPlayer;
  }
  return SubtitleFormat::Unknown;
}

#define LC_INSTANTIATE(Char)                                                      \
  template bool IsAllDigits<Char>(std::basic_string_view<Char>);                  \
  template bool IsPlainText<Char>(const Lines<Char>&);                            \
  template bool IsSubViewerTimeLine<Char>(std::basic_string_view<Char>);          \
  template bool IsSrtTimeLine<Char>(std::basic_string_view<Char>);                \
  template SubtitleFormat DetectSubtitleFormat<Char>(const Lines<Char>&);
LC_INSTANTIATE(char)
LC_INSTANTIATE(char16_t)
#undef LC_INSTANTIATE

}  // namespace lc::subtitles
