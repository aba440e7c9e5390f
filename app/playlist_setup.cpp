#include "app/playlist_setup.h"

#include <windows.h>

#include "framework/application.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/program_state.h"

namespace lc {

namespace {

// Right and Left in the lists: seek with no modifier, seek far with Ctrl,
// shift the subtitle timing with Alt.
Cmd SeekCommand(bool Forward, TShiftState Shift) {
  if (Shift == ssCtrl) return Forward ? Cmd::FastForwardClick : Cmd::FastRewindClick;
  if (Shift == ssAlt) return Forward ? Cmd::IncreaseTimeMenuClick : Cmd::DecreaseTimeMenuClick;
  return Forward ? Cmd::BtnForwardClick : Cmd::BtnRewindClick;
}

}  // namespace

TfrmPlayList* CreatePlaylistWindow(TfrmMain& Main) {
  TPlayListEnvironment Env;
  Env.MainWindow = [&Main]() -> TForm* { return &Main; };
  Env.VideoWindow = [&Main] { return Main.Satellites.VideoWindow; };
  Env.EqualizerWindow = [&Main] { return Main.Satellites.Equalizer; };
  Env.VideoFullScreen = [] { return frmVideoWindow && frmVideoWindow->FullScreen; };
  Env.ExecuteKeyCommand = [&Main](WORD& Key, TShiftState Shift) { Main.ExecuteKeyCommand(Key, Shift); };
  Env.Seek = [&Main](bool Forward, TShiftState Shift) { Main.RunCommand(SeekCommand(Forward, Shift)); };
  Env.CheckSubtitleFile = [&Main](const std::string& Path) { return Main.CheckSubtitleFile(Path); };
  Env.ShowMessage = [](const std::wstring& Text) {
    bool Unused = false;
    ShowMessageBox(Text, frmPlayList, false, Unused);
  };
  Env.PlayerClosing = [] { return Program().PlayerClosing; };
  Env.SkipFormPlacement = [&Main] { return Main.SkipFormPlacement; };
  Env.MonitorsDiffer = [] { return Program().MonitorsDiffer; };
  TfrmPlayList* List =
      Application.CreateForm<TfrmPlayList>(Main.Playlist(), Main.Opener(), Program().Settings, std::move(Env));
  Main.Satellites.PlayList = List;
  // The remote control types into the window's file dialogs while one is
  // shown, and reaches its movie list.
  for (const TCommonDialog* D : {static_cast<const TCommonDialog*>(&List->OpenDialog),
                                 static_cast<const TCommonDialog*>(&List->SavePlaylistDialog),
                                 static_cast<const TCommonDialog*>(&List->OpenPlaylistDialog),
                                 static_cast<const TCommonDialog*>(&List->OpenSubtitleDialog)})
    Main.RemoteFileDialogs.push_back(D);
  Main.PlaylistListKey = [List](WORD Key, TShiftState Shift, bool ToList) {
    if (ToList)
      List->ListVideo.Perform(WM_KEYDOWN, Key, 0);
    else if (List->ListVideo.OnKeyDown)
      List->ListVideo.OnKeyDown(&List->ListVideo, Key, Shift);
  };
  return List;
}

void PlaylistSettingsIntoWindow(TfrmPlayList& List) {
  const settings::SettingsStore& S = Program().Settings;
  List.SetBounds(S.PlaylistXPosition, S.PlaylistYPosition, List.Width(), List.Height());
  List.SetClientSize(S.PlayListWidth, S.PlayListHeight);
  List.SetListFontSize(S.PlaylistFontSize);
}

}  // namespace lc
