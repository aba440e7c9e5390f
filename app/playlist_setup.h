// The playlist window as the start-up creates it: third of the long-lived
// windows, wired to the main window's model, opening, keys and commands.
// GUI thread only.
#pragma once

class TfrmMain;
class TfrmPlayList;

namespace lc {

// Creates frmPlayList over the main window's playlist model and opening and
// makes it the main window's playlist satellite.
TfrmPlayList* CreatePlaylistWindow(TfrmMain& Main);

// The window takes its remembered place, size and list font size (after the
// settings file was read).
void PlaylistSettingsIntoWindow(TfrmPlayList& List);

}  // namespace lc
