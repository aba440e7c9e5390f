// Linked into the program's test build only: the main window answers the
// whole-program tests' WM_QUERYOPENFILELIST with the files of the last
// hand-over it took (framework/messages.h describes the reply), and their
// WM_QUERYPLAYLISTCOUNT with the length of its playlist, their
// WM_QUERYTRANSPORT with the transport's state, their WM_QUERYPOSITION
// with the movie's position, WM_QUERYWINDOWS with the windows' modes and
// focus and WM_QUERYCOMMANDHANDLER with whether a command has a room;
// WM_QUERYFACE is face_answer.cpp's.
#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"
#include "player/handover.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_encoding.h"
#include "tests/support/face_answer.h"

namespace {

LRESULT WindowsState(TfrmMain& form) {
  LRESULT state = 0;
  if (frmVideoWindow && frmVideoWindow->FullScreen) state |= kWindowsFullScreen;
  if (form.Tag == 1) state |= kWindowsMainParked;
  if (form.Enabled()) state |= kWindowsMainEnabled;
  if (frmVideoWindow && frmVideoWindow->VideoWindow->Focused()) state |= kWindowsPictureFocus;
  if (form.Satellites.PlayList && form.Satellites.PlayList->Showing()) state |= kWindowsPlaylistShown;
  return state;
}

// The player's state as the tests read it; false for other messages.
bool AnswerStateQuery(TfrmMain& form, TMessage& message) {
  switch (message.Msg) {
    case WM_QUERYWINDOWS: message.Result = WindowsState(form); return true;
    case WM_QUERYCOMMANDHANDLER:
      message.Result = message.WParam < static_cast<WPARAM>(lc::Cmd::EndOfList) &&
                       form.HasHandler(static_cast<lc::Cmd>(message.WParam));
      return true;
    default: return false;
  }
}

// The files of the last hand-over the main window took, kept as it came:
// the main window lets go of a list once it is opened.
std::vector<std::string> lastTaken;
bool handingOver = false;

// Lets the main window take a hand-over, and keeps it when it did.
void NoteHandOver(TfrmMain& form, TMessage& message) {
  const std::size_t before = form.WaitingHandOvers.size();
  handingOver = true;
  message.Result = form.Perform(message.Msg, message.WParam, message.LParam);
  handingOver = false;
  if (form.WaitingHandOvers.size() > before) lastTaken = form.WaitingHandOvers.back();
}

bool AnswerOpenFileListQuery(TfrmMain& form, TMessage& message) {
  if (AnswerStateQuery(form, message)) return true;
  if (AnswerFaceQuery(form, message)) return true;
  if (message.Msg == WM_COPYDATA && !handingOver) {
    NoteHandOver(form, message);
    return true;
  }
  if (message.Msg == WM_QUERYPLAYLISTCOUNT) {
    message.Result = form.FirstActivationPending ? -1 : static_cast<LRESULT>(form.Playlist().Count());
    return true;
  }
  if (message.Msg == WM_QUERYTRANSPORT) {
    LRESULT state = 0;
    if (form.Commands().GraphActive()) state |= kTransportGraphActive;
    if (ShownDown(*form.BtnPlay)) state |= kTransportPlaying;
    if (ShownDown(*form.BtnPause)) state |= kTransportPaused;
    if (form.MuteFlip->State()) state |= kTransportSoundOn;
    if (lc::Program().OpeningMovie) state |= kTransportOpening;
    state |= static_cast<LRESULT>(form.VolumeBar->Position() & 0xFF) << 8;
    state |= static_cast<LRESULT>(form.Playlist().Entries().PlaylistIndex & 0xFF) << 16;
    message.Result = state;
    return true;
  }
  if (message.Msg == WM_QUERYPOSITION) {
    message.Result = form.Commands().GraphActive() ? static_cast<LRESULT>(form.ProgressBar->Position()) : -1;
    return true;
  }
  if (message.Msg != WM_QUERYOPENFILELIST) return false;
  HWND requester = reinterpret_cast<HWND>(message.WParam);
  std::string text = lc::EncodeHandoverText(lastTaken);
  COPYDATASTRUCT reply{kOpenFileListReply, static_cast<DWORD>(text.size()), text.data()};
  if (requester && IsWindow(requester))
    SendMessageW(requester, WM_COPYDATA, reinterpret_cast<WPARAM>(form.Handle()),
                 reinterpret_cast<LPARAM>(&reply));
  message.Result = static_cast<LRESULT>(lastTaken.size());
  return true;
}

const bool kInstalled = [] {
  TfrmMain::MessageHook = AnswerOpenFileListQuery;
  return true;
}();

}  // namespace
