// TDSAudioProcessor with real graphs under Wine: its filter joins every
// graph the graph component builds, sits in the audio path and hands every
// buffer of a WAV, in order, to OnPCMData on the streaming thread, in each
// sample format; the processing chain can run in that callback.
#include <atomic>
#include <cstring>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <windows.h>
#include <dshow.h>
#include <mmreg.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/audio_processor.h"
#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/equalizer.h"
#include "engine/dsp/sample_format.h"
#include "engine/filters/tests/test_graph_support.h"
#include "framework/application.h"
#include "tests/support/process.h"

namespace {

class AudioProcessorGraph : public ::testing::Test {
 protected:
  void SetUp() override {
    Processor.SetDSPEnabled(true);
    Processor.SetFilterGraph(&Graph);
    Graph.OnGraphComplete = [this](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
    Processor.OnPCMData = [this](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize, PDSStream Stream) {
      if (Process) Process(Buffer, Size, Stream);
      std::lock_guard<std::mutex> lock(Mutex);
      const auto* bytes = static_cast<const uint8_t*>(Buffer);
      Seen.insert(Seen.end(), bytes, bytes + Size);
      LastStream = *Stream;
      Thread = GetCurrentThreadId();
      ++Buffers;
      NewSize = Size;
    };
  }
  void TearDown() override {
    Graph.SetActive(false);
    Processor.SetFilterGraph(nullptr);
    Application.OnException = nullptr;
  }
  // Renders and plays the file to its completion event.
  void PlayToCompletion(const char* Name) {
    Graph.SetActive(true);
    ASSERT_EQ(Graph.RenderFile(lctest::MediaPath(Name)), S_OK) << Name;
    lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
    ASSERT_TRUE(Processor.Filter()->InputPin()->IsConnected()) << "the audio filter is in the audio path";
    ASSERT_TRUE(Processor.Filter()->OutputPin()->IsConnected());
    ASSERT_TRUE(Graph.Play());
    EXPECT_TRUE(lctest::PumpUntil([this] { return Completed; }, 20000)) << Name;
  }

  lctest::TComScope Com;
  TFilterGraph Graph;
  TDSAudioProcessor Processor{L"DSAudioProcessor"};
  std::function<void(void* Buffer, int Size, PDSStream Stream)> Process;
  std::mutex Mutex;
  std::vector<uint8_t> Seen;
  TDSStream LastStream{};
  DWORD Thread = 0;
  int Buffers = 0;
  bool Completed = false;
};

struct TFormatCase {
  const char* File;
  int Bits;
  int32_t Float;
};

class EveryFormat : public AudioProcessorGraph, public ::testing::WithParamInterface<TFormatCase> {};

TEST_P(EveryFormat, EveryBufferReachesOnPCMDataInOrder) {
  const TFormatCase& c = GetParam();
  const lctest::TWavFile wav = lctest::ReadWav(lctest::MediaPath(c.File));
  ASSERT_TRUE(wav.Ok) << c.File;
  PlayToCompletion(c.File);
  std::lock_guard<std::mutex> lock(Mutex);
  EXPECT_GT(Buffers, 0);
  EXPECT_NE(Thread, GetCurrentThreadId()) << "the streaming thread calls OnPCMData";
  EXPECT_EQ(LastStream.Bits, c.Bits);
  EXPECT_EQ(LastStream.Float, c.Float);
  EXPECT_EQ(LastStream.Channels, 2);
  EXPECT_EQ(LastStream.Frequency, 44100);
  ASSERT_EQ(Seen.size(), wav.Data.size()) << c.File;
  EXPECT_TRUE(Seen == wav.Data) << c.File << ": the buffers in order are the file's samples";
}

INSTANTIATE_TEST_SUITE_P(Wav, EveryFormat,
                         ::testing::Values(TFormatCase{"tone_u8.wav", 8, 0}, TFormatCase{"tone.wav", 16, 0},
                                           TFormatCase{"tone_s24.wav", 24, 0}, TFormatCase{"tone_s32.wav", 32, 0},
                                           TFormatCase{"tone_f32.wav", 32, -1}));

TEST_F(AudioProcessorGraph, TheFilterAsksForOneBufferOfEightSeconds) {
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  IMemAllocator* allocator = Processor.Filter()->OutputPin()->Allocator();
  ASSERT_NE(allocator, nullptr);
  ALLOCATOR_PROPERTIES props{};
  allocator->GetProperties(&props);
  EXPECT_EQ(props.cBuffers, 1);
  EXPECT_GE(props.cbBuffer, 1411200);
  EXPECT_EQ(Processor.Filter()->RingCapacity(), 705600);
}

TEST_F(AudioProcessorGraph, WithDSPDisabledTheHandlerIsNotCalled) {
  Processor.SetDSPEnabled(false);
  PlayToCompletion("tone.wav");
  EXPECT_EQ(Buffers, 0);
}

TEST_F(AudioProcessorGraph, TheAmplifierHalvesEveryBufferInTheCallback) {
  TDspAmplify amplify;
  amplify.SetEnabled(true);
  amplify.SetVolume(0, 5000);
  Process = [&](void* Buffer, int Size, PDSStream Stream) {
    amplify.Process(Buffer, static_cast<size_t>(Size), Stream->Bits, Stream->Channels, Stream->Float != 0);
  };
  const lctest::TWavFile wav = lctest::ReadWav(lctest::MediaPath("tone.wav"));
  PlayToCompletion("tone.wav");
  std::lock_guard<std::mutex> lock(Mutex);
  ASSERT_EQ(Seen.size(), wav.Data.size());
  for (size_t i = 0; i + 1 < Seen.size(); i += 2) {
    int16_t in = 0, out = 0;
    std::memcpy(&in, &wav.Data[i], 2);
    std::memcpy(&out, &Seen[i], 2);
    ASSERT_EQ(out, static_cast<int16_t>(in * 5000 / 10000)) << "sample " << i / 2;
  }
}

// The whole chain in the player's order (automatic gain, amplifier,
// equalizer) runs on every buffer of each file and playback completes.
TEST_F(AudioProcessorGraph, TheWholeChainRunsInTheCallback) {
  TDspDynamicAmplify dynamic;
  TDspAmplify amplify;
  TDspEqualizer equalizer;
  dynamic.SetEnabled(true);
  amplify.SetEnabled(true);
  amplify.SetVolume(0, 8000);
  equalizer.SetEnabled(true);
  for (int bin = 0; bin < 40; ++bin) equalizer.SetBandGain(0, bin, -50);
  std::atomic<int> flushes{0};
  Processor.OnFlush = [&](TDSAudioProcessor*) {
    ++flushes;
    equalizer.Flush();
  };
  Process = [&](void* Buffer, int Size, PDSStream Stream) {
    const bool isFloat = Stream->Float != 0;
    dynamic.Process(Buffer, static_cast<size_t>(Size), Stream->Frequency, Stream->Bits, Stream->Channels, isFloat);
    amplify.Process(Buffer, static_cast<size_t>(Size), Stream->Bits, Stream->Channels, isFloat);
    equalizer.Process(Buffer, static_cast<size_t>(Size), Stream->Bits, Stream->Channels, isFloat);
  };
  for (const char* file : {"clip.avi", "clip.mp4", "clip.mkv"}) {
    Completed = false;
    Seen.clear();
    PlayToCompletion(file);
    EXPECT_GT(Seen.size(), 44100u * 2) << file;
    Graph.Stop();
  }
  // A seek while playing flushes the stream: OnFlush clears the
  // equalizer's overlap, and playback goes on to the end. (Sound only: on
  // this platform a movie with a picture is sought from a stop, which
  // reaches OnFlush as the stop.)
  Graph.SetActive(false);
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  Completed = false;
  ASSERT_TRUE(Graph.Play());
  Sleep(300);
  const int before = flushes.load();
  IMediaSeeking* seeking = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)), S_OK);
  LONGLONG position = 0;
  EXPECT_TRUE(SUCCEEDED(
      seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning)));
  seeking->Release();
  EXPECT_TRUE(lctest::PumpUntil([this] { return Completed; }, 20000));
  EXPECT_GT(flushes.load(), before);
}

