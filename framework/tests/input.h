// Real keyboard and mouse input for the framework's control tests: the
// platform delivers it to the foreground window as it would a user's.
// Typed keys and mouse presses reach this thread through the platform's
// queues whenever the machine gets to them, late on a loaded one: the
// helpers that type or press return once their input has come through (or
// a deadline passed), and a test waits for any later outcome with
// SettleUntil, never for a fixed time.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include <windows.h>

#include "framework/application.h"
#include "framework/forms.h"

namespace lctest {

// Dispatches what is pending, a few times over.
inline void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(15);
  }
}

// How long a helper waits for input to come through, and a test for its
// outcome: far beyond a loaded machine's delays.
constexpr DWORD kInputDeadlineMs = 10000;

// Dispatches this thread's messages until Done holds or Ms milliseconds
// have passed; Done's last answer.
template <class F>
bool SettleUntil(F Done, DWORD Ms = kInputDeadlineMs) {
  const DWORD Start = GetTickCount();
  while (!Done()) {
    if (GetTickCount() - Start > Ms) return Done();
    Application.ProcessMessages();
    Sleep(5);
  }
  return true;
}

// Counts the key releases and the mouse button presses and releases this
// thread takes from its input queue, whichever of its windows they are for
// (the platform calls the hooks as the thread takes them, just before it
// dispatches them). Made on the thread's first use, for its lifetime.
class TInputSeen {
 public:
  static TInputSeen& ThisThread() {
    thread_local TInputSeen Seen;
    return Seen;
  }
  TInputSeen(const TInputSeen&) = delete;
  TInputSeen& operator=(const TInputSeen&) = delete;
  ~TInputSeen() {
    if (FKeyHook) UnhookWindowsHookEx(FKeyHook);
    if (FMouseHook) UnhookWindowsHookEx(FMouseHook);
  }
  int KeyUps(WORD Key) const { return FKeyUps[Key & 0xFF]; }
  // Presses (Up false) or releases (Up true) of the button of a
  // MOUSEEVENTF_... flag: left, right or middle.
  int Buttons(DWORD Flag) const { return FButtons[ButtonIndex(Flag)]; }

 private:
  TInputSeen()
      : FKeyHook(SetWindowsHookExW(WH_KEYBOARD, &OnKey, nullptr, GetCurrentThreadId())),
        FMouseHook(SetWindowsHookExW(WH_MOUSE, &OnMouse, nullptr, GetCurrentThreadId())) {}
  static int ButtonIndex(DWORD Flag) {
    switch (Flag) {
      case MOUSEEVENTF_LEFTDOWN: return 0;
      case MOUSEEVENTF_LEFTUP: return 1;
      case MOUSEEVENTF_RIGHTDOWN: return 2;
      case MOUSEEVENTF_RIGHTUP: return 3;
      case MOUSEEVENTF_MIDDLEDOWN: return 4;
      case MOUSEEVENTF_MIDDLEUP: return 5;
      default: return 6;
    }
  }
  // The MOUSEEVENTF_... flag a mouse message comes of; 0 for a move.
  static DWORD FlagOf(WPARAM Msg) {
    switch (Msg) {
      case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
        return MOUSEEVENTF_LEFTDOWN;
      case WM_LBUTTONUP: case WM_NCLBUTTONUP: return MOUSEEVENTF_LEFTUP;
      case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
        return MOUSEEVENTF_RIGHTDOWN;
      case WM_RBUTTONUP: case WM_NCRBUTTONUP: return MOUSEEVENTF_RIGHTUP;
      case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
        return MOUSEEVENTF_MIDDLEDOWN;
      case WM_MBUTTONUP: case WM_NCMBUTTONUP: return MOUSEEVENTF_MIDDLEUP;
      default: return 0;
    }
  }
  static LRESULT CALLBACK OnKey(int Code, WPARAM Key, LPARAM Flags) {
    if (Code == HC_ACTION && (Flags & (LPARAM{1} << 31))) ++ThisThread().FKeyUps[Key & 0xFF];
    return CallNextHookEx(nullptr, Code, Key, Flags);
  }
  static LRESULT CALLBACK OnMouse(int Code, WPARAM Msg, LPARAM Info) {
    if (Code == HC_ACTION) ++ThisThread().FButtons[ButtonIndex(FlagOf(Msg))];
    return CallNextHookEx(nullptr, Code, Msg, Info);
  }
  HHOOK FKeyHook;
  HHOOK FMouseHook;
  int FKeyUps[256] = {};
  int FButtons[7] = {};
};

