// The settings interfaces of the equalizer, the amplifier and the automatic
// gain: COM faces over the window-free processors, through which a caller
// reads and changes their settings after an interface query. A processor as
// the video window holds it (TDspEqualizerComponent and the others) answers
// QueryInterface with its face; the face belongs to the processor, which
// its holder owns, so nothing here is reference counted.
//
// Every method returns S_OK, except for a missing out parameter (E_POINTER)
// and an FFT size that does not exist (E_INVALIDARG). Booleans are 32 bits,
// -1 for true; any value other than 0 sets a switch.
//
// Threads: any, without a lock, like the processors' own setters.
#pragma once

#include <cstdint>

#include <windows.h>
#include <unknwn.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/dynamic_amplify.h"
#include "engine/dsp/equalizer.h"
#include "engine/dsp/fft.h"

struct IDspEqualizer : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* Enabled) = 0;
  // Stores the switch alone: switching on does not forget the overlap (as
  // TDspEqualizer::SetEnabled does), so the tail of the last filtered buffer
  // is added to the next one.
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSeperate(BOOL* Seperate) = 0;
  // The kernels follow the switch from the next buffer on: every channel
  // its own, or all channel 0's.
  virtual HRESULT STDMETHODCALLTYPE SetSeperate(BOOL Seperate) = 0;
  // A size change takes effect at the next buffer, as the processor's own.
  virtual HRESULT STDMETHODCALLTYPE GetFFTSize(TDspFFTSize* Size) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetFFTSize(TDspFFTSize Size) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetBandGain(int32_t Channel, int32_t Bin, int8_t* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetBandGain(int32_t Channel, int32_t Bin, int8_t Value) = 0;
};

struct IDspAmplify : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetSeperate(BOOL* Seperate) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetSeperate(BOOL Seperate) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetVolume(int32_t Channel, int32_t* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetVolume(int32_t Channel, int32_t Value) = 0;
};

// The setters store the value as given.
struct IDspDynamicAmplify : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE GetEnabled(BOOL* Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetEnabled(BOOL Enabled) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetAttackTime(uint32_t* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetAttackTime(uint32_t Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetReleaseTime(uint32_t* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetReleaseTime(uint32_t Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMaxAmplification(uint32_t* Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetMaxAmplification(uint32_t Value) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetCurrentAmplification(float* Value) = 0;
};

extern const IID IID_IDspEqualizer;
extern const IID IID_IDspAmplify;
extern const IID IID_IDspDynamicAmplify;

// IUnknown of a face: itself for IUnknown and for Iid, nothing else.
template <class TInterface, const IID& Iid>
class TDspSettingsFace : public TInterface {
 public:
  STDMETHODIMP QueryInterface(REFIID Asked, void** Object) override {
    if (Object == nullptr) return E_POINTER;
    if (IsEqualIID(Asked, IID_IUnknown) || IsEqualIID(Asked, Iid)) {
      *Object = static_cast<TInterface*>(this);
      return S_OK;
    }
    *Object = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 1; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
};

class TDspEqualizerFace final : public TDspSettingsFace<IDspEqualizer, IID_IDspEqualizer> {
 public:
  explicit TDspEqualizerFace(TDspEqualizer& Dsp) : Dsp_(Dsp) {}
  STDMETHODIMP GetEnabled(BOOL* Enabled) override;
  STDMETHODIMP SetEnabled(BOOL Enabled) override;
  STDMETHODIMP GetSeperate(BOOL* Seperate) override;
  STDMETHODIMP SetSeperate(BOOL Seperate) override;
  STDMETHODIMP GetFFTSize(TDspFFTSize* Size) override;
  STDMETHODIMP SetFFTSize(TDspFFTSize Size) override;
  STDMETHODIMP GetBandGain(int32_t Channel, int32_t Bin, int8_t* Value) override;
  STDMETHODIMP SetBandGain(int32_t Channel, int32_t Bin, int8_t Value) override;

 private:
  TDspEqualizer& Dsp_;
};

class TDspAmplifyFace final : public TDspSettingsFace<IDspAmplify, IID_IDspAmplify> {
 public:
  explicit TDspAmplifyFace(TDspAmplify& Dsp) : Dsp_(Dsp) {}
  STDMETHODIMP GetEnabled(BOOL* Enabled) override;
  STDMETHODIMP SetEnabled(BOOL Enabled) override;
  STDMETHODIMP GetSeperate(BOOL* Seperate) override;
  STDMETHODIMP SetSeperate(BOOL Seperate) override;
  STDMETHODIMP GetVolume(int32_t Channel, int32_t* Value) override;
  STDMETHODIMP SetVolume(int32_t Channel, int32_t Value) override;

 private:
  TDspAmplify& Dsp_;
};

class TDspDynamicAmplifyFace final : public TDspSettingsFace<IDspDynamicAmplify, IID_IDspDynamicAmplify> {
 public:
  explicit TDspDynamicAmplifyFace(TDspDynamicAmplify& Dsp) : Dsp_(Dsp) {}
  STDMETHODIMP GetEnabled(BOOL* Enabled) override;
  STDMETHODIMP SetEnabled(BOOL Enabled) override;
  STDMETHODIMP GetAttackTime(uint32_t* Value) override;
  STDMETHODIMP SetAttackTime(uint32_t Value) override;
  STDMETHODIMP GetReleaseTime(uint32_t* Value) override;
  STDMETHODIMP SetReleaseTime(uint32_t Value) override;
  STDMETHODIMP GetMaxAmplification(uint32_t* Value) override;
  STDMETHODIMP SetMaxAmplification(uint32_t Value) override;
  STDMETHODIMP GetCurrentAmplification(float* Value) override;

 private:
  TDspDynamicAmplify& Dsp_;
};

// A processor as the video window holds it: the processor itself, which
// also answers the interface query with its settings interface (for
// IUnknown too: the face is the processor's COM identity).
template <class TDsp, class TFace>
class TDspComponent : public TDsp {
 public:
  HRESULT QueryInterface(REFIID Iid, void** Object) { return Face_.QueryInterface(Iid, Object); }

 private:
  TFace Face_{*this};
};

using TDspEqualizerComponent = TDspComponent<TDspEqualizer, TDspEqualizerFace>;
using TDspAmplifyComponent = TDspComponent<TDspAmplify, TDspAmplifyFace>;
using TDspDynamicAmplifyComponent = TDspComponent<TDspDynamicAmplify, TDspDynamicAmplifyFace>;
