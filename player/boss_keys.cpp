#include "player/boss_keys.h"

namespace lc {

namespace {
bool ValidId(int id) { return id == kBossHideId || id == kBossShowId; }
}  // namespace

HotKeyCombo SplitShortCut(settings::ShortCut shortCut) {
  HotKeyCombo combo;
  combo.virtualKey = shortCut & 0xFF;
  if (shortCut & settings::kShortCutShift) combo.modifiers |= kHotKeyShift;
  if (shortCut & settings::kShortCutCtrl) combo.modifiers |= kHotKeyControl;
  if (shortCut & settings::kShortCutAlt) combo.modifiers |= kHotKeyAlt;
  return combo;
}

bool BossKeys::Register(settings::ShortCut shortCut, int id) {
  if (!ValidId(id)) return false;
  settings::ShortCut& slot = registered_[id - 1];
  if (slot != 0) {
    api_.Unregister(id);
    slot = 0;
  }
  if (shortCut == 0 || !api_.Register(id, SplitShortCut(shortCut))) return false;
  slot = shortCut;
  return true;
}

bool BossKeys::Apply(bool enabled, settings::ShortCut hide, settings::ShortCut show) {
  bool ok = true;
  const settings::ShortCut wanted[2] = {enabled ? hide : settings::ShortCut{0},
                                        enabled ? show : settings::ShortCut{0}};
  for (int id : {kBossHideId, kBossShowId}) {
    const settings::ShortCut want = wanted[id - 1];
    if (want == registered_[id - 1] && want != 0) continue;
    if (want == 0) {
      Register(0, id);  // releases the id when it holds a key
      continue;
    }
    if (!Register(want, id)) ok = false;
  }
  return ok;
}

void BossKeys::UnregisterAll() {
  for (int id : {kBossHideId, kBossShowId}) Register(0, id);
}

settings::ShortCut BossKeys::Registered(int id) const { return ValidId(id) ? registered_[id - 1] : 0; }

}  // namespace lc
