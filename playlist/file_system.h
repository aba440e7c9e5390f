// The file system as the playlist and the opening of files see it. The
// program uses DiskFileSystem; tests may use a real scratch folder through
// it or a fake of their own.
//
// Paths are UTF-8 Windows paths; on other hosts DiskFileSystem takes "\" as
// the folder separator, so the same rules run natively.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/file_io.h"

namespace lc::playlist {

struct FolderEntry {
  std::string name;     // without its folder
  bool isFile = false;  // an existing file (anything else is taken as a folder)
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  virtual bool FileExists(const std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  // The names in `folder` (which ends in a separator), in the order the file
  // system gives them; empty when the folder cannot be read.
  virtual std::vector<FolderEntry> ListFolder(const std::string& folder) const = 0;
  // A text naming the folder itself, the same for every path that reaches it
  // (through links and junctions too); empty when it cannot be told.
  virtual std::string FolderIdentity(const std::string& folder) const = 0;
  // Reads a whole file; larger than `maxBytes` gives TooLarge.
  virtual settings::ReadStatus ReadWhole(const std::string& path, std::uint64_t maxBytes,
                                         std::string& bytes) const = 0;
  // Writes a file through a temporary file that then replaces it; false on
  // any failure, the old file being untouched then.
  virtual bool WriteReplacing(const std::string& path, std::string_view bytes) = 0;
  // True when the file no longer exists afterwards.
  virtual bool RemoveFile(const std::string& path) = 0;
  // Keeps a copy of a file that could not be read beside it, before a new
  // one takes its place (settings::KeepUnreadFile); true when a copy is
  // kept or nothing is there.
  virtual bool KeepAside(const std::string& path) = 0;
  // Creates the folder and its missing parents; true when it exists after.
  virtual bool MakeFolders(const std::string& path) = 0;
};

// The real file system (through settings/file_io.h for reading and writing).
class DiskFileSystem : public FileSystem {
 public:
  bool FileExists(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  std::vector<FolderEntry> ListFolder(const std::string& folder) const override;
  std::string FolderIdentity(const std::string& folder) const override;
  settings::ReadStatus ReadWhole(const std::string& path, std::uint64_t maxBytes,
                                 std::string& bytes) const override;
  bool WriteReplacing(const std::string& path, std::string_view bytes) override;
  bool RemoveFile(const std::string& path) override;
  bool KeepAside(const std::string& path) override;
  bool MakeFolders(const std::string& path) override;
};

// The path as the host's file functions take it: unchanged on Windows, with
// "\" turned into "/" elsewhere.
std::string HostPath(const std::string& path);

// The identity of a folder given as a host path (disk_identity_*.cpp).
std::string HostFolderIdentity(const std::string& hostPath);

}  // namespace lc::playlist
