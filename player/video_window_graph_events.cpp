// The video window's answers to its graph: the end of a movie, the filter
// selection during a render, and the render failure (also taken by a
// change of state that failed) that puts the player back to "no movie".
// GUI thread (the graph's event window and the graph builder's callback
// inside RenderFile).
#include <dshow.h>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/fpu_control.h"
#include "player/main_form.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Player;
using lc::Program;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The subtitle lines on screen go, and their band is painted again.
void RemoveSubtitleLines(TDSVideoWindowEx2& Control) {
  if (Control.OverlaySubtitleLinesA.empty() && Control.OverlaySubtitleLinesW.empty()) return;
  Control.OverlaySubtitleLinesA.clear();
  Control.OverlaySubtitleLinesW.clear();
  Control.RepaintSubtitle();
}

}  // namespace

void TfrmVideoWindow::ConnectGraphEvents() {
  FilterGraph.OnDSEvent = [this](TFilterGraph*, int Event, LONG_PTR P1, LONG_PTR P2) {
    FilterGraphDSEvent(Event, P1, P2);
  };
  FilterGraph.OnSelectedFilter = [this](IMoniker*, const std::wstring& Name, const GUID&) {
    return FilterGraphSelectedFilter(Name);
  };
  // A movie that renders but cannot run (or pause or stop) is closed as
  // one that cannot be rendered; the player goes on.
  FilterGraph.OnGraphStateFailed = [this](TFilterGraph*, HRESULT) { FilterGraphUnableToRender(); };
}

void TfrmVideoWindow::FilterGraphDSEvent(int Event, LONG_PTR, LONG_PTR) {
  if (Event == EC_LENGTH_CHANGED && frmMain) frmMain->MovieLengthChanged();
  if (Event != EC_COMPLETE) return;
  const int Movies = frmMain ? frmMain->Playlist().Count() : 0;
  if (!lc::ReplayAtEnd(Program().Settings.RepeatMode, Movies)) {
    RemoveSubtitleLines(*VideoWindow);
    lc::Playback().PlaybackFinished = true;
    return;
  }
  FilterGraph.Stop();
  FilterGraph.SeekTo(0);
  FilterGraph.Play();
  lc::PlayerState& S = Player();
  if (S.OsdText == Texts().TextMessages[29]) {
    S.OsdText.clear();
    VideoWindow->RepaintOsd();
  }
}

bool TfrmVideoWindow::FilterGraphSelectedFilter(const std::wstring& FilterName) {
  if (FilterName.rfind(L"DirectVobSub", 0) != 0 && FilterName.rfind(L"DivXG400", 0) != 0) return true;
  const bool Allowed = !Program().Settings.DisableExternalSubtitleFilters;
  const bool Theirs = Allowed && Player().SubtitleLoaded;
  if (frmMain) {
    if (TMenuItem* Item = frmMain->MenuItem(L"DisableSubtitleMenu")) Item->SetChecked(Theirs);
    frmMain->SubtitlesShown = !Theirs;
  }
  return Allowed;
}

void TfrmVideoWindow::FilterGraphUnableToRender() { CloseUnopenedMovie(true); }

void TfrmVideoWindow::FilterGraphRenderAbandoned() { CloseUnopenedMovie(false); }

void TfrmVideoWindow::CloseUnopenedMovie(bool Tell) {
  lc::ProgramState& P = Program();
  lc::PlaybackState& B = lc::Playback();
  try {
    FilterGraph.ClearGraph();
  } catch (...) {
  }
  try {
    FilterGraph.SetActive(false);
  } catch (...) {
  }
  lc::RestoreSavedFpuControlWord();
  TfrmMain& M = *frmMain;
  M.ResetTimer.SetEnabled(false);
  SetThreadExecutionState(ES_CONTINUOUS);
  VideoWindow->SetAutoHideCursor(0);
  VideoWindow->RepaintVideo();
  P.OpeningMovie = false;
  M.ProgressBar->SetPosition(0);
  M.ProgressBar->SetEnabled(false);
  M.BtnRewind->SetEnabled(false);
  M.BtnForward->SetEnabled(false);
  M.BtnPlay->AllowDown = false;
  M.BtnPause->AllowDown = false;
  M.BtnPlay->SetDown(false);
  M.BtnPause->SetDown(false);
  M.BtnPause->SetEnabled(false);
  M.BtnStop->SetEnabled(false);
  Player().SubtitleLoaded = false;
  if (TMenuItem* Item = M.MenuItem(L"DisableSubtitleMenu")) Item->SetChecked(false);
  M.SubtitlesShown = true;
  M.NoMovieFace();
  M.PanScanMenuVisible = false;
  M.WindowSizeMenuVisible = true;
  if (P.Settings.AutoCloseVideoWindow) {
    if (FullScreen) SetNormalScreen();
    Hide();
  }
  M.CurrentMovieFile.clear();
  M.RestoreRememberedReplacements();
  M.FirstActivationPending = false;
  P.BusyFlag = false;
  if (Tell && !B.AutoAdvancing) {
    bool Unused = false;
    ShowMessageBox(Utf8ToWide(Texts().TextMessages[20]), &M, false, Unused);
  } else if (Tell) {
    B.RenderFailed = true;
  }
  B.AutoAdvancing = false;
  B.LastOpenEndTime = lc::CurrentDateTime();
  Abort();
}
