#include "framework/timer.h"

#include <unordered_map>

#include "framework/application.h"

namespace {

// Never freed: timers of program-wide objects are destroyed during static
// destruction, after function-local statics would be gone.
std::unordered_map<UINT_PTR, TTimer*>& Timers() {
  static auto* Map = new std::unordered_map<UINT_PTR, TTimer*>;
  return *Map;
}

}  // namespace

TTimer::TTimer() { Update(); }

TTimer::~TTimer() {
  FEnabled = false;
  Update();
}

void TTimer::SetEnabled(bool Enabled) {
  if (Enabled == FEnabled) return;
  FEnabled = Enabled;
  Update();
}

void TTimer::SetInterval(unsigned Milliseconds) {
  if (Milliseconds == FInterval) return;
  FInterval = Milliseconds;
  Update();
}

// Stops the platform timer and starts a new one when the timer should run.
void TTimer::Update() {
  if (FId) {
    KillTimer(nullptr, FId);
    Timers().erase(FId);
    FId = 0;
  }
  if (FEnabled && FInterval > 0) {
    FId = SetTimer(nullptr, 0, FInterval, &TimerProc);
    if (FId) Timers()[FId] = this;
  }
}

void CALLBACK TTimer::TimerProc(HWND, UINT, UINT_PTR Id, DWORD) {
  auto It = Timers().find(Id);
  if (It == Timers().end()) return;
  TTimer* Timer = It->second;
  try {
    if (Timer->OnTimer) Timer->OnTimer(Timer);
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
}
