#include "engine/dsp/dsp_settings.h"

// {180BEF63-901F-4F2E-907F-54523850A640}
const IID IID_IDspEqualizer = {0x180BEF63, 0x901F, 0x4F2E, {0x90, 0x7F, 0x54, 0x52, 0x38, 0x50, 0xA6, 0x40}};
// {9614E756-4234-49F2-9325-690235E5B6D1}
const IID IID_IDspAmplify = {0x9614E756, 0x4234, 0x49F2, {0x93, 0x25, 0x69, 0x02, 0x35, 0xE5, 0xB6, 0xD1}};
// {C075AFF6-5848-4AC0-8A36-F3C817342364}
const IID IID_IDspDynamicAmplify = {0xC075AFF6, 0x5848, 0x4AC0, {0x8A, 0x36, 0xF3, 0xC8, 0x17, 0x34, 0x23, 0x64}};

namespace {

// Writes Value to the caller's out parameter.
template <class T>
HRESULT Put(T* Out, T Value) {
  if (Out == nullptr) return E_POINTER;
  *Out = Value;
  return S_OK;
}

HRESULT PutFlag(BOOL* Out, bool Value) { return Put<BOOL>(Out, Value ? -1 : 0); }

}  // namespace

// ---- equalizer

STDMETHODIMP TDspEqualizerFace::GetEnabled(BOOL* Enabled) { return PutFlag(Enabled, Dsp_.Enabled()); }

STDMETHODIMP TDspEqualizerFace::SetEnabled(BOOL Enabled) {
  Dsp_.SetEnabledKeepingOverlap(Enabled != 0);
  return S_OK;
}

STDMETHODIMP TDspEqualizerFace::GetSeperate(BOOL* Seperate) { return PutFlag(Seperate, Dsp_.Seperate()); }

STDMETHODIMP TDspEqualizerFace::SetSeperate(BOOL Seperate) {
  Dsp_.SetSeperate(Seperate != 0);
  return S_OK;
}

STDMETHODIMP TDspEqualizerFace::GetFFTSize(TDspFFTSize* Size) { return Put(Size, Dsp_.FFTSize()); }

// A size beyond the thirteen would make the transforms run past their
// blocks: it is refused.
STDMETHODIMP TDspEqualizerFace::SetFFTSize(TDspFFTSize Size) {
  const auto ordinal = static_cast<unsigned>(Size);
  if (ordinal > static_cast<unsigned>(TDspFFTSize::fts8192)) return E_INVALIDARG;
  Dsp_.SetFFTSize(Size);
  return S_OK;
}

STDMETHODIMP TDspEqualizerFace::GetBandGain(int32_t Channel, int32_t Bin, int8_t* Value) {
  return Put(Value, Dsp_.GetBandGain(Channel, Bin));
}

STDMETHODIMP TDspEqualizerFace::SetBandGain(int32_t Channel, int32_t Bin, int8_t Value) {
  Dsp_.SetBandGain(Channel, Bin, Value);
  return S_OK;
}

// ---- amplifier

STDMETHODIMP TDspAmplifyFace::GetEnabled(BOOL* Enabled) { return PutFlag(Enabled, Dsp_.Enabled()); }

STDMETHODIMP TDspAmplifyFace::SetEnabled(BOOL Enabled) {
  Dsp_.SetEnabled(Enabled != 0);
  return S_OK;
}

STDMETHODIMP TDspAmplifyFace::GetSeperate(BOOL* Seperate) { return PutFlag(Seperate, Dsp_.Seperate()); }

STDMETHODIMP TDspAmplifyFace::SetSeperate(BOOL Seperate) {
  Dsp_.SetSeperate(Seperate != 0);
  return S_OK;
}

STDMETHODIMP TDspAmplifyFace::GetVolume(int32_t Channel, int32_t* Value) {
  return Put(Value, Dsp_.GetVolume(Channel));
}

STDMETHODIMP TDspAmplifyFace::SetVolume(int32_t Channel, int32_t Value) {
  Dsp_.SetVolume(Channel, Value);
  return S_OK;
}

// ---- automatic gain

STDMETHODIMP TDspDynamicAmplifyFace::GetEnabled(BOOL* Enabled) { return PutFlag(Enabled, Dsp_.Enabled()); }

STDMETHODIMP TDspDynamicAmplifyFace::SetEnabled(BOOL Enabled) {
  Dsp_.SetEnabled(Enabled != 0);
  return S_OK;
}

STDMETHODIMP TDspDynamicAmplifyFace::GetAttackTime(uint32_t* Value) { return Put(Value, Dsp_.AttackTime()); }

STDMETHODIMP TDspDynamicAmplifyFace::SetAttackTime(uint32_t Value) {
  Dsp_.SetAttackTime(Value);
  return S_OK;
}

STDMETHODIMP TDspDynamicAmplifyFace::GetReleaseTime(uint32_t* Value) { return Put(Value, Dsp_.ReleaseTime()); }

STDMETHODIMP TDspDynamicAmplifyFace::SetReleaseTime(uint32_t Value) {
  Dsp_.SetReleaseTime(Value);
  return S_OK;
}

STDMETHODIMP TDspDynamicAmplifyFace::GetMaxAmplification(uint32_t* Value) {
  return Put(Value, Dsp_.MaxAmplification());
}

STDMETHODIMP TDspDynamicAmplifyFace::SetMaxAmplification(uint32_t Value) {
  Dsp_.SetMaxAmplification(Value);
  return S_OK;
}

STDMETHODIMP TDspDynamicAmplifyFace::GetCurrentAmplification(float* Value) {
  return Put(Value, Dsp_.CurrentAmplification());
}
