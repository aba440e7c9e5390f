// Menu items, their command ids, and popup menus opened on the test
// display and driven with the keyboard.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/flat_menu_painter.h"
#include "framework/forms.h"
#include "framework/menus.h"
#include "framework/tests/input.h"
#include "framework/tests/menu_driver.h"

namespace {

using lctest::OpenMenuWindows;
using lctest::TMenuDriver;
using lctest::WaitFor;

// ---------------------------------------------------------------- items

TEST(MenuItem, EveryItemHasItsOwnCommandUntilFreed) {
  TMenuItem Root;
  std::set<UINT> Seen{Root.Command()};
  std::vector<TMenuItem*> Added;
  for (int I = 0; I < 50; ++I) {
    TMenuItem* Item = Root.Add(L"Item " + std::to_wstring(I));
    EXPECT_TRUE(Seen.insert(Item->Command()).second) << "repeated id " << Item->Command();
    EXPECT_EQ(TMenuItem::FindCommand(Item->Command()), Item);
    Added.push_back(Item);
  }
  UINT Freed = Added[10]->Command();
  Root.Remove(Added[10]);
  EXPECT_EQ(Root.Count(), 49);
  EXPECT_EQ(TMenuItem::FindCommand(Freed), nullptr);
  // A new item does not take the id just freed while others are free.
  TMenuItem* Next = Root.Add(L"Next");
  EXPECT_NE(Next->Command(), Freed);
}

TEST(MenuItem, FreeingAParentFreesItsChildrensCommands) {
  auto Parent = std::make_unique<TMenuItem>(L"Bookmarks");
  TMenuItem* Sep = Parent->Add(L"-", nullptr, L"s0");
  TMenuItem* Mark = Parent->Add(L"00:00:05\t\t\tAlt+&1", nullptr, L"s1");
  UINT SepId = Sep->Command(), MarkId = Mark->Command();
  Parent->Clear();
  EXPECT_EQ(Parent->Count(), 0);
  EXPECT_EQ(TMenuItem::FindCommand(SepId), nullptr);
  EXPECT_EQ(TMenuItem::FindCommand(MarkId), nullptr);
  TMenuItem* Sub = Parent->Add(L"Sub");
  UINT SubId = Sub->Add(L"Deep")->Command();
  Parent.reset();
  EXPECT_EQ(TMenuItem::FindCommand(SubId), nullptr);
}

TEST(MenuItem, CaptionSplitsAtTheFirstTabIntoTextAndShortcut) {
  struct Case {
    const wchar_t* Caption;
    const wchar_t* Text;
    const wchar_t* ShortCut;
  };
  const Case Cases[] = {
      {L"&Open movie\tCtrl+O", L"&Open movie", L"Ctrl+O"},
      {L"01:02:03\t\t\tAlt+&1", L"01:02:03", L"Alt+&1"},
      {L"Exit", L"Exit", L""},
      {L"Trailing\t", L"Trailing", L""},
  };
  for (const Case& C : Cases) {
    TMenuItem Item(C.Caption);
    EXPECT_EQ(Item.CaptionText(), C.Text);
    EXPECT_EQ(Item.ShortCutText(), C.ShortCut);
  }
  EXPECT_TRUE(TMenuItem(L"-").IsLine());
  EXPECT_FALSE(TMenuItem(L"--").IsLine());
}

TEST(MenuItem, CheckingARadioItemClearsItsGroupOnly) {
  TMenuItem Root;
  std::vector<TMenuItem*> Items;
  for (int Group : {1, 1, 1, 2}) {
    TMenuItem* Item = Root.Add(L"r");
    Item->RadioItem = true;
    Item->GroupIndex = Group;
    Items.push_back(Item);
  }
  TMenuItem* Plain = Root.Add(L"plain");
  Plain->GroupIndex = 1;
  Plain->SetChecked(true);
  Items[3]->SetChecked(true);
  Items[0]->SetChecked(true);
  Items[2]->SetChecked(true);
  EXPECT_FALSE(Items[0]->Checked());
  EXPECT_FALSE(Items[1]->Checked());
  EXPECT_TRUE(Items[2]->Checked());
  EXPECT_TRUE(Items[3]->Checked());
  EXPECT_TRUE(Plain->Checked());
}

TEST(MenuItem, FindInsertAndExtract) {
  TMenuItem Root;
  Root.Add(L"a", nullptr, L"A");
  Root.Add(L"c", nullptr, L"C");
  TMenuItem* B = Root.Insert(1, std::make_unique<TMenuItem>(L"b"));
  EXPECT_EQ(Root.IndexOf(B), 1);
  EXPECT_EQ(B->Parent(), &Root);
  EXPECT_EQ(Root.Find(L"C"), Root.Items(2));
  EXPECT_EQ(Root.Find(L"none"), nullptr);
  std::unique_ptr<TMenuItem> Out = Root.Extract(B);
  EXPECT_EQ(Out.get(), B);
  EXPECT_EQ(B->Parent(), nullptr);
  EXPECT_EQ(TMenuItem::FindCommand(B->Command()), B);
  EXPECT_THROW(Root.Insert(0, nullptr), Exception);
}

// ---------------------------------------------------------------- popup

constexpr int kLeft = 1500;
constexpr int kTop = 700;

class PopupMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = lctest::ShownForm(L"TfrmMenuProbe", kLeft, kTop, 200, 100);
    // The pointer away from where the menus open: a menu takes every
    // mouse move over it, and one that comes late (the display reports the
    // pointer entering a newly shown window whenever it gets to it) would
    // move or drop the selection that the keys made.
    SetCursorPos(kLeft - 400, kTop - 400);
    Open = Menu.Items.Add(L"&Open\tCtrl+O", [this](TComponent* S) { Log.push_back(L"open"); });
    Menu.Items.Add(L"-");
    Play = Menu.Items.Add(L"&Play", [this](TComponent* S) { Log.push_back(L"play"); });
    Exit = Menu.Items.Add(L"E&xit", [this](TComponent* S) {
      Log.push_back(L"exit");
      Sender = S;
    });
  }
  void TearDown() override { Application.OnException = nullptr; }

  std::unique_ptr<TForm> Form;
  TPopupMenu Menu;
  TMenuItem* Open = nullptr;
  TMenuItem* Play = nullptr;
  TMenuItem* Exit = nullptr;
  TComponent* Sender = nullptr;
  std::vector<std::wstring> Log;
};

