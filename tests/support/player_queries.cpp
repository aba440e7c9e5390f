#include "tests/support/player_queries.h"

#include <string>

#include <commctrl.h>

#include "tests/support/process.h"

namespace lctest {

namespace {

LRESULT Ask(HWND main, UINT message, WPARAM wParam = 0) {
  DWORD_PTR answer = 0;
  SendMessageTimeoutW(main, message, wParam, 0, SMTO_NORMAL, 5000, &answer);
  return LRESULT(answer);
}

void KeyEvent(WORD key, bool up) { keybd_event(static_cast<BYTE>(key), 0, up ? KEYEVENTF_KEYUP : 0, 0); }

BOOL CALLBACK FindTree(HWND child, LPARAM found) {
  wchar_t name[64] = {};
  GetClassNameW(child, name, 64);
  if (std::wstring(name) != L"SysTreeView32") return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

void MouseEvent(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

}  // namespace

Transport QueryTransport(HWND main) { return Transport(Ask(main, WM_QUERYTRANSPORT)); }

Transport WaitUntilPlaying(HWND main, int entry) {
  Transport t = QueryTransport(main);
  WaitUntil([&] {
    t = QueryTransport(main);
    return t.Active() && t.Playing() && t.Entry() == entry;
  }, 15000);
  return t;
}

LRESULT QueryWindows(HWND main) { return Ask(main, WM_QUERYWINDOWS); }

int QuerySeekBar(HWND main) { return int(Ask(main, WM_QUERYPOSITION)); }

LRESULT PlaylistCountAfterStart(HWND main) {
  LRESULT count = -1;
  WaitUntil([&] { return (count = Ask(main, WM_QUERYPLAYLISTCOUNT)) >= 0; });
  return count;
}

LRESULT SelectedTreeItem(HWND window) {
  HWND tree = nullptr;
  EnumChildWindows(window, FindTree, reinterpret_cast<LPARAM>(&tree));
  return tree ? SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0) : 0;
}

bool MakeForeground(HWND window) {
  SetForegroundWindow(window);
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return WaitUntil([&] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) && info.hwndActive == window &&
           (info.hwndFocus == window || IsChild(window, info.hwndFocus));
  });
}

void PressKey(WORD key, std::initializer_list<WORD> modifiers) {
  for (WORD m : modifiers) KeyEvent(m, false);
  KeyEvent(key, false);
  KeyEvent(key, true);
  for (WORD m : modifiers) KeyEvent(m, true);
}

bool TypeOnTheDisplay(const char* keys) {
  // Wine starts a program of the host from its Unix path; its process is
  // not one the platform can wait for, hence the fixed time.
  std::wstring command = L"Z:\\usr\\bin\\xdotool key --delay 30 ";
  for (const char* k = keys; *k; ++k) command += wchar_t(*k);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  Sleep(300);
  return true;
}

void ClickAt(int x, int y) {
  SetCursorPos(x, y);
  MouseEvent(MOUSEEVENTF_MOVE);
  MouseEvent(MOUSEEVENTF_LEFTDOWN);
  MouseEvent(MOUSEEVENTF_LEFTUP);
}

void ClickCentre(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  ClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

HWND OpenPopupMenu(HWND main, DWORD pid) {
  RECT r{};
  GetWindowRect(main, &r);
  PostMessageW(main, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main), MAKELPARAM(r.left + 40, r.top + 40));
  return WaitForWindow(L"#32768", pid, 10000, true);
}

HWND EnterNestedLoop(const NestedLoop& loop, HWND main, DWORD pid) {
  return loop.menu ? OpenPopupMenu(main, pid) : WaitForWindow(L"TfrmMessage", pid, 30000, true);
}

}  // namespace lctest
