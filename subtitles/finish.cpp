#include "subtitles/finish.h"

#include <algorithm>
#include <set>

#include "subtitles/parse.h"
#include "subtitles/repair.h"

namespace lc::subtitles {
namespace {

template <class Char>
using Str = std::basic_string<Char>;

constexpr std::int32_t kMissing = -1;

template <class Char>
void RemoveEmptyTexts(TimedEntries<Char>& list) {
  std::size_t kept = 0;
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.Text[i].empty()) continue;
    list.Start[kept] = list.Start[i];
    list.End[kept] = list.End[i];
    if (kept != i) list.Text[kept] = std::move(list.Text[i]);
    ++kept;
  }
  list.Start.resize(kept);
  list.End.resize(kept);
  list.Text.resize(kept);
}

// Fills the missing times from the neighbours; false when one stays missing.
template <class Char>
bool FillMissingTimes(TimedEntries<Char>& list, const DisplayLengthRule& dur) {
  auto& start = list.Start;
  auto& end = list.End;
  const std::size_t last = list.Count() - 1;
  if (start[0] == kMissing) start[0] = 0;
  if (end[last] == kMissing) {
    if (start[last] == kMissing) return false;
    end[last] = ClampTime(start[last] + dur(list.Text[last].size()));
  }
  for (std::size_t i = 0; i < last; ++i) {
    if (end[i] == start[i] && start[i] != kMissing) {
      // A next start that is still missing does not bound the end.
      std::int64_t filled = start[i] + dur(list.Text[i].size());
      if (start[i + 1] != kMissing) filled = std::min<std::int64_t>(start[i + 1], filled);
      end[i] = ClampTime(filled);
    }
  }
  for (std::size_t i = 1; i <= last; ++i) {
    if (start[i] == kMissing && end[i - 1] != kMissing) {
      start[i] = ClampTime(std::max<std::int64_t>(end[i - 1], end[i] - dur(list.Text[i].size())));
    }
  }
  for (std::size_t i = 0; i < last; ++i) {
    if (end[i] == kMissing && start[i + 1] != kMissing) end[i] = start[i + 1];
  }
  return std::find(start.begin(), start.end(), kMissing) == start.end() &&
         std::find(end.begin(), end.end(), kMissing) == end.end();
}

// How far the overlap rules go. Each is tried only where the one before
// left an entry without a time span of its own, so a list the plain rules
// settle is never touched by the others.
enum class OverlapRules {
  // An entry squeezed to nothing moves its start back from the third entry on.
  Plain,
  // The same from the second entry on.
  FromSecond,
  // The same, once every cue that starts together with the cue before it,
  // or earlier, has been joined with it.
  JoinStartingTogether,
};

template <class Char>
void ResolveOverlaps(TimedEntries<Char>& list, const DisplayLengthRule& dur, OverlapRules rules) {
  auto& start = list.Start;
  auto& end = list.End;
  const std::size_t firstMoved = rules == OverlapRules::Plain ? 2 : 1;
  for (std::size_t i = 0; i + 1 < list.Count(); ++i) {
    const std::size_t length = list.Text[i].size();
    if (start[i] >= end[i]) {
      end[i] = ClampTime(std::min<std::int64_t>(start[i + 1], start[i] + dur(length)));
      if (end[i] <= start[i] && i >= firstMoved && end[i] > end[i - 1]) {
        start[i] = ClampTime(
            std::max<std::int64_t>(end[i - 1], std::int64_t{end[i]} - FixedDisplayLength(length)));
      }
    }
    if (start[i + 1] < end[i]) {
      if (start[i + 1] > start[i]) {
        end[i] = start[i + 1];
      } else {
        start[i + 1] = ClampTime(std::max<std::int64_t>(
            end[i], std::int64_t{end[i + 1]} - dur(list.Text[i + 1].size())));
      }
    }
  }
}

// Walks the entries once; `absorbs(kept, i)` either takes entry i into the
// kept entry before it (and returns true) or leaves it to be kept too.
template <class Char, class Absorbs>
void FoldEntries(TimedEntries<Char>& list, Absorbs absorbs) {
  if (list.Count() == 0) return;
  std::size_t kept = 0;
  for (std::size_t i = 1; i < list.Count(); ++i) {
    if (absorbs(kept, i)) continue;
    ++kept;
    list.Start[kept] = list.Start[i];
    list.End[kept] = list.End[i];
    if (kept != i) list.Text[kept] = std::move(list.Text[i]);
  }
  list.Start.resize(kept + 1);
  list.End.resize(kept + 1);
  list.Text.resize(kept + 1);
}

