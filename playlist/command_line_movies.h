// The movies a command line names, in the general case of the first
// activation (several arguments, or one folder): which of the arguments
// become entries, in what order, with which subtitles. Paths are UTF-8;
// the file system comes in as the playlist's FileSystem.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "playlist/file_system.h"

namespace lc::playlist {

struct CommandLineEntry {
  std::string Movie;
  std::string Subtitle;  // kNoSubtitle for none
  bool operator==(const CommandLineEntry&) const = default;
};

// The automatic subtitle search: the file found for a movie, empty for none.
using SubtitleSearch = std::function<std::string(const std::string& Movie)>;

// The subtitle of a movie: the search's result when AutoLoadSubtitle is on
// and it found one, else "No subtitle".
std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle, const SubtitleSearch& Search);

// Every existing file with a media extension in order (other files
// skipped), every existing folder's movies in file-name order, anything
// else skipped. Subtitles come from the search when AutoLoadSubtitle is on.
std::vector<CommandLineEntry> GatherCommandLineMovies(const std::vector<std::string>& Args,
                                                      const std::vector<std::string>& MediaExtensions,
                                                      bool AutoLoadSubtitle, const FileSystem& Files,
                                                      const SubtitleSearch& Search);

}  // namespace lc::playlist
