// The times at which a stream's pictures are shown, kept moving forward.
//
// A decoder that reorders pictures (B-frames) hands them out in the order
// they are shown, each with a time stamp. Some stamps slip back: in an AVI
// file whose B-frames are stored unpacked, each key frame sits in the file
// before the B-frames shown ahead of it, and the platform's decoder, once
// it has read a key frame after the first of a stream, stamps later key
// frames with the time of their place in the file and counts the
// pictures after them on from there. Playing on from a picture stamped
// right, the slip shows as a repeated stamp (the decoder does not let its
// stamps go back), one frame more at each key frame; a stream begun by a
// seek elsewhere than at the movie's first key frame, once the decoder
// has read such a key frame, is early from its first picture by the whole
// slip, with nothing to show it. So a picture whose stamp is at or before
// the previous one's is taken one frame after it, and that slip is added
// to every later stamp. What the file tells (engine/graph/movie_start.h)
// bounds it: no stamp slips further than a stream begun at a later key
// frame, which starts with that slip once the decoder has read its
// second key frame (a repeated stamp, or a stream from the first key
// frame that has come as far); one begun at the first key frame starts
// with none. Where the file tells nothing, the slip learnt is kept for
// later streams of the decoder, except one that begins at the first key
// frame. A stream that goes back half a second or more has started over
// and adds no slip; stamps that move forward keep their distance. Plain
// C++; used from one thread.
#pragma once

#include <cstdint>
#include <optional>

class TPictureTimes {
 public:
  // The time at which to show a picture stamped Start .. Stop (100-ns
  // units, Stop <= Start when the picture has no stop time).
  std::int64_t Next(std::int64_t Start, std::int64_t Stop);
  // What the file tells of the decoder's stamps (100-ns units): how far
  // the pictures of a stream begun at a later key frame are stamped early
  // once the decoder has read a key frame after the first of a stream
  // (and no stamp is earlier), and the time of the picture it hands out
  // once it has read the movie's second key frame, played from the first.
  struct TFileStamps {
    std::int64_t Slip = 0;
    std::int64_t SecondKeyFrameRead = 0;
  };
  // A new stream begins at StreamStart (the decoder's first, a seek, a
  // stop), its stamps counted from there; File: nullopt when the file
  // tells nothing.
  void NewStream(bool AtFirstKeyFrame, std::int64_t StreamStart, std::optional<TFileStamps> File);
  // Another decoder: nothing learnt stays.
  void Reset() { *this = TPictureTimes(); }

 private:
  bool HaveLast_ = false;
  std::int64_t Last_ = 0;          // the previous picture's time
  std::int64_t LastDuration_ = 0;  // and how long it is shown
  std::int64_t Slip_ = 0;          // added to every stamp
  std::optional<TFileStamps> File_;
  std::int64_t StreamStart_ = 0;
  bool FromFirstKeyFrame_ = false;  // the stream began at the first key frame
  bool ReadLaterKeyFrame_ = false;  // the decoder has read a key frame after a stream's first
};
