// Real keyboard and mouse input for the framework's control tests: the
// platform delivers it to the foreground window as it would a user's.
#pragma once

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

// A form of window class ClassName shown at (Left, Top) as the foreground
// window, so that typed keys reach it.
inline std::unique_ptr<TForm> ShownForm(const wchar_t* ClassName, int Left, int Top, int Width,
                                        int Height) {
  auto Form = std::make_unique<TForm>(ClassName);
  Form->SetBounds(Left, Top, Width, Height);
  Form->Show();
  SetForegroundWindow(Form->Handle());
  Settle();
  return Form;
}

inline void PressKey(WORD Key, bool Shift = false) {
  if (Shift) keybd_event(VK_SHIFT, 0, 0, 0);
  keybd_event(static_cast<BYTE>(Key), 0, 0, 0);
  keybd_event(static_cast<BYTE>(Key), 0, KEYEVENTF_KEYUP, 0);
  if (Shift) keybd_event(VK_SHIFT, 0, KEYEVENTF_KEYUP, 0);
  Settle();
}

// Types letters, digits and a few signs as key presses.
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

inline void Mouse(DWORD Flags) {
  SendMouse(Flags);
  Settle();
}

// Two quick clicks of the left button where the mouse is, put in the input
// queue at once as a user's hand makes them: the system makes the second
// press a double click.
inline void DoubleClickHere() {
  const DWORD Steps[4] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP};
  INPUT In[4] = {};
  for (int I = 0; I < 4; ++I) {
    In[I].type = INPUT_MOUSE;
    In[I].mi.dwFlags = Steps[I];
  }
  SendInput(4, In, sizeof(INPUT));
}

// Moves the mouse to the screen point (X, Y) as the hardware would.
inline void MouseToScreen(int X, int Y) {
  SetCursorPos(X, Y);
  SendMouse(MOUSEEVENTF_MOVE);
}

// A user's drag: the left button pressed where the mouse is, the mouse moved
// Steps times by (DX, DY) from the screen point (X, Y), the button released.
// The user's hand is a thread of its own while this thread dispatches
// messages: a window that moves itself runs a modal loop until the release.
inline void DragFrom(int X, int Y, int Steps, int DX, int DY) {
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
