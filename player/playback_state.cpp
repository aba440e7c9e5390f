#include "player/playback_state.h"

namespace lc {

PlaybackState& Playback() {
  static PlaybackState State;
  return State;
}

}  // namespace lc
