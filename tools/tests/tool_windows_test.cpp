// The equalizer and colour control windows on the virtual display, joined
// to the main window by the start-up's links: real mouse and key messages
// reach the audio components and the values, and the labels are drawn on
// the windows' faces.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include <windows.h>

#include "engine/dsp/amplify.h"
#include "engine/dsp/equalizer.h"
#include "framework/application.h"
#include "framework/tests/input.h"
#include "framework/unicode.h"
#include "kit/skin_widget.h"
#include "player/tests/main_form_fixture.h"
#include "settings/tests/language_files.h"
#include "settings/text_table.h"
#include "tools/color/color_control_window.h"
#include "tools/equalizer/equalizer_window.h"

namespace {

void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

void Press(HWND Wnd, int X, int Y) {
  PostMessageW(Wnd, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
  PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
}
void DragTo(HWND Wnd, int X, int Y) { PostMessageW(Wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(X, Y)); }
void Release(HWND Wnd, int X, int Y) { PostMessageW(Wnd, WM_LBUTTONUP, 0, MAKELPARAM(X, Y)); }

// Pixels of Area that differ between two bitmaps.
int Differences(TBitmap& A, TBitmap& B, const TRect& Area) {
  int N = 0;
  for (int Y = Area.Top; Y < Area.Bottom; ++Y)
    for (int X = Area.Left; X < Area.Right; ++X)
      if (std::memcmp(A.ScanLine(Y) + 3 * X, B.ScanLine(Y) + 3 * X, 3) != 0) ++N;
  return N;
}

class EqualizerWindow : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    Form = std::make_unique<TfrmEqualizer>(Audio);
    Form->SetBounds(100, 100, Form->Width(), Form->Height());
    Form->Show();
    Settle();
  }
  void TearDown() override {
    Form.reset();
    MainWindowTest::TearDown();
  }
  TDspEqualizer Equalizer;
  TDspAmplify Amplify;
  lc::tools::TDspEqualizerAudio Audio{Equalizer, Amplify};
  std::unique_ptr<TfrmEqualizer> Form;
};

TEST_F(EqualizerWindow, DraggingBandFiveSetsItsBinsAndItsLabel) {
  HWND Wnd = Form->Handle();
  // Band 5 (index 4) stands at x 247; its track runs from y 48 (-100) to
  // 144 (+100).
  Press(Wnd, 247, 96);
  DragTo(Wnd, 247, 144);
  Release(Wnd, 247, 144);
  Settle();
  EXPECT_EQ(100, Form->Panel().BandSlider(4).Position());
  EXPECT_EQ(L"-20", Form->Panel().BandLabel(4).Caption());
  EXPECT_EQ(-100, Equalizer.GetBandGain(0, 29));
  EXPECT_EQ(-100, Equalizer.GetBandGain(0, 47));
  EXPECT_EQ(0, Equalizer.GetBandGain(0, 28));
  EXPECT_EQ(0, Equalizer.GetBandGain(0, 48));
  // The label's new text is on the face, where the skin alone was.
  EXPECT_GT(Differences(*Form->Host().BackBuffer(), Form->Host().Skin(), {230, 27, 265, 42}), 0);
}

TEST_F(EqualizerWindow, UpAndDownKeysStepThePreamplification) {
  HWND Wnd = Form->Handle();
  PostMessageW(Wnd, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(Wnd, WM_KEYDOWN, VK_UP, 0);
  Settle();
  EXPECT_EQ(-10, Form->Panel().PreampSlider().Position());
  EXPECT_EQ(12589, Amplify.GetVolume(0));
  EXPECT_EQ(L"2", Form->Panel().PreampLabel().Caption());
  PostMessageW(Wnd, WM_KEYDOWN, VK_DOWN, 0);
  Settle();
  EXPECT_EQ(11220, Amplify.GetVolume(0));
}

TEST_F(EqualizerWindow, TheCloseBoxAndEscapeHideTheWindow) {
  HWND Wnd = Form->Handle();
  Press(Wnd, 415, 10);
  Release(Wnd, 415, 10);
  Settle();
  EXPECT_FALSE(IsWindowVisible(Wnd));
  Form->Show();
  Settle();
  PostMessageW(Wnd, WM_KEYDOWN, VK_ESCAPE, 0);
  Settle();
  EXPECT_FALSE(IsWindowVisible(Wnd));
}

class ColorWindow : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    form->SetBounds(1000, 700, form->Width(), form->Height());
    Form = std::make_unique<TfrmColorControl>();
    Form->Show();
    Settle();
  }
  void TearDown() override {
    Form.reset();
    MainWindowTest::TearDown();
  }
  std::unique_ptr<TfrmColorControl> Form;
};

