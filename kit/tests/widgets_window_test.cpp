// The widgets drawn through a real skinned window's surface (checked on its
// back buffer) on the virtual display. The message box is tested as the
// program joins it (app/tests/message_box_test.cpp).
#include <gtest/gtest.h>

#include <vector>

#include <windows.h>

#include "kit/button.h"
#include "kit/label.h"
#include "kit/skin_image.h"
#include "kit/skin_strip.h"
#include "kit/skin_surface.h"
#include "kit/tests/pixel_checks.h"
#include "kit/volume_control.h"
#include "kit/widget_links.h"

namespace {

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
