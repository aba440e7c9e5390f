// A 1 kHz tone played through a real graph: the audio filter's callback runs
// the equalizer, and moving the equalizer window's band 5 (bins 29 .. 47,
// near whose top 1 kHz lies at 44.1 kHz) makes it measurably quieter, while
// moving band 10 leaves it as it was.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <mutex>

#include <windows.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/audio_processor.h"
#include "engine/dsp/equalizer.h"
#include "engine/filters/tests/test_graph_support.h"
#include "player/tests/main_form_fixture.h"
#include "settings/text_table.h"
#include "tests/support/process.h"
#include "tools/equalizer/equalizer_window.h"

namespace {

// The window joined to the main window by the start-up's links.
class EqualizerAudio : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    // The player's equalizer works on a 2048-point spectrum.
    Equalizer.SetFFTSize(TDspFFTSize::fts2048);
    Equalizer.SetEnabled(true);
    Form = std::make_unique<TfrmEqualizer>(Audio);
    Processor.SetDSPEnabled(true);
    Processor.SetFilterGraph(&Graph);
    Graph.OnGraphComplete = [this](TFilterGraph*, HRESULT, IBaseFilter*) { Completed = true; };
    Processor.OnFlush = [this](TDSAudioProcessor*) { Equalizer.Flush(); };
    Processor.OnPCMData = [this](TDSAudioProcessor*, void* Buffer, int Size, int& NewSize,
                                 PDSStream Stream) {
      Equalizer.Process(Buffer, static_cast<size_t>(Size), Stream->Bits, Stream->Channels,
                        Stream->Float != 0);
      NewSize = Size;
      std::lock_guard<std::mutex> Lock(Mutex);
      const auto* Samples = static_cast<const std::int16_t*>(Buffer);
      for (int I = 0; I < Size / 2; ++I) {
        // The first half second holds the equalizer's start-up delay.
        if (++Count > 44100) Sum += double(Samples[I]) * Samples[I];
      }
    };
  }
  void TearDown() override {
    Graph.SetActive(false);
    Processor.SetFilterGraph(nullptr);
    Form.reset();
    MainWindowTest::TearDown();
  }
  // The level of the tone after the equalizer, in dB below full scale.
  double PlayedLevel() {
    Completed = false;
    Count = 0;
    Sum = 0;
    Graph.SetActive(true);
    EXPECT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
    EXPECT_TRUE(Graph.Play());
    EXPECT_TRUE(lctest::PumpUntil([this] { return Completed; }, 20000));
    Graph.Stop();
    Graph.SetActive(false);
    std::lock_guard<std::mutex> Lock(Mutex);
    return 10 * std::log10(Sum / std::max<long long>(Count - 44100, 1) / (32768.0 * 32768.0));
  }

  lctest::TComScope Com;
  TDspEqualizer Equalizer;
  TDspAmplify Amplify;
  lc::tools::TDspEqualizerAudio Audio{Equalizer, Amplify};
  std::unique_ptr<TfrmEqualizer> Form;
  TFilterGraph Graph;
  TDSAudioProcessor Processor{L"DSAudioProcessor"};
  std::mutex Mutex;
  long long Count = 0;
  double Sum = 0;
  bool Completed = false;
};

TEST_F(EqualizerAudio, BandsAroundTheToneCutItAndBandTenLeavesIt) {
  const double Flat = PlayedLevel();
  EXPECT_GT(Flat, -30.0);
  Form->tbEqChange(9, 100);
  EXPECT_NEAR(Flat, PlayedLevel(), 1.0);
  // 1 kHz lies near band 5's upper edge: band 5 alone cuts it by several
  // decibels, band 5 with band 6 by nearly their full 20 dB.
  Form->tbEqChange(4, 100);
  EXPECT_LT(PlayedLevel(), Flat - 4.0);
  Form->tbEqChange(5, 100);
  EXPECT_LT(PlayedLevel(), Flat - 15.0);
}

}  // namespace
