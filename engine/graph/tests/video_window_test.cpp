// The video control on the virtual display: the colour-bar file played
// into the control through its own renderer, read back from the screen.
#include "engine/graph/video_window.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <windows.h>
#include <dshow.h>

#include <gtest/gtest.h>

#include "engine/graph/filter_graph.h"
#include "framework/application.h"
#include "framework/exceptions.h"
#include "framework/forms.h"
#include "framework/tests/input.h"
#include "tests/support/process.h"

namespace {

constexpr COLORREF Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255),
                   White = RGB(255, 255, 255), Black = RGB(0, 0, 0);

using lctest::Pump;

// Expects Actual within Tolerance of Wanted in every channel.
void ExpectColor(COLORREF Actual, COLORREF Wanted, int Tolerance, const std::string& Where) {
  EXPECT_NEAR(GetRValue(Actual), GetRValue(Wanted), Tolerance) << Where;
  EXPECT_NEAR(GetGValue(Actual), GetGValue(Wanted), Tolerance) << Where;
  EXPECT_NEAR(GetBValue(Actual), GetBValue(Wanted), Tolerance) << Where;
}

class VideoWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    Form = std::make_unique<TForm>(L"TVideoTestForm");
    Form->SetBounds(500, 300, 420, 320);
    Form->SetVisible(true);
    SetWindowPos(Form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Video = std::make_unique<TDSVideoWindowEx2>(Form.get());
    Video->Name = L"VideoWindow";
    Video->SetBounds(0, 0, 400, 240);
    Video->SetAspectRatio(rmStretched);  // as the player's form stores it
    Video->SetFilterGraph(&Graph);
  }

  void TearDown() override {
    Graph.SetActive(false);
    Video->SetFilterGraph(nullptr);
    Video.reset();
    Form.reset();
  }

  // Renders the bars, places the picture in Place (as the player does:
  // renderer destination and VideoRect), pauses and waits for the frame.
  void Open(const TRect& Place, const char* File = "bars.mp4") {
    Graph.SetActive(true);
    ASSERT_EQ(Graph.RenderFile(lctest::MediaPath(File)), S_OK);
    IBasicVideo2* video = nullptr;
    ASSERT_EQ(Graph.QueryInterface(IID_IBasicVideo2, reinterpret_cast<void**>(&video)), S_OK);
    video->SetDestinationPosition(Place.Left, Place.Top, Place.Width(), Place.Height());
    video->Release();
    Video->VideoRect = Place;
    Graph.Pause();
    for (int i = 0; i < 200 && !Video->Surface().HasFrame(); ++i) Pump(20);
    ASSERT_TRUE(Video->Surface().HasFrame());
    Video->RepaintVideo();
    Pump(100);
  }

  COLORREF ScreenPixel(int X, int Y) {
    HDC dc = GetDC(Video->Handle());
    const COLORREF c = GetPixel(dc, X, Y);
    ReleaseDC(Video->Handle(), dc);
    return c;
  }

  // The four bars across a picture at Left..Left+Width, sampled at row Y.
  void ExpectBars(int Left, int Width, int Y, int Tolerance = 16) {
    const COLORREF bars[] = {Red, Green, Blue, White};
    for (int b = 0; b < 4; ++b) {
      const int x = Left + Width * (2 * b + 1) / 8;
      ExpectColor(ScreenPixel(x, Y), bars[b], Tolerance, "bar " + std::to_string(b));
    }
  }

  TFilterGraph Graph;
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TDSVideoWindowEx2> Video;
};

