// Text placed at advances measured once. Outlined text is drawn several
// times in different qualities of one font (the outline unsmoothed, the
// text smoothed), and a platform may space those qualities differently by
// a pixel here and there: over a line the outline then drifts off the
// letters it should surround. Drawn as a run, every stamp puts each
// character at the same place. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

class TTextRun {
 public:
  // Measures Text in the font selected into DC.
  TTextRun(HDC DC, std::wstring Text);

  // The run's width: the extent of the whole text in the measuring font.
  int Width() const { return FWidth; }
  // Draws the text with its top-left at (X, Y) in the font, colour and
  // background mode of DC, each character at its measured advance.
  void Draw(HDC DC, int X, int Y) const;

 private:
  std::wstring FText;
  std::vector<INT> FAdvances;
  int FWidth = 0;
};

// The 8-bit Text as the font selected into DC reads it: decoded in the
// code page of the font's character set (the system's ANSI code page for
// the default set), as the platform's 8-bit text output does.
std::wstring FontCodePageText(HDC DC, const std::string& Text);
