// The playlist as the main window's first activation, its play button and
// its keys see it: the model (movies, subtitles, current index, shuffle pool
// and history), the movie list's lines and selection, and the playlist
// window's own operations. The playlist room implements it; TMemoryPlaylist
// keeps the model without a window. Paths are UTF-8. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "player/command_line.h"

namespace lc {

class CommandLineFiles;

class TPlaylistAccess {
 public:
  virtual ~TPlaylistAccess() = default;

  // ---- the model ----
  virtual int Count() const = 0;
  virtual CommandLineEntry Entry(int Index) const = 0;
  virtual void SetSubtitle(int Index, const std::string& Subtitle) = 0;
  // PlaylistIndex: the current entry, -1 for none.
  virtual int Index() const = 0;
  virtual void SetIndex(int Index) = 0;
  // Replaces the whole list; the subtitle candidates are emptied.
  virtual void Replace(const std::vector<CommandLineEntry>& Entries,
                       const std::vector<std::string>& ShufflePool,
                       const std::vector<std::string>& ShuffleHistory) = 0;
  // Removes the first occurrence of Movie from ShufflePool.
  virtual void RemoveFromShufflePool(const std::string& Movie) = 0;
  // CurrentMovieFile: the movie being played, empty for none.
  virtual const std::string& CurrentMovieFile() const = 0;
  virtual void SetCurrentMovieFile(const std::string& Path) = 0;

  // ---- the movie list (ListVideo) ----
  // Refills the movie list with Lines (the subtitle list is emptied).
  virtual void SetLines(const std::vector<std::string>& Lines) = 0;
  virtual int LineCount() const = 0;
  // Selects a line; -1 selects none.
  virtual void SelectLine(int Line) = 0;

  // ---- the playlist window's operations ----
  // Appends one movie with its subtitle search and the shuffle pool.
  virtual void AddMovie(const std::string& Movie) = 0;
  // Appends a folder's movies, sorted by file name.
  virtual void AddFolderWithMovies(const std::string& Folder) = 0;
  // Reads a playlist file into the model and the list, replacing them.
  virtual void LoadFromList(const std::string& File) = 0;
  // Saves the list to the automatic playlist file (deletes it when the list
  // is empty); the playlist window's part of closing the player.
  virtual void SaveAutoPlaylist() = 0;
};

}  // namespace lc
