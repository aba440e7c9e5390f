#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "player/boss_keys.h"

namespace lc {
namespace {

using settings::ShortCut;

constexpr ShortCut kCtrlAltS = settings::kShortCutCtrl | settings::kShortCutAlt | 'S';
constexpr ShortCut kNumDel = 0x6E;  // VK_DECIMAL
constexpr ShortCut kShiftF9 = settings::kShortCutShift | 0x78;

// The platform's hot-key table: a combination that some program holds
// cannot be registered again.
class FakeHotKeys : public HotKeyApi {
 public:
  bool Register(int id, const HotKeyCombo& combo) override {
    log.push_back("reg " + std::to_string(id));
    const auto key = std::make_pair(combo.modifiers, combo.virtualKey);
    if (takenElsewhere.count(key)) return false;
    for (const auto& [otherId, held] : mine)
      if (held == key && otherId != id) return false;
    mine[id] = key;
    return true;
  }
  void Unregister(int id) override {
    log.push_back("unreg " + std::to_string(id));
    mine.erase(id);
  }

  std::map<int, std::pair<unsigned, unsigned>> mine;
  std::set<std::pair<unsigned, unsigned>> takenElsewhere;
  std::vector<std::string> log;
};

TEST(BossKeys, ShortCutSplitsIntoKeyAndModifiers) {
  struct Case {
    ShortCut shortCut;
    HotKeyCombo combo;
  } cases[] = {
      // The platform's hot-key modifiers: Alt 1, Control 2, Shift 4.
      {kCtrlAltS, {2 | 1, 'S'}},
      {kNumDel, {0, 0x6E}},
      {kShiftF9, {4, 0x78}},
      {settings::kShortCutShift | settings::kShortCutCtrl | settings::kShortCutAlt | 'A', {7, 'A'}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitShortCut(c.shortCut), c.combo) << c.shortCut;
}

TEST(BossKeys, RegisterReplacesAnEarlierRegistrationOfTheId) {
  FakeHotKeys api;
  BossKeys keys(api);
  EXPECT_TRUE(keys.Register(kNumDel, kBossHideId));
  EXPECT_TRUE(keys.Register(kShiftF9, kBossHideId));
  EXPECT_EQ(api.log, (std::vector<std::string>{"reg 1", "unreg 1", "reg 1"}));
  EXPECT_EQ(keys.Registered(kBossHideId), kShiftF9);
  EXPECT_FALSE(keys.Register(kNumDel, 3));
}

TEST(BossKeys, SwitchingOffOrChangingReleasesTheOldKeys) {
  FakeHotKeys api;
  BossKeys keys(api);
  EXPECT_TRUE(keys.Apply(true, kNumDel, kCtrlAltS));
  EXPECT_EQ(api.mine.size(), 2u);

  // Changing the show key releases its old combination.
  EXPECT_TRUE(keys.Apply(true, kNumDel, kShiftF9));
  EXPECT_EQ(keys.Registered(kBossShowId), kShiftF9);
  EXPECT_EQ(api.mine.at(kBossShowId), std::make_pair(4u, 0x78u));
  EXPECT_EQ(keys.Registered(kBossHideId), kNumDel);

  // Clearing a shortcut releases it; switching off releases everything.
  EXPECT_TRUE(keys.Apply(true, 0, kShiftF9));
  EXPECT_EQ(api.mine.count(kBossHideId), 0u);
  EXPECT_TRUE(keys.Apply(false, kNumDel, kShiftF9));
  EXPECT_TRUE(api.mine.empty());
  EXPECT_EQ(keys.Registered(kBossHideId), 0);
  EXPECT_EQ(keys.Registered(kBossShowId), 0);
}

TEST(BossKeys, AKeyHeldByAnotherProgramStaysUnregisteredAndIsTriedAgain) {
  FakeHotKeys api;
  BossKeys keys(api);
  api.takenElsewhere.insert({0u, 0x6Eu});
  EXPECT_FALSE(keys.Apply(true, kNumDel, kCtrlAltS));
  EXPECT_EQ(keys.Registered(kBossHideId), 0);
  EXPECT_EQ(keys.Registered(kBossShowId), kCtrlAltS);

  // Once the other program lets it go, applying the same settings takes it.
  api.takenElsewhere.clear();
  EXPECT_TRUE(keys.Apply(true, kNumDel, kCtrlAltS));
  EXPECT_EQ(keys.Registered(kBossHideId), kNumDel);
}

TEST(BossKeys, ApplyingUnchangedSettingsTouchesNothing) {
  FakeHotKeys api;
  BossKeys keys(api);
  keys.Apply(true, kNumDel, kCtrlAltS);
  api.log.clear();
  keys.Apply(true, kNumDel, kCtrlAltS);
  EXPECT_TRUE(api.log.empty());
  keys.UnregisterAll();
  EXPECT_EQ(api.log, (std::vector<std::string>{"unreg 1", "unreg 2"}));
}

}  // namespace
}  // namespace lc
