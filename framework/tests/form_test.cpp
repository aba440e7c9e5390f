// A real form receiving messages and dispatching them to its hooks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/messages.h"

namespace {

// Records every hook call as a line of text.
class TfrmProbe : public TForm {
 public:
  TfrmProbe() : TForm(L"TfrmProbe") {}
  std::vector<std::string> Log;
  TBitmap* BackBuffer = nullptr;

 protected:
  void Paint() override { Log.push_back("paint"); }
  void MouseDown(TMouseButton B, TShiftState S, int X, int Y) override {
    Log.push_back(Describe("down", B, S, X, Y));
  }
  void MouseUp(TMouseButton B, TShiftState S, int X, int Y) override {
    Log.push_back(Describe("up", B, S, X, Y));
  }
  void MouseMove(TShiftState S, int X, int Y) override {
    Log.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
  }
  void DblClick(int X, int Y) override {
    Log.push_back("dblclick " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseEnter() override { Log.push_back("enter"); }
  void MouseLeave() override { Log.push_back("leave"); }
  void KeyDown(WORD& Key, TShiftState S) override {
    Log.push_back("keydown " + std::to_string(Key));
  }
  void KeyPress(wchar_t& Key) override {
    Log.push_back(std::string("keypress ") + static_cast<char>(Key));
  }
  void WndProc(TMessage& M) override {
    if (M.Msg == CM_WANTSPECIALKEY) Log.push_back("wants " + std::to_string(M.WParam));
    TForm::WndProc(M);
  }
  bool EraseBackground() override {
    if (!BackBuffer) return TForm::EraseBackground();
    TRect R = Canvas().ClipRect();
    Canvas().CopyRect(R, BackBuffer->Canvas(), R);
    return true;
  }

 private:
  static std::string Describe(const char* What, TMouseButton B, TShiftState S, int X, int Y) {
    std::string Text = What;
    Text += B == TMouseButton::mbLeft ? " left" : B == TMouseButton::mbRight ? " right" : " mid";
    if (S & ssDouble) Text += " double";
    return Text + " " + std::to_string(X) + "," + std::to_string(Y);
  }
};

LPARAM Point(int X, int Y) { return MAKELPARAM(X, Y); }

TFont Arial(int Height, TColor Color = clBlack) {
  TFont F;
  F.SetName(L"Arial");
  F.SetHeight(Height);
  F.SetColor(Color);
  return F;
}

// Test forms stand in the lower right part of the shared test display,
// away from where other test programs look at the screen.
constexpr int kLeft = 1500;
constexpr int kTop = 700;

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TfrmProbe>();
    Form->SetBounds(kLeft, kTop, 200, 100);
  }
  HWND Wnd() { return Form->Handle(); }
  std::unique_ptr<TfrmProbe> Form;
};

}  // namespace

TEST(Form, StartsWithTheClientSizeItIsMadeWith) {
  TForm Sized(L"TfrmSized", {317, 245});
  EXPECT_EQ(Sized.ClientWidth(), 317);
  EXPECT_EQ(Sized.ClientHeight(), 245);
  TForm Plain(L"TfrmPlain");
  EXPECT_EQ(Plain.ClientWidth(), 320);
  EXPECT_EQ(Plain.ClientHeight(), 240);
}

TEST_F(FormTest, RegistersWindowClassUnderFormClassName) {
  wchar_t Name[64] = {};
  GetClassNameW(Wnd(), Name, 64);
  EXPECT_EQ(std::wstring(Name), L"TfrmProbe");
  EXPECT_EQ(Form->ClassName(), L"TfrmProbe");
  EXPECT_EQ(GetWindow(Wnd(), GW_OWNER), Application.Handle());
  LONG Style = GetWindowLongW(Wnd(), GWL_STYLE);
  EXPECT_EQ(Style & WS_CAPTION, 0);
  EXPECT_EQ(Style & WS_THICKFRAME, 0);
  EXPECT_EQ(TWinControl::FindControl(Wnd()), Form.get());
}

