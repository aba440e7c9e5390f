// The playlist model and the opening of files, kept by the main window, and
// what they ask of the player: its shared values, its commands, its
// messages and the playlist window.
#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "playlist/win/playlist_window.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;

class TMainPlayerLink : public lc::playlist::PlayerLink {
 public:
  explicit TMainPlayerLink(TfrmMain& Form) : F(Form) {}

  bool CloseWhenListEnds() const override { return F.CloseWhenListEnds; }
  void SetCloseWhenListEnds(bool Value) override { F.CloseWhenListEnds = Value; }
  void SetPreviousMovieSettingsValid(bool Valid) override { F.Commands().SetPreviousMovieSettingsValid(Valid); }
  std::string CurrentMovieFile() const override { return F.CurrentMovieFile; }
  void SetCurrentMovieFile(const std::string& Path) override { F.CurrentMovieFile = Path; }
  bool Busy() const override { return lc::Program().BusyFlag || lc::Program().OpeningMovie; }
  bool GraphActive() const override { return F.Commands().GraphActive(); }
  bool StopEnabled() const override { return F.BtnStop->Enabled(); }
  // The stop was refused when Play still shows down.
  bool StopPlayback() override {
    F.Commands().Run(Cmd::BtnStopClick, 0);
    return !ShownDown(*F.BtnPlay);
  }
  // The new movie's video window shows when a minimised player is restored.
  void StopForNewList() override {
    if (F.BtnStop->Enabled()) F.Commands().Run(Cmd::StopForNewList, 0);
    if (Application.IsIconic()) F.HideVideoOnRestore = false;
  }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override {
    F.Commands().OpenMovie(PlayAfterOpen, AddNextParts);
  }
  bool AttachSubtitle(const std::string& File) override { return F.AttachSubtitle(File); }
  bool LoadChosenSubtitle(const std::string& File) override;
  void DetachSubtitle() override {
    lc::Player().SubtitleLoaded = false;
    F.SubtitleLabel->SetCaption(Utf8ToWide(lc::settings::GlobalTextTable().TextLabels[30]));
  }
  std::string SearchSubtitle(const std::string& Movie) override { return F.SearchSubtitle(Movie, true); }
  // The playlist's own messages belong to its window.
  void ShowMessage(const std::string& Text, lc::playlist::MessageOwner Owner) override {
    const bool ToList = Owner == lc::playlist::MessageOwner::PlaylistWindow && frmPlayList;
    F.ShowReport(Text, ToList ? static_cast<TForm*>(frmPlayList) : nullptr);
  }
  void SelectionChanged() override {
    if (frmPlayList) frmPlayList->ListVideoSelectItem();
  }
  bool ListHasFocus() const override { return frmPlayList && frmPlayList->ListVideoFocused(); }
  void AfterEntryOpened(bool ListHadFocus) override;
  void ShowPlaylistWindow() override {
    if (F.Satellites.PlayList && !F.Satellites.PlayList->Showing()) F.Satellites.PlayList->Show();
  }

 private:
  TfrmMain& F;
};

// The loader speaks for itself when the file does not load; the lines of
// the subtitle that went leave the picture either way.
bool TMainPlayerLink::LoadChosenSubtitle(const std::string& File) {
  const bool Loaded = F.LoadSubtitle(File, false);
  lc::Player().SubtitleLoaded = Loaded;
  if (Loaded) lc::Subtitles().CurrentSubtitleFile = File;
  if (frmVideoWindow) {
    TDSVideoWindowEx2& Video = *frmVideoWindow->VideoWindow;
    Video.OverlaySubtitleLinesA.clear();
    Video.OverlaySubtitleLinesW.clear();
    Video.RepaintSubtitle();
  }
  const std::string Shown = Loaded ? lc::FileNameOf(File) : lc::settings::GlobalTextTable().TextLabels[30];
  F.SubtitleLabel->SetCaption(Utf8ToWide(Shown));
  return Loaded;
}

// With the video window up, the playlist comes to the front in full screen
// (unless the main window hides there) and otherwise, when its list had
// the focus, takes it back and stays just behind the video window.
void TMainPlayerLink::AfterEntryOpened(bool ListHadFocus) {
  TfrmPlayList* List = frmPlayList;
  TfrmVideoWindow* Video = frmVideoWindow;
  if (!List || !Video || !Video->Visible()) return;
  if (Video->FullScreen) {
    if (!lc::Program().Settings.AutoHideMainWindow) List->BringToFront();
    return;
  }
  if (!List->Visible() || !ListHadFocus) return;
  List->ListVideo.SetFocus();
  if (!F.AlwaysOnTopChecked) {
    SetWindowPos(List->Handle(), Video->Handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void TfrmMain::CreatePlaylist() {
  lc::ProgramState& P = lc::Program();
  const lc::settings::TextTable& Texts = lc::settings::GlobalTextTable();
  FPlayerLink = std::make_unique<TMainPlayerLink>(*this);
  FPlaylist = std::make_unique<lc::playlist::Playlist>(*FPlayerLink, FDisk, P.Settings, Texts, P.Names.DataFolder,
                                                       P.Names.AutoPlaylistFileName());
  FOpener = std::make_unique<lc::playlist::FileOpener>(*FPlaylist, *FPlayerLink, FDisk, P.Settings, Texts);
}

namespace {

// Focus moves between the playlist's lists only while the playlist window
// is the active one: the opening never takes activation from the video
// window.
bool PlaylistActive() {
  return frmPlayList && frmPlayList->Visible() && GetActiveWindow() == frmPlayList->Handle();
}

}  // namespace

void TfrmMain::OpeningPlaylistCandidates() {
  if (!frmPlayList) return;
  frmPlayList->ListVideoSelectItem();
  if (PlaylistActive() && lc::Program().Settings.ShowSubtitlesInPlaylist) frmPlayList->ListSub.SetFocus();
}

void TfrmMain::OpeningPlaylistFocus() {
  if (PlaylistActive()) frmPlayList->ListVideo.SetFocus();
}
