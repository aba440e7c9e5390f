#include "app/playlist_setup.h"

#include <windows.h>

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

// The main window's keys and commands, the skinned message box owned by the
// playlist window.
class TStartupPlaylistEnvironment : public TPlayListEnvironment {
 public:
  TStartupPlaylistEnvironment(TfrmMain& Main, const TProgramWindows& Windows) : FMain(Main), FWindows(Windows) {}
  const TProgramWindows& Windows() const override { return FWindows; }
  void ExecuteKeyCommand(WORD& Key, TShiftState Shift) override { FMain.ExecuteKeyCommand(Key, Shift); }
  void Seek(bool Forward, TShiftState Shift) override { FMain.RunCommand(SeekCommand(Forward, Shift)); }
  bool CheckSubtitleFile(const std::string& Path) override { return FMain.CheckSubtitleFile(Path); }
  void ShowMessage(const std::wstring& Text) override {
    bool Unused = false;
    ShowMessageBox(Text, frmPlayList, false, Unused);
  }
  bool PlayerClosing() const override { return Program().PlayerClosing; }
  TImageList& MenuImages() const override { return FMain.ImageList; }

 private:
  TfrmMain& FMain;
  const TProgramWindows& FWindows;
};

}  // namespace

std::unique_ptr<TPlayListEnvironment> MakePlaylistEnvironment(TfrmMain& Main, const TProgramWindows& Windows) {
  return std::make_unique<TStartupPlaylistEnvironment>(Main, Windows);
}

std::unique_ptr<TfrmPlayList> MakePlaylistWindow(TfrmMain& Main, TPlayListEnvironment& Environment) {
  auto Made = std::make_unique<TfrmPlayList>(Main.Playlist(), Main.Opener(), Program().Settings, Environment);
  TfrmPlayList* List = Made.get();
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
  return Made;
}

void PlaylistSettingsIntoWindow(TfrmPlayList& List) {
  const settings::SettingsStore& S = Program().Settings;
  List.SetBounds(S.PlaylistXPosition, S.PlaylistYPosition, List.Width(), List.Height());
  List.SetClientSize(S.PlayListWidth, S.PlayListHeight);
  List.SetListFontSize(S.PlaylistFontSize);
  List.SettingsIntoSwitches();
}

}  // namespace lc
