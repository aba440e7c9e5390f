#include "framework/flat_menu_painter.h"

#include <algorithm>

#include "framework/image_list.h"
#include "framework/menus.h"

namespace {

// The platform's menu font (what the user set for menus), else Tahoma.
void TakeMenuFont(TFont& Font) {
  NONCLIENTMETRICSW Metrics{};
  Metrics.cbSize = sizeof(Metrics);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(Metrics), &Metrics, 0) &&
      Metrics.lfMenuFont.lfFaceName[0]) {
    Font.SetName(Metrics.lfMenuFont.lfFaceName);
    Font.SetHeight(Metrics.lfMenuFont.lfHeight ? Metrics.lfMenuFont.lfHeight : -11);
  } else {
    Font.SetName(L"Tahoma");
    Font.SetHeight(-11);
  }
  Font.SetColor(clBlack);
}

// The text as shown: a single "&" (the mark of the letter that picks the
// item) left out, "&&" as one "&".
std::wstring WithoutPrefix(const std::wstring& Text) {
  std::wstring Shown;
  for (size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == L'&' && I + 1 < Text.size()) ++I;
    Shown += Text[I];
  }
  return Shown;
}

// Writes Text in R; with the keyboard cues shown the marked letter is
// underlined (the platform's prefix drawing), else it is written plain.
void WriteText(TCanvas& Canvas, const std::wstring& Text, const TRect& R, UINT Flags, bool Cues) {
  if (Cues)
    Canvas.DrawText(Text, R, Flags);
  else
    Canvas.DrawText(WithoutPrefix(Text), R, Flags | DT_NOPREFIX);
}

int TextWidth(TCanvas& Canvas, const std::wstring& Text) {
  return Canvas.DrawText(WithoutPrefix(Text), Rect(0, 0, 0, 0), DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX).Width();
}

void Fill(TCanvas& Canvas, const TRect& R, TColor Color) {
  Canvas.Brush.Style = TBrushStyle::bsSolid;
  Canvas.Brush.Color = Color;
  Canvas.FillRect(R);
}

}  // namespace

TFlatMenu::TFlatMenu() { TakeMenuFont(Font); }

void TFlatMenu::UseItemFont(TCanvas& Canvas, const TMenuItem& Item) {
  Canvas.Font.Assign(Font);
  if (Item.Default) Canvas.Font.SetStyle(Font.Style() | fsBold);
}

TSize TFlatMenu::MeasureItem(TCanvas& Canvas, const TMenuItem& Item, TImageList* Images) {
  if (Item.IsLine()) return {ColumnWidth + TextGap, SeparatorHeight};
  UseItemFont(Canvas, Item);
  int Width = ColumnWidth + TextGap + TextWidth(Canvas, Item.CaptionText()) + ShortCutMargin;
  if (std::wstring S = Item.ShortCutText(); !S.empty()) Width += TextWidth(Canvas, S) + ShortCutMargin;
  int Height = std::max(MinItemHeight, Canvas.TextHeight(L"Hg") + 6);
  if (Images) Height = std::max(Height, Images->Height() + 4);
  return {Width, Height};
}

void TFlatMenu::DrawItem(TCanvas& Canvas, const TMenuItem& Item, const TRect& R, UINT State,
                         TImageList* Images) {
  TRect Column = Rect(R.Left, R.Top, R.Left + ColumnWidth, R.Bottom);
  TRect Text = Rect(Column.Right, R.Top, R.Right, R.Bottom);
  bool Disabled = (State & (ODS_GRAYED | ODS_DISABLED)) || !Item.Enabled;
  bool Selected = (State & ODS_SELECTED) && !Disabled && !Item.IsLine();
  Fill(Canvas, Column, IconBackColor);
  Fill(Canvas, Text, Color);
  if (Item.IsLine()) {
    int Mid = R.Top + (R.Height()) / 2;
    Fill(Canvas, Rect(Text.Left + TextGap, Mid, Text.Right, Mid + 1), SeparatorColor);
    return;
  }
  TColor Ink = Disabled ? DisabledFontColor : Selected ? SelectedFontColor : Font.Color();
  if (Selected) {
    Fill(Canvas, R, SelectedColor);
    Canvas.Brush.Color = SelectedBorderColor;
    Canvas.FrameRect(R);
  }
  if (Images && Item.ImageIndex >= 0 && Item.ImageIndex < Images->Count()) {
    int X = R.Left + (ColumnWidth - Images->Width()) / 2;
    int Y = R.Top + (R.Height() - Images->Height()) / 2;
    if (Item.Checked()) {
      Canvas.Brush.Color = SelectedBorderColor;
      Canvas.FrameRect(Rect(X - 1, Y - 1, X + Images->Width() + 1, Y + Images->Height() + 1));
    }
    Images->Draw(Canvas, X, Y, Item.ImageIndex, !Disabled);
  } else if (Item.Checked()) {
    DrawCheck(Canvas, Item, R, Ink);
  }
  DrawCaption(Canvas, Item, Text, State, Ink);
}

void TFlatMenu::DrawCheck(TCanvas& Canvas, const TMenuItem& Item, const TRect& R, TColor Ink) {
  const int L = R.Left;
  const int M = R.Top + R.Height() / 2;
  if (Item.RadioItem) {
    Fill(Canvas, Rect(L + 10, M - 3, L + 14, M + 3), Ink);
    Fill(Canvas, Rect(L + 9, M - 2, L + 15, M + 2), Ink);
    return;
  }
  // Each step puts a 2 x 2 square on the stroke.
  for (int I = 0; I <= 2; ++I) Fill(Canvas, Rect(L + 8 + I, M - 1 + I, L + 10 + I, M + 1 + I), Ink);
  for (int I = 1; I <= 4; ++I) Fill(Canvas, Rect(L + 10 + I, M + 1 - I, L + 12 + I, M + 3 - I), Ink);
}

void TFlatMenu::DrawCaption(TCanvas& Canvas, const TMenuItem& Item, const TRect& R, UINT State,
                            TColor Ink) {
  UseItemFont(Canvas, Item);
  Canvas.Font.SetColor(Ink);
  Canvas.Brush.Style = TBrushStyle::bsClear;
  const UINT Flags = DT_SINGLELINE | DT_VCENTER;
  const bool Cues = !(State & ODS_NOACCEL);
  WriteText(Canvas, Item.CaptionText(), Rect(R.Left + TextGap, R.Top, R.Right, R.Bottom), Flags, Cues);
  // The shortcut text may mark its letter too ("Alt+&1").
  if (std::wstring S = Item.ShortCutText(); !S.empty())
    WriteText(Canvas, S, Rect(R.Left, R.Top, R.Right - ShortCutMargin, R.Bottom), Flags | DT_RIGHT, Cues);
  Canvas.Brush.Style = TBrushStyle::bsSolid;
}
