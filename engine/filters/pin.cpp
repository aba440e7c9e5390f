#include "engine/filters/pin.h"

#include <algorithm>
#include <cstring>

#include "engine/filters/base_filter.h"
#include "engine/filters/enumerators.h"

bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& Type, const AM_MEDIA_TYPE* Partial) {
  if (Partial == nullptr) return true;
  if (Partial->majortype != GUID_NULL && Partial->majortype != Type.majortype) return false;
  if (Partial->subtype != GUID_NULL && Partial->subtype != Type.subtype) return false;
  if (Partial->formattype != GUID_NULL && Partial->formattype != Type.formattype) return false;
  return true;
}

namespace {
bool FullySpecified(const AM_MEDIA_TYPE* Type) {
  return Type != nullptr && Type->majortype != GUID_NULL && Type->subtype != GUID_NULL &&
         Type->formattype != GUID_NULL;
}
}  // namespace

TBasePin::TBasePin(TBaseFilter* Filter, const wchar_t* Name, PIN_DIRECTION Direction)
    : Filter_(Filter), Name_(Name), Direction_(Direction) {}

TBasePin::~TBasePin() {
  if (Connected_ != nullptr) Connected_->Release();
}

HRESULT TBasePin::GetMediaType(int Position, AM_MEDIA_TYPE*) {
  return Position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

HRESULT TBasePin::SetMediaType(const AM_MEDIA_TYPE* MediaType) {
  MediaType_ = *MediaType;
  return S_OK;
}

HRESULT TBasePin::CheckConnect(IPin* Peer) {
  PIN_DIRECTION direction;
  const HRESULT hr = Peer->QueryDirection(&direction);
  if (FAILED(hr)) return hr;
  return direction == Direction_ ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT TBasePin::CompleteConnect(IPin*) { return S_OK; }
HRESULT TBasePin::BreakConnect() { return S_OK; }
HRESULT TBasePin::Active() { return S_OK; }
HRESULT TBasePin::Inactive() { return S_OK; }
HRESULT TBasePin::Run(REFERENCE_TIME) { return S_OK; }

HRESULT TBasePin::QueryPinInterface(REFIID, void** Object) {
  *Object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP TBasePin::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IPin) {
    *Object = static_cast<IPin*>(this);
    AddRef();
    return S_OK;
  }
  return QueryPinInterface(Iid, Object);
}

STDMETHODIMP_(ULONG) TBasePin::AddRef() { return Filter_->AddRef(); }
STDMETHODIMP_(ULONG) TBasePin::Release() { return Filter_->Release(); }

// The peer's types are tried first, then this pin's own.
STDMETHODIMP TBasePin::Connect(IPin* ReceivePin, const AM_MEDIA_TYPE* MediaType) {
  if (ReceivePin == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  if (Connected_ != nullptr) return VFW_E_ALREADY_CONNECTED;
  if (!Filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  HRESULT hr = CheckConnect(ReceivePin);
  if (FAILED(hr)) return hr;
  if (FullySpecified(MediaType)) return AttemptConnection(ReceivePin, MediaType);

  IEnumMediaTypes* types = nullptr;
  hr = VFW_E_NO_ACCEPTABLE_TYPES;
  if (SUCCEEDED(ReceivePin->EnumMediaTypes(&types)) && types != nullptr) {
    hr = TryMediaTypes(ReceivePin, MediaType, types);
    types->Release();
  }
  if (FAILED(hr) && SUCCEEDED(EnumMediaTypes(&types))) {
    hr = TryMediaTypes(ReceivePin, MediaType, types);
    types->Release();
  }
  return hr;
}

HRESULT TBasePin::TryMediaTypes(IPin* ReceivePin, const AM_MEDIA_TYPE* Partial, IEnumMediaTypes* Enum) {
  AM_MEDIA_TYPE* type = nullptr;
  ULONG fetched = 0;
  while (Enum->Next(1, &type, &fetched) == S_OK && fetched == 1) {
    HRESULT hr = VFW_E_NO_ACCEPTABLE_TYPES;
    if (MediaTypeMatchesPartial(*type, Partial)) hr = AttemptConnection(ReceivePin, type);
    DeleteMediaType(type);
    if (SUCCEEDED(hr)) return hr;
  }
  return VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT TBasePin::AttemptConnection(IPin* ReceivePin, const AM_MEDIA_TYPE* MediaType) {
  HRESULT hr = CheckMediaType(MediaType);
  if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
  Connected_ = ReceivePin;
  Connected_->AddRef();
  hr = SetMediaType(MediaType);
  if (SUCCEEDED(hr)) {
    hr = ReceivePin->ReceiveConnection(this, MediaType);
    if (SUCCEEDED(hr)) {
      hr = CompleteConnect(ReceivePin);
      if (SUCCEEDED(hr)) return S_OK;
      ReceivePin->Disconnect();
    }
  }
  DisconnectLocked();
  return hr;
}

STDMETHODIMP TBasePin::ReceiveConnection(IPin* Connector, const AM_MEDIA_TYPE* MediaType) {
  if (Connector == nullptr || MediaType == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  if (Connected_ != nullptr) return VFW_E_ALREADY_CONNECTED;
  if (!Filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  HRESULT hr = CheckConnect(Connector);
  if (FAILED(hr)) return hr;
  hr = CheckMediaType(MediaType);
  if (hr != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
  Connected_ = Connector;
  Connected_->AddRef();
  hr = SetMediaType(MediaType);
  if (SUCCEEDED(hr)) hr = CompleteConnect(Connector);
  if (FAILED(hr)) DisconnectLocked();
  return hr;
}

void TBasePin::DisconnectLocked() {
  BreakConnect();
  if (Connected_ != nullptr) Connected_->Release();
  Connected_ = nullptr;
  MediaType_.Clear();
}

STDMETHODIMP TBasePin::Disconnect() {
  TAutoLock lock(Filter_->StateLock);
  if (!Filter_->IsStopped()) return VFW_E_NOT_STOPPED;
  if (Connected_ == nullptr) return S_FALSE;
  DisconnectLocked();
  return S_OK;
}

STDMETHODIMP TBasePin::ConnectedTo(IPin** Pin) {
  if (Pin == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  *Pin = Connected_;
  if (Connected_ == nullptr) return VFW_E_NOT_CONNECTED;
  Connected_->AddRef();
  return S_OK;
}

STDMETHODIMP TBasePin::ConnectionMediaType(AM_MEDIA_TYPE* MediaType) {
  if (MediaType == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  if (Connected_ == nullptr) {
    *MediaType = AM_MEDIA_TYPE{};
    return VFW_E_NOT_CONNECTED;
  }
  return CopyMediaType(MediaType, &MediaType_);
}

STDMETHODIMP TBasePin::QueryPinInfo(PIN_INFO* Info) {
  if (Info == nullptr) return E_POINTER;
  Info->pFilter = Filter_;
  Filter_->AddRef();
  Info->dir = Direction_;
  const size_t count = std::min<size_t>(Name_.size(), MAX_PIN_NAME - 1);
  std::memcpy(Info->achName, Name_.c_str(), count * sizeof(wchar_t));
  Info->achName[count] = L'\0';
  return S_OK;
}

STDMETHODIMP TBasePin::QueryDirection(PIN_DIRECTION* Direction) {
  if (Direction == nullptr) return E_POINTER;
  *Direction = Direction_;
  return S_OK;
}

STDMETHODIMP TBasePin::QueryId(LPWSTR* Id) {
  if (Id == nullptr) return E_POINTER;
  const size_t bytes = (Name_.size() + 1) * sizeof(wchar_t);
  *Id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
  if (*Id == nullptr) return E_OUTOFMEMORY;
  std::memcpy(*Id, Name_.c_str(), bytes);
  return S_OK;
}

STDMETHODIMP TBasePin::QueryAccept(const AM_MEDIA_TYPE* MediaType) {
  if (MediaType == nullptr) return E_POINTER;
  return CheckMediaType(MediaType) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP TBasePin::EnumMediaTypes(IEnumMediaTypes** Enum) { return CreateMediaTypeEnumerator(this, 0, Enum); }

STDMETHODIMP TBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP TBasePin::NewSegment(REFERENCE_TIME Start, REFERENCE_TIME Stop, double Rate) {
  SegmentStart_ = Start;
  SegmentStop_ = Stop;
  SegmentRate_ = Rate;
  return S_OK;
}
