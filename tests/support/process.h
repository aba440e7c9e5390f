// Helpers for tests that start a program of this project under Wine.
#pragma once

#include <string>

#include <windows.h>

namespace lctest {

// Converts a Unix path ("/work/x") to the Windows path Wine maps it to
// ("Z:\work\x"); a path that is already a Windows path is returned as is.
std::wstring WindowsPath(const std::string& path);

// Dispatches the thread's messages for about `ms` milliseconds.
void Pump(DWORD ms);

// The generated test media file `name` (from LC_TEST_MEDIA).
std::wstring MediaPath(const char* name);

// A started process that is ended (and waited for) when the object goes.
class ChildProcess {
 public:
  ChildProcess(const std::wstring& exe, const std::wstring& args);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool Started() const { return info_.hProcess != nullptr; }
  DWORD Id() const { return info_.dwProcessId; }
  // Waits up to `ms` for the process to end; returns its exit code, or
  // STILL_ACTIVE when it is still running.
  DWORD Wait(DWORD ms);

 private:
  PROCESS_INFORMATION info_ = {};
};

// Polls for a top-level window of `className` owned by process `pid`
// (any process when pid is 0), a visible one with `visibleOnly`, for up to
// `ms`; returns it or nullptr.
HWND WaitForWindow(const wchar_t* className, DWORD pid, DWORD ms, bool visibleOnly = false);

}  // namespace lctest
