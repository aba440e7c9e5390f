// Subtitles change on the frames of their cues in the running program, at
// most one frame off, in the four kinds of movie that time their pictures
// differently (H.264 in MP4 with and without B-frames, MPEG-4 part 2 in AVI
// with and without B-frames) and in the ways a stream begins: played from
// the start, after a seek back, after a step forward in the first second
// (there most changes exactly on their frames), and resumed at the
// remembered position after a real restart. The screen is read while the movie plays: each
// frame tells its own number, and a yellow subtitle shows over its lower
// half or not.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"
#include "tests/support/screen_grab.h"

namespace {

using lctest::ScreenGrab;

// Remote-control codes: play, stop, and a step back or forward of
// SecondesToJump (2 s: 50 frames).
constexpr WPARAM kPlay = 3, kStop = 6, kRewind = 9, kForward = 10;

// The stamped clips: 25 frames per second, 200 frames; in frame n the
// left half has luma 20 + 10 x (n mod 20), the right half
// 20 + 10 x (n div 20).
constexpr int kFrames = 200;

struct Sighting {
  int Frame;
  bool Subtitle;
};

// The frame on show and whether a subtitle (yellow) is over its lower
// half; Frame -1 when the picture is not a stamped frame.
Sighting Look(HWND Control) {
  const ScreenGrab S(Control);
  const int W = S.Width(), H = S.Height();
  Sighting Seen{lctest::StampedFrame(S, kFrames), false};
  for (int Y = H / 2; Y < H && !Seen.Subtitle; ++Y)
    for (int X = 0; X < W; ++X)
      if (S.R(X, Y) > 200 && S.G(X, Y) > 200 && S.B(X, Y) < 80) {
        Seen.Subtitle = true;
        break;
      }
  return Seen;
}

// Cues in frames of 40 ms, [First, End): eight changes, two of them
// (85, 110) between the frames a seek back from frame 120 or later lands
// on and 120, six (60 on) after the remembered position of 2 s (a
// position is remembered in whole seconds, and resumed only when it lies
// more than 5 s before the end).
struct Cue {
  int First, End;
};
constexpr Cue kCues[] = {{15, 40}, {60, 85}, {110, 135}, {160, 185}};
constexpr const char* kSubtitles =
    "1\r\n00:00:00,600 --> 00:00:01,600\r\nONE\r\n\r\n"
    "2\r\n00:00:02,400 --> 00:00:03,400\r\nTWO\r\n\r\n"
    "3\r\n00:00:04,400 --> 00:00:05,400\r\nTHREE\r\n\r\n"
    "4\r\n00:00:06,400 --> 00:00:07,400\r\nFOUR\r\n";

// The sightings of one way of beginning, frame by frame.
class Sightings {
 public:
  void Add(const Sighting& S) {
    if (S.Frame >= 0) ++(S.Subtitle ? With_ : Without_)[std::size_t(S.Frame)];
  }
  // Whether the frames two off every change, those from frame From to
  // frame To, were seen Needed times each.
  bool Covered(int From, int To, int Needed) const {
    for (const Cue& C : kCues)
      for (int F : {C.First - 2, C.First + 1, C.End - 2, C.End + 1})
        if (F >= From && F <= To && Seen(F) < Needed) return false;
    return true;
  }
  // A cue changes on its own frame, at most one frame off: the subtitle may
  // show from the frame before its first to its end frame (the first frame
  // after it), and must show from the frame after its first to the frame
  // before its last. A frame counts as showing it when most of its
  // sightings (at least Needed) did, so that a pulse a loaded machine
  // delays by a frame now and then is not taken for a cue two frames off.
  std::vector<std::string> Faults(int Needed) const {
    std::vector<std::string> Faults;
    for (int F = 0; F < kFrames; ++F) {
      if (Seen(F) < Needed) continue;
      bool May = false, Must = false;
      for (const Cue& C : kCues) {
        May = May || (F >= C.First - 1 && F <= C.End);
        Must = Must || (F >= C.First + 1 && F <= C.End - 2);
      }
      const int With = With_[std::size_t(F)];
      const bool Shows = With > Without_[std::size_t(F)];
      if (Shows ? !May : Must)
        Faults.push_back((Shows ? "subtitle over frame " : "no subtitle over frame ") + std::to_string(F) + " (" +
                         std::to_string(With) + " of " + std::to_string(Seen(F)) + " sightings)");
    }
    return Faults;
  }

