// The times at which a stream's pictures are shown, kept moving forward.
//
// A decoder that reorders pictures (B-frames) hands them out in the order
// they are shown, each with a time stamp. Some stamps slip back: in an AVI
// file whose B-frames are stored unpacked, each key frame sits in the file
// before the B-frames shown ahead of it, and the platform's decoder, once
// it has read such a key frame after the first of a stream, stamps later
// key frames with the time of their place in the file and counts the
// pictures after them on from there. Played on, the slip shows as a
// repeated stamp (the decoder does not let its stamps go back), one frame
// more at each key frame; a stream begun by a seek at a later key frame,
// once the decoder has read one, is early from its first picture by the
// whole slip, with nothing to show it. So a picture whose stamp is at or
// before the previous one's is taken one frame after it, and that slip is
// added to every later stamp.
//
// What the file tells (engine/graph/movie_start.h) bounds the slip and
// tells where a stream begins: one begun at the first key frame starts
// with none, one begun at a later key frame with the file's slip once the
// decoder may have read a later key frame. Whether it has is seen from a
// repeated stamp, or guessed where the stream before ended with its last
// picture within the decoder's reading ahead of its next key frame (the
// key frames taken as evenly spaced); a stream that began with a guessed
// slip and then repeats a stamp was stamped in its place, and counts its
// slip from its repeats instead. A stream's first picture cut shorter
// than a frame at the stream's start (the decoder clips a picture stamped
// before the start) is taken whole, its start a frame before its end.
//
// Where the file tells nothing, the slip learnt is kept for later
// streams of the decoder, except one that begins at its start. A stream
// that goes back half a second or more has started over and adds no slip;
// stamps that move forward keep their distance. Plain C++; used from one
// thread.
#pragma once

#include <cstdint>
#include <optional>

class TPictureTimes {
 public:
  // The time at which to show a picture stamped Start .. Stop (100-ns
  // units, Stop <= Start when the picture has no stop time).
  std::int64_t Next(std::int64_t Start, std::int64_t Stop);
  // What the file tells of the decoder's stamps (100-ns units, movie
  // times): how early the pictures of a stream begun at a later key frame
  // are stamped once the decoder has read a key frame after the first of
  // a stream (no stamp is earlier), each key frame but the first being
  // shown that much after its place in the file; a picture's duration;
  // the second key frame's place, and the time from one key frame to the
  // next from there on (0 when no later key frame is known).
  struct TFileStamps {
    std::int64_t Slip = 0;
    std::int64_t Frame = 0;
    std::int64_t SecondKeyFrame = 0;
    std::int64_t KeyFrameGap = 0;
  };
  // A new stream begins at StreamStart (the decoder's first, a seek, a
  // stop), its stamps counted from there. The decoder may have read as
  // far as ReadAhead beyond the last picture it handed out before; File:
  // nullopt when the file tells nothing.
  void NewStream(std::int64_t StreamStart, std::int64_t ReadAhead, std::optional<TFileStamps> File);
  // Another decoder: nothing learnt stays.
  void Reset() { *this = TPictureTimes(); }

 private:
  // What is known of the decoder having read a key frame after the
  // first of a stream.
  enum class TRead { No, Maybe, Yes };

  // A picture stamped at or before the previous one: shown a frame after
  // it, and the slip grows by the difference.
  std::int64_t AfterRepeat(std::int64_t Time, std::int64_t Start);

  bool HaveLast_ = false;
  std::int64_t Last_ = 0;          // the previous picture's time
  std::int64_t LastDuration_ = 0;  // and how long it is shown
  std::int64_t Slip_ = 0;          // added to every stamp
  std::optional<TFileStamps> File_;
  std::int64_t StreamStart_ = 0;
  bool FromFirstKeyFrame_ = false;  // the stream began at the first key frame
  bool GuessedSlip_ = false;        // it began with the file's slip on a guess
  std::int64_t NextKeyFrame_ = 0;   // where the key frame after its start is shown (movie time)
  std::int64_t LastStamp_ = 0;      // the last picture's stamp (movie time)
  TRead Read_ = TRead::No;
};
