// What a running process holds at one moment, as another process (or the
// process itself) reads it under Wine or Windows: its threads (toolhelp
// snapshot), its handles by object type (the system's handle list, each
// handle's type read through a copy), its private memory and the private
// memory committed in its address space.
#pragma once

#include <map>
#include <string>

#include <windows.h>

namespace lctest {

struct ProcessResources {
  int threads = 0;
  std::map<std::wstring, int> handles;  // by object type ("Event", "Key"...)
  // All the process's private memory (under Wine: its anonymous resident
  // memory, Wine's own Unix libraries' heaps included).
  double privateMB = 0;
  // What is committed as private in its Windows address space: the heaps
  // (the program's own, its task memory and the system libraries'),
  // stacks, bitmaps and whatever else was allocated through the system.
  // Under Wine the heaps of Wine's Unix libraries (the media stack's
  // GStreamer, the display's and sound's libraries) are not in it.
  double committedMB = 0;

  int Handles(const wchar_t* type) const;
  // The handles of every type but the given two, as "Type count; " text.
  std::string HandlesBut(const wchar_t* first, const wchar_t* second) const;
};

// `process` is opened with PROCESS_QUERY_INFORMATION, PROCESS_VM_READ and
// PROCESS_DUP_HANDLE (or is GetCurrentProcess()).
ProcessResources MeasureProcess(DWORD pid, HANDLE process);

}  // namespace lctest
