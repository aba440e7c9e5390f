#include "engine/dsp/dynamic_amplify.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr double MaxHoldLimit = 4611686018427387904.0;  // 2^62 bytes

// The largest magnitude among Samples samples; floats count in units of
// 1/32,767, rounded. The most negative 32-bit sample has magnitude 2^31.
template <TSampleFormat Format>
double PeakOf(const uint8_t* P, size_t Samples) {
  if constexpr (Format == TSampleFormat::Float32) {
    float peak = 0;
    for (size_t i = 0; i < Samples; ++i) peak = std::max(peak, std::fabs(LoadSample<float>(P + 4 * i)));
    // Rounding is monotonic: the rounded largest magnitude is the largest
    // rounded one.
    return RoundHalfEvenToDouble(double{peak} * 32767.0);
  } else if constexpr (Format == TSampleFormat::Signed32) {
    int64_t peak = 0;
    for (size_t i = 0; i < Samples; ++i) peak = std::max(peak, std::abs(int64_t{LoadSample<int32_t>(P + 4 * i)}));
    return static_cast<double>(peak);
  } else {
    int32_t peak = 0;
    for (size_t i = 0; i < Samples; ++i) {
      if constexpr (Format == TSampleFormat::Unsigned8) peak = std::max(peak, std::abs(P[i] - 128));
      if constexpr (Format == TSampleFormat::Signed16) peak = std::max(peak, std::abs(int32_t{LoadSample<int16_t>(P + 2 * i)}));
      if constexpr (Format == TSampleFormat::Signed24) peak = std::max(peak, std::abs(Cvt24BitTo32(P + 3 * i)));
    }
    return peak;
  }
}

double FullScaleOf(TSampleFormat Format) {
  switch (Format) {
    case TSampleFormat::Unsigned8: return 128.0;
    case TSampleFormat::Signed16: return 32768.0;
    case TSampleFormat::Signed24: return 8388608.0;
    case TSampleFormat::Signed32: return 2147483648.0;
    case TSampleFormat::Float32: return 32768.0;
    case TSampleFormat::Unsupported: break;
  }
  return 0;
}

// Multiplies the sample at P by G, truncating toward zero and clipping.
template <TSampleFormat Format>
void ScaleSample(uint8_t* P, double G) {
  if constexpr (Format == TSampleFormat::Unsigned8) {
    P[0] = static_cast<uint8_t>(TruncClip((P[0] - 128) * G, -128, 127) + 128);
  } else if constexpr (Format == TSampleFormat::Signed16) {
    StoreSample<int16_t>(P, static_cast<int16_t>(TruncClip(LoadSample<int16_t>(P) * G, -32768, 32767)));
  } else if constexpr (Format == TSampleFormat::Signed24) {
    Cvt32BitTo24(TruncClip(Cvt24BitTo32(P) * G, -8388608, 8388607), P);
  } else if constexpr (Format == TSampleFormat::Signed32) {
    StoreSample<int32_t>(P, TruncClip(LoadSample<int32_t>(P) * G, -2147483647, 2147483647));
  } else {
    StoreSample<float>(P, static_cast<float>(LoadSample<float>(P) * G));
  }
}

// Scales the whole frames of a block with a linear ramp: frame i gets
// OldGain - i x (OldGain - NewGain) / frames, so the next block starts at
// NewGain.
template <TSampleFormat Format>
void Ramp(uint8_t* P, size_t Samples, int Bytes, int Channels, float OldGain, float NewGain) {
  const size_t frames = Samples / static_cast<size_t>(Channels);
  if (frames == 0) return;
  const double step = (static_cast<double>(OldGain) - NewGain) / static_cast<double>(frames);
  const size_t frameBytes = static_cast<size_t>(Bytes) * Channels;
  for (size_t i = 0; i < frames; ++i) {
    const double g = OldGain - static_cast<double>(i) * step;
    uint8_t* frame = P + i * frameBytes;
    for (int c = 0; c < Channels; ++c) ScaleSample<Format>(frame + c * Bytes, g);
  }
}

}  // namespace

// Moves the gain towards Target: down at once, up only after the hold and
// then by the block's duration times the rise rate (not limited by Target: an
// overshoot is pulled back by the next block).
float TDspDynamicAmplify::NextGain(float Target, size_t Size, int Frequency, int Bits, int Channels,
                                   const TSettings& Settings) {
  const float maxGain = static_cast<float>(Settings.MaxAmplification / 1000.0);
  float gain = Current_.load(std::memory_order_relaxed);
  if (Target > maxGain) Target = maxGain;
  if (Target < gain) {
    HoldCount_ = 0;
    gain = Target;
  } else if (HoldCount_ > HoldLimit_) {
    const double seconds = static_cast<double>(Size) / Frequency / Channels / BytesPerSample(Bits);
    gain = static_cast<float>(gain + seconds * (Settings.AttackTime / 1000.0));
    if (gain > maxGain) gain = maxGain;
  } else {
    HoldCount_ += static_cast<int64_t>(Size);
  }
  return gain;
}

void TDspDynamicAmplify::ProcessBlock(uint8_t* Buffer, size_t Size, int Frequency, int Bits,
                                      int Channels, TSampleFormat Format, const TSettings& Settings) {
  const int bytes = BytesPerSample(Bits);
  const size_t samples = Size / bytes;
  // In doubles: channels, rate and width are any positive ints the caller
  // passes, and their product with ReleaseTime can pass the 64-bit range.
  // A hold beyond 2^62 bytes (far beyond any stream) is held at that.
  const double bytesPerSecond = static_cast<double>(Channels) * Frequency * bytes;
  HoldLimit_ = RoundHalfEvenToInt64(std::min(bytesPerSecond * Settings.ReleaseTime / 1000.0, MaxHoldLimit));

  float target = 1.0f;
  DispatchFormat(Format, [&](auto F) {
    const double peak = PeakOf<decltype(F)::value>(Buffer, samples);
    target = peak > 0 ? static_cast<float>(FullScaleOf(F) / peak)
                      : static_cast<float>(Settings.MaxAmplification / 1000.0);
  });
  const float oldGain = Current_.load(std::memory_order_relaxed);
  const float newGain = NextGain(target, Size, Frequency, Bits, Channels, Settings);
  Current_.store(newGain, std::memory_order_relaxed);
  DispatchFormat(Format, [&](auto F) { Ramp<decltype(F)::value>(Buffer, samples, bytes, Channels, oldGain, newGain); });
}

void TDspDynamicAmplify::Process(void* Buffer, size_t Size, int Frequency, int Bits, int Channels,
                                 bool Float) {
  if (!Enabled() || Buffer == nullptr || Size == 0 || Channels <= 0 || Frequency <= 0 ||
      BytesPerSample(Bits) == 0) {
    return;
  }
  const TSettings settings{AttackTime(), ReleaseTime(), MaxAmplification()};
  const TSampleFormat format = SampleFormatOf(Bits, Float);
  ForEachChunk(static_cast<uint8_t*>(Buffer), Size, Bits, Channels, SampleSize(),
               [&](uint8_t* Chunk, size_t Bytes) {
                 ProcessBlock(Chunk, Bytes, Frequency, Bits, Channels, format, settings);
               });
}
