#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/messages.h"
#include "kit/skin_host.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"

namespace {

const TColor Red = RGBColor(255, 0, 0), Green = RGBColor(0, 255, 0),
             Blue = RGBColor(0, 0, 255), Yellow = RGBColor(255, 255, 0);

TColor PixelOf(const std::uint8_t* Row, int X) {
  const std::uint8_t* P = Row + 3 * X;
  return RGBColor(P[2], P[1], P[0]);
}

// Reads the screen's pixels of Rect (screen coordinates) with BitBlt.
std::vector<TColor> ReadScreen(const TRect& Rect) {
  TBitmap Copy(Rect.Width(), Rect.Height());
  HDC Screen = GetDC(nullptr);
  BitBlt(Copy.Canvas().Handle(), 0, 0, Rect.Width(), Rect.Height(), Screen, Rect.Left,
         Rect.Top, SRCCOPY);
  ReleaseDC(nullptr, Screen);
  std::vector<TColor> Pixels;
  for (int Y = 0; Y < Rect.Height(); ++Y)
    for (int X = 0; X < Rect.Width(); ++X) Pixels.push_back(PixelOf(Copy.ScanLine(Y), X));
  return Pixels;
}

std::vector<TColor> ReadBitmap(TBitmap& B) {
  std::vector<TColor> Pixels;
  for (int Y = 0; Y < B.Height(); ++Y)
    for (int X = 0; X < B.Width(); ++X) Pixels.push_back(PixelOf(B.ScanLine(Y), X));
  return Pixels;
}

// Lets the window system deliver everything pending.
void Settle() {
  for (int I = 0; I < 10; ++I) {
    Application.ProcessMessages();
    Sleep(20);
  }
}

// A plain button on the test strip: it shows the frame of the standard
// rules, or always Frame when one is given (like a disabled button).
class TStripButton : public TWidget {
 public:
  TStripButton(TSkinHost& Host, const TRect& Rect, int Frame = -1)
      : TWidget(Host, Rect, L"Button hint"), FSkinHost(Host), FFrame(Frame) {
    LoadSkinImage(L"KitTestStrip", FStrip);
  }

  void Paint() override {
    int Frame = FFrame < 0 ? StandardFrame() : FFrame;
    FSkinHost.Draw(FRect, FStrip.Canvas(), StackedFrame(FStrip.Width(), FStrip.Height(), Frame));
  }

 private:
  TSkinHost& FSkinHost;
  TBitmap FStrip;
  int FFrame;
};

class SkinnedWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = std::make_unique<TSkinForm>(L"TKitTestForm", L"KitTestFace", true);
    Button = std::make_unique<TStripButton>(Form->Host(), TRect{20, 20, 40, 40});
    Form->Host().SetMouseOrder({Button.get()});
    Form->SetBounds(100, 100, Form->Width(), Form->Height());
    Form->Show();
    Settle();
  }
  void TearDown() override {
    Button.reset();
    Form.reset();
    Settle();
  }

  TColor BackBufferPixel(int X, int Y) {
    return PixelOf(Form->Host().BackBuffer()->ScanLine(Y), X);
  }
  LRESULT Send(UINT Msg, int X, int Y, WPARAM Keys = 0) {
    return SendMessageW(Form->Handle(), Msg, Keys, MAKELPARAM(X, Y));
  }

  std::unique_ptr<TSkinForm> Form;
  std::unique_ptr<TStripButton> Button;
};

}  // namespace

TEST_F(SkinnedWindow, TheClientAreaIsTheSkinsSize) {
  EXPECT_EQ(200, Form->ClientWidth());
  EXPECT_EQ(100, Form->ClientHeight());
  EXPECT_EQ(WS_POPUP, GetWindowLongW(Form->Handle(), GWL_STYLE) & (WS_POPUP | WS_CAPTION));
}

