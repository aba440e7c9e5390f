#include "tests/support/process.h"

#include <cstdlib>

namespace lctest {

std::wstring WindowsPath(const std::string& path) {
  std::wstring out;
  if (!path.empty() && path[0] == '/') out = L"Z:";
  for (char c : path) out += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

void Pump(DWORD ms) {
  const DWORD start = GetTickCount();
  do {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(5);
  } while (GetTickCount() - start < ms);
}

std::wstring MediaPath(const char* name) {
  const char* dir = std::getenv("LC_TEST_MEDIA");
  return WindowsPath(std::string(dir ? dir : ".") + "/" + name);
}

ChildProcess::ChildProcess(const std::wstring& exe, const std::wstring& args) {
  std::wstring cmd = L"\"" + exe + L"\" " + args;
  STARTUPINFOW si = {};
  si.cb = sizeof si;
  if (!CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &info_))
    info_ = {};
}

ChildProcess::~ChildProcess() {
  if (!info_.hProcess) return;
  if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
    TerminateProcess(info_.hProcess, 255);
    WaitForSingleObject(info_.hProcess, 5000);
  }
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

DWORD ChildProcess::Wait(DWORD ms) {
  if (!info_.hProcess || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

namespace {
struct FindData {
  const wchar_t* className;
  DWORD pid;
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND wnd, LPARAM lp) {
  auto* data = reinterpret_cast<FindData*>(lp);
  wchar_t cls[256];
  DWORD owner = 0;
  GetWindowThreadProcessId(wnd, &owner);
  if (GetClassNameW(wnd, cls, 256) && wcscmp(cls, data->className) == 0 && (data->pid == 0 || owner == data->pid) &&
      (!data->visibleOnly || IsWindowVisible(wnd))) {
    data->found = wnd;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND WaitForWindow(const wchar_t* className, DWORD pid, DWORD ms, bool visibleOnly) {
  DWORD start = GetTickCount();
  do {
    FindData data{className, pid, visibleOnly, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&data));
    if (data.found) return data.found;
    Sleep(50);
  } while (GetTickCount() - start < ms);
  return nullptr;
}

}  // namespace lctest
