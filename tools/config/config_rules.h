// The configuration dialog's option rules, apart from its windows: what the
// controls hold (ConfigControls), how a click on a check-list line changes
// the other lines, how the numeric fields are cleaned when left, which
// extensions may be added, whether any control differs from the settings
// (the Apply button), what Apply stores and what Default shows. Portable;
// GUI thread only.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace lc::tools {

inline constexpr int kGeneralLines = 11;
inline constexpr int kSubtitle1Lines = 4;
inline constexpr int kSubtitle2Lines = 6;
inline constexpr int kVideoLines = 7;

// The numeric edit fields, in the order the change check compares them.
enum class NumericField {
  PlaylistFontSize,
  HorizontalDisplayArea,
  AverageVerticalDisplayZone,
  SubtitleSize,
  AverageDisplayTime,
  SecondesToJump,
  SecondesToFastJump,
  OsdSize,
};
inline constexpr int kNumericFields = 8;

// The values the dialog's controls show. Check-list lines are indexed from
// 0 (the first line of a list is [0]).
struct ConfigControls {
  bool RegisterExtensionsOnLoad = false;
  std::vector<std::string> FileTypeLines;  // upper case
  std::vector<bool> FileTypeChecks;        // parallel to FileTypeLines
  std::array<bool, kGeneralLines> General{};
  std::string FullscreenModeSwitch;  // the combo's text
  int Priority = 2;                  // item index; -1 when none is chosen
  bool BossKey = false;
  settings::ShortCut BossKeyHide = 0;
  settings::ShortCut BossKeyShow = 0;
  std::array<bool, kSubtitle1Lines> Subtitle1{};
  std::array<bool, kSubtitle2Lines> Subtitle2{};
  std::array<bool, kVideoLines> Video{};
  std::array<std::string, kNumericFields> Numbers;  // by NumericField
  std::string FontName;
  std::int32_t FontColor = 0;
  settings::FontStyles FontStyle = 0;
  std::int32_t FontScript = 0;
  std::string SubtitleDirectory;
  bool SearchHereFirst = false;
  std::int32_t OsdColor = 0;
  std::string CaptureFolder;
  int CaptureType = 0;
  std::string Language;

  std::string& Number(NumericField f) { return Numbers[static_cast<int>(f)]; }
  const std::string& Number(NumericField f) const { return Numbers[static_cast<int>(f)]; }
};

// ---- showing and storing -------------------------------------------------------

// What the controls show for `s`. `associated[i]` tells whether
// MediaExtensions[i] is associated with the program now.
ConfigControls ControlsFromSettings(const settings::SettingsStore& s, const std::vector<bool>& associated);

// Apply's storing of the controls (the association step and the language
// switch are done by the dialog): every option, the subtitle font and the
// numeric fields (a text that does not convert keeps the setting). Returns
// whether AverageDisplayTime changed, after which the loaded subtitle's
// display lengths are computed again.
bool StoreControls(const ConfigControls& c, settings::SettingsStore& s);

// What Default shows: the defaults over `current`, keeping the file types,
// their check marks, the subtitle folder and the language. `noChange` is
// the combo's first item.
ConfigControls DefaultControls(const ConfigControls& current, const std::string& noChange);

// ---- change tracking ------------------------------------------------------------

// The first control that differs from the settings, in the order the check
// compares them.
enum class ConfigDifference {
  None,
  FileTypes,
  Associations,
  Options,
  FullscreenMode,
  Priority,
  BossKeys,
  PlaylistFontSize,
  HorizontalDisplayArea,
  AverageVerticalDisplayZone,
  SubtitleSize,
  AverageDisplayTime,
  SecondesToJump,
  SecondesToFastJump,
  OsdSize,
  FontName,
  FontColor,
  FontStyle,
  FontScript,
  SubtitleDirectory,
  OsdColor,
  CaptureFolder,
  CaptureType,
  Language,
};

// Compares the controls with what they would show for the settings
// (`stored` = ControlsFromSettings of the settings); Apply is enabled
// exactly when the result is not None.
ConfigDifference FirstDifference(const ConfigControls& c, const ConfigControls& stored);

// A first difference in the subtitle's place, font name, size or style ends
// movie mode's look: the main window's movie-mode item is unchecked.
bool EndsMovieModeLook(ConfigDifference d);

// ---- check-list clicks (the clicked line already toggled) ----------------------

// Unchecking "remember movie settings" unchecks "remember movie position".
void GeneralClickCheck(ConfigControls& c, int line);
// The transparent background, outline and shadow lines depend on each
// other; auto-resize excludes the second list's split and wrap lines.
void Subtitle1ClickCheck(ConfigControls& c, int line);
// Split and wrap exclude each other and auto-resize.
void Subtitle2ClickCheck(ConfigControls& c, int line);
// Remembered and automatic pan & scan exclude each other.
void VideoClickCheck(ConfigControls& c, int line);

// ---- fields -----------------------------------------------------------------------

struct NumericFieldRule {
  int MaxChars;
  std::int32_t Min;
  std::int32_t Max;
};
NumericFieldRule RuleOf(NumericField f);

// The text a numeric field shows when it is left: empty or not a number
// gives the stored value again; a number is clamped into its range.
std::string NumericFieldOnExit(NumericField f, std::string_view text, std::int32_t stored);

// The stored value of field `f` in `s`.
std::int32_t StoredNumber(const settings::SettingsStore& s, NumericField f);

// Characters the extension field refuses while typing.
bool IsRefusedExtensionChar(char32_t c);
inline constexpr std::size_t kMaxExtensionChars = 32;

enum class ExtensionCheck { Ok, Empty, Invalid, Duplicate };
// Whether `text` (as typed or pasted) may be added to the file-type lines;
// `upper` receives it in upper case.
ExtensionCheck CheckNewExtension(std::string_view text, const std::vector<std::string>& lines,
                                 std::string& upper);

// ---- subtitle font sizes ----------------------------------------------------------

// The font dialog's point size for the size field's value, and back
// (clamped to 10..1000).
std::int32_t FontDialogPoints(std::int32_t sizeValue, int screenWidth);
std::int32_t SizeFromFontDialog(std::int32_t points, int screenWidth);
// The sample's point size: the value clamped to 10..1000, scaled to the
// screen.
std::int32_t SamplePoints(std::int32_t sizeValue, int screenWidth, int pixelsPerInch);
// The colour the outline is drawn in for a font colour (0x00BBGGRR).
std::int32_t OutlineColor(std::int32_t fontColor);
// The key colour of the sample's work bitmap (left out when it is copied):
// fuchsia, or lime, or cyan, whichever is first to differ from both the
// font colour and the outline colour, so that neither vanishes with it.
std::int32_t SampleKeyColor(std::int32_t fontColor, std::int32_t outlineColor);

// ---- languages --------------------------------------------------------------------

// The list entry of a language file name ("german.lng" gives "German").
std::string LanguageEntryOfFile(std::string_view fileName);
// The translator credit of a language file's bytes (text in the code page,
// as the language loader reads it), in UTF-8: from "Translated by: " in the
// first 102400 bytes to the next CR, at most 50 characters; empty when
// missing, when the file is shorter than 16 bytes or when it reads
// "Translated by: ...".
std::string TranslatorCredit(std::string_view fileBytes);

}  // namespace lc::tools
