#pragma once

#include <span>

#include "kit/kit_rect.h"

// One monitor of the screen as the kit sees it (portable; the platform side
// fills the list in kit/window_drag.h).
struct TMonitorEntry {
  const void* Handle = nullptr;  // the platform's monitor handle
  TKitRect Bounds;
  TKitRect WorkArea;
  bool Primary = false;
};

// Index in Monitors of the entry whose handle is Wanted; when none matches,
// the primary monitor's index (the first entry when none is marked primary);
// -1 for an empty list.
int FindMonitorIndex(const void* Wanted, std::span<const TMonitorEntry> Monitors);
