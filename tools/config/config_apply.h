// The configuration dialog's Apply and its closing, apart from the window:
// the controls (tools/config/config_rules.h) are stored into the settings, the
// file types registered, the language switched and the running player told,
// in the order the player relies on; at closing the boss keys are
// registered again. Portable; GUI thread only.
#pragma once

#include <functional>
#include <string>

#include "settings/associations.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"
#include "tools/config/config_rules.h"

namespace lc::tools {

// What the dialog's Apply and closing reach of the running player; the
// program answers every part (app/window_links.cpp).
class ConfigPlayerLinks {
 public:
  virtual ~ConfigPlayerLinks() = default;
  // The video window is visible and in full-screen mode.
  virtual bool FullScreenShowing() const = 0;
  // The player's always-on-top state, and setting it with the main
  // window's AlwaysOnTopMenu check mark.
  virtual bool AlwaysOnTop() const = 0;
  virtual void SetAlwaysOnTop(bool On) = 0;
  // The playlist's two lists lose their hints.
  virtual void ClearPlaylistHints() = 0;
  // The process priority class for the held CpuPriority: 0 high, 1 above
  // normal, 2 normal, 3 below normal.
  virtual void SetProcessPriority(int HeldPriority) = 0;
  // While a subtitle is loaded, its display lengths are computed again
  // with the new AverageDisplayTime.
  virtual void RecomputeDisplayLengths() = 0;
  // The playlist's lists take PlaylistFontSize (and are refreshed when
  // the window is visible).
  virtual void SetPlaylistFontSize(int Points) = 0;
  // The video control takes the subtitle font and repaints.
  virtual void SubtitleLookChanged() = 0;
  // A movie is open: its remembered settings are to be stored at the next
  // opportunity (RmsChangeScore := 10000).
  virtual bool GraphActive() const = 0;
  virtual void MarkMovieChanged() = 0;
  // TfrmMain.SaveConfiguration.
  virtual void SaveConfiguration() = 0;
  // TfrmMain.RegisterBossKey (id 1 hide, 2 show; a shortcut of 0 only
  // releases the id) and the release of both.
  virtual bool RegisterBossKey(settings::ShortCut Key, int Id) = 0;
  virtual void UnregisterBossKeys() = 0;
  // The subtitle's place or font was changed in the dialog: the main
  // window's movie-mode item loses its check mark.
  virtual void UncheckMovieMode() = 0;
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
  // The present text of "No change" (TextOptionLists entry 6), the value
  // FullscreenModeSwitch holds when no display mode is chosen.
  std::function<std::string()> NoChangeText;
};

// Apply, after the focused field's exit handler ran: the file types through
// `associations` (the check marks in `c` refreshed from the registry), the
// options into `s`, the player told through `links`, the language switched
// when another is chosen (a FullscreenModeSwitch of the old language's "No
// change" taking the new one's), the settings file written. `registryWriteError`
// is the program-wide flag.
ConfigApplyResult ApplyConfig(ConfigControls& c, settings::SettingsStore& s, Associations& associations,
                              bool& registryWriteError, const ConfigLanguage& language,
                              ConfigPlayerLinks& links);

// Closing: with the boss key on, each shortcut is registered again (id 1
// hide, 2 show; a cleared one releases its id) and one the system refuses
// becomes 0; with it off, both hot keys are released.
void CloseBossKeys(settings::SettingsStore& s, ConfigPlayerLinks& links);

}  // namespace lc::tools
