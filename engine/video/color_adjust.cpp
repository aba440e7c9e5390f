#include "engine/video/color_adjust.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/video/frame_kernels.h"

namespace {

constexpr double FixedOne = 1 << ColorFracBits;

int32_t Fixed(double v) { return static_cast<int32_t>(std::lround(v * FixedOne)); }

// A coefficient in units of 1/2048, limited to what 16 bits hold.
int16_t Q11(double v) {
  return static_cast<int16_t>(std::clamp<long>(std::lround(v * 2048.0), -32768, 32767));
}

// The linear model of the settings: out luma = Gain * luma + Offset, out
// chroma = Chroma * chroma (2x2, rows Cb', Cr').
struct TLinear {
  double Gain, Offset;
  double Chroma[2][2];
};

TLinear LinearOf(const TColorSettings& s) {
  TLinear l;
  l.Gain = s.Contrast / 10000.0;
  l.Offset = (s.Brightness - 750) / 10000.0 * 255.0;
  const double k = s.ColorEnable ? l.Gain * s.Saturation / 10000.0 : 0.0;
  const double a = s.Hue * std::numbers::pi / 180.0;
  const double c = std::cos(a), n = std::sin(a);
  l.Chroma[0][0] = k * c;
  l.Chroma[0][1] = -k * n;
  l.Chroma[1][0] = k * n;
  l.Chroma[1][1] = k * c;
  return l;
}

// Full-range BT.601 RGB -> YCbCr and back.
constexpr double ToYcc[3][3] = {{0.299, 0.587, 0.114},
                                {-0.168736, -0.331264, 0.5},
                                {0.5, -0.418688, -0.081312}};
constexpr double ToRgb[3][3] = {{1.0, 0.0, 1.402},
                                {1.0, -0.344136, -0.714136},
                                {1.0, 1.772, 0.0}};

struct TClampTable {
  std::uint8_t Values[4096];
  TClampTable() {
    for (int i = 0; i < 4096; ++i) Values[i] = static_cast<std::uint8_t>(std::clamp(i - 2048, 0, 255));
  }
};
const TClampTable ClampTable;

}  // namespace

const std::uint8_t* const ByteClamp = ClampTable.Values + 2048;

bool TColorSettings::Neutral() const {
  return Brightness == 750 && Contrast == 10000 && Hue == 0 && Saturation == 10000 &&
         ColorEnable;
}

void TYuvTables::Build(const TColorSettings& Settings) {
  const TLinear l = LinearOf(Settings);
  // Output chroma coefficient of Cb (column 0) and Cr (column 1) for each
  // RGB channel: ToRgb's chroma columns times the chroma matrix.
  double coef[3][2];
  for (int ch = 0; ch < 3; ++ch)
    for (int in = 0; in < 2; ++in)
      coef[ch][in] = ToRgb[ch][1] * l.Chroma[0][in] + ToRgb[ch][2] * l.Chroma[1][in];
  const double ys = 255.0 / 219.0, cs = 255.0 / 224.0;
  Q[0] = Q11(l.Gain * ys);
  for (int ch = 0; ch < 3; ++ch) {
    Q[1 + 2 * ch] = Q11(coef[ch][0] * cs);
    Q[2 + 2 * ch] = Q11(coef[ch][1] * cs);
  }
  Offset4 = static_cast<int16_t>(std::lround(l.Offset * 4));
  for (int i = 0; i < 256; ++i) {
    const double y = (i - 16) * 255.0 / 219.0;
    const double c = (i - 128) * 255.0 / 224.0;
    Y[i] = Fixed(l.Gain * y + l.Offset + 0.5);
    RU[i] = Fixed(coef[0][0] * c);
    RV[i] = Fixed(coef[0][1] * c);
    GU[i] = Fixed(coef[1][0] * c);
    GV[i] = Fixed(coef[1][1] * c);
    BU[i] = Fixed(coef[2][0] * c);
    BV[i] = Fixed(coef[2][1] * c);
  }
}

void TRgbTables::Build(const TColorSettings& Settings) {
  const TLinear l = LinearOf(Settings);
  // A = diag(Gain, Chroma); matrix = ToRgb * A * ToYcc.
  const double a[3][3] = {{l.Gain, 0, 0},
                          {0, l.Chroma[0][0], l.Chroma[0][1]},
                          {0, l.Chroma[1][0], l.Chroma[1][1]}};
  double ay[3][3] = {}, m[3][3] = {};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c)
      for (int k = 0; k < 3; ++k) ay[r][c] += a[r][k] * ToYcc[k][c];
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      for (int k = 0; k < 3; ++k) m[r][c] += ToRgb[r][k] * ay[k][c];
      Q[r][c] = Q11(m[r][c]);
    }
  Offset4 = static_cast<int16_t>(std::lround(l.Offset * 4));
  if (Settings.Neutral()) {
    Kind = TKind::Identity;
  } else if (Settings.Hue == 0 && Settings.ColorEnable && Settings.Saturation == 10000) {
    // Luma and chroma get the same gain: every channel maps on its own.
    Kind = TKind::PerChannel;
    for (int i = 0; i < 256; ++i) {
      const long v = std::lround(l.Gain * i + l.Offset);
      Lut[i] = static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
    }
  } else {
    Kind = TKind::Matrix;
    // The offset is the same for every channel; it rides on the red input.
    for (int out = 0; out < 3; ++out)
      for (int in = 0; in < 3; ++in)
        for (int v = 0; v < 256; ++v)
          M[out][in][v] = Fixed(m[out][in] * v + (in == 0 ? l.Offset : 0.0));
  }
}

void TRgbTables::Apply(uint32_t* Pixels, int Count) const {
  if (Kind == TKind::Identity) return;
  const int done = RgbMatrixSimd(Pixels, nullptr, Count, *this, Pixels);
  Pixels += done;
  Count -= done;
  if (Kind == TKind::PerChannel) {
    for (int i = 0; i < Count; ++i) {
      const uint32_t p = Pixels[i];
      Pixels[i] = (uint32_t(Lut[(p >> 16) & 255]) << 16) | (uint32_t(Lut[(p >> 8) & 255]) << 8) |
                  Lut[p & 255];
    }
    return;
  }
  for (int i = 0; i < Count; ++i) {
    const uint32_t p = Pixels[i];
    const unsigned r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
    const std::uint8_t R = ClampFixed(M[0][0][r] + M[0][1][g] + M[0][2][b]);
    const std::uint8_t G = ClampFixed(M[1][0][r] + M[1][1][g] + M[1][2][b]);
    const std::uint8_t B = ClampFixed(M[2][0][r] + M[2][1][g] + M[2][2][b]);
    Pixels[i] = (uint32_t(R) << 16) | (uint32_t(G) << 8) | B;
  }
}
