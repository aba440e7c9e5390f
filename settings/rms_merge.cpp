#include "settings/rms_merge.h"

#include <algorithm>

#include "settings/value_parse.h"

namespace lc::settings {
namespace {

bool ChangedEntry(const TRmsEntry& e, const RmsTable& synced) {
  const int at = synced.Find(e.Name);
  return at < 0 || !(synced[static_cast<std::size_t>(at)] == e);
}

// Deleted in this run (and not stored again since).
bool DeletedEntry(const std::string& name, const RmsTable& mine) {
  if (mine.Find(name) >= 0) return false;
  const std::vector<std::string>& deleted = mine.Deleted();
  return std::any_of(deleted.begin(), deleted.end(),
                     [&name](const std::string& d) { return SameTextAscii(d, name); });
}

}  // namespace

std::vector<TRmsEntry> MergeRms(const RmsTable& mine, const RmsTable& synced, const RmsTable& theirs,
                                bool theirsWhole) {
  std::vector<TRmsEntry> merged;
  merged.reserve(theirs.size() + mine.size());
  for (const TRmsEntry& e : theirs.entries()) {
    if (DeletedEntry(e.Name, mine)) continue;
    const int at = mine.Find(e.Name);
    const bool ours = at >= 0 && ChangedEntry(mine[static_cast<std::size_t>(at)], synced);
    merged.push_back(ours ? mine[static_cast<std::size_t>(at)] : e);
  }
  std::size_t added = 0;
  for (const TRmsEntry& e : mine.entries()) {
    if (theirs.Find(e.Name) >= 0) continue;
    if (ChangedEntry(e, synced)) {
      merged.push_back(e);
      ++added;
    } else if (!theirsWhole) {
      merged.push_back(e);
    }
  }
  const std::size_t limit = std::max(kRmsMaxEntries, merged.size() - added);
  while (merged.size() > limit) {
    auto oldest = merged.begin();
    for (auto it = merged.begin() + 1; it != merged.end(); ++it) {
      if (it->LastAccessed < oldest->LastAccessed) oldest = it;
    }
    merged.erase(oldest);
  }
  return merged;
}

bool RmsChangedSince(const RmsTable& mine, const RmsTable& synced) {
  for (const TRmsEntry& e : mine.entries()) {
    if (ChangedEntry(e, synced)) return true;
  }
  for (const std::string& name : mine.Deleted()) {
    if (synced.Find(name) >= 0 && mine.Find(name) < 0) return true;
  }
  return false;
}

}  // namespace lc::settings
