// The times at which a stream's pictures are shown: stamps that a
// reordering decoder let slip back are moved on, and stay moved on for the
// decoder's later streams; forward stamps keep their distance. The stamps
// are those the platform gave to AVIs of MPEG-4 part 2 made here, logged
// against the frame number drawn in each picture.
#include "engine/video/picture_times.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
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

// Two B-frames between anchors, a key frame every 12: frames 0..11 right,
// one frame early from frame 12 on, two from frame 24 on, and two from
// the first picture after a seek; right again from the start. Where the
// file tells nothing, the slip learnt so far is what a later stream gets.
TEST(PictureTimes, TheSlipStaysForLaterStreamsUntilOneBeginsAtTheStart) {
  TPictureTimes times;
  EXPECT_EQ(Shown(times, {400, 440, 440, 480, 840, 880, 880, 920}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 880, 920, 960, 1000}));
  times.NewStream(40000000, 0, std::nullopt);  // a seek to 4 s: frame 102 comes first, stamped 0
  EXPECT_EQ(Shown(times, {0, 40}), (std::vector<std::int64_t>{80, 120}));
  times.NewStream(0, 0, std::nullopt);  // back to the start
  EXPECT_EQ(Shown(times, {0, 40, 440, 440}), (std::vector<std::int64_t>{0, 40, 440, 480}));
  times.NewStream(20000000, 0, std::nullopt);
  EXPECT_EQ(Shown(times, {0}), (std::vector<std::int64_t>{40}));
  times.Reset();  // another decoder
  EXPECT_EQ(Shown(times, {2000, 2040}), (std::vector<std::int64_t>{2000, 2040}));
}

// Key frames Gap pictures apart from the second, stored at place Second,
// each with Run B-frames behind it; the first at place First with none.
TPictureTimes::TFileStamps Regular(std::int64_t Frame, int First, int Second, int Gap, int Run) {
  auto keys = std::make_shared<std::vector<TKeyFrame>>(1, TKeyFrame{First, 0});
  for (int place = Second; place < 5000; place += Gap) keys->push_back({place, Run});
  return {Frame, keys};
}
// 25 frames per second. Two B-frames stored behind each key frame, a key
// frame every 12 pictures: the second is stored as the 10th picture (0.4
// s) and shown as the 12th. One B-frame: the key frames alone repeat the
// stamp before them. A closed group of 25: nothing is stored behind a key
// frame and no stamp slips.
const TPictureTimes::TFileStamps kTwoB = Regular(400000, 0, 10, 12, 2);
const TPictureTimes::TFileStamps kOneB = Regular(400000, 0, 11, 12, 1);
const TPictureTimes::TFileStamps kClosed = Regular(400000, 0, 25, 25, 0);
// The same two-B-frame clip with its first 25 pictures dropped (empty
// chunks): the first key frame stored as the 25th, the second as the 35th.
const TPictureTimes::TFileStamps kLateStart = Regular(400000, 25, 35, 12, 2);
// A key frame every 502 pictures: the second stored as the 500th.
const TPictureTimes::TFileStamps kLongGroups = Regular(400000, 0, 500, 502, 2);
// How far the decoder may have read beyond its last picture when a
// stream ends by a stop (four frames) and by a flush (ten).
constexpr std::int64_t kStop = 1600000, kFlush = 4000000;

