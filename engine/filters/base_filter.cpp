#include "engine/filters/base_filter.h"

#include <algorithm>
#include <cstring>

#include "engine/filters/enumerators.h"
#include "engine/filters/pin.h"

TBaseFilter::TBaseFilter(const CLSID& ClassId) : ClassId_(ClassId) {}

TBaseFilter::~TBaseFilter() {
  if (Clock_ != nullptr) Clock_->Release();
}

STDMETHODIMP TBaseFilter::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IPersist || Iid == IID_IMediaFilter || Iid == IID_IBaseFilter) {
    *Object = static_cast<IBaseFilter*>(this);
    AddRef();
    return S_OK;
  }
  *Object = nullptr;
  return QueryFilterInterface(Iid, Object);
}

HRESULT TBaseFilter::QueryFilterInterface(REFIID, void** Object) {
  *Object = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) TBaseFilter::AddRef() { return ++Refs_; }

STDMETHODIMP_(ULONG) TBaseFilter::Release() {
  const ULONG refs = --Refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP TBaseFilter::GetClassID(CLSID* ClassId) {
  if (ClassId == nullptr) return E_POINTER;
  *ClassId = ClassId_;
  return S_OK;
}

STDMETHODIMP TBaseFilter::Stop() {
  TAutoLock lock(StateLock);
  HRESULT result = S_OK;
  if (State_.load() != State_Stopped) {
    for (int i = 0; i < GetPinCount(); ++i) {
      TBasePin* pin = GetPin(i);
      if (pin->IsConnected()) {
        const HRESULT hr = pin->Inactive();
        if (FAILED(hr) && SUCCEEDED(result)) result = hr;
      }
    }
  }
  State_.store(State_Stopped);
  return result;
}

STDMETHODIMP TBaseFilter::Pause() {
  TAutoLock lock(StateLock);
  if (State_.load() == State_Stopped) {
    for (int i = 0; i < GetPinCount(); ++i) {
      TBasePin* pin = GetPin(i);
      if (!pin->IsConnected()) continue;
      const HRESULT hr = pin->Active();
      if (FAILED(hr)) return hr;
    }
  }
  State_.store(State_Paused);
  return S_OK;
}

STDMETHODIMP TBaseFilter::Run(REFERENCE_TIME Start) {
  TAutoLock lock(StateLock);
  if (State_.load() == State_Stopped) {
    const HRESULT hr = Pause();
    if (FAILED(hr)) return hr;
  }
  Start_ = Start;
  if (State_.load() != State_Running) {
    for (int i = 0; i < GetPinCount(); ++i) {
      TBasePin* pin = GetPin(i);
      if (!pin->IsConnected()) continue;
      const HRESULT hr = pin->Run(Start);
      if (FAILED(hr)) return hr;
    }
  }
  State_.store(State_Running);
  return S_OK;
}

STDMETHODIMP TBaseFilter::GetState(DWORD, FILTER_STATE* State) {
  if (State == nullptr) return E_POINTER;
  *State = State_.load();
  return S_OK;
}

STDMETHODIMP TBaseFilter::SetSyncSource(IReferenceClock* Clock) {
  TAutoLock lock(StateLock);
  if (Clock != nullptr) Clock->AddRef();
  if (Clock_ != nullptr) Clock_->Release();
  Clock_ = Clock;
  return S_OK;
}

STDMETHODIMP TBaseFilter::GetSyncSource(IReferenceClock** Clock) {
  if (Clock == nullptr) return E_POINTER;
  TAutoLock lock(StateLock);
  *Clock = Clock_;
  if (Clock_ != nullptr) Clock_->AddRef();
  return S_OK;
}

STDMETHODIMP TBaseFilter::EnumPins(IEnumPins** Enum) { return CreatePinEnumerator(this, 0, Enum); }

STDMETHODIMP TBaseFilter::FindPin(LPCWSTR Id, IPin** Pin) {
  if (Id == nullptr || Pin == nullptr) return E_POINTER;
  TAutoLock lock(StateLock);
  for (int i = 0; i < GetPinCount(); ++i) {
    TBasePin* pin = GetPin(i);
    if (pin->Name() == Id) {
      *Pin = pin;
      pin->AddRef();
      return S_OK;
    }
  }
  *Pin = nullptr;
  return VFW_E_NOT_FOUND;
}

STDMETHODIMP TBaseFilter::QueryFilterInfo(FILTER_INFO* Info) {
  if (Info == nullptr) return E_POINTER;
  TAutoLock lock(StateLock);
  const size_t count = std::min<size_t>(Name_.size(), MAX_FILTER_NAME - 1);
  std::memcpy(Info->achName, Name_.c_str(), count * sizeof(wchar_t));
  Info->achName[count] = L'\0';
  Info->pGraph = Graph_;
  if (Graph_ != nullptr) Graph_->AddRef();
  return S_OK;
}

// The graph holds the filter, so the filter keeps no reference to the graph
// (nor to its event sink, which is the graph).
STDMETHODIMP TBaseFilter::JoinFilterGraph(IFilterGraph* Graph, LPCWSTR Name) {
  TAutoLock lock(StateLock);
  Graph_ = Graph;
  EventSink_ = nullptr;
  if (Graph != nullptr) {
    IMediaEventSink* sink = nullptr;
    if (SUCCEEDED(Graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink)))) {
      EventSink_ = sink;
      sink->Release();
    }
  }
  Name_ = Name != nullptr ? Name : L"";
  return S_OK;
}

STDMETHODIMP TBaseFilter::QueryVendorInfo(LPWSTR*) { return E_NOTIMPL; }

HRESULT TBaseFilter::StreamTime(REFERENCE_TIME& Time) {
  IReferenceClock* clock = Clock_;
  if (clock == nullptr) return VFW_E_NO_CLOCK;
  REFERENCE_TIME now = 0;
  const HRESULT hr = clock->GetTime(&now);
  if (FAILED(hr)) return hr;
  Time = now - Start_;
  return S_OK;
}

HRESULT TBaseFilter::NotifyEvent(long Code, LONG_PTR Param1, LONG_PTR Param2) {
  IMediaEventSink* sink = EventSink_;
  if (sink == nullptr) return E_NOTIMPL;
  return sink->Notify(Code, Param1, Param2);
}
