#include "engine/filters/input_pin.h"

#include "engine/filters/allocator.h"
#include "engine/filters/base_filter.h"

TBaseInputPin::TBaseInputPin(TBaseFilter* Filter, const wchar_t* Name) : TBasePin(Filter, Name, PINDIR_INPUT) {}

TBaseInputPin::~TBaseInputPin() {
  if (Allocator_ != nullptr) Allocator_->Release();
}

STDMETHODIMP TBaseInputPin::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IMemInputPin) {
    *Object = static_cast<IMemInputPin*>(this);
    AddRef();
    return S_OK;
  }
  return TBasePin::QueryInterface(Iid, Object);
}

STDMETHODIMP_(ULONG) TBaseInputPin::AddRef() { return TBasePin::AddRef(); }
STDMETHODIMP_(ULONG) TBaseInputPin::Release() { return TBasePin::Release(); }

HRESULT TBaseInputPin::CheckConnect(IPin* Peer) {
  const HRESULT hr = TBasePin::CheckConnect(Peer);
  if (FAILED(hr)) return hr;
  // A new connection starts a new stream.
  Flushing_.store(false);
  AtEndOfStream_.store(false);
  return S_OK;
}

HRESULT TBaseInputPin::BreakConnect() {
  if (Allocator_ != nullptr) {
    Allocator_->Decommit();
    Allocator_->Release();
    Allocator_ = nullptr;
    Own_ = nullptr;
  }
  return S_OK;
}

HRESULT TBaseInputPin::Active() {
  AtEndOfStream_.store(false);
  Flushing_.store(false);
  return S_OK;
}

HRESULT TBaseInputPin::Inactive() {
  AtEndOfStream_.store(false);
  if (Allocator_ != nullptr) Allocator_->Decommit();
  return S_OK;
}

STDMETHODIMP TBaseInputPin::EndOfStream() {
  if (Flushing_.load()) return S_FALSE;
  AtEndOfStream_.store(true);
  return S_OK;
}

STDMETHODIMP TBaseInputPin::BeginFlush() {
  Flushing_.store(true);
  return S_OK;
}

STDMETHODIMP TBaseInputPin::EndFlush() {
  Flushing_.store(false);
  AtEndOfStream_.store(false);
  return S_OK;
}

// The pin's own allocator unless upstream already chose one.
STDMETHODIMP TBaseInputPin::GetAllocator(IMemAllocator** Allocator) {
  if (Allocator == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  if (Allocator_ == nullptr) Allocator_ = Own_ = TMemAllocator::Create();
  *Allocator = Allocator_;
  Allocator_->AddRef();
  return S_OK;
}

STDMETHODIMP TBaseInputPin::NotifyAllocator(IMemAllocator* Allocator, BOOL ReadOnly) {
  if (Allocator == nullptr) return E_POINTER;
  TAutoLock lock(Filter_->StateLock);
  Allocator->AddRef();
  if (Allocator_ != nullptr) Allocator_->Release();
  if (Allocator != Own_) Own_ = nullptr;
  Allocator_ = Allocator;
  ReadOnly_ = ReadOnly != FALSE;
  return S_OK;
}

STDMETHODIMP TBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT TBaseInputPin::CheckStreaming() {
  if (!IsConnected()) return VFW_E_NOT_CONNECTED;
  if (Filter_->IsStopped()) return VFW_E_WRONG_STATE;
  if (Flushing_.load()) return S_FALSE;
  if (AtEndOfStream_.load()) return VFW_E_SAMPLE_REJECTED_EOS;
  return S_OK;
}

STDMETHODIMP TBaseInputPin::Receive(IMediaSample* Sample) {
  if (Sample == nullptr) return E_POINTER;
  return CheckStreaming();
}

STDMETHODIMP TBaseInputPin::ReceiveMultiple(IMediaSample** Samples, long Count, long* Processed) {
  if (Samples == nullptr || Processed == nullptr) return E_POINTER;
  HRESULT hr = S_OK;
  *Processed = 0;
  while (*Processed < Count) {
    hr = Receive(Samples[*Processed]);
    if (hr != S_OK) break;
    ++*Processed;
  }
  return hr;
}

STDMETHODIMP TBaseInputPin::ReceiveCanBlock() { return S_OK; }
