#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/sample_format.h"

namespace {

template <class T>
std::vector<uint8_t> Bytes(const std::vector<T>& Samples) {
  std::vector<uint8_t> b(Samples.size() * sizeof(T));
  std::memcpy(b.data(), Samples.data(), b.size());
  return b;
}

template <class T>
std::vector<T> Samples(const std::vector<uint8_t>& B) {
  std::vector<T> s(B.size() / sizeof(T));
  std::memcpy(s.data(), B.data(), s.size() * sizeof(T));
  return s;
}

std::vector<uint8_t> Packed24(const std::vector<int32_t>& Values) {
  std::vector<uint8_t> b(3 * Values.size());
  for (size_t i = 0; i < Values.size(); ++i) Cvt32BitTo24(Values[i], &b[3 * i]);
  return b;
}

std::vector<int32_t> Unpacked24(const std::vector<uint8_t>& B) {
  std::vector<int32_t> v(B.size() / 3);
  for (size_t i = 0; i < v.size(); ++i) v[i] = Cvt24BitTo32(&B[3 * i]);
  return v;
}

class AmplifyTest : public ::testing::Test {
 protected:
  void SetUp() override { Amp.SetEnabled(true); }

  template <class T>
  std::vector<T> Run(const std::vector<T>& In, int Bits, int Channels, bool Float = false) {
    std::vector<uint8_t> b = Bytes(In);
    Amp.Process(b.data(), b.size(), Bits, Channels, Float);
    return Samples<T>(b);
  }

