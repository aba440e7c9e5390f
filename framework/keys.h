// Virtual-key codes of the keys that the program's key handlers name, as
// the platform numbers them. Portable: the rules that decide what a key
// does are plain code tested on every host.
#pragma once

inline constexpr int vkReturn = 0x0D;
inline constexpr int vkEscape = 0x1B;
inline constexpr int vkSpace = 0x20;
inline constexpr int vkLeft = 0x25;
inline constexpr int vkUp = 0x26;
inline constexpr int vkRight = 0x27;
inline constexpr int vkDown = 0x28;
inline constexpr int vkDelete = 0x2E;
inline constexpr int vkNumpad0 = 0x60;
// Letters and digits are their upper-case characters ('A' .. 'Z', '0' .. '9').
