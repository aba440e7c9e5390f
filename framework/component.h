// The base of the framework's named objects, the shapes of its events and
// the message record that window procedures pass around.
#pragma once

#include <functional>
#include <string>

#include <windows.h>

#include "framework/types.h"

// Base of every named object of the framework.
class TComponent {
 public:
  virtual ~TComponent() = default;
  std::wstring Name;
  // Free for the owner's use (the player marks open dialogs with it).
  int Tag = 0;
};

using TNotifyEvent = std::function<void(TComponent* Sender)>;
using TMouseEvent =
    std::function<void(TComponent* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TComponent* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TComponent* Sender, WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TComponent* Sender, wchar_t& Key)>;

// One window message as the window procedure received it; handlers set
// Result.
struct TMessage {
  HWND Wnd;
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// The modifier keys and mouse buttons held now (from the keyboard state):
// the shift state of every key event.
TShiftState KeyboardShiftState();
