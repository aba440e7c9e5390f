// TfrmMain's seek commands (steps back and forward, start, end, a position
// from the seek bar), the previous and next playlist entries, volume and
// mute, the time label's two displays and the repeat mode. Seeks stay
// within the movie and do nothing without one.
#include <windows.h>
#include <dshow.h>

#include "player/entry_choice.h"
#include "player/picture_choices.h"
#include "player/playback_rules.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"

using lc::Cmd;
using lc::Player;
using lc::Program;
using lc::settings::Utf8ToWide;

namespace lc {

namespace {

// The graph's seeking for the time of one call.
class TSeekingRef {
 public:
  TSeekingRef() {
    if (MovieActive() && FAILED(frmVideoWindow->FilterGraph.QueryInterface(
                             IID_IMediaSeeking, reinterpret_cast<void**>(&FSeeking))))
      FSeeking = nullptr;
  }
  ~TSeekingRef() {
    if (FSeeking) FSeeking->Release();
  }
  TSeekingRef(const TSeekingRef&) = delete;
  TSeekingRef& operator=(const TSeekingRef&) = delete;
  IMediaSeeking* operator->() const { return FSeeking; }
  explicit operator bool() const { return FSeeking != nullptr; }

 private:
  IMediaSeeking* FSeeking = nullptr;
};

}  // namespace

bool MovieActive() { return frmVideoWindow && frmVideoWindow->FilterGraph.Active(); }

// The frame on show where the video control draws the picture itself: the
// graph's own position runs ahead of the picture by the time the graph
// gives its filters to start, and subtitles follow the picture.
std::optional<long long> MoviePosition() {
  LONGLONG Shown = 0;
  if (MovieActive() && frmVideoWindow->VideoWindow->PicturePosition(Shown)) return Shown;
  TSeekingRef Seeking;
  LONGLONG Position = 0;
  if (!Seeking || FAILED(Seeking->GetCurrentPosition(&Position))) return std::nullopt;
  return Position;
}

std::optional<long long> MovieDuration() {
  TSeekingRef Seeking;
  LONGLONG Duration = 0;
  if (!Seeking || FAILED(Seeking->GetDuration(&Duration))) return std::nullopt;
  return Duration;
}

bool SeekMovie(long long PositionRef) {
  TSeekingRef Seeking;
  LONGLONG Current = PositionRef;
  return Seeking && SUCCEEDED(Seeking->SetPositions(&Current, AM_SEEKING_AbsolutePositioning, nullptr,
                                                    AM_SEEKING_NoPositioning));
}

}  // namespace lc

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

bool TfrmMain::RunPulseCommand(Cmd Command, int Arg) {
  const lc::settings::SettingsStore& S = Program().Settings;
  switch (Command) {
    case Cmd::BtnRewindClick: SeekStep(false, S.SecondesToJump); break;
    case Cmd::BtnForwardClick: SeekStep(true, S.SecondesToJump); break;
    case Cmd::FastRewindClick: SeekStep(false, S.SecondesToFastJump); break;
    case Cmd::FastForwardClick: SeekStep(true, S.SecondesToFastJump); break;
    case Cmd::btnGoToStartClick: btnGoToStartClick(); break;
    case Cmd::btnGoToEndClick: btnGoToEndClick(); break;
    case Cmd::BtnPreviousClick: BtnPreviousClick(); break;
    case Cmd::BtnNextClick: BtnNextClick(); break;
    case Cmd::BtnVolUpClick: BtnVolUpClick(); break;
    case Cmd::BtnVolDownClick: BtnVolDownClick(); break;
    case Cmd::MuteFlipClick: MuteCommand(); break;
    case Cmd::MovieTimesLabelClick: MovieTimesLabelClick(); break;
    case Cmd::RepeatLabelClick: RepeatLabelClick(); break;
    case Cmd::QuickTimeInfo: QuickTimeInfo(); break;
    case Cmd::ToggleClock: ToggleClock(); break;
    case Cmd::AddBookmarkMenuClick: AddBookmarkMenuClick(); break;
    case Cmd::ClearBookmarksMenuClick: ClearBookmarksMenuClick(); break;
    case Cmd::Bookmark: bkClick(Arg); break;
    case Cmd::RecentClick: RecentClick(Arg); break;
    case Cmd::ClearHistoryMenuClick: ClearHistoryMenuClick(); break;
    default: return false;
  }
  return true;
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