TEST_F(FormTest, ApplicationWindowCarriesTitle) {
  Application.SetTitle(L"LumacraftProbe");
  EXPECT_EQ(FindWindowW(L"TApplication", L"LumacraftProbe"), Application.Handle());
}

TEST_F(FormTest, MouseMessagesReachHooksWithButtonAndPoint) {
  SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(10, 20));
  EXPECT_EQ(GetCapture(), Wnd());
  SendMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(12, 22));
  SendMessageW(Wnd(), WM_LBUTTONUP, 0, Point(13, 23));
  EXPECT_NE(GetCapture(), Wnd());
  SendMessageW(Wnd(), WM_RBUTTONDOWN, MK_RBUTTON, Point(1, 2));
  SendMessageW(Wnd(), WM_RBUTTONUP, 0, Point(1, 2));
  const std::vector<std::string> Want = {"down left 10,20", "enter",        "move 12,22",
                                         "up left 13,23",   "down right 1,2", "up right 1,2"};
  EXPECT_EQ(Form->Log, Want);
}

TEST_F(FormTest, DoubleClickThenDownWithDoubleFlag) {
  SendMessageW(Wnd(), WM_LBUTTONDBLCLK, MK_LBUTTON, Point(30, 40));
  const std::vector<std::string> Want = {"dblclick 30,40", "down left double 30,40"};
  EXPECT_EQ(Form->Log, Want);
}

TEST_F(FormTest, MouseLeaveAfterEnter) {
  SendMessageW(Wnd(), WM_MOUSEMOVE, 0, Point(5, 5));
  SendMessageW(Wnd(), WM_MOUSEMOVE, 0, Point(6, 5));
  SendMessageW(Wnd(), WM_MOUSELEAVE, 0, 0);
  SendMessageW(Wnd(), WM_MOUSEMOVE, 0, Point(7, 5));
  const std::vector<std::string> Want = {"enter", "move 5,5", "move 6,5", "leave",
                                         "enter", "move 7,5"};
  EXPECT_EQ(Form->Log, Want);
}

TEST_F(FormTest, KeysReachHooks) {
  SendMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  SendMessageW(Wnd(), WM_CHAR, 'a', 0);
  const std::vector<std::string> Want = {"keydown 27", "keypress a"};
  EXPECT_EQ(Form->Log, Want);
}

TEST_F(FormTest, LoopOffersSpecialKeysBeforeDelivering) {
  PostMessageW(Wnd(), WM_KEYDOWN, VK_LEFT, 0);
  PostMessageW(Wnd(), WM_KEYDOWN, 'A', 0);
  // With Alt held the arrows come as system keys, offered the same way.
  PostMessageW(Wnd(), WM_SYSKEYDOWN, VK_UP, LPARAM{1} << 29);
  Application.ProcessMessages();
  // The character of A is queued behind the keys posted before it.
  const std::vector<std::string> Want = {"wants 37", "keydown 37", "keydown 65", "wants 38", "keydown 38",
                                         "keypress a"};
  EXPECT_EQ(Form->Log, Want);
}

TEST_F(FormTest, AReplacedWindowProcSeesEveryMessageAndHandsItOn) {
  std::vector<std::string> Seen;
  auto Kept = Form->WindowProc;
  Form->WindowProc = [&](TMessage& M) {
    if (M.Msg == WM_KEYDOWN) Seen.push_back("seen " + std::to_string(M.WParam));
    Kept(M);
  };
  SendMessageW(Wnd(), WM_KEYDOWN, VK_ESCAPE, 0);
  Form->Perform(WM_KEYDOWN, 'B');
  EXPECT_EQ(Seen, (std::vector<std::string>{"seen 27", "seen 66"}));
  EXPECT_EQ(Form->Log, (std::vector<std::string>{"keydown 27", "keydown 66"}));
}

