#include "tools/tool_dialog.h"

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/pointer_snap.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "settings/text_table.h"
#include "tools/tool_environment.h"

namespace {

constexpr TColor TitleColor = 0x999999;

}  // namespace

void PlaceCaptionButtons(TVirtualButton& Ok, TVirtualButton& Cancel, int W, int Top, int Bottom,
                         int MiddleWidth) {
  const int Width = std::max(Ok.ImageWidth(), Cancel.ImageWidth());
  Ok.SetWidth(Width);
  Cancel.SetWidth(Width);
  const int Gap = MiddleWidth ? RoundHalfEven((W - 2 * Width - MiddleWidth) / 4.0)
                              : RoundHalfEven((W - 2 * Width) / 3.0);
  Ok.SetRect({Gap, Top, Gap + Width, Bottom});
  Cancel.SetRect({W - Gap - Width, Top, W - Gap, Bottom});
}

TToolDialog::TToolDialog(const std::wstring& ClassName, const std::wstring& SkinName, bool WithBackBuffer)
    : TSkinForm(ClassName, SkinName, WithBackBuffer), FSurface(Host()) {
  lc::tools::ToolEnvironment();  // made only in a connected program: throws otherwise
  SetColor(clBlack);
  Font.SetName(L"Verdana");
  Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  Font.SetColor(TitleColor);
  ShowHint = true;
  Canvas().Brush.Style = TBrushStyle::bsClear;
}

void TToolDialog::SetTitle(const std::wstring& Title) {
  FTitle = Title;
  SetCaption(Title);
}

TVirtualButton& TToolDialog::AddButton(const TRect& Rect, const std::wstring& Caption, const std::wstring& Hint,
                                       const std::wstring& SkinName, TButtonVariant Variant) {
  const TPaintTargets Targets = Host().BackBuffer() ? ptBoth : ptWindow;
  FButtons.push_back(std::make_unique<TVirtualButton>(Host(), FSurface, Rect, Caption, Hint, SkinName,
                                                      TButtonOptions{Variant, Targets}));
  return *FButtons.back();
}

TVirtualButton& TToolDialog::AddCloseBox(int Left, const std::wstring& SkinName) {
  const std::wstring Hint = Utf8ToWide(lc::settings::GlobalTextTable().TextHints[0]);
  return AddButton({Left, 7, Left + 9, 16}, L"", Hint, SkinName, TButtonVariant::Standard);
}

void TToolDialog::DrawTitle(TCanvas& Target) {
  Target.Font.Assign(Font);
  Target.Brush.Style = TBrushStyle::bsClear;
  Target.TextOut(5, 5, FTitle);
}

lc::tools::TDialogPlacementInput TToolDialog::PlacementInput() {
  using namespace lc::tools;
  const TProgramWindows& E = ToolEnvironment().Windows();
  TDialogPlacementInput In;
  In.Width = ClientWidth();
  In.Height = ClientHeight();
  In.ScreenWidth = Screen.Width();
  In.ScreenHeight = Screen.Height();
  In.WorkArea = Screen.WorkAreaRect();
  In.MonitorsDiffer = E.MonitorsDiffer();
  In.VideoMonitor = E.VideoMonitor();
  In.MainMonitor = In.VideoMonitor;
  In.VideoWorkArea = In.WorkArea;
  TForm& Main = E.MainWindow();
  In.Main = Main.BoundsRect();
  In.VideoFullScreen = E.VideoFullScreen();
  In.OnFullScreenVideo = In.VideoFullScreen && Main.Tag == 1;
  if (In.MonitorsDiffer) In.MainMonitor = GetWindowMonitor(Main.Handle()).BoundsRect;
  if (TForm* Video = E.VideoWindow()) {
    In.Video = Video->BoundsRect();
    if (In.MonitorsDiffer) In.VideoWorkArea = GetWindowMonitor(Video->Handle()).WorkareaRect;
  }
  return In;
}

bool TToolDialog::FixAndPlace(TPlacement Placement) {
  if (lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) return false;
  const int W = Host().Skin().Width();
  const int H = Host().Skin().Height();
  Constraints = {W, H, W, H};
  SetBounds(Left(), Top(), W, H);
  if (Placement == TPlacement::None) return true;
  const lc::tools::TDialogPlacementInput In = PlacementInput();
  if (Placement == TPlacement::BelowVideo) RecordVideoMonitor(In);
  const TPoint At =
      Placement == TPlacement::BetweenMain ? lc::tools::PlaceBetweenMain(In) : lc::tools::PlaceBelowVideo(In);
  SetBounds(At.X, At.Y, W, H);
  return true;
}

// Placed by the video window while the monitors differ, the dialog first
// makes the video window's monitor the one the player works on.
void TToolDialog::RecordVideoMonitor(const lc::tools::TDialogPlacementInput& In) {
  const lc::tools::TToolEnvironment& E = lc::tools::ToolEnvironment();
  if (In.VideoFullScreen || !In.MonitorsDiffer) return;
  if (TForm* Video = E.Windows().VideoWindow()) E.SetVideoMonitor(GetWindowMonitor(Video->Handle()));
}

void TToolDialog::SnapPointerTo(int X, int Y) { ::SnapPointerTo(*this, X, Y); }

void TToolDialog::Paint() {
  TSkinForm::Paint();
  DrawTitle(Canvas());
}

void TToolDialog::DropHover() {
  for (auto& B : FButtons) B->MouseLeave();
  Screen.SetCursor(crDefault);
  Hint.clear();
}

void TToolDialog::DoClose(TCloseAction& Action) {
  DropHover();
  TSkinForm::DoClose(Action);
}

void TToolDialog::MouseLeave() {
  TSkinForm::MouseLeave();
  DropHover();
}

void TToolDialog::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  Application.ProcessMessages();
  Application.CancelHint();
}
