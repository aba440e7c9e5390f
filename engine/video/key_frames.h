// Where a movie's key frames lie, as the file's index lists them: what the
// reader of an AVI's MPEG-4 part 2 video finds (engine/graph/movie_start.h)
// and what the picture times are moved back onto their frames by
// (engine/video/picture_times.h).
#pragma once

// A key frame: its place among the video's chunks (the first is 0; an
// empty chunk, a picture dropped, counts as a picture), and how many
// B-frames are stored right behind it, which are shown before it: it is
// shown Run pictures after its place.
struct TKeyFrame {
  int Place = 0;
  int Run = 0;
  bool operator==(const TKeyFrame&) const = default;
};
