// The shell's DDE macros to the running player: "/Play <path>",
// "/AddFile <path>" and "/AddFolder <path>", the command at the first
// character of the first line, and the rule that turns a burst of "/Play"
// macros (one per file the user selected) into one playlist.
// Portable: no Windows header.
#pragma once

#include <string>
#include <vector>

namespace lc {

enum class MacroKind { None, Play, AddFile, AddFolder };

struct SystemMacro {
  MacroKind Kind = MacroKind::None;
  std::string Path;  // the rest of the line after the command and its blank
};

// The macro of the first line; None for no line, a line with leading
// blanks, a command without its blank or any other text.
SystemMacro ParseSystemMacro(const std::vector<std::string>& lines);

// A "/Play" replaces the playlist and plays only when no movie is being
// opened and strictly more than 1000 ms have passed since the last opening
// ended (times in days); otherwise the path joins the playlist.
bool PlayReplacesPlaylist(bool openingMovie, double now, double lastOpenEndTime);

}  // namespace lc
