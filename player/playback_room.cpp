#include "player/playback_room.h"

#include "dates/date_time.h"
#include "player/fpu_control.h"
#include "player/main_form.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

namespace lc {

void TPlaybackRoom::SetVolume(int GraphVolume) {
  if (frmVideoWindow) frmVideoWindow->FilterGraph.SetVolume(GraphVolume);
}

bool TPlaybackRoom::GraphActive() const { return frmVideoWindow && frmVideoWindow->GraphActive(); }

// The user set the volume himself: a stop keeps it.
void TPlaybackRoom::CancelVolumeRestore() {
  Playback().SavedVolumeValid = false;
  FNext.CancelVolumeRestore();
}

int TPlaybackRoom::GraphVolume() const { return frmVideoWindow ? frmVideoWindow->FilterGraph.Volume() : 0; }

namespace {

const TfrmMain::TCommandRow kPlaybackCommands[] = {
    {Cmd::BtnOpenMovieClick, [](TfrmMain& F, int) { F.BtnOpenMovieClick(); }},
    {Cmd::BtnPlayClick, [](TfrmMain& F, int) { F.BtnPlayClick(); }},
    {Cmd::BtnPauseClick, [](TfrmMain& F, int) { F.BtnPauseClick(); }},
    {Cmd::BtnStopClick, [](TfrmMain& F, int) { F.BtnStopClick(false); }},
    {Cmd::StopForNewList, [](TfrmMain& F, int) { F.BtnStopClick(true); }},
    {Cmd::CloseMovie,
     [](TfrmMain& F, int) {
       if (frmVideoWindow && frmVideoWindow->GraphActive()) F.BtnStopClick(true);
       // A subtitle kept loaded by a stop goes with the movie.
       Player().SubtitleLoaded = false;
       F.CurrentMovieFile.clear();
     }},
};

}  // namespace

void TPlaybackRoom::Run(Cmd Command, int Arg) {
  if (!FMain.RunFrom(kPlaybackCommands, Command, Arg)) FNext.Run(Command, Arg);
}

bool TPlaybackRoom::Takes(Cmd Command) const {
  return TfrmMain::Lists(kPlaybackCommands, Command) || FNext.Takes(Command);
}

// A failed opening unwinds out of here with the silent abort.
void TPlaybackRoom::OpenMovie(bool PlayAfterOpen, bool AddNextParts) { FMain.OpenMovie(PlayAfterOpen, AddNextParts); }

void TPlaybackRoom::SetPreviousMovieSettingsValid(bool Valid) { Playback().PreviousMovieSettings.Valid = Valid; }

void TPlaybackRoom::SetDynamicAmplification(bool Enabled) {
  if (frmVideoWindow) frmVideoWindow->AudioChain.DspDynamicAmplify.SetEnabled(Enabled);
}

void TPlaybackRoom::StoreMovieAndStopGraph() {
  ProgramState& P = Program();
  FMain.EndMovieModeForStore();
  if (P.RmsSkipCurrent)
    P.RmsSkipCurrent = false;
  else
    settings::AddToRms(P.Rms, FMain.LiveRmsState(), CurrentDateTime());
  Playback().FullScreenFromMovieMode = false;
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  try {
    Graph.Stop();
  } catch (...) {
  }
  try {
    Graph.SetActive(false);
  } catch (...) {
  }
  SetThreadExecutionState(ES_CONTINUOUS);
  RestoreSavedFpuControlWord();
}

void TPlaybackRoom::UndoRememberedReplacements() { FMain.RestoreRememberedReplacements(); }

}  // namespace lc

void TfrmMain::InstallPlaybackRoom() {
  FPlaybackRoom = std::make_unique<lc::TPlaybackRoom>(*this, Commands());
  SetCommands(FPlaybackRoom.get());
  if (frmVideoWindow) frmVideoWindow->ConnectGraphEvents();
}
