#include "tools/equalizer/equalizer_window.h"

#include <array>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/pointer_snap.h"
#include "kit/window_drag.h"
#include "settings/program_state.h"
#include "tools/equalizer/preset_dialog.h"
#include "tools/tool_environment.h"
#include "tools/tool_placement.h"

using lc::tools::TEqualizerAction;
using lc::tools::ToolEnvironment;

TfrmEqualizer* frmEqualizer = nullptr;

namespace {

lc::tools::TEqualizerTexts TextsOf(const lc::settings::TextTable& T) {
  return {Utf8ToWide(T.TextHints[0]), Utf8ToWide(T.TextCaptions[11]),
          Utf8ToWide(T.TextCaptions[12]), Utf8ToWide(T.TextMessages[50])};
}

}  // namespace

TfrmEqualizer::TfrmEqualizer(lc::tools::TEqualizerAudio& Audio)
    : TToolWindow(L"TfrmEqualizer", L"Equalizer"), FAudio(Audio) {
  SetCaption(L"Equalizer");
  FPanel = std::make_unique<lc::tools::TEqualizerPanel>(
      Host(), Surface(), Audio, ToolEnvironment().Player(),
      TextsOf(lc::settings::GlobalTextTable()));
  FPanel->OnAction = [this](TEqualizerAction A) { Act(A); };
  DrawTitle();
  FPanel->PaintWidgets();
}

TfrmEqualizer::~TfrmEqualizer() {
  if (frmEqualizer == this) frmEqualizer = nullptr;
}

std::wstring TfrmEqualizer::TitleText() const {
  return Utf8ToWide(lc::settings::GlobalTextTable().TextCaptions[10]);
}

std::vector<TVirtualButton*> TfrmEqualizer::HoverButtons() {
  return {&FPanel->Button(TEqualizerAction::Close), &FPanel->Button(TEqualizerAction::LoadPreset),
          &FPanel->Button(TEqualizerAction::SavePreset)};
}

void TfrmEqualizer::ApplyTexts(const lc::settings::TextTable& Table) {
  FPanel->SetTexts(TextsOf(Table));
  RedrawCaption();
}

void TfrmEqualizer::DoShow() {
  const TProgramWindows& E = ToolEnvironment().Windows();
  if (!E.SkipFormPlacement()) {
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    const TRect Area = E.MonitorsDiffer() ? Screen.DesktopRect() : Screen.WorkAreaRect();
    const TPoint At = lc::tools::KeepInside(BoundsRect(), Area);
    SetBounds(At.X, At.Y, Width(), Height());
    const TVirtualTrackBar& S = FPanel->PreampSlider();
    SnapPointerTo(*this, (S.ThumbCell().Left + S.ThumbCell().Right) / 2, S.ThumbPos());
  }
  TToolWindow::DoShow();
}

void TfrmEqualizer::Act(TEqualizerAction Action) {
  if (Action == TEqualizerAction::Close) {
    Close();
    return;
  }
  FPanel->Button(Action).MouseLeave();
  RunPresetDialog(Action == TEqualizerAction::LoadPreset ? TfrmLoadSavePreset::TMode::Load
                                                         : TfrmLoadSavePreset::TMode::Save,
                  lc::Program().Names.DataFolder + "Presets.EQ", *this, *FPanel, FAudio);
}

// While the window is moved it snaps to the main, video and playlist windows.
void TfrmEqualizer::WMWindowPosChanging(TMessage& Message) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!FMoving || (Pos->flags & SWP_NOMOVE)) return;
  const TProgramWindows& E = ToolEnvironment().Windows();
  const std::array<TForm*, 3> Targets = {&E.MainWindow(), E.VideoWindow(), E.PlaylistWindow()};
  SnapWindow(*this, Message, Targets, E.VideoFullScreen());
}

void TfrmEqualizer::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ENTERSIZEMOVE:
      FMoving = true;
      break;
    case WM_EXITSIZEMOVE:
      FMoving = false;
      break;
    case WM_WINDOWPOSCHANGING:
      WMWindowPosChanging(Message);
      break;
  }
  TToolWindow::WndProc(Message);
}
