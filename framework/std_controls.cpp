#include "framework/std_controls.h"

#include <algorithm>

#include <commctrl.h>

#include "framework/forms.h"
#include "framework/late_library.h"
#include "framework/messages.h"

void RegisterCommonControls(DWORD Classes) {
  using TInit = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
  static const TInit Init = LateFunction<TInit>(L"comctl32.dll", "InitCommonControlsEx");
  static DWORD Registered = 0;
  if (!Init || (Registered & Classes) == Classes) return;
  const INITCOMMONCONTROLSEX Wanted{sizeof(INITCOMMONCONTROLSEX), Classes};
  if (Init(&Wanted)) Registered |= Classes;
}

// --------------------------------------------------------- TStdControl

TStdControl::TStdControl(TWinControl* Parent) : TWinControl(Parent) {
  if (Parent) {
    Font.Assign(Parent->Font);
    SetColor(Parent->Color());
  }
}

TStdControl::~TStdControl() {
  if (FBrush) DeleteObject(FBrush);
}

void TStdControl::CreateControl(const std::wstring& ClassName, DWORD Style, DWORD ExStyle,
                                const TRect& Bounds) {
  FControlClass = ClassName;
  FStyle = Style;
  FExStyle = ExStyle;
  TCreateParams P;
  P.ClassName = ClassName;
  P.SystemClass = true;
  P.Style = Style | WS_CLIPSIBLINGS | WS_VISIBLE;
  P.ExStyle = ExStyle;
  P.Bounds = Bounds;
  CreateHandle(P);
}

void TStdControl::RecreateControl(DWORD Style) {
  TRect Place = BoundsRect();
  bool WasVisible = Visible(), WasEnabled = Enabled();
  FStyle = Style;
  TCreateParams P;
  P.ClassName = FControlClass;
  P.SystemClass = true;
  P.Style = Style | WS_CLIPSIBLINGS | (WasVisible ? WS_VISIBLE : 0);
  P.ExStyle = FExStyle;
  P.Bounds = Place;
  RecreateHandle(P);
  if (!WasEnabled) SetEnabled(false);
}

void TStdControl::Click() {
  if (OnClick) OnClick(this);
}
void TStdControl::Change() {
  if (OnChange) OnChange(this);
}
void TStdControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TStdControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TStdControl::Notify(WORD Code) {}

LRESULT TStdControl::ColorMessage(HDC DC) {
  if (!FBrush || FBrushColor != Color()) {
    if (FBrush) DeleteObject(FBrush);
    FBrush = CreateSolidBrush(Color());
    FBrushColor = Color();
  }
  SetTextColor(DC, Font.Color());
  SetBkColor(DC, Color());
  return reinterpret_cast<LRESULT>(FBrush);
}

void TStdControl::WndProc(TMessage& M) {
  switch (M.Msg) {
    case CN_COMMAND:
      Notify(HIWORD(M.WParam));
      M.Result = 0;
      return;
    case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX: case CN_CTLCOLORBTN: case CN_CTLCOLORSTATIC:
      M.Result = ColorMessage(reinterpret_cast<HDC>(M.WParam));
      return;
    case WM_SETFOCUS:
      TWinControl::WndProc(M);
      DoEnter();
      return;
    case WM_KILLFOCUS:
      TWinControl::WndProc(M);
      DoExit();
      return;
    default:
      break;
  }
  TWinControl::WndProc(M);
}

std::wstring TStdControl::Text() const {
  if (!HandleAllocated()) return {};
  int Length = GetWindowTextLengthW(Handle());
  std::wstring Text(Length + 1, L'\0');
  Text.resize(GetWindowTextW(Handle(), Text.data(), Length + 1));
  return Text;
}

void TStdControl::SetText(const std::wstring& Text) { SetCaption(Text); }

// --------------------------------------------------------- TCustomEdit

