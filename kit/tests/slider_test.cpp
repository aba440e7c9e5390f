#include <gtest/gtest.h>

#include "kit/flip.h"
#include "kit/progress_bar.h"
#include "kit/tests/widget_fakes.h"
#include "kit/trackbar.h"
#include "kit/volume_control.h"

using namespace fakes;
using Log = std::vector<std::string>;

using Window = TFakeWindow;

// ---- track bars -------------------------------------------------------------

TEST(TrackBar, ConversionsOfEverySlider) {
  struct Case { const char* Name; TTrackGeometry G; int Position, Thumb; } Cases[] = {
      {"eq top", EqualizerTrack(70), -100, 48},
      {"eq middle", EqualizerTrack(70), 0, 96},
      {"eq bottom", EqualizerTrack(70), 100, 144},
      {"eq 8", EqualizerTrack(70), 8, 100},
      {"colour start", ColourTrack(38, 0, 1000), 500, 170},
      {"colour end", ColourTrack(38, 0, 1000), 1000, 235},
      {"hue", ColourTrack(88, -180, 180), -180, 105},
      {"aspect 1.33", AspectRatioTrack(), 133, 109},
      {"aspect max", AspectRatioTrack(), 300, 276},
      {"pan&scan 0", PanScanTrack(), 0, 92},
      {"pan&scan max", PanScanTrack(), 100, 222},
  };
  for (const Case& C : Cases) {
    EXPECT_EQ(C.Thumb, TrackThumbFromPosition(C.G, C.Position)) << C.Name;
    EXPECT_EQ(C.Position, TrackPositionFromThumb(C.G, C.Thumb)) << C.Name;
  }
  EXPECT_EQ(1, TrackPositionFromThumb(PanScanTrack(), 93));  // round(1.0/195*150)=1
}

TEST(TrackBar, EqualizerPressSnapsToTheMiddle) {
  struct Case { int Y, Position, Thumb; } Cases[] = {
      {94, 0, 96}, {99, 0, 96}, {93, 0, 96}, {92, -8, 92}, {100, 8, 100},
      {43, -100, 48}, {149, 100, 144}};
  for (const Case& C : Cases) {
    Window W;
    TVirtualTrackBar Bar{W.Host, W.Surface, EqualizerTrack(70), nullptr, ptBoth};
    ASSERT_TRUE(Bar.MouseDown(70, C.Y)) << C.Y;
    EXPECT_EQ(C.Position, Bar.Position()) << C.Y;
    EXPECT_EQ(C.Thumb, Bar.ThumbPos()) << C.Y;
  }
}

TEST(TrackBar, HitAreaAndThumbCell) {
  Window W;
  auto Thumb = W.Surface.LoadImage(L"VerticalSlider");
  TVirtualTrackBar Bar{W.Host, W.Surface, EqualizerTrack(70), Thumb.get(), ptBoth};
  EXPECT_FALSE(Bar.MouseDown(59, 96));
  EXPECT_FALSE(Bar.MouseDown(76, 96));
  EXPECT_FALSE(Bar.MouseDown(70, 150));
  W.L.Take();
  EXPECT_TRUE(Bar.MouseDown(75, 120));
  EXPECT_EQ((Log{"restore:(65,93)-(77,100):both",
                 "copy:VerticalSlider(0,0)-(12,7)->(65,117)-(77,124):both"}),
            W.L.Take());
  EXPECT_EQ(&Bar, W.Host.CapturedWidget);
}

// Each slider takes a press on every pixel of its hit area, edges
// included, and nowhere beyond it.
TEST(TrackBar, EverySliderTakesPressesOnItsWholeHitAreaAndNoFurther) {
  struct Case { const char* Name; TTrackGeometry G; int Left, Top, Right, Bottom; } Cases[] = {
      {"equalizer 70", EqualizerTrack(70), 60, 43, 75, 149},
      {"colour row 38", ColourTrack(38, 0, 1000), 100, 33, 240, 48},
      {"aspect ratio", AspectRatioTrack(), 21, 43, 281, 58},
      {"pan & scan", PanScanTrack(), 22, 43, 227, 58},
  };
  for (const Case& C : Cases) {
    const int MidX = (C.Left + C.Right) / 2, MidY = (C.Top + C.Bottom) / 2;
    const struct { int X, Y; bool Taken; } Points[] = {
        {C.Left, C.Top, true},         {C.Right, C.Bottom, true},   {C.Left, C.Bottom, true},
        {C.Right, C.Top, true},        {C.Left - 1, MidY, false},   {C.Right + 1, MidY, false},
        {MidX, C.Top - 1, false},      {MidX, C.Bottom + 1, false},
    };
    for (const auto& P : Points) {
      Window W;
      TVirtualTrackBar Bar{W.Host, W.Surface, C.G, nullptr, ptWindow};
      EXPECT_EQ(P.Taken, Bar.MouseDown(P.X, P.Y)) << C.Name << " at " << P.X << "," << P.Y;
    }
  }
}

