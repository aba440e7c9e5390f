// The platform's automation functions that the media framework's code needs
// (strings handed to its objects, property-bag values, filter property
// pages), looked up when first called instead of imported (late_library.h):
// they serve only once a movie or a media file is opened, and the process
// start, which the user waits for, does not load their library. Any thread
// (each function is looked up once, by the first call).
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <olectl.h>

namespace late {

// As the platform's functions of the same names; when the library cannot
// be loaded, SysAllocString gives nullptr and the others fail with
// E_NOTIMPL (SysFreeString does nothing).
BSTR SysAllocString(const wchar_t* Text);
void SysFreeString(BSTR Text);
HRESULT VariantClear(VARIANT* Value);
HRESULT OleCreatePropertyFrame(HWND Owner, UINT X, UINT Y, LPCOLESTR Caption, ULONG ObjectCount,
                               IUnknown** Objects, ULONG PageCount, CLSID* Pages, LCID Locale,
                               DWORD Reserved, void* Reserved2);

}  // namespace late