TCustomEdit::TCustomEdit(TWinControl* Parent, DWORD Style) : TStdControl(Parent) {
  SetColor(clWhite);
  CreateControl(L"EDIT", Style | WS_TABSTOP, WS_EX_CLIENTEDGE, Bounds(0, 0, 121, 21));
}

void TCustomEdit::Notify(WORD Code) {
  if (Code == EN_CHANGE) Change();
}

int TCustomEdit::MaxLength() const {
  if (!HandleAllocated()) return 0;
  auto Limit = static_cast<unsigned>(SendMessageW(Handle(), EM_GETLIMITTEXT, 0, 0));
  // An unlimited edit reports the platform's own ceiling.
  return Limit >= 0x7FFFFFFE ? 0 : static_cast<int>(Limit);
}

void TCustomEdit::SetMaxLength(int Length) {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETLIMITTEXT, std::max(Length, 0), 0);
}

bool TCustomEdit::ReadOnly() const {
  return HandleAllocated() && (GetWindowLongW(Handle(), GWL_STYLE) & ES_READONLY);
}

void TCustomEdit::SetReadOnly(bool ReadOnly) {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, ReadOnly, 0);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}


// --------------------------------------------------------------- TEdit

TEdit::TEdit(TWinControl* Parent) : TCustomEdit(Parent, ES_AUTOHSCROLL) {}

bool TEdit::NumbersOnly() const {
  return HandleAllocated() && (GetWindowLongW(Handle(), GWL_STYLE) & ES_NUMBER);
}

void TEdit::SetNumbersOnly(bool NumbersOnly) {
  if (!HandleAllocated()) return;
  LONG Style = GetWindowLongW(Handle(), GWL_STYLE);
  SetWindowLongW(Handle(), GWL_STYLE, NumbersOnly ? Style | ES_NUMBER : Style & ~ES_NUMBER);
}

// --------------------------------------------------------------- TMemo

namespace {

DWORD ScrollBarStyle(TScrollStyle S) {
  switch (S) {
    case TScrollStyle::ssHorizontal: return WS_HSCROLL | ES_AUTOHSCROLL;
    case TScrollStyle::ssVertical: return WS_VSCROLL;
    case TScrollStyle::ssBoth: return WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL;
    case TScrollStyle::ssNone: break;
  }
  return 0;
}

constexpr DWORD kMemoStyle = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN;

}  // namespace

TMemo::TMemo(TWinControl* Parent, TScrollStyle ScrollBars)
    : TCustomEdit(Parent, kMemoStyle | ScrollBarStyle(ScrollBars)), FScrollBars(ScrollBars) {
  SetBounds(0, 0, 185, 89);
}

std::vector<std::wstring> TMemo::Lines() const {
  std::vector<std::wstring> Result;
  std::wstring All = Text();
  size_t Start = 0;
  while (Start < All.size()) {
    size_t End = All.find(L"\r\n", Start);
    if (End == std::wstring::npos) End = All.size();
    Result.push_back(All.substr(Start, End - Start));
    Start = End + 2;
  }
  return Result;
}

void TMemo::SetLines(const std::vector<std::wstring>& Lines) {
  std::wstring All;
  for (size_t I = 0; I < Lines.size(); ++I) {
    if (I) All += L"\r\n";
    All += Lines[I];
  }
  SetText(All);
}

void TMemo::AddLine(const std::wstring& Line) {
  if (!HandleAllocated()) return;
  std::wstring Add = (GetWindowTextLengthW(Handle()) ? L"\r\n" : L"") + Line;
  int End = GetWindowTextLengthW(Handle());
  SendMessageW(Handle(), EM_SETSEL, End, End);
  SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Add.c_str()));
}

void TMemo::SetTabStop(int Pixels) {
  if (!HandleAllocated()) return;
  // The average character width as the platform takes it: the 52 letters'
  // width over 52, rounded.
  TBitmap Measure(1, 1);
  Measure.Canvas().Font.Assign(Font);
  const int Letters = Measure.Canvas().TextWidth(L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ");
  const int Average = std::max(1, (Letters / 26 + 1) / 2);
  INT Stop = (Pixels * 4 + Average - 1) / Average;
  SendMessageW(Handle(), EM_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&Stop));
  Invalidate();
}

