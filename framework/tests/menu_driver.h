// Popup menus opened by a test: the open menu windows, and keys played into
// the next menu from another thread (the menu's own loop holds the test's
// thread until the menu closes).
#pragma once

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

namespace lctest {

inline BOOL CALLBACK CountMenuWindow(HWND W, LPARAM P) {
  wchar_t Name[16] = {};
  GetClassNameW(W, Name, 16);
  if (std::wstring(Name) == L"#32768" && IsWindowVisible(W)) {
    auto* Found = reinterpret_cast<std::vector<HWND>*>(P);
    Found->push_back(W);
  }
  return TRUE;
}

// The open menu windows, the latest (a submenu) first.
inline std::vector<HWND> OpenMenuWindows() {
  std::vector<HWND> Found;
  EnumWindows(&CountMenuWindow, reinterpret_cast<LPARAM>(&Found));
  return Found;
}

// Waits until Done holds, at most Ms milliseconds; false when it never did.
inline bool WaitFor(const std::function<bool()>& Done, int Ms) {
  for (int Waited = 0; !Done(); Waited += 10) {
    if (Waited >= Ms) return false;
    Sleep(10);
  }
  return true;
}

inline void MenuKey(WORD VK) {
  keybd_event(static_cast<BYTE>(VK), 0, 0, 0);
  keybd_event(static_cast<BYTE>(VK), 0, KEYEVENTF_KEYUP, 0);
  Sleep(30);
}

// Plays keys into the next popup menu from another thread: waits for the
// menu window, lets Look see it painted, then types. The keys must close
// the menu themselves (by a pick or an Escape): the menu reads them in
// order whenever its thread gets to them, and a key typed after they
// closed it would wait in the queue and act on the next menu. Only a menu
// still open long after is closed here, so that Popup returns and the test
// fails on what it expected instead of hanging.
class TMenuDriver {
 public:
  explicit TMenuDriver(std::vector<WORD> Keys, std::function<void(HWND)> Look = nullptr)
      : FThread([this, Keys, Look] {
          HWND Menu = nullptr;
          WaitFor([&] { return (Menu = FirstMenuWindow()) != nullptr; }, 10000);
          if (!Menu) return;
          // Paints what the menu's thread has not painted yet, and returns
          // once it has.
          UpdateWindow(Menu);
          RECT R;
          GetWindowRect(Menu, &R);
          MenuRect = R;
          if (Look) Look(Menu);
          // A key goes where the keyboard is when it is typed: each one
          // once the foreground window is the menu's thread's.
          const DWORD MenuThread = GetWindowThreadProcessId(Menu, nullptr);
          for (WORD K : Keys) {
            WaitFor([&] { return GetWindowThreadProcessId(GetForegroundWindow(), nullptr) == MenuThread; }, 10000);
            MenuKey(K);
          }
          if (WaitFor([] { return OpenMenuWindows().empty(); }, 10000)) return;
          for (std::size_t Open = OpenMenuWindows().size(); Open > 0;) {
            MenuKey(VK_ESCAPE);
            if (!WaitFor([&] { return OpenMenuWindows().size() < Open; }, 10000)) {
              // The typed Escape went to another program's window: the
              // menu's own loop takes one posted to its thread.
              PostMessageW(FirstMenuWindow(), WM_KEYDOWN, VK_ESCAPE, 0);
              if (!WaitFor([&] { return OpenMenuWindows().size() < Open; }, 10000)) return;
            }
            Open = OpenMenuWindows().size();
          }
        }) {}
  ~TMenuDriver() { FThread.join(); }
  RECT MenuRect{};

 private:
  static HWND FirstMenuWindow() {
    std::vector<HWND> Open = OpenMenuWindows();
    return Open.empty() ? nullptr : Open.back();
  }
  std::thread FThread;
};

}  // namespace lctest
