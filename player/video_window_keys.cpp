// TfrmVideoWindow's keyboard and drops: the video control takes the keys
// while it has the focus (in full screen, after a click on the picture,
// with the main window parked behind the video) and hands them to the main
// window's two key tables, so a key does the same whichever of the two
// windows has the focus.
#include "player/video_window.h"

#include <shellapi.h>

#include "framework/messages.h"
#include "player/main_form.h"

namespace {

// The keys of the Escape and arrow table.
bool IsSpecialKey(WPARAM Key) { return Key == VK_ESCAPE || (Key >= VK_LEFT && Key <= VK_DOWN); }

}  // namespace

void TfrmVideoWindow::VideoWindowWndProc(TMessage& M) {
  if (M.Msg == CM_WANTSPECIALKEY && IsSpecialKey(M.WParam) && frmMain) {
    // Only the modifier keys count here, not the mouse buttons.
    WORD Key = static_cast<WORD>(M.WParam);
    frmMain->SpecialKeyExecute(Key, KeyboardShiftState() & (ssShift | ssAlt | ssCtrl));
  } else if (M.Msg == WM_CONTEXTMENU && M.LParam == -1) {
    // The context-menu key has already opened the menu at the mouse.
    M.Result = 0;
    return;
  }
  OldVideoWndProc(M);
}

void TfrmVideoWindow::VideoWindowKeyDown(WORD& Key, TShiftState Shift) {
  if (!frmMain) return;
  if (Key == VK_F4 && Shift == ssAlt && FullScreen) {
    Key = 0;
    frmMain->Close();
    return;
  }
  if (Key == VK_APPS) frmMain->PopupMenuAtMouse();
  frmMain->ExecuteKeyCommand(Key, Shift);
}

void TfrmVideoWindow::AcceptFiles(TMessage& M) {
  if (frmMain)
    frmMain->Perform(WM_DROPFILES, M.WParam, M.LParam);
  else
    DragFinish(reinterpret_cast<HDROP>(M.WParam));
  M.Result = 0;
}
