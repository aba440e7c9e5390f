#pragma once

#include <ostream>

#include "kit/kit_rect.h"

// Lets GoogleTest print rectangles in failure messages.
inline void PrintTo(const TKitRect& R, std::ostream* Os) {
  *Os << "(" << R.Left << "," << R.Top << ")-(" << R.Right << "," << R.Bottom << ")";
}
