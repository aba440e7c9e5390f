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

int DrawCaption(TBitmap& Bitmap, const std::wstring& Caption, int Image) {
  LoadSkinImage(CaptionImageName(Image), Bitmap);
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

int RenderCaptionImage(TBitmap& Bitmap, const std::wstring& Caption) {
  if (Bitmap.Empty()) Bitmap.SetSize(1, 1);  // a context to measure with
  SetCaptionFont(Bitmap.Canvas());
  int TextWidth = Bitmap.Canvas().TextWidth(Caption);
  return DrawCaption(Bitmap, Caption, CaptionImageForText(TextWidth));
}

int RenderCaptionImageForWidth(TBitmap& Bitmap, const std::wstring& Caption,
                               int Width) {
  return DrawCaption(Bitmap, Caption, CaptionImageForWidth(Width));
}
