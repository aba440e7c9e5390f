#include "tools/tool_window.h"

#include <windows.h>
#include <shellapi.h>

#include "framework/application.h"
#include "kit/skin_strip.h"
#include "tools/tool_dialog.h"
#include "tools/tool_environment.h"

namespace {

constexpr TColor TitleColor = 0x999999;
constexpr TColor LabelColor = 0x166116;  // RGB(22, 97, 22)

}  // namespace

TToolWindow::TToolWindow(const std::wstring& ClassName, const std::wstring& SkinName)
    : TSkinForm(ClassName, SkinName, true), FSurface(Host()) {
  lc::tools::ToolEnvironment();  // made only in a connected program: throws otherwise
  DragAcceptFiles(Handle(), TRUE);
  const int Size = CaptionFontSize(Screen.PixelsPerInch());
  FTitleFont.SetName(L"Verdana");
  FTitleFont.SetSize(Size);
  FTitleFont.SetColor(TitleColor);
  // The labels are written in the window's font.
  Font.SetName(L"MS Sans Serif");
  Font.SetSize(Size);
  Font.SetColor(LabelColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  lc::settings::RegisterTextTarget(this);
}

TToolWindow::~TToolWindow() { lc::settings::UnregisterTextTarget(this); }

// ---- the title -------------------------------------------------------------------

void TToolWindow::DrawTitle() {
  TCanvas& Buffer = Host().BackBuffer()->Canvas();
  Buffer.Brush.Style = TBrushStyle::bsClear;
  Buffer.Font.Assign(FTitleFont);
  Buffer.TextOut(5, 5, TitleText());
  Buffer.Font.Assign(Font);
}

void TToolWindow::RedrawCaption() {
  const TRect Title{0, 0, Width() * 3 / 4, 24};
  Host().BackBuffer()->Canvas().CopyRect(Title, Host().Skin().Canvas(), Title);
  DrawTitle();
  Invalidate();
}

// ---- closing and the mouse ----------------------------------------------------------

void TToolWindow::DropHover() {
  for (TVirtualButton* B : HoverButtons()) B->MouseLeave();
  Screen.SetCursor(crDefault);
  Hint.clear();
}

void TToolWindow::DoClose(TCloseAction& Action) {
  DropHover();
  TSkinForm::DoClose(Action);
}

void TToolWindow::MouseLeave() {
  TSkinForm::MouseLeave();
  DropHover();
}

void TToolWindow::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  Application.ProcessMessages();
  Application.CancelHint();
}

// ---- keys, wheel and drops ------------------------------------------------------------

void TToolWindow::KeyDown(WORD& Key, TShiftState Shift) {
  int K = Key;
  FaceKeyDown(K, Shift);
  Key = static_cast<WORD>(K);
  TSkinForm::KeyDown(Key, Shift);
}

void TToolWindow::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_MOUSEWHEEL:
      // Not marked handled: the default handling follows.
      FaceWheel(GET_WHEEL_DELTA_WPARAM(Message.WParam) > 0);
      break;
    case WM_DROPFILES:
      lc::tools::ToolEnvironment().AcceptFiles(Message);
      return;
  }
  TSkinForm::WndProc(Message);
}
