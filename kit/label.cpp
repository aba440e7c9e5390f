#include "kit/label.h"

#include <algorithm>

namespace {

// The equalizer's values stand on this row.
constexpr int EqualizerTop = 27;
// Blanks after a scrolling caption before it starts again.
const std::wstring ScrollGap(10, L' ');

}  // namespace

TMarqueePieces MarqueePieces(int Offset, int Width, int BitmapWidth) {
  int O = std::max(Offset, 0);
  TMarqueePieces P;
  P.First = {O, 0, std::min(Width, BitmapWidth - O)};
  int Rest = Width - BitmapWidth + O;
  if (Rest > 0) P.Second = {0, BitmapWidth - O, Rest};
  return P;
}

int DragScrollOffset(int Offset, int LastX, int X, int BitmapWidth) {
  int O = (Offset - X + LastX) % BitmapWidth;
  return O < 0 ? O + BitmapWidth : O;
}

// ---- construction and painting ----------------------------------------------

TVirtualLabel::TVirtualLabel(TWidgetHost& Host, TWidgetSurface& Surface, int Left,
                             int Top, const std::wstring& Caption, std::wstring Hint,
                             int MaxWidth, int FontSize, bool CanDrag)
    : TWidget(Host, {}, std::move(Hint)),
      FSurface(Surface),
      FVariant(TLabelVariant::Main),
      FLeft(Left),
      FTop(Top),
      FCanDrag(CanDrag),
      FCaption(Caption),
      FMaxWidth(MaxWidth),
      FFontSize(FontSize) {
  Measure();
}

TVirtualLabel::TVirtualLabel(TWidgetHost& Host, TWidgetSurface& Surface,
                             TLabelVariant Variant, int Left, int Top,
                             const std::wstring& Caption)
    : TWidget(Host, {}),
      FSurface(Surface),
      FVariant(Variant),
      FLeft(Left),
      FTop(Variant == TLabelVariant::Equalizer ? EqualizerTop : Top),
      FCaption(Variant == TLabelVariant::Equalizer ? L"0" : Caption) {
  Measure();
}

void TVirtualLabel::Measure() {
  TSize Extent = FSurface.TextExtent(FCaption, Look());
  bool WasScrolling = FScrolling;
  FScrolling = false;
  FScrollImage.reset();
  if (FVariant == TLabelVariant::Main && FMaxWidth >= 1 && FMaxWidth < Extent.cx) {
    FWidth = FMaxWidth;
    FScrolling = true;
    FScrollOffset = -1;
    FScrollImage = FSurface.TextImage(FCaption + ScrollGap, Look());
  } else {
    FWidth = Extent.cx;
  }
  FHeight = Extent.cy;
  SyncRect();
  if (WasScrolling != FScrolling && OnScrollingChange) OnScrollingChange();
}

void TVirtualLabel::PaintMarquee() {
  int B = FScrollImage->Width(), H = FScrollImage->Height();
  TMarqueePieces P = MarqueePieces(FScrollOffset, FWidth, B);
  for (const TMarqueePiece& Piece : {P.First, P.Second}) {
    if (Piece.Width <= 0) continue;
    int X = FLeft + Piece.DestX;
    FSurface.Copy(*FScrollImage, {Piece.SourceX, 0, Piece.SourceX + Piece.Width, H},
                  {X, FTop, X + Piece.Width, FTop + H}, ptBoth);
  }
}

void TVirtualLabel::Paint() {
  switch (FVariant) {
    case TLabelVariant::Main:
      if (FScrolling) {
        PaintMarquee();
      } else {
        // The text lies over the skin with a clear brush: written again over
        // itself, its smoothed edges would darken on every hover repaint.
        FSurface.RestoreSkin({FLeft, FTop, FLeft + FWidth, FTop + FHeight}, ptBoth);
        FSurface.TextOut(FLeft, FTop, FCaption, Look(), ptBoth);
      }
      break;
    case TLabelVariant::Equalizer: {
      TSize Extent = FSurface.TextExtent(FCaption, Look());
      FSurface.TextOut(FLeft - Extent.cx / 2, FTop, FCaption, Look(), ptBoth);
      FWidth = Extent.cx;
      FHeight = Extent.cy;
      break;
    }
    case TLabelVariant::Colour: {
      FSurface.TextOut(FLeft, FTop, FCaption, Look(), ptBoth);
      TSize Extent = FSurface.TextExtent(FCaption, Look());
      FWidth = Extent.cx;
      FHeight = Extent.cy;
      SyncRect();
      break;
    }
  }
}

void TVirtualLabel::SetCaption(const std::wstring& S) {
  FDragScrolling = false;
  if (S == FCaption) return;
  switch (FVariant) {
    case TLabelVariant::Main:
      FSurface.RestoreSkin({FLeft, FTop, FLeft + FWidth + 10, FTop + FHeight}, ptBoth);
      FCaption = S;
      Measure();
      break;
    case TLabelVariant::Equalizer: {
      // Exactly where the old value stood: centred on Left, as wide as it
      // was painted (no further: the next value stands 30 px away).
      int Half = FSurface.TextExtent(FCaption, Look()).cx / 2;
      FSurface.RestoreSkin({FLeft - Half, FTop, FLeft - Half + FWidth, FTop + FHeight},
                           ptBoth);
      FCaption = S;
      break;
    }
    case TLabelVariant::Colour:
      FSurface.RestoreSkin({FLeft, FTop, FLeft + FWidth, FTop + FHeight}, ptBoth);
      FCaption = S;
      break;
  }
  Paint();
}

void TVirtualLabel::SetLeft(int X) {
  FWidth += FLeft - X;
  FLeft = X;
  SyncRect();
}

// ---- mouse (main window's labels) --------------------------------------------

bool TVirtualLabel::MouseDown(int X, int Y) {
  if (FVariant != TLabelVariant::Main || !PointInside(X, Y)) return false;
  TakePress(!FCanDrag);
  if (FCanDrag && FScrolling) {
    FDragScrolling = true;
    FLastX = X;
  }
  return true;
}

bool TVirtualLabel::MouseUp(int X, int Y) {
  FDragScrolling = false;
  if (FVariant != TLabelVariant::Main || !FPressed || !PointInside(X, Y)) return false;
  FPressed = false;
  Paint();
  return true;
}

void TVirtualLabel::DragStep(int X) {
  FScrollOffset = DragScrollOffset(FScrollOffset, FLastX, X, FScrollImage->Width());
  FLastX = X;
}

bool TVirtualLabel::MouseMove(int X, int Y, bool LeftDown) {
  if (FVariant != TLabelVariant::Main || OtherCaptured()) return false;
  // A drag-scroll ends when the button is no longer held.
  if (!LeftDown) FDragScrolling = false;
  if (!PointInside(X, Y)) {
    if (FDragScrolling) {
      DragStep(X);
      if (!FHover) Paint();
    }
    LeaveWidget();
    return false;
  }
  FHover = true;
  if (!FPressed) {
    if (FHost.CapturedWidget != this) {
      if (!FCanDrag) FHost.SetCursor(TWidgetCursor::HandPoint);
      FHost.SetHintText(FHint);
    } else {
      FPressed = true;
      if (!FCanDrag) FHost.SetCursor(TWidgetCursor::HandPress);
    }
    Paint();
  } else if (!FCanDrag) {
    FHost.SetCursor(TWidgetCursor::HandPress);
  }
  if (FDragScrolling) {
    DragStep(X);
    Paint();
  }
  return false;
}
