// Windows and controls: the windowed base class TWinControl (one static
// window procedure maps handles to objects and dispatches messages to the
// hooks below), the non-windowed TGraphicControl that a window routes
// mouse input to, and the child controls TPanel and TCheckBox.
//
// Each class reads in three sections: hooks meant to be overridden
// (Paint, MouseDown, ...: their default calls the matching std::function
// event OnPaint, OnMouseDown, ... when it is assigned), thin wrappers over
// the platform (check the handle, call it), internals.
//
// GUI thread only: windows, their objects and the handle map belong to the
// thread that runs the message loop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/component.h"
#include "framework/graphics.h"
#include "framework/types.h"

class TPopupMenu;
class TWinControl;

// A control without a window of its own: a rectangle of its parent window
// that takes the mouse presses inside it. The parent routes input to the
// topmost visible, enabled control under the mouse; after a press, moves
// and the release go to that control until the button is released.
class TGraphicControl : public TComponent {
 public:
  explicit TGraphicControl(TWinControl* Parent);
  ~TGraphicControl() override;

  TNotifyEvent OnPaint;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

 protected:
  // ---- hooks; coordinates are relative to the control ----
  // Canvas is the parent's, with its origin moved to the control's corner;
  // its font and brush are the parent's again after the paint.
  virtual void Paint(TCanvas& Canvas);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);

 public:
  // ---- properties ----
  TWinControl* Parent() const { return FParent; }
  const TRect& BoundsRect() const { return FBounds; }
  void SetBounds(int Left, int Top, int Width, int Height);
  int Left() const { return FBounds.Left; }
  int Top() const { return FBounds.Top; }
  int Width() const { return FBounds.Width(); }
  int Height() const { return FBounds.Height(); }
  bool Visible = true;
  bool Enabled = true;
  // Shown while the mouse is over the control (unless Screen.Cursor is set).
  TCursor Cursor = crDefault;
  TAnchors Anchors = akLeft | akTop;
  // Repaints the control's rectangle of its parent.
  void Invalidate();

 private:
  friend class TWinControl;
  void ParentResized(int DeltaWidth, int DeltaHeight);

  TWinControl* FParent;
  TRect FBounds;
};

// Parameters for creating a window.
struct TCreateParams {
  std::wstring ClassName;  // registered on first use unless it is a system class
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  UINT ClassStyle = CS_DBLCLKS | CS_OWNDC;
  TRect Bounds;
  HWND WndParent = nullptr;
  bool SystemClass = false;  // an existing class (BUTTON...): the window is subclassed
};

class TWinControl : public TComponent {
 public:
  ~TWinControl() override;

  // Events called by the default hooks.
  TNotifyEvent OnPaint;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnDblClick;  // Shift is ssDouble | ssLeft
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnResize;
  // Every message of the window, sent or performed, goes through this
  // procedure; it starts as the window's own WndProc. An owner that must
  // see a control's messages without deriving from its class keeps the
  // procedure it finds and installs its own, which hands every message on
  // to the kept one.
  std::function<void(TMessage&)> WindowProc;

 protected:
  // ---- hooks ----
  // Paints the client area on Canvas (which draws on the paint context).
  virtual void Paint();
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  // A left double click; MouseDown with ssDouble follows it.
  virtual void DblClick(int X, int Y);
  // CM_MOUSEENTER / CM_MOUSELEAVE.
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void KeyDown(WORD& Key, TShiftState Shift);
  virtual void KeyUp(WORD& Key, TShiftState Shift);
  virtual void KeyPress(wchar_t& Key);
  // WM_ERASEBKGND; Canvas draws on the erase context meanwhile. Returns
  // true when the background is done (the default fills the clip box with
  // Color).
  virtual bool EraseBackground();
  virtual void Resize();
  // Every message of the window comes here first. An override handles what
  // it wants and passes the message on to the base class (which dispatches
  // to the hooks and finally to the platform's default handling).
  virtual void WndProc(TMessage& Message);

 public:
  // ---- wrappers ----
  HWND Handle() const { return FHandle; }
  bool HandleAllocated() const { return FHandle != nullptr; }
  TWinControl* Parent() const { return FParent; }
  const std::wstring& ClassName() const { return FClassName; }
  // Draws on the window at any time (the window keeps its own context);
  // during Paint and EraseBackground it draws on the paint context.
  TCanvas& Canvas() { return FCanvas; }
  // The window's font: the canvas starts with it and the platform's
  // controls show their text in it. SetFont changes both.
  TFont Font;
  void SetFont(const TFont& Font);
  // Hint text of the window, shown by the application's hint window while
  // the mouse rests over it and ShowHint is set.
  std::wstring Hint;
  bool ShowHint = false;
  // Set on a top-level window: it sees the keys of its child controls
  // (KeyDown, KeyUp, KeyPress) before they do.
  bool KeyPreview = false;
  // Opened by the platform's context-menu request (a right click, the
  // context-menu key) over the window: at the mouse for a click, at the
  // window's top-left corner for the key. None: the request goes on to the
  // parent window.
  TPopupMenu* PopupMenu = nullptr;
  TCursor Cursor = crDefault;
  TColor Color() const { return FColor; }
  void SetColor(TColor Color);

