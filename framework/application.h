// The application object (message loop, events, exception routing, hints)
// and the screen object (cursors, pixels per inch, work area, monitors).
// Both are program-wide: Application and Screen.
//
// The process does not declare itself DPI-aware: the platform scales it as
// a whole on high-DPI screens, so skins stay pixel-exact in its own
// coordinates.
//
// GUI thread only, like every window of the program.
#pragma once

#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/forms.h"
#include "framework/graphics.h"
#include "framework/types.h"

class THintWindow;

// What the hint about to be shown will look like; OnShowHint may change it.
struct THintInfo {
  TWinControl* HintControl = nullptr;
  TPoint HintPos;             // screen position of the hint window's top-left
  TColor HintColor = 0xE1FFFF;
  int HideTimeout = 2500;     // milliseconds the hint stays
};

using TExceptionEvent = std::function<void(TComponent* Sender, std::exception_ptr E)>;
using TShowHintEvent =
    std::function<void(std::wstring& HintStr, bool& CanShow, THintInfo& HintInfo)>;
// The form that takes the keyboard from Leaving, a form about to hide;
// nullptr when none of the program's forms can.
using TKeyboardHeirEvent = std::function<TForm*(TForm* Leaving)>;

// The text of an exception (UTF-8 what() for std::exception).
std::string ExceptionMessage(std::exception_ptr E);

class TApplication : public TComponent {
 public:
  TApplication();
  ~TApplication() override;

  TNotifyEvent OnMinimize;
  TNotifyEvent OnRestore;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  // The one place exceptions end up. Unassigned: a message box with the
  // title followed by " has detected a problem and will be terminated...",
  // then the process ends.
  TExceptionEvent OnException;
  TShowHintEvent OnShowHint;
  // The outermost modal form begins / ends its modal loop.
  TNotifyEvent OnModalBegin;
  TNotifyEvent OnModalEnd;
  // Picks the form that takes the keyboard when the form that holds it
  // hides. Unassigned, the platform picks the window it activates.
  TKeyboardHeirEvent OnKeyboardHeir;

  // ---- the application window and title ----
  // The hidden window of class "TApplication" whose caption is Title; it
  // owns every form and carries the taskbar button. Created on first use.
  HWND Handle();
  const std::wstring& Title() const { return FTitle; }
  void SetTitle(const std::wstring& Title);

  // ---- forms ----
  // Creates a form owned by the application; the first one becomes the
  // main form. Owned forms are freed when the application object is.
  template <class T, class... Args>
  T* CreateForm(Args&&... A) {
    auto Form = std::make_unique<T>(std::forward<Args>(A)...);
    T* Raw = Form.get();
    AdoptForm(std::move(Form));
    return Raw;
  }
  void AdoptForm(std::unique_ptr<TForm> Form);
  TForm* MainForm() const { return FMainForm; }
  // Whether Run shows the main form (default true).
  bool ShowMainForm = true;
  // The system is set up for a right-to-left language: controls that ask
  // for it read their text right to left.
  bool RightToLeftSystem = GetSystemMetrics(SM_MIDEASTENABLED) != 0;

  // ---- the message loop ----
  // Shows the application window and the main form, then runs
  // AfterShown (work the program leaves until its main window is on the
  // screen) and the message loop until Terminate.
  void Run(const std::function<void()>& AfterShown = {});
  // Waits for one message and dispatches it.
  void HandleMessage();
  // Dispatches every pending message, then returns.
  void ProcessMessages();
  // Ends the program's message loops: every loop nested in Run (a modal
  // form, a common dialog, a plain message box, a popup menu) ends, and
  // Run returns, so that an end asked for inside one of them is never lost.
  void Terminate();
  // True once a loop of ours has read the quit message Terminate posts.
  bool Terminated() const { return FTerminated; }
  // Routes the exception (the current one by default) to OnException; the
  // silent abort (EAbort) is swallowed.
  void HandleException(std::exception_ptr E = std::current_exception());

  // ---- state ----
  void Minimize();
  // Restores the minimised application and activates its main window, or,
  // while a modal dialog runs, the dialog (the windows behind it are
  // disabled; the main window must not come over it).
  void Restore();
  bool IsIconic();
  // Whether one of the application's windows is the active window.
  bool Active() const { return FActive; }

