#include "settings/settings_table.h"

#include <array>

#include "settings/settings_file.h"

namespace lc::settings {
namespace {

using S = SettingsStore;

SettingDef Row(const char* key, SettingKind kind) {
  SettingDef d;
  d.key = key;
  d.kind = kind;
  return d;
}

SettingDef Bool(const char* key, bool S::*field, bool def) {
  SettingDef d = Row(key, SettingKind::Bool);
  d.boolField = field;
  d.defaultInt = def ? 1 : 0;
  return d;
}

SettingDef Int(const char* key, std::int32_t S::*field, std::int32_t def, std::int32_t lo,
               std::int32_t hi) {
  SettingDef d = Row(key, SettingKind::Int);
  d.intField = field;
  d.defaultInt = def;
  d.min = lo;
  d.max = hi;
  d.clamped = true;
  return d;
}

SettingDef Unclamped(const char* key, std::int32_t S::*field, std::int32_t def) {
  SettingDef d = Int(key, field, def, 0, 0);
  d.clamped = false;
  return d;
}

SettingDef Pos(const char* key, std::int32_t S::*field, Axis axis, Placement placement,
               PositionDefault def) {
  SettingDef d = Row(key, SettingKind::Position);
  d.intField = field;
  d.axis = axis;
  d.placement = placement;
  d.positionDefault = def;
  return d;
}

SettingDef Str(const char* key, std::string S::*field, const char* def, StringRule rule) {
  SettingDef d = Row(key, SettingKind::String);
  d.stringField = field;
  d.defaultString = def;
  d.rule = rule;
  return d;
}

SettingDef Recent(const char* key, int index) {
  SettingDef d = Row(key, SettingKind::String);
  d.recentIndex = index;
  d.rule = StringRule::Take256;
  return d;
}

SettingDef Special(const char* key, SettingKind kind, std::string S::*field, const char* def) {
  SettingDef d = Row(key, kind);
  d.stringField = field;
  d.defaultString = def;
  return d;
}

SettingDef Keys(const char* key, ShortCut S::*field, const char* def) {
  SettingDef d = Row(key, SettingKind::ShortCut);
  d.shortCutField = field;
  d.defaultString = def;
  return d;
}

SettingDef Style(const char* key, std::int64_t def) {
  SettingDef d = Row(key, SettingKind::FontStyle);
  d.defaultInt = def;
  d.min = 0;
  d.max = 4;
  d.clamped = true;
  return d;
}

SettingDef Priority(const char* key, std::int32_t S::*field, std::int32_t fileDefault) {
  SettingDef d = Row(key, SettingKind::CpuPriority);
  d.intField = field;
  d.defaultInt = fileDefault;
  d.min = 1;
  d.max = 4;
  d.clamped = true;
  return d;
}

constexpr std::int32_t kColourLimit = 16777215;
constexpr const char* kDefaultFileTypes =
    "avi;divx;m1v;m2v;m2p;mkv;mpg;mpeg;dat;mpe;mpa;mp4;mov;qt;wmv;asf;asx;rv;rm;rmvb;ram;flv";

std::array<SettingDef, kConfigKeyCount> BuildTable() {
  using A = Axis;
  using P = Placement;
  using R = StringRule;
  using K = SettingKind;
  return {{
      Str("LastAccessedFolder", &S::LastAccessedFolder, "c:\\", R::FolderOnReadyDrive),
      Special("FileTypes", K::FileTypes, &S::FileTypes, kDefaultFileTypes),
      Special("FileAssociation", K::FileAssociation, &S::FileAssociation, "000000000000000000000"),
      Bool("RegisterExtensionsOnLoad", &S::RegisterExtensionsOnLoad, false),
      Bool("AutoPlayOnLoad", &S::AutoPlayOnLoad, true),
      Bool("AutoHideMainWindow", &S::AutoHideMainWindow, true),
      Bool("AutoCloseVideoWindow", &S::AutoCloseVideoWindow, true),
      Bool("CloseFileWhenFinished", &S::CloseFileWhenFinished, true),
      Bool("AutoClosePlayerWhenFinished", &S::AutoClosePlayerWhenFinished, true),
      Str("FullscreenModeSwitch", &S::FullscreenModeSwitch, kNoChange, R::DisplayMode),
      Bool("TransparentBackground", &S::TransparentBackground, true),
      Bool("UseOutlineFont", &S::UseOutlineFont, true),
      Bool("AutoResizeFont", &S::AutoResizeFont, false),
      Bool("AutoLoadSubtitle", &S::AutoLoadSubtitle, true),
      Bool("AutoSplitLine", &S::AutoSplitLine, true),
      Bool("WrapAllText", &S::WrapAllText, false),
      Bool("AutoCalculationTime", &S::AutoCalculationTime, false),
      Int("AverageDisplayTime", &S::AverageDisplayTime, 2200, 1000, 9999),
      Int("AverageVerticalDisplayZone", &S::AverageVerticalDisplayZone, 15, 0, 50),
      Int("HorizontalDisplayArea", &S::HorizontalDisplayArea, 99, 1, 100),
      Str("SubtitleFontName", &S::SubtitleFontName, "Arial", R::InstalledFont),
      Int("SubtitleSize", &S::SubtitleSize, 100, 10, 999),
      Int("SubtitleFontColor", &S::SubtitleFontColor, 0xFFFFFF, -kColourLimit, kColourLimit),
      Style("SubtitleFontStyle", 1),
      Int("SubtitleFontScript", &S::SubtitleFontScript, 1, 0, 255),
      Str("SubtitleDirectory", &S::SubtitleDirectory, "", R::SubtitleFolder),
      Bool("SearchHereFirst", &S::SearchHereFirst, false),
      Bool("RememberSubtitleSettings", &S::RememberSubtitleSettings, false),
      Bool("FullscreenOnLoad", &S::FullscreenOnLoad, false),
      Bool("MovieModeOnLoad", &S::MovieModeOnLoad, false),
      Bool("RememberPanScanSettings", &S::RememberPanScanSettings, false),
      Bool("AutomaticPanScan", &S::AutomaticPanScan, true),
      Bool("LoadAtOriginalMovieSize", &S::LoadAtOriginalMovieSize, false),
      Bool("PauseOnMinimize", &S::PauseOnMinimize, true),
      Int("SecondesToJump", &S::SecondesToJump, 20, 1, 99),
      Int("SecondesToFastJump", &S::SecondesToFastJump, 60, 1, 999),
      Int("BrightnessControl", &S::BrightnessControl, 750, 0, 10000),
      Int("ContrastControl", &S::ContrastControl, 10000, 0, 20000),
      Int("HueControl", &S::HueControl, 0, -180, 180),
      Int("SaturationControl", &S::SaturationControl, 10000, 0, 20000),
      Pos("MainXPosition", &S::MainXPosition, A::X, P::Main, {460, 1, 2, 0}),
      Pos("MainYPosition", &S::MainYPosition, A::Y, P::Main, {424, 1, 2, 274}),
      Pos("VideoWindowXPosition", &S::VideoWindowXPosition, A::X, P::Video, {460, 1, 2, 0}),
      Pos("VideoWindowYPosition", &S::VideoWindowYPosition, A::Y, P::Video, {424, 1, 2, 0}),
      Int("VideoWindowHeight", &S::VideoWindowHeight, 274, 36, 6006),
      Int("VideoWindowWidth", &S::VideoWindowWidth, 460, 46, 8006),
      Bool("RememberMovieSettings", &S::RememberMovieSettings, false),
      Bool("RememberLastMoviePosition", &S::RememberLastMoviePosition, false),
      Bool("DisplayHintInPlaylist", &S::DisplayHintInPlaylist, false),
      Int("PanScanSize", &S::PanScanValue, 0, -50, 100),
      Int("AudioVolume", &S::AudioVolume, 10, 0, 20),
      Bool("Mute", &S::Mute, false),
      Pos("PlaylistXPosition", &S::PlaylistXPosition, A::X, P::Playlist, {439, 1, 2, 0}),
      Pos("PlaylistYPosition", &S::PlaylistYPosition, A::Y, P::Playlist, {274, 1, 2, 0}),
      Int("PlayListHeight", &S::PlayListHeight, 274, 250, 800),
      Int("PlayListWidth", &S::PlayListWidth, 439, 250, 800),
      Int("PlaylistFontSize", &S::PlaylistFontSize, 10, 1, 50),
      Bool("PlayListShow", &S::PlayListShow, false),
      Bool("ShowSubtitlesInPlaylist", &S::ShowSubtitlesInPlaylist, true),
      Unclamped("LastMovieSelectedInPlaylist", &S::LastMovieSelectedInPlaylist, 0),
      Bool("OSDDisplay", &S::OSDDisplay, true),
      Recent("RecentFile1", 0),
      Recent("RecentFile2", 1),
      Recent("RecentFile3", 2),
      Recent("RecentFile4", 3),
      Recent("RecentFile5", 4),
      Bool("KeepAspectRatio", &S::KeepAspectRatio, true),
      Bool("AllowMultipleInstances", &S::AllowMultipleInstances, false),
      Int("RepeatStatus", &S::RepeatMode, 0, 0, 2),
      Str("LastUsedLanguage", &S::LastUsedLanguage, kEnglishBuiltIn, R::Take256NonEmpty),
      Special("EqualizerSettings", K::Equalizer, nullptr, ""),
      Pos("EqualizerXPosition", &S::EqualizerXPosition, A::X, P::Equalizer, {425, 3, 4, 0}),
      Pos("EqualizerYPosition", &S::EqualizerYPosition, A::Y, P::Equalizer, {176, 1, 2, 0}),
      Bool("EqualizerShow", &S::EqualizerShow, false),
      Priority("CpuPriority", &S::CpuPriority, 2),
      Bool("ShowFrames", &S::ShowFrames, false),
      Bool("DynamicAmplification", &S::DynamicAmplification, false),
      Bool("DoNotShowOverlayMessage", &S::DoNotShowOverlayMessage, false),
      Bool("DisableExternalSubtitleFilters", &S::DisableExternalSubtitleFilters, true),
      Int("OsdSize", &S::OsdSize, 100, 10, 500),
      Int("OsdColor", &S::OsdColor, 65280, -kColourLimit, kColourLimit),
      Bool("FirstRun", &S::FirstRun, true),
      Bool("SubtitleShadowEffect", &S::SubtitleShadowEffect, true),
      Bool("RememberPreviousMovieSettings", &S::RememberPreviousMovieSettings, false),
      Bool("LoadEntireFolder", &S::LoadEntireFolder, false),
      Str("CaptureFolder", &S::CaptureFolder, kDesktopFolder, R::CaptureFolder),
      Int("CaptureType", &S::CaptureType, 1, 0, 2),
      Bool("BossKey", &S::BossKey, false),
      Keys("BossKeyHide", &S::BossKeyHide, "Num Del"),
      Keys("BossKeyShow", &S::BossKeyShow, "Ctrl+Alt+S"),
      Bool("Shuffle", &S::Shuffle, false),
      Bool("DontShowRegistryError", &S::DontShowRegistryError, false),
      Bool("DontShowWritingError", &S::DontShowWritingError, false),
      Bool("DoNotShowAudioStreamMessage", &S::DoNotShowAudioStreamMessage, false),
      Bool("DoNotShowStreamMessage", &S::DoNotShowStreamMessage, false),
      Bool("ActivateAlwaysOnTopInFullScreen", &S::ActivateAlwaysOnTopInFullScreen, false),
  }};
}

const std::array<SettingDef, kConfigKeyCount>& Table() {
  static const std::array<SettingDef, kConfigKeyCount> table = BuildTable();
  return table;
}

int DefaultPosition(const PositionDefault& d, int screenSize) {
  return (screenSize - d.subtract) * d.mul / d.div + d.add;
}

}  // namespace

std::span<const SettingDef> SettingsTable() { return Table(); }

const std::vector<std::string>& ConfigKeyNames() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> v;
    for (const SettingDef& d : Table()) v.emplace_back(d.key);
    return v;
  }();
  return names;
}