// An entry whose text the next entry repeats, starting where it ends,
// takes over the next entry's end; the next entry goes. Merging changes
// only the end of the kept entry, so one pass finds every pair.
template <class Char>
void MergeRepeats(TimedEntries<Char>& list) {
  FoldEntries(list, [&list](std::size_t kept, std::size_t i) {
    if (list.Text[kept] != list.Text[i] || list.End[kept] != list.Start[i]) return false;
    list.End[kept] = list.End[i];
    return true;
  });
}

// Cues that start together with the entry before them, or earlier, are
// shown with it (positioned texts come as several cues on the same times):
// each text becomes further screen lines of that entry, which lasts until
// the latest of their ends; a cue written twice is shown once. Afterwards
// every entry starts after the one before it.
template <class Char>
void JoinCuesStartingTogether(TimedEntries<Char>& list) {
  // The texts already shown by the entry being joined to.
  std::size_t shownFor = list.Text.size();
  std::set<Str<Char>> shown;
  FoldEntries(list, [&](std::size_t kept, std::size_t i) {
    if (list.Start[i] > list.Start[kept]) return false;
    if (shownFor != kept) {
      shownFor = kept;
      shown = {list.Text[kept]};
    }
    if (shown.insert(list.Text[i]).second) {
      list.Text[kept] += Char('|');
      list.Text[kept] += list.Text[i];
    }
    list.End[kept] = std::max(list.End[kept], list.End[i]);
    return true;
  });
}

// No "|" at either end and none doubled.
template <class Char>
void TidySeparators(Str<Char>& text) {
  Str<Char> out;
  out.reserve(text.size());
  for (Char c : text) {
    if (c == Char('|') && (out.empty() || out.back() == Char('|'))) continue;
    out += c;
  }
  while (!out.empty() && out.back() == Char('|')) out.pop_back();
  text = std::move(out);
}

// Drops every further opening tag inside a span that an opening tag begins
// and the next closing tag ends; only opening tags that begin within the
// first 255 characters are dropped.
template <class Char>
void DropNestedTags(Str<Char>& text, std::string_view openAscii, std::string_view closeAscii) {
  const Str<Char> open = Widen<Char>(openAscii);
  const Str<Char> close = Widen<Char>(closeAscii);
  if (text.find(open) == Str<Char>::npos) return;
  Str<Char> out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (true) {
    const std::size_t p = text.find(open, i);
    if (p == Str<Char>::npos) break;
    out.append(text, i, p + 3 - i);
    i = p + 3;
    const std::size_t found = text.find(close, i);
    const std::size_t closing = found == Str<Char>::npos ? text.size() : found;
    std::size_t dropped = 0;
    while (i < closing) {
      // Positions counted from 1 in the text as it is after the drops.
      const std::size_t position = out.size() + 1;
      const std::size_t closingPosition = closing + 1 - 3 * dropped;
      if (position <= 255 && position + 3 <= closingPosition && text.compare(i, 3, open) == 0) {
        i += 3;
        ++dropped;
        continue;
      }
      out += text[i++];
    }
    if (found == Str<Char>::npos) break;
    out.append(text, i, 3);
    i += 3;
  }
  out.append(text, std::min(i, text.size()));
  text = std::move(out);
}

// From the filled times on: overlaps resolved by `rules`, repeats merged,
// separators tidied, the first and the last entry given a span. False when
// an entry still ends before it starts or after the next one starts.
template <class Char>
bool SettleTimes(TimedEntries<Char>& list, const DisplayLengthRule& dur, OverlapRules rules) {
  if (rules == OverlapRules::JoinStartingTogether) JoinCuesStartingTogether(list);
  ResolveOverlaps(list, dur, rules);
  MergeRepeats(list);
  for (auto& text : list.Text) TidySeparators(text);
  auto& start = list.Start;
  auto& end = list.End;
  const std::size_t last = list.Count() - 1;
  if (end[0] <= start[0]) {
    start[0] = ClampTime(std::max<std::int64_t>(0, std::int64_t{end[0]} - dur(list.Text[0].size())));
  }
  if (start[last] >= end[last]) end[last] = ClampTime(start[last] + dur(list.Text[last].size()));
  for (std::size_t i = 0; i <= last; ++i) {
    if (start[i] >= end[i]) return false;
  }
  for (std::size_t i = 0; i < last; ++i) {
    if (end[i] > start[i + 1]) return false;
  }
  return true;
}