TEST_F(PopupMenuTest, OpensAtThePointAndRunsOnPopupFirst) {
  Menu.OnPopup = [this](TComponent*) { Log.push_back(L"popup"); };
  {
    TMenuDriver Driver({VK_ESCAPE});
    Menu.Popup(kLeft + 20, kTop + 30);
    Application.ProcessMessages();
    EXPECT_EQ(Driver.MenuRect.left, kLeft + 20);
    EXPECT_EQ(Driver.MenuRect.top, kTop + 30);
  }
  EXPECT_EQ(Log, std::vector<std::wstring>{L"popup"});
  EXPECT_EQ(Menu.LastPicked(), nullptr);
}

TEST_F(PopupMenuTest, ArrowsAndEnterPickTheItemOnce) {
  {
    // Down lands on the first item, the separator is stepped over.
    TMenuDriver Driver({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  Application.ProcessMessages();
  EXPECT_EQ(Log, std::vector<std::wstring>{L"exit"});
  EXPECT_EQ(Sender, Exit);
  EXPECT_EQ(Menu.LastPicked(), Exit);
}

TEST_F(PopupMenuTest, HiddenItemsAreLeftOutAndDisabledOnesDoNothing) {
  Open->Visible = false;
  Play->Enabled = false;
  {
    // Enter on the disabled item closes the menu without a pick.
    TMenuDriver Driver({VK_DOWN, VK_RETURN});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_TRUE(Log.empty());
  {
    TMenuDriver Driver({VK_DOWN, VK_DOWN, VK_RETURN});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_EQ(Log, std::vector<std::wstring>{L"exit"});
}

TEST_F(PopupMenuTest, AcceleratorLetterPicksTheFlatPaintedItem) {
  TFlatMenu Painter;
  Painter.SetActive(true);
  Menu.Painter = &Painter;
  {
    TMenuDriver Driver({'P'});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_EQ(Log, std::vector<std::wstring>{L"play"});
}

TEST_F(PopupMenuTest, TheLetterMarkedInTheShortcutTextPicksTheFlatPaintedItem) {
  TFlatMenu Painter;
  Painter.SetActive(true);
  Menu.Painter = &Painter;
  // Bookmark items mark their number after the tab.
  Menu.Items.Add(L"00:00:05\t\t\tAlt+&1", [this](TComponent*) { Log.push_back(L"bookmark 1"); });
  Menu.Items.Add(L"00:00:09\t\t\tAlt+&2", [this](TComponent*) { Log.push_back(L"bookmark 2"); });
  {
    TMenuDriver Driver({'2'});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_EQ(Log, std::vector<std::wstring>{L"bookmark 2"});
}

TEST_F(PopupMenuTest, SubmenuItemsAndRunTimeItemsArePicked) {
  TMenuItem* Sub = Menu.Items.Insert(0, std::make_unique<TMenuItem>(L"&Monitors"));
  Menu.OnPopup = [&](TComponent*) {
    Sub->Clear();
    for (int N = 1; N <= 3; ++N)
      Sub->Add(L"Monitor " + std::to_wstring(N),
               [this, N](TComponent*) { Log.push_back(L"monitor " + std::to_wstring(N)); },
               L"Monitor" + std::to_wstring(N));
  };
  {
    TMenuDriver Driver({VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_EQ(Log, std::vector<std::wstring>{L"monitor 2"});
  EXPECT_EQ(Menu.LastPicked(), Sub->Find(L"Monitor2"));
}

TEST_F(PopupMenuTest, AnItemThatRaisesGoesToTheExceptionRoute) {
  std::string Caught;
  Application.OnException = [&](TComponent*, std::exception_ptr E) {
    Caught = ExceptionMessage(E);
  };
  Play->OnClick = [](TComponent*) { throw Exception("play failed"); };
  {
    TMenuDriver Driver({VK_DOWN, VK_DOWN, VK_RETURN});
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  EXPECT_EQ(Caught, "play failed");
}

// Right-clicks the screen point and picks the first item, "&Open", of the
// menu that opens; returns where the menu window stood. The menu opens
// under the pointer, so the pick is its letter: a late mouse move would
// undo a selection made with the arrow keys.
RECT RightClickAndPickFirst(TPoint At, const std::vector<std::wstring>& Log) {
  SetCursorPos(At.X, At.Y);
  TMenuDriver Driver({'O'});
  INPUT In[2] = {};
  In[0].type = In[1].type = INPUT_MOUSE;
  In[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
  In[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
  SendInput(2, In, sizeof(INPUT));
  for (int Waited = 0; Waited < 10000 && Log.empty(); Waited += 10) {
    Application.ProcessMessages();
    Sleep(10);
  }
  return Driver.MenuRect;
}

TEST_F(PopupMenuTest, ARightClickOpensTheWindowsPopupMenuAtTheMouse) {
  TPanel Panel(Form.get());
  Panel.SetBounds(10, 10, 100, 60);
  Panel.PopupMenu = &Menu;
  TPoint At = Panel.ClientToScreen({30, 20});
  RECT Seen = RightClickAndPickFirst(At, Log);
  EXPECT_EQ(Log, std::vector<std::wstring>{L"open"});
  EXPECT_EQ(Seen.left, At.X);
  EXPECT_EQ(Seen.top, At.Y);
  // A window without a menu of its own leaves the request to its parent.
  Panel.PopupMenu = nullptr;
  Form->PopupMenu = &Menu;
  Log.clear();
  RightClickAndPickFirst(Panel.ClientToScreen({40, 30}), Log);
  EXPECT_EQ(Log, std::vector<std::wstring>{L"open"});
}

TEST_F(PopupMenuTest, FlatPainterDrawsTheOpenMenu) {
  TFlatMenu Painter;
  Painter.SetActive(true);
  Menu.Painter = &Painter;
  std::vector<COLORREF> Column, Face;
  {
    TMenuDriver Driver({VK_ESCAPE}, [&](HWND W) {
      HDC DC = GetDC(W);
      RECT R;
      GetClientRect(W, &R);
      // Middle of the first item's image column and of its text part, far
      // right where no caption reaches.
      Column.push_back(GetPixel(DC, R.left + 12, R.top + 12));
      Face.push_back(GetPixel(DC, R.right - 6, R.top + 12));
      ReleaseDC(W, DC);
    });
    Menu.Popup(kLeft + 10, kTop + 10);
  }
  ASSERT_EQ(Column.size(), 1u);
  EXPECT_EQ(Column[0], RGB(228, 228, 228));
  EXPECT_EQ(Face[0], RGB(250, 250, 250));
}

}  // namespace