TEST(TrackBar, ColourSliderEndsAndScoreWhileAGraphIsActive) {
  Window W;
  TVirtualTrackBar Bar{W.Host, W.Surface, ColourTrack(38, 0, 1000), nullptr, ptBoth,
                       &W.Playback};
  ASSERT_TRUE(Bar.MouseDown(100, 38));
  EXPECT_EQ(0, Bar.Position());
  EXPECT_EQ(105, Bar.ThumbPos());
  EXPECT_EQ(0, W.Playback.Score);  // no graph, no score
  Bar.MouseUp(100, 38);
  W.Playback.Active = true;
  W.Playback.Score = 7000;
  ASSERT_TRUE(Bar.MouseDown(240, 40));
  EXPECT_EQ(1000, Bar.Position());
  EXPECT_EQ(235, Bar.ThumbPos());
  EXPECT_EQ(10000, W.Playback.Score);  // capped
}

TEST(TrackBar, DragFollowsTheMouseAnywhereUntilTheButtonIsUp) {
  Window W;
  int Changes = 0;
  TVirtualTrackBar Bar{W.Host, W.Surface, ColourTrack(38, 0, 200), nullptr, ptBoth};
  Bar.OnChange = [&] { ++Changes; };
  ASSERT_TRUE(Bar.MouseDown(170, 38));
  EXPECT_TRUE(Bar.MouseMove(-500, 900, true));
  EXPECT_EQ(0, Bar.Position());
  EXPECT_TRUE(Bar.MouseMove(-600, 900, true));  // still reporting at the end
  EXPECT_TRUE(Bar.MouseMove(5000, 0, true));
  EXPECT_EQ(200, Bar.Position());
  EXPECT_EQ(4, Changes);
  // The button came up where the window did not see it: the drag ends.
  EXPECT_FALSE(Bar.MouseMove(170, 38, false));
  EXPECT_FALSE(Bar.Dragging());
  EXPECT_FALSE(Bar.MouseMove(100, 38, true));
  EXPECT_EQ(200, Bar.Position());
  // Capture lost during a drag: the window's host lets the bar go.
  W.Host.SetMouseOrder({&Bar});
  ASSERT_EQ(&Bar, W.Host.MouseDown(170, 38));
  const int AtPress = Bar.Position();
  EXPECT_EQ(&Bar, W.Host.CapturedWidget);
  W.Host.CaptureLost();
  EXPECT_FALSE(Bar.Dragging());
  EXPECT_EQ(nullptr, W.Host.CapturedWidget);
  EXPECT_FALSE(Bar.MouseMove(120, 38, true));
  EXPECT_EQ(AtPress, Bar.Position());
}

TEST(TrackBar, SetPositionClampsAndRedrawsOnlyOnAChange) {
  Window W;
  TVirtualTrackBar Bar{W.Host, W.Surface, AspectRatioTrack(), nullptr, ptWindow};
  W.L.Take();
  Bar.SetPosition(133);
  EXPECT_EQ(Log{}, W.L.Take());
  Bar.SetPosition(1000);
  EXPECT_EQ(300, Bar.Position());
  EXPECT_EQ(276, Bar.ThumbPos());
  EXPECT_EQ((Log{"restore:(106,43)-(113,55):window"}), W.L.Take());
}

// The thumb cell each slider restores when its thumb moves away from the
// start: (T-3, across 1)-(T+4, across 2).
TEST(TrackBar, EverySliderRestoresItsThumbCell) {
  struct Case { const char* Name; TTrackGeometry G; int To; const char* Restored; } Cases[] = {
      {"colour row 38", ColourTrack(38, 0, 1000), 0, "restore:(167,32)-(174,44):window"},
      {"aspect ratio", AspectRatioTrack(), 300, "restore:(106,43)-(113,55):window"},
      {"pan & scan", PanScanTrack(), 100, "restore:(89,40)-(96,52):window"},
  };
  for (const Case& C : Cases) {
    Window W;
    TVirtualTrackBar Bar{W.Host, W.Surface, C.G, nullptr, ptWindow};
    W.L.Take();
    Bar.SetPosition(C.To);
    EXPECT_EQ(Log{C.Restored}, W.L.Take()) << C.Name;
  }
}

// ---- volume -----------------------------------------------------------------

TEST(Volume, LevelFromThePoint) {
  struct Case { int Above, Level; } Cases[] = {
      {0, 0}, {1, 0}, {2, 1}, {39, 10}, {78, 20}, {200, 20}, {-5, 0}};
  for (const Case& C : Cases) EXPECT_EQ(C.Level, VolumeLevelAt(104, 104 - C.Above)) << C.Above;
}

