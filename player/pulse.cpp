// TfrmMain's pulse: GeneralTimer (every 20 ms) follows the playing movie
// into the seek bar, the time label and the live position OSD, keeps the
// OSD clock, applies the colour sliders, stores the movie's remembered
// settings now and then, moves the playlist on after the end of a movie or
// a failed opening and hands the position to the subtitle display.
// ResetTimer keeps the display and the system awake while a movie plays;
// ScrollTimer scrolls the name labels.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "dates/date_time.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/unicode.h"
#include "player/entry_choice.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "tools/color/color_control_window.h"
#include "tools/profiles/profiles_editor.h"
#include "tools/shutdown.h"

using lc::Player;
using lc::Program;

namespace {

// A window move settles for this long (days, 172.8 ms) before the overlay
// key is applied again.
constexpr double kMoveSettleDays = 0.000002;

double Now() { return lc::CurrentDateTime(); }

}  // namespace

void TfrmMain::ConnectPulse() {
  GeneralTimer.OnTimer = [this](TComponent*) { GeneralTimerTimer(); };
  ResetTimer.OnTimer = [this](TComponent*) { ResetTimerTimer(); };
  ScrollTimer.OnTimer = [this](TComponent*) { ScrollTimerTimer(); };
  // The scroll timer runs while either name label scrolls.
  auto Follow = [this] { ScrollTimer.SetEnabled(MovieLabel->Scrolling() || SubtitleLabel->Scrolling()); };
  MovieLabel->OnScrollingChange = Follow;
  SubtitleLabel->OnScrollingChange = Follow;
}

// ---------------------------------------------------------- GeneralTimer

void TfrmMain::GeneralTimerTimer() {
  // Pause, stop and closing stop ResetTimer: the system may sleep again.
  if (FKeepsAwake && !ResetTimer.Enabled()) ReleaseAwake();
  try {
    CollectRmsSave();
    lc::PlayerState& S = Player();
    TfrmVideoWindow* Video = frmVideoWindow;
    if (S.WindowMoved && Now() - S.WindowMovedTime >= kMoveSettleDays) {
      S.WindowMoved = false;
      if (Video) Video->VideoWindow->ApplyColorKey();
    }
    if (Video && !Video->VideoWindow->OsdPaintedText.empty()) {
      if (Now() - S.OsdStartTime >= S.OsdDuration)
        ExpireOSD();
      else if (S.OsdShowsPosition)
        LivePositionOsd();
    }
    if (S.ShowSystemTime && Program().Settings.OSDDisplay) {
      const std::string Clock = lc::TimeToText(Now()).substr(0, 5);
      if (Clock != S.OsdClockText) {
        S.OsdClockText = Clock;
        if (Video) Video->VideoWindow->RepaintOsd();
      }
    }
    // A hand-over that came while the player was busy.
    if (!WaitingHandOvers.empty()) OpenHandedOverFiles();
    // Commands typed while a movie rendered.
    RunHeldCommands();
    lc::PlaybackState& B = lc::Playback();
    if (B.RenderFailed) {
      B.RenderFailed = false;
      if (AdvanceAfterFailure()) return;
    }
    ApplyColorSliders();
    if (!lc::MovieActive()) return;
    const int PositionMs = PlaybackPulse();
    if (B.PlaybackFinished) {
      B.PlaybackFinished = false;
      if (AdvanceAfterEnd()) return;
    }
    // The subtitle of the moment, only while the video window shows.
    if (Video && Video->Showing()) ShowSubtitleAt(PositionMs);
  } catch (...) {
    // A tick that failed (an opening it started included) ends here; the
    // next one starts afresh.
  }
}

void TfrmMain::LivePositionOsd() {
  lc::PlayerState& S = Player();
  const std::string Text = lc::PositionOsdText(ProgressBar->Position(), ProgressBar->Max(),
                                               Program().Settings.ShowFrames, BtnPlay->Down(), FrameRate);
  if (Text == S.OsdText) return;
  S.OsdText = Text;
  frmVideoWindow->VideoWindow->RepaintOsd();
}

