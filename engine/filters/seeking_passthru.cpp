#include "engine/filters/seeking_passthru.h"

#include "engine/filters/pin.h"

STDMETHODIMP TSeekingPassThru::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IMediaSeeking) {
    *Object = static_cast<IMediaSeeking*>(this);
    AddRef();
    return S_OK;
  }
  return Owner_->QueryInterface(Iid, Object);
}

IMediaSeeking* TSeekingPassThru::Target() {
  if (Input_ == nullptr) return nullptr;
  IPin* peer = Input_->GetConnected();
  if (peer == nullptr) return nullptr;
  IMediaSeeking* seeking = nullptr;
  if (FAILED(peer->QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&seeking)))) return nullptr;
  return seeking;
}

template <class F>
HRESULT TSeekingPassThru::Forward(F Call) {
  IMediaSeeking* seeking = Target();
  if (seeking == nullptr) return E_NOTIMPL;
  const HRESULT hr = Call(seeking);
  seeking->Release();
  return hr;
}

STDMETHODIMP TSeekingPassThru::GetCapabilities(DWORD* Capabilities) {
  return Forward([&](IMediaSeeking* s) { return s->GetCapabilities(Capabilities); });
}
STDMETHODIMP TSeekingPassThru::CheckCapabilities(DWORD* Capabilities) {
  return Forward([&](IMediaSeeking* s) { return s->CheckCapabilities(Capabilities); });
}
STDMETHODIMP TSeekingPassThru::IsFormatSupported(const GUID* Format) {
  return Forward([&](IMediaSeeking* s) { return s->IsFormatSupported(Format); });
}
STDMETHODIMP TSeekingPassThru::QueryPreferredFormat(GUID* Format) {
  return Forward([&](IMediaSeeking* s) { return s->QueryPreferredFormat(Format); });
}
STDMETHODIMP TSeekingPassThru::GetTimeFormat(GUID* Format) {
  return Forward([&](IMediaSeeking* s) { return s->GetTimeFormat(Format); });
}
STDMETHODIMP TSeekingPassThru::IsUsingTimeFormat(const GUID* Format) {
  return Forward([&](IMediaSeeking* s) { return s->IsUsingTimeFormat(Format); });
}
STDMETHODIMP TSeekingPassThru::SetTimeFormat(const GUID* Format) {
  return Forward([&](IMediaSeeking* s) { return s->SetTimeFormat(Format); });
}
STDMETHODIMP TSeekingPassThru::GetDuration(LONGLONG* Duration) {
  return Forward([&](IMediaSeeking* s) { return s->GetDuration(Duration); });
}
STDMETHODIMP TSeekingPassThru::GetStopPosition(LONGLONG* Stop) {
  return Forward([&](IMediaSeeking* s) { return s->GetStopPosition(Stop); });
}
STDMETHODIMP TSeekingPassThru::GetCurrentPosition(LONGLONG* Current) {
  return Forward([&](IMediaSeeking* s) { return s->GetCurrentPosition(Current); });
}
STDMETHODIMP TSeekingPassThru::ConvertTimeFormat(LONGLONG* Target, const GUID* TargetFormat, LONGLONG Source,
                                                 const GUID* SourceFormat) {
  return Forward([&](IMediaSeeking* s) { return s->ConvertTimeFormat(Target, TargetFormat, Source, SourceFormat); });
}
STDMETHODIMP TSeekingPassThru::SetPositions(LONGLONG* Current, DWORD CurrentFlags, LONGLONG* Stop, DWORD StopFlags) {
  return Forward([&](IMediaSeeking* s) { return s->SetPositions(Current, CurrentFlags, Stop, StopFlags); });
}
STDMETHODIMP TSeekingPassThru::GetPositions(LONGLONG* Current, LONGLONG* Stop) {
  return Forward([&](IMediaSeeking* s) { return s->GetPositions(Current, Stop); });
}
STDMETHODIMP TSeekingPassThru::GetAvailable(LONGLONG* Earliest, LONGLONG* Latest) {
  return Forward([&](IMediaSeeking* s) { return s->GetAvailable(Earliest, Latest); });
}
STDMETHODIMP TSeekingPassThru::SetRate(double Rate) {
  return Forward([&](IMediaSeeking* s) { return s->SetRate(Rate); });
}
STDMETHODIMP TSeekingPassThru::GetRate(double* Rate) {
  return Forward([&](IMediaSeeking* s) { return s->GetRate(Rate); });
}
STDMETHODIMP TSeekingPassThru::GetPreroll(LONGLONG* Preroll) {
  return Forward([&](IMediaSeeking* s) { return s->GetPreroll(Preroll); });
}
