#include "engine/video/picture_times.h"

#include <algorithm>
#include <cstdlib>

namespace {

// A stream that goes back this far (100 ns) has started over.
constexpr std::int64_t kLongestSlip = 5000000;

}  // namespace

std::int64_t TPictureTimes::PlaceOf(std::size_t K) const {
  return std::int64_t((*File_->KeyFrames)[K].Place) * File_->Frame - StreamStart_;
}

std::int64_t TPictureTimes::ShownOf(std::size_t K) const {
  const TKeyFrame& key = (*File_->KeyFrames)[K];
  return (std::int64_t(key.Place) + key.Run) * File_->Frame - StreamStart_;
}

std::int64_t TPictureTimes::Next(std::int64_t Start, std::int64_t Stop) {
  if (File_ && !HaveLast_ && Start == 0 && Stop >= 0 && Stop < File_->Frame) Start = Stop - File_->Frame;
  std::int64_t time = Start + Slip_;
  const bool repeat = HaveLast_ && time <= Last_ && Last_ - time < kLongestSlip && LastDuration_ > 0;
  if (KeyFramesKnown()) {
    const std::vector<TKeyFrame>& keys = *File_->KeyFrames;
    const std::int64_t half = File_->Frame / 2;
    // The stream's key frame, stamped at its place (which is not after the
    // stream's start).
    if (!HaveLast_ && FirstKey_ && Start - PlaceOf(*FirstKey_) <= half)
      time = Start + keys[*FirstKey_].Run * File_->Frame;
    if (repeat) {
      if (const std::optional<std::size_t> key = Guessed_ ? RepeatedInPlace(Start) : std::nullopt) {
        // The stream was stamped in its place after all.
        Guessed_ = false;
        Read_ = keys[*key].Run >= 2 ? TRead::Yes : TRead::No;
        Slip_ = Read_ == TRead::Yes ? File_->Frame : 0;
        Passed(*key + 1);
        time = Start + File_->Frame;
      } else if (NextKey_ < keys.size() && Last_ + LastDuration_ + half > ShownOf(NextKey_)) {
        time = KeyFrameRepeat(NextKey_, Start);
      } else {
        time = AfterRepeat(time);
      }
    } else {
      // Key frames stamped at their place, not before the picture before.
      while (NextKey_ < keys.size() && time + half > ShownOf(NextKey_)) {
        Slip_ = std::min(Slip_, keys[NextKey_].Run * File_->Frame);
        Guessed_ = Guessed_ && Slip_ > 0;
        time = Start + Slip_;
        Passed(NextKey_ + 1);
      }
    }
  } else if (File_) {
    time = Start;  // no index: stamped in place
  } else if (repeat) {
    time = AfterRepeat(time);
  }
  // A picture without its own stop time lasts as long as the one before.
  if (Stop > Start) LastDuration_ = Stop - Start;
  HaveLast_ = true;
  Last_ = time;
  return time;
}

std::optional<std::size_t> TPictureTimes::RepeatedInPlace(std::int64_t Start) const {
  const std::int64_t half = File_->Frame / 2;
  // Such a key frame's place is not after the stamp it repeats.
  for (std::size_t k = FirstKey_ ? *FirstKey_ + 1 : 0; k < File_->KeyFrames->size() && PlaceOf(k) <= Start; ++k) {
    const std::int64_t before = ShownOf(k) - File_->Frame;  // the picture before it, in place
    if ((*File_->KeyFrames)[k].Run >= 1 && std::llabs(Start - before) <= half) return k;
  }
  return std::nullopt;
}

std::int64_t TPictureTimes::KeyFrameRepeat(std::size_t Key, std::int64_t Start) {
  const std::int64_t shown = Last_ + LastDuration_;
  // A key frame stamped before the picture before it (held back to its
  // stamp) shows that the decoder stamps early; a repeat in a stream
  // begun on a guess that was not in place confirms the guess.
  if (Guessed_ || PlaceOf(Key) + File_->Frame / 2 <= Start) Read_ = TRead::Yes;
  Guessed_ = false;
  Slip_ = Read_ == TRead::Yes ? std::min(shown - Start, (*File_->KeyFrames)[Key].Run * File_->Frame) : 0;
  Passed(Key + 1);
  return shown;
}

std::int64_t TPictureTimes::AfterRepeat(std::int64_t Time) {
  const std::int64_t next = Last_ + LastDuration_;
  if (!KeyFramesKnown()) Slip_ += next - Time;
  return next;
}

void TPictureTimes::Passed(std::size_t Key) {
  NextKey_ = Key;
  NextEarlyKey_ = -1;
  if (Read_ == TRead::Yes) return;
  const std::vector<TKeyFrame>& keys = *File_->KeyFrames;
  const auto early = std::find_if(keys.begin() + std::ptrdiff_t(std::max<std::size_t>(Key, 1)), keys.end(),
                                  [](const TKeyFrame& K) { return K.Run >= 2; });
  if (early != keys.end()) NextEarlyKey_ = ShownOf(std::size_t(early - keys.begin())) + StreamStart_;
}

void TPictureTimes::NewStream(std::int64_t StreamStart, std::int64_t ReadAhead, std::optional<TFileStamps> File) {
  if (Read_ == TRead::No && HaveLast_ && NextEarlyKey_ >= 0 && StreamStart_ + Last_ + ReadAhead >= NextEarlyKey_)
    Read_ = TRead::Maybe;
  HaveLast_ = false;
  File_ = std::move(File);
  StreamStart_ = StreamStart;
  Guessed_ = false;
  FirstKey_.reset();
  NextEarlyKey_ = -1;
  if (!File_) {
    if (StreamStart == 0) Slip_ = 0;
    return;
  }
  Slip_ = 0;
  if (!KeyFramesKnown()) return;
  const std::vector<TKeyFrame>& keys = *File_->KeyFrames;
  const auto after = std::partition_point(keys.begin(), keys.end(), [&](const TKeyFrame& K) {
    return std::int64_t(K.Place) * File_->Frame <= StreamStart;
  });
  if (after != keys.begin()) FirstKey_ = std::size_t(after - keys.begin()) - 1;
  if (FirstKey_ && Read_ != TRead::No) {
    Slip_ = keys[*FirstKey_].Run * File_->Frame;
    Guessed_ = Read_ == TRead::Maybe && Slip_ > 0;
  }
  Passed(std::size_t(after - keys.begin()));
}
