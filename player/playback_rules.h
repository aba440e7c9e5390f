// The decisions of opening a movie and of its life cycle as functions of
// plain values: which render results the opening goes on with, the frame
// rate to believe, the MicroDVD re-timing, whether the end of a movie
// replays it, which warnings an opening shows, where the video window
// goes, what pan & scan and position a movie starts with, and the time
// label's texts. No Windows header; the player's windows apply them.
//
// Round is to the nearest integer with halves to even; "div" truncates
// toward zero.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "player/commands.h"
#include "player/picture_choices.h"

namespace lc {

// ---- rendering ----

// Whether Command acts while an opening waits for its movie's render: the
// commands that end the movie or the player (a stop, a close, the end)
// abandon the opening at once; every other command waits for the opening
// to end, as a key typed during it did when the render held the player.
bool ActsWhileTheMovieRenders(Cmd Command);

inline constexpr std::int32_t kRenderPartial = 0x00040242;          // some streams not rendered
inline constexpr std::int32_t kRenderAudioNotRendered = 0x00040258;  // the audio was not rendered
inline constexpr std::int32_t kRenderNoGraphA = static_cast<std::int32_t>(0x8004025C);
inline constexpr std::int32_t kRenderNoGraphB = static_cast<std::int32_t>(0x80040256);

enum class RenderOutcome {
  GoOn,        // the graph holds the movie
  NoGraph,     // the graph component has already given the graph up
  Fail,        // anything else: the render-failure path at once
};

// What the opening does with RenderFile's result (-1 for an exception).
// The two results that leave no graph go the render-failure path too, but
// only after the picture size would have been read.
RenderOutcome ClassifyRenderResult(std::int32_t Result);

// ---- frame rate ----

// The frame rate kept for a movie: values that are not a number, not
// above 0 or above 1000 are 25; the others rounded to three decimals.
double SaneFrameRate(double Rate);

// The frame rate of a file from its streams' rates in stream order: the
// first rate in 1.0 .. 60.0 ends the search, else the last stream's rate
// stands; then SaneFrameRate. No stream: 25.
double ChooseFrameRate(const std::vector<double>& StreamRates);

// A MicroDVD subtitle (format 1) is read at 25 frames per second: for a
// movie of another rate its times (ms) become Round(Time x 25 / FrameRate).
// Times stay as they are when the rate is exactly 25 or not usable.
bool MicroDvdNeedsRetiming(int SubtitleFormat, double FrameRate);
void RetimeMicroDvd(std::vector<std::int32_t>& Times, double FrameRate);

// ---- the end of a movie ----

// The movie is played again at once by the end-of-stream event: repeat
// one, or repeat all with at most one movie in the list.
bool ReplayAtEnd(int RepeatMode, int MovieCount);

// ---- warnings ----

// The warnings an opening shows, in order, as their TextMessages entries:
// 56 overlay not available, 67 audio not rendered, 68 streams not
// rendered; each unless its do-not-show-again setting is on.
struct WarningInput {
  bool OverlayInUse = true;
  std::int32_t RenderResult = 0;
  bool DoNotShowOverlayMessage = false;
  bool DoNotShowAudioStreamMessage = false;
  bool DoNotShowStreamMessage = false;
};
std::vector<int> OpeningWarnings(const WarningInput& In);

// ---- picture settings at opening ----

// The previous movie counts as the same size when width and height each
// differ by at most 5 percent of the new movie's.
bool SameNativeSize(int Width, int Height, int PreviousWidth, int PreviousHeight);

// A window rectangle as left, top, width, height.
struct WindowPlace {
  int X = 0, Y = 0, Width = 0, Height = 0;
  bool operator==(const WindowPlace&) const = default;
};

// The inputs of the video window's size and place at opening.
struct OpeningPlaceInput {
  WindowPlace Current;          // the video window now
  int ControlWidth = 0;         // its video control's size
  int ControlHeight = 0;
  std::optional<WindowPlace> Previous;  // previous movie's size (when it applies)
  std::optional<WindowPlace> Entry;     // the remembered entry's size
  bool LoadAtOriginalMovieSize = false;
  int NativeWidth = 0, NativeHeight = 0;
  // The area kept reachable: the screen (X = Y = 0) or, with monitors that
  // differ, the virtual desktop.
  int AreaX = 0, AreaY = 0, AreaWidth = 0, AreaHeight = 0;
};

// The previous movie's size, else the entry's (both centred on the
// window), else the native size centred on the control; clamped so that a
// tenth of the area stays reachable. nullopt: the window stays.
std::optional<WindowPlace> OpeningWindowPlace(const OpeningPlaceInput& In);

// The aspect-ratio menu entry a stored ratio checks: the movie's own
// (within 0.004 of NativeRatio), 16:9, 4:3 or 1:1 (each within 0.004),
// else the custom entry.
AspectChoice AspectMenuFor(double Ratio, double NativeRatio);

// The remembered position to seek to, in 100-ns units, or nullopt: only
// for a movie of at least 5 s, a position above 0 and more than 5 s
// before the end. LastPosition is a fraction of a day.
std::optional<std::int64_t> RememberedSeekTarget(std::int64_t Duration100ns, double LastPosition);

// ---- the time label ----

// The label of a loaded movie not playing: total - 00:00:00 - total, with
// a trailing blank; with ShowFrames, the frame counts right-aligned in six
// places.
std::string StoppedTimesText(std::int64_t DurationMs, bool ShowFrames, double FrameRate);

// The label with no movie.
std::string NoMovieTimesText(bool ShowFrames);

}  // namespace lc