namespace {

std::atomic<int> AccessViolations{0};

LONG CALLBACK CountAccessViolation(EXCEPTION_POINTERS* Info) {
  if (Info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++AccessViolations;
  return EXCEPTION_CONTINUE_SEARCH;
}

}  // namespace

// The control's window procedure runs while the control is being made (the
// window is sized as it is created): nothing of it may reach parts that do
// not exist yet. A fault there is swallowed by the platform's message
// dispatch, so the test watches for it directly.
TEST_F(VideoWindow, MakingAndSizingTheControlFaultsNowhere) {
  AccessViolations = 0;
  void* Watch = AddVectoredExceptionHandler(1, CountAccessViolation);
  auto Made = std::make_unique<TDSVideoWindowEx2>(Form.get());
  Made->SetBounds(10, 10, 200, 100);
  Pump(50);
  RemoveVectoredExceptionHandler(Watch);
  EXPECT_EQ(AccessViolations.load(), 0);
  EXPECT_EQ(Made->ClientWidth(), 200);
}

TEST_F(VideoWindow, UsesItsOwnRendererWhereNoMixerExists) {
  Open(Rect(0, 0, 400, 240));
  EXPECT_TRUE(Video->OwnRendererInUse());
  EXPECT_FALSE(Video->OverlayInUse());
  EXPECT_FALSE(Video->Caps().CanOverlayGraphic());
  EXPECT_TRUE(Video->Caps().CanControlBrigtness());
  EXPECT_TRUE(Video->Caps().CanControlHue());
  EXPECT_FALSE(Video->Caps().CanControlSharpness());
  EXPECT_FALSE(Video->Caps().CanControlGamma());
  IBaseFilter* found = nullptr;
  IGraphBuilder* graph = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IGraphBuilder, reinterpret_cast<void**>(&graph)), S_OK);
  EXPECT_EQ(graph->FindFilterByName(L"VideoWindow", &found), S_OK);
  EXPECT_EQ(found, Video->GetFilter());
  if (found) found->Release();
  // No other video renderer joined the graph: the picture goes through ours.
  IEnumFilters* filters = nullptr;
  ASSERT_EQ(graph->EnumFilters(&filters), S_OK);
  IBaseFilter* f = nullptr;
  int renderers = 0;
  while (filters->Next(1, &f, nullptr) == S_OK) {
    IBasicVideo* video = nullptr;
    if (SUCCEEDED(f->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video)))) {
      ++renderers;
      video->Release();
    }
    f->Release();
  }
  filters->Release();
  EXPECT_EQ(renderers, 1);
  graph->Release();
}

// Without an Overlay Mixer on the platform the insertion fails before it
// touches the graph, which goes on showing the picture.
TEST_F(VideoWindow, FailedMixerInsertionLeavesTheGraphAsItWas) {
  Open(Rect(0, 0, 400, 240));
  EXPECT_TRUE(FAILED(Video->InsertOverlayMixer()));
  EXPECT_FALSE(Video->HoldsMixer());
  IGraphBuilder* graph = nullptr;
  ASSERT_EQ(Graph.QueryInterface(IID_IGraphBuilder, reinterpret_cast<void**>(&graph)), S_OK);
  IBaseFilter* mixer = nullptr;
  EXPECT_NE(graph->FindFilterByName(L"Overlay Mixer", &mixer), S_OK);
  if (mixer) mixer->Release();
  graph->Release();
  Video->RepaintVideo();
  Pump(50);
  ExpectBars(0, 400, 120);
}

// Before a file is rendered the renderer's source has no width: the zoom
// is only stored.
TEST_F(VideoWindow, ZoomBeforeAnyVideoIsStored) {
  Graph.SetActive(true);
  EXPECT_NO_THROW(Video->SetDigitalZoom(50));
  EXPECT_EQ(Video->DigitalZoom(), 50);
}

// A repaint asked for from another thread runs on the GUI thread.
TEST_F(VideoWindow, RepaintFromAnotherThreadRunsOnTheGuiThread) {
  Open(Rect(0, 0, 400, 240));
  DWORD paintedOn = 0;
  Video->OnPaint = [&](TComponent*) { paintedOn = GetCurrentThreadId(); };
  std::thread other([this] { Video->RepaintVideo(); });
  other.join();
  EXPECT_EQ(paintedOn, 0u);  // not yet: it was posted
  Pump(100);
  EXPECT_EQ(paintedOn, GetCurrentThreadId());
  ExpectBars(0, 400, 120);
}

