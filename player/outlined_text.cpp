#include "player/outlined_text.h"

#include <optional>

#include "player/text_runs.h"

namespace {

// Font with the platform's quality Quality (ANTIALIASED_QUALITY or
// NONANTIALIASED_QUALITY); deleted with the object.
class QualityFont {
 public:
  QualityFont(const TFont& Font, BYTE Quality) {
    LOGFONTW Log = {};
    GetObjectW(Font.Handle(), sizeof Log, &Log);
    Log.lfQuality = Quality;
    FFont = CreateFontIndirectW(&Log);
  }
  ~QualityFont() {
    if (FFont) DeleteObject(FFont);
  }
  QualityFont(const QualityFont&) = delete;
  QualityFont& operator=(const QualityFont&) = delete;
  HFONT Handle() const { return FFont; }

 private:
  HFONT FFont = nullptr;
};

void TextAt(HDC DC, int X, int Y, const TTextRun& Run, TColor Color) {
  SetTextColor(DC, Color);
  Run.Draw(DC, X, Y);
}

}  // namespace

void DrawOutlinedText(TCanvas& Canvas, const TFont& Font, int X, int Y, const std::wstring& Text, int D, int E,
                      TColor Outline, TColor Color, bool Smooth) {
  Canvas.Font.Assign(Font);
  Canvas.Brush.Style = TBrushStyle::bsClear;
  Canvas.TextExtent(L"");  // selects the font into the context
  const HDC DC = Canvas.Handle();
  // Every stamp puts the characters where the canvas's font measured them.
  const TTextRun Run(DC, Text);
  const int OldMode = SetBkMode(DC, TRANSPARENT);
  std::optional<QualityFont> Rough, Fine;
  HGDIOBJ Old = nullptr;
  if (Smooth) {
    Rough.emplace(Font, NONANTIALIASED_QUALITY);
    Fine.emplace(Font, ANTIALIASED_QUALITY);
    Old = SelectObject(DC, Rough->Handle());
  }
  const int Offsets[8][2] = {{-D, 0}, {0, -D}, {0, D}, {D, 0}, {-E, -E}, {-E, E}, {E, -E}, {E, E}};
  for (const auto& O : Offsets) TextAt(DC, X + O[0], Y + O[1], Run, Outline);
  if (Smooth) SelectObject(DC, Fine->Handle());
  TextAt(DC, X, Y, Run, Color);
  if (Smooth) SelectObject(DC, Old);
  SetBkMode(DC, OldMode);
}
