#include "kit/widget_links.h"

#include <algorithm>

void AddRmsChangeScore(TPlaybackLink& Link, long long Amount) {
  long long Score = std::min<long long>(RmsChangeScoreCap, Link.RmsChangeScore() + Amount);
  Link.SetRmsChangeScore(static_cast<int>(Score));
}
