// A running copy of the program's test build as a whole-program test reads
// it (the transport, the windows, the seek bar), and the real keyboard and
// mouse a test drives it with: the platform delivers the keys to the window
// that has the focus, as it would a user's.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"

namespace lctest {

// The transport as the test build reports it (WM_QUERYTRANSPORT).
struct Transport {
  explicit Transport(LRESULT state) : bits(state) {}
  bool Active() const { return bits & kTransportGraphActive; }
  bool Playing() const { return bits & kTransportPlaying; }
  // A movie is being opened (its buttons may show Play already).
  bool Opening() const { return bits & kTransportOpening; }
  bool Paused() const { return bits & kTransportPaused; }
  bool SoundOn() const { return bits & kTransportSoundOn; }
  int Volume() const { return int((bits >> 8) & 0xFF); }
  int Entry() const { return int((bits >> 16) & 0xFF); }
  LRESULT bits;
};

Transport QueryTransport(HWND main);
// Waits up to 15 s until the player plays entry `entry`, its opening
// ended; the last answer.
Transport WaitUntilPlaying(HWND main, int entry);
// The kWindows... flags of WM_QUERYWINDOWS.
LRESULT QueryWindows(HWND main);
// The seek bar's position in milliseconds, -1 without a movie
// (WM_QUERYPOSITION).
int QuerySeekBar(HWND main);
// The playlist's length once the main window's first activation has
// ended (WM_QUERYPLAYLISTCOUNT answers -1 before); -1 when it did not end
// within 10 s.
LRESULT PlaylistCountAfterStart(HWND main);

// Asks `done` every 50 ms for up to `ms`; its last answer.
template <class F>
bool WaitUntil(F done, DWORD ms = 10000) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > ms) return done();
    Sleep(50);
  }
  return true;
}

// The item selected in the first tree view inside `window` (the pages of
// the configuration dialog); 0 without one.
LRESULT SelectedTreeItem(HWND window);

// Makes `window`, a top-level window of another program, the foreground
// window and waits up to 10 s until its thread has activated it and holds
// the focus in it: a typed key goes to the focus the foreground window's
// thread has when the key is typed. Whether it does.
bool MakeForeground(HWND window);
// Presses `key` on the keyboard with the modifier keys held (VK_SHIFT,
// VK_CONTROL, VK_MENU), down then up.
void PressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Types `keys` (xdotool's names, e.g. "ctrl+F4") on the X display's own
// keyboard, which goes to the window the display gives the focus, where
// PressKey's keys go to the window the platform thinks active. Runs the
// display's xdotool (installed by the setup) and gives it 300 ms; whether
// it could be started.
bool TypeOnTheDisplay(const char* keys);
// Gives the X display's keyboard to the top-level window named `name` (its
// caption), as the display's own tools do, and gives it 300 ms; whether
// they could be started.
bool FocusOnTheDisplay(const char* name);
// Holds `key` (an xdotool name) down on the X display's own keyboard for
// `ms` milliseconds, so that the display repeats it as it does a key a
// user holds, and lets it go; returns once the hold has begun (whether it
// could be started), the release comes by itself.
bool HoldOnTheDisplay(const char* key, int ms);
// Records from now for `ms` milliseconds, about every 5 ms, which window
// the X display gives the keyboard, as the display's own tools read it (a
// host shell running xwininfo and xdotool, into a file of the host's /tmp
// removed with the record).
class DisplayFocusRecord {
 public:
  explicit DisplayFocusRecord(int ms);
  ~DisplayFocusRecord();
  // How many readings found the keyboard with nobody (the display's root
  // window, or none: typed keys go nowhere) after a window had had it;
  // waits up to 10 s for the record to end. -1 when it did not (or never
  // started), or when no window had the keyboard at all.
  int KeyboardWithNobody() const;
  // How many times the keyboard moved from the window that had it at the
  // first reading (to another window, or to nobody); waits as
  // KeyboardWithNobody does, -1 when the record did not end.
  int KeyboardMoves() const;

 private:
  std::wstring WindowsPath() const;
  // The readings after the root window's number; empty when the record
  // did not end within 10 s.
  std::vector<std::string> Readings(std::string& root) const;
  std::string path_;
  bool started_ = false;
};
// A left click at the screen point (x, y).
void ClickAt(int x, int y);
// A left click at the centre of the window.
void ClickCentre(HWND window);
// Opens the main window's popup menu as the right mouse button does and
// waits for it (up to 10 s); the menu's window, or nullptr.
HWND OpenPopupMenu(HWND main, DWORD pid);

// The player's own loops a close can come into: the message box of a movie
// that is not there (started with `args`), and the popup menu.
struct NestedLoop {
  const wchar_t* args;
  bool menu;
  const char* name;
};
inline constexpr NestedLoop kNestedLoops[] = {{L"Z:\\no\\such\\movie.avi", false, "message box"},
                                              {L"", true, "popup menu"}};
// Waits for the loop in the running player (the box comes by itself, the
// menu is opened), up to 30 s; its window, or nullptr.
HWND EnterNestedLoop(const NestedLoop& loop, HWND main, DWORD pid);

// Waits for the message box process `pid` shows (up to `ms`), reads its
// text (lines joined by "|") from the main window, which answers while the
// box is up, and closes it. Empty when no box came.
std::string ReadAndCloseMessageBox(DWORD pid, DWORD ms);

}  // namespace lctest
