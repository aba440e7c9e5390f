#include <algorithm>

#include "settings/file_io.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

std::string JoinExtensions(const std::vector<std::string>& exts) {
  std::string text;
  for (const std::string& e : exts) text += e + ";";
  return text;
}

std::string JoinEqualizer(const SettingsStore& store) {
  std::string text;
  for (std::size_t i = 0; i < store.EqualizerSettings.size(); ++i) {
    if (i > 0) text += ',';
    text += std::to_string(store.EqualizerSettings[i]);
  }
  return text;
}

std::string PositionText(std::int32_t pixels, int screenSize) {
  const double v = static_cast<double>(pixels) * 100000.0 / std::max(screenSize, 1);
  return std::to_string(RoundHalfEven(v));
}

std::string ValueOf(const SettingsStore& store, const SettingsHost& host, const SettingDef& d,
                    const std::string& translatedNoChange) {
  switch (d.kind) {
    case SettingKind::Bool:
      return BoolToStr(store.*d.boolField);
    case SettingKind::Int:
      return std::to_string(store.*d.intField);
    case SettingKind::Position:
      return PositionText(store.*d.intField,
                          d.axis == Axis::X ? host.ScreenWidth() : host.ScreenHeight());
    case SettingKind::FontStyle:
      return FontStyleToCode(store.SubtitleFontStyle);
    case SettingKind::ShortCut:
      return ShortCutToText(store.*d.shortCutField);
    case SettingKind::CpuPriority:
      return std::to_string(4 - store.*d.intField);
    case SettingKind::String:
      if (d.rule == StringRule::DisplayMode && StringOf(store, d) == translatedNoChange) {
        return kNoChange;
      }
      return StringOf(store, d);
    case SettingKind::FileTypes:
      return JoinExtensions(store.MediaExtensions);
    case SettingKind::FileAssociation:
      return store.FileAssociation;
    case SettingKind::Equalizer:
      return JoinEqualizer(store);
  }
  return {};
}

}  // namespace

std::vector<std::string> BuildConfigValues(const SettingsStore& store, const SettingsHost& host,
                                           const std::string& translatedNoChange) {
  std::vector<std::string> values;
  values.reserve(kConfigKeyCount);
  for (const SettingDef& d : SettingsTable()) {
    values.push_back(ValueOf(store, host, d, translatedNoChange));
  }
  return values;
}

void SaveConfiguration(SettingsStore& store, const SettingsHost& host, const std::string& fileName,
                       const std::string& dataFolder, const std::string& translatedNoChange) {
  store.ConfigWriteError = false;
  if (!store.ConfigTaken) return;
  // The user is told of an unread file first: until then it stays as it
  // is; one that could not be kept aside is never written over.
  if (store.ConfigUnread == UnreadFile::NotTold) return;
  if (store.ConfigUnread == UnreadFile::Stays) {
    store.ConfigWriteError = true;
    return;
  }
  host.GatherLiveValues(store);
  store.ConfigValues = BuildConfigValues(store, host, translatedNoChange);
  if (!dataFolder.empty() && !FolderExists(dataFolder)) CreateFolders(dataFolder);
  store.ConfigWriteError = !WriteConfigFile(fileName, ConfigKeyNames(), store.ConfigValues);
}

}  // namespace lc::settings
