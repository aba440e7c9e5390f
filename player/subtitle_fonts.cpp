#include "player/subtitle_fonts.h"

#include "settings/program_state.h"

TSubtitleFont::TSubtitleFont(const TFont& Font, int Points, BYTE CharSet, BYTE Quality) {
  TFont Sized;
  Sized.Assign(Font);
  Sized.SetSize(Points);
  LOGFONTW Log = {};
  GetObjectW(Sized.Handle(), sizeof Log, &Log);
  Log.lfCharSet = CharSet;
  Log.lfQuality = Quality;
  FFont = CreateFontIndirectW(&Log);
}

TSubtitleFont::~TSubtitleFont() {
  if (FFont) DeleteObject(FFont);
}

int TSubtitleLines::Width(HDC DC, int I) const {
  SIZE S{};
  if (FIsWide)
    GetTextExtentPoint32W(DC, FWide[I].c_str(), static_cast<int>(FWide[I].size()), &S);
  else
    GetTextExtentPoint32A(DC, FAnsi[I].c_str(), static_cast<int>(FAnsi[I].size()), &S);
  return S.cx;
}

int TSubtitleLines::Widest(HDC DC, int& Widest) const {
  int Index = -1;
  Widest = 0;
  for (int I = 0; I < Count(); ++I) {
    const int W = Width(DC, I);
    if (Index < 0 || W > Widest) {
      Index = I;
      Widest = W;
    }
  }
  return Index;
}

void TSubtitleLines::Draw(HDC DC, int I, int X, int Y) const {
  if (FIsWide)
    ExtTextOutW(DC, X, Y, 0, nullptr, FWide[I].c_str(), static_cast<UINT>(FWide[I].size()), nullptr);
  else
    ExtTextOutA(DC, X, Y, 0, nullptr, FAnsi[I].c_str(), static_cast<UINT>(FAnsi[I].size()), nullptr);
}

TTextRun TSubtitleLines::Run(HDC DC, int I) const {
  return TTextRun(DC, FIsWide ? FWide[I] : FontCodePageText(DC, FAnsi[I]));
}

std::wstring FaceDrawnFor(const TFont& Font) {
  wchar_t Face[LF_FACESIZE] = {};
  HDC DC = GetDC(nullptr);
  {
    TSelectedFont Selected(DC, Font.Handle());
    GetTextFaceW(DC, LF_FACESIZE, Face);
  }
  ReleaseDC(nullptr, DC);
  return Face;
}

BYTE SubtitleCharSet() { return static_cast<BYTE>(lc::Program().Settings.SubtitleFontScript); }