// The cursor hides after AutoHideCursor milliseconds without movement (the
// check runs every 100 ms); a
// mouse-move message at the same place neither shows it nor restarts the
// delay; a real movement shows it.
TEST_F(VideoWindow, CursorHidesAfterTheDelay) {
  Open(Rect(0, 0, 400, 240));
  std::vector<bool> seen;
  Video->OnCursorShowHide = [&](TComponent*, bool Visible) { seen.push_back(Visible); };
  Video->SetAutoHideCursor(600);
  Video->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  Pump(400);
  EXPECT_TRUE(seen.empty());
  Video->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));  // no movement
  Pump(500);  // 900 ms: hidden (a restarted delay would end at 1000 ms)
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_FALSE(seen[0]);
  EXPECT_EQ(Video->Cursor, crNone);  // drawing the picture itself, the control's cursor is on screen
  Video->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(50, 50));
  EXPECT_EQ(seen.size(), 1u);
  Video->Perform(WM_MOUSEMOVE, 0, MAKELPARAM(60, 50));
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[1]);
  EXPECT_EQ(Video->Cursor, crDefault);
}

TEST_F(VideoWindow, PatternShowsInsideTheVideoRectangleWithoutKeyColour) {
  Open(Rect(40, 20, 360, 220));
  ExpectBars(40, 320, 120);
  ExpectColor(ScreenPixel(20, 120), Black, 0, "left border");
  ExpectColor(ScreenPixel(380, 120), Black, 0, "right border");
  ExpectColor(ScreenPixel(200, 10), Black, 0, "top border");
  ExpectColor(ScreenPixel(200, 230), Black, 0, "bottom border");
  int keyed = 0;
  for (int y = 0; y < 240; y += 3)
    for (int x = 0; x < 400; x += 3)
      if (ScreenPixel(x, y) == Video->ColorKey()) ++keyed;
  EXPECT_EQ(keyed, 0);
}

TEST_F(VideoWindow, BandPaintedByAHandlerShowsOverThePicture) {
  Open(Rect(0, 0, 400, 240));
  Video->OnPaintOsd = [this](TComponent*) {
    TCanvas& c = Video->Canvas();
    c.Brush.Style = TBrushStyle::bsClear;
    c.Font.SetName(L"Arial");
    c.Font.SetHeight(-36);
    c.Font.SetStyle(fsBold);
    c.Font.SetColor(RGB(255, 255, 0));
    c.TextOut(10, 4, L"HHHHHHHH");
    Video->OsdBandBottom = std::max(Video->OsdBandBottom, 48);
  };
  Video->OsdBandBottom = 48;
  Video->RepaintOsd();
  Pump(100);
  int text = 0;
  for (int y = 4; y < 48; ++y)
    for (int x = 10; x < 200; ++x)
      if (ScreenPixel(x, y) == RGB(255, 255, 0)) ++text;
  EXPECT_GT(text, 200);        // the letters, in their colour
  ExpectBars(0, 400, 120);     // the picture below the band
  ExpectColor(ScreenPixel(395, 2), White, 16, "picture beside the text");
  EXPECT_EQ(Video->OsdBandBottom, 48);  // the handler extended the band again
}

// The subtitle painter may also draw on the canvas outside the paint
// events (the pulse calls it directly): that reaches the screen too.
// Painting outside the events shows once the painter commits it; until
// then nothing watches the canvas (an idle paused movie costs nothing).
TEST_F(VideoWindow, PaintingOutsideTheEventsShowsOverThePictureOnceCommitted) {
  Open(Rect(0, 0, 400, 240));
  TCanvas& c = Video->Canvas();
  c.Brush.Style = TBrushStyle::bsSolid;
  c.Brush.Color = RGB(255, 255, 0);
  c.FillRect(Rect(300, 200, 320, 220));
  Pump(200);
  ExpectColor(ScreenPixel(310, 210), White, 16, "not yet committed");
  Video->CommitPainting();
  Pump(50);
  ExpectColor(ScreenPixel(310, 210), RGB(255, 255, 0), 0, "painted directly");
  ExpectColor(ScreenPixel(330, 210), White, 16, "picture beside it");
  Video->SubtitleBandTop = 190;  // as the subtitle painter marks its band
  Video->RepaintSubtitle();      // clearing the band takes it away again
  Pump(50);
  ExpectColor(ScreenPixel(310, 210), White, 16, "after the band was cleared");
}

