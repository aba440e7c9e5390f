// Sample flow through a real graph: the colour-bar test file rendered into
// the video control's own renderer, paused, run, sought and ended.
#include "engine/filters/video_renderer.h"

#include <atomic>
#include <mutex>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "tests/support/process.h"

namespace {

// Keeps the last frame presented, converted to RGB.
class TFramePresenter : public IVideoFramePresenter {
 public:
  void PresentFrame(const TFrameView& Frame) override {
    std::lock_guard<std::mutex> lock(Lock);
    Width = Frame.Width;
    Height = Frame.Height;
    Format = Frame.Format;
    Pixels.resize(std::size_t(Width) * Height);
    ConvertFrame(Frame, TColorSettings{}, Pixels.data(), Width);
    ++Frames;
  }
  void PlacementChanged() override { ++Placements; }
  void StreamReset() override { ++Resets; }

  std::uint32_t Pixel(int x, int y) {
    std::lock_guard<std::mutex> lock(Lock);
    return Pixels.empty() ? 0xDEADBEEF : Pixels[std::size_t(y) * Width + x];
  }

  std::mutex Lock;
  std::vector<std::uint32_t> Pixels;
  int Width = 0, Height = 0;
  TPixelFormat Format = TPixelFormat::RGB32;
  std::atomic<int> Frames{0}, Placements{0}, Resets{0};
};

template <class T>
struct TComPtr {
  T* P = nullptr;
  ~TComPtr() {
    if (P) P->Release();
  }
  T* operator->() const { return P; }
  T** operator&() { return &P; }
};

class VideoRendererGraph : public ::testing::Test {
 protected:
  void SetUp() override {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ASSERT_EQ(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER,
                               IID_IGraphBuilder, reinterpret_cast<void**>(&Graph.P)),
              S_OK);
    Renderer = new TVideoFrameRenderer();
    Renderer->SetPresenter(&Presenter);
    ASSERT_EQ(Graph->AddFilter(Renderer, L"Video"), S_OK);
    ASSERT_TRUE(SUCCEEDED(Graph->RenderFile(lctest::MediaPath("bars.mp4").c_str(), nullptr)));
    Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&Control.P));
    Graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&Seeking.P));
    Graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&Events.P));
  }
  void TearDown() override {
    if (Control.P) Control->Stop();
    Renderer->SetPresenter(nullptr);
    Renderer->Release();
  }

  // Waits until Count frames were presented in all.
  bool WaitFrames(int Count, DWORD Ms = 5000) {
    for (DWORD t = 0; t < Ms; t += 20) {
      if (Presenter.Frames >= Count) return true;
      Sleep(20);
    }
    return false;
  }

  void ExpectBars() {
    const int w = Presenter.Width, h = Presenter.Height;
    const struct { int X; std::uint32_t Rgb; } bars[] = {
        {w / 8, 0xFF0000}, {w * 3 / 8, 0x00FF00}, {w * 5 / 8, 0x0000FF}, {w * 7 / 8, 0xFFFFFF}};
    for (const auto& b : bars) {
      const std::uint32_t p = Presenter.Pixel(b.X, h / 2);
      for (int shift : {16, 8, 0})
        EXPECT_NEAR(int((p >> shift) & 255), int((b.Rgb >> shift) & 255), 12)
            << "bar at x=" << b.X << " pixel " << std::hex << p;
    }
  }

  TComPtr<IGraphBuilder> Graph;
  TComPtr<IMediaControl> Control;
  TComPtr<IMediaSeeking> Seeking;
  TComPtr<IMediaEvent> Events;
  TVideoFrameRenderer* Renderer = nullptr;
  TFramePresenter Presenter;
};

TEST_F(VideoRendererGraph, ConnectsAndReportsTheVideoSize) {
  EXPECT_TRUE(Renderer->InputPin()->IsConnected());
  // RGB32 is taken whenever the decoder offers it.
  IPin* upstream = Renderer->InputPin()->GetConnected();
  if (OffersRgb32(upstream)) {
    EXPECT_EQ(Renderer->Format().Format, TPixelFormat::RGB32);
  }
  TComPtr<IBasicVideo> video;
  ASSERT_EQ(Graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video.P)), S_OK);
  long w = 0, h = 0;
  EXPECT_EQ(video->GetVideoSize(&w, &h), S_OK);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
}

TEST_F(VideoRendererGraph, PauseShowsTheFirstFrameAndKeepsIt) {
  ASSERT_TRUE(Control.P);
  Control->Pause();
  OAFilterState state;
  Control->GetState(5000, &state);
  EXPECT_EQ(state, State_Paused);
  ASSERT_TRUE(WaitFrames(1));
  ExpectBars();
  IMediaSample* kept = Renderer->LastSample();
  EXPECT_NE(kept, nullptr);
  if (kept) kept->Release();
  const int shown = Presenter.Frames;
  Sleep(300);
  EXPECT_EQ(Presenter.Frames.load(), shown);  // paused: nothing more
}

