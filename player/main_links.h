// What the main window reaches of the rooms built elsewhere: the commands of
// transport, seeking, subtitles, picture geometry, bookmarks and the OSD
// (TPlayerCommands), the satellite windows, the dialogs its menu opens and
// the playlist (player/playlist_access.h). Each room installs its part when
// it is created; until then the main window works against stand-ins that do
// nothing (player/rooms_stand_in.h). GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "kit/widget_links.h"
#include "player/commands.h"

class TForm;

namespace lc {

class TPlayerCommands : public TPlaybackLink {
 public:
  // Runs a command of another room (Cmd lists which); Arg is the bookmark
  // number of Cmd::Bookmark.
  virtual void Run(Cmd Command, int Arg) = 0;
  // Whether this room, or one it passes commands on to, runs Command.
  virtual bool Takes(Cmd Command) const = 0;
  // TfrmMain.ShowOSD with OsdShowsPosition cleared first.
  virtual void ShowOSD(const std::wstring& Text) = 0;
  // The graph component's volume, 0 .. 10000.
  virtual int GraphVolume() const = 0;
  // The time label shows frames instead of times (ShowFrames).
  virtual bool ShowFrames() const = 0;
  // TfrmMain.OpenMovie: opens CurrentMovieFile.
  virtual void OpenMovie(bool PlayAfterOpen, bool AddNextParts) = 0;
  // The valid flag of PreviousMovieSettings.
  virtual void SetPreviousMovieSettingsValid(bool Valid) = 0;
  // The enabled flag of the dynamic amplification (DspDynamicAmplify).
  virtual void SetDynamicAmplification(bool Enabled) = 0;
  // Closing, while a movie is loaded: movie mode off with its saved picture
  // values back, the movie's remembered settings stored (unless the current
  // movie is to be skipped), the graph stopped and deactivated.
  virtual void StoreMovieAndStopGraph() = 0;
  // Closing: the user's settings that a movie's remembered entry replaced
  // (subtitle appearance, pan & scan, volume, colour sliders) put back.
  virtual void UndoRememberedReplacements() = 0;
  // TfrmMain.ChangeResolution to the display mode named ModeName.
  virtual void ChangeResolution(const std::string& ModeName) = 0;
};

// The satellite windows; nullptr while the window does not exist.
struct TSatelliteWindows {
  TForm* VideoWindow = nullptr;
  TForm* PlayList = nullptr;
  TForm* Equalizer = nullptr;
  TForm* ColorControl = nullptr;
};

// A modal dialog of the main window: how to create it (required: the
// start-up's window links set it), and the dialog while it is up. Create
// may return nullptr when the dialog could not be made (the media
// information window that could not read the movie has said so itself).
struct TDialogSlot {
  std::function<std::unique_ptr<TForm>()> Create;
  TForm* Open = nullptr;
};

struct TMainDialogs {
  TDialogSlot Config;
  TDialogSlot About;
  TDialogSlot Keyboard;
  TDialogSlot Jump;
  TDialogSlot Info;
};

}  // namespace lc
