// The key map's dispatcher, the media keys and the command router: every
// key, button, media key and menu item ends in RunCommand.
#include "framework/application.h"
#include "player/key_map.h"
#include "player/main_form.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"

using lc::Cmd;
using lc::settings::Utf8ToWide;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

bool ShownDown(const TVirtualButton& B) { return B.Down() && B.AllowDown && B.Enabled(); }

void TfrmMain::KeyDown(WORD& Key, TShiftState Shift) {
  TSkinForm::KeyDown(Key, Shift);
  FormKeyDown(Key, Shift);
}

void TfrmMain::FormKeyDown(WORD& Key, TShiftState Shift) {
  SpecialKeyExecute(Key, Shift);
  if (Key == VK_APPS) {
    POINT At{};
    GetCursorPos(&At);
    PopupMenuMain.Popup(At.x, At.y);
  }
  ExecuteKeyCommand(Key, Shift);
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
  if (!RunOwnCommand(Command) && !RunSubtitleCommand(Command)) Commands().Run(Command, Arg);
}

bool TfrmMain::RunOwnCommand(Cmd Command) {
  switch (Command) {
    case Cmd::PlayOrPause: PlayOrPause(); break;
    case Cmd::PlayEntry:
      if (ShownDown(*BtnPlay)) break;
      if (CurrentMovieFile.empty()) {
        const lc::playlist::PlaylistEntries& E = Playlist().Entries();
        if (E.PlaylistIndex >= 0 && E.PlaylistIndex < Playlist().Count())
          CurrentMovieFile = E.PlaylistMovies[E.PlaylistIndex];
      }
      Commands().Run(Cmd::BtnPlayClick, 0);
      break;
    case Cmd::PauseUnlessDown:
      if (!ShownDown(*BtnPause)) Commands().Run(Cmd::BtnPauseClick, 0);
      break;
    case Cmd::StopIfEnabled:
      if (BtnStop->Enabled()) Commands().Run(Cmd::BtnStopClick, 0);
      break;
    case Cmd::CloseMovieKey: CloseMovieKey(); break;
    case Cmd::CaptureFrameMenuClick: CaptureFrameMenuClick(); break;
    case Cmd::RepeatWithOsd:
      Commands().Run(Cmd::RepeatLabelClick, 0);
      Commands().ShowOSD(RepeatLabel->Caption());
      break;
    case Cmd::FramesWithOsd:
      Commands().Run(Cmd::MovieTimesLabelClick, 0);
      Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[Commands().ShowFrames() ? 64 : 63]));
      break;
    case Cmd::VolumeUpWithOsd: VolumeWithOsd(Cmd::BtnVolUpClick); break;
    case Cmd::VolumeDownWithOsd: VolumeWithOsd(Cmd::BtnVolDownClick); break;
    case Cmd::ShowPlaylist: ShowOrFront(Satellites.PlayList); break;
    case Cmd::TogglePlaylist: TogglePlaylistKey(); break;
    case Cmd::ShowEqualizer: ShowOrFront(Satellites.Equalizer); break;
    case Cmd::ShowColorControl: ShowColorControl(); break;
    case Cmd::BtnOptionsClick: BtnOptionsClick(); break;
    case Cmd::AboutMenuClick: AboutMenuClick(); break;
    case Cmd::KeyDefinitionsClick: KeyDefinitionsClick(); break;
    case Cmd::JumpToTimeMenuClick: JumpToTimeMenuClick(); break;
    case Cmd::MovieInfoLabelClick: MovieInfoLabelClick(); break;
    case Cmd::TurnOffComputerMenuClick: TurnOffComputerMenuClick(); break;
    case Cmd::DynamicAmplificationMenuClick: DynamicAmplificationMenuClick(); break;
    case Cmd::BtnPlayListClick: BtnPlayListClick(); break;
    case Cmd::PlaylistMenuClick:
      if (Satellites.PlayList) Satellites.PlayList->Show();
      break;
    case Cmd::EqualizerMenuClick:
      if (Satellites.Equalizer) Satellites.Equalizer->Show();
      break;
    case Cmd::ColorControlMenuClick:
      if (Satellites.ColorControl) Satellites.ColorControl->Show();
      break;
    case Cmd::MinimizeApp: Application.Minimize(); break;
    case Cmd::CloseMainWindow: Close(); break;
    default: return false;
  }
  return true;
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
