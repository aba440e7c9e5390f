// A list of equally sized small images (menu and button icons) kept side
// by side in one bitmap strip, drawn with a key colour left out.
#pragma once

#include "framework/component.h"
#include "framework/graphics.h"

class TImageList : public TComponent {
 public:
  TImageList(int Width, int Height);

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  int Count() const { return FCount; }
  // Appends Strip cut into images of Width x Height (left to right; a
  // partial image at the right end is dropped); returns the index of the
  // first one added, or -1 when Strip holds none.
  int Add(TBitmap& Strip);
  // Draws image Index with its top-left at (X, Y); a disabled image is
  // drawn in light grey tones. An index outside the list draws nothing.
  void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true);

 private:
  int FWidth;
  int FHeight;
  int FCount = 0;
  // Pixels of this colour are not drawn: the lower-left pixel of the first
  // strip added, as image strips usually have it.
  TColor FKey = clNone;
  TBitmap FStrip;
};
