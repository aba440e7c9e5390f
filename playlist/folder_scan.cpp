#include "playlist/folder_scan.h"

#include <algorithm>
#include <set>

#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

// Folders deeper than this are not entered: a backstop for file systems
// that cannot tell a folder's identity.
constexpr int kMaxDepth = 256;

class Scan {
 public:
  Scan(const FileSystem& files, const std::vector<std::string>& extensions, std::vector<std::string>& result)
      : files_(files), extensions_(extensions.begin(), extensions.end()), result_(result) {}

  void Folder(const std::string& folder, int depth) {
    const std::string identity = files_.FolderIdentity(folder);
    if (!identity.empty() && !visited_.insert(identity).second) return;
    for (const FolderEntry& entry : files_.ListFolder(folder)) {
      if (entry.isFile) {
        const std::size_t dot = entry.name.rfind('.');
        if (dot != std::string::npos && dot + 1 < entry.name.size() && extensions_.count(LowerText(entry.name.substr(dot + 1))) > 0)
          result_.push_back(folder + entry.name);
      } else if (!entry.name.empty() && entry.name[0] != '.' && depth < kMaxDepth) {
        Folder(folder + entry.name + "\\", depth + 1);
      }
    }
  }

 private:
  const FileSystem& files_;
  std::set<std::string> extensions_;
  std::vector<std::string>& result_;
  std::set<std::string> visited_;
};

}  // namespace

bool HasMediaExtension(const std::string& path, const std::vector<std::string>& mediaExtensions) {
  const std::string ext = ExtensionOf(path);
  return !ext.empty() && std::find(mediaExtensions.begin(), mediaExtensions.end(), ext) != mediaExtensions.end();
}

void ScanFolderForVideos(const FileSystem& files, const std::string& folder,
                         const std::vector<std::string>& mediaExtensions, std::vector<std::string>& result) {
  Scan(files, mediaExtensions, result).Folder(WithSeparator(folder), 0);
}

std::vector<std::size_t> FileNameOrder(const std::vector<std::string>& paths) {
  std::vector<std::string> names;
  names.reserve(paths.size());
  for (const std::string& path : paths) names.push_back(FileNamePart(path));
  std::vector<std::size_t> order(paths.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const Collation& collation = CurrentCollation();
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return collation.CompareNoCase(names[a], names[b]) < 0;
  });
  return order;
}

int SortByFileName(std::vector<std::string>& paths, int followIndex) {
  const std::vector<std::size_t> order = FileNameOrder(paths);
  std::vector<std::string> sorted;
  sorted.reserve(paths.size());
  int followed = followIndex;
  for (std::size_t p = 0; p < order.size(); ++p) {
    if (static_cast<int>(order[p]) == followIndex) followed = static_cast<int>(p);
    sorted.push_back(std::move(paths[order[p]]));
  }
  paths = std::move(sorted);
  return followed;
}

}  // namespace lc::playlist
