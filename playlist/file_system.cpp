#include "playlist/file_system.h"

#include <filesystem>
#include <system_error>

#include "settings/unread_file.h"

namespace lc::playlist {
namespace fs = std::filesystem;

namespace {

fs::path ToFsPath(const std::string& hostPath) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(hostPath.data()), hostPath.size()));
}

std::string FromFsName(const fs::path& name) {
  const std::u8string text = name.u8string();
  return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

}  // namespace

std::string HostPath(const std::string& path) {
#ifdef _WIN32
  return path;
#else
  std::string out = path;
  for (char& c : out) {
    if (c == '\\') c = '/';
  }
  return out;
#endif
}

bool DiskFileSystem::FileExists(const std::string& path) const { return settings::FileExists(HostPath(path)); }

bool DiskFileSystem::FolderExists(const std::string& path) const {
  return settings::FolderExists(HostPath(path));
}

std::vector<FolderEntry> DiskFileSystem::ListFolder(const std::string& folder) const {
  std::vector<FolderEntry> entries;
  std::error_code ec;
  fs::directory_iterator it(ToFsPath(HostPath(folder)), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    entries.push_back({FromFsName(it->path().filename()), it->is_regular_file(typeError)});
  }
  return entries;
}

std::string DiskFileSystem::FolderIdentity(const std::string& folder) const {
  return HostFolderIdentity(HostPath(folder));
}

settings::ReadStatus DiskFileSystem::ReadWhole(const std::string& path, std::uint64_t maxBytes,
                                               std::string& bytes) const {
  return settings::ReadFileBytes(HostPath(path), maxBytes, bytes);
}

bool DiskFileSystem::WriteReplacing(const std::string& path, std::string_view bytes) {
  return settings::WriteFileReplacing(HostPath(path), bytes);
}

bool DiskFileSystem::RemoveFile(const std::string& path) { return settings::DeleteFileAt(HostPath(path)); }

bool DiskFileSystem::KeepAside(const std::string& path) {
  return settings::StateAfterKeeping(settings::KeepUnreadFile(HostPath(path))) == settings::UnreadFile::None;
}

bool DiskFileSystem::MakeFolders(const std::string& path) { return settings::CreateFolders(HostPath(path)); }

}  // namespace lc::playlist