  TDspAmplify Amp;
};

TEST_F(AmplifyTest, DefaultsAreUnityVolumesSwitchedOff) {
  TDspAmplify fresh;
  EXPECT_FALSE(fresh.Enabled());
  EXPECT_FALSE(fresh.Seperate());
  EXPECT_EQ(fresh.SampleSize(), 8192u);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(fresh.GetVolume(c), 10000) << c;
}

TEST_F(AmplifyTest, VolumesOutsideTheTenChannelsAreIgnored) {
  Amp.SetVolume(10, 5);
  Amp.SetVolume(-1, 5);
  EXPECT_EQ(Amp.GetVolume(10), 0);
  EXPECT_EQ(Amp.GetVolume(-1), 0);
  Amp.SetVolume(9, 1234);
  EXPECT_EQ(Amp.GetVolume(9), 1234);
}

// The tenth volume is the last one kept: the eleventh is neither stored nor
// read, not even in the memory right after the ten (here a neighbour laid
// out behind the amplifier).
TEST_F(AmplifyTest, TheEleventhVolumeIsStoredAndReadNowhere) {
  struct TNeighbours {
    TDspAmplify Amp;
    std::int32_t After[2] = {17, 17};
  };
  auto n = std::make_unique<TNeighbours>();
  n->Amp.SetVolume(10, 5);
  n->Amp.SetVolume(11, 5);
  EXPECT_EQ(n->After[0], 17);
  EXPECT_EQ(n->After[1], 17);
  EXPECT_EQ(n->Amp.GetVolume(10), 0);
}

TEST_F(AmplifyTest, SixteenBitTruncatesTowardZeroAndClips) {
  Amp.SetVolume(0, 5000);
  EXPECT_EQ(Run<int16_t>({1001, -1001, 3, -3}, 16, 1), (std::vector<int16_t>{500, -500, 1, -1}));
  Amp.SetVolume(0, 30000);
  EXPECT_EQ(Run<int16_t>({20000, -20000, 100}, 16, 1), (std::vector<int16_t>{32767, -32768, 300}));
}

TEST_F(AmplifyTest, EightBitWorksAroundTheOffset) {
  Amp.SetVolume(0, 20000);
  EXPECT_EQ(Run<uint8_t>({250, 10, 128, 140}, 8, 1), (std::vector<uint8_t>{255, 0, 128, 152}));
  // Just past full scale either way: clipped, never wrapped round.
  EXPECT_EQ(Run<uint8_t>({192, 64, 63}, 8, 1), (std::vector<uint8_t>{255, 0, 0}));
  Amp.SetVolume(0, 5000);
  EXPECT_EQ(Run<uint8_t>({129, 127, 255}, 8, 1), (std::vector<uint8_t>{128, 128, 191}));
}

TEST_F(AmplifyTest, TwentyFourBitClipsToItsRange) {
  Amp.SetVolume(0, 15000);
  std::vector<uint8_t> b = Packed24({1000000, -1000001, 8000000, -8000000});
  Amp.Process(b.data(), b.size(), 24, 1, false);
  EXPECT_EQ(Unpacked24(b), (std::vector<int32_t>{1500000, -1500001, 8388607, -8388608}));
}

TEST_F(AmplifyTest, ThirtyTwoBitComputesIn64BitsWithTheSymmetricClip) {
  Amp.SetVolume(0, 15000);
  EXPECT_EQ(Run<int32_t>({2000000000, -2000000000, 7}, 32, 1),
            (std::vector<int32_t>{2147483647, -2147483647, 10}));
  Amp.SetVolume(0, 10000);
  EXPECT_EQ(Run<int32_t>({INT32_MIN, INT32_MAX}, 32, 1), (std::vector<int32_t>{-2147483647, 2147483647}));
  Amp.SetVolume(0, 5000);
  EXPECT_EQ(Run<int32_t>({INT32_MIN}, 32, 1), (std::vector<int32_t>{-1073741824}));
}

TEST_F(AmplifyTest, FloatIsScaledAndNeverClipped) {
  Amp.SetVolume(0, 30000);
  // Eleven samples starting one float into the buffer: the vector path's
  // unaligned start and its tail both get the same factor.
  std::vector<float> in(12);
  for (int i = 0; i < 12; ++i) in[i] = 0.1f * static_cast<float>(i) - 0.5f;
  std::vector<uint8_t> b = Bytes(in);
  Amp.Process(b.data() + 4, b.size() - 4, 32, 2, true);
  const std::vector<float> out = Samples<float>(b);
  EXPECT_EQ(out[0], in[0]);
  for (int i = 1; i < 12; ++i) EXPECT_FLOAT_EQ(out[i], in[i] * 3.0f) << i;
  EXPECT_FLOAT_EQ(Run<float>({0.9f}, 32, 1, true)[0], 2.7f);
}

TEST_F(AmplifyTest, SeperateGivesEachChannelItsOwnVolume) {
  Amp.SetVolume(0, 5000);
  Amp.SetVolume(1, 20000);
  EXPECT_EQ(Run<int16_t>({1000, 1000, -1000, -1000}, 16, 2), (std::vector<int16_t>{500, 500, -500, -500}));
  Amp.SetSeperate(true);
  EXPECT_EQ(Run<int16_t>({1000, 1000, -1000, -1000}, 16, 2), (std::vector<int16_t>{500, 2000, -500, -2000}));
  const std::vector<float> f = Run<float>({1.0f, 1.0f}, 32, 2, true);
  EXPECT_FLOAT_EQ(f[0], 0.5f);
  EXPECT_FLOAT_EQ(f[1], 2.0f);
}

TEST_F(AmplifyTest, SeperateSilencesChannelsFromTenUp) {
  Amp.SetSeperate(true);
  std::vector<int16_t> frame(12, 1000);
  const std::vector<int16_t> out = Run(frame, 16, 12);
  for (int c = 0; c < 10; ++c) EXPECT_EQ(out[c], 1000) << c;
  EXPECT_EQ(out[10], 0);
  EXPECT_EQ(out[11], 0);
}

TEST_F(AmplifyTest, DisabledOrUnsupportedLeavesBytesAlone) {
  Amp.SetVolume(0, 20000);
  const std::vector<int16_t> in = {1, -2, 300, -4000};
  EXPECT_EQ(Run(in, 20, 1), in);
  Amp.SetEnabled(false);
  EXPECT_EQ(Run(in, 16, 1), in);
}

TEST_F(AmplifyTest, TrailingPartialSampleIsUntouched) {
  Amp.SetVolume(0, 20000);
  std::vector<uint8_t> b = {0x10, 0x00, 0x77};  // one 16-bit sample and a stray byte
  Amp.Process(b.data(), b.size(), 16, 1, false);
  EXPECT_EQ(b, (std::vector<uint8_t>{0x20, 0x00, 0x77}));
}

}  // namespace
