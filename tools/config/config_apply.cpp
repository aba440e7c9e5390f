#include "tools/config/config_apply.h"

#include "settings/value_parse.h"

namespace lc::tools {

using settings::kEnglishBuiltIn;
using settings::SameTextAscii;
using settings::SettingsStore;

namespace {

// Always on top follows the option while the video fills the screen.
void ApplyAlwaysOnTop(const SettingsStore& s, ConfigPlayerLinks& links) {
  if (!links.FullScreenShowing()) return;
  if (s.ActivateAlwaysOnTopInFullScreen)
    links.SetAlwaysOnTop(true);
  else if (links.AlwaysOnTop())
    links.SetAlwaysOnTop(false);
}

// Switches to the chosen language; the setting changes only when the
// switch succeeded. "No change" as the full-screen mode follows the texts.
void ApplyLanguage(const ConfigControls& c, SettingsStore& s, const ConfigLanguage& language) {
  const std::string OldNoChange = language.NoChangeText ? language.NoChangeText() : std::string();
  if (c.Language == kEnglishBuiltIn) {
    if (language.SetDefault) language.SetDefault();
    s.LastUsedLanguage = kEnglishBuiltIn;
  } else if (language.Load && language.Load(language.Folder + c.Language + ".lng")) {
    s.LastUsedLanguage = c.Language;
  }
  if (language.NoChangeText && s.FullscreenModeSwitch == OldNoChange)
    s.FullscreenModeSwitch = language.NoChangeText();
}

}  // namespace

ConfigApplyResult ApplyConfig(ConfigControls& c, SettingsStore& s, Associations& associations,
                              bool& registryWriteError, const ConfigLanguage& language,
                              ConfigPlayerLinks& links) {
  ConfigApplyResult result;
  registryWriteError = false;
  associations.RegistryWriteError = false;
  s.RegisterExtensionsOnLoad = c.RegisterExtensionsOnLoad;
  associations.ApplyFileTypes(c.FileTypeLines, c.FileTypeChecks, s.MediaExtensions, s.FileAssociation);
  registryWriteError = associations.RegistryWriteError;

  const bool displayTimeChanged = StoreControls(c, s);
  ApplyAlwaysOnTop(s, links);
  if (!s.DisplayHintInPlaylist) links.ClearPlaylistHints();
  links.SetProcessPriority(static_cast<int>(s.CpuPriority));
  if (displayTimeChanged) links.RecomputeDisplayLengths();
  links.SetPlaylistFontSize(static_cast<int>(s.PlaylistFontSize));
  links.SubtitleLookChanged();

  if (!c.Language.empty() && !SameTextAscii(c.Language, s.LastUsedLanguage)) {
    ApplyLanguage(c, s, language);
    result.Recaption = true;
  }
  if (links.GraphActive()) links.MarkMovieChanged();
  links.SaveConfiguration();

  if (s.ConfigWriteError) {
    s.ConfigWriteError = false;
    result.ShowWriteError = !s.DontShowWritingError;
  }
  if (registryWriteError) {
    registryWriteError = false;
    result.ShowRegistryError = !s.DontShowRegistryError;
  }
  return result;
}

void CloseBossKeys(SettingsStore& s, ConfigPlayerLinks& links) {
  if (!s.BossKey) {
    links.UnregisterBossKeys();
    return;
  }
  // A cleared shortcut releases its id, so the old key does not stay held.
  if (!links.RegisterBossKey(s.BossKeyHide, 1)) s.BossKeyHide = 0;
  if (!links.RegisterBossKey(s.BossKeyShow, 2)) s.BossKeyShow = 0;
}

}  // namespace lc::tools
