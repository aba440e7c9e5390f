#include "app/tests/layout_walker.h"

#include <commctrl.h>

#include <cstring>

#include "framework/list_box.h"
#include "framework/unicode.h"
#include "kit/button.h"
#include "kit/checkbox.h"
#include "kit/label.h"
#include "kit/page_button.h"
#include "kit/skin_host.h"
#include "kit/skin_widget.h"

namespace lctest {

namespace {

// The platform check box's box and the gap before its caption.
constexpr int kCheckBoxPart = 16;
// A push button's frame and the least space beside its caption.
constexpr int kButtonFrame = 6;
// The padding of a tab on each side of its caption.
constexpr int kTabPadding = 4;

std::wstring WindowText(HWND Wnd) {
  std::wstring Text(static_cast<std::size_t>(GetWindowTextLengthW(Wnd)) + 1, L'\0');
  Text.resize(static_cast<std::size_t>(GetWindowTextW(Wnd, Text.data(), static_cast<int>(Text.size()))));
  return Text;
}

std::wstring ClassOf(HWND Wnd) {
  wchar_t Name[64] = {};
  GetClassNameW(Wnd, Name, 64);
  return Name;
}

HFONT FontOf(HWND Wnd) {
  const auto Font = reinterpret_cast<HFONT>(SendMessageW(Wnd, WM_GETFONT, 0, 0));
  return Font ? Font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

TRect FromRECT(const RECT& R) { return {R.left, R.top, R.right, R.bottom}; }

// Room inside R, less Left and Right pixels.
TRect Less(const TRect& R, int Left, int Right) { return {R.Left + Left, R.Top, R.Right - Right, R.Bottom}; }

}  // namespace

TSize MeasuredText(const std::wstring& Text, HFONT Font) {
  HDC DC = CreateCompatibleDC(nullptr);
  HGDIOBJ Old = SelectObject(DC, Font);
  RECT R{0, 0, 0, 0};
  DrawTextW(DC, Text.c_str(), static_cast<int>(Text.size()), &R, DT_CALCRECT | DT_NOPREFIX);
  SelectObject(DC, Old);
  DeleteDC(DC);
  return {R.right - R.left, R.bottom - R.top};
}

LayoutWalker::LayoutWalker(TWinControl& Window, std::string WindowName)
    : FWindow(Window), FWindowName(std::move(WindowName)) {
  AddWidgets(Window);
  AddLabels(Window, -1);
  WalkChildren(Window.Handle(), -1);
}

int LayoutWalker::AddArea(const std::string& Name, const TRect& Bounds, int Area) {
  FBoxes.push_back({FWindowName + ": " + Name, Bounds, Area});
  return static_cast<int>(FBoxes.size()) - 1;
}

void LayoutWalker::AddText(const std::string& Name, const TRect& Bounds, const std::wstring& Text, const TFont& Font,
                           const TRect& Room, int Area) {
  const TSize Extent = MeasuredText(Text, Font.Handle());
  FBoxes.push_back({NameOf(Name, Text), Bounds, Area, Room, Extent.cx, Extent.cy});
}

void LayoutWalker::AddBox(const std::string& Name, const TRect& Bounds, int Area) {
  FBoxes.push_back({FWindowName + ": " + Name, Bounds, Area});
}

std::vector<std::string> LayoutWalker::Faults() const {
  return lc::kit::LayoutFaults(FBoxes, {0, 0, FWindow.ClientWidth(), FWindow.ClientHeight()});
}

std::string LayoutWalker::NameOf(const std::string& Kind, const std::wstring& Text) const {
  return FWindowName + ": " + Kind + " \"" + WideToUtf8(Text) + "\"";
}

TRect LayoutWalker::InWindow(HWND Child) const {
  RECT R;
  GetWindowRect(Child, &R);
  MapWindowPoints(nullptr, FWindow.Handle(), reinterpret_cast<POINT*>(&R), 2);
  return FromRECT(R);
}

void LayoutWalker::WalkChildren(HWND Parent, int Area) {
  for (HWND Child = GetWindow(Parent, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT))
    if (IsWindowVisible(Child)) WalkChild(Child, Area);
}

void LayoutWalker::WalkChild(HWND Child, int Area) {
  const TRect Box = InWindow(Child);
  const std::wstring Class = ClassOf(Child);
  const std::wstring Text = WindowText(Child);
  TWinControl* Control = TWinControl::FindControl(Child);
  const LONG Style = GetWindowLongW(Child, GWL_STYLE);
  const auto Add = [&](const std::string& Kind, const std::wstring& Shown, HFONT Font, const TRect& Room) {
    const TSize Extent = Shown.empty() ? TSize{0, 0} : MeasuredText(Shown, Font);
    FBoxes.push_back({NameOf(Kind, Shown), Box, Area, Room, Extent.cx, Extent.cy});
    return static_cast<int>(FBoxes.size()) - 1;
  };
  if (auto* Page = dynamic_cast<TPageButton*>(Control)) {
    // A skinned caption button on a page: its caption image is its window.
    TBitmap Measure(1, 1);
    SetCaptionFont(Measure.Canvas());
    Add("button", Page->Button().Caption(), Measure.Canvas().Font.Handle(), Box);
    return;
  }
  if (_wcsicmp(Class.c_str(), L"Button") == 0) {
    const LONG Type = Style & BS_TYPEMASK;
    const bool Check = Type == BS_CHECKBOX || Type == BS_AUTOCHECKBOX || Type == BS_3STATE ||
                       Type == BS_AUTO3STATE || Type == BS_RADIOBUTTON || Type == BS_AUTORADIOBUTTON;
    if (Check)
      Add("check box", Text, FontOf(Child), Less(Box, kCheckBoxPart, 0));
    else if (Type == BS_GROUPBOX)
      WalkChildren(Child, Add("group", Text, FontOf(Child), Less(Box, 8, 8)));
    else
      Add("button", Text, FontOf(Child), Less(Box, kButtonFrame, kButtonFrame));
    return;
  }
  if (_wcsicmp(Class.c_str(), L"Edit") == 0) {
    AddEditLines(Child, Add("field", L"", nullptr, {}));
    return;
  }
  if (_wcsicmp(Class.c_str(), L"ComboBox") == 0) {
    Add("combo box", Text, FontOf(Child), Less(Box, 4, GetSystemMetrics(SM_CXVSCROLL) + 4));
    return;
  }
  if (_wcsicmp(Class.c_str(), L"ListBox") == 0) {
    AddListLines(Child, "line", Add("list", L"", nullptr, {}));
    return;
  }
  if (_wcsicmp(Class.c_str(), L"Static") == 0) {
    Add("text", Text, FontOf(Child), Box);
    return;
  }
  if (_wcsicmp(Class.c_str(), WC_TABCONTROLW) == 0) {
    const int Tabs = Add("tabs", L"", nullptr, {});
    const int Count = static_cast<int>(SendMessageW(Child, TCM_GETITEMCOUNT, 0, 0));
    for (int I = 0; I < Count; ++I) {
      wchar_t Caption[256] = {};
      TCITEMW Item{};
      Item.mask = TCIF_TEXT;
      Item.pszText = Caption;
      Item.cchTextMax = 256;
      SendMessageW(Child, TCM_GETITEMW, I, reinterpret_cast<LPARAM>(&Item));
      RECT R;
      SendMessageW(Child, TCM_GETITEMRECT, I, reinterpret_cast<LPARAM>(&R));
      MapWindowPoints(Child, FWindow.Handle(), reinterpret_cast<POINT*>(&R), 2);
      const TSize Extent = MeasuredText(Caption, FontOf(Child));
      FBoxes.push_back({NameOf("tab", Caption), {}, Tabs, Less(FromRECT(R), kTabPadding, kTabPadding), Extent.cx,
                        Extent.cy});
    }
    WalkChildren(Child, Tabs);
    if (Control) AddLabels(*Control, Tabs);
    return;
  }
  if (_wcsicmp(Class.c_str(), WC_TREEVIEWW) == 0) {
    const int Tree = Add("tree", L"", nullptr, {});
    RECT Client;
    GetClientRect(Child, &Client);
    for (HTREEITEM Item = TreeView_GetFirstVisible(Child); Item; Item = TreeView_GetNextVisible(Child, Item)) {
      RECT R;
      std::memcpy(&R, &Item, sizeof Item);  // the item asked about travels in the rectangle
      if (!SendMessageW(Child, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R))) continue;
      wchar_t Caption[256] = {};
      TVITEMW Line{};
      Line.mask = TVIF_TEXT;
      Line.hItem = Item;
      Line.pszText = Caption;
      Line.cchTextMax = 256;
      SendMessageW(Child, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&Line));
      // The line's text as the tree measured it, inside the tree's client area.
      FBoxes.push_back({NameOf("tree line", Caption), {}, Tree, {R.left, R.top, Client.right, R.bottom},
                        R.right - R.left, R.bottom - R.top});
    }
    return;
  }
  // Panels, pages, hot-key fields, track bars...: their box, then what they hold.
  const int Self = Add(WideToUtf8(Class), L"", nullptr, {});
  if (Control) AddLabels(*Control, Self);
  WalkChildren(Child, Self);
}