// The platform's stamps of a stream begun by a seek, as the decoder gave
// them: in their place before it read a key frame after the first of a
// stream, the whole slip early once it had. A stream begun at the first
// key frame is in its place either way.
TEST(PictureTimes, WhereAStreamBeginsAndWhatTheDecoderReadGiveItsSlip) {
  const struct {
    const char* Name;
    TPictureTimes::TFileStamps File;
    std::vector<int> Before;  // from the start
    std::int64_t ReadAhead, At;  // how the stream before ended, where the next begins
    std::vector<int> After;   // in its own times
    std::vector<std::int64_t> Expected;
  } cases[] = {
      // A seek to 4 s: frames 100.. in their place, or 102.. stamped from 0.
      {"frame 7 handed out: nothing read", kTwoB, {160, 200, 240, 280}, kStop, 40000000, {0, 40, 80}, {0, 40, 80}},
      {"frame 16 handed out: the second key frame repeated", kTwoB, {400, 440, 440, 480, 520, 560}, kStop, 40000000,
       {0, 40}, {80, 120}},
      // Read for certain: a stamp the next key frame repeats, as the third
      // did played on, moves that picture alone.
      {"frame 30 handed out", kTwoB, {440, 440, 480, 880, 880, 920}, kStop, 40000000, {0, 40, 240, 280, 280, 360},
       {80, 120, 320, 360, 400, 440}},
      // Frame 8 handed out: the decoder may have read as far as the
      // second key frame, shown as frame 12, and did.
      {"frame 8 handed out, the second key frame read", kTwoB, {240, 280, 320}, kStop, 40000000, {0, 40, 80},
       {80, 120, 160}},
      // It did not: the first key frame of the stream, 108, repeats the
      // stamp before it, and the pictures are back on their frames there.
      {"frame 8 handed out, nothing read", kTwoB, {240, 280, 320}, kStop, 40000000, {0, 40, 240, 280, 280, 320, 360},
       {80, 120, 320, 360, 320, 360, 400}},
      // A flush may find the decoder further on.
      {"frame 2 handed out before a flush", kTwoB, {0, 40, 80}, kFlush, 40000000, {0, 40}, {80, 120}},
      {"frame 1 handed out before a flush", kTwoB, {0, 40}, kFlush, 40000000, {0, 40}, {0, 40}},
      // A seek to 0.2 s, or to 0.36 s, begins at the first key frame.
      {"a seek to 0.2 s", kTwoB, {440, 440, 480, 520}, kStop, 2000000, {0, 40, 80}, {0, 40, 80}},
      {"a seek to 0.36 s", kTwoB, {440, 440, 480, 520}, kStop, 3600000, {0, 40, 80, 80}, {0, 40, 80, 120}},
      // 0.4 s is the second key frame's place: the stream begins there,
      // and its first picture is frame 12.
      {"a seek to 0.4 s", kTwoB, {440, 440, 480, 520}, kStop, 4000000, {0, 40}, {80, 120}},
      // One B-frame: frames 10..14 from the start, 100..104 after a seek.
      {"one B-frame", kOneB, {400, 440, 440, 520, 560}, kStop, 40000000, {0, 40, 80, 80, 160}, {0, 40, 80, 120, 160}},
      // A closed group: frames 20..30 from the start, 100.. after a seek.
      {"closed groups", kClosed, {800, 840, 880, 920, 960, 1000, 1040, 1080, 1120, 1160, 1200}, kStop, 40000000,
       {0, 40, 80}, {0, 40, 80}},
      // Pictures dropped first: a seek to 1.2 s (frame 30) begins at the
      // first key frame, stored as the 25th picture; one to 4 s at a later.
      {"dropped first, a seek to 1.2 s", kLateStart, {1440, 1440, 1480, 1920, 1920, 1960}, kStop, 12000000,
       {0, 40, 80, 240, 240, 280}, {0, 40, 80, 240, 280, 320}},
      {"dropped first, a seek to 4 s", kLateStart, {1440, 1440, 1480, 1920, 1920, 1960}, kStop, 40000000, {0, 40},
       {80, 120}},
      // A key frame every 500: a seek to 16 s begins at the first.
      {"long groups, a seek to 16 s", kLongGroups, {13960, 14000, 14040}, kStop, 160000000, {0, 40}, {0, 40}},
  };
  for (const auto& c : cases) {
    TPictureTimes times;
    times.NewStream(0, 0, c.File);
    Shown(times, c.Before);
    times.NewStream(c.At, c.ReadAhead, c.File);
    EXPECT_EQ(Shown(times, c.After), c.Expected) << c.Name;
  }
  // Frames 100 and 101 handed out after a seek to 4 s: the key frame after
  // them, 108, was not read, and a seek to 6 s finds its stamps in place.
  TPictureTimes third;
  third.NewStream(0, 0, kTwoB);
  Shown(third, {160, 200, 240, 280});
  third.NewStream(40000000, kStop, kTwoB);
  Shown(third, {0, 40});
  third.NewStream(60000000, kStop, kTwoB);
  EXPECT_EQ(Shown(third, {0, 40}), (std::vector<std::int64_t>{0, 40}));
  // The file telling nothing, a seek keeps the slip learnt so far.
  TPictureTimes told, untold;
  for (TPictureTimes* t : {&told, &untold}) {
    const auto file = t == &told ? std::optional(kOneB) : std::nullopt;
    t->NewStream(0, 0, file);
    Shown(*t, {400, 440, 440, 520, 560});
    t->NewStream(40000000, kStop, file);
  }
  EXPECT_EQ(Shown(told, {0, 40}), (std::vector<std::int64_t>{0, 40}));
  EXPECT_EQ(Shown(untold, {0, 40}), (std::vector<std::int64_t>{40, 80}));
}

