#include "tools/color/color_panel.h"

#include <algorithm>

#include "framework/keys.h"
#include "settings/value_parse.h"

namespace lc::tools {

namespace {

constexpr int kSkinWidth = 292;
constexpr int kRows[4] = {38, 63, 88, 113};
constexpr int kMin[4] = {0, 0, -180, 0};
constexpr int kMax[4] = {1000, 200, 180, 200};
constexpr int kNameX = 26;
constexpr int kValueX = 260;
// The value is moved left when it would run beyond its paper (which ends
// at x 287).
constexpr int kValueRight = 285;
constexpr int kNameColumn = 97;
constexpr int kChangeScore = 5000;

int LabelTop(int Slider) { return kRows[Slider] - 7; }

}  // namespace

std::wstring ColorValueText(TColorSlider Slider, int Position, wchar_t DecimalSeparator) {
  switch (Slider) {
    case csBrightness: {
      std::wstring Text = std::to_wstring(Position / 10);
      if (Position % 10 != 0) Text += DecimalSeparator + std::to_wstring(Position % 10);
      return Text;
    }
    case csHue:
      return std::to_wstring(Position);
    case csContrast:
    case csSaturation:
      return std::to_wstring(Position / 2);
  }
  return {};
}

int BrightnessStep(int Position, bool Up) {
  const int Rounded = static_cast<int>(settings::RoundHalfEven(Position * 0.1)) * 10;
  return Up ? std::min(1000, Rounded + 10) : std::max(0, Rounded - 10);
}

TColorPanel::TColorPanel(TWidgetHost& Host, TWidgetSurface& Surface, TPlaybackLink& Playback,
                         TToolPlayerLink& Player, const TColorTexts& Texts,
                         wchar_t DecimalSeparator)
    : FSurface(Surface), FPlayback(Playback), FPlayer(Player), FTexts(Texts), FDecimalSeparator(DecimalSeparator) {
  const TButtonOptions Options{TButtonVariant::CaptionCentred, ptBoth};
  FClose = std::make_unique<TVirtualButton>(Host, Surface,
                                            TRect{kSkinWidth - 14, 7, kSkinWidth - 5, 16}, L"",
                                            Texts.CloseHint, L"MainbtnClose", Options);
  const int DefaultLeft = (kSkinWidth - 80) / 2;
  FDefault = std::make_unique<TVirtualButton>(Host, Surface,
                                              TRect{DefaultLeft, 133, DefaultLeft + 80, 153},
                                              Texts.DefaultCaption, L"", L"", Options);
  FClose->OnClick = [this] {
    if (OnClose) OnClose();
  };
  FDefault->OnClick = [this] { btnDefaultClick(); };

  FThumb = Surface.LoadImage(L"HorizontalSlider");
  for (int S = 0; S < 4; ++S) {
    FSliders[S] = std::make_unique<TVirtualTrackBar>(
        Host, Surface, ColourTrack(kRows[S], kMin[S], kMax[S]), FThumb.get(), ptBoth, &Playback);
    FSliders[S]->OnChange = [this, S] { UpdateValue(static_cast<TColorSlider>(S)); };
    FNames[S] = std::make_unique<TVirtualLabel>(Host, Surface, TLabelVariant::Colour, kNameX,
                                                LabelTop(S), Texts.Names[S]);
    FValues[S] = std::make_unique<TVirtualLabel>(Host, Surface, TLabelVariant::Colour, kValueX, LabelTop(S), L"");
    UpdateValue(static_cast<TColorSlider>(S));
  }
  // The face's mouse order: the close box, the default values, the four
  // sliders from the top; the labels take no mouse.
  Host.SetMouseOrder({FClose.get(), FDefault.get(), FSliders[0].get(), FSliders[1].get(), FSliders[2].get(),
                      FSliders[3].get()});
}

TColorPanel::~TColorPanel() = default;

// The value at x 260, or as far left as it needs to end inside its paper.
void TColorPanel::UpdateValue(TColorSlider Slider) {
  const std::wstring Text = ColorValueText(Slider, FSliders[Slider]->Position(), FDecimalSeparator);
  TVirtualLabel& Value = *FValues[Slider];
  if (Text == Value.Caption()) return;
  const int Left = std::min(kValueX, kValueRight - FSurface.TextExtent(Text, {}).cx);
  if (Left != Value.Rect().Left) {
    Value.SetCaption(L"");
    Value.SetLeft(Left);
  }
  Value.SetCaption(Text);
}

void TColorPanel::SetPosition(TColorSlider Slider, int Position) {
  FSliders.at(Slider)->SetPosition(Position);
  UpdateValue(Slider);
}

void TColorPanel::btnDefaultClick() {
  SetPosition(csSaturation, 100);
  SetPosition(csHue, 0);
  SetPosition(csContrast, 100);
  SetPosition(csBrightness, 75);
  if (FPlayback.GraphActive()) AddRmsChangeScore(FPlayback, kChangeScore);
}

void TColorPanel::StepBrightness(bool Up, bool Score) {
  SetPosition(csBrightness, BrightnessStep(FSliders[csBrightness]->Position(), Up));
  FPlayer.ShowOSD(FTexts.Names[csBrightness] + L": " + FValues[csBrightness]->Caption());
  if (Score && FPlayback.GraphActive()) AddRmsChangeScore(FPlayback, kChangeScore);
}

void TColorPanel::AllKeyDown(int& Key, TShiftState Shift) {
  const TShiftState Modifiers = Shift & (ssShift | ssAlt | ssCtrl);
  if (Key == vkEscape || (Key == 'C' && Modifiers == ssCtrl)) {
    if (OnClose) OnClose();
  } else if ((Key == vkLeft || Key == vkRight) && Modifiers == 0) {
    StepBrightness(Key == vkRight, true);
  } else {
    FPlayer.PassKey(Key, Shift);
  }
}

void TColorPanel::Wheel(bool Up) { StepBrightness(Up, false); }

void TColorPanel::SetTexts(const TColorTexts& Texts, int WidestName, int NameSize) {
  FTexts = Texts;
  for (int S = 0; S < 4; ++S) {
    FNames[S]->SetCaption(L"");
    FNames[S]->SetLeft((kNameColumn - WidestName) / 2 + 2);
    FNames[S]->SetFontSize(NameSize);
    FNames[S]->SetCaption(Texts.Names[S]);
  }
  FClose->SetHint(Texts.CloseHint);
  FDefault->SetCaption(Texts.DefaultCaption);
}

void TColorPanel::PaintWidgets() {
  FClose->Paint();
  FDefault->Paint();
  for (int S = 0; S < 4; ++S) {
    FSliders[S]->Paint();
    FNames[S]->Paint();
    FValues[S]->Paint();
  }
}

}  // namespace lc::tools
