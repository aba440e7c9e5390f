// TfrmConfig's subtitle sample: "Sample text" in the font being edited, on
// an opaque black box, directly on the page, or outlined (and shadowed)
// through a work bitmap copied with a key colour.
#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "settings/value_parse.h"
#include "tools/config/config_dialog.h"
#include "tools/config/config_rules.h"

namespace {

const wchar_t kSampleText[] = L"Sample text";

// How far the shadow reaches beyond the text at most, and beyond the
// outline the copy's offset.
constexpr int kShadowReach = 6;

// The offsets the outline is stamped at, growing with the font size.
int OutlineReach(int Points) {
  if (Points < 10) return 0;
  if (Points <= 15) return 1;
  if (Points <= 42) return 2;
  return 3;
}

}  // namespace

void TfrmConfig::DrawSubtitleSample() {
  if (FSample) FSample->Invalidate();
}

void TfrmConfig::PaintSample() {
  TCanvas& C = FSample->Canvas();
  const TRect Area{0, 0, FSample->Width(), FSample->Height()};
  C.Brush.Style = TBrushStyle::bsSolid;
  C.Brush.Color = FSample->Color();
  C.FillRect(Area);
  C.Brush.Color = clBlack;
  C.FrameRect(Area);

  TFont Font;
  Font.Assign(FFontDialogTemp.Font);
  const std::int32_t Size = lc::settings::StrToIntDef(
      WideToUtf8(NumberField(lc::tools::NumericField::SubtitleSize).Text()), 100);
  // The size the subtitle will have, made smaller only where the sample
  // with its outline and shadow would not fit the frame.
  int Points = lc::tools::SamplePoints(Size, Screen.Width(), ScreenPixelsPerInch());
  TSize Extent;
  for (;;) {
    Font.SetSize(Points);
    C.Font.Assign(Font);
    Extent = C.TextExtent(kSampleText);
    const int Border = 2 * OutlineReach(Points) + kShadowReach + 4;
    const int RoomX = Area.Width() - Border, RoomY = Area.Height() - Border;
    if (Points <= 1 || (Extent.cx <= RoomX && Extent.cy <= RoomY)) break;
    // Far too large: straight to about the size that fits, then step.
    const double Scale = std::min(static_cast<double>(RoomX) / Extent.cx, static_cast<double>(RoomY) / Extent.cy);
    Points = std::max(1, std::min(Points - 1, static_cast<int>(Points * Scale)));
  }
  const int X = (Area.Width() - Extent.cx) / 2;
  const int Y = (Area.Height() - Extent.cy) / 2;
  const bool Transparent = FSubtitle1->Checked(0);
  const bool Outline = Transparent && FSubtitle1->Checked(1);
  if (!Outline) {
    C.Brush.Style = Transparent ? TBrushStyle::bsClear : TBrushStyle::bsSolid;
    C.Brush.Color = clBlack;
    C.TextOut(X, Y, kSampleText);
    return;
  }
  // Outline: stamps in the outline colour around the text, then the text.
  TBitmap Work(Extent.cx + 9, Extent.cy + 11);
  TCanvas& W = Work.Canvas();
  const auto FontColor = static_cast<std::int32_t>(Font.Color());
  const std::int32_t OutlineColor = lc::tools::OutlineColor(FontColor);
  const auto Key = static_cast<TColor>(lc::tools::SampleKeyColor(FontColor, OutlineColor));
  W.Brush.Style = TBrushStyle::bsSolid;
  W.Brush.Color = Key;
  W.FillRect({0, 0, Work.Width(), Work.Height()});
  W.Brush.Style = TBrushStyle::bsClear;
  // Without smoothing: a smoothed edge would blend with the key colour and
  // show as a fringe of it around the letters.
  W.Font.Assign(Font);
  W.Font.SetQuality(NONANTIALIASED_QUALITY);
  W.Font.SetColor(static_cast<TColor>(OutlineColor));
  const int Reach = OutlineReach(Points);
  for (int DX = -Reach; DX <= Reach; ++DX)
    for (int DY = -Reach; DY <= Reach; ++DY)
      if (DX != 0 || DY != 0) W.TextOut(4 + DX, 4 + DY, kSampleText);
  W.Font.SetColor(Font.Color());
  W.TextOut(4, 4, kSampleText);
  const TRect Source{0, 0, Work.Width(), Work.Height()};
  const int Left = X - 4 + 2, Top = Y - 4 + 2;
  if (FSubtitle1->Checked(2)) {
    for (int S = Reach + 2; S >= 1; --S)
      C.CopyRectTransparent({Left + S, Top + S, Left + S + Work.Width(), Top + S + Work.Height()}, W, Source,
                            Key);
  }
  C.CopyRectTransparent({Left, Top, Left + Work.Width(), Top + Work.Height()}, W, Source, Key);
}