TEST_F(FormTest, KeysCarryTheMouseButtonsHeld) {
  TCheckBox Box(Form.get());
  std::vector<TShiftState> Shifts;
  Box.OnKeyDown = [&](TComponent*, WORD&, TShiftState Shift) { Shifts.push_back(Shift); };
  BYTE State[256] = {};
  GetKeyboardState(State);
  const BYTE Kept = State[VK_LBUTTON];
  State[VK_LBUTTON] = 0x80;
  SetKeyboardState(State);
  SendMessageW(Box.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  State[VK_LBUTTON] = Kept;
  SetKeyboardState(State);
  SendMessageW(Box.Handle(), WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(Shifts, (std::vector<TShiftState>{ssLeft, 0}));
}

TEST_F(FormTest, AFormActivatedAgainGivesTheFocusBackToItsControl) {
  TCheckBox Box(Form.get());
  Box.SetBounds(5, 5, 60, 20);
  Form->Show();
  Box.SetFocus();
  TForm Other(L"TfrmOtherProbe");
  Other.SetBounds(kLeft, kTop + 150, 100, 50);
  Other.Show();
  SetActiveWindow(Other.Handle());
  ASSERT_EQ(GetFocus(), Other.Handle());
  SetActiveWindow(Wnd());
  EXPECT_EQ(GetFocus(), Box.Handle());
  Other.Hide();
  Form->Hide();
}

TEST_F(FormTest, TheActivationHookMayHandTheFocusToAControl) {
  TCheckBox Box(Form.get());
  Box.SetBounds(5, 5, 60, 20);
  Form->OnActivate = [&](TComponent*) { Box.SetFocus(); };
  Form->Show();
  SetActiveWindow(Wnd());
  EXPECT_EQ(GetFocus(), Box.Handle());
  Form->Hide();
}

// The form the keyboard heir hook names, with the application window shown
// as the message loop shows it (the owner the platform activates when the
// active form hides); the hook records whom it was asked for.
class FormKeyboardTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    ShowWindow(Application.Handle(), SW_SHOWNORMAL);
    Heir.SetBounds(kLeft, kTop + 150, 100, 50);
    Heir.Show();
    Form->Show();
    SetActiveWindow(Wnd());
    Application.OnKeyboardHeir = [this](TForm* Leaving) {
      Asked.push_back(Leaving);
      return &Heir;
    };
  }
  void TearDown() override {
    Application.OnKeyboardHeir = nullptr;
    Heir.Hide();
    ShowWindow(Application.Handle(), SW_HIDE);
  }
  TForm Heir{L"TfrmHeirProbe"};
  std::vector<TForm*> Asked;
};

// The platform would activate a window of its own choosing (the
// application window, which takes no keys): the form asks first.
TEST_F(FormKeyboardTest, AFormThatHoldsTheKeyboardHandsItOnBeforeItHides) {
  ASSERT_EQ(GetActiveWindow(), Wnd());
  Form->Hide();
  EXPECT_EQ(GetActiveWindow(), Heir.Handle());
  EXPECT_EQ(GetFocus(), Heir.Handle());
  EXPECT_EQ(Asked, (std::vector<TForm*>{Form.get()}));
  // A form that does not hold the keyboard hides without asking.
  Form->Show();
  SetActiveWindow(Heir.Handle());
  Form->Hide();
  EXPECT_EQ(Asked.size(), 1u);
  EXPECT_EQ(GetActiveWindow(), Heir.Handle());
}

// The window that was active when the dialog came hid while it ran: the
// keyboard stays where the dialog handed it.
TEST_F(FormKeyboardTest, AModalFormGivesTheKeyboardBackOnlyToAWindowThatShows) {
  TForm Dialog(L"TfrmDialogProbe");
  Dialog.SetBounds(kLeft, kTop, 100, 50);
  Dialog.OnShow = [&](TComponent*) {
    Form->Hide();
    Dialog.ModalResult = mrOk;
  };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_EQ(GetActiveWindow(), Heir.Handle());
  ASSERT_FALSE(Asked.empty());
  EXPECT_EQ(Asked.back(), &Dialog);
}

