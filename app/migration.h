// Moving data files that older versions kept beside the executable into the
// per-user data folder.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace lc {

struct FileOps {
  std::function<bool(const std::string& path)> exists;
  // Copies, failing when the target exists.
  std::function<bool(const std::string& from, const std::string& to)> copyNew;
  std::function<void(const std::string& path)> remove;
};

// The four files, in the order they are moved.
std::vector<std::string> MigratedFileNames(const std::string& appName);

// Moves each file that exists only in `exeFolder` into `dataFolder` (both
// ending in "\"); nothing happens when the two folders are the same but for
// letter case. A failed copy leaves the old file where it is; the old file
// is deleted only after a good copy. Returns the names moved.
std::vector<std::string> MigrateOldFiles(const std::string& exeFolder, const std::string& dataFolder,
                                         const std::string& appName, const FileOps& ops);

}  // namespace lc
