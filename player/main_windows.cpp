// The satellite windows and the dialogs the main window opens, and its
// simple menu commands.
#include <algorithm>
#include <stdexcept>

#include "framework/application.h"
#include "framework/unicode.h"
#include "player/focus_rules.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "tools/equalizer/equalizer_window.h"

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The area a satellite is pulled into: the work area, or the virtual
// desktop when the monitors differ.
TRect PlacementArea() {
  if (lc::Program().MonitorsDiffer)
    return Bounds(GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
  return Screen.WorkAreaRect();
}

// Moves Window so that it lies inside the placement area as far as it fits.
void PullIntoArea(TForm& Window) {
  const TRect A = PlacementArea();
  const int Left = std::min(std::max(Window.Left(), A.Left), A.Left + A.Width() - Window.ClientWidth());
  const int Top = std::min(std::max(Window.Top(), A.Top), A.Top + A.Height() - Window.ClientHeight());
  Window.SetBounds(Left, Top, Window.Width(), Window.Height());
}

// Whether the focus is in Window (the window itself or one of its
// controls).
bool HasFocus(const TForm& Window) {
  if (!Window.HandleAllocated()) return false;
  HWND Focus = GetFocus();
  return Focus == Window.Handle() || IsChild(Window.Handle(), Focus);
}

}  // namespace

// ---- satellites ------------------------------------------------------------

namespace {

class TMainToolLink : public lc::tools::TToolPlayerLink {
 public:
  explicit TMainToolLink(TfrmMain& Form) : F(Form) {}
  void ShowOSD(const std::wstring& Text) override { F.Commands().ShowOSD(Text); }
  // Escape and the arrows first, then every other key.
  void PassKey(int& Key, TShiftState Shift) override {
    WORD K = static_cast<WORD>(Key);
    F.SpecialKeyExecute(K, Shift);
    F.ExecuteKeyCommand(K, Shift);
    Key = K;
  }

 private:
  TfrmMain& F;
};

}  // namespace

void TfrmMain::CreateToolLink() { FToolLink = std::make_unique<TMainToolLink>(*this); }

void TfrmMain::ShowOrFront(TForm* Window) {
  if (!Window) return;
  if (!Window->Showing()) {
    Window->Show();
    return;
  }
  PullIntoArea(*Window);
  Window->BringToFront();
}

void TfrmMain::TogglePlaylistKey() {
  TForm* List = Satellites.PlayList;
  if (List && List->Showing() && HasFocus(*List)) {
    List->Close();
    return;
  }
  ShowOrFront(List);
}

void TfrmMain::ShowColorControl() {
  TForm* Colour = Satellites.ColorControl;
  if (!Colour) return;
  if (!Colour->Showing())
    Colour->Show();
  else if (!HasFocus(*Colour))
    Colour->BringToFront();
}

bool TfrmMain::PlaylistFocused() const {
  return Satellites.PlayList && HasFocus(*Satellites.PlayList);
}

void TfrmMain::BtnPlayListClick() {
  TForm* List = Satellites.PlayList;
  if (!List) return;
  if (List->Showing())
    List->Close();
  else
    List->Show();
}

// ---- the main window and the video window ---------------------------------

void TfrmMain::EscapeKey() {
  TfrmVideoWindow* Video = frmVideoWindow;
  if (!Video) return;
  if (!Video->FullScreen) {
    if (Video->Showing()) Video->SetFocus();
  } else if (Tag == 0) {
    Video->ParkMainWindow();
    Video->VideoWindow->SetFocus();
  } else {
    Video->SetNormalScreen();
    lc::RaiseRmsChangeScore(lc::Player(), Video->GraphActive());
  }
}

void TfrmMain::MainOrVideoWindow() {
  TfrmVideoWindow* Video = frmVideoWindow;
  if (Video && Video->FullScreen) {
    if (Tag == 1 || !Enabled()) {
      SetEnabled(true);
      BringToFront();
      Tag = 0;
    } else {
      Video->ParkMainWindow();
      Video->VideoWindow->SetFocus();
    }
  } else if (!Video || !Video->Showing()) {
    SetFocus();
  } else if (Video->VideoWindow->Focused()) {
    SetFocus();
    const TPoint At = lc::PullIntoArea({Left(), Top()}, {ClientWidth(), ClientHeight()}, PlacementArea());
    SetBounds(At.X, At.Y, Width(), Height());
  } else if (HasFocus(*this)) {
    Video->SetFocus();
    const TRect Area = lc::Program().MonitorsDiffer ? PlacementArea() : Bounds(0, 0, Screen.Width(), Screen.Height());
    const TPoint At = lc::KeepTenthInside({Video->Left(), Video->Top()}, {Video->Width(), Video->Height()}, Area);
    Video->SetBounds(At.X, At.Y, Video->Width(), Video->Height());
  }
}

