#pragma once

#include "framework/types.h"

// True when the closed intervals [A1, A2] and [B1, B2] intersect
// (A1 <= A2 and B1 <= B2 are the caller's promise).
inline bool RangesOverlap(int A1, int A2, int B1, int B2) {
  return A1 <= B2 && B1 <= A2;
}