TEST_F(ColorWindow, DraggingTheHueSliderChangesItsValue) {
  HWND Wnd = Form->Handle();
  // Hue: row y 88, x 105 .. 235 is -180 .. 180.
  Press(Wnd, 170, 88);
  DragTo(Wnd, 235, 88);
  Release(Wnd, 235, 88);
  Settle();
  EXPECT_EQ(180, Form->Panel().Position(lc::tools::csHue));
  EXPECT_EQ(L"180", Form->Panel().ValueLabel(lc::tools::csHue).Caption());
}

TEST_F(ColorWindow, ArrowKeysStepTheBrightnessAndTheDefaultButtonResets) {
  HWND Wnd = Form->Handle();
  PostMessageW(Wnd, WM_KEYDOWN, VK_LEFT, 0);
  Settle();
  EXPECT_EQ(490, Form->Panel().Position(lc::tools::csBrightness));
  const TRect& R = Form->Panel().DefaultButton().Rect();
  Press(Wnd, R.Left + 10, R.Top + 10);
  Release(Wnd, R.Left + 10, R.Top + 10);
  Settle();
  EXPECT_EQ(75, Form->Panel().Position(lc::tools::csBrightness));
  EXPECT_EQ(100, Form->Panel().Position(lc::tools::csContrast));
}

// Two quick clicks of the mouse on the Default button, as a user's hand
// makes them: the system makes the second press a double click, and the
// button acts on both presses.
TEST_F(ColorWindow, TwoQuickClicksOnTheDefaultButtonActTwice) {
  Form->SetBounds(200, 200, Form->Width(), Form->Height());
  Form->BringToFront();
  Settle();
  TVirtualButton& Default = Form->Panel().DefaultButton();
  int Clicks = 0, DoubleClicks = 0;
  Default.OnClick = [&, Reset = Default.OnClick] {
    ++Clicks;
    Reset();
  };
  Form->OnDblClick = [&](TComponent*, TShiftState, int, int) { ++DoubleClicks; };
  PostMessageW(Form->Handle(), WM_KEYDOWN, VK_LEFT, 0);
  Settle();
  ASSERT_EQ(490, Form->Panel().Position(lc::tools::csBrightness));
  const TRect& R = Default.Rect();
  const TPoint At = Form->ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
  lctest::MouseToScreen(At.X, At.Y);
  lctest::DoubleClickHere();
  lctest::SettleUntil([&] { return Clicks >= 2; });
  EXPECT_EQ(1, DoubleClicks);
  EXPECT_EQ(2, Clicks);
  EXPECT_EQ(75, Form->Panel().Position(lc::tools::csBrightness));
  EXPECT_FALSE(Default.Pressed());
}

TEST_F(ColorWindow, ShownWithoutAVideoWindowItSitsBetweenTheScreensCentreAndTheMainWindow) {
  // Halfway between the screen's centre (960) and the main window's.
  EXPECT_EQ((960 + 1000 + form->Width() / 2) / 2 - 292 / 2, Form->Left());
  EXPECT_EQ(292, Form->ClientWidth());
  EXPECT_EQ(162, Form->ClientHeight());
}

TEST_F(ColorWindow, NamesStayInTheirColumnAndTheButtonFitsItsCaptionInEitherLanguage) {
  for (const bool Longer : {false, true}) {
    lc::settings::TextTable Table;
    if (Longer)
      Table = lc::settings::testing::LongerTable();
    else
      lc::settings::SetDefaultTexts(Table);
    Form->ApplyTexts(Table);
    Settle();
    lc::tools::TColorPanel& P = Form->Panel();
    for (lc::tools::TColorSlider S : {lc::tools::csBrightness, lc::tools::csContrast, lc::tools::csHue,
                                      lc::tools::csSaturation}) {
      const TVirtualLabel& Name = P.NameLabel(S);
      EXPECT_EQ(Utf8ToWide(Table.TextLabels[2 + S]), Name.Caption());
      // The 97-pixel name column, left of the sliders (from x 100).
      EXPECT_GE(Name.Rect().Left, 2) << Longer << " " << S;
      EXPECT_LE(Name.Rect().Left + Name.Width(), 97) << Longer << " " << S;
    }
    const TVirtualButton& Default = P.DefaultButton();
    TBitmap Measure(1, 1);
    SetCaptionFont(Measure.Canvas());
    EXPECT_GE(Default.Rect().Right - Default.Rect().Left, Measure.Canvas().TextWidth(Default.Caption())) << Longer;
    EXPECT_GE(Default.Rect().Left, 0);
    EXPECT_LE(Default.Rect().Right, 292);
  }
}

}  // namespace
