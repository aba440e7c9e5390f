#include <gtest/gtest.h>

#include <windows.h>

#include "framework/application.h"
#include "framework/forms.h"
#include "framework/messages.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/small_controls.h"

namespace {

class SmallControls : public ::testing::Test {
 protected:
  void SetUp() override {
    Form.SetBounds(300, 300, 200, 100);
    Form.Show();
    Application.ProcessMessages();
  }
  LRESULT Press(int X, int Y) {
    SendMessageW(Form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    return SendMessageW(Form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
  }

  TForm Form{L"TKitControlsForm"};
};

}  // namespace

TEST_F(SmallControls, AResizeZoneReportsAPressWithItselfOnly) {
  TResizeZone Zone(&Form);
  Zone.SetBounds(0, 90, 200, 10);
  Zone.Tag = 6;
  Zone.Cursor = crSizeNS;
  int Presses = 0;
  TComponent* Sender = nullptr;
  Zone.OnMouseDown = [&](TComponent* S) {
    ++Presses;
    Sender = S;
  };
  Press(50, 95);
  EXPECT_EQ(1, Presses);
  EXPECT_EQ(&Zone, Sender);
  Press(50, 50);  // above the zone
  EXPECT_EQ(1, Presses);
  // The right button is no press of the zone.
  SendMessageW(Form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 95));
  SendMessageW(Form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(50, 95));
  EXPECT_EQ(1, Presses);
}

TEST_F(SmallControls, AResizeZoneCallsAHandlerSetThroughItsBaseClass) {
  TResizeZone Zone(&Form);
  Zone.SetBounds(0, 90, 200, 10);
  TGraphicControl& Base = Zone;
  int Presses = 0;
  TPoint At;
  Base.OnMouseDown = [&](TComponent* S, TMouseButton, TShiftState, int X, int Y) {
    Presses += S == &Zone;
    At = {X, Y};
  };
  Press(50, 95);
  EXPECT_EQ(1, Presses);
  EXPECT_EQ(50, At.X);
  EXPECT_EQ(5, At.Y);
  SendMessageW(Form.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 95));
  SendMessageW(Form.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(50, 95));
  EXPECT_EQ(1, Presses) << "only left presses";
}

TEST_F(SmallControls, AResizeZoneWithoutHandlerDoesNothing) {
  TResizeZone Zone(&Form);
  Zone.SetBounds(0, 90, 200, 10);
  int FormPresses = 0;
  Form.OnMouseDown = [&](TComponent*, TMouseButton, TShiftState, int, int) { ++FormPresses; };
  Press(50, 95);
  EXPECT_EQ(0, FormPresses) << "the press stays with the zone";
  Press(50, 50);
  EXPECT_EQ(1, FormPresses);
}

TEST_F(SmallControls, ACheckBoxTellsWhenTheMouseEntersAndLeaves) {
  TMyCheckBox Box(&Form);
  int In = 0, Out = 0;
  Box.OnMouseIn = [&](TComponent* S) { In += S == &Box; };
  Box.OnMouseOut = [&](TComponent* S) { Out += S == &Box; };
  Box.Perform(CM_MOUSEENTER);
  EXPECT_EQ(1, In);
  EXPECT_EQ(0, Out);
  Box.Perform(CM_MOUSELEAVE);
  EXPECT_EQ(1, Out);
}

// Both messages repaint the box, with handlers or without.
TEST_F(SmallControls, ACheckBoxRepaintsWhenTheMouseEntersAndLeaves) {
  TMyCheckBox Plain(&Form);
  Plain.SetBounds(10, 10, 120, 20);
  TMyCheckBox Watched(&Form);
  Watched.SetBounds(10, 40, 120, 20);
  Watched.OnMouseIn = [](TComponent*) {};
  Watched.OnMouseOut = [](TComponent*) {};
  Application.ProcessMessages();
  for (TMyCheckBox* Box : {&Plain, &Watched}) {
    for (UINT Msg : {UINT(CM_MOUSEENTER), UINT(CM_MOUSELEAVE)}) {
      ValidateRect(Box->Handle(), nullptr);
      ASSERT_FALSE(GetUpdateRect(Box->Handle(), nullptr, FALSE));
      Box->Perform(Msg);
      EXPECT_TRUE(GetUpdateRect(Box->Handle(), nullptr, FALSE)) << std::hex << Msg;
    }
  }
}

TEST_F(SmallControls, APanelTakesCopiedFramesAndPaintsAfterItsColour) {
  TMyPanel Panel(&Form);
  Panel.SetBounds(10, 10, 100, 60);
  TBitmap Strip;
  LoadSkinImage(L"KitTestStrip", Strip);
  Panel.CopyRect({0, 0, 20, 20}, Strip.Canvas(), StackedFrame(20, 80, 2));
  EXPECT_EQ(RGBColor(0, 0, 255), Panel.Canvas().Pixel(5, 5));
  Panel.CopyRect({40, 0, 80, 40}, Strip.Canvas(), StackedFrame(20, 80, 3));
  EXPECT_EQ(RGBColor(255, 255, 0), Panel.Canvas().Pixel(79, 39)) << "stretched";

  int Paints = 0;
  Panel.OnPaint = [&](TComponent*) {
    ++Paints;
    Panel.CopyRect({0, 0, 20, 20}, Strip.Canvas(), StackedFrame(20, 80, 1));
  };
  Panel.Repaint();
  EXPECT_GE(Paints, 1);
  EXPECT_EQ(RGBColor(0, 255, 0), Panel.Canvas().Pixel(5, 5));
  EXPECT_NE(RGBColor(255, 255, 0), Panel.Canvas().Pixel(79, 39)) << "the panel's colour first";
}

TEST(SkinCursors, InstalledFromTheProgramsCursorResources) {
  HINSTANCE Module = GetModuleHandleW(nullptr);
  InstallSkinCursors();
  HCURSOR Press = LoadCursorW(Module, L"CRHANDPRESS");
  HCURSOR Point = LoadCursorW(Module, L"CRHANDPOINT");
  ASSERT_NE(nullptr, Press);
  EXPECT_EQ(Press, Screen.Cursors(crHandPress));
  EXPECT_EQ(Point, Screen.Cursors(crHandPoint));
  EXPECT_NE(LoadCursorW(nullptr, IDC_HAND), Screen.Cursors(crHandPoint));
}
