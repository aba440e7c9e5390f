#include "player/subtitle_state.h"

namespace lc {

SubtitleState& Subtitles() {
  static SubtitleState state;
  return state;
}

}  // namespace lc
