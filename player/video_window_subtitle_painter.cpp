// TfrmVideoWindow.VideoWindowPaintSubtitle: the lines of the subtitle entry
// on screen, painted over the picture at the bottom of the video control,
// either outlined (drawn on the back bitmap and copied with its key colour
// left out) or directly on the control. The arithmetic is in
// subtitles/display_rules.h.
#include <algorithm>
#include <vector>

#include "player/subtitle_fonts.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "subtitles/display_rules.h"

using lc::Program;
namespace sub = lc::subtitles;

namespace {

sub::Rgb RgbOf(TColor Color) {
  return {static_cast<std::uint8_t>(GetRValue(Color)), static_cast<std::uint8_t>(GetGValue(Color)),
          static_cast<std::uint8_t>(GetBValue(Color))};
}

TColor ColorOf(sub::Rgb C) { return static_cast<TColor>(RGB(C.R, C.G, C.B)); }

// The height of "H" in the font selected into DC.
int LineHeight(HDC DC) {
  SIZE S{};
  GetTextExtentPoint32W(DC, L"H", 1, &S);
  return S.cy;
}

// The font size lowered until the widest line fits the display area.
int FitFontSize(HDC DC, const TFont& Font, const TSubtitleLines& Lines, int Size, int ControlWidth) {
  const lc::settings::SettingsStore& S = Program().Settings;
  const int Limit = sub::LineWidthLimit(S.HorizontalDisplayArea, ControlWidth);
  int Widest = 0, Index = 0;
  {
    TSubtitleFont F(Font, Size, SubtitleCharSet());
    TSelectedFont Selected(DC, F.Handle());
    Index = Lines.Widest(DC, Widest);
  }
  while (Widest > Limit && Size > 1) {
    --Size;
    TSubtitleFont F(Font, Size, SubtitleCharSet());
    TSelectedFont Selected(DC, F.Handle());
    Widest = Lines.Width(DC, Index);
  }
  return Size;
}

// The outlined text on the back bitmap, copied onto the control.
void PaintOutlined(TfrmVideoWindow& Form, const TSubtitleLines& Lines, int Size, int LH) {
  const lc::settings::SettingsStore& S = Program().Settings;
  TDSVideoWindowEx2& V = *Form.VideoWindow;
  TBitmap& B = Form.OverlayBackBitmap;
  const TColor Text = V.Font.Color() & 0xFFFFFF;
  const BYTE CharSet = SubtitleCharSet();
  const int N = Lines.Count();

  // Every stamp, outline or text, puts the characters where the plain
  // font measured them.
  std::vector<TTextRun> Runs;
  std::vector<int> W;
  {
    TSubtitleFont Plain(V.Font, Size, CharSet);
    TSelectedFont Selected(B.Canvas().Handle(), Plain.Handle());
    for (int I = 0; I < N; ++I) {
      Runs.push_back(Lines.Run(B.Canvas().Handle(), I));
      W.push_back(Runs.back().Width());
    }
  }
  const sub::BackBitmapSize Box = sub::OutlineBitmapSize(*std::max_element(W.begin(), W.end()), N, LH);
  B.SetSize(0, 0);
  B.SetSize(Box.Width, Box.Height);
  const sub::OutlineColors Colors = sub::OutlineColorsFor(RgbOf(Text));
  const TColor Key = ColorOf(Colors.Key);
  TCanvas& BC = B.Canvas();
  BC.Brush = {TBrushStyle::bsSolid, Key};
  BC.FillRect(Rect(0, 0, Box.Width, Box.Height));

  const HDC DC = BC.Handle();
  const int OldMode = SetBkMode(DC, TRANSPARENT);
  const COLORREF OldColor = GetTextColor(DC);
  const auto DrawAll = [&](int Dx, int Dy) {
    for (int I = 0; I < N; ++I)
      Runs[I].Draw(DC, sub::OutlineLineX(Box.Width, W[I]) + Dx, sub::OutlineLineY(I, LH) + Dy);
  };
  if (Size > 9) {
    // The outline without smoothing, so that its pixels are whole.
    TSubtitleFont Rough(V.Font, Size, CharSet, NONANTIALIASED_QUALITY);
    TSelectedFont Selected(DC, Rough.Handle());
    SetTextColor(DC, ColorOf(Colors.Outline));
    for (const sub::Offset& O : sub::OutlineOffsets(Size)) DrawAll(O.Dx, O.Dy);
    if (S.SubtitleShadowEffect)
      for (const sub::Offset& O : sub::ShadowOffsets(Size)) DrawAll(O.Dx, O.Dy);
  }
  {
    TSubtitleFont Fine(V.Font, Size, CharSet, ANTIALIASED_QUALITY);
    TSelectedFont Selected(DC, Fine.Handle());
    SetTextColor(DC, Text);
    DrawAll(0, 0);
  }
  SetTextColor(DC, OldColor);
  SetBkMode(DC, OldMode);

  V.SubtitleBandTop = sub::OutlineBandTop(Form.Height(), S.AverageVerticalDisplayZone, Box.Height);
  V.Canvas().CopyRectTransparent(Bounds(sub::OutlineCopyX(V.ClientWidth(), Box.Width), V.SubtitleBandTop + 1,
                                        Box.Width, Box.Height),
                                 BC, Rect(0, 0, Box.Width, Box.Height), Key);
}

// The lines straight on the control, on black or on nothing.
void PaintDirect(TfrmVideoWindow& Form, const TSubtitleLines& Lines, int Size, int LH) {
  const lc::settings::SettingsStore& S = Program().Settings;
  TDSVideoWindowEx2& V = *Form.VideoWindow;
  const HDC DC = V.Canvas().Handle();
  TSubtitleFont F(V.Font, Size, SubtitleCharSet());
  TSelectedFont Selected(DC, F.Handle());
  const int OldMode = SetBkMode(DC, S.TransparentBackground ? TRANSPARENT : OPAQUE);
  const COLORREF OldBack = SetBkColor(DC, RGB(0, 0, 0));
  const COLORREF OldColor = SetTextColor(DC, V.Font.Color() & 0xFFFFFF);
  const int N = Lines.Count(), CH = V.ClientHeight();
  const sub::DirectPlacement P =
      sub::PlaceDirectLines(CH, Form.Height(), S.AverageVerticalDisplayZone, N, LH, V.SubtitleBandTop);
  V.SubtitleBandTop = P.BandTop;
  for (int I = 0; I < N; ++I)
    Lines.Draw(DC, I, sub::DirectLineX(V.ClientWidth(), Lines.Width(DC, I)), sub::DirectLineY(CH, N, I, LH, P.Gap));
  SetTextColor(DC, OldColor);
  SetBkColor(DC, OldBack);
  SetBkMode(DC, OldMode);
}

}  // namespace

