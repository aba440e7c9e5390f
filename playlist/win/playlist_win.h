// The Windows pieces of the playlist and of file opening: the user
// locale's letter case and collation, and the names of a drop.
#pragma once

#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

namespace lc::playlist {

// Installs the platform's collation (CharLowerBuffW, CompareStringW with the
// user's locale, case ignored) for every name rule of this folder.
void InstallWindowsPlaylistServices();

// Every path of a drop, whatever its length, as UTF-8; the drop is
// released. The windows' WM_DROPFILES handlers hand these to the opening.
std::vector<std::string> TakeDroppedFiles(HDROP drop);

}  // namespace lc::playlist
