// FFT equalizer: filters interleaved audio in place with a magnitude response
// given per FFT bin. For every channel it keeps 8,192 bin gains, turns them
// into a short FIR kernel by frequency sampling (inverse FFT, circular shift
// by N/8, truncation to N/4 + 1 taps, window) and applies the kernel by FFT
// block convolution with overlap-add, 3N/4 frames per block. The delay is
// N/8 frames (256 at N = 2,048).
//
// Threads: Process runs on the audio streaming thread. SetBandGain, the
// setters and Flush may be called from any other thread at any time without
// a lock: gains and switches are atomics, Flush and a size change are
// requests that Process carries out at the start of its next buffer, so
// nothing a buffer uses changes while it is being filtered.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/dsp/fft.h"
#include "engine/dsp/sample_format.h"

// The equalizer window's ten bands as FFT bins of the 2,048-point spectrum:
// band b covers bins EqBandEdges[b] to EqBandEdges[b+1] - 1.
inline constexpr std::array<uint16_t, 11> EqBandEdges = {0,   3,   9,   16,  29, 48,
                                                         100, 141, 280, 559, 1024};

class TDspEqualizer {
 public:
  static constexpr int MaxChannels = 10;
  static constexpr int MaxBins = 8192;

  // Disabled, not separate, chunks of 8,192 frames, every gain flat (2.0),
  // FFT size 1,024 points, kernels to be designed.
  TDspEqualizer();
  TDspEqualizer(const TDspEqualizer&) = delete;
  TDspEqualizer& operator=(const TDspEqualizer&) = delete;

  // Sets bin Bin (0..8191) of channel Channel (0..9) to the linear gain
  // 2 x 10^(Value/100): 100 units are 20 dB, 0 is flat (the factor 2 makes
  // up for the one-sided spectrum). Marks the kernels for rebuilding before
  // the next buffer. Out-of-range channels or bins change nothing.
  void SetBandGain(int Channel, int Bin, int8_t Value);
  // 100 x log10(gain / 2), rounded; 0 for a channel or bin out of range.
  int8_t GetBandGain(int Channel, int Bin) const;

  // Each channel uses its own kernel; otherwise all use channel 0's.
  void SetSeperate(bool Value);
  bool Seperate() const { return Seperate_.load(std::memory_order_relaxed); }
  // Switching on forgets the overlap first (as Flush does).
  void SetEnabled(bool Value);
  // Switches without forgetting the overlap: the tail of the last filtered
  // buffer is added to the next one.
  void SetEnabledKeepingOverlap(bool Value) { Enabled_.store(Value, std::memory_order_release); }
  bool Enabled() const { return Enabled_.load(std::memory_order_relaxed); }
  // Frames per processing chunk; 0 means the whole buffer at once.
  void SetSampleSize(uint32_t Value) { SampleSize_.store(Value, std::memory_order_relaxed); }
  uint32_t SampleSize() const { return SampleSize_.load(std::memory_order_relaxed); }
  // A new size takes effect at the next buffer: the kernels are redesigned
  // for it and the overlap is cleared.
  void SetFFTSize(TDspFFTSize Size);
  TDspFFTSize FFTSize() const { return RequestedSize_.load(std::memory_order_relaxed); }

  // Forgets the pending overlap tail of every channel (the stream was
  // flushed). Any thread; takes effect before the next buffer is filtered.
  void Flush();

  // Filters Size bytes of interleaved samples in place (streaming thread).
  // Nothing while disabled, for an unsupported format or without channels.
  // A trailing partial frame is left untouched; channels from 10 up have no
  // filter state and pass through unchanged.
  void Process(void* Buffer, size_t Size, int Bits, int Channels, bool Float);

 private:
  void ApplyRequests();
  void DesignKernels(int Count, bool UseSeperate);
  template <TSampleFormat Format>
  void Convolve(uint8_t* Buffer, size_t Size, int Channels);
  void FilterBlock(float* Work, const float* Kernel, float* Overlap, int Frames);
  void ClearOverlap();

  // Settings written by any thread.
  std::atomic<bool> Seperate_{false};
  std::atomic<bool> Enabled_{false};
  std::atomic<uint32_t> SampleSize_{8192};
  std::atomic<TDspFFTSize> RequestedSize_{TDspFFTSize::fts1024};
  std::atomic<bool> Dirty_{true};
  std::atomic<bool> FlushRequested_{false};
  std::unique_ptr<std::atomic<float>[]> Gains_;  // MaxChannels x MaxBins

  // State of the streaming thread.
  TDspFFTSize ActiveSize_ = TDspFFTSize::fts1024;
  int N_ = 1024;
  int DesignedCount_ = 0;
  bool DesignedSeperate_ = false;
  // The transform buffers (128 KB each) are made by the first buffer that
  // needs them: a player that plays nothing, or plays stereo with one
  // kernel, does not fill eleven of them at start.
  std::unique_ptr<TDspFFT> Work_;
  std::array<std::unique_ptr<TDspFFT>, MaxChannels> Kernels_;
  std::unique_ptr<float[]> Overlap_;  // MaxChannels x (MaxBins / 4)
};
