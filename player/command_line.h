// The rules by which the main window's first activation turns the command
// line into the playlist: which case the arguments make (the movies of the
// general case are playlist/command_line_movies.h's). Paths are UTF-8.
// Portable: the file system comes in as the playlist's FileSystem.
#pragma once

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

}  // namespace lc
