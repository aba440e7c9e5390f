// Inputs the audio chain must survive that no well-behaved decoder sends:
// non-finite floats, a stream that changes format without a flush, and
// stream parameters at the far ends of their types. Each case replays what
// a fuzzing run once found.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/equalizer.h"

namespace {

// A float buffer with a NaN and infinities, then 32-bit integer PCM without
// a flush: the float block's tail must not reach the integer samples (it
// has no integer value; on x86 it came out as the most negative sample).
TEST(AudioChainHostileInput, NonFiniteFloatTailNeverReachesIntegerSamples) {
  TDspEqualizer eq;
  eq.SetFFTSize(TDspFFTSize::fts1024);
  eq.SetEnabled(true);
  std::vector<float> floats(768, 0.25f);
  floats[700] = std::numeric_limits<float>::quiet_NaN();
  floats[701] = std::numeric_limits<float>::infinity();
  floats[702] = -std::numeric_limits<float>::infinity();
  eq.Process(floats.data(), floats.size() * 4, 32, 1, true);

  // 1,000 x 32,768 in every sample. Flat gains pass a constant with the
  // slight lift of the one-sided spectrum's odd lags, after a rise over the
  // kernel's 257 taps.
  std::vector<int32_t> ints(768, 1000 * 32768);
  eq.Process(ints.data(), ints.size() * 4, 32, 1, false);
  for (size_t i = 0; i < ints.size(); ++i) {
    EXPECT_EQ(ints[i] % 32768, 0) << "frame " << i;
    EXPECT_GE(ints[i], 0) << "frame " << i;
    EXPECT_LE(ints[i], 1200 * 32768) << "frame " << i;
  }
  for (size_t i = 300; i < ints.size(); ++i) {
    EXPECT_GE(ints[i], 1000 * 32768) << "frame " << i;
  }
}

// The same within a float stream: a NaN spoils its own block only.
TEST(AudioChainHostileInput, NaNSpoilsOnlyItsOwnFloatBlock) {
  TDspEqualizer eq;
  eq.SetFFTSize(TDspFFTSize::fts1024);
  eq.SetEnabled(true);
  eq.SetSampleSize(0);
  std::vector<float> first(768, 0.0f);
  first[10] = std::numeric_limits<float>::quiet_NaN();
  eq.Process(first.data(), first.size() * 4, 32, 1, true);
  std::vector<float> second(768, 0.5f);
  eq.Process(second.data(), second.size() * 4, 32, 1, true);
  for (size_t i = 0; i < second.size(); ++i) {
    ASSERT_TRUE(std::isfinite(second[i])) << "frame " << i;
  }
  EXPECT_GE(second[700], 0.5f);
  EXPECT_LE(second[700], 0.6f);
}

// Channels x rate x bytes x ReleaseTime beyond the 64-bit range: the hold
// limit saturates, so a silent block holds the gain at 1.0 instead of
// letting it rise at once (an out-of-range conversion made the limit
// negative).
TEST(AudioChainHostileInput, HugeStreamParametersStillHoldTheGain) {
  TDspDynamicAmplify agc;
  agc.SetEnabled(true);
  agc.SetSampleSize(0);
  agc.SetReleaseTime(std::numeric_limits<uint32_t>::max());
  agc.SetAttackTime(std::numeric_limits<uint32_t>::max());
  std::vector<uint8_t> silence(4 << 20, 0);
  agc.Process(silence.data(), silence.size(), std::numeric_limits<int>::max(), 16, 2048, false);
  EXPECT_EQ(agc.CurrentAmplification(), 1.0f);
  agc.Process(silence.data(), silence.size(), std::numeric_limits<int>::max(),
              std::numeric_limits<int>::max(), std::numeric_limits<int>::max(), false);
  EXPECT_EQ(agc.CurrentAmplification(), 1.0f);
}

// Channels and bins outside the table read as 0, never as a neighbour's
// gain (bin 8,192 of channel 0 would be bin 0 of channel 1).
TEST(AudioChainHostileInput, OutOfRangeBandsReadAsZero) {
  TDspEqualizer eq;
  eq.SetBandGain(1, 0, 50);
  eq.SetBandGain(0, 8191, -30);
  EXPECT_EQ(eq.GetBandGain(0, 8192), 0);
  EXPECT_EQ(eq.GetBandGain(0, -1), 0);
  EXPECT_EQ(eq.GetBandGain(10, 0), 0);
  EXPECT_EQ(eq.GetBandGain(1, 0), 50);
  EXPECT_EQ(eq.GetBandGain(0, 8191), -30);
}

}  // namespace
