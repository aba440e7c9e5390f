#include "player/picture_choices.h"

#include <algorithm>

#include "player/picture_geometry.h"
#include "settings/value_parse.h"

namespace lc {

AspectOutcome ChooseAspect(AspectChoice Choice, AspectState Current, int NativeWidth, int NativeHeight) {
  AspectOutcome Out{Current, false};
  auto Fixed = [&](double Value) {
    Out.State = {Value, true};
    Out.Changed = !(Current.Value == Value && Current.Keep);
  };
  switch (Choice) {
    case AspectChoice::Original: Fixed(OriginalAspectRatio(NativeWidth, NativeHeight)); break;
    case AspectChoice::Wide169: Fixed(1.78); break;
    case AspectChoice::Standard43: Fixed(1.33); break;
    case AspectChoice::Square11: Fixed(1.0); break;
    case AspectChoice::Free:
      Out.State.Keep = false;
      Out.Changed = Current.Keep;
      break;
    case AspectChoice::Custom:
      Out.State.Keep = true;
      Out.Changed = !Current.Keep;
      break;
  }
  return Out;
}

std::string AspectChoiceText(AspectChoice Choice, const settings::TextTable& Texts, char DecimalSeparator) {
  auto Number = [&](double Value) {
    std::string Text = settings::FloatToText(Value);
    std::replace(Text.begin(), Text.end(), '.', DecimalSeparator);
    return Text;
  };
  switch (Choice) {
    case AspectChoice::Original: return Texts.TextMessages[48];
    case AspectChoice::Wide169: return Number(1.78) + " (16:9)";
    case AspectChoice::Standard43: return Number(1.33) + " (4:3)";
    case AspectChoice::Square11: return "1 (1:1)";
    case AspectChoice::Free:
    case AspectChoice::Custom: return Texts.TextMessages[49];
  }
  return {};
}

std::string AspectOsdText(const std::string& Text, const settings::TextTable& Texts) {
  return Texts.TextMessages[34] + ": " + Text;
}

std::optional<int> PanScanStep(int Value, int Delta) {
  if (Delta > 0 && Value < kPanScanMax) return Value + 1;
  if (Delta < 0 && Value > kPanScanMin) return Value - 1;
  return std::nullopt;
}

std::string PanScanOsdText(bool Manual, int Value, const settings::TextTable& Texts) {
  if (!Manual) return Texts.TextMessages[51] + " (" + std::to_string(Value) + "%)";
  if (Value != 0) return Texts.TextMessages[32] + " " + std::to_string(Value) + "%";
  return Texts.TextMessages[33];
}

std::optional<int> OffsetStep(int Value, int Delta) {
  const int Next = Value + Delta;
  if (Next < -100 || Next > 100) return std::nullopt;
  return Next;
}

std::string OffsetOsdText(bool Horizontal, int Offset, const settings::TextTable& Texts) {
  return Texts.TextMessages[Horizontal ? 25 : 26] + ": " + std::to_string(Offset) + "%";
}

std::string VolumeOsdText(int Volume, const settings::TextTable& Texts) {
  return Texts.TextMessages[23] + ": " + std::to_string(Volume / 100) + "%";
}

}  // namespace lc
