// The platform queries of the start-up: the data folder, file operations
// for the migration, the display modes, the process priority.
#pragma once

#include <string>
#include <vector>

#include "app/display_modes.h"
#include "app/migration.h"

namespace lc {

// A shell folder (CSIDL) path without a trailing "\", or "" on failure.
std::wstring GetSpecialFolderPath(int csidl);

// The per-user data folder (application data + base name + "\"), created
// with its parents when missing; the executable's folder when the shell
// gives no such folder or it cannot be created. Both end in "\".
std::wstring ChooseDataFolder(const std::wstring& appName, const std::wstring& exeFolder);

// File operations on UTF-8 paths for the migration of old files.
FileOps WindowsFileOps();

// The primary display's modes of 16 bits per pixel, or of 32 when it has
// none of 16; every mode number from 0 on is read.
std::vector<DisplayMode> CollectDisplayModes();

// "M1280x1024x60Hz": the mode in force on the screen.
std::string CurrentDisplayModeName();

// The priority class for the held CpuPriority value (0 high, 1 above
// normal, 3 below normal); 0 means leave the priority as it is.
unsigned PriorityClassFor(int heldPriority);

}  // namespace lc
