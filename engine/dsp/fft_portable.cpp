// The portable code family of the FFT: plain single-precision arithmetic,
// one value at a time. The reference for the other families.
#include "engine/dsp/fft_kernels.h"

namespace {

void ScalePortable(float* Data, int Floats, float Factor) {
  for (int i = 0; i < Floats; ++i) Data[i] = Data[i] * Factor;
}

void MultiplyPortable(float* Data, const float* Factors, int Count) {
  for (int k = 0; k < Count; ++k) {
    const float a = Data[2 * k], b = Data[2 * k + 1];
    const float c = Factors[2 * k], d = Factors[2 * k + 1];
    Data[2 * k] = a * c - b * d;
    Data[2 * k + 1] = a * d + b * c;
  }
}

constexpr TFFTKernelTable PortableTable = fft_detail::MakeKernelTable<fft_detail::TScalarPass>(
    &ScalePortable, &MultiplyPortable, std::make_index_sequence<26>{});

}  // namespace

const TFFTKernelTable& PortableFFTKernels() { return PortableTable; }
