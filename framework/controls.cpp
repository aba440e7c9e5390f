#include "framework/controls.h"

#include <algorithm>
#include <exception>
#include <set>
#include <unordered_map>

#include <windowsx.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/menus.h"
#include "framework/messages.h"

namespace {

// Never freed: windows owned by program-wide objects are destroyed during
// static destruction, after function-local statics would be gone.
std::unordered_map<HWND, TWinControl*>& HandleMap() {
  static auto* Map = new std::unordered_map<HWND, TWinControl*>;
  return *Map;
}

// Registers the framework's window class Name once.
void RegisterFrameworkClass(const std::wstring& Name, UINT Style, WNDPROC Proc) {
  static auto& Registered = *new std::set<std::wstring>;
  if (Registered.count(Name)) return;
  WNDCLASSEXW WC{};
  WC.cbSize = sizeof(WC);
  WC.style = Style;
  WC.lpfnWndProc = Proc;
  WC.hInstance = GetModuleHandleW(nullptr);
  WC.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  WC.lpszClassName = Name.c_str();
  if (!RegisterClassExW(&WC) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
    throw EOSError("RegisterClassEx failed");
  Registered.insert(Name);
}

TShiftState MouseShiftState(WPARAM Keys) {
  TShiftState S = 0;
  if (Keys & MK_SHIFT) S |= ssShift;
  if (Keys & MK_CONTROL) S |= ssCtrl;
  if (Keys & MK_LBUTTON) S |= ssLeft;
  if (Keys & MK_RBUTTON) S |= ssRight;
  if (Keys & MK_MBUTTON) S |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) S |= ssAlt;
  return S;
}

}  // namespace

TShiftState KeyboardShiftState() {
  TShiftState S = 0;
  if (GetKeyState(VK_SHIFT) < 0) S |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) S |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) S |= ssAlt;
  if (GetKeyState(VK_LBUTTON) < 0) S |= ssLeft;
  if (GetKeyState(VK_RBUTTON) < 0) S |= ssRight;
  if (GetKeyState(VK_MBUTTON) < 0) S |= ssMiddle;
  return S;
}

// ------------------------------------------------------ TGraphicControl

TGraphicControl::TGraphicControl(TWinControl* Parent) : FParent(Parent) {
  if (FParent) FParent->FControls.push_back(this);
}

TGraphicControl::~TGraphicControl() {
  if (!FParent) return;
  auto& List = FParent->FControls;
  List.erase(std::remove(List.begin(), List.end(), this), List.end());
  if (FParent->FMouseControl == this) FParent->FMouseControl = nullptr;
}

void TGraphicControl::Paint(TCanvas& Canvas) {
  if (OnPaint) OnPaint(this);
}

void TGraphicControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TGraphicControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TGraphicControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TGraphicControl::SetBounds(int Left, int Top, int Width, int Height) {
  Invalidate();
  FBounds = Bounds(Left, Top, Width, Height);
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (FParent) FParent->InvalidateRect(FBounds);
}

void TGraphicControl::ParentResized(int DeltaWidth, int DeltaHeight) {
  if (Anchors & akRight) {
    if (!(Anchors & akLeft)) FBounds.Left += DeltaWidth;
    FBounds.Right += DeltaWidth;
  }
  if (Anchors & akBottom) {
    if (!(Anchors & akTop)) FBounds.Top += DeltaHeight;
    FBounds.Bottom += DeltaHeight;
  }
}

// ---------------------------------------------------------- TWinControl

TWinControl::TWinControl(TWinControl* Parent)
    : WindowProc([this](TMessage& M) { WndProc(M); }), FParent(Parent) {}

TWinControl::~TWinControl() {
  Application.ControlDestroyed(this);
  for (TGraphicControl* C : FControls) C->FParent = nullptr;
  if (FHandle) {
    HWND Wnd = FHandle;
    FCanvas.SetHandle(nullptr);
    Detach();
    DestroyWindow(Wnd);
  }
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
  auto It = HandleMap().find(Wnd);
  return It == HandleMap().end() ? nullptr : It->second;
}

