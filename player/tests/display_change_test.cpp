// The main window's display-change handling and the remote aspect cycle on
// the virtual display, with the colour bars in the video window: the
// movie is rendered again where it was, windows keep their places in
// proportion, and code 74 steps through the ratios.
#include <functional>
#include <vector>

#include "framework/messages.h"
#include "player/tests/graph_fixture.h"

namespace {

using lc::Player;
using lc::Program;

// Keeps what the transport was asked to seek, and seeks the graph with Seek.
class SeekingRooms : public lc::testing::RecordingCommands {
 public:
  std::vector<int> Seeks;
  std::function<void(int Ms)> Seek;
  void SeekToPosition(int Ms) override {
    Seeks.push_back(Ms);
    if (Seek) Seek(Ms);
  }
};

class DisplayChangeTest : public lc::testing::GraphFixture {
 protected:
  void SetUp() override {
    GraphFixture::SetUp();
    // The picture room goes in front of the seeking rooms.
    Seeker.Seek = [this](int Ms) { SeekTo(LONGLONG(Ms) * 10000); };
    form->SetCommands(&Seeker);
    form->InstallPictureRoom();
  }

  void DisplayChange(int Width, int Height) {
    SendMessageW(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(Width, Height));
  }

  SeekingRooms Seeker;
};

TEST_F(DisplayChangeTest, APausedMovieIsPausedAgainATenthOfASecondEarlier) {
  ShowBars();
  Seeker.SeekToPosition(2000);
  Seeker.Seeks.clear();
  lctest::Pump(100);
  // Within a frame (40 ms) of where it was asked to go.
  ASSERT_NEAR(20000000, Position(), 400000);
  const TScreenSize Same = form->LastScreenSize;
  DisplayChange(Same.Width, Same.Height);
  EXPECT_EQ(std::vector<int>{1900}, Seeker.Seeks);
  EXPECT_EQ(1900, form->ProgressBar->Position());
  EXPECT_NEAR(19000000, Position(), 400000);
  EXPECT_EQ(State_Paused, GraphState());
  EXPECT_TRUE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
  EXPECT_TRUE(WaitFor([this] { return HasFrame(); }, 100));
}

// The opening's own full-screen switch changed the mode: the opening goes
// on guarded and places and starts the picture itself.
TEST_F(DisplayChangeTest, ADisplayChangeDuringAnOpeningLeavesTheOpeningItsGuardAndItsGraph) {
  ShowBars();
  Program().OpeningMovie = true;
  DisplayChange(form->LastScreenSize.Width, form->LastScreenSize.Height);
  EXPECT_TRUE(Program().OpeningMovie);
  EXPECT_TRUE(Seeker.Seeks.empty());
  EXPECT_EQ(State_Paused, GraphState());
  Program().OpeningMovie = false;
}

TEST_F(DisplayChangeTest, WithoutAMovieNothingIsSought) {
  DisplayChange(form->LastScreenSize.Width, form->LastScreenSize.Height);
  EXPECT_TRUE(Seeker.Seeks.empty());
  EXPECT_FALSE(video->GraphActive());
  EXPECT_FALSE(Program().OpeningMovie);
}

TEST_F(DisplayChangeTest, WindowsKeepTheirPlaceInProportionToTheScreen) {
  form->LastScreenSize = {1920, 1080};
  form->SetBounds(960, 540, form->Width(), form->Height());
  video->SetBounds(480, 270, 400, 300);
  form->MovieModeChecked = true;
  DisplayChange(960, 540);
  EXPECT_EQ(480, form->BoundsRect().Left);
  EXPECT_EQ(270, form->BoundsRect().Top);
  EXPECT_EQ(240, video->BoundsRect().Left);
  EXPECT_EQ(135, video->BoundsRect().Top);
  EXPECT_EQ(400, video->BoundsRect().Width());  // the size stays
  EXPECT_EQ((TScreenSize{960, 540}), form->LastScreenSize);
  EXPECT_FALSE(form->MovieModeChecked);
  DisplayChange(1920, 1080);
  EXPECT_EQ(960, form->BoundsRect().Left);
  EXPECT_EQ(540, form->BoundsRect().Top);
}

TEST_F(DisplayChangeTest, TheAspectCycleOfRemoteCode74) {
  SendMessageW(form->Handle(), WM_REMOTECOMMAND, 74, 0);
  EXPECT_EQ(lc::AspectChoice::Original, form->AspectChecked) << "nothing without a graph";
  ShowBars();
  const lc::AspectChoice Expected[] = {lc::AspectChoice::Wide169, lc::AspectChoice::Square11,
                                       lc::AspectChoice::Original, lc::AspectChoice::Wide169};
  for (lc::AspectChoice E : Expected) {
    EXPECT_EQ(0, SendMessageW(form->Handle(), WM_REMOTECOMMAND, 74, 0));
    EXPECT_EQ(E, form->AspectChecked);
  }
}

}  // namespace
