// The application object: modal loops, timers, exception routing,
// minimise and restore, hints; the screen's monitors.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <windows.h>

#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/tests/input.h"
#include "framework/timer.h"

namespace {

// Test forms stand in the lower right part of the shared test display,
// away from where other test programs look at the screen.
void Park(TForm& Form) { Form.SetBounds(1500, 700, 200, 100); }

// Pumps messages until Done() or the deadline.
template <class F>
bool PumpUntil(F Done, DWORD Milliseconds = 3000) {
  DWORD End = GetTickCount() + Milliseconds;
  while (!Done()) {
    if (static_cast<LONG>(GetTickCount() - End) > 0) return false;
    Application.ProcessMessages();
    Sleep(1);
  }
  return true;
}

class ApplicationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Application.OnException = [this](TComponent*, std::exception_ptr E) {
      Errors.push_back(ExceptionMessage(E));
    };
  }
  void TearDown() override {
    Application.OnException = nullptr;
    Application.OnModalBegin = nullptr;
    Application.OnModalEnd = nullptr;
    Application.OnShowHint = nullptr;
    Application.OnMinimize = nullptr;
    Application.OnRestore = nullptr;
  }
  std::vector<std::string> Errors;
};

class TfrmThrowing : public TForm {
 public:
  TfrmThrowing() : TForm(L"TfrmThrowing") {}
  bool Silent = false;

 protected:
  void MouseDown(TMouseButton, TShiftState, int, int) override {
    if (Silent) Abort();
    throw std::runtime_error("press failed");
  }
};

}  // namespace

TEST_F(ApplicationTest, ModalShowEndsWithModalResult) {
  TForm Owner(L"TfrmOwner");
  Park(Owner);
  Owner.Show();
  TForm Dialog(L"TfrmDialog");
  Park(Dialog);
  int Begins = 0, Ends = 0, Closes = 0;
  bool OwnerEnabledInside = true;
  Application.OnModalBegin = [&](TComponent*) { ++Begins; };
  Application.OnModalEnd = [&](TComponent*) { ++Ends; };
  Dialog.OnClose = [&](TComponent*, TCloseAction&) { ++Closes; };
  TTimer Timer;
  Timer.SetInterval(30);
  Timer.OnTimer = [&](TComponent*) {
    Timer.SetEnabled(false);
    OwnerEnabledInside = Owner.Enabled();
    Dialog.ModalResult = mrOk;
  };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
  EXPECT_FALSE(OwnerEnabledInside);
  EXPECT_TRUE(Owner.Enabled());
  EXPECT_FALSE(Dialog.Showing());
  EXPECT_EQ(Begins, 1);
  EXPECT_EQ(Ends, 1);
  EXPECT_EQ(Closes, 1);
}

TEST_F(ApplicationTest, CloseEndsModalWithCancelAndNestedModalSignalsOnce) {
  TForm Outer(L"TfrmOuter"), Inner(L"TfrmInner");
  Park(Outer);
  Park(Inner);
  int Begins = 0, Ends = 0;
  Application.OnModalBegin = [&](TComponent*) { ++Begins; };
  Application.OnModalEnd = [&](TComponent*) { ++Ends; };
  TModalResult InnerResult = mrNone;
  TTimer Timer;
  Timer.SetInterval(20);
  int Step = 0;
  Timer.OnTimer = [&](TComponent*) {
    if (Step++ == 0) {
      Timer.SetEnabled(false);
      InnerResult = Inner.ShowModal();  // nested loop, the timer restarts below
      Outer.Close();
    } else {
      Timer.SetEnabled(false);
      Inner.Close();
    }
  };
  Inner.OnShow = [&](TComponent*) { Timer.SetEnabled(true); };
  EXPECT_EQ(Outer.ShowModal(), mrCancel);
  EXPECT_EQ(InnerResult, mrCancel);
  EXPECT_EQ(Begins, 1);
  EXPECT_EQ(Ends, 1);
}

TEST_F(ApplicationTest, ModalResultSetWhileShowingEndsLoopAtOnce) {
  TForm Dialog(L"TfrmDialog");
  Park(Dialog);
  Dialog.OnShow = [&](TComponent*) { Dialog.ModalResult = mrOk; };
  TTimer Fallback;  // ends a loop that waits for a message that never comes
  Fallback.SetInterval(2000);
  Fallback.OnTimer = [&](TComponent*) { Dialog.ModalResult = mrAbort; };
  EXPECT_EQ(Dialog.ShowModal(), mrOk);
}