// Each line of an edit field where the field itself draws it: its last
// character must end inside the client area, left of the right margin.
void LayoutWalker::AddEditLines(HWND Edit, int Area) {
  RECT Client;
  GetClientRect(Edit, &Client);
  const int RightMargin = HIWORD(static_cast<DWORD>(SendMessageW(Edit, EM_GETMARGINS, 0, 0)));
  const std::wstring Text = WindowText(Edit);
  const int Lines = static_cast<int>(SendMessageW(Edit, EM_GETLINECOUNT, 0, 0));
  for (int L = 0; L < Lines; ++L) {
    const int First = static_cast<int>(SendMessageW(Edit, EM_LINEINDEX, L, 0));
    const int Length = static_cast<int>(SendMessageW(Edit, EM_LINELENGTH, First, 0));
    if (First < 0 || Length <= 0 || First + Length > static_cast<int>(Text.size())) continue;
    const int Last = First + Length - 1;
    const LRESULT At = SendMessageW(Edit, EM_POSFROMCHAR, Last, 0);
    const int End = static_cast<short>(LOWORD(At)) + MeasuredText(Text.substr(Last, 1), FontOf(Edit)).cx;
    FBoxes.push_back({NameOf("field line", Text.substr(First, Length)), {}, Area,
                      {0, 0, Client.right - RightMargin, 1}, End, 1});
  }
}

