// The AVX2 versions of the frame kernels: the same arithmetic as the SSE2
// code, twice as many pixels per instruction. Compiled for AVX2 function by
// function (the rest of the program keeps its own target), run only where
// the processor has it.
#include <cstdint>

#if defined(__SSE2__) && defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#define LC_FRAME_AVX2 1
#include <immintrin.h>
#endif

#include "engine/video/frame_kernels.h"

#if defined(LC_FRAME_AVX2)

// Everything below is compiled for AVX2; nothing before it is.
#pragma GCC push_options
#pragma GCC target("avx2")

namespace {

inline __m256i Load(const std::uint32_t* p) {
  return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
}
inline void Store(std::uint32_t* p, __m256i v) {
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v);
}
inline __m128i Load8Bytes(const std::uint32_t* p) {
  return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
}

// x + ((y - x) w + 64) / 128 on 16-bit lanes (rounding down).
inline __m256i Lerp16(__m256i x, __m256i y, __m256i w) {
  const __m256i d = _mm256_mullo_epi16(_mm256_sub_epi16(y, x), w);
  return _mm256_add_epi16(x, _mm256_srai_epi16(_mm256_add_epi16(d, _mm256_set1_epi16(64)), 7));
}

// Eight pixels of a blended with eight of b; alpha blended, not cleared.
inline __m256i Blend8(__m256i a, __m256i b, __m256i w) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i lo = Lerp16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero), w);
  const __m256i hi = Lerp16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero), w);
  return _mm256_packus_epi16(lo, hi);
}

inline __m256i Mul(__m256i v, std::int16_t q) { return _mm256_mulhi_epi16(v, _mm256_set1_epi16(q)); }

inline __m256i BiasOf(std::int16_t Offset4) {
  return _mm256_set1_epi16(static_cast<std::int16_t>(Offset4 + 3));
}

// Red, green and blue sums (two fraction bits) of 16 pixels to two
// registers of 8 pixels: lo gets the first half of each 128-bit lane's
// lanes, hi the second half.
inline void Pack16(__m256i r, __m256i g, __m256i b, __m256i& lo, __m256i& hi) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i r8 = _mm256_packus_epi16(_mm256_srai_epi16(r, 2), zero);
  const __m256i g8 = _mm256_packus_epi16(_mm256_srai_epi16(g, 2), zero);
  const __m256i b8 = _mm256_packus_epi16(_mm256_srai_epi16(b, 2), zero);
  const __m256i bg = _mm256_unpacklo_epi8(b8, g8);
  const __m256i r0 = _mm256_unpacklo_epi8(r8, zero);
  lo = _mm256_unpacklo_epi16(bg, r0);
  hi = _mm256_unpackhi_epi16(bg, r0);
}

// Pixels 0..7 in p0 and 8..15 in p1 through the colour matrix to dst. The
// 32-to-16-bit packing takes lanes 0-3, 8-11 | 4-7, 12-15, which Pack16's
// halves put back in order.
inline void Matrix16(__m256i p0, __m256i p1, const TRgbTables& Tables, std::uint32_t* dst) {
  const __m256i mask = _mm256_set1_epi32(0xFF << 7);
  const __m256i bias = BiasOf(Tables.Offset4);
  const auto& q = Tables.Q;
  const __m256i r = _mm256_packs_epi32(_mm256_and_si256(_mm256_srli_epi32(p0, 9), mask),
                                       _mm256_and_si256(_mm256_srli_epi32(p1, 9), mask));
  const __m256i g = _mm256_packs_epi32(_mm256_and_si256(_mm256_srli_epi32(p0, 1), mask),
                                       _mm256_and_si256(_mm256_srli_epi32(p1, 1), mask));
  const __m256i b = _mm256_packs_epi32(_mm256_and_si256(_mm256_slli_epi32(p0, 7), mask),
                                       _mm256_and_si256(_mm256_slli_epi32(p1, 7), mask));
  auto out = [&](int o) {
    return _mm256_add_epi16(_mm256_add_epi16(Mul(r, q[o][0]), bias),
                            _mm256_add_epi16(Mul(g, q[o][1]), Mul(b, q[o][2])));
  };
  __m256i lo, hi;
  Pack16(out(0), out(1), out(2), lo, hi);
  Store(dst, lo);
  Store(dst + 8, hi);
}

