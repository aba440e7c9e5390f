#pragma once

#include <memory>
#include <string>

#include "framework/types.h"

// What the skinned widgets draw with. A widget never touches a canvas
// itself: it asks its window's surface to copy parts of skin images onto the
// window (and its back buffer, where the window keeps one), to restore the
// window's face under a rectangle, and to write and measure text. The
// platform side implements it over the window's canvas and bitmaps
// (kit/skin_surface.h); tests implement it with a recording fake. GUI thread.

// A loaded image: a widget strip, a thumb, a caption image, a rendered text.
class TSkinImage {
 public:
  virtual ~TSkinImage() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};

// Where a drawing goes: the window canvas, the back buffer, or both. A
// surface without a back buffer ignores ptBackBuffer.
enum TPaintTarget : unsigned {
  ptWindow = 1u << 0,
  ptBackBuffer = 1u << 1,
  ptBoth = ptWindow | ptBackBuffer,
};
using TPaintTargets = unsigned;

// The font a text is written or measured in: the surface's own font with
// its size in points (0: the font's own size) and colour (clNone: the font's
// own colour) replaced.
struct TTextLook {
  int Size = 0;
  TColor Color = clNone;
};

class TWidgetSurface {
 public:
  virtual ~TWidgetSurface() = default;

  // The skin image Name from the program's resources (LoadSkinImage).
  virtual std::unique_ptr<TSkinImage> LoadImage(const std::wstring& Name) = 0;
  // A caption image: one of "ButtonText1".."ButtonText5" with Caption drawn
  // into its four frames. Width 0 chooses the image by the caption's width,
  // otherwise the smallest image at least Width wide.
  virtual std::unique_ptr<TSkinImage> CaptionImage(const std::wstring& Caption,
                                                   int Width) = 0;
  // Text written at (0, 0) on black, as large as the text's extent.
  virtual std::unique_ptr<TSkinImage> TextImage(const std::wstring& Text,
                                                const TTextLook& Look) = 0;

  // Copies Source of Image onto Dest, stretching when the sizes differ.
  virtual void Copy(const TSkinImage& Image, const TRect& Source, const TRect& Dest,
                    TPaintTargets Targets) = 0;
  // Restores the window's face under Rect from its skin image.
  virtual void RestoreSkin(const TRect& Rect, TPaintTargets Targets) = 0;
  // Writes Text with its top-left at (X, Y) with a clear background.
  virtual void TextOut(int X, int Y, const std::wstring& Text, const TTextLook& Look,
                       TPaintTargets Targets) = 0;
  virtual TSize TextExtent(const std::wstring& Text, const TTextLook& Look) = 0;
};