TEST(Volume, PaintSplitsTheColumnsAtTheEmptyHeight) {
  Window W;
  TVolumeControl Vol{W.Host, W.Surface, {412, 26, 417, 104}, L"MainVolBar", W.Playback};
  W.L.Take();
  Vol.SetPosition(5);  // empty height 78 - round(0.25 * 78) = 78 - 20 = 58
  EXPECT_EQ((Log{"cancel-restore", "volume:2500",
                 "copy:MainVolBar(0,0)-(5,58)->(412,26)-(417,84):both",
                 "copy:MainVolBar(5,58)-(10,78)->(412,84)-(417,104):both"}),
            W.L.Take());
  Vol.SetPosition(5);
  EXPECT_EQ(Log{}, W.L.Take());
  Vol.SetPosition(99);
  EXPECT_EQ(20, Vol.Position());
}

TEST(Volume, PressAndDragWithTheMuteFlipOff) {
  Window W;
  TVirtualFlip Mute{W.Host, W.Surface, {0, 0, 15, 13}, L"", L"MainMute", false, {}};
  TVolumeControl Vol{W.Host, W.Surface, {412, 26, 417, 104}, L"MainVolBar", W.Playback};
  Vol.SetMuteFlip(&Mute);
  W.Playback.Active = true;
  W.L.Take();
  ASSERT_TRUE(Vol.MouseDown(414, 26));
  EXPECT_EQ(20, Vol.Position());
  Log Got = W.L.Take();
  EXPECT_EQ("volume:0", Got.at(0));  // muted: the level changes, the volume stays 0
  EXPECT_EQ(5000, W.Playback.Score);
  EXPECT_EQ(&Vol, W.Host.CapturedWidget);
  // More than 50 px below: outside the zone, the level is kept.
  EXPECT_FALSE(Vol.MouseMove(414, 155, true));
  EXPECT_EQ(20, Vol.Position());
  EXPECT_TRUE(Vol.MouseMove(414, 154, true));
  EXPECT_EQ(0, Vol.Position());
  EXPECT_FALSE(Vol.MouseMove(428, 60, true));  // more than 10 to the side
  EXPECT_EQ(0, Vol.Position());
  EXPECT_EQ(10000, W.Playback.Score);
  // The release outside is no click; the next move without the button ends it.
  EXPECT_FALSE(Vol.MouseUp(430, 60));
  EXPECT_TRUE(Vol.Dragging());
  Vol.MouseMove(430, 60, false);
  EXPECT_FALSE(Vol.Dragging());
}

// The main face offers a press to the volume bar before the seek bar below
// it: a press beside the volume bar goes on to the seek bar, or, on the
// bare face, to nobody (the window is dragged).
TEST(Volume, APressBesideItGoesOnToTheSeekBar) {
  Window W;
  TVolumeControl Vol{W.Host, W.Surface, {412, 26, 417, 104}, L"MainVolBar", W.Playback};
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  W.Host.SetMouseOrder({&Vol, &Bar});
  W.L.Take();
  EXPECT_EQ(&Bar, W.Host.MouseDown(414, 140));
  EXPECT_EQ("seek:96", W.L.Take().back());  // round(389 / 408 x 101)
  W.Host.MouseUp(414, 140);
  const int Beside[4][2] = {{411, 60}, {418, 60}, {414, 25}, {414, 105}};
  for (const auto& P : Beside) {
    EXPECT_EQ(nullptr, W.Host.MouseDown(P[0], P[1])) << P[0] << "," << P[1];
    EXPECT_FALSE(Vol.Dragging()) << P[0] << "," << P[1];
  }
  EXPECT_EQ(Log{}, W.L.Take());
  EXPECT_EQ(&Vol, W.Host.MouseDown(414, 60));
  EXPECT_EQ(&Vol, W.Host.MouseUp(414, 60));  // the release is the bar's too
}

// ---- progress bar -----------------------------------------------------------

TEST(Progress, SeekPositionFromThePoint) {
  TRect Bar{25, 135, 432, 144};
  struct Case { int X; long long P; } Cases[] = {{25, 0}, {228, 50}, {432, 101}};
  for (const Case& C : Cases) EXPECT_EQ(C.P, ProgressPositionAt(Bar, 0, 100, C.X)) << C.X;
}

