// The processors' settings interfaces as a caller outside the program meets
// them: it declares the interfaces itself (identifiers and method order as
// published), asks a processor for one through the interface query and
// drives it; what it sets shows in the processor's own getters and in the
// samples it processes, and the reverse.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "engine/dsp/dsp_settings.h"

// ---- the caller's own declarations (outside the anonymous namespace: a
// class only this file could derive from would let the compiler conclude
// that no object has it, and drop the calls)

struct ICallerEqualizer : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSeperate(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSeperate(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetFFTSize(TDspFFTSize*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFFTSize(TDspFFTSize) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBandGain(int32_t Channel, int32_t Bin, int8_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBandGain(int32_t Channel, int32_t Bin, int8_t) = 0;
};
struct ICallerAmplify : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSeperate(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSeperate(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVolume(int32_t Channel, int32_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVolume(int32_t Channel, int32_t) = 0;
};
struct ICallerDynamicAmplify : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAttackTime(uint32_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetAttackTime(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetReleaseTime(uint32_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetReleaseTime(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMaxAmplification(uint32_t*) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetMaxAmplification(uint32_t) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentAmplification(float*) = 0;
};

namespace {

// {180BEF63-901F-4F2E-907F-54523850A640}
constexpr GUID kEqualizer = {0x180BEF63, 0x901F, 0x4F2E, {0x90, 0x7F, 0x54, 0x52, 0x38, 0x50, 0xA6, 0x40}};
// {9614E756-4234-49F2-9325-690235E5B6D1}
constexpr GUID kAmplify = {0x9614E756, 0x4234, 0x49F2, {0x93, 0x25, 0x69, 0x02, 0x35, 0xE5, 0xB6, 0xD1}};
// {C075AFF6-5848-4AC0-8A36-F3C817342364}
constexpr GUID kDynamicAmplify = {0xC075AFF6, 0x5848, 0x4AC0, {0x8A, 0x36, 0xF3, 0xC8, 0x17, 0x34, 0x23, 0x64}};

// The interface Component answers for Iid, or nullptr. The pointer passes
// through a volatile, as it would pass from another program: the compiler
// may not bind the calls by what it knows of the object behind it.
template <class TInterface, class TComponent>
TInterface* Query(TComponent& Component, const GUID& Iid) {
  void* object = nullptr;
  if (Component.QueryInterface(Iid, &object) != S_OK) return nullptr;
  void* volatile passed = object;
  return static_cast<TInterface*>(passed);
}

// Index of the largest magnitude among the samples of channel Channel.
int PeakFrame(const std::vector<float>& Samples, int Channels, int Channel) {
  int best = 0;
  for (int i = 0; i < static_cast<int>(Samples.size()) / Channels; ++i) {
    if (std::abs(Samples[i * Channels + Channel]) > std::abs(Samples[best * Channels + Channel])) best = i;
  }
  return best;
}

void ProcessFloat(TDspEqualizer& Eq, std::vector<float>& Samples, int Channels) {
  Eq.Process(Samples.data(), Samples.size() * sizeof(float), 32, Channels, true);
}

TEST(DspSettings, EachProcessorAnswersItsOwnIdentifierOnly) {
  TDspEqualizerComponent eq;
  TDspAmplifyComponent amp;
  TDspDynamicAmplifyComponent agc;
  auto* eqFace = Query<ICallerEqualizer>(eq, kEqualizer);
  auto* ampFace = Query<ICallerAmplify>(amp, kAmplify);
  auto* agcFace = Query<ICallerDynamicAmplify>(agc, kDynamicAmplify);
  ASSERT_NE(eqFace, nullptr);
  ASSERT_NE(ampFace, nullptr);
  ASSERT_NE(agcFace, nullptr);
  // IUnknown is the same object, asked of the processor or of the face.
  EXPECT_EQ(Query<IUnknown>(eq, IID_IUnknown), static_cast<IUnknown*>(eqFace));
  EXPECT_EQ(Query<IUnknown>(*ampFace, IID_IUnknown), static_cast<IUnknown*>(ampFace));
  EXPECT_EQ(Query<IUnknown>(*agcFace, kDynamicAmplify), static_cast<IUnknown*>(agcFace));
  // Another processor's identifier is refused, and the out value cleared.
  void* object = &object;
  EXPECT_EQ(eq.QueryInterface(kAmplify, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(Query<IUnknown>(amp, kDynamicAmplify), nullptr);
  EXPECT_EQ(Query<IUnknown>(agc, kEqualizer), nullptr);
  EXPECT_EQ(eq.QueryInterface(kEqualizer, nullptr), E_POINTER);
}

TEST(DspSettings, EqualizerSettingsReachTheProcessorAndBack) {
  TDspEqualizerComponent eq;
  ICallerEqualizer* face = Query<ICallerEqualizer>(eq, kEqualizer);
  ASSERT_NE(face, nullptr);
  BOOL flag = 7;
  EXPECT_EQ(face->GetEnabled(&flag), S_OK);
  EXPECT_EQ(flag, 0);
  eq.SetEnabled(true);
  EXPECT_EQ(face->GetEnabled(&flag), S_OK);
  EXPECT_EQ(flag, -1);
  EXPECT_EQ(face->SetSeperate(5), S_OK);
  EXPECT_TRUE(eq.Seperate());
  EXPECT_EQ(face->GetSeperate(&flag), S_OK);
  EXPECT_EQ(flag, -1);

  EXPECT_EQ(face->SetBandGain(0, 10, -100), S_OK);
  EXPECT_EQ(eq.GetBandGain(0, 10), -100);
  eq.SetBandGain(9, 8191, 40);
  int8_t gain = 0;
  EXPECT_EQ(face->GetBandGain(9, 8191, &gain), S_OK);
  EXPECT_EQ(gain, 40);
  EXPECT_EQ(face->SetBandGain(0, 8192, 5), S_OK);  // out of range: nothing
  EXPECT_EQ(face->SetBandGain(10, 0, 5), S_OK);
  EXPECT_EQ(face->GetBandGain(10, 0, &gain), S_OK);
  EXPECT_EQ(gain, 0);
  EXPECT_EQ(eq.GetBandGain(0, 0), 0);
  EXPECT_EQ(face->GetBandGain(0, 10, nullptr), E_POINTER);

  EXPECT_EQ(face->SetFFTSize(TDspFFTSize::fts4096), S_OK);
  EXPECT_EQ(eq.FFTSize(), TDspFFTSize::fts4096);
  eq.SetFFTSize(TDspFFTSize::fts512);
  TDspFFTSize size = TDspFFTSize::fts2;
  EXPECT_EQ(face->GetFFTSize(&size), S_OK);
  EXPECT_EQ(size, TDspFFTSize::fts512);
  // No 16,384-point size: refused, the size stays.
  EXPECT_EQ(face->SetFFTSize(static_cast<TDspFFTSize>(13)), E_INVALIDARG);
  EXPECT_EQ(face->SetFFTSize(static_cast<TDspFFTSize>(-1)), E_INVALIDARG);
  EXPECT_EQ(eq.FFTSize(), TDspFFTSize::fts512);
}

// The size set through the interface is the one the next buffer is
// filtered with: an impulse comes out N/8 frames later.
TEST(DspSettings, EqualizerFilterSizeFromTheInterfaceTakesTheNextBuffer) {
  TDspEqualizerComponent eq;
  ICallerEqualizer* face = Query<ICallerEqualizer>(eq, kEqualizer);
  ASSERT_NE(face, nullptr);
  ASSERT_EQ(face->SetEnabled(-1), S_OK);
  ASSERT_EQ(face->SetFFTSize(TDspFFTSize::fts4096), S_OK);
  std::vector<float> samples(3072, 0.0f);
  samples[0] = 1.0f;
  ProcessFloat(eq, samples, 1);
  EXPECT_EQ(PeakFrame(samples, 1, 0), 512);
  EXPECT_NEAR(samples[512], 1.0f, 0.02f);
  ASSERT_EQ(face->SetFFTSize(TDspFFTSize::fts512), S_OK);
  std::fill(samples.begin(), samples.end(), 0.0f);
  samples[0] = 1.0f;
  ProcessFloat(eq, samples, 1);
  EXPECT_EQ(PeakFrame(samples, 1, 0), 64);
  EXPECT_NEAR(samples[64], 1.0f, 0.02f);
}

// Switched off and on again through the interface, the equalizer keeps the
// tail of the last buffer (an impulse near its end comes out in the next
// one); through the processor's own switch the tail is forgotten.
TEST(DspSettings, EqualizerSwitchedOnThroughTheInterfaceKeepsItsTail) {
  for (const bool throughInterface : {true, false}) {
    TDspEqualizerComponent eq;
    ICallerEqualizer* face = Query<ICallerEqualizer>(eq, kEqualizer);
    ASSERT_NE(face, nullptr);
    eq.SetFFTSize(TDspFFTSize::fts512);  // 384 frames a block, 64 frames late
    eq.SetEnabled(true);
    std::vector<float> samples(384, 0.0f);
    samples[380] = 1.0f;
    ProcessFloat(eq, samples, 1);
    if (throughInterface) {
      face->SetEnabled(0);
      face->SetEnabled(-1);
    } else {
      eq.SetEnabled(false);
      eq.SetEnabled(true);
    }
    std::fill(samples.begin(), samples.end(), 0.0f);
    ProcessFloat(eq, samples, 1);
    EXPECT_NEAR(samples[60], throughInterface ? 1.0f : 0.0f, 0.02f) << throughInterface;
  }
}

// Separate kernels switched on through the interface: the next buffer
// gives channel 1 its own filter (here 20 dB down), not channel 0's and not
// silence; switched off, channel 1 takes channel 0's again.
TEST(DspSettings, EqualizerSeparateKernelsFromTheInterfaceFilterEachChannel) {
  TDspEqualizerComponent eq;
  ICallerEqualizer* face = Query<ICallerEqualizer>(eq, kEqualizer);
  ASSERT_NE(face, nullptr);
  eq.SetFFTSize(TDspFFTSize::fts512);
  eq.SetEnabled(true);
  for (int bin = 0; bin < 256; ++bin) ASSERT_EQ(face->SetBandGain(1, bin, -100), S_OK);
  auto impulses = [] {
    std::vector<float> s(2 * 384, 0.0f);
    s[0] = s[1] = 1.0f;
    return s;
  };
  std::vector<float> samples = impulses();
  ProcessFloat(eq, samples, 2);
  EXPECT_NEAR(samples[2 * 64 + 1], 1.0f, 0.02f) << "not separate yet: channel 0's kernel";
  ASSERT_EQ(face->SetSeperate(-1), S_OK);
  samples = impulses();
  ProcessFloat(eq, samples, 2);
  EXPECT_NEAR(samples[2 * 64], 1.0f, 0.02f);
  EXPECT_NEAR(samples[2 * 64 + 1], 0.1f, 0.005f);
  ASSERT_EQ(face->SetSeperate(0), S_OK);
  samples = impulses();
  ProcessFloat(eq, samples, 2);
  EXPECT_NEAR(samples[2 * 64 + 1], 1.0f, 0.02f);
}

TEST(DspSettings, AmplifierSettingsReachTheProcessorAndBack) {
  TDspAmplifyComponent amp;
  ICallerAmplify* face = Query<ICallerAmplify>(amp, kAmplify);
  ASSERT_NE(face, nullptr);
  BOOL flag = 7;
  EXPECT_EQ(face->GetEnabled(&flag), S_OK);
  EXPECT_EQ(flag, 0);
  EXPECT_EQ(face->SetEnabled(1), S_OK);
  EXPECT_TRUE(amp.Enabled());
  EXPECT_EQ(face->GetEnabled(&flag), S_OK);
  EXPECT_EQ(flag, -1);

  EXPECT_EQ(face->SetVolume(0, 5000), S_OK);
  std::vector<int16_t> mono = {1001, -1001};
  amp.Process(mono.data(), 4, 16, 1, false);
  EXPECT_EQ(mono, (std::vector<int16_t>{500, -500}));

  amp.SetVolume(1, 20000);
  int32_t volume = -7;
  EXPECT_EQ(face->GetVolume(1, &volume), S_OK);
  EXPECT_EQ(volume, 20000);
  EXPECT_EQ(face->SetVolume(10, 3), S_OK);  // no channel 10: nothing
  EXPECT_EQ(face->GetVolume(10, &volume), S_OK);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(face->GetVolume(-1, &volume), S_OK);
  EXPECT_EQ(volume, 0);
  EXPECT_EQ(face->GetVolume(0, nullptr), E_POINTER);

  EXPECT_EQ(face->SetSeperate(-1), S_OK);
  EXPECT_TRUE(amp.Seperate());
  std::vector<int16_t> stereo = {1000, 1000};
  amp.Process(stereo.data(), 4, 16, 2, false);
  EXPECT_EQ(stereo, (std::vector<int16_t>{500, 2000}));
  amp.SetSeperate(false);
  EXPECT_EQ(face->GetSeperate(&flag), S_OK);
  EXPECT_EQ(flag, 0);

  amp.SetEnabled(false);
  EXPECT_EQ(face->GetEnabled(&flag), S_OK);
  EXPECT_EQ(flag, 0);
}

TEST(DspSettings, AutomaticGainSettingsReachTheProcessorAndBack) {
  TDspDynamicAmplifyComponent agc;
  ICallerDynamicAmplify* face = Query<ICallerDynamicAmplify>(agc, kDynamicAmplify);
  ASSERT_NE(face, nullptr);
  uint32_t value = 0;
  EXPECT_EQ(face->GetAttackTime(&value), S_OK);
  EXPECT_EQ(value, 1000u);
  EXPECT_EQ(face->GetReleaseTime(&value), S_OK);
  EXPECT_EQ(value, 3000u);
  agc.SetMaxAmplification(7500);
  EXPECT_EQ(face->GetMaxAmplification(&value), S_OK);
  EXPECT_EQ(value, 7500u);
  float gain = 0.0f;
  EXPECT_EQ(face->GetCurrentAmplification(&gain), S_OK);
  EXPECT_EQ(gain, 1.0f);

  // Stored as given; the next blocks run with them.
  EXPECT_EQ(face->SetAttackTime(250), S_OK);
  EXPECT_EQ(face->SetReleaseTime(0), S_OK);
  EXPECT_EQ(face->SetMaxAmplification(2000), S_OK);
  EXPECT_EQ(face->SetEnabled(-1), S_OK);
  EXPECT_EQ(agc.AttackTime(), 250u);
  EXPECT_EQ(agc.ReleaseTime(), 0u);
  EXPECT_EQ(agc.MaxAmplification(), 2000u);
  EXPECT_TRUE(agc.Enabled());
  // Two quiet blocks of 8,192 mono frames at 44,100 Hz: the first holds,
  // the second rises by 0.25 per second of audio (16,384 / 88,200 s).
  std::vector<int16_t> quiet(2 * 8192, 1000);
  agc.Process(quiet.data(), quiet.size() * 2, 44100, 16, 1, false);
  EXPECT_EQ(face->GetCurrentAmplification(&gain), S_OK);
  EXPECT_NEAR(gain, 1.0464399f, 1e-6f);
  EXPECT_EQ(gain, agc.CurrentAmplification());
  // Past the largest gain set through the interface it does not rise.
  std::vector<int16_t> more(40 * 8192, 1000);
  agc.Process(more.data(), more.size() * 2, 44100, 16, 1, false);
  EXPECT_EQ(face->GetCurrentAmplification(&gain), S_OK);
  EXPECT_EQ(gain, 2.0f);
  EXPECT_EQ(face->GetCurrentAmplification(nullptr), E_POINTER);
}

}  // namespace
