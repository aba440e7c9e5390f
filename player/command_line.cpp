#include "player/command_line.h"

#include "playlist/folder_scan.h"

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

std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle, const SubtitleSearch& Search) {
  if (AutoLoadSubtitle && Search) {
    std::string Found = Search(Movie);
    if (!Found.empty()) return Found;
  }
  return kNoSubtitle;
}

std::vector<CommandLineEntry> GatherCommandLineMovies(const std::vector<std::string>& Args,
                                                      const std::vector<std::string>& MediaExtensions,
                                                      bool AutoLoadSubtitle, const playlist::FileSystem& Files,
                                                      const SubtitleSearch& Search) {
  std::vector<CommandLineEntry> Entries;
  auto Append = [&](const std::string& Movie) {
    Entries.push_back({Movie, SubtitleForMovie(Movie, AutoLoadSubtitle, Search)});
  };
  for (const std::string& Arg : Args) {
    if (Files.FileExists(Arg)) {
      if (playlist::HasMediaExtension(Arg, MediaExtensions)) Append(Arg);
    } else if (Files.FolderExists(Arg)) {
      std::vector<std::string> Found;
      playlist::ScanFolderForVideos(Files, Arg, MediaExtensions, Found);
      playlist::SortByFileName(Found);
      for (const std::string& Movie : Found) Append(Movie);
    }
  }
  return Entries;
}

}  // namespace lc
