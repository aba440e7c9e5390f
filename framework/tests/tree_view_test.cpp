// The tree view on a shown form: nodes under their parents, texts changed
// in place, expanding, and which selections fire OnChange.
#include <gtest/gtest.h>

#include <memory>

#include <windows.h>

#include "framework/forms.h"
#include "framework/tests/input.h"
#include "framework/tree_view.h"

namespace {

class TreeViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = lctest::ShownForm(L"TfrmTreeProbe", 1400, 600, 260, 240);
    Tree = std::make_unique<TTreeView>(Form.get());
    Tree->SetBounds(4, 4, 200, 200);
    Tree->OnChange = [this](TComponent*) { ++Changes; };
  }
  void TearDown() override {
    Tree.reset();
    Form.reset();
  }
  // The press and the release go out together: the tree control watches
  // for a drag in a loop of its own until the button comes up.
  void ClickNode(int Node) {
    const TRect R = Tree->NodeRect(Node);
    ASSERT_FALSE(R.IsEmpty()) << "node " << Node << " is not on show";
    lctest::MouseTo(*Tree, (R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2);
    lctest::ClickHere();
  }
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TTreeView> Tree;
  int Changes = 0;
};

TEST_F(TreeViewTest, NodesKeepTheirNumbersAndTexts) {
  EXPECT_EQ(0, Tree->AddNode(L"General"));
  EXPECT_EQ(1, Tree->AddNode(L"Video"));
  EXPECT_EQ(2, Tree->AddNode(L"Colours", 1));
  EXPECT_EQ(-1, Tree->AddNode(L"orphan", 7));
  EXPECT_EQ(3, Tree->Count());
  EXPECT_EQ(L"Colours", Tree->NodeText(2));
  Tree->SetNodeText(0, L"Allgemein");
  EXPECT_EQ(L"Allgemein", Tree->NodeText(0));
  EXPECT_EQ(L"Video", Tree->NodeText(1));
  EXPECT_EQ(L"", Tree->NodeText(3));
}

TEST_F(TreeViewTest, FullExpandOpensEveryBranch) {
  Tree->AddNode(L"General");
  Tree->AddNode(L"Video");
  Tree->AddNode(L"Colours", 1);
  Tree->AddNode(L"Depth", 2);
  EXPECT_FALSE(Tree->Expanded(1));
  EXPECT_TRUE(Tree->NodeRect(3).IsEmpty());
  Tree->FullExpand();
  EXPECT_TRUE(Tree->Expanded(1));
  EXPECT_TRUE(Tree->Expanded(2));
  EXPECT_FALSE(Tree->NodeRect(3).IsEmpty());
}

TEST_F(TreeViewTest, OnlyTheUsersSelectionFiresOnChange) {
  for (const wchar_t* Text : {L"General", L"File types", L"Subtitle", L"Video", L"Language"}) Tree->AddNode(Text);
  Tree->SetSelected(2);
  EXPECT_EQ(2, Tree->Selected());
  EXPECT_EQ(0, Changes);
  ClickNode(4);
  EXPECT_EQ(4, Tree->Selected());
  EXPECT_EQ(1, Changes);
  Tree->SetFocus();
  lctest::PressKey(VK_UP);
  EXPECT_EQ(3, Tree->Selected());
  EXPECT_EQ(2, Changes);
}

}  // namespace
