// The playback pulse's and the seek commands' arithmetic: the texts of the
// time label and of the position OSD, the seek targets, the bookmark
// captions, the name labels' scroll step, the end-of-list actions and the
// record of entries that failed while the list advanced by itself.
// Positions are milliseconds (Ms) or the graph's 100-ns units (Ref).
// Plain values only; player/pulse.cpp, player/seeking.cpp and
// player/bookmarks.cpp apply them.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace lc {

inline constexpr long long kRefPerMs = 10000;
inline constexpr long long kRefPerSecond = 10000000;

// The millisecond nearest to a position in 100-ns units: a picture's time,
// kept in steps of 100 ns, may lie a step short of the millisecond its
// frame begins at (frame 18 of 30 per second at 599.9999 ms), and what
// begins at that millisecond (a subtitle) shows with that frame.
long long PositionMs(long long PositionRef);

// "hh:nn:ss" of a position taken as a time of day: whole seconds, 24 hours
// and more wrap to 0. Negative positions show as 00:00:00.
std::string ClockText(long long Ms);

// Round(P x 100 / Max), halves to even; 0 for a Max of 0 or less.
long long PositionPercent(long long PositionMs, long long MaxMs);

// Frame number at a position: Round(Ms x FrameRate / 1000), or while
// playing (InTens) Round(Ms x FrameRate / 10000) x 10.
long long FrameAt(long long Ms, double FrameRate, bool InTens);

// The live position text of the OSD: "hh:nn:ss / hh:nn:ss (p%)" or, with
// frames, Format("%6d", frame) + " / " + total frames + " (p%)". InTens:
// the running frame number moves in steps of 10 (playing).
std::string PositionOsdText(long long PositionMs, long long MaxMs, bool ShowFrames, bool InTens, double FrameRate);

// The time label while a movie plays, total - elapsed - remaining. The
// remaining time counts from the elapsed time as shown (whole seconds).
std::string TimeLabelText(long long PositionMs, long long MaxMs);
// The same in frames: Format("%6d - ", total) + elapsed + " - " + remaining,
// elapsed and remaining in steps of 10 while playing.
std::string FrameLabelText(long long PositionRef, long long MaxMs, double FrameRate, bool Playing);
// The time label of a loaded movie when the display is switched: the total
// in the first and last field and 0 elapsed.
std::string IdleTimeLabelText(long long MaxMs, bool ShowFrames, double FrameRate);

// Seek targets in 100-ns units, always within 0 .. the end the progress
// bar allows (its Max less 10 ms, never below 0).
// A step of Seconds back or forward from PositionRef.
long long SeekStepTarget(long long PositionRef, int Seconds, bool Forward, long long MaxMs);
// An absolute position from the progress bar.
long long SeekPositionTarget(long long Ms, long long MaxMs);
// Near the end: 0.1 s before it at 25 frames per second, in proportion to
// the frame rate; within 0 .. DurationRef.
long long SeekEndTarget(long long DurationRef, double FrameRate);

// A bookmark's time "hh:nn:ss": hours are not wrapped at 24 (a long
// recording keeps them); at most 99:59:59.
std::string BookmarkTime(long long Ms);
// The caption of bookmark Number (1..9): the time, three tabs, "Alt+&" and
// the number.
std::string BookmarkCaption(long long Ms, int Number);
// The position of a bookmark caption in 100-ns units, read from its first
// 8 characters; nothing when they are no "hh:nn:ss".
std::optional<long long> BookmarkPosition(std::string_view Caption);

// One name label as the scroll timer sees it.
struct ScrollState {
  bool Scrolling = false;
  bool DragScrolling = false;
  int Offset = -1;       // pixels; -1: starts after one pause
  int BitmapWidth = 0;   // the caption and ten blanks
};
// One tick of the scroll timer. Both scrolling: only one moves, the movie
// label while TurnMovie; when it has gone round, the turn passes to the
// other, whose offset becomes -1 when it was 0. Otherwise each scrolling
// label moves 10 pixels. A label being dragged does not move.
void ScrollTick(ScrollState& Movie, ScrollState& Subtitle, bool& TurnMovie);

// What happens when the list has ended (or its next entry was only made
// current).
struct EndOfListInput {
  bool TurnOffComputerAfterPlay = false;
  bool ShutdownFailed = false;
  bool CloseWhenListEnds = false;
  bool AutoClosePlayerWhenFinished = false;
  bool VideoFullScreen = false;
  bool DialogOpen = false;  // about box, key list or configuration dialog
};
struct EndOfListActions {
  bool StartShutdown = false;
  bool ClosePlayer = false;
  bool MainWindowToFront = false;
  bool operator==(const EndOfListActions&) const = default;
};
EndOfListActions DecideEndOfList(const EndOfListInput& In);

// The movies that failed to open while the list advanced by itself since
// something last played. When every movie of the list is among them, the
// advance stops instead of going round the list for ever.
class FailedEntries {
 public:
  void Failed(const std::string& Movie) { FMovies.insert(Movie); }
  void Played() { FMovies.clear(); }
  bool AllFailed(const std::vector<std::string>& Movies) const;
  bool Empty() const { return FMovies.empty(); }

 private:
  std::set<std::string> FMovies;
};

}  // namespace lc
