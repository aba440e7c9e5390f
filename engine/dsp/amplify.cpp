#include "engine/dsp/amplify.h"

#include "engine/dsp/cpu_features.h"
#include "engine/dsp/sample_format.h"

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace {

// Sample x Volume div 10,000, truncating toward zero. The 64-bit division is
// a library call on 32-bit x86, so products that fit 32 bits divide there.
inline int64_t ScaleByVolume(int64_t Sample, int64_t Volume) {
  const int64_t product = Sample * Volume;
  if (product >= INT32_MIN && product <= INT32_MAX) return static_cast<int32_t>(product) / 10000;
  return product / 10000;
}

// The volumes one buffer uses: entry c for channel c (0 from channel 10 up)
// when separate, otherwise volume 0 for every channel.
struct TVolumeSnapshot {
  bool Seperate = false;
  int32_t Volumes[TDspAmplify::MaxChannels] = {};

  int32_t Of(int Channel) const {
    if (!Seperate) return Volumes[0];
    return Channel < TDspAmplify::MaxChannels ? Volumes[Channel] : 0;
  }
};

// Calls Scale(sample pointer, volume) for every whole sample, channel by
// channel within each frame.
template <class TScale>
void ForEachSample(uint8_t* Buffer, size_t Samples, int Bytes, int Channels,
                   const TVolumeSnapshot& Volume, TScale&& Scale) {
  if (!Volume.Seperate) {
    const int64_t volume = Volume.Volumes[0];
    for (size_t i = 0; i < Samples; ++i) Scale(Buffer + i * Bytes, volume);
    return;
  }
  int channel = 0;
  for (size_t i = 0; i < Samples; ++i) {
    Scale(Buffer + i * Bytes, static_cast<int64_t>(Volume.Of(channel)));
    if (++channel == Channels) channel = 0;
  }
}

void ScaleFloats(float* Data, size_t Count, float Factor) {
  size_t i = 0;
#if defined(__SSE__)
  if (CpuSSE) {
    const __m128 f = _mm_set1_ps(Factor);
    for (; i + 4 <= Count; i += 4) _mm_storeu_ps(Data + i, _mm_mul_ps(_mm_loadu_ps(Data + i), f));
  }
#endif
  for (; i < Count; ++i) Data[i] = Data[i] * Factor;
}

// The common case of 16-bit samples and one volume of at most 65,535 in
// magnitude: every product fits 32 bits.
void AmplifySigned16(uint8_t* Buffer, size_t Samples, int32_t Volume) {
  for (size_t i = 0; i < Samples; ++i) {
    uint8_t* p = Buffer + 2 * i;
    StoreSample<int16_t>(p, Clip16(LoadSample<int16_t>(p) * Volume / 10000));
  }
}

float FloatFactor(int64_t Volume) { return static_cast<float>(Volume / 10000.0); }

void AmplifyFloat(uint8_t* Buffer, size_t Samples, int Channels, const TVolumeSnapshot& Volume) {
  if (!Volume.Seperate) {
    // Float buffers from the stream are 4-byte aligned; copy through a
    // float otherwise.
    if (reinterpret_cast<uintptr_t>(Buffer) % alignof(float) == 0) {
      ScaleFloats(reinterpret_cast<float*>(Buffer), Samples, FloatFactor(Volume.Volumes[0]));
      return;
    }
  }
  ForEachSample(Buffer, Samples, 4, Channels, Volume, [](uint8_t* P, int64_t V) {
    StoreSample<float>(P, LoadSample<float>(P) * FloatFactor(V));
  });
}

}  // namespace

TDspAmplify::TDspAmplify() {
  for (auto& volume : Volumes_) volume.store(Unity, std::memory_order_relaxed);
}

void TDspAmplify::SetVolume(int Channel, int32_t Value) {
  if (Channel >= 0 && Channel < MaxChannels) Volumes_[Channel].store(Value, std::memory_order_relaxed);
}

int32_t TDspAmplify::GetVolume(int Channel) const {
  if (Channel < 0 || Channel >= MaxChannels) return 0;
  return Volumes_[Channel].load(std::memory_order_relaxed);
}

void TDspAmplify::Process(void* Buffer, size_t Size, int Bits, int Channels, bool Float) {
  if (!Enabled() || Buffer == nullptr || Channels <= 0) return;
  const TSampleFormat format = SampleFormatOf(Bits, Float);
  if (format == TSampleFormat::Unsupported) return;
  TVolumeSnapshot volume;
  volume.Seperate = Seperate();
  for (int c = 0; c < MaxChannels; ++c) volume.Volumes[c] = GetVolume(c);

  auto* p = static_cast<uint8_t*>(Buffer);
  const int bytes = BytesPerSample(Bits);
  const size_t samples = Size / bytes;
  switch (format) {
    case TSampleFormat::Unsigned8:
      ForEachSample(p, samples, bytes, Channels, volume, [](uint8_t* P, int64_t V) {
        P[0] = static_cast<uint8_t>(Clip8(ScaleByVolume(P[0] - 128, V)) + 128);
      });
      break;
    case TSampleFormat::Signed16:
      if (!volume.Seperate && volume.Volumes[0] >= -65535 && volume.Volumes[0] <= 65535) {
        AmplifySigned16(p, samples, volume.Volumes[0]);
        break;
      }
      ForEachSample(p, samples, bytes, Channels, volume, [](uint8_t* P, int64_t V) {
        StoreSample<int16_t>(P, Clip16(ScaleByVolume(LoadSample<int16_t>(P), V)));
      });
      break;
    case TSampleFormat::Signed24:
      ForEachSample(p, samples, bytes, Channels, volume, [](uint8_t* P, int64_t V) {
        Cvt32BitTo24(Clip24(ScaleByVolume(Cvt24BitTo32(P), V)), P);
      });
      break;
    case TSampleFormat::Signed32:
      ForEachSample(p, samples, bytes, Channels, volume, [](uint8_t* P, int64_t V) {
        StoreSample<int32_t>(P, Clip32(ScaleByVolume(LoadSample<int32_t>(P), V)));
      });
      break;
    case TSampleFormat::Float32:
      AmplifyFloat(p, samples, Channels, volume);
      break;
    case TSampleFormat::Unsupported:
      break;
  }
}
