// TfrmMain.OpenMovie: the movie named by CurrentMovieFile into a new graph,
// started or paused on its first frame, and every part of the player
// brought into line with it. The picture's size, place, aspect, pan & scan
// and offsets are in opening_picture.cpp.
#include <float.h>

#include <algorithm>
#include <filesystem>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/skin_strip.h"
#include "player/fpu_control.h"
#include "player/main_form.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "playlist/recent_files.h"
#include "playlist/win/playlist_window.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "tools/color/color_control_window.h"

using lc::Player;
using lc::Program;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

namespace lc {

// In the runtime's own terms: all exceptions masked, 64-bit precision,
// round to nearest, affine infinity.
namespace {
constexpr unsigned kFpuFields = _MCW_EM | _MCW_PC | _MCW_RC | _MCW_IC;
// A word was saved by MaskFpuForPlayback: until then there is nothing of
// ours to put back.
bool FpuWordSaved = false;
}  // namespace

void MaskFpuForPlayback() {
  Program().SavedFpuControlWord = _controlfp(0, 0);
  FpuWordSaved = true;
  _controlfp(_MCW_EM | _PC_64 | _RC_NEAR | _IC_AFFINE, kFpuFields);
}

void RestoreSavedFpuControlWord() {
  if (FpuWordSaved) _controlfp(Program().SavedFpuControlWord, kFpuFields);
}

}  // namespace lc

void TfrmMain::OpenMovie(bool PlayAfterOpen, bool AddNextParts) {
  lc::ProgramState& P = Program();
  lc::PlaybackState& B = lc::Playback();
  lc::OpeningScope Opening;
  // The list moving on by itself while another program is active leaves
  // that program the keyboard: the picture shows without taking it. A
  // movie the user opened (the command line, another instance, a drop,
  // the open dialog, the playlist) brings the player forward.
  const bool TakeKeyboard = !B.AutoAdvancing || Application.Active();
  SetTransportButtons(true);
  const int Found = P.Rms.Find(lc::FileNameOf(CurrentMovieFile));
  const int Entry = P.Settings.RememberMovieSettings ? Found : -1;
  if (P.Settings.RememberSubtitleSettings && Found >= 0) OpeningSubtitleSettings(Found);
  OpeningRememberedSettings(Entry);
  OpeningNewGraph(AddNextParts);
  OpeningRender();

  frmVideoWindow->ZoomBaseBounds = TRect{};
  const bool SubtitleWasLoaded = Player().SubtitleLoaded;
  Player().SubtitleLoaded = false;
  B.AutoAdvancing = false;
  ClearBookmarksMenuClick();
  std::error_code Ignored;
  std::filesystem::current_path(std::filesystem::path(Utf8ToWide(CurrentMovieFile)).parent_path(), Ignored);
  Player().OsdShowsPosition = false;
  ShowOSD(WideToUtf8(MovieLabel->Caption()));
  Player().OsdDuration = std::min(Player().OsdDuration, 3.0 / 86400.0);
  OpeningPlace(Entry);
  if (Entry >= 0) {
    const auto& Marks = P.Rms[Entry].BookMark;
    SetBookmarks({Marks.begin(), Marks.end()});
  }
  lc::playlist::AddToRecentFiles(P.Settings.RecentFiles, CurrentMovieFile);
  OpeningVolume(Entry);
  if (!frmVideoWindow->FullScreen) {
    if (!TakeKeyboard)
      frmVideoWindow->ShowWithoutActivating();
    else if (!frmVideoWindow->Showing())
      frmVideoWindow->Show();
    else
      frmVideoWindow->BringToFront();
  }
  const int Duration = frmVideoWindow->FilterGraph.GetDuration();
  ProgressBar->SetMax(Duration);
  ProgressBar->SetEnabled(true);
  MovieTimesLabel->SetCaption(Utf8ToWide(lc::StoppedTimesText(Duration, P.Settings.ShowFrames, FrameRate)));
  ProgressBar->SetPosition(0);
  OpeningPanScan(Entry);
  OpeningPosition(Entry);
  OpeningAspect(Entry);
  OpeningOffsets(Entry);
  OpeningFullScreen(Entry);
  OpeningPicture();
  BuildFilterMenus();
  BtnRewind->SetEnabled(true);
  BtnForward->SetEnabled(true);
  BtnStop->SetEnabled(true);
  StartOpenedMovie(PlayAfterOpen, TakeKeyboard);
  OpeningWarnings();
  // A run that failed while a warning was up closed the movie: nothing of
  // it is recorded.
  if (!frmVideoWindow->GraphActive()) return;
  Player().SubtitleLoaded = SubtitleWasLoaded;
  if (!P.RmsSkipCurrent) lc::settings::AddToRms(P.Rms, LiveRmsState(), lc::CurrentDateTime());
  Player().RmsChangeScore = 0;
  B.LastOpenEndTime = lc::CurrentDateTime();
}

