// How long an AVI's streams are, read from their stream headers. A
// parser that stops every stream where the first one (the picture) ends
// cuts a longer sound; the longest stream's end, known before playing,
// lets each stream play to its own. No platform header: the file is read
// through a function.
#pragma once

#include <cstdint>

#include "engine/graph/read_at.h"

// The latest end of an AVI's streams in 100-ns units: for each stream
// header (strh) of the file's header list, its start and length (dwStart
// + dwLength) in units of dwScale / dwRate seconds, rounded. A stream
// tells nothing when its scale or rate is 0, or when it claims more than
// the file holds: more frames or chunks than chunk headers (8 bytes each)
// fit in the file, or, for a stream of samples of a fixed size, more of
// them than fit. 0 for a file that is not an AVI or none of whose streams
// tells.
std::int64_t AviStreamsEnd(const TReadAt& Read, std::uint64_t FileSize);
