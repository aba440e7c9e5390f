#include "settings/shortcut.h"

#include "settings/value_parse.h"

namespace lc::settings {
namespace {

struct NamedKey {
  std::uint8_t key;
  const char* name;
};

// Keys whose names are fixed words (the numeric pad as the platform names
// it with the usual keyboard layout).
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"},   {0x09, "Tab"},     {0x0D, "Enter"},   {0x13, "Pause"},
    {0x14, "Caps Lock"}, {0x1B, "Esc"},  {0x20, "Space"},   {0x21, "PgUp"},
    {0x22, "PgDn"},   {0x23, "End"},     {0x24, "Home"},    {0x25, "Left"},
    {0x26, "Up"},     {0x27, "Right"},   {0x28, "Down"},    {0x2C, "Prnt Scrn"},
    {0x2D, "Ins"},    {0x2E, "Del"},     {0x6A, "Num *"},   {0x6B, "Num +"},
    {0x6D, "Num -"},  {0x6E, "Num Del"}, {0x6F, "Num /"},   {0x90, "Num Lock"},
    {0x91, "Scroll Lock"}, {0xBA, ";"},  {0xBB, "="},       {0xBC, ","},
    {0xBD, "-"},      {0xBE, "."},       {0xBF, "/"},       {0xC0, "`"},
    {0xDB, "["},      {0xDC, "\\"},      {0xDD, "]"},       {0xDE, "'"},
};

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameTextAscii(text.substr(0, prefix.size()), prefix);
}

}  // namespace

std::string KeyName(std::uint8_t key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return std::string("Num ").append(std::to_string(key - 0x60));
  if (key >= 0x70 && key <= 0x87) return std::string("F").append(std::to_string(key - 0x70 + 1));
  for (const NamedKey& k : kNamedKeys) {
    if (k.key == key) return k.name;
  }
  return {};
}

std::string ShortCutToText(ShortCut shortCut) {
  const std::string name = KeyName(static_cast<std::uint8_t>(shortCut & 0xFF));
  if (name.empty()) return {};
  std::string text;
  if (shortCut & kShortCutShift) text += "Shift+";
  if (shortCut & kShortCutCtrl) text += "Ctrl+";
  if (shortCut & kShortCutAlt) text += "Alt+";
  return text + name;
}

ShortCut TextToShortCut(std::string_view text) {
  ShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    const struct { const char* word; ShortCut bit; } kMods[] = {
        {"Shift+", kShortCutShift}, {"Ctrl+", kShortCutCtrl}, {"Alt+", kShortCutAlt}};
    for (const auto& m : kMods) {
      // "+" alone (or "Num +") is a key name, not a modifier.
      if (text.size() > std::string_view(m.word).size() && StartsWithText(text, m.word)) {
        text.remove_prefix(std::string_view(m.word).size());
        modifiers |= m.bit;
        found = true;
      }
    }
  }
  if (text.empty()) return 0;
  for (int key = 0x08; key <= 0xFF; ++key) {
    const std::string name = KeyName(static_cast<std::uint8_t>(key));
    if (!name.empty() && SameTextAscii(name, text)) return static_cast<ShortCut>(modifiers | key);
  }
  return 0;
}

}  // namespace lc::settings
