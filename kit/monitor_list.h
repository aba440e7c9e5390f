#pragma once

#include <span>

// What the monitor lookup needs to know of one monitor of the screen's list.
struct TMonitorKey {
  const void* Handle = nullptr;  // the platform's monitor handle
  bool Primary = false;
};

// Index in Monitors of the entry whose handle is Wanted; when none matches,
// the primary monitor's index (the first entry when none is marked primary);
// -1 for an empty list.
int FindMonitorIndex(const void* Wanted, std::span<const TMonitorKey> Monitors);
