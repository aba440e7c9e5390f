// TSeekingPassThru: an IMediaSeeking that passes every call to the pin
// upstream of a given input pin, so that seeking and duration queries of the
// graph reach the source through a transform or a renderer. A derived class
// may pass them to another object instead (Target).
//
// It lives inside its owner (a pin or a filter) and shares the owner's
// reference count. GUI thread.
#pragma once

#include <windows.h>
#include <dshow.h>

class TBasePin;

class TSeekingPassThru : public IMediaSeeking {
 public:
  TSeekingPassThru(IUnknown* Owner, TBasePin* Input) : Owner_(Owner), Input_(Input) {}

  STDMETHODIMP QueryInterface(REFIID Iid, void** Object) override;
  STDMETHODIMP_(ULONG) AddRef() override { return Owner_->AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return Owner_->Release(); }

  STDMETHODIMP GetCapabilities(DWORD* Capabilities) override;
  STDMETHODIMP CheckCapabilities(DWORD* Capabilities) override;
  STDMETHODIMP IsFormatSupported(const GUID* Format) override;
  STDMETHODIMP QueryPreferredFormat(GUID* Format) override;
  STDMETHODIMP GetTimeFormat(GUID* Format) override;
  STDMETHODIMP IsUsingTimeFormat(const GUID* Format) override;
  STDMETHODIMP SetTimeFormat(const GUID* Format) override;
  STDMETHODIMP GetDuration(LONGLONG* Duration) override;
  STDMETHODIMP GetStopPosition(LONGLONG* Stop) override;
  STDMETHODIMP GetCurrentPosition(LONGLONG* Current) override;
  STDMETHODIMP ConvertTimeFormat(LONGLONG* Target, const GUID* TargetFormat, LONGLONG Source,
                                 const GUID* SourceFormat) override;
  STDMETHODIMP SetPositions(LONGLONG* Current, DWORD CurrentFlags, LONGLONG* Stop,
                            DWORD StopFlags) override;
  STDMETHODIMP GetPositions(LONGLONG* Current, LONGLONG* Stop) override;
  STDMETHODIMP GetAvailable(LONGLONG* Earliest, LONGLONG* Latest) override;
  STDMETHODIMP SetRate(double Rate) override;
  STDMETHODIMP GetRate(double* Rate) override;
  STDMETHODIMP GetPreroll(LONGLONG* Preroll) override;

 protected:
  // Where the calls go (referenced), or nullptr: the upstream pin's
  // IMediaSeeking.
  virtual IMediaSeeking* Target();

 private:
  // Calls Call(target) on the target's IMediaSeeking; E_NOTIMPL without.
  template <class F>
  HRESULT Forward(F Call);

  IUnknown* Owner_;
  TBasePin* Input_;
};
