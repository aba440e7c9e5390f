#include <algorithm>

#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

constexpr std::size_t kMaxSettingText = 256;

bool BeginsWithLetter(const std::string& s) {
  return !s.empty() && ((s[0] >= 'A' && s[0] <= 'Z') || (s[0] >= 'a' && s[0] <= 'z'));
}

// A folder that begins with a drive letter must be on a ready drive; any
// other folder must exist.
bool FolderUsable(const SettingsHost& host, const std::string& folder) {
  return BeginsWithLetter(folder) ? host.IsDriveReady(folder) : host.FolderExists(folder);
}

void ConvertString(SettingsStore& store, const SettingsHost& host, const SettingDef& d,
                   const std::string& value) {
  std::string& target = StringOf(store, d);
  switch (d.rule) {
    case StringRule::Take256:
    case StringRule::DisplayMode:
      target = Utf8Left(value, kMaxSettingText);
      break;
    case StringRule::Take256NonEmpty:
      if (!value.empty()) target = Utf8Left(value, kMaxSettingText);
      break;
    case StringRule::FolderOnReadyDrive:
      if (!value.empty() && (!BeginsWithLetter(value) || host.IsDriveReady(value))) target = value;
      break;
    case StringRule::InstalledFont:
      if (host.IsFontInstalled(value)) target = value;
      break;
    case StringRule::SubtitleFolder:
      target = Utf8Left(value, kMaxSettingText);
      if (!FolderUsable(host, target)) target.clear();
      break;
    case StringRule::CaptureFolder:
      if (value == kDesktopFolder || (!value.empty() && FolderUsable(host, value))) target = value;
      break;
    case StringRule::None:
      target = value;
      break;
  }
}

// The stored resolution-independent number v becomes round(v * 0.00001 *
// screen size); a missing value falls back to the current pixel value
// converted the same way. Not clamped here (the placement pass does it).
std::int32_t ConvertPosition(const std::string& value, std::int32_t currentPixels, int screenSize) {
  const std::int64_t fallback =
      RoundHalfEven(static_cast<double>(currentPixels) * 100000.0 / std::max(screenSize, 1));
  const std::int64_t stored = ParseDecimal(value).value_or(fallback);
  const std::int64_t pixels = RoundHalfEven(static_cast<double>(stored) * 0.00001 * screenSize);
  return ClampInt(pixels, INT32_MIN, INT32_MAX);
}

