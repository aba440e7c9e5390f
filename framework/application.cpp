#include "framework/application.h"

#include <cwchar>

#include "framework/exceptions.h"
#include "framework/hintwindow.h"
#include "framework/messages.h"

namespace {

constexpr UINT_PTR kHintShowTimer = 1;
constexpr UINT_PTR kHintHideTimer = 2;
constexpr UINT_PTR kKeyboardAgainTimer = 3;
// Milliseconds after a pass or a give-back at which the window that took
// the keyboard asks the display for it once more (see AskKeyboardAgain).
constexpr UINT kKeyboardAgainPause = 150;
// Milliseconds between the two dates of the requests that move the
// keyboard (see AskDisplayForKeyboard).
constexpr DWORD kFocusDateSpread = 25;

}  // namespace

std::string ExceptionMessage(std::exception_ptr E) {
  try {
    if (E) std::rethrow_exception(E);
  } catch (const std::exception& Ex) {
    return Ex.what();
  } catch (...) {
    return "Unknown exception";
  }
  return {};
}

// The title starts as the executable's file name without its extension.
TApplication::TApplication() {
  wchar_t Path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, Path, MAX_PATH);
  std::wstring Name = Path;
  Name = Name.substr(Name.find_last_of(L"\\/") + 1);
  FTitle = Name.substr(0, Name.find_last_of(L'.'));
}

TApplication::~TApplication() {
  FHintWindow.reset();
  while (!FForms.empty()) FForms.pop_back();  // newest first
  if (FHandle) DestroyWindow(FHandle);
}

HWND TApplication::Handle() {
  if (FHandle) return FHandle;
  static const wchar_t* kClass = L"TApplication";
  WNDCLASSEXW WC{};
  WC.cbSize = sizeof(WC);
  WC.lpfnWndProc = &AppWndProc;
  WC.hInstance = GetModuleHandleW(nullptr);
  WC.hIcon = LoadIconW(WC.hInstance, L"MAINICON");
  WC.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  WC.lpszClassName = kClass;
  RegisterClassExW(&WC);
  int X = GetSystemMetrics(SM_CXSCREEN) / 2;
  int Y = GetSystemMetrics(SM_CYSCREEN) / 2;
  FHandle = CreateWindowExW(0, kClass, FTitle.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            X, Y, 0, 0, nullptr, nullptr, WC.hInstance, nullptr);
  if (!FHandle) throw EOSError("The application window cannot be created");
  return FHandle;
}

void TApplication::SetTitle(const std::wstring& Title) {
  FTitle = Title;
  if (FHandle) SetWindowTextW(FHandle, FTitle.c_str());
}

void TApplication::AdoptForm(std::unique_ptr<TForm> Form) {
  if (!FMainForm) FMainForm = Form.get();
  FForms.push_back(std::move(Form));
}

// -------------------------------------------------------- message loop

namespace {

// Keys a control may claim before anything else sees them (CM_WANTSPECIALKEY).
bool IsSpecialKey(WPARAM Key) {
  switch (Key) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_RETURN: case VK_ESCAPE: case VK_EXECUTE: case VK_CANCEL:
      return true;
    default:
      return false;
  }
}

}  // namespace

