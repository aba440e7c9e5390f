// The key map's dispatcher, the media keys and the command router: every
// key, button, media key and menu item ends in RunCommand.
#include <algorithm>

#include "framework/application.h"
#include "framework/unicode.h"
#include "player/key_map.h"
#include "player/main_form.h"
#include "player/playback_rules.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

void ShowIfAny(TForm* Window) {
  if (Window) Window->Show();
}

}  // namespace

bool ShownDown(const TVirtualButton& B) { return B.Down() && B.AllowDown && B.Enabled(); }

void TfrmMain::KeyDown(WORD& Key, TShiftState Shift) {
  TSkinForm::KeyDown(Key, Shift);
  FormKeyDown(Key, Shift);
}

void TfrmMain::FormKeyDown(WORD& Key, TShiftState Shift) {
  SpecialKeyExecute(Key, Shift);
  if (Key == VK_APPS) PopupMenuAtMouse();
  ExecuteKeyCommand(Key, Shift);
}

void TfrmMain::PopupMenuAtMouse() {
  POINT At{};
  GetCursorPos(&At);
  PopupMenuMain.Popup(At.x, At.y);
}

void TfrmMain::SpecialKeyExecute(WORD& Key, TShiftState Shift) {
  if (const lc::KeyEntry* E = lc::FindSpecialKey(Key, Shift)) RunCommand(E->Command, E->Arg);
}

void TfrmMain::ExecuteKeyCommand(WORD& Key, TShiftState Shift) {
  const lc::KeyEntry* E = lc::FindKeyCommand(Key, Shift);
  // F10 would activate a menu bar.
  if (Key == VK_F10) Key = 0;
  if (!E || (E->NotBusy && lc::Program().BusyFlag)) return;
  if ((E->Command == Cmd::btnGoToStartClick || E->Command == Cmd::btnGoToEndClick) && PlaylistFocused()) return;
  RunCommand(E->Command, E->Arg);
}

void TfrmMain::RunCommand(Cmd Command, int Arg) {
  if (OpeningRenders() && !lc::ActsWhileTheMovieRenders(Command)) {
    FHeldCommands.emplace_back(Command, Arg);
    return;
  }
  if (!RunFrom(OwnCommands(), Command, Arg) && !RunFrom(SubtitleCommands(), Command, Arg))
    Commands().Run(Command, Arg);
}

void TfrmMain::RunHeldCommands() {
  if (FHeldCommands.empty() || lc::Program().OpeningMovie || lc::Program().BusyFlag) return;
  const std::vector<std::pair<Cmd, int>> Held = std::move(FHeldCommands);
  FHeldCommands.clear();
  for (const auto& [Command, Arg] : Held) RunCommand(Command, Arg);
}

bool TfrmMain::HasHandler(Cmd Command) const {
  return Lists(OwnCommands(), Command) || Lists(SubtitleCommands(), Command) || FCommands->Takes(Command);
}

bool TfrmMain::RunFrom(TCommandRows Rows, Cmd Command, int Arg) {
  for (const TCommandRow& Row : Rows)
    if (Row.Command == Command) {
      Row.Run(*this, Arg);
      return true;
    }
  return false;
}

bool TfrmMain::Lists(TCommandRows Rows, Cmd Command) {
  return std::any_of(Rows.begin(), Rows.end(), [Command](const TCommandRow& Row) { return Row.Command == Command; });
}

