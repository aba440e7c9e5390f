#include "app/tool_windows.h"

#include <memory>

#include "framework/application.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/settings_store.h"
#include "tools/color/color_control_window.h"
#include "tools/equalizer/equalizer_window.h"

namespace lc {

namespace {

using tools::csBrightness;
using tools::csContrast;
using tools::csHue;
using tools::csSaturation;

// Playback through the main window's current commands (the rooms replace
// them as they are created).
class TMainPlaybackLink : public TPlaybackLink {
 public:
  void SetVolume(int V) override { Commands().SetVolume(V); }
  bool GraphActive() const override { return frmVideoWindow && frmVideoWindow->GraphActive(); }
  void SeekToPosition(int P) override { Commands().SeekToPosition(P); }
  int RmsChangeScore() const override { return Commands().RmsChangeScore(); }
  void SetRmsChangeScore(int S) override { Commands().SetRmsChangeScore(S); }
  void CancelVolumeRestore() override { Commands().CancelVolumeRestore(); }
  bool IsWin9x() const override { return Program().Names.IsWin9x; }

 private:
  static TPlayerCommands& Commands() { return frmMain->Commands(); }
};

}  // namespace

TPlaybackLink& ToolPlayback() {
  static TMainPlaybackLink Playback;
  return Playback;
}

void CreateToolWindows() {
  static tools::TDspEqualizerAudio Audio(frmVideoWindow->AudioChain.DspEqualizer,
                                         frmVideoWindow->AudioChain.DspAmplify);
  frmEqualizer = Application.CreateForm<TfrmEqualizer>(Audio);
  frmColorControl = Application.CreateForm<TfrmColorControl>();
  frmMain->Satellites.Equalizer = frmEqualizer;
  frmMain->Satellites.ColorControl = frmColorControl;
}

void ApplyEqualizerSettings(const settings::SettingsStore& Store) {
  tools::TEqualizerPanel& Panel = frmEqualizer->Panel();
  Panel.SetPreamp(Store.EqualizerSettings[0]);
  for (int Band = 0; Band < Store.EqualizerBandsLoaded; ++Band)
    Panel.tbEqChange(Band, Store.EqualizerSettings[Band + 1]);
}

void SettingsIntoToolWindows(const settings::SettingsStore& Store) {
  tools::TColorPanel& Colour = frmColorControl->Panel();
  Colour.SetPosition(csBrightness, Store.BrightnessControl / 10);
  Colour.SetPosition(csContrast, Store.ContrastControl / 100);
  Colour.SetPosition(csHue, Store.HueControl);
  Colour.SetPosition(csSaturation, Store.SaturationControl / 100);
  frmEqualizer->SetBounds(Store.EqualizerXPosition, Store.EqualizerYPosition,
                          frmEqualizer->Width(), frmEqualizer->Height());
}

void GatherToolWindowValues(settings::SettingsStore& Store, bool WindowsShown) {
  if (frmColorControl) {
    const tools::TColorPanel& Colour = frmColorControl->Panel();
    Store.BrightnessControl = Colour.Position(csBrightness) * 10;
    Store.ContrastControl = Colour.Position(csContrast) * 100;
    Store.HueControl = Colour.Position(csHue);
    Store.SaturationControl = Colour.Position(csSaturation) * 100;
  }
  if (frmEqualizer) {
    const tools::TEqPreset Values = frmEqualizer->Panel().Positions();
    for (std::size_t I = 0; I < Values.size(); ++I) Store.EqualizerSettings[I] = Values[I];
    Store.EqualizerXPosition = frmEqualizer->Left();
    Store.EqualizerYPosition = frmEqualizer->Top();
    if (WindowsShown) Store.EqualizerShow = frmEqualizer->ShownByUser();
  }
}

}  // namespace lc
