// The transport of the main window: open by dialog, play, pause and stop,
// with what a stop records (the previous movie's picture, the remembered
// entry) and puts back (the user's settings a remembered entry replaced).
#include <algorithm>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/dialogs.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/fpu_control.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "playlist/text_rules.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "tools/color/color_control_window.h"
#include "tools/jump_dialog.h"
#include "tools/media_info/info_window.h"
#include "tools/slider_dialogs.h"

using lc::Player;
using lc::Program;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

bool GraphActive() { return frmVideoWindow && frmVideoWindow->GraphActive(); }

void Say(TfrmMain& Main, const std::string& Text) {
  Player().OsdShowsPosition = false;
  Main.ShowOSD(Text);
}

}  // namespace

void TfrmMain::BtnPlayClick() {
  lc::ProgramState& P = Program();
  if (P.BusyFlag || P.OpeningMovie) return;
  if (GraphActive()) {
    BtnRewind->SetEnabled(true);
    BtnForward->SetEnabled(true);
    BtnPlay->SetDown(true);
    BtnPause->SetDown(false);
    BtnStop->SetEnabled(true);
    ResetTimer.SetEnabled(true);
    if (ResetTimer.OnTimer) ResetTimer.OnTimer(&ResetTimer);
    frmVideoWindow->VideoWindow->SetAutoHideCursor(3000);
    Say(*this, Texts().TextHints[6]);
    frmVideoWindow->FilterGraph.Play();
    return;
  }
  lc::playlist::PlaylistEntries& E = Playlist().Entries();
  const int Index = E.PlaylistIndex;
  if (Playlist().Count() == 0 || Index < 0 || Index >= Playlist().Count()) {
    BtnOpenMovieClick();
    return;
  }
  if (!FDisk.FileExists(E.PlaylistMovies[Index])) {
    BtnOpenMovieClick();
    return;
  }
  CurrentMovieFile = E.PlaylistMovies[Index];
  if (P.Settings.Shuffle) {
    const auto At = std::find(E.ShufflePool.begin(), E.ShufflePool.end(), CurrentMovieFile);
    if (At != E.ShufflePool.end()) E.ShufflePool.erase(At);
  }
  Playlist().SetItemIndex(Index);
  CloseWhenListEnds = false;
  OpenMovie(true, false);
  if (GraphActive()) lc::Playback().PreviousMovieSettings.Valid = true;
}

void TfrmMain::BtnPauseClick() {
  if (Program().OpeningMovie || !GraphActive()) return;
  BtnPause->SetDown(true);
  BtnPlay->SetDown(false);
  ResetTimer.SetEnabled(false);
  // The system may sleep and blank the screen again.
  SetThreadExecutionState(ES_CONTINUOUS);
  frmVideoWindow->VideoWindow->SetAutoHideCursor(0);
  Say(*this, Texts().TextHints[8]);
  frmVideoWindow->FilterGraph.Pause();
}

void TfrmMain::BtnStopClick(bool CloseMovie) {
  if (AbandonOpening() || !GraphActive()) return;
  StoreStoppingMovie();
  ReleaseStoppedGraph();
  CloseMovieDialogs();
  Say(*this, Texts().TextHints[9]);
  StoppedFace(CloseMovie);
}

// The movie's remembered entry and the previous movie's record, taken with
// movie mode's values back; then the user's own settings return.
void TfrmMain::StoreStoppingMovie() {
  lc::ProgramState& P = Program();
  EndMovieModeForStore();
  if (P.RmsSkipCurrent)
    P.RmsSkipCurrent = false;
  else
    lc::settings::AddToRms(P.Rms, LiveRmsState(), lc::CurrentDateTime());
  RecordPreviousMovie();
  // Both records are taken: the next movie's are its own.
  lc::Playback().FullScreenFromMovieMode = false;
  RestoreRememberedReplacements();
}

