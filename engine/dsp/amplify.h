// The amplifier: a fixed volume per channel applied in place to interleaved
// samples (the equalizer window's pre-amplification sets channel 0).
//
// Threads: Process runs on the audio streaming thread; the setters may be
// called from any other thread without a lock. Process takes one snapshot of
// the switches and volumes per buffer.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

class TDspAmplify {
 public:
  static constexpr int MaxChannels = 10;
  static constexpr int32_t Unity = 10000;

  // Disabled, not separate, chunks of 8,192 frames, every volume 10,000.
  TDspAmplify();
  TDspAmplify(const TDspAmplify&) = delete;
  TDspAmplify& operator=(const TDspAmplify&) = delete;

  // Volume of channel 0..9, 10,000 being unity; other channels are ignored
  // and read as 0.
  void SetVolume(int Channel, int32_t Value);
  int32_t GetVolume(int Channel) const;

  // When set, each channel c uses GetVolume(c) (so channels from 10 up are
  // silenced); otherwise every sample uses channel 0's volume.
  void SetSeperate(bool Value) { Seperate_.store(Value, std::memory_order_relaxed); }
  bool Seperate() const { return Seperate_.load(std::memory_order_relaxed); }
  void SetEnabled(bool Value) { Enabled_.store(Value, std::memory_order_relaxed); }
  bool Enabled() const { return Enabled_.load(std::memory_order_relaxed); }
  // Frames per processing chunk (0: the whole buffer). The amplifier keeps no
  // state between samples, so the chunking does not change its result.
  void SetSampleSize(uint32_t Value) { SampleSize_.store(Value, std::memory_order_relaxed); }
  uint32_t SampleSize() const { return SampleSize_.load(std::memory_order_relaxed); }

  // Scales Size bytes of interleaved samples in place by volume / 10,000,
  // truncating toward zero and clipping integer formats; floats are not
  // clipped. Nothing while disabled or for an unsupported format.
  void Process(void* Buffer, size_t Size, int Bits, int Channels, bool Float);

 private:
  std::atomic<bool> Seperate_{false};
  std::atomic<bool> Enabled_{false};
  std::atomic<uint32_t> SampleSize_{8192};
  std::array<std::atomic<int32_t>, MaxChannels> Volumes_;
};
