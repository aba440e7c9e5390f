#include "tools/tool_environment.h"

#include <utility>

#include <windows.h>

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

// Stands in for a missing player: no movie, nothing applied.
class TNoDialogPlayer : public TDialogPlayerLink {
 public:
  std::int64_t DurationMs() const override { return 0; }
  void SeekTo(std::int64_t) override {}
  bool ShowFrames() const override { return false; }
  double FrameRate() const override { return 25; }
  void ShowPositionOSD(const std::wstring&) override {}
  double AspectRatio() const override { return 1.33; }
  void ApplyAspectRatio(double, const std::string&) override {}
  int PanScan() const override { return 0; }
  void ApplyPanScan(int) override {}
  TSize NativeVideoSize() const override { return {}; }
};

}  // namespace

void SetToolEnvironment(TToolEnvironment E) { Environment() = std::move(E); }

const TToolEnvironment& ToolEnvironment() {
  static TNoPlayer NoPlayer;
  static TNoPlayback NoPlayback;
  static TNoDialogPlayer NoDialogPlayer;
  TToolEnvironment& E = Environment();
  if (!E.Dialogs) E.Dialogs = &NoDialogPlayer;
  if (!E.Player) E.Player = &NoPlayer;
  if (!E.Playback) E.Playback = &NoPlayback;
  return E;
}

TForm* EnvForm(const std::function<TForm*()>& Get) { return Get ? Get() : nullptr; }
bool EnvFlag(const std::function<bool()>& Get) { return Get && Get(); }

wchar_t DecimalSeparator() {
  wchar_t Text[8] = {};
  return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, Text, 8) > 1 ? Text[0] : L'.';
}

}  // namespace lc::tools
