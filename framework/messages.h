// Every private window message of the program, in one place. Each entry
// names who sends it and who receives it. WM_APP + n messages are private
// to a window class; WM_USER + n ones are also sent by other processes.
#pragma once

#include <windows.h>

// DirectShow's media-event interface posts it to the graph component's
// hidden event window when graph events are pending.
constexpr UINT WM_GRAPHNOTIFY = WM_APP + 1;

// Posted by the video control (TDSVideoWindowEx2) to itself when one of its
// repaint operations or the mixer's key colour report comes from another
// thread; it does the work on the GUI thread. wParam: 0 repaint the
// picture, 1 the on-screen display band, 2 the subtitle band, 3 announce
// the key colour (OnColorKeyChanged).
constexpr UINT WM_VIDEOREPAINT = WM_APP + 2;

// Posted by the graph component (TFilterGraph) to its own event window when
// an exception was caught in a handler that ran on another thread or
// inside a platform call (the audio processor's handlers, the graph
// builder's callbacks); the window hands the queued exceptions to
// OnException on the GUI thread.
constexpr UINT WM_GRAPHEXCEPTION = WM_APP + 3;

// Posted by the graph component (TFilterGraph) to its own event window when
// the graph's worker thread reports a change of state that failed; the
// window raises the component's OnGraphStateFailed on the GUI thread.
constexpr UINT WM_GRAPHSTATEFAILED = WM_APP + 8;

// Sent by a graph's site (TGraphSite) from the graph's own threads to the
// graph component's event window, which runs the graph builder's callback
// whose call LParam points to on the GUI thread while the sender waits.
constexpr UINT WM_GRAPHCALLBACK = WM_APP + 9;

// Posted by the video control's surface (TVideoSurface) to its own message
// window when a frame or a new placement was composed on another thread
// (the renderer's streaming thread); the GUI thread copies the composed
// picture to the control's window.
constexpr UINT WM_VIDEOSURFACESHOW = WM_APP + 4;

// Posted by the application object (TApplication) to its own window and
// taken back from the queue a moment later, never dispatched: the message a
// thread took last dates the focus requests the platform makes for it, and
// these date the requests that move the keyboard (TApplication's
// AskDisplayForKeyboard).
constexpr UINT WM_DATEFOCUSREQUEST = WM_APP + 5;

// Posted by the walk over a long fragmented MP4 (TFragmentsWalk,
// engine/graph/movie_file_timing.h) from its own thread to the graph
// component's event window (TFilterGraph) once it has found where the
// movie's samples end; the component takes that length on the GUI thread.
constexpr UINT WM_FRAGMENTSWALKED = WM_APP + 6;

// Sent by outside remote-control programs to the main window (TfrmMain),
// command code 1..74 in wParam. The program never sends it itself.
constexpr UINT WM_REMOTECOMMAND = WM_USER + 2000;

// Posted by the main window (TfrmMain) to itself when a second instance
// has handed over its files (WM_COPYDATA): the files are opened once the
// sender, which waits for WM_COPYDATA to return, has been let go.
constexpr UINT WM_OPENHANDOVER = WM_APP + 0x130;

// Posted by the main window (TfrmMain) to itself when a subtitle search
// began to keep what it saw of the folders: once the operation that
// searched has ended, the folders are read afresh.
constexpr UINT WM_FORGETFOLDERS = WM_APP + 0x131;

// The framework sends these to a window's own window procedure: the mouse
// entered the window (first mouse move after it was outside) and the mouse
// left it (after the platform's WM_MOUSELEAVE). Receivers: every form and
// control; the skinned windows clear their widgets' hover state on leave.
constexpr UINT CM_BASE = WM_APP + 0x3000;
constexpr UINT CM_MOUSEENTER = CM_BASE + 0x13;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 0x14;

