#include "player/player_state.h"

#include <algorithm>

namespace lc {

PlayerState& Player() {
  static PlayerState state;
  return state;
}

void RestoreMovieModeValues(PlayerState& State, settings::SettingsStore& Settings) {
  const MovieModeSavedValues& Saved = State.MovieModeSaved;
  Settings.PanScanValue = Saved.PanScan;
  State.ImageOffsetX = Saved.OffsetX;
  State.ImageOffsetY = Saved.OffsetY;
  Settings.AverageVerticalDisplayZone = Saved.SubtitleZone;
}

void RaiseRmsChangeScore(PlayerState& State, bool GraphActive) {
  if (GraphActive) State.RmsChangeScore = std::min(10000, State.RmsChangeScore + 5000);
}

}  // namespace lc
