#include "engine/graph/frame_kernels.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>

namespace {

// Values are scaled by 128 before the multiply, so mulhi with a 1/2048
// coefficient gives four times the product (two fraction bits).
inline __m128i Mul(__m128i v, int16_t q) { return _mm_mulhi_epi16(v, _mm_set1_epi16(q)); }

// mulhi truncates downwards, about half a unit per product: the constant
// rounds and makes up for that.
inline __m128i BiasOf(int16_t Offset4) { return _mm_set1_epi16(static_cast<int16_t>(Offset4 + 3)); }

// Stores 8 pixels from red, green and blue sums with two fraction bits.
inline void Store8(__m128i r, __m128i g, __m128i b, std::uint32_t* dst) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i r8 = _mm_packus_epi16(_mm_srai_epi16(r, 2), zero);
  const __m128i g8 = _mm_packus_epi16(_mm_srai_epi16(g, 2), zero);
  const __m128i b8 = _mm_packus_epi16(_mm_srai_epi16(b, 2), zero);
  const __m128i bg = _mm_unpacklo_epi8(b8, g8);
  const __m128i r0 = _mm_unpacklo_epi8(r8, zero);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst), _mm_unpacklo_epi16(bg, r0));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 4), _mm_unpackhi_epi16(bg, r0));
}

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

}  // namespace

int Yuv420RowSimd(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst) {
  const TYuvVectors c(Tables);
  int i = 0;
  for (; i + 8 <= n; i += 8) Yuv8(Luma8(y + i), Chroma4(u + i / 2), Chroma4(v + i / 2), c, Dst + i);
  return i;
}

int Nv12RowSimd(const std::uint8_t* y, const std::uint8_t* uv, int n, const TYuvTables& Tables,
                std::uint32_t* Dst) {
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
  const __m128i mask = _mm_set1_epi32(0xFF << 7);
  const __m128i bias = BiasOf(Tables.Offset4);
  const auto& q = Tables.Q;
  int i = 0;
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
    // Each channel as 16-bit lanes already scaled by 128: moved so that
    // its lowest bit lands on bit 7, then masked.
    const __m128i r = _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(p0, 9), mask),
                                      _mm_and_si128(_mm_srli_epi32(p1, 9), mask));
    const __m128i g = _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(p0, 1), mask),
                                      _mm_and_si128(_mm_srli_epi32(p1, 1), mask));
    const __m128i b = _mm_packs_epi32(_mm_and_si128(_mm_slli_epi32(p0, 7), mask),
                                      _mm_and_si128(_mm_slli_epi32(p1, 7), mask));
    auto out = [&](int o) {
      return _mm_add_epi16(_mm_add_epi16(Mul(r, q[o][0]), bias),
                           _mm_add_epi16(Mul(g, q[o][1]), Mul(b, q[o][2])));
    };
    Store8(out(0), out(1), out(2), Dst + i);
  }
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
int RgbMatrixSimd(const std::uint32_t*, const int*, int, const TRgbTables&, std::uint32_t*) {
  return 0;
}

#endif
