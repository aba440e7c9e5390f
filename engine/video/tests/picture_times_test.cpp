// The times at which a stream's pictures are shown: stamps that a
// reordering decoder let slip back are moved on, and stay moved on for the
// decoder's later streams; forward stamps keep their distance.
#include "engine/video/picture_times.h"

#include <cstdint>
#include <optional>
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

// The platform's stamps of stamped_b.avi (two B-frames between anchors, a
// key frame every 12): frames 0..11 right, one frame early from frame 12
// on, two from frame 24 on, and two from the first picture after a seek;
// right again from the start. Where the file tells nothing, the slip
// learnt so far is what a later stream gets.
TEST(PictureTimes, TheSlipStaysForLaterStreamsUntilOneBeginsAtTheStart) {
  TPictureTimes times;
  EXPECT_EQ(Shown(times, {400, 440, 440, 480, 840, 880, 880, 920}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 880, 920, 960, 1000}));
  times.NewStream(false, 0, std::nullopt);  // a seek to 4 s: frame 102 comes first, stamped 4000
  EXPECT_EQ(Shown(times, {4000, 4040}), (std::vector<std::int64_t>{4080, 4120}));
  times.NewStream(true, 0, std::nullopt);   // back to the start, or to before the second key frame
  EXPECT_EQ(Shown(times, {0, 40, 440, 440}), (std::vector<std::int64_t>{0, 40, 440, 480}));
  times.NewStream(false, 0, std::nullopt);
  EXPECT_EQ(Shown(times, {2000}), (std::vector<std::int64_t>{2040}));
  times.Reset();              // another decoder
  EXPECT_EQ(Shown(times, {2000, 2040}), (std::vector<std::int64_t>{2000, 2040}));
}

// The file tells the slip of a stream begun at a later key frame once the
// decoder has read the second key frame, which it has when it hands out
// frame 9 (the anchor before the B-frames stored behind frame 12); no
// stamp slips further. The platform's stamps of stamped_b.avi, and of a
// movie with one B-frame between anchors, whose key frames alone repeat
// the stamp before them.
TEST(PictureTimes, TheSlipTheFileTellsHoldsOnceTheDecoderReadTheSecondKeyFrame) {
  const TPictureTimes::TFileStamps twoB{800000, 3600000}, oneB{0, -400000};
  const struct {
    const char* Name;
    TPictureTimes::TFileStamps File;
    std::vector<int> Before;  // from the start
    bool AtFirstKeyFrame;
    std::int64_t At;          // where the next stream begins
    std::vector<int> After;   // in its own times
    std::vector<std::int64_t> Expected;
  } cases[] = {
      {"a seek to 4 s once frame 8 came", twoB, {200, 240, 280, 320}, false, 40000000, {0, 40, 80}, {0, 40, 80}},
      {"a seek to 4 s once frame 9 came", twoB, {240, 280, 320, 360}, false, 40000000, {0, 40, 80}, {80, 120, 160}},
      {"a seek to 4 s at frame 16", twoB, {440, 440, 480, 520, 560, 600}, false, 40000000, {0, 40}, {80, 120}},
      {"a seek to 4 s at frame 30", twoB, {440, 440, 480, 880, 880, 920}, false, 40000000, {0, 40}, {80, 120}},
      {"a seek to 0.2 s at frame 16", twoB, {440, 440, 480, 520}, true, 2000000, {0, 40, 80}, {0, 40, 80}},
      // The decoder's first stream begins at 2 s: frames 58..61.
      {"opened at 2 s", twoB, {}, false, 20000000, {320, 360, 360, 400}, {320, 360, 400, 440}},
      // One B-frame: frames 10..14 from the start, 100..104 after a seek.
      {"one B-frame", oneB, {400, 440, 440, 520, 560}, false, 40000000, {0, 40, 80, 80, 160}, {0, 40, 80, 120, 160}},
  };
  for (const auto& c : cases) {
    TPictureTimes times;
    times.NewStream(true, 0, c.File);
    Shown(times, c.Before);
    times.NewStream(c.AtFirstKeyFrame, c.At, c.File);
    EXPECT_EQ(Shown(times, c.After), c.Expected) << c.Name;
  }
  // The file telling nothing, a seek keeps the slip learnt so far.
  TPictureTimes told, untold;
  for (TPictureTimes* t : {&told, &untold}) {
    t->NewStream(true, 0, t == &told ? std::optional(oneB) : std::nullopt);
    Shown(*t, {400, 440, 440, 520, 560});
    t->NewStream(false, 40000000, t == &told ? std::optional(oneB) : std::nullopt);
  }
  EXPECT_EQ(Shown(told, {0, 40}), (std::vector<std::int64_t>{0, 40}));
  EXPECT_EQ(Shown(untold, {0, 40}), (std::vector<std::int64_t>{40, 80}));
  // Played from the start, the stamps of one B-frame stay in their place
  // after each key frame: frames 10..14 and 22..26.
  TPictureTimes one;
  one.NewStream(true, 0, oneB);
  EXPECT_EQ(Shown(one, {400, 440, 440, 520, 560, 880, 920, 920, 1000, 1040}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 560, 880, 920, 960, 1000, 1040}));
  // Two B-frames: the slip grows to two frames and no further; a third
  // repeated stamp moves its own picture only.
  TPictureTimes two;
  two.NewStream(true, 0, twoB);
  EXPECT_EQ(Shown(two, {400, 440, 440, 480, 840, 880, 880, 920, 1280, 1320, 1320, 1400}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 880, 920, 960, 1000, 1360, 1400, 1440, 1480}));
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
