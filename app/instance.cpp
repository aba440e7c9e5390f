#include "app/instance.h"

#include <string>

#include "framework/unicode.h"
#include "player/handover.h"

namespace lc {

namespace {

std::wstring Lower(std::wstring s) {
  if (!s.empty()) CharLowerBuffW(s.data(), static_cast<DWORD>(s.size()));
  return s;
}

BOOL CALLBACK CollectWindow(HWND wnd, LPARAM lp) {
  auto* list = reinterpret_cast<std::vector<TWindowListEntry>*>(lp);
  wchar_t title[255] = {}, cls[255] = {};
  GetWindowTextW(wnd, title, 255);
  GetClassNameW(wnd, cls, 255);
  list->push_back({Lower(title), wnd, cls});
  return TRUE;
}

}  // namespace

std::vector<TWindowListEntry> RefreshWindowList() {
  std::vector<TWindowListEntry> list;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&list));
  return list;
}

bool InstanceMarkerExisted(const std::wstring& appName) {
  // The handle is deliberately never closed: the marker lives as long as
  // this process.
  HANDLE marker = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READONLY, 0, 32, appName.c_str());
  return marker != nullptr && GetLastError() == ERROR_ALREADY_EXISTS;
}

void HandOverToRunningInstance(const std::wstring& appName, HWND ownAppWindow,
                               const std::vector<std::wstring>& args) {
  const std::vector<TWindowListEntry> windows = RefreshWindowList();
  const std::wstring lower = Lower(appName);

  for (const TWindowListEntry& w : windows) {
    if (w.ClassName != L"TApplication" || w.Title.compare(0, lower.size(), lower) != 0 || w.Handle == ownAppWindow)
      continue;
    if (IsIconic(w.Handle)) SendMessageW(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(w.Handle);
    break;
  }
  if (args.empty()) return;

  const std::wstring mainTitle = lower + L"mainwindow";
  for (const TWindowListEntry& w : windows) {
    if (w.ClassName != L"TfrmMain" || w.Title != mainTitle || !IsWindowVisible(w.Handle)) continue;
    std::vector<std::string> ansi;
    for (const std::wstring& a : args) ansi.push_back(EncodeText(a, CP_ACP));  // the receiver reads 8-bit text
    std::string text = BuildHandoverText(ansi);
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = text.data();
    SendMessageW(w.Handle, WM_COPYDATA, reinterpret_cast<WPARAM>(ownAppWindow), reinterpret_cast<LPARAM>(&data));
    return;
  }
}

}  // namespace lc
