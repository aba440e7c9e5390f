// The flat menu painter: while active, the menus that name it as their
// Painter are owner-drawn in a flat look of our own instead of the
// platform's.
//
// Layout of one item (left to right): the image column (ColumnWidth
// pixels, in IconBackColor) holding the item's image or its check mark,
// the caption from ColumnWidth + TextGap, the shortcut text right-aligned
// ShortCutMargin pixels before the right edge. In both an "&" marks the
// letter that picks the item (underlined, the "&" itself not shown). A highlighted enabled item
// is filled with SelectedColor inside a one-pixel SelectedBorderColor
// frame; a separator is a one-pixel SeparatorColor line across the text
// part, at the middle row of its SeparatorHeight pixels. Disabled captions
// are written in DisabledFontColor, the default item in bold.
//
// The check mark (no image) is a tick of 2-pixel strokes in the caption's
// colour: from (L+8, M-1) down to (L+10, M+1), then up to (L+14, M-3), L
// being the item's left edge and M its middle row (top + height / 2). A
// checked radio item shows a 6 x 6 dot from (L+9, M-3) instead. A checked
// item with an image gets a one-pixel SelectedBorderColor frame round the
// image.
//
// GUI thread only.
#pragma once

#include <windows.h>

#include "framework/component.h"
#include "framework/graphics.h"

class TImageList;
class TMenuItem;

class TFlatMenu : public TComponent {
 public:
  TFlatMenu();

  // Switching the painter off and on again is how owners tell it that
  // items changed; the menus are built anew at every popup anyway.
  bool Active() const { return FActive; }
  void SetActive(bool Active) { FActive = Active; }

  // ---- the look ----
  TColor Color = RGBColor(250, 250, 250);
  TColor IconBackColor = RGBColor(228, 228, 228);
  TColor SelectedColor = RGBColor(193, 210, 238);
  TColor SelectedBorderColor = RGBColor(49, 106, 197);
  TColor SelectedFontColor = clBlack;
  TColor SeparatorColor = RGBColor(166, 166, 166);
  TColor DisabledFontColor = RGBColor(141, 141, 141);
  // Caption font; its colour is the colour of enabled captions.
  TFont Font;

  static constexpr int ColumnWidth = 24;
  static constexpr int TextGap = 8;
  static constexpr int ShortCutMargin = 16;
  static constexpr int SeparatorHeight = 5;
  static constexpr int MinItemHeight = 20;

  // ---- painting (the menu window calls these; tests draw on bitmaps) ----
  // The size the item needs; Images are the images of its menu level.
  TSize MeasureItem(TCanvas& Canvas, const TMenuItem& Item, TImageList* Images);
  // Draws the item in Rect; State holds the platform's ODS_ flags
  // (ODS_SELECTED, ODS_GRAYED, ODS_DISABLED, ODS_NOACCEL).
  void DrawItem(TCanvas& Canvas, const TMenuItem& Item, const TRect& Rect, UINT State,
                TImageList* Images);

 private:
  void DrawCheck(TCanvas& Canvas, const TMenuItem& Item, const TRect& Rect, TColor Ink);
  void DrawCaption(TCanvas& Canvas, const TMenuItem& Item, const TRect& Rect, UINT State,
                   TColor Ink);
  void UseItemFont(TCanvas& Canvas, const TMenuItem& Item);

  bool FActive = false;
};
