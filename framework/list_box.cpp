#include "framework/list_box.h"

#include <algorithm>

#include "framework/messages.h"

namespace {

LRESULT Send(HWND Wnd, UINT Msg, WPARAM W = 0, LPARAM L = 0) {
  return Wnd ? SendMessageW(Wnd, Msg, W, L) : LB_ERR;
}

}  // namespace

// ------------------------------------------------------------ TListBox

TListBox::TListBox(TWinControl* Parent, TListBoxStyle Style) : TStdControl(Parent), FStyle(Style) {
  DefaultMouseFirst = true;
  SetColor(clWhite);
  CreateControl(L"LISTBOX", StyleBits(), WS_EX_CLIENTEDGE, Bounds(0, 0, 121, 97));
}

DWORD TListBox::StyleBits() const {
  DWORD Style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
  if (FMultiSelect) Style |= LBS_EXTENDEDSEL;
  return Style;
}

void TListBox::Notify(WORD Code) {
  if (Code == LBN_SELCHANGE) Click();
}

void TListBox::WndProc(TMessage& M) {
  if (M.Msg == CN_DRAWITEM) {
    DrawItemMessage(M);
    return;
  }
  TStdControl::WndProc(M);
}

void TListBox::DrawItemMessage(TMessage& M) {
  auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
  M.Result = TRUE;
  if (static_cast<int>(DI->itemID) < 0) return;  // an empty list with the focus
  TCanvas& C = Canvas();
  C.SetHandle(DI->hDC);
  C.Font.Assign(Font);
  struct TRelease {
    TCanvas& C;
    ~TRelease() { C.SetHandle(nullptr); }
  } Release{C};
  TRect R{DI->rcItem.left, DI->rcItem.top, DI->rcItem.right, DI->rcItem.bottom};
  DrawItem(static_cast<int>(DI->itemID), R, DI->itemState);
}

