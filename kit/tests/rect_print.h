#pragma once

#include <ostream>

#include "kit/geometry.h"

// Lets GoogleTest print rectangles in failure messages.
inline void PrintTo(const TRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << "," << R.Top << ")-(" << R.Right << "," << R.Bottom << ")";
}
