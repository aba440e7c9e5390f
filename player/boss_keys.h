// The boss key: two system-wide hot keys of the main window, id 1 hides the
// player and id 2 shows it again. This keeps the registrations in line with
// the settings: switching the option off or changing a shortcut releases
// the old hot key, and a shortcut that another program holds is simply left
// unregistered (the setting itself is kept, so it works again once the other
// program lets it go). The platform calls are behind HotKeyApi.
#pragma once

#include <array>

#include "settings/shortcut.h"

namespace lc {

inline constexpr int kBossHideId = 1;
inline constexpr int kBossShowId = 2;

// The platform's hot-key modifier bits.
inline constexpr unsigned kHotKeyAlt = 1;
inline constexpr unsigned kHotKeyControl = 2;
inline constexpr unsigned kHotKeyShift = 4;

struct HotKeyCombo {
  unsigned modifiers = 0;  // kHotKeyAlt | kHotKeyControl | kHotKeyShift
  unsigned virtualKey = 0;
  bool operator==(const HotKeyCombo&) const = default;
};

// The key (low byte) and the modifiers of a stored shortcut.
HotKeyCombo SplitShortCut(settings::ShortCut shortCut);

// Registers and releases the hot keys of one window.
class HotKeyApi {
 public:
  virtual ~HotKeyApi() = default;
  virtual bool Register(int id, const HotKeyCombo& combo) = 0;
  virtual void Unregister(int id) = 0;
};

class BossKeys {
 public:
  explicit BossKeys(HotKeyApi& api) : api_(api) {}

  // Registers `shortCut` as hot key `id` (1 or 2), replacing an earlier
  // registration of that id; true when the platform accepted it. A
  // shortcut of 0 only releases the id.
  bool Register(settings::ShortCut shortCut, int id);
  // Brings both registrations in line with the settings: with the option
  // off both are released; with it on each id holds its shortcut, a
  // changed shortcut replacing the old one. Returns false when a wanted
  // hot key could not be registered.
  bool Apply(bool enabled, settings::ShortCut hide, settings::ShortCut show);
  // Releases both hot keys (the player closes).
  void UnregisterAll();
  // The shortcut registered under `id` now, 0 for none.
  settings::ShortCut Registered(int id) const;

 private:
  HotKeyApi& api_;
  std::array<settings::ShortCut, 2> registered_{};
};

}  // namespace lc
