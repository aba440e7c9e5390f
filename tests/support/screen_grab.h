// What the screen shows of a window, read back in one copy: the tests of
// the picture compare these pixels with what the player should show.
#pragma once

#include <cstdint>
#include <vector>

#include <windows.h>

namespace lctest {

class ScreenGrab {
 public:
  // The pixels of Window's client area as the screen shows them (empty
  // when the window has none).
  explicit ScreenGrab(HWND Window);

  int Width() const { return W; }
  int Height() const { return H; }
  int R(int X, int Y) const { return (At(X, Y) >> 16) & 0xFF; }
  int G(int X, int Y) const { return (At(X, Y) >> 8) & 0xFF; }
  int B(int X, int Y) const { return At(X, Y) & 0xFF; }
  // The mean of one channel (0 red, 1 green, 2 blue) over the Size x Size
  // square centred on (X, Y).
  double Mean(int X, int Y, int Size, int Channel) const;

 private:
  std::uint32_t At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * W + X]; }
  int W = 0, H = 0;
  std::vector<std::uint32_t> Pixels;
};

// The frame a stamped clip (scripts/make-test-media: in frame n the left
// half of the picture has luma 20 + 10 x (n mod 20), the right half
// 20 + 10 x (n div 20)) shows in the grabbed picture, read a third of the
// way down; -1 when the picture is no frame below Frames (black, grey
// or coloured).
int StampedFrame(const ScreenGrab& Picture, int Frames);
// The same for a long stamped clip (in frame n the top half's left third
// has luma 20 + 10 x (n mod 20), its middle third
// 20 + 10 x ((n div 20) mod 20), its right third 20 + 10 x (n div 400)),
// read a third of the way down the window.
int LongStampedFrame(const ScreenGrab& Picture, int Frames);
// Whether a yellow subtitle (SubtitleFontColor=65535) shows over the lower
// half of the grabbed picture.
bool ShowsYellowSubtitle(const ScreenGrab& Picture);

}  // namespace lctest
