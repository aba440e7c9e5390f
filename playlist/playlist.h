// The playlist model: every entry's movie and subtitle, the current entry,
// the shuffle pool and history, the lines the playlist window shows, and
// every command that edits, loads, saves or plays the list. Plain C++: the
// windows reach it through PlayerLink, the disk through FileSystem.
//
// The movie list's selection (the list box's item index) is kept here as
// ItemIndex(): it is the entry the commands act on, distinct from the
// current entry PlaylistIndex. GUI thread only.
//
// The class is one, its members live in files by subject: playlist.cpp
// (adding, edits, playing), playlist_load_save.cpp (the playlist file's
// commands and the automatic save; the file's bytes are
// playlist/playlist_file.h's) and playlist_entry_subtitle.cpp (the selected
// entry's subtitle).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "playlist/file_system.h"
#include "playlist/player_link.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

namespace lc::playlist {

struct PlaylistEntries {
  std::vector<std::string> PlaylistMovies;
  // "No subtitle" for an entry without one; as long as PlaylistMovies.
  std::vector<std::string> PlaylistSubtitles;
  std::int32_t PlaylistIndex = -1;  // the current entry, -1 for none
  std::vector<std::string> PlaylistSubtitleCandidates;
  std::vector<std::string> ShufflePool;     // not yet played in shuffle mode
  std::vector<std::string> ShuffleHistory;  // played in shuffle mode, oldest first
};

// A number below `bound` (which is above 0), evenly drawn.
using RandomFunction = std::function<std::size_t(std::size_t bound)>;

class Playlist {
 public:
  // `autoPlaylistFile` is DataFolder + AppName + ".lpl"; `dataFolder` is
  // created before every save.
  Playlist(PlayerLink& link, FileSystem& files, settings::SettingsStore& settings,
           const settings::TextTable& texts, std::string dataFolder, std::string autoPlaylistFile);

  PlaylistEntries& Entries() { return entries_; }
  const PlaylistEntries& Entries() const { return entries_; }
  int Count() const { return static_cast<int>(entries_.PlaylistMovies.size()); }
  // One line per entry: its number, ". ", the movie's file name.
  const std::vector<std::string>& Lines() const { return lines_; }
  int ItemIndex() const { return itemIndex_; }
  // Selects a line (-1 or an index out of range selects none).
  void SetItemIndex(int index);
  // Replaces the random numbers (seeded from the clock by default).
  void SetRandom(RandomFunction random) { random_ = std::move(random); }
  // Runs after every change of the lines or of the selected line, so that
  // the window showing them follows.
  std::function<void()> OnLinesChanged;

  // ---- adding ----
  // Appends a movie with its subtitle (searched when AutoLoadSubtitle is
  // on) and, in shuffle mode, to the pool. The lines are not rebuilt.
  void AppendMovie(const std::string& path);
  // AddMovie: appends an existing movie, rebuilds the lines and keeps the
  // selection; a missing file is not added.
  void AddMovie(const std::string& path);
  // Empties the list for a new one (the opening replaces it).
  void ClearForNewList();
  // Rebuilds every line with numbers as wide as the count.
  void RebuildLines();

  // ---- the playlist file (playlist_load_save.cpp) ----
  // Reads a playlist file, replacing the list (clearFirst) or appending.
  // A file that cannot be read, is too big or is no playlist text leaves
  // the list as it was (reported unless silent). False on such a failure.
  bool LoadFromList(const std::string& file, bool silent, bool clearFirst);
  // Writes the list (nothing for an empty one); false when it could not be
  // written (reported unless silent; the old file then stays as it was).
  bool SavePlaylist(const std::string& file, bool silent);
  // Start-up: the list of the last run. The automatic list file, when it
  // is there, is loaded silently in place of the list, and SelectAtStart
  // picks its entry; a folder in its place counts as a file that could not
  // be read. From then on the automatic save keeps the file.
  void LoadAtStart(int lastMovieSelected);
  // Start-up, after the list of the last run was loaded: its entry
  // `lastMovieSelected` - 1 (the setting keeps PlaylistIndex + 1) becomes
  // the selected and current one; a number beyond the list selects its
  // last entry, 0 (or less) nothing.
  void SelectAtStart(int lastMovieSelected);
  // The automatic save when the playlist window closes and at exit. Before
  // LoadAtStart it does nothing (the file is not this run's list). An
  // automatic list file that could not be read is left alone while the
  // list is empty, and a copy of it is kept aside before a list is saved
  // in its place. False when the list could not be saved (or the file of
  // an empty list not deleted).
  bool FormCloseQuery();
  // LoadAtStart ran: the list is the last run's (or the user's since).
  bool AutoFileTaken() const { return autoFileTaken_; }
  // The automatic list file was there but could not be read.
  bool AutoFileUnread() const { return SameFile(unreadFile_, autoPlaylistFile_); }
  // A copy of the unread automatic list file is kept aside (the start-up
  // told the user): from now on the file is saved, or deleted, as usual.
  void AutoFileKeptAside();
  // The save command after its dialog: "Nothing to save!" for an empty
  // list; the playlist extension is added unless the "All files" filter
  // was chosen or the name already has it.
  void SaveCommand(const std::string& chosenName, bool allFilesFilter);
  // The open command after its dialog.
  void OpenCommand(const std::string& file);

