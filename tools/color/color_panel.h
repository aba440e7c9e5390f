// The colour control window's face and rules, over the widget protocol: the
// brightness, contrast, hue and saturation sliders with their name and value
// labels, the close box and the default-values button. The window only holds
// the four values; the player's timer reads them and applies them to the
// picture. Portable; the window (tools/color/color_control_window.h) feeds it.
// GUI thread.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "kit/button.h"
#include "kit/label.h"
#include "kit/trackbar.h"
#include "kit/widget_links.h"
#include "tools/tool_links.h"

namespace lc::tools {

enum TColorSlider { csBrightness, csContrast, csHue, csSaturation };

struct TColorTexts {
  std::wstring CloseHint = L"Close";              // buttons 10
  std::wstring DefaultCaption = L"Default values";  // buttons 11
  std::array<std::wstring, 4> Names = {L"Brightness", L"Contrast", L"Hue",
                                       L"Saturation"};  // labels 2..5
};

// The value label of a slider: brightness is the position x 0.1 written as
// a general number with DecimalSeparator ("7.5", "75", "0.5"); contrast and
// saturation are the position div 2; hue is the position.
std::wstring ColorValueText(TColorSlider Slider, int Position, wchar_t DecimalSeparator);
// The brightness after the Left (Up false) or Right key: rounded to a
// multiple of 10 and moved by 10, within 0..1000.
int BrightnessStep(int Position, bool Up);

class TColorPanel {
 public:
  // The sliders score changes through Playback while a graph is active.
  TColorPanel(TWidgetHost& Host, TWidgetSurface& Surface, TPlaybackLink& Playback,
              TToolPlayerLink& Player, const TColorTexts& Texts, wchar_t DecimalSeparator);
  ~TColorPanel();

  // The slider's position, set from outside (start-up, remembered movie
  // settings, stop): clamped, its value label follows.
  void SetPosition(TColorSlider Slider, int Position);
  int Position(TColorSlider Slider) const { return FSliders.at(Slider)->Position(); }

  // btnDefaultClick: saturation 100, hue 0, contrast 100, brightness 75.
  void btnDefaultClick();
  // The window's keys, Shift compared as a whole. Close keys run OnClose;
  // keys it does not use go to the player.
  void AllKeyDown(int& Key, TShiftState Shift);
  // A wheel turn: down is the Left key's step, up the Right key's, without
  // scoring the change.
  void Wheel(bool Up);

  // The language changed: the name labels share one left edge inside the
  // 97-pixel column (WidestName: the widest of the four names as NameSize,
  // their size in points, draws them; 0 for the window's font), the hint
  // and the default button's caption follow.
  void SetTexts(const TColorTexts& Texts, int WidestName, int NameSize = 0);
  // The widest a name may be in its column (the skin's paper, with room
  // either side); a longer language's names take a smaller font.
  static constexpr int kNameRoom = 87;
  void PaintWidgets();

  TVirtualTrackBar& Slider(TColorSlider S) { return *FSliders.at(S); }
  TVirtualLabel& ValueLabel(TColorSlider S) { return *FValues.at(S); }
  TVirtualLabel& NameLabel(TColorSlider S) { return *FNames.at(S); }
  TVirtualButton& CloseButton() { return *FClose; }
  TVirtualButton& DefaultButton() { return *FDefault; }

  std::function<void()> OnClose;

 private:
  void UpdateValue(TColorSlider Slider);
  void StepBrightness(bool Up, bool Score);

  TWidgetSurface& FSurface;
  TPlaybackLink& FPlayback;
  TToolPlayerLink& FPlayer;
  TColorTexts FTexts;
  wchar_t FDecimalSeparator;
  std::unique_ptr<TSkinImage> FThumb;
  std::unique_ptr<TVirtualButton> FClose;
  std::unique_ptr<TVirtualButton> FDefault;
  std::array<std::unique_ptr<TVirtualTrackBar>, 4> FSliders;
  std::array<std::unique_ptr<TVirtualLabel>, 4> FNames;
  std::array<std::unique_ptr<TVirtualLabel>, 4> FValues;
};

}  // namespace lc::tools
