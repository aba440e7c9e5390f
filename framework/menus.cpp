#include "framework/menus.h"

#include <algorithm>
#include <exception>
#include <unordered_map>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/exceptions.h"
#include "framework/flat_menu_painter.h"
#include "framework/image_list.h"

namespace {

// Command ids run from 1 to kLastCommand (the platform's system commands
// start above it); a freed id is taken again only after the others.
constexpr UINT kLastCommand = 0xEFFF;

// Never freed, like the handle map: items of program-wide objects die
// during static destruction.
std::unordered_map<UINT, TMenuItem*>& Commands() {
  static auto* Map = new std::unordered_map<UINT, TMenuItem*>;
  return *Map;
}

UINT NewCommand(TMenuItem* Item) {
  static UINT Next = 1;
  auto& Map = Commands();
  if (Map.size() >= kLastCommand) throw Exception("Too many menu items");
  while (Map.count(Next)) Next = Next % kLastCommand + 1;
  UINT Id = Next;
  Next = Next % kLastCommand + 1;
  Map[Id] = Item;
  return Id;
}

TPopupMenu* CurrentPopup = nullptr;

wchar_t Upper(wchar_t C) {
  return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(
      CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(C)))));
}

}  // namespace

// The hidden window that owns every open popup menu: it measures and
// draws the owner-drawn items and picks items by their "&" letter.
class TPopupList : public TWinControl {
 public:
  TPopupList() {
    TCreateParams P;
    P.ClassName = L"TPopupList";
    P.Style = WS_POPUP;
    P.WndParent = Application.Handle();
    CreateHandle(P);
  }

 protected:
  void WndProc(TMessage& M) override {
    switch (M.Msg) {
      case WM_MEASUREITEM: if (Measure(M)) return; break;
      case WM_DRAWITEM: if (Draw(M)) return; break;
      case WM_MENUCHAR: if (MenuChar(M)) return; break;
      default: break;
    }
    TWinControl::WndProc(M);
  }

 private:
  static TMenuItem* OwnerDrawnItem(UINT CtlType, ULONG_PTR Data) {
    if (CtlType != ODT_MENU || !CurrentPopup || !CurrentPopup->Painter) return nullptr;
    return reinterpret_cast<TMenuItem*>(Data);
  }
  static TImageList* ImagesOf(const TMenuItem& Item) {
    TMenuItem* Parent = Item.Parent();
    if (Parent == &CurrentPopup->Items) return CurrentPopup->Images;
    return Parent ? Parent->SubMenuImages : nullptr;
  }
  bool Measure(TMessage& M) {
    auto* MI = reinterpret_cast<MEASUREITEMSTRUCT*>(M.LParam);
    TMenuItem* Item = OwnerDrawnItem(MI->CtlType, MI->itemData);
    if (!Item) return false;
    TSize S = CurrentPopup->Painter->MeasureItem(Canvas(), *Item, ImagesOf(*Item));
    MI->itemWidth = S.cx;
    MI->itemHeight = S.cy;
    M.Result = TRUE;
    return true;
  }
  bool Draw(TMessage& M) {
    auto* DI = reinterpret_cast<DRAWITEMSTRUCT*>(M.LParam);
    TMenuItem* Item = OwnerDrawnItem(DI->CtlType, DI->itemData);
    if (!Item) return false;
    TCanvas C(DI->hDC);
    TRect R{DI->rcItem.left, DI->rcItem.top, DI->rcItem.right, DI->rcItem.bottom};
    CurrentPopup->Painter->DrawItem(C, *Item, R, DI->itemState, ImagesOf(*Item));
    C.SetHandle(nullptr);
    M.Result = TRUE;
    return true;
  }
  // Owner-drawn items have no text the platform could search: find the
  // visible item of that menu whose caption (or, failing that, whose
  // shortcut text: "Alt+&1" of a bookmark) marks the typed letter.
  bool MenuChar(TMessage& M) {
    if (!CurrentPopup || !CurrentPopup->Painter) return false;
    TMenuItem* Parent = CurrentPopup->ItemOfMenu(reinterpret_cast<HMENU>(M.LParam));
    if (!Parent) return false;
    wchar_t Typed = Upper(static_cast<wchar_t>(LOWORD(M.WParam)));
    int Position = 0;
    for (int I = 0; I < Parent->Count(); ++I) {
      TMenuItem* Item = Parent->Items(I);
      if (!Item->Visible) continue;
      wchar_t Marked = Accelerator(Item->CaptionText());
      if (!Marked) Marked = Accelerator(Item->ShortCutText());
      if (Marked && Upper(Marked) == Typed && Item->Enabled) {
        M.Result = MAKELRESULT(Position, MNC_EXECUTE);
        return true;
      }
      ++Position;
    }
    return false;
  }
  // The letter after the first single "&" of Text; 0 when none.
  static wchar_t Accelerator(const std::wstring& Text) {
    for (size_t K = 0; K + 1 < Text.size(); ++K) {
      if (Text[K] != L'&') continue;
      if (Text[K + 1] != L'&') return Text[K + 1];
      ++K;
    }
    return 0;
  }
};

