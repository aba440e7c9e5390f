// How long an MP4 written in fragments is. Such a file's movie box lists
// its tracks with empty sample tables and tells no length; the samples
// come in fragments of each track after it. A parser that takes the
// length from the fragments' random-access index ends the movie where its
// last fragment starts. No platform header: the file is read through a
// function.
#pragma once

#include <cstdint>

#include "engine/graph/read_at.h"

// Where the samples of an ISO media file written in movie fragments (a
// movie box with empty tables, then fragments of each track's samples)
// end, in the media times they are stamped with (100-ns units): the latest
// end of a sample of any track (its decode time, composition offset and
// duration), each fragment starting at its own decode time or where the
// track's previous one ended. The file's movie box tells no length, and a
// parser that takes it from the fragments' random-access index ends the
// movie where its last fragment starts. 0 for a file without fragments;
// the end of the fragments read so far when a box does not fit.
std::int64_t IsoMediaFragmentsEnd(const TReadAt& Read, std::uint64_t FileSize);

