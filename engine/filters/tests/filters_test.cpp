// The filter base in real graphs: a wave source feeds an in-place transform
// and a renderer of this folder, connected by hand.
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>

#include "engine/filters/allocator.h"
#include "engine/filters/media_type.h"
#include "engine/filters/renderer.h"
#include "engine/filters/tests/test_graph_support.h"
#include "engine/filters/transform_in_place.h"
#include "tests/support/process.h"

namespace {

const CLSID kTransformId = {0x1c0ffee1, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};
const CLSID kRendererId = {0x1c0ffee2, 0, 0, {1, 2, 3, 4, 5, 6, 7, 8}};

bool IsPcm(const AM_MEDIA_TYPE* Type) {
  return Type->majortype == MEDIATYPE_Audio && Type->formattype == FORMAT_WaveFormatEx;
}

// Counts the bytes it passes and remembers the buffers it saw. With a
// Gate, each sample waits until the gate is set; with a Shift, its times
// move that much later.
class TCountingTransform : public TTransInPlaceFilter {
 public:
  TCountingTransform() : TTransInPlaceFilter(kTransformId, false) {}
  ~TCountingTransform() override {
    if (Gate != nullptr) CloseHandle(Gate);
  }
  HRESULT CheckInputType(const AM_MEDIA_TYPE* Type) override { return IsPcm(Type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED; }
  HRESULT Transform(IMediaSample* Sample) override {
    if (Gate != nullptr) WaitForSingleObject(Gate, 10000);
    REFERENCE_TIME start = 0, stop = 0;
    if (Shift != 0 && SUCCEEDED(Sample->GetTime(&start, &stop))) {
      start += Shift;
      stop += Shift;
      Sample->SetTime(&start, &stop);
    }
    BYTE* data = nullptr;
    Sample->GetPointer(&data);
    std::lock_guard<std::mutex> lock(Mutex);
    Bytes += Sample->GetActualDataLength();
    Buffers.push_back(data);
    return S_OK;
  }
  std::mutex Mutex;
  long long Bytes = 0;
  std::vector<BYTE*> Buffers;
  HANDLE Gate = nullptr;
  REFERENCE_TIME Shift = 0;
};

// Keeps every byte it renders.
class TNullRenderer : public TBaseRenderer {
 public:
  TNullRenderer() : TBaseRenderer(kRendererId, L"In") {}
  HRESULT CheckMediaType(const AM_MEDIA_TYPE* Type) override { return IsPcm(Type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED; }
  HRESULT DoRenderSample(IMediaSample* Sample) override {
    BYTE* data = nullptr;
    Sample->GetPointer(&data);
    std::lock_guard<std::mutex> lock(Mutex);
    Data.insert(Data.end(), data, data + Sample->GetActualDataLength());
    Buffers.push_back(data);
    return S_OK;
  }
  void OnReceiveFirstSample(IMediaSample*) override { ++FirstSamples; }
  void OnFlush() override {
    ++Flushes;
    std::lock_guard<std::mutex> lock(Mutex);
    Data.clear();
  }
  std::mutex Mutex;
  std::vector<uint8_t> Data;
  std::vector<BYTE*> Buffers;
  std::atomic<int> FirstSamples{0};
  std::atomic<int> Flushes{0};
};

template <class T>
struct TRef {
  T* P = nullptr;
  ~TRef() {
    if (P != nullptr) P->Release();
  }
  T* operator->() const { return P; }
  void** Out() { return reinterpret_cast<void**>(&P); }
};

// tone.wav -> transform -> renderer, connected by hand.
class FilterBaseGraph : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                           Graph.Out())));
    Wav = lctest::ReadWav(lctest::MediaPath("tone.wav"));
    ASSERT_TRUE(Wav.Ok);
    IPin* source = lctest::AddWaveSource(Graph.P, lctest::MediaPath("tone.wav"));
    ASSERT_NE(source, nullptr);
    ASSERT_EQ(Graph->AddFilter(Transform, L"Transform"), S_OK);
    ASSERT_EQ(Graph->AddFilter(Renderer, L"Renderer"), S_OK);
    EXPECT_EQ(Graph->ConnectDirect(source, Transform->InputPin(), nullptr), S_OK);
    source->Release();
    EXPECT_EQ(Graph->ConnectDirect(Transform->OutputPin(), Renderer->InputPin(), nullptr), S_OK);
    Graph->QueryInterface(IID_IMediaControl, Control.Out());
    Graph->QueryInterface(IID_IMediaEvent, Events.Out());
    Graph->QueryInterface(IID_IMediaSeeking, Seeking.Out());
  }
  void TearDown() override {
    if (Control.P != nullptr) Control->Stop();
    Transform->Release();
    Renderer->Release();
  }
  // Waits for the graph's completion event; its code.
  long WaitForCompletion(long Milliseconds) {
    long code = 0;
    Events->WaitForCompletion(Milliseconds, &code);
    return code;
  }

  lctest::TComScope Com;
  TRef<IGraphBuilder> Graph;
  TRef<IMediaControl> Control;
  TRef<IMediaEvent> Events;
  TRef<IMediaSeeking> Seeking;
  TCountingTransform* Transform = new TCountingTransform();
  TNullRenderer* Renderer = new TNullRenderer();
  lctest::TWavFile Wav;
};

