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

}  // namespace lc