// A stop right after a movie opened, as logged in the running player (two
// B-frames, a key frame every 12): the decoder has taken in three pictures
// beyond the last one it handed out. Frames 0..8 handed out, then a seek
// to 2.2 s: the second key frame (shown as frame 12) was not read, frames
// 55..62 come in their place and key frame 60 repeats the stamp before
// it. Frames 0..9 handed out, then a seek to 2.24 s: it was read, and
// frames 58..63 come two frames early from the first.
TEST(PictureTimes, AStopRightAfterTheOpeningCountsThreePicturesReadBeyondTheLastHandedOut) {
  const struct {
    const char* Name;
    std::vector<int> Before;
    std::int64_t At;
    std::vector<int> After;
    std::vector<std::int64_t> Expected;
  } cases[] = {
      {"frame 8 handed out", {0, 40, 80, 120, 160, 200, 240, 280, 320}, 22000000,
       {0, 40, 80, 120, 160, 160, 200, 240}, {0, 40, 80, 120, 160, 200, 240, 280}},
      {"frame 9 handed out", {0, 40, 80, 120, 160, 200, 240, 280, 320, 360}, 22400000,
       {0, 40, 80, 120, 160, 200}, {80, 120, 160, 200, 240, 280}},
  };
  for (const auto& c : cases) {
    TPictureTimes times;
    times.NewStream(0, 0, kTwoB);
    Shown(times, c.Before);
    times.NewStream(c.At, std::int64_t(TPictureTimes::kReadAtStop) * 400000, kTwoB);
    EXPECT_EQ(Shown(times, c.After), c.Expected) << c.Name;
  }
}

// Played from the start, the stamps of one B-frame stay in their place
// after each key frame; those of two fall back one frame at each key frame
// until they are two frames early; a third repeated stamp moves its own
// picture only.
TEST(PictureTimes, PlayedOnTheSlipGrowsAtEachKeyFrameAsFarAsTheFileTells) {
  TPictureTimes one;
  one.NewStream(0, 0, kOneB);
  EXPECT_EQ(Shown(one, {400, 440, 440, 520, 560, 880, 920, 920, 1000, 1040}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 560, 880, 920, 960, 1000, 1040}));
  TPictureTimes two;
  two.NewStream(0, 0, kTwoB);
  EXPECT_EQ(Shown(two, {400, 440, 440, 480, 840, 880, 880, 920, 1280, 1320, 1320, 1400}),
            (std::vector<std::int64_t>{400, 440, 480, 520, 880, 920, 960, 1000, 1360, 1400, 1440, 1480}));
}

