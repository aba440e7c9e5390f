#include "app/app_names.h"

namespace lc {

std::string BaseNameFromExeFileName(const std::string& fileName) {
  std::string base = fileName;
  const size_t dot = fileName.find_last_of('.');
  if (fileName.size() > 4 && fileName[fileName.size() - 4] == '.')
    base = fileName.substr(0, fileName.size() - 4);
  else if (dot != std::string::npos && dot > 0)
    base = fileName.substr(0, dot);
  if (base == "LUMACRAFT") base = "Lumacraft";
  return base;
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return WithTrailingBackslash(slash == std::string::npos ? std::string() : path.substr(0, slash));
}

std::string WithTrailingBackslash(std::string folder) {
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

}  // namespace lc
