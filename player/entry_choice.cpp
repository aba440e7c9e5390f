#include "player/entry_choice.h"

namespace lc {

namespace {

int Sequential(int Index, int Count, int RepeatMode, EntryStep Step) {
  const bool RepeatAll = RepeatMode == kRepeatAll;
  switch (Step) {
    case EntryStep::MovieEnded:
    case EntryStep::RenderFailed:
      if (Index < 0) return -1;
      if (Index + 1 < Count) return Index + 1;
      return Step == EntryStep::MovieEnded && RepeatAll && Count > 0 ? 0 : -1;
    case EntryStep::Next:
      if (Index < -1) return -1;
      if (Index < Count - 1) return Index + 1;
      return RepeatAll && Count > 0 ? 0 : -1;
    case EntryStep::Previous:
      if (Count < Index) return -1;
      if (Index > 0) return Index - 1;
      return RepeatAll && Count > 0 ? Count - 1 : -1;
  }
  return -1;
}

}  // namespace

int ChooseEntry(playlist::Playlist& List, bool Shuffle, int RepeatMode, EntryStep Step) {
  if (!Shuffle) return Sequential(List.Entries().PlaylistIndex, List.Count(), RepeatMode, Step);
  if (Step == EntryStep::Previous) return List.PickShufflePrevious();
  if (!List.Entries().ShufflePool.empty()) {
    const int Index = List.PickShuffleNext();
    // The command draws from the pool it found; the pulse goes on to a new
    // round when only stale paths were left.
    if (Index >= 0 || Step == EntryStep::Next) return Index;
  }
  return RepeatMode == kRepeatAll ? List.RestartShuffleRound() : -1;
}

}  // namespace lc
