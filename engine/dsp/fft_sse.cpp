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

// Lane sign masks: a -0 entry flips the sign of its lane when xored in.
inline __m128 SignMask(bool L0, bool L1, bool L2, bool L3) {
  return _mm_set_ps(L3 ? -0.0f : 0.0f, L2 ? -0.0f : 0.0f, L1 ? -0.0f : 0.0f, L0 ? -0.0f : 0.0f);
}

// A mask for the second complex value of a register only (the first one's
// lanes are left alone): where only that value is kept.
inline __m128 SecondValueSigns(bool Re, bool Im) {
  return _mm_set_ps(Im ? -0.0f : 0.0f, Re ? -0.0f : 0.0f, 0.0f, 0.0f);
}

inline __m128 FlipSigns(__m128 V, __m128 Mask) { return _mm_xor_ps(V, Mask); }

// Swaps real and imaginary parts of both complex values.
inline __m128 SwapParts(__m128 V) { return _mm_shuffle_ps(V, V, _MM_SHUFFLE(2, 3, 0, 1)); }

// The size-2 transform of the two complex values in V: (v0 + v1, v0 - v1).
inline __m128 Butterfly2(__m128 V) {
  return _mm_add_ps(_mm_movelh_ps(V, V), FlipSigns(_mm_movehl_ps(V, V), SignMask(false, false, true, true)));
}

// Keeps the first complex value of Keep and the second of Changed.
inline __m128 SecondFrom(__m128 Keep, __m128 Changed) {
  return _mm_shuffle_ps(Keep, Changed, _MM_SHUFFLE(3, 2, 1, 0));
}

// Forward size 4 on A = (x0, x1), B = (x2, x3), in registers.
inline void Forward4(__m128& A, __m128& B) {
  const __m128 s = _mm_add_ps(A, B), d = _mm_sub_ps(A, B);  // (y0, y1), (a, b)
  const __m128 aa = _mm_movelh_ps(d, d);                       // ar ai ar ai
  const __m128 bb = _mm_shuffle_ps(d, d, _MM_SHUFFLE(2, 3, 2, 3));  // bi br bi br
  A = Butterfly2(s);
  B = _mm_add_ps(aa, FlipSigns(bb, SignMask(true, false, false, true)));  // a + ib, a - ib
}

// Inverse size 4 on A = (x0, x1), B = (x2, x3), in registers.
inline void Inverse4(__m128& A, __m128& B) {
  const __m128 e = Butterfly2(A);  // (e0, e1)
  const __m128 td = Butterfly2(B);  // (t, d)
  const __m128 tdSwapped = _mm_shuffle_ps(td, td, _MM_SHUFFLE(2, 3, 1, 0));  // tr ti di dr
  A = _mm_add_ps(e, FlipSigns(tdSwapped, SignMask(false, false, false, true)));
  B = _mm_add_ps(e, FlipSigns(tdSwapped, SignMask(true, true, true, false)));
}

// Runs a size-4 kernel on the four points at D.
inline void InRegisters4(float* D, void (*Kernel)(__m128&, __m128&)) {
  __m128 a = _mm_loadu_ps(D), b = _mm_loadu_ps(D + 4);
  Kernel(a, b);
  _mm_storeu_ps(D, a);
  _mm_storeu_ps(D + 4, b);
}

struct TSSEPass {
  static constexpr int LeafSize = 8;

  template <int N>
  static void ForwardLeaf(float* D) {
    if constexpr (N == 4) {
      InRegisters4(D, Forward4);
    } else {
      static_assert(N == 8);
      const float c = FFTTwiddles[3].Cos[1], s = FFTTwiddles[3].Sin[1];
      __m128 a0 = _mm_loadu_ps(D), a1 = _mm_loadu_ps(D + 4);
      const __m128 a2 = _mm_loadu_ps(D + 8), a3 = _mm_loadu_ps(D + 12);
      const __m128 da = _mm_sub_ps(a0, a2), db = SwapParts(_mm_sub_ps(a1, a3));
      a0 = _mm_add_ps(a0, a2);
      a1 = _mm_add_ps(a1, a3);
      const __m128 u = _mm_add_ps(da, FlipSigns(db, SignMask(true, false, true, false)));
      const __m128 v = _mm_add_ps(da, FlipSigns(db, SignMask(false, true, false, true)));
      const __m128 vc = _mm_set1_ps(c), vs = _mm_set1_ps(s);
      // Only the second value of uw and vw is kept: u and v times a twiddle.
      const __m128 uw = _mm_add_ps(_mm_mul_ps(u, vc),
                                   FlipSigns(_mm_mul_ps(SwapParts(u), vs), SecondValueSigns(true, false)));
      const __m128 vw = _mm_add_ps(_mm_mul_ps(v, vc),
                                   FlipSigns(_mm_mul_ps(SwapParts(v), vs), SecondValueSigns(false, true)));
      _mm_storeu_ps(D + 8, Butterfly2(SecondFrom(u, uw)));
      _mm_storeu_ps(D + 12, Butterfly2(SecondFrom(v, vw)));
      Forward4(a0, a1);
      _mm_storeu_ps(D, a0);
      _mm_storeu_ps(D + 4, a1);
    }
  }

  template <int N>
  static void InverseLeaf(float* D) {
    if constexpr (N == 4) {
      InRegisters4(D, Inverse4);
    } else {
      static_assert(N == 8);
      const float c = FFTTwiddles[3].Cos[1], s = FFTTwiddles[3].Sin[1];
      __m128 e0 = _mm_loadu_ps(D), e1 = _mm_loadu_ps(D + 4);
      Inverse4(e0, e1);
      const __m128 u = Butterfly2(_mm_loadu_ps(D + 8)), v = Butterfly2(_mm_loadu_ps(D + 12));
      const __m128 vc = _mm_set1_ps(c), vs = _mm_set1_ps(s);
      // Only the second value of pw and qw is kept.
      const __m128 pw = _mm_add_ps(_mm_mul_ps(u, vc),
                                   FlipSigns(_mm_mul_ps(SwapParts(u), vs), SecondValueSigns(false, true)));
      const __m128 qw = _mm_add_ps(_mm_mul_ps(v, vc),
                                   FlipSigns(_mm_mul_ps(SwapParts(v), vs), SecondValueSigns(true, false)));
      const __m128 p = SecondFrom(u, pw), q = SecondFrom(v, qw);
      const __m128 t = _mm_add_ps(p, q), d = SwapParts(_mm_sub_ps(p, q));
      _mm_storeu_ps(D, _mm_add_ps(e0, t));
      _mm_storeu_ps(D + 8, _mm_sub_ps(e0, t));
      _mm_storeu_ps(D + 4, _mm_add_ps(e1, FlipSigns(d, SignMask(false, true, false, true))));
      _mm_storeu_ps(D + 12, _mm_add_ps(e1, FlipSigns(d, SignMask(true, false, true, false))));
    }
  }

  template <int N>
  static void ForwardPass(float* D) {
    constexpr int Q = N / 4;
    if constexpr (Q < 4) {
      fft_detail::ScalarForwardPass<N>(D);
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
      fft_detail::ScalarInversePass<N>(D);
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