// A handler that changed the buffer and then failed: the buffer goes on as
// it came, at its full size, and the exception reaches the application's
// exception handling through the graph component later, on the GUI thread.
TEST_F(AudioProcessorGraph, AFailedHandlersChangesAreUndoneAndItsExceptionReported) {
  std::vector<std::string> reported;
  DWORD thread = 0;
  Application.OnException = [&](TComponent*, std::exception_ptr Error) {
    thread = GetCurrentThreadId();
    try {
      std::rethrow_exception(Error);
    } catch (const std::exception& e) {
      reported.push_back(e.what());
    }
  };
  Processor.OnPCMData = [](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize, PDSStream) {
    std::memset(Buffer, 0x55, static_cast<size_t>(Size));
    NewSize = Size / 2;
    throw std::runtime_error("handler failed");
  };
  std::vector<uint8_t> buffer(64);
  for (size_t i = 0; i < buffer.size(); ++i) buffer[i] = static_cast<uint8_t>(i);
  const std::vector<uint8_t> original = buffer;
  TDSStream stream{64, 44100, 2, 16, 0, 0, 0};
  int32_t newSize = -1;
  EXPECT_EQ(Processor.PCMData(buffer.data(), 64, &newSize, &stream), S_OK);
  EXPECT_EQ(newSize, 64);
  EXPECT_EQ(buffer, original);
  EXPECT_TRUE(reported.empty()) << "reported later, not from the streaming call";
  EXPECT_TRUE(lctest::PumpUntil([&] { return !reported.empty(); }, 5000));
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_EQ(reported[0], "handler failed");
  EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(AudioProcessorGraph, AnExceptionInTheHandlerLeavesTheBufferAndPlaybackGoesOn) {
  int reported = 0;
  Application.OnException = [&](TComponent*, std::exception_ptr) { ++reported; };
  Process = [](void*, int, PDSStream) { throw std::runtime_error("handler failed"); };
  PlayToCompletion("tone.wav");
  EXPECT_TRUE(Completed);
  EXPECT_GT(reported, 0);
}

TEST_F(AudioProcessorGraph, VisualDataArrivesWhileVisualsAreOn) {
  int visuals = 0;
  int32_t size = 0;
  Processor.OnVisualData = [&](TDSAudioProcessor*, void*, int Size, PDSStream) {
    ++visuals;
    size = Size;
  };
  Processor.SetVisualInterval(40);
  Processor.SetVisualEnabled(true);
  PlayToCompletion("tone.wav");
  Processor.SetVisualEnabled(false);
  EXPECT_GT(visuals, 5);
  EXPECT_EQ(size, 4 * 16384);
}

}  // namespace
