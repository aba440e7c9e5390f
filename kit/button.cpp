#include "kit/button.h"

#include "kit/skin_strip.h"
#include "kit/widget_links.h"

TVirtualButton::TVirtualButton(TWidgetHost& Host, TWidgetSurface& Surface,
                               const TRect& Rect, const std::wstring& Caption,
                               std::wstring Hint, const std::wstring& SkinName,
                               const TButtonOptions& Options)
    : TWidget(Host, Rect, std::move(Hint)),
      FSurface(Surface),
      FOptions(Options),
      FEnabled(Options.Enabled) {
  if (!SkinName.empty()) FImage = FSurface.LoadImage(SkinName);
  FWidth = FRect.Width();
  bool WithCaption = !Caption.empty();
  switch (FOptions.Variant) {
    case TButtonVariant::CaptionGrowing:
      FCaption = Caption;
      if (WithCaption) {
        ApplyCaptionImage(FSurface.CaptionImage(Caption, 0));
        FRect.Right = FRect.Left + FWidth;
      }
      break;
    case TButtonVariant::CaptionCentred:
    case TButtonVariant::Config:
      FCaption = Caption;
      if (WithCaption) {
        int OldW = FWidth;
        ApplyCaptionImage(FSurface.CaptionImage(Caption, 0));
        FRect = RecenterOnWidth(FRect, OldW, FWidth);
      }
      break;
    default:
      break;
  }
}

void TVirtualButton::ApplyCaptionImage(std::unique_ptr<TSkinImage> Image) {
  FImage = std::move(Image);
  FWidth = FImage ? FImage->Width() : 0;
}

bool TVirtualButton::HasEnabledFlag() const {
  return FOptions.Variant == TButtonVariant::Main ||
         FOptions.Variant == TButtonVariant::Config ||
         FOptions.Variant == TButtonVariant::Playlist;
}

int TVirtualButton::Frame() const {
  if (ShownDown()) return FramePressed;
  if (Disabled()) return FrameDisabled;
  return StandardFrame();
}

void TVirtualButton::Paint() {
  if (!FImage) return;
  int W = FImage->Width(), H = FImage->Height();
  if (FOptions.Variant == TButtonVariant::Playlist) {
    // Only the hover and pressed looks exist; the normal look is the
    // playlist's title strip under the button.
    if (!FPressed && !FHover) return;
    FSurface.Copy(*FImage, SideFrame(W, H, 2, FPressed ? 1 : 0), FRect,
                  FOptions.Targets);
    return;
  }
  FSurface.Copy(*FImage, StackedFrame(W, H, Frame()), FRect, FOptions.Targets);
}

bool TVirtualButton::MouseDown(int X, int Y) {
  if (!PointInside(X, Y)) return false;
  // The configuration dialog's disabled button swallows the press: the
  // window neither drags nor clicks.
  if (Disabled()) return FOptions.Variant == TButtonVariant::Config;
  if (ShownDown()) return false;
  TakePress();
  return true;
}

bool TVirtualButton::MouseMove(int X, int Y, bool LeftDown) {
  if (FOptions.Variant == TButtonVariant::Playlist && !FEnabled) return false;
  if (OtherCaptured()) return false;
  if (!PointInside(X, Y)) {
    if (FOptions.Variant == TButtonVariant::Playlist)
      LeavePlaylist();
    else
      LeaveWidget();
    return false;
  }
  if (Disabled() || ShownDown()) {
    // Only the hint: no cursor change, no repaint.
    FHover = true;
    FHost.SetHintText(FHint);
    return false;
  }
  return TWidget::MouseMove(X, Y, LeftDown);
}

void TVirtualButton::LeavePlaylist() {
  if (FHover) {
    FHost.SetHintText(std::wstring());
    FHost.CancelHint();
    if (FOptions.Playlist) FOptions.Playlist->RepaintButtons();
    FHost.SetCursor(TWidgetCursor::Default);
    FHover = false;
  }
  FPressed = false;
}

bool TVirtualButton::MouseUp(int X, int Y) {
  if (Disabled() || !FPressed || !PointInside(X, Y)) return false;
  if (ShownDown()) return false;  // keeps FPressed
  FPressed = false;
  if (FOptions.Variant != TButtonVariant::Playlist) Paint();
  return true;
}

void TVirtualButton::SetEnabled(bool Value) {
  if (FOptions.Variant == TButtonVariant::Playlist) {
    FEnabled = Value;
    return;
  }
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!Value && FHover) FHost.SetCursor(TWidgetCursor::Default);
  Paint();
}

void TVirtualButton::SetDown(bool Value) {
  if (Value == FDown) return;
  FDown = Value;
  if (ShownDown() && FHover) FHost.SetCursor(TWidgetCursor::Default);
  Paint();
}

void TVirtualButton::SetWidth(int W) {
  std::unique_ptr<TSkinImage> Image = FSurface.CaptionImage(FCaption, W);
  const int NewW = Image->Width();
  if (NewW == FWidth) return;
  if (FOptions.Variant == TButtonVariant::Config) {
    if (NewW < FWidth && FOptions.RestoreOnShrink)
      FSurface.RestoreSkin(FRect, FOptions.Targets);
    FRect.Right += NewW - FWidth;
  }
  ApplyCaptionImage(std::move(Image));
}

void TVirtualButton::SetCaption(const std::wstring& S) {
  bool Config = FOptions.Variant == TButtonVariant::Config;
  if (Config && S == FCaption) return;
  FCaption = S;
  int OldW = Config ? FWidth : FRect.Width();
  std::unique_ptr<TSkinImage> Image = FSurface.CaptionImage(S, 0);
  int W = Image->Width();
  // The window's face comes back under the old, wider button on every
  // target the button paints on (a back buffer keeping the old edges would
  // show them again when the window is uncovered).
  if (W < OldW && (!Config || FOptions.RestoreOnShrink))
    FSurface.RestoreSkin(FRect, FOptions.Targets);
  FRect = RecenterOnWidth(FRect, OldW, W);
  ApplyCaptionImage(std::move(Image));
  Paint();
}
