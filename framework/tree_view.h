// A tree view over the platform's tree control, kept to what the dialogs
// need: nodes added under a parent (or at the top), their texts, the
// selected node and expanding every branch. Nodes are numbered in the order
// they were added, from 0. OnChange fires when the user selects another
// node (by mouse or keys), not for SetSelected.
#pragma once

#include <string>
#include <vector>

#include "framework/std_controls.h"

class TTreeView : public TStdControl {
 public:
  explicit TTreeView(TWinControl* Parent);

  // ---- nodes ----
  // Adds a node as the last child of Parent (-1: a top-level node) and
  // returns its number; -1 when the parent does not exist.
  int AddNode(const std::wstring& Text, int Parent = -1);
  int Count() const { return static_cast<int>(FItems.size()); }
  std::wstring NodeText(int Node) const;
  void SetNodeText(int Node, const std::wstring& Text);
  // Opens every branch.
  void FullExpand();
  bool Expanded(int Node) const;

  // ---- selection ----
  // The selected node; -1 none.
  int Selected() const;
  void SetSelected(int Node);
  // The node's text line in client coordinates (empty while it is hidden
  // in a closed branch).
  TRect NodeRect(int Node) const;

 protected:
  void WndProc(TMessage& Message) override;

 private:
  int NodeOf(void* Item) const;

  std::vector<void*> FItems;  // the platform's item handles, by number
  bool FSelecting = false;
};
