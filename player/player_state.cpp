#include "player/player_state.h"

#include <algorithm>

namespace lc {

PlayerState& Player() {
  static PlayerState state;
  return state;
}

void RaiseRmsChangeScore(PlayerState& State, bool GraphActive) {
  if (GraphActive) State.RmsChangeScore = std::min(10000, State.RmsChangeScore + 5000);
}

}  // namespace lc
