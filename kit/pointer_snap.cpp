#include "kit/pointer_snap.h"

#include <windows.h>

bool SnapPointerTo(const TWinControl& Window, int X, int Y) {
  BOOL Snap = FALSE;
  if (!SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &Snap, 0) || !Snap) return false;
  const TPoint At = Window.ClientToScreen({X, Y});
  return SetCursorPos(At.X, At.Y) != FALSE;
}

bool SnapPointerToCentre(const TWinControl& Window) {
  return SnapPointerTo(Window, Window.ClientWidth() / 2, Window.ClientHeight() / 2);
}
