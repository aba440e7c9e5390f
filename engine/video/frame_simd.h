// SSE2 building blocks shared by the frame pipeline's kernels (the
// scaler's blends and the colour matrix). Include only where __SSE2__ is
// defined.
#pragma once

#include <cstdint>

#include <emmintrin.h>

#include "engine/video/color_adjust.h"

namespace frame_simd {

// x + ((y - x) w + 64) / 128 on 16-bit lanes (rounding down), w per lane.
inline __m128i Lerp16(__m128i x, __m128i y, __m128i w) {
  const __m128i d = _mm_mullo_epi16(_mm_sub_epi16(y, x), w);
  return _mm_add_epi16(x, _mm_srai_epi16(_mm_add_epi16(d, _mm_set1_epi16(64)), 7));
}

// Four pixels of a blended with four of b by w (8 lanes of one weight);
// the alpha byte is blended too and left for the caller to clear.
inline __m128i Blend4(__m128i a, __m128i b, __m128i w) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i lo = Lerp16(_mm_unpacklo_epi8(a, zero), _mm_unpacklo_epi8(b, zero), w);
  const __m128i hi = Lerp16(_mm_unpackhi_epi8(a, zero), _mm_unpackhi_epi8(b, zero), w);
  return _mm_packus_epi16(lo, hi);
}

// Values are scaled by 128 before the multiply, so mulhi with a 1/2048
// coefficient gives four times the product (two fraction bits).
inline __m128i Mul(__m128i v, int16_t q) { return _mm_mulhi_epi16(v, _mm_set1_epi16(q)); }

// mulhi truncates downwards, about half a unit per product: the constant
// rounds and makes up for that.
inline __m128i BiasOf(int16_t Offset4) {
  return _mm_set1_epi16(static_cast<int16_t>(Offset4 + 3));
}

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

// Pixels 0..3 in p0 and 4..7 in p1 through the colour matrix to dst.
inline void Matrix8(__m128i p0, __m128i p1, const TRgbTables& Tables, std::uint32_t* dst) {
  const __m128i mask = _mm_set1_epi32(0xFF << 7);
  const __m128i bias = BiasOf(Tables.Offset4);
  const auto& q = Tables.Q;
  // Each channel as 16-bit lanes already scaled by 128: moved so that its
  // lowest bit lands on bit 7, then masked.
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
  Store8(out(0), out(1), out(2), dst);
}

}  // namespace frame_simd
