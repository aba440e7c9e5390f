#include "player/pulse_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kit/progress_bar.h"
#include "kit/skin_strip.h"

namespace lc {

namespace {

std::string Hms(long long Hours, long long Minutes, long long Seconds) {
  char Text[16];
  std::snprintf(Text, sizeof Text, "%02lld:%02lld:%02lld", Hours, Minutes, Seconds);
  return Text;
}

// Format("%6d", N).
std::string Width6(long long N) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "%6lld", N);
  return Text;
}

long long Rounded(double Value) { return std::isfinite(Value) ? RoundHalfEvenLong(Value) : 0; }

// The highest target a seek may take: the bar's end less 10 ms.
long long SeekLimit(long long MaxMs) { return std::max(0LL, (MaxMs - 10) * kRefPerMs); }

}  // namespace

long long PositionMs(long long PositionRef) {
  return (PositionRef < 0 ? PositionRef - kRefPerMs / 2 : PositionRef + kRefPerMs / 2) / kRefPerMs;
}

std::string ClockText(long long Ms) {
  const long long Seconds = std::max(0LL, Ms) / 1000 % 86400;
  return Hms(Seconds / 3600, Seconds / 60 % 60, Seconds % 60);
}

long long PositionPercent(long long PositionMs, long long MaxMs) {
  if (MaxMs <= 0) return 0;
  return DivRoundHalfEven(PositionMs * 100, MaxMs);
}

long long FrameAt(long long Ms, double FrameRate, bool InTens) {
  const double Frames = static_cast<double>(Ms) * FrameRate;
  return InTens ? Rounded(Frames / 10000) * 10 : Rounded(Frames / 1000);
}

std::string PositionOsdText(long long PositionMs, long long MaxMs, bool ShowFrames, bool InTens, double FrameRate) {
  const std::string Tail = " (" + std::to_string(PositionPercent(PositionMs, MaxMs)) + "%)";
  if (!ShowFrames) return ClockText(PositionMs) + " / " + ClockText(MaxMs) + Tail;
  return Width6(FrameAt(PositionMs, FrameRate, InTens)) + " / " + std::to_string(FrameAt(MaxMs, FrameRate, false)) +
         Tail;
}

std::string TimeLabelText(long long PositionMs, long long MaxMs) {
  const std::string Elapsed = ClockText(PositionMs);
  const long long Shown = std::max(0LL, PositionMs) / 1000 % 86400 * 1000;
  return ClockText(MaxMs) + " - " + Elapsed + " - " + ClockText(std::max(0LL, MaxMs - Shown));
}

std::string FrameLabelText(long long PositionRef, long long MaxMs, double FrameRate, bool Playing) {
  const double Elapsed = static_cast<double>(PositionRef) * FrameRate;
  const long long E = Playing ? Rounded(Elapsed / 100000000) * 10 : Rounded(Elapsed / 10000000);
  const long long Left = std::max(0LL, MaxMs - PositionRef / kRefPerMs);
  return Width6(FrameAt(MaxMs, FrameRate, false)) + " - " + Width6(E) + " - " + Width6(FrameAt(Left, FrameRate, Playing));
}

std::string IdleTimeLabelText(long long MaxMs, bool ShowFrames, double FrameRate) {
  if (!ShowFrames) return ClockText(MaxMs) + " - 00:00:00 - " + ClockText(MaxMs);
  const std::string Total = Width6(FrameAt(MaxMs, FrameRate, false));
  return Total + " -      0 - " + Total;
}

long long SeekStepTarget(long long PositionRef, int Seconds, bool Forward, long long MaxMs) {
  const long long Step = static_cast<long long>(Seconds) * kRefPerSecond;
  const long long Target = Forward ? PositionRef + Step : PositionRef - Step;
  return std::clamp(Target, 0LL, SeekLimit(MaxMs));
}

long long SeekPositionTarget(long long Ms, long long MaxMs) {
  return std::clamp(Ms * kRefPerMs, 0LL, SeekLimit(MaxMs));
}

long long SeekEndTarget(long long DurationRef, double FrameRate) {
  const long long Before = Rounded(1000000.0 * FrameRate / 25);
  return std::clamp(DurationRef - Before, 0LL, std::max(0LL, DurationRef));
}

std::string BookmarkTime(long long Ms) {
  const long long Seconds = std::clamp(Ms / 1000, 0LL, 99LL * 3600 + 59 * 60 + 59);
  return Hms(Seconds / 3600, Seconds / 60 % 60, Seconds % 60);
}

std::string BookmarkCaption(long long Ms, int Number) {
  return BookmarkTime(Ms) + "\t\t\tAlt+&" + std::to_string(Number);
}

std::optional<long long> BookmarkPosition(std::string_view Caption) {
  if (Caption.size() < 8 || Caption[2] != ':' || Caption[5] != ':') return std::nullopt;
  long long Fields[3] = {};
  for (int F = 0; F < 3; ++F) {
    const char High = Caption[F * 3], Low = Caption[F * 3 + 1];
    if (High < '0' || High > '9' || Low < '0' || Low > '9') return std::nullopt;
    Fields[F] = (High - '0') * 10 + (Low - '0');
  }
  return (Fields[0] * 3600 + Fields[1] * 60 + Fields[2]) * kRefPerSecond;
}

namespace {

void Step(ScrollState& Label) { Label.Offset = Label.Offset < 0 ? 0 : Label.Offset + 10; }

void Wrap(ScrollState& Label) {
  if (Label.BitmapWidth > 0) Label.Offset %= Label.BitmapWidth;
}

}  // namespace

void ScrollTick(ScrollState& Movie, ScrollState& Subtitle, bool& TurnMovie) {
  if (Movie.Scrolling && Subtitle.Scrolling) {
    ScrollState& Moving = TurnMovie ? Movie : Subtitle;
    ScrollState& Other = TurnMovie ? Subtitle : Movie;
    if (Moving.DragScrolling) return;
    Step(Moving);
    if (Moving.Offset >= Moving.BitmapWidth) {
      TurnMovie = !TurnMovie;
      Moving.Offset = 0;
      if (Other.Offset == 0) Other.Offset = -1;
    }
    Wrap(Moving);
    return;
  }
  for (ScrollState* Label : {&Movie, &Subtitle}) {
    if (!Label->Scrolling || Label->DragScrolling) continue;
    Step(*Label);
    Wrap(*Label);
  }
}

EndOfListActions DecideEndOfList(const EndOfListInput& In) {
  EndOfListActions Out;
  Out.StartShutdown = In.TurnOffComputerAfterPlay && !In.ShutdownFailed;
  Out.ClosePlayer = In.CloseWhenListEnds && In.AutoClosePlayerWhenFinished;
  Out.MainWindowToFront = !Out.ClosePlayer && In.VideoFullScreen && !In.DialogOpen;
  return Out;
}

bool FailedEntries::AllFailed(const std::vector<std::string>& Movies) const {
  if (Movies.empty() || FMovies.empty()) return false;
  return std::all_of(Movies.begin(), Movies.end(), [this](const std::string& M) { return FMovies.count(M) > 0; });
}

}  // namespace lc