// Eight source values of a plane (centred, scaled by 128) as 16 lanes,
// each twice: chroma of 4:2:0 rows.
inline __m256i Chroma8(const std::uint8_t* c) {
  __m256i v = _mm256_cvtepu8_epi16(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(c)));
  v = _mm256_slli_epi16(_mm256_sub_epi16(v, _mm256_set1_epi16(128)), 7);
  // Values 0-3 to the first 128-bit lane, 4-7 to the second, each doubled.
  v = _mm256_permute4x64_epi64(v, 0x50);
  return _mm256_unpacklo_epi16(v, v);
}

}  // namespace

int RgbMatrixAvx2(const std::uint32_t* Src, const int* XMap, int n, const TRgbTables& Tables,
                  std::uint32_t* Dst) {
  int i = 0;
  for (; i + 16 <= n; i += 16) {
    __m256i p0, p1;
    if (XMap) {
      const int* x = XMap + i;
      p0 = _mm256_setr_epi32(int(Src[x[0]]), int(Src[x[1]]), int(Src[x[2]]), int(Src[x[3]]),
                             int(Src[x[4]]), int(Src[x[5]]), int(Src[x[6]]), int(Src[x[7]]));
      p1 = _mm256_setr_epi32(int(Src[x[8]]), int(Src[x[9]]), int(Src[x[10]]), int(Src[x[11]]),
                             int(Src[x[12]]), int(Src[x[13]]), int(Src[x[14]]), int(Src[x[15]]));
    } else {
      p0 = Load(Src + i);
      p1 = Load(Src + i + 8);
    }
    Matrix16(p0, p1, Tables, Dst + i);
  }
  return i;
}

int BlendRowsMatrixAvx2(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                        const TRgbTables& Tables, std::uint32_t* Dst) {
  const __m256i w = _mm256_set1_epi16(std::int16_t(Weight));
  int i = 0;
  for (; i + 16 <= n; i += 16)
    Matrix16(Blend8(Load(A + i), Load(B + i), w), Blend8(Load(A + i + 8), Load(B + i + 8), w),
             Tables, Dst + i);
  return i;
}

int BlendRowsAvx2(const std::uint32_t* A, const std::uint32_t* B, int Weight, int n,
                  std::uint32_t* Dst) {
  const __m256i w = _mm256_set1_epi16(std::int16_t(Weight));
  const __m256i mask = _mm256_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 8 <= n; i += 8)
    Store(Dst + i, _mm256_and_si256(Blend8(Load(A + i), Load(B + i), w), mask));
  return i;
}

namespace {

// Eight destination pixels whose pairs all lie in the eight source pixels
// from Src (and the eight from Src + 1): the pairs are picked out of two
// loads instead of gathered. Idx is each pixel's first source minus
// Src's; W01 and W23 are the weights of pixels 0..3 and 4..7 as in Lanes.
inline __m256i Enlarge8(const std::uint32_t* Src, __m256i Idx, __m256i W01, __m256i W23) {
  const __m256i zero = _mm256_setzero_si256();
  const __m256i a = _mm256_permutevar8x32_epi32(Load(Src), Idx);
  const __m256i b = _mm256_permutevar8x32_epi32(Load(Src + 1), Idx);
  // The 16-bit halves hold pixels 0 1 | 4 5 and 2 3 | 6 7.
  const __m256i lo = Lerp16(_mm256_unpacklo_epi8(a, zero), _mm256_unpacklo_epi8(b, zero),
                            _mm256_permute2x128_si256(W01, W23, 0x20));
  const __m256i hi = Lerp16(_mm256_unpackhi_epi8(a, zero), _mm256_unpackhi_epi8(b, zero),
                            _mm256_permute2x128_si256(W01, W23, 0x31));
  return _mm256_packus_epi16(lo, hi);
}

}  // namespace

int ScaleRowAvx2(const std::uint32_t* Src, const int* First, const std::int16_t* Lanes, int n,
                 std::uint32_t* Dst) {
  if (n <= 0) return 0;
  // Four destination pixels per register: 128-bit lane 0 takes pixels 0
  // and 1, lane 1 pixels 2 and 3, each as a + (b - a) w / 128 on the
  // source pairs (a, b); the weights of pixels 0..3 are 32 bytes of Lanes.
  auto four = [&](int k) {
    const __m256i x = _mm256_cvtepu8_epi16(
        _mm_unpacklo_epi64(Load8Bytes(Src + First[k]), Load8Bytes(Src + First[k + 2])));
    const __m256i y = _mm256_cvtepu8_epi16(
        _mm_unpacklo_epi64(Load8Bytes(Src + First[k + 1]), Load8Bytes(Src + First[k + 3])));
    const __m256i w = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Lanes + 4 * k));
    return Lerp16(_mm256_unpacklo_epi64(x, y), _mm256_unpackhi_epi64(x, y), w);
  };
  const int last = First[n - 1] + 1;  // the last source pixel the row reads
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    const int f = First[i];
    // The source row comes from memory: ask for it 2 KB ahead.
    _mm_prefetch(reinterpret_cast<const char*>(Src + f + 512), _MM_HINT_T0);
    if (First[i + 7] - f <= 7 && f + 8 <= last) {  // an enlarging stretch
      const __m256i idx = _mm256_sub_epi32(
          _mm256_loadu_si256(reinterpret_cast<const __m256i*>(First + i)), _mm256_set1_epi32(f));
      const auto* w = reinterpret_cast<const __m256i*>(Lanes + 4 * i);
      Store(Dst + i, Enlarge8(Src + f, idx, _mm256_loadu_si256(w), _mm256_loadu_si256(w + 1)));
      continue;
    }
    // Lanes hold pixels 0 1 4 5 | 2 3 6 7 after the packing.
    const __m256i p = _mm256_packus_epi16(four(i), four(i + 4));
    Store(Dst + i, _mm256_permute4x64_epi64(p, 0xD8));
  }
  return i;
}

