// Pushing the text table into the windows that exist, and the texts those
// windows build from it (file-dialog filters, popup-menu captions).
//
// Each long-lived window (main, video, playlist, equalizer, colour control)
// registers itself as a TextTarget while it exists; ApplyTexts hands the
// table to each in registration order. Windows created on demand read the
// table when they are created and do not register. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "settings/text_table.h"

namespace lc::settings {

class TextTarget {
 public:
  virtual ~TextTarget() = default;
  // Writes the texts of `table` into this window's controls.
  virtual void ApplyTexts(const TextTable& table) = 0;
};

void RegisterTextTarget(TextTarget* target);
void UnregisterTextTarget(TextTarget* target);

// Writes the table into every registered window.
void ApplyTexts(const TextTable& table);

// SetDefaultTexts, then ApplyTexts when `apply` is set (switching back to
// the built-in language refreshes the open windows).
void SetDefaultTexts(TextTable& table, bool apply);

// File-dialog filters ("name|patterns|name|patterns"). Extensions that are
// not valid (IsValidMediaExtension) are left out; with no valid extension
// the movie filters offer only "All files".
std::string SubtitleDialogFilter(const TextTable& table);  // main window
std::string MovieDialogFilter(const TextTable& table, const std::vector<std::string>& exts);
std::string PlaylistAddFilter(const TextTable& table, const std::vector<std::string>& exts);
std::string PlaylistFileFilter(const TextTable& table);

// The main window's popup-menu captions: the item's name and its caption
// (the TextMenus entry followed by the shortcut text; a TAB is put between
// them when the entry ends in none).
struct MenuCaption {
  const char* item;
  std::string caption;
};
std::vector<MenuCaption> MainMenuCaptions(const TextTable& table);

// The playlist's popup items AddMovieMenu .. AddSubtitleMenu.
std::vector<MenuCaption> PlaylistMenuCaptions(const TextTable& table);

}  // namespace lc::settings
