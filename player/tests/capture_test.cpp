// Frame capture on the virtual display: the colour bars (320 x 240: red,
// green, blue and white, 80 pixels each) paused in the video window are
// captured into a scratch folder and read back, the PNG and JPEG files
// through the same libraries, the BMP directly.
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include <gtest/gtest.h>

#include "player/tests/graph_fixture.h"
#include "tests/support/pictures.h"
#include "tests/support/scratch.h"

namespace {

using lc::Player;
using lc::Program;

// The bars' colours at the middle of each bar, within Tolerance per channel.
void ExpectBars(const lctest::RgbPicture& P, int Tolerance) {
  ASSERT_EQ(320, P.Width);
  ASSERT_EQ(240, P.Height);
  const unsigned char bars[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  for (int bar = 0; bar < 4; ++bar)
    for (int y : {20, 120, 220})
      for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(bars[bar][c], P.At(40 + bar * 80, y, c), Tolerance) << "bar " << bar << " y " << y << " channel " << c;
}

class CaptureTest : public lc::testing::GraphFixture {
 protected:
  void SetUp() override {
    GraphFixture::SetUp();
    form->InstallPictureRoom();
    shots = folder.File("shots");
    std::filesystem::create_directories(std::filesystem::u8path(shots));
    Program().Settings.CaptureFolder = shots;
  }

  std::string Shot(const std::string& Name) const { return shots + "\\" + Name; }
  bool Exists(const std::string& Name) const { return std::filesystem::exists(std::filesystem::u8path(Shot(Name))); }

  std::string shots;
};

TEST_F(CaptureTest, PngJpegAndBmpHoldThePausedFrame) {
  ShowBars();
  Program().Settings.CaptureType = 2;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_EQ("Capture0001.png saved...", Player().OsdText);
  ASSERT_TRUE(Exists("Capture0001.png"));
  ExpectBars(lctest::ReadPng(lctest::ReadBytes(Shot("Capture0001.png"))), 12);

  Program().Settings.CaptureType = 1;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  ASSERT_TRUE(Exists("Capture0002.jpg"));
  const std::string jpeg = lctest::ReadBytes(Shot("Capture0002.jpg"));
  ASSERT_EQ("\xFF\xD8\xFF", jpeg.substr(0, 3));  // a real JPEG, not a bitmap under its name
  ExpectBars(lctest::ReadJpeg(jpeg), 24);
  EXPECT_EQ("Capture0002.jpg saved...", Player().OsdText);

  Program().Settings.CaptureType = 0;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  ASSERT_TRUE(Exists("Capture0003.bmp"));
  ExpectBars(lctest::ReadBmp(lctest::ReadBytes(Shot("Capture0003.bmp"))), 12);
  EXPECT_TRUE(reports.empty());
  EXPECT_FALSE(Program().BusyFlag);
}

TEST_F(CaptureTest, ATakenNameIsSkippedAndKeptAsItWas) {
  ShowBars();
  Program().Settings.CaptureType = 2;
  lctest::WriteBytes(Shot("Capture0001.png"), "mine");
  lctest::WriteBytes(Shot("Capture0002.png"), "mine too");
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_EQ("mine", lctest::ReadBytes(Shot("Capture0001.png")));
  EXPECT_EQ("mine too", lctest::ReadBytes(Shot("Capture0002.png")));
  ASSERT_TRUE(Exists("Capture0003.png"));
  EXPECT_EQ("Capture0003.png saved...", Player().OsdText);
  EXPECT_EQ(3, form->CaptureCounter);
}

TEST_F(CaptureTest, AFolderThatIsGoneSendsTheCaptureToTheMoviesFolder) {
  // The movie's folder is the scratch folder here: the bars are copied in.
  const std::string movie = folder.File("bars.mp4");
  std::filesystem::copy_file(lctest::MediaPath("bars.mp4"), std::filesystem::u8path(movie));
  ShowBars();
  form->CurrentMovieFile = movie;
  Program().Settings.CaptureFolder = folder.File("gone");
  Program().Settings.CaptureType = 0;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::u8path(folder.File("Capture0001.bmp"))));
  EXPECT_FALSE(Exists("Capture0001.bmp"));
}

TEST_F(CaptureTest, NothingWithoutAGraphOrWhileBusy) {
  Program().Settings.CaptureType = 0;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_FALSE(Exists("Capture0001.bmp"));
  ShowBars();
  Program().BusyFlag = true;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_FALSE(Exists("Capture0001.bmp"));
  EXPECT_TRUE(Program().BusyFlag);
  Program().BusyFlag = false;
  EXPECT_EQ(0, form->CaptureCounter);
  EXPECT_TRUE(reports.empty());
}

TEST_F(CaptureTest, AMovieOfSoundOnlyCapturesNothingAndSaysNothing) {
  video->FilterGraph.SetActive(true);
  ASSERT_EQ(S_OK, video->FilterGraph.RenderFile(lctest::MediaPath("tone.wav")));
  video->FilterGraph.Pause();
  form->CurrentMovieFile = lc::testing::Media("tone.wav");
  Program().Settings.CaptureType = 0;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  EXPECT_TRUE(reports.empty());
  EXPECT_EQ("", Player().OsdText);
  EXPECT_FALSE(Exists("Capture0001.bmp"));
  EXPECT_EQ(0, form->CaptureCounter);
  EXPECT_FALSE(Program().BusyFlag);
}

TEST_F(CaptureTest, AFolderThatCannotBeWrittenIsReportedAndBusyIsCleared) {
  ShowBars();
  // A capture folder whose name is taken by a file: nothing can be made in it.
  const std::string blocked = folder.File("blocked");
  lctest::WriteBytes(blocked, "x");
  form->CurrentMovieFile = blocked + "\\movie.avi";
  Program().Settings.CaptureFolder = blocked;
  form->RunCommand(lc::Cmd::CaptureFrameMenuClick);
  ASSERT_EQ(1u, reports.size());
  EXPECT_EQ(L"Unable to capture frame!", reports[0]);
  EXPECT_FALSE(Program().BusyFlag);
}

}  // namespace
