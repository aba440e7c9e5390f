// TfrmVideoWindow's on-screen display painter: the OSD text, cut to the
// room it has and outlined on the back bitmap, and the clock drawn straight
// on the video control. Where they go is decided by player/osd_rules.h.
#include <algorithm>
#include <optional>

#include "framework/unicode.h"
#include "kit/window_drag.h"
#include "player/osd_rules.h"
#include "player/outlined_text.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

using lc::Player;
using lc::Program;

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
    const std::wstring Text = Utf8ToWide(S.OsdText);
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
      const int X = lc::OsdTextX(L.X0, C.TextWidth(Shown), C.RightToLeft());
      C.CopyRectTransparent(Bounds(X, L.Y0, Extent.cx, Extent.cy), Back, Rect(0, 0, Extent.cx, Extent.cy),
                            Colors.Key);
    }
    VideoWindow->OsdPaintedText = Text;
  }
  if (!S.OsdClockText.empty()) {
    // The clock, straight on the control, right-aligned at 0.9 of the width.
    const std::wstring Clock = Utf8ToWide(S.OsdClockText);
    const int Width = C.TextWidth(Clock);
    const int X = lc::OsdTextX(lc::OsdClockX(L, Width), Width, C.RightToLeft());
    DrawOutlinedText(C, Font, X, L.Y0, Clock, L.D, L.E, clBlack, Color, false);
  }
  VideoWindow->OsdBandBottom = std::max(VideoWindow->OsdBandBottom, BandBottom);
  C.Font.Assign(SavedFont);
  C.Brush.Style = SavedBrush;
}
