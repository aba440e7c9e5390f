// Playlist's loading and saving: the file commands of the playlist window
// and the automatic save. The bytes of the file are made and read by
// playlist/playlist_file.h.
#include <algorithm>

#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "playlist/text_rules.h"

namespace lc::playlist {

bool Playlist::SameFile(const std::string& a, const std::string& b) const {
  return !a.empty() && SameTextNoCase(a, b);
}

bool Playlist::LoadFromList(const std::string& file, bool silent, bool clearFirst) {
  link_.SetCloseWhenListEnds(false);
  const int selected = itemIndex_;
  auto fail = [&](std::string message, bool fileExists) {
    if (!silent) link_.ShowMessage(message, MessageOwner::PlaylistWindow);
    // A file that is there but cannot be taken is kept from the automatic
    // save, which would otherwise replace it with the list of this run.
    if (fileExists) unreadFile_ = file;
    return false;
  };

  std::string bytes;
  switch (files_.ReadWhole(file, kMaxPlaylistFileBytes, bytes)) {
    case settings::ReadStatus::Ok:
    case settings::ReadStatus::Foreign:
      break;
    case settings::ReadStatus::TooLarge:
      return fail(FileMessage(texts_.TextMessages[10], file, texts_.TextMessages[14]), true);
    case settings::ReadStatus::Missing:
      return fail(FileMessage(texts_.TextMessages[13], file), false);
    case settings::ReadStatus::Unreadable:
    case settings::ReadStatus::Damaged:
      return fail(FileMessage(texts_.TextMessages[13], file), true);
  }
  PlaylistFileContents contents = ParsePlaylistBytes(bytes, clearFirst ? 0 : entries_.PlaylistMovies.size());
  if (!contents.readable) return fail(FileMessage(texts_.TextMessages[15], file), true);

  if (clearFirst) ClearModel();
  for (std::size_t i = 0; i < contents.movies.size(); ++i) {
    if (settings_.Shuffle) entries_.ShufflePool.push_back(contents.movies[i]);
    entries_.PlaylistMovies.push_back(std::move(contents.movies[i]));
    entries_.PlaylistSubtitles.push_back(std::move(contents.subtitles[i]));
  }
  if (!contents.linesBeyondLimit.empty()) {
    cutFile_ = file;
    cutTail_ = std::move(contents.linesBeyondLimit);
  }
  if (SameFile(unreadFile_, file)) unreadFile_.clear();
  RebuildLines();
  if (clearFirst) {
    link_.SelectionChanged();
  } else {
    SetItemIndex(selected);
  }
  return true;
}

bool Playlist::SavePlaylist(const std::string& file, bool silent) {
  if (Count() == 0) return true;
  files_.MakeFolders(dataFolder_);
  std::vector<std::string> tail;
  if (SameFile(cutFile_, file)) {
    tail = cutTail_;
    if (tail.size() % 2 == 1) tail.emplace_back(kNoSubtitle);
  }
  if (!files_.WriteReplacing(file, FormatPlaylistBytes(entries_.PlaylistMovies, entries_.PlaylistSubtitles, tail))) {
    if (!silent) link_.ShowMessage(FileMessage(texts_.TextMessages[3], file), MessageOwner::PlaylistWindow);
    return false;
  }
  if (SameFile(unreadFile_, file)) unreadFile_.clear();
  return true;
}

void Playlist::LoadAtStart(int lastMovieSelected) {
  if (files_.FileExists(autoPlaylistFile_)) {
    LoadFromList(autoPlaylistFile_, true, true);
  } else if (files_.FolderExists(autoPlaylistFile_)) {
    // A folder in the list's place is no list: the user is told of it and
    // no save puts a file in its place.
    unreadFile_ = autoPlaylistFile_;
  }
  autoFileTaken_ = true;
  SelectAtStart(lastMovieSelected);
}

bool Playlist::FormCloseQuery() {
  if (!autoFileTaken_) return true;
  if (AutoFileUnread()) {
    // Kept where it is while there is nothing to put in its place.
    if (Count() == 0) return true;
    if (!files_.KeepAside(autoPlaylistFile_)) return false;
    unreadFile_.clear();
  }
  if (Count() > 0) return SavePlaylist(autoPlaylistFile_, true);
  return !files_.FileExists(autoPlaylistFile_) || files_.RemoveFile(autoPlaylistFile_);
}

void Playlist::AutoFileKeptAside() {
  if (AutoFileUnread()) unreadFile_.clear();
}

void Playlist::SelectAtStart(int lastMovieSelected) {
  const int entry = std::clamp(lastMovieSelected, 0, Count());
  if (entry == 0) return;
  SetItemIndex(entry - 1);
  entries_.PlaylistIndex = entry - 1;
  link_.SelectionChanged();
}

void Playlist::SaveCommand(const std::string& chosenName, bool allFilesFilter) {
  if (Count() == 0) {
    link_.ShowMessage(texts_.TextMessages[18], MessageOwner::PlaylistWindow);
    return;
  }
  std::string name = chosenName;
  const std::string lower = LowerText(name);
  if (!allFilesFilter && !(lower.size() >= 4 && lower.compare(lower.size() - 4, 4, ".lpl") == 0)) name += ".lpl";
  SavePlaylist(name, false);
}

void Playlist::OpenCommand(const std::string& file) {
  link_.SetPreviousMovieSettingsValid(false);
  LoadFromList(file, false, true);
}

}  // namespace lc::playlist
