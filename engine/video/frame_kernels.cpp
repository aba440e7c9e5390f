#include "engine/video/frame_kernels.h"

#include <atomic>
#include <cstring>

#if defined(__SSE2__)
#include "engine/video/frame_simd.h"
#endif

namespace {

TKernelLevel DetectLevel() {
#if defined(__SSE2__)
  return Avx2Available() ? TKernelLevel::Avx2 : TKernelLevel::Sse2;
#else
  return TKernelLevel::Plain;
#endif
}

std::atomic<TKernelLevel> Level{BestKernelLevel()};

}  // namespace

TKernelLevel BestKernelLevel() {
  static const TKernelLevel Best = DetectLevel();
  return Best;
}

TKernelLevel KernelLevel() { return Level.load(std::memory_order_relaxed); }

bool Avx2InUse() { return KernelLevel() == TKernelLevel::Avx2; }

void SetKernelLevel(TKernelLevel L) {
  Level.store(L < BestKernelLevel() ? L : BestKernelLevel(), std::memory_order_relaxed);
}

#if defined(__SSE2__)

namespace {

using frame_simd::BiasOf;
using frame_simd::Store8;

inline __m128i Load4Bytes(const std::uint8_t* p) {
  int v;
  std::memcpy(&v, p, 4);
  return _mm_cvtsi32_si128(v);
}

// The YUV coefficients as vectors, built once per row.
struct TYuvVectors {
  __m128i Y, RU, RV, GU, GV, BU, BV, Bias;
  explicit TYuvVectors(const TYuvTables& t)
      : Y(_mm_set1_epi16(t.Q[0])), RU(_mm_set1_epi16(t.Q[1])), RV(_mm_set1_epi16(t.Q[2])),
        GU(_mm_set1_epi16(t.Q[3])), GV(_mm_set1_epi16(t.Q[4])), BU(_mm_set1_epi16(t.Q[5])),
        BV(_mm_set1_epi16(t.Q[6])), Bias(BiasOf(t.Offset4)) {}
};

// Converts 8 pixels from luma and chroma lanes already centred and scaled.
inline void Yuv8(__m128i y, __m128i u, __m128i v, const TYuvVectors& c, std::uint32_t* dst) {
  const __m128i yl = _mm_add_epi16(_mm_mulhi_epi16(y, c.Y), c.Bias);
  const __m128i r = _mm_add_epi16(yl, _mm_add_epi16(_mm_mulhi_epi16(u, c.RU), _mm_mulhi_epi16(v, c.RV)));
  const __m128i g = _mm_add_epi16(yl, _mm_add_epi16(_mm_mulhi_epi16(u, c.GU), _mm_mulhi_epi16(v, c.GV)));
  const __m128i b = _mm_add_epi16(yl, _mm_add_epi16(_mm_mulhi_epi16(u, c.BU), _mm_mulhi_epi16(v, c.BV)));
  Store8(r, g, b, dst);
}

inline __m128i Luma8(const std::uint8_t* y) {
  const __m128i v = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(y)),
                                      _mm_setzero_si128());
  return _mm_slli_epi16(_mm_sub_epi16(v, _mm_set1_epi16(16)), 7);
}

// Four chroma bytes to eight centred, scaled lanes (each sample twice).
inline __m128i Chroma4(const std::uint8_t* c) {
  __m128i v = _mm_unpacklo_epi8(Load4Bytes(c), _mm_setzero_si128());
  v = _mm_slli_epi16(_mm_sub_epi16(v, _mm_set1_epi16(128)), 7);
  return _mm_unpacklo_epi16(v, v);
}

// Eight chroma bytes to eight centred, scaled lanes.
inline __m128i Chroma8(const std::uint8_t* c) {
  const __m128i v = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(c)),
                                      _mm_setzero_si128());
  return _mm_slli_epi16(_mm_sub_epi16(v, _mm_set1_epi16(128)), 7);
}

}  // namespace

