#include "tools/color_control_window.h"

#include <algorithm>

#include <windows.h>
#include <shellapi.h>

#include "framework/application.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "settings/win/settings_win.h"
#include "tools/tool_environment.h"
#include "tools/tool_placement.h"

using lc::settings::Utf8ToWide;
using lc::tools::ToolEnvironment;

TfrmColorControl* frmColorControl = nullptr;

namespace {

constexpr TColor TitleColor = 0x999999;
constexpr TColor LabelColor = 0x166116;  // RGB(22, 97, 22)

lc::tools::TColorTexts TextsOf(const lc::settings::TextTable& T) {
  return {Utf8ToWide(T.TextButtons[10]), Utf8ToWide(T.TextButtons[11]),
          {Utf8ToWide(T.TextLabels[2]), Utf8ToWide(T.TextLabels[3]), Utf8ToWide(T.TextLabels[4]),
           Utf8ToWide(T.TextLabels[5])}};
}

// The user's decimal separator.
wchar_t DecimalSeparator() {
  wchar_t Text[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Text, 8) > 1 ? Text[0] : L'.';
}

}  // namespace

TfrmColorControl::TfrmColorControl()
    : TSkinForm(L"TfrmColorControl", L"ColorControl", true), FSurface(Host()) {
  SetCaption(L"Color Control");
  DragAcceptFiles(Handle(), TRUE);
  FTitleFont.SetName(L"Verdana");
  FTitleFont.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  FTitleFont.SetColor(TitleColor);
  Font.SetName(L"MS Sans Serif");
  Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  Font.SetColor(LabelColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  FPanel = std::make_unique<lc::tools::TColorPanel>(Host(), FSurface, *E.Playback, *E.Player,
                                                    TextsOf(lc::settings::GlobalTextTable()),
                                                    DecimalSeparator());
  FPanel->OnClose = [this] { Close(); };
  DrawTitle();
  FPanel->PaintWidgets();
  lc::settings::RegisterTextTarget(this);
}

TfrmColorControl::~TfrmColorControl() {
  lc::settings::UnregisterTextTarget(this);
  if (frmColorControl == this) frmColorControl = nullptr;
}

// ---- the face ----------------------------------------------------------------------

void TfrmColorControl::DrawTitle() {
  TCanvas& Buffer = Host().BackBuffer()->Canvas();
  Buffer.Brush.Style = TBrushStyle::bsClear;
  Buffer.Font.Assign(FTitleFont);
  Buffer.TextOut(5, 5, Utf8ToWide(lc::settings::GlobalTextTable().TextCaptions[2]));
  Buffer.Font.Assign(Font);
}

void TfrmColorControl::RedrawCaption() {
  const TRect Title{0, 0, Width() * 3 / 4, 24};
  Host().BackBuffer()->Canvas().CopyRect(Title, Host().Skin().Canvas(), Title);
  DrawTitle();
  Invalidate();
}

void TfrmColorControl::ApplyTexts(const lc::settings::TextTable& Table) {
  const lc::tools::TColorTexts Texts = TextsOf(Table);
  Canvas().Font.Assign(Font);
  int Widest = 0;
  for (const std::wstring& Name : Texts.Names) Widest = std::max(Widest, Canvas().TextWidth(Name));
  FPanel->SetTexts(Texts, Widest);
  RedrawCaption();
}

// ---- showing and closing -------------------------------------------------------------

void TfrmColorControl::Place() {
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  lc::tools::TColorPlacementInput In;
  In.Width = Width();
  In.Height = Height();
  TForm* Video = lc::tools::EnvForm(E.VideoWindow);
  In.VideoShowing = Video && Video->Showing();
  In.VideoFullScreen = lc::tools::EnvFlag(E.VideoFullScreen);
  if (In.VideoShowing) {
    In.Video = Video->BoundsRect();
    In.VideoWorkArea = GetWindowMonitor(Video->Handle()).WorkareaRect;
  }
  In.VideoMonitor = E.VideoMonitor ? E.VideoMonitor() : Bounds(0, 0, Screen.Width(), Screen.Height());
  if (TForm* Main = lc::tools::EnvForm(E.MainWindow)) {
    In.Main = Main->BoundsRect();
    In.MainMonitor = GetWindowMonitor(Main->Handle()).BoundsRect;
  } else {
    In.Main = Bounds(Screen.Width() / 2, Screen.Height() / 2, 0, 0);
    In.MainMonitor = Bounds(0, 0, Screen.Width(), Screen.Height());
  }
  In.WorkArea = Screen.WorkAreaRect();
  In.ScreenWidth = Screen.Width();
  In.ScreenHeight = Screen.Height();
  In.MonitorsDiffer = lc::tools::EnvFlag(E.MonitorsDiffer);
  const TPoint At = lc::tools::PlaceColorControl(In);
  SetBounds(At.X, At.Y, Width(), Height());
}

void TfrmColorControl::DoShow() {
  const lc::tools::TToolEnvironment& E = ToolEnvironment();
  if (!lc::tools::EnvFlag(E.SkipFormPlacement)) {
    if (E.ColorsShown) E.ColorsShown();
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    Place();
    BOOL Snap = FALSE;
    if (SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &Snap, 0) && Snap) {
      const TPoint Origin = ClientToScreen({0, 0});
      SetCursorPos(Origin.X + FPanel->Slider(lc::tools::csBrightness).ThumbPos(), Origin.Y + 38);
    }
  }
  TSkinForm::DoShow();
}

void TfrmColorControl::DropHover() {
  FPanel->CloseButton().MouseLeave();
  FPanel->DefaultButton().MouseLeave();
  Screen.SetCursor(crDefault);
  Hint.clear();
}

void TfrmColorControl::DoClose(TCloseAction& Action) {
  DropHover();
  TSkinForm::DoClose(Action);
}

void TfrmColorControl::MouseLeave() {
  TSkinForm::MouseLeave();
  DropHover();
}

// ---- input -------------------------------------------------------------------------------

void TfrmColorControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  Application.ProcessMessages();
  Application.CancelHint();
}

void TfrmColorControl::KeyDown(WORD& Key, TShiftState Shift) {
  int K = Key;
  FPanel->AllKeyDown(K, Shift);
  Key = static_cast<WORD>(K);
  TSkinForm::KeyDown(Key, Shift);
}

void TfrmColorControl::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEWHEEL:
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
