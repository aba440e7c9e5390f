// Private messages of the main window (TfrmMain) that other processes send.
#pragma once

#include <windows.h>

// Sent by test programs to the main window: it answers by sending its
// OpenFileList, the files last handed over by a second instance, to the
// window in wParam as WM_COPYDATA with dwData kOpenFileListReply, each name
// followed by the character of code 1 (8-bit text of the system code page).
// The message's result is the number of names.
constexpr UINT WM_QUERYOPENFILELIST = WM_APP + 0x120;
constexpr ULONG_PTR kOpenFileListReply = 0x4C43;