void TWinControl::Attach(HWND Wnd) {
  FHandle = Wnd;
  HandleMap()[Wnd] = this;
}

void TWinControl::Detach() {
  if (!FHandle) return;
  HandleMap().erase(FHandle);
  if (FDefWndProc)
    SetWindowLongPtrW(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FDefWndProc));
  FHandle = nullptr;
}

void TWinControl::CreateHandle(const TCreateParams& P) {
  FClassName = P.ClassName;
  FCaption = P.Caption;
  HWND ParentWnd = FParent ? FParent->Handle() : P.WndParent;
  DWORD Style = P.Style | (FParent ? WS_CHILD : 0);
  if (!P.SystemClass) RegisterFrameworkClass(P.ClassName, P.ClassStyle, &StaticWndProc);
  HWND Wnd = CreateWindowExW(P.ExStyle, P.ClassName.c_str(), P.Caption.c_str(), Style,
                             P.Bounds.Left, P.Bounds.Top, P.Bounds.Width(), P.Bounds.Height(),
                             ParentWnd, nullptr, GetModuleHandleW(nullptr),
                             P.SystemClass ? nullptr : this);
  if (!Wnd) throw EOSError("CreateWindowEx failed");
  if (P.SystemClass) {
    Attach(Wnd);
    FDefWndProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&StaticWndProc)));
    SendMessageW(Wnd, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
  } else {
    FCanvas.SetHandle(GetDC(Wnd));  // the window's own context (CS_OWNDC)
    FCanvas.Font.Assign(Font);
  }
  FLastClientWidth = ClientWidth();
  FLastClientHeight = ClientHeight();
}

void TWinControl::RecreateHandle(const TCreateParams& Params) {
  if (FHandle) {
    HWND Wnd = FHandle;
    FCanvas.SetHandle(nullptr);
    Detach();
    FDefWndProc = nullptr;
    DestroyWindow(Wnd);
  }
  CreateHandle(Params);
}

LRESULT CALLBACK TWinControl::StaticWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  if (Msg == WM_NCCREATE) {
    auto* CS = reinterpret_cast<CREATESTRUCTW*>(LParam);
    if (CS->lpCreateParams) static_cast<TWinControl*>(CS->lpCreateParams)->Attach(Wnd);
  }
  TWinControl* Control = FindControl(Wnd);
  if (!Control) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  return Control->Dispatch(Wnd, Msg, WParam, LParam);
}

