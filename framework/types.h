// Plain value types shared by the framework and the code above it:
// rectangles, points, colours, mouse and key state, cursor numbers and
// modal results. No Windows header: portable code (window geometry,
// snapping rules) uses these too.
#pragma once

#include <cstdint>

// A rectangle in pixels: Left and Top inclusive, Right and Bottom exclusive
// when painted (hit tests of the widgets include them; see the widget code).
struct TRect {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;

  constexpr int Width() const { return Right - Left; }
  constexpr int Height() const { return Bottom - Top; }
  constexpr bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
  // Half-open containment: Left <= X < Right and Top <= Y < Bottom.
  constexpr bool Contains(int X, int Y) const {
    return X >= Left && X < Right && Y >= Top && Y < Bottom;
  }
  constexpr bool Intersects(const TRect& O) const {
    return Left < O.Right && O.Left < Right && Top < O.Bottom && O.Top < Bottom;
  }
  constexpr TRect Offset(int DX, int DY) const {
    return {Left + DX, Top + DY, Right + DX, Bottom + DY};
  }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};

constexpr TRect Rect(int Left, int Top, int Right, int Bottom) {
  return {Left, Top, Right, Bottom};
}
constexpr TRect Bounds(int Left, int Top, int Width, int Height) {
  return {Left, Top, Left + Width, Top + Height};
}

struct TPoint {
  int X = 0;
  int Y = 0;
  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
  int cx = 0;
  int cy = 0;
  friend constexpr bool operator==(const TSize&, const TSize&) = default;
};

// Colours are $BBGGRR values (blue in the high byte), as the platform's
// colour references. clNone marks "no colour" (for example no transparency).
using TColor = std::uint32_t;
constexpr TColor RGBColor(int R, int G, int B) {
  return static_cast<TColor>((R & 0xFF) | ((G & 0xFF) << 8) | ((B & 0xFF) << 16));
}
constexpr int ColorR(TColor C) { return C & 0xFF; }
constexpr int ColorG(TColor C) { return (C >> 8) & 0xFF; }
constexpr int ColorB(TColor C) { return (C >> 16) & 0xFF; }
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clBtnFace = 0xE0E0E0;
constexpr TColor clNone = 0x1FFFFFFF;

// Modifier keys and mouse buttons held during an input event.
enum TShiftFlag : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Cursor numbers of the screen's cursor table. Negative numbers are the
// built-in cursors; applications install their own under positive numbers
// (or replace a built-in one) through TScreen::SetCursor.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

// Results of a modal form. 0 keeps the modal loop running.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;

// What closing a form does with it (see TForm::Close): nothing, hide it,
// or minimise it.
enum class TCloseAction { caNone, caHide, caMinimize };

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// Edges of its parent that a control keeps its distance to when the
// parent is resized.
enum TAnchor : unsigned {
  akLeft = 1u << 0,
  akTop = 1u << 1,
  akRight = 1u << 2,
  akBottom = 1u << 3,
};
using TAnchors = unsigned;

// Font styles.
enum TFontStyle : unsigned {
  fsBold = 1u << 0,
  fsItalic = 1u << 1,
  fsUnderline = 1u << 2,
  fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned;

enum class TBrushStyle { bsSolid, bsClear };

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