template <class Char>
void RemoveGroups(Str<Char>& text, Char openChar, Char closeChar) {
  Str<Char> out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == openChar) {
      std::size_t j = i + 1;
      while (j < text.size() && text[j] != openChar && text[j] != closeChar) ++j;
      if (j < text.size() && text[j] == closeChar) {
        i = j + 1;
        continue;
      }
    }
    out += text[i++];
  }
  text = std::move(out);
}

}  // namespace

template <class Char>
bool ApplySubtitleTags(TimedEntries<Char>& list, SubtitleFormat format, int averageDisplayTime) {
  const DisplayLengthRule dur(averageDisplayTime);
  RemoveEmptyTexts(list);
  if (list.Count() == 0) return false;
  if (!FillMissingTimes(list, dur)) return false;
  const TimedEntries<Char> filled = list;
  bool settled = false;
  for (const OverlapRules rules : {OverlapRules::Plain, OverlapRules::FromSecond,
                                   OverlapRules::JoinStartingTogether}) {
    if (rules != OverlapRules::Plain) list = filled;
    settled = SettleTimes(list, dur, rules);
    if (settled) break;
  }
  if (!settled) return false;
  if (format == SubtitleFormat::SubRip) {
    for (const auto& [open, close] : {std::pair{"<b>", "</b>"}, std::pair{"<i>", "</i>"},
                                      std::pair{"<u>", "</u>"}, std::pair{"<s>", "</s>"}}) {
      for (auto& text : list.Text) DropNestedTags(text, open, close);
    }
  }
  return true;
}

template <class Char>
bool HasValidTimes(const TimedEntries<Char>& list) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    if (list.Start[i] < 0 || list.End[i] < list.Start[i]) return false;
  }
  return true;
}

template <class Char>
std::basic_string<Char> DisplayCopy(const std::basic_string<Char>& text, SubtitleFormat format) {
  Str<Char> copy = text;
  if (format == SubtitleFormat::MicroDvd) RemoveGroups(copy, Char('{'), Char('}'));
  if (format == SubtitleFormat::SubRip) RemoveGroups(copy, Char('<'), Char('>'));
  return copy;
}

template <class Char>
std::vector<std::basic_string<Char>> SplitScreenLines(const std::basic_string<Char>& copy) {
  std::vector<Str<Char>> lines(1);
  for (Char c : copy) {
    if (c == Char('|')) {
      lines.emplace_back();
    } else {
      lines.back() += c;
    }
  }
  return lines;
}

std::vector<std::int32_t> DisplayDurations(const std::vector<std::int32_t>& start,
                                           const std::vector<std::size_t>& lengths,
                                           int averageDisplayTime) {
  const DisplayLengthRule dur(averageDisplayTime);
  std::vector<std::int32_t> durations(lengths.size());
  for (std::size_t i = 0; i < lengths.size(); ++i) {
    std::int64_t value = dur(lengths[i]);
    if (i + 1 < lengths.size()) {
      value = std::min<std::int64_t>(std::int64_t{start[i + 1]} - start[i], value);
    }
    durations[i] = ClampTime(value);
  }
  return durations;
}

template <class Char>
std::vector<std::int32_t> DisplayDurations(const TimedEntries<Char>& list,
                                           const std::vector<std::basic_string<Char>>& copies,
                                           int averageDisplayTime) {
  std::vector<std::size_t> lengths;
  lengths.reserve(copies.size());
  for (const auto& copy : copies) lengths.push_back(copy.size());
  return DisplayDurations(list.Start, lengths, averageDisplayTime);
}

#define LC_INSTANTIATE(Char)                                                                \
  template bool ApplySubtitleTags<Char>(TimedEntries<Char>&, SubtitleFormat, int);          \
  template bool HasValidTimes<Char>(const TimedEntries<Char>&);                             \
  template std::basic_string<Char> DisplayCopy<Char>(const std::basic_string<Char>&,        \
                                                     SubtitleFormat);                       \
  template std::vector<std::basic_string<Char>> SplitScreenLines<Char>(                     \
      const std::basic_string<Char>&);                                                      \
  template std::vector<std::int32_t> DisplayDurations<Char>(                                \
      const TimedEntries<Char>&, const std::vector<std::basic_string<Char>>&, int);
LC_INSTANTIATE(char)
LC_INSTANTIATE(char16_t)
#undef LC_INSTANTIATE

}  // namespace lc::subtitles
