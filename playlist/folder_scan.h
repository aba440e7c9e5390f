// Finding movies: the recursive folder scan, the media-extension test and
// the sort by file name that every open and add operation uses.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "playlist/file_system.h"

namespace lc::playlist {

// True when the path's extension (ExtensionOf) is one of `mediaExtensions`
// (lower case, without dot); a path without extension is none.
bool HasMediaExtension(const std::string& path, const std::vector<std::string>& mediaExtensions);

// ScanFolderForVideos: appends to `result` every file below `folder` whose
// extension is a media extension, folder by folder in the order the file
// system lists the names, going into each subfolder where it is listed.
// Names beginning with "." are skipped. A folder reached a second time (a
// link or junction leading back up the tree) is not scanned again, so the
// scan ends on any tree.
void ScanFolderForVideos(const FileSystem& files, const std::string& folder,
                         const std::vector<std::string>& mediaExtensions, std::vector<std::string>& result);

// The order of the paths sorted by their file-name parts, letter case
// ignored, equal names keeping their order (as exchanges of neighbours
// would leave them): element p is the index of the path that goes to p.
std::vector<std::size_t> FileNameOrder(const std::vector<std::string>& paths);

// Sorts paths by their file-name parts, letter case ignored, equal names
// keeping their order. Returns the new position of the path that stood at
// `followIndex` (an index outside the list is returned as it is).
int SortByFileName(std::vector<std::string>& paths, int followIndex = -1);

}  // namespace lc::playlist
