#include <cstdint>
#include <string>
#include <utility>
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

// The flags a processor's identification registers give, by name.
std::string FlagNames(const TCpuFeatures& F) {
  std::string s;
  const std::pair<bool, const char*> flags[] = {
      {F.MMX, "MMX"},   {F.MMXExt, "MMXExt"},   {F.SSE, "SSE"}, {F.SSE2, "SSE2"},
      {F.SSE3, "SSE3"}, {F.AMD3DNow, "3DNow"}, {F.X64, "X64"}, {F.AMD3DNowExt, "3DNowExt"}};
  for (const auto& [set, name] : flags) {
    if (set) s += s.empty() ? name : std::string(" ") + name;
  }
  return s;
}

TEST(CpuFeaturesTest, RegistersOfRealProcessorsGiveTheirFeatures) {
  struct TCase {
    const char* Processor;
    TCpuidRegisters Registers;  // leaf 1 ECX, EDX; highest extended leaf; its EDX
    const char* Expected;
  };
  const TCase cases[] = {
      {"Pentium III (answers the extended query with its leaf 2)",
       {0x00000000, 0x0383FBFF, 0x03020101, 0x00000000}, "MMX SSE"},
      {"K6-2", {0x00000000, 0x008021BF, 0x80000005, 0x808029BF}, "MMX 3DNow"},
      {"Athlon XP", {0x00000000, 0x0383FBFF, 0x80000008, 0xC1C3FBFF}, "MMX MMXExt SSE 3DNow 3DNowExt"},
      {"Athlon 64", {0x00000000, 0x078BFBFF, 0x80000018, 0xE1D3FBFF},
       "MMX MMXExt SSE SSE2 3DNow X64 3DNowExt"},
      // Leaf 1's EDX bit 22 (thermal control on this processor) counts as
      // the MMX extensions.
      {"Core 2 Duo", {0x0000E3BD, 0xBFEBFBFF, 0x80000008, 0x20100000}, "MMX MMXExt SSE SSE2 SSE3 X64"},
      {"no CPUID", {0, 0, 0, 0}, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(FlagNames(CpuFeaturesFrom(c.Registers)), c.Expected) << c.Processor;
}

// Each flag has one bit (the MMX extensions one in either leaf); no other
// bit of the four registers sets anything.
TEST(CpuFeaturesTest, EachFlagHasItsOwnBit) {
  enum TRegister { Ecx1, Edx1, ExtEdx };
  struct TCase {
    TRegister Register;
    int Bit;
    const char* Flag;
  };
  const TCase cases[] = {{Edx1, 23, "MMX"},       {Edx1, 22, "MMXExt"},   {ExtEdx, 22, "MMXExt"},
                         {Edx1, 25, "SSE"},       {Edx1, 26, "SSE2"},     {Ecx1, 0, "SSE3"},
                         {ExtEdx, 31, "3DNow"},   {ExtEdx, 29, "X64"},    {ExtEdx, 30, "3DNowExt"}};
  for (TRegister reg : {Ecx1, Edx1, ExtEdx}) {
    for (int bit = 0; bit < 32; ++bit) {
      TCpuidRegisters r;
      r.MaxExtendedLeaf = 0x80000001u;
      const uint32_t value = uint32_t{1} << bit;
      (reg == Ecx1 ? r.Leaf1Ecx : reg == Edx1 ? r.Leaf1Edx : r.ExtendedEdx) = value;
      std::string expected;
      for (const auto& c : cases) {
        if (c.Register == reg && c.Bit == bit) expected = c.Flag;
      }
      EXPECT_EQ(FlagNames(CpuFeaturesFrom(r)), expected) << "register " << reg << ", bit " << bit;
    }
  }
}

TEST(CpuFeaturesTest, TheExtendedLeafCountsOnlyAboveItsBase) {
  TCpuidRegisters r;
  r.ExtendedEdx = 0xE0400000;  // 3DNow!, its extensions, x64, MMX extensions
  r.MaxExtendedLeaf = 0x80000000u;
  EXPECT_EQ(FlagNames(CpuFeaturesFrom(r)), "");
  r.MaxExtendedLeaf = 0x80000001u;
  EXPECT_EQ(FlagNames(CpuFeaturesFrom(r)), "MMXExt 3DNow X64 3DNowExt");
}

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
// The flags of this processor agree with the compiler's own reading of it.
TEST(CpuFeaturesTest, DetectionReadsThisProcessorsRegisters) {
  DetectCPUFeatures();
  EXPECT_EQ(CpuMMX, __builtin_cpu_supports("mmx") != 0);
  EXPECT_EQ(CpuSSE, __builtin_cpu_supports("sse") != 0);
  EXPECT_EQ(CpuSSE2, __builtin_cpu_supports("sse2") != 0);
  EXPECT_EQ(CpuSSE3, __builtin_cpu_supports("sse3") != 0);
  EXPECT_TRUE(CpuSSE2);  // the program itself is built for SSE2
}
#endif

}  // namespace