LRESULT TWinControl::Dispatch(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TMessage M{Wnd, Msg, WParam, LParam, 0};
  try {
    WindowProc(M);
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
  if (Msg == WM_NCDESTROY && FindControl(Wnd) == this) {
    FCanvas.SetHandle(nullptr);
    HandleMap().erase(Wnd);
    FHandle = nullptr;
  }
  return M.Result;
}

void TWinControl::DefaultHandler(TMessage& M) {
  M.Result = FDefWndProc ? CallWindowProcW(FDefWndProc, M.Wnd, M.Msg, M.WParam, M.LParam)
                         : DefWindowProcW(M.Wnd, M.Msg, M.WParam, M.LParam);
}

bool TWinControl::Reflect(TMessage& M, HWND Child) {
  TWinControl* Control = Child && Child != FHandle ? FindControl(Child) : nullptr;
  if (!Control) return false;
  M.Result = Control->Perform(CN_BASE + M.Msg, M.WParam, M.LParam);
  // A control that chooses no colours of its own gets the platform's.
  bool ColourMessage = M.Msg >= WM_CTLCOLORMSGBOX && M.Msg <= WM_CTLCOLORSTATIC;
  return !(ColourMessage && M.Result == 0);
}

void TWinControl::WndProc(TMessage& M) {
  bool System = FDefWndProc != nullptr;
  // A platform control acts on the mouse first (a list box selects the
  // line under a press), then the hooks see the result.
  bool DefaultFirst =
      System && DefaultMouseFirst && M.Msg >= WM_MOUSEMOVE && M.Msg <= WM_MBUTTONDBLCLK;
  if (DefaultFirst) DefaultHandler(M);
  const LRESULT DefaultResult = M.Result;
  switch (M.Msg) {
    case WM_PAINT: if (System) break; WMPaint(M); return;
    case WM_ERASEBKGND: if (System) break; WMEraseBkgnd(M); return;
    case WM_LBUTTONDOWN: WMMouseButton(M, TMouseButton::mbLeft, true, false); break;
    case WM_RBUTTONDOWN: WMMouseButton(M, TMouseButton::mbRight, true, false); break;
    case WM_MBUTTONDOWN: WMMouseButton(M, TMouseButton::mbMiddle, true, false); break;
    case WM_LBUTTONDBLCLK: WMMouseButton(M, TMouseButton::mbLeft, true, true); break;
    case WM_RBUTTONDBLCLK: WMMouseButton(M, TMouseButton::mbRight, true, true); break;
    case WM_LBUTTONUP: WMMouseButton(M, TMouseButton::mbLeft, false, false); break;
    case WM_RBUTTONUP: WMMouseButton(M, TMouseButton::mbRight, false, false); break;
    case WM_MBUTTONUP: WMMouseButton(M, TMouseButton::mbMiddle, false, false); break;
    case WM_MOUSEMOVE: WMMouseMove(M); break;
    case WM_MOUSELEAVE: WMMouseLeave(M); break;
    case WM_CAPTURECHANGED:
      if (reinterpret_cast<HWND>(M.LParam) != FHandle) FMouseControl = nullptr;
      break;
    case WM_SETCURSOR: WMSetCursor(M); return;
    case WM_CONTEXTMENU: if (WMContextMenu(M)) return; break;
    case WM_SIZE: WMSize(M); break;
    case WM_SETFOCUS: NoteFocus(); break;
    case WM_KEYDOWN: case WM_SYSKEYDOWN: case WM_KEYUP: case WM_SYSKEYUP: case WM_CHAR:
      WMKey(M);
      return;
    case WM_COMMAND: case WM_HSCROLL: case WM_VSCROLL: case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN: case WM_CTLCOLORSTATIC:
      if (Reflect(M, reinterpret_cast<HWND>(M.LParam))) return;
      break;
    case WM_NOTIFY:
      if (Reflect(M, reinterpret_cast<NMHDR*>(M.LParam)->hwndFrom)) return;
      break;
    case WM_DRAWITEM: {
      auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
      if (DI->CtlType != ODT_MENU && Reflect(M, DI->hwndItem)) return;
      break;
    }
    case CM_MOUSEENTER: MouseEnter(); return;
    case CM_MOUSELEAVE: MouseLeave(); return;
    case CM_WANTSPECIALKEY: M.Result = 0; return;
    default: break;
  }
  if (DefaultFirst) {
    M.Result = DefaultResult;
    return;
  }
  DefaultHandler(M);
}

// ---------------------------------------------------------------- hooks

void TWinControl::Paint() {
  if (OnPaint) OnPaint(this);
}
void TWinControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TWinControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TWinControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
void TWinControl::DblClick(int X, int Y) {
  if (OnDblClick) OnDblClick(this, ssLeft | ssDouble, X, Y);
}
void TWinControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}
void TWinControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}
void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::KeyPress(wchar_t& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::Resize() {
  if (OnResize) OnResize(this);
}

bool TWinControl::EraseBackground() {
  TBrush Saved = FCanvas.Brush;
  FCanvas.Brush.Style = TBrushStyle::bsSolid;
  FCanvas.Brush.Color = FColor;
  FCanvas.FillRect(FCanvas.ClipRect());
  FCanvas.Brush = Saved;
  return true;
}

// ------------------------------------------------------ message handlers

namespace {

// Points the canvas at a context for the length of one message.
class TCanvasSwap {
 public:
  TCanvasSwap(TCanvas& Canvas, HDC DC) : FCanvas(Canvas), FOld(Canvas.Handle()) {
    FCanvas.SetHandle(DC);
  }
  ~TCanvasSwap() { FCanvas.SetHandle(FOld); }

 private:
  TCanvas& FCanvas;
  HDC FOld;
};

// Keeps a canvas's font and brush for the length of a scope: graphic
// controls paint on their parent's canvas and leave it as they found it.
class TCanvasLookSave {
 public:
  explicit TCanvasLookSave(TCanvas& Canvas) : FCanvas(Canvas), FBrush(Canvas.Brush) {
    FFont.Assign(Canvas.Font);
  }
  ~TCanvasLookSave() {
    FCanvas.Font.Assign(FFont);
    FCanvas.Brush = FBrush;
  }

 private:
  TCanvas& FCanvas;
  TFont FFont;
  TBrush FBrush;
};

}  // namespace

void TWinControl::WMPaint(TMessage& M) {
  PAINTSTRUCT PS;
  HDC DC = BeginPaint(FHandle, &PS);
  struct TEndPaint {
    HWND Wnd;
    PAINTSTRUCT* PS;
    ~TEndPaint() { EndPaint(Wnd, PS); }
  } End{FHandle, &PS};
  TCanvasSwap Swap(FCanvas, DC);
  Paint();
  for (TGraphicControl* C : FControls) {
    if (!C->Visible) continue;
    POINT Old;
    SetViewportOrgEx(DC, C->Left(), C->Top(), &Old);
    {
      TCanvasLookSave Look(FCanvas);
      C->Paint(FCanvas);
    }
    SetViewportOrgEx(DC, Old.x, Old.y, nullptr);
  }
  M.Result = 0;
}

void TWinControl::WMEraseBkgnd(TMessage& M) {
  TCanvasSwap Swap(FCanvas, reinterpret_cast<HDC>(M.WParam));
  if (EraseBackground())
    M.Result = 1;
  else
    DefaultHandler(M);
}

TGraphicControl* TWinControl::ControlAtPos(int X, int Y) const {
  for (auto It = FControls.rbegin(); It != FControls.rend(); ++It) {
    TGraphicControl* C = *It;
    if (C->Visible && C->Enabled && C->FBounds.Contains(X, Y)) return C;
  }
  return nullptr;
}

void TWinControl::WMMouseButton(TMessage& M, TMouseButton Button, bool Down, bool Double) {
  int X = GET_X_LPARAM(M.LParam);
  int Y = GET_Y_LPARAM(M.LParam);
  TShiftState Shift = MouseShiftState(M.WParam) | (Double ? TShiftState(ssDouble) : 0u);
  bool System = FDefWndProc != nullptr;
  if (Down) {
    if (!System) SetCapture(FHandle);
    if (Double && Button == TMouseButton::mbLeft) DblClick(X, Y);
    if (TGraphicControl* C = ControlAtPos(X, Y)) {
      FMouseControl = C;
      C->MouseDown(Button, Shift, X - C->Left(), Y - C->Top());
    } else {
      MouseDown(Button, Shift, X, Y);
    }
    return;
  }
  // Releasing the capture clears FMouseControl (WM_CAPTURECHANGED): take
  // the control first.
  TGraphicControl* C = FMouseControl;
  FMouseControl = nullptr;
  if (!System && GetCapture() == FHandle && !(M.WParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
    ReleaseCapture();
  if (C) {
    C->MouseUp(Button, Shift, X - C->Left(), Y - C->Top());
  } else {
    MouseUp(Button, Shift, X, Y);
  }
}

void TWinControl::WMMouseMove(TMessage& M) {
  if (!FMouseInside) {
    FMouseInside = true;
    TRACKMOUSEEVENT T{sizeof(T), TME_LEAVE, FHandle, 0};
    TrackMouseEvent(&T);
    Perform(CM_MOUSEENTER);
  }
  int X = GET_X_LPARAM(M.LParam);
  int Y = GET_Y_LPARAM(M.LParam);
  TShiftState Shift = MouseShiftState(M.WParam);
  if (TGraphicControl* C = FMouseControl)
    C->MouseMove(Shift, X - C->Left(), Y - C->Top());
  else
    MouseMove(Shift, X, Y);
  // After the hooks: the widgets under the mouse have set the hint text.
  Application.HintMouseMessage(this);
}

void TWinControl::WMMouseLeave(TMessage& M) {
  FMouseInside = false;
  Application.HintControlLeft(this);
  Perform(CM_MOUSELEAVE);
}

TCursor TWinControl::CursorAt(int X, int Y) const {
  if (TGraphicControl* C = ControlAtPos(X, Y); C && C->Cursor != crDefault) return C->Cursor;
  return Cursor;
}

void TWinControl::WMSetCursor(TMessage& M) {
  if (reinterpret_cast<HWND>(M.WParam) == FHandle && LOWORD(M.LParam) == HTCLIENT) {
    TCursor C = Screen.Cursor();
    if (C == crDefault) {
      POINT P;
      GetCursorPos(&P);
      ::ScreenToClient(FHandle, &P);
      C = CursorAt(P.x, P.y);
    }
    if (C != crDefault) {
      ::SetCursor(Screen.Cursors(C));
      M.Result = 1;
      return;
    }
  }
  DefaultHandler(M);
}

void TWinControl::WMSize(TMessage& M) {
  int W = LOWORD(M.LParam);
  int H = HIWORD(M.LParam);
  int DW = W - FLastClientWidth;
  int DH = H - FLastClientHeight;
  FLastClientWidth = W;
  FLastClientHeight = H;
  if (DW || DH)
    for (TGraphicControl* C : FControls) C->ParentResized(DW, DH);
  Resize();
}

// A key goes to the top-level window first when it asks for KeyPreview,
// then to this window; a hook that sets the key to 0 consumes it.
void TWinControl::WMKey(TMessage& M) {
  TWinControl* Top = this;
  while (Top->FParent) Top = Top->FParent;
  std::vector<TWinControl*> Targets;
  if (Top != this && Top->KeyPreview) Targets.push_back(Top);
  Targets.push_back(this);
  if (M.Msg == WM_CHAR) {
    wchar_t Key = static_cast<wchar_t>(M.WParam);
    for (TWinControl* T : Targets) {
      T->KeyPress(Key);
      if (Key == 0) return;
    }
    M.WParam = Key;
  } else {
    WORD Key = static_cast<WORD>(M.WParam);
    bool Down = M.Msg == WM_KEYDOWN || M.Msg == WM_SYSKEYDOWN;
    for (TWinControl* T : Targets) {
      if (Down)
        T->KeyDown(Key, KeyboardShiftState());
      else
        T->KeyUp(Key, KeyboardShiftState());
      if (Key == 0) return;
    }
    M.WParam = Key;
  }
  DefaultHandler(M);
}

void TWinControl::NoteFocus() {
  TWinControl* Top = this;
  while (Top->FParent) Top = Top->FParent;
  if (Top != this) Top->FFocusedChild = FHandle;
}

bool TWinControl::WMContextMenu(TMessage& M) {
  if (!PopupMenu) return false;
  int X = GET_X_LPARAM(M.LParam);
  int Y = GET_Y_LPARAM(M.LParam);
  if (X == -1 && Y == -1) {  // from the keyboard
    TPoint P = ClientToScreen({0, 0});
    X = P.X;
    Y = P.Y;
  }
  PopupMenu->Popup(X, Y);
  M.Result = 0;
  return true;
}
