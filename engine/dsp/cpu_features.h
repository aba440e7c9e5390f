// Processor-feature flags that choose the SIMD code paths of the FFT and the
// amplifier. The flags are False until DetectCPUFeatures has run; the module
// runs it once at program start, after which they are only read.
#pragma once

extern bool CpuMMX;
extern bool CpuMMXExt;
extern bool CpuSSE;
extern bool CpuSSE2;
extern bool CpuSSE3;
extern bool Cpu3DNow;
extern bool CpuX64;
extern bool Cpu3DNowExt;

// Clears the eight flags and, when the processor has CPUID, sets them from
// leaf 1 and the extended leaf 0x80000001. On a processor (or a build
// target) without CPUID every flag stays False.
void DetectCPUFeatures();

// Runs DetectCPUFeatures exactly once per process, whichever thread asks
// first; later calls return at once. Code that depends on the flags calls
// this before reading them.
void EnsureCPUFeatures();
