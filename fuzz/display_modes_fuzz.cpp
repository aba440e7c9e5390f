// Display modes: the modes a display offers (from the input) made into the
// resolution menu and the offered names, and the full-screen mode named in
// the settings file (the rest of the input, as the value of its
// FullscreenModeSwitch line read by the settings reader).
// Contracts: the menu's modes are sorted and unique; every offered name and
// every clickable item names one of them, and a size holds at most three
// rate items; the setting keeps at most 256 characters; a mode parsed from
// a name is named back to the same mode; full screen switches only to an
// offered mode other than the current one, the one the setting names.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "player/display_modes.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "settings/tests/test_support.h"
#include "settings/text_encoding.h"

namespace {

using lc::DisplayMode;

bool Holds(const std::vector<DisplayMode>& modes, const std::optional<DisplayMode>& mode) {
  return mode && std::find(modes.begin(), modes.end(), *mode) != modes.end();
}

// A mode parsed from a name is named back to itself.
std::optional<DisplayMode> ParseName(const std::string& name) {
  const std::optional<DisplayMode> mode = lc::ParseDisplayModeName(name);
  if (mode) LC_FUZZ_CHECK(lc::ParseDisplayModeName(lc::DisplayModeItemName(*mode)) == mode);
  return mode;
}

std::vector<DisplayMode> OfferedModes(lc::fuzz::ByteReader& in) {
  std::vector<DisplayMode> modes;
  for (int count = in.Byte() % 48; count > 0; --count) {
    DisplayMode m;
    for (std::uint16_t* field : {&m.width, &m.height, &m.rate}) {
      const std::uint16_t low = in.Byte();
      *field = static_cast<std::uint16_t>(low | in.Byte() << 8);
    }
    modes.push_back(m);
  }
  return modes;
}

void CheckMenu(const lc::DisplayModeMenu& menu) {
  const std::vector<DisplayMode>& modes = menu.modes;
  for (std::size_t i = 1; i < modes.size(); ++i) {
    const DisplayMode &a = modes[i - 1], &b = modes[i];
    LC_FUZZ_CHECK(a.width < b.width || (a.width == b.width && (a.height < b.height ||
                                                                 (a.height == b.height && a.rate < b.rate))));
  }
  for (const std::string& name : menu.names) {
    const std::optional<DisplayMode> mode = ParseName(lc::DisplayModeNameFromText(name));
    LC_FUZZ_CHECK(Holds(modes, mode));
    LC_FUZZ_CHECK(lc::DisplayModeTextSize(name) == std::make_pair(int{mode->width}, int{mode->height}));
  }
  for (const lc::ResolutionMenuItem& item : menu.items) {
    LC_FUZZ_CHECK(item.refresh.size() <= 3 && item.refresh.size() != 1);
    if (item.refresh.empty()) LC_FUZZ_CHECK(Holds(modes, ParseName(item.name)));
    for (const lc::ResolutionMenuItem& rate : item.refresh) LC_FUZZ_CHECK(Holds(modes, ParseName(rate.name)));
  }
}

// The FullscreenModeSwitch value of a settings file holding `value`.
std::string SwitchSetting(std::string_view value) {
  using namespace lc::settings;
  const AnsiCodec& codec = Windows1252Codec();
  const std::string text = "[Configuration]\r\nFullscreenModeSwitch=" + codec.ToUtf8(value) + "\r\n";
  std::vector<std::string> values;
  ParseConfigText(text, ConfigKeyNames(), values);
  static const testing::FakeHost host;
  SettingsStore store;
  SetDefaultSettings(store, host.screenWidth, host.screenHeight);
  if (!values.empty()) ConvertLoadedValues(store, host, values);
  LC_FUZZ_CHECK(Utf8Length(store.FullscreenModeSwitch) <= 256);
  return store.FullscreenModeSwitch;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lc::fuzz::ByteReader in(data, size);
  const lc::DisplayModeMenu menu = lc::BuildDisplayModeMenu(OfferedModes(in));
  CheckMenu(menu);
  const std::string current =
      menu.modes.empty() ? std::string("M0x0x0Hz") : lc::DisplayModeItemName(menu.modes[in.Byte() % menu.modes.size()]);

  const std::string wanted = SwitchSetting(in.Bytes(in.Remaining()));
  const std::string name = lc::DisplayModeNameFromText(wanted);
  LC_FUZZ_CHECK(name.front() == 'M' && name.find(' ') == std::string::npos);
  ParseName(name);
  const auto sides = lc::DisplayModeTextSize(wanted);
  if (sides) LC_FUZZ_CHECK(sides->first >= 0 && sides->first <= 99999 && sides->second >= 0 && sides->second <= 99999);

  const bool offered = std::find(menu.names.begin(), menu.names.end(), wanted) != menu.names.end();
  const std::optional<std::string> target = lc::FullScreenModeWanted(wanted, menu.names, current);
  LC_FUZZ_CHECK(target.has_value() == (offered && name != current));
  if (target) {
    LC_FUZZ_CHECK(*target == name);
    LC_FUZZ_CHECK(Holds(menu.modes, ParseName(*target)));
  }
  return 0;
}
