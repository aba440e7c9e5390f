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

namespace {

// A second start waits for the running instance to take its files: the
// first may still be starting (two files opened together from a file
// manager start two players at the same instant).
constexpr DWORD kHandOverPollMs = 100;

// Restores and brings to the front the running instance's application
// window; false while there is none.
bool BringRunningInstanceForward(const std::vector<TWindowListEntry>& windows, const std::wstring& lower,
                                 HWND ownAppWindow) {
  for (const TWindowListEntry& w : windows) {
    if (w.ClassName != L"TApplication" || w.Title.compare(0, lower.size(), lower) != 0 || w.Handle == ownAppWindow)
      continue;
    if (IsIconic(w.Handle)) SendMessageW(w.Handle, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(w.Handle);
    return true;
  }
  return false;
}

// Sends the text to the running instance's visible main window; true when
// the window took it.
bool SendToMainWindow(const std::vector<TWindowListEntry>& windows, const std::wstring& mainTitle,
                      HWND ownAppWindow, std::string& text, DWORD waitMs) {
  for (const TWindowListEntry& w : windows) {
    if (w.ClassName != L"TfrmMain" || w.Title != mainTitle || !IsWindowVisible(w.Handle)) continue;
    COPYDATASTRUCT data = {};
    data.dwData = 0;
    data.cbData = static_cast<DWORD>(text.size());
    data.lpData = text.data();
    DWORD_PTR taken = 0;
    return SendMessageTimeoutW(w.Handle, WM_COPYDATA, reinterpret_cast<WPARAM>(ownAppWindow),
                               reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, waitMs, &taken) &&
           taken != 0;
  }
  return false;
}

}  // namespace

bool HandOverToRunningInstance(const std::wstring& appName, HWND ownAppWindow,
                               const std::vector<std::wstring>& args, DWORD waitMs) {
  const std::wstring lower = Lower(appName);
  if (args.empty()) {
    BringRunningInstanceForward(RefreshWindowList(), lower, ownAppWindow);
    return true;
  }
  std::vector<std::string> utf8;
  for (const std::wstring& a : args) utf8.push_back(EncodeText(a));
  std::string text = EncodeHandoverText(utf8);
  const std::wstring mainTitle = lower + L"mainwindow";
  bool forward = false;
  for (const DWORD start = GetTickCount();; Sleep(kHandOverPollMs)) {
    const std::vector<TWindowListEntry> windows = RefreshWindowList();
    if (!forward) forward = BringRunningInstanceForward(windows, lower, ownAppWindow);
    if (SendToMainWindow(windows, mainTitle, ownAppWindow, text, waitMs)) return true;
    if (GetTickCount() - start >= waitMs) return false;
  }
}

std::wstring HandOverFailedText(const std::wstring& appName, const std::wstring& notTaken,
                                const std::vector<std::wstring>& args) {
  constexpr std::size_t kNamesShown = 10;
  std::wstring text = appName + L" " + notTaken;
  for (std::size_t i = 0; i < args.size() && i < kNamesShown; ++i) text += L"\r\n\"" + args[i] + L"\"";
  if (args.size() > kNamesShown) text += L"\r\n...";
  return text;
}

}  // namespace lc
