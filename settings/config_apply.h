// The configuration dialog's Apply and its closing, apart from the window:
// the controls (settings/config_rules.h) are stored into the settings, the
// file types registered, the language switched and the running player told,
// in the order the player relies on; at closing the boss keys are
// registered again. Portable; GUI thread only.
#pragma once

#include <functional>
#include <string>

#include "settings/associations.h"
#include "settings/config_rules.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

namespace lc::settings {

// What Apply and closing reach of the running player. Every member may be
// left empty: that part of the player does not exist (yet).
struct ConfigPlayerLinks {
  // The video window is visible and in full-screen mode.
  std::function<bool()> FullScreenShowing;
  // The player's always-on-top state, and setting it with the main
  // window's AlwaysOnTopMenu check mark.
  std::function<bool()> AlwaysOnTop;
  std::function<void(bool)> SetAlwaysOnTop;
  // The playlist's two lists lose their hints.
  std::function<void()> ClearPlaylistHints;
  // The process priority class: 0 high, 1 above normal, 2 normal, 3 below
  // normal.
  std::function<void(int)> SetProcessPriority;
  // While a subtitle is loaded, its display lengths are computed again
  // with the new AverageDisplayTime.
  std::function<void()> RecomputeDisplayLengths;
  // The playlist's lists take PlaylistFontSize (and are refreshed when
  // the window is visible).
  std::function<void(int)> SetPlaylistFontSize;
  // The video control takes the subtitle font and repaints.
  std::function<void()> SubtitleLookChanged;
  // A movie is open: its remembered settings are to be stored at the next
  // opportunity (RmsChangeScore := 10000).
  std::function<bool()> GraphActive;
  std::function<void()> MarkMovieChanged;
  // TfrmMain.SaveConfiguration.
  std::function<void()> SaveConfiguration;
  // TfrmMain.RegisterBossKey (id 1 hide, 2 show; a shortcut of 0 only
  // releases the id) and the release of both.
  std::function<bool(ShortCut, int)> RegisterBossKey;
  std::function<void()> UnregisterBossKeys;
};

// What the dialog does after Apply.
struct ConfigApplyResult {
  // The dialog re-captions itself (a language was chosen, loaded or not).
  bool Recaption = false;
  // The messages to show (TextMessages 65 and 66), each once.
  bool ShowWriteError = false;
  bool ShowRegistryError = false;
};

// Where language files live and how a language is switched.
struct ConfigLanguage {
  std::string Folder;  // ExeFolder + "lang\"
  // LoadLanguageFile(file, Silent False): true when accepted.
  std::function<bool(const std::string& fileName)> Load;
  // SetDefaultTexts with Apply True.
  std::function<void()> SetDefault;
};

// Apply, after the focused field's exit handler ran: the file types through
// `associations` (the check marks in `c` refreshed from the registry), the
// options into `s`, the player told through `links`, the language switched
// when another is chosen, the settings file written. `registryWriteError`
// is the program-wide flag.
ConfigApplyResult ApplyConfig(ConfigControls& c, SettingsStore& s, Associations& associations,
                              bool& registryWriteError, const ConfigLanguage& language,
                              const ConfigPlayerLinks& links);

// Closing: with the boss key on, each shortcut is registered again (id 1
// hide, 2 show; a cleared one releases its id) and one the system refuses
// becomes 0; with it off, both hot keys are released.
void CloseBossKeys(SettingsStore& s, const ConfigPlayerLinks& links);

}  // namespace lc::settings