  // The changes from frame From on whose own frame (a cue's first frame,
  // the first frame after its end) was seen, and how many of them it
  // showed changed in at least one sighting. The main window's pulse
  // shows a change within 20 ms of its frame, so most do; a picture shown
  // a frame or more before its time shows none.
  struct OnTime {
    int Seen = 0, Changed = 0;
  };
  OnTime ChangesOnTheirFrames(int From) const {
    OnTime Count;
    for (const Cue& C : kCues)
      for (const int F : {C.First, C.End}) {
        if (F < From || F >= kFrames || Seen(F) == 0) continue;
        ++Count.Seen;
        if ((F == C.First ? With_ : Without_)[std::size_t(F)] > 0) ++Count.Changed;
      }
    return Count;
  }

 private:
  int Seen(int F) const { return With_[std::size_t(F)] + Without_[std::size_t(F)]; }
  std::vector<int> With_ = std::vector<int>(kFrames, 0), Without_ = std::vector<int>(kFrames, 0);
};

// A copy of the player that remembers each movie's settings and position,
// repeats the movie, loads its subtitle in yellow and steps 2 s back.
class TimingCopy : public lctest::RunningCopy {
 public:
  TimingCopy(const wchar_t* Base, const char* Clip) : RunningCopy(Base) {
    lctest::WriteSettingsFile(
        Copy.SettingsFile(),
        {"FirstRun=0", "RepeatStatus=1", "VideoWindowXPosition=100", "VideoWindowYPosition=100", "VideoWindowWidth=400",
         "VideoWindowHeight=300", "SubtitleFontColor=65535", "AutoLoadSubtitle=1", "RememberMovieSettings=1",
         "RememberLastMoviePosition=1", "SecondesToJump=2"});
    const std::string Name(Clip);
    Movie = Copy.ExeFolder() + std::wstring(Name.begin(), Name.end());
    CopyFileW(lctest::MediaPath(Clip).c_str(), Movie.c_str(), FALSE);
    const std::string Stem = Name.substr(0, Name.rfind('.'));
    lctest::WriteFileText(Copy.ExeFolder() + std::wstring(Stem.begin(), Stem.end()) + L".srt", kSubtitles);
  }
  // Reads the picture until Done() holds or Ms passed, handing each
  // sighting to Seen; Done's last answer.
  template <class F, class G>
  bool Watch(F Seen, G Done, DWORD Ms) {
    const DWORD Start = GetTickCount();
    while (!Done()) {
      if (GetTickCount() - Start > Ms) return Done();
      Seen(Look(Control));
      Sleep(2);
    }
    return true;
  }
  // Closes the program once its picture shows a frame from From to To
  // (so that it remembers whole seconds from From on); false when it
  // did not, or did not end.
  bool CloseBetween(int From, int To) {
    bool There = false;
    Watch([&](const Sighting& S) { There = S.Frame >= From && S.Frame <= To; }, [&] { return There; }, 60000);
    if (!There) return false;
    PostMessageW(Main, WM_CLOSE, 0, 0);
    const bool Ended = App->Wait(30000) == 0;
    Main = nullptr;
    return Ended;
  }
  void Remote(WPARAM Code) {
    DWORD_PTR Result = 0;
    SendMessageTimeoutW(Main, WM_REMOTECOMMAND, Code, 0, SMTO_NORMAL, 30000, &Result);
  }