TForm* TfrmMain::KeyboardHeir(TForm* Leaving, TForm* Preferred) {
  std::vector<TForm*> Forms{this};
  if (frmVideoWindow) Forms.push_back(frmVideoWindow);
  for (TForm* F : Screen.Forms())
    if (std::find(Forms.begin(), Forms.end(), F) == Forms.end()) Forms.push_back(F);
  const bool Minimised = Application.IsIconic();
  std::vector<lc::KeyboardWindow> Windows;
  for (TForm* F : Forms) {
    const bool BossHidden = std::find(BossHiddenForms.begin(), BossHiddenForms.end(), F) != BossHiddenForms.end();
    Windows.push_back({F->Showing() && !Minimised, F->Enabled(), F == Leaving || BossHidden,
                       F == this && Tag == 1 && frmVideoWindow && frmVideoWindow->FullScreen});
  }
  const auto Wanted = std::find(Forms.begin(), Forms.end(), Preferred);
  const int Heir = lc::KeyboardHeir(Windows, Preferred && Wanted != Forms.end() ? int(Wanted - Forms.begin()) : -1);
  return Heir < 0 ? nullptr : Forms[Heir];
}

void TfrmMain::EqualizerKey(WORD Key) {
  int Code = Key;
  if (frmEqualizer) frmEqualizer->AllKeyDown(Code, 0);
}

// ---- dialogs ---------------------------------------------------------------

// Modal dialogs run nested message loops in which the timers keep running:
// a second request while the dialog is up is dropped. The start-up's links
// say how each dialog is made; a slot they left empty is a fault.
void TfrmMain::RunDialog(lc::TDialogSlot& Slot) {
  if (!Slot.Create) throw std::logic_error("a dialog of the main window is not connected");
  if (lc::Program().OpeningMovie || Slot.Open) return;
  std::unique_ptr<TForm> Dialog = Slot.Create();
  if (!Dialog) return;
  Slot.Open = Dialog.get();
  Dialog->ShowModal();
  Slot.Open = nullptr;
}

void TfrmMain::BtnOptionsClick() { RunDialog(Dialogs.Config); }

void TfrmMain::AboutMenuClick() { RunDialog(Dialogs.About); }

void TfrmMain::KeyDefinitionsClick() { RunDialog(Dialogs.Keyboard); }

void TfrmMain::JumpToTimeMenuClick() {
  if (Commands().GraphActive() && Satellites.VideoWindow && Satellites.VideoWindow->Showing())
    RunDialog(Dialogs.Jump);
}

void TfrmMain::MovieInfoLabelClick() {
  if (MovieLabel->Caption() == Utf8ToWide(Texts().TextLabels[29])) return;
  const std::string& Movie = CurrentMovieFile;
  if (Movie.empty() || GetFileAttributesW(Utf8ToWide(Movie).c_str()) == INVALID_FILE_ATTRIBUTES) return;
  RunDialog(Dialogs.Info);
}

// ---- menu switches ---------------------------------------------------------

void TfrmMain::TurnOffComputerMenuClick() {
  TMenuItem* Item = MenuItem(L"TurnOffComputerMenu");
  Item->SetChecked(!Item->Checked());
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[Item->Checked() ? 46 : 47]));
  TurnOffComputerAfterPlay = Item->Checked();
}

// The check mark and the setting stay in step: the setting is what the next
// start shows.
void TfrmMain::DynamicAmplificationMenuClick() {
  TMenuItem* Item = MenuItem(L"DynamicAmplificationMenu");
  Item->SetChecked(!Item->Checked());
  lc::Program().Settings.DynamicAmplification = Item->Checked();
  Commands().SetDynamicAmplification(Item->Checked());
  Commands().ShowOSD(Utf8ToWide(Texts().TextMessages[Item->Checked() ? 54 : 55]));
}