int Yuv420RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst) {
  if (KernelLevel() == TKernelLevel::Plain) return 0;
  int i = Avx2InUse() ? Yuv420RowAvx2(y, u, v, n, Tables, Dst) : 0;
  const TYuvVectors c(Tables);
  for (; i + 8 <= n; i += 8) Yuv8(Luma8(y + i), Chroma4(u + i / 2), Chroma4(v + i / 2), c, Dst + i);
  return i;
}

int Yuv444RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst) {
  if (KernelLevel() == TKernelLevel::Plain) return 0;
  int i = Avx2InUse() ? Yuv444RowAvx2(y, u, v, n, Tables, Dst) : 0;
  const TYuvVectors c(Tables);
  for (; i + 8 <= n; i += 8) Yuv8(Luma8(y + i), Chroma8(u + i), Chroma8(v + i), c, Dst + i);
  return i;
}

int Nv12RowSimd(const std::uint8_t* y, const std::uint8_t* uv, int n, const TYuvTables& Tables,
                std::uint32_t* Dst) {
  if (KernelLevel() == TKernelLevel::Plain) return 0;
  const TYuvVectors c(Tables);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m128i pairs = _mm_unpacklo_epi8(
        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(uv + i)), _mm_setzero_si128());
    pairs = _mm_slli_epi16(_mm_sub_epi16(pairs, _mm_set1_epi16(128)), 7);
    const __m128i u = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pairs, 0xA0), 0xA0);  // 0,0,2,2
    const __m128i v = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pairs, 0xF5), 0xF5);  // 1,1,3,3
    Yuv8(Luma8(y + i), u, v, c, Dst + i);
  }
  return i;
}

int RgbMatrixSimd(const std::uint32_t* Src, const int* XMap, int n, const TRgbTables& Tables,
                  std::uint32_t* Dst) {
  if (KernelLevel() == TKernelLevel::Plain) return 0;
  // The SSE2 code takes what the AVX2 code leaves, so that the table code
  // gets the same tail at both levels.
  int i = Avx2InUse() ? RgbMatrixAvx2(Src, XMap, n, Tables, Dst) : 0;
  for (; i + 8 <= n; i += 8) {
    __m128i p0, p1;
    if (XMap) {
      const int* x = XMap + i;
      p0 = _mm_setr_epi32(int(Src[x[0]]), int(Src[x[1]]), int(Src[x[2]]), int(Src[x[3]]));
      p1 = _mm_setr_epi32(int(Src[x[4]]), int(Src[x[5]]), int(Src[x[6]]), int(Src[x[7]]));
    } else {
      p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i));
      p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Src + i + 4));
    }
    frame_simd::Matrix8(p0, p1, Tables, Dst + i);
  }
  return i;
}

int BlendRowsMatrixSimd(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                        const TRgbTables& Tables, std::uint32_t* Dst) {
  if (KernelLevel() == TKernelLevel::Plain) return 0;
  const __m128i w = _mm_set1_epi16(std::int16_t(Weight));
  auto blend = [&](int k) {
    return frame_simd::Blend4(_mm_loadu_si128(reinterpret_cast<const __m128i*>(A + k)),
                              _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + k)), w);
  };
  int i = Avx2InUse() ? BlendRowsMatrixAvx2(A, B, Weight, n, Tables, Dst) : 0;
  for (; i + 8 <= n; i += 8) frame_simd::Matrix8(blend(i), blend(i + 4), Tables, Dst + i);
  return i;
}

#else

int Yuv420RowSimd(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int,
                  const TYuvTables&, std::uint32_t*) {
  return 0;
}
int Nv12RowSimd(const std::uint8_t*, const std::uint8_t*, int, const TYuvTables&, std::uint32_t*) {
  return 0;
}
int Yuv444RowSimd(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int,
                  const TYuvTables&, std::uint32_t*) {
  return 0;
}
int RgbMatrixSimd(const std::uint32_t*, const int*, int, const TRgbTables&, std::uint32_t*) {
  return 0;
}
int BlendRowsMatrixSimd(const std::uint32_t*, const std::uint32_t*, int, int, const TRgbTables&,
                        std::uint32_t*) {
  return 0;
}

#endif
