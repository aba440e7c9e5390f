// Sample flow through a real graph: the colour-bar test file rendered into
// the video control's own renderer, paused, run, sought and ended; frame
// stepping on the file whose grey level tells the frame number.
#include "engine/filters/video_renderer.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/filters/com_helpers.h"
#include "engine/filters/tests/test_graph_support.h"
#include "engine/graph/movie_start.h"
#include "engine/graph/tests/iso_test_files.h"
#include "tests/support/process.h"

namespace {

// Keeps the last frame presented, converted to RGB; with Keep, also the
// last sample offered to keep, as the video control's surface does, until
// the next frame or a reset.
class TFramePresenter : public IVideoFramePresenter {
 public:
  void PresentFrame(const TFrameView& Frame, IMediaSample* Sample) override {
    std::lock_guard<std::mutex> lock(Lock);
    if (Sample) ++Offered;
    if (Sample && Keep) {
      Sample->AddRef();
      LetGo();
      Held = Sample;
    }
    Width = Frame.Width;
    Height = Frame.Height;
    Format = Frame.Format;
    Pixels.resize(std::size_t(Width) * Height);
    ConvertFrame(Frame, TColorSettings{}, Pixels.data(), Width);
    ++Frames;
    if (DelayMs > 0) Sleep(DelayMs);  // a slow presenter keeps a step under way
  }
  void PlacementChanged() override { ++Placements; }
  void StreamReset() override {
    std::lock_guard<std::mutex> lock(Lock);
    LetGo();
    ++Resets;
  }
  void LetGo() {
    if (Held) Held->Release();
    Held = nullptr;
  }

  std::uint32_t Pixel(int x, int y) {
    std::lock_guard<std::mutex> lock(Lock);
    return Pixels.empty() ? 0xDEADBEEF : Pixels[std::size_t(y) * Width + x];
  }

  std::mutex Lock;
  std::vector<std::uint32_t> Pixels;
  int Width = 0, Height = 0;
  TPixelFormat Format = TPixelFormat::RGB32;
  std::atomic<int> Frames{0}, Placements{0}, Resets{0};
  std::atomic<int> DelayMs{0};
  std::atomic<bool> Keep{false};
  std::atomic<int> Offered{0};
  IMediaSample* Held = nullptr;
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
    ASSERT_TRUE(SUCCEEDED(Graph->RenderFile(lctest::MediaPath(File()).c_str(), nullptr)));
    Graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&Control.P));
    Graph->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&Seeking.P));
    Graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&Events.P));
  }
  virtual const char* File() const { return "bars.mp4"; }

  void TearDown() override {
    Presenter.DelayMs = 0;
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

  TComRef<IGraphBuilder> Graph;
  TComRef<IMediaControl> Control;
  TComRef<IMediaSeeking> Seeking;
  TComRef<IMediaEvent> Events;
  TVideoFrameRenderer* Renderer = nullptr;
  TFramePresenter Presenter;
};

