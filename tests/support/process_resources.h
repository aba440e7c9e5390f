// What a running process holds at one moment, as another process (or the
// process itself) reads it under Wine or Windows: its threads (toolhelp
// snapshot), its handles by object type (the system's handle list, each
// handle's type read through a copy), its private memory and the private
// memory committed in its address space; and what it keeps, seen at two
// such moments a little apart.
#pragma once

#include <map>
#include <set>
#include <string>

#include <windows.h>

namespace lctest {

struct ProcessResources {
  int threads = 0;
  std::map<std::wstring, int> handles;  // by object type ("Event", "Key"...)
  // A handle closed between the list and its copy is "(not copied)".
  // All the process's private memory (under Wine: its anonymous resident
  // memory, Wine's own Unix libraries' heaps included).
  double privateMB = 0;
  // What is committed as private in its Windows address space: the heaps
  // (the program's own, its task memory and the system libraries'),
  // stacks, bitmaps and whatever else was allocated through the system.
  // Under Wine the heaps of Wine's Unix libraries (the media stack's
  // GStreamer, the display's and sound's libraries) are not in it.
  double committedMB = 0;
  // The threads by id and the handles by value with their types.
  std::set<DWORD> threadIds;
  std::map<ULONG_PTR, std::wstring> handleTypes;
  // Of a kept measurement (MeasureKept): the threads and handles one of its
  // two moments saw and the other did not.
  int passing = 0;

  int Handles(const wchar_t* type) const;
  // The handles of every type but the given two, as "Type count; " text.
  std::string HandlesBut(const wchar_t* first, const wchar_t* second) const;
};

// `process` is opened with PROCESS_QUERY_INFORMATION, PROCESS_VM_READ and
// PROCESS_DUP_HANDLE (or is GetCurrentProcess()).
ProcessResources MeasureProcess(DWORD pid, HANDLE process);

// What the process keeps: the threads and the handles (of the same type)
// that two measurements settleMs apart both saw, its memory at the
// second. A thread or handle that comes and goes meanwhile, such as the
// event the platform's file reader makes for every read of a playing
// movie and closes at once, is counted as passing only.
ProcessResources MeasureKept(DWORD pid, HANDLE process, DWORD settleMs);

}  // namespace lctest
