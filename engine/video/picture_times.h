// The times at which a stream's pictures are shown, kept moving forward.
//
// A decoder that reorders pictures (B-frames) hands them out in the order
// they are shown, each with a time stamp. Some stamps slip back: in an AVI
// file of MPEG-4 part 2 whose B-frames are stored unpacked behind its key
// frames, the platform's decoder stamps each key frame with the time of
// its place in the file (a key frame is shown as many pictures after its
// place as there are B-frames stored right behind it), held back to the
// previous picture's stamp, which it then repeats. Once it has handed out
// a key frame stamped before the previous picture (the first key frame of
// a stream has none), and from then on for good, it counts the pictures
// after a key frame on from the key frame's stamp: played on, the stamps
// fall back one frame at each key frame with more B-frames behind it than
// the stamps are early, and jump forward to in place at one with fewer; a
// stream that begins at a key frame (a seek begins at the last key frame
// whose place is not after it) is early by that key frame's B-frames from
// its first picture, with nothing to show it. Before that the pictures
// after a key frame are stamped in their place. Packed B-frames (a
// P-frame and the B-frame shown before it in one chunk) are stamped the
// same way: each key frame but the first a picture early, the others in
// their place.
//
// What the file tells (engine/video/key_frames.h, read by
// engine/graph/movie_start.h) gives where each key frame lies and how
// early it is stamped; whether the decoder has handed out a key frame
// stamped early is seen from a repeated stamp at a key frame whose place
// is before it, or guessed where the stream before ended with its last
// picture within the decoder's reading ahead of such a key frame. A
// stream begun with a guessed slip whose key frame then repeats a stamp
// in its place was stamped in its place, and is taken back from there. A
// stream's first picture cut shorter than a frame at the stream's start
// (the decoder clips a picture stamped before the start) is taken whole,
// its start a frame before its end. An AVI without an index its parser
// seeks by has its pictures stamped in their place.
//
// Where the file tells nothing, a picture whose stamp is at or before the
// previous one's is taken one frame after it, that slip is added to every
// later stamp, and the slip learnt is kept for later streams of the
// decoder, except one that begins at its start. A stream that goes back
// half a second or more has started over and adds no slip; stamps that
// move forward keep their distance. Plain C++; used from one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "engine/video/key_frames.h"

class TPictureTimes {
 public:
  // The time at which to show a picture stamped Start .. Stop (100-ns
  // units, Stop <= Start when the picture has no stop time).
  std::int64_t Next(std::int64_t Start, std::int64_t Stop);
  // What the file tells of the decoder's stamps: a picture's duration
  // (100-ns units), and the key frames in the order of their places, or
  // none where the parser seeks to any picture and stamps each in its
  // place.
  struct TFileStamps {
    std::int64_t Frame = 0;
    std::shared_ptr<const std::vector<TKeyFrame>> KeyFrames;
  };
  // A new stream begins at StreamStart (the decoder's first, a seek, a
  // stop), its stamps counted from there. The decoder may have read as
  // far as ReadAhead beyond the last picture it handed out before; File:
  // nullopt when the file tells nothing.
  void NewStream(std::int64_t StreamStart, std::int64_t ReadAhead, std::optional<TFileStamps> File);
  // How many pictures the platform's decoder has taken in beyond the last
  // one the renderer took when a stream ends: at a stop, three (one of
  // them may still reach the renderer and be refused as it stops); while
  // a flush goes up to it, those it decodes with nobody taking them.
  static constexpr int kReadAtStop = 3;
  static constexpr int kReadAtFlush = 10;
  // Another decoder: nothing learnt stays.
  void Reset() { *this = TPictureTimes(); }

 private:
  // What is known of the decoder having handed out a key frame stamped
  // before the previous picture.
  enum class TRead { No, Maybe, Yes };

  bool KeyFramesKnown() const { return File_ && File_->KeyFrames && File_->Frame > 0; }
  // Key frame K's place and when it is shown, in the stream's own times.
  std::int64_t PlaceOf(std::size_t K) const;
  std::int64_t ShownOf(std::size_t K) const;
  // The key frame whose stamp a picture stamped Start repeats where the
  // stream was stamped in its place (shown a frame later), from the first
  // key frame the stream passes on; none when it is no such key frame.
  std::optional<std::size_t> RepeatedInPlace(std::int64_t Start) const;
  // A picture stamped Start at or before the previous one (its time Time
  // with the slip): the key frame due (Key) or another picture, shown a
  // frame after the previous (the slip learnt where the file tells
  // nothing); the time to show it.
  std::int64_t KeyFrameRepeat(std::size_t Key, std::int64_t Start);
  std::int64_t AfterRepeat(std::int64_t Time);
  // The key frames before Key are passed; finds the next one the decoder
  // could hand out stamped before the picture before it.
  void Passed(std::size_t Key);

  bool HaveLast_ = false;
  std::int64_t Last_ = 0;          // the previous picture's time
  std::int64_t LastDuration_ = 0;  // and how long it is shown
  std::int64_t Slip_ = 0;          // added to every stamp
  std::optional<TFileStamps> File_;
  std::int64_t StreamStart_ = 0;
  // With the key frames known: the stream's first key frame (the last
  // whose place is not after its start; none before the first), the next
  // one it passes, and where the next key frame the decoder could hand
  // out stamped before the picture before it is shown (movie time, -1 for
  // none).
  std::optional<std::size_t> FirstKey_;
  std::size_t NextKey_ = 0;
  std::int64_t NextEarlyKey_ = -1;
  bool Guessed_ = false;  // the stream began with a slip on a guess
  TRead Read_ = TRead::No;
};
