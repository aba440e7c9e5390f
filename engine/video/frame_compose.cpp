#include "engine/video/frame_compose.h"

#include <algorithm>
#include <cstring>

#include "engine/video/frame_kernels.h"

TVideoRect ZoomSourceRect(int Width, int Height, int Zoom) {
  if (Width <= 0 || Height <= 0) return {0, 0, std::max(Width, 0), std::max(Height, 0)};
  const float w = Width - Zoom * Width / 100.0f;
  const float h = w * Height / Width;
  const int left = static_cast<int>((Width - w) / 2);
  const int top = static_cast<int>((Height - h) / 2);
  return {left, top, left + static_cast<int>(w), top + static_cast<int>(h)};
}

void FitPicture(TFitMode Mode, const TVideoRect& Dest, TVideoRect& Source, TVideoRect& Placed) {
  Placed = Dest;
  const long long dw = Dest.Width(), dh = Dest.Height();
  const long long sw = Source.Width(), sh = Source.Height();
  if (Mode == TFitMode::Stretch || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const bool destWider = dw * sh > sw * dh;
  if (Mode == TFitMode::LetterBox) {
    if (destWider) {
      const int w = int((dh * sw + sh / 2) / sh);
      Placed.Left = Dest.Left + int((dw - w) / 2);
      Placed.Right = Placed.Left + w;
    } else {
      const int h = int((dw * sh + sw / 2) / sw);
      Placed.Top = Dest.Top + int((dh - h) / 2);
      Placed.Bottom = Placed.Top + h;
    }
  } else if (destWider) {
    const int h = std::max(1, int((sw * dh + dw / 2) / dw));
    Source.Top += int((sh - h) / 2);
    Source.Bottom = Source.Top + h;
  } else {
    const int w = std::max(1, int((sh * dw + dh / 2) / dh));
    Source.Left += int((sw - w) / 2);
    Source.Right = Source.Left + w;
  }
}

TKeyedLayer::TKeyedLayer(const std::uint32_t* Pixels, int Width, int Height, int Stride,
                         std::uint32_t Key)
    : FWidth(Width), FHeight(Height) {
  Key &= 0x00FFFFFFu;
  for (int y = 0; y < Height; ++y) {
    const std::uint32_t* row = Pixels + std::ptrdiff_t(y) * Stride;
    int x = 0;
    while (x < Width) {
      while (x < Width && (row[x] & 0x00FFFFFFu) == Key) ++x;
      const int start = x;
      while (x < Width && (row[x] & 0x00FFFFFFu) != Key) ++x;
      if (x > start) {
        FRuns.push_back({y, start, x - start, FPixels.size()});
        for (int i = start; i < x; ++i) FPixels.push_back(row[i] & 0x00FFFFFFu);
      }
    }
  }
}

void TKeyedLayer::Apply(std::uint32_t* Target, int Width, int Height, int Stride) const {
  for (const TRun& r : FRuns) {
    if (r.Y >= Height || r.X >= Width) continue;
    const int n = std::min(r.Count, Width - r.X);
    std::memcpy(Target + std::ptrdiff_t(r.Y) * Stride + r.X, FPixels.data() + r.Offset,
                std::size_t(n) * sizeof(std::uint32_t));
  }
}

TFrameCompositor::TFrameCompositor()
    : FYuv(std::make_unique<TYuvTables>()), FRgb(std::make_unique<TRgbTables>()) {}

void TFrameCompositor::SetTarget(int Width, int Height) {
  Width = std::max(Width, 0);
  Height = std::max(Height, 0);
  if (Width == FWidth && Height == FHeight) return;
  FWidth = Width;
  FHeight = Height;
  FSurface.assign(std::size_t(Width) * std::size_t(Height), FBackground);
  FMapsValid = false;
}

void TFrameCompositor::SetPlacement(const TVideoRect& Dest, const TVideoRect& Source) {
  if (Dest == FDest && Source == FSource) return;
  FDest = Dest;
  FSource = Source;
  FMapsValid = false;
}

void TFrameCompositor::SetColors(const TColorSettings& Settings) {
  if (Settings == FColors) return;
  FColors = Settings;
  FTablesValid = false;
}

// Builds the column and row maps: destination pixel centres sampled in the
// source crop, for the part of the destination inside the surface.
void TFrameCompositor::Prepare(const TFrameView& Frame) {
  const bool yuv = IsYuvFormat(Frame.Format);
  if (!FTablesValid || yuv != FTablesYuv) {
    if (yuv)
      FYuv->Build(FColors);
    else
      FRgb->Build(FColors);
    FTablesYuv = yuv;
    FTablesValid = true;
  }
  if (FMapsValid && Frame.Width == FFrameWidth && Frame.Height == FFrameHeight &&
      Frame.Format == FFrameFormat)
    return;
  FFrameWidth = Frame.Width;
  FFrameHeight = Frame.Height;
  FFrameFormat = Frame.Format;
  TVideoRect src = FSource;
  src.Left = std::clamp(src.Left, 0, Frame.Width);
  src.Top = std::clamp(src.Top, 0, Frame.Height);
  src.Right = std::clamp(src.Right, src.Left, Frame.Width);
  src.Bottom = std::clamp(src.Bottom, src.Top, Frame.Height);
  if (FSource.Empty() || src.Empty()) src = {0, 0, Frame.Width, Frame.Height};
  FClip = {std::max(FDest.Left, 0), std::max(FDest.Top, 0), std::min(FDest.Right, FWidth),
           std::min(FDest.Bottom, FHeight)};
  if (FClip.Empty() || src.Empty()) FClip = {};
  auto build = [](std::vector<int>& map, int from, int to, int destStart, int destLen,
                  int srcStart, int srcLen) {
    map.resize(std::size_t(std::max(to - from, 0)));
    for (int d = from; d < to; ++d) {
      const long long pos = (2LL * (d - destStart) + 1) * srcLen / (2LL * destLen);
      map[std::size_t(d - from)] = srcStart + static_cast<int>(std::min<long long>(pos, srcLen - 1));
    }
  };
  build(FXMap, FClip.Left, FClip.Right, FDest.Left, FDest.Width(), src.Left, src.Width());
  build(FYMap, FClip.Top, FClip.Bottom, FDest.Top, FDest.Height(), src.Top, src.Height());
  FContiguous = true;
  for (std::size_t i = 1; i < FXMap.size(); ++i)
    if (FXMap[i] != FXMap[0] + int(i)) FContiguous = false;
  FSpanLeft = FXMap.empty() ? 0 : FXMap.front();
  FSpanCount = FXMap.empty() ? 0 : FXMap.back() - FSpanLeft + 1;
  bool sameSize = FContiguous;
  for (std::size_t i = 1; i < FYMap.size(); ++i)
    if (FYMap[i] != FYMap[0] + int(i)) sameSize = false;
  // Bilinear unless the picture is shown at its own size (or the source is
  // a single column, which the row scaler cannot read in pairs).
  FScaled = !FClip.Empty() && !sameSize && src.Width() >= 2;
  if (FScaled) {
    FXTaps.Build(FClip.Left, FClip.Right, FDest.Left, FDest.Width(), src.Left, src.Width());
    FYTaps.Build(FClip.Top, FClip.Bottom, FDest.Top, FDest.Height(), src.Top, src.Height());
    FSpanLeft = FXTaps.First.front();
    FSpanCount = FXTaps.First.back() + 2 - FSpanLeft;
    // The colour matrix of an RGB source is affine and the blend weights
    // add up to one, so it may run before the scaling: on the source
    // pixels read when they are clearly fewer than the picture's.
    const long long rows = FYTaps.First.back() + 2 - FYTaps.First.front();
    FColorsFirst = 5 * FSpanCount * rows < 4LL * FClip.Width() * FClip.Height();
    // A blend with weight 0 is its first pixel and one with weight 128 its
    // second (the kernels' rounding leaves both exact).
    FSameColumns = FSpanCount == FClip.Width();
    for (int i = 0; FSameColumns && i < FXTaps.Count(); ++i) {
      const int first = FXTaps.First[std::size_t(i)], weight = FXTaps.Weight[std::size_t(i)];
      FSameColumns = (weight == 0 && first == FSpanLeft + i) ||
                     (weight == 128 && first == FSpanLeft + i - 1);
    }
    PlanColumns(Frame.Format, Frame.Width);
    for (int k = 0; k < 2; ++k) {
      FScaledRows[k].resize(std::size_t(FClip.Width()));
      FScaledRowIndex[k] = -1;
    }
  }
  FRow.resize(std::size_t(FSpanCount));
  FMapsValid = true;
}

void TFrameCompositor::PlanColumns(TPixelFormat Format, int Width) {
  std::vector<int> index(std::size_t(FSpanCount), -1), columns;
  for (const int first : FXTaps.First)
    index[std::size_t(first - FSpanLeft)] = index[std::size_t(first + 1 - FSpanLeft)] = 0;
  for (int i = 0; i < FSpanCount; ++i)
    if (index[std::size_t(i)] == 0) {
      index[std::size_t(i)] = int(columns.size());
      columns.push_back(FSpanLeft + i);
    }
  FConvertColumns = IsYuvFormat(Format) && !FSameColumns && 4 * columns.size() < 3 * std::size_t(FSpanCount);
  if (!FConvertColumns) return;
  FColumns.Build(Format, Width, columns.data(), int(columns.size()), FSpanLeft, FSpanCount);
  FReduced.Build(Format, Width, FXTaps, FSpanLeft, FSpanCount);
  FColumnTaps = FXTaps;
  for (int& first : FColumnTaps.First) first = index[std::size_t(first - FSpanLeft)];
}

const std::uint32_t* TFrameCompositor::SourceSpan(const TFrameView& Frame, int Sy,
                                                  std::uint32_t* Out) {
  if (FCopy) FCopy->Row(Sy);
  if (FTablesYuv) {
    ConvertSpan(Frame, Sy, FSpanLeft, FSpanCount, *FYuv, Out);
    return Out;
  }
  const auto* source = reinterpret_cast<const std::uint32_t*>(
                           Frame.Plane[0] + std::ptrdiff_t(Sy) * Frame.Stride[0]) +
                       FSpanLeft;
  if (!FColorsFirst || FRgb->Kind == TRgbTables::TKind::Identity) return source;
  const int done = RgbMatrixSimd(source, nullptr, FSpanCount, *FRgb, Out);
  std::memcpy(Out + done, source + done, std::size_t(FSpanCount - done) * sizeof(std::uint32_t));
  FRgb->Apply(Out + done, FSpanCount - done);
  return Out;
}

const std::uint32_t* TFrameCompositor::ScaledRow(const TFrameView& Frame, int Sy) {
  for (int k = 0; k < 2; ++k)
    if (FScaledRowIndex[k] == Sy) return FScaledRowData[k];
  // Replace the lower row: rows are asked for in rising order.
  const int k = FScaledRowIndex[0] < FScaledRowIndex[1] ? 0 : 1;
  if (FSameColumns) {
    FScaledRowData[k] = SourceSpan(Frame, Sy, FScaledRows[k].data());
  } else if (FTablesYuv && FConvertColumns && FReduced.Pays()) {
    if (FCopy) FCopy->Row(Sy);
    FReduced.Run(Frame, Sy, *FYuv, FScaledRows[k].data());
    FScaledRowData[k] = FScaledRows[k].data();
  } else if (FTablesYuv && FConvertColumns && FColumns.Pays()) {
    if (FCopy) FCopy->Row(Sy);
    FColumns.Convert(Frame, Sy, *FYuv, FRow.data());
    ScaleRow(FRow.data(), FColumnTaps, FScaledRows[k].data());
    FScaledRowData[k] = FScaledRows[k].data();
  } else {
    ScaleRow(SourceSpan(Frame, Sy, FRow.data()) - FSpanLeft, FXTaps, FScaledRows[k].data());
    FScaledRowData[k] = FScaledRows[k].data();
  }
  FScaledRowIndex[k] = Sy;
  return FScaledRowData[k];
}

void TFrameCompositor::ComposeScaled(const TFrameView& Frame) {
  FScaledRowIndex[0] = FScaledRowIndex[1] = -1;  // a new frame
  const int n = FClip.Width();
  for (int y = FClip.Top; y < FClip.Bottom; ++y) {
    const std::size_t i = std::size_t(y - FClip.Top);
    const int first = FYTaps.First[i];
    const int weight = FYTaps.Weight[i];
    std::uint32_t* row = FSurface.data() + std::ptrdiff_t(y) * FWidth + FClip.Left;
    // Rows are asked for in rising order, so fetching the second never
    // evicts the first.
    const std::uint32_t* a = ScaledRow(Frame, first);
    const std::uint32_t* b = weight ? ScaledRow(Frame, first + 1) : a;
    if (FTablesYuv || FColorsFirst || FRgb->Kind == TRgbTables::TKind::Identity) {
      BlendRows(a, b, weight, n, row);
      continue;
    }
    // The colours after the blend, in the same pass where the kernel can.
    const int done = BlendRowsMatrixSimd(a, b, weight, n, *FRgb, row);
    BlendRows(a + done, b + done, weight, n - done, row + done);
    FRgb->Apply(row + done, n - done);
  }
}

void TFrameCompositor::FillBackground(const TVideoRect& Hole) {
  for (int y = 0; y < FHeight; ++y) {
    std::uint32_t* row = FSurface.data() + std::ptrdiff_t(y) * FWidth;
    if (Hole.Empty() || y < Hole.Top || y >= Hole.Bottom) {
      std::fill(row, row + FWidth, FBackground);
    } else {
      std::fill(row, row + Hole.Left, FBackground);
      std::fill(row + Hole.Right, row + FWidth, FBackground);
    }
  }
}

// Writes the clipped destination row for source row Sy.
void TFrameCompositor::ConvertPictureRow(const TFrameView& Frame, int Sy, std::uint32_t* Row) {
  if (FCopy) FCopy->Row(Sy);
  const int n = FClip.Width();
  if (!FTablesYuv) {
    int done = 0;
    if (FRgb->Kind != TRgbTables::TKind::Identity) {
      const auto* src = reinterpret_cast<const std::uint32_t*>(
          Frame.Plane[0] + std::ptrdiff_t(Sy) * Frame.Stride[0]);
      done = FContiguous ? RgbMatrixSimd(src + FSpanLeft, nullptr, n, *FRgb, Row)
                         : RgbMatrixSimd(src, FXMap.data(), n, *FRgb, Row);
    }
    ConvertRow(Frame, Sy, FXMap.data() + done, n - done, *FYuv, Row + done);
    FRgb->Apply(Row + done, n - done);
  } else if (FContiguous) {
    ConvertSpan(Frame, Sy, FSpanLeft, n, *FYuv, Row);
  } else {
    ConvertSpan(Frame, Sy, FSpanLeft, FSpanCount, *FYuv, FRow.data());
    const std::uint32_t* src = FRow.data() - FSpanLeft;
    for (int i = 0; i < n; ++i) Row[i] = src[FXMap[std::size_t(i)]];
  }
}

void TFrameCompositor::Compose(const TFrameView& Frame, TFrameCopy* Copy) {
  if (Frame.Width <= 0 || Frame.Height <= 0) return ComposeBlank();
  FCopy = Copy;
  Prepare(Frame);
  FillBackground(FClip);
  const int n = FClip.Width();
  if (FScaled) {
    ComposeScaled(Frame);
  } else if (!FClip.Empty()) {
    int lastSy = -1;
    const std::uint32_t* lastRow = nullptr;
    for (int y = FClip.Top; y < FClip.Bottom; ++y) {
      std::uint32_t* row = FSurface.data() + std::ptrdiff_t(y) * FWidth + FClip.Left;
      const int sy = FYMap[std::size_t(y - FClip.Top)];
      if (sy == lastSy) {  // an enlarged picture repeats rows
        std::memcpy(row, lastRow, std::size_t(n) * sizeof(std::uint32_t));
        continue;
      }
      ConvertPictureRow(Frame, sy, row);
      lastSy = sy;
      lastRow = row;
    }
  }
  FCopy = nullptr;
  if (FLayer) FLayer->Apply(FSurface.data(), FWidth, FHeight, FWidth);
}

void TFrameCompositor::ComposeBlank() {
  FillBackground({});
  if (FLayer) FLayer->Apply(FSurface.data(), FWidth, FHeight, FWidth);
}
