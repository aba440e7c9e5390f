// Prints the frames per second of the video control's compositor: a frame
// scaled into the window, colour controls on, the on-screen display and
// subtitle bands laid over it. One thread. Then a 3840 x 2160 picture,
// shown whole on a screen of its size and on a 1920 x 1080 one, with the
// AVX2 code and with the SSE2 code. First, the two states a user meets
// most: a 1080p movie in the default window and in full screen, placed as
// the player places it, neutral colours, a small on-screen text.
//
//   bench_video [sse2|plain]   narrows the vector code of the first two
//                              tables (default: the widest the processor has)
//   bench_video states         only the player's states
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "engine/video/frame_compose.h"
#include "engine/video/frame_kernels.h"

namespace {

constexpr std::uint32_t Key = 0x100010;

// A decoded frame of the given format filled with a moving pattern.
std::vector<std::uint8_t> MakeFrame(TPixelFormat Format, int W, int H) {
  const int stride = NaturalStride(Format, W);
  std::vector<std::uint8_t> data(FrameBytes(Format, W, H, stride));
  for (std::size_t i = 0; i < data.size(); ++i)
    data[i] = static_cast<std::uint8_t>((i * 7 + i / 1913) & 255);
  return data;
}

// A window-sized layer: borders keyed, text-like strokes in a band at the
// top and two lines at the bottom.
std::shared_ptr<TKeyedLayer> MakeBands(int W, int H) {
  std::vector<std::uint32_t> px(std::size_t(W) * H, Key);
  auto strokes = [&](int top, int bottom, int left, int right) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x)
        if (((x / 3) + (y / 4)) % 3 == 0) px[std::size_t(y) * W + x] = (x % 5) ? 0x00FF00 : 0;
  };
  strokes(H / 10, H / 10 + H / 14, W / 10, W / 2);
  strokes(H - H / 5, H - H / 10, W / 6, W - W / 6);
  return std::make_shared<TKeyedLayer>(px.data(), W, H, W, Key);
}

// Frames per second of C composing Frame, after a warm-up.
double FramesPerSecond(TFrameCompositor& c, const TFrameView& frame) {
  c.Compose(frame);  // warm-up
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  int frames = 0;
  double seconds = 0;
  do {
    for (int i = 0; i < 20; ++i) c.Compose(frame);
    frames += 20;
    seconds = std::chrono::duration<double>(Clock::now() - start).count();
  } while (seconds < 1.5);
  return frames / seconds;
}

void Run(TPixelFormat Format, int W, int H, int WinW, int WinH, const char* Level = "") {
  const auto data = MakeFrame(Format, W, H);
  const TFrameView frame =
      DescribeFrame(Format, data.data(), W, H, NaturalStride(Format, W), false);
  TFrameCompositor c;
  c.SetTarget(WinW, WinH);
  // Letter-boxed in the window, 5 % digital zoom.
  const int picH = WinW * H / W;
  const int top = (WinH - picH) / 2;
  c.SetPlacement({0, top, WinW, top + picH}, ZoomSourceRect(W, H, 5));
  c.SetColors({1500, 12000, 15, 13000, true});
  c.SetLayer(MakeBands(WinW, WinH));
  std::printf("%-5s %4dx%-4d -> window %4dx%-4d  %8.1f frames/s%s%s\n", PixelFormatName(Format), W, H,
              WinW, WinH, FramesPerSecond(c, frame), *Level ? "  " : "", Level);
}

// A 1920 x 1080 frame of Format as the player shows it: the picture
// rectangle Dest of a WinW x WinH window, colours neutral, an on-screen
// text in the top left corner.
void RunPlayerState(const char* State, TPixelFormat Format, int WinW, int WinH, TVideoRect Dest) {
  const int W = 1920, H = 1080;
  const auto data = MakeFrame(Format, W, H);
  const TFrameView frame =
      DescribeFrame(Format, data.data(), W, H, NaturalStride(Format, W), false);
  TFrameCompositor c;
  c.SetTarget(WinW, WinH);
  c.SetPlacement(Dest, {});
  std::vector<std::uint32_t> px(std::size_t(WinW) * WinH, Key);
  for (int y = 10; y < 40; ++y)
    for (int x = 10; x < 200; ++x)
      if ((x + y) % 3 == 0) px[std::size_t(y) * WinW + x] = 0x00FF00;
  c.SetLayer(std::make_shared<TKeyedLayer>(px.data(), WinW, WinH, WinW, Key));
  const double fps = FramesPerSecond(c, frame);
  std::printf("%-12s %-5s 1920x1080 -> %4dx%-4d picture %4dx%-4d %8.1f frames/s %6.2f ms/frame\n",
              State, PixelFormatName(Format), WinW, WinH, Dest.Width(), Dest.Height(), fps, 1000 / fps);
}

const char* LevelName(TKernelLevel Level) {
  switch (Level) {
    case TKernelLevel::Plain: return "plain C++";
    case TKernelLevel::Sse2: return "SSE2";
    case TKernelLevel::Avx2: return "AVX2";
  }
  return "?";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "sse2") == 0) SetKernelLevel(TKernelLevel::Sse2);
  if (argc > 1 && std::strcmp(argv[1], "plain") == 0) SetKernelLevel(TKernelLevel::Plain);
  std::printf("The player's states, one core, vector code: %s\n", LevelName(KernelLevel()));
  for (TPixelFormat f : {TPixelFormat::I420, TPixelFormat::NV12, TPixelFormat::YUY2, TPixelFormat::RGB32}) {
    RunPlayerState("full screen", f, 1920, 1080, {0, 1, 1920, 1079});
    RunPlayerState("window", f, 460, 274, {0, 8, 460, 266});
  }
  if (argc > 1 && std::strcmp(argv[1], "states") == 0) return 0;
  std::printf("\nCompositor, one core: colour controls on (brightness, contrast, hue, saturation),\n"
              "both bands painted, picture letter-boxed with a 5 %% digital zoom (so every\n"
              "case rescales, bilinear); vector code: %s\n",
              LevelName(KernelLevel()));
  const struct { int W, H, WinW, WinH; } sizes[] = {
      {1920, 1080, 1920, 1080}, {1920, 1080, 1280, 720}, {1280, 720, 1280, 720},
      {1280, 720, 1920, 1080}};
  for (TPixelFormat f : {TPixelFormat::RGB32, TPixelFormat::I420})
    for (const auto& s : sizes) Run(f, s.W, s.H, s.WinW, s.WinH);

  std::printf("\n3840 x 2160, the same composition, by vector code:\n");
  const TKernelLevel first = KernelLevel();
  for (TKernelLevel level : {TKernelLevel::Avx2, TKernelLevel::Sse2}) {
    if (level > BestKernelLevel()) {
      std::printf("(%s: not on this processor)\n", LevelName(level));
      continue;
    }
    SetKernelLevel(level);
    for (TPixelFormat f : {TPixelFormat::RGB32, TPixelFormat::I420})
      for (int winW : {3840, 1920}) Run(f, 3840, 2160, winW, winW * 9 / 16, LevelName(level));
  }
  SetKernelLevel(first);
  return 0;
}
