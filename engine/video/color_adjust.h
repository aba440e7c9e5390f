// Software colour controls in the overlay mixer's own units: brightness
// 0..10000 (hundredths of an IRE, 750 is the neutral 7.5 IRE set-up),
// contrast and saturation 0..20000 (hundredths of a percent, 10000 is unity
// gain), hue -180..180 degrees, and the colour switch (off gives grey).
//
// The settings become per-frame lookup tables. Brightness adds (B - 750) /
// 10000 of full white to the luma; contrast scales the whole signal (luma
// and chroma, as a picture-level gain); saturation scales the chroma; hue
// rotates the chroma vector (Cb, Cr) by the angle, counter-clockwise.
// Everything is linear, so a YUV source folds the controls into its
// conversion tables and an RGB source gets one 3x3 matrix plus an offset.
#pragma once

#include <array>
#include <cstdint>

struct TColorSettings {
  int Brightness = 750;
  int Contrast = 10000;
  int Hue = 0;
  int Saturation = 10000;
  bool ColorEnable = true;

  bool operator==(const TColorSettings&) const = default;
  // The settings leave every pixel as it is.
  bool Neutral() const;
};

// Fixed-point scale of the table entries: value << ColorFracBits.
inline constexpr int ColorFracBits = 10;

// Clamps a fixed-point table sum to a byte (with rounding).
inline std::uint8_t ClampFixed(int32_t v) {
  v = (v + (1 << (ColorFracBits - 1))) >> ColorFracBits;
  return static_cast<std::uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v));
}

// Byte clamp by table for sums of the YUV tables: ByteClamp[v >>
// ColorFracBits] for -2048 <= v >> ColorFracBits < 2048 (the tables' sums
// stay well inside).
extern const std::uint8_t* const ByteClamp;

// Tables for 8-bit studio-range YCbCr (BT.601) to full-range RGB with the
// colour controls applied: R = Y[y] + RU[u] + RV[v], G = Y[y] + GU[u] +
// GV[v], B = Y[y] + BU[u] + BV[v], each in fixed point. Y holds the
// rounding term, so ByteClamp[sum >> ColorFracBits] is the byte.
struct TYuvTables {
  std::array<int32_t, 256> Y, RU, RV, GU, GV, BU, BV;
  // The same model as 16-bit coefficients for the vector kernels, in units
  // of 1/2048: R = (Q[0] (y - 16) + Q[1] (u - 128) + Q[2] (v - 128)) / 2048
  // + Offset, G with Q[3], Q[4], B with Q[5], Q[6]; Offset4 is 4 Offset.
  int16_t Q[7];
  int16_t Offset4;
  void Build(const TColorSettings& Settings);
};

// Tables for RGB sources. Kind tells the cheapest exact path: Identity
// copies pixels, PerChannel maps each channel through Lut, Matrix sums
// M[out][in][value] over the three inputs (offset folded into the first).
struct TRgbTables {
  enum class TKind { Identity, PerChannel, Matrix };
  TKind Kind = TKind::Identity;
  std::array<std::uint8_t, 256> Lut;
  // M[out][in]: out and in are 0 = red, 1 = green, 2 = blue.
  std::array<std::array<std::array<int32_t, 256>, 3>, 3> M;
  // The matrix in units of 1/2048 (Q[out][in]) and 4 times the offset,
  // for the vector kernels.
  int16_t Q[3][3];
  int16_t Offset4;
  void Build(const TColorSettings& Settings);
  // Applies the tables to Count pixels of 0x00RRGGBB in place.
  void Apply(uint32_t* Pixels, int Count) const;
};
