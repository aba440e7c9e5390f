// The rules by which the main window's first activation turns the command
// line into the playlist: which case the arguments make, which files are
// movies, the order of a folder's movies and the numbered lines of the
// playlist window's movie list. Paths are UTF-8. Portable: the file system
// and the platform's name comparison come in through CommandLineFiles.
#pragma once

#include <string>
#include <vector>

#include "settings/path_names.h"

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

// The file system and the platform as the rules see them.
class CommandLineFiles {
 public:
  virtual ~CommandLineFiles() = default;
  virtual bool FileExists(const std::string& Path) const = 0;
  virtual bool FolderExists(const std::string& Path) const = 0;
  // Every movie file under Folder (the recursive folder scan).
  virtual std::vector<std::string> ScanFolder(const std::string& Folder) const = 0;
  // The platform's case-insensitive, locale-aware comparison of two file
  // names: negative, 0 or positive.
  virtual int CompareNames(const std::string& A, const std::string& B) const = 0;
  // The subtitle the automatic search finds for a movie; empty for none.
  virtual std::string SearchSubtitle(const std::string& Movie) const = 0;
};

CommandLineCase ClassifyCommandLine(const std::vector<std::string>& Args,
                                    const CommandLineFiles& Files);

// True when the lower-cased path's first ".lpl" is at its end.
bool IsPlaylistFileName(const std::string& Path);
// The text after the last ".", in ASCII lower case; empty when there is no ".".
std::string LowerExtensionOf(const std::string& Path);

// Sorts paths by file name (the folder part ignored) with repeated bubble
// passes until one swaps nothing.
void SortByFileName(std::vector<std::string>& Paths, const CommandLineFiles& Files);

// The lines of the playlist window's movie list: the number from 1, ". "
// and the file name. With Pad the numbers are left-padded with "0" to the
// number of digits of the entry count.
std::vector<std::string> PlaylistLines(const std::vector<std::string>& Movies, bool Pad);

struct CommandLineEntry {
  std::string Movie;
  std::string Subtitle;  // "No subtitle" for none
  bool operator==(const CommandLineEntry&) const = default;
};

// The subtitle text of an entry without one.
inline constexpr const char* kNoSubtitle = "No subtitle";

// The general case: every existing media file in order (other files
// skipped), every existing folder's movies in file-name order, anything
// else skipped. Subtitles come from the search when AutoLoadSubtitle is on.
std::vector<CommandLineEntry> GatherCommandLineMovies(
    const std::vector<std::string>& Args, const std::vector<std::string>& MediaExtensions,
    bool AutoLoadSubtitle, const CommandLineFiles& Files);

// The subtitle of a single movie: the search's result when AutoLoadSubtitle
// is on and it found one, else "No subtitle".
std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle,
                             const CommandLineFiles& Files);

}  // namespace lc
