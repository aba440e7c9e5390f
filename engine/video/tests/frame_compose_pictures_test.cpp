// The compositor's pictures, pixel for pixel, in the places users meet:
// a 1080p movie in the default window and in full screen, the odd sizes of
// common movies and screens, every pixel format the renderer takes, crops
// and zooms, colour controls, enlarged and reduced pictures, a second
// movie after the first. Each picture is summed up by a hash of its
// pixels: a change made for speed must leave every one of them as it was.
#include "engine/video/frame_compose.h"

#include <cstdint>
#include <memory>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/video/frame_kernels.h"

namespace {

struct TLevelScope {
  explicit TLevelScope(TKernelLevel Level) { SetKernelLevel(Level); }
  ~TLevelScope() { SetKernelLevel(BestKernelLevel()); }
};

// A frame of random bytes (the same on every machine), rows Stride bytes
// long; an RGB32 frame stored bottom-up when BottomUp.
struct TFrame {
  TFrame(TPixelFormat Format, int Width, int Height, int Stride, bool BottomUp, unsigned Seed)
      : Data(FrameBytes(Format, Width, Height, Stride)) {
    std::mt19937 rng(Seed);
    for (auto& d : Data) d = std::uint8_t(rng() >> 7);
    View = DescribeFrame(Format, Data.data(), Width, Height, Stride, BottomUp);
  }
  std::vector<std::uint8_t> Data;
  TFrameView View;
};

// FNV-1a over the colour bytes of the target's pixels.
std::uint64_t HashOf(const TFrameCompositor& c) {
  std::uint64_t h = 14695981039346656037ull;
  const std::size_t n = std::size_t(c.Width()) * std::size_t(c.Height());
  for (std::size_t i = 0; i < n; ++i)
    for (int s = 0; s < 24; s += 8) h = (h ^ ((c.Pixels()[i] >> s) & 255)) * 1099511628211ull;
  return h;
}

const TColorSettings Neutral{};
const TColorSettings Adjusted{1200, 12500, 0, 14000, true};  // brightness, contrast, saturation
const TColorSettings Grey{750, 9000, 0, 10000, false};

struct TPictureCase {
  const char* What;
  TPixelFormat Format;
  int W, H, Stride;
  bool BottomUp;
  int TargetW, TargetH;
  TVideoRect Dest, Source;  // an empty source is the whole frame
  const TColorSettings* Colors;
  std::uint64_t Vector, Plain;  // the hash with the vector code and with the plain code
};

const TPictureCase Pictures[] = {
    {"1080p in the default window", TPixelFormat::I420, 1920, 1080, 1920, false, 460, 274,
     {0, 8, 460, 266}, {}, &Neutral,
     0x823f79711d3abdffull, 0x8a0ac995b9f5a2feull},
    {"1080p full screen", TPixelFormat::I420, 1920, 1080, 1920, false, 1920, 1080,
     {0, 1, 1920, 1079}, {}, &Neutral,
     0x087ce261ec9a8a4cull, 0x1b6e533b6d9321aaull},
    {"1080p on a 1366x768 screen", TPixelFormat::I420, 1920, 1080, 1920, false, 1366, 768,
     {0, 0, 1366, 768}, {}, &Adjusted,
     0xaf1369d33e5af540ull, 0x96611b725a78d9ecull},
    {"1080p NV12 in the window", TPixelFormat::NV12, 1920, 1080, 1920, false, 460, 274,
     {0, 8, 460, 266}, {}, &Neutral,
     0x5f57bdab73d8aa35ull, 0x5e44ea666f463071ull},
    {"854x480 in the window", TPixelFormat::I420, 854, 480, 864, false, 460, 274,
     {1, 8, 459, 266}, {}, &Adjusted,
     0x1cf6fe02e92ecdfeull, 0x5cf8ebd654a58473ull},
    {"854x480 YV12 on a 1366x768 screen", TPixelFormat::YV12, 854, 480, 854, false, 1366, 768,
     {0, 0, 1366, 768}, {}, &Neutral,
     0xe10aa9bc4d8b5397ull, 0xa837056dab8e30a9ull},
    {"854x480 NV12 a little reduced", TPixelFormat::NV12, 854, 480, 856, false, 700, 394,
     {0, 0, 700, 394}, {}, &Grey,
     0xaad1a972794c3cdeull, 0x35e282aa39cea0c0ull},
    {"odd 721x405 zoomed 7 % in the window", TPixelFormat::I420, 721, 405, 722, false, 460, 274,
     {0, 8, 460, 266}, {25, 14, 695, 391}, &Adjusted,
     0x04498b41fbfd155full, 0x131f4ceda932ce33ull},
    {"1080p panned and cut beyond the window", TPixelFormat::I420, 1920, 1080, 1920, false, 460,
     274, {-23, -11, 481, 291}, {101, 53, 1703, 953}, &Neutral,
     0xf38878b776a71ce7ull, 0xf96a160f1c3500b4ull},
    {"1080p squeezed sideways only", TPixelFormat::I420, 1920, 1080, 1920, false, 1003, 1080,
     {0, 0, 1003, 1080}, {}, &Adjusted,
     0x16cc5378c963e3d3ull, 0x316789fcdbdcaa10ull},
    {"1080p squeezed upright only", TPixelFormat::NV12, 1920, 1080, 1920, false, 1920, 601,
     {0, 0, 1920, 601}, {}, &Neutral,
     0xc197c08fe4638f7eull, 0xe581f7e85c4fdab2ull},
    {"720p YV12 zoomed in a 1366x768 window", TPixelFormat::YV12, 1280, 720, 1280, false, 1366,
     768, {0, 0, 1366, 768}, {64, 36, 1216, 684}, &Adjusted,
     0x6c018ee9ec13d03full, 0x0a2689eb332756eeull},
    {"YUY2 854x480 in the window", TPixelFormat::YUY2, 854, 480, 1708, false, 460, 274,
     {1, 8, 459, 266}, {}, &Adjusted,
     0x492df04c6d0be201ull, 0x492df04c6d0be201ull},
    {"UYVY 640x360 cropped in the window", TPixelFormat::UYVY, 640, 360, 1280, false, 460, 274,
     {0, 8, 460, 266}, {0, 20, 640, 340}, &Neutral,
     0x5b0e8bfc5ce07e62ull, 0x5b0e8bfc5ce07e62ull},
    {"RGB32 bottom-up 854x480 in the window", TPixelFormat::RGB32, 854, 480, 3416, true, 460, 274,
     {1, 8, 459, 266}, {}, &Adjusted,
     0xff7eea01dc970e07ull, 0xd6ed1c2839d109f2ull},
    {"RGB32 720p on a 1366x768 screen", TPixelFormat::RGB32, 1280, 720, 5120, false, 1366, 768,
     {0, 0, 1366, 768}, {}, &Neutral,
     0xbec0044c932291c1ull, 0xbec0044c932291c1ull},
};

std::uint64_t Compose(TFrameCompositor& c, const TPictureCase& p, const TFrameView& Frame) {
  c.SetTarget(p.TargetW, p.TargetH);
  c.SetPlacement(p.Dest, p.Source);
  c.SetColors(*p.Colors);
  c.Compose(Frame);
  return HashOf(c);
}

TEST(FrameCompositorPictures, StayAsTheyWere) {
  for (TKernelLevel level : {TKernelLevel::Plain, TKernelLevel::Sse2, TKernelLevel::Avx2}) {
    if (level > BestKernelLevel()) continue;
    TLevelScope scope(level);
    for (const TPictureCase& p : Pictures) {
      const TFrame frame(p.Format, p.W, p.H, p.Stride, p.BottomUp, 7);
      TFrameCompositor c;
      c.SetBackground(0x102030);
      const std::uint64_t expected = level == TKernelLevel::Plain ? p.Plain : p.Vector;
      EXPECT_EQ(Compose(c, p, frame.View), expected) << p.What << ", level " << int(level);
    }
  }
}

// One compositor shows one movie, another after it (of another format at
// the same size and place, too), the first again and repaints in between
// (as paused): each picture is the one a fresh compositor makes.
TEST(FrameCompositorPictures, ASecondMovieIsDrawnAsTheFirst) {
  const TPictureCase* order[] = {&Pictures[0], &Pictures[3],  &Pictures[4], &Pictures[12],
                                 &Pictures[0], &Pictures[1], &Pictures[14], &Pictures[7]};
  TFrameCompositor c;
  c.SetBackground(0x102030);
  for (const TPictureCase* p : order) {
    const TFrame frame(p->Format, p->W, p->H, p->Stride, p->BottomUp, 7);
    EXPECT_EQ(Compose(c, *p, frame.View), p->Vector) << p->What;
    c.Compose(frame.View);  // a repaint
    EXPECT_EQ(HashOf(c), p->Vector) << p->What << ", repainted";
  }
}

}  // namespace