// The subtitle look remembered with the movie's entry replaces the user's,
// which is kept to be put back when the movie closes.
void TfrmMain::OpeningSubtitleSettings(int Found) {
  const lc::settings::TRmsEntry& E = Program().Rms[Found];
  lc::settings::SettingsStore& S = Program().Settings;
  lc::Playback().SavedSubtitleSettings = {true, S.SubtitleFontName, S.SubtitleFontColor, S.SubtitleFontStyle,
                                          S.SubtitleSize, S.AverageVerticalDisplayZone, S.TransparentBackground,
                                          S.UseOutlineFont};
  S.SubtitleFontName = E.SubtitleFontName;
  S.SubtitleFontColor = E.SubtitleFontColor;
  S.SubtitleFontStyle = E.SubtitleFontStyle;
  S.SubtitleSize = E.SubtitleSize;
  S.AverageVerticalDisplayZone = E.AverageVerticalDisplayZone;
  S.TransparentBackground = E.TransparentBackground;
  S.UseOutlineFont = E.UseOutlineFont;
  SubtitleLookIntoVideo();
}

// A fresh graph and the player's face for the movie before it is rendered:
// labels, the playlist entry's subtitle and its candidates, the next parts.
void TfrmMain::OpeningNewGraph(bool AddNextParts) {
  TDSVideoWindowEx2& Control = *frmVideoWindow->VideoWindow;
  const int CX = Control.Width() / 2, CY = Control.Height() / 2;
  Control.VideoRect = Rect(CX, CY, CX, CY);
  ProgressBar->SetPosition(0);
  RebuildGraph();
  OpeningLabels();
  Player().AspectRatioValue = 1.33;
  Player().NativeWidth = Player().NativeHeight = 0;
  Player().SubtitleLoaded = false;
  FrameRate = 25.0;
  OpeningSubtitle();
  OpeningPlaylistCandidates();
  if (AddNextParts) {
    AppendNextParts();
    OpeningPlaylistFocus();
  }
  Player().RmsChangeScore = -1000000;
  // Display and system kept awake from the start.
  if (ResetTimer.OnTimer) ResetTimer.OnTimer(&ResetTimer);
}

// Renders the movie into the graph. A movie that cannot be rendered, or
// has no picture, ends in the video window's render-failure path. The
// player answers during the render; a render abandoned meanwhile
// (AbandonOpening) ends the opening with no movie and nothing told.
void TfrmMain::OpeningRender() {
  lc::MaskFpuForPlayback();
  std::int32_t Result = -1;
  try {
    Result = frmVideoWindow->FilterGraph.RenderFile(Utf8ToWide(CurrentMovieFile));
  } catch (...) {
    Result = -1;
  }
  if (frmVideoWindow->FilterGraph.RenderAbandoned()) frmVideoWindow->FilterGraphRenderAbandoned();
  lc::Playback().LastRenderResult = Result;
  const lc::RenderOutcome Outcome = lc::ClassifyRenderResult(Result);
  if (Outcome == lc::RenderOutcome::Fail) frmVideoWindow->FilterGraphUnableToRender();
  if (Outcome == lc::RenderOutcome::GoOn) ReadVideoAspect();
  // Only movies with a picture are played.
  if (Player().NativeWidth == 0 || Player().NativeHeight == 0) frmVideoWindow->FilterGraphUnableToRender();
  OpeningFrameRate();
  // A new graph starts at the control's own defaults: the sliders' values
  // go to it whether or not a slider moved since they were last handed over.
  std::fill(std::begin(FAppliedColors), std::end(FAppliedColors), -1);
  ApplyColorSliders();
}

