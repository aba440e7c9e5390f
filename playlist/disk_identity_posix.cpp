// Folder identity on POSIX hosts: the device and inode numbers, which every
// path to the folder shares, symbolic links included.
#include <sys/stat.h>

#include <string>

#include "playlist/file_system.h"

namespace lc::playlist {

std::string HostFolderIdentity(const std::string& hostPath) {
  struct stat info {};
  if (stat(hostPath.c_str(), &info) != 0) return {};
  return std::to_string(info.st_dev) + ":" + std::to_string(info.st_ino);
}

}  // namespace lc::playlist
