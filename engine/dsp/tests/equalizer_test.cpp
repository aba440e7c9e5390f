#include <array>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/equalizer.h"

namespace {

constexpr double Rate = 48000.0;

std::vector<float> Sine(int Frames, int Channels, double Frequency, double Amplitude) {
  std::vector<float> v(static_cast<size_t>(Frames) * Channels);
  for (int i = 0; i < Frames; ++i) {
    for (int c = 0; c < Channels; ++c) {
      v[static_cast<size_t>(i) * Channels + c] =
          static_cast<float>(Amplitude * std::sin(2 * std::numbers::pi * Frequency * i / Rate + c));
    }
  }
  return v;
}

std::vector<float> Noise(size_t Count, unsigned Seed, float Amplitude) {
  std::mt19937 rng(Seed);
  std::uniform_real_distribution<float> dist(-Amplitude, Amplitude);
  std::vector<float> v(Count);
  for (float& x : v) x = dist(rng);
  return v;
}

// Amplitude and phase of a sine of the given frequency in channel 0 of
// Signal, over frames From..To-1 (a whole number of periods).
struct TTone {
  double Amplitude;
  double Phase;
};
TTone Measure(const std::vector<float>& Signal, int Channels, double Frequency, int From, int To) {
  double re = 0, im = 0;
  for (int i = From; i < To; ++i) {
    const double angle = 2 * std::numbers::pi * Frequency * i / Rate;
    re += Signal[static_cast<size_t>(i) * Channels] * std::cos(angle);
    im += Signal[static_cast<size_t>(i) * Channels] * std::sin(angle);
  }
  return {2 * std::hypot(re, im) / (To - From), std::atan2(re, im)};
}

double Decibels(double Ratio) { return 20 * std::log10(Ratio); }

class EqualizerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Eq.SetFFTSize(TDspFFTSize::fts2048);
    Eq.SetEnabled(true);
  }

  std::vector<float> RunFloat(std::vector<float> Samples, int Channels) {
    Eq.Process(Samples.data(), Samples.size() * 4, 32, Channels, true);
    return Samples;
  }

  void SetBand(int Channel, int FirstBin, int EndBin, int8_t Value) {
    for (int bin = FirstBin; bin < EndBin; ++bin) Eq.SetBandGain(Channel, bin, Value);
  }

  TDspEqualizer Eq;
};

TEST_F(EqualizerTest, DefaultsAndGainUnits) {
  TDspEqualizer fresh;
  EXPECT_FALSE(fresh.Enabled());
  EXPECT_FALSE(fresh.Seperate());
  EXPECT_EQ(fresh.SampleSize(), 8192u);
  EXPECT_EQ(fresh.FFTSize(), TDspFFTSize::fts1024);
  EXPECT_EQ(fresh.GetBandGain(0, 0), 0);
  fresh.SetBandGain(0, 10, -100);
  EXPECT_EQ(fresh.GetBandGain(0, 10), -100);
  fresh.SetBandGain(9, 8191, 127);
  EXPECT_EQ(fresh.GetBandGain(9, 8191), 127);
  fresh.SetBandGain(3, 5, -128);
  EXPECT_EQ(fresh.GetBandGain(3, 5), -128);
  EXPECT_EQ(fresh.GetBandGain(10, 0), 0);
  EXPECT_EQ(fresh.GetBandGain(0, 8192), 0);
  const std::array<uint16_t, 11> edges = {0, 3, 9, 16, 29, 48, 100, 141, 280, 559, 1024};
  EXPECT_EQ(EqBandEdges, edges);
}