TEST_F(SkinnedWindow, WidgetStatesAreDrawnIntoTheBackBufferToo) {
  SetCursorPos(125, 125);
  Send(WM_MOUSEMOVE, 25, 25);
  EXPECT_TRUE(Button->Hover());
  EXPECT_EQ(Yellow, BackBufferPixel(25, 25));  // hover frame
  EXPECT_EQ(L"Button hint", Form->Hint);
  Send(WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  EXPECT_EQ(Button.get(), Form->Host().CapturedWidget);
  EXPECT_EQ(Green, BackBufferPixel(39, 39));   // pressed frame, right/bottom excluded
  EXPECT_NE(Green, BackBufferPixel(40, 40));
  EXPECT_EQ(crHandPress, Screen.Cursor());
  int Clicks = 0;
  Button->OnClick = [&] { ++Clicks; };
  Send(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(1, Clicks);
  EXPECT_EQ(nullptr, Form->Host().CapturedWidget);
  EXPECT_EQ(Yellow, BackBufferPixel(25, 25));
  // The mouse leaving the window drops the hover look.
  Form->Perform(CM_MOUSELEAVE);
  EXPECT_FALSE(Button->Hover());
  EXPECT_EQ(Red, BackBufferPixel(25, 25));
  EXPECT_EQ(crDefault, Screen.Cursor());
  EXPECT_EQ(L"", Form->Hint);
}

TEST_F(SkinnedWindow, DoubleClickRunsTheWidgetsAction) {
  int Opened = 0;
  Button->OnDoubleClick = [&] { ++Opened; };
  Send(WM_LBUTTONDBLCLK, 30, 30, MK_LBUTTON);
  Send(WM_LBUTTONUP, 30, 30);
  EXPECT_EQ(1, Opened);
  // Elsewhere a double click runs nothing (its press drags the window).
  EXPECT_FALSE(Form->Host().DoubleClick(150, 80));
}

// Two quick clicks on a button: the second press of the double click is a
// press like any other, so the button clicks twice; a window whose double
// clicks are its widgets' own (the main window) takes that press for the
// double-click action alone: one click, the button neither pressed nor
// captured by it.
TEST_F(SkinnedWindow, TwoQuickClicksClickTwiceUnlessTheWindowOwnsDoubleClicks) {
  for (const TDoubleClick Rule : {TDoubleClick::Press, TDoubleClick::ActionsOnly}) {
    const bool Press = Rule == TDoubleClick::Press;
    SCOPED_TRACE(Press ? "press" : "actions only");
    TSkinForm Window(L"TKitDoubleClickForm", L"KitTestFace", true, Rule);
    TStripButton Target(Window.Host(), {20, 20, 40, 40});
    Window.Host().SetMouseOrder({&Target});
    int Clicks = 0, Opened = 0;
    Target.OnClick = [&] { ++Clicks; };
    Target.OnDoubleClick = [&] { ++Opened; };
    const auto At = [&](UINT Msg, WPARAM Keys) { SendMessageW(Window.Handle(), Msg, Keys, MAKELPARAM(30, 30)); };
    At(WM_LBUTTONDOWN, MK_LBUTTON);
    At(WM_LBUTTONUP, 0);
    At(WM_LBUTTONDBLCLK, MK_LBUTTON);
    EXPECT_EQ(Press, Target.Pressed());
    EXPECT_EQ(Press ? &Target : nullptr, Window.Host().CapturedWidget);
    At(WM_LBUTTONUP, 0);
    EXPECT_EQ(Press ? 2 : 1, Clicks);
    EXPECT_EQ(1, Opened);
  }
}

TEST_F(SkinnedWindow, LosingTheCaptureReleasesThePressedWidget) {
  TForm Other{L"TKitCaptureThief"};
  Other.SetBounds(400, 400, 50, 50);
  Other.Show();
  Send(WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  ASSERT_EQ(Button.get(), Form->Host().CapturedWidget);
  ASSERT_TRUE(Button->Pressed());
  SetCapture(Other.Handle());
  EXPECT_EQ(nullptr, Form->Host().CapturedWidget);
  EXPECT_FALSE(Button->Pressed());
  ReleaseCapture();
  // A release that the window gets after all is no click.
  int Clicks = 0;
  Button->OnClick = [&] { ++Clicks; };
  Send(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(0, Clicks);
  // The window's own release of the capture is no loss: a press and a
  // release still click.
  Send(WM_LBUTTONDOWN, 25, 25, MK_LBUTTON);
  Send(WM_LBUTTONUP, 25, 25);
  EXPECT_EQ(1, Clicks);
}

TEST_F(SkinnedWindow, UncoveredAreaRepaintsExactlyTheBackBuffer) {
  // The mouse away, so that no hint window lies over the face.
  SetCursorPos(1500, 900);
  Application.CancelHint();
  TStripButton Disabled(Form->Host(), {60, 30, 80, 50}, FrameDisabled);
  Disabled.Paint();
  // Spoil what the window shows, without telling the back buffer.
  Form->Canvas().Brush.Style = TBrushStyle::bsSolid;
  Form->Canvas().Brush.Color = clBlack;
  Form->Canvas().FillRect({0, 0, 120, 60});
  // Cover a part of the window with another one and uncover it again. Wine
  // keeps each window's pixels itself, so it puts the spoiled ones back; the
  // platform proper asks the window to repaint the uncovered part, with an
  // erase, which is what the invalidation then does.
  HWND Cover = CreateWindowExW(WS_EX_TOPMOST, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 90,
                               90, 130, 80, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, Cover);
  Settle();
  DestroyWindow(Cover);
  RECT Uncovered{0, 0, 120, 70};
  InvalidateRect(Form->Handle(), &Uncovered, TRUE);
  Settle();

  const TRect Window = Form->BoundsRect();
  std::vector<TColor> Shown = ReadScreen(Window);
  std::vector<TColor> Buffer = ReadBitmap(*Form->Host().BackBuffer());
  ASSERT_EQ(Buffer.size(), Shown.size());
  // The uncovered part (window rows 0..60, columns 0..120) is the buffer.
  int Bad = 0;
  for (int Y = 0; Y < 60; ++Y)
    for (int X = 0; X < 110; ++X)
      if (Shown[Y * 200 + X] != Buffer[Y * 200 + X]) ++Bad;
  EXPECT_EQ(0, Bad);
  EXPECT_EQ(Blue, Shown[40 * 200 + 70]);  // the widget's frame
  EXPECT_EQ(RGBColor(5, 20, 15), Shown[10 * 200 + 5]);  // the face
}

TEST_F(SkinnedWindow, RestoringTheSkinTakesTheFaceNotTheBuffer) {
  Send(WM_MOUSEMOVE, 25, 25);
  Form->Host().RestoreSkin(Button->Rect());
  TBitmap& Skin = Form->Host().Skin();
  EXPECT_EQ(PixelOf(Skin.ScanLine(25), 25), BackBufferPixel(25, 25));
  EXPECT_EQ(RGBColor(25, 50, 50), BackBufferPixel(25, 25));
}

TEST(SkinnedDialog, WithoutABackBufferThePaintRedrawsTheFaceAndTheWidgets) {
  SetCursorPos(1500, 900);
  TSkinForm Dialog(L"TKitDialogForm", L"KitTestFace", false);
  EXPECT_EQ(nullptr, Dialog.Host().BackBuffer());
  TStripButton Disabled(Dialog.Host(), {60, 30, 80, 50}, FrameDisabled);
  Dialog.Host().SetMouseOrder({&Disabled});
  Dialog.SetBounds(100, 100, Dialog.Width(), Dialog.Height());
  Dialog.Show();
  Settle();
  Dialog.Canvas().Brush.Style = TBrushStyle::bsSolid;
  Dialog.Canvas().Brush.Color = clBlack;
  Dialog.Canvas().FillRect({0, 0, 200, 100});
  InvalidateRect(Dialog.Handle(), nullptr, TRUE);
  Settle();

  std::vector<TColor> Shown = ReadScreen(Dialog.BoundsRect());
  std::vector<TColor> Face = ReadBitmap(Dialog.Host().Skin());
  ASSERT_EQ(Face.size(), Shown.size());
  int Bad = 0;
  for (int Y = 0; Y < 100; ++Y)
    for (int X = 0; X < 200; ++X) {
      bool OnWidget = X >= 60 && X < 80 && Y >= 30 && Y < 50;
      TColor Expected = OnWidget ? Blue : Face[Y * 200 + X];
      if (Shown[Y * 200 + X] != Expected) ++Bad;
    }
  EXPECT_EQ(0, Bad);
}
