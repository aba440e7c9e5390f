// The choices of the aspect-ratio and pan & scan commands and the texts
// they show on the OSD. Plain values only; TfrmMain's picture commands
// (player/picture_commands.cpp) apply them.
#pragma once

#include <optional>
#include <string>

#include "settings/text_table.h"

namespace lc {

// The entries of the aspect-ratio menu: the fixed ratios, the free mode and
// the custom ratio of its dialog.
enum class AspectChoice { Original, Wide169, Standard43, Square11, Free, Custom };

struct AspectState {
  double Value = 0;  // AspectRatioValue
  bool Keep = true;  // KeepAspectRatio
};

struct AspectOutcome {
  AspectState State;
  bool Changed = false;  // worth remembering for the movie
};

// The aspect settings after Choice, from Current and the movie's native
// size (Original takes the native ratio rounded to 1/100; Free keeps the
// value and lets the picture fill the area; Custom keeps the value for its
// dialog and the aspect kept).
AspectOutcome ChooseAspect(AspectChoice Choice, AspectState Current, int NativeWidth, int NativeHeight);

// The text SetAspectRatio is given for Choice: "original", "free", or the
// ratio written with DecimalSeparator and its name ("1.78 (16:9)"). Custom
// lays the picture out before its dialog opens and says "free" then.
std::string AspectChoiceText(AspectChoice Choice, const settings::TextTable& Texts, char DecimalSeparator);

// "Aspect Ratio: " + Text.
std::string AspectOsdText(const std::string& Text, const settings::TextTable& Texts);

// The pan & scan value one step in (+1, up to 100) or out (-1, down to
// -50); nullopt at the limit.
std::optional<int> PanScanStep(int Value, int Delta);

// "Automatic PanScan (12%)" when not Manual; "PanScan 12%", or
// "PanScan off" for 0, when Manual.
std::string PanScanOsdText(bool Manual, int Value, const settings::TextTable& Texts);

// The picture offset one step up (+1, up to 100) or down (-1, down to
// -100); nullopt at the limit.
std::optional<int> OffsetStep(int Value, int Delta);

// "Horizontal position: 12%" or "Vertical position: -3%".
std::string OffsetOsdText(bool Horizontal, int Offset, const settings::TextTable& Texts);

// "Volume: 50%" for the graph component's volume 0..10000.
std::string VolumeOsdText(int Volume, const settings::TextTable& Texts);

}  // namespace lc
