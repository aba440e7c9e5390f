#include "kit/skin_widget.h"

#include "framework/application.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"

void SetCaptionFont(TCanvas& Canvas) {
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Canvas.Font.SetName(L"MS Sans Serif");
  Canvas.Font.SetStyle(fsBold);
  Canvas.Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
}

namespace {

// Loads caption image Image into Bitmap, drawn out to Width when that is
// wider (its middle column repeated, its rounded ends kept).
void LoadCaptionImage(TBitmap& Bitmap, int Image, int Width) {
  LoadSkinImage(CaptionImageName(Image), Bitmap);
  WidenSkinImage(Bitmap, Width, Bitmap.Width() / 2);
}

// Width is the image's width (CaptionWidthForText and the like).
int DrawCaption(TBitmap& Bitmap, const std::wstring& Caption, int Image, int Width) {
  LoadCaptionImage(Bitmap, Image, Width);
  TCanvas& C = Bitmap.Canvas();
  SetCaptionFont(C);
  TSize Text = C.TextExtent(Caption);
  for (const TCaptionPass& P :
       CaptionPasses(Bitmap.Width(), Bitmap.Height(), Text.cx, Text.cy)) {
    C.Font.SetColor(P.Color);
    C.TextOut(P.X, P.Y, Caption);
  }
  return Bitmap.Width();
}

}  // namespace

namespace {

int CaptionTextWidth(TBitmap& Bitmap, const std::wstring& Caption) {
  if (Bitmap.Empty()) Bitmap.SetSize(1, 1);  // a context to measure with
  SetCaptionFont(Bitmap.Canvas());
  return Bitmap.Canvas().TextWidth(Caption);
}

}  // namespace

int RenderCaptionImage(TBitmap& Bitmap, const std::wstring& Caption) {
  const int TextWidth = CaptionTextWidth(Bitmap, Caption);
  return DrawCaption(Bitmap, Caption, CaptionImageForText(TextWidth), CaptionWidthForText(TextWidth));
}

int RenderCaptionImageForWidth(TBitmap& Bitmap, const std::wstring& Caption,
                               int Width) {
  const int TextWidth = CaptionTextWidth(Bitmap, Caption);
  return DrawCaption(Bitmap, Caption, CaptionImageForWidth(Width), CaptionWidthForRequest(Width, TextWidth));
}
