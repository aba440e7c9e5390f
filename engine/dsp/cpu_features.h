// Processor-feature flags that choose the SIMD code paths of the FFT and the
// amplifier. The flags are False until DetectCPUFeatures has run; the module
// runs it once at program start, after which they are only read.
#pragma once

#include <cstdint>

extern bool CpuMMX;
extern bool CpuMMXExt;
extern bool CpuSSE;
extern bool CpuSSE2;
extern bool CpuSSE3;
extern bool Cpu3DNow;
extern bool CpuX64;
extern bool Cpu3DNowExt;

// The processor-identification registers the flags are taken from; all 0
// for a processor without CPUID.
struct TCpuidRegisters {
  uint32_t Leaf1Ecx = 0;         // leaf 1, ECX
  uint32_t Leaf1Edx = 0;         // leaf 1, EDX
  uint32_t MaxExtendedLeaf = 0;  // leaf 0x80000000, EAX
  uint32_t ExtendedEdx = 0;      // leaf 0x80000001, EDX
};

struct TCpuFeatures {
  bool MMX = false, MMXExt = false, SSE = false, SSE2 = false, SSE3 = false;
  bool AMD3DNow = false, X64 = false, AMD3DNowExt = false;
};

// The features the registers tell: MMX, SSE and SSE2 from leaf 1's EDX
// bits 23, 25 and 26, SSE3 from its ECX bit 0; 3DNow!, x64 and the 3DNow!
// extensions from the extended leaf's EDX bits 31, 29 and 30; the MMX
// extensions from EDX bit 22 of either leaf. The extended leaf counts only
// when the highest extended leaf is above 0x80000000 (older processors
// answer it with unrelated values).
TCpuFeatures CpuFeaturesFrom(const TCpuidRegisters& Registers);

// Clears the eight flags and, when the processor has CPUID, sets them from
// its registers (CpuFeaturesFrom). On a processor (or a build target)
// without CPUID every flag stays False.
void DetectCPUFeatures();

// Runs DetectCPUFeatures exactly once per process, whichever thread asks
// first; later calls return at once. Code that depends on the flags calls
// this before reading them.
void EnsureCPUFeatures();
