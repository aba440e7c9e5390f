// The playlist model without a window: what the main window works with
// until the playlist window takes its place. The playlist file holds two
// lines per entry (movie path, then subtitle path or "No subtitle"), in the
// system's 8-bit code page. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "player/playlist_access.h"

namespace lc {

class TMemoryPlaylist : public TPlaylistAccess {
 public:
  // Files serves the subtitle search and the folder scan; AutoPlaylistFile
  // is where SaveAutoPlaylist writes. AutoLoadSubtitle and Shuffle are read
  // through the pointers at each addition.
  TMemoryPlaylist(const CommandLineFiles& Files, std::string AutoPlaylistFile,
                  const bool* AutoLoadSubtitle, const bool* Shuffle);

  int Count() const override { return static_cast<int>(FEntries.size()); }
  CommandLineEntry Entry(int Index) const override;
  void SetSubtitle(int Index, const std::string& Subtitle) override;
  int Index() const override { return FIndex; }
  void SetIndex(int Index) override { FIndex = Index; }
  void Replace(const std::vector<CommandLineEntry>& Entries, const std::vector<std::string>& ShufflePool,
               const std::vector<std::string>& ShuffleHistory) override;
  void RemoveFromShufflePool(const std::string& Movie) override;
  const std::string& CurrentMovieFile() const override { return FCurrentMovieFile; }
  void SetCurrentMovieFile(const std::string& Path) override { FCurrentMovieFile = Path; }
  void SetLines(const std::vector<std::string>& Lines) override { FLines = Lines; }
  int LineCount() const override { return static_cast<int>(FLines.size()); }
  void SelectLine(int Line) override { FSelectedLine = Line; }
  void AddMovie(const std::string& Movie) override;
  void AddFolderWithMovies(const std::string& Folder) override;
  void LoadFromList(const std::string& File) override;
  void SaveAutoPlaylist() override;

  const std::vector<std::string>& Lines() const { return FLines; }
  int SelectedLine() const { return FSelectedLine; }
  const std::vector<std::string>& ShufflePool() const { return FShufflePool; }
  const std::vector<std::string>& ShuffleHistory() const { return FShuffleHistory; }

 private:
  void Append(const std::string& Movie, const std::string& Subtitle);

  const CommandLineFiles& FFiles;
  std::string FAutoPlaylistFile;
  const bool* FAutoLoadSubtitle;
  const bool* FShuffle;
  std::vector<CommandLineEntry> FEntries;
  std::vector<std::string> FShufflePool;
  std::vector<std::string> FShuffleHistory;
  std::vector<std::string> FLines;
  std::string FCurrentMovieFile;
  int FIndex = -1;
  int FSelectedLine = -1;
};

}  // namespace lc