namespace {

TPopupList& PopupList() {
  static auto* List = new TPopupList;
  return *List;
}

}  // namespace

// ------------------------------------------------------------ TMenuItem

TMenuItem::TMenuItem() : FCommand(NewCommand(this)) {}

TMenuItem::TMenuItem(const std::wstring& Caption, TNotifyEvent OnClick) : TMenuItem() {
  this->Caption = Caption;
  this->OnClick = std::move(OnClick);
}

TMenuItem::~TMenuItem() {
  FItems.clear();
  Commands().erase(FCommand);
}

TMenuItem* TMenuItem::FindCommand(UINT Command) {
  auto It = Commands().find(Command);
  return It == Commands().end() ? nullptr : It->second;
}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

void TMenuItem::SetChecked(bool Checked) {
  FChecked = Checked;
  if (!Checked || !RadioItem || !FParent) return;
  for (auto& Sibling : FParent->FItems)
    if (Sibling.get() != this && Sibling->RadioItem && Sibling->GroupIndex == GroupIndex)
      Sibling->FChecked = false;
}

std::wstring TMenuItem::CaptionText() const { return Caption.substr(0, Caption.find(L'\t')); }

std::wstring TMenuItem::ShortCutText() const {
  size_t Tab = Caption.find(L'\t');
  if (Tab == std::wstring::npos) return {};
  size_t Start = Caption.find_first_not_of(L'\t', Tab);
  return Start == std::wstring::npos ? std::wstring() : Caption.substr(Start);
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  for (size_t I = 0; I < FItems.size(); ++I)
    if (FItems[I].get() == Item) return static_cast<int>(I);
  return -1;
}

TMenuItem* TMenuItem::Find(const std::wstring& Name) const {
  for (auto& Item : FItems)
    if (Item->Name == Name) return Item.get();
  return nullptr;
}

TMenuItem* TMenuItem::Insert(int Index, std::unique_ptr<TMenuItem> Item) {
  if (!Item) throw Exception("Menu item is missing");
  if (Item->FParent) throw Exception("Menu item is already inserted");
  Index = std::clamp(Index, 0, Count());
  Item->FParent = this;
  TMenuItem* Raw = Item.get();
  FItems.insert(FItems.begin() + Index, std::move(Item));
  return Raw;
}

TMenuItem* TMenuItem::Add(std::unique_ptr<TMenuItem> Item) {
  return Insert(Count(), std::move(Item));
}

TMenuItem* TMenuItem::Add(const std::wstring& Caption, TNotifyEvent OnClick,
                          const std::wstring& Name) {
  auto Item = std::make_unique<TMenuItem>(Caption, std::move(OnClick));
  Item->Name = Name;
  return Add(std::move(Item));
}

