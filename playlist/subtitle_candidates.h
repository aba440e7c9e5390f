// The subtitle files offered for one playlist entry: the entry's own
// subtitle first, then the best-named subtitle files of the movie's folder
// and of the subtitle folder, at most five in all, each confirmed by the
// caller's silent check. Plain C++ over the subtitle search's folder access.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "subtitles/search.h"

namespace lc::playlist {

// The most candidates the subtitle list offers.
constexpr std::size_t kMaxSubtitleCandidates = 5;

struct EntryCandidates {
  std::vector<std::string> Paths;  // full paths, best first
  // The line of the subtitle list to select: 1 when the entry has its own
  // subtitle (it is then Paths[0]), else 0, the "No subtitle" line.
  int SelectedLine = 0;
  // The folder made current while searching: the movie's folder; empty
  // when the movie's folder was not searched.
  std::string SearchedFolder;
};

// Gathers the candidates of the entry whose movie is `movie` and whose
// subtitle is `entrySubtitle` ("No subtitle" for none). `check` is the
// silent subtitle check; the entry's own subtitle is offered unchecked.
EntryCandidates GatherEntryCandidates(const std::string& movie, const std::string& entrySubtitle,
                                      const subtitles::SearchSettings& settings,
                                      const subtitles::SubtitleFolders& folders,
                                      const std::function<bool(const std::string& path)>& check);

// The subtitle list's lines: `noSubtitleText`, then each candidate's file
// name; only the first line when the movie's folder could not be searched
// (the entry's own subtitle is then a candidate without a line).
std::vector<std::string> CandidateLines(const std::string& noSubtitleText,
                                        const EntryCandidates& candidates);

}  // namespace lc::playlist
