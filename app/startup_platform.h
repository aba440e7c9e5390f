// The platform queries of the start-up: the data folder, file operations
// for the migration, the process priority.
#pragma once

#include <string>
#include <vector>

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

// The priority class for the held CpuPriority value (0 high, 1 above
// normal, 3 below normal); 0 means leave the priority as it is.
unsigned PriorityClassFor(int heldPriority);
// Gives the process the class for the held CpuPriority value.
void ApplyProcessPriority(int heldPriority);

}  // namespace lc
