// The remote-control message's command codes 1 to 74 as data: what each
// code does when no dialog is up (a key of the key map, a key of the video
// window's table, a key for the equalizer or the colour window, a command,
// or one of a few actions of its own), which keystrokes it types into an
// open file dialog, which navigation key it is for any other dialog, and
// the aspect cycle of code 74. Portable: no Windows header.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/types.h"
#include "player/commands.h"

namespace lc {

inline constexpr std::uint32_t kFirstRemoteCode = 1;
inline constexpr std::uint32_t kLastRemoteCode = 74;

enum class RemoteTarget : std::uint8_t {
  None,
  Key,             // TfrmMain::ExecuteKeyCommand(Key, Shift)
  VideoKey,        // TfrmMain::SpecialKeyExecute(Key, Shift)
  EqualizerKey,    // the equalizer window's AllKeyDown(Key, no modifier)
  ColorKey,        // the colour window's AllKeyDown(Key, no modifier)
  Command,         // TfrmMain::RunCommand(Command)
  TogglePlaylist,  // playlist window shown when it is not showing, else closed
  PlaylistList,    // only while the playlist is visible: Key to its list itself
  PlaylistKey,     // only while the playlist is visible: its list's key handler
  AspectCycle,     // only while a graph is active: AspectCycleStep
};

struct RemoteAction {
  RemoteTarget Target = RemoteTarget::None;
  std::uint16_t Key = 0;
  TShiftState Shift = 0;
  Cmd Command = Cmd::None;
};

// The action of a code with no dialog up; Target None for 0 and above 74.
RemoteAction RemoteActionFor(std::uint32_t code);

// One synthesized key event of a file dialog.
struct RemoteKeyEvent {
  std::uint16_t Key = 0;
  std::uint8_t Scan = 0;
  bool Up = false;
};
// The keystrokes of codes 3, 4 and 6 to 10 in an open file dialog (each
// key down then up; Shift+Tab as Shift down, Tab down, Tab up, Shift up);
// empty for every other code.
std::vector<RemoteKeyEvent> FileDialogKeystrokes(std::uint32_t code);

// The navigation key of a code while a dialog is up: 3 Enter, 4 and 6
// Escape, 7 Up, 8 Down, 9 Left, 10 Right; 0 for every other code.
std::uint16_t DialogNavigationKey(std::uint32_t code);

enum class AspectStep : std::uint8_t { None, Original, Wide169, Standard43, Square11 };

// Code 74's next aspect ratio for the movie's own ratio `native` and the
// ratio in force `current`, both in hundredths (133, 178, 100...).
AspectStep AspectCycleStep(int native, int current);

// The two values AspectCycleStep takes: Round(width * 100 / Max(height, 1))
// and Round(100 * ratio), halves to even.
int NativeRatioHundredths(int width, int height);
int RatioHundredths(double ratio);

}  // namespace lc
