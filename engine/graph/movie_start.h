// Where a movie's picture starts in its own time stamps, read from the
// file. An MP4 (ISO media: .mp4, .m4v, .mov, .3gp) keeps every sample's
// media time and an edit list that places the media on the movie's time
// line: a movie of H.264 with B-frames begins its media a few frames in
// (the decoder's reordering delay), and the list's first edit starts
// there. A parser that hands out the media times without applying the
// list gives the first picture that time instead of 0; the movie time of
// a picture is its media time less the start read here. No platform
// header: the file is read through a function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// Reads Size bytes at Offset into Buffer; false when the file has fewer.
using TReadAt = std::function<bool(std::uint64_t Offset, void* Buffer, std::size_t Size)>;

// The media time (100-ns units) at which the first video track of an ISO
// media file of FileSize bytes starts on the movie's time line: its first
// edit's media time, less the empty edits before it (a track that starts
// later), rounded to 100 ns. 0 for a file that is not ISO media, has no
// video track or no edit list, and for any box that does not fit its
// parent or the file.
std::int64_t IsoMediaPictureStart(const TReadAt& Read, std::uint64_t FileSize);
