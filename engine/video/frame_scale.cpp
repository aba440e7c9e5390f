#include "engine/video/frame_scale.h"

#include <algorithm>

#include "engine/video/frame_kernels.h"

#if defined(__SSE2__)
#include "engine/video/frame_simd.h"
#endif

namespace {

// a + ((b - a) w + 64) / 128 per channel (rounding down), as the vector
// kernels compute it; the alpha byte is cleared.
inline std::uint32_t Lerp(std::uint32_t a, std::uint32_t b, int w) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const int x = int((a >> shift) & 255), y = int((b >> shift) & 255);
    out |= std::uint32_t(x + (((y - x) * w + 64) >> 7)) << shift;
  }
  return out;
}

}  // namespace

void TScaleTaps::Build(int From, int To, int DestStart, int DestLength, int SourceStart,
                       int SourceLength) {
  const int n = std::max(To - From, 0);
  First.resize(std::size_t(n));
  Weight.resize(std::size_t(n));
  Lanes.assign(std::size_t(n + 1) / 2 * 8, 0);
  for (int i = 0; i < n; ++i) {
    const long long d = From + i - DestStart;
    // Source position in 1/128 pixel, relative to SourceStart.
    long long pos = ((2 * d + 1) * SourceLength * 128) / (2LL * DestLength) - 64;
    pos = std::clamp<long long>(pos, 0, (SourceLength - 1) * 128LL);
    int first = int(pos >> 7);
    int w = int(pos & 127);
    if (SourceLength == 1) {
      w = 0;  // the second pixel is never read
    } else if (first >= SourceLength - 1) {
      first = SourceLength - 2;
      w = 128;
    }
    First[std::size_t(i)] = SourceStart + first;
    Weight[std::size_t(i)] = std::uint8_t(w);
    for (int k = 0; k < 4; ++k) Lanes[std::size_t(i / 2) * 8 + std::size_t(i % 2) * 4 + k] = std::int16_t(w);
  }
}

void ScaleRow(const std::uint32_t* Src, const TScaleTaps& Taps, std::uint32_t* Dst) {
  const int n = Taps.Count();
  const int* first = Taps.First.data();
  int i = 0;
#if defined(__SSE2__)
  if (Avx2InUse()) i = ScaleRowAvx2(Src, first, Taps.Lanes.data(), n, Dst);
  if (KernelLevel() != TKernelLevel::Plain) {
    const auto* lanes = reinterpret_cast<const __m128i*>(Taps.Lanes.data());
    // Two destination pixels per register: a + (b - a) * w / 128 on the
    // pixel pairs (a, b) loaded side by side.
    auto two = [&](int k) {
      const __m128i zero = _mm_setzero_si128();
      const __m128i x0 = _mm_unpacklo_epi8(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(Src + first[k])), zero);
      const __m128i x1 = _mm_unpacklo_epi8(
          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(Src + first[k + 1])), zero);
      return frame_simd::Lerp16(_mm_unpacklo_epi64(x0, x1), _mm_unpackhi_epi64(x0, x1),
                                _mm_loadu_si128(lanes + k / 2));
    };
    for (; i + 4 <= n; i += 4) {
      // The source row comes from memory: ask for it 2 KB ahead.
      _mm_prefetch(reinterpret_cast<const char*>(Src + first[i] + 512), _MM_HINT_T0);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i), _mm_packus_epi16(two(i), two(i + 2)));
    }
  }
#endif
  for (; i < n; ++i) {
    const std::uint32_t* s = Src + first[i];
    Dst[i] = Lerp(s[0], s[1], Taps.Weight[std::size_t(i)]);
  }
}

void BlendRows(const std::uint32_t* A, const std::uint32_t* B, int Weight, int Count,
               std::uint32_t* Dst) {
  int i = 0;
#if defined(__SSE2__)
  if (Avx2InUse()) i = BlendRowsAvx2(A, B, Weight, Count, Dst);
  if (KernelLevel() != TKernelLevel::Plain) {
    const __m128i w = _mm_set1_epi16(std::int16_t(Weight));
    const __m128i mask = _mm_set1_epi32(0x00FFFFFF);
    for (; i + 4 <= Count; i += 4) {
      const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(A + i));
      const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(B + i));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(Dst + i),
                       _mm_and_si128(frame_simd::Blend4(a, b, w), mask));
    }
  }
#endif
  for (; i < Count; ++i) Dst[i] = Lerp(A[i], B[i], Weight);
}
