#include "engine/dsp/equalizer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

constexpr int OverlapStride = TDspEqualizer::MaxBins / 4;

// How each format enters and leaves the transform: integers are rounded to
// the nearest value (halves to even) and clipped; the 32-bit path works in
// units of 32,768 and so writes back multiples of 32,768; floats pass as they
// are.
template <TSampleFormat Format>
struct TSampleIO;

template <>
struct TSampleIO<TSampleFormat::Unsigned8> {
  static constexpr int Bytes = 1;
  static float Load(const uint8_t* P) { return static_cast<float>(static_cast<int>(P[0]) - 128); }
  static void Store(uint8_t* P, float V) { P[0] = static_cast<uint8_t>(TruncClip(RoundHalfEvenToDouble(V), -128, 127) + 128); }
};

template <>
struct TSampleIO<TSampleFormat::Signed16> {
  static constexpr int Bytes = 2;
  static float Load(const uint8_t* P) { return LoadSample<int16_t>(P); }
  static void Store(uint8_t* P, float V) { StoreSample<int16_t>(P, static_cast<int16_t>(TruncClip(RoundHalfEvenToDouble(V), -32768, 32767))); }
};

template <>
struct TSampleIO<TSampleFormat::Signed24> {
  static constexpr int Bytes = 3;
  static float Load(const uint8_t* P) { return static_cast<float>(Cvt24BitTo32(P)); }
  static void Store(uint8_t* P, float V) { Cvt32BitTo24(TruncClip(RoundHalfEvenToDouble(V), -8388608, 8388607), P); }
};

template <>
struct TSampleIO<TSampleFormat::Signed32> {
  static constexpr int Bytes = 4;
  static float Load(const uint8_t* P) { return static_cast<float>(LoadSample<int32_t>(P) / 32768.0); }
  static void Store(uint8_t* P, float V) { StoreSample<int32_t>(P, TruncClip(RoundHalfEvenToDouble(V) * 32768.0, -2147483647, 2147483647)); }
};

template <>
struct TSampleIO<TSampleFormat::Float32> {
  static constexpr int Bytes = 4;
  static float Load(const uint8_t* P) { return LoadSample<float>(P); }
  static void Store(uint8_t* P, float V) { StoreSample<float>(P, V); }
};

// The transform object P holds, made (zero) when it has none yet.
TDspFFT& Made(std::unique_ptr<TDspFFT>& P) {
  if (!P) P = std::make_unique<TDspFFT>();
  return *P;
}

}  // namespace

TDspEqualizer::TDspEqualizer()
    : Gains_(std::make_unique<std::atomic<float>[]>(MaxChannels * MaxBins)),
      Overlap_(std::make_unique<float[]>(MaxChannels * OverlapStride)) {
  for (int i = 0; i < MaxChannels * MaxBins; ++i) Gains_[i].store(2.0f, std::memory_order_relaxed);
}

void TDspEqualizer::SetBandGain(int Channel, int Bin, int8_t Value) {
  if (Channel < 0 || Channel >= MaxChannels || Bin < 0 || Bin >= MaxBins) return;
  const float gain = static_cast<float>(2.0 * std::pow(10.0, Value / 100.0));
  Gains_[Channel * MaxBins + Bin].store(gain, std::memory_order_relaxed);
  Dirty_.store(true, std::memory_order_release);
}

int8_t TDspEqualizer::GetBandGain(int Channel, int Bin) const {
  if (Channel < 0 || Channel >= MaxChannels || Bin < 0 || Bin >= MaxBins) return 0;
  const float gain = Gains_[Channel * MaxBins + Bin].load(std::memory_order_relaxed);
  const int64_t value = RoundHalfEvenToInt64(100.0 * std::log10(gain / 2.0));
  return static_cast<int8_t>(std::clamp<int64_t>(value, -128, 127));
}

void TDspEqualizer::SetSeperate(bool Value) {
  if (Seperate_.exchange(Value, std::memory_order_relaxed) != Value) {
    Dirty_.store(true, std::memory_order_release);
  }
}

void TDspEqualizer::SetEnabled(bool Value) {
  if (Value && !Enabled_.load(std::memory_order_relaxed)) Flush();
  Enabled_.store(Value, std::memory_order_release);
}

void TDspEqualizer::SetFFTSize(TDspFFTSize Size) {
  RequestedSize_.store(Size, std::memory_order_release);
}

void TDspEqualizer::Flush() { FlushRequested_.store(true, std::memory_order_release); }

void TDspEqualizer::ClearOverlap() {
  std::fill_n(Overlap_.get(), MaxChannels * OverlapStride, 0.0f);
}

