// Where a movie's picture starts in its own time stamps, read from the
// file. An MP4 (ISO media: .mp4, .m4v, .mov, .3gp) keeps every sample's
// media time and an edit list that places the media on the movie's time
// line: a movie of H.264 with B-frames begins its media a few frames in
// (the decoder's reordering delay), and the list's first edit starts
// there. A parser that hands out the media times without applying the
// list gives the first picture that time instead of 0; the movie time of
// a picture is its media time less the start read here. An AVI of
// MPEG-4 part 2 with B-frames stored unpacked keeps each anchor frame in
// the file ahead of the B-frames shown before it: a parser that stamps a
// key frame with its place in the file stamps it that many frames early
// (KeyFrameLead). No platform header: the file is read through a
// function.
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

// How far ahead of their time the key frames of an AVI's MPEG-4 part 2
// video are stored: Frames, the longest run of B-frames (each in a chunk
// of its own) among the first video chunks, for every key frame from
// frame FromFrame on (the second key frame, shown after the B-frames
// stored behind it; the first is in its place). Frames 0 for B-frames
// packed into the chunk of the anchor before them (a chunk of more than
// one picture), for video without B-frames, other video and other files.
struct TKeyFrameLead {
  int Frames = 0;
  int FromFrame = 0;
};
TKeyFrameLead AviKeyFrameLead(const TReadAt& Read, std::uint64_t FileSize);
