#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "engine/dsp/cpu_features.h"
#include "engine/dsp/sample_format.h"

namespace {

TEST(SampleFormatTest, Cvt24BitTo32SignExtendsTheThirdByte) {
  struct TCase {
    uint8_t Bytes[3];
    int32_t Expected;
  };
  const TCase cases[] = {
      {{0xFF, 0xFF, 0x7F}, 8388607},
      {{0x00, 0x00, 0x80}, -8388608},
      {{0xFF, 0xFF, 0xFF}, -1},
      {{0x01, 0x02, 0x03}, 0x030201},
      {{0x00, 0x00, 0x00}, 0},
  };
  for (const TCase& c : cases) EXPECT_EQ(Cvt24BitTo32(c.Bytes), c.Expected);
}

TEST(SampleFormatTest, Cvt32BitTo24StoresTheLowThreeBytes) {
  for (int32_t value : {0, 1, -1, 8388607, -8388608, 123456, -654321}) {
    uint8_t bytes[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    Cvt32BitTo24(value, bytes);
    EXPECT_EQ(bytes[3], 0xAA) << "wrote past three bytes for " << value;
    EXPECT_EQ(Cvt24BitTo32(bytes), value);
  }
}

TEST(SampleFormatTest, ClipRoutinesClampToTheFormatRange) {
  EXPECT_EQ(Clip8(200), 127);
  EXPECT_EQ(Clip8(-129), -128);
  EXPECT_EQ(Clip8(-128), -128);
  EXPECT_EQ(Clip8(5), 5);
  EXPECT_EQ(Clip16(-40000), -32768);
  EXPECT_EQ(Clip16(40000), 32767);
  EXPECT_EQ(Clip16(-32768), -32768);
  EXPECT_EQ(Clip16(32768), 32767);
  EXPECT_EQ(Clip16(32767), 32767);
  EXPECT_EQ(Clip8(128), 127);
  EXPECT_EQ(Clip24(9000000), 8388607);
  EXPECT_EQ(Clip24(-9000000), -8388608);
  EXPECT_EQ(Clip24(-8388608), -8388608);
}

TEST(SampleFormatTest, Clip32HasASymmetricRange) {
  EXPECT_EQ(Clip32(-2147483648LL), -2147483647);
  EXPECT_EQ(Clip32(2147483648LL), 2147483647);
  EXPECT_EQ(Clip32(-5), -5);
  EXPECT_EQ(Clip32(int64_t{1} << 40), 2147483647);
}

TEST(SampleFormatTest, RoundHalfEvenRoundsTiesToEven) {
  const std::vector<std::pair<double, int64_t>> cases = {
      {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {-2.6, -3}, {8388607.5, 8388608}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(RoundHalfEvenToInt64(value), expected) << value;
}

TEST(SampleFormatTest, FormatIsChosenByBitsFirst) {
  EXPECT_EQ(SampleFormatOf(8, false), TSampleFormat::Unsigned8);
  EXPECT_EQ(SampleFormatOf(16, true), TSampleFormat::Signed16);  // float flag ignored
  EXPECT_EQ(SampleFormatOf(24, false), TSampleFormat::Signed24);
  EXPECT_EQ(SampleFormatOf(32, false), TSampleFormat::Signed32);
  EXPECT_EQ(SampleFormatOf(32, true), TSampleFormat::Float32);
  EXPECT_EQ(SampleFormatOf(20, false), TSampleFormat::Unsupported);
  EXPECT_EQ(SampleFormatOf(0, false), TSampleFormat::Unsupported);
}

TEST(SampleFormatTest, IsAligned16OfAnUnsetPointerIsFalse) {
  alignas(16) uint8_t block[32] = {};
  EXPECT_FALSE(IsAligned16(nullptr));
  EXPECT_TRUE(IsAligned16(block));
  EXPECT_FALSE(IsAligned16(block + 4));
}

TEST(SampleFormatTest, ChunksCoverTheBufferWithAShorterLastOne) {
  std::vector<uint8_t> buffer(1000);
  std::vector<std::pair<size_t, size_t>> chunks;
  // 16-bit stereo, 100 frames a chunk: 400-byte chunks.
  ForEachChunk(buffer.data(), buffer.size(), 16, 2, 100, [&](uint8_t* P, size_t Bytes) {
    chunks.emplace_back(static_cast<size_t>(P - buffer.data()), Bytes);
  });
  const std::vector<std::pair<size_t, size_t>> expected = {{0, 400}, {400, 400}, {800, 200}};
  EXPECT_EQ(chunks, expected);
  chunks.clear();
  ForEachChunk(buffer.data(), buffer.size(), 16, 2, 0, [&](uint8_t* P, size_t Bytes) {
    chunks.emplace_back(static_cast<size_t>(P - buffer.data()), Bytes);
  });
  EXPECT_EQ(chunks, (std::vector<std::pair<size_t, size_t>>{{0, 1000}}));
}

#if defined(__i386__) || defined(__x86_64__)
TEST(CpuFeaturesTest, EveryX86ProcessorThatRunsThisHasSSE) {
  DetectCPUFeatures();
  EXPECT_TRUE(CpuMMX);
  EXPECT_TRUE(CpuSSE);
  EXPECT_TRUE(CpuSSE2);  // the program itself is built for SSE2
#if defined(__x86_64__)
  EXPECT_TRUE(CpuX64);
#endif
}
#endif

}  // namespace
