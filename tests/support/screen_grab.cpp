#include "tests/support/screen_grab.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace lctest {

ScreenGrab::ScreenGrab(HWND Window) {
  RECT Client{};
  POINT Origin{0, 0};
  if (!GetClientRect(Window, &Client) || !ClientToScreen(Window, &Origin)) return;
  W = Client.right;
  H = Client.bottom;
  if (W <= 0 || H <= 0) {
    W = H = 0;
    return;
  }
  Pixels.resize(static_cast<std::size_t>(W) * H);
  HDC Screen = GetDC(nullptr);
  HDC Memory = CreateCompatibleDC(Screen);
  BITMAPINFO Info{};
  Info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  Info.bmiHeader.biWidth = W;
  Info.bmiHeader.biHeight = -H;
  Info.bmiHeader.biPlanes = 1;
  Info.bmiHeader.biBitCount = 32;
  Info.bmiHeader.biCompression = BI_RGB;
  void* Bits = nullptr;
  HBITMAP Bitmap = CreateDIBSection(Screen, &Info, DIB_RGB_COLORS, &Bits, nullptr, 0);
  HGDIOBJ Old = SelectObject(Memory, Bitmap);
  BitBlt(Memory, 0, 0, W, H, Screen, Origin.x, Origin.y, SRCCOPY);
  GdiFlush();
  std::memcpy(Pixels.data(), Bits, Pixels.size() * 4);
  SelectObject(Memory, Old);
  DeleteObject(Bitmap);
  DeleteDC(Memory);
  ReleaseDC(nullptr, Screen);
}

double ScreenGrab::Mean(int X, int Y, int Size, int Channel) const {
  double Sum = 0;
  int Count = 0;
  for (int V = Y - Size / 2; V < Y - Size / 2 + Size; ++V)
    for (int U = X - Size / 2; U < X - Size / 2 + Size; ++U) {
      if (U < 0 || V < 0 || U >= W || V >= H) continue;
      Sum += (At(U, V) >> (16 - 8 * Channel)) & 0xFF;
      ++Count;
    }
  return Count ? Sum / Count : 0;
}

namespace {

// One half's digit from its grey (screen levels of the video luma).
int StampDigit(double Grey) { return int(std::lround((Grey * 219.0 / 255.0 + 16.0 - 20.0) / 10.0)); }

}  // namespace

int StampedFrame(const ScreenGrab& Picture, int Frames) {
  const int W = Picture.Width(), H = Picture.Height();
  if (W < 16 || H < 16) return -1;
  const double Left = Picture.Mean(W / 4, H / 3, 9, 1), Right = Picture.Mean(3 * W / 4, H / 3, 9, 1);
  const int Low = StampDigit(Left), High = StampDigit(Right);
  const bool Grey = std::abs(Picture.Mean(W / 4, H / 3, 9, 0) - Left) < 12;
  return Low >= 0 && Low < 20 && High >= 0 && 20 * High + Low < Frames && Grey ? 20 * High + Low : -1;
}

int LongStampedFrame(const ScreenGrab& Picture, int Frames) {
  const int W = Picture.Width(), H = Picture.Height();
  if (W < 24 || H < 16) return -1;
  const double Low = Picture.Mean(W / 6, H / 3, 9, 1), Middle = Picture.Mean(W / 2, H / 3, 9, 1),
               High = Picture.Mean(5 * W / 6, H / 3, 9, 1);
  const int Digits[] = {StampDigit(Low), StampDigit(Middle), StampDigit(High)};
  for (const int Digit : Digits)
    if (Digit < 0 || Digit >= 20) return -1;
  const bool Grey = std::abs(Picture.Mean(W / 6, H / 3, 9, 0) - Low) < 12;
  const int Frame = 400 * Digits[2] + 20 * Digits[1] + Digits[0];
  return Grey && Frame < Frames ? Frame : -1;
}

bool ShowsYellowSubtitle(const ScreenGrab& Picture) {
  for (int Y = Picture.Height() / 2; Y < Picture.Height(); ++Y)
    for (int X = 0; X < Picture.Width(); ++X)
      if (Picture.R(X, Y) > 200 && Picture.G(X, Y) > 200 && Picture.B(X, Y) < 80) return true;
  return false;
}

}  // namespace lctest
