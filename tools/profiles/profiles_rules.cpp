#include "tools/profiles/profiles_rules.h"

#include <algorithm>

namespace lc::tools {

int DeleteRmsNames(settings::RmsTable& table, const std::vector<std::string>& names) {
  int removed = 0;
  for (const std::string& name : names) {
    const int index = table.Find(name);
    if (index < 0) continue;
    table.Remove(static_cast<std::size_t>(index));
    ++removed;
  }
  return removed;
}

int CurrentLineAfterDelete(int rememberedLine, int remainingLines) {
  if (remainingLines <= 0) return -1;
  return std::clamp(rememberedLine, 0, remainingLines - 1);
}

bool SkipCurrentAfterEditing(const settings::RmsTable& table, bool graphActive,
                             const std::string& movieName, bool skipBefore) {
  if (!graphActive) return skipBefore;
  return table.Find(movieName) < 0;
}

}  // namespace lc::tools
