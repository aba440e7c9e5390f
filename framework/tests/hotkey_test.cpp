// The hot-key field: shortcuts shown and read back in the settings' form,
// and a key pressed by the user.
#include <gtest/gtest.h>

#include <memory>

#include <windows.h>

#include "framework/forms.h"
#include "framework/hotkey.h"
#include "framework/tests/input.h"

namespace {

class HotKeyTest : public ::testing::Test {
 protected:
  void SetUp() override { Form = lctest::ShownForm(L"TfrmHotKeyProbe", 1400, 600, 300, 100); }
  std::unique_ptr<TForm> Form;
};

TEST_F(HotKeyTest, ShortcutsRoundTripWithTheirModifiers) {
  THotKey Field(Form.get());
  const std::uint16_t Cases[] = {0xC053 /* Ctrl+Alt+S */, 0x006E /* Num Del */, 0x2070 /* Shift+F1 */,
                                 0x8041 /* Alt+A */, 0};
  for (std::uint16_t ShortCut : Cases) {
    Field.SetHotKey(ShortCut);
    EXPECT_EQ(ShortCut, Field.HotKey());
  }
}

TEST_F(HotKeyTest, APressedKeyReplacesTheShortcutAndIsReported) {
  THotKey Field(Form.get());
  int Changes = 0;
  Field.OnChange = [&](TComponent*) { ++Changes; };
  Field.SetFocus();
  lctest::Settle();
  Field.SetHotKey(0xC053);
  SendMessageW(Field.Handle(), WM_KEYDOWN, 'K', 0);
  lctest::Settle();
  EXPECT_EQ('K', Field.HotKey());
  EXPECT_GE(Changes, 1);
}

}  // namespace