// Whether the foreground window, the one typed keys go to, is one of this
// thread's.
inline bool ThisThreadHasTheKeyboard() {
  const HWND Foreground = GetForegroundWindow();
  return Foreground && GetWindowThreadProcessId(Foreground, nullptr) == GetCurrentThreadId();
}

// The window of this thread that had the keyboard when a form was shown or
// a key typed last.
inline HWND& KeyboardWindow() {
  thread_local HWND Window = nullptr;
  return Window;
}

// Waits until one of this thread's windows has the keyboard. The system
// moves the foreground as the display reports its focus changes, late on
// a loaded machine, and a focus the display took to no window of the
// program's may never come back by itself: after a second the window that
// had the keyboard last is given it again. False when none has it by the
// deadline.
inline bool TakeTheKeyboard() {
  if (SettleUntil(ThisThreadHasTheKeyboard, 1000)) return true;
  const HWND Last = KeyboardWindow();
  if (Last && IsWindow(Last) && IsWindowVisible(Last)) SetForegroundWindow(Last);
  return SettleUntil(ThisThreadHasTheKeyboard);
}

// A form of window class ClassName shown at (Left, Top) as the foreground
// window, so that typed keys reach it.
inline std::unique_ptr<TForm> ShownForm(const wchar_t* ClassName, int Left, int Top, int Width,
                                        int Height) {
  auto Form = std::make_unique<TForm>(ClassName);
  Form->SetBounds(Left, Top, Width, Height);
  Form->Show();
  SetForegroundWindow(Form->Handle());
  KeyboardWindow() = Form->Handle();
  Settle();
  return Form;
}

