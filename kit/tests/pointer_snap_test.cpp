// The pointer follows the system's snap-to-default-button option: moved
// onto the window's point when it is on, left alone when it is off.
#include <gtest/gtest.h>

#include <windows.h>

#include "framework/forms.h"
#include "kit/pointer_snap.h"

namespace {

class PointerSnapTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SystemParametersInfoW(SPI_GETSNAPTODEFBUTTON, 0, &WasOn, 0);
    Form.SetBounds(300, 200, 240, 160);
    Form.Show();
    SetCursorPos(10, 10);
  }
  void TearDown() override { SetOption(WasOn); }
  static void SetOption(BOOL On) { SystemParametersInfoW(SPI_SETSNAPTODEFBUTTON, On, nullptr, 0); }
  static POINT Pointer() {
    POINT P{};
    GetCursorPos(&P);
    return P;
  }
  BOOL WasOn = FALSE;
  TForm Form{L"TfrmSnapProbe"};
};

TEST_F(PointerSnapTest, OptionOnMovesThePointerOntoTheClientPoint) {
  SetOption(TRUE);
  ASSERT_TRUE(SnapPointerTo(Form, 30, 40));
  const TPoint Origin = Form.ClientToScreen({0, 0});
  EXPECT_EQ(Origin.X + 30, Pointer().x);
  EXPECT_EQ(Origin.Y + 40, Pointer().y);
  ASSERT_TRUE(SnapPointerToCentre(Form));
  EXPECT_EQ(Origin.X + Form.ClientWidth() / 2, Pointer().x);
  EXPECT_EQ(Origin.Y + Form.ClientHeight() / 2, Pointer().y);
}

TEST_F(PointerSnapTest, OptionOffLeavesThePointerWhereItIs) {
  SetOption(FALSE);
  EXPECT_FALSE(SnapPointerTo(Form, 30, 40));
  EXPECT_FALSE(SnapPointerToCentre(Form));
  EXPECT_EQ(10, Pointer().x);
  EXPECT_EQ(10, Pointer().y);
}

}  // namespace