  std::wstring Movie;
};

class ProgramTiming : public ::testing::TestWithParam<const char*> {};

TEST_P(ProgramTiming, SubtitlesChangeOnTheFramesOfTheirCuesHoweverTheMovieBegins) {
  const std::string Clip = GetParam();
  TimingCopy P(L"LcTiming", Clip.c_str());
  ASSERT_TRUE(P.Start(P.Movie));

  // From the start: the movie repeats from its start until every change
  // was seen often enough.
  Sightings FromStart;
  EXPECT_TRUE(P.Watch([&](const Sighting& S) { FromStart.Add(S); }, [&] { return FromStart.Covered(0, kFrames, 4); }, 90000))
      << "the frames around the changes were not seen often enough from the start";
  EXPECT_EQ(std::vector<std::string>(), FromStart.Faults(4)) << "from the start";

  // After a seek: 2 s back once the picture passed frame 120, over and
  // over; what shows before the seek lands is not counted.
  Sightings AfterSeek;
  int Seeks = 0;
  bool Landed = false;
  const auto SeekBack = [&](const Sighting& S) {
    if (S.Frame >= 120 && S.Frame < 150 && (Seeks == 0 || Landed)) {
      P.Remote(kRewind);
      ++Seeks;
      Landed = false;
    } else if (Seeks > 0 && S.Frame >= 65 && S.Frame < 120) {
      Landed = true;
      AfterSeek.Add(S);
    }
  };
  EXPECT_TRUE(P.Watch(SeekBack, [&] { return AfterSeek.Covered(83, 112, 3) && Seeks >= 3; }, 90000))
      << "the frames around the changes after a seek were not seen often enough (" << Seeks << " seeks)";
  EXPECT_EQ(std::vector<std::string>(), AfterSeek.Faults(3)) << "after a seek";

  // A step forward in the first second after the first picture, played
  // from the start each time (stop, play): at 0.2 to 1.0 s, before and
  // after the decoder of an AVI with unpacked B-frames reads its second
  // key frame and while its stamps' slip shows only in part. The step
  // lands 2 s on (frame 55 to 75); from there to the end every change
  // after the landing is on its frame.
  Sightings EarlySeeks;
  for (const int At : {5, 10, 15, 20, 25}) {
    P.Remote(kStop);
    P.Remote(kPlay);
    Sightings Trial;
    bool Restarted = false, Stepped = false, Landed = false;
    int Latest = -1;
    const bool Done = P.Watch(
        [&](const Sighting& S) {
          if (S.Frame < 0) return;
          Latest = S.Frame;
          Restarted = Restarted || S.Frame < At;
          if (Restarted && !Stepped && S.Frame >= At) {
            P.Remote(kForward);
            Stepped = true;
          } else if (Stepped && S.Frame >= At + 45) {
            Landed = true;
            Trial.Add(S);
            EarlySeeks.Add(S);
          }
        },
        [&] { return Landed && Latest >= 188; }, 30000);
    EXPECT_TRUE(Done) << "the step forward at frame " << At << " did not land or play on";
    const Sightings::OnTime OnTime = Trial.ChangesOnTheirFrames(At + 55);
    EXPECT_GE(OnTime.Seen, 3) << "step at frame " << At;
    EXPECT_GE(OnTime.Changed, 1) << "after a step forward at frame " << At << ", no change of the " << OnTime.Seen
                                 << " seen on its own frame";
  }
  EXPECT_EQ(std::vector<std::string>(), EarlySeeks.Faults(2)) << "after a step forward in the first second";

  // Resumed: closed at 2 s and started again, it resumes there (frame
  // 50); until the movie starts over.
  Sightings Resumed;
  for (int Run = 0; Run < 3 && !Resumed.Covered(58, kFrames, 2); ++Run) {
    ASSERT_TRUE(P.CloseBetween(50, 70)) << "the program did not close at 2 s";
    ASSERT_TRUE(P.Start(P.Movie));
    // Until the first picture comes the control is black, which reads as
    // frame 0: counted from the first frame at the position on.
    bool There = false, Over = false;
    P.Watch(
        [&](const Sighting& S) {
          There = There || S.Frame >= 45;
          Over = There && S.Frame >= 0 && S.Frame < 45;
          if (There && !Over) Resumed.Add(S);
        },
        [&] { return Over; }, 30000);
  }
  EXPECT_TRUE(Resumed.Covered(58, kFrames, 2)) << "the frames around the changes after a resume were not seen often enough";
  EXPECT_EQ(std::vector<std::string>(), Resumed.Faults(2)) << "resumed";
}

INSTANTIATE_TEST_SUITE_P(Clips, ProgramTiming,
                         ::testing::Values("stamped.mp4", "stamped_nob.mp4", "stamped_b.avi", "stamped.avi"),
                         [](const auto& Info) {
                           std::string Name = Info.param;
                           for (char& C : Name)
                             if (C == '.') C = '_';
                           return Name;
                         });

}  // namespace
