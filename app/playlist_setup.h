// The playlist window as the start-up creates it: third of the long-lived
// windows, wired to the main window's model, opening, keys and commands.
// GUI thread only.
#pragma once

#include <memory>

class TfrmMain;
class TfrmPlayList;
class TPlayListEnvironment;
class TProgramWindows;

namespace lc {

// The program as the playlist window reaches it: the main window's keys,
// seek commands and silent subtitle check, the skinned message box, and
// Windows. Both must outlive it.
std::unique_ptr<TPlayListEnvironment> MakePlaylistEnvironment(TfrmMain& Main, const TProgramWindows& Windows);

// Makes the playlist window (frmPlayList) over the main window's playlist
// model and opening, reaching the program through Environment (the
// start-up's window links'), and makes it the main window's playlist
// satellite, its file dialogs and movie list reached by the remote control.
std::unique_ptr<TfrmPlayList> MakePlaylistWindow(TfrmMain& Main, TPlayListEnvironment& Environment);

// The window takes its remembered place, size and list font size (after the
// settings file was read).
void PlaylistSettingsIntoWindow(TfrmPlayList& List);

}  // namespace lc
