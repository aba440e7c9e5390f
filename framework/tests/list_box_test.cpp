// List boxes on a shown form: items, selection, owner drawing, the drag
// that reorders lines, and the check list box's marks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/forms.h"
#include "framework/list_box.h"
#include "framework/tests/input.h"

using lctest::ClickAt;
using lctest::MouseMessage;
using lctest::PixelAt;
using lctest::PressKey;
using lctest::Settle;

namespace {

constexpr int kLeft = 1400;
constexpr int kTop = 600;

using Lines = std::vector<std::wstring>;

class ListBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = lctest::ShownForm(L"TfrmListProbe", kLeft, kTop, 300, 260);
  }
  static void Fill(TListBox& List, int N) {
    for (int I = 1; I <= N; ++I) List.Add(L"line " + std::to_wstring(I));
  }
  // The middle of line Index in List's client coordinates.
  static TPoint LineMiddle(TListBox& List, int Index) {
    TRect R = List.ItemRect(Index);
    return {R.Left + 30, (R.Top + R.Bottom) / 2};
  }
  std::unique_ptr<TForm> Form;
};

// Replacing every line at once leaves the list drawing again: the new
// lines are there, nothing is selected, and a line is painted.
TEST_F(ListBoxTest, SetItemsReplacesEveryLineAndRedrawsOnce) {
  TListBox List(Form.get(), TListBoxStyle::lbOwnerDrawFixed);
  List.SetBounds(0, 0, 200, 200);
  Fill(List, 3);
  List.SetItemIndex(1);
  int Drawn = 0;
  List.OnDrawItem = [&](TListBox*, int, const TRect&, UINT) { ++Drawn; };
  List.SetItems({L"a", L"b"});
  EXPECT_EQ(List.ItemsText(), (Lines{L"a", L"b"}));
  EXPECT_EQ(List.ItemIndex(), -1);
  UpdateWindow(List.Handle());
  EXPECT_EQ(Drawn, 2);
}

TEST_F(ListBoxTest, ItemsRoundTripThroughTheWindow) {
  TListBox List(Form.get());
  Fill(List, 4);
  List.Insert(0, L"zero");
  List.Delete(2);
  EXPECT_EQ(List.ItemsText(), (Lines{L"zero", L"line 1", L"line 3", L"line 4"}));
  List.SetItemIndex(1);
  List.SetItem(1, L"one");
  EXPECT_EQ(List.Items(1), L"one");
  EXPECT_EQ(List.ItemIndex(), 1);
  List.Move(1, 3);
  EXPECT_EQ(List.ItemsText(), (Lines{L"zero", L"line 3", L"line 4", L"one"}));
  EXPECT_EQ(List.ItemIndex(), 3);
  List.SetItemIndex(2);
  List.Move(0, 3);  // the selection stays with its line
  EXPECT_EQ(List.ItemsText(), (Lines{L"line 3", L"line 4", L"one", L"zero"}));
  EXPECT_EQ(List.ItemIndex(), 1);
  List.Move(3, 0);
  EXPECT_EQ(List.ItemIndex(), 2);
  List.Exchange(0, 2);
  EXPECT_EQ(List.ItemsText(), (Lines{L"line 4", L"line 3", L"zero", L"one"}));
  EXPECT_EQ(List.IndexOf(L"zero"), 2);
  EXPECT_EQ(List.IndexOf(L"none"), -1);
  EXPECT_EQ(List.Items(9), L"");
  List.Clear();
  EXPECT_EQ(List.Count(), 0);
  EXPECT_EQ(List.ItemIndex(), -1);
}

TEST_F(ListBoxTest, AClickSelectsTheLineBeforeTheHooksSeeIt) {
  TListBox List(Form.get());
  List.SetBounds(10, 10, 200, 200);
  Fill(List, 5);
  List.SetItemIndex(0);
  std::vector<int> SeenOnDown;
  int Clicks = 0;
  List.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) {
    SeenOnDown.push_back(List.ItemIndex());
  };
  List.OnClick = [&](TComponent*) { ++Clicks; };
  TPoint P = LineMiddle(List, 3);
  ClickAt(List, P.X, P.Y);
  EXPECT_EQ(List.ItemIndex(), 3);
  EXPECT_EQ(SeenOnDown, std::vector<int>{3});
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(List.ItemAtPos(P.X, P.Y), 3);
  EXPECT_EQ(List.ItemAtPos(P.X, 199), -1);
}

TEST_F(ListBoxTest, DraggingALineReordersItStepByStep) {
  TListBox List(Form.get());
  List.SetBounds(10, 10, 200, 200);
  Fill(List, 5);
  // The playlist's rule: while the left button is held, a selection one
  // line away from the dragged line moves the dragged line there.
  int Dragged = -1;
  List.OnMouseDown = [&](TComponent*, TMouseButton B, TShiftState, int, int) {
    if (B == TMouseButton::mbLeft) Dragged = List.ItemIndex();
  };
  List.OnMouseMove = [&](TComponent*, TShiftState Shift, int, int) {
    if (Dragged < 0 || !(Shift & ssLeft)) return;
    int Now = List.ItemIndex();
    if (Now == Dragged + 1 || Now == Dragged - 1) {
      List.Move(Dragged, Now);
      List.SetItemIndex(Now);  // the selection follows the dragged line
      Dragged = Now;
    }
  };
  List.OnMouseUp = [&](TComponent*, TMouseButton, TShiftState, int, int) { Dragged = -1; };
  // The press and the moves go straight to the list. As real input they
  // would pass through the pointer and the foreground window that every
  // program on the display shares, and whatever else moves or takes them
  // between two steps would change where the next one lands.
  TPoint P = LineMiddle(List, 1);
  MouseMessage(List, WM_LBUTTONDOWN, MK_LBUTTON, P.X, P.Y);
  for (int Line : {2, 3}) {
    P = LineMiddle(List, Line);
    MouseMessage(List, WM_MOUSEMOVE, MK_LBUTTON, P.X, P.Y);
  }
  MouseMessage(List, WM_LBUTTONUP, 0, P.X, P.Y);
  EXPECT_EQ(Dragged, -1);
  EXPECT_EQ(List.ItemsText(), (Lines{L"line 1", L"line 3", L"line 4", L"line 2", L"line 5"}));
  EXPECT_EQ(List.ItemIndex(), 3);
}

