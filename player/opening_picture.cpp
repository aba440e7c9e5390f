// The picture of a movie being opened: the video window's size and place,
// pan & scan, the remembered position, the aspect ratio, the picture
// offsets, full screen or not, movie mode and the placed picture. Each
// takes the previous movie's picture when it applies, else the movie's
// remembered entry (Entry >= 0), else the settings.
#include <dshow.h>

#include "kit/window_drag.h"
#include "player/main_form.h"
#include "player/picture_geometry.h"
#include "player/playback_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

using lc::Player;
using lc::Program;

namespace {

// The previous movie's picture applies to this one.
bool PreviousApplies() {
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  return Program().Settings.RememberPreviousMovieSettings && Prev.Valid;
}

bool PreviousSameSize() {
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  return PreviousApplies() &&
         lc::SameNativeSize(Player().NativeWidth, Player().NativeHeight, Prev.NativeWidth, Prev.NativeHeight);
}

}  // namespace

void TfrmMain::OpeningPlace(int Entry) {
  TfrmVideoWindow& V = *frmVideoWindow;
  lc::settings::SettingsStore& S = Program().Settings;
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  lc::OpeningPlaceInput In;
  In.Current = {V.Left(), V.Top(), V.Width(), V.Height()};
  In.ControlWidth = V.VideoWindow->Width();
  In.ControlHeight = V.VideoWindow->Height();
  if (PreviousApplies()) In.Previous = lc::WindowPlace{0, 0, Prev.WindowWidth, Prev.WindowHeight};
  if (Entry >= 0)
    In.Entry = lc::WindowPlace{0, 0, Program().Rms[Entry].VideoWindowWidth, Program().Rms[Entry].VideoWindowHeight};
  In.LoadAtOriginalMovieSize = S.LoadAtOriginalMovieSize;
  In.NativeWidth = Player().NativeWidth;
  In.NativeHeight = Player().NativeHeight;
  const TRect Area = Program().MonitorsDiffer ? Screen.DesktopRect() : Rect(0, 0, Screen.Width(), Screen.Height());
  In.AreaX = Area.Left;
  In.AreaY = Area.Top;
  In.AreaWidth = Area.Width();
  In.AreaHeight = Area.Height();
  const std::optional<lc::WindowPlace> Place = lc::OpeningWindowPlace(In);
  if (!Place) return;
  S.VideoWindowXPosition = Place->X;
  S.VideoWindowYPosition = Place->Y;
  S.VideoWindowWidth = Place->Width;
  S.VideoWindowHeight = Place->Height;
  if (!V.FullScreen)
    V.SetBounds(Place->X, Place->Y, Place->Width, Place->Height);
  else
    V.NormalBounds = Rect(Place->X, Place->Y, Place->X + Place->Width, Place->Y + Place->Height);
}

void TfrmMain::OpeningPanScan(int Entry) {
  lc::settings::SettingsStore& S = Program().Settings;
  lc::PlaybackState& B = lc::Playback();
  if (PreviousSameSize()) {
    S.PanScanValue = B.PreviousMovieSettings.PanScan;
    return;
  }
  if (!S.RememberPanScanSettings) S.PanScanValue = 0;
  if (Entry >= 0) {
    B.RmsPanScanApplied = true;
    B.SavedPanScan = S.PanScanValue;
    S.PanScanValue = static_cast<std::int8_t>(Program().Rms[Entry].PanScan);
    return;
  }
  if (S.AutomaticPanScan) {
    TfrmVideoWindow& V = *frmVideoWindow;
    V.VideoMonitor = GetWindowMonitor(V.Handle());
    S.PanScanValue = lc::AutomaticPanScan(V.VideoMonitor.Width(), V.VideoMonitor.Height(), Player().AspectRatioValue);
  }
}

void TfrmMain::OpeningPosition(int Entry) {
  if (Entry < 0 || !Program().Settings.RememberLastMoviePosition) return;
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  if (const auto Duration = Graph.Duration())
    if (const auto Target = lc::RememberedSeekTarget(*Duration, Program().Rms[Entry].LastVideoPosition))
      Graph.SeekTo(*Target);
}

void TfrmMain::OpeningAspect(int Entry) {
  lc::settings::SettingsStore& S = Program().Settings;
  lc::PlayerState& St = Player();
  const double Native = lc::OriginalAspectRatio(St.NativeWidth, St.NativeHeight);
  auto Stored = [&](double Ratio) {
    AspectChecked = lc::AspectMenuFor(Ratio, Native);
    St.AspectRatioValue = Ratio;
  };
  if (PreviousSameSize()) {
    const double Ratio = lc::Playback().PreviousMovieSettings.AspectRatio;
    S.KeepAspectRatio = Ratio >= 0;
    if (S.KeepAspectRatio) Stored(Ratio);
  } else if (Entry >= 0) {
    const double Ratio = Program().Rms[Entry].AspectRatio;
    S.KeepAspectRatio = Ratio >= 0;
    if (S.KeepAspectRatio)
      Stored(Ratio);
    else
      AspectChecked = lc::AspectChoice::Free;
  } else {
    AspectChecked = S.KeepAspectRatio ? lc::AspectChoice::Original : lc::AspectChoice::Free;
  }
}

void TfrmMain::OpeningOffsets(int Entry) {
  lc::PlayerState& St = Player();
  const lc::PreviousMovie& Prev = lc::Playback().PreviousMovieSettings;
  if (PreviousSameSize()) {
    St.ImageOffsetX = Prev.ImageOffsetX;
    St.ImageOffsetY = Prev.ImageOffsetY;
  } else if (Entry >= 0) {
    St.ImageOffsetX = Program().Rms[Entry].VideoImageXPosition;
    St.ImageOffsetY = Program().Rms[Entry].VideoImageYPosition;
  } else {
    St.ImageOffsetX = St.ImageOffsetY = 0;
  }
}

void TfrmMain::OpeningFullScreen(int Entry) {
  TfrmVideoWindow& V = *frmVideoWindow;
  const lc::settings::SettingsStore& S = Program().Settings;
  bool Wanted = S.FullscreenOnLoad;
  if (PreviousApplies())
    Wanted = lc::Playback().PreviousMovieSettings.FullScreen;
  else if (Entry >= 0)
    Wanted = Program().Rms[Entry].FullScreen;
  if (Wanted && !V.FullScreen) {
    V.SetFullScreen(false);
  } else if (Wanted && V.FullScreen) {
    if (!FirstActivationPending && !S.AutoHideMainWindow) {
      SetEnabled(true);
      BringToFront();
    }
  } else if (!Wanted && V.FullScreen) {
    V.SetNormalScreen();
  }
}

// The picture is placed unless a window change above has placed it
// already; then movie mode when the settings ask for it.
void TfrmMain::OpeningPicture() {
  TfrmVideoWindow& V = *frmVideoWindow;
  const TRect& R = V.VideoWindow->VideoRect;
  if (R.Width() == 0 && R.Height() == 0) {
    if (V.FullScreen)
      V.PlacePictureFullScreen();
    else
      V.PlacePictureInWindow();
    V.VideoWindow->AttachVideoWindow();
    V.VideoWindow->ApplyColorKey();
  }
  if (Program().Settings.MovieModeOnLoad) MovieModeOn(false);
}
