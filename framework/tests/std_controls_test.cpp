// The standard controls on a shown form, driven by real key presses and
// mouse clicks.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

#include "framework/application.h"
#include "framework/controls.h"
#include "framework/exceptions.h"
#include "framework/forms.h"
#include "framework/page_control.h"
#include "framework/std_controls.h"
#include "framework/tests/input.h"

using lctest::ClickAt;
using lctest::PixelAt;
using lctest::PressKey;
using lctest::Settle;
using lctest::Type;
using lctest::TypeInto;

namespace {

constexpr int kLeft = 1400;
constexpr int kTop = 600;

class StdControlsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = lctest::ShownForm(L"TfrmControlsProbe", kLeft, kTop, 400, 300);
  }
  // Counts calls of an event.
  TNotifyEvent Counter(int& N) {
    return [&N](TComponent*) { ++N; };
  }
  std::unique_ptr<TForm> Form;
};

TEST_F(StdControlsTest, EditTakesTypedTextAndReportsEachChange) {
  TEdit Edit(Form.get());
  int Changes = 0;
  Edit.OnChange = Counter(Changes);
  Edit.SetFocus();
  TypeInto(Edit, "ab12");
  EXPECT_EQ(Edit.Text(), L"ab12");
  EXPECT_EQ(Changes, 4);
  Edit.SetText(L"x");
  EXPECT_EQ(Edit.Text(), L"x");
}

TEST_F(StdControlsTest, EditLimitsNumbersAndReadOnly) {
  TEdit Edit(Form.get());
  Edit.SetMaxLength(3);
  EXPECT_EQ(Edit.MaxLength(), 3);
  Edit.SetFocus();
  TypeInto(Edit, "12345");
  EXPECT_EQ(Edit.Text(), L"123");

  TEdit Digits(Form.get());
  Digits.SetNumbersOnly(true);
  EXPECT_TRUE(Digits.NumbersOnly());
  Digits.SetFocus();
  TypeInto(Digits, "a1b2");
  EXPECT_EQ(Digits.Text(), L"12");

  TEdit Fixed(Form.get());
  Fixed.SetText(L"keep");
  Fixed.SetReadOnly(true);
  EXPECT_TRUE(Fixed.ReadOnly());
  Fixed.SetFocus();
  TypeInto(Fixed, "zz");
  EXPECT_EQ(Fixed.Text(), L"keep");
}

TEST_F(StdControlsTest, KeyPressCanRefuseACharacterAndExitFiresOnLeaving) {
  TEdit Name(Form.get());
  TEdit Other(Form.get());
  Other.SetTop(40);
  Name.OnKeyPress = [](TComponent*, wchar_t& Key) {
    if (Key == L'=') Key = 0;
  };
  std::vector<std::string> Log;
  Name.OnEnter = [&](TComponent*) { Log.push_back("enter"); };
  Name.OnExit = [&](TComponent*) { Log.push_back("exit"); };
  Name.SetFocus();
  TypeInto(Name, "a=b");
  Other.SetFocus();
  Settle();
  EXPECT_EQ(Name.Text(), L"ab");
  EXPECT_EQ(Log, (std::vector<std::string>{"enter", "exit"}));
}

