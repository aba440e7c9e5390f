#include "tests/support/player_queries.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <commctrl.h>

#include "tests/support/process.h"
#include "tests/support/program_copy.h"

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
    return t.Active() && t.Playing() && !t.Opening() && t.Entry() == entry;
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

namespace {

// Starts a program of the host from its Unix path (Wine runs it as it is);
// its process is not one the platform can wait for.
bool StartHostProgram(std::wstring command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    return false;
  // Wine gives no process handle for a program of the host and may leave
  // its thread handle holding a number that is one of this process's own
  // handles (stdout's, which closed, lost the test's output): the handles
  // are closed only when they are the started process's.
  if (process.hProcess) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  return true;
}

}  // namespace

bool TypeOnTheDisplay(const char* keys) {
  std::wstring command = L"Z:\\usr\\bin\\timeout 20 /usr/bin/xdotool key --delay 30 ";
  for (const char* k = keys; *k; ++k) command += wchar_t(*k);
  if (!StartHostProgram(command)) return false;
  Sleep(300);
  return true;
}

bool HoldOnTheDisplay(const char* key, int ms) {
  char seconds[16];
  std::snprintf(seconds, sizeof seconds, "%d.%03d", ms / 1000, ms % 1000);
  const std::string script =
      std::string("/usr/bin/xdotool keydown ") + key + "; sleep " + seconds + "; /usr/bin/xdotool keyup " + key;
  std::wstring command = L"Z:\\usr\\bin\\timeout 60 /bin/sh -c \"";
  for (char c : script) command += wchar_t(c);
  return StartHostProgram(command + L"\"");
}

bool FocusOnTheDisplay(const char* name) {
  std::wstring command = L"Z:\\usr\\bin\\timeout 20 /usr/bin/xdotool search --name ^";
  for (const char* c = name; *c; ++c) command += wchar_t(*c);
  if (!StartHostProgram(command + L"$ windowfocus")) return false;
  Sleep(300);
  return true;
}

DisplayFocusRecord::DisplayFocusRecord(int ms)
    : path_("/tmp/lc-display-focus-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount64())) {
  // The root window's number first, then the focus window's number until
  // the time is up, then "end".
  const std::string script = "r=$(xwininfo -root -int | awk '/Window id/{print $4}'); echo $r; e=$(( $(date +%s%N) / 1000000 + " +
                             std::to_string(ms) +
                             " )); while [ $(( $(date +%s%N) / 1000000 )) -lt $e ]; do xdotool getwindowfocus -f 2>/dev/null || echo 0; done; echo end";
  std::wstring command = L"Z:\\bin\\sh -c \"";
  for (char c : "{ " + script + "; } > " + path_) command += wchar_t(c);
  started_ = StartHostProgram(command + L"\"");
}

DisplayFocusRecord::~DisplayFocusRecord() { DeleteFileW(WindowsPath().c_str()); }

std::wstring DisplayFocusRecord::WindowsPath() const {
  std::wstring path = L"Z:";
  for (char c : path_) path += c == '/' ? L'\\' : wchar_t(c);
  return path;
}

std::vector<std::string> DisplayFocusRecord::Readings(std::string& root) const {
  if (!started_) return {};
  std::vector<std::string> lines;
  const bool ended = WaitUntil([&] {
    lines.clear();
    std::ifstream in{std::filesystem::path(WindowsPath())};
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return !lines.empty() && lines.back() == "end";
  });
  if (!ended || lines.size() < 2) return {};
  root = lines.front();
  return {lines.begin() + 1, lines.end() - 1};
}

int DisplayFocusRecord::KeyboardWithNobody() const {
  std::string root;
  int nobody = 0;
  bool held = false;
  for (const std::string& reading : Readings(root)) {
    const bool none = reading == "0" || reading == "1" || reading == root;
    if (!none) held = true;
    else if (held) ++nobody;
  }
  return held ? nobody : -1;
}

int DisplayFocusRecord::KeyboardMoves() const {
  std::string root;
  const std::vector<std::string> readings = Readings(root);
  if (readings.empty()) return -1;
  int moves = 0;
  for (size_t i = 1; i < readings.size(); ++i)
    if (readings[i] != readings[i - 1]) ++moves;
  return moves;
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

std::string ReadAndCloseMessageBox(DWORD pid, DWORD ms) {
  HWND box = WaitForWindow(L"TfrmMessage", pid, ms, true);
  HWND main = WaitForWindow(L"TfrmMain", pid, 0);
  if (!box || !main) return {};
  const std::string text = QueryFace(main)["MessageBox"];
  PostMessageW(box, WM_CLOSE, 0, 0);
  // Gone before the next one is looked for.
  WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, ms);
  return text;
}

}  // namespace lctest
