#include <cmath>
#include <complex>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/cpu_features.h"
#include "engine/dsp/fft.h"
#include "engine/dsp/sample_format.h"

namespace {

using TComplexD = std::complex<double>;

std::vector<int> AllSizes() {
  std::vector<int> sizes;
  for (int n = 2; n <= 8192; n *= 2) sizes.push_back(n);
  return sizes;
}

std::vector<float> RandomPoints(int N, unsigned Seed) {
  std::mt19937 rng(Seed);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(2 * N);
  for (float& x : v) x = dist(rng);
  return v;
}

// Sign +1: sum x[n] e^(+2 pi i n k / N); sign -1 the other direction.
std::vector<TComplexD> NaiveDFT(const std::vector<float>& X, int N, int Sign) {
  std::vector<TComplexD> roots(N);
  for (int m = 0; m < N; ++m) roots[m] = std::polar(1.0, Sign * 2.0 * std::numbers::pi * m / N);
  std::vector<TComplexD> out(N);
  for (int k = 0; k < N; ++k) {
    TComplexD sum = 0;
    for (int n = 0; n < N; ++n) {
      sum += TComplexD(X[2 * n], X[2 * n + 1]) * roots[(static_cast<long>(n) * k) % N];
    }
    out[k] = sum;
  }
  return out;
}

// Float error of a transform grows with log2 N and the output size sqrt N.
double Tolerance(int N) { return 2e-6 * std::sqrt(static_cast<double>(N)) * std::log2(2.0 * N); }

class FFTFamilyTest : public ::testing::TestWithParam<TFFTFamily> {
 protected:
  void SetUp() override {
    Previous = ActiveFFTFamily();
    if (!SelectFFTFamily(GetParam())) GTEST_SKIP() << "family not available here";
  }
  void TearDown() override { SelectFFTFamily(Previous); }
  TFFTFamily Previous = TFFTFamily::Portable;
};

TEST(FFTOrderTest, SmallTablesMatchTheKnownOrders) {
  const std::vector<std::vector<uint16_t>> expected = {
      {0, 1},
      {0, 2, 1, 3},
      {0, 4, 2, 7, 1, 5, 3, 6},
      {0, 8, 4, 14, 2, 10, 7, 13, 1, 9, 5, 15, 3, 11, 6, 12}};
  for (const auto& table : expected) {
    const auto order = FFTOrder(static_cast<int>(table.size()));
    ASSERT_EQ(order.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i) EXPECT_EQ(order[i], table[i]) << "N=" << table.size() << " i=" << i;
  }
}

TEST(FFTOrderTest, EveryTableIsAPermutation) {
  for (int n : AllSizes()) {
    const auto order = FFTOrder(n);
    ASSERT_EQ(order.size(), static_cast<size_t>(n));
    std::vector<int> seen(n, 0);
    for (uint16_t p : order) {
      ASSERT_LT(p, n);
      ++seen[p];
    }
    for (int i = 0; i < n; ++i) EXPECT_EQ(seen[i], 1) << "N=" << n << " position " << i;
  }
  EXPECT_TRUE(FFTOrder(3000).empty());
}

TEST_P(FFTFamilyTest, ForwardMatchesNaiveDFTInBothOrders) {
  for (int n : AllSizes()) {
    const std::vector<float> input = RandomPoints(n, 100 + n);
    const std::vector<TComplexD> expected = NaiveDFT(input, n, +1);
    std::vector<float> natural = input, scrambled = input;
    ComputeFFT(natural.data(), n, false, true, true);
    ComputeFFT(scrambled.data(), n, false, true, false);
    const auto order = FFTOrder(n);
    double worstNatural = 0, worstScrambled = 0;
    for (int k = 0; k < n; ++k) {
      worstNatural = std::max(worstNatural, std::abs(TComplexD(natural[2 * k], natural[2 * k + 1]) - expected[k]));
      const int p = order[k];
      worstScrambled = std::max(worstScrambled,
                                std::abs(TComplexD(scrambled[2 * p], scrambled[2 * p + 1]) - expected[k]));
    }
    EXPECT_LE(worstNatural, Tolerance(n)) << "N=" << n;
    EXPECT_LE(worstScrambled, Tolerance(n)) << "N=" << n;
  }
}

TEST_P(FFTFamilyTest, InverseMatchesNaiveDFTInBothOrders) {
  for (int n : AllSizes()) {
    const std::vector<float> spectrum = RandomPoints(n, 200 + n);
    const std::vector<TComplexD> expected = NaiveDFT(spectrum, n, -1);
    // Natural order in, unscaled.
    std::vector<float> natural = spectrum;
    ComputeFFT(natural.data(), n, true, false, true);
    // Scrambled order in (frequency k at Order[k]), scaled by 1/N.
    const auto order = FFTOrder(n);
    std::vector<float> scrambled(2 * n);
    for (int k = 0; k < n; ++k) {
      scrambled[2 * order[k]] = spectrum[2 * k];
      scrambled[2 * order[k] + 1] = spectrum[2 * k + 1];
    }
    ComputeFFT(scrambled.data(), n, true, true, false);
    double worstNatural = 0, worstScrambled = 0;
    for (int i = 0; i < n; ++i) {
      worstNatural = std::max(worstNatural, std::abs(TComplexD(natural[2 * i], natural[2 * i + 1]) - expected[i]));
      worstScrambled = std::max(
          worstScrambled, std::abs(TComplexD(scrambled[2 * i], scrambled[2 * i + 1]) * double(n) - expected[i]));
    }
    EXPECT_LE(worstNatural, Tolerance(n)) << "N=" << n;
    EXPECT_LE(worstScrambled, Tolerance(n)) << "N=" << n;
  }
}

TEST_P(FFTFamilyTest, ForwardThenScaledInverseReturnsTheInput) {
  for (int n : AllSizes()) {
    const std::vector<float> input = RandomPoints(n, 300 + n);
    std::vector<float> data = input;
    ComputeFFT(data.data(), n, false, false, false);
    ComputeFFT(data.data(), n, true, true, false);
    double worst = 0;
    for (int i = 0; i < 2 * n; ++i) worst = std::max(worst, std::fabs(double(data[i]) - input[i]));
    EXPECT_LE(worst, 1e-6 * std::log2(2.0 * n)) << "N=" << n;
  }
}

TEST_P(FFTFamilyTest, ImpulseGivesAllOnes) {
  for (int n : AllSizes()) {
    for (bool reorder : {false, true}) {
      std::vector<float> data(2 * n, 0.0f);
      data[0] = 1.0f;
      ComputeFFT(data.data(), n, false, false, reorder);
      for (int k = 0; k < n; ++k) {
        ASSERT_EQ(data[2 * k], 1.0f) << "N=" << n << " k=" << k;
        ASSERT_EQ(data[2 * k + 1], 0.0f) << "N=" << n << " k=" << k;
      }
    }
  }
}

TEST_P(FFTFamilyTest, ExponentIsPositive) {
  std::vector<float> data = {0, 0, 1, 0, 0, 0, 0, 0};  // (0, 1, 0, 0)
  ComputeFFT(data.data(), 4, false, true, true);
  const std::vector<float> expected = {1, 0, 0, 1, -1, 0, 0, -1};  // (1, i, -1, -i)
  for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(data[i], expected[i]) << "float " << i;
}

TEST_P(FFTFamilyTest, InvalidSizeLeavesDataUnchanged) {
  for (int n : {0, 1, 3, 6, 3000, 16384, -4}) {
    const int points = n > 0 ? n : 4;
    const std::vector<float> input = RandomPoints(points, 7);
    for (bool inverse : {false, true}) {
      std::vector<float> data = input;
      ComputeFFT(data.data(), n, inverse, true, true);
      EXPECT_EQ(0, std::memcmp(data.data(), input.data(), input.size() * sizeof(float))) << "N=" << n;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Families, FFTFamilyTest,
                         ::testing::Values(TFFTFamily::Portable, TFFTFamily::SSE),
                         [](const auto& Info) {
                           return Info.param == TFFTFamily::Portable ? std::string("Portable")
                                                                     : std::string("SSE");
                         });

// Without SSE the SSE family is refused and the family in use stays.
TEST(FFTFamiliesTest, AFamilyTheProcessorLacksIsRefused) {
  const TFFTFamily previous = ActiveFFTFamily();
  const bool hadSSE = CpuSSE;
  CpuSSE = false;
  EXPECT_FALSE(SelectFFTFamily(TFFTFamily::SSE));
  EXPECT_EQ(ActiveFFTFamily(), previous);
  CpuSSE = hadSSE;
}

// The run-time choice must not change a single bit of any result.
TEST(FFTFamiliesTest, SSEAndPortableGiveIdenticalBits) {
  const TFFTFamily previous = ActiveFFTFamily();
  if (!SelectFFTFamily(TFFTFamily::SSE)) GTEST_SKIP() << "no SSE here";
  for (int n : AllSizes()) {
    for (bool inverse : {false, true}) {
      const std::vector<float> input = RandomPoints(n, 400 + n);
      std::vector<float> viaSSE = input, viaPortable = input;
      SelectFFTFamily(TFFTFamily::SSE);
      ComputeFFT(viaSSE.data(), n, inverse, true, true);
      SelectFFTFamily(TFFTFamily::Portable);
      ComputeFFT(viaPortable.data(), n, inverse, true, true);
      EXPECT_EQ(0, std::memcmp(viaSSE.data(), viaPortable.data(), input.size() * sizeof(float)))
          << "N=" << n << " inverse=" << inverse;
    }
  }
  std::vector<float> a = RandomPoints(37, 1), b = RandomPoints(37, 2), c = a;
  SelectFFTFamily(TFFTFamily::SSE);
  MultiplyComplex(a.data(), b.data(), 37);
  SelectFFTFamily(TFFTFamily::Portable);
  MultiplyComplex(c.data(), b.data(), 37);
  EXPECT_EQ(0, std::memcmp(a.data(), c.data(), a.size() * sizeof(float)));
  SelectFFTFamily(previous);
}

// Each family writes only the points it is given: a float after the
// transformed or multiplied points keeps its value.
TEST(FFTFamiliesTest, NoFamilyWritesPastThePoints) {
  const TFFTFamily previous = ActiveFFTFamily();
  for (TFFTFamily family : {TFFTFamily::Portable, TFFTFamily::SSE}) {
    if (!SelectFFTFamily(family)) continue;
    for (int n : {2, 8, 64}) {
      std::vector<float> points = RandomPoints(n, 7);
      points.push_back(12345.0f);
      ComputeFFT(points.data(), n, true, true, true);
      EXPECT_EQ(12345.0f, points.back()) << "N=" << n;
    }
    std::vector<float> a = RandomPoints(5, 1), b = RandomPoints(5, 2);
    a.push_back(-7.0f);
    MultiplyComplex(a.data(), b.data(), 5);
    EXPECT_EQ(-7.0f, a.back());
  }
  SelectFFTFamily(previous);
}

TEST(DspFFTTest, ComponentDefaultsAndBufferTransform) {
  TDspFFT fft;
  EXPECT_EQ(fft.FFTSize, TDspFFTSize::fts512);
  EXPECT_EQ(fft.FFTSizeInt(), 512);
  EXPECT_TRUE(fft.Scale);
  EXPECT_TRUE(fft.ReOrder);
  EXPECT_TRUE(IsAligned16(fft.Buffer()));
  for (int i = 0; i < 2 * TDspFFT::MaxPoints; ++i) ASSERT_EQ(fft.Buffer()[i], 0.0f) << i;

  fft.FFTSize = TDspFFTSize::fts2048;
  EXPECT_EQ(fft.FFTSizeInt(), 2048);
  // A cosine of frequency 3 with reorder: peaks of N/2 at bins 3 and N-3.
  const int n = fft.FFTSizeInt();
  for (int i = 0; i < n; ++i) fft.Buffer()[2 * i] = static_cast<float>(std::cos(2 * std::numbers::pi * 3 * i / n));
  fft.FFT();
  EXPECT_NEAR(fft.Buffer()[2 * 3], n / 2.0, 1e-2);
  EXPECT_NEAR(fft.Buffer()[2 * (n - 3)], n / 2.0, 1e-2);
  EXPECT_NEAR(fft.Buffer()[2 * 4], 0.0, 1e-2);
  fft.IFFT();
  EXPECT_NEAR(fft.Buffer()[2 * 5], std::cos(2 * std::numbers::pi * 15 / n), 1e-5);
  // Points beyond the transform size are not touched.
  EXPECT_EQ(fft.Buffer()[2 * n], 0.0f);
  fft.Clear();
  EXPECT_EQ(fft.Buffer()[2 * 5], 0.0f);
}

}  // namespace