  // ---- edits of the selected entry ----
  void RemoveMovie();
  void RemoveAll();
  // Puts an existing file in place of the selected entry's movie.
  void ReplaceMovie(const std::string& path);
  // Exchange the selected entry with the one above / below; with
  // `selectionFollows` the selection moves with it.
  void MoveUp(bool selectionFollows);
  void MoveDown(bool selectionFollows);
  void SortByFileName();
  void Randomize();
  // The shuffle switch: sets Shuffle and refills (on) or empties (off) the
  // pool; the history is emptied either way.
  void SetShuffle(bool on);
  // The opened subtitle `file` goes with the movie that plays.
  void SubtitleAttached(const std::string& file, const std::string& currentMovie);

  // ---- the selected entry's subtitle, the subtitle list ----
  // (playlist_entry_subtitle.cpp)
  // A line of the subtitle list was chosen: line 0 takes the entry's
  // subtitle away, line k its candidate k - 1; the movie that plays loads
  // its new subtitle at once. Other lines do nothing.
  void ChooseSubtitleLine(int line);
  // A subtitle file added by the add-subtitle command or dropped on the
  // subtitle list: refused when it is offered already; for the movie that
  // plays it is loaded, otherwise `check` (the silent subtitle check) must
  // accept it. True when it became the entry's subtitle (its candidates are
  // then gathered again).
  bool AddEntrySubtitle(const std::string& file, const std::function<bool(const std::string&)>& check);

  // ---- playing ----
  // Plays the selected entry (ListVideoDblClick). A user's play reports a
  // missing file; an automatic advance skips missing files to the next.
  void PlayEntry(bool userAction);
  // Shuffle mode's next entry: the index of a pool movie still in the list
  // (pool paths no longer in it are dropped), -1 when the pool is empty.
  int PickShuffleNext();
  // Repeat-all in shuffle mode: a new round with the whole list; the index
  // of its first entry, -1 for an empty list.
  int RestartShuffleRound();
  // Shuffle mode's previous entry: walks the history back from its
  // second-to-last path to one still in the list and cuts the history
  // there; -1 when there is none.
  int PickShufflePrevious();

 private:
  void ClearModel();
  void LinesChanged() {
    if (OnLinesChanged) OnLinesChanged();
  }
  std::string LineFor(int index, std::size_t width) const;
  std::size_t NumberWidth() const;
  void SetLineName(int index, const std::string& path);
  void SwapEntries(int a, int b);
  void RemoveFromPool(const std::string& path);
  void ReorderAndReselect(const std::vector<std::size_t>& order);
  std::string SubtitleFor(const std::string& movie);
  bool SameFile(const std::string& a, const std::string& b) const;
  bool SelectedIsPlaying(bool asCurrentEntry) const;

  PlayerLink& link_;
  FileSystem& files_;
  settings::SettingsStore& settings_;
  const settings::TextTable& texts_;
  std::string dataFolder_;
  std::string autoPlaylistFile_;
  PlaylistEntries entries_;
  std::vector<std::string> lines_;
  int itemIndex_ = -1;
  RandomFunction random_;
  // The lines of `cutFile_` beyond the line limit: saving the list to that
  // file writes them after the entries, so nothing of it is lost.
  std::string cutFile_;
  std::vector<std::string> cutTail_;
  // A file whose load failed: the automatic save neither deletes nor
  // overwrites it (it keeps a copy aside first).
  std::string unreadFile_;
  // LoadAtStart ran: the automatic list file is this run's to save.
  bool autoFileTaken_ = false;
};

}  // namespace lc::playlist
