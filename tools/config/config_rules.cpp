#include "tools/config/config_rules.h"

#include <algorithm>
#include <utility>

#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::tools {

using settings::ClampInt;
using settings::IsValidMediaExtension;
using settings::kDesktopFolder;
using settings::kFontBold;
using settings::kShortCutAlt;
using settings::kShortCutCtrl;
using settings::LowerAscii;
using settings::ParseDecimal;
using settings::RoundHalfEven;
using settings::SameTextAscii;
using settings::SettingsStore;
using settings::StrToIntDef;
using settings::UpperAscii;

namespace {

// The Boolean settings of the check lists, line by line (Store is the
// settings store, const or not).
template <class Store, std::size_t N>
using Lines = std::array<decltype(&std::declval<Store&>().AutoPlayOnLoad), N>;

template <class Store>
Lines<Store, kGeneralLines> GeneralSettings(Store& s) {
  return {&s.AutoPlayOnLoad,         &s.AutoHideMainWindow,          &s.AutoCloseVideoWindow,
          &s.CloseFileWhenFinished,  &s.AutoClosePlayerWhenFinished, &s.RememberMovieSettings,
          &s.RememberLastMoviePosition, &s.DisplayHintInPlaylist,    &s.AllowMultipleInstances,
          &s.LoadEntireFolder,       &s.ActivateAlwaysOnTopInFullScreen};
}
template <class Store>
Lines<Store, kSubtitle1Lines> Subtitle1Settings(Store& s) {
  return {&s.TransparentBackground, &s.UseOutlineFont, &s.SubtitleShadowEffect, &s.AutoResizeFont};
}
template <class Store>
Lines<Store, kSubtitle2Lines> Subtitle2Settings(Store& s) {
  return {&s.AutoLoadSubtitle,    &s.AutoSplitLine,            &s.WrapAllText,
          &s.AutoCalculationTime, &s.RememberSubtitleSettings, &s.DisableExternalSubtitleFilters};
}
template <class Store>
Lines<Store, kVideoLines> VideoSettings(Store& s) {
  return {&s.FullscreenOnLoad,        &s.RememberPanScanSettings, &s.AutomaticPanScan, &s.MovieModeOnLoad,
          &s.LoadAtOriginalMovieSize, &s.PauseOnMinimize,         &s.OSDDisplay};
}

template <class Pointer, std::size_t N>
std::array<bool, N> Read(const std::array<Pointer, N>& settings) {
  std::array<bool, N> out{};
  for (std::size_t i = 0; i < N; ++i) out[i] = *settings[i];
  return out;
}
template <std::size_t N>
void Write(const std::array<bool, N>& lines, const std::array<bool*, N>& settings) {
  for (std::size_t i = 0; i < N; ++i) *settings[i] = lines[i];
}

template <class Store>
auto NumberSetting(Store& s, NumericField f) {
  switch (f) {
    case NumericField::PlaylistFontSize: return &s.PlaylistFontSize;
    case NumericField::HorizontalDisplayArea: return &s.HorizontalDisplayArea;
    case NumericField::AverageVerticalDisplayZone: return &s.AverageVerticalDisplayZone;
    case NumericField::SubtitleSize: return &s.SubtitleSize;
    case NumericField::AverageDisplayTime: return &s.AverageDisplayTime;
    case NumericField::SecondesToJump: return &s.SecondesToJump;
    case NumericField::SecondesToFastJump: return &s.SecondesToFastJump;
    case NumericField::OsdSize: return &s.OsdSize;
  }
  return &s.OsdSize;
}

}  // namespace

// ---- showing and storing -------------------------------------------------------

