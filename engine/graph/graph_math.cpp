#include "engine/graph/graph_math.h"

#include <cmath>
#include <cstdlib>

namespace {
// Rounds to the nearest integer, halves to even.
int RoundEven(double Value) { return static_cast<int>(std::nearbyint(Value)); }
}  // namespace

int LinearVolumeToDB(int Volume) { return RoundEven(std::log(Volume + 1.0) * 1085.73) - 10000; }

int LinearBalanceToDB(int Balance) {
  if (Balance == 0) return 0;
  const int magnitude = RoundEven(std::log(std::abs(Balance) + 1.0) * 1085.73);
  return Balance > 0 ? -magnitude : magnitude;
}

int RefTimeToMilliSec(int64_t RefTime) { return static_cast<int>(RefTime / 10000); }

TTimeCodeDigits IntToTimeCode(uint32_t Value) {
  return {static_cast<uint8_t>(Value >> 28),        static_cast<uint8_t>((Value >> 24) & 15),
          static_cast<uint8_t>((Value >> 20) & 15), static_cast<uint8_t>((Value >> 16) & 15),
          static_cast<uint8_t>((Value >> 12) & 15), static_cast<uint8_t>((Value >> 8) & 15),
          static_cast<uint8_t>((Value >> 4) & 15),  static_cast<uint8_t>((Value >> 2) & 3),
          static_cast<uint8_t>(Value & 3)};
}

int MulDivRound(int A, int B, int C) {
  if (C == 0) return -1;
  const int64_t product = static_cast<int64_t>(A) * B;
  const int64_t half = std::llabs(C) / 2;
  const bool negative = (product < 0) != (C < 0);
  const int64_t magnitude = (std::llabs(product) + half) / std::llabs(C);
  return static_cast<int>(negative ? -magnitude : magnitude);
}

TRect StretchRect(const TRect& Target, const TRect& Source) {
  const int tw = Target.Width(), th = Target.Height();
  const int sw = Source.Width(), sh = Source.Height();
  int w, h;
  if (static_cast<double>(th) / sh > static_cast<double>(tw) / sw) {
    w = tw;
    h = MulDivRound(sh, tw, sw);
  } else {
    w = MulDivRound(sw, th, sh);
    h = th;
  }
  const int left = Target.Left + (tw - w) / 2;
  const int top = Target.Top + (th - h) / 2;
  return {left, top, left + w, top + h};
}
