// The main window and the video window on the virtual display (1920 x
// 1080) as the start-up leaves them, before any room is installed: the
// main window at (1400, 900), the video window at (100, 100), 400 x 300,
// on top of it. The player's state is fresh for every test. The helpers
// read the graph back directly, not through the player.
#pragma once

#include <memory>
#include <string>

#include <windows.h>
#include <dshow.h>

#include "framework/unicode.h"
#include "player/player_state.h"
#include "player/playback_state.h"
#include "player/subtitle_state.h"
#include "player/tests/main_form_fixture.h"
#include "player/video_window.h"
#include "tests/support/process.h"

namespace lc::testing {

// The full path of a clip of the test media.
inline std::string Media(const char* Name) { return WideToUtf8(lctest::MediaPath(Name)); }

class GraphFixture : public MainWindowTest {
 protected:
  GraphFixture() {
    ScreenWidth = 1920;
    ScreenHeight = 1080;
  }
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }

  void SetUp() override {
    ResetPlayer();
    MainWindowTest::SetUp();
    Program().Rms.Clear();
    form->SetBounds(1400, 900, form->Width(), form->Height());
    form->Show();
    video = std::make_unique<TfrmVideoWindow>();
    video->SetBounds(100, 100, 400, 300);
    video->Show();
    form->Satellites.VideoWindow = video.get();
    form->FirstActivationPending = false;
    lctest::Pump(50);
  }
  void TearDown() override {
    video.reset();
    MainWindowTest::TearDown();
    ResetPlayer();
  }

  // The colour bars (320 x 240: red, green, blue and white, 80 pixels
  // each) rendered straight into the video control at the aspect ratio
  // given, placed in the window and playing or paused on a shown frame;
  // the seek bar spans 5 s.
  void ShowBars(double Aspect = 1.33, bool Play = false) {
    PlayerState& S = Player();
    S.NativeWidth = 320;
    S.NativeHeight = 240;
    S.AspectRatioValue = Aspect;
    form->CurrentMovieFile = Media("bars.mp4");
    video->FilterGraph.SetActive(true);
    ASSERT_EQ(video->FilterGraph.RenderFile(lctest::MediaPath("bars.mp4")), S_OK);
    video->PlacePictureInWindow();
    form->ProgressBar->SetMax(5000);
    form->ProgressBar->SetEnabled(true);
    if (Play)
      video->FilterGraph.Play();
    else
      video->FilterGraph.Pause();
    ASSERT_TRUE(WaitForFrame());
  }

  // Pumps messages (the timers fire) until Done or Steps x 20 ms have passed.
  template <class F>
  bool WaitFor(F Done, int Steps = 250) {
    for (int I = 0; I < Steps; ++I) {
      if (Done()) return true;
      lctest::Pump(20);
    }
    return Done();
  }
  bool HasFrame() { return video->VideoWindow->Surface().HasFrame(); }
  // Waits up to 4 s for the video control's first frame and paints it.
  bool WaitForFrame() {
    if (!WaitFor([this] { return HasFrame(); }, 200)) return false;
    video->VideoWindow->RepaintVideo();
    lctest::Pump(100);
    return true;
  }

  // The graph's position in 100 ns units, -1 when it has none.
  LONGLONG Position() { return video->FilterGraph.Position().value_or(-1); }
  // Seeks as the player does and waits for the graph's worker to have done it.
  void SeekTo(LONGLONG Target) {
    ASSERT_TRUE(video->FilterGraph.SeekTo(Target));
    ASSERT_TRUE(video->FilterGraph.WaitForGraph(10000));
  }
  // The graph's state once the worker has done what was asked and the
  // graph has settled (up to 2 s), -1 without a graph.
  OAFilterState GraphState() {
    IMediaControl* Control = nullptr;
    OAFilterState State = -1;
    video->FilterGraph.WaitForGraph(10000);
    if (SUCCEEDED(video->FilterGraph.QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&Control)))) {
      Control->GetState(2000, &State);
      Control->Release();
    }
    return State;
  }
  // A pixel of the video control as the screen shows it.
  COLORREF Pixel(int X, int Y) {
    HDC DC = GetDC(video->VideoWindow->Handle());
    const COLORREF C = GetPixel(DC, X, Y);
    ReleaseDC(video->VideoWindow->Handle(), DC);
    return C;
  }

  std::unique_ptr<TfrmVideoWindow> video;

 private:
  static void ResetPlayer() {
    Player() = {};
    Playback() = {};
    Subtitles() = {};
  }
};

}  // namespace lc::testing
