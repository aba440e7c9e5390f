// The widgets drawn through a real skinned window's surface (checked on its
// back buffer) and the skinned message box on the virtual display.
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "kit/button.h"
#include "kit/label.h"
#include "kit/message_box.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/skin_surface.h"
#include "kit/volume_control.h"
#include "kit/widget_links.h"

namespace {

TColor PixelOf(TBitmap& B, int X, int Y) {
  const std::uint8_t* P = B.ScanLine(Y) + 3 * X;
  return RGBColor(P[2], P[1], P[0]);
}

// Pixels of Area of A against those of Source's SourceArea (same size).
void ExpectSamePixels(TBitmap& A, const TRect& Area, TBitmap& Source, const TRect& SourceArea) {
  int Mismatches = 0;
  for (int Y = 0; Y < Area.Height(); ++Y)
    for (int X = 0; X < Area.Width(); ++X)
      if (PixelOf(A, Area.Left + X, Area.Top + Y) !=
          PixelOf(Source, SourceArea.Left + X, SourceArea.Top + Y))
        ++Mismatches;
  EXPECT_EQ(0, Mismatches) << "of " << Area.Width() * Area.Height();
}

class TNoPlayback : public TPlaybackLink {
 public:
  void SetVolume(int V) override { Volume = V; }
  bool GraphActive() const override { return false; }
  void SeekToPosition(int) override {}
  int RmsChangeScore() const override { return 0; }
  void SetRmsChangeScore(int) override {}
  void CancelVolumeRestore() override {}
  bool IsWin9x() const override { return false; }
  int Volume = -1;
};

void Settle() {
  for (int I = 0; I < 5; ++I) {
    Application.ProcessMessages();
    Sleep(10);
  }
}

class MainFace : public ::testing::Test {
 protected:
  TSkinForm Form{L"TfrmWidgetProbe", L"MainImage", true};
  TSkinSurface Surface{Form.Host()};
  TBitmap& Buffer() { return *Form.Host().BackBuffer(); }
};

}  // namespace

TEST_F(MainFace, DisabledButtonShowsItsThirdFrameOnTheBackBuffer) {
  TButtonOptions O{TButtonVariant::Main};
  TVirtualButton Play{Form.Host(), Surface, {100, 40, 120, 60}, L"", L"Play", L"MainbtnPlay", O};
  Play.SetEnabled(false);
  TBitmap Strip;
  LoadSkinImage(L"MainbtnPlay", Strip);
  ExpectSamePixels(Buffer(), Play.Rect(), Strip, StackedFrame(20, 80, FrameDisabled));
  Play.SetEnabled(true);
  ExpectSamePixels(Buffer(), Play.Rect(), Strip, StackedFrame(20, 80, FrameNormal));
}

TEST_F(MainFace, VolumeBarFillsFromTheBottom) {
  TNoPlayback Playback;
  TVolumeControl Volume{Form.Host(), Surface, {412, 26, 417, 104}, L"MainVolBar", Playback};
  Volume.SetPosition(10);  // empty 39 rows, filled 39 rows
  EXPECT_EQ(5000, Playback.Volume);
  TBitmap Bar;
  LoadSkinImage(L"MainVolBar", Bar);
  ExpectSamePixels(Buffer(), {412, 26, 417, 65}, Bar, {0, 0, 5, 39});
  ExpectSamePixels(Buffer(), {412, 65, 417, 104}, Bar, {5, 39, 10, 78});
}

TEST_F(MainFace, ScrollingLabelCopiesBothPiecesOfItsBitmap) {
  TVirtualLabel Label{Form.Host(), Surface, 30, 5, std::wstring(40, L'W'), L"", 100, 8, true};
  ASSERT_TRUE(Label.Scrolling());
  int B = Label.ScrollBitmapWidth();
  Label.SetScrollOffset(B - 30);
  Label.Paint();
  auto Text = Surface.TextImage(std::wstring(40, L'W') + std::wstring(10, L' '), {8, clNone});
  TBitmap& Bitmap = static_cast<TBitmapImage&>(*Text).Bitmap;
  ASSERT_EQ(B, Bitmap.Width());
  int H = Bitmap.Height();
  ExpectSamePixels(Buffer(), {30, 5, 60, 5 + H}, Bitmap, {B - 30, 0, B, H});
  ExpectSamePixels(Buffer(), {60, 5, 130, 5 + H}, Bitmap, {0, 0, 70, H});
}

// ---- the message box -------------------------------------------------------------

