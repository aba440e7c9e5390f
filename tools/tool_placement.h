// Where the tool windows place themselves when shown. Plain rules over
// rectangles; the windows gather the rectangles. Portable.
#pragma once

#include "framework/types.h"

namespace lc::tools {

// The colour control window, W x H.
struct TColorPlacementInput {
  int Width = 0;
  int Height = 0;
  bool VideoShowing = false;
  bool VideoFullScreen = false;
  TRect Video;              // the video window
  TRect VideoWorkArea;      // work area of the monitor that shows it
  TRect VideoMonitor;       // that monitor (VideoMonitor)
  TRect Main;               // the main window
  TRect MainMonitor;        // the monitor that shows the main window
  TRect WorkArea;           // the desktop work area
  int ScreenWidth = 0;      // the primary screen
  int ScreenHeight = 0;
  bool MonitorsDiffer = false;
};
// Below a shown normal video window and centred on it; over a full-screen
// one at three quarters of the free height; else halfway between the
// screen's (or the main window's monitor's) centre and the main window's.
TPoint PlaceColorControl(const TColorPlacementInput& In);

// The equalizer's preset dialog, W x H, beside the equalizer E within the
// area A (the work area, or the equalizer's monitor's when the monitors
// differ).
struct TPresetPlacementInput {
  int Width = 0;
  int Height = 0;
  TRect Equalizer;
  TRect Area;
  TRect Monitor;  // the equalizer's monitor
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  bool MonitorsDiffer = false;
};
// Left of the equalizer when it fits, else below it, else centred.
TPoint PlacePresetDialog(const TPresetPlacementInput& In);

// The modal dialogs, W x H (client size).
struct TDialogPlacementInput {
  int Width = 0;
  int Height = 0;
  // The video window is in full screen.
  bool VideoFullScreen = false;
  // The video window is in full screen and the main window put aside.
  bool OnFullScreenVideo = false;
  TRect VideoMonitor;   // the monitor that shows the video window
  TRect Video;          // the video window
  TRect VideoWorkArea;  // work area of the monitor that shows it
  TRect Main;           // the main window
  TRect MainMonitor;    // the monitor that shows the main window
  TRect WorkArea;       // the desktop work area
  int ScreenWidth = 0;
  int ScreenHeight = 0;
  bool MonitorsDiffer = false;
};
// Media information, shutdown countdown, about box and key list: centred on
// the video's monitor over a full-screen video, else halfway between the
// screen's (or the main window's monitor's) centre and the main window's
// centre, kept inside the work area (or that monitor).
TPoint PlaceBetweenMain(const TDialogPlacementInput& In);
// Jump and aspect ratio: centred on the video's monitor while the video is
// in full screen (wherever the main window is); else below the video window, horizontally at its centre (monitors
// differ) or halfway between it and the screen's centre, kept inside the
// work area of the video's monitor (or the desktop's).
TPoint PlaceBelowVideo(const TDialogPlacementInput& In);

// The equalizer window: Bounds moved (not resized) into Area.
TPoint KeepInside(const TRect& Bounds, const TRect& Area);

}  // namespace lc::tools
