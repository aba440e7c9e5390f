// GDI drawing: fonts, brushes, canvases and 24-bit bitmaps.
//
// A TCanvas draws on a device context: a window's (forms and panels own
// theirs), a bitmap's memory context, or a foreign one it only wraps. Font
// and Brush are plain values; the canvas selects them into the context when
// it draws. Colours are $BBGGRR values.
//
// A canvas or bitmap is used by one thread at a time (GDI objects are not
// shared between threads here).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <windows.h>

#include "framework/types.h"

class TBitmap;

// The screen's logical pixels per inch (the process is not DPI-aware, so
// this is 96 unless the user's system says otherwise).
int ScreenPixelsPerInch();

// A font description. The platform font is created on demand and kept
// until the description changes.
class TFont {
 public:
  TFont();

  const std::wstring& Name() const { return FName; }
  void SetName(const std::wstring& Name);
  // Size in points at the screen's pixels per inch; setting it sets Height.
  int Size() const;
  void SetSize(int Points);
  // Height in pixels as the platform takes it: negative is the character
  // height (a "16 pixels" font is -16), positive the cell height.
  int Height() const { return FHeight; }
  void SetHeight(int Pixels);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Style);
  TColor Color() const { return FColor; }
  void SetColor(TColor Color) { FColor = Color; }
  // The platform's output quality (DEFAULT_QUALITY, NONANTIALIASED_QUALITY...).
  BYTE Quality() const { return FQuality; }
  void SetQuality(BYTE Quality);
  void Assign(const TFont& Source);

  // The platform font for the current description, shared with every
  // canvas that has it selected.
  std::shared_ptr<void> HandleRef() const;
  HFONT Handle() const { return static_cast<HFONT>(HandleRef().get()); }

 private:
  void Changed() { FHandle.reset(); }

  std::wstring FName;
  int FHeight;
  TFontStyles FStyle = 0;
  TColor FColor = clBlack;
  BYTE FQuality = DEFAULT_QUALITY;
  mutable std::shared_ptr<void> FHandle;
};

// How areas are filled and whether text gets a background.
struct TBrush {
  TBrushStyle Style = TBrushStyle::bsSolid;
  TColor Color = clWhite;
};

class TCanvas {
 public:
  // A canvas without a context yet (forms, panels and bitmaps set it).
  TCanvas() = default;
  // Wraps a foreign context; the canvas never releases it.
  explicit TCanvas(HDC DC);
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  TFont Font;
  TBrush Brush;

  // ---- drawing ----
  // Copies Source's SourceRect onto Dest, stretching when the sizes differ
  // (rows and columns are dropped or repeated, never blended). Source may
  // be this canvas, also with overlapping rectangles.
  void CopyRect(const TRect& Dest, TCanvas& Source, const TRect& SourceRect);
  // Like CopyRect, but pixels of Source equal to Key are left out.
  void CopyRectTransparent(const TRect& Dest, TCanvas& Source, const TRect& SourceRect,
                           TColor Key);
  // Draws the whole bitmap with its top-left corner at (X, Y).
  void Draw(int X, int Y, TBitmap& Bitmap);
  // Writes Text with its top-left at (X, Y) in Font; with a solid brush the
  // text cell is filled with the brush colour, with a clear brush not.
  void TextOut(int X, int Y, const std::wstring& Text);
  TSize TextExtent(const std::wstring& Text);
  int TextWidth(const std::wstring& Text) { return TextExtent(Text).cx; }
  int TextHeight(const std::wstring& Text) { return TextExtent(Text).cy; }
  // The platform's DrawText in Font and Brush: Format holds DT_ flags.
  // With DT_CALCRECT nothing is drawn and the rectangle the text needs is
  // returned; otherwise Rect is returned.
  TRect DrawText(const std::wstring& Text, const TRect& Rect, UINT Format);
  // Fills Rect (right and bottom excluded) with the brush colour; nothing
  // with a clear brush.
  void FillRect(const TRect& Rect);
  // Draws a one-pixel frame inside Rect in the brush colour.
  void FrameRect(const TRect& Rect);
  TColor Pixel(int X, int Y);
  void SetPixel(int X, int Y, TColor Color);
  // The bounding box of the context's current clipping region (during a
  // paint or erase: the part to be repainted).
  TRect ClipRect();
  // The context lays out right to left (mirrored): x runs from its right
  // edge, and text placed at X runs on from there towards the left.
  bool RightToLeft() const;

  // ---- the context ----
  HDC Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  // Makes the canvas draw on DC (nullptr: none). The previous context gets
  // back the objects it had before the canvas selected its own.
  void SetHandle(HDC DC);

 private:
  void RequireFont();
  void Deselect();

  HDC FHandle = nullptr;
  HGDIOBJ FOldFont = nullptr;
  std::shared_ptr<void> FSelectedFont;
};

// A 24-bit device-independent bitmap (rows top-down, blue-green-red
// bytes) with its own canvas.
class TBitmap {
 public:
  TBitmap();
  TBitmap(int Width, int Height);
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  bool Empty() const { return FWidth == 0 || FHeight == 0; }
  // Resizing keeps the pixels of the top-left part that both sizes share;
  // new pixels are black. With one side 0 the bitmap has no pixels (Empty)
  // but keeps the other side.
  void SetSize(int Width, int Height);
  void SetWidth(int Width) { SetSize(Width, FHeight); }
  void SetHeight(int Height) { SetSize(FWidth, Height); }
  // Copies Source's size and pixels.
  void Assign(const TBitmap& Source);

  TCanvas& Canvas() { return FCanvas; }
  HBITMAP Handle() const { return FBitmap; }
  // Row Y of the pixels (Width x 3 bytes: blue, green, red); nullptr for a
  // row outside the bitmap. Pending GDI drawing is flushed first.
  std::uint8_t* ScanLine(int Y);
  const std::uint8_t* ScanLine(int Y) const;
  int Stride() const { return FStride; }

 private:
  HBITMAP CreateSection(int Width, int Height, void** Bits) const;

  int FWidth = 0;
  int FHeight = 0;
  int FStride = 0;
  std::uint8_t* FBits = nullptr;
  HBITMAP FBitmap = nullptr;
  HGDIOBJ FOldBitmap = nullptr;
  HDC FDC = nullptr;
  TCanvas FCanvas;
};
