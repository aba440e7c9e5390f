#include <cstdint>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/sample_format.h"

namespace {

constexpr int Rate = 44100;

class DynamicAmplifyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Agc.SetEnabled(true);
    Agc.SetSampleSize(0);  // each Process call is one block
  }

  // One block of 16-bit samples; returns the processed samples.
  std::vector<int16_t> Block16(const std::vector<int16_t>& In, int Channels) {
    std::vector<int16_t> out = In;
    Agc.Process(out.data(), out.size() * 2, Rate, 16, Channels, false);
    return out;
  }

  // Brings the gain to MaxAmplification / 1000 with two silent blocks: no
  // hold, an immediate rise, then the given settings.
  void RaiseGainTo(uint32_t MaxAmplification) {
    Agc.SetMaxAmplification(MaxAmplification);
    Agc.SetReleaseTime(0);
    Agc.SetAttackTime(100000000);
    std::vector<int16_t> silence(64, 0);
    Block16(silence, 1);
    Block16(silence, 1);
    ASSERT_FLOAT_EQ(Agc.CurrentAmplification(), MaxAmplification / 1000.0f);
    Agc.SetReleaseTime(3000);
    Agc.SetAttackTime(1000);
  }

  TDspDynamicAmplify Agc;
};

TEST_F(DynamicAmplifyTest, DefaultsAreTheComponentDefaults) {
  TDspDynamicAmplify fresh;
  EXPECT_FALSE(fresh.Enabled());
  EXPECT_EQ(fresh.SampleSize(), 8192u);
  EXPECT_EQ(fresh.AttackTime(), 1000u);
  EXPECT_EQ(fresh.ReleaseTime(), 3000u);
  EXPECT_EQ(fresh.MaxAmplification(), 10000u);
  EXPECT_EQ(fresh.CurrentAmplification(), 1.0f);
}

// Stereo 16-bit at 44.1 kHz, blocks of 8,192 frames (32,768 bytes), peak
// 16,384 (target 2.0): the gain holds until the hold count passes 529,200
// bytes (17 blocks), then rises by 32,768 / 176,400 per block until it
// passes 2.0, and the next block brings it back to exactly 2.0.
TEST_F(DynamicAmplifyTest, HoldsThenRisesPastTheTargetAndIsPulledBack) {
  Agc.SetSampleSize(8192);
  Agc.SetMaxAmplification(7500);
  const std::vector<int16_t> block(2 * 8192, 16384);
  const double rise = 32768.0 / 176400.0;
  std::vector<float> gains;
  for (int i = 0; i < 24; ++i) {
    const std::vector<int16_t> out = Block16(block, 2);
    gains.push_back(Agc.CurrentAmplification());
    if (i < 17) {
      EXPECT_EQ(out, block) << "block " << i << " changed while holding at 1.0";
    }
  }
  for (int i = 0; i < 17; ++i) EXPECT_EQ(gains[i], 1.0f) << "block " << i;
  for (int i = 17; i < 23; ++i) EXPECT_NEAR(gains[i], 1.0 + (i - 16) * rise, 1e-5) << "block " << i;
  EXPECT_GT(gains[22], 2.0f);
  EXPECT_EQ(gains[23], 2.0f);
}

TEST_F(DynamicAmplifyTest, FullScaleBlockRampsDownWithinItselfAndRestartsTheHold) {
  RaiseGainTo(3000);
  const int frames = 1000;
  std::vector<int16_t> block(frames, 100);
  block[frames / 2] = -32768;  // full scale: target 1.0
  const std::vector<int16_t> out = Block16(block, 1);
  EXPECT_EQ(Agc.CurrentAmplification(), 1.0f);
  EXPECT_EQ(out[0], 300);                          // starts at the old gain 3.0
  EXPECT_EQ(out[frames / 4], 250);                 // 3.0 - 250 x 0.002 = 2.5
  EXPECT_EQ(out[frames / 2], -32768);              // clipped
  EXPECT_EQ(out[frames - 1], 100);                 // 100 x 1.002, truncated
  // The hold restarted: a quieter block (target 2.0) keeps the gain at 1.0.
  std::vector<int16_t> quieter(frames, 16384);
  EXPECT_EQ(Block16(quieter, 1), quieter);
  EXPECT_EQ(Agc.CurrentAmplification(), 1.0f);
}

TEST_F(DynamicAmplifyTest, SilenceHoldsThenRisesToTheMaximum) {
  Agc.SetSampleSize(8192);
  Agc.SetMaxAmplification(7500);
  const std::vector<int16_t> silence(2 * 8192, 0);
  for (int i = 0; i < 17; ++i) Block16(silence, 2);
  EXPECT_EQ(Agc.CurrentAmplification(), 1.0f);
  Block16(silence, 2);
  EXPECT_GT(Agc.CurrentAmplification(), 1.0f);
  for (int i = 0; i < 40; ++i) Block16(silence, 2);
  EXPECT_EQ(Agc.CurrentAmplification(), 7.5f);
}