TEST_F(FilterBaseGraph, EveryByteReachesTheRendererInOrderAtClockSpeed) {
  const DWORD start = GetTickCount();
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  const DWORD elapsed = GetTickCount() - start;
  EXPECT_GE(elapsed, 1800u) << "samples are presented at their time on the clock";
  EXPECT_EQ(Transform->Bytes, static_cast<long long>(Wav.Data.size()));
  ASSERT_EQ(Renderer->Data.size(), Wav.Data.size());
  EXPECT_TRUE(Renderer->Data == Wav.Data);
  // One buffer travels the whole way: the renderer sees the buffers the
  // transform worked on.
  EXPECT_EQ(Renderer->Buffers, Transform->Buffers);
}

TEST_F(FilterBaseGraph, WithoutAClockSamplesRenderAtOnce) {
  TRef<IMediaFilter> filter;
  ASSERT_EQ(Graph->QueryInterface(IID_IMediaFilter, filter.Out()), S_OK);
  ASSERT_EQ(filter->SetSyncSource(nullptr), S_OK);
  const DWORD start = GetTickCount();
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  EXPECT_LT(GetTickCount() - start, 1500u);
  EXPECT_EQ(Renderer->Data.size(), Wav.Data.size());
}

TEST_F(FilterBaseGraph, PauseHoldsTheFirstSampleUntilRun) {
  ASSERT_TRUE(SUCCEEDED(Control->Pause()));
  OAFilterState state = 0;
  EXPECT_EQ(Control->GetState(5000, &state), S_OK);
  EXPECT_EQ(state, State_Paused);
  EXPECT_EQ(Renderer->FirstSamples.load(), 1);
  IMediaSample* held = Renderer->LastSample();
  EXPECT_NE(held, nullptr);
  if (held != nullptr) held->Release();
  Sleep(300);
  EXPECT_TRUE(Renderer->Data.empty()) << "nothing is rendered while paused";
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  EXPECT_EQ(Renderer->Data.size(), Wav.Data.size());
}

// A stream whose first sample came while running and waits for its time
// when the graph pauses shows that sample (the picture of a movie paused
// just after a seek is the new position's), and renders it again when run.
TEST_F(FilterBaseGraph, APauseWhileTheStreamsFirstSampleWaitsShowsIt) {
  Transform->Gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  Transform->Shift = 20000000;
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  Sleep(200);
  SetEvent(Transform->Gate);
  for (int i = 0; i < 250; ++i) {
    IMediaSample* waiting = Renderer->LastSample();
    if (waiting != nullptr) {
      waiting->Release();
      break;
    }
    Sleep(20);
  }
  EXPECT_EQ(Renderer->FirstSamples.load(), 0) << "the sample came while running";
  ASSERT_TRUE(SUCCEEDED(Control->Pause()));
  for (int i = 0; i < 50 && Renderer->FirstSamples.load() == 0; ++i) Sleep(20);
  EXPECT_EQ(Renderer->FirstSamples.load(), 1) << "the waiting first sample was shown as the graph paused";
  EXPECT_TRUE(Renderer->Data.empty()) << "nothing is rendered while paused";
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  EXPECT_EQ(Renderer->Data.size(), Wav.Data.size());
  EXPECT_EQ(Renderer->FirstSamples.load(), 1);
}

