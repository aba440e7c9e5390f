// The SSE code family of the FFT: the passes of size 16 and up take four
// butterflies at a time, split into real and imaginary lanes. Every lane
// performs the float operations of the portable family in the same order, so
// the results are bit-identical. Loads and stores are unaligned, so any
// buffer works.
#include "engine/dsp/fft_kernels.h"

#if defined(__SSE__)
#include <xmmintrin.h>

namespace {

struct TComplex4 {
  __m128 Re;
  __m128 Im;
};

// Four complex values at P (eight floats) split into lanes.
inline TComplex4 Split(__m128 Lo, __m128 Hi) {
  return {_mm_shuffle_ps(Lo, Hi, _MM_SHUFFLE(2, 0, 2, 0)),
          _mm_shuffle_ps(Lo, Hi, _MM_SHUFFLE(3, 1, 3, 1))};
}

inline TComplex4 Load4(const float* P) { return Split(_mm_loadu_ps(P), _mm_loadu_ps(P + 4)); }

inline void Store4(float* P, __m128 Re, __m128 Im) {
  _mm_storeu_ps(P, _mm_unpacklo_ps(Re, Im));
  _mm_storeu_ps(P + 4, _mm_unpackhi_ps(Re, Im));
}

struct TSSEPass {
  template <int N>
  static void ForwardPass(float* D) {
    constexpr int Q = N / 4;
    if constexpr (Q < 4) {
      fft_detail::ScalarForwardPass<N>(D, 0);
    } else {
      const fft_detail::TPassView<N> v(D);
      const float *wc = v.Cos, *ws = v.Sin;
      float *p0 = v.P0, *p1 = v.P1, *p2 = v.P2, *p3 = v.P3;
      for (int n = 0; n < Q; n += 4) {
        const int o = 2 * n;
        const __m128 x0a = _mm_loadu_ps(p0 + o), x0b = _mm_loadu_ps(p0 + o + 4);
        const __m128 x1a = _mm_loadu_ps(p1 + o), x1b = _mm_loadu_ps(p1 + o + 4);
        const __m128 x2a = _mm_loadu_ps(p2 + o), x2b = _mm_loadu_ps(p2 + o + 4);
        const __m128 x3a = _mm_loadu_ps(p3 + o), x3b = _mm_loadu_ps(p3 + o + 4);
        _mm_storeu_ps(p0 + o, _mm_add_ps(x0a, x2a));
        _mm_storeu_ps(p0 + o + 4, _mm_add_ps(x0b, x2b));
        _mm_storeu_ps(p1 + o, _mm_add_ps(x1a, x3a));
        _mm_storeu_ps(p1 + o + 4, _mm_add_ps(x1b, x3b));
        const TComplex4 a = Split(_mm_sub_ps(x0a, x2a), _mm_sub_ps(x0b, x2b));
        const TComplex4 b = Split(_mm_sub_ps(x1a, x3a), _mm_sub_ps(x1b, x3b));
        const __m128 ur = _mm_sub_ps(a.Re, b.Im), ui = _mm_add_ps(a.Im, b.Re);
        const __m128 vr = _mm_add_ps(a.Re, b.Im), vi = _mm_sub_ps(a.Im, b.Re);
        const __m128 c = _mm_loadu_ps(wc + n), s = _mm_loadu_ps(ws + n);
        Store4(p2 + o, _mm_sub_ps(_mm_mul_ps(ur, c), _mm_mul_ps(ui, s)),
               _mm_add_ps(_mm_mul_ps(ur, s), _mm_mul_ps(ui, c)));
        Store4(p3 + o, _mm_add_ps(_mm_mul_ps(vr, c), _mm_mul_ps(vi, s)),
               _mm_sub_ps(_mm_mul_ps(vi, c), _mm_mul_ps(vr, s)));
      }
    }
  }

  template <int N>
  static void InversePass(float* D) {
    constexpr int Q = N / 4;
    if constexpr (Q < 4) {
      fft_detail::ScalarInversePass<N>(D, 0);
    } else {
      const fft_detail::TPassView<N> v(D);
      const float *wc = v.Cos, *ws = v.Sin;
      float *p0 = v.P0, *p1 = v.P1, *p2 = v.P2, *p3 = v.P3;
      for (int n = 0; n < Q; n += 4) {
        const int o = 2 * n;
        const __m128 c = _mm_loadu_ps(wc + n), s = _mm_loadu_ps(ws + n);
        const TComplex4 u = Load4(p2 + o), v = Load4(p3 + o);
        const __m128 pr = _mm_add_ps(_mm_mul_ps(u.Re, c), _mm_mul_ps(u.Im, s));
        const __m128 pi = _mm_sub_ps(_mm_mul_ps(u.Im, c), _mm_mul_ps(u.Re, s));
        const __m128 qr = _mm_sub_ps(_mm_mul_ps(v.Re, c), _mm_mul_ps(v.Im, s));
        const __m128 qi = _mm_add_ps(_mm_mul_ps(v.Re, s), _mm_mul_ps(v.Im, c));
        const __m128 tr = _mm_add_ps(pr, qr), ti = _mm_add_ps(pi, qi);
        const __m128 dr = _mm_sub_ps(pr, qr), di = _mm_sub_ps(pi, qi);
        const TComplex4 e0 = Load4(p0 + o), e1 = Load4(p1 + o);
        Store4(p0 + o, _mm_add_ps(e0.Re, tr), _mm_add_ps(e0.Im, ti));
        Store4(p2 + o, _mm_sub_ps(e0.Re, tr), _mm_sub_ps(e0.Im, ti));
        Store4(p1 + o, _mm_add_ps(e1.Re, di), _mm_sub_ps(e1.Im, dr));
        Store4(p3 + o, _mm_sub_ps(e1.Re, di), _mm_add_ps(e1.Im, dr));
      }
    }
  }
};

void ScaleSSE(float* Data, int Floats, float Factor) {
  const __m128 f = _mm_set1_ps(Factor);
  int i = 0;
  for (; i + 4 <= Floats; i += 4) _mm_storeu_ps(Data + i, _mm_mul_ps(_mm_loadu_ps(Data + i), f));
  for (; i < Floats; ++i) Data[i] = Data[i] * Factor;
}

void MultiplySSE(float* Data, const float* Factors, int Count) {
  int k = 0;
  for (; k + 4 <= Count; k += 4) {
    const TComplex4 x = Load4(Data + 2 * k), f = Load4(Factors + 2 * k);
    Store4(Data + 2 * k, _mm_sub_ps(_mm_mul_ps(x.Re, f.Re), _mm_mul_ps(x.Im, f.Im)),
           _mm_add_ps(_mm_mul_ps(x.Re, f.Im), _mm_mul_ps(x.Im, f.Re)));
  }
  for (; k < Count; ++k) {
    const float a = Data[2 * k], b = Data[2 * k + 1];
    const float c = Factors[2 * k], d = Factors[2 * k + 1];
    Data[2 * k] = a * c - b * d;
    Data[2 * k + 1] = a * d + b * c;
  }
}

constexpr TFFTKernelTable SSETable = fft_detail::MakeKernelTable<TSSEPass>(
    &ScaleSSE, &MultiplySSE, std::make_index_sequence<26>{});

}  // namespace

const TFFTKernelTable* SSEFFTKernels() { return &SSETable; }

#else

const TFFTKernelTable* SSEFFTKernels() { return nullptr; }

#endif
