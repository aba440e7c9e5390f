// The program-wide values of the player windows that several of their
// parts share: the current movie's picture settings, movie mode's saved
// values, the on-screen display's text and clock, the display mode to
// return to after full screen and the marks of moves and mode switches.
// Date-times are days (dates/date_time.h). GUI thread only.
#pragma once

#include <string>

#include "settings/program_state.h"

namespace lc {

// What movie mode changed and puts back when it ends.
struct MovieModeSavedValues {
  bool WasFullScreen = false;
  int OffsetX = 0;
  int OffsetY = 0;
  int PanScan = 0;
  int SubtitleZone = 0;
};

struct PlayerState {
  // ---- the current movie's picture ----
  int NativeWidth = 0;  // NativeVideoSize
  int NativeHeight = 0;
  double AspectRatioValue = 1.33;
  int ImageOffsetX = 0;  // percent of the placed width, to the right
  int ImageOffsetY = 0;  // percent of the placed height, upwards
  MovieModeSavedValues MovieModeSaved;
  // Grows with changes worth remembering for the movie; at 10000 the
  // movie's settings are stored.
  int RmsChangeScore = 0;
  // A subtitle is loaded (the subtitle code keeps it).
  bool SubtitleLoaded = false;

  // ---- the on-screen display ----
  std::string OsdText;  // empty: none
  double OsdStartTime = 0;
  double OsdDuration = 0;
  bool OsdShowsPosition = false;  // a live position text
  std::string OsdClockText;       // empty: no clock
  bool ShowSystemTime = false;    // the OSD shows the clock

  // ---- full screen, display modes, moves ----
  std::string ModeBeforeFullScreen;  // "M1024x768x60Hz"
  bool OwnModeChange = false;        // the player switched the mode itself
  bool AlwaysOnTopForFullScreen = false;
  bool MainWindowMoving = false;
  bool WindowMoved = false;  // a window was moved; the key colour is applied again later
  double WindowMovedTime = 0;
};

// The one instance.
PlayerState& Player();

// Puts back the values movie mode replaced: the pan & scan, the picture
// offsets and the subtitle zone. Whether full screen ends too is the
// caller's to decide.
void RestoreMovieModeValues(PlayerState& State, settings::SettingsStore& Settings);

// Holds BusyFlag for a command that found it clear.
class BusyScope {
 public:
  BusyScope() { Program().BusyFlag = true; }
  ~BusyScope() { Program().BusyFlag = false; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
};

// Holds OpeningMovie, so that commands and dialog openers refuse to run,
// and gives it back the value it had: a scope nested in an opening (a
// display change that the opening's own full-screen switch caused) leaves
// the opening guarded, and an exception out of the scope leaves no guard
// behind.
class OpeningScope {
 public:
  OpeningScope() : FBefore(Program().OpeningMovie) { Program().OpeningMovie = true; }
  ~OpeningScope() { Program().OpeningMovie = FBefore; }
  OpeningScope(const OpeningScope&) = delete;
  OpeningScope& operator=(const OpeningScope&) = delete;
  // OpeningMovie was set already when the scope began.
  bool Nested() const { return FBefore; }

 private:
  bool FBefore;
};

// RmsChangeScore := Min(10000, RmsChangeScore + 5000); only while a graph
// is active (GraphActive).
void RaiseRmsChangeScore(PlayerState& State, bool GraphActive);

}  // namespace lc
