#include "kit/monitor_list.h"

int FindMonitorIndex(const void* Wanted, std::span<const TMonitorKey> Monitors) {
  if (Monitors.empty()) return -1;
  int Primary = 0;
  bool PrimarySeen = false;
  for (std::size_t I = 0; I < Monitors.size(); ++I) {
    if (Monitors[I].Handle == Wanted) return static_cast<int>(I);
    if (Monitors[I].Primary && !PrimarySeen) {
      Primary = static_cast<int>(I);
      PrimarySeen = true;
    }
  }
  return Primary;
}
