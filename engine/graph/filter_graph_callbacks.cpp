// The COM face of TFilterGraph: its interfaces, the service that hands out
// the component, and the graph builder's callbacks (GUI thread, inside
// RenderFile). No exception of a handler leaves into the platform's code.
#include "engine/graph/filter_graph.h"

#include "engine/graph/graph_seeking.h"
#include "framework/ole_automation.h"

namespace {

// Reads a string value of a property bag; empty when the read fails.
std::wstring ReadBagString(IPropertyBag* Bag, const wchar_t* Name) {
  VARIANT value{};  // VT_EMPTY, as VariantInit leaves it
  std::wstring text;
  if (SUCCEEDED(Bag->Read(Name, &value, nullptr)) && value.vt == VT_BSTR && value.bstrVal != nullptr)
    text = value.bstrVal;
  late::VariantClear(&value);
  return text;
}

}  // namespace

STDMETHODIMP TFilterGraph::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IServiceProvider) {
    *Object = static_cast<IServiceProvider*>(this);
    return S_OK;
  }
  if (Iid == IID_IAMGraphBuilderCallback) {
    *Object = static_cast<IAMGraphBuilderCallback*>(this);
    return S_OK;
  }
  if (Iid == IID_IAMFilterGraphCallbackStd) {
    *Object = static_cast<IFilterGraphCallbackStd*>(this);
    return S_OK;
  }
  *Object = nullptr;
  if (!Active_) return E_NOINTERFACE;
  if (Iid == IID_IMediaSeeking) {
    // The graph's seeking, sought the way the platform's media stack
    // handles.
    if (TGraphSeeking* seeking = TGraphSeeking::Create(Graph_, FileEnd_)) {
      *Object = static_cast<IMediaSeeking*>(seeking);
      return S_OK;
    }
  }
  return QueryGraph(Iid, Object);
}

HRESULT TFilterGraph::QueryGraph(REFIID Iid, void** Object) {
  *Object = nullptr;
  HRESULT hr = E_NOINTERFACE;
  switch (Mode_) {
    case TGraphMode::gmNormal:
      break;
    case TGraphMode::gmCapture:
      if (CaptureBuilder_ != nullptr) hr = CaptureBuilder_->QueryInterface(Iid, Object);
      break;
    case TGraphMode::gmDVD:
      if (DvdBuilder_ != nullptr) {
        hr = DvdBuilder_->QueryInterface(Iid, Object);
        if (FAILED(hr)) hr = DvdBuilder_->GetDvdInterface(Iid, Object);
      }
      break;
  }
  if (FAILED(hr) && Graph_ != nullptr) hr = Graph_->QueryInterface(Iid, Object);
  return hr;
}

// The component itself, unreferenced, for the component's own service.
STDMETHODIMP TFilterGraph::QueryService(REFGUID Service, REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Service == GraphComponentService && Iid == GraphComponentService) {
    *Object = this;
    return S_OK;
  }
  *Object = nullptr;
  return E_NOINTERFACE;
}

// A moniker without a property bag is judged with an empty name and the
// null class identifier.
STDMETHODIMP TFilterGraph::SelectedFilter(IMoniker* Moniker) {
  if (!OnSelectedFilter) return S_OK;
  try {
    GUID classId = GUID_NULL;
    std::wstring name;
    IPropertyBag* bag = nullptr;
    if (Moniker != nullptr &&
        SUCCEEDED(Moniker->BindToStorage(nullptr, nullptr, IID_IPropertyBag, reinterpret_cast<void**>(&bag)))) {
      const std::wstring text = ReadBagString(bag, L"CLSID");
      if (text.empty() || FAILED(CLSIDFromString(text.c_str(), &classId))) classId = GUID_NULL;
      name = ReadBagString(bag, L"FriendlyName");
      bag->Release();
    }
    return OnSelectedFilter(Moniker, name, classId) ? S_OK : E_FAIL;
  } catch (...) {
    PostException(std::current_exception());
    return S_OK;
  }
}

STDMETHODIMP TFilterGraph::CreatedFilter(IBaseFilter* Filter) {
  if (!OnCreatedFilter) return S_OK;
  try {
    GUID classId = GUID_NULL;
    if (Filter != nullptr) Filter->GetClassID(&classId);
    return OnCreatedFilter(Filter, classId) ? S_OK : E_FAIL;
  } catch (...) {
    PostException(std::current_exception());
    return S_OK;
  }
}

// The pin's filter's graph gives, through the service, the graph component
// that asks its OnUnableToRender.
HRESULT STDMETHODCALLTYPE TFilterGraph::UnableToRender(IPin* Pin) {
  HRESULT result = S_FALSE;
  PIN_INFO pin{};
  if (Pin == nullptr || FAILED(Pin->QueryPinInfo(&pin)) || pin.pFilter == nullptr) return result;
  FILTER_INFO filter{};
  if (SUCCEEDED(pin.pFilter->QueryFilterInfo(&filter)) && filter.pGraph != nullptr) {
    IServiceProvider* provider = nullptr;
    if (SUCCEEDED(filter.pGraph->QueryInterface(IID_IServiceProvider, reinterpret_cast<void**>(&provider)))) {
      TFilterGraph* component = nullptr;
      if (SUCCEEDED(provider->QueryService(GraphComponentService, GraphComponentService,
                                           reinterpret_cast<void**>(&component))) &&
          component != nullptr && component->OnUnableToRender) {
        try {
          if (component->OnUnableToRender(Pin)) result = S_OK;
        } catch (...) {
          component->PostException(std::current_exception());
        }
      }
      provider->Release();
    }
    filter.pGraph->Release();
  }
  pin.pFilter->Release();
  return result;
}