void TMemo::SetScrollBars(TScrollStyle ScrollBars) {
  if (ScrollBars == FScrollBars) return;
  std::wstring Kept = Text();
  int Limit = MaxLength();
  bool WasReadOnly = ReadOnly();
  FScrollBars = ScrollBars;
  RecreateControl(kMemoStyle | WS_TABSTOP | ScrollBarStyle(ScrollBars) |
                  (WasReadOnly ? ES_READONLY : 0));
  SetText(Kept);
  SetMaxLength(Limit);
}

// ------------------------------------------------------------- TButton

TButton::TButton(TWinControl* Parent) : TStdControl(Parent) {
  CreateControl(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, Bounds(0, 0, 75, 25));
}

bool TButton::Default() const {
  return HandleAllocated() && (GetWindowLongW(Handle(), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
}

void TButton::SetDefault(bool Default) {
  if (HandleAllocated())
    SendMessageW(Handle(), BM_SETSTYLE, Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Notify(WORD Code) {
  if (Code != BN_CLICKED) return;
  Click();
  if (ModalResult == mrNone) return;
  TWinControl* Top = this;
  while (Top->Parent()) Top = Top->Parent();
  if (auto* Form = dynamic_cast<TForm*>(Top); Form && Form->IsModal())
    Form->ModalResult = ModalResult;
}

// -------------------------------------------------------- TRadioButton

TRadioButton::TRadioButton(TWinControl* Parent) : TStdControl(Parent) {
  CreateControl(L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, Bounds(0, 0, 113, 17));
}

bool TRadioButton::Checked() const {
  return HandleAllocated() && SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TRadioButton::SetChecked(bool Checked) {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), BM_SETCHECK, Checked ? BST_CHECKED : BST_UNCHECKED, 0);
  if (!Checked) return;
  // The platform unchecks the others only for the user's clicks.
  for (HWND W = GetWindow(GetParent(Handle()), GW_CHILD); W; W = GetWindow(W, GW_HWNDNEXT))
    if (W != Handle() && dynamic_cast<TRadioButton*>(FindControl(W)))
      SendMessageW(W, BM_SETCHECK, BST_UNCHECKED, 0);
}

void TRadioButton::Notify(WORD Code) {
  if (Code == BN_CLICKED) Click();
}

// ----------------------------------------------------------- TGroupBox

TGroupBox::TGroupBox(TWinControl* Parent) : TStdControl(Parent) {
  CreateControl(L"BUTTON", BS_GROUPBOX, 0, Bounds(0, 0, 185, 105));
}

void TGroupBox::WndProc(TMessage& M) {
  if (M.Msg == WM_ERASEBKGND) {
    RECT R;
    GetClientRect(Handle(), &R);
    HBRUSH Brush = CreateSolidBrush(Color());
    FillRect(reinterpret_cast<HDC>(M.WParam), &R, Brush);
    DeleteObject(Brush);
    M.Result = 1;
    return;
  }
  TStdControl::WndProc(M);
}

// ----------------------------------------------------------- TComboBox

TComboBox::TComboBox(TWinControl* Parent, TComboBoxStyle Style)
    : TStdControl(Parent), FComboStyle(Style) {
  SetColor(clWhite);
  DWORD Kind = Style == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST
                                                       : CBS_DROPDOWN | CBS_AUTOHSCROLL;
  CreateControl(L"COMBOBOX", Kind | WS_VSCROLL | WS_TABSTOP, 0, Bounds(0, 0, 145, 200));
}

int TComboBox::Count() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::wstring TComboBox::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return {};
  auto Length = SendMessageW(Handle(), CB_GETLBTEXTLEN, Index, 0);
  std::wstring Text(Length + 1, L'\0');
  Text.resize(SendMessageW(Handle(), CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(Text.data())));
  return Text;
}

int TComboBox::Add(const std::wstring& Item) {
  return static_cast<int>(
      SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Item.c_str())));
}