TEST_F(VideoWindow, ColourControlsMoveThePixels) {
  Open(Rect(0, 0, 400, 240));
  ExpectBars(0, 400, 120, 12);  // the defaults leave the pixels alone
  TColorControl& c = *Video->ColorControl();
  c.SetColorControls(750, 5000, 0, 10000);  // half contrast
  Pump(50);
  ExpectColor(ScreenPixel(350, 120), RGB(128, 128, 128), 10, "white at half contrast");
  c.SetColorControls(2750, 10000, 0, 10000);  // 20 IRE brighter
  Pump(50);
  ExpectColor(ScreenPixel(250, 120), RGB(51, 51, 255), 14, "blue brighter");
  c.SetColorControls(750, 10000, 0, 0);  // no saturation
  Pump(50);
  const COLORREF grey = ScreenPixel(50, 120);
  EXPECT_NEAR(GetRValue(grey), GetGValue(grey), 4);
  EXPECT_NEAR(GetGValue(grey), GetBValue(grey), 4);
  EXPECT_NEAR(GetRValue(grey), 76, 12);  // red's luma
  c.SetColorControls(750, 10000, 180, 10000);  // half a turn of hue
  Pump(50);
  ExpectColor(ScreenPixel(50, 120), RGB(0, 152, 152), 24, "red turned to cyan");
  EXPECT_EQ(c.Hue(), 180);  // the getter reads back what was applied
  c.SetColorControls(750, 10000, 0, 10000);
  c.SetColorEnable(false);  // the colour switch off: grey at full saturation
  Pump(50);
  const COLORREF off = ScreenPixel(50, 120);
  EXPECT_NEAR(GetRValue(off), GetGValue(off), 4);
  EXPECT_NEAR(GetGValue(off), GetBValue(off), 4);
  EXPECT_NEAR(GetRValue(off), 76, 12);
  c.SetColorEnable(true);
  Pump(50);
  ExpectColor(ScreenPixel(50, 120), Red, 12, "colour back on");
}

TEST_F(VideoWindow, PauseKeepsTheLastFrame) {
  Open(Rect(0, 0, 400, 240));
  ExpectBars(0, 400, 120);
  Pump(500);
  InvalidateRect(Video->Handle(), nullptr, TRUE);  // a repaint while paused
  Pump(100);
  ExpectBars(0, 400, 120);
}

// When the graph goes, its picture goes with it.
TEST_F(VideoWindow, PictureLeavesWithTheGraph) {
  Open(Rect(0, 0, 400, 240));
  ExpectBars(0, 400, 120);
  Graph.SetActive(false);
  Pump(100);
  EXPECT_FALSE(Video->Surface().HasFrame());
  ExpectColor(ScreenPixel(350, 120), Black, 0, "where the white bar was");
}

TEST_F(VideoWindow, AspectRatioAndZoomPlaceThePicture) {
  Open(Rect(0, 0, 400, 240));
  Video->SetAspectRatio(rmLetterBox);  // 4:3 into 400 x 240: 320 wide, centred
  Pump(50);
  ExpectColor(ScreenPixel(30, 120), Black, 0, "bar at the left of the letter box");
  ExpectBars(40, 320, 120);
  Video->SetAspectRatio(rmStretched);
  Pump(50);
  ExpectBars(0, 400, 120);
  Video->SetDigitalZoom(50);  // the middle half: x 80..240 of the bars
  Pump(50);
  ExpectColor(ScreenPixel(100, 120), Green, 16, "left half after zoom");
  ExpectColor(ScreenPixel(300, 120), Blue, 16, "right half after zoom");
  EXPECT_THROW(Video->SetDigitalZoom(100), Exception);
  EXPECT_EQ(Video->DigitalZoom(), 50);
}

// With an OSD band of 40 rows, an empty subtitle band and the picture at
// (0, 30, 400, 220): the band is border colour above the picture and
// picture below row 30; OnPaintOsd sees the band reset.
TEST_F(VideoWindow, RepaintOsdClearsTheBandAroundThePicture) {
  Open(Rect(0, 30, 400, 220));
  int bandSeen = -1;
  Video->OnPaintOsd = [&](TComponent*) { bandSeen = Video->OsdBandBottom; };
  Video->OsdBandBottom = 40;
  Video->RepaintOsd();
  Pump(50);
  EXPECT_EQ(bandSeen, 0);
  ExpectColor(ScreenPixel(200, 15), Black, 0, "above the picture");
  ExpectColor(ScreenPixel(350, 35), White, 16, "picture inside the band");
}