std::string& StringOf(SettingsStore& store, const SettingDef& def) {
  return def.recentIndex >= 0 ? store.RecentFiles[def.recentIndex] : store.*def.stringField;
}

const std::string& StringOf(const SettingsStore& store, const SettingDef& def) {
  return def.recentIndex >= 0 ? store.RecentFiles[def.recentIndex] : store.*def.stringField;
}

void SetDefaultSettings(SettingsStore& store, int screenWidth, int screenHeight) {
  for (const SettingDef& d : Table()) {
    switch (d.kind) {
      case SettingKind::Bool:
        store.*d.boolField = d.defaultInt != 0;
        break;
      case SettingKind::Int:
        store.*d.intField = static_cast<std::int32_t>(d.defaultInt);
        break;
      case SettingKind::Position:
        store.*d.intField =
            DefaultPosition(d.positionDefault, d.axis == Axis::X ? screenWidth : screenHeight);
        break;
      case SettingKind::FontStyle:
        store.SubtitleFontStyle = kFontBold;
        break;
      case SettingKind::ShortCut:
        store.*d.shortCutField = TextToShortCut(d.defaultString);
        break;
      case SettingKind::CpuPriority:
        store.*d.intField = static_cast<std::int32_t>(4 - d.defaultInt);
        break;
      case SettingKind::String:
      case SettingKind::FileTypes:
      case SettingKind::FileAssociation:
        StringOf(store, d) = d.defaultString;
        break;
      case SettingKind::Equalizer:
        store.EqualizerSettings.fill(0);
        store.EqualizerBandsLoaded = 0;
        break;
    }
  }
  store.SubtitleFontPointSize = SubtitlePointSize(screenWidth, store.SubtitleSize);
  store.MediaExtensions = BuiltInMediaExtensions();
  store.ConfigValues.assign(kConfigKeyCount, std::string());
  store.ConfigWriteError = false;
  store.ConfigUnread = UnreadFile::None;
  store.ConfigTaken = false;
}

const std::vector<std::string>& BuiltInMediaExtensions() {
  static const std::vector<std::string> exts = {
      "avi", "divx", "m1v", "m2v", "m2p", "mkv", "mpg", "mpeg", "dat", "mpe", "mpa", "mp4",
      "m4v", "mov", "qt",   "wmv", "asf", "asx", "rv",  "rm",  "rmvb", "ram", "flv", "3gp"};
  return exts;
}

bool IsValidMediaExtension(const std::string& ext) {
  if (ext.empty() || ext.size() > 32) return false;
  for (char c : ext) {
    const auto b = static_cast<unsigned char>(c);
    if (b <= 0x20 || b >= 0x7F) return false;
    for (char bad : std::string_view("\\/:*?\"<>|;.,")) {
      if (c == bad) return false;
    }
  }
  return true;
}

}  // namespace lc::settings