namespace {

// Sixteen bytes of a plane as 16 centred lanes scaled by 128 (Centre is 16
// for luma, 128 for chroma).
inline __m256i Lanes16(const std::uint8_t* p, int Centre) {
  const __m256i v = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
  return _mm256_slli_epi16(_mm256_sub_epi16(v, _mm256_set1_epi16(std::int16_t(Centre))), 7);
}

// Sixteen pixels from their luma and chroma lanes (pixel i in lane i) to
// Dst, with the arithmetic of the SSE2 code.
inline void Yuv16(__m256i l, __m256i cu, __m256i cv, const TYuvTables& Tables, std::uint32_t* Dst) {
  const __m256i yl = _mm256_add_epi16(Mul(l, Tables.Q[0]), BiasOf(Tables.Offset4));
  auto sum = [&](int qu, int qv) {
    return _mm256_add_epi16(yl, _mm256_add_epi16(Mul(cu, Tables.Q[qu]), Mul(cv, Tables.Q[qv])));
  };
  __m256i lo, hi;
  Pack16(sum(1, 2), sum(3, 4), sum(5, 6), lo, hi);
  // lo holds pixels 0-3 | 8-11, hi 4-7 | 12-15.
  Store(Dst, _mm256_permute2x128_si256(lo, hi, 0x20));
  Store(Dst + 8, _mm256_permute2x128_si256(lo, hi, 0x31));
}

}  // namespace

int Yuv420RowAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst) {
  int i = 0;
  for (; i + 16 <= n; i += 16) Yuv16(Lanes16(y + i, 16), Chroma8(u + i / 2), Chroma8(v + i / 2), Tables, Dst + i);
  return i;
}

int Yuv444RowAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v, int n,
                  const TYuvTables& Tables, std::uint32_t* Dst) {
  int i = 0;
  for (; i + 16 <= n; i += 16)
    Yuv16(Lanes16(y + i, 16), Lanes16(u + i, 128), Lanes16(v + i, 128), Tables, Dst + i);
  return i;
}

namespace {

inline __m256i Pair(const std::uint8_t* a, const std::uint8_t* b) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}
inline __m256i Lanes(const std::uint8_t (&a)[16], const std::uint8_t (&b)[16]) {
  return _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(b)), 1);
}
inline __m256i Centred(__m256i Words, int Centre) {
  return _mm256_slli_epi16(_mm256_sub_epi16(Words, _mm256_set1_epi16(std::int16_t(Centre))), 7);
}

// Groups a and b (which may be the same) to their places in Dst.
inline void Columns16(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                      const TColumnGroup& a, const TColumnGroup& b, const TYuvTables& Tables,
                      std::uint32_t* Dst) {
  const __m256i luma = Lanes(a.LumaLanes, b.LumaLanes);
  const __m256i chroma = Lanes(a.ChromaLanes, b.ChromaLanes);
  alignas(32) std::uint32_t both[16];
  Yuv16(Centred(_mm256_shuffle_epi8(Pair(y + a.Luma, y + b.Luma), luma), 16),
        Centred(_mm256_shuffle_epi8(Pair(u + a.Chroma, u + b.Chroma), chroma), 128),
        Centred(_mm256_shuffle_epi8(Pair(v + a.Chroma, v + b.Chroma), chroma), 128), Tables, both);
  Store(Dst + a.At, Load(both));
  Store(Dst + b.At, Load(both + 8));
}

}  // namespace

void YuvColumnsAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                    const TColumnGroup* Groups, int Count, const TYuvTables& Tables,
                    std::uint32_t* Dst) {
  int g = 0;
  for (; g + 2 <= Count; g += 2) Columns16(y, u, v, Groups[g], Groups[g + 1], Tables, Dst);
  if (g < Count) Columns16(y, u, v, Groups[g], Groups[g], Tables, Dst);
}

namespace {

// One channel's sums (two fraction bits) of 8 column pairs per 128-bit
// lane to the 4 blended bytes of each lane as 32-bit lanes: the bytes are
// the clamped sums (as the conversion stores them), blended a + ((b - a) w
// + 64) / 128 (as the scaler does).
inline __m256i BlendPairs(__m256i Sums, __m256i Weights) {
  const __m256i bytes = _mm256_min_epi16(_mm256_max_epi16(_mm256_srai_epi16(Sums, 2), _mm256_setzero_si256()),
                                         _mm256_set1_epi16(255));
  const __m256i first = _mm256_and_si256(bytes, _mm256_set1_epi32(0xFFFF));
  const __m256i step = _mm256_madd_epi16(bytes, Weights);  // (b - a) w
  return _mm256_add_epi32(first, _mm256_srai_epi32(_mm256_add_epi32(step, _mm256_set1_epi32(64)), 7));
}

inline void Pairs8(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                   const TPairGroup& a, const TPairGroup& b, const TYuvTables& Tables, std::uint32_t* Dst) {
  const __m256i luma = Lanes(a.LumaLanes, b.LumaLanes);
  const __m256i chroma = Lanes(a.ChromaLanes, b.ChromaLanes);
  const __m256i l = Centred(_mm256_shuffle_epi8(Pair(y + a.Luma, y + b.Luma), luma), 16);
  const __m256i cu = Centred(_mm256_shuffle_epi8(Pair(u + a.Chroma, u + b.Chroma), chroma), 128);
  const __m256i cv = Centred(_mm256_shuffle_epi8(Pair(v + a.Chroma, v + b.Chroma), chroma), 128);
  const __m256i w = _mm256_inserti128_si256(
      _mm256_castsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a.Weights))),
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(b.Weights)), 1);
  const __m256i yl = _mm256_add_epi16(Mul(l, Tables.Q[0]), BiasOf(Tables.Offset4));
  auto sum = [&](int qu, int qv) {
    return _mm256_add_epi16(yl, _mm256_add_epi16(Mul(cu, Tables.Q[qu]), Mul(cv, Tables.Q[qv])));
  };
  const __m256i r = BlendPairs(sum(1, 2), w), g = BlendPairs(sum(3, 4), w), bl = BlendPairs(sum(5, 6), w);
  const __m256i px = _mm256_or_si256(_mm256_or_si256(_mm256_slli_epi32(r, 16), _mm256_slli_epi32(g, 8)), bl);
  _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + a.At), _mm256_castsi256_si128(px));
  _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + b.At), _mm256_extracti128_si256(px, 1));
}

}  // namespace

void YuvPairsAvx2(const std::uint8_t* y, const std::uint8_t* u, const std::uint8_t* v,
                  const TPairGroup* Groups, int Count, const TYuvTables& Tables, std::uint32_t* Dst) {
  int g = 0;
  for (; g + 2 <= Count; g += 2) Pairs8(y, u, v, Groups[g], Groups[g + 1], Tables, Dst);
  if (g < Count) Pairs8(y, u, v, Groups[g], Groups[g], Tables, Dst);
}

#pragma GCC pop_options

bool Avx2Available() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2");
}

#else

int RgbMatrixAvx2(const std::uint32_t*, const int*, int, const TRgbTables&, std::uint32_t*) {
  return 0;
}
int BlendRowsMatrixAvx2(const std::uint32_t*, const std::uint32_t*, int, int, const TRgbTables&,
                        std::uint32_t*) {
  return 0;
}
int BlendRowsAvx2(const std::uint32_t*, const std::uint32_t*, int, int, std::uint32_t*) { return 0; }
int ScaleRowAvx2(const std::uint32_t*, const int*, const std::int16_t*, int, std::uint32_t*) {
  return 0;
}
int Yuv420RowAvx2(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int,
                  const TYuvTables&, std::uint32_t*) {
  return 0;
}
int Yuv444RowAvx2(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int,
                  const TYuvTables&, std::uint32_t*) {
  return 0;
}
void YuvColumnsAvx2(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*,
                    const TColumnGroup*, int, const TYuvTables&, std::uint32_t*) {}
void YuvPairsAvx2(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, const TPairGroup*,
                  int, const TYuvTables&, std::uint32_t*) {}
bool Avx2Available() { return false; }

#endif