void TApplication::DispatchOne(MSG& Msg) {
  try {
    if ((Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) && IsSpecialKey(Msg.wParam))
      if (TWinControl* Control = TWinControl::FindControl(Msg.hwnd))
        Control->Perform(CM_WANTSPECIALKEY, Msg.wParam, Msg.lParam);
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::HandleMessage() {
  MSG Msg;
  BOOL R = GetMessageW(&Msg, nullptr, 0, 0);
  if (R == 0) {
    FTerminated = true;
    return;
  }
  if (R > 0) DispatchOne(Msg);
}

void TApplication::ProcessMessages() {
  MSG Msg;
  while (PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE)) {
    if (Msg.message == WM_QUIT) {
      FTerminated = true;
      return;
    }
    DispatchOne(Msg);
  }
}

void TApplication::Run(const std::function<void()>& AfterShown) {
  if (FMainForm && ShowMainForm) {
    // The main form is the first window activated: the keyboard goes to it
    // at once (after a question of the start-up, say), not by way of the
    // application window.
    ShowWindow(Handle(), SW_SHOWNA);
    FMainForm->Show();
  }
  if (AfterShown && !FTerminated) AfterShown();
  while (!FTerminated) HandleMessage();
}

namespace {

// A dialog window of the platform's own (a file, font, colour or folder
// dialog, a plain message box) runs a message loop that takes no notice of
// the quit: it is cancelled as its Cancel button would.
BOOL CALLBACK CancelPlatformDialog(HWND Wnd, LPARAM) {
  wchar_t Class[16] = {};
  if (GetClassNameW(Wnd, Class, 16) && wcscmp(Class, L"#32770") == 0 && IsWindowVisible(Wnd))
    PostMessageW(Wnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

}  // namespace

void TApplication::Terminate() {
  // A loop of the platform's that runs inside the one of Run (the popup
  // menu's, a dialog's) would take the quit message as any other and go
  // on: they are ended first, so that the quit message, read only when
  // nothing else waits, reaches a loop of ours (Run, a modal form's), which
  // ends on it.
  EndMenu();
  EnumThreadWindows(GetCurrentThreadId(), CancelPlatformDialog, 0);
  PostQuitMessage(0);
}

void TApplication::HandleException(std::exception_ptr E) {
  if (!E) return;
  try {
    std::rethrow_exception(E);
  } catch (const EAbort&) {
    return;
  } catch (...) {
  }
  if (!OnException) {
    DefaultExceptionBox();
    return;
  }
  try {
    OnException(this, E);
  } catch (...) {
    DefaultExceptionBox();
  }
}

// Shows the box and ends the process. Exceptions raised by messages that
// the box's own loop dispatches meanwhile are dropped: the process ends
// anyway.
void TApplication::DefaultExceptionBox() {
  static bool Showing = false;
  if (Showing) return;
  Showing = true;
  std::wstring Text = FTitle + L" has detected a problem and will be terminated...";
  MessageBoxW(FHandle, Text.c_str(), FTitle.c_str(), MB_ICONERROR | MB_OK);
  ExitProcess(0);
}

// --------------------------------------------------------------- state

void TApplication::Minimize() {
  if (IsIconic()) return;
  ShowWindow(Handle(), SW_MINIMIZE);
  if (OnMinimize) OnMinimize(this);
}

void TApplication::Restore() {
  if (!IsIconic()) return;
  ShowWindow(Handle(), SW_RESTORE);
  // The innermost modal dialog is the last one made.
  TForm* Modal = nullptr;
  for (TForm* F : Screen.Forms())
    if (F->IsModal() && F->Showing()) Modal = F;
  if (Modal)
    SetActiveWindow(Modal->Handle());
  else if (FMainForm && FMainForm->Showing())
    SetActiveWindow(FMainForm->Handle());
  if (OnRestore) OnRestore(this);
}

bool TApplication::IsIconic() { return FHandle && ::IsIconic(FHandle); }

void TApplication::FormActivated(bool AppActive) {
  if (AppActive == FActive) return;
  FActive = AppActive;
  if (AppActive) {
    if (OnActivate) OnActivate(this);
  } else {
    CancelHint();
    if (OnDeactivate) OnDeactivate(this);
  }
}

void TApplication::ModalStarted() {
  if (++FModalLevel == 1 && OnModalBegin) OnModalBegin(this);
}

void TApplication::ModalFinished() {
  if (--FModalLevel == 0 && OnModalEnd) OnModalEnd(this);
}

void TApplication::ControlDestroyed(TWinControl* Control) {
  if (FHintControl == Control) CancelHint();
  if (FMainForm == Control) FMainForm = nullptr;
}

// ------------------------------------------------------------ keyboard

void TApplication::PassKeyboard(TForm* Leaving) {
  TForm* Heir = OnKeyboardHeir ? OnKeyboardHeir(Leaving) : nullptr;
  if (Heir && Heir != Leaving && Heir->HandleAllocated()) TakeKeyboard(Heir->Handle());
}

void TApplication::GiveKeyboardBack(HWND Window) {
  if (Window && IsWindow(Window) && IsWindowVisible(Window) && IsWindowEnabled(Window)) TakeKeyboard(Window);
}

// Activates Window, and asks the display for the keyboard again a moment
// later (AskKeyboardAgain).
void TApplication::TakeKeyboard(HWND Window) {
  AskDisplayForKeyboard(Window);
  FKeyboardTaker = Window;
  SetTimer(Handle(), kKeyboardAgainTimer, kKeyboardAgainPause, nullptr);
}

// Activates Window (or, when it is active already, moves the focus out of
// its control and back) twice, with requests dated 25 ms ago and now.
//
// An X display drops a focus request dated earlier than its last focus
// change, or later than its own clock, and Wine dates the request by the
// message the thread took last. Handling a key typed while the program was
// busy (Ctrl+F4 as a movie opens), that date is the key's, older than the
// focus a window took meanwhile (the picture appearing as the movie
// opened): the request for the heir was dropped, the holder kept the focus
// and, as it hid, the display gave it to nobody. Here the requests are
// dated by messages posted now (taken back from the queue, never
// dispatched), later than any request made before. Two dates, as Wine's
// reckoning of the display's clock runs up to 16 ms ahead (its server
// refreshes the tick it reads that often), so a date of now can lie in the
// display's future: with that date alone, 1 of 60 starts on a busy machine
// still left the keyboard with nobody until AskKeyboardAgain, none with
// both. The GUI thread waits these 25 ms at a hand-over and at its
// safety net.
//
// Both dates are reckoned alike only when the keys the display holds have
// been read first. Until the program reads its first key, Wine asks with
// no date at all (the display's own time); from then on it dates by a
// reckoning it sets from that key as it reads it, behind the display's
// time by as long as the key waited. Keys typed while the program was busy
// (Ctrl+F4 as the main window appeared and the movie opened, on a busy
// machine) waited while the picture took the keyboard with no date; read
// afterwards, they put the hand-over's dates before that change, so the
// display dropped it and, as the picture hid, gave the keyboard to nobody
// until the safety net (3 of 15 starts beside sixteen busy loops, none
// with the keys read first).
void TApplication::AskDisplayForKeyboard(HWND Window) {
  GetInputState();
  PostMessageW(Handle(), WM_DATEFOCUSREQUEST, 0, 0);
  Sleep(kFocusDateSpread);
  PostMessageW(Handle(), WM_DATEFOCUSREQUEST, 0, 0);
  for (int Date = 0; Date < 2; ++Date) {
    MSG Msg;
    PeekMessageW(&Msg, FHandle, WM_DATEFOCUSREQUEST, WM_DATEFOCUSREQUEST, PM_REMOVE);
    if (GetActiveWindow() != Window) {
      SetActiveWindow(Window);
    } else if (const HWND Focus = GetFocus()) {
      SetFocus(nullptr);
      SetFocus(Focus);
    }
  }
}

void TApplication::DateFocusRequest() {
  GetInputState();
  PostMessageW(Handle(), WM_DATEFOCUSREQUEST, 0, 0);
  MSG Msg;
  PeekMessageW(&Msg, FHandle, WM_DATEFOCUSREQUEST, WM_DATEFOCUSREQUEST, PM_REMOVE);
}

namespace {

// The buttons' commands on which the platform's message box ends.
bool EndsPlatformBox(WPARAM Command) {
  switch (LOWORD(Command)) {
    case IDOK: case IDCANCEL: case IDABORT: case IDRETRY: case IDIGNORE: case IDYES: case IDNO:
    case IDTRYAGAIN: case IDCONTINUE:
      return true;
    default:
      return false;
  }
}

bool IsPlatformBoxOf(HWND Window, HWND Owner) {
  wchar_t Class[16] = {};
  return GetClassNameW(Window, Class, 16) && wcscmp(Class, L"#32770") == 0 && GetWindow(Window, GW_OWNER) == Owner;
}

}  // namespace

// The box ends on a command sent to it (a button, its key, Escape): the
// application window takes the keyboard before the box hides.
LRESULT CALLBACK TApplication::BeforeBoxCommand(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* M = reinterpret_cast<const CWPSTRUCT*>(LParam);
  if (Code == HC_ACTION && M->message == WM_COMMAND && EndsPlatformBox(M->wParam) &&
      IsPlatformBoxOf(M->hwnd, Application.FHandle)) {
    Application.FClosingBox = M->hwnd;
    Application.TakeKeyboard(Application.FHandle);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

// A box that did not end on the command (the platform's own box keeps a
// question without a Cancel button open on Escape) takes the keyboard back.
LRESULT CALLBACK TApplication::AfterBoxCommand(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* M = reinterpret_cast<const CWPRETSTRUCT*>(LParam);
  if (Code == HC_ACTION && M->message == WM_COMMAND && M->hwnd == Application.FClosingBox) {
    Application.FClosingBox = nullptr;
    if (IsWindowVisible(M->hwnd)) Application.TakeKeyboard(M->hwnd);
  }
  return CallNextHookEx(nullptr, Code, WParam, LParam);
}

int TApplication::AskWithPlatformBox(const std::wstring& Text, const std::wstring& Caption, UINT Type) {
  ShowWindow(Handle(), SW_SHOWNA);
  const DWORD Thread = GetCurrentThreadId();
  HHOOK Before = SetWindowsHookExW(WH_CALLWNDPROC, &BeforeBoxCommand, nullptr, Thread);
  HHOOK After = SetWindowsHookExW(WH_CALLWNDPROCRET, &AfterBoxCommand, nullptr, Thread);
  const int Answer = MessageBoxW(FHandle, Text.c_str(), Caption.c_str(), Type);
  if (Before) UnhookWindowsHookEx(Before);
  if (After) UnhookWindowsHookEx(After);
  FClosingBox = nullptr;
  return Answer;
}

// A safety net, only while the window still holds the activation it was
// given: it asks the display once more.
void TApplication::AskKeyboardAgain() {
  KillTimer(FHandle, kKeyboardAgainTimer);
  const HWND Taker = FKeyboardTaker;
  FKeyboardTaker = nullptr;
  if (Taker && GetActiveWindow() == Taker) AskDisplayForKeyboard(Taker);
}

// --------------------------------------------------------------- hints
//
// A hint belongs to a window and the text it had when the mouse came to
// rest on it: after HintPause the window's current Hint is shown, for
// HideTimeout. Another window, a changed text or CancelHint start over.

void TApplication::HintMouseMessage(TWinControl* Control) {
  if (Control == FHintControl && Control->Hint == FHintText) return;
  bool WasShown = FHintShown;
  CancelHint();
  FHintControl = Control;
  FHintText = Control->Hint;
  if (FHintText.empty()) return;
  // Coming from a control whose hint was up, the next hint waits the
  // shorter pause.
  SetTimer(Handle(), kHintShowTimer, WasShown ? HintShortPause : HintPause, nullptr);
}

void TApplication::HintControlLeft(TWinControl* Control) {
  if (Control == FHintControl) CancelHint();
}

void TApplication::CancelHint() {
  if (FHandle) {
    KillTimer(FHandle, kHintShowTimer);
    KillTimer(FHandle, kHintHideTimer);
  }
  if (FHintWindow) FHintWindow->ReleaseHint();
  FHintShown = false;
  FHintControl = nullptr;
  FHintText.clear();
}

void TApplication::ShowHintNow() {
  KillTimer(Handle(), kHintShowTimer);
  TWinControl* Control = FHintControl;
  if (!Control || Control->Hint.empty() || !Control->ShowHint) return;
  POINT Cursor;
  GetCursorPos(&Cursor);
  THintInfo Info;
  Info.HintControl = Control;
  Info.HintPos = {Cursor.x, Cursor.y + GetSystemMetrics(SM_CYCURSOR) * 3 / 4};
  Info.HideTimeout = HintHidePause;
  std::wstring Text = Control->Hint;
  bool CanShow = true;
  if (OnShowHint) OnShowHint(Text, CanShow, Info);
  if (!CanShow || Text.empty()) return;
  if (!FHintWindow) FHintWindow = std::make_unique<THintWindow>();
  FHintWindow->ActivateHint(Info.HintPos, Text, Info.HintColor);
  FHintShown = true;
  if (Info.HideTimeout > 0) SetTimer(Handle(), kHintHideTimer, Info.HideTimeout, nullptr);
}

// ------------------------------------------------------ window procedure

LRESULT CALLBACK TApplication::AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Wnd != Application.FHandle) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  try {
    return Application.WndProc(Msg, WParam, LParam);
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
  return 0;
}

LRESULT TApplication::WndProc(UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_SYSCOMMAND:
      switch (WParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        default: break;
      }
      break;
    case WM_CLOSE:
      if (FMainForm) FMainForm->Close();
      return 0;
    case WM_ACTIVATEAPP:
      FormActivated(WParam != 0);
      break;
    case WM_TIMER:
      if (WParam == kHintShowTimer) {
        ShowHintNow();
      } else if (WParam == kHintHideTimer) {
        KillTimer(FHandle, kHintHideTimer);
        if (FHintWindow) FHintWindow->ReleaseHint();
      } else if (WParam == kKeyboardAgainTimer) {
        AskKeyboardAgain();
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(FHandle, Msg, WParam, LParam);
}