// A frame presented on the streaming thread fills the control after the
// control grew. The platform keeps a drawing context for the window from
// one use to the next and tells it of the window's size changes; a frame
// whose drawing began on another thread just as the window was resized
// could miss that word and keep the old size's clip, and every later
// frame drawn on that thread stayed inside the old area (the rest of a
// full-screen picture froze). Each round here grows the control while a
// frame from another thread is on its way, at an offset swept over the
// time that takes, so the unlucky order comes up within the rounds; the
// frame after it must cover the whole control.
TEST_F(VideoWindow, FramesFromTheStreamingThreadFillTheControlAfterItGrew) {
  Video->SetAspectRatio(rmStretched);
  Video->PlaceVideoRect(Rect(0, 0, 1000, 1000));  // the picture everywhere
  const int fw = 16, fh = 16;
  const std::uint32_t colours[2] = {0xFF0000u, 0x0000FFu};  // red, blue
  std::vector<std::uint32_t> frames[2];
  for (int c = 0; c < 2; ++c) frames[c].assign(fw * fh, colours[c]);
  std::atomic<int> colour{0}, asked{0}, done{0}, delay{0};
  std::atomic<bool> stop{false};
  std::thread streaming([&] {
    for (int seen = 0; !stop.load();) {
      if (asked.load() == seen) {
        std::this_thread::yield();
        continue;
      }
      seen = asked.load();
      LARGE_INTEGER f, a, b;
      QueryPerformanceFrequency(&f);
      QueryPerformanceCounter(&a);
      do QueryPerformanceCounter(&b);
      while ((b.QuadPart - a.QuadPart) * 1000000 / f.QuadPart < delay.load());
      const auto* data = reinterpret_cast<const std::uint8_t*>(frames[colour.load()].data());
      Video->Surface().PresentFrame(DescribeFrame(TPixelFormat::RGB32, data, fw, fh, fw * 4, false), nullptr);
      done.store(seen);
    }
  });
  auto present = [&](int Colour) {
    colour.store(Colour);
    const int n = asked.fetch_add(1) + 1;
    while (done.load() != n) Sleep(0);
  };
  auto settled = [&] {
    return lctest::SettleUntil([&] { return !GetUpdateRect(Video->Handle(), nullptr, FALSE); }, 2000);
  };
  const int small = 120, smallH = 90, big = 400, bigH = 240;
  int failedAt = -1;
  for (int round = 0; round < 200 && failedAt < 0; ++round) {
    Form->SetBounds(500, 300, small + 20, smallH + 80);
    Video->SetBounds(0, 0, small, smallH);
    present(0);
    settled();
    // The window grows as the player's full-screen switch grows it (the
    // form, then the control in the form's size handler) while a frame
    // is drawn from the other thread.
    delay.store(round * 37 % 200);
    colour.store(1);
    Form->SetBounds(500, 300, big + 20, bigH + 80);
    const int n = asked.fetch_add(1) + 1;
    Video->SetBounds(0, 0, big, bigH);
    while (done.load() != n) Sleep(0);
    delay.store(0);
    settled();  // the growth's repaint has shown the blue frame everywhere
    present(0);
    if (!lctest::SettleUntil([&] { return ScreenPixel(big - 4, bigH - 4) == Red; }, 2000)) failedAt = round;
  }
  stop.store(true);
  streaming.join();
  EXPECT_EQ(failedAt, -1) << "in that round the frame after the growth did not reach the control's far corner";
}

// A file without a picture leaves the control's renderer in the graph
// unconnected; the graph still completes at the end of the sound.
TEST_F(VideoWindow, AnAudioOnlyFileCompletesWithTheControlAttached) {
  bool completed = false;
  Graph.OnGraphComplete = [&](TFilterGraph*, HRESULT, IBaseFilter*) { completed = true; };
  Graph.SetActive(true);
  ASSERT_EQ(Graph.RenderFile(lctest::MediaPath("tone.wav")), S_OK);
  ASSERT_TRUE(Graph.Play());
  for (int i = 0; i < 400 && !completed; ++i) Pump(20);
  EXPECT_TRUE(completed) << "EC_COMPLETE within 8 s of a 2 s tone";
  EXPECT_TRUE(Graph.Stop());
}

}  // namespace
