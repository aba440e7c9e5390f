#include "player/command_line.h"

#include <algorithm>
#include <utility>

namespace lc {
namespace {

std::string AsciiLower(std::string S) {
  for (char& C : S)
    if (C >= 'A' && C <= 'Z') C = static_cast<char>(C - 'A' + 'a');
  return S;
}

}  // namespace

CommandLineCase ClassifyCommandLine(const std::vector<std::string>& Args,
                                    const CommandLineFiles& Files) {
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
  const std::size_t At = AsciiLower(Path).find(".lpl");
  return At != std::string::npos && At + 4 == Path.size();
}

std::string LowerExtensionOf(const std::string& Path) {
  const std::size_t At = Path.rfind('.');
  return At == std::string::npos ? std::string() : AsciiLower(Path.substr(At + 1));
}

void SortByFileName(std::vector<std::string>& Paths, const CommandLineFiles& Files) {
  bool Swapped = true;
  while (Swapped) {
    Swapped = false;
    for (std::size_t I = 1; I < Paths.size(); ++I) {
      if (Files.CompareNames(FileNameOf(Paths[I - 1]), FileNameOf(Paths[I])) > 0) {
        std::swap(Paths[I - 1], Paths[I]);
        Swapped = true;
      }
    }
  }
}

std::vector<std::string> PlaylistLines(const std::vector<std::string>& Movies, bool Pad) {
  const std::size_t Digits = std::to_string(Movies.size()).size();
  std::vector<std::string> Lines;
  Lines.reserve(Movies.size());
  for (std::size_t I = 0; I < Movies.size(); ++I) {
    std::string Number = std::to_string(I + 1);
    if (Pad && Number.size() < Digits) Number.insert(0, Digits - Number.size(), '0');
    Lines.push_back(Number + ". " + FileNameOf(Movies[I]));
  }
  return Lines;
}

std::string SubtitleForMovie(const std::string& Movie, bool AutoLoadSubtitle,
                             const CommandLineFiles& Files) {
  if (AutoLoadSubtitle) {
    std::string Found = Files.SearchSubtitle(Movie);
    if (!Found.empty()) return Found;
  }
  return kNoSubtitle;
}

std::vector<CommandLineEntry> GatherCommandLineMovies(
    const std::vector<std::string>& Args, const std::vector<std::string>& MediaExtensions,
    bool AutoLoadSubtitle, const CommandLineFiles& Files) {
  std::vector<CommandLineEntry> Entries;
  auto Append = [&](const std::string& Movie) {
    Entries.push_back({Movie, SubtitleForMovie(Movie, AutoLoadSubtitle, Files)});
  };
  for (const std::string& Arg : Args) {
    if (Files.FileExists(Arg)) {
      const std::string Ext = LowerExtensionOf(Arg);
      if (!Ext.empty() && std::find(MediaExtensions.begin(), MediaExtensions.end(), Ext) != MediaExtensions.end())
        Append(Arg);
    } else if (Files.FolderExists(Arg)) {
      std::vector<std::string> Found = Files.ScanFolder(Arg);
      SortByFileName(Found, Files);
      for (const std::string& Movie : Found) Append(Movie);
    }
  }
  return Entries;
}

}  // namespace lc