void TComboBox::Insert(int Index, const std::wstring& Item) {
  SendMessageW(Handle(), CB_INSERTSTRING, Index, reinterpret_cast<LPARAM>(Item.c_str()));
}

void TComboBox::Delete(int Index) { SendMessageW(Handle(), CB_DELETESTRING, Index, 0); }

void TComboBox::Clear() { SendMessageW(Handle(), CB_RESETCONTENT, 0, 0); }

void TComboBox::SetItems(const std::vector<std::wstring>& Items) {
  Clear();
  for (const std::wstring& Item : Items) Add(Item);
}

int TComboBox::ItemIndex() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void TComboBox::SetItemIndex(int Index) { SendMessageW(Handle(), CB_SETCURSEL, Index, 0); }

void TComboBox::SetText(const std::wstring& Text) {
  if (FComboStyle == TComboBoxStyle::csDropDown) {
    TStdControl::SetText(Text);
    return;
  }
  auto Found = SendMessageW(Handle(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>(Text.c_str()));
  // The search ignores case; the text must match exactly.
  if (Found != CB_ERR && Items(static_cast<int>(Found)) != Text) Found = CB_ERR;
  SetItemIndex(Found == CB_ERR ? -1 : static_cast<int>(Found));
}

int TComboBox::DropDownWidth() const {
  return static_cast<int>(SendMessageW(Handle(), CB_GETDROPPEDWIDTH, 0, 0));
}

void TComboBox::SetDropDownWidth(int Width) {
  SendMessageW(Handle(), CB_SETDROPPEDWIDTH, Width, 0);
}

void TComboBox::SetBounds(int Left, int Top, int Width, int Height) {
  int ItemHeight = HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0)) : 16;
  TStdControl::SetBounds(Left, Top, Width, Height + DropDownCount * ItemHeight + 2);
}

void TComboBox::Notify(WORD Code) {
  if (Code == CBN_SELCHANGE || Code == CBN_EDITCHANGE) Change();
}

// ----------------------------------------------------------- TTrackBar

TTrackBar::TTrackBar(TWinControl* Parent, TTrackBarOrientation Orientation)
    : TStdControl(Parent) {
  RegisterCommonControls(ICC_BAR_CLASSES);
  bool Vertical = Orientation == TTrackBarOrientation::trVertical;
  CreateControl(TRACKBAR_CLASSW, (Vertical ? TBS_VERT : TBS_HORZ) | TBS_AUTOTICKS | WS_TABSTOP, 0,
                Vertical ? Bounds(0, 0, 45, 150) : Bounds(0, 0, 150, 45));
  SetRange(0, 10);
}

int TTrackBar::Min() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMIN, 0, 0)); }
int TTrackBar::Max() const { return static_cast<int>(SendMessageW(Handle(), TBM_GETRANGEMAX, 0, 0)); }

void TTrackBar::SetRange(int Min, int Max) {
  SendMessageW(Handle(), TBM_SETRANGEMIN, FALSE, Min);
  SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, std::max(Min, Max));
  SetPosition(std::clamp(Position(), Min, std::max(Min, Max)));
}

int TTrackBar::Position() const {
  return static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
}

void TTrackBar::SetPosition(int Position) {
  SendMessageW(Handle(), TBM_SETPOS, TRUE, Position);
  PositionMayHaveChanged();
}

void TTrackBar::PositionMayHaveChanged() {
  int Now = Position();
  if (Now == FLastPosition) return;
  FLastPosition = Now;
  Change();
}

void TTrackBar::WndProc(TMessage& M) {
  if (M.Msg == CN_HSCROLL || M.Msg == CN_VSCROLL) {
    PositionMayHaveChanged();
    M.Result = 0;
    return;
  }
  TStdControl::WndProc(M);
}