TEST_F(FilterBaseGraph, SeekingFlushesAndPlaysFromTheNewPosition) {
  ASSERT_TRUE(SUCCEEDED(Control->Pause()));
  OAFilterState state = 0;
  Control->GetState(5000, &state);
  LONGLONG position = 10000000;  // 1 s
  ASSERT_TRUE(SUCCEEDED(
      Seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)));
  EXPECT_GE(Renderer->Flushes.load(), 1);
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  const size_t second = static_cast<size_t>(Wav.Rate) * Wav.Channels * Wav.Bits / 8;
  ASSERT_EQ(Renderer->Data.size(), Wav.Data.size() - second);
  EXPECT_TRUE(std::equal(Renderer->Data.begin(), Renderer->Data.end(), Wav.Data.begin() + second));
}

TEST_F(FilterBaseGraph, DurationPassesUpstreamThroughBothFilters) {
  LONGLONG duration = 0;
  ASSERT_EQ(Seeking->GetDuration(&duration), S_OK);
  EXPECT_EQ(duration, 20000000);
}

TEST_F(FilterBaseGraph, StopReleasesAWaitingStreamAndPlaysAgain) {
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  Sleep(300);
  const DWORD start = GetTickCount();
  EXPECT_EQ(Control->Stop(), S_OK);
  EXPECT_LT(GetTickCount() - start, 2000u);
  LONGLONG zero = 0;
  Seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
  {
    std::lock_guard<std::mutex> lock(Renderer->Mutex);
    Renderer->Data.clear();
  }
  ASSERT_TRUE(SUCCEEDED(Control->Run()));
  EXPECT_EQ(WaitForCompletion(10000), EC_COMPLETE);
  EXPECT_EQ(Renderer->Data.size(), Wav.Data.size());
}

TEST(MediaType, CopiesOwnTheirFormatBlock) {
  lctest::TComScope com;
  WAVEFORMATEX format{WAVE_FORMAT_PCM, 2, 44100, 176400, 4, 16, 0};
  TMediaType a;
  a.majortype = MEDIATYPE_Audio;
  a.subtype = MEDIASUBTYPE_PCM;
  a.formattype = FORMAT_WaveFormatEx;
  ASSERT_TRUE(a.SetFormat(&format, sizeof format));
  TMediaType b(a);
  EXPECT_NE(b.pbFormat, a.pbFormat);
  EXPECT_TRUE(MediaTypesEqual(a, b));
  reinterpret_cast<WAVEFORMATEX*>(b.pbFormat)->nChannels = 1;
  EXPECT_FALSE(MediaTypesEqual(a, b));
  AM_MEDIA_TYPE* copy = CreateMediaType(&a);
  ASSERT_NE(copy, nullptr);
  EXPECT_TRUE(MediaTypesEqual(*copy, a));
  DeleteMediaType(copy);
  DeleteMediaType(nullptr);
}

// A bad record is refused with an error (in every build), the target left
// as it was.
TEST(MediaType, ABadRecordIsRefusedAndTheTargetKept) {
  lctest::TComScope com;
  AM_MEDIA_TYPE source{};
  source.majortype = MEDIATYPE_Audio;
  source.cbFormat = 18;  // a size without a block
  AM_MEDIA_TYPE target{};
  target.majortype = MEDIATYPE_Video;
  EXPECT_EQ(CopyMediaType(&target, &source), E_INVALIDARG);
  EXPECT_EQ(target.majortype, MEDIATYPE_Video);
  EXPECT_EQ(target.cbFormat, 0u);
  EXPECT_EQ(CopyMediaType(&target, &target), E_INVALIDARG);
  EXPECT_EQ(target.majortype, MEDIATYPE_Video);
  EXPECT_EQ(CopyMediaType(nullptr, &target), E_POINTER);
  EXPECT_EQ(CopyMediaType(&target, nullptr), E_POINTER);
  EXPECT_EQ(CreateMediaType(&source), nullptr);
  EXPECT_EQ(CopyMediaType(&source, &target), S_OK);
  EXPECT_EQ(source.majortype, MEDIATYPE_Video);
}

