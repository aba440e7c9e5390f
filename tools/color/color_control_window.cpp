#include "tools/color/color_control_window.h"

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/pointer_snap.h"
#include "kit/window_drag.h"
#include "tools/tool_environment.h"
#include "tools/tool_placement.h"

using lc::tools::ToolEnvironment;

TfrmColorControl* frmColorControl = nullptr;

namespace {

// The smallest size, in points, the names are drawn in (9 pixels high at
// 96 dots per inch).
constexpr int kSmallestNameSize = 7;

lc::tools::TColorTexts TextsOf(const lc::settings::TextTable& T) {
  return {Utf8ToWide(T.TextButtons[10]), Utf8ToWide(T.TextButtons[11]),
          {Utf8ToWide(T.TextLabels[2]), Utf8ToWide(T.TextLabels[3]), Utf8ToWide(T.TextLabels[4]),
           Utf8ToWide(T.TextLabels[5])}};
}

}  // namespace

TfrmColorControl::TfrmColorControl() : TToolWindow(L"TfrmColorControl", L"ColorControl") {
  SetCaption(L"Color Control");
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  FPanel = std::make_unique<lc::tools::TColorPanel>(Host(), Surface(), E.Playback(), E.Player(),
                                                    TextsOf(lc::settings::GlobalTextTable()),
                                                    lc::tools::DecimalSeparator());
  FPanel->OnClose = [this] { Close(); };
  DrawTitle();
  FPanel->PaintWidgets();
}

TfrmColorControl::~TfrmColorControl() {
  if (frmColorControl == this) frmColorControl = nullptr;
}

std::wstring TfrmColorControl::TitleText() const {
  return Utf8ToWide(lc::settings::GlobalTextTable().TextCaptions[2]);
}

std::vector<TVirtualButton*> TfrmColorControl::HoverButtons() {
  return {&FPanel->CloseButton(), &FPanel->DefaultButton()};
}

void TfrmColorControl::ApplyTexts(const lc::settings::TextTable& Table) {
  const lc::tools::TColorTexts Texts = TextsOf(Table);
  // The names in the window's font, or as much smaller (down to a readable
  // floor) as their column needs.
  Canvas().Font.Assign(Font);
  const int Own = Font.Size();
  int Size = Own;
  int Widest = 0;
  for (;; --Size) {
    Canvas().Font.SetSize(Size);
    Widest = 0;
    for (const std::wstring& Name : Texts.Names) Widest = std::max(Widest, Canvas().TextWidth(Name));
    if (Widest <= lc::tools::TColorPanel::kNameRoom || Size <= kSmallestNameSize) break;
  }
  Canvas().Font.Assign(Font);
  FPanel->SetTexts(Texts, Widest, Size == Own ? 0 : Size);
  RedrawCaption();
}

// ---- showing and closing -------------------------------------------------------------

void TfrmColorControl::Place() {
  const TProgramWindows& E = ToolEnvironment().Windows();
  lc::tools::TColorPlacementInput In;
  In.Width = Width();
  In.Height = Height();
  TForm* Video = E.VideoWindow();
  In.VideoShowing = Video && Video->Showing();
  In.VideoFullScreen = E.VideoFullScreen();
  if (In.VideoShowing) {
    In.Video = Video->BoundsRect();
    In.VideoWorkArea = GetWindowMonitor(Video->Handle()).WorkareaRect;
  }
  In.VideoMonitor = E.VideoMonitor();
  In.Main = E.MainWindow().BoundsRect();
  In.MainMonitor = GetWindowMonitor(E.MainWindow().Handle()).BoundsRect;
  In.WorkArea = Screen.WorkAreaRect();
  In.ScreenWidth = Screen.Width();
  In.ScreenHeight = Screen.Height();
  In.MonitorsDiffer = E.MonitorsDiffer();
  const TPoint At = lc::tools::PlaceColorControl(In);
  SetBounds(At.X, At.Y, Width(), Height());
}

void TfrmColorControl::DoShow() {
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  if (!E.Windows().SkipFormPlacement()) {
    E.ColorsShown();
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    Place();
    SnapPointerTo(*this, FPanel->Slider(lc::tools::csBrightness).ThumbPos(), 38);
  }
  TToolWindow::DoShow();
}
