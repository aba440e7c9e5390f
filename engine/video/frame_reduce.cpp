#include "engine/video/frame_reduce.h"

#include <algorithm>

void TReducedRows::Build(TPixelFormat Format, int Width, const TScaleTaps& Taps, int SpanLeft,
                         int SpanCount) {
  FNv12 = Format == TPixelFormat::NV12;
  FVector = FNv12 || Format == TPixelFormat::I420 || Format == TPixelFormat::YV12;
  FCount = Taps.Count();
  FGroups.clear();
  FOthers.clear();
  const std::vector<int>& first = Taps.First;
  // ConvertSpan's split (see TColumnConversion::Build): a pixel is done in
  // the one pass when both its columns get the vector code.
  const int lead = (SpanLeft & 1) && SpanCount > 0 ? 1 : 0;
  const int from = SpanLeft + lead, to = from + (SpanCount - lead) / 8 * 8;
  auto inVector = [&](int i) { return FVector && first[std::size_t(i)] >= from && first[std::size_t(i)] + 1 < to; };
  const int step = FNv12 ? 2 : 1;
  const int chromaBytes = FNv12 ? 2 * ((Width + 1) / 2) - 1 : (Width + 1) / 2;
  // Four pixels whose eight columns fit in 16 bytes of each plane.
  auto group = [&](int at, TPairGroup& g) {
    g.At = at;
    g.Luma = first[std::size_t(at)];
    g.Chroma = (g.Luma >> 1) * step;
    if (g.Luma + 16 > Width || g.Chroma + 16 > chromaBytes) return false;
    for (int k = 0; k < 4; ++k) {
      if (!inVector(at + k)) return false;
      const int w = Taps.Weight[std::size_t(at + k)];
      g.Weights[2 * k] = std::int16_t(-w);
      g.Weights[2 * k + 1] = std::int16_t(w);
      for (int j = 0; j < 2; ++j) {
        const int column = first[std::size_t(at + k)] + j;
        const int luma = column - g.Luma, chroma = (column >> 1) * step - g.Chroma;
        if (luma >= 16 || chroma >= 16) return false;
        g.LumaLanes[2 * (2 * k + j)] = std::uint8_t(luma);
        g.ChromaLanes[2 * (2 * k + j)] = std::uint8_t(chroma);
        g.LumaLanes[2 * (2 * k + j) + 1] = g.ChromaLanes[2 * (2 * k + j) + 1] = 0x80;
      }
    }
    return true;
  };
  // Groups start at the first pixel not done yet or up to three before it
  // (a pixel depends on its taps alone, so groups may overlap).
  for (int i = 0; i < FCount;) {
    TPairGroup g;
    bool found = false;
    if (FCount >= 4)
      for (int at = std::min(i, FCount - 4); !found && at >= std::max(0, i - 3); --at) found = group(at, g);
    if (found) {
      FGroups.push_back(g);
      i = g.At + 4;
    } else {
      FOthers.push_back(i++);
    }
  }
  // The other pixels: their columns converted alone, blended by their taps.
  std::vector<int> columns;
  for (const int i : FOthers) {
    for (int c = first[std::size_t(i)]; c <= first[std::size_t(i)] + 1; ++c)
      if (std::find(columns.begin(), columns.end(), c) == columns.end()) columns.push_back(c);
  }
  std::sort(columns.begin(), columns.end());
  FOtherColumns.Build(Format, Width, columns.data(), int(columns.size()), SpanLeft, SpanCount);
  const std::size_t n = FOthers.size();
  FOtherTaps.First.resize(n);
  FOtherTaps.Weight.resize(n);
  FOtherTaps.Lanes.assign((n + 1) / 2 * 8, 0);
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = std::size_t(FOthers[k]);
    FOtherTaps.First[k] = int(std::lower_bound(columns.begin(), columns.end(), first[i]) - columns.begin());
    FOtherTaps.Weight[k] = Taps.Weight[i];
    for (std::size_t l = 0; l < 4; ++l) FOtherTaps.Lanes[k / 2 * 8 + k % 2 * 4 + l] = std::int16_t(Taps.Weight[i]);
  }
  FOtherPixels.resize(columns.size());
  FOtherOut.resize(n);
}

bool TReducedRows::Pays() const {
  return FVector && Avx2InUse() && 8 * FOthers.size() <= std::size_t(FCount);
}

void TReducedRows::Run(const TFrameView& Frame, int Sy, const TYuvTables& Tables, std::uint32_t* Dst) const {
  const std::uint8_t* y = Frame.Plane[0] + std::ptrdiff_t(Sy) * Frame.Stride[0];
  const std::uint8_t* u = Frame.Plane[1] + std::ptrdiff_t(Sy >> 1) * Frame.Stride[1];
  const std::uint8_t* v = FNv12 ? u + 1 : Frame.Plane[2] + std::ptrdiff_t(Sy >> 1) * Frame.Stride[2];
  YuvPairsAvx2(y, u, v, FGroups.data(), int(FGroups.size()), Tables, Dst);
  if (FOthers.empty()) return;
  FOtherColumns.Convert(Frame, Sy, Tables, FOtherPixels.data());
  ScaleRow(FOtherPixels.data(), FOtherTaps, FOtherOut.data());
  for (std::size_t k = 0; k < FOthers.size(); ++k) Dst[FOthers[k]] = FOtherOut[k];
}
