// Vector kernels of the frame pipeline (SSE2 where the compiler targets
// it, AVX2 where the processor also has it). Each converts a run of whole
// groups of 8 pixels and returns how many pixels it did; the caller
// finishes the rest with the table code, which agrees within one step per
// channel. Without SSE2 (or at TKernelLevel::Plain) they do nothing. The
// AVX2 code takes groups of 16 and leaves the rest to the SSE2 code, so
// both levels give the same pixels.
#pragma once

#include <cstdint>

#include "engine/video/color_adjust.h"

// Which vector code the kernels (and the scaler) run.
enum class TKernelLevel { Plain, Sse2, Avx2 };
// The widest level the build and the processor allow.
TKernelLevel BestKernelLevel();
// The level in use, BestKernelLevel() unless narrowed (to compare paths).
TKernelLevel KernelLevel();
// Narrows or restores the level; it is limited to BestKernelLevel().
void SetKernelLevel(TKernelLevel Level);
// Whether the AVX2 code runs: the level in use is AVX2. Every caller of the
// ...Avx2 functions below and of the one pass that needs them asks this.
bool Avx2InUse();

// Planar 4:2:0 row: Y from y[0..n), chroma u[i / 2], v[i / 2].
int Yuv420RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst);
// NV12 row: Y from y[0..n), chroma pairs uv[2 (i / 2)], uv[2 (i / 2) + 1].
int Nv12RowSimd(const std::uint8_t* y, const std::uint8_t* uv, int n, const TYuvTables& Tables,
                std::uint32_t* Dst);
// A row whose pixels each bring their own chroma: Y y[i], Cb u[i], Cr
// v[i]. A pixel gets the same value as from the 4:2:0 and NV12 kernels.
int Yuv444RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst);
// Eight columns of a 4:2:0 row picked out of 16 bytes from Luma of the
// luma row and 16 from Chroma of each chroma row (Cb; Cr lies as far from
// its row's start): the byte shuffles that put column k's luma and chroma
// into 16-bit lane k (the high bytes 0x80, zero). Their pixels go to
// Dst[At..At + 8).
struct TColumnGroup {
  int At = 0, Luma = 0, Chroma = 0;
  std::uint8_t LumaLanes[16];
  std::uint8_t ChromaLanes[16];
};
// Converts the Count groups' columns of a row whose planes' rows start at
// y, u and v (for NV12, u at the Cb and v at the Cr of its first pair) to
// Dst, 8 pixels a group at its place, as the 4:2:0 kernels would (AVX2
// only). Groups may overlap: a pixel's value depends on its column alone.
void YuvColumnsAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                    const TColumnGroup* Groups, int Count, const TYuvTables& Tables,
                    std::uint32_t* Dst);
// Four destination pixels of a reduced 4:2:0 row, each the blend of two
// neighbouring source columns: their columns picked out of whole loads as
// a TColumnGroup's (lanes 2k and 2k + 1 are pixel k's first and second
// column), and the blend weights as 16-bit lanes (-w, w) per pixel. The
// pixels go to Dst[At..At + 4).
struct TPairGroup {
  int At = 0, Luma = 0, Chroma = 0;
  std::uint8_t LumaLanes[16];
  std::uint8_t ChromaLanes[16];
  std::int16_t Weights[8];
};
// Converts and blends the Count groups' pixels of a row (planes as for
// YuvColumnsAvx2) to Dst: the pixels of converting the columns as the
// 4:2:0 kernels do and blending them as ScaleRow does (AVX2 only).
void YuvPairsAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                  const TPairGroup* Groups, int Count, const TYuvTables& Tables, std::uint32_t* Dst);
// Writes n pixels through the colour matrix: pixel i is Src[XMap[i]], or
// Src[i] without a map. Dst may be Src when there is no map.
int RgbMatrixSimd(const std::uint32_t* Src, const int* XMap, int n, const TRgbTables& Tables,
                  std::uint32_t* Dst);
// BlendRows of A and B by Weight followed by RgbMatrixSimd, in one pass
// and with the same pixels as the two.
int BlendRowsMatrixSimd(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                        const TRgbTables& Tables, std::uint32_t* Dst);

// The AVX2 versions behind the kernels and the scaler (frame_kernels_avx2);
// called only where Avx2InUse().
int RgbMatrixAvx2(const std::uint32_t* Src, const int* XMap, int n, const TRgbTables& Tables,
                  std::uint32_t* Dst);
int BlendRowsMatrixAvx2(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                        const TRgbTables& Tables, std::uint32_t* Dst);
int Yuv420RowAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst);
int Yuv444RowAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst);
// Pixels 0..n of ScaleRow and BlendRows (frame_scale.h) in whole groups.
int ScaleRowAvx2(const std::uint32_t* Src, const int* First, const std::int16_t* Lanes, int n,
                 std::uint32_t* Dst);
int BlendRowsAvx2(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                  std::uint32_t* Dst);
bool Avx2Available();
