#include "kit/skin_host.h"

#include "framework/application.h"
#include "kit/skin_image.h"
#include "kit/window_drag.h"

// ---- TSkinHost -------------------------------------------------------------

TSkinHost::TSkinHost(TWinControl& Window) : FWindow(Window) {}

void TSkinHost::LoadSkin(const std::wstring& Name) { LoadSkinImage(Name, FSkin); }

void TSkinHost::CreateBackBuffer() {
  FBackBuffer = std::make_unique<TBitmap>();
  FBackBuffer->Assign(FSkin);
  FBackBuffer->Canvas().Brush.Style = TBrushStyle::bsClear;
  FBackBuffer->Canvas().Font.Assign(FWindow.Font);
}

void TSkinHost::Draw(const TRect& Dest, TCanvas& Source, const TRect& SourceRect) {
  DrawOnWindow(Dest, Source, SourceRect);
  if (FBackBuffer) FBackBuffer->Canvas().CopyRect(Dest, Source, SourceRect);
}

void TSkinHost::DrawOnWindow(const TRect& Dest, TCanvas& Source,
                             const TRect& SourceRect) {
  if (FWindow.HandleAllocated()) FWindow.Canvas().CopyRect(Dest, Source, SourceRect);
}

void TSkinHost::RestoreSkin(const TRect& Rect) {
  Draw(Rect, FSkin.Canvas(), Rect);
}

bool TSkinHost::EraseBackground() {
  TBitmap& Face = FBackBuffer ? *FBackBuffer : FSkin;
  TRect Clip = FWindow.Canvas().ClipRect();
  FWindow.Canvas().CopyRect(Clip, Face.Canvas(), Clip);
  return true;
}

void TSkinHost::SetHintText(const std::wstring& Text) { FWindow.Hint = Text; }

void TSkinHost::CancelHint() { Application.CancelHint(); }

void TSkinHost::SetCursor(TWidgetCursor Cursor) {
  switch (Cursor) {
    case TWidgetCursor::Default: Screen.SetCursor(crDefault); break;
    case TWidgetCursor::HandPoint: Screen.SetCursor(crHandPoint); break;
    case TWidgetCursor::HandPress: Screen.SetCursor(crHandPress); break;
  }
}

// ---- TSkinForm -------------------------------------------------------------

TSkinForm::TSkinForm(const std::wstring& ClassName, const std::wstring& SkinName,
                     bool WithBackBuffer, TDoubleClick DoubleClick)
    : TForm(ClassName, SkinImageSize(SkinName)), FHost(*this), FDoubleClick(DoubleClick) {
  FHost.LoadSkin(SkinName);
  if (WithBackBuffer) FHost.CreateBackBuffer();
  SetClientSize(FHost.Skin().Width(), FHost.Skin().Height());
  ShowHint = true;
}

void TSkinForm::Paint() {
  // Without a back buffer the face and every widget are painted anew; with
  // one, the erase already copied it.
  if (!FHost.BackBuffer()) {
    Canvas().CopyRect(ClientRect(), FHost.Skin().Canvas(), ClientRect());
    for (TWidget* W : FHost.Widgets()) W->Paint();
  }
  TForm::Paint();
}

void TSkinForm::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseDown(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  if ((Shift & ssDouble) && FDoubleClick == TDoubleClick::ActionsOnly) return;
  if (!FHost.MouseDown(X, Y)) StartWindowDrag(*this);
}

void TSkinForm::MouseMove(TShiftState Shift, int X, int Y) {
  TForm::MouseMove(Shift, X, Y);
  FHost.MouseMove(X, Y, (Shift & ssLeft) != 0);
}

void TSkinForm::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TForm::MouseUp(Button, Shift, X, Y);
  if (Button == TMouseButton::mbLeft) FHost.MouseUp(X, Y);
}

void TSkinForm::DblClick(int X, int Y) {
  TForm::DblClick(X, Y);
  FHost.DoubleClick(X, Y);
}

void TSkinForm::MouseLeave() {
  TForm::MouseLeave();
  FHost.MouseLeave();
}

bool TSkinForm::EraseBackground() { return FHost.EraseBackground(); }

void TSkinForm::WndProc(TMessage& M) {
  switch (M.Msg) {
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      bool Outer = FReleasing;
      FReleasing = true;
      TForm::WndProc(M);
      FReleasing = Outer;
      return;
    }
    case WM_CAPTURECHANGED:
      if (!FReleasing && reinterpret_cast<HWND>(M.LParam) != Handle()) FHost.CaptureLost();
      break;
    default:
      break;
  }
  TForm::WndProc(M);
}
