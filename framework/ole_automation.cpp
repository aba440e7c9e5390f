#include "framework/ole_automation.h"

#include "framework/late_library.h"

namespace late {

namespace {

template <class F>
F Automation(const char* Name) {
  return LateFunction<F>(L"oleaut32.dll", Name);
}

}  // namespace

BSTR SysAllocString(const wchar_t* Text) {
  static const auto F = Automation<decltype(&::SysAllocString)>("SysAllocString");
  return F ? F(Text) : nullptr;
}

void SysFreeString(BSTR Text) {
  static const auto F = Automation<decltype(&::SysFreeString)>("SysFreeString");
  if (F) F(Text);
}

HRESULT VariantClear(VARIANT* Value) {
  static const auto F = Automation<decltype(&::VariantClear)>("VariantClear");
  return F ? F(Value) : E_NOTIMPL;
}

HRESULT OleCreatePropertyFrame(HWND Owner, UINT X, UINT Y, LPCOLESTR Caption, ULONG ObjectCount,
                               IUnknown** Objects, ULONG PageCount, CLSID* Pages, LCID Locale,
                               DWORD Reserved, void* Reserved2) {
  static const auto F = Automation<decltype(&::OleCreatePropertyFrame)>("OleCreatePropertyFrame");
  return F ? F(Owner, X, Y, Caption, ObjectCount, Objects, PageCount, Pages, Locale, Reserved, Reserved2)
           : E_NOTIMPL;
}

}  // namespace late