TEST_F(EqualizerTest, FlatGainsPassA1kHzSineDelayedBy256Frames) {
  const int frames = 48000;
  const std::vector<float> in = Sine(frames, 2, 1000.0, 0.5);
  const std::vector<float> out = RunFloat(in, 2);
  // Steady state: one second minus the start, a whole number of periods.
  const TTone tone = Measure(out, 2, 1000.0, 2400, 2400 + 43200);
  EXPECT_NEAR(Decibels(tone.Amplitude / 0.5), 0.0, 0.03);
  double worst = 0;
  for (int i = 600; i < frames; ++i) worst = std::max(worst, std::fabs(double(out[2 * i]) - in[2 * (i - 256)]));
  EXPECT_LT(worst, 0.5 * 0.0035) << "output is not the input 256 frames later";
  double offByOne = 0;
  for (int i = 600; i < frames; ++i) offByOne = std::max(offByOne, std::fabs(double(out[2 * i]) - in[2 * (i - 255)]));
  EXPECT_GT(offByOne, 10 * worst);
  // The first 256 frames carry only the kernel's small leading taps.
  for (int i = 0; i < 200; ++i) ASSERT_LT(std::fabs(out[2 * i]), 0.01f) << i;
}

TEST_F(EqualizerTest, SixteenBitSinePassesFlatWithTheSameDelay) {
  const int frames = 24000;
  const std::vector<float> sine = Sine(frames, 1, 1000.0, 16000.0);
  std::vector<int16_t> in(frames), out(frames);
  for (int i = 0; i < frames; ++i) in[i] = static_cast<int16_t>(std::lrint(sine[i]));
  out = in;
  Eq.Process(out.data(), out.size() * 2, 16, 1, false);
  int worst = 0;
  for (int i = 600; i < frames; ++i) worst = std::max(worst, std::abs(out[i] - in[i - 256]));
  EXPECT_LE(worst, 60);  // 0.03 dB of 16,000 is 55
  std::vector<float> asFloat(out.begin(), out.end());
  EXPECT_NEAR(Decibels(Measure(asFloat, 1, 1000.0, 2400, 2400 + 19200).Amplitude / 16000.0), 0.0, 0.03);
}

TEST_F(EqualizerTest, OutputDoesNotDependOnHowTheInputIsSplit) {
  const int channels = 2;
  const std::vector<float> in = Noise(30000 * channels, 5, 0.5f);
  const std::vector<float> whole = RunFloat(in, channels);

  TDspEqualizer split;
  split.SetFFTSize(TDspFFTSize::fts2048);
  split.SetEnabled(true);
  std::vector<float> pieces = in;
  const int sizes[] = {1, 100, 7, 1536, 1537, 4000, 8192, 9000, 3};
  size_t at = 0;
  for (int i = 0; at < pieces.size(); ++i) {
    const size_t count = std::min<size_t>(sizes[i % 9] * channels, pieces.size() - at);
    split.Process(pieces.data() + at, count * 4, 32, channels, true);
    at += count;
  }
  double worst = 0;
  for (size_t i = 0; i < in.size(); ++i) worst = std::max(worst, std::fabs(double(whole[i]) - pieces[i]));
  EXPECT_LT(worst, 1e-5);
}

TEST_F(EqualizerTest, FlushForgetsTheTail) {
  const std::vector<float> loud = Sine(4000, 1, 1000.0, 0.8);
  const std::vector<float> silence(2000, 0.0f);
  RunFloat(loud, 1);
  const std::vector<float> tail = RunFloat(silence, 1);
  double tailPeak = 0;
  for (float v : tail) tailPeak = std::max(tailPeak, std::fabs(double(v)));
  EXPECT_GT(tailPeak, 0.5) << "without a flush the delayed signal continues";

  RunFloat(loud, 1);
  Eq.Flush();
  for (float v : RunFloat(silence, 1)) ASSERT_EQ(v, 0.0f);
}

TEST_F(EqualizerTest, DisabledLeavesBytesIdentical) {
  Eq.SetEnabled(false);
  SetBand(0, 0, 1024, -50);
  std::vector<uint8_t> bytes(4001);
  std::mt19937 rng(9);
  for (uint8_t& b : bytes) b = static_cast<uint8_t>(rng());
  const std::vector<uint8_t> original = bytes;
  for (int bits : {8, 16, 24, 32}) {
    Eq.Process(bytes.data(), bytes.size(), bits, 2, bits == 32);
    EXPECT_EQ(bytes, original) << bits;
  }
}

