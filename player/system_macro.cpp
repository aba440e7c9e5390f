#include "player/system_macro.h"

#include <string_view>

namespace lc {

SystemMacro ParseSystemMacro(const std::vector<std::string>& lines) {
  if (lines.empty()) return {};
  const std::string& line = lines.front();
  struct Command {
    std::string_view Text;
    MacroKind Kind;
  };
  static constexpr Command kCommands[] = {
      {"/Play ", MacroKind::Play}, {"/AddFile ", MacroKind::AddFile}, {"/AddFolder ", MacroKind::AddFolder}};
  for (const Command& c : kCommands)
    if (line.compare(0, c.Text.size(), c.Text) == 0) return {c.Kind, line.substr(c.Text.size())};
  return {};
}

bool PlayReplacesPlaylist(bool openingMovie, double now, double lastOpenEndTime) {
  return !openingMovie && (now - lastOpenEndTime) * 86400000.0 > 1000.0;
}

}  // namespace lc
