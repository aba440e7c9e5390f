#include "player/capture_rules.h"

#include <cstdio>

#include "settings/settings_store.h"

namespace lc {

const char* CaptureExtension(int captureType) {
  if (captureType == kCaptureBmp) return "bmp";
  if (captureType == kCaptureJpeg) return "jpg";
  return "png";
}

std::string CaptureFileName(const std::string& folder, long long counter, int captureType) {
  char number[32];
  std::snprintf(number, sizeof number, "%04lld", counter);
  std::string name = folder;
  if (name.empty() || name.back() != '\\') name += '\\';
  return name + "Capture" + number + "." + CaptureExtension(captureType);
}

std::string CaptureFolderFor(const std::string& setting, const std::string& desktop,
                             const std::string& movieFile,
                             const std::function<bool(const std::string&)>& folderExists) {
  if (setting == settings::kDesktopFolder) return desktop;
  if (!setting.empty() && folderExists(setting)) return setting;
  const size_t slash = movieFile.find_last_of('\\');
  return slash == std::string::npos ? std::string() : movieFile.substr(0, slash + 1);
}

std::string NextFreeCaptureName(long long& counter, const std::string& folder, int captureType,
                                const std::function<bool(const std::string&)>& taken) {
  while (counter < kLastCaptureNumber) {
    ++counter;
    std::string name = CaptureFileName(folder, counter, captureType);
    if (!taken(name)) return name;
  }
  return {};
}

}  // namespace lc
