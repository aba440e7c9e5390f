// Internal to the FFT: the split-radix kernels shared by the code families.
//
// Forward, N >= 4: one pass over the block puts x[n] + x[n+N/2] in the first
// half and, for n < N/4 with a = x[n] - x[n+N/2], b = x[n+N/4] - x[n+3N/4]
// and w = e^(2 pi i n / N), (a + ib) w in the third quarter and (a - ib) w*
// in the fourth; then the transforms of size N/4 on the third and fourth
// quarters and of size N/2 on the first half. The first half ends up holding
// the even frequencies, the third quarter 4k+1 and the fourth quarter 4k-1,
// which is the scrambled order of FFTOrder. The inverse runs the transposed
// steps backwards. A family supplies the two passes; every family performs
// the same float operations in the same order, so all give identical bits.
#pragma once

#include <cstddef>
#include <utility>

// Twiddle factors of size N: Cos[n], Sin[n] = cos, sin of 2 pi n / N for
// n = 0..N/4-1. Indexed by log2(N), filled for N = 4..8192 before any kernel
// runs.
struct TFFTTwiddles {
  const float* Cos = nullptr;
  const float* Sin = nullptr;
};
extern TFFTTwiddles FFTTwiddles[14];

using TFFTKernel = void (*)(float* Data);
using TFFTScaleRoutine = void (*)(float* Data, int Floats, float Factor);
using TFFTMultiplyRoutine = void (*)(float* Data, const float* Factors, int Count);

// One code family: for each size 2..8192 in increasing order the forward
// routine followed by the inverse one, then the scale and product helpers.
struct TFFTKernelTable {
  TFFTKernel Entries[26];
  TFFTScaleRoutine Scale;
  TFFTMultiplyRoutine Multiply;
};

const TFFTKernelTable& PortableFFTKernels();
// Null on builds without SSE intrinsics.
const TFFTKernelTable* SSEFFTKernels();

