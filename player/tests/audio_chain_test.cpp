// The video window's audio chain: every buffer keeps its length and goes
// through the automatic gain, the amplifier and the equalizer; in a real
// graph the tone comes out at the amplifier's volume.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <mutex>
#include <vector>

#include <windows.h>

#include "engine/filters/tests/test_graph_support.h"
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

}  // namespace
