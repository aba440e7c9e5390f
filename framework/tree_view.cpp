#include "framework/tree_view.h"

#include <cstring>

#include <commctrl.h>

#include "framework/messages.h"

namespace {

HTREEITEM Item(void* P) { return static_cast<HTREEITEM>(P); }

}  // namespace

TTreeView::TTreeView(TWinControl* Parent) : TStdControl(Parent) {
  RegisterCommonControls(ICC_TREEVIEW_CLASSES);
  SetColor(clWhite);
  CreateControl(WC_TREEVIEWW, WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS,
                WS_EX_CLIENTEDGE, Bounds(0, 0, 121, 97));
}

int TTreeView::AddNode(const std::wstring& Text, int Parent) {
  if (Parent >= Count() || Parent < -1) return -1;
  std::wstring Copy = Text;
  TVINSERTSTRUCTW Insert{};
  Insert.hParent = Parent < 0 ? TVI_ROOT : Item(FItems[Parent]);
  Insert.hInsertAfter = TVI_LAST;
  Insert.item.mask = TVIF_TEXT;
  Insert.item.pszText = Copy.data();
  auto* Added = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&Insert)));
  if (!Added) return -1;
  FItems.push_back(Added);
  return Count() - 1;
}

std::wstring TTreeView::NodeText(int Node) const {
  if (Node < 0 || Node >= Count()) return {};
  wchar_t Buffer[260] = {};
  TVITEMW I{};
  I.mask = TVIF_TEXT;
  I.hItem = Item(FItems[Node]);
  I.pszText = Buffer;
  I.cchTextMax = 260;
  if (!SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&I))) return {};
  return Buffer;
}

void TTreeView::SetNodeText(int Node, const std::wstring& Text) {
  if (Node < 0 || Node >= Count()) return;
  std::wstring Copy = Text;
  TVITEMW I{};
  I.mask = TVIF_TEXT;
  I.hItem = Item(FItems[Node]);
  I.pszText = Copy.data();
  SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&I));
}

void TTreeView::FullExpand() {
  for (void* P : FItems) SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(P));
}

bool TTreeView::Expanded(int Node) const {
  if (Node < 0 || Node >= Count()) return false;
  const LRESULT State = SendMessageW(Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItems[Node]), TVIS_EXPANDED);
  return (State & TVIS_EXPANDED) != 0;
}

int TTreeView::NodeOf(void* P) const {
  for (int I = 0; I < Count(); ++I)
    if (FItems[I] == P) return I;
  return -1;
}

int TTreeView::Selected() const {
  return NodeOf(reinterpret_cast<void*>(SendMessageW(Handle(), TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TTreeView::SetSelected(int Node) {
  if (Node < -1 || Node >= Count()) return;
  FSelecting = true;
  SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, Node < 0 ? 0 : reinterpret_cast<LPARAM>(FItems[Node]));
  FSelecting = false;
}

TRect TTreeView::NodeRect(int Node) const {
  if (Node < 0 || Node >= Count()) return {};
  RECT R{};
  // TVM_GETITEMRECT takes the item handle in the rectangle it fills.
  const HTREEITEM Target = Item(FItems[Node]);
  std::memcpy(&R, &Target, sizeof Target);
  if (!SendMessageW(Handle(), TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(&R))) return {};
  return {R.left, R.top, R.right, R.bottom};
}

void TTreeView::WndProc(TMessage& M) {
  if (M.Msg == CN_NOTIFY) {
    const auto* Header = reinterpret_cast<NMHDR*>(M.LParam);
    if (Header->code == static_cast<UINT>(TVN_SELCHANGEDW) && !FSelecting) Change();
    M.Result = 0;
    return;
  }
  TStdControl::WndProc(M);
}
