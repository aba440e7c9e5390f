#include "tools/tool_environment.h"

#include <utility>

namespace lc::tools {

namespace {

TToolEnvironment& Environment() {
  static TToolEnvironment E;
  return E;
}

// Stands in for a missing player: keys and on-screen texts go nowhere.
class TNoPlayer : public TToolPlayerLink {
 public:
  void ShowOSD(const std::wstring&) override {}
  void PassKey(int&, TShiftState) override {}
};

// Stands in for a missing graph: none is active, nothing is scored.
class TNoPlayback : public TPlaybackLink {
 public:
  void SetVolume(int) override {}
  bool GraphActive() const override { return false; }
  void SeekToPosition(int) override {}
  int RmsChangeScore() const override { return 0; }
  void SetRmsChangeScore(int) override {}
  void CancelVolumeRestore() override {}
  bool IsWin9x() const override { return false; }
};

}  // namespace

void SetToolEnvironment(TToolEnvironment E) { Environment() = std::move(E); }

const TToolEnvironment& ToolEnvironment() {
  static TNoPlayer NoPlayer;
  static TNoPlayback NoPlayback;
  TToolEnvironment& E = Environment();
  if (!E.Player) E.Player = &NoPlayer;
  if (!E.Playback) E.Playback = &NoPlayback;
  return E;
}

TForm* EnvForm(const std::function<TForm*()>& Get) { return Get ? Get() : nullptr; }
bool EnvFlag(const std::function<bool()>& Get) { return Get && Get(); }

}  // namespace lc::tools
