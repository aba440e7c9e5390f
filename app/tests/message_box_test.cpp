// The skinned message box as the program shows it, joined to the main and
// video windows by the start-up's links, on the virtual display (1920 x
// 1080; the main window at 1400, 900).
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include <windows.h>

#include "kit/message_box.h"
#include "kit/skin_image.h"
#include "kit/tests/pixel_checks.h"
#include "player/tests/graph_fixture.h"

namespace {

using lctest::Pump;

void ClickAt(HWND Wnd, int X, int Y) {
  LPARAM At = MAKELPARAM(X, Y);
  PostMessageW(Wnd, WM_MOUSEMOVE, 0, At);
  PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
  PostMessageW(Wnd, WM_LBUTTONUP, 0, At);
}

// What a timer does to the box once it is up.
std::function<void()> OnBoxUp;

void CALLBACK ActOnBox(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  OnBoxUp();
}

class ProgramMessageBox : public lc::testing::GraphFixture {
 protected:
  // Shows Text as the program does, Act running once the box is up; the
  // state handed back.
  bool Run(const std::wstring& Text, TForm* Owner, bool ShowCheckBox, bool Checked, std::function<void()> Act) {
    OnBoxUp = std::move(Act);
    SetTimer(nullptr, 0, 50, ActOnBox);
    ShowMessageBox(Text, Owner, ShowCheckBox, Checked);
    return Checked;
  }
  // Where the box stood, its client size, and then Enter.
  std::function<void()> RecordPlaceThenEnter() {
    return [this] {
      Shown = frmMessage->BoundsRect();
      Client = {frmMessage->ClientWidth(), frmMessage->ClientHeight()};
      PostMessageW(frmMessage->Handle(), WM_CHAR, 13, 0);
    };
  }
  static void Enter() { PostMessageW(frmMessage->Handle(), WM_CHAR, 13, 0); }
  TRect Shown;
  TSize Client;
};

TEST_F(ProgramMessageBox, EnterClosesTheBoxAndReturnsTheCheckBoxState) {
  const bool Checked = Run(L"The file \"C:\\films\\a.avi\" could not be opened.", nullptr, true, false, [] {
    const TRect& Box = frmMessage->CheckBox().Rect();
    ClickAt(frmMessage->Handle(), Box.Left + 8, Box.Top + 10);
    Enter();
  });
  EXPECT_TRUE(Checked);
  EXPECT_EQ(nullptr, frmMessage);
}

TEST_F(ProgramMessageBox, EscapeClosesTheBoxAndReturnsTheUntouchedBox) {
  // The box starts unchecked whatever the caller's variable held.
  EXPECT_FALSE(Run(L"Escape me", nullptr, true, true, [] { PostMessageW(frmMessage->Handle(), WM_CHAR, 27, 0); }));
}

TEST_F(ProgramMessageBox, AShortTextLeavesRoomForTheCheckBoxCaption) {
  int CaptionEnd = 0, Width = 0;
  Run(L"Done.", nullptr, true, false, [&] {
    CaptionEnd = frmMessage->CheckBox().Rect().Right;
    Width = frmMessage->ClientWidth();
    Enter();
  });
  // The caption in the box's font, with the box's 13-pixel margin kept.
  EXPECT_GT(CaptionEnd, 200);
  EXPECT_LE(CaptionEnd + 13, Width);
}

TEST_F(ProgramMessageBox, WithoutTheCheckBoxCheckedIsNotWritten) {
  EXPECT_TRUE(Run(L"No box", nullptr, false, true, [] {
    const TRect& Box = frmMessage->CheckBox().Rect();
    ClickAt(frmMessage->Handle(), Box.Left + 8, Box.Top + 10);
    Enter();
  }));
}

TEST_F(ProgramMessageBox, ASecondBoxDuringTheFirstReturnsAtOnce) {
  bool SecondReturned = false, SecondChecked = true;
  Run(L"First", nullptr, true, false, [&] {
    ShowMessageBox(L"Second", nullptr, true, SecondChecked);
    SecondReturned = true;
    Enter();
  });
  EXPECT_TRUE(SecondReturned);
  EXPECT_TRUE(SecondChecked);
}

TEST_F(ProgramMessageBox, ShortTextGivesTheNarrowestBoxCroppedFromItsSkin) {
  TfrmMessage Form;
  Form.SetText(L"Done.");
  Form.Show();
  Pump(50);
  EXPECT_EQ(200, Form.ClientWidth());
  EXPECT_EQ(Form.Layout().Height, Form.ClientHeight());
  EXPECT_EQ(200, Form.Host().Skin().Width());
  // The close button sits at the right edge, the OK button centred.
  EXPECT_EQ(195, Form.CloseButton().Rect().Right);
  EXPECT_EQ(60, Form.OkButton().Rect().Left);
  // The cropped face keeps the skin's bottom-right corner.
  TBitmap Skin;
  LoadSkinImage(L"Message1", Skin);
  int W = 200, H = Form.ClientHeight();
  ExpectSamePixels(Form.Host().Skin(), {W - 2, H - 2, W, H}, Skin, {484, 252, 486, 254});
  ExpectSamePixels(Form.Host().Skin(), {0, H - 2, W - 2, H}, Skin, {0, 252, 198, 254});
  // The right edge is the skin's, stretched to the new height: its top row
  // is the skin's top row.
  ExpectSamePixels(Form.Host().Skin(), {W - 2, 0, W, 1}, Skin, {484, 0, 486, 1});
  Form.Hide();
}

// In a window the box's centre lies halfway between the screen's centre
// (960, 540) and the main window's.
TEST_F(ProgramMessageBox, InAWindowTheBoxStandsBetweenTheScreenAndTheMainWindow) {
  const TRect Main = form->BoundsRect();
  Run(L"Done.", form.get(), false, false, RecordPlaceThenEnter());
  EXPECT_EQ((960 + (Main.Left + Main.Right) / 2) / 2 - Client.cx / 2, Shown.Left);
  EXPECT_EQ((540 + (Main.Top + Main.Bottom) / 2) / 2 - Client.cy / 2, Shown.Top);
}

// The main window parked behind a full-screen video is disabled: the box is
// centred on the video's monitor, the whole virtual display.
TEST_F(ProgramMessageBox, OverAFullScreenVideoTheBoxIsCentredOnTheVideosMonitor) {
  lc::Program().Settings.AutoHideMainWindow = true;
  video->SetFullScreen(true);
  Pump(100);
  ASSERT_FALSE(form->Enabled());
  Run(L"Done.", form.get(), false, false, RecordPlaceThenEnter());
  video->SetNormalScreen();
  EXPECT_EQ(200, Client.cx);
  EXPECT_EQ((1920 - 200) / 2, Shown.Left);
  EXPECT_EQ((1080 - Client.cy) / 2, Shown.Top);
}

// The boss key brings the windows back: the box keeps its skin's size and
// place.
TEST_F(ProgramMessageBox, WhileTheWindowsComeBackTheBoxIsNotLaidOut) {
  form->SkipFormPlacement = true;
  TfrmMessage Form;
  Form.SetText(L"Done.");
  Form.Show();
  Pump(50);
  form->SkipFormPlacement = false;
  EXPECT_EQ(486, Form.Host().Skin().Width());
  Form.Hide();
}

TEST(MessageBoxLinks, ABoxOfAnUnconnectedProgramFailsAndEmptyTextsAreRefused) {
  EXPECT_THROW(TfrmMessage(), std::logic_error);
  class TNoWindows : public TProgramWindows {
   public:
    TForm& MainWindow() const override { throw std::logic_error("unused"); }
    TForm* VideoWindow() const override { return nullptr; }
    TForm* PlaylistWindow() const override { return nullptr; }
    TForm* EqualizerWindow() const override { return nullptr; }
    bool VideoFullScreen() const override { return false; }
    TRect VideoMonitor() const override { return {}; }
    bool MonitorsDiffer() const override { return false; }
    bool SkipFormPlacement() const override { return false; }
  } Windows;
  EXPECT_THROW(ConnectMessageBox(Windows, nullptr), std::invalid_argument);
  EXPECT_THROW(TfrmMessage(), std::logic_error);
}

}  // namespace