ConfigControls ControlsFromSettings(const SettingsStore& s, const std::vector<bool>& associated) {
  ConfigControls c;
  c.RegisterExtensionsOnLoad = s.RegisterExtensionsOnLoad;
  for (std::size_t i = 0; i < s.MediaExtensions.size(); ++i) {
    c.FileTypeLines.push_back(UpperAscii(s.MediaExtensions[i]));
    c.FileTypeChecks.push_back(i < associated.size() && associated[i]);
  }
  c.General = Read(GeneralSettings(s));
  c.FullscreenModeSwitch = s.FullscreenModeSwitch;
  c.Priority = s.CpuPriority;
  c.BossKey = s.BossKey;
  c.BossKeyHide = s.BossKeyHide;
  c.BossKeyShow = s.BossKeyShow;
  c.Subtitle1 = Read(Subtitle1Settings(s));
  c.Subtitle2 = Read(Subtitle2Settings(s));
  c.Video = Read(VideoSettings(s));
  for (int f = 0; f < kNumericFields; ++f)
    c.Numbers[f] = std::to_string(*NumberSetting(s, static_cast<NumericField>(f)));
  c.FontName = s.SubtitleFontName;
  c.FontColor = s.SubtitleFontColor;
  c.FontStyle = s.SubtitleFontStyle;
  c.FontScript = s.SubtitleFontScript;
  c.SubtitleDirectory = s.SubtitleDirectory;
  c.SearchHereFirst = s.SearchHereFirst;
  c.OsdColor = s.OsdColor;
  c.CaptureFolder = s.CaptureFolder;
  c.CaptureType = s.CaptureType;
  c.Language = s.LastUsedLanguage;
  return c;
}

bool StoreControls(const ConfigControls& c, SettingsStore& s) {
  Write(c.General, GeneralSettings(s));
  s.FullscreenModeSwitch = c.FullscreenModeSwitch;
  s.CpuPriority = std::max(0, c.Priority);
  s.BossKey = c.BossKey;
  s.BossKeyHide = c.BossKeyHide;
  s.BossKeyShow = c.BossKeyShow;
  Write(c.Subtitle1, Subtitle1Settings(s));
  Write(c.Subtitle2, Subtitle2Settings(s));
  const std::int32_t displayTime = s.AverageDisplayTime;
  for (int f = 0; f < kNumericFields; ++f) {
    std::int32_t* setting = NumberSetting(s, static_cast<NumericField>(f));
    *setting = StrToIntDef(c.Numbers[f], *setting);
  }
  s.SubtitleFontName = c.FontName;
  s.SubtitleFontColor = c.FontColor;
  s.SubtitleFontStyle = c.FontStyle;
  s.SubtitleFontScript = c.FontScript;
  s.SubtitleDirectory = c.SubtitleDirectory;
  s.SearchHereFirst = c.SearchHereFirst;
  Write(c.Video, VideoSettings(s));
  s.OsdColor = c.OsdColor;
  s.CaptureFolder = c.CaptureFolder;
  s.CaptureType = c.CaptureType;
  return s.AverageDisplayTime != displayTime;
}

ConfigControls DefaultControls(const ConfigControls& current, const std::string& noChange) {
  ConfigControls c = current;
  c.RegisterExtensionsOnLoad = false;
  c.General = {true, true, true, true, true, false, false, false, false, false, false};
  c.FullscreenModeSwitch = noChange;
  c.Priority = 2;  // normal
  c.BossKey = false;
  c.BossKeyHide = 0x6E;  // the numeric keypad's decimal key
  c.BossKeyShow = kShortCutCtrl | kShortCutAlt | 'S';
  c.Subtitle1 = {true, true, true, false};
  c.Subtitle2 = {true, true, false, false, false, true};
  c.Number(NumericField::AverageDisplayTime) = "2200";
  c.Number(NumericField::AverageVerticalDisplayZone) = "15";
  c.Number(NumericField::HorizontalDisplayArea) = "99";
  c.FontName = "Arial";
  c.FontColor = 0xFFFFFF;
  c.FontStyle = kFontBold;
  c.FontScript = 1;
  c.Number(NumericField::SubtitleSize) = "100";
  c.SearchHereFirst = false;
  c.Video = {false, false, true, false, false, true, true};
  c.Number(NumericField::SecondesToJump) = "20";
  c.Number(NumericField::SecondesToFastJump) = "60";
  c.Number(NumericField::OsdSize) = "100";
  c.OsdColor = 65280;
  c.CaptureFolder = kDesktopFolder;
  c.CaptureType = 1;  // JPG
  c.Number(NumericField::PlaylistFontSize) = "10";
  return c;
}

// ---- change tracking ------------------------------------------------------------