// FileTypes: "a;b;c;" split at every ";"; empty pieces are kept.
void RebuildMediaExtensions(SettingsStore& store) {
  if (store.FileTypes.empty()) return;
  store.MediaExtensions.clear();
  std::string current;
  for (char c : store.FileTypes) {
    if (c == ';') {
      store.MediaExtensions.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
}

void ConvertFileTypes(SettingsStore& store, const std::string& value) {
  if (!value.empty()) store.FileTypes = value;
  if (!store.FileTypes.empty() && store.FileTypes.back() != ';') store.FileTypes += ';';
  RebuildMediaExtensions(store);
}

void AlignFileAssociation(SettingsStore& store, const std::string& value) {
  store.FileAssociation = value;
  store.FileAssociation.resize(store.MediaExtensions.size(), '0');
}

// Walks "p,b0,b1,...": "-" and digits build a number, any other character
// ends it; an empty or malformed piece counts as 0.
void ConvertEqualizer(SettingsStore& store, std::string& value) {
  value = Utf8Left(value, kMaxSettingText) + ",";
  std::string number;
  int index = 0;  // 0 pre-amplification, 1..10 bands
  for (char c : value) {
    if (c == '-' || (c >= '0' && c <= '9')) {
      number += c;
      continue;
    }
    store.EqualizerSettings[index] = ClampInt(StrToIntDef(number, 0), -100, 100);
    number.clear();
    if (index > 0) store.EqualizerBandsLoaded = index;
    if (++index == kEqualizerValueCount) break;
  }
}

void ConvertRow(SettingsStore& store, const SettingsHost& host, const SettingDef& d,
                std::string& value) {
  switch (d.kind) {
    case SettingKind::Bool:
      store.*d.boolField = StrToBoolDef(value, store.*d.boolField);
      break;
    case SettingKind::Int: {
      std::int32_t v = StrToIntDef(value, store.*d.intField);
      store.*d.intField = d.clamped ? ClampInt(v, d.min, d.max) : v;
      break;
    }
    case SettingKind::Position:
      store.*d.intField = ConvertPosition(
          value, store.*d.intField, d.axis == Axis::X ? host.ScreenWidth() : host.ScreenHeight());
      break;
    case SettingKind::FontStyle:
      store.SubtitleFontStyle = CodeToFontStyle(ClampInt(StrToIntDef(value, 1), d.min, d.max));
      break;
    case SettingKind::ShortCut:
      store.*d.shortCutField = TextToShortCut(value);
      break;
    case SettingKind::CpuPriority:
      store.*d.intField = 4 - ClampInt(StrToIntDef(value, 2), d.min, d.max);
      break;
    case SettingKind::String:
      ConvertString(store, host, d, value);
      break;
    case SettingKind::FileTypes:
      ConvertFileTypes(store, value);
      break;
    case SettingKind::FileAssociation:
      AlignFileAssociation(store, value);
      break;
    case SettingKind::Equalizer:
      ConvertEqualizer(store, value);
      break;
  }
}

// Lower bound first, then the upper one: a window larger than the area ends
// at its far edge.
std::int32_t ClampInto(std::int32_t pos, int start, int length, int size) {
  pos = std::max(pos, start);
  return std::min(pos, start + length - size);
}

void ClampPlacement(SettingsStore& s, const SettingsHost& host) {
  const ScreenArea work = host.PrimaryWorkArea();
  const ScreenArea a = host.MonitorsDiffer() ? host.VirtualScreen() : work;
  s.PlayListWidth = std::min(s.PlayListWidth, std::min(800, work.width));
  s.PlayListHeight = std::min(s.PlayListHeight, std::min(800, work.height));

  s.MainXPosition = ClampInto(s.MainXPosition, a.left, a.width, 460);
  s.MainYPosition = ClampInto(s.MainYPosition, a.top, a.height, 150);
  s.EqualizerXPosition = ClampInto(s.EqualizerXPosition, a.left, a.width, 425);
  s.EqualizerYPosition = ClampInto(s.EqualizerYPosition, a.top, a.height, 176);
  s.PlaylistXPosition = ClampInto(s.PlaylistXPosition, a.left, a.width, s.PlayListWidth);
  s.PlaylistYPosition = ClampInto(s.PlaylistYPosition, a.top, a.height, s.PlayListHeight);
  // A video window larger than the area is centred on it, without the
  // area's origin.
  s.VideoWindowXPosition = a.width >= s.VideoWindowWidth
                               ? ClampInto(s.VideoWindowXPosition, a.left, a.width, s.VideoWindowWidth)
                               : (a.width - s.VideoWindowWidth) / 2;
  s.VideoWindowYPosition = a.height >= s.VideoWindowHeight
                               ? ClampInto(s.VideoWindowYPosition, a.top, a.height, s.VideoWindowHeight)
                               : (a.height - s.VideoWindowHeight) / 2;
}

}  // namespace

void ConvertLoadedValues(SettingsStore& store, const SettingsHost& host,
                         std::vector<std::string> values) {
  values.resize(kConfigKeyCount);
  const auto table = SettingsTable();
  for (std::size_t i = 0; i < table.size(); ++i) ConvertRow(store, host, table[i], values[i]);
  store.SubtitleFontPointSize = SubtitlePointSize(host.ScreenWidth(), store.SubtitleSize);
  ClampPlacement(store, host);
  store.ConfigValues = std::move(values);
}

bool LoadSettingsFile(SettingsStore& store, const SettingsHost& host, const std::string& fileName) {
  std::vector<std::string> values;
  const ReadStatus status = ReadConfigFile(fileName, ConfigKeyNames(), values);
  if (status != ReadStatus::Ok && status != ReadStatus::Missing) {
    store.ConfigUnread = UnreadFile::NotTold;
    store.FirstRun = false;
    return false;
  }
  if (values.empty()) return false;
  ConvertLoadedValues(store, host, std::move(values));
  return true;
}

}  // namespace lc::settings
