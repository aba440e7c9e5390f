// Which playlist entry plays next: after a movie ended, after an entry
// failed to open while the list advanced by itself, and for the Next and
// Previous commands, in sequence or in shuffle mode, with the repeat mode.
// Shuffle mode draws from the list's pool and walks back its history (the
// playlist model keeps both). Plain C++ over the playlist model.
#pragma once

#include "playlist/playlist.h"

namespace lc {

enum class EntryStep {
  MovieEnded,    // the pulse, at the end of a movie: wraps with repeat all
  RenderFailed,  // the pulse, after a failed opening: never wraps in sequence
  Next,          // the Next command
  Previous,      // the Previous command
};

// RepeatMode: 0 off, 1 repeat one, 2 repeat all.
enum : int { kRepeatOff = 0, kRepeatOne = 1, kRepeatAll = 2 };

// The index of the entry to play, or -1 for none. Shuffle mode may change
// the pool and history (stale paths dropped, a new round begun, the history
// cut back).
int ChooseEntry(playlist::Playlist& List, bool Shuffle, int RepeatMode, EntryStep Step);

}  // namespace lc
