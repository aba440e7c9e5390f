// The automatic gain ("dynamic amplification"): raises quiet passages
// towards full scale. Each chunk of SampleSize frames is one gain block: the
// gain drops at once to the level at which the block's peak reaches full
// scale, holds for ReleaseTime milliseconds of audio after the last drop,
// then rises by AttackTime / 1000 per second of audio, never above
// MaxAmplification / 1000. Within a block the samples are scaled by a linear
// ramp from the previous gain to the new one.
//
// Threads: Process runs on the audio streaming thread; the setters and
// CurrentAmplification may be used from any other thread without a lock.
// Process takes one snapshot of the settings per buffer.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

#include "engine/dsp/sample_format.h"

class TDspDynamicAmplify {
 public:
  // Disabled, chunks of 8,192 frames, AttackTime 1000, ReleaseTime 3000,
  // MaxAmplification 10000, gain 1.0.
  TDspDynamicAmplify() = default;
  TDspDynamicAmplify(const TDspDynamicAmplify&) = delete;
  TDspDynamicAmplify& operator=(const TDspDynamicAmplify&) = delete;

  void SetEnabled(bool Value) { Enabled_.store(Value, std::memory_order_relaxed); }
  bool Enabled() const { return Enabled_.load(std::memory_order_relaxed); }
  void SetSampleSize(uint32_t Value) { SampleSize_.store(Value, std::memory_order_relaxed); }
  uint32_t SampleSize() const { return SampleSize_.load(std::memory_order_relaxed); }
  // Rise rate: the gain grows by AttackTime / 1000 per second of audio.
  void SetAttackTime(uint32_t Value) { AttackTime_.store(Value, std::memory_order_relaxed); }
  uint32_t AttackTime() const { return AttackTime_.load(std::memory_order_relaxed); }
  // Milliseconds of audio the gain holds after being lowered.
  void SetReleaseTime(uint32_t Value) { ReleaseTime_.store(Value, std::memory_order_relaxed); }
  uint32_t ReleaseTime() const { return ReleaseTime_.load(std::memory_order_relaxed); }
  // The largest gain times 1,000 (7,500 means 7.5).
  void SetMaxAmplification(uint32_t Value) { MaxAmplification_.store(Value, std::memory_order_relaxed); }
  uint32_t MaxAmplification() const { return MaxAmplification_.load(std::memory_order_relaxed); }
  // The gain reached at the end of the last block. It persists across
  // buffers, flushes and switching off.
  float CurrentAmplification() const { return Current_.load(std::memory_order_relaxed); }

  // Processes Size bytes of interleaved samples in place, block by block.
  // Nothing (not even a gain change) while disabled, for an empty buffer, or
  // without channels, sample rate or whole bytes per sample. Formats other than the five keep the gain logic (their
  // target is 1.0) but are not written.
  void Process(void* Buffer, size_t Size, int Frequency, int Bits, int Channels, bool Float);

 private:
  struct TSettings {
    uint32_t AttackTime;
    uint32_t ReleaseTime;
    uint32_t MaxAmplification;
  };
  void ProcessBlock(uint8_t* Buffer, size_t Size, int Frequency, int Bits, int Channels,
                    TSampleFormat Format, const TSettings& Settings);
  float NextGain(float Target, size_t Size, int Frequency, int Bits, int Channels,
                 const TSettings& Settings);

  std::atomic<bool> Enabled_{false};
  std::atomic<uint32_t> SampleSize_{8192};
  std::atomic<uint32_t> AttackTime_{1000};
  std::atomic<uint32_t> ReleaseTime_{3000};
  std::atomic<uint32_t> MaxAmplification_{10000};
  std::atomic<float> Current_{1.0f};
  // State of the streaming thread, in bytes.
  int64_t HoldLimit_ = 0;
  int64_t HoldCount_ = 0;
};