// Silence has no peak to divide by: its target is the largest gain, however
// large, in every integer width, and it stays silent at that gain. (A
// 16-bit block peaking at a single unit would allow only 32,768.)
TEST_F(DynamicAmplifyTest, SilenceKeepsTheLargestGainInEveryWidth) {
  for (int bits : {8, 16, 24}) {
    TDspDynamicAmplify agc;
    agc.SetEnabled(true);
    agc.SetSampleSize(0);
    agc.SetMaxAmplification(100000000);  // a gain of 100,000
    agc.SetReleaseTime(0);
    agc.SetAttackTime(4000000000u);
    // A second of audio a block: the gain may rise 4,000,000 a block.
    const std::vector<uint8_t> silence(static_cast<size_t>(bits / 8) * Rate, bits == 8 ? 128 : 0);
    for (int block = 0; block < 3; ++block) {
      std::vector<uint8_t> out = silence;
      agc.Process(out.data(), out.size(), Rate, bits, 1, false);
      EXPECT_EQ(out, silence) << bits << "-bit block " << block;
    }
    EXPECT_EQ(agc.CurrentAmplification(), 100000.0f) << bits;
  }
}

// The target of every format: full scale over the block's peak.
TEST_F(DynamicAmplifyTest, EveryFormatDropsToFullScaleOverItsPeak) {
  struct TCase {
    const char* Name;
    int Bits;
    bool Float;
    std::vector<uint8_t> Block;  // two mono samples: 10 units and the peak
    float Target;
  };
  auto pack = [](auto First, auto Second) {
    std::vector<uint8_t> b(sizeof First + sizeof Second);
    std::memcpy(b.data(), &First, sizeof First);
    std::memcpy(b.data() + sizeof First, &Second, sizeof Second);
    return b;
  };
  std::vector<uint8_t> b24(6);
  Cvt32BitTo24(10, b24.data());
  Cvt32BitTo24(-2097152, b24.data() + 3);
  const std::vector<TCase> cases = {
      {"8-bit", 8, false, {138, 64}, 2.0f},
      {"16-bit", 16, false, pack(int16_t{10}, int16_t{8192}), 4.0f},
      {"24-bit", 24, false, b24, 4.0f},
      {"32-bit", 32, false, pack(int32_t{10}, int32_t{INT32_MIN}), 1.0f},
      {"float", 32, true, pack(0.001f, -0.25f), 4.0f},  // round(0.25 x 32,767) = 8,192
  };
  for (const TCase& c : cases) {
    TDspDynamicAmplify agc;
    agc.SetEnabled(true);
    agc.SetSampleSize(0);
    agc.SetMaxAmplification(6000);
    agc.SetReleaseTime(0);
    agc.SetAttackTime(4000000000u);
    std::vector<uint8_t> silence(c.Block.size(), c.Bits == 8 ? 128 : 0);
    agc.Process(silence.data(), silence.size(), Rate, c.Bits, 1, c.Float);
    agc.Process(silence.data(), silence.size(), Rate, c.Bits, 1, c.Float);
    ASSERT_EQ(agc.CurrentAmplification(), 6.0f) << c.Name;
    std::vector<uint8_t> block = c.Block;
    agc.Process(block.data(), block.size(), Rate, c.Bits, 1, c.Float);
    EXPECT_EQ(agc.CurrentAmplification(), c.Target) << c.Name;
    // The first of the two frames still gets the old gain 6.0.
    switch (c.Bits) {
      case 8: EXPECT_EQ(block[0], 128 + 60) << c.Name; break;
      case 16: EXPECT_EQ(block[0] | (block[1] << 8), 60) << c.Name; break;
      case 24: EXPECT_EQ(Cvt24BitTo32(block.data()), 60) << c.Name; break;
      default:
        if (c.Float) {
          float f;
          std::memcpy(&f, block.data(), 4);
          EXPECT_FLOAT_EQ(f, 0.006f) << c.Name;
        } else {
          int32_t v;
          std::memcpy(&v, block.data(), 4);
          EXPECT_EQ(v, 60) << c.Name;
        }
    }
  }
}

// A float block's peak counts in units of 1/32,767, rounded to the nearest
// unit; the target is 32,768 over it.
TEST_F(DynamicAmplifyTest, FloatPeaksCountIn32767thsRounded) {
  const struct {
    float Peak;
    float Target;
  } cases[] = {
      {0.75f, 32768.0f / 24575},  // 24,575.25 units
      {0.1f, 32768.0f / 3277},    // 3,276.7 units, rounded up
      {1.0f, 32768.0f / 32767},   // full scale is a hair below 1.0
  };
  for (const auto& c : cases) {
    TDspDynamicAmplify agc;
    agc.SetEnabled(true);
    agc.SetSampleSize(0);
    agc.SetMaxAmplification(20000);
    agc.SetReleaseTime(0);
    agc.SetAttackTime(4000000000u);
    std::vector<float> block(4, 0.0f);
    agc.Process(block.data(), block.size() * 4, Rate, 32, 1, true);
    agc.Process(block.data(), block.size() * 4, Rate, 32, 1, true);
    ASSERT_EQ(agc.CurrentAmplification(), 20.0f);
    block = {0.01f, -c.Peak, 0.0f, 0.0f};
    agc.Process(block.data(), block.size() * 4, Rate, 32, 1, true);
    EXPECT_FLOAT_EQ(agc.CurrentAmplification(), c.Target) << "peak " << c.Peak;
  }
}