TEST_F(VideoRendererGraph, ConnectsAndReportsTheVideoSize) {
  EXPECT_TRUE(Renderer->InputPin()->IsConnected());
  // The decoder's own first type is taken: the platform's decoder gives
  // planar 4:2:0 first, which it then hands over unconverted (it offers
  // RGB32 too).
  EXPECT_EQ(Renderer->Format().Frame.Format, TPixelFormat::I420);
  TComRef<IBasicVideo> video;
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

// A presenter that keeps the frame on show by its sample instead of a copy
// does not hold the decoder up: the renderer's pin asks for a buffer to
// spare, every frame is offered to keep, the stream runs to its end on
// time, and the sample is let go when the stream stops.
TEST_F(VideoRendererGraph, KeptSamplesLeaveTheDecoderABuffer) {
  ASSERT_TRUE(Control.P && Seeking.P && Events.P);
  ALLOCATOR_PROPERTIES asked{};
  EXPECT_EQ(Renderer->InputPin()->GetAllocatorRequirements(&asked), S_OK);
  EXPECT_EQ(asked.cBuffers, 2);
  ALLOCATOR_PROPERTIES props{};
  ASSERT_NE(Renderer->InputPin()->Allocator(), nullptr);
  Renderer->InputPin()->Allocator()->GetProperties(&props);
  EXPECT_GE(props.cBuffers, 2);
  Presenter.Keep = true;
  REFERENCE_TIME start = 30000000;  // 3 s of the 5 s
  Seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  Control->Run();
  long code = 0;
  EXPECT_EQ(Events->WaitForCompletion(5000, &code), S_OK);
  EXPECT_EQ(code, EC_COMPLETE);
  EXPECT_GE(Presenter.Frames.load(), 30);
  EXPECT_EQ(Presenter.Offered.load(), Presenter.Frames.load());
  ExpectBars();
  Control->Stop();
  std::lock_guard<std::mutex> lock(Presenter.Lock);
  EXPECT_EQ(Presenter.Held, nullptr);
}

TEST_F(VideoRendererGraph, SourceAndDestinationReachThePresenter) {
  TComRef<IBasicVideo> video;
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

// The stamped clips: 25 frames per second, 200 frames; in frame n the
// left half has luma 20 + 10 x (n mod 20), the right half
// 20 + 10 x (n div 20).
int StampDigit(std::uint32_t Rgb) {
  return int(std::lround((double(Rgb & 255) * 219.0 / 255.0 + 16.0 - 20.0) / 10.0));
}

// Notes each frame presented with the media time the renderer gives it
// (read when the next frame comes: the renderer notes it after presenting).
class TStampPresenter : public IVideoFramePresenter {
 public:
  explicit TStampPresenter(TVideoFrameRenderer*& Renderer) : Renderer_(Renderer) {}
  void PresentFrame(const TFrameView& Frame, IMediaSample*) override {
    std::vector<std::uint32_t> px(std::size_t(Frame.Width) * Frame.Height);
    ConvertFrame(Frame, TColorSettings{}, px.data(), Frame.Width);
    const std::size_t row = std::size_t(Frame.Height / 3) * Frame.Width;
    const int number = 20 * StampDigit(px[row + 3 * Frame.Width / 4]) + StampDigit(px[row + Frame.Width / 4]);
    REFERENCE_TIME shown = -1;
    std::lock_guard<std::mutex> lock(Lock);
    if (Previous >= 0 && Renderer_->ShownPosition(shown)) Seen.push_back({Previous, shown});
    Previous = number;
  }
  void PlacementChanged() override {}
  void StreamReset() override {
    std::lock_guard<std::mutex> lock(Lock);
    Previous = -1;
  }
  // The frame of the last sighting after the first From, or -1.
  int LastSeen(std::size_t From) {
    std::lock_guard<std::mutex> lock(Lock);
    return Seen.size() <= From ? -1 : Seen.back().Frame;
  }
  std::size_t Count() {
    std::lock_guard<std::mutex> lock(Lock);
    return Seen.size();
  }

  struct TSighting {
    int Frame;
    REFERENCE_TIME Time;
  };
  std::mutex Lock;
  std::vector<TSighting> Seen;

 private:
  TVideoFrameRenderer*& Renderer_;
  int Previous = -1;
};

// A stamped clip, its key frames read from it as the graph component does.
struct TStampedClip {
  const char* File;
};

// The key frames of a test clip, read by the reader the graph component
// opens every movie with.
TAviKeyFrames KeyFramesOfClip(const char* File) {
  std::vector<std::uint8_t> bytes;
  if (FILE* f = _wfopen(lctest::MediaPath(File).c_str(), L"rb")) {
    std::uint8_t block[65536];
    for (std::size_t n; (n = fread(block, 1, sizeof block, f)) > 0;) bytes.insert(bytes.end(), block, block + n);
    fclose(f);
  }
  return AviKeyFrames(iso_test::ReaderOf(bytes), bytes.size());
}

class VideoRendererStamped : public VideoRendererGraph, public ::testing::WithParamInterface<TStampedClip> {
 protected:
  const char* File() const override { return GetParam().File; }
  void SetUp() override {
    VideoRendererGraph::SetUp();
    Renderer->SetPresenter(&Stamps);
    const auto keys = std::make_shared<TAviKeyFrames>(KeyFramesOfClip(GetParam().File));
    ASSERT_TRUE(keys->Indexed);
    Renderer->SetKeyFrames(true, std::shared_ptr<const std::vector<TKeyFrame>>(keys, &keys->KeyFrames));
  }
  // Plays from Position until frame Last was presented.
  void PlayFrom(REFERENCE_TIME Position, int Last) {
    Control->Stop();
    Seeking->SetPositions(&Position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    const std::size_t from = Stamps.Count();
    Control->Run();
    for (int i = 0; i < 500 && Stamps.LastSeen(from) < Last; ++i) Sleep(20);
    Control->Pause();
  }
  // Every sighting whose time is not its frame's.
  std::vector<std::string> Faults() {
    std::lock_guard<std::mutex> lock(Stamps.Lock);
    std::vector<std::string> faults;
    for (const auto& s : Stamps.Seen)
      if (s.Time != s.Frame * REFERENCE_TIME(400000))
        faults.push_back("frame " + std::to_string(s.Frame) + " at " + std::to_string(s.Time / 10000) + " ms");
    return faults;
  }
  TStampPresenter Stamps{Renderer};
};

// Each picture is shown at its own frame's time, from the start and after
// seeks, across the key frames where an AVI's unpacked B-frames make the
// platform's stamps slip back: played past the first key frame with two
// B-frames behind it, and seeks into groups of every kind after it.
TEST_P(VideoRendererStamped, EachPictureIsShownAtItsFramesTime) {
  ASSERT_TRUE(Control.P && Seeking.P);
  PlayFrom(0, 60);
  PlayFrom(40000000, 130);  // 4 s: frame 100
  PlayFrom(0, 30);
  PlayFrom(20000000, 70);
  PlayFrom(30000000, 110);
  EXPECT_GE(Stamps.Count(), 150u);
  EXPECT_EQ(std::vector<std::string>(), Faults());
}

// A seek to a place before the second key frame begins at the first,
// stamped in its place, also once the decoder stamps the others early.
TEST_P(VideoRendererStamped, ASeekBeforeTheSecondKeyFrameShowsEachPictureAtItsTime) {
  ASSERT_TRUE(Control.P && Seeking.P);
  PlayFrom(0, 30);
  PlayFrom(40000000, 110);
  PlayFrom(2000000, 30);  // 0.2 s: frame 5
  EXPECT_GE(Stamps.Count(), 50u);
  EXPECT_EQ(std::vector<std::string>(), Faults());
}

// A seek in the first second: before the decoder has read the second key
// frame (it hands out frame 9 once it has), its stamps stay in their
// place; once it has, before the slip showed in the stamps played from
// the start (frame 12) or while it is half there (frames 12..23), they are
// early by the whole slip. The pictures after it are shown at their times.
TEST_P(VideoRendererStamped, ASeekInTheFirstSecondShowsEachPictureAtItsTime) {
  ASSERT_TRUE(Control.P && Seeking.P);
  PlayFrom(0, 4);
  PlayFrom(40000000, 101);  // 4 s: frame 100
  PlayFrom(0, 9);
  PlayFrom(40000000, 101);
  PlayFrom(0, 16);
  PlayFrom(40000000, 110);
  EXPECT_GE(Stamps.Count(), 40u);
  EXPECT_EQ(std::vector<std::string>(), Faults());
}

// A movie opened at a position (a remembered one) starts with a seek.
TEST_P(VideoRendererStamped, AMovieStartedAfterASeekShowsEachPictureAtItsTime) {
  ASSERT_TRUE(Control.P && Seeking.P);
  PlayFrom(20000000, 90);
  EXPECT_GE(Stamps.Count(), 30u);
  EXPECT_EQ(std::vector<std::string>(), Faults());
}


std::string ClipName(const ::testing::TestParamInfo<TStampedClip>& Info) {
  const char* names[] = {"BFrames", "OneBFrame", "NoBFrames", "KeyFramesAtCuts"};
  return names[Info.index];
}

INSTANTIATE_TEST_SUITE_P(Avi, VideoRendererStamped,
                         ::testing::Values(TStampedClip{"stamped_b.avi"}, TStampedClip{"stamped_b1.avi"},
                                           TStampedClip{"stamped.avi"}, TStampedClip{"stamped_cuts.avi"}),
                         ClipName);

// frames.mp4: 25 frames per second, 100 frames; frame n is grey with luma
// 20 + 10 x (n mod 20).
constexpr REFERENCE_TIME FrameTime = 400000;

class VideoRendererStep : public VideoRendererGraph {
 protected:
  const char* File() const override { return "frames.mp4"; }

  // Pauses and waits until the first frame is on show.
  void PauseAtFirstFrame() {
    ASSERT_TRUE(Control.P && Seeking.P && Events.P);
    Control->Pause();
    OAFilterState state;
    Control->GetState(5000, &state);
    ASSERT_EQ(state, State_Paused);
    ASSERT_TRUE(WaitFrames(1));
  }

  // The frame number (mod 20) of the picture last presented.
  int FrameNumber() {
    const int red = int((Presenter.Pixel(Presenter.Width / 2, Presenter.Height / 2) >> 16) & 255);
    return int(std::lround((red * 219.0 / 255.0 + 16.0 - 20.0) / 10.0)) % 20;
  }

  // The current position the renderer reports.
  REFERENCE_TIME Position() {
    TComRef<IMediaSeeking> seeking;
    REFERENCE_TIME now = -1;
    if (Renderer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking.P)) == S_OK)
      seeking->GetCurrentPosition(&now);
    return now;
  }

  // Param1 of every EC_STEP_COMPLETE until Count arrived or Ms passed.
  std::vector<LONG_PTR> StepEvents(std::size_t Count, DWORD Ms) {
    std::vector<LONG_PTR> found;
    const DWORD start = GetTickCount();
    while (found.size() < Count && GetTickCount() - start < Ms) {
      long code = 0;
      LONG_PTR p1 = 0, p2 = 0;
      if (Events->GetEvent(&code, &p1, &p2, 20) != S_OK) continue;
      if (code == EC_STEP_COMPLETE) found.push_back(p1);
      Events->FreeEventParams(code, p1, p2);
    }
    return found;
  }

  // Frames presented over Ms while nothing should move.
  int FramesDuring(DWORD Ms) {
    const int before = Presenter.Frames;
    Sleep(Ms);
    return Presenter.Frames - before;
  }

  // Starts a step longer than the file with a slow presenter and waits
  // until Count of its frames were shown: the step is then under way.
  void StartLongStep(int Count) {
    const int frames = Presenter.Frames;
    Presenter.DelayMs = 40;
    ASSERT_EQ(Renderer->Step(1000), S_OK);
    ASSERT_TRUE(WaitFrames(frames + Count));
  }

  void ExpectRunsToTheEnd() {
    Control->Run();
    long code = 0;
    EXPECT_EQ(Events->WaitForCompletion(8000, &code), S_OK);
    EXPECT_EQ(code, EC_COMPLETE);
  }

  bool IsPaused() {
    OAFilterState state = State_Stopped;
    Control->GetState(0, &state);
    return state == State_Paused;
  }
};

TEST_F(VideoRendererStep, StepShowsExactlyTheNextFramesAndHolds) {
  PauseAtFirstFrame();
  EXPECT_EQ(FrameNumber(), 0);
  EXPECT_EQ(Position(), 0);
  int number = 0;
  for (int count : {1, 3}) {
    SCOPED_TRACE("step " + std::to_string(count));
    const int frames = Presenter.Frames;
    const REFERENCE_TIME before = Position();
    ASSERT_EQ(Renderer->Step(count), S_OK);
    const std::vector<LONG_PTR> done = StepEvents(1, 3000);
    ASSERT_EQ(done.size(), 1u);
    EXPECT_EQ(done[0], FALSE);  // completed, not cancelled
    EXPECT_TRUE(StepEvents(1, 300).empty());  // once
    EXPECT_EQ(FramesDuring(300), 0);  // held as in pause
    EXPECT_EQ(Presenter.Frames - frames, count);
    number += count;
    EXPECT_EQ(FrameNumber(), number);
    EXPECT_NEAR(double(Position() - before), double(count * FrameTime), FrameTime / 10.0);
    EXPECT_EQ(Renderer->StepFramesLeft(), 0);
    EXPECT_TRUE(IsPaused());
  }
  // Running on from the stepped frame plays the rest of the file.
  ExpectRunsToTheEnd();
}

TEST_F(VideoRendererStep, StepIsRefusedUnlessPaused) {
  EXPECT_EQ(Renderer->Step(1), VFW_E_NOT_PAUSED);  // stopped
  PauseAtFirstFrame();
  EXPECT_EQ(Renderer->Step(0), E_INVALIDARG);
  EXPECT_EQ(Renderer->Step(-2), E_INVALIDARG);
  Control->Run();
  OAFilterState state;
  Control->GetState(5000, &state);
  EXPECT_EQ(Renderer->Step(1), VFW_E_NOT_PAUSED);
  EXPECT_EQ(Renderer->StepFramesLeft(), 0);
  EXPECT_TRUE(StepEvents(1, 300).empty());
}

TEST_F(VideoRendererStep, SeekDuringAStepCancelsItAndPlaysOn) {
  PauseAtFirstFrame();
  ASSERT_NO_FATAL_FAILURE(StartLongStep(3));
  REFERENCE_TIME pos = 2 * 10000000LL;  // frame 50
  ASSERT_EQ(Seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning),
            S_OK);
  Presenter.DelayMs = 0;
  const std::vector<LONG_PTR> done = StepEvents(2, 2000);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0], TRUE);  // cancelled
  EXPECT_EQ(Renderer->StepFramesLeft(), 0);
  OAFilterState state;
  Control->GetState(5000, &state);
  EXPECT_EQ(state, State_Paused);
  Sleep(200);
  EXPECT_EQ(FramesDuring(300), 0);  // paused again at the new place
  EXPECT_EQ(FrameNumber(), 50 % 20);
  EXPECT_NEAR(double(Position()), double(pos), FrameTime / 10.0);
  ExpectRunsToTheEnd();
}