namespace {

// What the timer does to the box once it is up.
enum class TAction { CheckThenEnter, Escape, SecondBoxThenEnter };
TAction PendingAction;
bool SecondChecked = true;
bool SecondReturned = false;

void ClickAt(HWND Wnd, int X, int Y) {
  LPARAM At = MAKELPARAM(X, Y);
  PostMessageW(Wnd, WM_MOUSEMOVE, 0, At);
  PostMessageW(Wnd, WM_LBUTTONDOWN, MK_LBUTTON, At);
  PostMessageW(Wnd, WM_LBUTTONUP, 0, At);
}

void CALLBACK ActOnBox(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmMessage || !frmMessage->Showing()) return;
  KillTimer(nullptr, Id);
  HWND Wnd = frmMessage->Handle();
  switch (PendingAction) {
    case TAction::CheckThenEnter: {
      const TRect& Box = frmMessage->CheckBox().Rect();
      ClickAt(Wnd, Box.Left + 8, Box.Top + 10);
      PostMessageW(Wnd, WM_CHAR, 13, 0);
      break;
    }
    case TAction::Escape:
      PostMessageW(Wnd, WM_CHAR, 27, 0);
      break;
    case TAction::SecondBoxThenEnter:
      ShowMessageBox(L"Second", nullptr, true, SecondChecked);
      SecondReturned = true;
      PostMessageW(Wnd, WM_CHAR, 13, 0);
      break;
  }
}

bool RunBox(const std::wstring& Text, bool ShowCheckBox, TAction Action, bool Checked) {
  PendingAction = Action;
  SetTimer(nullptr, 0, 50, ActOnBox);
  ShowMessageBox(Text, nullptr, ShowCheckBox, Checked);
  return Checked;
}

}  // namespace

TEST(SkinnedMessageBox, EnterClosesTheBoxAndReturnsTheCheckBoxState) {
  EXPECT_TRUE(RunBox(L"The file \"C:\\films\\a.avi\" could not be opened.", true,
                     TAction::CheckThenEnter, false));
  EXPECT_EQ(nullptr, frmMessage);
}

TEST(SkinnedMessageBox, EscapeClosesTheBoxAndReturnsTheUntouchedBox) {
  // The box starts unchecked whatever the caller's variable held.
  EXPECT_FALSE(RunBox(L"Escape me", true, TAction::Escape, true));
}

TEST(SkinnedMessageBox, WithoutTheCheckBoxCheckedIsNotWritten) {
  EXPECT_TRUE(RunBox(L"No box", false, TAction::CheckThenEnter, true));
}

TEST(SkinnedMessageBox, ASecondBoxDuringTheFirstReturnsAtOnce) {
  SecondReturned = false;
  SecondChecked = true;
  RunBox(L"First", true, TAction::SecondBoxThenEnter, false);
  EXPECT_TRUE(SecondReturned);
  EXPECT_TRUE(SecondChecked);
}

TEST(SkinnedMessageBox, ShortTextGivesTheNarrowestBoxCroppedFromItsSkin) {
  TfrmMessage Form;
  Form.SetText(L"Done.");
  Form.Show();
  Settle();
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

TEST(SkinnedMessageBox, OverAFullScreenVideoTheBoxIsCentredOnTheVideosMonitor) {
  struct TResetEnvironment {
    ~TResetEnvironment() { SetMessageBoxEnvironment({}); }
  } Reset;
  TMessageBoxEnvironment E;
  E.VideoFullScreen = [] { return true; };
  E.VideoMonitor = [] { return TRect{100, 50, 900, 650}; };
  SetMessageBoxEnvironment(E);
  {
    TfrmMessage Form;
    Form.SetText(L"Done.");
    Form.Show();
    Settle();
    EXPECT_EQ(100 + (800 - Form.ClientWidth()) / 2, Form.Left());
    EXPECT_EQ(50 + (600 - Form.ClientHeight()) / 2, Form.Top());
    Form.Hide();
  }
  // Without the video's monitor the primary screen stands in for it.
  E.VideoMonitor = nullptr;
  SetMessageBoxEnvironment(E);
  {
    TfrmMessage Form;
    Form.SetText(L"Done.");
    Form.Show();
    Settle();
    EXPECT_EQ((Screen.Width() - Form.ClientWidth()) / 2, Form.Left());
    EXPECT_EQ((Screen.Height() - Form.ClientHeight()) / 2, Form.Top());
    Form.Hide();
  }
}