void TfrmMain::ApplyColorSliders() {
  if (!frmColorControl || !frmVideoWindow) return;
  TColorControl* Colors = frmVideoWindow->VideoWindow->ColorControl();
  lc::tools::TColorPanel& Panel = frmColorControl->Panel();
  using lc::tools::TColorSlider;
  const int Values[4] = {Panel.Position(lc::tools::csBrightness) * 10, Panel.Position(lc::tools::csContrast) * 100,
                         Panel.Position(lc::tools::csHue), Panel.Position(lc::tools::csSaturation) * 100};
  // Handed over only when a slider moved.
  if (!Colors || std::equal(Values, Values + 4, FAppliedColors)) return;
  std::copy(Values, Values + 4, FAppliedColors);
  Colors->SetColorControls(Values[0], Values[1], Values[2], Values[3]);
}

// Step 6: the position into the remembered-settings score, the seek bar
// and the time label. Returns the position in milliseconds.
int TfrmMain::PlaybackPulse() {
  const long long Current = lc::MoviePosition().value_or(0);
  const long long Ms = lc::PositionMs(Current);
  lc::TPlayerCommands& C = Commands();
  AddRmsChangeScore(C, std::llabs(ProgressBar->Position() - Ms));
  // Something plays: the failures of an earlier advance are forgotten.
  if (Ms > 0) FFailedEntries.Played();
  if (C.RmsChangeScore() >= RmsChangeScoreCap && (Now() - LastRmsSaveTime) * 86400 >= 1.0) {
    C.SetRmsChangeScore(0);
    LastRmsSaveTime = Now();
    const lc::settings::SettingsStore& Set = Program().Settings;
    if (!Program().RmsSkipCurrent && (Set.RememberMovieSettings || Set.RememberSubtitleSettings)) {
      const bool EditorOpen = frmProfilesEditor && frmProfilesEditor->Showing();
      if (!EditorOpen) lc::settings::AddToRms(Program().Rms, LiveRmsState(), Now());
      rmsSaveInBackground();
    }
  }
  ProgressBar->SetPosition(static_cast<int>(Ms));
  const TTimeLabelInputs In{Current, ProgressBar->Max(), Program().Settings.ShowFrames, BtnPlay->Down(), FrameRate};
  // A paused movie: nothing moved since the label was made.
  if (In == FTimeLabelInputs && MovieTimesLabel->Caption() == FTimeLabelCaption) return static_cast<int>(Ms);
  const std::string Caption =
      In.ShowFrames ? lc::FrameLabelText(Current, In.Max, FrameRate, In.Playing) : lc::TimeLabelText(Ms, In.Max);
  MovieTimesLabel->SetCaption(Utf8ToWide(Caption));
  FTimeLabelInputs = In;
  FTimeLabelCaption = MovieTimesLabel->Caption();
  return static_cast<int>(Ms);
}

// ------------------------------------------------- moving the list on

bool TfrmMain::AdvanceAfterFailure() {
  const lc::settings::SettingsStore& Set = Program().Settings;
  // The failure took the current movie away; the entry tells which failed.
  const lc::playlist::PlaylistEntries& E = Playlist().Entries();
  if (E.PlaylistIndex >= 0 && E.PlaylistIndex < Playlist().Count())
    FFailedEntries.Failed(E.PlaylistMovies[E.PlaylistIndex]);
  if (Playlist().Count() >= 2) {
    // Shuffle with repeat all would go round a list of broken files for
    // ever: once every entry failed, the advance stops and says so.
    // The list has come to its end then, as far as the shutdown after play
    // is concerned.
    if (Set.Shuffle && Set.RepeatMode == lc::kRepeatAll && FFailedEntries.AllFailed(E.PlaylistMovies)) {
      FFailedEntries.Played();
      ShowReport(lc::settings::GlobalTextTable().TextMessages[2]);
    } else {
      const int Index = lc::ChooseEntry(Playlist(), Set.Shuffle, Set.RepeatMode, lc::EntryStep::RenderFailed);
      if (Index >= 0 && StartEntry(Index, 40)) return true;
    }
  }
  if (!TurnOffComputerAfterPlay || ShutdownFailed) return false;
  ShutdownCountdown();
  // The countdown ran out: the player is closed.
  return Program().PlayerClosing;
}

bool TfrmMain::AdvanceAfterEnd() {
  const lc::settings::SettingsStore& Set = Program().Settings;
  Sleep(10);
  BtnStopClick(Set.CloseFileWhenFinished);
  FFailedEntries.Played();
  if (Playlist().Count() >= 2) {
    const int Index = lc::ChooseEntry(Playlist(), Set.Shuffle, Set.RepeatMode, lc::EntryStep::MovieEnded);
    const bool KeepClose = CloseWhenListEnds;
    if (Index >= 0 && StartEntry(Index, 0)) {
      CloseWhenListEnds = KeepClose;
      return true;
    }
  }
  return EndOfList();
}

