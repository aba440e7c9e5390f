// Prints the speed of the audio chain: nanoseconds per complex FFT for a few
// sizes (every code family, and FFTW for comparison when built with it), and
// the whole chain (automatic gain + amplifier + 10-band equalizer at 2,048
// points) on 48 kHz stereo audio as a multiple of real time on one core.
// Each is held against the project's targets: the 2,048-point FFT within
// 1.5 x FFTW, the chain at 1,500 x real time. Figures only: nothing here
// fails a build or a test run.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <random>
#include <vector>

#if defined(LC_HAVE_FFTW3F)
#include <fftw3.h>
#endif

#include "engine/dsp/amplify.h"
#include "engine/dsp/cpu_features.h"
#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/equalizer.h"
#include "engine/dsp/fft.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int FFTSizes[] = {256, 1024, 2048, 8192};
constexpr int SampleRate = 48000;
constexpr int Channels = 2;
constexpr int Seconds = 20;
constexpr int BufferFrames = 4800;  // 100 ms, a typical decoder buffer
// The targets: the 2,048-point FFT's time against FFTW's, the chain's speed
// against real time.
constexpr double kFFTTarget = 1.5;
constexpr double kChainTarget = 1500;

double SecondsSince(TClock::time_point Start) {
  return std::chrono::duration<double>(TClock::now() - Start).count();
}

// Best of five runs of Repeat calls of Run, in nanoseconds per call.
template <class TRun>
double BestNanoseconds(int Repeat, TRun&& Run) {
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    const auto start = TClock::now();
    for (int i = 0; i < Repeat; ++i) Run();
    best = std::min(best, SecondsSince(start) * 1e9 / Repeat);
  }
  return best;
}

int RepeatFor(int N) { return std::max(50, 4000000 / N); }

std::vector<float> TestSignal(int N) {
  std::mt19937 rng(1);
  std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
  std::vector<float> v(2 * N);
  for (float& x : v) x = dist(rng);
  return v;
}

// A forward and a scaled inverse transform keep the data bounded however
// often they repeat; the figure is the time of one transform.
double OurFFTNanoseconds(int N) {
  std::vector<float> data = TestSignal(N);
  return BestNanoseconds(RepeatFor(N), [&] {
           ComputeFFT(data.data(), N, false, false, false);
           ComputeFFT(data.data(), N, true, true, false);
         }) / 2;
}

#if defined(LC_HAVE_FFTW3F)
double FFTWNanoseconds(int N) {
  auto* data = static_cast<fftwf_complex*>(fftwf_malloc(sizeof(fftwf_complex) * N));
  const fftwf_plan forward = fftwf_plan_dft_1d(N, data, data, FFTW_FORWARD, FFTW_ESTIMATE);
  const fftwf_plan inverse = fftwf_plan_dft_1d(N, data, data, FFTW_BACKWARD, FFTW_ESTIMATE);
  const std::vector<float> signal = TestSignal(N);
  std::memcpy(data, signal.data(), sizeof(fftwf_complex) * N);
  const float scale = 1.0f / N;
  const double ns = BestNanoseconds(RepeatFor(N), [&] {
                      fftwf_execute(forward);
                      fftwf_execute(inverse);
                      data[0][0] *= scale;  // keep the values bounded cheaply
                    }) / 2;
  fftwf_destroy_plan(forward);
  fftwf_destroy_plan(inverse);
  fftwf_free(data);
  return ns;
}
#endif

const char* FamilyName(TFFTFamily Family) { return Family == TFFTFamily::SSE ? "SSE" : "portable"; }

void BenchFFT() {
  const TFFTFamily chosen = ActiveFFTFamily();
  std::printf("FFT (complex, single precision), ns per transform; run-time choice: %s\n",
              FamilyName(chosen));
  std::printf("%8s %12s %12s", "points", "portable", "SSE");
#if defined(LC_HAVE_FFTW3F)
  std::printf(" %12s %14s", "FFTW est.", "chosen/FFTW");
#endif
  std::printf("\n");
  double ratio2048 = 0;
  for (int n : FFTSizes) {
    double ns[2] = {-1, -1};
    for (TFFTFamily family : {TFFTFamily::Portable, TFFTFamily::SSE}) {
      if (SelectFFTFamily(family)) ns[static_cast<int>(family)] = OurFFTNanoseconds(n);
    }
    SelectFFTFamily(chosen);
    std::printf("%8d %12.0f ", n, ns[0]);
    if (ns[1] >= 0) std::printf("%12.0f", ns[1]); else std::printf("%12s", "n/a");
#if defined(LC_HAVE_FFTW3F)
    const double fftw = FFTWNanoseconds(n);
    const double ratio = ns[static_cast<int>(chosen)] / fftw;
    if (n == 2048) ratio2048 = ratio;
    std::printf(" %12.0f %14.2f", fftw, ratio);
#endif
    std::printf("\n");
  }
#if defined(LC_HAVE_FFTW3F)
  std::printf("target: 2048 points within %.1fx FFTW: %.2fx -> %s\n", kFFTTarget, ratio2048,
              ratio2048 <= kFFTTarget ? "met" : "NOT met");
#else
  (void)ratio2048;
  std::printf("(built without FFTW: no comparison)\n");
#endif
}

