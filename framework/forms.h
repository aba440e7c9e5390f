// Top-level windows. A TForm is a borderless popup window owned by the
// application's window (so it has no taskbar button of its own), with a
// window class named after the form class ("TfrmMain") because other
// processes look windows up by class name.
#pragma once

#include <functional>
#include <string>

#include "framework/controls.h"

// Size limits of a form; 0 means no limit.
struct TSizeConstraints {
  int MinWidth = 0;
  int MinHeight = 0;
  int MaxWidth = 0;
  int MaxHeight = 0;
};

using TCloseEvent = std::function<void(TComponent* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TComponent* Sender, bool& CanClose)>;

class TForm : public TWinControl {
 public:
  // ClassName is the window class to register (for example "TfrmMain");
  // the form's Name is the class name without its leading "T" ("frmMain"),
  // the name by which the program finds its forms. The window starts with
  // the client area ClientSize (a form that knows its size when it is made
  // is not sized a second time).
  explicit TForm(const std::wstring& ClassName = L"TForm", TSize ClientSize = {320, 240});
  ~TForm() override;

  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 protected:
  // ---- hooks ----
  // Before the window becomes visible / after it was hidden.
  virtual void DoShow();
  virtual void DoHide();
  // Close asks CloseQuery first, then DoClose decides what happens
  // (default caHide).
  virtual bool CloseQuery();
  virtual void DoClose(TCloseAction& Action);
  // The form became the active window (it has the focus already and may
  // hand it on to a control) / stopped being it.
  virtual void Activate();
  virtual void Deactivate();
  void WndProc(TMessage& Message) override;

 private:
  // On activation: the focus back to the control that had it last.
  void RestoreFocus();

 public:
  // ---- wrappers ----
  void Show();
  // Shows the form in its normal state, leaving the activation where it
  // is: the keyboard stays with the window that has it, the program's or
  // another program's.
  void ShowWithoutActivating();
  // Hides the form; when it is the active window, the application first
  // passes the keyboard to another form (TApplication::PassKeyboard).
  void Hide();
  void SetVisible(bool Visible) override;
  // Visible, or hidden by the platform only because its owner (the
  // application's window) is minimised: the state the user left it in.
  bool ShownByUser() const { return Visible() || FHiddenWithOwner; }
  // Closes the form: a modal form ends its modal loop with mrCancel; the
  // application's main form ends the application; others are hidden (or
  // freed, or minimised, as DoClose decides).
  void Close();
  // Shows the form modally: every other form of the application is
  // disabled and a nested message loop runs until ModalResult becomes
  // non-zero (set it, or call Close). Returns ModalResult.
  TModalResult ShowModal();
  TModalResult ModalResult = mrNone;
  bool IsModal() const { return FModal; }
  // Size limits, applied to every change of size.
  TSizeConstraints Constraints;
  void SetBounds(int Left, int Top, int Width, int Height) override;
  // Window styles beyond the borderless popup (for example WS_THICKFRAME).
  void SetStyle(DWORD Style, DWORD ExStyle);
  bool Active() const;
  // Minimised, maximised or normal; a hidden form takes the state when it
  // is shown.
  TWindowState WindowState() const;
  void SetWindowState(TWindowState State);

 private:
  void ApplyConstraints(int& Width, int& Height) const;
  // Makes the hidden form visible with the platform's show command.
  void ShowWindowNow(int Command);
  bool CloseModal();
  void WMWindowPosChanging(TMessage& Message);
  void WMGetMinMaxInfo(TMessage& Message);

  bool FModal = false;
  bool FHiddenWithOwner = false;
  TWindowState FPendingState = TWindowState::wsNormal;
};
