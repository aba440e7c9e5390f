#pragma once

#include <span>

#include <windows.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "kit/snap.h"

// What a title bar would give a borderless window: moving it by its face,
// magnetic snapping to the other player windows and the screen edges, the
// main window's docked satellites, and the monitor that shows a window.
// GUI thread only.

// Runs the platform's move loop for Form as if its caption were dragged
// (returns when the mouse is released). Full-window dragging is switched on
// for the loop and the user's setting is restored afterwards on every path.
void StartWindowDrag(TWinControl& Form);

// Snaps the change proposed by a WM_WINDOWPOSCHANGING message (Msg.LParam
// points at its WINDOWPOS) in place: to the visible, enabled Targets (null
// entries are skipped), then to the screen edges: the whole virtual desktop
// when UseDesktop, else the primary work area. A change of the form's size
// is a sizing (only snapped edges move), otherwise a move.
void SnapWindow(TWinControl& Form, TMessage& Msg, std::span<TForm* const> Targets,
                bool UseDesktop);

// The main window's variant: always a move; the visible, undocked entries
// of Docked attract it; afterwards, unless the change carries an insert-after
// window, every visible docked entry is moved by its offsets from the new
// position (from the last entry to the first).
void SnapWindowWithDocked(TWinControl& Form, TMessage& Msg,
                          std::span<TDockedWindow> Docked, bool UseDesktop);

// Decides for every entry with a form whether it is docked to Main and
// stores its offsets (at the start of a move of the main window).
void DecideDocking(TWinControl& Main, std::span<TDockedWindow> Table);

// The monitor that shows the window: the platform's nearest monitor, found
// in Screen's monitor list; when the list has no such entry, the primary
// monitor.
TMonitor GetWindowMonitor(HWND Handle);
