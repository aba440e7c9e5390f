// The platform's mouse option that moves the pointer onto the default
// button of a dialog as it appears: the dialogs and tool windows honour it
// by moving the pointer onto their own default place when shown or
// activated. GUI thread.
#pragma once

#include "framework/controls.h"

// When the option is on, moves the pointer to the client point (X, Y) of
// Window; otherwise does nothing. True when the pointer was moved.
bool SnapPointerTo(const TWinControl& Window, int X, int Y);

// The same, to the centre of Window's client area.
bool SnapPointerToCentre(const TWinControl& Window);
