#include "engine/video/picture_times.h"

namespace {

// A stream that goes back this far (100 ns) has started over.
constexpr std::int64_t kLongestSlip = 5000000;

}  // namespace

std::int64_t TPictureTimes::Next(std::int64_t Start, std::int64_t Stop) {
  if (File_ && FromFirstKeyFrame_ && StreamStart_ + Start >= File_->SecondKeyFrameRead) ReadLaterKeyFrame_ = true;
  std::int64_t time = Start + Slip_;
  if (HaveLast_ && time <= Last_ && Last_ - time < kLongestSlip && LastDuration_ > 0) {
    const std::int64_t next = Last_ + LastDuration_;
    Slip_ += next - time;
    if (File_ && Slip_ > File_->Slip) Slip_ = File_->Slip;
    ReadLaterKeyFrame_ = true;
    time = next;
  }
  // A picture without its own stop time lasts as long as the one before.
  if (Stop > Start) LastDuration_ = Stop - Start;
  HaveLast_ = true;
  Last_ = time;
  return time;
}

void TPictureTimes::NewStream(bool AtFirstKeyFrame, std::int64_t StreamStart, std::optional<TFileStamps> File) {
  HaveLast_ = false;
  File_ = File;
  StreamStart_ = StreamStart;
  FromFirstKeyFrame_ = AtFirstKeyFrame;
  if (AtFirstKeyFrame)
    Slip_ = 0;
  else if (File)
    Slip_ = ReadLaterKeyFrame_ ? File->Slip : 0;
}