TEST_F(ApplicationTest, CloseQueryCanKeepModalFormOpen) {
  TForm Dialog(L"TfrmDialog");
  Park(Dialog);
  int Asked = 0;
  Dialog.OnCloseQuery = [&](TComponent*, bool& CanClose) { CanClose = ++Asked > 1; };
  TTimer Timer;
  Timer.SetInterval(15);
  Timer.OnTimer = [&](TComponent*) { Dialog.ModalResult = mrYes; };
  EXPECT_EQ(Dialog.ShowModal(), mrYes);
  EXPECT_EQ(Asked, 2);
}

TEST_F(ApplicationTest, TimerFiresInMessageLoopUntilDisabled) {
  TTimer Timer;
  Timer.SetInterval(10);
  int Ticks = 0;
  Timer.OnTimer = [&](TComponent* Sender) {
    EXPECT_EQ(Sender, &Timer);
    if (++Ticks == 3) Timer.SetEnabled(false);
  };
  EXPECT_TRUE(PumpUntil([&] { return Ticks >= 3; }));
  Sleep(50);
  Application.ProcessMessages();
  EXPECT_EQ(Ticks, 3);
}

TEST_F(ApplicationTest, DisabledTimerNeverFires) {
  TTimer Timer;
  Timer.SetEnabled(false);
  Timer.SetInterval(5);
  int Ticks = 0;
  Timer.OnTimer = [&](TComponent*) { ++Ticks; };
  Sleep(40);
  Application.ProcessMessages();
  EXPECT_EQ(Ticks, 0);
}

TEST_F(ApplicationTest, ExceptionFromHandlerReachesOneHandler) {
  TfrmThrowing Form;
  SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  PostMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Application.ProcessMessages();
  ASSERT_EQ(Errors.size(), 2u);
  EXPECT_EQ(Errors[0], "press failed");
  EXPECT_EQ(Errors[1], "press failed");
}

TEST_F(ApplicationTest, SilentAbortIsSwallowed) {
  TfrmThrowing Form;
  Form.Silent = true;
  SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, 0);
  Application.HandleException(std::make_exception_ptr(EAbort()));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ApplicationTest, ExceptionFromTimerReachesHandler) {
  TTimer Timer;
  Timer.SetInterval(5);
  Timer.OnTimer = [&](TComponent*) {
    Timer.SetEnabled(false);
    throw Exception("tick failed");
  };
  EXPECT_TRUE(PumpUntil([&] { return !Errors.empty(); }));
  EXPECT_EQ(Errors.at(0), "tick failed");
}

TEST_F(ApplicationTest, MinimizeAndRestoreRaiseEvents) {
  int Minimized = 0, Restored = 0;
  Application.OnMinimize = [&](TComponent*) { ++Minimized; };
  Application.OnRestore = [&](TComponent*) { ++Restored; };
  Application.Minimize();
  EXPECT_TRUE(Application.IsIconic());
  Application.Minimize();
  Application.Restore();
  EXPECT_FALSE(Application.IsIconic());
  Application.Restore();
  EXPECT_EQ(Minimized, 1);
  EXPECT_EQ(Restored, 1);
  ShowWindow(Application.Handle(), SW_HIDE);
}

TEST_F(ApplicationTest, HintShowsFormHintAfterPauseAndCancelHides) {
  TForm Form(L"TfrmHinted");
  Park(Form);
  Form.ShowHint = true;
  Form.Hint = L"Play";
  Form.Show();
  Application.HintPause = 10;
  std::wstring Shown;
  Application.OnShowHint = [&](std::wstring& Text, bool&, THintInfo& Info) {
    Shown = Text;
    Info.HintColor = clBlack;
  };
  SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(PumpUntil([&] { return !Shown.empty(); }, 2000));
  EXPECT_EQ(Shown, L"Play");
  HWND Hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_NE(Hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(Hint));
  Application.CancelHint();
  EXPECT_FALSE(IsWindowVisible(Hint));
  // A changed hint text shows anew.
  Shown.clear();
  Form.Hint = L"Stop";
  SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
  EXPECT_TRUE(PumpUntil([&] { return !Shown.empty(); }, 2000));
  EXPECT_EQ(Shown, L"Stop");
  Application.CancelHint();
  Application.HintPause = 500;
}

