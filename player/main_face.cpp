// The main window's face: its widgets at their places, what their clicks
// run, and the mouse rules that go beyond the skinned form's.
#include <algorithm>
#include <initializer_list>
#include <string>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/skin_strip.h"
#include "player/main_form.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;

namespace {

// The bars' view of playback, always through the commands installed now.
class TPlaybackRelay : public TPlaybackLink {
 public:
  explicit TPlaybackRelay(TfrmMain& Form) : FForm(Form) {}
  void SetVolume(int GraphVolume) override { FForm.Commands().SetVolume(GraphVolume); }
  bool GraphActive() const override { return FForm.Commands().GraphActive(); }
  void SeekToPosition(int Position) override { FForm.Commands().SeekToPosition(Position); }
  int RmsChangeScore() const override { return FForm.Commands().RmsChangeScore(); }
  void SetRmsChangeScore(int Score) override { FForm.Commands().SetRmsChangeScore(Score); }
  void CancelVolumeRestore() override { FForm.Commands().CancelVolumeRestore(); }
  bool IsWin9x() const override { return lc::Program().Names.IsWin9x; }

 private:
  TfrmMain& FForm;
};

// The labels' font sizes for the screen's pixels per inch.
int LabelFontSize(int Points) {
  return RoundHalfEven(96.0 / Screen.PixelsPerInch() * Points);
}

}  // namespace

void TfrmMain::CreateWidgets() {
  FPlaybackRelay = std::make_unique<TPlaybackRelay>(*this);
  TWidgetHost& H = Host();
  auto Button = [&](TRect R, const wchar_t* Skin, const wchar_t* Hint, bool Enabled) {
    TButtonOptions Options;
    Options.Variant = TButtonVariant::Main;
    Options.Enabled = Enabled;
    return std::make_unique<TVirtualButton>(H, FSurface, R, L"", Hint, Skin, Options);
  };
  const int Name = LabelFontSize(11);
  const int Small = LabelFontSize(9);
  MovieLabel = std::make_unique<TVirtualLabel>(H, FSurface, 176, 57, L"No movie", L"Double click to open movie(s)",
                                               211, Name, true);
  SubtitleLabel = std::make_unique<TVirtualLabel>(H, FSurface, 176, 75, L"No subtitle",
                                                  L"Double click to open subtitle", 211, Name, true);
  BtnInfo = Button({377, 25, 389, 37}, L"MainbtnInfo", L"Movie info", true);
  MovieTimesLabel = std::make_unique<TVirtualLabel>(H, FSurface, 184, 96, L"00:00:00 - 00:00:00 - 00:00:00",
                                                    L"Click for frames", 0, Small, false);
  RepeatLabel = std::make_unique<TVirtualLabel>(H, FSurface, 184, 40, L"Repeat off", L"", 0, Small, false);
  BtnOpenMovie = Button({27, 26, 39, 38}, L"MainbtnOpenMovie", L"Open movie(s)", true);
  BtnRewind = Button({26, 113, 42, 125}, L"MainbtnRewind", L"Rewind", false);
  BtnPlay = Button({47, 66, 67, 86}, L"MainbtnPlay", L"Play", true);
  BtnForward = Button({83, 113, 99, 125}, L"MainbtnForward", L"Forward", false);
  BtnPause = Button({102, 66, 122, 86}, L"MainbtnPause", L"Pause", false);
  BtnStop = Button({126, 66, 146, 86}, L"MainbtnStop", L"Stop", false);
  BtnOpenSubtitle = Button({84, 26, 96, 38}, L"MainbtnOpenSubtitle", L"Open subtitle", true);
  BtnPrevious = Button({348, 113, 360, 125}, L"MainbtnPrior", L"Previous", true);
  BtnNext = Button({372, 113, 384, 125}, L"MainbtnNext", L"Next", true);
  BtnPlayList = Button({151, 26, 163, 38}, L"MainbtnPlaylist", L"Playlist", true);
  BtnOptions = Button({151, 113, 163, 125}, L"MainbtnConfiguration", L"Configuration", true);
  BtnClose = Button({446, 5, 455, 14}, L"MainbtnClose", L"Close", true);
  BtnMinimize = Button({434, 5, 443, 14}, L"MainbtnMinimize", L"Minimize", true);
  BtnVolUp = Button({422, 28, 431, 37}, L"MainbtnVolumeUp", L"Volume up", true);
  BtnVolDown = Button({422, 95, 431, 104}, L"MainbtnVolumeDown", L"Volume down", true);
  MuteFlip = std::make_unique<TVirtualFlip>(H, FSurface, TRect{413, 110, 428, 123}, L"Mute", L"MainMute", true,
                                            TFlipOptions{});
  VolumeBar = std::make_unique<TVolumeControl>(H, FSurface, TRect{412, 26, 417, 104}, L"MainVolBar",
                                               *FPlaybackRelay);
  VolumeBar->SetMuteFlip(MuteFlip.get());
  ProgressBar = std::make_unique<TVirtualProgressBar>(H, FSurface, TRect{25, 135, 432, 144}, L"MainProgressBar",
                                                      false, *FPlaybackRelay);
  // The face's mouse order: the labels, the buttons, the mute flip, the
  // volume bar, the seek bar.
  H.SetMouseOrder({MovieLabel.get(), SubtitleLabel.get(), BtnInfo.get(), MovieTimesLabel.get(), RepeatLabel.get(),
                   BtnOpenMovie.get(), BtnRewind.get(), BtnPlay.get(), BtnForward.get(), BtnPause.get(),
                   BtnStop.get(), BtnOpenSubtitle.get(), BtnPrevious.get(), BtnNext.get(), BtnPlayList.get(),
                   BtnOptions.get(), BtnClose.get(), BtnMinimize.get(), BtnVolUp.get(), BtnVolDown.get(),
                   MuteFlip.get(), VolumeBar.get(), ProgressBar.get()});
  ConnectWidgets();
  // The face with every widget, also on the back buffer.
  for (TWidget* W : Host().Widgets()) W->Paint();
}

