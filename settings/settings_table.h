// The key table of the settings file: for each of the 96 keys, in file
// order, its variable in the SettingsStore, its type, its default and its
// clamp. Reading, converting, defaulting and writing all walk this table.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "settings/settings_store.h"

namespace lc::settings {

enum class SettingKind : std::uint8_t {
  Bool,
  Int,         // decimal, current value as fallback, clamped
  Position,    // resolution-independent window coordinate
  FontStyle,   // style code, fallback 1, clamp 0..4
  ShortCut,    // shortcut text
  CpuPriority, // 1..4 in the file, held as 4 minus it
  String,      // see StringRule
  FileTypes,
  FileAssociation,
  Equalizer,
};

enum class StringRule : std::uint8_t {
  None,
  Take256,              // first 256 characters, taken even when empty
  DisplayMode,          // FullscreenModeSwitch: Take256; saved as "No change"
                        // when it holds the translated "No change"
  Take256NonEmpty,      // first 256 characters, taken when non-empty
  FolderOnReadyDrive,   // LastAccessedFolder; gathered from the current directory
  InstalledFont,        // SubtitleFontName
  SubtitleFolder,       // SubtitleDirectory
  CaptureFolder,        // CaptureFolder
};

enum class Axis : std::uint8_t { X, Y };
enum class Placement : std::uint8_t { None, Main, Video, Playlist, Equalizer };

// A default window coordinate: (screen size - subtract) * mul / div + add,
// integer division truncating toward zero.
struct PositionDefault {
  int subtract = 0;
  int mul = 1;
  int div = 1;
  int add = 0;
};

struct SettingDef {
  const char* key = "";
  SettingKind kind = SettingKind::Bool;
  // The variable; only the member of the kind's type is set.
  bool SettingsStore::*boolField = nullptr;
  std::int32_t SettingsStore::*intField = nullptr;
  std::string SettingsStore::*stringField = nullptr;
  ShortCut SettingsStore::*shortCutField = nullptr;
  int recentIndex = -1;  // RecentFile1..5: index into RecentFiles
  // Default and clamp.
  std::int64_t defaultInt = 0;
  const char* defaultString = "";
  std::int32_t min = 0;
  std::int32_t max = 0;
  bool clamped = false;
  StringRule rule = StringRule::None;
  Axis axis = Axis::X;
  Placement placement = Placement::None;
  PositionDefault positionDefault;
};

// The 96 rows in file order.
std::span<const SettingDef> SettingsTable();

// The 96 key names in file order.
const std::vector<std::string>& ConfigKeyNames();

// Sets every variable to its default; positions from the primary screen's
// size. MediaExtensions becomes the 24 built-in entries.
void SetDefaultSettings(SettingsStore& store, int screenWidth, int screenHeight);

// The string a row reads and writes (RecentFiles entries included).
std::string& StringOf(SettingsStore& store, const SettingDef& def);
const std::string& StringOf(const SettingsStore& store, const SettingDef& def);

}  // namespace lc::settings
