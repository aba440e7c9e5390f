// TfrmMain's seek commands (steps back and forward, start, end, a position
// from the seek bar), the previous and next playlist entries, volume and
// mute, the time label's two displays and the repeat mode. Seeks stay
// within the movie and do nothing without one.
#include <windows.h>
#include <dshow.h>

#include "framework/unicode.h"
#include "player/entry_choice.h"
#include "player/picture_choices.h"
#include "player/playback_rules.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;
using lc::Player;
using lc::Program;

namespace lc {

bool MovieActive() { return frmVideoWindow && frmVideoWindow->FilterGraph.Active(); }

// Where the seeks asked and not done yet lead; else the movie time of the
// frame on show where the video control draws the picture itself: the
// graph's own position runs ahead of the picture by the time the graph
// gives its filters to start, and subtitles follow the picture.
std::optional<long long> MoviePosition() {
  if (!MovieActive()) return std::nullopt;
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  if (const auto Target = Graph.SeekTarget()) return *Target;
  LONGLONG Shown = 0;
  if (frmVideoWindow->VideoWindow->PicturePosition(Shown)) return Shown;
  return Graph.Position();
}

std::optional<long long> MovieDuration() {
  if (!MovieActive()) return std::nullopt;
  return frmVideoWindow->FilterGraph.Duration();
}

bool SeekMovie(long long PositionRef) { return MovieActive() && frmVideoWindow->FilterGraph.SeekTo(PositionRef); }

}  // namespace lc

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

TfrmMain::TCommandRows TfrmMain::PulseCommands() {
  static constexpr TCommandRow kRows[] = {
      {Cmd::BtnRewindClick, [](TfrmMain& F, int) { F.SeekStep(false, Program().Settings.SecondesToJump); }},
      {Cmd::BtnForwardClick, [](TfrmMain& F, int) { F.SeekStep(true, Program().Settings.SecondesToJump); }},
      {Cmd::FastRewindClick, [](TfrmMain& F, int) { F.SeekStep(false, Program().Settings.SecondesToFastJump); }},
      {Cmd::FastForwardClick, [](TfrmMain& F, int) { F.SeekStep(true, Program().Settings.SecondesToFastJump); }},
      {Cmd::btnGoToStartClick, [](TfrmMain& F, int) { F.btnGoToStartClick(); }},
      {Cmd::btnGoToEndClick, [](TfrmMain& F, int) { F.btnGoToEndClick(); }},
      {Cmd::BtnPreviousClick, [](TfrmMain& F, int) { F.BtnPreviousClick(); }},
      {Cmd::BtnNextClick, [](TfrmMain& F, int) { F.BtnNextClick(); }},
      {Cmd::BtnVolUpClick, [](TfrmMain& F, int) { F.BtnVolUpClick(); }},
      {Cmd::BtnVolDownClick, [](TfrmMain& F, int) { F.BtnVolDownClick(); }},
      {Cmd::MuteFlipClick, [](TfrmMain& F, int) { F.MuteCommand(); }},
      {Cmd::MovieTimesLabelClick, [](TfrmMain& F, int) { F.MovieTimesLabelClick(); }},
      {Cmd::RepeatLabelClick, [](TfrmMain& F, int) { F.RepeatLabelClick(); }},
      {Cmd::QuickTimeInfo, [](TfrmMain& F, int) { F.QuickTimeInfo(); }},
      {Cmd::ToggleClock, [](TfrmMain& F, int) { F.ToggleClock(); }},
      {Cmd::AddBookmarkMenuClick, [](TfrmMain& F, int) { F.AddBookmarkMenuClick(); }},
      {Cmd::ClearBookmarksMenuClick, [](TfrmMain& F, int) { F.ClearBookmarksMenuClick(); }},
      {Cmd::Bookmark, [](TfrmMain& F, int Arg) { F.bkClick(Arg); }},
      {Cmd::RecentClick, [](TfrmMain& F, int Arg) { F.RecentClick(Arg); }},
      {Cmd::ClearHistoryMenuClick, [](TfrmMain& F, int) { F.ClearHistoryMenuClick(); }},
  };
  return kRows;
}

// ------------------------------------------------------------- seeking

void TfrmMain::SeekStep(bool Forward, int Seconds) {
  if (Program().OpeningMovie || Program().BusyFlag) return;
  lc::BusyScope Busy;
  if (!lc::MovieActive()) return;
  try {
    const long long Max = ProgressBar->Max();
    const long long Target = lc::SeekStepTarget(lc::MoviePosition().value_or(0), Seconds, Forward, Max);
    lc::SeekMovie(Target);
    const bool Frames = Program().Settings.ShowFrames;
    ShowOSD(lc::PositionOsdText(Target / lc::kRefPerMs, Max, Frames, false, FrameRate));
    if (Program().Settings.OSDDisplay) Player().OsdShowsPosition = true;
  } catch (...) {
    // A graph that failed leaves the movie where it was.
  }
}

