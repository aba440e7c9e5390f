#include "tools/equalizer/equalizer_panel.h"

#include <algorithm>
#include <vector>

#include "engine/dsp/equalizer.h"
#include "framework/keys.h"

namespace lc::tools {

namespace {

constexpr int kPreampColumn = 70;
constexpr int kPreampLabelX = 69;
constexpr int kKeyStep = 5;

int BandColumn(int Band) { return 127 + 30 * Band; }
int BandLabelX(int Band) { return 126 + 30 * Band; }
std::wstring LabelText(int Position) { return std::to_wstring(EqLabelValue(Position)); }

}  // namespace

TEqualizerPanel::TEqualizerPanel(TWidgetHost& Host, TWidgetSurface& Surface,
                                 TEqualizerAudio& Audio, TToolPlayerLink& Player,
                                 const TEqualizerTexts& Texts)
    : FAudio(Audio), FPlayer(Player), FTexts(Texts) {
  const TButtonOptions Options{TButtonVariant::Standard, ptBoth};
  FButtons[0] = std::make_unique<TVirtualButton>(Host, Surface, TRect{411, 7, 420, 16}, L"",
                                                 Texts.CloseHint, L"MainbtnClose", Options);
  FButtons[1] = std::make_unique<TVirtualButton>(Host, Surface, TRect{5, 72, 19, 84}, L"",
                                                 Texts.LoadHint, L"BtnLoadPreset", Options);
  FButtons[2] = std::make_unique<TVirtualButton>(Host, Surface, TRect{6, 103, 18, 115}, L"",
                                                 Texts.SaveHint, L"btnSavePreset", Options);
  for (int I = 0; I < 3; ++I) {
    FButtons[I]->OnClick = [this, I] {
      if (OnAction) OnAction(static_cast<TEqualizerAction>(I));
    };
  }

  FThumb = Surface.LoadImage(L"VerticalSlider");
  FPreamp = std::make_unique<TVirtualTrackBar>(Host, Surface, EqualizerTrack(kPreampColumn),
                                               FThumb.get(), ptBoth);
  FPreamp->OnChange = [this] { tbPreAmpChange(); };
  FPreampLabel = std::make_unique<TVirtualLabel>(Host, Surface, TLabelVariant::Equalizer,
                                                 kPreampLabelX, 0, L"0");
  for (int B = 0; B < kEqBands; ++B) {
    FBands[B] = std::make_unique<TVirtualTrackBar>(Host, Surface, EqualizerTrack(BandColumn(B)),
                                                   FThumb.get(), ptBoth);
    FBands[B]->OnChange = [this, B] { ApplyBand(B); };
    FBandLabels[B] = std::make_unique<TVirtualLabel>(Host, Surface, TLabelVariant::Equalizer,
                                                     BandLabelX(B), 0, L"0");
  }
  // The face's mouse order: close, load and save, the pre-amplification,
  // the bands from the lowest; the labels take no mouse.
  std::vector<TWidget*> Order{FButtons[0].get(), FButtons[1].get(), FButtons[2].get(), FPreamp.get()};
  for (auto& Band : FBands) Order.push_back(Band.get());
  Host.SetMouseOrder(std::move(Order));
}

TEqualizerPanel::~TEqualizerPanel() = default;

// ---- applying the sliders ---------------------------------------------------------

void TEqualizerPanel::tbEqChange(int Band, int Value) {
  if (Band < 0 || Band >= kEqBands) return;
  FBands[Band]->SetPosition(Value);
  ApplyBand(Band);
}

void TEqualizerPanel::ApplyBand(int Band) {
  const int Position = FBands[Band]->Position();
  const auto Gain = static_cast<std::int8_t>(-Position);
  for (int Bin = EqBandEdges[Band]; Bin < EqBandEdges[Band + 1]; ++Bin) FAudio.SetBandGain(Bin, Gain);
  FBandLabels[Band]->SetCaption(LabelText(Position));
}

void TEqualizerPanel::tbPreAmpChange() {
  const int Position = FPreamp->Position();
  FAudio.SetPreampVolume(PreampVolume(Position));
  FPreampLabel->SetCaption(LabelText(Position));
}

void TEqualizerPanel::SetPreamp(int Position) {
  FPreamp->SetPosition(Position);
  tbPreAmpChange();
}

void TEqualizerPanel::ShowPreampVolume(std::int32_t Volume) {
  FPreamp->SetPosition(PreampPositionFromVolume(Volume));
  FPreampLabel->SetCaption(LabelText(FPreamp->Position()));
}

TEqPreset TEqualizerPanel::Positions() const {
  TEqPreset Values{};
  Values[0] = static_cast<std::int8_t>(FPreamp->Position());
  for (int B = 0; B < kEqBands; ++B) Values[B + 1] = static_cast<std::int8_t>(FBands[B]->Position());
  return Values;
}

void TEqualizerPanel::SetPositions(const TEqPreset& Values) {
  SetPreamp(Values[0]);
  for (int B = 0; B < kEqBands; ++B) tbEqChange(B, Values[B + 1]);
}

// ---- keys and wheel -------------------------------------------------------------

void TEqualizerPanel::StepPreamp(int Position) {
  SetPreamp(Position);
  FPlayer.ShowOSD(FTexts.Preamplification + L": " + LabelText(FPreamp->Position()));
}

void TEqualizerPanel::AllKeyDown(int& Key, TShiftState Shift) {
  const TShiftState Modifiers = Shift & (ssShift | ssAlt | ssCtrl);
  if (Key == vkEscape || (Key == 'E' && Modifiers == 0) || (Key == 'G' && Modifiers == ssAlt)) {
    if (OnAction) OnAction(TEqualizerAction::Close);
  } else if (Key == vkUp && Modifiers == 0) {
    StepPreamp(std::max(FPreamp->Position() - kKeyStep, -100));
  } else if (Key == vkDown && Modifiers == 0) {
    StepPreamp(std::min(FPreamp->Position() + kKeyStep, 100));
  } else if (Key == vkNumpad0 && Modifiers == 0) {
    SetPreamp(0);
    FPlayer.ShowOSD(FTexts.Preamplification + L": 0");
  } else {
    FPlayer.PassKey(Key, Shift);
  }
}

void TEqualizerPanel::Wheel(bool Up) {
  StepPreamp(Up ? std::max(FPreamp->Position() - kKeyStep, -100)
                : std::min(FPreamp->Position() + kKeyStep, 100));
}

// ---- texts and painting ---------------------------------------------------------

void TEqualizerPanel::SetTexts(const TEqualizerTexts& Texts) {
  FTexts = Texts;
  FButtons[0]->SetHint(Texts.CloseHint);
  FButtons[1]->SetHint(Texts.LoadHint);
  FButtons[2]->SetHint(Texts.SaveHint);
}

void TEqualizerPanel::PaintWidgets() {
  for (auto& B : FButtons) B->Paint();
  FPreamp->Paint();
  for (auto& S : FBands) S->Paint();
  FPreampLabel->Paint();
  for (auto& L : FBandLabels) L->Paint();
}

}  // namespace lc::tools
