// The skinned message box as the program shows it, joined to the main and
// video windows by the start-up's links, on the virtual display (1920 x
// 1080; the main window at 1400, 900).
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include <windows.h>

#include "app/instance.h"
#include "kit/message_box.h"
#include "kit/skin_image.h"
#include "kit/skin_widget.h"
#include "kit/tests/pixel_checks.h"
#include "player/tests/graph_fixture.h"
#include "tests/support/screen_grab.h"

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

// A second start that gave up handing ten movies in a deep folder over:
// each name takes two lines, the box about 500 pixels.
std::wstring GaveUpOnTenFiles() {
  std::vector<std::wstring> Files;
  for (int I = 1; I <= 10; ++I)
    Files.push_back(L"D:\\Films\\Family\\2019 Summer - the mountains\\Day 0" + std::to_wstring(I) +
                    L" - the long walk up to the lake and back again.avi");
  return lc::HandOverFailedText(L"Lumacraft", L"is running but did not take these files:", Files);
}

// Where the text block of the box stands.
TRect TextBlock(const TfrmMessage& Box) {
  const TMessageLayout& L = Box.Layout();
  return {L.LabelPos.X, L.LabelPos.Y, L.LabelPos.X + L.LabelWidth, L.LabelPos.Y + L.LabelHeight};
}

// Whether the screen shows Area of Image at Left, Top of the grabbed window.
bool ScreenShows(const lctest::ScreenGrab& Shot, int Left, int Top, TBitmap& Image, const TRect& Area) {
  if (Left + Area.Width() > Shot.Width() || Top + Area.Height() > Shot.Height()) return false;
  for (int Y = 0; Y < Area.Height(); ++Y)
    for (int X = 0; X < Area.Width(); ++X)
      if (RGBColor(Shot.R(Left + X, Top + Y), Shot.G(Left + X, Top + Y), Shot.B(Left + X, Top + Y)) !=
          PixelOf(Image, Area.Left + X, Area.Top + Y))
        return false;
  return true;
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

// A text taller than the skin draws the box out downwards: the OK button
// and the check box stay below the text, one under the other, and the
// screen shows them whole.
TEST_F(ProgramMessageBox, ATallTextMakesTheBoxTallerWithTheButtonAndCheckBoxClearOfIt) {
  TRect Text, Ok, Box;
  TSize Size;
  bool OkShown = false, BoxShown = false, EdgeShown = false;
  Run(GaveUpOnTenFiles(), form.get(), true, false, [&] {
    TfrmMessage& M = *frmMessage;
    Text = TextBlock(M);
    Ok = M.OkButton().Rect();
    Box = M.CheckBox().Rect();
    Size = {M.ClientWidth(), M.ClientHeight()};
    TBitmap Button, Boxes, Skin;
    const int ButtonWidth = RenderCaptionImage(Button, L"OK");
    const int Frame = Button.Height() / 4;
    LoadSkinImage(L"CBPositions", Boxes);
    LoadSkinImage(L"Message1", Skin);
    // Painting takes its time on a busy machine: read until it shows.
    for (int Try = 0; Try < 250 && !(OkShown && BoxShown && EdgeShown); ++Try) {
      lctest::Pump(20);
      const lctest::ScreenGrab Shot(M.Handle());
      // The button's normal look, or its hover look under the pointer.
      OkShown = ScreenShows(Shot, Ok.Left, Ok.Top, Button, {0, 0, ButtonWidth, Frame}) ||
                ScreenShows(Shot, Ok.Left, Ok.Top, Button, {0, 3 * Frame, ButtonWidth, 4 * Frame});
      BoxShown = ScreenShows(Shot, Box.Left + 4, Box.Top + 5, Boxes, {0, 0, 13, 13});
      // The skin's bottom edge, drawn out to the box's height.
      EdgeShown = ScreenShows(Shot, 0, Size.cy - 2, Skin, {0, 252, Size.cx - 2, 254});
    }
    Enter();
  });
  EXPECT_GT(Size.cy, 254);
  EXPECT_EQ(486, Size.cx);
  EXPECT_LE(Text.Bottom, Ok.Top);
  EXPECT_LE(Ok.Bottom, Box.Top);
  EXPECT_LE(Box.Bottom, Size.cy);
  EXPECT_GE(Text.Top, 25);  // below the title
  EXPECT_TRUE(OkShown);
  EXPECT_TRUE(BoxShown);
  EXPECT_TRUE(EdgeShown);
}

// A text taller than the screen gives a box as high as the work area at
// most, showing the lines that fit; the wheel and the keys bring the rest
// into view, down to the last line.
TEST_F(ProgramMessageBox, ATextTallerThanTheScreenIsCutAndScrolledIntoView) {
  std::wstring Long = L"Line 1";
  for (int I = 2; I <= 80; ++I) Long += L"\r\nLine " + std::to_wstring(I);
  const TRect Area = Screen.WorkAreaRect();
  TRect Shown, Text, Ok;
  int Lines = 0, ShownLines = 0, AfterWheel = -1, AfterPages = -1, AfterUp = -1;
  Run(Long, form.get(), false, false, [&] {
    TfrmMessage& M = *frmMessage;
    Shown = M.BoundsRect();
    Text = TextBlock(M);
    Ok = M.OkButton().Rect();
    Lines = static_cast<int>(M.Layout().Lines.size());
    ShownLines = M.Layout().ShownLines;
    SendMessageW(M.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    AfterWheel = M.FirstLine();
    for (int Page = 0; Page < 10; ++Page) SendMessageW(M.Handle(), WM_KEYDOWN, VK_NEXT, 0);
    AfterPages = M.FirstLine();
    SendMessageW(M.Handle(), WM_KEYDOWN, VK_UP, 0);
    AfterUp = M.FirstLine();
    Enter();
  });
  EXPECT_EQ(80, Lines);
  EXPECT_LT(ShownLines, 80);
  EXPECT_GE(Shown.Top, Area.Top);
  EXPECT_LE(Shown.Bottom, Area.Bottom);
  EXPECT_LE(Text.Bottom, Ok.Top);
  EXPECT_GT(AfterWheel, 0);
  EXPECT_EQ(80 - ShownLines, AfterPages);
  EXPECT_EQ(79 - ShownLines, AfterUp);
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