// A seek to 4 s once the second key frame (stored as the 10th picture,
// shown as the 12th) repeated its stamp: the decoder cuts the picture
// stamped before the stream's start to begin there. At 30 frames per
// second frame 121 comes stamped 4 s to 4 s, at 24000/1001 frame 97
// stamped 4 s to 4.004 s; each is shown whole, in its place.
TEST(PictureTimes, APictureCutAtTheStreamsStartIsShownWhole) {
  const struct {
    const char* Name;
    TPictureTimes::TFileStamps File;
    std::vector<std::int64_t> Starts, Stops;
    std::vector<std::int64_t> Expected;
  } cases[] = {
      {"30 per second", Regular(333333, 0, 10, 12, 2), {0, 0, 333333}, {0, 333333, 666666},
       {333333, 666666, 999999}},
      {"24000/1001 per second", Regular(417083, 0, 10, 12, 2), {0, 40000, 457083}, {40000, 457083, 874166},
       {457083, 874166, 1291249}},
  };
  for (const auto& c : cases) {
    TPictureTimes times;
    times.NewStream(0, 0, c.File);
    for (const int frame : {10, 11, 11, 12}) times.Next(frame * c.File.Frame, (frame + 1) * c.File.Frame);
    times.NewStream(40000000, kStop, c.File);
    std::vector<std::int64_t> shown;
    for (std::size_t i = 0; i < c.Starts.size(); ++i) shown.push_back(times.Next(c.Starts[i], c.Stops[i]));
    EXPECT_EQ(shown, c.Expected) << c.Name;
  }
}

// Frames First..Last of a stream, each stamped Early frames before its
// time (a picture stamped before the stream's start cut to begin there, as
// the decoder does), 40 ms a frame; a stream from At seconds.
struct Stamped {
  int First, Last, Early;
};
struct Stream {
  double At;
  std::vector<Stamped> Frames;
};
// The pictures of the streams, one decoder's, that are not shown at their
// frame's time.
std::vector<std::string> Misplaced(const TPictureTimes::TFileStamps& File, const std::vector<Stream>& Streams) {
  TPictureTimes times;
  std::vector<std::string> faults;
  for (const Stream& s : Streams) {
    const std::int64_t at = std::int64_t(s.At * 1000) * 10000;
    times.NewStream(at, &s == &Streams.front() ? 0 : kStop, File);
    for (const Stamped& run : s.Frames)
      for (int frame = run.First; frame <= run.Last; ++frame) {
        const std::int64_t stamp = (frame - run.Early) * 400000 - at;
        const std::int64_t shown = times.Next(std::max<std::int64_t>(stamp, 0), stamp + 400000);
        if (shown != frame * 400000 - at)
          faults.push_back("from " + std::to_string(s.At) + " s: frame " + std::to_string(frame) + " at " +
                           std::to_string((shown + at) / 10000) + " ms");
      }
  }
  return faults;
}

// Encodes with their key frames where the picture changes (their places
// and the B-frames stored behind each, as the index and chunks give them),
// and the stamps the platform gave their pictures, logged against the
// frame number drawn in each: played on, the stamps of a key frame with
// one B-frame behind it repeat the picture's before, and those of one with
// two fall back a frame and stay back; from then on a stream begun at a
// key frame is early by its B-frames, and played on it falls back or jumps
// forward at each key frame to as many frames as its B-frames.
TEST(PictureTimes, EachPictureOfAnEncodeWithKeyFramesAtItsPicturesChangesIsShownAtItsFrame) {
  const auto Keys = [](std::vector<TKeyFrame> K) {
    return TPictureTimes::TFileStamps{400000, std::make_shared<std::vector<TKeyFrame>>(std::move(K))};
  };
  // 60 s, and 8 s.
  const TPictureTimes::TFileStamps minute = Keys({{0, 0}, {58, 0}, {209, 1}, {232, 1}, {348, 2}, {597, 2}, {630, 0},
                                                  {715, 0}, {755, 0}, {963, 0}, {1108, 2}, {1180, 0}, {1364, 1}});
  const TPictureTimes::TFileStamps clip =
      Keys({{0, 0}, {22, 1}, {45, 2}, {57, 1}, {71, 0}, {84, 2}, {96, 2}, {129, 1}, {137, 0}, {168, 2}});
  const struct {
    const char* Name;
    TPictureTimes::TFileStamps File;
    std::vector<Stream> Streams;
  } decoders[] = {
      {"played from the start, then seeks", minute,
       {{0, {{0, 71, 0}}},
        {8.6, {{215, 232, 0}, {233, 233, 1}, {234, 246, 0}}},
        {14.2, {{355, 386, 0}}},
        {24.2, {{605, 636, 0}}},
        {8.0, {{200, 209, 0}, {210, 210, 1}, {211, 232, 0}, {233, 233, 1}, {234, 349, 0}, {350, 378, 1}}}}},
      {"seeks after a key frame fell back", minute,
       {{13.0, {{325, 349, 0}, {350, 382, 1}}},
        {24.2, {{607, 629, 2}, {630, 636, 0}}},
        {44.6, {{1117, 1148, 2}}},
        {26.0, {{650, 681, 0}}},
        {9.4, {{236, 256, 1}}},
        {2.4, {{60, 78, 0}}},
        {44.0, {{1100, 1109, 0}, {1110, 1179, 1}}}}},
      {"streams begun in between frames and at a key frame's place", minute,
       {{13.0, {{325, 349, 0}, {350, 383, 1}}},
        {8.0, {{200, 209, 0}, {210, 349, 1}, {350, 370, 2}}},
        {9.5, {{238, 255, 1}}},
        {0.2, {{5, 73, 0}}},
        {13.95, {{350, 380, 2}}},
        {13.91, {{348, 349, 1}, {350, 377, 2}}}}},
      {"forward to fewer B-frames", clip,
       {{0, {{0, 22, 0}, {23, 23, 1}, {24, 46, 0}, {47, 64, 1}}},
        {3.92, {{100, 129, 2}, {130, 136, 1}, {137, 167, 0}}},
        {2.0, {{52, 57, 2}, {58, 70, 1}, {71, 82, 0}}},
        {5.3, {{133, 136, 1}, {137, 164, 0}}}}},
  };
  for (const auto& d : decoders) EXPECT_EQ(std::vector<std::string>(), Misplaced(d.File, d.Streams)) << d.Name;
}