TEST_F(StdControlsTest, EditShowsItsColoursAndFont) {
  TEdit Edit(Form.get());
  Edit.SetBounds(10, 10, 120, 24);
  Edit.SetColor(RGBColor(255, 255, 0));
  TFont Big;
  Big.SetName(L"DejaVu Sans");
  Big.SetHeight(-20);
  Big.SetColor(clRed);
  Edit.SetFont(Big);
  Edit.SetText(L"MMMM");
  Edit.Invalidate();
  Settle();
  EXPECT_EQ(PixelAt(Edit, 100, 10), RGBColor(255, 255, 0));
  EXPECT_EQ(SendMessageW(Edit.Handle(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(Edit.Font.Handle()));
  int Red = 0;
  for (int X = 0; X < 60; ++X)
    for (int Y = 0; Y < 20; ++Y) Red += PixelAt(Edit, X, Y) == clRed;
  EXPECT_GT(Red, 20);
}

TEST_F(StdControlsTest, MemoLinesRoundTripAndTypedReturnsSplitLines) {
  TMemo Memo(Form.get());
  Memo.SetLines({L"first", L"", L"third"});
  EXPECT_EQ(Memo.Text(), L"first\r\n\r\nthird");
  EXPECT_EQ(Memo.Lines(), (std::vector<std::wstring>{L"first", L"", L"third"}));
  Memo.AddLine(L"fourth");
  EXPECT_EQ(Memo.Lines().size(), 4u);
  EXPECT_EQ(Memo.Lines()[3], L"fourth");
  Memo.SetText(L"");
  Memo.SetFocus();
  Type("ab");
  PressKey(VK_RETURN);
  Type("c");
  EXPECT_EQ(Memo.Lines(), (std::vector<std::wstring>{L"ab", L"c"}));
}

TEST_F(StdControlsTest, MemoScrollBarsChangeKeepsTextAndReadOnly) {
  TMemo Memo(Form.get(), TScrollStyle::ssNone);
  EXPECT_EQ(GetWindowLongW(Memo.Handle(), GWL_STYLE) & WS_VSCROLL, 0);
  Memo.SetLines({L"one", L"two"});
  Memo.SetReadOnly(true);
  Memo.SetScrollBars(TScrollStyle::ssBoth);
  LONG Style = GetWindowLongW(Memo.Handle(), GWL_STYLE);
  EXPECT_EQ(Style & (WS_VSCROLL | WS_HSCROLL), WS_VSCROLL | WS_HSCROLL);
  EXPECT_EQ(Memo.Lines(), (std::vector<std::wstring>{L"one", L"two"}));
  EXPECT_TRUE(Memo.ReadOnly());
  EXPECT_EQ(TWinControl::FindControl(Memo.Handle()), &Memo);
}

TEST_F(StdControlsTest, ButtonClickAndModalResult) {
  TButton Button(Form.get());
  Button.SetBounds(20, 20, 80, 25);
  int Clicks = 0;
  Button.OnClick = Counter(Clicks);
  ClickAt(Button, 40, 12);
  EXPECT_EQ(Clicks, 1);

  TForm Dialog(L"TfrmModalProbe");
  Dialog.SetBounds(kLeft + 20, kTop + 20, 200, 100);
  TButton Ok(&Dialog);
  Ok.ModalResult = mrOk;
  Ok.SetDefault(true);
  EXPECT_TRUE(Ok.Default());
  PostMessageW(Ok.Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
}

TEST_F(StdControlsTest, AnEventThatRaisesGoesToTheExceptionRoute) {
  std::vector<std::string> Caught;
  Application.OnException = [&](TComponent*, std::exception_ptr E) {
    Caught.push_back(ExceptionMessage(E));
  };
  TButton Button(Form.get());
  Button.SetBounds(20, 20, 80, 25);
  Button.OnClick = [](TComponent*) { throw Exception("click failed"); };
  TEdit Edit(Form.get());
  Edit.SetTop(60);
  Edit.OnChange = [](TComponent*) { throw Exception("change failed"); };
  ClickAt(Button, 40, 12);
  Edit.SetFocus();
  Type("a");
  Application.OnException = nullptr;
  EXPECT_EQ(Caught, (std::vector<std::string>{"click failed", "change failed"}));
  EXPECT_EQ(Edit.Text(), L"a");
}

TEST_F(StdControlsTest, RadioButtonsInAGroupBoxExcludeEachOther) {
  TGroupBox Group(Form.get());
  Group.SetCaption(L"Format");
  Group.SetBounds(10, 10, 200, 120);
  TRadioButton A(&Group), B(&Group), C(&Group);
  A.SetBounds(10, 20, 100, 20);
  B.SetBounds(10, 50, 100, 20);
  C.SetBounds(10, 80, 100, 20);
  int Clicks = 0;
  B.OnClick = Counter(Clicks);
  A.SetChecked(true);
  ClickAt(B, 8, 10);
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(A.Checked());
  EXPECT_TRUE(B.Checked());
  C.SetChecked(true);
  EXPECT_FALSE(B.Checked());
  EXPECT_TRUE(C.Checked());
}

TEST_F(StdControlsTest, ControlsStandOnTheirParentsColour) {
  Form->SetColor(RGBColor(167, 167, 168));
  TGroupBox Group(Form.get());
  Group.SetBounds(10, 10, 200, 100);
  TRadioButton Radio(&Group);
  Radio.SetBounds(10, 20, 150, 20);
  Radio.SetCaption(L"x");
  Form->Invalidate();
  Settle();
  EXPECT_EQ(PixelAt(Group, 190, 90), RGBColor(167, 167, 168));
  EXPECT_EQ(PixelAt(Radio, 140, 10), RGBColor(167, 167, 168));
  // A platform control of the framework without colours of its own keeps
  // the platform's brush.
  TCheckBox Check(Form.get());
  HDC DC = GetDC(Check.Handle());
  EXPECT_NE(SendMessageW(Form->Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(DC),
                         reinterpret_cast<LPARAM>(Check.Handle())),
            0);
  ReleaseDC(Check.Handle(), DC);
}

TEST_F(StdControlsTest, DropDownListPicksItemsByKeyAndText) {
  TComboBox Combo(Form.get());
  Combo.SetItems({L"BMP", L"JPG", L"PNG"});
  EXPECT_EQ(Combo.Count(), 3);
  EXPECT_EQ(Combo.Items(2), L"PNG");
  Combo.SetItemIndex(0);
  int Changes = 0;
  Combo.OnChange = Counter(Changes);
  Combo.SetFocus();
  PressKey(VK_DOWN);
  EXPECT_EQ(Combo.ItemIndex(), 1);
  EXPECT_EQ(Combo.Text(), L"JPG");
  EXPECT_EQ(Changes, 1);
  Combo.SetText(L"PNG");
  EXPECT_EQ(Combo.ItemIndex(), 2);
  Combo.SetText(L"png");
  EXPECT_EQ(Combo.ItemIndex(), -1);
  Combo.SetDropDownWidth(250);
  EXPECT_EQ(Combo.DropDownWidth(), 250);
  Combo.Delete(0);
  Combo.Insert(0, L"GIF");
  EXPECT_EQ(Combo.Items(0), L"GIF");
}

TEST_F(StdControlsTest, EditableComboTakesTypedText) {
  TComboBox Combo(Form.get(), TComboBoxStyle::csDropDown);
  Combo.Add(L"800 x 600 x 60 Hz");
  int Changes = 0;
  Combo.OnChange = Counter(Changes);
  Combo.SetFocus();
  Type("no");
  EXPECT_EQ(Combo.Text(), L"no");
  EXPECT_EQ(Changes, 2);
  EXPECT_EQ(Combo.ItemIndex(), -1);
}

TEST_F(StdControlsTest, TrackBarRangePositionAndKeys) {
  TTrackBar Bar(Form.get());
  int Changes = 0;
  Bar.OnChange = Counter(Changes);
  Bar.SetRange(50, 300);
  EXPECT_EQ(Bar.Min(), 50);
  EXPECT_EQ(Bar.Max(), 300);
  EXPECT_EQ(Bar.Position(), 50);
  Bar.SetPosition(133);
  EXPECT_EQ(Bar.Position(), 133);
  Bar.SetPosition(133);
  EXPECT_EQ(Changes, 2);  // 0 to 50 by the range, then 133
  Bar.SetPosition(400);
  EXPECT_EQ(Bar.Position(), 300);
  Bar.SetPosition(100);
  Changes = 0;
  Bar.SetFocus();
  PressKey(VK_RIGHT);
  EXPECT_EQ(Bar.Position(), 101);
  EXPECT_EQ(Changes, 1);
}

TEST_F(StdControlsTest, PageControlShowsThePageOfTheClickedTab) {
  TPageControl Pages(Form.get());
  Pages.SetBounds(10, 10, 300, 200);
  TTabSheet* One = Pages.AddPage(L"General 1");
  TTabSheet* Two = Pages.AddPage(L"General 2");
  EXPECT_EQ(Pages.PageCount(), 2);
  EXPECT_EQ(Pages.ActivePageIndex(), 0);
  EXPECT_TRUE(One->Visible());
  EXPECT_FALSE(Two->Visible());
  EXPECT_EQ(Two->PageIndex(), 1);
  int Changes = 0;
  Pages.OnChange = Counter(Changes);
  RECT Tab{};
  SendMessageW(Pages.Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&Tab));
  ClickAt(Pages, (Tab.left + Tab.right) / 2, (Tab.top + Tab.bottom) / 2);
  EXPECT_EQ(Changes, 1);
  EXPECT_EQ(Pages.ActivePage(), Two);
  EXPECT_TRUE(Two->Visible());
  EXPECT_FALSE(One->Visible());
  // The page fills the display area below the tabs, also after a resize.
  TRect Area = Pages.DisplayRect();
  EXPECT_EQ(Two->BoundsRect(), Area);
  EXPECT_GT(Area.Top, Tab.top);
  Pages.SetBounds(10, 10, 360, 240);
  EXPECT_EQ(Two->BoundsRect(), Pages.DisplayRect());
  EXPECT_EQ(Two->Width(), Area.Width() + 60);
  Pages.SetActivePageIndex(0);
  EXPECT_EQ(Changes, 1);
  EXPECT_TRUE(One->Visible());
  Pages.SetTabCaption(1, L"Allgemein 2");
  EXPECT_EQ(Pages.TabCaption(1), L"Allgemein 2");
}

}  // namespace
