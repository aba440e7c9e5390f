// What the playlist and the opening of files ask of the player's windows:
// the main window's shared values and commands, the message box and the
// playlist window's face. The windows implement it; tests use a fake.
// Everything runs on the GUI thread.
#pragma once

#include <string>

namespace lc::playlist {

enum class MessageOwner { PlaylistWindow, MainWindow };

class PlayerLink {
 public:
  virtual ~PlayerLink() = default;

  // ---- values the main window owns ----
  // Playback was started from outside and closes the player at the end of
  // the list; every playlist edit clears it.
  virtual bool CloseWhenListEnds() const = 0;
  virtual void SetCloseWhenListEnds(bool value) = 0;
  // The last movie's picture placement may be carried over to the next.
  virtual void SetPreviousMovieSettingsValid(bool valid) = 0;
  // The movie being opened or played (empty for none).
  virtual std::string CurrentMovieFile() const = 0;
  virtual void SetCurrentMovieFile(const std::string& path) = 0;
  // An operation is under way or a movie is being opened: opening refuses.
  virtual bool Busy() const = 0;
  // A movie is open (the graph is active).
  virtual bool GraphActive() const = 0;

  // ---- the main window's commands ----
  // The Stop button is enabled.
  virtual bool StopEnabled() const = 0;
  // Stops what plays; false when the stop was refused (the Play button
  // still shows down because an operation is under way).
  virtual bool StopPlayback() = 0;
  // Stops what plays (when Stop is enabled) before a new list starts and,
  // with the application minimised, keeps the new movie's video window from
  // being hidden on restore.
  virtual void StopForNewList() = 0;
  // Opens CurrentMovieFile.
  virtual void OpenMovie(bool playAfterOpen, bool addNextParts) = 0;
  // Attaches a subtitle file to the movie that is open (the label, the
  // video control and the menu follow); false when it did not load.
  virtual bool AttachSubtitle(const std::string& file) = 0;
  // A subtitle chosen in the playlist for the movie that is open: loaded
  // with the loader's own message when it fails; the subtitle lines on
  // screen go and the label shows the file's name, or "No subtitle" when
  // it did not load. False when it did not load.
  virtual bool LoadChosenSubtitle(const std::string& file) = 0;
  // The open movie loses its subtitle (the label shows "No subtitle").
  virtual void DetachSubtitle() = 0;
  // The silent subtitle search for a movie: the file found, empty for none.
  virtual std::string SearchSubtitle(const std::string& movie) = 0;
  virtual void ShowMessage(const std::string& text, MessageOwner owner) = 0;

  // ---- the playlist window's face ----
  // The selected entry changed: its subtitle candidates are gathered.
  virtual void SelectionChanged() = 0;
  // The movie list has the keyboard focus.
  virtual bool ListHasFocus() const = 0;
  // A playlist entry was opened: the playlist window is brought back in
  // front of or behind the video window as the player's mode asks.
  virtual void AfterEntryOpened(bool listHadFocus) = 0;
  // Shows the playlist window when it is hidden.
  virtual void ShowPlaylistWindow() = 0;
};

// A message about a file: the prefix, a blank, the name in double quotes,
// then "!" when `suffix` is empty, else a blank and the suffix.
std::string FileMessage(const std::string& prefix, const std::string& file, const std::string& suffix = {});

}  // namespace lc::playlist