// Presses Key (with Shift held) on the keyboard and returns once this
// thread has dispatched its release, so the key has had its effect before
// the next is typed; a failure when it has not come within the deadline.
// A key goes to the window that has the keyboard when it is typed: it is
// typed once one of this thread's windows has it.
inline void PressKey(WORD Key, bool Shift = false) {
  if (TakeTheKeyboard())
    KeyboardWindow() = GetForegroundWindow();
  else
    ADD_FAILURE() << "none of this thread's windows has the keyboard to type the key " << Key << " into";
  TInputSeen& Seen = TInputSeen::ThisThread();
  const int Before = Seen.KeyUps(Key);
  if (Shift) keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(static_cast<BYTE>(Key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(Key), 0, KEYEVENTF_KEYUP, 0);
  if (Shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  if (!SettleUntil([&] { return Seen.KeyUps(Key) > Before; }))
    ADD_FAILURE() << "the typed key " << Key << " never reached this thread's windows";
  Settle();
}

// Types letters, digits and a few signs as key presses, each one once the
// one before has come through.
inline void Type(const std::string& Text) {
  for (char C : Text) {
    SHORT Scan = VkKeyScanA(C);
    PressKey(LOBYTE(Scan), HIBYTE(Scan) & 1);
  }
}

// Types letters, digits and a few signs into Control: each key's down,
// character and up messages go straight through its window procedure, as
// the platform delivers a typed key to the focused control, but with no
// input queue or foreground window in between: another window taking the
// focus, or a slow turn of the queue, cannot swallow a key.
inline void TypeInto(TWinControl& Control, const std::string& Text) {
  for (char C : Text) {
    const WORD Key = LOBYTE(VkKeyScanA(C));
    const LPARAM Scan = static_cast<LPARAM>(MapVirtualKeyW(Key, MAPVK_VK_TO_VSC)) << 16;
    SendMessageW(Control.Handle(), WM_KEYDOWN, Key, Scan | 1);
    SendMessageW(Control.Handle(), WM_CHAR, static_cast<unsigned char>(C), Scan | 1);
    SendMessageW(Control.Handle(), WM_KEYUP, Key, Scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
  }
}

// Puts one mouse event in the system's input queue, as the hardware would.
inline void SendMouse(DWORD Flags) {
  INPUT In{};
  In.type = INPUT_MOUSE;
  In.mi.dwFlags = Flags;
  SendInput(1, &In, sizeof(In));
}

// Puts one mouse event in the input queue and, for a button's press or
// release, returns once this thread has dispatched it (a failure when it
// has not come within the deadline).
inline void Mouse(DWORD Flags) {
  TInputSeen& Seen = TInputSeen::ThisThread();
  const int Before = Seen.Buttons(Flags);
  SendMouse(Flags);
  if (Flags != MOUSEEVENTF_MOVE && !SettleUntil([&] { return Seen.Buttons(Flags) > Before; }))
    ADD_FAILURE() << "the mouse event " << Flags << " never reached this thread's windows";
  Settle();
}

// Clicks the left button where the mouse is Times times over, every press
// and release put in the input queue at once as a user's quick hand makes
// them; returns once this thread has dispatched the last release (a
// failure when it has not come within the deadline). A control that
// watches for a drag in a loop of its own from the press gets the release
// there.
inline void ClickHere(int Times = 1) {
  TInputSeen& Seen = TInputSeen::ThisThread();
  const int Before = Seen.Buttons(MOUSEEVENTF_LEFTUP);
  INPUT In[8] = {};
  const int Steps = 2 * std::min(Times, 4);
  for (int I = 0; I < Steps; ++I) {
    In[I].type = INPUT_MOUSE;
    In[I].mi.dwFlags = I % 2 ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
  }
  SendInput(Steps, In, sizeof(INPUT));
  if (!SettleUntil([&] { return Seen.Buttons(MOUSEEVENTF_LEFTUP) >= Before + Steps / 2; }))
    ADD_FAILURE() << "the clicks never reached this thread's windows";
  Settle();
}

// Two quick clicks of the left button where the mouse is: the system makes
// the second press a double click.
inline void DoubleClickHere() { ClickHere(2); }

// Moves the mouse to the screen point (X, Y) as the hardware would.
inline void MouseToScreen(int X, int Y) {
  SetCursorPos(X, Y);
  SendMouse(MOUSEEVENTF_MOVE);
}

// A user's drag: the left button pressed where the mouse is, the mouse moved
// Steps times by (DX, DY) from the screen point (X, Y), the button released.
// The user's hand is a thread of its own while this thread dispatches
// messages: a window that moves itself runs a modal loop until the release.
// Returns once this thread has dispatched the release (a failure when it
// has not come within the deadline after the hand let go).
inline void DragFrom(int X, int Y, int Steps, int DX, int DY) {
  TInputSeen& Seen = TInputSeen::ThisThread();
  const int Before = Seen.Buttons(MOUSEEVENTF_LEFTUP);
  std::atomic<bool> Released = false;
  std::thread User([&] {
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    Sleep(300);
    for (int Step = 1; Step <= Steps; ++Step) {
      MouseToScreen(X + DX * Step, Y + DY * Step);
      Sleep(30);
    }
    Sleep(100);
    SendMouse(MOUSEEVENTF_LEFTUP);
    Released = true;
  });
  for (DWORD Until = GetTickCount() + 10000; !Released && GetTickCount() < Until;) {
    Application.ProcessMessages();
    Sleep(5);
  }
  User.join();
  if (!SettleUntil([&] { return Seen.Buttons(MOUSEEVENTF_LEFTUP) > Before; }))
    ADD_FAILURE() << "the drag's release never reached this thread's windows";
  Settle();
}

// Moves the mouse to the client point (X, Y) of Control.
inline void MouseTo(TWinControl& Control, int X, int Y) {
  TPoint P = Control.ClientToScreen({X, Y});
  SetCursorPos(P.X, P.Y);
  Mouse(MOUSEEVENTF_MOVE);
}

// Hands Control's window a mouse message for the client point (X, Y) with
// the buttons of Keys held, straight through its window procedure as the
// platform would deliver it: no input queue, pointer or foreground window
// in between, so nothing else on the display or a slow turn of the queue
// can come between a press and the moves that follow it.
inline void MouseMessage(TWinControl& Control, UINT Msg, WPARAM Keys, int X, int Y) {
  SendMessageW(Control.Handle(), Msg, Keys, MAKELPARAM(X, Y));
}

inline void ClickAt(TWinControl& Control, int X, int Y) {
  MouseTo(Control, X, Y);
  Mouse(MOUSEEVENTF_LEFTDOWN);
  Mouse(MOUSEEVENTF_LEFTUP);
}

// The colour on the screen at the client point of Control.
inline TColor PixelAt(TWinControl& Control, int X, int Y) {
  Control.Update();
  HDC DC = GetDC(Control.Handle());
  COLORREF C = GetPixel(DC, X, Y);
  ReleaseDC(Control.Handle(), DC);
  return C;
}

}  // namespace lctest