void TfrmMain::ConnectWidgets() {
  auto Runs = [this](TWidget& W, Cmd C) { W.OnClick = [this, C] { RunCommand(C); }; };
  MovieLabel->OnDoubleClick = [this] { RunCommand(Cmd::BtnOpenMovieClick); };
  SubtitleLabel->OnDoubleClick = [this] { RunCommand(Cmd::BtnOpenSubtitleClick); };
  Runs(*BtnInfo, Cmd::MovieInfoLabelClick);
  Runs(*MovieTimesLabel, Cmd::MovieTimesLabelClick);
  Runs(*RepeatLabel, Cmd::RepeatLabelClick);
  Runs(*BtnOpenMovie, Cmd::BtnOpenMovieClick);
  Runs(*BtnRewind, Cmd::BtnRewindClick);
  BtnPlay->OnClick = [this] {
    PlayStep();
    RunCommand(Cmd::BtnPlayClick);
  };
  Runs(*BtnForward, Cmd::BtnForwardClick);
  Runs(*BtnPause, Cmd::BtnPauseClick);
  Runs(*BtnStop, Cmd::BtnStopClick);
  Runs(*BtnOpenSubtitle, Cmd::BtnOpenSubtitleClick);
  BtnPrevious->OnClick = [this] {
    if (!lc::Program().BusyFlag) RunCommand(Cmd::BtnPreviousClick);
  };
  BtnNext->OnClick = [this] {
    if (!lc::Program().BusyFlag) RunCommand(Cmd::BtnNextClick);
  };
  Runs(*BtnPlayList, Cmd::BtnPlayListClick);
  Runs(*BtnOptions, Cmd::BtnOptionsClick);
  Runs(*BtnClose, Cmd::CloseMainWindow);
  Runs(*BtnMinimize, Cmd::MinimizeApp);
  Runs(*BtnVolUp, Cmd::BtnVolUpClick);
  Runs(*BtnVolDown, Cmd::BtnVolDownClick);
  MuteFlip->OnClick = [this] { MuteFlipClick(); };
}

void TfrmMain::SettingsIntoFace() {
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  MuteFlip->SetState(!S.Mute);
  VolumeBar->SetPosition(S.AudioVolume);
  // An unchanged position hands nothing over by itself.
  Commands().SetVolume(GraphVolumeFor(VolumeBar->Position(), MuteFlip->State()));
  if (S.RepeatMode >= 0 && S.RepeatMode <= 2)
    RepeatLabel->SetCaption(Utf8ToWide(lc::settings::GlobalTextTable().TextLabels[32 + S.RepeatMode]));
  // The click turns frames on again and shows them.
  if (S.ShowFrames) {
    lc::Program().Settings.ShowFrames = false;
    MovieTimesLabelClick();
  }
  MenuItem(L"DynamicAmplificationMenu")->SetChecked(S.DynamicAmplification);
}

void TfrmMain::MuteFlipClick() {
  const bool SoundOn = MuteFlip->State();
  Commands().SetVolume(GraphVolumeFor(VolumeBar->Position(), SoundOn));
  Commands().ShowOSD(Utf8ToWide(lc::settings::GlobalTextTable().TextMessages[SoundOn ? 31 : 30]));
}

void TfrmMain::PlayStep() {
  lc::playlist::PlaylistEntries& E = Playlist().Entries();
  const int Index = E.PlaylistIndex;
  if (!CurrentMovieFile.empty() || Index < 0 || static_cast<int>(Playlist().Lines().size()) <= Index ||
      Index >= Playlist().Count())
    return;
  CurrentMovieFile = E.PlaylistMovies[Index];
  if (!lc::Program().Settings.Shuffle) return;
  // Its first occurrence leaves the pool; the later paths move up.
  auto At = std::find(E.ShufflePool.begin(), E.ShufflePool.end(), CurrentMovieFile);
  if (At != E.ShufflePool.end()) E.ShufflePool.erase(At);
}

void TfrmMain::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  // Whatever the button, pending paints are done and no hint stays up.
  Application.ProcessMessages();
  Application.CancelHint();
}
