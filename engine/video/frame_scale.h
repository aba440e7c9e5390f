// Bilinear resampling of 32-bit pixels, one axis at a time: each
// destination pixel blends two neighbouring source pixels with a weight in
// 1/128 steps. Pixel centres are aligned (destination pixel d samples the
// source at (d + 0.5) * SourceLength / DestLength - 0.5).
#pragma once

#include <cstdint>
#include <vector>

// The taps of one axis for destination pixels From..To of a destination
// DestLength long starting at DestStart, over SourceLength source pixels
// starting at SourceStart: pixel i blends source First[i] and First[i] + 1
// (both inside the source) with Weight[i] / 128 of the second. A source
// of one pixel gives First = SourceStart and Weight 0 throughout (callers
// that would still read First + 1, as ScaleRow does, need two pixels).
struct TScaleTaps {
  std::vector<int> First;
  std::vector<std::uint8_t> Weight;
  // The weights of pixels 2k and 2k + 1 as the vector kernel takes them:
  // 4 x Weight[2k], 4 x Weight[2k + 1].
  std::vector<std::int16_t> Lanes;

  void Build(int From, int To, int DestStart, int DestLength, int SourceStart, int SourceLength);
  int Count() const { return int(First.size()); }
};

// Dst[i] = blend of Src[First[i]] and Src[First[i] + 1] by Weight[i].
void ScaleRow(const std::uint32_t* Src, const TScaleTaps& Taps, std::uint32_t* Dst);

// Dst[i] = A[i] blended with B[i] by Weight / 128, alpha byte cleared.
void BlendRows(const std::uint32_t* A, const std::uint32_t* B, int Weight, int Count,
               std::uint32_t* Dst);