ConfigDifference FirstDifference(const ConfigControls& c, const ConfigControls& s) {
  using D = ConfigDifference;
  if (c.FileTypeLines != s.FileTypeLines) return D::FileTypes;
  if (c.FileTypeChecks != s.FileTypeChecks) return D::Associations;
  if (c.RegisterExtensionsOnLoad != s.RegisterExtensionsOnLoad || c.General != s.General ||
      c.BossKey != s.BossKey || c.Subtitle1 != s.Subtitle1 || c.Subtitle2 != s.Subtitle2 ||
      c.SearchHereFirst != s.SearchHereFirst || c.Video != s.Video)
    return D::Options;
  if (c.FullscreenModeSwitch != s.FullscreenModeSwitch) return D::FullscreenMode;
  if (c.Priority != s.Priority) return D::Priority;
  if (c.BossKeyHide != s.BossKeyHide || c.BossKeyShow != s.BossKeyShow) return D::BossKeys;
  for (int f = 0; f < kNumericFields; ++f)
    if (c.Numbers[f] != s.Numbers[f]) return static_cast<D>(static_cast<int>(D::PlaylistFontSize) + f);
  if (c.FontName != s.FontName) return D::FontName;
  if (c.FontColor != s.FontColor) return D::FontColor;
  if (c.FontStyle != s.FontStyle) return D::FontStyle;
  if (c.FontScript != s.FontScript) return D::FontScript;
  if (c.SubtitleDirectory != s.SubtitleDirectory) return D::SubtitleDirectory;
  if (c.OsdColor != s.OsdColor) return D::OsdColor;
  if (c.CaptureFolder != s.CaptureFolder) return D::CaptureFolder;
  if (c.CaptureType != s.CaptureType) return D::CaptureType;
  if (!SameTextAscii(c.Language, s.Language)) return D::Language;
  return D::None;
}

bool EndsMovieModeLook(ConfigDifference d) {
  return d == ConfigDifference::AverageVerticalDisplayZone || d == ConfigDifference::FontName ||
         d == ConfigDifference::SubtitleSize || d == ConfigDifference::FontStyle;
}

// ---- check-list clicks ------------------------------------------------------------

void GeneralClickCheck(ConfigControls& c, int line) {
  if (line == 5 && !c.General[5]) c.General[6] = false;
}

void Subtitle1ClickCheck(ConfigControls& c, int line) {
  auto& l = c.Subtitle1;
  if (line == 0 && !l[0]) l[1] = l[2] = false;
  if (line == 1) {
    if (l[1])
      l[0] = true;
    else
      l[2] = false;
  }
  if (line == 2 && l[2]) l[0] = l[1] = true;
  if (l[3]) c.Subtitle2[1] = c.Subtitle2[2] = false;
}

void Subtitle2ClickCheck(ConfigControls& c, int line) {
  auto& l = c.Subtitle2;
  if (line == 1 && l[1]) l[2] = false;
  if (line == 2 && l[2]) l[1] = false;
  if (l[1] || l[2]) c.Subtitle1[3] = false;
}

void VideoClickCheck(ConfigControls& c, int line) {
  if (line == 1 && c.Video[1]) c.Video[2] = false;
  if (line == 2 && c.Video[2]) c.Video[1] = false;
}

// ---- fields -----------------------------------------------------------------------

NumericFieldRule RuleOf(NumericField f) {
  switch (f) {
    case NumericField::PlaylistFontSize: return {2, 1, 50};
    case NumericField::HorizontalDisplayArea: return {3, 1, 100};
    case NumericField::AverageVerticalDisplayZone: return {2, 0, 50};
    case NumericField::SubtitleSize: return {4, 10, 1000};
    case NumericField::AverageDisplayTime: return {4, 1000, 9999};
    case NumericField::SecondesToJump: return {2, 1, 99};
    case NumericField::SecondesToFastJump: return {3, 1, 999};
    case NumericField::OsdSize: return {3, 10, 500};
  }
  return {0, 0, 0};
}

std::string NumericFieldOnExit(NumericField f, std::string_view text, std::int32_t stored) {
  const std::optional<std::int64_t> value = ParseDecimal(text);
  if (!value) return std::to_string(stored);
  const NumericFieldRule rule = RuleOf(f);
  return std::to_string(ClampInt(*value, rule.Min, rule.Max));
}

