// TfrmMain's picture commands: placing the picture, the aspect-ratio and
// pan & scan menus, the window-size commands, the zoom cycle, movie mode,
// full screen and always on top.
#include <dshow.h>

#include "kit/window_drag.h"
#include "player/display_modes.h"
#include "player/main_form.h"
#include "player/picture_geometry.h"
#include "player/playback_state.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Player;
using lc::Program;

namespace {

// SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOCOPYBITS.
constexpr UINT kRestackFlags = 0x153;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The system's decimal separator, for the ratios on the OSD.
char DecimalSeparator() {
  wchar_t Text[4] = {};
  if (GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Text, 4) > 0 && Text[0] > 0 && Text[0] < 128)
    return static_cast<char>(Text[0]);
  return '.';
}

bool VideoShowing() { return frmVideoWindow && frmVideoWindow->Showing(); }
bool GraphActive() { return frmVideoWindow && frmVideoWindow->GraphActive(); }

void RaiseScore() { lc::RaiseRmsChangeScore(Player(), GraphActive()); }

lc::PictureShape CurrentShape() {
  const lc::PlayerState& s = Player();
  return {s.NativeWidth, s.NativeHeight, s.AspectRatioValue, Program().Settings.KeepAspectRatio};
}

}  // namespace

void TfrmMain::SetVideoPosAndSize(int Left, int Top, int Width, int Height) {
  const bool Was = Program().BusyFlag;
  Program().BusyFlag = true;
  // Asked of the renderer itself: the graph's video interfaces wait behind
  // a stop under way.
  IBasicVideo2* Video = nullptr;
  if (frmVideoWindow && frmVideoWindow->GraphActive() &&
      SUCCEEDED(frmVideoWindow->VideoWindow->QueryInterface(IID_IBasicVideo2, reinterpret_cast<void**>(&Video)))) {
    Video->SetDestinationPosition(Left, Top, Width, Height);
    Video->Release();
    frmVideoWindow->VideoWindow->PlaceVideoRect(Rect(Left, Top, Left + Width, Top + Height));
  }
  Program().BusyFlag = Was;
}

// ------------------------------------------------------------ aspect ratio

void TfrmMain::SetAspectRatio(const std::string& Text) {
  if (!VideoShowing() || !GraphActive() || Program().BusyFlag) return;
  lc::BusyScope Busy;
  TfrmVideoWindow& V = *frmVideoWindow;
  if (V.FullScreen)
    V.PlacePictureFullScreen();
  else
    V.PlacePictureInWindow();
  V.VideoWindow->AttachVideoWindow();
  V.VideoWindow->ApplyColorKey();
  Player().OsdShowsPosition = false;
  ShowOSD(lc::AspectOsdText(Text, Texts()));
}

void TfrmMain::ChooseAspectRatio(lc::AspectChoice Choice) {
  if (Program().OpeningMovie || !GraphActive()) return;
  lc::PlayerState& S = Player();
  AspectChecked = Choice;
  MovieModeChecked = false;
  const lc::AspectOutcome Out = lc::ChooseAspect(Choice, {S.AspectRatioValue, Program().Settings.KeepAspectRatio},
                                                 S.NativeWidth, S.NativeHeight);
  S.AspectRatioValue = Out.State.Value;
  Program().Settings.KeepAspectRatio = Out.State.Keep;
  // The custom entry lays out only a picture that was free; its dialog
  // does the rest.
  if (Choice != lc::AspectChoice::Custom || Out.Changed)
    SetAspectRatio(lc::AspectChoiceText(Choice, Texts(), DecimalSeparator()));
  if (Out.Changed) RaiseScore();
}

// -------------------------------------------------------------- pan & scan

void TfrmMain::DoPanScan(bool Manual) {
  if (!VideoShowing() || !GraphActive() || Program().BusyFlag) return;
  lc::BusyScope Busy;
  MovieModeChecked = false;
  Player().OsdShowsPosition = false;
  ShowOSD(lc::PanScanOsdText(Manual, Program().Settings.PanScanValue, Texts()));
  // In a window the value waits for the next full screen.
  if (frmVideoWindow->FullScreen) {
    lc::Playback().RmsPanScanApplied = false;
    frmVideoWindow->PlacePictureFullScreen();
    frmVideoWindow->VideoWindow->RepaintVideo();
  }
}

void TfrmMain::PanStep(int Delta) {
  if (!VideoShowing()) return;
  TfrmVideoWindow& V = *frmVideoWindow;
  if (V.FullScreen) {
    if (auto Next = lc::PanScanStep(Program().Settings.PanScanValue, Delta)) {
      Program().Settings.PanScanValue = *Next;
      DoPanScan(true);
      RaiseScore();
    }
    return;
  }
  // In a window the keys size the window as the wheel does.
  if (Program().BusyFlag || Program().OpeningMovie) return;
  lc::BusyScope Busy;
  if (V.StepWindowSize(Delta > 0)) V.PlacePictureInWindow();
  RaiseScore();
}

