#include "player/playback_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dates/date_time.h"
#include "settings/value_parse.h"

namespace lc {

using settings::RoundHalfEven;

RenderOutcome ClassifyRenderResult(std::int32_t Result) {
  switch (Result) {
    case 0:
    case kRenderPartial:
    case kRenderAudioNotRendered: return RenderOutcome::GoOn;
    case kRenderNoGraphA:
    case kRenderNoGraphB: return RenderOutcome::NoGraph;
    default: return RenderOutcome::Fail;
  }
}

double SaneFrameRate(double Rate) {
  if (!(Rate > 0.0) || Rate > 1000.0) return 25.0;
  const double Rounded = static_cast<double>(RoundHalfEven(Rate * 1000.0)) / 1000.0;
  return Rounded > 0.0 ? Rounded : 25.0;
}

double ChooseFrameRate(const std::vector<double>& StreamRates) {
  double Rate = 0.0;
  for (double R : StreamRates) {
    Rate = R;
    if (R >= 1.0 && R <= 60.0) break;
  }
  return SaneFrameRate(Rate);
}

bool MicroDvdNeedsRetiming(int SubtitleFormat, double FrameRate) {
  return SubtitleFormat == 1 && FrameRate != 25.0 && FrameRate == SaneFrameRate(FrameRate);
}

void RetimeMicroDvd(std::vector<std::int32_t>& Times, double FrameRate) {
  if (!MicroDvdNeedsRetiming(1, FrameRate)) return;
  for (std::int32_t& T : Times) T = static_cast<std::int32_t>(RoundHalfEven(T * 25.0 / FrameRate));
}

bool ReplayAtEnd(int RepeatMode, int MovieCount) {
  return RepeatMode == 1 || (RepeatMode == 2 && MovieCount <= 1);
}

std::vector<int> OpeningWarnings(const WarningInput& In) {
  std::vector<int> Shown;
  if (!In.OverlayInUse && !In.DoNotShowOverlayMessage) Shown.push_back(56);
  if (In.RenderResult == kRenderAudioNotRendered && !In.DoNotShowAudioStreamMessage) Shown.push_back(67);
  if (In.RenderResult == kRenderPartial && !In.DoNotShowStreamMessage) Shown.push_back(68);
  return Shown;
}

bool SameNativeSize(int Width, int Height, int PreviousWidth, int PreviousHeight) {
  if (Width <= 0 || Height <= 0) return false;
  const double DW = std::abs(Width - PreviousWidth) / static_cast<double>(Width);
  const double DH = std::abs(Height - PreviousHeight) / static_cast<double>(Height);
  return DW <= 0.05 && DH <= 0.05;
}

namespace {

// Keeps a tenth of the area reachable on both sides of one axis.
int KeepReachable(int Pos, int Size, int AreaStart, int AreaSize) {
  return std::max(std::min(Pos, AreaStart + AreaSize * 9 / 10), AreaStart + AreaSize / 10 - Size);
}

}  // namespace

std::optional<WindowPlace> OpeningWindowPlace(const OpeningPlaceInput& In) {
  WindowPlace P;
  const std::optional<WindowPlace>& Sized = In.Previous ? In.Previous : In.Entry;
  if (Sized) {
    P.Width = Sized->Width;
    P.Height = Sized->Height;
    P.X = In.Current.X + (In.Current.Width - P.Width) / 2;
    P.Y = In.Current.Y + (In.Current.Height - P.Height) / 2;
  } else if (In.LoadAtOriginalMovieSize) {
    P.Width = In.NativeWidth;
    P.Height = In.NativeHeight;
    P.X = In.Current.X + (In.ControlWidth - P.Width) / 2;
    P.Y = In.Current.Y + (In.ControlHeight - P.Height) / 2;
  } else {
    return std::nullopt;
  }
  P.X = KeepReachable(P.X, P.Width, In.AreaX, In.AreaWidth);
  P.Y = KeepReachable(P.Y, P.Height, In.AreaY, In.AreaHeight);
  return P;
}

AspectChoice AspectMenuFor(double Ratio, double NativeRatio) {
  auto Near = [Ratio](double Value) { return std::abs(Ratio - Value) <= 0.004; };
  if (Near(NativeRatio)) return AspectChoice::Original;
  if (Near(1.78)) return AspectChoice::Wide169;
  if (Near(1.33)) return AspectChoice::Standard43;
  if (Near(1.0)) return AspectChoice::Square11;
  return AspectChoice::Custom;
}

std::optional<std::int64_t> RememberedSeekTarget(std::int64_t Duration100ns, double LastPosition) {
  constexpr std::int64_t kFiveSeconds = 50000000;
  if (Duration100ns < kFiveSeconds || !(LastPosition > 0.0)) return std::nullopt;
  const double Target = LastPosition * 864000000000.0;
  if (Target >= static_cast<double>(Duration100ns - kFiveSeconds)) return std::nullopt;
  return RoundHalfEven(Target);
}

namespace {

std::string SixWide(long long Value) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "%6lld", Value);
  return Text;
}

}  // namespace

std::string StoppedTimesText(std::int64_t DurationMs, bool ShowFrames, double FrameRate) {
  if (ShowFrames) {
    const std::string F = SixWide(RoundHalfEven(static_cast<double>(DurationMs) * FrameRate / 1000.0));
    return F + " -      0 - " + F;
  }
  const std::string T = TimeToText(static_cast<double>(DurationMs) / 86400000.0);
  return T + " - 00:00:00 - " + T + " ";
}

std::string NoMovieTimesText(bool ShowFrames) {
  return ShowFrames ? "     0 -      0 -      0" : "00:00:00 - 00:00:00 - 00:00:00";
}

bool ActsWhileTheMovieRenders(Cmd Command) {
  switch (Command) {
    case Cmd::BtnStopClick:
    case Cmd::StopIfEnabled:
    case Cmd::StopForNewList:
    case Cmd::CloseMovie:
    case Cmd::CloseMovieKey:
    case Cmd::CloseMainWindow:
      return true;
    default:
      return false;
  }
}

}  // namespace lc