// The gain rises only once the hold count exceeds the hold limit: mono
// 16-bit at 1,000 Hz with a 100 ms hold is a limit of 200 bytes, and blocks
// of 100 bytes bring the count to 100, 200 (still holding), 300, then rise.
TEST_F(DynamicAmplifyTest, TheGainRisesOnlyAfterTheHoldCountExceedsTheLimit) {
  Agc.SetMaxAmplification(7500);
  Agc.SetReleaseTime(100);
  Agc.SetAttackTime(1000);
  const std::vector<int16_t> block(50, 16384);  // target 2.0
  std::vector<float> gains;
  for (int i = 0; i < 4; ++i) {
    std::vector<int16_t> out = block;
    Agc.Process(out.data(), out.size() * 2, 1000, 16, 1, false);
    gains.push_back(Agc.CurrentAmplification());
  }
  EXPECT_EQ(gains[0], 1.0f);
  EXPECT_EQ(gains[1], 1.0f);
  EXPECT_EQ(gains[2], 1.0f) << "a count equal to the limit still holds";
  EXPECT_FLOAT_EQ(gains[3], 1.05f);  // 0.05 s of audio at 1.0 per second
}

// Every channel of a frame gets that frame's gain: a stereo block whose
// right channel peaks at 16,384 drops the gain from 3.0 to 2.0 over four
// frames (3.0, 2.75, 2.5, 2.25), left and right alike.
TEST_F(DynamicAmplifyTest, TheRampScalesEveryChannelOfAFrame) {
  RaiseGainTo(3000);
  std::vector<int16_t> block = {1000, -2000, 1000, -2000, 1000, -16384, 1000, -2000};
  Agc.Process(block.data(), block.size() * 2, Rate, 16, 2, false);
  EXPECT_EQ(Agc.CurrentAmplification(), 2.0f);
  EXPECT_EQ(block, (std::vector<int16_t>{3000, -6000, 2750, -5500, 2500, -32768, 2250, -4500}));
}

TEST_F(DynamicAmplifyTest, ThirtyTwoBitRampIsClippedSymmetrically) {
  RaiseGainTo(2000);
  std::vector<int32_t> block = {1500000000, INT32_MIN + 1};
  Agc.Process(block.data(), block.size() * 4, Rate, 32, 1, false);
  EXPECT_EQ(block[0], 2147483647);  // 1.5e9 x 2.0, clipped
  EXPECT_NEAR(Agc.CurrentAmplification(), 2147483648.0 / 2147483647.0, 1e-6);
}

TEST_F(DynamicAmplifyTest, BlockShorterThanAFrameChangesOnlyTheGain) {
  RaiseGainTo(4000);
  std::vector<int16_t> oneSample = {16384};
  Agc.Process(oneSample.data(), 2, Rate, 16, 2, false);  // half a stereo frame
  EXPECT_EQ(Agc.CurrentAmplification(), 2.0f);
  EXPECT_EQ(oneSample[0], 16384);
}

TEST_F(DynamicAmplifyTest, ChunksAreGainBlocks) {
  Agc.SetSampleSize(100);
  RaiseGainTo(4000);
  // Three chunks of 100 mono frames, the last one peaking at 16,384: only
  // that chunk lowers the gain to 2.0, and only that chunk is ramped.
  std::vector<int16_t> in(300, 10);
  in[250] = 16384;
  std::vector<int16_t> out = in;
  Agc.Process(out.data(), out.size() * 2, Rate, 16, 1, false);
  EXPECT_EQ(Agc.CurrentAmplification(), 2.0f);
  EXPECT_EQ(out[0], 40);
  EXPECT_EQ(out[199], 40);
  EXPECT_EQ(out[200], 40);
  EXPECT_EQ(out[299], 20);  // 10 x (2.0 + 0.02), truncated
}

TEST_F(DynamicAmplifyTest, DisabledOrInvalidStreamsAreLeftAlone) {
  std::vector<int16_t> in(64, 100);
  std::vector<int16_t> out = in;
  Agc.Process(out.data(), out.size() * 2, 0, 16, 1, false);   // no sample rate
  Agc.Process(out.data(), out.size() * 2, Rate, 4, 1, false);  // no whole byte
  Agc.Process(out.data(), out.size() * 2, Rate, 16, 0, false);  // no channel
  EXPECT_EQ(out, in);
  EXPECT_EQ(Agc.CurrentAmplification(), 1.0f);
  RaiseGainTo(3000);
  Agc.SetMaxAmplification(2000);
  Agc.Process(out.data(), 0, Rate, 16, 1, false);  // an empty buffer is no block
  EXPECT_EQ(Agc.CurrentAmplification(), 3.0f);
  Agc.SetEnabled(false);
  Agc.Process(out.data(), out.size() * 2, Rate, 16, 1, false);
  EXPECT_EQ(out, in);
  EXPECT_EQ(Agc.CurrentAmplification(), 3.0f);
}

}  // namespace
