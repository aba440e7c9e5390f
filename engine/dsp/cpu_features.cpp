#include "engine/dsp/cpu_features.h"

#if defined(__GNUC__) && (defined(__i386__) || defined(__x86_64__))
#include <cpuid.h>
#define LC_DSP_HAVE_CPUID 1
#endif

bool CpuMMX = false;
bool CpuMMXExt = false;
bool CpuSSE = false;
bool CpuSSE2 = false;
bool CpuSSE3 = false;
bool Cpu3DNow = false;
bool CpuX64 = false;
bool Cpu3DNowExt = false;

namespace {

constexpr bool Bit(uint32_t value, int bit) { return ((value >> bit) & 1u) != 0; }

// The registers of this processor; all 0 without CPUID.
TCpuidRegisters ReadCpuid() {
  TCpuidRegisters r;
#if defined(LC_DSP_HAVE_CPUID)
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  // On 32-bit x86 __get_cpuid_max first checks that the ID bit (21) of the
  // flags register can be toggled, i.e. that CPUID exists at all.
  if (__get_cpuid_max(0, nullptr) < 1 || !__get_cpuid(1, &eax, &ebx, &ecx, &edx)) return r;
  r.Leaf1Ecx = ecx;
  r.Leaf1Edx = edx;
  r.MaxExtendedLeaf = __get_cpuid_max(0x80000000u, nullptr);
  if (r.MaxExtendedLeaf > 0x80000000u && __get_cpuid(0x80000001u, &eax, &ebx, &ecx, &edx)) {
    r.ExtendedEdx = edx;
  }
#endif
  return r;
}

}  // namespace

TCpuFeatures CpuFeaturesFrom(const TCpuidRegisters& Registers) {
  TCpuFeatures f;
  f.MMX = Bit(Registers.Leaf1Edx, 23);
  f.MMXExt = Bit(Registers.Leaf1Edx, 22);
  f.SSE = Bit(Registers.Leaf1Edx, 25);
  f.SSE2 = Bit(Registers.Leaf1Edx, 26);
  f.SSE3 = Bit(Registers.Leaf1Ecx, 0);
  if (Registers.MaxExtendedLeaf > 0x80000000u) {
    const uint32_t edx = Registers.ExtendedEdx;
    f.MMXExt = f.MMXExt || Bit(edx, 22);
    f.AMD3DNow = Bit(edx, 31);
    f.X64 = Bit(edx, 29);
    f.AMD3DNowExt = Bit(edx, 30);
  }
  return f;
}

void DetectCPUFeatures() {
  const TCpuFeatures f = CpuFeaturesFrom(ReadCpuid());
  CpuMMX = f.MMX;
  CpuMMXExt = f.MMXExt;
  CpuSSE = f.SSE;
  CpuSSE2 = f.SSE2;
  CpuSSE3 = f.SSE3;
  Cpu3DNow = f.AMD3DNow;
  CpuX64 = f.X64;
  Cpu3DNowExt = f.AMD3DNowExt;
}

void EnsureCPUFeatures() {
  static const bool detected = (DetectCPUFeatures(), true);
  (void)detected;
}

namespace {

// Sets the flags at program start, like the module initialisation of the
// utility unit; EnsureCPUFeatures keeps this safe whatever the order in which
// static objects of other files are built.
struct TCpuFeatureInit {
  TCpuFeatureInit() { EnsureCPUFeatures(); }
} g_cpuFeatureInit;

}  // namespace
