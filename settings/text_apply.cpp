#include "settings/text_apply.h"

#include <algorithm>

#include "settings/settings_store.h"

namespace lc::settings {
namespace {

std::vector<TextTarget*>& Targets() {
  static std::vector<TextTarget*> targets;
  return targets;
}

std::vector<std::string> ValidOnly(const std::vector<std::string>& exts) {
  std::vector<std::string> valid;
  for (const std::string& e : exts) {
    if (IsValidMediaExtension(e)) valid.push_back(e);
  }
  return valid;
}

enum class Key { None, Left, Right, Up, Down };

struct MenuRow {
  const char* item;
  int entry;
  const char* prefix;  // fixed shortcut text, or the modifier before `key`
  Key key;
};

constexpr MenuRow kMainMenu[] = {
    {"OpenMovieMenu", 0, "Ctrl+O", Key::None},       {"LoadSubtitleMenu", 1, "Ctrl+L", Key::None},
    {"RecentFilesMenu", 2, "", Key::None},           {"ClearHistoryMenu", 3, "", Key::None},
    {"PlayControlMenu", 4, "", Key::None},           {"PlayMenu", 5, "X", Key::None},
    {"StopMenu", 6, "V", Key::None},                 {"PauseMenu", 7, "C", Key::None},
    {"RewindMenu", 8, "", Key::Left},                {"ForwardMenu", 9, "", Key::Right},
    {"FastRewindMenu", 10, "Ctrl+", Key::Left},      {"FastForwardMenu", 11, "Ctrl+", Key::Right},
    {"JumpToTimeMenu", 12, "Ctrl+J", Key::None},     {"BookmarksMenu", 13, "", Key::None},
    {"AddBookmarkMenu", 14, "Alt+I", Key::None},     {"ClearBookmarksMenu", 15, "Shift+C", Key::None},
    {"VideoMenu", 16, "", Key::None},                {"ChangeResolutionMenu", 17, "", Key::None},
    {"FullScreenMenu", 18, "F", Key::None},          {"ColorControlMenu", 19, "Ctrl+C", Key::None},
    {"MovieModeMenu", 20, "M", Key::None},           {"AspectRatioMenu", 21, "", Key::None},
    {"OriginalRatioMenu", 22, "Ctrl+1", Key::None},  {"N169RatioMenu", 23, "Ctrl+2", Key::None},
    {"N43RatioMenu", 24, "Ctrl+3", Key::None},       {"N11RatioMenu", 25, "Ctrl+4", Key::None},
    {"FreeRatioMenu", 26, "Ctrl+5", Key::None},      {"CustomRatioMenu", 27, "A", Key::None},
    {"PanScanMenu", 28, "", Key::None},              {"PanInMenu", 29, "+", Key::None},
    {"PanOutMenu", 30, "-", Key::None},              {"AutomaticMenu", 31, "*", Key::None},
    {"CustomPanScanMenu", 32, "P", Key::None},       {"WindowSizeMenu", 33, "", Key::None},
    {"SendWindowToMenu", 69, "", Key::None},         {"AudioMenu", 34, "", Key::None},
    {"VolumeUpMenu", 35, "", Key::Up},               {"VolumeDownMenu", 36, "", Key::Down},
    {"EqualizerMenu", 37, "E", Key::None},           {"SubtitleMenu", 38, "", Key::None},
    {"FontMenu", 39, "Ctrl+F", Key::None},           {"DisableSubtitleMenu", 40, "S", Key::None},
    {"DecreaseTimeMenu", 41, "Alt+", Key::Left},     {"IncreaseTimeMenu", 42, "Alt+", Key::Right},
    {"MoveSubtitleUpMenu", 43, "Shift+", Key::Up},   {"MoveSubtitleDownMenu", 44, "Shift+", Key::Down},
    {"IncreaseFontSizeMenu", 45, "Ctrl+", Key::Up},  {"DecreaseFontSizeMenu", 46, "Ctrl+", Key::Down},
    {"AdvancedMenu", 47, "", Key::None},             {"FiltersMenu", 48, "", Key::None},
    {"ConfigurationMenu", 49, "Ctrl+P", Key::None},  {"KeyboardDefinitionsMenu", 50, "F1", Key::None},
    {"PlaylistMenu", 51, "F10", Key::None},          {"AlwaysOnTopMenu", 52, "T", Key::None},
    {"AboutMenu", 53, "Ctrl+F1", Key::None},         {"TurnOffComputerMenu", 54, "Ctrl+T", Key::None},
    {"ExitMenu", 55, "", Key::None},                 {"DynamicAmplificationMenu", 68, "", Key::None},
    {"CaptureFrameMenu", 71, "Alt+C", Key::None},
};

constexpr const char* kPlaylistMenu[] = {"AddMovieMenu",       "AddFolderMenu", "ReplaceMovieMenu",
                                         "RemoveMenu",         "RemoveAllMenu", "SortByFilenameMenu",
                                         "RandomizeMenu",      "AddSubtitleMenu"};

const std::string& KeyText(const TextTable& t, Key key) {
  static const std::string none;
  switch (key) {
    case Key::Left: return t.TextMenus[64];
    case Key::Right: return t.TextMenus[65];
    case Key::Down: return t.TextMenus[66];
    case Key::Up: return t.TextMenus[67];
    case Key::None: break;
  }
  return none;
}

// "*.a;*.b;" for the extensions.
std::string Patterns(const std::vector<std::string>& exts) {
  std::string text;
  for (const std::string& e : exts) text += "*." + e + ";";
  return text;
}

}  // namespace

void RegisterTextTarget(TextTarget* target) {
  auto& t = Targets();
  if (target && std::find(t.begin(), t.end(), target) == t.end()) t.push_back(target);
}

void UnregisterTextTarget(TextTarget* target) {
  auto& t = Targets();
  t.erase(std::remove(t.begin(), t.end(), target), t.end());
}

void ApplyTexts(const TextTable& table) {
  // A copy: a window may unregister itself while it is being updated.
  const std::vector<TextTarget*> targets = Targets();
  for (TextTarget* target : targets) target->ApplyTexts(table);
}

void SetDefaultTexts(TextTable& table, bool apply) {
  SetDefaultTexts(table);
  if (apply) ApplyTexts(table);
}

std::string SubtitleDialogFilter(const TextTable& t) {
  return t.TextFilters[0] + "|*.sub;*.srt;*.txt;*.ssa|" + t.TextFilters[1] + "|*.*";
}

std::string MovieDialogFilter(const TextTable& t, const std::vector<std::string>& exts) {
  const std::vector<std::string> valid = ValidOnly(exts);
  if (valid.empty()) return t.TextFilters[1] + "|*.*";
  return t.TextFilters[2] + "|" + Patterns(valid) + "*.lpl|" + t.TextFilters[1] + "|*.*";
}

std::string PlaylistAddFilter(const TextTable& t, const std::vector<std::string>& exts) {
  const std::vector<std::string> valid = ValidOnly(exts);
  if (valid.empty()) return t.TextFilters[1] + "|*.*";
  return t.TextFilters[2] + "|" + Patterns(valid) + "|" + t.TextFilters[1] + "|*.*";
}

std::string PlaylistFileFilter(const TextTable& t) {
  return t.TextFilters[3] + " (*.lpl)|*.lpl|" + t.TextFilters[1] + "|*.*";
}

std::vector<MenuCaption> MainMenuCaptions(const TextTable& t) {
  std::vector<MenuCaption> captions;
  for (const MenuRow& row : kMainMenu) {
    std::string text = t.TextMenus[row.entry];
    const std::string shortcut = row.prefix + KeyText(t, row.key);
    // The shortcut column starts after a TAB: a translated caption without
    // one still keeps its shortcut apart.
    if (!shortcut.empty() && text.find('\t') == std::string::npos) text += '\t';
    captions.push_back({row.item, text + shortcut});
  }
  return captions;
}

std::vector<MenuCaption> PlaylistMenuCaptions(const TextTable& t) {
  std::vector<MenuCaption> captions;
  for (std::size_t i = 0; i < std::size(kPlaylistMenu); ++i) {
    captions.push_back({kPlaylistMenu[i], t.TextMenus[56 + i]});
  }
  return captions;
}

}  // namespace lc::settings