// The graph stops, empties and goes inactive (a failure on the way does not
// keep the rest from happening); the video window shows no picture and the
// system may sleep again.
void TfrmMain::ReleaseStoppedGraph() {
  TfrmVideoWindow& V = *frmVideoWindow;
  ResetTimer.SetEnabled(false);
  SetThreadExecutionState(ES_CONTINUOUS);
  V.VideoWindow->SetAutoHideCursor(0);
  V.VideoWindow->OverlaySubtitleLinesA.clear();
  V.VideoWindow->OverlaySubtitleLinesW.clear();
  TFilterGraph& Graph = V.FilterGraph;
  try {
    Graph.Stop();
  } catch (...) {
  }
  try {
    Graph.ClearGraph();
  } catch (...) {
  }
  try {
    Graph.SetActive(false);
  } catch (...) {
  }
  const int CX = V.VideoWindow->Width() / 2, CY = V.VideoWindow->Height() / 2;
  V.VideoWindow->VideoRect = Rect(CX, CY, CX, CY);
  V.VideoWindow->RepaintVideo();
  lc::RestoreSavedFpuControlWord();
}

// The dialogs that work on the movie being shown.
void TfrmMain::CloseMovieDialogs() {
  for (TForm* Dialog : {static_cast<TForm*>(frmAspectRatio), static_cast<TForm*>(frmJump),
                        static_cast<TForm*>(frmPanScan), static_cast<TForm*>(frmInfo)})
    if (Dialog) Dialog->Close();
}

// The face of a stopped movie, or with CloseMovie of no movie: the
// bookmarks go and the video window may hide.
void TfrmMain::StoppedFace(bool CloseMovie) {
  const lc::ProgramState& P = Program();
  TfrmVideoWindow& V = *frmVideoWindow;
  if (CloseMovie) {
    LastJumpTime = 0;
    ClearBookmarksMenuClick();
  }
  ClearFilterMenus();
  ProgressBar->SetPosition(0);
  ProgressBar->SetEnabled(false);
  SetTransportButtons(false);
  PausedByMinimize = false;
  if (CloseMovie) {
    Player().SubtitleLoaded = false;
    NoMovieFace();
    if (P.Settings.AutoCloseVideoWindow) {
      if (V.FullScreen) V.SetNormalScreen();
      // A minimised player hides it when it is restored.
      if (Application.IsIconic())
        HideVideoOnRestore = true;
      else
        V.Hide();
    }
  } else {
    MovieTimesLabel->SetCaption(
        Utf8ToWide(lc::StoppedTimesText(ProgressBar->Max(), P.Settings.ShowFrames, FrameRate)));
  }
}

// Opening: play shown down, pause and stop ready, rewind and forward
// waiting for the rendered graph. Otherwise every transport button up and
// all but play disabled.
void TfrmMain::SetTransportButtons(bool Opening) {
  BtnRewind->SetEnabled(false);
  BtnForward->SetEnabled(false);
  BtnPlay->AllowDown = Opening;
  BtnPause->AllowDown = Opening;
  BtnPlay->SetDown(Opening);
  BtnPause->SetDown(false);
  BtnPause->SetEnabled(Opening);
  BtnStop->SetEnabled(Opening);
}

void TfrmMain::EndMovieModeForStore() {
  lc::PlaybackState& B = lc::Playback();
  B.FullScreenFromMovieMode = false;
  if (!MovieModeChecked) return;
  MovieModeChecked = false;
  lc::RestoreMovieModeValues(Player(), Program().Settings);
  if (!Player().MovieModeSaved.WasFullScreen && frmVideoWindow->FullScreen) B.FullScreenFromMovieMode = true;
}

// The labels and title of the player without a movie.
void TfrmMain::NoMovieFace() {
  MovieLabel->SetCaption(Utf8ToWide(Texts().TextLabels[29]));
  Application.SetTitle(Utf8ToWide(Program().Names.AppName));
  SubtitleLabel->SetCaption(Utf8ToWide(Texts().TextLabels[30]));
  MovieTimesLabel->SetCaption(Utf8ToWide(lc::NoMovieTimesText(Program().Settings.ShowFrames)));
}

