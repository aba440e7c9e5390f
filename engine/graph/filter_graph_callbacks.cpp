// The COM face of TFilterGraph: its interfaces, the service that hands out
// the component, and the handlers of the graph builder's callbacks (GUI
// thread: the graph's site, graph_site.h, carries them there). No
// exception of a handler leaves into the platform's code.
#include "engine/graph/filter_graph.h"

#include "engine/graph/graph_seeking.h"

STDMETHODIMP TFilterGraph::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IServiceProvider) {
    *Object = static_cast<IServiceProvider*>(this);
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

HRESULT TFilterGraph::SelectedFilter(IMoniker* Moniker, const std::wstring& Name, const GUID& ClassId) {
  if (!OnSelectedFilter) return S_OK;
  try {
    return OnSelectedFilter(Moniker, Name, ClassId) ? S_OK : E_FAIL;
  } catch (...) {
    PostException(std::current_exception());
    return S_OK;
  }
}

HRESULT TFilterGraph::CreatedFilter(IBaseFilter* Filter, const GUID& ClassId) {
  if (!OnCreatedFilter) return S_OK;
  try {
    return OnCreatedFilter(Filter, ClassId) ? S_OK : E_FAIL;
  } catch (...) {
    PostException(std::current_exception());
    return S_OK;
  }
}

HRESULT TFilterGraph::UnableToRender(IPin* Pin) {
  if (!OnUnableToRender) return S_FALSE;
  try {
    return OnUnableToRender(Pin) ? S_OK : S_FALSE;
  } catch (...) {
    PostException(std::current_exception());
    return S_FALSE;
  }
}
