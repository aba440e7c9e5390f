// The video window's audio chain: every buffer keeps its length and goes
// through the automatic gain, the amplifier and the equalizer; in a real
// graph the tone comes out at the amplifier's volume, and the sound after
// a seek or a stop carries nothing of the sound before it.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <mutex>
#include <vector>

#include <windows.h>

#include "engine/filters/com_helpers.h"
#include "engine/filters/tests/test_graph_support.h"
#include "engine/graph/graph_seeking.h"
#include "player/audio_chain.h"
#include "tests/support/process.h"

namespace {

TDSStream Stream16(int Size) {
  TDSStream S{};
  S.Size = Size;
  S.Frequency = 44100;
  S.Channels = 2;
  S.Bits = 16;
  return S;
}

class AudioChain : public ::testing::Test {
 protected:
  lctest::TComScope Com;
  TFilterGraph Graph;
  TAudioChain Chain{Graph};
};

TEST_F(AudioChain, StartsAsTheVideoWindowHoldsIt) {
  EXPECT_EQ(TDspFFTSize::fts2048, Chain.DspEqualizer.FFTSize());
  EXPECT_TRUE(Chain.DspEqualizer.Enabled());
  EXPECT_TRUE(Chain.DspAmplify.Enabled());
  EXPECT_FALSE(Chain.DspDynamicAmplify.Enabled());
  EXPECT_EQ(7500u, Chain.DspDynamicAmplify.MaxAmplification());
  EXPECT_TRUE(Chain.DSAudioProcessor.DSPEnabled());
  EXPECT_EQ(&Graph, Chain.DSAudioProcessor.FilterGraph());
  // The same processors answer the settings interfaces.
  IDspEqualizer* Eq = nullptr;
  IDspDynamicAmplify* Agc = nullptr;
  ASSERT_EQ(S_OK, Chain.DspEqualizer.QueryInterface(IID_IDspEqualizer, reinterpret_cast<void**>(&Eq)));
  ASSERT_EQ(S_OK, Chain.DspDynamicAmplify.QueryInterface(IID_IDspDynamicAmplify, reinterpret_cast<void**>(&Agc)));
  TDspFFTSize Size = TDspFFTSize::fts2;
  uint32_t Max = 0;
  EXPECT_EQ(S_OK, Eq->GetFFTSize(&Size));
  EXPECT_EQ(TDspFFTSize::fts2048, Size);
  EXPECT_EQ(S_OK, Agc->GetMaxAmplification(&Max));
  EXPECT_EQ(7500u, Max);
  Eq->SetBandGain(0, 3, -50);
  EXPECT_EQ(-50, Chain.DspEqualizer.GetBandGain(0, 3));
}

TEST_F(AudioChain, ABufferKeepsItsLengthAndTakesTheAmplifiersVolume) {
  Chain.DspEqualizer.SetEnabled(false);
  Chain.DspAmplify.SetVolume(0, 5000);
  std::vector<std::int16_t> Samples(4096, 1000);
  const int Size = static_cast<int>(Samples.size() * 2);
  TDSStream S = Stream16(Size);
  int NewSize = -1;
  Chain.PCMData(Samples.data(), Size, NewSize, &S);
  EXPECT_EQ(Size, NewSize);
  EXPECT_EQ(500, Samples[0]);
  EXPECT_EQ(500, Samples[4095]);
}

class AudioChainGraph : public AudioChain {
 protected:
  // The tone's level after the chain, in dB below full scale, measured by
  // wrapping the chain's handler.
  double PlayedLevel() {
    long long Count = 0;
    double Sum = 0;
    std::mutex Mutex;
    bool Completed = false;
    Chain.DSAudioProcessor.OnPCMData = [&](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize,
                                           PDSStream Stream) {
      Chain.PCMData(Buffer, Size, NewSize, Stream);
      std::lock_guard<std::mutex> Lock(Mutex);
      const auto* Samples = static_cast<const std::int16_t*>(Buffer);
      for (int I = 0; I < NewSize / 2; ++I)
        if (++Count > 44100) Sum += double(Samples[I]) * Samples[I];
    };
    Graph.OnGraphComplete = [&](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
    Graph.SetActive(true);
    EXPECT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
    EXPECT_TRUE(Graph.Play());
    EXPECT_TRUE(lctest::PumpUntil([&] { return Completed; }, 20000));
    Graph.Stop();
    Graph.SetActive(false);
    std::lock_guard<std::mutex> Lock(Mutex);
    return 10 * std::log10(Sum / std::max<long long>(Count - 44100, 1) / (32768.0 * 32768.0));
  }
};

TEST_F(AudioChainGraph, TheToneComesOutAtTheAmplifiersVolume) {
  const double Unity = PlayedLevel();
  Chain.DspAmplify.SetVolume(0, 5000);
  EXPECT_NEAR(Unity - 6.02, PlayedLevel(), 0.3);
}

// A movie with picture and sound (a 1 kHz tone in 16-bit PCM, decoded the
// same every time) played to its end leaves the equalizer's overlap full
// of the tone's last block. Started again at 0, from a seek (which this
// platform's media stack makes with the graph stopped) or from Stop then
// Play, its first 2,048 frames after the chain must be those of the first
// play, which began with the chain fresh: the old tail would change the
// first 512.
class AudioChainRestart : public AudioChain {
 protected:
  void SetUp() override {
    Chain.DSAudioProcessor.OnPCMData = [this](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize,
                                              PDSStream Stream) {
      Chain.PCMData(Buffer, Size, NewSize, Stream);
      std::lock_guard<std::mutex> Lock(Mutex);
      const auto* Bytes = static_cast<const std::uint8_t*>(Buffer);
      Played[Round.load()].insert(Played[Round.load()].end(), Bytes, Bytes + NewSize);
    };
    Graph.OnGraphComplete = [this](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
    Graph.SetActive(true);
    ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("clip.avi")), S_OK);
    lctest::KeepVideoHidden(static_cast<IServiceProvider*>(&Graph));
    TComRef<IFilterGraph> Filters;
    ASSERT_EQ(Graph.QueryInterface(IID_IFilterGraph, Filters.Out()), S_OK);
    ASSERT_EQ(2, TGraphSeeking::StreamEnds(Filters.P)) << "picture and sound";
    ASSERT_TRUE(Graph.Play());
    ASSERT_TRUE(lctest::PumpUntil([this] { return Completed.load(); }, 20000));
    Completed = false;
    Round = 1;
  }
  void TearDown() override {
    Graph.Stop();
    Graph.SetActive(false);
  }
  // The first 2,048 frames of the round, or fewer when it played fewer.
  std::vector<std::uint8_t> Opening(int Index) {
    std::lock_guard<std::mutex> Lock(Mutex);
    const std::vector<std::uint8_t>& All = Played[Index];
    return {All.begin(), All.begin() + std::min<size_t>(All.size(), 2048 * 4)};
  }
  // The first frame of the round's opening that differs from the first
  // play's, with both samples of its left channel; -1 when none does.
  int FirstDifference(std::int16_t& Before, std::int16_t& After) {
    const std::vector<std::uint8_t> First = Opening(0), Again = Opening(1);
    for (size_t I = 0; I + 1 < std::min(First.size(), Again.size()); I += 2) {
      if (First[I] == Again[I] && First[I + 1] == Again[I + 1]) continue;
      std::memcpy(&Before, &First[I], 2);
      std::memcpy(&After, &Again[I], 2);
      return static_cast<int>(I / 4);
    }
    return -1;
  }

