// The equalizer window's link to the audio chain: what it sets of the FFT
// equalizer and the amplifier, and that link over the video window's DSP
// components. Portable.
#pragma once

#include <cstdint>

class TDspAmplify;
class TDspEqualizer;

namespace lc::tools {

// The audio components the equalizer window drives: the FFT equalizer's bins
// and the amplifier's volume, both of channel 0. The components accept
// these calls while the audio thread processes.
class TEqualizerAudio {
 public:
  virtual ~TEqualizerAudio() = default;
  virtual void SetBandGain(int Bin, std::int8_t Value) = 0;
  virtual void SetPreampVolume(std::int32_t Volume) = 0;
  virtual std::int32_t PreampVolume() const = 0;
};

// TEqualizerAudio over the video window's DSP components.
class TDspEqualizerAudio : public TEqualizerAudio {
 public:
  TDspEqualizerAudio(TDspEqualizer& Equalizer, TDspAmplify& Amplify)
      : FEqualizer(Equalizer), FAmplify(Amplify) {}
  void SetBandGain(int Bin, std::int8_t Value) override;
  void SetPreampVolume(std::int32_t Volume) override;
  std::int32_t PreampVolume() const override;

 private:
  TDspEqualizer& FEqualizer;
  TDspAmplify& FAmplify;
};

}  // namespace lc::tools