// A seek: the renderer's position is where the new stream begins until its
// first sample is on show (the picture on show stays that long), and it
// has none after a flush or a stop until a new segment begins; a segment
// that comes while it is stopped begins nothing.
TEST(Renderer, AStreamThatBeganIsWhereItBeginsUntilItsFirstSampleShows) {
  TNullRenderer* renderer = new TNullRenderer();
  TRendererInputPin* pin = renderer->InputPin();
  REFERENCE_TIME at = -1;
  pin->NewSegment(10000000, 80000000, 1.0);
  EXPECT_FALSE(renderer->ShownPosition(at));
  renderer->Pause();
  pin->NewSegment(20000000, 80000000, 1.0);
  ASSERT_TRUE(renderer->ShownPosition(at));
  EXPECT_EQ(at, 20000000);
  pin->BeginFlush();
  EXPECT_FALSE(renderer->ShownPosition(at));
  pin->EndFlush();
  pin->NewSegment(40000000, 80000000, 1.0);
  ASSERT_TRUE(renderer->ShownPosition(at));
  EXPECT_EQ(at, 40000000);
  renderer->Stop();
  EXPECT_FALSE(renderer->ShownPosition(at));
  pin->NewSegment(60000000, 80000000, 1.0);
  EXPECT_FALSE(renderer->ShownPosition(at));
  renderer->Release();
}

// The thread that brings a sample to a stopped renderer on the renderer's
// own allocator waits until the filter upstream has stopped too and
// decommitted it; on an allocator of another it is refused at once.
TEST(Renderer, AStoppedRendererHoldsTheStreamingThreadUntilItsAllocatorIsDecommitted) {
  for (const bool own : {true, false}) {
    TNullRenderer* renderer = new TNullRenderer();
    TRendererInputPin* pin = renderer->InputPin();
    IMemAllocator* allocator = nullptr;
    if (own)
      ASSERT_EQ(pin->GetAllocator(&allocator), S_OK);
    else
      allocator = TMemAllocator::Create();
    ALLOCATOR_PROPERTIES want{2, 64, 1, 0}, got{};
    ASSERT_EQ(allocator->SetProperties(&want, &got), S_OK);
    ASSERT_EQ(pin->NotifyAllocator(allocator, FALSE), S_OK);
    ASSERT_EQ(allocator->Commit(), S_OK);
    IMediaSample* sample = nullptr;
    ASSERT_EQ(allocator->GetBuffer(&sample, nullptr, nullptr, 0), S_OK);
    std::atomic<bool> back{false};
    HRESULT received = S_OK;
    std::thread streaming([&] {
      received = pin->Receive(sample);
      back = true;
    });
    Sleep(200);
    EXPECT_EQ(back.load(), !own) << (own ? "own allocator" : "another's allocator");
    allocator->Decommit();
    streaming.join();
    EXPECT_NE(received, S_OK);
    sample->Release();
    allocator->Release();
    renderer->Release();
  }
}

TEST(Allocator, GetBufferWaitsForAFreeSampleAndDecommitReleasesIt) {
  TMemAllocator* allocator = TMemAllocator::Create();
  ALLOCATOR_PROPERTIES want{1, 100, 16, 0}, got{};
  ASSERT_EQ(allocator->SetProperties(&want, &got), S_OK);
  EXPECT_EQ(got.cBuffers, 1);
  EXPECT_GE(got.cbBuffer, 100);
  ASSERT_EQ(allocator->Commit(), S_OK);
  IMediaSample* first = nullptr;
  ASSERT_EQ(allocator->GetBuffer(&first, nullptr, nullptr, 0), S_OK);
  BYTE* data = nullptr;
  first->GetPointer(&data);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(data) % 16, 0u);
  IMediaSample* none = nullptr;
  EXPECT_EQ(allocator->GetBuffer(&none, nullptr, nullptr, AM_GBF_NOWAIT), VFW_E_TIMEOUT);

  HRESULT waited = E_FAIL;
  std::thread waiter([&] {
    IMediaSample* second = nullptr;
    waited = allocator->GetBuffer(&second, nullptr, nullptr, 0);
    if (second != nullptr) second->Release();
  });
  Sleep(100);
  first->Release();  // the waiter takes it
  waiter.join();
  EXPECT_EQ(waited, S_OK);

  ASSERT_EQ(allocator->GetBuffer(&first, nullptr, nullptr, 0), S_OK);
  std::thread refused([&] {
    IMediaSample* second = nullptr;
    waited = allocator->GetBuffer(&second, nullptr, nullptr, 0);
  });
  Sleep(100);
  allocator->Decommit();
  refused.join();
  EXPECT_EQ(waited, VFW_E_NOT_COMMITTED);
  first->Release();
  allocator->Release();
}

}  // namespace