// Music-like test audio: a few tones under a slow envelope plus noise,
// reaching about -6 dBFS.
std::vector<double> TestAudio() {
  std::mt19937 rng(2);
  std::normal_distribution<double> noise(0.0, 0.05);
  const double tones[] = {55.0, 220.0, 659.3, 1760.0, 5274.0};
  const int frames = SampleRate * Seconds;
  std::vector<double> v(static_cast<size_t>(frames) * Channels);
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / SampleRate;
    const double envelope = 0.55 + 0.45 * std::sin(2 * std::numbers::pi * 0.25 * t);
    for (int c = 0; c < Channels; ++c) {
      double s = noise(rng);
      for (double f : tones) s += 0.08 * std::sin(2 * std::numbers::pi * f * t + c);
      v[static_cast<size_t>(i) * Channels + c] = 0.5 * envelope * s;
    }
  }
  return v;
}

// The three processors as the video window sets them up, with a preset on
// the equalizer bands and a pre-amplification of +4 dB.
struct TChain {
  TDspDynamicAmplify Dynamic;
  TDspAmplify Amplify;
  TDspEqualizer Equalizer;

  TChain() {
    Dynamic.SetEnabled(true);
    Dynamic.SetAttackTime(1000);
    Dynamic.SetReleaseTime(3000);
    Dynamic.SetMaxAmplification(7500);
    Amplify.SetEnabled(true);
    Amplify.SetVolume(0, 15849);
    Equalizer.SetFFTSize(TDspFFTSize::fts2048);
    Equalizer.SetEnabled(true);
    const int8_t preset[10] = {30, 20, 10, 0, -10, -10, 0, 10, 20, 30};
    for (int b = 0; b < 10; ++b) {
      for (int bin = EqBandEdges[b]; bin < EqBandEdges[b + 1]; ++bin) {
        Equalizer.SetBandGain(0, bin, preset[b]);
      }
    }
  }

  void Process(uint8_t* Buffer, size_t Bytes, int Bits, bool Float) {
    Dynamic.Process(Buffer, Bytes, SampleRate, Bits, Channels, Float);
    Amplify.Process(Buffer, Bytes, Bits, Channels, Float);
    Equalizer.Process(Buffer, Bytes, Bits, Channels, Float);
  }
};

std::vector<uint8_t> Encode(const std::vector<double>& Audio, bool Float) {
  std::vector<uint8_t> bytes(Audio.size() * (Float ? 4 : 2));
  for (size_t i = 0; i < Audio.size(); ++i) {
    if (Float) {
      const float f = static_cast<float>(Audio[i]);
      std::memcpy(&bytes[4 * i], &f, 4);
    } else {
      const auto s = static_cast<int16_t>(std::lround(Audio[i] * 32767.0));
      std::memcpy(&bytes[2 * i], &s, 2);
    }
  }
  return bytes;
}

double ChainRealTimeFactor(const std::vector<double>& Audio, bool Float) {
  const std::vector<uint8_t> source = Encode(Audio, Float);
  const int bits = Float ? 32 : 16;
  const size_t bufferBytes = static_cast<size_t>(BufferFrames) * Channels * (bits / 8);
  double best = 1e30;
  for (int round = 0; round < 3; ++round) {
    std::vector<uint8_t> data = source;
    TChain chain;
    const auto start = TClock::now();
    for (size_t at = 0; at < data.size(); at += bufferBytes) {
      chain.Process(data.data() + at, std::min(bufferBytes, data.size() - at), bits, Float);
    }
    best = std::min(best, SecondsSince(start));
  }
  return Seconds / best;
}

void BenchChain() {
  std::printf("\nChain (automatic gain + amplifier + 10-band equalizer, FFT 2048), 48 kHz stereo,\n"
              "%d ms buffers, one core:\n", BufferFrames * 1000 / SampleRate);
  const std::vector<double> audio = TestAudio();
  for (bool isFloat : {false, true}) {
    const double factor = ChainRealTimeFactor(audio, isFloat);
    std::printf("  %-13s %8.0f x real time (target %.0f x: %s)\n", isFloat ? "32-bit float" : "16-bit",
                factor, kChainTarget, factor >= kChainTarget ? "met" : "NOT met");
  }
}

}  // namespace

int main() {
  EnsureCPUFeatures();
  std::printf("CPU: SSE %d, SSE2 %d, SSE3 %d, 3DNow! %d (no 3DNow! code path is built)\n\n", CpuSSE,
              CpuSSE2, CpuSSE3, Cpu3DNow);
  BenchFFT();
  BenchChain();
  return 0;
}
