// The open movie's position and duration through the video window's
// graph (its seeking, in 100-ns units). Nothing without an active graph.
// GUI thread only.
#pragma once

#include <optional>

namespace lc {

// A movie is open: the video window's graph is active.
bool MovieActive();
// The position of the picture on show where the video control draws it,
// else the graph's current position.
std::optional<long long> MoviePosition();
std::optional<long long> MovieDuration();
// Sets the current position (the stop position stays); false without a
// graph or when the graph refused.
bool SeekMovie(long long PositionRef);

}  // namespace lc