std::unique_ptr<TMenuItem> TMenuItem::Extract(TMenuItem* Item) {
  int Index = IndexOf(Item);
  if (Index < 0) return nullptr;
  std::unique_ptr<TMenuItem> Owned = std::move(FItems[Index]);
  FItems.erase(FItems.begin() + Index);
  Owned->FParent = nullptr;
  return Owned;
}

void TMenuItem::Remove(TMenuItem* Item) { Extract(Item); }

void TMenuItem::Delete(int Index) { Remove(Items(Index)); }

void TMenuItem::Clear() {
  while (!FItems.empty()) Extract(FItems.back().get());
}

// ----------------------------------------------------------- TPopupMenu

TPopupMenu::TPopupMenu() = default;

TPopupMenu::~TPopupMenu() {
  if (CurrentPopup == this) CurrentPopup = nullptr;
}

TPopupMenu* TPopupMenu::Current() { return CurrentPopup; }

TMenuItem* TPopupMenu::LastPicked() const { return TMenuItem::FindCommand(FLastPicked); }

TMenuItem* TPopupMenu::ItemOfMenu(HMENU Menu) const {
  for (auto& [Handle, Item] : FMenus)
    if (Handle == Menu) return Item;
  return nullptr;
}

HMENU TPopupMenu::Build(TMenuItem& Parent, bool OwnerDraw) {
  HMENU Menu = CreatePopupMenu();
  if (!Menu) throw EOSError("CreatePopupMenu failed");
  FMenus.emplace_back(Menu, &Parent);
  UINT Position = 0;
  for (int I = 0; I < Parent.Count(); ++I) {
    TMenuItem* Item = Parent.Items(I);
    if (!Item->Visible) continue;
    std::wstring Text = Item->Caption;
    MENUITEMINFOW Info{};
    Info.cbSize = sizeof(Info);
    Info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STATE | MIIM_DATA;
    Info.wID = Item->Command();
    Info.dwItemData = reinterpret_cast<ULONG_PTR>(Item);
    if (Item->IsLine()) {
      Info.fType = MFT_SEPARATOR;
    } else {
      Info.fMask |= MIIM_STRING;
      Info.dwTypeData = Text.data();
      Info.fType = Item->RadioItem ? MFT_RADIOCHECK : 0;
      Info.fState = (Item->Enabled ? 0 : MFS_DISABLED) | (Item->Checked() ? MFS_CHECKED : 0) |
                    (Item->Default ? MFS_DEFAULT : 0);
      if (Item->Count() > 0) {
        Info.fMask |= MIIM_SUBMENU;
        Info.hSubMenu = Build(*Item, OwnerDraw);
      }
    }
    if (OwnerDraw) Info.fType |= MFT_OWNERDRAW;
    InsertMenuItemW(Menu, Position++, TRUE, &Info);
  }
  return Menu;
}

void TPopupMenu::Popup(int X, int Y) {
  if (CurrentPopup) return;  // the platform shows one popup menu at a time
  FLastPicked = 0;
  if (OnPopup) OnPopup(this);
  HWND Owner = PopupList().Handle();
  FMenus.clear();
  FHandle = Build(Items, Painter && Painter->Active());
  CurrentPopup = this;
  UINT Picked = TrackPopupMenuEx(FHandle, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON |
                                     TPM_RETURNCMD,
                                 X, Y, Owner, nullptr);
  CurrentPopup = nullptr;
  DestroyMenu(FHandle);  // with its submenus
  FHandle = nullptr;
  FMenus.clear();
  FLastPicked = Picked;
  TMenuItem* Item = TMenuItem::FindCommand(Picked);
  if (!Item) return;
  try {
    Item->Click();
  } catch (...) {
    Application.HandleException(std::current_exception());
  }
}
