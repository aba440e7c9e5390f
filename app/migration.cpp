#include "app/migration.h"

#include <algorithm>
#include <cctype>

namespace lc {

namespace {
std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}
}  // namespace

std::vector<std::string> MigratedFileNames(const std::string& appName) {
  return {appName + ".ini", "Presets.EQ", appName + ".rs", appName + ".lpl"};
}

std::vector<std::string> MigrateOldFiles(const std::string& exeFolder, const std::string& dataFolder,
                                         const std::string& appName, const FileOps& ops) {
  std::vector<std::string> moved;
  if (Lower(exeFolder) == Lower(dataFolder)) return moved;
  for (const std::string& name : MigratedFileNames(appName)) {
    const std::string from = exeFolder + name, to = dataFolder + name;
    if (ops.exists(to) || !ops.exists(from)) continue;
    if (!ops.copyNew(from, to)) continue;
    ops.remove(from);
    moved.push_back(name);
  }
  return moved;
}

}  // namespace lc
