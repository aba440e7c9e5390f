#include "tools/equalizer/equalizer_audio.h"

#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"

namespace lc::tools {

void TDspEqualizerAudio::SetBandGain(int Bin, std::int8_t Value) {
  FEqualizer.SetBandGain(0, Bin, Value);
}
void TDspEqualizerAudio::SetPreampVolume(std::int32_t Volume) { FAmplify.SetVolume(0, Volume); }
std::int32_t TDspEqualizerAudio::PreampVolume() const { return FAmplify.GetVolume(0); }

}  // namespace lc::tools