void TfrmMain::RecordPreviousMovie() {
  const TfrmVideoWindow& V = *frmVideoWindow;
  lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  const lc::PlayerState& S = Player();
  Prev.Valid = true;
  Prev.FullScreen = lc::Playback().FullScreenFromMovieMode ? false : V.FullScreen;
  Prev.AspectRatio = Program().Settings.KeepAspectRatio ? S.AspectRatioValue : -1.0;
  Prev.PanScan = Program().Settings.PanScanValue;
  const TRect Bounds = V.FullScreen ? V.NormalBounds : V.BoundsRect();
  Prev.WindowWidth = Bounds.Width();
  Prev.WindowHeight = Bounds.Height();
  Prev.ImageOffsetX = S.ImageOffsetX;
  Prev.ImageOffsetY = S.ImageOffsetY;
  Prev.NativeWidth = S.NativeWidth;
  Prev.NativeHeight = S.NativeHeight;
}

void TfrmMain::RestoreRememberedReplacements() {
  lc::PlaybackState& B = lc::Playback();
  lc::settings::SettingsStore& S = Program().Settings;
  if (B.SavedSubtitleSettings.Valid) {
    const lc::SavedSubtitleLook& L = B.SavedSubtitleSettings;
    S.SubtitleFontName = L.FontName;
    S.SubtitleFontColor = L.FontColor;
    S.SubtitleFontStyle = L.FontStyle;
    S.SubtitleSize = L.SubtitleSize;
    S.AverageVerticalDisplayZone = L.AverageVerticalDisplayZone;
    S.TransparentBackground = L.TransparentBackground;
    S.UseOutlineFont = L.UseOutlineFont;
    B.SavedSubtitleSettings.Valid = false;
    SubtitleLookIntoVideo();
  }
  if (B.RmsPanScanApplied) {
    S.PanScanValue = B.SavedPanScan;
    B.RmsPanScanApplied = false;
  }
  if (B.SavedVolumeValid) {
    B.SavedVolumeValid = false;
    VolumeBar->SetPosition(B.SavedVolumePosition);
  }
  if (B.SavedColorSliders.Valid) {
    SetColorSliders(B.SavedColorSliders);
    B.SavedColorSliders.Valid = false;
  }
}

lc::settings::RmsLiveState TfrmMain::LiveRmsState() const {
  const TfrmVideoWindow& V = *frmVideoWindow;
  const lc::PlayerState& St = Player();
  const lc::settings::SettingsStore& S = Program().Settings;
  lc::settings::RmsLiveState L;
  L.MovieName = lc::FileNameOf(CurrentMovieFile);
  L.MovieMode = MovieModeChecked;
  L.PanScanValue = S.PanScanValue;
  L.ImageOffsetX = St.ImageOffsetX;
  L.ImageOffsetY = St.ImageOffsetY;
  L.FullScreen = V.FullScreen;
  L.SavedPanScan = St.MovieModeSaved.PanScan;
  L.SavedImageOffsetX = St.MovieModeSaved.OffsetX;
  L.SavedImageOffsetY = St.MovieModeSaved.OffsetY;
  L.SavedFullScreen = St.MovieModeSaved.WasFullScreen;
  L.SavedVerticalDisplayZone = St.MovieModeSaved.SubtitleZone;
  L.MovieModeFullScreenEnded = lc::Playback().FullScreenFromMovieMode;
  L.KeepAspectRatio = S.KeepAspectRatio;
  L.AspectRatioValue = St.AspectRatioValue;
  const TRect Normal = V.FullScreen ? V.NormalBounds : V.BoundsRect();
  L.VideoWindowWidth = Normal.Width();
  L.VideoWindowHeight = Normal.Height();
  if (const auto Position = lc::MoviePosition()) L.Position100ns = *Position;
  L.BookmarkCaptions = BookmarkCaptions();
  if (frmColorControl) {
    const lc::tools::TColorPanel& Panel = frmColorControl->Panel();
    L.BrightnessSlider = Panel.Position(lc::tools::csBrightness);
    L.ContrastSlider = Panel.Position(lc::tools::csContrast);
    L.HueSlider = Panel.Position(lc::tools::csHue);
    L.SaturationSlider = Panel.Position(lc::tools::csSaturation);
  }
  L.VolumePosition = VolumeBar->Position();
  L.SubtitleFontName = S.SubtitleFontName;
  L.SubtitleFontColor = S.SubtitleFontColor;
  L.SubtitleFontStyle = S.SubtitleFontStyle;
  L.SubtitleSize = S.SubtitleSize;
  L.TransparentBackground = S.TransparentBackground;
  L.UseOutlineFont = S.UseOutlineFont;
  L.AverageVerticalDisplayZone = S.AverageVerticalDisplayZone;
  return L;
}

