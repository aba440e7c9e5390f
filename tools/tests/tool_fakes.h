// Recording stand-ins for what the tool windows drive: the audio chain and
// the player.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/equalizer/equalizer_audio.h"
#include "tools/tool_links.h"

namespace lc::tools::fakes {

class TRecordingAudio : public TEqualizerAudio {
 public:
  void SetBandGain(int Bin, std::int8_t Value) override { Gains[Bin] = Value; }
  void SetPreampVolume(std::int32_t Volume) override { Volume_ = Volume; }
  std::int32_t PreampVolume() const override { return Volume_; }
  std::map<int, int> Gains;
  std::int32_t Volume_ = 10000;
};

class TRecordingPlayer : public TToolPlayerLink {
 public:
  void ShowOSD(const std::wstring& Text) override { Osd.push_back(Text); }
  void PassKey(int& Key, TShiftState Shift) override { Passed.push_back({Key, Shift}); }
  std::vector<std::wstring> Osd;
  std::vector<std::pair<int, TShiftState>> Passed;
};

}  // namespace lc::tools::fakes
