// The main window's display-change handling and the remote aspect cycle on
// the virtual display, with the colour bars in the video window: the
// movie is rendered again where it was, windows keep their places in
// proportion, and code 74 steps through the ratios.
#include <dshow.h>

#include "framework/messages.h"
#include "player/tests/bars_fixture.h"

namespace {

using lc::Player;
using lc::Program;

// Seeks the graph as the transport does, and keeps what it was asked.
class SeekingRooms : public lc::testing::RecordingCommands {
 public:
  std::vector<int> Seeks;
  void SeekToPosition(int Ms) override {
    Seeks.push_back(Ms);
    IMediaSeeking* S = nullptr;
    if (!frmVideoWindow ||
        FAILED(frmVideoWindow->FilterGraph.QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&S))))
      return;
    LONGLONG At = LONGLONG(Ms) * 10000;
    S->SetPositions(&At, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    S->Release();
  }
};

class DisplayChangeTest : public lc::testing::BarsTest {
 protected:
  void SetUp() override {
    BarsTest::SetUp();
    // The picture room goes in front of the seeking rooms.
    main->SetCommands(&Seeker);
    main->InstallPictureRoom();
  }

  LONGLONG Position() {
    IMediaSeeking* S = nullptr;
    LONGLONG Now = -1;
    if (SUCCEEDED(video->FilterGraph.QueryInterface(IID_IMediaSeeking, reinterpret_cast<void**>(&S)))) {
      S->GetCurrentPosition(&Now);
      S->Release();
    }
    return Now;
  }

  OAFilterState State() {
    IMediaControl* C = nullptr;
    OAFilterState S = -1;
    if (SUCCEEDED(video->FilterGraph.QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&C)))) {
      C->GetState(2000, &S);
      C->Release();
    }
    return S;
  }

  void DisplayChange(int Width, int Height) {
    SendMessageW(main->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(Width, Height));
  }

  SeekingRooms Seeker;
};

TEST_F(DisplayChangeTest, APausedMovieIsPausedAgainATenthOfASecondEarlier) {
  OpenBars();
  Seeker.SeekToPosition(2000);
  Seeker.Seeks.clear();
  lctest::Pump(100);
  // Within a frame (40 ms) of where it was asked to go.
  ASSERT_NEAR(20000000, Position(), 400000);
  const TScreenSize Same = main->LastScreenSize;
  DisplayChange(Same.Width, Same.Height);
  EXPECT_EQ(std::vector<int>{1900}, Seeker.Seeks);
  EXPECT_EQ(1900, main->ProgressBar->Position());
  EXPECT_NEAR(19000000, Position(), 400000);
  EXPECT_EQ(State_Paused, State());
  EXPECT_TRUE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  for (int i = 0; i < 100 && !video->VideoWindow->Surface().HasFrame(); ++i) lctest::Pump(20);
  EXPECT_TRUE(video->VideoWindow->Surface().HasFrame());
}

TEST_F(DisplayChangeTest, WithoutAMovieNothingIsSought) {
  DisplayChange(main->LastScreenSize.Width, main->LastScreenSize.Height);
  EXPECT_TRUE(Seeker.Seeks.empty());
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
}

TEST_F(DisplayChangeTest, WindowsKeepTheirPlaceInProportionToTheScreen) {
  main->LastScreenSize = {1920, 1080};
  main->SetBounds(960, 540, main->Width(), main->Height());
  video->SetBounds(480, 270, 400, 300);
  main->MovieModeChecked = true;
  DisplayChange(960, 540);
  EXPECT_EQ(480, main->BoundsRect().Left);
  EXPECT_EQ(270, main->BoundsRect().Top);
  EXPECT_EQ(240, video->BoundsRect().Left);
  EXPECT_EQ(135, video->BoundsRect().Top);
  EXPECT_EQ(400, video->BoundsRect().Width());  // the size stays
  EXPECT_EQ((TScreenSize{960, 540}), main->LastScreenSize);
  EXPECT_FALSE(main->MovieModeChecked);
  DisplayChange(1920, 1080);
  EXPECT_EQ(960, main->BoundsRect().Left);
  EXPECT_EQ(540, main->BoundsRect().Top);
}

TEST_F(DisplayChangeTest, TheAspectCycleOfRemoteCode74) {
  SendMessageW(main->Handle(), WM_REMOTECOMMAND, 74, 0);
  EXPECT_EQ(lc::AspectChoice::Original, main->AspectChecked) << "nothing without a graph";
  OpenBars();
  const lc::AspectChoice Expected[] = {lc::AspectChoice::Wide169, lc::AspectChoice::Square11,
                                       lc::AspectChoice::Original, lc::AspectChoice::Wide169};
  for (lc::AspectChoice E : Expected) {
    EXPECT_EQ(0, SendMessageW(main->Handle(), WM_REMOTECOMMAND, 74, 0));
    EXPECT_EQ(E, main->AspectChecked);
  }
}

}  // namespace