TEST_F(ListBoxTest, MultipleSelectionComesAndGoesKeepingTheLines) {
  TListBox List(Form.get());
  Fill(List, 6);
  List.SetItemIndex(2);
  List.SetTopIndex(1);
  List.SetMultiSelect(true);
  EXPECT_TRUE(List.MultiSelect());
  EXPECT_EQ(GetWindowLongW(List.Handle(), GWL_STYLE) & LBS_EXTENDEDSEL, LBS_EXTENDEDSEL);
  EXPECT_EQ(List.Count(), 6);
  EXPECT_EQ(List.ItemIndex(), 2);
  EXPECT_EQ(List.SelCount(), 1);
  List.SelectAll();
  EXPECT_EQ(List.SelCount(), 6);
  List.SetSelected(4, false);
  EXPECT_FALSE(List.Selected(4));
  EXPECT_TRUE(List.Selected(5));
  List.SetMultiSelect(false);
  EXPECT_EQ(GetWindowLongW(List.Handle(), GWL_STYLE) & LBS_EXTENDEDSEL, 0);
  EXPECT_EQ(List.ItemIndex(), 2);
  EXPECT_EQ(List.SelCount(), 1);
  EXPECT_EQ(TWinControl::FindControl(List.Handle()), &List);
}

TEST_F(ListBoxTest, TopIndexAndItemHeight) {
  TListBox List(Form.get(), TListBoxStyle::lbOwnerDrawFixed);
  List.SetBounds(10, 10, 200, 100);
  Fill(List, 40);
  List.SetItemHeight(13);
  EXPECT_EQ(List.ItemHeight(), 13);
  List.SetTopIndex(20);
  EXPECT_EQ(List.TopIndex(), 20);
  EXPECT_EQ(List.ItemRect(21).Top - List.ItemRect(20).Top, 13);
}

TEST_F(ListBoxTest, OwnerDrawnLinesAreDrawnByTheHandler) {
  TListBox List(Form.get(), TListBoxStyle::lbOwnerDrawFixed);
  List.SetBounds(10, 10, 200, 100);
  List.SetItemHeight(16);
  Fill(List, 3);
  std::vector<int> Drawn;
  List.OnDrawItem = [&](TListBox* Control, int Index, const TRect& R, UINT State) {
    Drawn.push_back(Index);
    TCanvas& C = Control->Canvas();
    C.Brush.Color = Index == 1 ? clRed : clLime;
    C.FillRect(R);
  };
  List.Invalidate();
  Settle();
  EXPECT_EQ(PixelAt(List, 50, 16 + 8), clRed);
  EXPECT_EQ(PixelAt(List, 50, 8), clLime);
  EXPECT_NE(std::find(Drawn.begin(), Drawn.end(), 2), Drawn.end());
}

TEST_F(ListBoxTest, ColoursOfAPlainList) {
  TListBox List(Form.get());
  List.SetBounds(10, 10, 200, 100);
  List.SetColor(RGBColor(246, 246, 246));
  List.Add(L"x");
  List.Invalidate();
  Settle();
  EXPECT_EQ(PixelAt(List, 150, 60), RGBColor(246, 246, 246));
}

TEST_F(ListBoxTest, CheckListTogglesOnTheBoxAndOnSpaceOnly) {
  TCheckListBox List(Form.get());
  List.SetBounds(10, 10, 200, 120);
  Fill(List, 4);
  int Checks = 0;
  List.OnClickCheck = [&](TComponent*) { ++Checks; };
  TPoint Box = {List.ItemRect(1).Left + 8, (List.ItemRect(1).Top + List.ItemRect(1).Bottom) / 2};
  ClickAt(List, Box.X, Box.Y);
  EXPECT_TRUE(List.Checked(1));
  EXPECT_EQ(Checks, 1);
  TPoint Text = LineMiddle(List, 2);
  ClickAt(List, Text.X + 40, Text.Y);
  EXPECT_FALSE(List.Checked(2));
  EXPECT_EQ(List.ItemIndex(), 2);
  EXPECT_EQ(Checks, 1);
  List.SetFocus();
  PressKey(VK_SPACE);
  EXPECT_TRUE(List.Checked(2));
  EXPECT_EQ(Checks, 2);
  // Marks travel with their lines and stay with a line's new text.
  List.Move(1, 3);
  EXPECT_EQ(List.ItemsText(), (Lines{L"line 1", L"line 3", L"line 4", L"line 2"}));
  EXPECT_FALSE(List.Checked(0));
  EXPECT_TRUE(List.Checked(1));
  EXPECT_FALSE(List.Checked(2));
  EXPECT_TRUE(List.Checked(3));
  List.SetItem(3, L"renamed");
  EXPECT_TRUE(List.Checked(3));
  List.SetChecked(0, true);
  List.SetChecked(0, false);
  EXPECT_FALSE(List.Checked(0));
  EXPECT_EQ(Checks, 2);
}

}  // namespace