TEST_F(FormTest, CanvasDrawsOutsidePaintAfterPartialRepaint) {
  Form->Show();
  Form->Update();
  Form->InvalidateRect(Rect(0, 0, 10, 10));
  Form->Update();
  Form->Canvas().Brush.Color = RGBColor(0, 0, 250);
  Form->Canvas().FillRect(Form->ClientRect());
  EXPECT_EQ(Form->Canvas().Pixel(150, 70), RGBColor(0, 0, 250));
  Form->Hide();
}

TEST_F(FormTest, PaintRunsOnInvalidatedShownForm) {
  Form->Show();
  Form->Log.clear();
  Form->Invalidate();
  Form->Update();
  ASSERT_FALSE(Form->Log.empty());
  EXPECT_EQ(Form->Log.back(), "paint");
  Form->Hide();
}

TEST_F(FormTest, EraseBackgroundOverrideCopiesBackBuffer) {
  TBitmap Back(200, 100);
  Back.Canvas().Brush.Color = RGBColor(1, 2, 3);
  Back.Canvas().FillRect(Rect(0, 0, 200, 100));
  Form->BackBuffer = &Back;
  TBitmap Target(200, 100);
  IntersectClipRect(Target.Canvas().Handle(), 10, 10, 20, 20);
  LRESULT R = SendMessageW(Wnd(), WM_ERASEBKGND,
                           reinterpret_cast<WPARAM>(Target.Canvas().Handle()), 0);
  SelectClipRgn(Target.Canvas().Handle(), nullptr);
  EXPECT_EQ(R, 1);
  EXPECT_EQ(Target.Canvas().Pixel(10, 10), RGBColor(1, 2, 3));
  EXPECT_EQ(Target.Canvas().Pixel(19, 19), RGBColor(1, 2, 3));
  EXPECT_EQ(Target.Canvas().Pixel(20, 20), clBlack);
}

TEST_F(FormTest, ConstraintsLimitEverySizeChange) {
  Form->Constraints = {100, 50, 300, 150};
  Form->SetBounds(kLeft, kTop, 10, 10);
  EXPECT_EQ(Form->Width(), 100);
  EXPECT_EQ(Form->Height(), 50);
  SetWindowPos(Wnd(), nullptr, kLeft, kTop, 900, 900, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_EQ(Form->Width(), 300);
  EXPECT_EQ(Form->Height(), 150);
}

TEST_F(FormTest, ScreenListsForms) {
  const auto& Forms = Screen.Forms();
  EXPECT_NE(std::find(Forms.begin(), Forms.end(), Form.get()), Forms.end());
  TForm* Raw = Form.get();
  Form.reset();
  EXPECT_EQ(std::find(Screen.Forms().begin(), Screen.Forms().end(), Raw), Screen.Forms().end());
}

TEST_F(FormTest, ScreenCursorOverridesFormCursor) {
  HCURSOR Custom = LoadCursorW(nullptr, IDC_CROSS);
  Screen.SetCursors(5, Custom);
  Screen.SetCursor(5);
  SetCursor(nullptr);
  SendMessageW(Wnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(Wnd()), MAKELPARAM(HTCLIENT, 0));
  EXPECT_EQ(GetCursor(), Custom);
  Screen.SetCursor(crDefault);
  EXPECT_EQ(Screen.Cursors(crHandPoint), LoadCursorW(nullptr, IDC_HAND));
}

// A cursor resource the program lacks leaves the cursor as it was; a
// cursor set afterwards replaces the resource.
TEST_F(FormTest, AMissingCursorResourceLeavesTheCursorAsItWas) {
  const HCURSOR Hand = LoadCursorW(nullptr, IDC_HAND);
  Screen.SetCursorResource(crHandPoint, L"NO SUCH CURSOR");
  EXPECT_EQ(Screen.Cursors(crHandPoint), Hand);
  const HCURSOR Cross = LoadCursorW(nullptr, IDC_CROSS);
  Screen.SetCursors(crHandPoint, Cross);
  EXPECT_EQ(Screen.Cursors(crHandPoint), Cross);
  Screen.SetCursors(crHandPoint, Hand);
}

// ----------------------------------------------------- graphic controls

namespace {

class TProbeZone : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::vector<std::string> Log;

 protected:
  void MouseDown(TMouseButton, TShiftState, int X, int Y) override {
    Log.push_back("down " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseMove(TShiftState, int X, int Y) override {
    Log.push_back("move " + std::to_string(X) + "," + std::to_string(Y));
  }
  void MouseUp(TMouseButton, TShiftState, int X, int Y) override {
    Log.push_back("up " + std::to_string(X) + "," + std::to_string(Y));
  }
};

}  // namespace

TEST_F(FormTest, PressOnGraphicControlGoesToItUntilRelease) {
  TProbeZone Zone(Form.get());
  Zone.SetBounds(100, 10, 20, 20);
  SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(105, 15));
  SendMessageW(Wnd(), WM_MOUSEMOVE, MK_LBUTTON, Point(50, 50));
  SendMessageW(Wnd(), WM_LBUTTONUP, 0, Point(50, 50));
  SendMessageW(Wnd(), WM_MOUSEMOVE, 0, Point(51, 50));
  const std::vector<std::string> WantZone = {"down 5,5", "move -50,40", "up -50,40"};
  EXPECT_EQ(Zone.Log, WantZone);
  EXPECT_EQ(Form->Log.back(), "move 51,50");
}

TEST_F(FormTest, DisabledOrHiddenGraphicControlLetsPressThrough) {
  TProbeZone Zone(Form.get());
  Zone.SetBounds(0, 0, 50, 50);
  Zone.Enabled = false;
  SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(5, 5));
  Zone.Enabled = true;
  Zone.Visible = false;
  SendMessageW(Wnd(), WM_LBUTTONDOWN, MK_LBUTTON, Point(6, 6));
  SendMessageW(Wnd(), WM_LBUTTONUP, 0, Point(6, 6));
  EXPECT_TRUE(Zone.Log.empty());
  EXPECT_EQ(Form->Log.front(), "down left 5,5");
}