// Packed B-frames, one between anchors, a key frame every 12 stored
// with the B-frame shown before it: each key frame but the first repeats
// the stamp before it, the pictures after it are in place; a stream begun
// at a key frame's place stamps it there.
TEST(PictureTimes, EachPackedPictureIsShownAtItsFrame) {
  const TPictureTimes::TFileStamps packed = Regular(400000, 0, 11, 12, 1);
  EXPECT_EQ(std::vector<std::string>(),
            Misplaced(packed, {{0, {{0, 11, 0}, {12, 12, 1}, {13, 23, 0}, {24, 24, 1}, {25, 30, 0}}},
                               {4.0, {{100, 107, 0}, {108, 108, 1}, {109, 119, 0}, {120, 120, 1}, {121, 125, 0}}},
                               {6.1, {{153, 155, 0}, {156, 156, 1}, {157, 162, 0}}},
                               {0.44, {{12, 12, 1}, {13, 21, 0}}}}));
}

// Where the decoder may have stamped a key frame early before a seek
// (the stream before stopped within four frames of it), and did, the
// stamps of the next stream tell: a key frame with one B-frame behind it
// repeats the stamp before it either way, and the next stream begun at a
// key frame with two behind it is taken as early by them; one with two
// falls back further than in its place.
TEST(PictureTimes, AGuessedSlipThatWasRightIsKept) {
  const TPictureTimes::TFileStamps cuts{
      400000, std::make_shared<std::vector<TKeyFrame>>(
                  std::vector<TKeyFrame>{{0, 0}, {58, 0}, {209, 1}, {232, 1}, {348, 2}, {597, 2}, {630, 0}, {700, 1}, {800, 2}})};
  const struct {
    const char* Name;
    std::vector<Stream> Streams;
  } decoders[] = {
      {"one B-frame, then a seek", {{13.0, {{325, 347, 0}}}, {8.0, {{200, 209, 0}, {210, 230, 1}}},
                                    {24.2, {{607, 629, 2}, {630, 636, 0}}}}},
      {"two B-frames", {{13.0, {{325, 347, 0}}}, {8.6, {{215, 349, 1}, {350, 400, 2}}}}},
      // A key frame with none behind it ends the guess before anything
      // confirmed it: a later one with one B-frame repeats the stamp before
      // it in its place either way, and tells nothing.
      {"none, then one B-frame", {{13.0, {{325, 347, 0}}}, {24.2, {{607, 629, 2}, {630, 700, 0}, {701, 720, 1}}},
                                  {34.0, {{852, 900, 2}}}}},
  };
  for (const auto& d : decoders) EXPECT_EQ(std::vector<std::string>(), Misplaced(cuts, d.Streams)) << d.Name;
}

