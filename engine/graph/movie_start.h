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
// key frame with its place in the file stamps it early
// (AviKeyFrameLead). No platform header: the file is read through a
// function.
#pragma once

#include <cstdint>

#include "engine/graph/read_at.h"

// The media time (100-ns units) at which the first video track of an ISO
// media file of FileSize bytes starts on the movie's time line: its first
// edit's media time, less the empty edits before it (a track that starts
// later), rounded to 100 ns. 0 for a file that is not ISO media, has no
// video track or no edit list, and for any box that does not fit its
// parent or the file.
std::int64_t IsoMediaPictureStart(const TReadAt& Read, std::uint64_t FileSize);

// What an AVI's MPEG-4 part 2 video tells of the time stamps the
// platform's parser and decoder give its pictures, read from the video
// chunks in the order the file stores them (one picture each, an empty
// one a picture dropped, or a P-frame and the B-frame shown before it
// packed into one) as far as the second key frame and the B-frames
// stored right behind it. Those B-frames (Run) are shown before the key
// frame, which is thus stored Run frames ahead of its time; in a closed
// group of pictures the frame before each key frame is a P-frame, and
// nothing is stored behind it. Once the platform's decoder has read such
// a key frame after the first of a stream, it stamps the key frames with
// their place in the file (held back to the previous picture's stamp,
// which it repeats) and the pictures after them on from there: played
// on, the stamps fall back one frame at each later key frame until they
// run Frames early; a stream begun by a seek at a later key frame is
// Frames early from its first picture. A stream begun at the first key
// frame, and every stream before the decoder read such a key frame, is
// stamped in its place at first. A single B-frame behind a key frame
// (Run 1) and packed B-frames leave every stamp in its place but the key
// frames', each repeating the previous picture's (Frames 0).
struct TKeyFrameLead {
  bool Known = false;  // the second key frame read, or packed B-frames
  int Run = 0;         // B-frames stored right behind the second key frame
  int Frames = 0;      // how many frames early a stream begun at a later key frame is stamped
  int SecondKey = 0;   // the second key frame's place among the video chunks (empty ones counted)
  int Interval = 0;    // pictures shown from the first key frame to the second, and so on
};
// Nothing known for other video and other files, where the first video
// chunk cannot be read, or where no second key frame is among the first
// 2048 video chunks.
TKeyFrameLead AviKeyFrameLead(const TReadAt& Read, std::uint64_t FileSize);
