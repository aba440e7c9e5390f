#include "engine/video/picture_times.h"

#include <algorithm>

namespace {

// A stream that goes back this far (100 ns) has started over.
constexpr std::int64_t kLongestSlip = 5000000;

}  // namespace

std::int64_t TPictureTimes::Next(std::int64_t Start, std::int64_t Stop) {
  if (File_ && !HaveLast_ && Start == 0 && Stop >= Start && Stop - Start < File_->Frame) Start = Stop - File_->Frame;
  LastStamp_ = StreamStart_ + Start;
  std::int64_t time = Start + Slip_;
  if (HaveLast_ && time <= Last_ && Last_ - time < kLongestSlip && LastDuration_ > 0) time = AfterRepeat(time, Start);
  // A picture without its own stop time lasts as long as the one before.
  if (Stop > Start) LastDuration_ = Stop - Start;
  HaveLast_ = true;
  Last_ = time;
  return time;
}

std::int64_t TPictureTimes::AfterRepeat(std::int64_t Time, std::int64_t Start) {
  Read_ = TRead::Yes;
  if (GuessedSlip_) {
    // The stream was stamped in its place: this is its first repeat.
    GuessedSlip_ = false;
    Slip_ = std::min(LastDuration_, File_->Slip);
    return Start + Slip_;
  }
  const std::int64_t next = Last_ + LastDuration_;
  Slip_ += next - Time;
  if (File_ && Slip_ > File_->Slip) Slip_ = File_->Slip;
  return next;
}

void TPictureTimes::NewStream(std::int64_t StreamStart, std::int64_t ReadAhead, std::optional<TFileStamps> File) {
  if (Read_ == TRead::No && HaveLast_ && NextKeyFrame_ > 0 && LastStamp_ + ReadAhead >= NextKeyFrame_)
    Read_ = TRead::Maybe;
  HaveLast_ = false;
  File_ = File;
  StreamStart_ = StreamStart;
  GuessedSlip_ = false;
  NextKeyFrame_ = 0;
  const bool spaced = File && File->KeyFrameGap > 0;
  FromFirstKeyFrame_ = StreamStart == 0 || (spaced && StreamStart < File->SecondKeyFrame);
  if (spaced) {
    // The stream begins at the last key frame whose place is not after
    // its start; the next one is shown a slip after its place.
    const std::int64_t passed =
        FromFirstKeyFrame_ ? 0 : (StreamStart - File->SecondKeyFrame) / File->KeyFrameGap + 1;
    NextKeyFrame_ = File->SecondKeyFrame + passed * File->KeyFrameGap + File->Slip;
  }
  if (FromFirstKeyFrame_) {
    Slip_ = 0;
  } else if (File) {
    Slip_ = Read_ == TRead::No ? 0 : File->Slip;
    GuessedSlip_ = Read_ == TRead::Maybe && Slip_ > 0;
  }
}