std::int32_t StoredNumber(const SettingsStore& s, NumericField f) {
  return *NumberSetting(s, f);
}

bool IsRefusedExtensionChar(char32_t c) {
  return c == U'.' || c == U'/' || c == U'<' || c == U'>' || c == U'?' || c == U'\\' || c == U'|';
}

ExtensionCheck CheckNewExtension(std::string_view text, const std::vector<std::string>& lines,
                                 std::string& upper) {
  upper = UpperAscii(text);
  if (text.empty()) return ExtensionCheck::Empty;
  if (!IsValidMediaExtension(LowerAscii(text))) return ExtensionCheck::Invalid;
  if (std::find(lines.begin(), lines.end(), upper) != lines.end()) return ExtensionCheck::Duplicate;
  return ExtensionCheck::Ok;
}

// ---- subtitle font sizes ----------------------------------------------------------

std::int32_t FontDialogPoints(std::int32_t sizeValue, int screenWidth) {
  return static_cast<std::int32_t>(RoundHalfEven(sizeValue * 28.0 * screenWidth / 102400.0));
}

std::int32_t SizeFromFontDialog(std::int32_t points, int screenWidth) {
  if (screenWidth <= 0) return 10;
  return ClampInt(RoundHalfEven(points * 102400.0 / (screenWidth * 28.0)), 10, 1000);
}

std::int32_t SamplePoints(std::int32_t sizeValue, int screenWidth, int pixelsPerInch) {
  if (pixelsPerInch <= 0) pixelsPerInch = 96;
  const std::int32_t size = ClampInt(sizeValue, 10, 1000);
  return static_cast<std::int32_t>(RoundHalfEven(size * 0.02625 * screenWidth / pixelsPerInch));
}

std::int32_t OutlineColor(std::int32_t fontColor) {
  static constexpr std::int32_t kDark[] = {0,       128,     32768,   32896,   8388608,
                                           8388736, 8421376, 8421504, 16711680};
  const auto channel = [&](int shift) { return (fontColor >> shift) & 0xFF; };
  const bool dark = std::find(std::begin(kDark), std::end(kDark), fontColor) != std::end(kDark);
  std::int32_t out = 0;
  for (int shift : {0, 8, 16}) {
    const int c = channel(shift);
    out |= (dark ? 255 - (255 - c) / 4 : c / 4) << shift;
  }
  if (dark && (out == fontColor || out == 0xFFFFFF)) return 0xFEFEFE;
  if (!dark && (out == fontColor || out == 0)) return 0x010101;
  return out;
}

std::int32_t SampleKeyColor(std::int32_t fontColor, std::int32_t outlineColor) {
  fontColor &= 0xFFFFFF;
  outlineColor &= 0xFFFFFF;
  for (std::int32_t key : {0xFF00FF, 0x00FF00, 0xFFFF00}) {
    if (key != fontColor && key != outlineColor) return key;
  }
  return 0xFF00FF;  // not reached: three keys, two colours
}

// ---- languages --------------------------------------------------------------------

std::string LanguageEntryOfFile(std::string_view fileName) {
  const std::string_view entry = fileName.substr(0, fileName.size() >= 4 ? fileName.size() - 4 : 0);
  if (entry.empty()) return {};
  return UpperAscii(entry.substr(0, 1)) + std::string(entry.substr(1));
}

std::string TranslatorCredit(std::string_view fileBytes) {
  static constexpr std::string_view kLabel = "Translated by: ";
  if (fileBytes.size() < 16) return {};
  // Read as the language loader reads the file: text in the code page.
  const std::string head = settings::CurrentAnsiCodec().ToUtf8(fileBytes.substr(0, 102400));
  const std::size_t start = head.find(kLabel);
  if (start == std::string::npos) return {};
  const std::string_view line = std::string_view(head).substr(start);
  const std::string credit = settings::Utf8Left(line.substr(0, line.find('\r')), 50);
  if (credit == "Translated by: ...") return {};
  return credit;
}

}  // namespace lc::tools