// Carries out a size change and a flush asked for since the last buffer.
void TDspEqualizer::ApplyRequests() {
  const TDspFFTSize requested = RequestedSize_.load(std::memory_order_acquire);
  if (requested != ActiveSize_) {
    ActiveSize_ = requested;
    N_ = FFTSizeToInt(requested);
    DesignedCount_ = 0;  // every kernel was designed for the old size
    ClearOverlap();
  }
  if (FlushRequested_.exchange(false, std::memory_order_acq_rel)) ClearOverlap();
}

// Turns the gains of each kernel channel into the spectrum of an FIR kernel
// of N/4 + 1 taps centred on tap N/8, kept in the FFT's scrambled order.
void TDspEqualizer::DesignKernels(int Count, bool UseSeperate) {
  const int n = N_, shift = n / 8, taps = n / 4 + 1;
  for (int c = 0; c < Count; ++c) {
    TDspFFT& kernel = Made(Kernels_[c]);
    float* b = kernel.Buffer();
    std::fill_n(b, 2 * TDspFFT::MaxPoints, 0.0f);
    for (int k = 0; k < n / 2; ++k) b[2 * k] = Gains_[c * MaxBins + k].load(std::memory_order_relaxed);
    ComputeFFT(b, n, true, true, true, kernel.Scratch());
    for (int k = 0; k < n; ++k) b[2 * ((k + shift) % n) + 1] = b[2 * k];
    for (int k = 0; k < n; ++k) b[2 * k] = k < taps ? b[2 * k + 1] : 0.0f;
    for (int k = 0; k < taps; ++k) {
      b[2 * k] *= static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * k / (n / 4 + 2)));
    }
    ComputeFFT(b, n, false, false, false);
  }
  DesignedCount_ = Count;
  DesignedSeperate_ = UseSeperate;
}

// One block of Frames (at most 3N/4) real values in the work buffer: filter
// by the kernel spectrum, add the previous tail, keep the new tail. A NaN or
// infinity of a float stream is not carried into the next block: the next
// buffer may be integer PCM, and a non-finite value has no integer sample.
void TDspEqualizer::FilterBlock(float* Work, const float* Kernel, float* Overlap, int Frames) {
  const int n = N_, tail = n / 4;
  ComputeFFT(Work, n, false, false, false);
  MultiplyComplex(Work, Kernel, n);
  ComputeFFT(Work, n, true, true, false);
  for (int i = 0; i < tail; ++i) Work[2 * i] += Overlap[i];
  for (int i = 0; i < tail; ++i) {
    const float v = Work[2 * (Frames + i)];
    Overlap[i] = std::isfinite(v) ? v : 0.0f;
  }
}

template <TSampleFormat Format>
void TDspEqualizer::Convolve(uint8_t* Buffer, size_t Size, int Channels) {
  using IO = TSampleIO<Format>;
  const size_t stride = static_cast<size_t>(Channels) * IO::Bytes;
  const size_t frames = Size / stride;
  const size_t block = static_cast<size_t>(3 * N_ / 4);
  float* work = Made(Work_).Buffer();
  for (int c = 0; c < std::min(Channels, MaxChannels); ++c) {
    const float* kernel = Kernels_[DesignedSeperate_ ? c : 0]->Buffer();
    float* overlap = Overlap_.get() + c * OverlapStride;
    uint8_t* samples = Buffer + static_cast<size_t>(c) * IO::Bytes;
    for (size_t start = 0; start < frames; start += block) {
      const int count = static_cast<int>(std::min(block, frames - start));
      uint8_t* p = samples + start * stride;
      std::fill_n(work, 2 * N_, 0.0f);
      for (int i = 0; i < count; ++i) work[2 * i] = IO::Load(p + i * stride);
      FilterBlock(work, kernel, overlap, count);
      for (int i = 0; i < count; ++i) IO::Store(p + i * stride, work[2 * i]);
    }
  }
}

void TDspEqualizer::Process(void* Buffer, size_t Size, int Bits, int Channels, bool Float) {
  if (!Enabled_.load(std::memory_order_acquire)) return;
  const TSampleFormat format = SampleFormatOf(Bits, Float);
  if (format == TSampleFormat::Unsupported || Channels <= 0 || Buffer == nullptr) return;
  ApplyRequests();
  const bool seperate = Seperate_.load(std::memory_order_relaxed);
  const int needed = seperate ? std::min(Channels, MaxChannels) : 1;
  const bool dirty = Dirty_.exchange(false, std::memory_order_acq_rel);
  if (dirty || seperate != DesignedSeperate_ || needed > DesignedCount_) DesignKernels(needed, seperate);

  DispatchFormat(format, [&](auto F) {
    ForEachChunk(static_cast<uint8_t*>(Buffer), Size, Bits, Channels, SampleSize(),
                 [&](uint8_t* Chunk, size_t Bytes) { Convolve<decltype(F)::value>(Chunk, Bytes, Channels); });
  });
}