  int Left() const;
  int Top() const;
  int Width() const;
  int Height() const;
  TRect BoundsRect() const;  // in the parent's client (or screen) coordinates
  virtual void SetBounds(int Left, int Top, int Width, int Height);
  void SetLeft(int Left) { SetBounds(Left, Top(), Width(), Height()); }
  void SetTop(int Top) { SetBounds(Left(), Top, Width(), Height()); }
  void SetWidth(int Width) { SetBounds(Left(), Top(), Width, Height()); }
  void SetHeight(int Height) { SetBounds(Left(), Top(), Width(), Height); }
  int ClientWidth() const;
  int ClientHeight() const;
  TRect ClientRect() const;
  void SetClientSize(int Width, int Height);
  TPoint ClientToScreen(TPoint P) const;
  TPoint ScreenToClient(TPoint P) const;

  // Visible is the wish; Showing is the fact (the window and its parents
  // are visible).
  bool Visible() const;
  virtual void SetVisible(bool Visible);
  bool Showing() const;
  bool Enabled() const;
  void SetEnabled(bool Enabled);
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Caption);
  void SetFocus();
  bool Focused() const;
  void BringToFront();
  void SendToBack();
  void Invalidate();
  void InvalidateRect(const TRect& Rect);
  void Update();
  void Repaint();
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // Scales the client size, the font and every child (windows and
  // graphic controls, positions and sizes) by M / D.
  void ScaleBy(int M, int D);

  // Non-windowed controls of this window, in creation order (the last one
  // is on top).
  const std::vector<TGraphicControl*>& Controls() const { return FControls; }
  TGraphicControl* ControlAtPos(int X, int Y) const;

  // The framework object of a window handle, or nullptr.
  static TWinControl* FindControl(HWND Wnd);

 protected:
  explicit TWinControl(TWinControl* Parent = nullptr);
  // Creates the window (derived constructors call it once).
  void CreateHandle(const TCreateParams& Params);
  // The platform's default handling of the message (DefWindowProc, or the
  // subclassed control's own procedure).
  void DefaultHandler(TMessage& Message);
  // The cursor for the client point (X, Y) when Screen.Cursor is default.
  virtual TCursor CursorAt(int X, int Y) const;
  // Destroys the window and creates it again (a platform control whose
  // style can only be chosen at creation); the caller restores its state.
  void RecreateHandle(const TCreateParams& Params);
  // Set by platform controls whose own mouse handling must run before the
  // hooks (MouseDown of a list box sees the line the press selected).
  bool DefaultMouseFirst = false;
  // Of a top-level window: the control inside it that took the focus last
  // (the one the window gives the focus back to when it is activated
  // again); nullptr when none has.
  HWND FFocusedChild = nullptr;

 private:
  friend class TGraphicControl;
  static LRESULT CALLBACK StaticWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  LRESULT Dispatch(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  // Hands a notification of the child window to its object as CN_BASE +
  // the message; false when the child has none.
  bool Reflect(TMessage& Message, HWND Child);
  void Attach(HWND Wnd);
  void Detach();
  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMMouseButton(TMessage& Message, TMouseButton Button, bool Down, bool Double);
  void WMMouseMove(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMKey(TMessage& Message);
  bool WMContextMenu(TMessage& Message);
  // WM_SETFOCUS: the top-level window notes this control as its focused one.
  void NoteFocus();

  HWND FHandle = nullptr;
  WNDPROC FDefWndProc = nullptr;
  TWinControl* FParent;
  std::wstring FClassName;
  std::wstring FCaption;
  TColor FColor = clBtnFace;
  TCanvas FCanvas;
  std::vector<TGraphicControl*> FControls;
  TGraphicControl* FMouseControl = nullptr;  // took the press, gets moves and the release
  bool FMouseInside = false;
  int FLastClientWidth = 0;
  int FLastClientHeight = 0;
};

// Text drawn on its parent: one or more lines (separated by CR LF),
// aligned in its rectangle, on its colour or transparent. With AutoSize the
// rectangle takes the size of the text block.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TWinControl* Parent);

 protected:
  // ---- hooks ----
  void Paint(TCanvas& Canvas) override;

 public:
  // ---- properties ----
  const std::wstring& Caption() const { return FCaption; }
  void SetCaption(const std::wstring& Caption);
  const TFont& Font() const { return FFont; }
  void SetFont(const TFont& Font);
  TAlignment Alignment = TAlignment::taLeftJustify;
  // The caption reads right to left on a system set up for a right-to-left
  // language (Application.RightToLeftSystem); its alignment stays.
  bool RightToLeftReading = false;
  bool Transparent = false;
  TColor Color = clBtnFace;
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool AutoSize);
  // The size the caption needs in the font.
  TSize TextSize() const;

 private:
  void AdjustBounds();

  std::wstring FCaption;
  TFont FFont;
  bool FAutoSize = true;
};

// A child window that paints its colour and then calls Paint.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TWinControl* Parent);
};

// The platform's check box as a child window.
class TCheckBox : public TWinControl {
 public:
  explicit TCheckBox(TWinControl* Parent);

  TNotifyEvent OnClick;

 protected:
  // ---- hooks ----
  virtual void Click();
  void WndProc(TMessage& Message) override;

 public:
  // ---- wrappers ----
  bool Checked() const;
  void SetChecked(bool Checked);
};
