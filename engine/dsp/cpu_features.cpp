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

constexpr bool Bit(unsigned value, int bit) { return ((value >> bit) & 1u) != 0; }

}  // namespace

void DetectCPUFeatures() {
  CpuMMX = CpuMMXExt = CpuSSE = CpuSSE2 = CpuSSE3 = false;
  Cpu3DNow = CpuX64 = Cpu3DNowExt = false;
#if defined(LC_DSP_HAVE_CPUID)
  unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
  // On 32-bit x86 __get_cpuid_max first checks that the ID bit (21) of the
  // flags register can be toggled, i.e. that CPUID exists at all.
  if (__get_cpuid_max(0, nullptr) < 1 || !__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
    return;
  }
  bool mmxExt = Bit(edx, 22);
  const bool mmx = Bit(edx, 23);
  const bool sse = Bit(edx, 25);
  const bool sse2 = Bit(edx, 26);
  const bool sse3 = Bit(ecx, 0);
  bool amd3DNow = false, x64 = false, amd3DNowExt = false;
  if (__get_cpuid_max(0x80000000u, nullptr) > 0x80000000u &&
      __get_cpuid(0x80000001u, &eax, &ebx, &ecx, &edx)) {
    mmxExt = mmxExt || Bit(edx, 22);
    amd3DNow = Bit(edx, 31);
    x64 = Bit(edx, 29);
    amd3DNowExt = Bit(edx, 30);
  }
  CpuMMX = mmx;
  CpuMMXExt = mmxExt;
  CpuSSE = sse;
  CpuSSE2 = sse2;
  CpuSSE3 = sse3;
  Cpu3DNow = amd3DNow;
  CpuX64 = x64;
  Cpu3DNowExt = amd3DNowExt;
#endif
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
