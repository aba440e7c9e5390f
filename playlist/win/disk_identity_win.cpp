// Folder identity on Windows: the volume serial number and file index of
// the folder opened through whatever links or junctions lead to it.
#include <windows.h>

#include <string>

#include "framework/unicode.h"
#include "playlist/file_system.h"

namespace lc::playlist {

std::string HostFolderIdentity(const std::string& hostPath) {
  HANDLE folder = CreateFileW(DecodeText(hostPath).c_str(), FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (folder == INVALID_HANDLE_VALUE) return {};
  BY_HANDLE_FILE_INFORMATION info{};
  const bool known = GetFileInformationByHandle(folder, &info) != FALSE;
  CloseHandle(folder);
  if (!known) return {};
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
         std::to_string(info.nFileIndexLow);
}

}  // namespace lc::playlist