// Where the guess was wrong (the stream stamped in its place until its
// key frame repeats the stamp before it), that key frame with two B-frames
// behind it shows that the decoder stamps early from then on.
TEST(PictureTimes, AStreamStampedInItsPlaceAfterAGuessLearnsTheDecoderStampsEarly) {
  TPictureTimes times;
  times.NewStream(0, 0, kTwoB);
  Shown(times, {0, 40, 80, 120, 160, 200, 240, 280, 320});  // frames 0..8
  times.NewStream(40000000, kStop, kTwoB);
  EXPECT_EQ(Shown(times, {0, 280, 280, 320}), (std::vector<std::int64_t>{80, 360, 320, 360}));  // frames 100, 107..109
  times.NewStream(60000000, kStop, kTwoB);
  EXPECT_EQ(Shown(times, {0, 40}), (std::vector<std::int64_t>{80, 120}));  // frames 152 and 153
}

// Where the guess was wrong and the key frame that repeats the stamp
// before it in its place has one B-frame behind it, the decoder still
// stamps in place: the pictures after it are, and the next key frame with
// two behind it falls back a frame and shows that the decoder stamps early
// from then on.
TEST(PictureTimes, AKeyFrameWithOneBFrameRepeatingItsStampInPlaceTakesAGuessBack) {
  const TPictureTimes::TFileStamps keys{
      400000, std::make_shared<std::vector<TKeyFrame>>(
                  std::vector<TKeyFrame>{{0, 0}, {10, 2}, {22, 1}, {34, 1}, {46, 2}, {58, 2}})};
  TPictureTimes times;
  times.NewStream(0, 0, keys);
  Shown(times, {0, 40, 80, 120, 160, 200, 240, 280, 320});  // frames 0..8
  times.NewStream(10000000, kStop, keys);  // frame 25, in the group of frame 23
  EXPECT_EQ(Shown(times, {0, 360, 360, 440, 760, 760, 800}),  // frames 25, 34..36, 46..48
            (std::vector<std::int64_t>{40, 400, 400, 440, 760, 800, 840}));
  times.NewStream(24000000, kStop, keys);
  EXPECT_EQ(Shown(times, {0, 40}), (std::vector<std::int64_t>{80, 120}));  // frames 62 and 63
}

// Without an index the platform's parser begins a stream at any picture
// and stamps its pictures in their place, the first few a frame late: each
// is shown at its stamp, after a seek too.
TEST(PictureTimes, WithoutAnIndexEachPictureIsShownAtItsStamp) {
  const TPictureTimes::TFileStamps noIndex{400000, nullptr};
  TPictureTimes times;
  times.NewStream(0, 0, noIndex);
  EXPECT_EQ(Shown(times, {0, 80, 120, 120, 160, 200}), (std::vector<std::int64_t>{0, 80, 120, 120, 160, 200}));
  times.NewStream(40000000, kStop, noIndex);
  EXPECT_EQ(Shown(times, {40, 80, 120, 120, 160}), (std::vector<std::int64_t>{40, 80, 120, 120, 160}));
}

TEST(PictureTimes, APictureWithoutStopTimeLastsAsLongAsTheOneBefore) {
  TPictureTimes times;
  EXPECT_EQ(times.Next(0, 400000), 0);
  EXPECT_EQ(times.Next(400000, 0), 400000);  // no stop time
  EXPECT_EQ(times.Next(400000, 0), 800000);  // a repeat moves on by the last known duration
  EXPECT_EQ(times.Next(1200000, 1200000), 1600000);  // a stop time no later than its start: none
  EXPECT_EQ(times.Next(1200000, 0), 2000000);
  TPictureTimes untimed;
  EXPECT_EQ(untimed.Next(400000, 0), 400000);
  EXPECT_EQ(untimed.Next(400000, 0), 400000);  // no duration known: nothing to move on by
}

}  // namespace