TEST(Progress, FillWidthIsExactForLongMovies) {
  // Ten hours in milliseconds on a 408-pixel span: the product overflows
  // 32 bits.
  int Max = 36000000;
  EXPECT_EQ(204, ProgressFillWidth(408, Max / 2, 0, Max));
  EXPECT_EQ(408, ProgressFillWidth(408, Max + 1, 0, Max));
  // The range counts both of its ends: 408 x 50 / 101 is 201.98.
  EXPECT_EQ(202, ProgressFillWidth(408, 50, 0, 100));
  EXPECT_EQ(204, ProgressFillWidth(408, 50, 1, 100));  // 408 x 50 / 100
  EXPECT_EQ(2, DivRoundHalfEven(5, 2));
  EXPECT_EQ(4, DivRoundHalfEven(7, 2));
  EXPECT_EQ(-2, DivRoundHalfEven(-5, 2));
}

TEST(Progress, ClickSeeksAndScoresTheDistance) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  W.L.Take();
  ASSERT_TRUE(Bar.MouseDown(228, 140));
  EXPECT_EQ(50, Bar.Position());
  EXPECT_EQ(203, Bar.FillWidth());
  EXPECT_EQ((Log{"copy:MainProgressBar(203,0)-(407,9)->(228,135)-(432,144):both",
                 "copy:MainProgressBar(0,9)-(203,18)->(25,135)-(228,144):both",
                 "seek:50"}),
            W.L.Take());
  EXPECT_EQ(50, W.Playback.Score);
  EXPECT_TRUE(Bar.MouseUp(228, 140));
}

// The timer's position fills its share of the 408 pixels from x 25 to 432,
// both ends counted: 50 of 0..100 is 408 x 50 / 101.
TEST(Progress, PositionFillsItsShareOfTheWholeBar) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  Bar.SetPosition(50);
  EXPECT_EQ(202, Bar.FillWidth());
  Bar.SetPosition(100);
  EXPECT_EQ(404, Bar.FillWidth());
}

// The release ends the drag: a later move with the button held (a press
// that began elsewhere) does not seek.
TEST(Progress, AReleaseEndsTheDrag) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  ASSERT_TRUE(Bar.MouseDown(228, 140));
  EXPECT_TRUE(Bar.MouseUp(228, 140));
  W.L.Take();
  EXPECT_FALSE(Bar.MouseMove(300, 140, true));
  EXPECT_EQ(50, Bar.Position());
  for (const std::string& E : W.L.Take()) EXPECT_NE(0u, E.rfind("seek:", 0)) << E;
}

TEST(Progress, ClickOnTheLastPixelSeeksToTheMaximumNotBeyond) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  ASSERT_TRUE(Bar.MouseDown(432, 140));
  EXPECT_EQ(100, Bar.Position());
  // A drag beyond the right end asks for the end.
  EXPECT_TRUE(Bar.MouseMove(450, 140, true));
  EXPECT_EQ(100, Bar.Position());
  EXPECT_EQ(408, Bar.FillWidth());
  W.L.Take();
  Bar.Paint();  // the fill stops at the bar's last column
  EXPECT_EQ("copy:MainProgressBar(0,9)-(407,18)->(25,135)-(432,144):both", W.L.Take().at(1));
  // Outside the zone the drag does nothing.
  EXPECT_FALSE(Bar.MouseMove(453, 140, true));
  EXPECT_FALSE(Bar.MouseMove(200, 124, true));
}

TEST(Progress, DisabledBarIgnoresPressesUpdatesAndHover) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          false, W.Playback};
  W.L.Take();
  EXPECT_FALSE(Bar.MouseDown(100, 140));
  Bar.SetPosition(40);
  EXPECT_EQ(0, Bar.Position());
  Bar.MouseMove(100, 140, false);
  EXPECT_EQ(Log{}, W.L.Take());
}

TEST(Progress, SamePositionPaintsOnceAndTheSameFillNotAtAll) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  Bar.SetMax(100000);
  W.L.Take();
  Bar.SetPosition(50000);
  EXPECT_EQ(2u, W.L.Take().size());
  Bar.SetPosition(50000);
  Bar.SetPosition(50100);  // still 204 px filled
  EXPECT_EQ(Log{}, W.L.Take());
  EXPECT_EQ(50100, Bar.Position());
}

TEST(Progress, SetMaxKeepsAtLeastOneStepAndLimitsThePosition) {
  Window W;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  Bar.SetPosition(80);
  Bar.SetMax(0);
  EXPECT_EQ(1, Bar.Max());
  EXPECT_EQ(1, Bar.Position());
}

TEST(Progress, Win9xDrawsOnePixelFurtherLeft) {
  Window W;
  W.Playback.Win9x = true;
  TVirtualProgressBar Bar{W.Host, W.Surface, {25, 135, 432, 144}, L"MainProgressBar",
                          true, W.Playback};
  W.L.Take();
  Bar.Paint();
  EXPECT_EQ((Log{"copy:MainProgressBar(0,0)-(407,9)->(24,135)-(431,144):both",
                 "copy:MainProgressBar(0,9)-(0,18)->(24,135)-(24,144):both"}),
            W.L.Take());
}
