#include "playlist/command_line_movies.h"

#include "playlist/folder_scan.h"
#include "playlist/playlist_file.h"

namespace lc::playlist {

std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle, const SubtitleSearch& Search) {
  if (AutoLoadSubtitle && Search) {
    std::string Found = Search(Movie);
    if (!Found.empty()) return Found;
  }
  return kNoSubtitle;
}

std::vector<CommandLineEntry> GatherCommandLineMovies(const std::vector<std::string>& Args,
                                                      const std::vector<std::string>& MediaExtensions,
                                                      bool AutoLoadSubtitle, const FileSystem& Files,
                                                      const SubtitleSearch& Search) {
  std::vector<CommandLineEntry> Entries;
  auto Append = [&](const std::string& Movie) {
    Entries.push_back({Movie, SubtitleForMovie(Movie, AutoLoadSubtitle, Search)});
  };
  for (const std::string& Arg : Args) {
    if (Files.FileExists(Arg)) {
      if (HasMediaExtension(Arg, MediaExtensions)) Append(Arg);
    } else if (Files.FolderExists(Arg)) {
      std::vector<std::string> Found;
      ScanFolderForVideos(Files, Arg, MediaExtensions, Found);
      SortByFileName(Found);
      for (const std::string& Movie : Found) Append(Movie);
    }
  }
  return Entries;
}

}  // namespace lc::playlist
