#include "tools/dialog_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "kit/word_wrap.h"
#include "settings/value_parse.h"

namespace lc::tools {

namespace {

using lc::settings::RoundHalfEven;

bool Digit(char C) { return C >= '0' && C <= '9'; }

std::string TwoDigits(std::int64_t Value) {
  char Text[32];
  std::snprintf(Text, sizeof Text, "%02lld", static_cast<long long>(Value));
  return Text;
}

// A time of day of Seconds, hours wrapping at 24.
std::string TimeOfDay(std::int64_t Seconds) {
  return SecondsToHMS(Seconds % 86400);
}

}  // namespace

std::string SecondsToHMS(std::int64_t Seconds) {
  return TwoDigits(Seconds / 3600) + ":" + TwoDigits(Seconds % 3600 / 60) + ":" + TwoDigits(Seconds % 60);
}

std::optional<std::int64_t> ParseJumpTime(const std::string& T) {
  if (T.size() != 8 || !Digit(T[0]) || !Digit(T[1]) || T[2] != ':' || T[3] < '0' || T[3] > '5' ||
      !Digit(T[4]) || T[5] != ':' || T[6] < '0' || T[6] > '5' || !Digit(T[7]))
    return std::nullopt;
  const auto Pair = [&](int I) { return (T[I] - '0') * 10 + (T[I + 1] - '0'); };
  return Pair(0) * 3600LL + Pair(3) * 60LL + Pair(6);
}

bool JumpEditAccepts(wchar_t Key) { return Key == 8 || Key == L':' || (Key >= L'0' && Key <= L'9'); }

std::string JumpOsdText(std::int64_t Position, std::int64_t DurationMs, bool ShowFrames, double FrameRate) {
  const long long Percent =
      DurationMs > 0 ? RoundHalfEven(static_cast<double>(Position) / (static_cast<double>(DurationMs) * 100)) : 0;
  const std::string Tail = " (" + std::to_string(Percent) + "%)";
  if (!ShowFrames) return TimeOfDay(Position / 10000000) + " / " + TimeOfDay(DurationMs / 1000) + Tail;
  char Frame[32];
  std::snprintf(Frame, sizeof Frame, "%6lld", static_cast<long long>(RoundHalfEven(Position * FrameRate / 1e7)));
  return Frame + (" / " + std::to_string(RoundHalfEven(DurationMs * FrameRate / 1000)) + Tail);
}

TSliderKey AspectRatioKey(wchar_t Key) {
  using A = TSliderKey::TAction;
  if (Key >= L'0' && Key <= L'3') {
    const int P = (Key - L'0') * 100;
    return {A::Set, P < kAspectMin ? kAspectMin : P};
  }
  if (Key == L'A' || Key == L'a' || Key == 13) return {A::Close, 0};
  if (Key == 27) return {A::Cancel, 0};
  return {};
}

TSliderKey PanScanKey(wchar_t Key) {
  using A = TSliderKey::TAction;
  if (Key == L'0') return {A::Set, 0};
  if (Key == L'P' || Key == L'p' || Key == 13) return {A::Close, 0};
  if (Key == 27) return {A::Cancel, 0};
  return {};
}

int AspectPosition(double Ratio) { return static_cast<int>(RoundHalfEven(Ratio * 100)); }

std::optional<int> RestoreAspectPosition(int NativeWidth, int NativeHeight, double Ratio) {
  if (NativeHeight <= 0) return std::nullopt;
  const int R = static_cast<int>(RoundHalfEven(NativeWidth * 100.0 / NativeHeight));
  if (std::fabs(Ratio - R * 0.01) < 0.01) return std::nullopt;
  return R;
}

int ElapsedSeconds(std::uint64_t StartMs, std::uint64_t NowMs) {
  return NowMs <= StartMs ? 0 : static_cast<int>((NowMs - StartMs) / 1000);
}

std::string CountdownText(const std::string& Before, int Elapsed, const std::string& After) {
  return Before + " " + std::to_string(kCountdownSeconds - Elapsed) + " " + After;
}

TCountdownLayout FitCountdownText(const std::wstring& Text, int FontHeight, const TTextRoom& Room,
                                  const TTextMetrics& Metrics) {
  TCountdownLayout L;
  for (L.FontHeight = std::max(FontHeight, 1);; --L.FontHeight) {
    const int Height = L.FontHeight;
    L.Lines = WrapLines(Text, Room.Width, [&](const std::wstring& Line) { return Metrics.Width(Height, Line); });
    const int Block = static_cast<int>(L.Lines.size()) * Metrics.LineHeight(Height);
    if (Block <= Room.Bottom - Room.Top) {
      L.Top = Room.Top;
      return L;
    }
    if (Block <= Room.Bottom - Room.Highest || Height == 1) {
      L.Top = std::max(Room.Highest + (Room.Bottom - Room.Highest - Block) / 2, Room.Highest);
      return L;
    }
  }
}

std::string OneTabPerLine(const std::string& Text) {
  std::string Out;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    if (Text[I] == '\t' && I > 0 && Text[I - 1] == '\t') continue;
    Out += Text[I];
  }
  return Out;
}

}  // namespace lc::tools