TEST_F(FormTest, AnchoredGraphicControlFollowsResize) {
  TProbeZone Right(Form.get()), Stretch(Form.get());
  Right.SetBounds(180, 10, 10, 10);
  Right.Anchors = akRight | akBottom;
  Stretch.SetBounds(0, 90, 200, 10);
  Stretch.Anchors = akLeft | akRight | akBottom;
  Form->SetBounds(kLeft, kTop, 250, 130);
  EXPECT_EQ(Right.BoundsRect(), Rect(230, 40, 240, 50));
  EXPECT_EQ(Stretch.BoundsRect(), Rect(0, 120, 250, 130));
}

TEST_F(FormTest, ScaleByScalesClientFontAndControls) {
  TProbeZone Zone(Form.get());
  Zone.SetBounds(8, 16, 40, 4);
  Form->SetClientSize(200, 100);
  TFont F;
  F.SetHeight(-16);
  Form->SetFont(F);
  Form->ScaleBy(3, 4);
  EXPECT_EQ(Form->ClientWidth(), 150);
  EXPECT_EQ(Form->ClientHeight(), 75);
  EXPECT_EQ(Form->Font.Height(), -12);
  EXPECT_EQ(Form->Canvas().Font.Height(), -12);
  EXPECT_EQ(Zone.BoundsRect(), Rect(6, 12, 36, 15));
}

TEST_F(FormTest, HiddenFormTakesWindowStateWhenShown) {
  Form->SetWindowState(TWindowState::wsMinimized);
  EXPECT_FALSE(Form->Showing());
  Form->Show();
  EXPECT_TRUE(IsIconic(Wnd()));
  Form->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsIconic(Wnd()));
  EXPECT_EQ(Form->WindowState(), TWindowState::wsNormal);
  Form->Hide();
}

