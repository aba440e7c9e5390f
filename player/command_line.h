// The rules by which the main window's first activation turns the command
// line into the playlist: which case the arguments make and, in the general
// case, which movies the arguments name and in what order. Paths are UTF-8.
// Portable: the file system comes in as the playlist's FileSystem.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "playlist/file_system.h"

namespace lc {

// What the first activation does with its arguments (the program itself
// not counted).
enum class CommandLineCase {
  Nothing,     // no argument, or an empty first one
  AddFile,     // "/AddFile" path: appended to the loaded playlist
  AddFolder,   // "/AddFolder" folder: its movies appended
  SingleFile,  // one existing file: a movie or an .lpl playlist
  General,     // several arguments, or one existing folder
  Missing,     // one argument that is neither a file nor a folder
};

CommandLineCase ClassifyCommandLine(const std::vector<std::string>& Args, const playlist::FileSystem& Files);

// True when the lower-cased path's first ".lpl" is at its end.
bool IsPlaylistFileName(const std::string& Path);

struct CommandLineEntry {
  std::string Movie;
  std::string Subtitle;  // "No subtitle" for none
  bool operator==(const CommandLineEntry&) const = default;
};

// The subtitle text of an entry without one.
inline constexpr const char* kNoSubtitle = "No subtitle";

// The automatic subtitle search: the file found for a movie, empty for none.
using SubtitleSearch = std::function<std::string(const std::string& Movie)>;

// The subtitle of a movie: the search's result when AutoLoadSubtitle is on
// and it found one, else "No subtitle".
std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle, const SubtitleSearch& Search);

// The general case: every existing file with a media extension in order
// (other files skipped), every existing folder's movies in file-name order,
// anything else skipped. Subtitles come from the search when
// AutoLoadSubtitle is on.
std::vector<CommandLineEntry> GatherCommandLineMovies(const std::vector<std::string>& Args,
                                                      const std::vector<std::string>& MediaExtensions,
                                                      bool AutoLoadSubtitle, const playlist::FileSystem& Files,
                                                      const SubtitleSearch& Search);

}  // namespace lc
