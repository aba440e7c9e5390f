// Menus: TMenuItem (one entry, possibly holding a submenu) and TPopupMenu
// (a tree of items shown at a point of the screen).
//
// Every item has a command id of its own from the moment it is created
// until it is freed, so items added at run time (bookmarks, recent files,
// filters, display modes) never share an id; a parent frees its children.
// The platform menu is built anew from the items each time the popup
// opens, so changes to captions, checks and the item tree show at the next
// popup. A chosen item's OnClick runs on the GUI thread after the menu has
// closed; whatever it raises goes to Application.HandleException.
//
// GUI thread only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/component.h"

class TFlatMenu;
class TImageList;

class TMenuItem : public TComponent {
 public:
  TMenuItem();
  explicit TMenuItem(const std::wstring& Caption, TNotifyEvent OnClick = nullptr);
  ~TMenuItem() override;
  TMenuItem(const TMenuItem&) = delete;
  TMenuItem& operator=(const TMenuItem&) = delete;

  TNotifyEvent OnClick;

  // ---- hooks ----
  // Runs OnClick (the menu calls it when the user picks the item).
  virtual void Click();

  // ---- properties ----
  // "&" marks the accelerator ("&&" is a plain "&"); a tab separates the
  // shortcut text shown on the right; "-" alone makes a separator.
  std::wstring Caption;
  bool Enabled = true;
  bool Visible = true;
  // Shown in bold; Enter on the menu picks it.
  bool Default = false;
  // Index into the parent's SubMenuImages (or the menu's Images); -1 none.
  int ImageIndex = -1;
  // Images of this item's children.
  TImageList* SubMenuImages = nullptr;
  // A radio item shows a dot when checked; checking it unchecks the radio
  // items of its parent that share its GroupIndex.
  bool RadioItem = false;
  int GroupIndex = 0;
  bool Checked() const { return FChecked; }
  void SetChecked(bool Checked);
  bool IsLine() const { return Caption == L"-"; }
  // The caption before the tab and the shortcut text after it.
  std::wstring CaptionText() const;
  std::wstring ShortCutText() const;

  // The command id the platform menu reports for this item.
  UINT Command() const { return FCommand; }
  // The living item with that command id, or nullptr.
  static TMenuItem* FindCommand(UINT Command);

  // ---- children ----
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int Index) const { return FItems.at(Index).get(); }
  TMenuItem* Parent() const { return FParent; }
  int IndexOf(const TMenuItem* Item) const;
  // The child whose Name is Name, or nullptr.
  TMenuItem* Find(const std::wstring& Name) const;
  // Takes the item over; returns it.
  TMenuItem* Add(std::unique_ptr<TMenuItem> Item);
  TMenuItem* Insert(int Index, std::unique_ptr<TMenuItem> Item);
  // A new child with that caption (and name and handler), appended.
  TMenuItem* Add(const std::wstring& Caption, TNotifyEvent OnClick = nullptr,
                 const std::wstring& Name = L"");
  // Frees the child (its children and command ids with it).
  void Remove(TMenuItem* Item);
  void Delete(int Index);
  void Clear();
  // Hands the child back without freeing it.
  std::unique_ptr<TMenuItem> Extract(TMenuItem* Item);

 private:
  UINT FCommand;
  bool FChecked = false;
  TMenuItem* FParent = nullptr;
  std::vector<std::unique_ptr<TMenuItem>> FItems;
};

// A menu shown at a point by Popup. Items holds the top-level entries.
class TPopupMenu : public TComponent {
 public:
  TPopupMenu();
  ~TPopupMenu() override;

  // Runs each time the menu is about to open, before it is built.
  TNotifyEvent OnPopup;

  // The root item; its children are the menu's entries.
  TMenuItem Items;
  // Images of the top-level entries.
  TImageList* Images = nullptr;
  // The painter that draws the menu while it is active; none: the
  // platform's own look.
  TFlatMenu* Painter = nullptr;
  // The item the user picked at the last popup (nullptr when the menu was
  // dismissed); its OnClick has run when Popup returns.
  TMenuItem* LastPicked() const;

  // Opens the menu with its top-left corner at the screen point (X, Y) and
  // returns when it has closed; the picked item's OnClick has then run.
  void Popup(int X, int Y);
  // The open menu of the program (while Popup runs), else nullptr.
  static TPopupMenu* Current();
  // The platform menu while it is open (tests look at it).
  HMENU Handle() const { return FHandle; }

 private:
  friend class TPopupList;
  HMENU Build(TMenuItem& Parent, bool OwnerDraw);
  TMenuItem* ItemOfMenu(HMENU Menu) const;

  HMENU FHandle = nullptr;
  std::vector<std::pair<HMENU, TMenuItem*>> FMenus;  // every platform menu of the open popup
  UINT FLastPicked = 0;
};
