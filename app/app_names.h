// The program's names and folders, derived from the executable's own path.
// Paths are UTF-8 Windows paths ("C:\Programs\Lumacraft.exe").
#pragma once

#include <string>

#include "settings/path_names.h"

namespace lc {

// The base name: the executable's file name without its extension; exactly
// "LUMACRAFT" becomes "Lumacraft", any other letter case is kept. A name
// with no four-character extension loses only what follows its last dot
// (or nothing, when it has none), never letters of the name itself.
std::string BaseNameFromExeFileName(const std::string& fileName);

}  // namespace lc
