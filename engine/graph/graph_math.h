// The plain arithmetic of the graph component: the logarithmic volume and
// balance mappings, time conversions, the DVD time-code split and the
// fitting of a picture into a rectangle. No platform header.
#pragma once

#include <array>
#include <cstdint>

#include "framework/types.h"

// Round(ln(v + 1) x 1085.73) - 10000: 0 gives -10000 (silence), 10000 gives
// 0 (full volume), in hundredths of a decibel.
int LinearVolumeToDB(int Volume);

// Round(ln(|b| + 1) x 1085.73) with the sign opposite to b's; 0 for 0.
int LinearBalanceToDB(int Balance);

// 100-ns reference time to milliseconds, truncating toward zero.
int RefTimeToMilliSec(int64_t RefTime);

// The nine digit fields of a DVD time code, from the top: bits 28-31,
// 24-27, 20-23, 16-19, 12-15, 8-11, 4-7, 2-3 and 0-1.
using TTimeCodeDigits = std::array<uint8_t, 9>;
TTimeCodeDigits IntToTimeCode(uint32_t Value);

// The platform's rounding multiply-divide: A x B / C rounded half away
// from zero, computed in 64 bits; -1 when C is 0.
int MulDivRound(int A, int B, int C);

// The largest rectangle with Source's proportions that fits Target,
// centred in it.
TRect StretchRect(const TRect& Target, const TRect& Source);
