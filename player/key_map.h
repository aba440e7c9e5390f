// The keyboard command map: two fixed tables, one for Escape and the four
// arrow keys (asked first from every window), one for every other key, and
// the media keys of WM_APPCOMMAND turned into keys of those tables. A key
// matches an entry only with exactly the entry's modifier set: Ctrl+Shift,
// or a key with a mouse button held, matches no single-modifier entry.
// Portable: the virtual-key codes are written out here.
#pragma once

#include <cstdint>
#include <optional>

#include "framework/types.h"
#include "player/commands.h"

namespace lc {

// Virtual-key codes the tables use.
namespace vk {
inline constexpr std::uint16_t Back = 0x08, Return = 0x0D, Escape = 0x1B, Space = 0x20;
inline constexpr std::uint16_t End = 0x23, Home = 0x24, Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
inline constexpr std::uint16_t Apps = 0x5D;
inline constexpr std::uint16_t Numpad0 = 0x60, Numpad2 = 0x62, Numpad4 = 0x64, Numpad5 = 0x65;
inline constexpr std::uint16_t Numpad6 = 0x66, Numpad8 = 0x68;
inline constexpr std::uint16_t Multiply = 0x6A, Add = 0x6B, Subtract = 0x6D;
inline constexpr std::uint16_t F1 = 0x70, F4 = 0x73, F6 = 0x75, F10 = 0x79, F12 = 0x7B;
inline constexpr std::uint16_t OemPlus = 0xBB, OemComma = 0xBC, OemMinus = 0xBD, OemPeriod = 0xBE;
inline constexpr std::uint16_t OemSlash = 0xBF, OemOpenBracket = 0xDB, OemCloseBracket = 0xDD;
}  // namespace vk

// An entry's modifier set that matches any set (the '0' keys).
inline constexpr TShiftState kAnyShift = 0xFFFFFFFFu;

struct KeyEntry {
  std::uint16_t Key;
  TShiftState Shift;
  Cmd Command;
  // Bookmark number for Cmd::Bookmark.
  int Arg;
  // Skipped while an operation runs (BusyFlag).
  bool NotBusy;
};

// The Escape and arrow table; nullptr when Key with Shift has no entry.
const KeyEntry* FindSpecialKey(std::uint16_t Key, TShiftState Shift);
// The table of every other key; nullptr when Key with Shift has no entry.
const KeyEntry* FindKeyCommand(std::uint16_t Key, TShiftState Shift);

// What a media key becomes: a key of one of the two tables, or the
// play/pause choice.
struct AppCommandKey {
  bool Special = false;  // the Escape and arrow table, else the main one
  std::uint16_t Key = 0;
  TShiftState Shift = 0;
  bool PlayPause = false;
};
// The media key of a WM_APPCOMMAND's LParam. Only commands sent by the
// keyboard with no modifier or mouse-button bits (the whole LParam equal
// to the command times 65536) are recognised.
std::optional<AppCommandKey> AppCommandFor(std::uint32_t LParam);

}  // namespace lc
