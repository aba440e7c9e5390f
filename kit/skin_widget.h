#pragma once

#include <string>

#include "framework/graphics.h"
#include "kit/skin_host.h"
#include "kit/widget.h"

// A widget that shows frames of its own skin strip through its window's
// host: the plain four-frame button (frame 0 normal, 1 pressed, 2 disabled,
// 3 hover) of the standard rules. Variants override FrameSource (which part
// of the strip shows now) and the mouse rules where theirs differ.
class TSkinWidget : public TWidget {
 public:
  // Loads SkinName into the widget's bitmap (an empty name loads nothing).
  TSkinWidget(TSkinHost& Host, const TRect& Rect, std::wstring Hint,
              const std::wstring& SkinName);

  // Copies the current frame to the rectangle on the window canvas and,
  // where the window has one, the back buffer.
  void Paint() override;

  TBitmap& Bitmap() { return FBitmap; }

 protected:
  // The part of the bitmap that shows now: by default the StandardFrame of
  // a vertical strip of four.
  virtual TRect FrameSource() const;

  TSkinHost& FSkinHost;
  TBitmap FBitmap;
};

// Caption images: the caption drawn into the four frames of one of the
// images "ButtonText1" .. "ButtonText5".

// Sets the caption font on Canvas: bold "MS Sans Serif" at the size for the
// screen's pixels per inch, clear brush.
void SetCaptionFont(TCanvas& Canvas);

// Loads into Bitmap the caption image that fits Caption (measured in the
// caption font) and writes the caption into its four frames. Returns the
// image's width.
int RenderCaptionImage(TBitmap& Bitmap, const std::wstring& Caption);

// The same with the image chosen by a requested width: the smallest image
// at least Width wide (capped at the widest). Returns the image's width.
int RenderCaptionImageForWidth(TBitmap& Bitmap, const std::wstring& Caption,
                               int Width);
