#include "kit/skin_surface.h"

#include "kit/skin_image.h"
#include "kit/skin_widget.h"

TSkinSurface::TSkinSurface(TSkinHost& Host) : FHost(Host) {}

std::unique_ptr<TSkinImage> TSkinSurface::LoadImage(const std::wstring& Name) {
  auto Image = std::make_unique<TBitmapImage>();
  LoadSkinImage(Name, Image->Bitmap);
  return Image;
}

std::unique_ptr<TSkinImage> TSkinSurface::CaptionImage(const std::wstring& Caption,
                                                       int Width) {
  auto Image = std::make_unique<TBitmapImage>();
  if (Width > 0)
    RenderCaptionImageForWidth(Image->Bitmap, Caption, Width);
  else
    RenderCaptionImage(Image->Bitmap, Caption);
  return Image;
}

std::unique_ptr<TSkinImage> TSkinSurface::TextImage(const std::wstring& Text,
                                                    const TTextLook& Look) {
  TSize Extent = TextExtent(Text, Look);
  auto Image = std::make_unique<TBitmapImage>();
  Image->Bitmap.SetSize(std::max(Extent.cx, 1), std::max(Extent.cy, 1));  // black
  ApplyLook(Image->Bitmap.Canvas(), Look);
  Image->Bitmap.Canvas().TextOut(0, 0, Text);
  return Image;
}

void TSkinSurface::ApplyLook(TCanvas& Canvas, const TTextLook& Look) {
  Canvas.Font.Assign(FHost.Window().Font);
  if (Look.Size > 0) Canvas.Font.SetSize(Look.Size);
  if (Look.Color != clNone) Canvas.Font.SetColor(Look.Color);
  Canvas.Brush.Style = TBrushStyle::bsClear;
}

void TSkinSurface::CopyFrom(TCanvas& Source, const TRect& SourceRect, const TRect& Dest,
                            TPaintTargets Targets) {
  if (SourceRect.IsEmpty() || Dest.IsEmpty()) return;
  if (Targets & ptWindow) FHost.DrawOnWindow(Dest, Source, SourceRect);
  if ((Targets & ptBackBuffer) && FHost.BackBuffer())
    FHost.BackBuffer()->Canvas().CopyRect(Dest, Source, SourceRect);
}

void TSkinSurface::Copy(const TSkinImage& Image, const TRect& Source, const TRect& Dest,
                        TPaintTargets Targets) {
  // Images of this surface are bitmaps; drawing from one does not change it.
  auto& Bitmap = const_cast<TBitmapImage&>(static_cast<const TBitmapImage&>(Image)).Bitmap;
  CopyFrom(Bitmap.Canvas(), Source, Dest, Targets);
}

void TSkinSurface::RestoreSkin(const TRect& Rect, TPaintTargets Targets) {
  CopyFrom(FHost.Skin().Canvas(), Rect, Rect, Targets);
}

void TSkinSurface::TextOut(int X, int Y, const std::wstring& Text, const TTextLook& Look,
                           TPaintTargets Targets) {
  if ((Targets & ptWindow) && FHost.Window().HandleAllocated()) {
    ApplyLook(FHost.Window().Canvas(), Look);
    FHost.Window().Canvas().TextOut(X, Y, Text);
  }
  if ((Targets & ptBackBuffer) && FHost.BackBuffer()) {
    ApplyLook(FHost.BackBuffer()->Canvas(), Look);
    FHost.BackBuffer()->Canvas().TextOut(X, Y, Text);
  }
}

TSize TSkinSurface::TextExtent(const std::wstring& Text, const TTextLook& Look) {
  ApplyLook(FMeasure.Canvas(), Look);
  return FMeasure.Canvas().TextExtent(Text);
}
