// Vector kernels of the frame pipeline (SSE2 where the compiler targets
// it). Each converts a run of whole groups of 8 pixels and returns how many
// pixels it did; the caller finishes the rest with the table code, which
// agrees within one step per channel. Without SSE2 they do nothing.
#pragma once

#include <cstdint>

#include "engine/graph/color_adjust.h"

// Planar 4:2:0 row: Y from y[0..n), chroma u[i / 2], v[i / 2].
int Yuv420RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst);
// NV12 row: Y from y[0..n), chroma pairs uv[2 (i / 2)], uv[2 (i / 2) + 1].
int Nv12RowSimd(const std::uint8_t* y, const std::uint8_t* uv, int n, const TYuvTables& Tables,
                std::uint32_t* Dst);
// Writes n pixels through the colour matrix: pixel i is Src[XMap[i]], or
// Src[i] without a map. Dst may be Src when there is no map.
int RgbMatrixSimd(const std::uint32_t* Src, const int* XMap, int n, const TRgbTables& Tables,
                  std::uint32_t* Dst);
