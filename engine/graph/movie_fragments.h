// How long an MP4 written in fragments is. Such a file's movie box lists
// its tracks with empty sample tables and tells no length; the samples
// come in fragments of each track after it. A parser that takes the
// length from the fragments' random-access index ends the movie where its
// last fragment starts. No platform header: the file is read through a
// function.
#pragma once

#include <cstdint>

#include "engine/graph/read_at.h"

// The reads (of a page each) the walk over a fragmented MP4's top level
// may make at a movie's opening, on the GUI thread; where they do not
// reach the file's end, the walk goes on on a thread of its own.
constexpr int kOpeningWalkReads = 64;

// What the fragments of an ISO media file tell of its end.
struct TFragmentsEnd {
  // 100-ns units; 0 where nothing tells (the platform's own length).
  std::int64_t End = 0;
  // End is where the samples end; false when the walk over the file's top
  // level stopped after the reads it was given, and End is an estimate:
  // where the fragments walked end, grown in proportion to the file's size
  // (never less than the time they hold).
  bool Whole = true;
};

// Where the samples of an ISO media file written in movie fragments end,
// in the media times they are stamped with (100-ns units): the latest end
// of a sample of any track (its decode time, composition offset and
// duration), each fragment starting at its own decode time or where the
// track's previous one ended (the file's first at 0).
//
// It reads only what the end needs: the fragments from the latest ones
// the random-access index at the file's end lists (mfra) to the end, from
// the last back until each track's last fragment is placed in time.
// Without an index, or where those do not tell (fragments without their
// decode times, an index that does not fit or lists no fragment box), the
// boxes on the file's top level are walked from the start and the
// fragments read from the last back, as far as need be. A walk over the
// top level goes to the file's end, a box at least 8 bytes on, unless
// MostReads (more than 0) bounds the reads it makes (a page of the file
// each); reading the fragments walked then takes a read for each at most.
//
// A fragment is believed only whole: every box fits its parent, and its
// runs' samples, a byte each at least, lie in the fragment's data box
// (or the file, for data elsewhere). A broken fragment and those after it
// are not read: the end is where the fragments before it end, 0 (the
// platform's own length) where none is left. 0 for a file without
// fragments.
TFragmentsEnd IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize, int MostReads = 0);