// The application's message loop sends it to the focused control before
// it dispatches the WM_KEYDOWN (or, with Alt held, WM_SYSKEYDOWN) of Tab,
// Enter, Escape or an arrow key; wParam is the virtual key. A non-zero result tells that the control
// wants the key itself (the video control claims Escape and the arrows);
// the key is then delivered as usual (the framework has no dialog
// navigation that could take it away).
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 0x0E;

// A parent window reflects these notifications of its child controls to
// the child as CN_BASE + the message (same parameters), so each control
// class handles its own: WM_COMMAND (TCheckBox turns BN_CLICKED into its
// click, the list, combo and edit classes their changes), WM_NOTIFY (the
// page control's tab change), WM_HSCROLL and WM_VSCROLL (the track bar),
// WM_DRAWITEM (owner-drawn list boxes) and the WM_CTLCOLOR messages (the
// standard controls' colours; the child's result is the brush).
constexpr UINT CN_BASE = CM_BASE;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;

// Sent by test programs to the main window (TfrmMain) of the program's test
// build (never answered by the shipped program): it answers by
// sending the files of the last hand-over it took from a second instance
// to the window in wParam as WM_COPYDATA with dwData kOpenFileListReply,
// each name followed by the character of code 1, in the form a second
// instance hands names over (player/handover.h). The message's result is
// the number of names.
constexpr UINT WM_QUERYOPENFILELIST = WM_APP + 0x120;
constexpr ULONG_PTR kOpenFileListReply = 0x4C43;

// Sent by test programs to the main window (TfrmMain) of the program's test
// build (never answered by the shipped program): the result is the number
// of playlist entries, or -1 until the main window's first activation has
// ended (before it, hand-overs and the shell's macros are dropped).
constexpr UINT WM_QUERYPLAYLISTCOUNT = WM_APP + 0x121;

// Sent by test programs to the main window of the program's test build
// (never answered by the shipped program): the transport as the main window
// shows it, as the flags below with the volume bar's position (0..20) in
// bits 8..15 and the playlist's current entry (-1: 255) in bits 16..23.
constexpr UINT WM_QUERYTRANSPORT = WM_APP + 0x122;
constexpr LRESULT kTransportGraphActive = 1;
constexpr LRESULT kTransportPlaying = 2;  // the Play button shown down
constexpr LRESULT kTransportPaused = 4;   // the Pause button shown down
constexpr LRESULT kTransportSoundOn = 8;  // the mute switch lets sound through
constexpr LRESULT kTransportOpening = 16; // a movie is being opened

// Sent by test programs to the main window of the program's test build
// (never answered by the shipped program): the movie's position in
// milliseconds as the seek bar shows it, or -1 while no graph is active.
constexpr UINT WM_QUERYPOSITION = WM_APP + 0x123;

// Sent by test programs to the main window of the program's test build
// (never answered by the shipped program): the windows as the user meets
// them, as the flags below.
constexpr UINT WM_QUERYWINDOWS = WM_APP + 0x124;
constexpr LRESULT kWindowsFullScreen = 1;     // the video window is full screen
constexpr LRESULT kWindowsMainParked = 2;     // the main window is behind the video (Tag 1)
constexpr LRESULT kWindowsMainEnabled = 4;    // the main window takes input
constexpr LRESULT kWindowsPictureFocus = 8;   // the video control has the keyboard focus
constexpr LRESULT kWindowsPlaylistShown = 16; // the playlist window is showing

// Sent by test programs to the main window of the program's test build
// (never answered by the shipped program): 1 when the command whose number
// (its place in lc::Cmd) is wParam has a room that runs it, else 0.
constexpr UINT WM_QUERYCOMMANDHANDLER = WM_APP + 0x125;

// Sent by test programs to the main window of the program's test build
// (never answered by the shipped program): it answers by sending what its
// windows show (tests/support/face_answer.cpp lists it) to the window in
// wParam as WM_COPYDATA with dwData kFaceReply: UTF-8 lines of a name, "="
// and the value, each ended by a line feed.
constexpr UINT WM_QUERYFACE = WM_APP + 0x12A;
constexpr ULONG_PTR kFaceReply = 0x4C46;
