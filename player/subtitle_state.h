// The current movie's subtitle as the player keeps it: the loaded list with
// its display data, the file it came from, the manual time shift and the
// font reduction of the entry on screen. Whether a subtitle is loaded is
// PlayerState::SubtitleLoaded; whether subtitles are shown is the main
// window's SubtitlesShown. GUI thread only.
#pragma once

#include <string>

#include "subtitles/subtitle_data.h"

namespace lc {

struct SubtitleState {
  // SubtitleList, SubtitleIsWide, SubtitleDurations and SubtitleEntryLines
  // (empty after a failed load).
  subtitles::Subtitle Current;
  std::string CurrentSubtitleFile;
  // The file chosen by the last search; empty when it found none.
  std::string SubtitleSearchResult;
  // The accumulated manual shift, in tenths of a second (0 after a load).
  int SubtitleDelay = 0;
  // How much the pulse shrank the font for the entry on screen (at most 1).
  double SubtitleFontScale = 1.0;
};

// The one instance.
SubtitleState& Subtitles();

}  // namespace lc