bool TfrmMain::OpeningRenders() const {
  return Program().OpeningMovie && frmVideoWindow && frmVideoWindow->FilterGraph.Rendering();
}

bool TfrmMain::AbandonOpening() {
  if (!Program().OpeningMovie) return false;
  // What was typed for the movie left goes with it.
  FHeldCommands.clear();
  if (frmVideoWindow) frmVideoWindow->FilterGraph.AbandonRender();
  return true;
}

void TfrmMain::OpeningRememberedSettings(int Entry) {
  if (Entry < 0 || !frmColorControl) return;
  const lc::settings::TRmsEntry& E = Program().Rms[Entry];
  const lc::tools::TColorPanel& Panel = frmColorControl->Panel();
  lc::SavedColorValues& Saved = lc::Playback().SavedColorSliders;
  Saved.Valid = true;
  Saved.Brightness = static_cast<std::int16_t>(Panel.Position(lc::tools::csBrightness) * 10);
  Saved.Contrast = static_cast<std::int16_t>(Panel.Position(lc::tools::csContrast) * 100);
  Saved.Hue = static_cast<std::int16_t>(Panel.Position(lc::tools::csHue));
  Saved.Saturation = static_cast<std::int16_t>(Panel.Position(lc::tools::csSaturation) * 100);
  const lc::SavedColorValues FromEntry{true, static_cast<std::int16_t>(E.Brightness),
                                       static_cast<std::int16_t>(E.Contrast), static_cast<std::int16_t>(E.Hue),
                                       static_cast<std::int16_t>(E.Saturation)};
  SetColorSliders(FromEntry);
}

void TfrmMain::SetColorSliders(const lc::SavedColorValues& Values) {
  if (!frmColorControl) return;
  lc::tools::TColorPanel& Panel = frmColorControl->Panel();
  Panel.SetPosition(lc::tools::csBrightness, RoundHalfEven(Values.Brightness * 0.1));
  Panel.SetPosition(lc::tools::csContrast, RoundHalfEven(Values.Contrast * 0.01));
  Panel.SetPosition(lc::tools::csHue, Values.Hue);
  Panel.SetPosition(lc::tools::csSaturation, RoundHalfEven(Values.Saturation * 0.01));
}

// The old graph goes, with whatever it raises and an end of its movie
// that the pulse has not taken yet (a stop came between the two): that end
// must not end the movie opened now. A new graph joins the audio filter
// and the video control.
void TfrmMain::RebuildGraph() {
  lc::Playback().PlaybackFinished = false;
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  try {
    Graph.ClearGraph();
  } catch (...) {
  }
  try {
    Graph.SetActive(false);
  } catch (...) {
  }
  lc::RestoreSavedFpuControlWord();
  Graph.SetActive(true);
}

void TfrmMain::OpeningLabels() {
  MovieLabel->SetCaption(Utf8ToWide(lc::FileNameOf(CurrentMovieFile)));
  ScrollTurnMovieLabel = true;
  SubtitleLabel->SetCaption(Utf8ToWide(Texts().TextLabels[30]));
  Application.SetTitle(Utf8ToWide(Program().Names.AppName) + L" - '" + MovieLabel->Caption() + L"'");
}

// The playlist entry's subtitle, loaded silently; the frame rate, and a
// MicroDVD subtitle re-timed for it.
void TfrmMain::OpeningSubtitle() {
  lc::playlist::PlaylistEntries& E = Playlist().Entries();
  const int Index = Playlist().ItemIndex();
  const std::string NoSubtitle = Texts().TextLabels[30];
  if (Index >= 0 && Index < static_cast<int>(E.PlaylistSubtitles.size())) {
    std::string& Subtitle = E.PlaylistSubtitles[Index];
    if (Subtitle != NoSubtitle && Subtitle != "No subtitle") {
      if (LoadSubtitle(Subtitle, true)) {
        Player().SubtitleLoaded = true;
        SubtitleLabel->SetCaption(Utf8ToWide(lc::FileNameOf(Subtitle)));
      } else {
        Subtitle = "No subtitle";
      }
    }
  }
  SubtitlesShown = true;
  if (TMenuItem* Item = MenuItem(L"DisableSubtitleMenu")) Item->SetChecked(false);
}

