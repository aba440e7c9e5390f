// A recording stand-in for the player as the tool dialogs see it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tools/tool_links.h"

namespace lc::tools::fakes {

class TRecordingDialogPlayer : public TDialogPlayerLink {
 public:
  std::int64_t DurationMs() const override { return Duration; }
  void SeekTo(std::int64_t Position) override { Seeks.push_back(Position); }
  bool ShowFrames() const override { return Frames; }
  double FrameRate() const override { return 25; }
  void ShowPositionOSD(const std::wstring& Text) override { Osd.push_back(Text); }
  double AspectRatio() const override { return Ratio; }
  void ApplyAspectRatio(double Value, const std::string& Text) override {
    Ratio = Value;
    Ratios.push_back(Text);
  }
  int PanScan() const override { return Pan; }
  void ApplyPanScan(int Value) override {
    Pan = Value;
    Pans.push_back(Value);
  }
  TSize NativeVideoSize() const override { return Native; }

  std::int64_t Duration = 0;
  bool Frames = false;
  double Ratio = 1.33;
  int Pan = 0;
  TSize Native{720, 576};
  std::vector<std::int64_t> Seeks;
  std::vector<std::wstring> Osd;
  std::vector<std::string> Ratios;
  std::vector<int> Pans;
};

}  // namespace lc::tools::fakes
