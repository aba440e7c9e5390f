#include "player/osd_painter.h"

#include <algorithm>
#include <optional>

#include "kit/window_drag.h"
#include "player/osd_rules.h"
#include "player/player_state.h"
#include "player/text_runs.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/win/settings_win.h"

using lc::Player;
using lc::Program;

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

void TfrmVideoWindow::VideoWindowPaint() {
  if (OnPaintSubtitle) OnPaintSubtitle(false);
  VideoWindowPaintOsd();
}

void TfrmVideoWindow::VideoWindowPaintOsd() {
  lc::PlayerState& S = Player();
  const lc::settings::SettingsStore& Settings = Program().Settings;
  TCanvas& C = VideoWindow->Canvas();
  if (S.OsdText.empty() && S.OsdClockText.empty()) {
    VideoWindow->OsdPaintedText.clear();
    return;
  }
  TFont SavedFont;
  SavedFont.Assign(C.Font);
  const TBrushStyle SavedBrush = C.Brush.Style;
  if (!FullScreen) VideoMonitor = GetWindowMonitor(Handle());
  const int Ppi = Screen.PixelsPerInch();
  const lc::OsdLayout L = lc::ComputeOsdLayout(FullScreen, VideoMonitor.Width(), VideoMonitor.Height(), Width(),
                                               Height(), Settings.OsdSize, Ppi);
  TFont Font;
  Font.SetName(L"Arial");
  Font.SetStyle(fsBold);
  Font.SetSize(std::max(L.FontSize, 1));
  C.Font.Assign(Font);
  const TColor Color = static_cast<TColor>(Settings.OsdColor) & 0xFFFFFF;
  const int BandBottom = C.TextHeight(L"H") + L.Y0 + L.D + 1;

  if (S.OsdText.empty()) {
    VideoWindow->OsdPaintedText.clear();
  } else {
    // The text, cut to the room it has, outlined on the back bitmap and
    // copied with its key colour left out.
    const std::wstring Text = lc::settings::Utf8ToWide(S.OsdText);
    std::optional<int> ClockWidth;
    if (!S.OsdClockText.empty()) ClockWidth = C.TextWidth(L"00:00");
    int Count = lc::OsdCutCount(static_cast<int>(Text.size()), C.TextWidth(Text), L.Width, ClockWidth);
    // The cut goes by the average letter: where the first letters are wider
    // than that, a few more go, so that the text and its outline stay
    // inside the window.
    while (Count > 0 && L.X0 + C.TextWidth(Text.substr(0, Count)) + L.D > L.Width) --Count;
    const std::wstring Shown = Text.substr(0, Count);
    const TSize Extent = C.TextExtent(Shown);
    if (Extent.cx > 0 && Extent.cy > 0) {
      const lc::OsdColors Colors = lc::OsdColorsFor(Color);
      OverlayBackBitmap.SetSize(Extent.cx, Extent.cy);
      TCanvas& Back = OverlayBackBitmap.Canvas();
      Back.Brush = {TBrushStyle::bsSolid, Colors.Key};
      Back.FillRect(Rect(0, 0, Extent.cx, Extent.cy));
      DrawOutlinedText(Back, Font, 0, 0, Shown, L.D, L.E, Colors.Outline, Color, true);
      C.CopyRectTransparent(Bounds(L.X0, L.Y0, Extent.cx, Extent.cy), Back, Rect(0, 0, Extent.cx, Extent.cy),
                            Colors.Key);
    }
    VideoWindow->OsdPaintedText = Text;
  }
  if (!S.OsdClockText.empty()) {
    // The clock, straight on the control, right-aligned at 0.9 of the width.
    const std::wstring Clock = lc::settings::Utf8ToWide(S.OsdClockText);
    const int X = lc::OsdClockX(L, C.TextWidth(Clock));
    DrawOutlinedText(C, Font, X, L.Y0, Clock, L.D, L.E, clBlack, Color, false);
  }
  VideoWindow->OsdBandBottom = std::max(VideoWindow->OsdBandBottom, BandBottom);
  C.Font.Assign(SavedFont);
  C.Brush.Style = SavedBrush;
}
