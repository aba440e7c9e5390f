// Shared helpers of the frame pipeline tests: studio-range BT.601 encoding
// of RGB colours and pixel channel access.
#pragma once

#include <cmath>
#include <cstdint>

struct TYuv {
  int Y, U, V;
};

inline TYuv EncodeYuv(int r, int g, int b) {
  const double y = 0.299 * r + 0.587 * g + 0.114 * b;
  const double u = (b - y) / 1.772, v = (r - y) / 1.402;
  return {int(std::lround(16 + y * 219 / 255)), int(std::lround(128 + u * 224 / 255)),
          int(std::lround(128 + v * 224 / 255))};
}

inline int Red(std::uint32_t p) { return int((p >> 16) & 255); }
inline int Green(std::uint32_t p) { return int((p >> 8) & 255); }
inline int Blue(std::uint32_t p) { return int(p & 255); }
