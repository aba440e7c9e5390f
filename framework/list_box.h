// List boxes over the platform's list box: TListBox (plain or owner-drawn,
// single or multiple selection) and TCheckListBox (a check box on every
// line).
//
// The platform acts on the mouse before the hooks run, so OnMouseDown sees
// the line the press selected and OnMouseMove the line a held button
// dragged the selection to: a window reorders its entries by watching
// ItemIndex in those events (drag-to-reorder) and moving lines with Move.
// OnClick fires when the user changes the selection.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/std_controls.h"

enum class TListBoxStyle { lbStandard, lbOwnerDrawFixed };

class TListBox;
// Draws line Index in Rect on Control->Canvas(); State holds the
// platform's ODS_ flags (ODS_SELECTED, ODS_FOCUS, ODS_DISABLED).
using TDrawItemEvent =
    std::function<void(TListBox* Control, int Index, const TRect& Rect, UINT State)>;

class TListBox : public TStdControl {
 public:
  explicit TListBox(TWinControl* Parent, TListBoxStyle Style = TListBoxStyle::lbStandard);

  TDrawItemEvent OnDrawItem;

 protected:
  // ---- hooks ----
  // Owner-drawn lines: calls OnDrawItem, or fills the line (the platform's
  // highlight colour when selected) and writes its text.
  virtual void DrawItem(int Index, const TRect& Rect, UINT State);
  void Notify(WORD Code) override;
  void WndProc(TMessage& Message) override;

 public:
  // ---- items ----
  int Count() const;
  std::wstring Items(int Index) const;
  std::vector<std::wstring> ItemsText() const;
  int Add(const std::wstring& Item);
  void Insert(int Index, const std::wstring& Item);
  void Delete(int Index);
  void Clear();
  // Replaces every line at once, repainting once (line by line, a shown
  // list repaints after each line). Nothing is selected afterwards.
  void SetItems(const std::vector<std::wstring>& Lines);
  // Replaces the text of a line, keeping its selection.
  void SetItem(int Index, const std::wstring& Item);
  // Moves line From to position To (the selection moves with it).
  void Move(int From, int To);
  void Exchange(int A, int B);
  int IndexOf(const std::wstring& Item) const;

  // ---- selection ----
  // The selected line (with multiple selection, the one with the focus
  // rectangle); -1 none.
  int ItemIndex() const;
  // Selects that line alone (-1: nothing).
  void SetItemIndex(int Index);
  bool Selected(int Index) const;
  void SetSelected(int Index, bool Selected);
  int SelCount() const;
  void SelectAll();
  void ClearSelection();
  bool MultiSelect() const { return FMultiSelect; }
  // Recreates the platform list box; lines, selection and top line stay.
  void SetMultiSelect(bool MultiSelect);

  // ---- geometry ----
  int TopIndex() const;
  void SetTopIndex(int Index);
  int ItemHeight() const;
  void SetItemHeight(int Height);
  // The line at the client point, or -1 off the lines.
  int ItemAtPos(int X, int Y) const;
  TRect ItemRect(int Index) const;
  TListBoxStyle Style() const { return FStyle; }

 protected:
  DWORD StyleBits() const;

 private:
  void DrawItemMessage(TMessage& Message);

  TListBoxStyle FStyle;
  bool FMultiSelect = false;
};

// A list box with a check box at the start of every line. A click on the
// box or Space toggles the line's mark and fires OnClickCheck.
class TCheckListBox : public TListBox {
 public:
  explicit TCheckListBox(TWinControl* Parent);

  TNotifyEvent OnClickCheck;

  bool Checked(int Index) const;
  void SetChecked(int Index, bool Checked);
  // Width of the check box part of a line.
  int CheckWidth() const { return ItemHeight() + 2; }

 protected:
  virtual void ClickCheck();
  void DrawItem(int Index, const TRect& Rect, UINT State) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;

 private:
  void Toggle(int Index);
};