TfrmMain::TCommandRows TfrmMain::OwnCommands() {
  static constexpr TCommandRow kRows[] = {
      {Cmd::PlayOrPause, [](TfrmMain& F, int) { F.PlayOrPause(); }},
      {Cmd::PlayEntry, [](TfrmMain& F, int) { F.PlayEntry(); }},
      {Cmd::PauseUnlessDown,
       [](TfrmMain& F, int) {
         if (!ShownDown(*F.BtnPause)) F.Commands().Run(Cmd::BtnPauseClick, 0);
       }},
      {Cmd::StopIfEnabled,
       [](TfrmMain& F, int) {
         if (F.BtnStop->Enabled()) F.Commands().Run(Cmd::BtnStopClick, 0);
       }},
      {Cmd::CloseMovieKey, [](TfrmMain& F, int) { F.CloseMovieKey(); }},
      {Cmd::CaptureFrameMenuClick, [](TfrmMain& F, int) { F.CaptureFrameMenuClick(); }},
      {Cmd::RepeatWithOsd,
       [](TfrmMain& F, int) {
         F.Commands().Run(Cmd::RepeatLabelClick, 0);
         F.Commands().ShowOSD(F.RepeatLabel->Caption());
       }},
      {Cmd::FramesWithOsd,
       [](TfrmMain& F, int) {
         F.Commands().Run(Cmd::MovieTimesLabelClick, 0);
         F.Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[F.Commands().ShowFrames() ? 64 : 63]));
       }},
      {Cmd::VolumeUpWithOsd, [](TfrmMain& F, int) { F.VolumeWithOsd(Cmd::BtnVolUpClick); }},
      {Cmd::VolumeDownWithOsd, [](TfrmMain& F, int) { F.VolumeWithOsd(Cmd::BtnVolDownClick); }},
      {Cmd::MainOrVideoWindow, [](TfrmMain& F, int) { F.MainOrVideoWindow(); }},
      {Cmd::EscapeKey, [](TfrmMain& F, int) { F.EscapeKey(); }},
      {Cmd::PreampUp, [](TfrmMain& F, int) { F.EqualizerKey(VK_UP); }},
      {Cmd::PreampDown, [](TfrmMain& F, int) { F.EqualizerKey(VK_DOWN); }},
      {Cmd::ShowPlaylist, [](TfrmMain& F, int) { F.ShowOrFront(F.Satellites.PlayList); }},
      {Cmd::TogglePlaylist, [](TfrmMain& F, int) { F.TogglePlaylistKey(); }},
      {Cmd::ShowEqualizer, [](TfrmMain& F, int) { F.ShowOrFront(F.Satellites.Equalizer); }},
      {Cmd::ShowColorControl, [](TfrmMain& F, int) { F.ShowColorControl(); }},
      {Cmd::BtnOptionsClick, [](TfrmMain& F, int) { F.BtnOptionsClick(); }},
      {Cmd::AboutMenuClick, [](TfrmMain& F, int) { F.AboutMenuClick(); }},
      {Cmd::KeyDefinitionsClick, [](TfrmMain& F, int) { F.KeyDefinitionsClick(); }},
      {Cmd::JumpToTimeMenuClick, [](TfrmMain& F, int) { F.JumpToTimeMenuClick(); }},
      {Cmd::MovieInfoLabelClick, [](TfrmMain& F, int) { F.MovieInfoLabelClick(); }},
      {Cmd::TurnOffComputerMenuClick, [](TfrmMain& F, int) { F.TurnOffComputerMenuClick(); }},
      {Cmd::DynamicAmplificationMenuClick, [](TfrmMain& F, int) { F.DynamicAmplificationMenuClick(); }},
      {Cmd::BtnPlayListClick, [](TfrmMain& F, int) { F.BtnPlayListClick(); }},
      {Cmd::PlaylistMenuClick, [](TfrmMain& F, int) { ShowIfAny(F.Satellites.PlayList); }},
      {Cmd::EqualizerMenuClick, [](TfrmMain& F, int) { ShowIfAny(F.Satellites.Equalizer); }},
      {Cmd::ColorControlMenuClick, [](TfrmMain& F, int) { ShowIfAny(F.Satellites.ColorControl); }},
      {Cmd::MinimizeApp, [](TfrmMain&, int) { Application.Minimize(); }},
      {Cmd::CloseMainWindow, [](TfrmMain& F, int) { F.Close(); }},
  };
  return kRows;
}

// X: the current playlist entry plays unless Play is already down.
void TfrmMain::PlayEntry() {
  if (ShownDown(*BtnPlay)) return;
  if (CurrentMovieFile.empty()) {
    const lc::playlist::PlaylistEntries& E = Playlist().Entries();
    if (E.PlaylistIndex >= 0 && E.PlaylistIndex < Playlist().Count())
      CurrentMovieFile = E.PlaylistMovies[E.PlaylistIndex];
  }
  Commands().Run(Cmd::BtnPlayClick, 0);
}

void TfrmMain::PlayOrPause() {
  if (!Commands().GraphActive()) return;
  if (!ShownDown(*BtnPlay))
    Commands().Run(Cmd::BtnPlayClick, 0);
  else if (!ShownDown(*BtnPause))
    Commands().Run(Cmd::BtnPauseClick, 0);
}

void TfrmMain::VolumeWithOsd(Cmd Step) {
  Commands().Run(Step, 0);
  // Muted, the graph's volume is 0 and so is the text.
  const std::string Text = Texts().TextMessages[23] + ": " + std::to_string(Commands().GraphVolume() / 100) + "%";
  Commands().ShowOSD(Utf8ToWide(Text));
}

void TfrmMain::CloseMovieKey() {
  if (AbandonOpening()) return;
  const std::wstring NoMovie = Utf8ToWide(Texts().TextLabels[29]);
  if (!BtnStop->Enabled() && MovieLabel->Caption() == NoMovie) return;
  Commands().Run(Cmd::CloseMovie, 0);
  MovieLabel->SetCaption(NoMovie);
  Application.SetTitle(Utf8ToWide(lc::Program().Names.AppName));
  SubtitleLabel->SetCaption(Utf8ToWide(Texts().TextLabels[30]));
  CurrentMovieFile.clear();
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[24]));
}

// Media keys from either window. Every command is answered with 1 and ends
// here; only the recognised ones act.
void TfrmMain::WMAppCommand(TMessage& Message) {
  Message.Result = 1;
  const auto Key = lc::AppCommandFor(static_cast<std::uint32_t>(Message.LParam));
  if (!Key) return;
  WORD Code = Key->Key;
  if (Key->PlayPause) {
    if (Commands().GraphActive()) {
      PlayOrPause();
    } else {
      Code = 'X';
      ExecuteKeyCommand(Code, 0);
    }
  } else if (Key->Special) {
    SpecialKeyExecute(Code, Key->Shift);
  } else {
    ExecuteKeyCommand(Code, Key->Shift);
  }
}
