// What the long-lived tool windows (equalizer, colour control) need of the
// rest of the program, set once by the start-up before they are created.
// Every part may be left empty: no player (keys and on-screen texts go
// nowhere), no other windows to snap to or place against, placement always
// done, one monitor layout. GUI thread only.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "kit/widget_links.h"
#include "settings/associations.h"
#include "settings/config_apply.h"
#include "tools/tool_links.h"

namespace lc::tools {

struct TToolEnvironment {
  TToolPlayerLink* Player = nullptr;
  // The player as the jump, aspect-ratio and pan & scan dialogs use it.
  TDialogPlayerLink* Dialogs = nullptr;
  // Graph state and the remembered-settings score (colour sliders).
  TPlaybackLink* Playback = nullptr;
  // WM_DROPFILES on a tool window, handed on unchanged to the main window.
  std::function<void(TMessage& Message)> AcceptFiles;
  std::function<TForm*()> MainWindow;
  std::function<TForm*()> VideoWindow;
  std::function<TForm*()> PlaylistWindow;
  // The five windows made at start-up (main, colour control, playlist,
  // video, equalizer), which the shutdown countdown disables.
  std::function<std::vector<TForm*>()> StartUpWindows;
  std::function<bool()> VideoFullScreen;
  // The bounds of the monitor that shows the video window (VideoMonitor).
  std::function<TRect()> VideoMonitor;
  // Records M as VideoMonitor (the jump and aspect dialogs, placed by the
  // video window while the monitors differ).
  std::function<void(const TMonitor& M)> SetVideoMonitor;
  std::function<bool()> MonitorsDiffer;
  // While set, windows do no layout and placement when shown.
  std::function<bool()> SkipFormPlacement;
  // The colour window was shown: the values it shows stay when the movie
  // stops (RmsColorsApplied := False).
  std::function<void()> ColorsShown;
  // The open movie's file name without folder (the movie-name label).
  std::function<std::string()> CurrentMovieName;
  // The configuration dialog: the program's file associations (none: the
  // File Types page edits the list only), what its Apply and closing tell
  // the player, and the main window's movie-mode item to uncheck when the
  // subtitle's place or font is changed.
  lc::Associations* FileAssociations = nullptr;
  lc::settings::ConfigPlayerLinks Config;
  std::function<void()> UncheckMovieMode;
};

void SetToolEnvironment(TToolEnvironment Environment);
const TToolEnvironment& ToolEnvironment();

// Helpers over the environment for the windows.
TForm* EnvForm(const std::function<TForm*()>& Get);
bool EnvFlag(const std::function<bool()>& Get);

// The user's decimal separator.
wchar_t DecimalSeparator();

}  // namespace lc::tools
