#include "engine/graph/graph_site.h"

#include <string>

#include "engine/graph/filter_graph.h"
#include "framework/messages.h"
#include "framework/ole_automation.h"

// {56A868FD-0AD4-11CE-B0A3-0020AF0BA770}
const IID IID_IAMFilterGraphCallbackStd = {0x56A868FD, 0x0AD4, 0x11CE, {0xB0, 0xA3, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

namespace {

// A callback carried to the GUI thread: the calling thread waits in
// SendMessage while the GUI thread runs it.
struct TSentCall {
  std::atomic<TFilterGraph*>* Owner;
  const std::function<HRESULT(TFilterGraph&)>* Call;
  HRESULT Result;
};

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

TGraphSite::TGraphSite(TFilterGraph* Owner, HWND Window) : Owner_(Owner), Window_(Window) {}

LRESULT TGraphSite::RunSentCall(LPARAM Call) {
  auto* call = reinterpret_cast<TSentCall*>(Call);
  if (TFilterGraph* owner = call->Owner->load()) call->Result = (*call->Call)(*owner);
  return 0;
}

HRESULT TGraphSite::OnGuiThread(const std::function<HRESULT(TFilterGraph&)>& Call, HRESULT Default) {
  TSentCall call{&Owner_, &Call, Default};
  if (Owner_.load() != nullptr) SendMessageW(Window_, WM_GRAPHCALLBACK, 0, reinterpret_cast<LPARAM>(&call));
  return call.Result;
}

STDMETHODIMP TGraphSite::QueryInterface(REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  if (Iid == IID_IUnknown || Iid == IID_IServiceProvider)
    *Object = static_cast<IServiceProvider*>(this);
  else if (Iid == IID_IAMGraphBuilderCallback)
    *Object = static_cast<IAMGraphBuilderCallback*>(this);
  else if (Iid == IID_IAMFilterGraphCallbackStd)
    *Object = static_cast<IFilterGraphCallbackStd*>(this);
  else
    *Object = nullptr;
  if (*Object == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) TGraphSite::AddRef() { return ++Refs_; }

STDMETHODIMP_(ULONG) TGraphSite::Release() {
  const ULONG refs = --Refs_;
  if (refs == 0) delete this;
  return refs;
}

STDMETHODIMP TGraphSite::QueryService(REFGUID Service, REFIID Iid, void** Object) {
  if (Object == nullptr) return E_POINTER;
  *Object = nullptr;
  TFilterGraph* owner = Owner_.load();
  return owner != nullptr ? owner->QueryService(Service, Iid, Object) : E_NOINTERFACE;
}

// The moniker's name and class are read on the calling thread; a moniker
// without a property bag is judged with an empty name and the null class
// identifier.
STDMETHODIMP TGraphSite::SelectedFilter(IMoniker* Moniker) {
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
  return OnGuiThread([&](TFilterGraph& Owner) { return Owner.SelectedFilter(Moniker, name, classId); }, S_OK);
}

STDMETHODIMP TGraphSite::CreatedFilter(IBaseFilter* Filter) {
  GUID classId = GUID_NULL;
  if (Filter != nullptr) Filter->GetClassID(&classId);
  return OnGuiThread([&](TFilterGraph& Owner) { return Owner.CreatedFilter(Filter, classId); }, S_OK);
}

HRESULT STDMETHODCALLTYPE TGraphSite::UnableToRender(IPin* Pin) {
  return OnGuiThread([&](TFilterGraph& Owner) { return Owner.UnableToRender(Pin); }, S_FALSE);
}
