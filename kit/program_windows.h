// The program's windows as a skinned dialog, a tool window or the playlist
// window sees them when it places itself, snaps or hands something on. The
// start-up answers for the running program (app/window_links.h); every
// question is required. GUI thread only.
#pragma once

#include "framework/forms.h"
#include "framework/types.h"

class TProgramWindows {
 public:
  virtual ~TProgramWindows() = default;
  // The main window: dialogs are placed relative to it.
  virtual TForm& MainWindow() const = 0;
  // The satellites; nullptr while the window does not exist.
  virtual TForm* VideoWindow() const = 0;
  virtual TForm* PlaylistWindow() const = 0;
  virtual TForm* EqualizerWindow() const = 0;
  // The video window is in full-screen mode.
  virtual bool VideoFullScreen() const = 0;
  // The bounds of the monitor that shows the video window (VideoMonitor):
  // dialogs are centred on it over a full-screen video.
  virtual TRect VideoMonitor() const = 0;
  // Window placement works per monitor (the monitors differ in size).
  virtual bool MonitorsDiffer() const = 0;
  // While set (the boss key brings the windows back), windows do no
  // layout and placement when shown.
  virtual bool SkipFormPlacement() const = 0;
};