void TfrmMain::AutomaticMenuClick() {
  if (!VideoShowing() || !frmVideoWindow->FullScreen || Program().BusyFlag) return;
  const TMonitor& M = frmVideoWindow->VideoMonitor;
  const int P = lc::AutomaticPanScan(M.Width(), M.Height(), Player().AspectRatioValue);
  const bool Changed = P != Program().Settings.PanScanValue;
  Program().Settings.PanScanValue = P;
  DoPanScan(false);
  if (Changed) RaiseScore();
}

// ------------------------------------------------------------ window sizes

void TfrmMain::SetMovieWindowSize(int Percent) {
  if (CurrentMovieFile.empty() || !frmVideoWindow) return;
  TfrmVideoWindow& V = *frmVideoWindow;
  if (V.FullScreen) {
    const int P = lc::PanScanForPercent(Percent);
    const bool Changed = P != Program().Settings.PanScanValue;
    Program().Settings.PanScanValue = P;
    DoPanScan(true);
    if (Changed) RaiseScore();
    return;
  }
  const TRect A = Program().MonitorsDiffer ? Screen.DesktopRect() : Rect(0, 0, Screen.Width(), Screen.Height());
  const auto Next = lc::PercentWindowBounds(Percent, CurrentShape(), V.BoundsRect(),
                                            {A.Left, A.Top, A.Width(), A.Height()});
  if (!Next) return;
  V.SetBounds(Next->Left, Next->Top, Next->Width(), Next->Height());
  V.ZoomBaseBounds = {};
  V.PlacePictureInWindow();
  RaiseScore();
}

void TfrmMain::ZoomCycle() {
  if (Program().OpeningMovie || Program().BusyFlag || !GraphActive()) return;
  TfrmVideoWindow& V = *frmVideoWindow;
  if (V.FullScreen) {
    V.SetNormalScreen();
    return;
  }
  V.VideoMonitor = GetWindowMonitor(V.Handle());
  if (auto Doubled = lc::ZoomDoubleBounds(V.BoundsRect(), V.VideoMonitor.Width(), V.VideoMonitor.Height())) {
    if (V.ZoomBaseBounds == TRect{}) V.ZoomBaseBounds = V.BoundsRect();
    V.SetBounds(Doubled->Left, Doubled->Top, Doubled->Width(), Doubled->Height());
    V.PlacePictureInWindow();
    return;
  }
  V.SetFullScreen(true);
  // Leaving full screen returns to the size before the cycle.
  if (!V.ZoomBaseBounds.IsEmpty()) V.NormalBounds = V.ZoomBaseBounds;
}

// --------------------------------------------------------------- movie mode

void TfrmMain::MovieModeMenuClick() {
  if (Program().BusyFlag || !GraphActive()) return;
  lc::BusyScope Busy;
  lc::Playback().RmsPanScanApplied = false;
  if (MovieModeChecked)
    MovieModeOff();
  else
    MovieModeOn();
}

void TfrmMain::MovieModeOff() {
  TfrmVideoWindow& V = *frmVideoWindow;
  if (!V.FullScreen) {
    MovieModeChecked = false;
    return;
  }
  lc::PlayerState& S = Player();
  S.OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[53]);
  MovieModeChecked = false;
  lc::RestoreMovieModeValues(S, Program().Settings);
  if (S.MovieModeSaved.WasFullScreen) {
    V.PlacePictureFullScreen();
    V.VideoWindow->RepaintVideo();
  } else {
    Program().BusyFlag = false;
    V.SetNormalScreen();
  }
}

void TfrmMain::MovieModeOn(bool Say) {
  TfrmVideoWindow& V = *frmVideoWindow;
  lc::PlayerState& S = Player();
  lc::settings::SettingsStore& Settings = Program().Settings;
  if (Say) {
    S.OsdShowsPosition = false;
    ShowOSD(Texts().TextMessages[52]);
  }
  MovieModeChecked = true;
  S.MovieModeSaved = {V.FullScreen, S.ImageOffsetX, S.ImageOffsetY, Settings.PanScanValue,
                      Settings.AverageVerticalDisplayZone};
  // The screen the movie will fill: full screen's own, or the mode full
  // screen is about to switch to.
  lc::MovieModeInput In;
  const auto& Offered = Program().DisplayModeNames;
  const bool Switching =
      std::find(Offered.begin(), Offered.end(), Settings.FullscreenModeSwitch) != Offered.end();
  const auto SwitchSize = lc::DisplayModeTextSize(Settings.FullscreenModeSwitch);
  if (!V.FullScreen && Switching && SwitchSize) {
    In.ScreenWidth = SwitchSize->first;
    In.ScreenHeight = SwitchSize->second;
  } else {
    if (!V.FullScreen) V.VideoMonitor = GetWindowMonitor(V.Handle());
    In.ScreenWidth = V.VideoMonitor.Width();
    In.ScreenHeight = V.VideoMonitor.Height();
  }
  In.SubtitlesShown = S.SubtitleLoaded && SubtitlesShown;
  In.UseOutlineFont = Settings.UseOutlineFont;
  if (In.SubtitlesShown) {
    In.SubtitleFontSize = lc::MovieModeSubtitleFontSize(In.ScreenWidth, Settings.SubtitleSize);
    TCanvas& C = V.VideoWindow->Canvas();
    C.Font.SetSize(In.SubtitleFontSize);
    In.SubtitleTextHeight = C.TextHeight(L"H");
  }
  const lc::MovieModeValues Values = lc::MovieModeLayout(CurrentShape(), In);
  Settings.PanScanValue = Values.PanScan;
  S.ImageOffsetX = Values.OffsetX;
  S.ImageOffsetY = Values.OffsetY;
  if (Values.SubtitleZone) Settings.AverageVerticalDisplayZone = *Values.SubtitleZone;
  if (V.FullScreen) {
    const TRect& P = Values.Placement;
    SetVideoPosAndSize(P.Left, P.Top, P.Width(), P.Height());
    V.VideoWindow->RepaintVideo();
  } else {
    // Full screen lays everything out with the new values.
    Program().BusyFlag = false;
    V.SetFullScreen(true);
  }
}