void TfrmMain::btnGoToStartClick() {
  if (Program().BusyFlag) return;
  lc::BusyScope Busy;
  if (!lc::MovieActive()) return;
  lc::SeekMovie(0);
  Player().OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[28]);
}

void TfrmMain::btnGoToEndClick() {
  if (Program().BusyFlag) return;
  lc::BusyScope Busy;
  if (!lc::MovieActive()) return;
  Player().OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[29]);
  // A duration the graph does not tell leaves the position alone.
  if (const auto Duration = lc::MovieDuration()) lc::SeekMovie(lc::SeekEndTarget(*Duration, FrameRate));
}

void TfrmMain::SeekToPosition(int Milliseconds) {
  if (lc::MovieActive()) lc::SeekMovie(lc::SeekPositionTarget(Milliseconds, ProgressBar->Max()));
}

void TfrmMain::MovieLengthChanged() {
  if (lc::MovieActive()) ProgressBar->SetMax(frmVideoWindow->FilterGraph.GetDuration());
}

// ---------------------------------------------------- previous and next

void TfrmMain::PlayChosen(int Index, bool UserAction) {
  if (Index < 0) return;
  Playlist().SetItemIndex(Index);
  Playlist().PlayEntry(UserAction);
}

void TfrmMain::BtnPreviousClick() {
  if (Program().BusyFlag || Program().OpeningMovie || Playlist().Count() == 0) return;
  const lc::settings::SettingsStore& S = Program().Settings;
  PlayChosen(lc::ChooseEntry(Playlist(), S.Shuffle, S.RepeatMode, lc::EntryStep::Previous), true);
}

void TfrmMain::BtnNextClick() {
  if (Program().BusyFlag || Program().OpeningMovie || Playlist().Count() == 0) return;
  const lc::settings::SettingsStore& S = Program().Settings;
  // In shuffle mode a missing file is skipped silently.
  PlayChosen(lc::ChooseEntry(Playlist(), S.Shuffle, S.RepeatMode, lc::EntryStep::Next), !S.Shuffle);
}

// ------------------------------------------------------- volume and mute

void TfrmMain::VolumeStep(int Delta) {
  if (lc::MovieActive()) AddRmsChangeScore(Commands(), 5000);
  VolumeBar->SetPosition(VolumeBar->Position() + Delta);
}

void TfrmMain::FormMouseWheel(bool Up) {
  TfrmVideoWindow* Video = frmVideoWindow;
  if (!Video || !Video->Showing()) {
    VolumeStep(Up ? 1 : -1);
    Player().OsdShowsPosition = false;
    ShowOSD(lc::VolumeOsdText(Commands().GraphVolume(), Texts()));
    return;
  }
  // The video window acts on every second notification: this one acts.
  Video->WheelPhase = true;
  if (Up)
    Video->VideoWindowMouseWheelUp();
  else
    Video->VideoWindowMouseWheelDown();
}

void TfrmMain::ToggleClock() {
  lc::PlayerState& S = Player();
  S.ShowSystemTime = !S.ShowSystemTime;
  if (S.ShowSystemTime || !frmVideoWindow) return;
  S.OsdClockText.clear();
  frmVideoWindow->VideoWindow->RepaintOsd();
}

void TfrmMain::MuteCommand() {
  MuteFlip->SetState(!MuteFlip->State());
  MuteFlipClick();
}

// --------------------------------------------- time label and repeat mode

void TfrmMain::MovieTimesLabelClick() {
  bool& Frames = Program().Settings.ShowFrames;
  Frames = !Frames;
  MovieTimesLabel->SetHint(Utf8ToWide(Texts().TextHints[Frames ? 3 : 2]));
  const bool NoMovie = !lc::MovieActive() && MovieLabel->Caption() == Utf8ToWide(Texts().TextLabels[29]);
  // While a movie plays the pulse rewrites the label at its next tick.
  MovieTimesLabel->SetCaption(Utf8ToWide(NoMovie ? lc::NoMovieTimesText(Frames)
                                                 : lc::IdleTimeLabelText(ProgressBar->Max(), Frames, FrameRate)));
}

void TfrmMain::RepeatLabelClick() {
  std::int32_t& Mode = Program().Settings.RepeatMode;
  Mode = (Mode + 1) % 3;
  RepeatLabel->SetCaption(Utf8ToWide(Texts().TextLabels[32 + Mode]));
}