TEST_F(ApplicationTest, HintHonoursCanShowAndHideTimeout) {
  TForm Form(L"TfrmHinted");
  Park(Form);
  Form.ShowHint = true;
  Form.Show();
  Application.HintPause = 10;
  int Asked = 0;
  bool Allow = false;
  Application.OnShowHint = [&](std::wstring&, bool& CanShow, THintInfo& Info) {
    ++Asked;
    CanShow = Allow;
    Info.HideTimeout = 40;
  };
  Form.Hint = L"Refused";
  SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
  EXPECT_TRUE(PumpUntil([&] { return Asked == 1; }, 2000));
  HWND Hint = FindWindowW(L"THintWindow", nullptr);
  EXPECT_TRUE(Hint == nullptr || !IsWindowVisible(Hint));
  Allow = true;
  Form.Hint = L"Shown briefly";
  SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(4, 3));
  EXPECT_TRUE(PumpUntil([&] { return Asked == 2; }, 2000));
  Hint = FindWindowW(L"THintWindow", nullptr);
  ASSERT_NE(Hint, nullptr);
  EXPECT_TRUE(IsWindowVisible(Hint));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(Hint); }, 2000));
  // Moving on over the same text does not bring it back.
  SendMessageW(Form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 3));
  Sleep(50);
  Application.ProcessMessages();
  EXPECT_EQ(Asked, 2);
  Application.CancelHint();
  Application.HintPause = 500;
}

// A hinted child window that notes when it took a mouse move.
class THintedPanel : public TPanel {
 public:
  THintedPanel(TWinControl* Parent, const wchar_t* Text) : TPanel(Parent) {
    Hint = Text;
    ShowHint = true;
  }
  DWORD MovedAt = 0;  // the first move

 protected:
  void MouseMove(TShiftState Shift, int X, int Y) override {
    TPanel::MouseMove(Shift, X, Y);
    if (!MovedAt) MovedAt = GetTickCount();
  }
};

// The mouse moved on from a control whose hint shows to its neighbour: the
// neighbour's hint waits the short pause, not a moment less, and comes.
TEST_F(ApplicationTest, TheNextHintWaitsTheShortPause) {
  TForm Form(L"TfrmHinted");
  Park(Form);
  THintedPanel Left(&Form, L"Left"), Right(&Form, L"Right");
  Left.SetBounds(0, 0, 100, 100);
  Right.SetBounds(100, 0, 100, 100);
  Form.Show();
  Application.HintPause = 10;
  Application.HintShortPause = 200;
  std::vector<std::pair<std::wstring, DWORD>> Shown;
  Application.OnShowHint = [&](std::wstring& Text, bool&, THintInfo&) { Shown.emplace_back(Text, GetTickCount()); };
  const TPoint OnLeft = Left.ClientToScreen({50, 50});
  lctest::MouseToScreen(OnLeft.X, OnLeft.Y);
  ASSERT_TRUE(lctest::SettleUntil([&] { return !Shown.empty(); }));
  ASSERT_EQ(Shown.back().first, L"Left");

  const TPoint OnRight = Right.ClientToScreen({10, 50});
  lctest::MouseToScreen(OnRight.X, OnRight.Y);
  ASSERT_TRUE(lctest::SettleUntil([&] { return Right.MovedAt != 0; }));
  EXPECT_EQ(Shown.size(), 1u) << "shown right after the move was handled";
  ASSERT_TRUE(lctest::SettleUntil([&] { return Shown.size() == 2; }));
  EXPECT_EQ(Shown.back().first, L"Right");
  // The platform's timers keep time in steps of up to 16 ms.
  EXPECT_GE(Shown.back().second - Right.MovedAt, 200u - 16u);
  Application.CancelHint();
  Application.HintPause = 500;
  Application.HintShortPause = 50;
}

TEST(ScreenTest, MonitorsLieInsideDesktop) {
  std::vector<TMonitor> Monitors = Screen.Monitors();
  ASSERT_FALSE(Monitors.empty());
  TRect Desktop = Screen.DesktopRect();
  int Primaries = 0;
  for (const TMonitor& M : Monitors) {
    Primaries += M.Primary;
    EXPECT_GE(M.Left(), Desktop.Left);
    EXPECT_LE(M.BoundsRect.Right, Desktop.Right);
    EXPECT_GT(M.Width(), 0);
  }
  EXPECT_EQ(Primaries, 1);
  TRect Work = Screen.WorkAreaRect();
  EXPECT_GT(Work.Width(), 0);
  EXPECT_LE(Work.Width(), Screen.Width());
  EXPECT_GT(Screen.PixelsPerInch(), 0);
}
