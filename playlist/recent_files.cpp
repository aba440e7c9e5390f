#include "playlist/recent_files.h"

#include <cstddef>

#include "playlist/text_rules.h"

namespace lc::playlist {

void AddToRecentFiles(RecentFileList& recent, const std::string& fileName) {
  constexpr std::size_t kLast = settings::kRecentFileCount - 1;
  // Empty places close up, however many follow each other.
  std::size_t n = 0;
  for (std::size_t place = 0; place < recent.size(); ++place) {
    if (!recent[place].empty()) recent[n++] = recent[place];
  }
  for (std::size_t place = n; place < recent.size(); ++place) recent[place].clear();

  const std::string wanted = LowerText(fileName);
  std::size_t from = n == recent.size() ? kLast : n;  // the place that is given up
  for (std::size_t place = 0; place < n; ++place) {
    if (LowerText(recent[place]) == wanted) {
      from = place;
      break;
    }
  }
  for (std::size_t place = from; place > 0; --place) recent[place] = recent[place - 1];
  recent[0] = fileName;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Rule of trailing digits: the number plus one, as wide as it was (or
// wider when it overflows). Empty when there are no trailing digits or
// more than five.
std::string NextNumberedBase(const std::string& base, bool& applies) {
  std::size_t digits = 0;
  while (digits < base.size() && IsDigit(base[base.size() - 1 - digits])) ++digits;
  applies = digits > 0;
  if (digits == 0 || digits > 5) return {};
  const std::string number = base.substr(base.size() - digits);
  std::string next = std::to_string(std::stol(number) + 1);
  if (next.size() < digits) next.insert(0, digits - next.size(), '0');
  return base.substr(0, base.size() - digits) + next;
}

bool EndsInRomanPart(const std::string& base) {
  std::size_t is = 0;
  while (is < base.size() && base[base.size() - 1 - is] == 'I') ++is;
  return (is == 1 || is == 2) && base.size() > is && base[base.size() - 1 - is] == ' ';
}

}  // namespace

std::string FindNextPartFile(const FileSystem& files, const std::string& fileName) {
  const std::string dir = FolderPart(fileName);
  const std::string name = fileName.substr(dir.size());
  const std::size_t dot = name.rfind('.');
  const std::string base = dot == std::string::npos ? name : name.substr(0, dot);
  const std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
  auto existing = [&](const std::string& candidateBase) {
    const std::string candidate = dir + candidateBase + ext;
    return files.FileExists(candidate) ? candidate : std::string();
  };

  bool numbered = false;
  const std::string numberedBase = NextNumberedBase(base, numbered);
  if (numbered) return numberedBase.empty() ? std::string() : existing(numberedBase);

  if (!base.empty()) {
    const char last = base.back();
    if ((last >= 'A' && last <= 'Y') || (last >= 'a' && last <= 'y')) {
      std::string next = base;
      next.back() = static_cast<char>(last + 1);
      if (std::string found = existing(next); !found.empty()) return found;
    }
  }
  if (EndsInRomanPart(base)) return existing(base + "I");

  for (std::size_t i = base.size() >= 2 ? base.size() - 1 : 0; i-- > 0;) {
    std::string next = base;
    const char c = base[i];
    if ((c >= '0' && c <= '8') || (c >= 'a' && c <= 'y')) {
      next[i] = static_cast<char>(c + 1);
    } else if (c == '9' && i > 0 && base[i - 1] >= '0' && base[i - 1] <= '8') {
      next[i - 1] = static_cast<char>(base[i - 1] + 1);
      next[i] = '0';
    } else {
      continue;
    }
    if (std::string found = existing(next); !found.empty()) return found;
  }
  return {};
}

}  // namespace lc::playlist
