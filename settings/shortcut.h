// Keyboard shortcuts as the settings file stores them: a 16-bit value whose
// low byte is the virtual-key code, with modifier bits for Shift, Ctrl and
// Alt, and its text form ("Ctrl+Alt+S", "Num Del"). 0 is "no shortcut".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lc::settings {

using ShortCut = std::uint16_t;

inline constexpr ShortCut kShortCutShift = 0x2000;
inline constexpr ShortCut kShortCutCtrl = 0x4000;
inline constexpr ShortCut kShortCutAlt = 0x8000;

// The name of a virtual key ("A", "F5", "Num Del", "PgUp"); empty when the
// key has no name.
std::string KeyName(std::uint8_t virtualKey);

// "Shift+", "Ctrl+", "Alt+" (in this order, as present) followed by the key
// name; empty for 0 or for a key without a name.
std::string ShortCutToText(ShortCut shortCut);

// The reverse of ShortCutToText, ignoring letter case; an empty or unknown
// text gives 0.
ShortCut TextToShortCut(std::string_view text);

}  // namespace lc::settings
