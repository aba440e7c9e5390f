// Where a captured frame goes and what it is called: "Capture", the
// counter padded to four digits, "." and the extension of the chosen type,
// in the desktop folder, the chosen folder, or the movie's own folder.
// Portable: no Windows header.
#pragma once

#include <functional>
#include <string>

namespace lc {

// CaptureType: 0 BMP, 1 JPEG, anything else PNG.
inline constexpr int kCaptureBmp = 0;
inline constexpr int kCaptureJpeg = 1;
inline constexpr int kCapturePng = 2;

// The counter goes no further than this; a run that has used every number
// up to it captures nothing more.
inline constexpr long long kLastCaptureNumber = 99999999;

// "bmp", "jpg" or "png".
const char* CaptureExtension(int captureType);

// Folder + "\" (unless it ends with one) + "Capture" + the counter padded
// with zeros to four digits + "." + the extension.
std::string CaptureFileName(const std::string& folder, long long counter, int captureType);

// The folder a capture goes to: the desktop when the setting is "Desktop",
// else the setting when that folder exists, else the movie's folder (its
// path up to and including the last "\").
std::string CaptureFolderFor(const std::string& setting, const std::string& desktop,
                             const std::string& movieFile,
                             const std::function<bool(const std::string&)>& folderExists);

// Counts `counter` up until the name it gives is free (`taken` false) and
// returns that name; empty once the counter has passed kLastCaptureNumber
// (an existing file is never chosen).
std::string NextFreeCaptureName(long long& counter, const std::string& folder, int captureType,
                                const std::function<bool(const std::string&)>& taken);

}  // namespace lc
