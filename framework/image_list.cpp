#include "framework/image_list.h"

#include <cstdint>

TImageList::TImageList(int Width, int Height) : FWidth(Width), FHeight(Height) {}

int TImageList::Add(TBitmap& Strip) {
  if (FWidth <= 0 || FHeight <= 0 || Strip.Height() < FHeight) return -1;
  int Added = Strip.Width() / FWidth;
  if (Added == 0) return -1;
  if (FKey == clNone) FKey = Strip.Canvas().Pixel(0, Strip.Height() - 1);
  int First = FCount;
  FStrip.SetSize((FCount + Added) * FWidth, FHeight);
  FStrip.Canvas().CopyRect(Bounds(First * FWidth, 0, Added * FWidth, FHeight), Strip.Canvas(),
                           Bounds(0, 0, Added * FWidth, FHeight));
  FCount += Added;
  return First;
}

void TImageList::Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled) {
  if (Index < 0 || Index >= FCount) return;
  TRect Source = Bounds(Index * FWidth, 0, FWidth, FHeight);
  if (Enabled) {
    Canvas.CopyRectTransparent(Bounds(X, Y, FWidth, FHeight), FStrip.Canvas(), Source, FKey);
    return;
  }
  // Grey tones lifted two thirds of the way towards white; the key colour
  // stays the key.
  TBitmap Grey(FWidth, FHeight);
  Grey.Canvas().CopyRect(Bounds(0, 0, FWidth, FHeight), FStrip.Canvas(), Source);
  const int KeyB = ColorB(FKey), KeyG = ColorG(FKey), KeyR = ColorR(FKey);
  for (int Row = 0; Row < FHeight; ++Row) {
    std::uint8_t* P = Grey.ScanLine(Row);
    for (int Col = 0; Col < FWidth; ++Col, P += 3) {
      if (P[0] == KeyB && P[1] == KeyG && P[2] == KeyR) continue;
      int Luma = (P[0] * 29 + P[1] * 150 + P[2] * 77) >> 8;
      auto Lifted = static_cast<std::uint8_t>((Luma + 2 * 255) / 3);
      if (Lifted == KeyB && Lifted == KeyG && Lifted == KeyR) --Lifted;
      P[0] = P[1] = P[2] = Lifted;
    }
  }
  Canvas.CopyRectTransparent(Bounds(X, Y, FWidth, FHeight), Grey.Canvas(),
                             Bounds(0, 0, FWidth, FHeight), FKey);
}
