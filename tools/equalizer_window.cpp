#include "tools/equalizer_window.h"

#include <array>

#include <windows.h>
#include <shellapi.h>

#include "framework/application.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "settings/program_state.h"
#include "settings/win/settings_win.h"
#include "tools/preset_dialog.h"
#include "tools/tool_environment.h"
#include "tools/tool_placement.h"

using lc::tools::TEqualizerAction;
using lc::tools::ToolEnvironment;

TfrmEqualizer* frmEqualizer = nullptr;

namespace {

constexpr TColor TitleColor = 0x999999;
constexpr TColor LabelColor = 0x166116;  // RGB(22, 97, 22)

lc::tools::TEqualizerTexts TextsOf(const lc::settings::TextTable& T) {
  using lc::settings::Utf8ToWide;
  return {Utf8ToWide(T.TextHints[0]), Utf8ToWide(T.TextCaptions[11]),
          Utf8ToWide(T.TextCaptions[12]), Utf8ToWide(T.TextMessages[50])};
}

}  // namespace

TfrmEqualizer::TfrmEqualizer(lc::tools::TEqualizerAudio& Audio)
    : TSkinForm(L"TfrmEqualizer", L"Equalizer", true), FAudio(Audio), FSurface(Host()) {
  SetCaption(L"Equalizer");
  DragAcceptFiles(Handle(), TRUE);
  FTitleFont.SetName(L"Verdana");
  FTitleFont.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  FTitleFont.SetColor(TitleColor);
  // The labels are written in the window's font.
  Font.SetName(L"MS Sans Serif");
  Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  Font.SetColor(LabelColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  FPanel = std::make_unique<lc::tools::TEqualizerPanel>(
      Host(), FSurface, Audio, *ToolEnvironment().Player,
      TextsOf(lc::settings::GlobalTextTable()));
  FPanel->OnAction = [this](TEqualizerAction A) { Act(A); };
  DrawTitle();
  FPanel->PaintWidgets();
  lc::settings::RegisterTextTarget(this);
}

TfrmEqualizer::~TfrmEqualizer() {
  lc::settings::UnregisterTextTarget(this);
  if (frmEqualizer == this) frmEqualizer = nullptr;
}

// ---- the face ----------------------------------------------------------------------

// The title on the back buffer in Verdana; the back buffer's font then
// returns to the labels' font.
void TfrmEqualizer::DrawTitle() {
  TCanvas& Buffer = Host().BackBuffer()->Canvas();
  Buffer.Brush.Style = TBrushStyle::bsClear;
  Buffer.Font.Assign(FTitleFont);
  Buffer.TextOut(5, 5, lc::settings::Utf8ToWide(lc::settings::GlobalTextTable().TextCaptions[10]));
  Buffer.Font.Assign(Font);
}

void TfrmEqualizer::RedrawCaption() {
  const TRect Title{0, 0, Width() * 3 / 4, 24};
  Host().BackBuffer()->Canvas().CopyRect(Title, Host().Skin().Canvas(), Title);
  DrawTitle();
  Invalidate();
}

void TfrmEqualizer::ApplyTexts(const lc::settings::TextTable& Table) {
  FPanel->SetTexts(TextsOf(Table));
  RedrawCaption();
}

// ---- showing and closing -------------------------------------------------------------

void TfrmEqualizer::DoShow() {
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  if (!lc::tools::EnvFlag(E.SkipFormPlacement)) {
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    const TRect Area = lc::tools::EnvFlag(E.MonitorsDiffer) ? Screen.DesktopRect() : Screen.WorkAreaRect();
    const TPoint At = lc::tools::KeepInside(BoundsRect(), Area);
    SetBounds(At.X, At.Y, Width(), Height());
    BOOL Snap = FALSE;
    if (SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &Snap, 0) && Snap) {
      const TVirtualTrackBar& S = FPanel->PreampSlider();
      const TPoint Origin = ClientToScreen({0, 0});
      SetCursorPos(Origin.X + S.ThumbCell().Left + S.ThumbCell().Width() / 2,
                   Origin.Y + S.ThumbPos());
    }
  }
  TSkinForm::DoShow();
}

void TfrmEqualizer::DropHover() {
  for (TEqualizerAction A : {TEqualizerAction::Close, TEqualizerAction::LoadPreset,
                             TEqualizerAction::SavePreset})
    FPanel->Button(A).MouseLeave();
  Screen.SetCursor(crDefault);
  Hint.clear();
}

void TfrmEqualizer::DoClose(TCloseAction& Action) {
  DropHover();
  TSkinForm::DoClose(Action);
}

void TfrmEqualizer::MouseLeave() {
  TSkinForm::MouseLeave();
  DropHover();
}

// ---- input -------------------------------------------------------------------------------

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

void TfrmEqualizer::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  Application.ProcessMessages();
  Application.CancelHint();
}

void TfrmEqualizer::KeyDown(WORD& Key, TShiftState Shift) {
  int K = Key;
  FPanel->AllKeyDown(K, Shift);
  Key = static_cast<WORD>(K);
  TSkinForm::KeyDown(Key, Shift);
}

void TfrmEqualizer::WMWindowPosChanging(TMessage& Message) {
  const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
  if (!FMoving || (Pos->flags & SWP_NOMOVE)) return;
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  const std::array<TForm*, 3> Targets = {lc::tools::EnvForm(E.MainWindow),
                                         lc::tools::EnvForm(E.VideoWindow),
                                         lc::tools::EnvForm(E.PlaylistWindow)};
  SnapWindow(*this, Message, Targets, lc::tools::EnvFlag(E.VideoFullScreen));
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
    case WM_MOUSEWHEEL:
      // Not marked handled: the default handling follows.
      FPanel->Wheel(GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0);
      break;
    case WM_DROPFILES:
      if (ToolEnvironment().AcceptFiles) {
        ToolEnvironment().AcceptFiles(Message);
        return;
      }
      DragFinish(reinterpret_cast<HDROP>(Message.WParam));
      return;
  }
  TSkinForm::WndProc(Message);
}
