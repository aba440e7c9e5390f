#include "player/memory_playlist.h"

#include <algorithm>
#include <utility>

#include "settings/file_io.h"
#include "settings/text_encoding.h"

namespace lc {
namespace {

// A playlist file larger than this is not a playlist.
constexpr std::uint64_t kMaxPlaylistBytes = 1u << 20;
constexpr std::size_t kMaxPlaylistLines = 2000;

}  // namespace

TMemoryPlaylist::TMemoryPlaylist(const CommandLineFiles& Files, std::string AutoPlaylistFile,
                                 const bool* AutoLoadSubtitle, const bool* Shuffle)
    : FFiles(Files), FAutoPlaylistFile(std::move(AutoPlaylistFile)), FAutoLoadSubtitle(AutoLoadSubtitle),
      FShuffle(Shuffle) {}

CommandLineEntry TMemoryPlaylist::Entry(int Index) const {
  if (Index < 0 || Index >= Count()) return {};
  return FEntries[static_cast<std::size_t>(Index)];
}

void TMemoryPlaylist::SetSubtitle(int Index, const std::string& Subtitle) {
  if (Index >= 0 && Index < Count()) FEntries[static_cast<std::size_t>(Index)].Subtitle = Subtitle;
}

void TMemoryPlaylist::Replace(const std::vector<CommandLineEntry>& Entries,
                              const std::vector<std::string>& ShufflePool,
                              const std::vector<std::string>& ShuffleHistory) {
  FEntries = Entries;
  FShufflePool = ShufflePool;
  FShuffleHistory = ShuffleHistory;
}

void TMemoryPlaylist::RemoveFromShufflePool(const std::string& Movie) {
  auto At = std::find(FShufflePool.begin(), FShufflePool.end(), Movie);
  if (At != FShufflePool.end()) FShufflePool.erase(At);
}

void TMemoryPlaylist::Append(const std::string& Movie, const std::string& Subtitle) {
  FEntries.push_back({Movie, Subtitle});
  if (*FShuffle) FShufflePool.push_back(Movie);
  FLines.push_back(std::to_string(FEntries.size()) + ". " + FileNameOf(Movie));
}

void TMemoryPlaylist::AddMovie(const std::string& Movie) {
  Append(Movie, SubtitleForMovie(Movie, *FAutoLoadSubtitle, FFiles));
}

void TMemoryPlaylist::AddFolderWithMovies(const std::string& Folder) {
  std::vector<std::string> Found = FFiles.ScanFolder(Folder);
  SortByFileName(Found, FFiles);
  for (const std::string& Movie : Found) AddMovie(Movie);
}

void TMemoryPlaylist::LoadFromList(const std::string& File) {
  std::string Bytes;
  if (settings::ReadFileBytes(File, kMaxPlaylistBytes, Bytes) != settings::ReadStatus::Ok) return;
  std::vector<std::string> Lines = settings::SplitLines(Bytes);
  if (Lines.size() > kMaxPlaylistLines) Lines.resize(kMaxPlaylistLines);
  FEntries.clear();
  FShufflePool.clear();
  FShuffleHistory.clear();
  FLines.clear();
  FIndex = -1;
  const settings::AnsiCodec& Codec = settings::CurrentAnsiCodec();
  for (std::size_t I = 0; I + 1 < Lines.size(); I += 2)
    Append(Codec.ToUtf8(Lines[I]), Codec.ToUtf8(Lines[I + 1]));
}

void TMemoryPlaylist::SaveAutoPlaylist() {
  if (FEntries.empty()) {
    settings::DeleteFileAt(FAutoPlaylistFile);
    return;
  }
  const settings::AnsiCodec& Codec = settings::CurrentAnsiCodec();
  std::string Text;
  for (const CommandLineEntry& E : FEntries) Text += Codec.FromUtf8(E.Movie) + "\r\n" + Codec.FromUtf8(E.Subtitle) + "\r\n";
  settings::WriteFileReplacing(FAutoPlaylistFile, Text);
}

}  // namespace lc
