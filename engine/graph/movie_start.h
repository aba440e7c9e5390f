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
// key frame with its place in the file stamps it early (AviKeyFrames).
// No platform header: the file is read through a function.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/graph/read_at.h"
#include "engine/video/key_frames.h"

// The media time (100-ns units) at which the first video track of an ISO
// media file of FileSize bytes starts on the movie's time line: its first
// edit's media time, less the empty edits before it (a track that starts
// later), rounded to 100 ns. 0 for a file that is not ISO media, has no
// video track or no edit list, and for any box that does not fit its
// parent or the file.
std::int64_t IsoMediaPictureStart(const TReadAt& Read, std::uint64_t FileSize);

// Where the key frames of an AVI's MPEG-4 part 2 video lie and how many
// B-frames are stored right behind each (TKeyFrame), from the index the
// platform's parser seeks by: the video stream's OpenDML index, or the
// legacy index when the main header says it is to be used. A file without
// an index the parser uses (a partial download, whose index at its end is
// missing) is read by the parser chunk by chunk: its seeks begin at any
// picture and its pictures are stamped in their place; so it is when no
// key frame is listed.
struct TAviKeyFrames {
  bool Mpeg4 = false;    // an AVI whose first video stream is MPEG-4 part 2: the rest tells
  bool Indexed = false;  // seeks begin at the key frames below
  std::vector<TKeyFrame> KeyFrames;  // in the order of their places
};
// Nothing for other video and other files. The B-frames behind a key
// frame are known from the first bytes of the chunks after it.
TAviKeyFrames AviKeyFrames(const TReadAt& Read, std::uint64_t FileSize);
