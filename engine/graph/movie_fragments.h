// How long an MP4 written in fragments is. Such a file's movie box lists
// its tracks with empty sample tables and tells no length; the samples
// come in fragments of each track after it. A parser that takes the
// length from the fragments' random-access index ends the movie where its
// last fragment starts. No platform header: the file is read through a
// function.
#pragma once

#include <cstdint>

#include "engine/graph/read_at.h"

// Where the samples of an ISO media file written in movie fragments end,
// in the media times they are stamped with (100-ns units): the latest end
// of a sample of any track (its decode time, composition offset and
// duration), each fragment starting at its own decode time or where the
// track's previous one ended (the file's first at 0).
//
// Called on the GUI thread at every opening, it reads only what the end
// needs: the fragments from the latest ones the random-access index at
// the file's end lists (mfra) to the end, from the last back until each
// track's last fragment is placed in time. Without an index, or where
// those do not tell (fragments without their decode times, an index that
// does not fit or lists no fragment box), the boxes on the file's top
// level are walked from the start and the fragments read from the last
// back, as far as need be.
//
// A fragment is believed only whole: every box fits its parent, and its
// runs' samples, a byte each at least, lie in the fragment's data box
// (or the file, for data elsewhere). A broken fragment and those after it
// are not read: the end is where the fragments before it end, 0 (the
// platform's own length) where none is left. 0 for a file without
// fragments.
std::int64_t IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize);
