// Finishing a parsed subtitle list (missing times, overlaps, repeated texts,
// line separators, SubRip style tags) and deriving what the screen needs:
// each entry's display copy, display time and screen lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

// Finishes `list` in place, in this order: entries with an empty text go;
// missing times are filled from the neighbours and the display-length rule;
// overlaps are resolved; a text repeated by the next entry that starts
// where it ends is merged with it; "|" separators are tidied (none at
// either end, no "||"); for SubRip, nested <b>, <i>, <u> and <s> tags are
// dropped. Where resolving the overlaps leaves an entry without a time span
// of its own, the overlaps are resolved again from the filled times, with
// an entry squeezed to nothing moving its start back from the second entry
// on, and where that still does not do, with cues that start together (or
// before the cue they follow) joined into one entry first. False when the
// list is empty or a time is still missing (or a time at the end of the
// range leaves no span); the list is then left as the routine stopped with
// it.
template <class Char>
bool ApplySubtitleTags(TimedEntries<Char>& list, SubtitleFormat format, int averageDisplayTime);

// True when every time is at least 0 and every entry ends after it starts.
template <class Char>
bool HasValidTimes(const TimedEntries<Char>& list);

// The text as it is shown: for MicroDVD without "{...}" groups, for SubRip
// without "<...>" groups (a group holding another opening character stays,
// and so does an opening character without its closing partner); other
// formats show the text as it is.
template <class Char>
std::basic_string<Char> DisplayCopy(const std::basic_string<Char>& text, SubtitleFormat format);

// A display copy split at every "|", empty pieces kept.
template <class Char>
std::vector<std::basic_string<Char>> SplitScreenLines(const std::basic_string<Char>& copy);

// Display times of entries starting at `start` whose display copies hold
// `lengths` characters: the display-length rule for each length, cut at the
// next entry's start; the last entry is not cut.
std::vector<std::int32_t> DisplayDurations(const std::vector<std::int32_t>& start,
                                           const std::vector<std::size_t>& lengths,
                                           int averageDisplayTime);

// Display times of the entries: the display-length rule for each display
// copy, cut at the next entry's start.
template <class Char>
std::vector<std::int32_t> DisplayDurations(const TimedEntries<Char>& list,
                                           const std::vector<std::basic_string<Char>>& copies,
                                           int averageDisplayTime);

}  // namespace lc::subtitles
