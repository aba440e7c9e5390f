// What the tool windows and dialogs (equalizer, colour control,
// configuration, profiles editor, media information, jump, aspect ratio,
// pan & scan, presets, shutdown countdown, about box, key list) need of the
// rest of the program. Every link is required: the start-up answers for the
// running program (app/window_links.h) and connects it before the first tool
// window is made; a tool window made without it throws std::logic_error.
// GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/forms.h"
#include "kit/program_windows.h"
#include "kit/widget_links.h"
#include "settings/associations.h"
#include "tools/config/config_apply.h"
#include "tools/tool_links.h"

namespace lc::tools {

class TToolEnvironment {
 public:
  virtual ~TToolEnvironment() = default;
  // The program's windows: placement, snapping, the boss key's return.
  virtual const TProgramWindows& Windows() const = 0;
  // The five windows made at start-up (main, colour control, playlist,
  // video, equalizer), which the shutdown countdown disables.
  virtual std::vector<TForm*> StartUpWindows() const = 0;
  // Records M as VideoMonitor (the jump and aspect dialogs, placed by the
  // video window while the monitors differ).
  virtual void SetVideoMonitor(const TMonitor& M) const = 0;
  // The player as the tool windows and the colour sliders reach it (the
  // jump, aspect-ratio and pan & scan dialogs are made with theirs).
  virtual TToolPlayerLink& Player() const = 0;
  virtual TPlaybackLink& Playback() const = 0;
  // WM_DROPFILES on a tool window, handed on unchanged to the main window.
  virtual void AcceptFiles(TMessage& Message) const = 0;
  // The colour window was shown: the values it shows stay when the movie
  // stops (RmsColorsApplied := False).
  virtual void ColorsShown() const = 0;
  // The open movie's file name without folder (its remembered settings'
  // name); empty without one.
  virtual std::string CurrentMovieName() const = 0;
  // The program's file associations (the configuration dialog's File
  // Types page) and what the dialog's Apply and closing tell the player.
  virtual lc::Associations& FileAssociations() const = 0;
  virtual lc::tools::ConfigPlayerLinks& Config() const = 0;
  // The end of the shutdown countdown: PlayerClosing := True, then the main
  // window's close handler (stops and stores the movie, saves the settings
  // and the playlist). The program is not asked to end: the countdown
  // still shows why the computer stayed on before it ends the program.
  virtual void ClosePlayer() const = 0;
};

// Joins the tool windows to the program; Environment must outlive the
// connection.
void ConnectToolWindows(const TToolEnvironment& Environment);
// Ends the connection when Environment is the connected one (it is going
// away).
void DisconnectToolWindows(const TToolEnvironment& Environment);
// The connected environment; std::logic_error without one.
const TToolEnvironment& ToolEnvironment();

// The user's decimal separator.
wchar_t DecimalSeparator();

}  // namespace lc::tools