void TfrmVideoWindow::VideoWindowPaintSubtitle() {
  TDSVideoWindowEx2& V = *VideoWindow;
  const TSubtitleLines Lines(V.OverlaySubtitleLinesA, V.OverlaySubtitleLinesW, lc::Subtitles().Current.IsWide);
  if (Lines.Count() == 0) {
    V.SubtitleIndex = -1;
    return;
  }
  TCanvas& C = V.Canvas();
  if (!C.HandleAllocated()) return;
  const lc::settings::SettingsStore& S = Program().Settings;
  const int W = V.ClientWidth();
  int Size = sub::PainterFontSize(lc::Subtitles().SubtitleFontScale, S.SubtitleSize, W, Screen.PixelsPerInch());
  if (S.AutoSplitLine || S.AutoResizeFont || S.WrapAllText) Size = FitFontSize(C.Handle(), V.Font, Lines, Size, W);
  int LH = 0;
  {
    TSubtitleFont F(V.Font, Size, SubtitleCharSet());
    TSelectedFont Selected(C.Handle(), F.Handle());
    LH = LineHeight(C.Handle());
  }
  if (S.UseOutlineFont)
    PaintOutlined(*this, Lines, Size, LH);
  else
    PaintDirect(*this, Lines, Size, LH);
}
