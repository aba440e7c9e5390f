#include "framework/hotkey.h"

#include <commctrl.h>

namespace {

constexpr std::uint16_t kShift = 0x2000;
constexpr std::uint16_t kCtrl = 0x4000;
constexpr std::uint16_t kAlt = 0x8000;

}  // namespace

THotKey::THotKey(TWinControl* Parent) : TStdControl(Parent) {
  RegisterCommonControls(ICC_HOTKEY_CLASS);
  SetColor(clWhite);
  CreateControl(HOTKEY_CLASSW, WS_TABSTOP, WS_EX_CLIENTEDGE, Bounds(0, 0, 121, 19));
}

// The control holds the key in the low byte and HOTKEYF_ flags in the high
// byte.
std::uint16_t THotKey::HotKey() const {
  if (!HandleAllocated()) return 0;
  const WORD Value = LOWORD(SendMessageW(Handle(), HKM_GETHOTKEY, 0, 0));
  const BYTE Key = LOBYTE(Value);
  if (Key == 0) return 0;
  const BYTE Flags = HIBYTE(Value);
  std::uint16_t ShortCut = Key;
  if (Flags & HOTKEYF_SHIFT) ShortCut |= kShift;
  if (Flags & HOTKEYF_CONTROL) ShortCut |= kCtrl;
  if (Flags & HOTKEYF_ALT) ShortCut |= kAlt;
  return ShortCut;
}

void THotKey::SetHotKey(std::uint16_t ShortCut) {
  if (!HandleAllocated()) return;
  BYTE Flags = 0;
  if (ShortCut & kShift) Flags |= HOTKEYF_SHIFT;
  if (ShortCut & kCtrl) Flags |= HOTKEYF_CONTROL;
  if (ShortCut & kAlt) Flags |= HOTKEYF_ALT;
  SendMessageW(Handle(), HKM_SETHOTKEY, MAKEWORD(ShortCut & 0xFF, Flags), 0);
}

void THotKey::Notify(WORD Code) {
  if (Code == EN_CHANGE) Change();
}
