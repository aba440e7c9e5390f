// Complex single-precision FFT for power-of-two sizes from 2 to 8,192 points.
//
// A complex value is two floats, real part first. The forward transform is
// X[k] = sum x[n] e^(+2 pi i n k / N), unscaled, and leaves frequency k at
// position FFTOrder(N)[k] (a scrambled order). The inverse accepts exactly
// that order and returns x[n] = sum X[k] e^(-2 pi i n k / N) in natural
// order, so forward, point-wise product and inverse need no reordering. An
// explicit reorder to natural order is available on both directions.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

// The value of ordinal k means N = 2^(k+1) points.
enum class TDspFFTSize {
  fts2, fts4, fts8, fts16, fts32, fts64, fts128, fts256,
  fts512, fts1024, fts2048, fts4096, fts8192
};

constexpr int FFTSizeToInt(TDspFFTSize Size) { return 2 << static_cast<int>(Size); }

// The code family the transforms run on. Both give bit-identical results;
// the SSE family exists only on x86 builds and needs CpuSSE.
enum class TFFTFamily { Portable, SSE };

// The family chosen at start: SSE when the processor has it, else Portable.
TFFTFamily ActiveFFTFamily();
// Switches the family (for tests and benchmarks). Returns False, changing
// nothing, when the family is not available on this build or processor.
bool SelectFFTFamily(TFFTFamily Family);

// Transforms the N points at Data in place. N must be one of the thirteen
// sizes; any other N leaves the data untouched. Forward: the kernel, then the
// reorder to natural order when ReOrder (Scale is ignored). Inverse: the
// multiply by 1/N when Scale, then the reorder from natural order when
// ReOrder, then the kernel. Temp is a scratch block of at least 2N floats, or
// null (a reorder then allocates one).
void ComputeFFT(float* Data, int N, bool Inverse, bool Scale, bool ReOrder,
                float* Temp = nullptr);

// Multiplies Count complex points of Data by those of Factors, in place.
void MultiplyComplex(float* Data, const float* Factors, int Count);

// Order(N): entry k is the position at which the forward kernel leaves
// frequency k. Empty for a size that is not one of the thirteen.
std::span<const uint16_t> FFTOrder(int N);

// A transform object: a buffer of 8,192 points (16-byte aligned, zero at
// creation), its own scratch block, and the transform settings. Not shared
// between threads.
class TDspFFT {
 public:
  TDspFFT();

  // Forward or inverse transform of the first FFTSizeInt() points of the
  // buffer, with this object's Scale and ReOrder.
  void FFT();
  void IFFT();
  // Zero-fills the whole buffer.
  void Clear();

  float* Buffer() { return BufferBlock_->Values; }
  const float* Buffer() const { return BufferBlock_->Values; }
  float* Scratch() { return ScratchBlock_->Values; }

  bool Scale = true;
  bool ReOrder = true;
  TDspFFTSize FFTSize = TDspFFTSize::fts512;
  int FFTSizeInt() const { return FFTSizeToInt(FFTSize); }

  static constexpr int MaxPoints = 8192;

 private:
  struct alignas(16) TBlock {
    float Values[2 * MaxPoints];
  };
  // Frees a block from the explicitly aligned allocation: 32-bit Windows
  // heaps align only to 8 bytes, which plain new of TBlock assumes is 16.
  struct TBlockDelete {
    void operator()(TBlock* Block) const;
  };
  using TBlockPtr = std::unique_ptr<TBlock, TBlockDelete>;
  static TBlockPtr NewBlock();
  TBlockPtr BufferBlock_;
  TBlockPtr ScratchBlock_;
};
