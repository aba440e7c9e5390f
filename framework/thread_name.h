// Names the calling thread where the system keeps thread names (Windows 10
// and later; Wine passes the name on to the host, where a process viewer
// and the playback benchmark read it). Elsewhere it does nothing. Any
// thread; the function is looked up once per process.
#pragma once

#include <windows.h>

inline void NameCurrentThread(const wchar_t* Name) {
  using TSetThreadDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  static const TSetThreadDescription Set = reinterpret_cast<TSetThreadDescription>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
  if (Set) Set(GetCurrentThread(), Name);
}

// Names the calling thread once: later calls on the same thread do nothing.
inline void NameCurrentThreadOnce(const wchar_t* Name) {
  thread_local bool Named = false;
  if (Named) return;
  Named = true;
  NameCurrentThread(Name);
}