void TListBox::DrawItem(int Index, const TRect& Rect, UINT State) {
  if (OnDrawItem) {
    OnDrawItem(this, Index, Rect, State);
    return;
  }
  TCanvas& C = Canvas();
  bool Sel = State & ODS_SELECTED;
  C.Brush.Style = TBrushStyle::bsSolid;
  C.Brush.Color = Sel ? GetSysColor(COLOR_HIGHLIGHT) : Color();
  C.FillRect(Rect);
  C.Font.SetColor(Sel ? GetSysColor(COLOR_HIGHLIGHTTEXT) : Font.Color());
  C.Brush.Style = TBrushStyle::bsClear;
  C.DrawText(Items(Index), Rect.Offset(2, 0), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

int TListBox::Count() const {
  return HandleAllocated() ? static_cast<int>(Send(Handle(), LB_GETCOUNT)) : 0;
}

std::wstring TListBox::Items(int Index) const {
  if (Index < 0 || Index >= Count()) return {};
  auto Length = Send(Handle(), LB_GETTEXTLEN, Index);
  std::wstring Text(Length + 1, L'\0');
  Text.resize(Send(Handle(), LB_GETTEXT, Index, reinterpret_cast<LPARAM>(Text.data())));
  return Text;
}

std::vector<std::wstring> TListBox::ItemsText() const {
  std::vector<std::wstring> All;
  for (int I = 0, N = Count(); I < N; ++I) All.push_back(Items(I));
  return All;
}

int TListBox::Add(const std::wstring& Item) {
  Insert(Count(), Item);
  return Count() - 1;
}

void TListBox::Insert(int Index, const std::wstring& Item) {
  auto At = Send(Handle(), LB_INSERTSTRING, Index, reinterpret_cast<LPARAM>(Item.c_str()));
  if (At >= 0) Send(Handle(), LB_SETITEMDATA, At, 0);
}

void TListBox::Delete(int Index) { Send(Handle(), LB_DELETESTRING, Index); }

void TListBox::Clear() { Send(Handle(), LB_RESETCONTENT); }

void TListBox::SetItems(const std::vector<std::wstring>& Lines) {
  std::size_t Chars = 0;
  for (const std::wstring& Line : Lines) Chars += Line.size() + 1;
  Send(Handle(), WM_SETREDRAW, FALSE);
  Send(Handle(), LB_RESETCONTENT);
  Send(Handle(), LB_INITSTORAGE, Lines.size(), static_cast<LPARAM>(Chars * sizeof(wchar_t)));
  for (const std::wstring& Line : Lines) Insert(Count(), Line);
  Send(Handle(), WM_SETREDRAW, TRUE);
  Invalidate();
}

void TListBox::SetItem(int Index, const std::wstring& Item) {
  if (Index < 0 || Index >= Count()) return;
  bool WasSelected = Selected(Index);
  bool WasCurrent = ItemIndex() == Index;
  LRESULT Data = Send(Handle(), LB_GETITEMDATA, Index);
  int Top = TopIndex();
  Send(Handle(), LB_DELETESTRING, Index);
  Send(Handle(), LB_INSERTSTRING, Index, reinterpret_cast<LPARAM>(Item.c_str()));
  Send(Handle(), LB_SETITEMDATA, Index, Data);
  if (WasCurrent && !FMultiSelect) SetItemIndex(Index);
  else if (WasSelected) SetSelected(Index, true);
  SetTopIndex(Top);
}

void TListBox::Move(int From, int To) {
  int N = Count();
  if (From < 0 || From >= N || To < 0 || To >= N || From == To) return;
  std::vector<bool> Marks;
  for (int I = 0; I < N; ++I) Marks.push_back(Selected(I));
  int Current = ItemIndex();
  std::wstring Text = Items(From);
  LRESULT Data = Send(Handle(), LB_GETITEMDATA, From);
  int Top = TopIndex();
  Send(Handle(), LB_DELETESTRING, From);
  Send(Handle(), LB_INSERTSTRING, To, reinterpret_cast<LPARAM>(Text.c_str()));
  Send(Handle(), LB_SETITEMDATA, To, Data);
  // Where a line now stands that stood at I before.
  auto NewIndex = [From, To](int I) {
    if (I == From) return To;
    if (From < I && I <= To) return I - 1;
    if (To <= I && I < From) return I + 1;
    return I;
  };
  if (!FMultiSelect) {
    SetItemIndex(Current < 0 ? -1 : NewIndex(Current));
  } else {
    for (int I = 0; I < N; ++I) Send(Handle(), LB_SETSEL, Marks[I], NewIndex(I));
    if (Current >= 0) Send(Handle(), LB_SETCARETINDEX, NewIndex(Current), FALSE);
  }
  SetTopIndex(Top);
}

void TListBox::Exchange(int A, int B) {
  if (A == B) return;
  int Low = std::min(A, B), High = std::max(A, B);
  Move(High, Low);
  Move(Low + 1, High);
}

int TListBox::IndexOf(const std::wstring& Item) const {
  for (int I = 0, N = Count(); I < N; ++I)
    if (Items(I) == Item) return I;
  return -1;
}

int TListBox::ItemIndex() const {
  if (!HandleAllocated()) return -1;
  if (!FMultiSelect) return static_cast<int>(Send(Handle(), LB_GETCURSEL));
  int Caret = static_cast<int>(Send(Handle(), LB_GETCARETINDEX));
  return Caret >= 0 && Caret < Count() && Selected(Caret) ? Caret : -1;
}

void TListBox::SetItemIndex(int Index) {
  if (!FMultiSelect) {
    Send(Handle(), LB_SETCURSEL, Index);
    return;
  }
  Send(Handle(), LB_SETSEL, FALSE, -1);
  if (Index < 0) return;
  Send(Handle(), LB_SETSEL, TRUE, Index);
  Send(Handle(), LB_SETCARETINDEX, Index, FALSE);
}

bool TListBox::Selected(int Index) const {
  if (!HandleAllocated()) return false;
  if (!FMultiSelect) return Index >= 0 && Send(Handle(), LB_GETCURSEL) == Index;
  return Send(Handle(), LB_GETSEL, Index) > 0;
}

void TListBox::SetSelected(int Index, bool Selected) {
  if (!FMultiSelect) {
    if (Selected) SetItemIndex(Index);
    else if (ItemIndex() == Index) SetItemIndex(-1);
    return;
  }
  Send(Handle(), LB_SETSEL, Selected, Index);
}

int TListBox::SelCount() const {
  if (!FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
  return static_cast<int>(Send(Handle(), LB_GETSELCOUNT));
}

void TListBox::SelectAll() {
  if (FMultiSelect) Send(Handle(), LB_SETSEL, TRUE, -1);
}

void TListBox::ClearSelection() { SetItemIndex(-1); }

void TListBox::SetMultiSelect(bool MultiSelect) {
  if (MultiSelect == FMultiSelect) return;
  std::vector<std::wstring> Lines = ItemsText();
  std::vector<LRESULT> Data;
  std::vector<bool> Marks;
  for (int I = 0; I < static_cast<int>(Lines.size()); ++I) {
    Data.push_back(Send(Handle(), LB_GETITEMDATA, I));
    Marks.push_back(Selected(I));
  }
  int Current = ItemIndex();
  int Top = TopIndex();
  int Height = ItemHeight();
  FMultiSelect = MultiSelect;
  RecreateControl(StyleBits());
  if (FStyle == TListBoxStyle::lbOwnerDrawFixed) SetItemHeight(Height);
  for (size_t I = 0; I < Lines.size(); ++I) {
    Add(Lines[I]);
    Send(Handle(), LB_SETITEMDATA, I, Data[I]);
  }
  if (MultiSelect) {
    for (size_t I = 0; I < Marks.size(); ++I)
      if (Marks[I]) Send(Handle(), LB_SETSEL, TRUE, I);
    if (Current >= 0) Send(Handle(), LB_SETCARETINDEX, Current, FALSE);
  } else {
    SetItemIndex(Current);
  }
  SetTopIndex(Top);
}

int TListBox::TopIndex() const {
  return HandleAllocated() ? static_cast<int>(Send(Handle(), LB_GETTOPINDEX)) : 0;
}

void TListBox::SetTopIndex(int Index) { Send(Handle(), LB_SETTOPINDEX, std::max(Index, 0)); }

int TListBox::ItemHeight() const {
  return HandleAllocated() ? static_cast<int>(Send(Handle(), LB_GETITEMHEIGHT, 0)) : 0;
}

void TListBox::SetItemHeight(int Height) {
  Send(Handle(), LB_SETITEMHEIGHT, 0, MAKELPARAM(Height, 0));
  Invalidate();
}

int TListBox::ItemAtPos(int X, int Y) const {
  for (int I = TopIndex(), N = Count(); I < N; ++I) {
    TRect R = ItemRect(I);
    if (R.Top > Y) break;
    if (R.Contains(X, Y)) return I;
  }
  return -1;
}

TRect TListBox::ItemRect(int Index) const {
  RECT R{};
  if (Send(Handle(), LB_GETITEMRECT, Index, reinterpret_cast<LPARAM>(&R)) == LB_ERR) return {};
  return {R.left, R.top, R.right, R.bottom};
}

// ------------------------------------------------------- TCheckListBox

TCheckListBox::TCheckListBox(TWinControl* Parent)
    : TListBox(Parent, TListBoxStyle::lbOwnerDrawFixed) {
  SetItemHeight(16);
}

bool TCheckListBox::Checked(int Index) const {
  LRESULT Data = HandleAllocated() ? SendMessageW(Handle(), LB_GETITEMDATA, Index, 0) : 0;
  return Data != LB_ERR && Data != 0;
}

void TCheckListBox::SetChecked(int Index, bool Checked) {
  if (Index < 0 || Index >= Count()) return;
  SendMessageW(Handle(), LB_SETITEMDATA, Index, Checked ? 1 : 0);
  InvalidateRect(ItemRect(Index));
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::Toggle(int Index) {
  if (Index < 0 || Index >= Count()) return;
  SetChecked(Index, !Checked(Index));
  ClickCheck();
}

void TCheckListBox::DrawItem(int Index, const TRect& Rect, UINT State) {
  TCanvas& C = Canvas();
  C.Brush.Style = TBrushStyle::bsSolid;
  C.Brush.Color = Color();
  C.FillRect(::Rect(Rect.Left, Rect.Top, Rect.Left + CheckWidth(), Rect.Bottom));
  int Box = std::min(13, Rect.Height() - 2);
  int Top = Rect.Top + (Rect.Height() - Box) / 2;
  RECT Check{Rect.Left + 2, Top, Rect.Left + 2 + Box, Top + Box};
  DrawFrameControl(C.Handle(), &Check, DFC_BUTTON,
                   DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(Index) ? DFCS_CHECKED : 0));
  TListBox::DrawItem(Index, ::Rect(Rect.Left + CheckWidth(), Rect.Top, Rect.Right, Rect.Bottom),
                     State);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == TMouseButton::mbLeft && X < CheckWidth()) Toggle(ItemAtPos(X, Y));
  TListBox::MouseDown(Button, Shift, X, Y);
}

void TCheckListBox::KeyDown(WORD& Key, TShiftState Shift) {
  TListBox::KeyDown(Key, Shift);
  if (Key == VK_SPACE && Shift == 0) Toggle(ItemIndex());
}
