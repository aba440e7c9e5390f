// The parts of a path: its file name and its folder. Paths are UTF-8
// Windows paths ("C:\Programs\Lumacraft.exe"); "/" counts as a separator
// too.
#pragma once

#include <string>

namespace lc {

// The file name part of a path (after the last "\" or "/").
std::string FileNameOf(const std::string& path);
// The folder part of a path, always ending in "\".
std::string FolderOf(const std::string& path);
// `folder` with "\" appended when it does not end in one.
std::string WithTrailingBackslash(std::string folder);

}  // namespace lc
