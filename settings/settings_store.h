// The program-wide settings: one typed variable per key of the settings
// file. Strings are UTF-8 (paths included). The start-up fills the store
// with its defaults (SetDefaultSettings), then loads the settings file into
// it (settings/settings_file.h); every window reads its options from here.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "settings/shortcut.h"
#include "settings/unread_file.h"

namespace lc::settings {

// Font style bits of the subtitle font.
using FontStyles = std::uint8_t;
inline constexpr FontStyles kFontBold = 1;
inline constexpr FontStyles kFontItalic = 2;
inline constexpr FontStyles kFontUnderline = 4;
inline constexpr FontStyles kFontStrikeOut = 8;

inline constexpr int kConfigKeyCount = 96;
inline constexpr int kEqualizerValueCount = 11;  // pre-amplification, then ten bands
inline constexpr int kRecentFileCount = 5;

struct SettingsStore {
  // File types and associations.
  std::string LastAccessedFolder;
  std::string FileTypes;
  std::string FileAssociation;  // one "0"/"1" per MediaExtensions entry
  bool RegisterExtensionsOnLoad = false;
  // Playback behaviour.
  bool AutoPlayOnLoad = false;
  bool AutoHideMainWindow = false;
  bool AutoCloseVideoWindow = false;
  bool CloseFileWhenFinished = false;
  bool AutoClosePlayerWhenFinished = false;
  std::string FullscreenModeSwitch;
  // Subtitles.
  bool TransparentBackground = false;
  bool UseOutlineFont = false;
  bool AutoResizeFont = false;
  bool AutoLoadSubtitle = false;
  bool AutoSplitLine = false;
  bool WrapAllText = false;
  bool AutoCalculationTime = false;
  std::int32_t AverageDisplayTime = 0;
  std::int32_t AverageVerticalDisplayZone = 0;
  std::int32_t HorizontalDisplayArea = 0;
  // The subtitle font (the main window's subtitle font dialog takes it).
  std::string SubtitleFontName;
  std::int32_t SubtitleSize = 0;
  std::int32_t SubtitleFontColor = 0;
  FontStyles SubtitleFontStyle = 0;
  std::int32_t SubtitleFontScript = 0;
  std::int32_t SubtitleFontPointSize = 0;  // derived from SubtitleSize at load
  std::string SubtitleDirectory;
  bool SearchHereFirst = false;
  bool RememberSubtitleSettings = false;
  // Video.
  bool FullscreenOnLoad = false;
  bool MovieModeOnLoad = false;
  bool RememberPanScanSettings = false;
  bool AutomaticPanScan = false;
  bool LoadAtOriginalMovieSize = false;
  bool PauseOnMinimize = false;
  std::int32_t SecondesToJump = 0;
  std::int32_t SecondesToFastJump = 0;
  std::int32_t BrightnessControl = 0;
  std::int32_t ContrastControl = 0;
  std::int32_t HueControl = 0;
  std::int32_t SaturationControl = 0;
  // Window places in pixels (the file holds them resolution-independent).
  std::int32_t MainXPosition = 0;
  std::int32_t MainYPosition = 0;
  std::int32_t VideoWindowXPosition = 0;
  std::int32_t VideoWindowYPosition = 0;
  std::int32_t VideoWindowHeight = 0;
  std::int32_t VideoWindowWidth = 0;
  bool RememberMovieSettings = false;
  bool RememberLastMoviePosition = false;
  bool DisplayHintInPlaylist = false;
  std::int32_t PanScanValue = 0;  // key PanScanSize
  std::int32_t AudioVolume = 0;
  bool Mute = false;
  // Playlist.
  std::int32_t PlaylistXPosition = 0;
  std::int32_t PlaylistYPosition = 0;
  std::int32_t PlayListHeight = 0;
  std::int32_t PlayListWidth = 0;
  std::int32_t PlaylistFontSize = 0;
  bool PlayListShow = false;
  bool ShowSubtitlesInPlaylist = false;
  std::int32_t LastMovieSelectedInPlaylist = 0;  // playlist index + 1
  bool OSDDisplay = false;
  std::array<std::string, kRecentFileCount> RecentFiles;  // keys RecentFile1..5
  bool KeepAspectRatio = false;
  bool AllowMultipleInstances = false;
  std::int32_t RepeatMode = 0;  // key RepeatStatus: 0 off, 1 one, 2 all
  std::string LastUsedLanguage;
  // Equalizer: pre-amplification, then bands 0..9, each -100..100.
  std::array<std::int32_t, kEqualizerValueCount> EqualizerSettings{};
  int EqualizerBandsLoaded = 0;  // bands the settings file gave (0..10)
  std::int32_t EqualizerXPosition = 0;
  std::int32_t EqualizerYPosition = 0;
  bool EqualizerShow = false;
  // Held as 4 minus the stored value: 0 high, 1 above normal, 2 normal,
  // 3 below normal.
  std::int32_t CpuPriority = 0;
  bool ShowFrames = false;
  bool DynamicAmplification = false;
  bool DoNotShowOverlayMessage = false;
  bool DisableExternalSubtitleFilters = false;
  std::int32_t OsdSize = 0;
  std::int32_t OsdColor = 0;
  bool FirstRun = false;
  bool SubtitleShadowEffect = false;
  bool RememberPreviousMovieSettings = false;
  bool LoadEntireFolder = false;
  std::string CaptureFolder;
  std::int32_t CaptureType = 0;  // 0 bmp, 1 jpg, 2 png
  bool BossKey = false;
  ShortCut BossKeyHide = 0;
  ShortCut BossKeyShow = 0;
  bool Shuffle = false;
  bool DontShowRegistryError = false;
  bool DontShowWritingError = false;
  bool DoNotShowAudioStreamMessage = false;
  bool DoNotShowStreamMessage = false;
  bool ActivateAlwaysOnTopInFullScreen = false;

  // Not keys of their own.
  // Lower-case extensions without dots. Entries come from the settings file
  // unchecked: take them through IsValidMediaExtension before they reach a
  // file-dialog filter or the registry.
  std::vector<std::string> MediaExtensions;
  std::vector<std::string> ConfigValues;  // parallel to ConfigKeyNames()
  bool ConfigWriteError = false;
  // The settings file exists but could not be read (unreadable, too large,
  // in a foreign encoding or without its header line): it is the user's.
  // No save writes over it before a copy of it is kept aside and the user
  // told (settings/unread_file.h).
  UnreadFile ConfigUnread = UnreadFile::None;
  // The start-up has read the settings file (or found none) and put the
  // settings into the windows. Until then the windows hold defaults, which
  // a save would write over the user's file: nothing is saved before.
  bool ConfigTaken = false;

  bool operator==(const SettingsStore&) const = default;
};

// The 24 built-in media extensions, in their fixed order.
const std::vector<std::string>& BuiltInMediaExtensions();

// True for an extension that may be offered in a file-dialog filter or
// registered: 1 to 32 printable ASCII characters, none of them a blank or
// one of \ / : * ? " < > | ; . , (so it can neither escape the registry's
// "\." + ext key nor break a filter's pattern list).
bool IsValidMediaExtension(const std::string& ext);

inline constexpr const char* kEnglishBuiltIn = "English (built in)";
inline constexpr const char* kNoChange = "No change";
inline constexpr const char* kDesktopFolder = "Desktop";

}  // namespace lc::settings