void LayoutWalker::AddListLines(HWND List, const std::string& Name, int Area) {
  auto* Lines = dynamic_cast<TListBox*>(TWinControl::FindControl(List));
  if (!Lines) return;
  auto* Checks = dynamic_cast<TCheckListBox*>(Lines);
  const int Indent = (Checks ? Checks->CheckWidth() : 0) + 2;
  RECT Client;
  GetClientRect(List, &Client);
  for (int I = 0; I < Lines->Count(); ++I) {
    RECT R;
    if (SendMessageW(List, LB_GETITEMRECT, I, reinterpret_cast<LPARAM>(&R)) == LB_ERR) continue;
    const std::wstring Text = Lines->Items(I);
    const TSize Extent = MeasuredText(Text, Lines->Font.Handle());
    FBoxes.push_back({NameOf(Name, Text), {}, Area, {Indent, 0, Client.right, R.bottom - R.top}, Extent.cx,
                      Extent.cy});
  }
}

void LayoutWalker::AddLabels(TWinControl& Control, int Area) {
  for (TGraphicControl* G : Control.Controls()) {
    auto* Label = dynamic_cast<TLabel*>(G);
    if (!Label || !Label->Visible || Label->Caption().empty()) continue;
    TRect R = Label->BoundsRect();
    POINT P{R.Left, R.Top};
    MapWindowPoints(Control.Handle(), FWindow.Handle(), &P, 1);
    R = R.Offset(P.x - R.Left, P.y - R.Top);
    const TSize Extent = MeasuredText(Label->Caption(), Label->Font().Handle());
    FBoxes.push_back({NameOf("label", Label->Caption()), R, Area, R, Extent.cx, Extent.cy});
  }
}

void LayoutWalker::AddWidgets(TWinControl& Window) {
  auto* Skinned = dynamic_cast<TSkinForm*>(&Window);
  if (!Skinned) return;
  TBitmap Measure(1, 1);
  SetCaptionFont(Measure.Canvas());
  for (TWidget* W : Skinned->Host().Widgets()) {
    if (auto* Button = dynamic_cast<TVirtualButton*>(W)) {
      const TRect R = Button->Rect();
      const TSize Extent = Button->Caption().empty() ? TSize{0, 0}
                                                     : MeasuredText(Button->Caption(), Measure.Canvas().Font.Handle());
      FBoxes.push_back({NameOf("button", Button->Caption()), R, -1, R, Extent.cx, Extent.cy});
    } else if (auto* Box = dynamic_cast<TVirtualCheckbox*>(W)) {
      if (!Box->Visible) continue;
      FBoxes.push_back({NameOf("check box", L""), Box->Rect(), -1});
    } else if (auto* Label = dynamic_cast<TVirtualLabel*>(W)) {
      FBoxes.push_back({NameOf("label", Label->Caption()), Label->Rect(), -1});
    } else {
      FBoxes.push_back({FWindowName + ": widget", W->Rect(), -1});
    }
  }
}

}  // namespace lctest
