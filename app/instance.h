// Single instance: a named marker tells a second start that the player runs
// already; the second start then restores the running player and hands it
// its command line in one WM_COPYDATA message.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace lc {

// One top-level window of the desktop.
struct TWindowListEntry {
  std::wstring Title;  // lower-cased, at most 254 characters
  HWND Handle = nullptr;
  std::wstring ClassName;  // at most 254 characters
};

// Every top-level window, in the platform's order.
std::vector<TWindowListEntry> RefreshWindowList();

// Creates the marker named `appName` (kept open for the life of the
// process); true when another process had created it already.
bool InstanceMarkerExisted(const std::wstring& appName);

// The second start's part: restores and brings to the front the running
// instance's application window (class "TApplication", title beginning
// with the lower-cased base name, not `ownAppWindow`), then hands the
// arguments to its visible main window. A running instance that is still
// starting (no main window yet, or one that refuses the files until its
// first activation has ended), busy, or closing (it refuses the files too)
// is waited for, up to `waitMs`. True when the files were taken (or there were none); false when
// the running instance never took them.
bool HandOverToRunningInstance(const std::wstring& appName, HWND ownAppWindow,
                               const std::vector<std::wstring>& args, DWORD waitMs = 10000);

// What the second start tells the user when it gave up: the program's name,
// `notTaken` (the text table's "is running but did not take these files:")
// and the files that were not handed over (the first ten).
std::wstring HandOverFailedText(const std::wstring& appName, const std::wstring& notTaken,
                                const std::vector<std::wstring>& args);

}  // namespace lc
