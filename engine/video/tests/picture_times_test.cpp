// The times at which a stream's pictures are shown: stamps that a
// reordering decoder let slip back are moved on, and stay moved on for the
// decoder's later streams; forward stamps keep their distance.
#include "engine/video/picture_times.h"

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

namespace {

// Milliseconds to 100-ns units and back, frames of 40 ms.
std::vector<std::int64_t> Shown(TPictureTimes& Times, const std::vector<int>& StampsMs, int DurationMs = 40) {
  std::vector<std::int64_t> out;
  for (int ms : StampsMs)
    out.push_back(Times.Next(std::int64_t(ms) * 10000, std::int64_t(ms + DurationMs) * 10000) / 10000);
  return out;
}

TEST(PictureTimes, StampsThatRepeatAreMovedOnAFrameAndTheRestWithThem) {
  const struct {
    const char* Name;
    std::vector<int> Stamps;
    std::vector<std::int64_t> Expected;
  } cases[] = {
      // MPEG-4 in AVI, unpacked B-frames, every anchor a key frame: the
      // platform's stamps of frames 0..9.
      {"key anchors from the start", {0, 40, 80, 80, 120, 160, 160, 200, 240, 280},
       {0, 40, 80, 120, 160, 200, 240, 280, 320, 360}},
      // A key frame every twelve: frames 10..14 and 22..26.
      {"a group of twelve", {400, 440, 440, 480, 520}, {400, 440, 480, 520, 560}},
      // After a seek to 2 s (the segment's own times): frames 52..59.
      {"after a seek", {80, 120, 120, 160, 200, 200, 240, 280}, {80, 120, 160, 200, 240, 280, 320, 360}},
      // Stamps that move forward, gaps included, stay.
      {"forward", {80, 120, 160, 280, 320}, {80, 120, 160, 280, 320}},
      // Half a second back or more: the stream started over.
      {"started over", {1000, 1040, 500, 540, 40}, {1000, 1040, 500, 540, 40}},
      {"started over after a slip", {600, 640, 640, 680, 0, 40}, {600, 640, 680, 720, 40, 80}},
      {"just under half a second back", {1000, 1040, 541}, {1000, 1040, 1080}},
  };
  for (const auto& c : cases) {
    TPictureTimes times;
    EXPECT_EQ(Shown(times, c.Stamps), c.Expected) << c.Name;
  }
}

// The platform's stamps of stamped_b.avi: frames 0..11 right, then two
// frames early from frame 24 on, and from the first picture after a seek;
// right again from the start.
TEST(PictureTimes, TheSlipStaysForLaterStreamsUntilOneBeginsAtTheStart) {
  TPictureTimes times;
  EXPECT_EQ(Shown(times, {400, 440, 440, 480, 840, 880, 880, 920}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 880, 920, 960, 1000}));
  times.NewStream(false);  // a seek to 4 s: frame 102 comes first, stamped 4000
  EXPECT_EQ(Shown(times, {4000, 4040}), (std::vector<std::int64_t>{4080, 4120}));
  times.NewStream(true);   // back to the start, or to before the second key frame
  EXPECT_EQ(Shown(times, {0, 40, 440, 440}), (std::vector<std::int64_t>{0, 40, 440, 480}));
  times.NewStream(false);
  EXPECT_EQ(Shown(times, {2000}), (std::vector<std::int64_t>{2040}));
  times.Reset();              // another decoder
  EXPECT_EQ(Shown(times, {2000, 2040}), (std::vector<std::int64_t>{2000, 2040}));
}

TEST(PictureTimes, APictureWithoutStopTimeLastsAsLongAsTheOneBefore) {
  TPictureTimes times;
  EXPECT_EQ(times.Next(0, 400000), 0);
  EXPECT_EQ(times.Next(400000, 0), 400000);        // no stop time
  EXPECT_EQ(times.Next(400000, 0), 800000);        // a repeat moves on by the last known duration
  TPictureTimes untimed;
  EXPECT_EQ(untimed.Next(400000, 0), 400000);
  EXPECT_EQ(untimed.Next(400000, 0), 400000);      // no duration known: nothing to move on by
}

}  // namespace
