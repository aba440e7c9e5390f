// The joints between the windows the start-up makes. The message box, the
// tool windows and the playlist window reach the program through them, and
// the application's
// events (exceptions, hints, modal loops, minimise and restore, the choice
// of the window that takes the keyboard from one that hides) reach the
// main window. The start-up makes them right after the main window; a test
// of a window makes them the same way. GUI thread only.
#pragma once

#include <memory>

class TfrmMain;
class TPlayListEnvironment;

namespace lc {

class Associations;

class TWindowLinks {
 public:
  // Joins everything to Main, and through it to the video, playlist,
  // equalizer and colour windows as they are made; FileAssociations are
  // the program's (the configuration dialog's File Types page). Both must
  // outlive the links.
  TWindowLinks(TfrmMain& Main, Associations& FileAssociations);
  // Undoes every joint: a window that reaches for one afterwards fails.
  ~TWindowLinks();
  TWindowLinks(const TWindowLinks&) = delete;
  TWindowLinks& operator=(const TWindowLinks&) = delete;

  // What the playlist window is made with (app/playlist_setup.h).
  TPlayListEnvironment& Playlist();

 private:
  struct TParts;
  std::unique_ptr<TParts> FParts;
};

}  // namespace lc