void TfrmMain::BtnOpenMovieClick() {
  lc::ProgramState& P = Program();
  if (P.BusyFlag || P.OpeningMovie) return;
  TOpenDialog& Dialog = OpenMovieDialog;
  // Shown, it takes the remote control's keystrokes.
  Dialog.OnShow = [&Dialog](TComponent*) { Dialog.Tag = 1; };
  Dialog.OnClose = [&Dialog](TComponent*) { Dialog.Tag = 0; };
  if (std::find(RemoteFileDialogs.begin(), RemoteFileDialogs.end(), &Dialog) == RemoteFileDialogs.end())
    RemoteFileDialogs.push_back(&Dialog);
  Dialog.Options |= ofAllowMultiSelect;
  Dialog.Title = Utf8ToWide(Texts().TextHints[4]);
  Dialog.Filter = Utf8ToWide(lc::settings::MovieDialogFilter(Texts(), P.Settings.MediaExtensions));
  Dialog.InitialDir = L".";
  const bool Chosen = Dialog.Execute();
  // The player may have been closed meanwhile (the shutdown countdown runs
  // in the dialog's message loop): the program ends instead of opening.
  if (P.PlayerClosing) {
    Application.Terminate();
    return;
  }
  if (!Chosen || Dialog.Files.empty()) return;
  const std::string First = WideToUtf8(Dialog.Files.front());
  if (!FDisk.FileExists(First)) {
    bool Unused = false;
    ShowMessageBox(Utf8ToWide(Texts().TextMessages[10] + " \"" + First + "\" " + Texts().TextMessages[11]), this,
                   false, Unused);
    return;
  }
  std::vector<std::string> Names;
  int Start = -1;
  if (P.Settings.LoadEntireFolder && Dialog.Files.size() == 1) {
    const std::string Folder = lc::playlist::WithSeparator(lc::playlist::FolderPart(First));
    const std::vector<lc::playlist::FolderEntry> Listed = FDisk.ListFolder(Folder);
    for (const std::string& Ext : P.Settings.MediaExtensions)
      for (const lc::playlist::FolderEntry& Found : Listed)
        if (Found.isFile && lc::playlist::SameTextNoCase(lc::playlist::ExtensionOf(Found.name), Ext))
          Names.push_back(Folder + Found.name);
    for (std::size_t I = 0; I < Names.size() && Start < 0; ++I)
      if (lc::playlist::SameTextNoCase(Names[I], First)) Start = static_cast<int>(I);
    if (Start < 0) Names.push_back(First);
  } else {
    for (const std::wstring& F : Dialog.Files) Names.push_back(WideToUtf8(F));
  }
  Dialog.FileName.clear();
  CloseWhenListEnds = false;
  lc::Playback().PreviousMovieSettings.Valid = false;
  Opener().OpenFiles(Names, Start);
  if (GraphActive()) lc::Playback().PreviousMovieSettings.Valid = true;
}
