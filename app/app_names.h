// The program's names and folders, derived from the executable's own path.
// Paths are UTF-8 Windows paths ("C:\Programs\Lumacraft.exe").
#pragma once

#include <string>

namespace lc {

// The base name: the executable's file name without its extension; exactly
// "LUMACRAFT" becomes "Lumacraft", any other letter case is kept. A name
// with no four-character extension loses only what follows its last dot
// (or nothing, when it has none), never letters of the name itself.
std::string BaseNameFromExeFileName(const std::string& fileName);

// The file name part of a path (after the last "\" or "/").
std::string FileNameOf(const std::string& path);
// The folder part of a path, always ending in "\".
std::string FolderOf(const std::string& path);
// `folder` with "\" appended when it does not end in one.
std::string WithTrailingBackslash(std::string folder);

}  // namespace lc
