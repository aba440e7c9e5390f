#pragma once

#include <memory>
#include <string>

#include "framework/graphics.h"
#include "kit/skin_host.h"
#include "kit/widget_surface.h"

// A skin image held in a bitmap of its own.
class TBitmapImage : public TSkinImage {
 public:
  int Width() const override { return Bitmap.Width(); }
  int Height() const override { return Bitmap.Height(); }
  TBitmap Bitmap;
};

// The widgets' drawing surface of one skinned window: copies go to the
// window canvas and, where the window keeps one, its back buffer (through
// the window's host); the face is restored from the host's skin image;
// texts are written in the window's font. GUI thread.
class TSkinSurface : public TWidgetSurface {
 public:
  explicit TSkinSurface(TSkinHost& Host);

  std::unique_ptr<TSkinImage> LoadImage(const std::wstring& Name) override;
  std::unique_ptr<TSkinImage> CaptionImage(const std::wstring& Caption, int Width) override;
  std::unique_ptr<TSkinImage> TextImage(const std::wstring& Text,
                                        const TTextLook& Look) override;
  void Copy(const TSkinImage& Image, const TRect& Source, const TRect& Dest,
            TPaintTargets Targets) override;
  void RestoreSkin(const TRect& Rect, TPaintTargets Targets) override;
  void TextOut(int X, int Y, const std::wstring& Text, const TTextLook& Look,
               TPaintTargets Targets) override;
  TSize TextExtent(const std::wstring& Text, const TTextLook& Look) override;

 private:
  // Sets Canvas's font to the window's with Look applied, and a clear brush.
  void ApplyLook(TCanvas& Canvas, const TTextLook& Look);
  void CopyFrom(TCanvas& Source, const TRect& SourceRect, const TRect& Dest,
                TPaintTargets Targets);

  TSkinHost& FHost;
  TBitmap FMeasure{1, 1};  // a context to measure text with
};
