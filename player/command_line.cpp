#include "player/command_line.h"

namespace lc {

CommandLineCase ClassifyCommandLine(const std::vector<std::string>& Args, const playlist::FileSystem& Files) {
  if (Args.empty() || Args[0].empty()) return CommandLineCase::Nothing;
  if (Args.size() >= 2) {
    if (Args[0] == "/AddFile") return CommandLineCase::AddFile;
    if (Args[0] == "/AddFolder") return CommandLineCase::AddFolder;
    return CommandLineCase::General;
  }
  if (Files.FileExists(Args[0])) return CommandLineCase::SingleFile;
  if (Files.FolderExists(Args[0])) return CommandLineCase::General;
  return CommandLineCase::Missing;
}

bool IsPlaylistFileName(const std::string& Path) {
  std::string Lower = Path;
  for (char& C : Lower)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  const std::size_t At = Lower.find(".lpl");
  return At != std::string::npos && At + 4 == Path.size();
}

}  // namespace lc
