#pragma once

#include <functional>
#include <memory>
#include <string>

#include "kit/widget.h"
#include "kit/widget_surface.h"

// The pieces of a scrolling caption to copy: the caption's bitmap (the
// caption followed by ten blanks, BitmapWidth wide) is shown from Offset on
// (negative counts as 0) in a box Width wide; past the bitmap's end the
// text wraps around to its start.
struct TMarqueePiece {
  int SourceX = 0;  // column of the bitmap
  int DestX = 0;    // column of the box, from its left edge
  int Width = 0;
};
struct TMarqueePieces {
  TMarqueePiece First;
  TMarqueePiece Second;  // Width 0: none
};
TMarqueePieces MarqueePieces(int Offset, int Width, int BitmapWidth);

// The scroll offset after the mouse moved from LastX to X while a caption
// is drag-scrolled (moving left moves the text left), wrapped into
// 0 .. BitmapWidth - 1.
int DragScrollOffset(int Offset, int LastX, int X, int BitmapWidth);

// A line of text drawn directly on a skinned window.
//
// - Main: the movie name, subtitle name, times and repeat mode of the main
//   window; painted on the canvas and the back buffer. A caption wider than
//   MaxWidth (when at least 1) scrolls as a marquee through a bitmap of the
//   caption followed by ten blanks, moved by the main window's scroll timer
//   (SetScrollOffset) and dragged sideways with the mouse when CanDrag. Takes
//   the mouse: press, hover, hint, click.
// - Equalizer: a value centred on Left at y 27.
// - Colour: a plain text at (Left, Top); SetLeft keeps the right edge.
// The last two take no mouse.
enum class TLabelVariant { Main, Equalizer, Colour };

class TVirtualLabel : public TWidget {
 public:
  // The main window's label.
  TVirtualLabel(TWidgetHost& Host, TWidgetSurface& Surface, int Left, int Top,
                const std::wstring& Caption, std::wstring Hint, int MaxWidth,
                int FontSize, bool CanDrag);
  // Equalizer (caption "0", centred on Left) and colour control labels.
  TVirtualLabel(TWidgetHost& Host, TWidgetSurface& Surface, TLabelVariant Variant,
                int Left, int Top, const std::wstring& Caption);

  void Paint() override;
  // Only on a change: the old text is erased from the window's skin, the
  // new one measured (and set up to scroll) and painted. A drag-scroll ends.
  void SetCaption(const std::wstring& S);
  // Colour labels: moves the left edge keeping the right one (no repaint).
  void SetLeft(int X);
  // Colour labels: the text's size in points (0: the window's font), from
  // the next caption on.
  void SetFontSize(int Points) { FFontSize = Points; }
  int FontSize() const { return FFontSize; }
  // The main window's scroll timer moves the marquee (then calls Paint).
  void SetScrollOffset(int Offset) { FScrollOffset = Offset; }

  bool MouseDown(int X, int Y) override;
  bool MouseMove(int X, int Y, bool LeftDown) override;
  bool MouseUp(int X, int Y) override;
  // The main window's mouse-leave drops the hover flag without repainting.
  void MouseLeave() override { FHover = false; }
  // Losing the capture ends a drag-scroll as the release would.
  void CaptureLost() override {
    FDragScrolling = false;
    TWidget::CaptureLost();
  }

  const std::wstring& Caption() const { return FCaption; }
  bool Scrolling() const { return FScrolling; }
  bool DragScrolling() const { return FDragScrolling; }
  int ScrollOffset() const { return FScrollOffset; }
  int ScrollBitmapWidth() const { return FScrollImage ? FScrollImage->Width() : 0; }
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }

  // Run when a caption change starts or stops the scrolling (the main
  // window keeps its scroll timer running while a name label scrolls).
  std::function<void()> OnScrollingChange;

 private:
  TTextLook Look() const { return {FFontSize, clNone}; }
  // Measures the caption and, when it is too wide, renders the scroll bitmap.
  void Measure();
  void SyncRect() { FRect = {FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
  void PaintMarquee();
  void DragStep(int X);

  TWidgetSurface& FSurface;
  TLabelVariant FVariant;
  int FLeft;
  int FTop;
  bool FCanDrag = false;
  std::wstring FCaption;
  int FWidth = 0;
  int FHeight = 0;
  int FMaxWidth = 0;
  bool FScrolling = false;
  int FScrollOffset = -1;
  std::unique_ptr<TSkinImage> FScrollImage;
  int FFontSize = 0;
  bool FDragScrolling = false;
  int FLastX = 0;
};