// What the platform sends an owned window when its owner is minimised and
// restored: the form is hidden meanwhile, yet stays shown for the user.
TEST_F(FormTest, AFormHiddenWithItsMinimisedOwnerStaysShownByTheUser) {
  Form->Show();
  SendMessageW(Wnd(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
  EXPECT_FALSE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(Form->Visible());
  EXPECT_TRUE(Form->ShownByUser());
  SendMessageW(Wnd(), WM_SHOWWINDOW, TRUE, SW_PARENTOPENING);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_TRUE(Form->ShownByUser());
  // Hidden by the user, it stays hidden for him whatever the owner does.
  SendMessageW(Wnd(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
  Form->Hide();
  EXPECT_FALSE(Form->ShownByUser());
  SendMessageW(Wnd(), WM_SHOWWINDOW, FALSE, SW_PARENTCLOSING);
  EXPECT_FALSE(Form->ShownByUser());
}

TEST_F(FormTest, LabelSizesToTextAndPaintsOnItsParent) {
  TLabel Label(Form.get());
  Label.SetFont(Arial(-16));
  Label.SetCaption(L"One");
  int OneLine = Label.Height();
  int Narrow = Label.Width();
  Label.SetCaption(L"One more\r\nTwo");
  EXPECT_GT(Label.Width(), Narrow);
  EXPECT_GE(Label.Height(), 2 * OneLine);
  Label.SetBounds(20, 30, Label.Width(), Label.Height());
  Label.Color = RGBColor(0, 180, 0);
  Form->Show();
  Form->Repaint();
  EXPECT_EQ(Form->Canvas().Pixel(20, 30), RGBColor(0, 180, 0));
  EXPECT_NE(Form->Canvas().Pixel(19, 30), RGBColor(0, 180, 0));
  Form->Hide();
}

TEST_F(FormTest, GraphicControlPaintLeavesTheParentsFontAndBrush) {
  TLabel Label(Form.get());
  Label.SetFont(Arial(-20, clRed));
  Label.SetCaption(L"Label");
  Label.SetBounds(10, 10, Label.Width(), Label.Height());
  const int Height = Form->Canvas().Font.Height();
  const TColor Color = Form->Canvas().Font.Color();
  ASSERT_NE(Height, -20);
  Form->Show();
  Form->Repaint();
  EXPECT_EQ(Form->Canvas().Font.Height(), Height);
  EXPECT_EQ(Form->Canvas().Font.Color(), Color);
  EXPECT_EQ(Form->Canvas().Brush.Style, TBrushStyle::bsSolid);
  Form->Hide();
}

TEST_F(FormTest, KeyPreviewLetsFormSeeChildKeysFirst) {
  TCheckBox Box(Form.get());
  std::vector<WORD> BoxKeys;
  Box.OnKeyDown = [&](TComponent*, WORD& Key, TShiftState) { BoxKeys.push_back(Key); };
  SendMessageW(Box.Handle(), WM_KEYDOWN, 'X', 0);
  Form->KeyPreview = true;
  Form->OnKeyDown = nullptr;
  SendMessageW(Box.Handle(), WM_KEYDOWN, 'Y', 0);
  const std::vector<std::string> WantForm = {"keydown 89"};
  EXPECT_EQ(Form->Log, WantForm);
  const std::vector<WORD> WantBox = {'X', 'Y'};
  EXPECT_EQ(BoxKeys, WantBox);
}

TEST_F(FormTest, DefaultEraseKeepsCanvasBrush) {
  Form->SetColor(RGBColor(9, 8, 7));
  Form->Canvas().Brush.Style = TBrushStyle::bsClear;
  Form->Canvas().Brush.Color = clRed;
  TBitmap Target(10, 10);
  SendMessageW(Wnd(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(Target.Canvas().Handle()), 0);
  EXPECT_EQ(Target.Canvas().Pixel(5, 5), RGBColor(9, 8, 7));
  EXPECT_EQ(Form->Canvas().Brush.Style, TBrushStyle::bsClear);
  EXPECT_EQ(Form->Canvas().Brush.Color, clRed);
}
