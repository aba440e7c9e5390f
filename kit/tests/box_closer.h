// The skinned message box is modal: a test arms a timer before the call
// that shows it, and the timer reads the box's text and closes it with
// Escape as soon as it is up.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "kit/message_box.h"

namespace lc::testing {

// The texts of the boxes closed so far, in order; the test clears it.
inline std::vector<std::wstring>& ClosedBoxes() {
  static std::vector<std::wstring> Texts;
  return Texts;
}

inline void CALLBACK CloseShownBox(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  ClosedBoxes().push_back(frmMessage->Text());
  wchar_t Key = 27;
  frmMessage->FormKeyPress(Key);
}

// Closes the next box that shows (looked for every 50 ms).
inline void CloseNextBox() { SetTimer(nullptr, 0, 50, CloseShownBox); }

}  // namespace lc::testing
