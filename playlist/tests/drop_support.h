// A drop handle as the shell builds one, for tests of WM_DROPFILES: a
// DROPFILES header, then the wide names, each ended by a zero, and a final
// zero. The receiver releases it.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

namespace lc::playlist::testing {

// `at` is the drop point in the client area of the receiving window.
inline HDROP MakeDrop(const std::vector<std::wstring>& names, POINT at = {0, 0}) {
  std::size_t chars = 1;
  for (const std::wstring& name : names) chars += name.size() + 1;
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + chars * sizeof(wchar_t));
  auto* header = static_cast<DROPFILES*>(GlobalLock(memory));
  header->pFiles = sizeof(DROPFILES);
  header->fWide = TRUE;
  header->pt = at;
  auto* text = reinterpret_cast<wchar_t*>(header + 1);
  for (const std::wstring& name : names) {
    std::copy(name.begin(), name.end(), text);
    text += name.size() + 1;
  }
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

}  // namespace lc::playlist::testing