// The chosen entry is selected; it plays unless the application is
// minimised, where it only becomes the current movie and the taskbar
// button flashes. True when it was started.
bool TfrmMain::StartEntry(int Index, unsigned WaitMs) {
  lc::playlist::Playlist& List = Playlist();
  List.SetItemIndex(Index);
  if (Application.IsIconic()) {
    CurrentMovieFile = List.Entries().PlaylistMovies[Index];
    List.Entries().PlaylistIndex = Index;
    FlashWindow(Application.Handle(), TRUE);
    FlashWindow(Application.Handle(), FALSE);
    CloseWhenListEnds = false;
    return false;
  }
  lc::Playback().AutoAdvancing = true;
  if (WaitMs) Sleep(WaitMs);
  try {
    List.PlayEntry(false);
  } catch (const EAbort&) {
    throw;
  } catch (...) {
    // Any other failure of the opening the pulse started: the player goes
    // back to "no movie" as after a failed render while advancing, and the
    // next tick tries the next entry.
    lc::Playback().AutoAdvancing = true;
    frmVideoWindow->FilterGraphUnableToRender();
  }
  return true;
}

bool TfrmMain::EndOfList() {
  lc::EndOfListInput In;
  In.TurnOffComputerAfterPlay = TurnOffComputerAfterPlay;
  In.ShutdownFailed = ShutdownFailed;
  In.CloseWhenListEnds = CloseWhenListEnds;
  In.AutoClosePlayerWhenFinished = Program().Settings.AutoClosePlayerWhenFinished;
  In.VideoFullScreen = frmVideoWindow && frmVideoWindow->FullScreen;
  In.DialogOpen = Dialogs.About.Open || Dialogs.Keyboard.Open || Dialogs.Config.Open;
  const lc::EndOfListActions Do = lc::DecideEndOfList(In);
  if (Do.StartShutdown) {
    ShutdownCountdown();
    // The countdown ran out: the player is closed already.
    if (Program().PlayerClosing) return true;
  }
  if (Do.ClosePlayer) {
    Program().PlayerClosing = true;
    Close();
    return true;
  }
  if (Do.MainWindowToFront) {
    SetEnabled(true);
    BringToFront();
  }
  return false;
}

// --------------------------------------------------------- ResetTimer

void TfrmMain::ResetTimerTimer() {
  SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED | ES_SYSTEM_REQUIRED);
  FKeepsAwake = true;
  // Setting the screen saver active again restarts its idle count.
  BOOL Active = FALSE;
  if (SystemParametersInfoW(SPI_GETSCREENSAVEACTIVE, 0, &Active, 0) && Active)
    SystemParametersInfoW(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
}

void TfrmMain::ReleaseAwake() {
  SetThreadExecutionState(ES_CONTINUOUS);
  FKeepsAwake = false;
}

// -------------------------------------------------------- ScrollTimer

void TfrmMain::ScrollTimerTimer() {
  auto StateOf = [](const TVirtualLabel& L) {
    return lc::ScrollState{L.Scrolling(), L.DragScrolling(), L.ScrollOffset(), L.ScrollBitmapWidth()};
  };
  lc::ScrollState Movie = StateOf(*MovieLabel), Subtitle = StateOf(*SubtitleLabel);
  lc::ScrollTick(Movie, Subtitle, ScrollTurnMovieLabel);
  for (auto [Label, State] : {std::pair{MovieLabel.get(), Movie}, std::pair{SubtitleLabel.get(), Subtitle}}) {
    if (State.Offset == Label->ScrollOffset()) continue;
    Label->SetScrollOffset(State.Offset);
    Label->Paint();
  }
}

// ------------------------------------------------------ QuickTimeInfo

void TfrmMain::QuickTimeInfo() {
  if (Program().BusyFlag) return;
  lc::BusyScope Busy;
  if (!lc::MovieActive()) return;
  const long long Ms = lc::PositionMs(lc::MoviePosition().value_or(0));
  const bool Frames = Program().Settings.ShowFrames;
  // The frame display counts from the seek bar, the time display from the
  // graph.
  const std::string Text = lc::PositionOsdText(Frames ? ProgressBar->Position() : Ms, ProgressBar->Max(), Frames,
                                               BtnPlay->Down(), FrameRate);
  ShowOSD(Text);
  if (Program().Settings.OSDDisplay) Player().OsdShowsPosition = true;
}