  std::mutex Mutex;
  std::vector<std::uint8_t> Played[2];
  std::atomic<int> Round{0};
  std::atomic<bool> Completed{false};
};

TEST_F(AudioChainRestart, AfterASeekToTheStartTheSoundIsTheFirstPlaysOwn) {
  ASSERT_TRUE(Graph.SeekTo(0));
  ASSERT_TRUE(lctest::PumpUntil([this] { return Completed.load(); }, 20000));
  ASSERT_EQ(Opening(0).size(), 2048u * 4);
  ASSERT_EQ(Opening(1).size(), 2048u * 4);
  std::int16_t Before = 0, After = 0;
  EXPECT_EQ(-1, FirstDifference(Before, After)) << "first play " << Before << ", after the seek " << After;
}

TEST_F(AudioChainRestart, AfterStopAndPlayTheSoundIsTheFirstPlaysOwn) {
  ASSERT_TRUE(Graph.Stop());
  ASSERT_TRUE(Graph.SeekTo(0));
  ASSERT_TRUE(Graph.Play());
  ASSERT_TRUE(lctest::PumpUntil([this] { return Completed.load(); }, 20000));
  ASSERT_EQ(Opening(1).size(), 2048u * 4);
  std::int16_t Before = 0, After = 0;
  EXPECT_EQ(-1, FirstDifference(Before, After)) << "first play " << Before << ", after Stop and Play " << After;
}

}  // namespace
