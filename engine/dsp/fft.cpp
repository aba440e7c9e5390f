#include "engine/dsp/fft.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

#include "engine/dsp/cpu_features.h"
#include "engine/dsp/fft_kernels.h"

TFFTTwiddles FFTTwiddles[14];

namespace {

constexpr int MaxLog2 = 13;  // 8,192 points

// The order and twiddle tables of every size, built once.
struct TFFTTables {
  std::vector<uint16_t> Orders[MaxLog2 + 1];
  std::vector<float> Twiddles[MaxLog2 + 1];  // N/4 cosines, then N/4 sines

  TFFTTables() {
    BuildOrders();
    BuildTwiddles();
  }

  // Order(2) = (0, 1); each next table doubles the previous one twice and
  // adds one to n entries from a running start s.
  void BuildOrders() {
    Orders[1] = {0, 1};
    int f = 1, s = 1;
    for (int log = 1; log < MaxLog2; ++log) {
      const int n = 1 << log;
      const std::vector<uint16_t>& prev = Orders[log];
      std::vector<uint16_t>& next = Orders[log + 1];
      next.resize(2 * n);
      f = 1 - f;
      s = 2 * s - f;
      for (int i = 0; i < n; ++i) {
        next[i] = static_cast<uint16_t>(2 * prev[i]);
        next[n + i] = static_cast<uint16_t>(2 * prev[i]);
      }
      for (int i = s; i < s + n; ++i) ++next[i];
    }
  }

  void BuildTwiddles() {
    const long double twoPi = 6.283185307179586476925286766559L;
    for (int log = 2; log <= MaxLog2; ++log) {
      const int n = 1 << log, q = n / 4;
      std::vector<float>& t = Twiddles[log];
      t.resize(2 * q);
      for (int k = 0; k < q; ++k) {
        const long double angle = twoPi * k / n;
        t[k] = static_cast<float>(std::cos(angle));
        t[q + k] = static_cast<float>(std::sin(angle));
      }
      FFTTwiddles[log] = {t.data(), t.data() + q};
    }
  }
};

const TFFTTables& Tables() {
  static const TFFTTables tables;
  return tables;
}

std::atomic<const TFFTKernelTable*> g_kernels{nullptr};

const TFFTKernelTable* KernelsOf(TFFTFamily Family) {
  if (Family == TFFTFamily::Portable) return &PortableFFTKernels();
  return CpuSSE ? SSEFFTKernels() : nullptr;
}

// Builds the tables and picks the fastest family on first use.
const TFFTKernelTable& Kernels() {
  static const bool ready = [] {
    Tables();
    EnsureCPUFeatures();
    const TFFTKernelTable* sse = KernelsOf(TFFTFamily::SSE);
    g_kernels.store(sse ? sse : &PortableFFTKernels(), std::memory_order_release);
    return true;
  }();
  (void)ready;
  return *g_kernels.load(std::memory_order_acquire);
}

// log2(N) for the thirteen sizes, else 0.
int SizeLog2(int N) {
  for (int log = 1; log <= MaxLog2; ++log) {
    if (N == (1 << log)) return log;
  }
  return 0;
}

}  // namespace

TFFTFamily ActiveFFTFamily() {
  return &Kernels() == &PortableFFTKernels() ? TFFTFamily::Portable : TFFTFamily::SSE;
}

bool SelectFFTFamily(TFFTFamily Family) {
  Kernels();
  const TFFTKernelTable* table = KernelsOf(Family);
  if (!table) return false;
  g_kernels.store(table, std::memory_order_release);
  return true;
}

void ComputeFFT(float* Data, int N, bool Inverse, bool Scale, bool ReOrder, float* Temp) {
  const int log = SizeLog2(N);
  if (log == 0 || Data == nullptr) return;
  const TFFTKernelTable& kernels = Kernels();
  std::vector<float> ownTemp;
  if (ReOrder && Temp == nullptr) {
    ownTemp.resize(2 * static_cast<size_t>(N));
    Temp = ownTemp.data();
  }
  const uint16_t* order = Tables().Orders[log].data();
  const size_t bytes = 2 * sizeof(float) * static_cast<size_t>(N);
  if (!Inverse) {
    kernels.Entries[2 * (log - 1)](Data);
    if (ReOrder) {
      std::memcpy(Temp, Data, bytes);
      for (int i = 0; i < N; ++i) {
        Data[2 * i] = Temp[2 * order[i]];
        Data[2 * i + 1] = Temp[2 * order[i] + 1];
      }
    }
    return;
  }
  if (Scale) kernels.Scale(Data, 2 * N, 1.0f / static_cast<float>(N));
  if (ReOrder) {
    std::memcpy(Temp, Data, bytes);
    for (int i = 0; i < N; ++i) {
      Data[2 * order[i]] = Temp[2 * i];
      Data[2 * order[i] + 1] = Temp[2 * i + 1];
    }
  }
  kernels.Entries[2 * (log - 1) + 1](Data);
}

void MultiplyComplex(float* Data, const float* Factors, int Count) {
  Kernels().Multiply(Data, Factors, Count);
}

std::span<const uint16_t> FFTOrder(int N) {
  const int log = SizeLog2(N);
  if (log == 0) return {};
  return Tables().Orders[log];
}

TDspFFT::TBlockPtr TDspFFT::NewBlock() {
  void* memory = ::operator new(sizeof(TBlock), std::align_val_t{alignof(TBlock)});
  return TBlockPtr(new (memory) TBlock());
}

void TDspFFT::TBlockDelete::operator()(TBlock* Block) const {
  ::operator delete(Block, std::align_val_t{alignof(TBlock)});
}

TDspFFT::TDspFFT() : BufferBlock_(NewBlock()), ScratchBlock_(NewBlock()) { Clear(); }

void TDspFFT::FFT() { ComputeFFT(Buffer(), FFTSizeInt(), false, Scale, ReOrder, Scratch()); }

void TDspFFT::IFFT() { ComputeFFT(Buffer(), FFTSizeInt(), true, Scale, ReOrder, Scratch()); }

void TDspFFT::Clear() { std::memset(BufferBlock_->Values, 0, sizeof(BufferBlock_->Values)); }