TEST_F(EqualizerTest, CutBandAttenuatesBySetAmount) {
  // Band 8 (bins 141..279, 3.3 to 6.5 kHz) cut by 100 units = -20 dB.
  SetBand(0, EqBandEdges[7], EqBandEdges[8], -100);
  EXPECT_EQ(Eq.GetBandGain(0, 200), -100);
  const int frames = 48000;
  const std::vector<float> out = RunFloat(Sine(frames, 1, 4500.0, 0.5), 1);
  EXPECT_NEAR(Decibels(Measure(out, 1, 4500.0, 2400, 2400 + 43200).Amplitude / 0.5), -20.0, 0.3);
  // A tone well outside the band passes.
  const std::vector<float> low = RunFloat(Sine(frames, 1, 1000.0, 0.5), 1);
  EXPECT_NEAR(Decibels(Measure(low, 1, 1000.0, 2400, 2400 + 43200).Amplitude / 0.5), 0.0, 0.1);
}

// At 16 points the designed kernel can be worked out by hand: the real part
// of the one-sided spectrum's inverse transform, x[m] = sum over bins
// k < 8 of g[k] cos(2 pi k m / 16) / 16, shifted by 2 taps, cut to 5 taps and
// windowed by 0.5 - 0.5 cos(2 pi k / 6) = 0, 0.25, 0.75, 1, 0.75. An impulse
// comes out as those five taps.
TEST_F(EqualizerTest, DesignedKernelAtSixteenPoints) {
  Eq.SetFFTSize(TDspFFTSize::fts16);
  std::vector<float> impulse(12, 0.0f);
  impulse[0] = 1.0f;
  // Flat: x = 1 at lag 0, 1/8 at odd lags, 0 at other even lags.
  std::vector<float> out = RunFloat(impulse, 1);
  const float flat[] = {0.0f, 0.03125f, 0.75f, 0.125f, 0.0f, 0.0f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(out[i], flat[i], 1e-6) << "tap " << i;
  // Bin 1 cut to 0.2 takes 1.8 cos(pi m / 8) / 16 off every x[m]:
  // 0.25 (0.125 - 0.1125 cos(pi/8)), 0.75 x 0.8875, 0.125 - 0.1125 cos(pi/8),
  // 0.75 (-0.1125 cos(pi/4)).
  Eq.SetBandGain(0, 1, -100);
  Eq.Flush();
  out = RunFloat(impulse, 1);
  const float cut[] = {0.0f, 0.0052659f, 0.665625f, 0.0210636f, -0.0596621f, 0.0f};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(out[i], cut[i], 1e-6) << "tap " << i;
}

// At 8,192 points a block's tail is 2,048 values long, the whole of a
// channel's overlap room: over two buffers, the impulses of the first
// channel and the tone of the third never leak into the silent second one,
// and the impulses come out 1,024 frames later.
TEST_F(EqualizerTest, EightThousandPointsKeepEachChannelsTailToItself) {
  Eq.SetFFTSize(TDspFFTSize::fts8192);
  Eq.SetSampleSize(0);
  const int frames = 20000;
  const std::vector<float> tone = Sine(frames, 1, 1000.0, 0.5);
  std::vector<float> in(3 * frames, 0.0f);
  for (int i = 0; i < frames; ++i) in[3 * i + 2] = tone[i];
  for (int i = 0; i < frames; i += 1500) in[3 * i] = 1.0f;
  for (int buffer = 0; buffer < 2; ++buffer) {
    const std::vector<float> out = RunFloat(in, 3);
    for (int i = 0; i < frames; ++i) ASSERT_EQ(out[3 * i + 1], 0.0f) << "buffer " << buffer << " frame " << i;
    for (int i = 0; i + 1024 < frames; i += 1500) {
      EXPECT_NEAR(out[3 * (i + 1024)], 1.0f, 0.01f) << "buffer " << buffer << " frame " << i;
    }
  }
}

TEST_F(EqualizerTest, OutOfRangeGainsChangeNothing) {
  const std::vector<float> in = Noise(6000, 3, 0.5f);
  TDspEqualizer reference;
  reference.SetFFTSize(TDspFFTSize::fts2048);
  reference.SetEnabled(true);
  std::vector<float> expected = in;
  reference.Process(expected.data(), expected.size() * 4, 32, 1, true);
  Eq.SetBandGain(10, 0, 5);
  Eq.SetBandGain(0, 8192, 5);
  Eq.SetBandGain(-1, 3, 5);
  Eq.SetBandGain(0, -1, 5);
  EXPECT_EQ(Eq.GetBandGain(0, 8192), 0);
  const std::vector<float> out = RunFloat(in, 1);
  EXPECT_EQ(0, std::memcmp(out.data(), expected.data(), out.size() * 4));
}

TEST_F(EqualizerTest, ThirtyTwoBitIntegersComeBackInStepsOf32768) {
  std::vector<int32_t> samples(6000);
  const std::vector<float> noise = Noise(samples.size(), 4, 1.5e9f);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int32_t>(noise[i]);
  samples[3000] = INT32_MIN;
  Eq.Process(samples.data(), samples.size() * 4, 32, 2, false);
  for (size_t i = 0; i < samples.size(); ++i) {
    const int32_t v = samples[i];
    if (v == 2147483647 || v == -2147483647) continue;  // clipped
    ASSERT_EQ(v % 32768, 0) << "sample " << i << " = " << v;
  }
}

// The 32-bit integer path divides by 32,768 on the way in and multiplies
// by it on the way out: a flat filter keeps a sine's level.
TEST_F(EqualizerTest, ThirtyTwoBitSinePassesFlatAtItsLevel) {
  const int frames = 24000;
  const std::vector<float> sine = Sine(frames, 1, 1000.0, 1.0e9);
  std::vector<int32_t> samples(frames);
  for (int i = 0; i < frames; ++i) samples[i] = static_cast<int32_t>(std::lrint(double(sine[i])));
  Eq.Process(samples.data(), samples.size() * 4, 32, 1, false);
  std::vector<float> out(samples.begin(), samples.end());
  EXPECT_NEAR(Decibels(Measure(out, 1, 1000.0, 2400, 2400 + 19200).Amplitude / 1.0e9), 0.0, 0.03);
  double worst = 0;
  for (int i = 600; i < frames; ++i) worst = std::max(worst, std::fabs(double(samples[i]) - sine[i - 256]));
  EXPECT_LT(worst, 1.0e9 * 0.0035) << "output is not the input 256 frames later";
}

TEST_F(EqualizerTest, EightAnd24BitRoundTripFlat) {
  // A slow ramp survives the flat filter (delayed by 256 frames) within one
  // step of each format.
  const int frames = 3000;
  std::vector<uint8_t> u8(frames), s24(3 * frames);
  for (int i = 0; i < frames; ++i) {
    const double v = std::sin(2 * std::numbers::pi * 200 * i / Rate);
    u8[i] = static_cast<uint8_t>(128 + std::lrint(100 * v));
    Cvt32BitTo24(static_cast<int32_t>(std::lrint(6000000 * v)), &s24[3 * i]);
  }
  std::vector<uint8_t> u8Out = u8, s24Out = s24;
  Eq.Process(u8Out.data(), u8Out.size(), 8, 1, false);
  TDspEqualizer eq24;
  eq24.SetFFTSize(TDspFFTSize::fts2048);
  eq24.SetEnabled(true);
  eq24.Process(s24Out.data(), s24Out.size(), 24, 1, false);
  int worst8 = 0, worst24 = 0;
  for (int i = 600; i < frames; ++i) {
    worst8 = std::max(worst8, std::abs(u8Out[i] - u8[i - 256]));
    worst24 = std::max(worst24, std::abs(Cvt24BitTo32(&s24Out[3 * i]) - Cvt24BitTo32(&s24[3 * (i - 256)])));
  }
  EXPECT_LE(worst8, 1);
  EXPECT_LE(worst24, 6000000 * 0.0035);
}

// A boost of +20 dB drives a loud sine far past every integer format's
// range: the peaks stop at the format's limits and never wrap around.
TEST_F(EqualizerTest, BoostedIntegersStopAtTheirFormatLimits) {
  SetBand(0, 0, 1024, 100);
  const int frames = 6000;
  const struct {
    int Bits;
    double Amplitude;
    int64_t Low, High;
  } formats[] = {
      {8, 100.0, 0, 255},
      {16, 16000.0, -32768, 32767},
      {24, 6000000.0, -8388608, 8388607},
      {32, 1.0e9, -2147483647, 2147483647},
  };
  for (const auto& f : formats) {
    const int bytes = f.Bits / 8;
    std::vector<double> in(frames);
    std::vector<uint8_t> buffer(static_cast<size_t>(frames) * bytes);
    for (int i = 0; i < frames; ++i) {
      in[i] = std::lrint(f.Amplitude * std::sin(2 * std::numbers::pi * 500 * i / Rate));
      const int64_t v = static_cast<int64_t>(in[i]);
      uint8_t* p = &buffer[static_cast<size_t>(i) * bytes];
      if (f.Bits == 8) p[0] = static_cast<uint8_t>(v + 128);
      if (f.Bits == 16) StoreSample<int16_t>(p, static_cast<int16_t>(v));
      if (f.Bits == 24) Cvt32BitTo24(static_cast<int32_t>(v), p);
      if (f.Bits == 32) StoreSample<int32_t>(p, static_cast<int32_t>(v));
    }
    Eq.Flush();
    Eq.Process(buffer.data(), buffer.size(), f.Bits, 1, false);
    for (int i = 600; i < frames; ++i) {
      const uint8_t* p = &buffer[static_cast<size_t>(i) * bytes];
      const int64_t out = f.Bits == 8    ? p[0]
                          : f.Bits == 16 ? LoadSample<int16_t>(p)
                          : f.Bits == 24 ? Cvt24BitTo32(p)
                                         : LoadSample<int32_t>(p);
      const double before = in[i - 256] / f.Amplitude;  // the input the output follows
      if (before > 0.2) {
        ASSERT_EQ(out, f.High) << f.Bits << "-bit frame " << i;
      } else if (before < -0.2) {
        ASSERT_EQ(out, f.Low) << f.Bits << "-bit frame " << i;
      }
    }
  }
}

TEST_F(EqualizerTest, SeperateChoosesThePerChannelKernels) {
  SetBand(1, 0, 1024, -100);  // channel 1's own gains: -20 dB everywhere
  const std::vector<float> in = Sine(24000, 6, 1000.0, 0.5);
  std::vector<float> out = RunFloat(in, 6);
  for (int c = 0; c < 6; ++c) {
    std::vector<float> ch(24000);
    for (int i = 0; i < 24000; ++i) ch[i] = out[6 * i + c];
    EXPECT_NEAR(Decibels(Measure(ch, 1, 1000.0, 2400, 2400 + 19200).Amplitude / 0.5), 0.0, 0.03) << c;
  }
  Eq.SetSeperate(true);
  out = RunFloat(in, 6);
  std::vector<float> ch1(24000);
  for (int i = 0; i < 24000; ++i) ch1[i] = out[6 * i + 1];
  EXPECT_NEAR(Decibels(Measure(ch1, 1, 1000.0, 2400, 2400 + 19200).Amplitude / 0.5), -20.0, 0.1);
}

// With separate kernels, a stream that gains channels gets kernels for them
// even though no gain changed in between.
TEST_F(EqualizerTest, SeperateKernelsFollowAGrowingChannelCount) {
  Eq.SetSeperate(true);
  RunFloat(Sine(3000, 2, 1000.0, 0.5), 2);
  const std::vector<float> out = RunFloat(Sine(24000, 4, 1000.0, 0.5), 4);
  for (int c = 0; c < 4; ++c) {
    std::vector<float> ch(24000);
    for (int i = 0; i < 24000; ++i) ch[i] = out[4 * i + c];
    EXPECT_NEAR(Decibels(Measure(ch, 1, 1000.0, 2400, 2400 + 19200).Amplitude / 0.5), 0.0, 0.03) << c;
  }
}

TEST_F(EqualizerTest, SwitchingOnForgetsTheTail) {
  RunFloat(Sine(4000, 1, 1000.0, 0.8), 1);
  Eq.SetEnabled(false);
  Eq.SetEnabled(true);
  for (float v : RunFloat(std::vector<float>(2000, 0.0f), 1)) ASSERT_EQ(v, 0.0f);
}

TEST_F(EqualizerTest, ChannelsFromTenUpPassUnchangedAndNothingIsWrittenOutside) {
  const int channels = 12, frames = 3000;
  std::vector<int16_t> buffer(channels * frames + 64, 0x5A5A);
  for (int i = 0; i < frames * channels; ++i) buffer[i] = static_cast<int16_t>((i * 37) % 20000 - 10000);
  const std::vector<int16_t> original = buffer;
  Eq.SetSeperate(true);
  Eq.Process(buffer.data(), static_cast<size_t>(channels) * frames * 2, 16, channels, false);
  int changed = 0;
  for (int i = 0; i < frames; ++i) {
    for (int c = 0; c < channels; ++c) {
      const size_t k = static_cast<size_t>(i) * channels + c;
      if (c >= 10) {
        ASSERT_EQ(buffer[k], original[k]) << "frame " << i << " channel " << c;
      }
      changed += buffer[k] != original[k];
    }
  }
  EXPECT_GT(changed, frames * 9);
  for (size_t k = static_cast<size_t>(channels) * frames; k < buffer.size(); ++k) ASSERT_EQ(buffer[k], 0x5A5A);
}

TEST_F(EqualizerTest, TrailingPartialFrameIsUntouched) {
  std::vector<uint8_t> bytes(401, 0x33);  // 100 stereo 16-bit frames and a stray byte
  Eq.Process(bytes.data(), bytes.size(), 16, 2, false);
  EXPECT_EQ(bytes[400], 0x33);
}

TEST_F(EqualizerTest, ChangingTheSizeRedesignsAndClearsTheOverlap) {
  std::vector<float> impulse(4000, 0.0f);
  impulse[0] = 1.0f;
  std::vector<float> out = RunFloat(impulse, 1);
  EXPECT_NEAR(out[256], 1.0f, 0.01f);
  RunFloat(Sine(3000, 1, 1000.0, 0.8), 1);  // leaves a tail pending
  Eq.SetFFTSize(TDspFFTSize::fts1024);
  EXPECT_EQ(Eq.FFTSize(), TDspFFTSize::fts1024);
  out = RunFloat(impulse, 1);
  EXPECT_NEAR(out[128], 1.0f, 0.01f);
  for (int i = 0; i < 4000; ++i) {
    if (i != 128) {
      ASSERT_LT(std::fabs(out[i]), 0.01f) << "frame " << i << " holds an old tail";
    }
  }
}

// The GUI thread moves the gains and the stream flushes while buffers are
// filtered: the output stays a bounded, finite signal.
TEST_F(EqualizerTest, SettingsAndFlushFromOtherThreadsDuringProcessing) {
  std::atomic<bool> stop{false};
  std::thread gui([&] {
    for (int round = 0; !stop.load(); ++round) {
      SetBand(0, EqBandEdges[round % 10], EqBandEdges[round % 10 + 1], static_cast<int8_t>(round % 41 - 20));
      Eq.SetSeperate(round % 7 == 0);
      Eq.SetSampleSize(round % 3 == 0 ? 0 : 8192);
    }
  });
  std::thread flusher([&] {
    while (!stop.load()) Eq.Flush();
  });
  const std::vector<float> in = Sine(4800, 2, 440.0, 0.25);
  double peak = 0;
  for (int i = 0; i < 100; ++i) {
    for (float v : RunFloat(in, 2)) {
      ASSERT_TRUE(std::isfinite(v));
      peak = std::max(peak, std::fabs(double(v)));
    }
  }
  stop.store(true);
  gui.join();
  flusher.join();
  EXPECT_LT(peak, 0.25 * 2 * 1.6);  // at most +4 dB of boost, with ripple
}

}  // namespace