TEST_F(VideoRendererStep, ANewStepOrAStopCancelsTheOneUnderWay) {
  PauseAtFirstFrame();
  ASSERT_NO_FATAL_FAILURE(StartLongStep(2));
  ASSERT_EQ(Renderer->Step(2), S_OK);
  Presenter.DelayMs = 0;
  std::vector<LONG_PTR> done = StepEvents(2, 3000);
  ASSERT_EQ(done.size(), 2u);
  EXPECT_EQ(done[0], TRUE);   // the first, cancelled
  EXPECT_EQ(done[1], FALSE);  // the second, completed
  EXPECT_EQ(FramesDuring(300), 0);
  EXPECT_TRUE(IsPaused());

  ASSERT_NO_FATAL_FAILURE(StartLongStep(2));
  Control->Stop();
  done = StepEvents(2, 1000);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0], TRUE);
  EXPECT_EQ(Renderer->StepFramesLeft(), 0);
}

// Stepping past the last frame ends with the stream: the step is cancelled
// and a later one refused.
TEST_F(VideoRendererStep, TheEndOfTheStreamEndsAStep) {
  PauseAtFirstFrame();
  REFERENCE_TIME pos = 97 * FrameTime;
  Seeking->SetPositions(&pos, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  OAFilterState state;
  Control->GetState(5000, &state);
  Sleep(200);
  ASSERT_EQ(FrameNumber(), 97 % 20);
  const int frames = Presenter.Frames;
  ASSERT_EQ(Renderer->Step(10), S_OK);
  const std::vector<LONG_PTR> done = StepEvents(1, 3000);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0], TRUE);
  EXPECT_EQ(Presenter.Frames - frames, 2);  // frames 98 and 99
  EXPECT_EQ(FrameNumber(), 99 % 20);
  EXPECT_EQ(Renderer->Step(1), VFW_E_SAMPLE_REJECTED_EOS);
}

}  // namespace
