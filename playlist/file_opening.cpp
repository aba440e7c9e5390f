#include "playlist/file_opening.h"

#include <algorithm>

#include "playlist/folder_scan.h"
#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

bool IsSubtitleExtension(const std::string& ext) {
  return ext == "txt" || ext == "sub" || ext == "srt" || ext == "ssa";
}

// The name ends in ".lpl" and that is its first ".lpl".
bool IsPlaylistName(const std::string& name) {
  const std::string lower = LowerText(name);
  const std::size_t at = lower.find(".lpl");
  return at != std::string::npos && at + 4 == lower.size();
}

}  // namespace

FileOpener::FileOpener(Playlist& playlist, PlayerLink& link, const FileSystem& files,
                       const settings::SettingsStore& settings, const settings::TextTable& texts)
    : playlist_(playlist), link_(link), files_(files), settings_(settings), texts_(texts) {}

void FileOpener::OpenFiles(const std::vector<std::string>& names, int startIndex) {
  if (link_.Busy()) return;
  bool singleFile = false;
  if (names.size() == 1 && files_.FileExists(names[0])) {
    const std::string& name = names[0];
    const std::string ext = ExtensionOf(name);
    if (ext == "lpl") {
      // A list that could not be read stays as it was, unplayed.
      if (!playlist_.LoadFromList(name, false, true)) return;
      if (playlist_.Count() > 0) {
        link_.ShowPlaylistWindow();
        PlayStart(startIndex, false);
        return;
      }
    } else if (IsSubtitleExtension(ext) && link_.GraphActive()) {
      if (link_.AttachSubtitle(name)) playlist_.SubtitleAttached(name, link_.CurrentMovieFile());
      return;
    } else {
      singleFile = true;
    }
  }

  std::vector<std::string> found;
  for (const std::string& name : names) {
    if (files_.FileExists(name)) {
      if (singleFile || HasMediaExtension(name, settings_.MediaExtensions)) found.push_back(name);
    } else if (files_.FolderExists(name)) {
      ScanFolderForVideos(files_, name, settings_.MediaExtensions, found);
    }
  }
  if (found.empty()) {
    Message(texts_.TextMessages[2], MessageOwner::MainWindow);
    return;
  }
  startIndex = SortByFileName(found, startIndex);
  playlist_.ClearForNewList();
  for (const std::string& path : found) playlist_.AppendMovie(path);
  playlist_.RebuildLines();
  link_.SelectionChanged();
  PlayStart(startIndex, singleFile);
}

void FileOpener::PlayStart(int startIndex, bool singleFile) {
  link_.StopForNewList();
  const int k = startIndex >= 0 && startIndex < playlist_.Count() ? startIndex : 0;
  const std::string movie = playlist_.Entries().PlaylistMovies[k];
  link_.SetCurrentMovieFile(movie);
  playlist_.Entries().PlaylistIndex = k;
  playlist_.SetItemIndex(k);
  if (files_.FileExists(movie)) {
    link_.OpenMovie(settings_.AutoPlayOnLoad, singleFile);
  } else {
    Message(FileMessage(texts_.TextMessages[10], movie, texts_.TextMessages[11]), MessageOwner::MainWindow);
  }
}

void FileOpener::AcceptFiles(const std::vector<std::string>& names) {
  link_.SetPreviousMovieSettingsValid(false);
  OpenFiles(names, 0);
  if (link_.GraphActive()) link_.SetPreviousMovieSettingsValid(true);
}

void FileOpener::AppendSorted(std::vector<std::string> paths) {
  SortByFileName(paths);
  for (const std::string& path : paths) playlist_.AppendMovie(path);
}

void FileOpener::DropOnPlaylist(const std::vector<std::string>& names) {
  if (names.size() == 1 && IsPlaylistName(names[0])) {
    link_.SetPreviousMovieSettingsValid(false);
    playlist_.LoadFromList(names[0], false, false);
    if (playlist_.Count() > 0) return;
  }
  const int selected = playlist_.ItemIndex();
  link_.SetCloseWhenListEnds(false);
  for (const std::string& name : names) {
    if (files_.FileExists(name)) {
      if (HasMediaExtension(name, settings_.MediaExtensions)) playlist_.AppendMovie(name);
    } else if (files_.FolderExists(name)) {
      std::vector<std::string> found;
      ScanFolderForVideos(files_, name, settings_.MediaExtensions, found);
      AppendSorted(std::move(found));
    }
  }
  playlist_.RebuildLines();
  playlist_.SetItemIndex(selected);
}

void FileOpener::AddMovies(const std::vector<std::string>& chosen) {
  link_.SetCloseWhenListEnds(false);
  const int selected = playlist_.ItemIndex();
  for (const std::string& name : chosen) {
    if (files_.FileExists(name)) {
      playlist_.AppendMovie(name);
    } else if (chosen.size() == 1) {
      Message(FileMessage(texts_.TextMessages[10], name, texts_.TextMessages[11]), MessageOwner::PlaylistWindow);
    }
  }
  playlist_.RebuildLines();
  playlist_.SetItemIndex(selected);
}

void FileOpener::AddFolderWithMovies(const std::string& folder) {
  link_.SetCloseWhenListEnds(false);
  const int selected = playlist_.ItemIndex();
  std::vector<std::string> found;
  ScanFolderForVideos(files_, folder, settings_.MediaExtensions, found);
  AppendSorted(std::move(found));
  playlist_.RebuildLines();
  playlist_.SetItemIndex(selected);
}

}  // namespace lc::playlist
