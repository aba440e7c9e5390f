// Every way of opening files ends here: the main window's open dialog, its
// drops, the files a second instance hands over, the shell's verbs, and
// the playlist window's add commands and drops. The windows read the names
// (a dialog's choice, a drop's paths) and hand them over; FileOpener
// decides what the list becomes and what plays. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "playlist/file_system.h"
#include "playlist/player_link.h"
#include "playlist/playlist.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

namespace lc::playlist {

class FileOpener {
 public:
  FileOpener(Playlist& playlist, PlayerLink& link, const FileSystem& files, const settings::SettingsStore& settings,
             const settings::TextTable& texts);

  // TfrmMain.OpenFiles: a single playlist file is loaded and played; a
  // single subtitle file with a movie open goes with that movie; otherwise
  // the movies among the names and in the named folders replace the list,
  // sorted by file name, and the movie that stood at `startIndex` among
  // them plays (-1, or an index beyond them: the first after sorting).
  // Nothing happens while the player is busy; "No movie found!" leaves the
  // list as it was.
  void OpenFiles(const std::vector<std::string>& names, int startIndex);
  // TfrmMain.AcceptFiles: files dropped on the main window (and the windows
  // that pass their drops on) open as from the open dialog.
  void AcceptFiles(const std::vector<std::string>& names);
  // TfrmPlayList.AcceptFiles outside the subtitle list: one playlist file
  // is appended; otherwise the movies and folders' movies are appended.
  // Nothing starts playing.
  void DropOnPlaylist(const std::vector<std::string>& names);
  // TfrmPlayList.AddMovieClick after its dialog: every chosen file that
  // exists is appended, whatever its extension.
  void AddMovies(const std::vector<std::string>& chosen);
  // TfrmPlayList.AddFolderMenuClick, before its folder browser opens: the
  // list no longer closes the player at its end, whether a folder is then
  // chosen or not.
  void FolderCommandBegins() { link_.SetCloseWhenListEnds(false); }
  // TfrmPlayList.AddFolderWithMovies (and AddFolderMenuClick after its
  // folder browser): the folder's movies, sorted by file name, appended.
  void AddFolderWithMovies(const std::string& folder);

 private:
  void AppendSorted(std::vector<std::string> paths);
  void PlayStart(int startIndex, bool singleFile);
  void Message(const std::string& text, MessageOwner owner) { link_.ShowMessage(text, owner); }

  Playlist& playlist_;
  PlayerLink& link_;
  const FileSystem& files_;
  const settings::SettingsStore& settings_;
  const settings::TextTable& texts_;
};

}  // namespace lc::playlist
