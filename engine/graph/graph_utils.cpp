#include "engine/graph/graph_utils.h"

#include <errors.h>
#include <olectl.h>
#include <strsafe.h>

#include "engine/filters/com_helpers.h"
#include "engine/graph/error_texts.h"
#include "framework/dialogs.h"
#include "framework/late_library.h"
#include "framework/ole_automation.h"
#include "framework/unicode.h"

namespace {

TShowMessageProc& MessageProc() {
  static TShowMessageProc proc;
  return proc;
}

}  // namespace

std::wstring GetErrorString(HRESULT Code) {
  using TErrorText = DWORD(WINAPI*)(HRESULT, WCHAR*, DWORD);
  static const TErrorText ErrorText = LateFunction<TErrorText>(L"quartz.dll", "AMGetErrorTextW");
  wchar_t buffer[256] = {};
  if (ErrorText) ErrorText(Code, buffer, 255);
  return ChooseErrorText(buffer, static_cast<std::uint32_t>(Code));
}

std::wstring FormatDSError(HRESULT Code) {
  wchar_t code[16];
  StringCchPrintfW(code, 16, L"%X", static_cast<unsigned>(Code));
  return GetErrorString(Code) + L" ($" + code + L").";
}

HRESULT CheckDSError(HRESULT Code) {
  if (FAILED(Code)) throw EDirectShowException(EncodeText(FormatDSError(Code)), Code);
  return Code;
}

void SetShowMessageProc(TShowMessageProc Proc) { MessageProc() = std::move(Proc); }

void ShowGraphMessage(const std::wstring& Text) {
  if (MessageProc()) {
    MessageProc()(Text);
    return;
  }
  ShowMessage(Text);
}

HRESULT AddGraphToRot(IUnknown* Graph, DWORD& Cookie) {
  IRunningObjectTable* table = nullptr;
  HRESULT hr = GetRunningObjectTable(0, &table);
  if (FAILED(hr)) return hr;
  wchar_t name[128];
  StringCchPrintfW(name, 128, L"FilterGraph %08X pid %X", static_cast<unsigned>(reinterpret_cast<uintptr_t>(Graph)),
                static_cast<unsigned>(GetCurrentProcessId()));
  IMoniker* moniker = nullptr;
  hr = CreateItemMoniker(L"!", name, &moniker);
  if (SUCCEEDED(hr)) {
    hr = table->Register(0, Graph, moniker, &Cookie);
    moniker->Release();
  }
  table->Release();
  return hr;
}

HRESULT RemoveGraphFromRot(DWORD Cookie) {
  IRunningObjectTable* table = nullptr;
  HRESULT hr = GetRunningObjectTable(0, &table);
  if (FAILED(hr)) return hr;
  hr = table->Revoke(Cookie);
  table->Release();
  return hr;
}

TFilterList::TFilterList(IFilterGraph* Graph) : Graph_(Graph) {
  IEnumFilters* filters = nullptr;
  if (Graph == nullptr || FAILED(Graph->EnumFilters(&filters))) return;
  IBaseFilter* filter = nullptr;
  while (filters->Next(1, &filter, nullptr) == S_OK) Items_.push_back(filter);
  filters->Release();
}

TFilterList::~TFilterList() {
  for (IBaseFilter* filter : Items_) filter->Release();
}

int TFilterList::Add(IBaseFilter* Filter) {
  Filter->AddRef();
  Items_.push_back(Filter);
  return Count() - 1;
}

namespace {
// The IUnknown identity of an interface.
IUnknown* Identity(IUnknown* Object) {
  IUnknown* unknown = nullptr;
  if (Object == nullptr || FAILED(Object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown))))
    return nullptr;
  unknown->Release();
  return unknown;
}
}  // namespace

int TFilterList::Remove(IBaseFilter* Filter) {
  IUnknown* wanted = Identity(Filter);
  for (size_t i = 0; i < Items_.size(); ++i) {
    if (Identity(Items_[i]) != wanted) continue;
    Items_[i]->Release();
    Items_.erase(Items_.begin() + static_cast<std::ptrdiff_t>(i));
    return static_cast<int>(i);
  }
  return -1;
}

TPinList::TPinList(IBaseFilter* Filter) : Filter_(Filter), Items_(PinsOf(Filter)) {}

TPinList::~TPinList() {
  for (IPin* pin : Items_) pin->Release();
}

int TPinList::Add(IPin* Pin) {
  Pin->AddRef();
  Items_.push_back(Pin);
  return Count() - 1;
}

namespace {

HRESULT ShowOwnPages(HWND Parent, IBaseFilter* Filter) {
  ISpecifyPropertyPages* specify = nullptr;
  HRESULT hr = Filter->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(&specify));
  if (FAILED(hr)) return hr;
  CAUUID pages{};
  hr = specify->GetPages(&pages);
  specify->Release();
  if (FAILED(hr)) return hr;
  FILTER_INFO info{};
  hr = Filter->QueryFilterInfo(&info);
  if (SUCCEEDED(hr)) {
    IUnknown* object = Filter;
    hr = late::OleCreatePropertyFrame(Parent, 0, 0, info.achName, 1, &object, pages.cElems, pages.pElems, 0, 0,
                                nullptr);
    if (info.pGraph != nullptr) info.pGraph->Release();
  }
  CoTaskMemFree(pages.pElems);
  return hr;
}

}  // namespace

HRESULT ShowFilterPropertyPage(HWND Parent, IBaseFilter* Filter, int Kind) {
  if (Filter == nullptr) return S_FALSE;
  if (Kind == 0) return ShowOwnPages(Parent, Filter);
  HRESULT hr = S_FALSE;
  if (Kind >= 1 && Kind <= 3) {
    static const int kDialogs[] = {VfwCaptureDialog_Display, VfwCaptureDialog_Format, VfwCaptureDialog_Source};
    IAMVfwCaptureDialogs* dialogs = nullptr;
    hr = Filter->QueryInterface(IID_IAMVfwCaptureDialogs, reinterpret_cast<void**>(&dialogs));
    if (FAILED(hr)) return hr;
    const int dialog = kDialogs[Kind - 1];
    hr = dialogs->HasDialog(dialog);
    if (hr == S_OK) hr = dialogs->ShowDialog(dialog, Parent);
    dialogs->Release();
  } else if (Kind == 4 || Kind == 5) {
    IAMVfwCompressDialogs* dialogs = nullptr;
    hr = Filter->QueryInterface(IID_IAMVfwCompressDialogs, reinterpret_cast<void**>(&dialogs));
    if (FAILED(hr)) return hr;
    const int query = Kind == 4 ? VfwCompressDialog_QueryConfig : VfwCompressDialog_QueryAbout;
    const int show = Kind == 4 ? VfwCompressDialog_Config : VfwCompressDialog_About;
    hr = dialogs->ShowDialog(query, nullptr);
    if (hr == S_OK) hr = dialogs->ShowDialog(show, Parent);
    dialogs->Release();
  }
  return hr;
}
