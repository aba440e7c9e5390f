// The subtitle font as the painter and the pulse draw and measure with it:
// the video control's font at a size, in the subtitle script, with a
// chosen quality (the outline is drawn without smoothing, the text with
// it), and the line lists in use measured and drawn with the text
// functions of their kind (UTF-16 or the ANSI code page). GUI thread only.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "framework/graphics.h"
#include "player/text_runs.h"

// A platform font made from Font at Points, with CharSet and Quality;
// deleted with the object. Points are taken at the screen's resolution.
class TSubtitleFont {
 public:
  TSubtitleFont(const TFont& Font, int Points, BYTE CharSet, BYTE Quality = DEFAULT_QUALITY);
  ~TSubtitleFont();
  TSubtitleFont(const TSubtitleFont&) = delete;
  TSubtitleFont& operator=(const TSubtitleFont&) = delete;
  HFONT Handle() const { return FFont; }

 private:
  HFONT FFont = nullptr;
};

// Selects a font into a context for the life of the object.
class TSelectedFont {
 public:
  TSelectedFont(HDC DC, HFONT Font) : FDC(DC), FOld(SelectObject(DC, Font)) {}
  ~TSelectedFont() { SelectObject(FDC, FOld); }
  TSelectedFont(const TSelectedFont&) = delete;
  TSelectedFont& operator=(const TSelectedFont&) = delete;

 private:
  HDC FDC;
  HGDIOBJ FOld;
};

// The lines on screen: the 8-bit list or the UTF-16 one.
class TSubtitleLines {
 public:
  TSubtitleLines(const std::vector<std::string>& Ansi, const std::vector<std::wstring>& Wide, bool IsWide)
      : FAnsi(Ansi), FWide(Wide), FIsWide(IsWide) {}
  int Count() const { return static_cast<int>(FIsWide ? FWide.size() : FAnsi.size()); }
  // Width of line I in the font selected into DC.
  int Width(HDC DC, int I) const;
  // The widest line's index (the first of equally wide ones) and width.
  int Widest(HDC DC, int& Width) const;
  // Draws line I with its top-left at (X, Y) in the DC's text colour.
  void Draw(HDC DC, int I, int X, int Y) const;
  // Line I measured as a run in the font selected into DC.
  TTextRun Run(HDC DC, int I) const;

 private:
  const std::vector<std::string>& FAnsi;
  const std::vector<std::wstring>& FWide;
  bool FIsWide;
};

// The face the platform draws Font with: its own name when that face is
// installed, else the installed face that stands in for it.
std::wstring FaceDrawnFor(const TFont& Font);

// The subtitle script of the settings as a platform character set.
BYTE SubtitleCharSet();
