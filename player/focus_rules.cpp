#include "player/focus_rules.h"

#include <algorithm>

namespace lc {

TPoint PullIntoArea(TPoint P, TSize Client, const TRect& A) {
  return {std::max(std::min(P.X, A.Left + A.Width() - Client.cx), A.Left),
          std::max(std::min(P.Y, A.Top + A.Height() - Client.cy), A.Top)};
}

TPoint KeepTenthInside(TPoint P, TSize Window, const TRect& A) {
  return {std::max(std::min(P.X, A.Left + 9 * A.Width() / 10), A.Left + A.Width() / 10 - Window.cx),
          std::max(std::min(P.Y, A.Top + 9 * A.Height() / 10), A.Top + A.Height() / 10 - Window.cy)};
}

namespace {

bool CanTakeKeys(const KeyboardWindow& W) { return W.Showing && W.Enabled && !W.Leaving; }

}  // namespace

int KeyboardHeir(std::span<const KeyboardWindow> Windows, int Preferred) {
  const int Count = static_cast<int>(Windows.size());
  if (Preferred >= 0 && Preferred < Count && CanTakeKeys(Windows[Preferred]) && !Windows[Preferred].Behind)
    return Preferred;
  int Parked = -1;
  for (int I = 0; I < Count; ++I) {
    if (!CanTakeKeys(Windows[I])) continue;
    if (!Windows[I].Behind) return I;
    if (Parked < 0) Parked = I;
  }
  return Parked;
}

}  // namespace lc
