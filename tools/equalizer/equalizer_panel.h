// The equalizer window's face and rules, over the widget protocol: the close,
// load-preset and save-preset buttons, the pre-amplification slider and the
// ten band sliders with their labels. Every slider change reaches the audio
// chain at once. Portable; the window (equalizer_window.h) only feeds it.
// GUI thread.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "kit/button.h"
#include "kit/label.h"
#include "kit/trackbar.h"
#include "tools/equalizer/eq_presets.h"
#include "tools/equalizer/equalizer_audio.h"
#include "tools/tool_links.h"

namespace lc::tools {

inline constexpr int kEqBands = 10;

struct TEqualizerTexts {
  std::wstring CloseHint = L"Close";       // hints 0
  std::wstring LoadHint = L"Load preset";  // captions 11
  std::wstring SaveHint = L"Save preset";  // captions 12
  std::wstring Preamplification = L"Preamplification";  // messages 50
};

// What a button click asks of the window.
enum class TEqualizerAction { Close, LoadPreset, SavePreset };

class TEqualizerPanel {
 public:
  // Creates the widgets and registers the buttons and sliders with Host in
  // the order they are offered the mouse.
  TEqualizerPanel(TWidgetHost& Host, TWidgetSurface& Surface, TEqualizerAudio& Audio,
                  TToolPlayerLink& Player, const TEqualizerTexts& Texts);
  ~TEqualizerPanel();

  // Sets band Band (0..9; others do nothing) to Value, applies it to its
  // bins and sets its label.
  void tbEqChange(int Band, int Value);
  // Applies the pre-amplification slider's position to the amplifier and
  // its label.
  void tbPreAmpChange();
  // Sets the pre-amplification slider to Position and applies it.
  void SetPreamp(int Position);
  // Shows a volume the amplifier holds: the slider and label follow it,
  // nothing is applied.
  void ShowPreampVolume(std::int32_t Volume);

  // The window's keys, Shift compared as a whole. Close keys call OnAction;
  // keys it does not use go to the player.
  void AllKeyDown(int& Key, TShiftState Shift);
  // A wheel turn: up boosts like the Up key, down like the Down key.
  void Wheel(bool Up);

  // The eleven slider positions (pre-amplification first).
  TEqPreset Positions() const;
  // Puts eleven positions back (pre-amplification first), applying each.
  void SetPositions(const TEqPreset& Values);
  void SetTexts(const TEqualizerTexts& Texts);
  void PaintWidgets();

  TVirtualTrackBar& PreampSlider() { return *FPreamp; }
  TVirtualTrackBar& BandSlider(int Band) { return *FBands.at(Band); }
  TVirtualLabel& PreampLabel() { return *FPreampLabel; }
  TVirtualLabel& BandLabel(int Band) { return *FBandLabels.at(Band); }
  TVirtualButton& Button(TEqualizerAction A) { return *FButtons.at(static_cast<int>(A)); }

  // A button was clicked.
  std::function<void(TEqualizerAction)> OnAction;

 private:
  void ApplyBand(int Band);
  void StepPreamp(int Position);

  TEqualizerAudio& FAudio;
  TToolPlayerLink& FPlayer;
  TEqualizerTexts FTexts;
  std::unique_ptr<TSkinImage> FThumb;
  std::array<std::unique_ptr<TVirtualButton>, 3> FButtons;
  std::unique_ptr<TVirtualTrackBar> FPreamp;
  std::array<std::unique_ptr<TVirtualTrackBar>, kEqBands> FBands;
  std::unique_ptr<TVirtualLabel> FPreampLabel;
  std::array<std::unique_ptr<TVirtualLabel>, kEqBands> FBandLabels;
};

}  // namespace lc::tools
