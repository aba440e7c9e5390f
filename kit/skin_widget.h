#pragma once

#include <string>

#include "framework/graphics.h"

// Caption images of the skinned widgets: the caption drawn into the four
// frames of one of the images "ButtonText1" .. "ButtonText5" (normal,
// pressed one pixel lower, disabled in grey, hover). GUI thread.

// Sets the caption font on Canvas: bold "MS Sans Serif" at the size for the
// screen's pixels per inch, clear brush.
void SetCaptionFont(TCanvas& Canvas);

// Loads into Bitmap the caption image that fits Caption (measured in the
// caption font; a caption too wide for the widest image draws that image
// out, CaptionWidthForText) and writes the caption into its four frames.
// Returns the image's width.
int RenderCaptionImage(TBitmap& Bitmap, const std::wstring& Caption);

// The same with the image chosen by a requested width: the smallest image
// at least Width wide, drawn out beyond the widest, and never too narrow
// for the caption (CaptionWidthForRequest). Returns the image's width.
int RenderCaptionImageForWidth(TBitmap& Bitmap, const std::wstring& Caption,
                               int Width);
