// A reduced 4:2:0 picture's rows converted straight into their scaled
// width: each destination pixel's two source columns are picked out of
// whole loads, converted and blended in one pass, with the very pixels
// that converting the span and scaling it give (frame_convert.h,
// frame_scale.h).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/video/color_adjust.h"
#include "engine/video/frame_convert.h"
#include "engine/video/frame_kernels.h"
#include "engine/video/frame_scale.h"

class TReducedRows {
 public:
  // Taps over columns of frames of Format that are Width columns wide,
  // whose span (the columns the scaler reads) is SpanCount columns from
  // SpanLeft.
  void Build(TPixelFormat Format, int Width, const TScaleTaps& Taps, int SpanLeft, int SpanCount);
  // Whether the one pass runs at the kernel level in use (AVX2) on most
  // of the row; else the caller converts and scales as before.
  bool Pays() const;
  // Dst[0..Taps.Count()) = ScaleRow of row Sy's span converted by Tables;
  // only where Pays().
  void Run(const TFrameView& Frame, int Sy, const TYuvTables& Tables, std::uint32_t* Dst) const;

 private:
  bool FVector = false;  // a 4:2:0 or NV12 frame
  bool FNv12 = false;
  int FCount = 0;
  // Groups of four destination pixels done in the one pass (they may
  // overlap), and the other pixels: their columns converted alone and
  // blended by their taps into FOthers' places.
  std::vector<TPairGroup> FGroups;
  std::vector<int> FOthers;
  TColumnConversion FOtherColumns;
  TScaleTaps FOtherTaps;
  mutable std::vector<std::uint32_t> FOtherPixels, FOtherOut;  // scratch of Run
};
