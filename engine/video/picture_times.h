// The times at which a stream's pictures are shown, kept moving forward.
//
// A decoder that reorders pictures (B-frames) hands them out in the order
// they are shown, each with a time stamp. Some stamps slip back: in an AVI
// file whose B-frames are stored unpacked, each key frame sits in the file
// before the B-frames shown ahead of it, and the platform stamps it with
// the time of its place in the file (two frames early with two B-frames)
// and counts the pictures after it on from there. Playing on from a
// picture stamped right, the slip shows as a repeated stamp (the decoder
// does not let its stamps go back); a stream started by a seek elsewhere
// than at the start begins at such a key frame and is early from its
// first picture, with nothing to show it. So a picture whose stamp is at
// or before the previous one's is taken one frame after it, and that slip
// is added to every later stamp, in later streams too (NewStream), except
// in a stream that begins at the movie's first key frame (from the start,
// or sought to a place before the second key frame: the file tells where,
// engine/graph/movie_start.h), which is in its place. A stream that goes back half a second or more has started over
// and adds no slip; stamps that move forward keep their distance. Plain
// C++; used from one thread.
#pragma once

#include <cstdint>

class TPictureTimes {
 public:
  // The time at which to show a picture stamped Start .. Stop (100-ns
  // units, Stop <= Start when the picture has no stop time).
  std::int64_t Next(std::int64_t Start, std::int64_t Stop);
  // A new stream of the same decoder begins (a seek, a stop): the slip
  // learnt so far stays, unless the stream begins at the movie's first
  // key frame.
  void NewStream(bool AtFirstKeyFrame) {
    HaveLast_ = false;
    if (AtFirstKeyFrame) Slip_ = 0;
  }
  // Another decoder: nothing learnt stays.
  void Reset() { *this = TPictureTimes(); }

 private:
  bool HaveLast_ = false;
  std::int64_t Last_ = 0;          // the previous picture's time
  std::int64_t LastDuration_ = 0;  // and how long it is shown
  std::int64_t Slip_ = 0;          // added to every stamp
};
