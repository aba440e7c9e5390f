// The recent-files list and the lookup of a movie's next part.
#pragma once

#include <array>
#include <string>

#include "playlist/file_system.h"
#include "settings/settings_store.h"

namespace lc::playlist {

using RecentFileList = std::array<std::string, settings::kRecentFileCount>;

// Moves `fileName` to the front of the list, or puts it there: empty
// places are closed up first, a name already listed (letter case ignored)
// leaves its place, and a sixth name falls off the end. The front takes
// the name as given.
void AddToRecentFiles(RecentFileList& recent, const std::string& fileName);

// The path of the next part of a multi-part movie ("Movie CD1.avi" gives
// "Movie CD2.avi", "Film 009.avi" "Film 010.avi", "Show I.avi"
// "Show II.avi", "PartA.avi" "PartB.avi"; other names try each letter or
// digit of the name raised by one), only when that file exists; empty when
// there is none.
std::string FindNextPartFile(const FileSystem& files, const std::string& fileName);

}  // namespace lc::playlist