namespace fft_detail {

constexpr int Log2(int N) { return N <= 1 ? 0 : 1 + Log2(N / 2); }

// The four quarters of a block of N points and the twiddles of size N.
template <int N>
struct TPassView {
  static constexpr int Q = N / 4;
  const float* Cos;
  const float* Sin;
  float* P0;
  float* P1;
  float* P2;
  float* P3;
  explicit TPassView(float* D)
      : Cos(FFTTwiddles[Log2(N)].Cos), Sin(FFTTwiddles[Log2(N)].Sin),
        P0(D), P1(D + 2 * Q), P2(D + 4 * Q), P3(D + 6 * Q) {}
};

// The passes of sizes 4 and 8 skip the multiply by the twiddle 1 of
// butterfly 0; every family follows this rule, which keeps them identical.
template <int N>
constexpr bool UnitTwiddle(int n) { return N <= 8 && n == 0; }

// The forward pass, one complex value at a time.
template <int N>
inline void ScalarForwardPass(float* D) {
  const TPassView<N> v(D);
  const float *wc = v.Cos, *ws = v.Sin;
  float *p0 = v.P0, *p1 = v.P1, *p2 = v.P2, *p3 = v.P3;
  for (int n = 0; n < v.Q; ++n) {
    const int o = 2 * n;
    const float x0r = p0[o], x0i = p0[o + 1], x1r = p1[o], x1i = p1[o + 1];
    const float x2r = p2[o], x2i = p2[o + 1], x3r = p3[o], x3i = p3[o + 1];
    const float ar = x0r - x2r, ai = x0i - x2i;
    const float br = x1r - x3r, bi = x1i - x3i;
    p0[o] = x0r + x2r;
    p0[o + 1] = x0i + x2i;
    p1[o] = x1r + x3r;
    p1[o + 1] = x1i + x3i;
    const float ur = ar - bi, ui = ai + br;
    const float vr = ar + bi, vi = ai - br;
    if (UnitTwiddle<N>(n)) {
      p2[o] = ur;
      p2[o + 1] = ui;
      p3[o] = vr;
      p3[o + 1] = vi;
      continue;
    }
    const float c = wc[n], s = ws[n];
    p2[o] = ur * c - ui * s;
    p2[o + 1] = ur * s + ui * c;
    p3[o] = vr * c + vi * s;
    p3[o + 1] = vi * c - vr * s;
  }
}

// The transposed pass of the inverse, one complex value at a time.
template <int N>
inline void ScalarInversePass(float* D) {
  const TPassView<N> v(D);
  const float *wc = v.Cos, *ws = v.Sin;
  float *p0 = v.P0, *p1 = v.P1, *p2 = v.P2, *p3 = v.P3;
  for (int n = 0; n < v.Q; ++n) {
    const int o = 2 * n;
    const float c = wc[n], s = ws[n];
    const float ur = p2[o], ui = p2[o + 1], vr = p3[o], vi = p3[o + 1];
    const bool unit = UnitTwiddle<N>(n);
    const float pr = unit ? ur : ur * c + ui * s, pi = unit ? ui : ui * c - ur * s;
    const float qr = unit ? vr : vr * c - vi * s, qi = unit ? vi : vr * s + vi * c;
    const float tr = pr + qr, ti = pi + qi;
    const float dr = pr - qr, di = pi - qi;
    const float e0r = p0[o], e0i = p0[o + 1], e1r = p1[o], e1i = p1[o + 1];
    p0[o] = e0r + tr;
    p0[o + 1] = e0i + ti;
    p2[o] = e0r - tr;
    p2[o + 1] = e0i - ti;
    p1[o] = e1r + di;
    p1[o + 1] = e1i - dr;
    p3[o] = e1r - di;
    p3[o + 1] = e1i + dr;
  }
}

// A family supplies the passes and may supply whole transforms for the
// sizes up to LeafSize (4 and up).
struct TScalarPass {
  static constexpr int LeafSize = 2;
  template <int N>
  static void ForwardPass(float* D) { ScalarForwardPass<N>(D); }
  template <int N>
  static void InversePass(float* D) { ScalarInversePass<N>(D); }
  template <int N>
  static void ForwardLeaf(float*) {}
  template <int N>
  static void InverseLeaf(float*) {}
};

inline void Butterfly2(float* D) {
  const float r = D[0] - D[2], i = D[1] - D[3];
  D[0] = D[0] + D[2];
  D[1] = D[1] + D[3];
  D[2] = r;
  D[3] = i;
}

template <int N, class TPass>
void Forward(float* D) {
  if constexpr (N == 2) {
    Butterfly2(D);
  } else if constexpr (N >= 4 && N <= TPass::LeafSize) {
    TPass::template ForwardLeaf<N>(D);
  } else if constexpr (N >= 4) {
    TPass::template ForwardPass<N>(D);
    Forward<N / 4, TPass>(D + N);
    Forward<N / 4, TPass>(D + 3 * N / 2);
    Forward<N / 2, TPass>(D);
  }
}

template <int N, class TPass>
void Inverse(float* D) {
  if constexpr (N == 2) {
    Butterfly2(D);
  } else if constexpr (N >= 4 && N <= TPass::LeafSize) {
    TPass::template InverseLeaf<N>(D);
  } else if constexpr (N >= 4) {
    Inverse<N / 2, TPass>(D);
    Inverse<N / 4, TPass>(D + N);
    Inverse<N / 4, TPass>(D + 3 * N / 2);
    TPass::template InversePass<N>(D);
  }
}

template <class TPass, std::size_t... K>
constexpr TFFTKernelTable MakeKernelTable(TFFTScaleRoutine Scale, TFFTMultiplyRoutine Multiply,
                                          std::index_sequence<K...>) {
  return TFFTKernelTable{
      {(K % 2 == 0 ? &Forward<(2 << (K / 2)), TPass> : &Inverse<(2 << (K / 2)), TPass>)...},
      Scale,
      Multiply};
}

}  // namespace fft_detail