// ------------------------------------------------------------ the commands

TfrmMain::TCommandRows TfrmMain::PictureCommands() {
  using lc::Cmd;
  static constexpr TCommandRow kRows[] = {
      {Cmd::BtnFullScreenClick, [](TfrmMain& F, int) { F.BtnFullScreenClick(); }},
      {Cmd::MovieModeMenuClick, [](TfrmMain& F, int) { F.MovieModeMenuClick(); }},
      {Cmd::ZoomCycle, [](TfrmMain& F, int) { F.ZoomCycle(); }},
      {Cmd::PanInMenuClick, [](TfrmMain& F, int) { F.PanInMenuClick(); }},
      {Cmd::PanOutMenuClick, [](TfrmMain& F, int) { F.PanOutMenuClick(); }},
      {Cmd::AutomaticMenuClick, [](TfrmMain& F, int) { F.AutomaticMenuClick(); }},
      {Cmd::OriginalRatioMenuClick, [](TfrmMain& F, int) { F.OriginalRatioMenuClick(); }},
      {Cmd::N169RatioMenuClick, [](TfrmMain& F, int) { F.N169RatioMenuClick(); }},
      {Cmd::N43RatioMenuClick, [](TfrmMain& F, int) { F.N43RatioMenuClick(); }},
      {Cmd::N11RatioMenuClick, [](TfrmMain& F, int) { F.N11RatioMenuClick(); }},
      {Cmd::FreeRatioMenuClick, [](TfrmMain& F, int) { F.FreeRatioMenuClick(); }},
      {Cmd::CustomRatioMenuClick, [](TfrmMain& F, int) { F.CustomRatioMenuClick(); }},
      {Cmd::CustomPanScanMenuClick, [](TfrmMain& F, int) { F.CustomPanScanMenuClick(); }},
      {Cmd::N50MenuClick, [](TfrmMain& F, int) { F.N50MenuClick(); }},
      {Cmd::N100MenuClick, [](TfrmMain& F, int) { F.N100MenuClick(); }},
      {Cmd::MovieWindowSize100, [](TfrmMain& F, int) { F.N100MenuClick(); }},
      {Cmd::N200MenuClick, [](TfrmMain& F, int) { F.N200MenuClick(); }},
      {Cmd::AlwaysOnTopMenuClick, [](TfrmMain& F, int) { F.AlwaysOnTopMenuClick(); }},
      {Cmd::MonitorClick, [](TfrmMain& F, int Arg) { F.MonitorClick(Arg - 1); }},
      {Cmd::PictureLeft, [](TfrmMain& F, int) { F.PictureOffsetStep(true, -1); }},
      {Cmd::PictureRight, [](TfrmMain& F, int) { F.PictureOffsetStep(true, 1); }},
      {Cmd::PictureUp, [](TfrmMain& F, int) { F.PictureOffsetStep(false, 1); }},
      {Cmd::PictureDown, [](TfrmMain& F, int) { F.PictureOffsetStep(false, -1); }},
      {Cmd::CentrePicture, [](TfrmMain& F, int) { F.CentrePicture(); }},
  };
  return kRows;
}

// -------------------------------------------------- full screen, on top

void TfrmMain::BtnFullScreenClick() {
  if (!VideoShowing()) return;
  if (frmVideoWindow->FullScreen)
    frmVideoWindow->SetNormalScreen();
  else
    frmVideoWindow->SetFullScreen(true);
  RaiseScore();
}

void TfrmMain::AlwaysOnTopMenuClick() {
  AlwaysOnTopChecked = !AlwaysOnTopChecked;
  Player().OsdShowsPosition = false;
  Player().AlwaysOnTopForFullScreen = false;
  ShowOSD(Texts().TextMessages[AlwaysOnTopChecked ? 44 : 45]);
  if (!VideoShowing() || frmVideoWindow->FullScreen) return;
  if (AlwaysOnTopChecked)
    SetWindowPos(frmVideoWindow->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  else
    SetWindowPos(frmVideoWindow->Handle(), Handle(), 0, 0, 0, 0, kRestackFlags);
}