// The frame rate of the rendered movie, and a MicroDVD subtitle (read at
// 25 frames per second) re-timed for it.
void TfrmMain::OpeningFrameRate() {
  FrameRate = GetMovieFrameRate();
  if (!Player().SubtitleLoaded) return;
  lc::subtitles::Subtitle& Current = lc::Subtitles().Current;
  if (lc::MicroDvdNeedsRetiming(static_cast<int>(Current.Format), FrameRate)) {
    lc::RetimeMicroDvd(Current.Start, FrameRate);
    lc::RetimeMicroDvd(Current.End, FrameRate);
  }
}

void TfrmMain::AppendNextParts() {
  std::string Next = lc::playlist::FindNextPartFile(FDisk, CurrentMovieFile);
  while (!Next.empty()) {
    Playlist().AppendMovie(Next);
    Next = lc::playlist::FindNextPartFile(FDisk, Next);
  }
  Playlist().RebuildLines();
  if (frmPlayList) frmPlayList->SyncLines();
}

void TfrmMain::OpeningVolume(int Entry) {
  lc::PlaybackState& B = lc::Playback();
  if (Entry >= 0) {
    B.SavedVolumeValid = true;
    B.SavedVolumePosition = VolumeBar->Position();
    VolumeBar->SetPosition(Program().Rms[Entry].AudioVolume / 500);
    // The bar's own change clears the flag; this one was the entry's.
    B.SavedVolumeValid = true;
  } else {
    frmVideoWindow->FilterGraph.SetVolume(GraphVolumeFor(VolumeBar->Position(), MuteFlip->State()));
  }
}

void TfrmMain::StartOpenedMovie(bool PlayAfterOpen, bool TakeKeyboard) {
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  try {
    if (PlayAfterOpen) {
      BtnPlay->SetDown(true);
      BtnPause->SetDown(false);
      Graph.Play();
      ResetTimer.SetEnabled(true);
      frmVideoWindow->VideoWindow->SetAutoHideCursor(3000);
    } else {
      BtnPlay->SetDown(false);
      BtnPause->SetDown(true);
      Graph.Play();
      Graph.Pause();
    }
  } catch (const EAbort&) {
    throw;
  } catch (...) {
    frmVideoWindow->FilterGraphUnableToRender();
  }
  if (!TakeKeyboard) return;
  // In full screen with the main window kept up, the main window takes the
  // foreground.
  if (frmVideoWindow->FullScreen && !Program().Settings.AutoHideMainWindow)
    ForceForegroundWindow(Handle());
  else
    ForceForegroundWindow(frmVideoWindow->Handle());
}

void TfrmMain::OpeningWarnings() {
  lc::settings::SettingsStore& S = Program().Settings;
  const TDSVideoWindowEx2& Control = *frmVideoWindow->VideoWindow;
  lc::WarningInput In;
  // The control's own renderer shows colour control, subtitles and OSD as
  // the overlay would.
  In.OverlayInUse = Control.OverlayInUse() || Control.OwnRendererInUse();
  In.RenderResult = lc::Playback().LastRenderResult;
  In.DoNotShowOverlayMessage = S.DoNotShowOverlayMessage;
  In.DoNotShowAudioStreamMessage = S.DoNotShowAudioStreamMessage;
  In.DoNotShowStreamMessage = S.DoNotShowStreamMessage;
  for (int Text : lc::OpeningWarnings(In)) {
    bool& DoNotShow = Text == 56 ? S.DoNotShowOverlayMessage
                                 : (Text == 67 ? S.DoNotShowAudioStreamMessage : S.DoNotShowStreamMessage);
    const bool Playing = ShownDown(*BtnPlay);
    if (Playing) frmVideoWindow->FilterGraph.Pause();
    ShowMessageBox(Utf8ToWide(Texts().TextMessages[Text]), this, true, DoNotShow);
    if (Playing && frmVideoWindow->GraphActive()) frmVideoWindow->FilterGraph.Play();
  }
}
