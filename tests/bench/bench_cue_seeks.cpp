// Prints how far off their frames subtitle cues change after random seeks
// in the running player: the picture follows its sound's clock, so a cue
// off its frame is a picture off its sound.
//
//   scripts/bench-seeks [seeks]  (builds nothing; runs this program as
//   bench_cue_seeks.exe MOVIE SECONDS SEEKS under Wine)
//
// MOVIE tells its frame number on the screen (tests/support/screen_grab.h,
// LongStampedFrame), 25 frames per second, its pictures SECONDS long (up
// to 60); a subtitle beside it, written
// here, holds a cue from 0.2 to 0.72 s into every second, so that a cue
// begins at frame 25 s + 5 and ends at frame 25 s + 18. The player (the
// test build, its steps 7 s) plays MOVIE from its start; each round waits
// a random 0.3 to 2 s, steps 7 s forward or back, and reads the screen for
// 2.4 s after the picture landed. For each change whose frames from three
// before to four after were seen, the offset: the first of the frames
// from there on that show the cue's new state, less the cue's frame
// (frames seen both ways count as most of their sightings showed). A
// round is within one frame when every offset is. Printed: each round,
// the rounds within one frame, and how many changes came at each offset.
// The figures depend on what else runs on the machine (a delayed screen
// read shows a change late): they compare, they never pass or fail a
// build.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "framework/messages.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"
#include "tests/support/screen_grab.h"

namespace {

constexpr WPARAM kRewind = 9, kForward = 10;
constexpr int kRate = 25;

struct Sighting {
  int Frame;  // -1: not a stamped frame
  bool Subtitle;
};

Sighting Look(HWND Control, int Frames) {
  const lctest::ScreenGrab S(Control);
  return {lctest::LongStampedFrame(S, Frames), lctest::ShowsYellowSubtitle(S)};
}

// The offset of the change at frame Change, seen in Seen (after it the
// cue shows when Begins); none when the frames around it were not seen.
bool Offset(const std::vector<Sighting>& Seen, int Change, bool Begins, int& Off) {
  std::map<int, std::pair<int, int>> states;  // frame: sightings with, without the cue
  for (const Sighting& S : Seen)
    if (S.Frame >= Change - 3 && S.Frame <= Change + 4) ++(S.Subtitle ? states[S.Frame].first : states[S.Frame].second);
  if (!states.count(Change - 3) || !states.count(Change + 4)) return false;
  int first = Change + 5;
  for (int F = Change + 4; F >= Change - 3; --F) {
    const auto it = states.find(F);
    if (it == states.end()) continue;
    if ((it->second.first > it->second.second) != Begins) break;
    first = F;
  }
  if (first > Change + 4) return false;
  Off = first - Change;
  return true;
}

int Run(const std::wstring& Movie, int Seconds, int Seeks) {
  lctest::RunningCopy P(L"LcBenchSeeks");
  lctest::WriteSettingsFile(
      P.Copy.SettingsFile(),
      {"FirstRun=0", "RepeatStatus=1", "VideoWindowXPosition=100", "VideoWindowYPosition=100", "VideoWindowWidth=480",
       "VideoWindowHeight=240", "SubtitleFontColor=65535", "AutoLoadSubtitle=1", "RememberMovieSettings=0",
       "SecondesToJump=7"});
  const std::size_t slash = Movie.find_last_of(L"\\/");
  const std::wstring name = Movie.substr(slash == std::wstring::npos ? 0 : slash + 1);
  const std::wstring copy = P.Copy.ExeFolder() + name;
  if (!CopyFileW(Movie.c_str(), copy.c_str(), FALSE)) {
    std::fprintf(stderr, "cannot copy %ls\n", Movie.c_str());
    return 1;
  }
  const int seconds = 60, frames = Seconds * kRate;
  std::string cues;
  for (int s = 0; s < seconds; ++s) {
    char cue[96];
    std::snprintf(cue, sizeof cue, "%d\r\n00:%02d:%02d,200 --> 00:%02d:%02d,720\r\nCUE\r\n\r\n", s + 1,
                  s / 60, s % 60, s / 60, s % 60);
    cues += cue;
  }
  lctest::WriteFileText(copy.substr(0, copy.rfind(L'.')) + L".srt", cues);
  if (!P.Start(copy)) {
    std::fprintf(stderr, "the player did not start\n");
    return 1;
  }

  std::mt19937 random{GetTickCount()};
  std::map<int, int> offsets;
  int rounds = 0, within = 0;
  for (int round = 0; round < Seeks; ++round) {
    const DWORD wait = 300 + random() % 1700, waited = GetTickCount();
    int before = -1;
    while (GetTickCount() - waited < wait) {
      const Sighting S = Look(P.Control, frames);
      if (S.Frame >= 0) before = S.Frame;
      Sleep(2);
    }
    const bool forward = before < 300 ? true : before > frames - 250 ? false : (random() & 1) != 0;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(P.Main, WM_REMOTECOMMAND, forward ? kForward : kRewind, 0, SMTO_NORMAL, 30000, &result);
    // Landed: a frame far from the one before the step.
    std::vector<Sighting> seen;
    int landed = -1;
    DWORD since = GetTickCount();
    while (GetTickCount() - since < (landed < 0 ? 8000u : 2400u)) {
      const Sighting S = Look(P.Control, frames);
      if (landed < 0 && S.Frame >= 0 && std::abs(S.Frame - before) > 120) {
        landed = S.Frame;
        since = GetTickCount();
      }
      if (landed >= 0) seen.push_back(S);
      Sleep(2);
    }
    if (landed < 0) {
      std::printf("round %d: %s from frame %d, no landing seen\n", round, forward ? "forward" : "back", before);
      continue;
    }
    std::string line;
    bool good = true;
    for (int s = 0; s < seconds; ++s)
      for (const int change : {kRate * s + 5, kRate * s + 18}) {
        int off = 0;
        if (!Offset(seen, change, change % kRate == 5, off)) continue;
        ++offsets[off];
        good = good && off >= -1 && off <= 1;
        line += " " + std::to_string(change) + ":" + (off > 0 ? "+" : "") + std::to_string(off);
      }
    ++rounds;
    within += good;
    std::printf("round %d: %s from frame %d, landed at %d; changes (frame:offset)%s%s\n", round,
                forward ? "forward" : "back", before, landed, line.c_str(), good ? "" : "  <- off");
    std::fflush(stdout);
  }
  std::printf("%ls: %d of %d rounds within one frame; changes by offset:", name.c_str(), within, rounds);
  for (const auto& [off, count] : offsets) std::printf(" %+d: %d", off, count);
  std::printf("\n");
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: bench_cue_seeks MOVIE SECONDS SEEKS\n");
    return 2;
  }
  return Run(argv[1], _wtoi(argv[2]), _wtoi(argv[3]));
}