  // ---- the keyboard ----
  // Activates the form OnKeyboardHeir picks to take the keyboard from
  // Leaving, so that typed keys keep reaching a window of the program: a
  // form that holds the keyboard calls it before it hides, as the platform
  // would otherwise activate a window of its own choosing (the application
  // window, which takes no keys, or another program's). Nothing happens
  // when no form can take it.
  void PassKeyboard(TForm* Leaving);
  // Activates Window, which held the keyboard before a modal loop, when it
  // still shows and takes input; a window hidden or disabled meanwhile
  // would take keys nowhere, so the keyboard then stays where it is.
  void GiveKeyboardBack(HWND Window);
  // Readies the request with which the platform next moves the keyboard
  // (the activation of a form as it shows): the keys the display holds for
  // the program are taken into its queue, and the request is dated now
  // (see AskDisplayForKeyboard). A form calls it before it shows itself
  // active.
  void DateFocusRequest();
  // Asks Text with the platform's own message box (Type: its MB_ flags),
  // owned by the application window; the button chosen (IDYES...). The
  // application window shows for it, without taking the keyboard, and
  // takes the keyboard from the box as it closes, before it is gone, as a
  // form's heir does: keys typed before a form takes the keyboard wait in
  // the program's queue for that form, where the display would give them
  // to nobody.
  int AskWithPlatformBox(const std::wstring& Text, const std::wstring& Caption, UINT Type);

  // ---- hints ----
  void CancelHint();
  // Milliseconds the mouse rests on a control before its hint shows.
  int HintPause = 500;
  // The same when it comes from a control whose hint was showing.
  int HintShortPause = 50;
  // Milliseconds a hint stays (OnShowHint may change it for one hint).
  int HintHidePause = 2500;

  // ---- internals used by forms ----
  void ModalStarted();
  void ModalFinished();
  void FormActivated(bool AppActive);
  void HintMouseMessage(TWinControl* Control);
  void HintControlLeft(TWinControl* Control);
  void ControlDestroyed(TWinControl* Control);

 private:
  static LRESULT CALLBACK AppWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT WndProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  void DispatchOne(MSG& Msg);
  void ShowHintNow();
  void DefaultExceptionBox();
  void TakeKeyboard(HWND Window);
  void AskDisplayForKeyboard(HWND Window);
  void AskKeyboardAgain();
  static LRESULT CALLBACK BeforeBoxCommand(int Code, WPARAM WParam, LPARAM LParam);
  static LRESULT CALLBACK AfterBoxCommand(int Code, WPARAM WParam, LPARAM LParam);

  HWND FHandle = nullptr;
  std::wstring FTitle;
  std::vector<std::unique_ptr<TForm>> FForms;
  TForm* FMainForm = nullptr;
  bool FTerminated = false;
  bool FActive = false;
  int FModalLevel = 0;
  TWinControl* FHintControl = nullptr;
  std::wstring FHintText;
  bool FHintShown = false;
  std::unique_ptr<THintWindow> FHintWindow;
  HWND FKeyboardTaker = nullptr;  // asks for the keyboard again at the timer
  HWND FClosingBox = nullptr;     // a platform box whose keyboard it took
};

// One display monitor.
struct TMonitor {
  HMONITOR Handle = nullptr;
  int MonitorNum = 0;
  bool Primary = false;
  TRect BoundsRect;
  TRect WorkareaRect;
  int Left() const { return BoundsRect.Left; }
  int Top() const { return BoundsRect.Top; }
  int Width() const { return BoundsRect.Width(); }
  int Height() const { return BoundsRect.Height(); }
};

class TScreen {
 public:
  TScreen();
  ~TScreen();

  // The cursor shown over every form of the application while it is not
  // crDefault; setting it takes effect at once.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Cursor);
  // The cursor table: built-in cursors under negative numbers, custom ones
  // installed by the program (replacing a built-in one is allowed).
  HCURSOR Cursors(TCursor Index) const;
  void SetCursors(TCursor Index, HCURSOR Cursor);
  // Installs the program's cursor resource Name under Index, loaded by the
  // first use of that cursor (a start does not wait for cursors that only
  // show under the mouse); while it cannot be loaded the cursor stays as it
  // was.
  void SetCursorResource(TCursor Index, const std::wstring& Name);

  int PixelsPerInch() const;
  // Primary screen size and work area (without the taskbar).
  int Width() const;
  int Height() const;
  TRect WorkAreaRect() const;
  // The bounding rectangle of all monitors.
  TRect DesktopRect() const;
  // The monitors in the platform's order, numbered from 0 (read anew on
  // every call).
  std::vector<TMonitor> Monitors() const;
  int MonitorCount() const { return static_cast<int>(Monitors().size()); }

  // Every form in creation order.
  const std::vector<TForm*>& Forms() const { return FForms; }
  // The font of the hint window.
  TFont HintFont;

  // ---- internals used by forms ----
  void AddForm(TForm* Form);
  void RemoveForm(TForm* Form);

 private:
  TCursor FCursor = crDefault;
  mutable std::map<TCursor, HCURSOR> FCursors;
  std::map<TCursor, std::wstring> FCursorResources;
  std::vector<TForm*> FForms;
};

extern TApplication Application;
extern TScreen Screen;
