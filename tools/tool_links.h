// What the tool windows use of the player and of the audio chain. Each is a
// narrow interface that the player implements; tests use recording fakes.
// GUI thread.
#pragma once

#include <cstdint>
#include <string>

#include "framework/types.h"

class TDspAmplify;
class TDspEqualizer;

namespace lc::tools {

// The player as a tool window sees it.
class TToolPlayerLink {
 public:
  virtual ~TToolPlayerLink() = default;
  // Shows Text on the on-screen display, the live position display off
  // (OsdShowsPosition := False, then TfrmMain.ShowOSD).
  virtual void ShowOSD(const std::wstring& Text) = 0;
  // A key the tool window does not use: the player's shortcuts
  // (TfrmMain.ExecuteKeyCommand), then the video window's special keys
  // (TfrmVideoWindow.SpecialKeyExecute).
  virtual void PassKey(int& Key, TShiftState Shift) = 0;
};

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