TEST_F(VideoRendererGraph, RunsOnTheClockAndEndsTheStream) {
  ASSERT_TRUE(Control.P && Seeking.P && Events.P);
  REFERENCE_TIME start = 40000000;  // 4 s of the 5 s
  Seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  const DWORD t0 = GetTickCount();
  Control->Run();
  long code = 0;
  EXPECT_EQ(Events->WaitForCompletion(5000, &code), S_OK);
  EXPECT_EQ(code, EC_COMPLETE);
  const DWORD elapsed = GetTickCount() - t0;
  // About 25 frames over about a second: presented on time, not at once.
  EXPECT_GE(Presenter.Frames.load(), 15);
  EXPECT_GE(elapsed, 700u);
  ExpectBars();
}

TEST_F(VideoRendererGraph, SourceAndDestinationReachThePresenter) {
  TComPtr<IBasicVideo> video;
  ASSERT_EQ(Graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video.P)), S_OK);
  const int before = Presenter.Placements;
  EXPECT_EQ(video->SetDestinationPosition(10, 20, 300, 200), S_OK);
  EXPECT_EQ(video->SetSourcePosition(80, 60, 160, 120), S_OK);
  EXPECT_EQ(video->SetSourcePosition(200, 0, 160, 120), E_INVALIDARG);  // beyond the frame
  EXPECT_GE(Presenter.Placements - before, 2);
  TVideoRect src, dst;
  bool defaultDest = true;
  Renderer->GetPlacement(src, dst, defaultDest);
  EXPECT_FALSE(defaultDest);
  EXPECT_EQ(src, (TVideoRect{80, 60, 240, 180}));
  EXPECT_EQ(dst, (TVideoRect{10, 20, 310, 220}));
  EXPECT_EQ(Renderer->IsUsingDefaultSource(), S_FALSE);
  Renderer->SetDefaultSourcePosition();
  Renderer->GetPlacement(src, dst, defaultDest);
  EXPECT_EQ(src, (TVideoRect{0, 0, 320, 240}));
}

TEST_F(VideoRendererGraph, SeekingWhilePausedShowsTheNewPosition) {
  ASSERT_TRUE(Control.P && Seeking.P);
  Control->Pause();
  OAFilterState state;
  Control->GetState(5000, &state);
  ASSERT_TRUE(WaitFrames(1));
  const int shown = Presenter.Frames;
  const int resets = Presenter.Resets;
  REFERENCE_TIME pos = 20000000;
  Seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  Control->GetState(5000, &state);
  EXPECT_TRUE(WaitFrames(shown + 1));
  EXPECT_GT(Presenter.Resets.load(), resets);  // the seek flushed
  ExpectBars();
}

TEST(VideoType, ParsesTheFormatsItTakes) {
  VIDEOINFOHEADER vih = {};
  vih.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  vih.bmiHeader.biWidth = 640;
  vih.bmiHeader.biHeight = 480;
  AM_MEDIA_TYPE mt = {};
  mt.majortype = MEDIATYPE_Video;
  mt.subtype = MEDIASUBTYPE_RGB32;
  mt.formattype = FORMAT_VideoInfo;
  mt.cbFormat = sizeof(vih);
  mt.pbFormat = reinterpret_cast<BYTE*>(&vih);
  TVideoFormat f;
  ASSERT_TRUE(ParseVideoType(mt, f));
  EXPECT_EQ(f.Stride, 2560);
  EXPECT_TRUE(f.BottomUp);
  vih.bmiHeader.biHeight = -480;
  ASSERT_TRUE(ParseVideoType(mt, f));
  EXPECT_FALSE(f.BottomUp);
  // A padded decoder: stride 704 pixels, visible 640.
  mt.subtype = MEDIASUBTYPE_YV12;
  vih.bmiHeader.biWidth = 704;
  vih.rcSource = {0, 0, 640, 480};
  ASSERT_TRUE(ParseVideoType(mt, f));
  EXPECT_EQ(f.Width, 640);
  EXPECT_EQ(f.Stride, 704);
  EXPECT_EQ(f.Format, TPixelFormat::YV12);
  mt.subtype = MEDIASUBTYPE_RGB24;
  EXPECT_FALSE(ParseVideoType(mt, f));
  mt.subtype = MEDIASUBTYPE_RGB32;
  vih.bmiHeader.biWidth = 0;
  EXPECT_FALSE(ParseVideoType(mt, f));
}

}  // namespace
