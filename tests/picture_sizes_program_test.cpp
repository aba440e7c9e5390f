// The running program's picture at the sizes movies come in, widths that
// are not a multiple of 8 among them, read from the screen and compared
// with the decoder's picture: each clip's first frame as ffmpeg decoded it
// at setup (every frame of these clips is the same). At its own size it
// is that picture within the rounding of the colour conversion, and a
// captured frame (BMP, JPEG, PNG) equals the picture shown; it stays that
// picture doubled by the zoom key, in full screen, in another aspect, with
// the brightness lowered and under the on-screen display and a subtitle.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/unicode.h"
#include "tests/support/pictures.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"
#include "tests/support/screen_grab.h"

namespace {

using lctest::RgbPicture;

// Settings positions are pixels x 100000 / the screen's side (1920 x 1080).
std::string Position(const char* Key, int Pixels, int Side) {
  return std::string(Key) + "=" + std::to_string((Pixels * 100000 + Side / 2) / Side);
}

// A copy of the player whose video window is the clip's size at (X, Y),
// the picture filling it (free aspect, so at its own size), the main
// window in the bottom right corner and the movie repeating.
class RunningClip : public lctest::RunningCopy {
 public:
  RunningClip(const wchar_t* Base, int Width, int Height, int X, int Y, std::vector<std::string> Settings)
      : RunningCopy(Base) {
    for (const char* Line : {"FirstRun=0", "RepeatStatus=1", "KeepAspectRatio=0", "LoadAtOriginalMovieSize=0",
                             "PlayListShow=0", "EqualizerShow=0", "RememberMovieSettings=0"})
      Settings.push_back(Line);
    Settings.push_back("VideoWindowWidth=" + std::to_string(Width));
    Settings.push_back("VideoWindowHeight=" + std::to_string(Height));
    Settings.push_back(Position("VideoWindowXPosition", X, 1920));
    Settings.push_back(Position("VideoWindowYPosition", Y, 1080));
    Settings.push_back(Position("MainXPosition", 1450, 1920));
    Settings.push_back(Position("MainYPosition", 920, 1080));
    // Captures go beside the copy.
    Settings.push_back("CaptureFolder=" + WideToUtf8(Copy.ExeFolder()));
    lctest::WriteSettingsFile(Copy.SettingsFile(), Settings);
  }
  SIZE ControlSize() const {
    RECT R{};
    GetClientRect(Control, &R);
    return {R.right, R.bottom};
  }
};

// The clip's first frame as ffmpeg decoded it at setup.
RgbPicture Reference(const std::string& Clip, int Width, int Height) {
  return lctest::FromI420(lctest::ReadFileText(lctest::MediaPath((Clip + ".yuv").c_str())), Width, Height);
}

// What the screen shows of the control.
RgbPicture Shown(HWND Control) {
  const lctest::ScreenGrab S(Control);
  RgbPicture P;
  P.Width = S.Width();
  P.Height = S.Height();
  P.Rgb.reserve(std::size_t(P.Width) * P.Height * 3);
  for (int Y = 0; Y < P.Height; ++Y)
    for (int X = 0; X < P.Width; ++X) {
      P.Rgb.push_back(std::uint8_t(S.R(X, Y)));
      P.Rgb.push_back(std::uint8_t(S.G(X, Y)));
      P.Rgb.push_back(std::uint8_t(S.B(X, Y)));
    }
  return P;
}

// Rows [Top, Bottom) of the picture placed at Place in Screen, the main
// window's pixels (Covered, control coordinates) taken from Expected so
// that they count as right.
struct Band {
  RgbPicture Seen, Expected;
};
Band PictureBand(const RgbPicture& Screen, const RECT& Place, const RgbPicture& Expected, int Top, int Bottom,
                 const RECT& Covered) {
  Band B;
  for (RgbPicture* P : {&B.Seen, &B.Expected}) {
    P->Width = Expected.Width;
    P->Height = Bottom - Top;
    P->Rgb.resize(std::size_t(P->Width) * P->Height * 3);
  }
  for (int Y = Top; Y < Bottom; ++Y)
    for (int X = 0; X < Expected.Width; ++X) {
      const int SX = Place.left + X, SY = Place.top + Y;
      const bool Hidden = SX < 0 || SY < 0 || SX >= Screen.Width || SY >= Screen.Height ||
                          (SX >= Covered.left && SX < Covered.right && SY >= Covered.top && SY < Covered.bottom);
      for (int C = 0; C < 3; ++C) {
        const std::size_t At = (std::size_t(Y - Top) * Expected.Width + X) * 3 + C;
        B.Expected.Rgb[At] = Expected.At(X, Y, C);
        B.Seen.Rgb[At] = Hidden ? Expected.At(X, Y, C) : Screen.At(SX, SY, C);
      }
    }
  return B;
}

struct Tolerance {
  double Mean;      // mean difference per channel
  double FarShare;  // share of pixels with a channel more than 48 away
};
// At its own size: the same pixels as ffmpeg's within the conversion's
// rounding (about 0.1 in the mean). Scaled: the player's bilinear scaling
// against the reference's, as close (0.1 to 0.35 seen).
constexpr Tolerance kOwnSize{0.5, 0.001}, kScaled{1.5, 0.005};
// An odd size comes from the platform's decoder in RGB, its converter
// interpolating chroma: a few pixels at colour edges far off.
constexpr Tolerance kPlatformRgb{4.0, 0.02};
// A capture against the screen: BMP and PNG hold the same pixels; JPEG
// loses a little, most at sharp colour edges (under 2 in the mean, 1.5 %
// of the pixels 48 off, seen).
constexpr Tolerance kExact{0.1, 0.0001}, kJpeg{4.0, 0.03};

// Waits up to 30 s for rows [Top, Bottom) (fractions of the picture's
// height) of the picture placed at Place to be Expected; the last
// difference seen.
lctest::PictureDifference WaitForPicture(const RunningClip& P, const RECT& Place, const RgbPicture& Expected,
                                         double Top, double Bottom, const Tolerance& T) {
  lctest::PictureDifference D;
  lctest::WaitUntil(
      [&] {
        const RgbPicture Screen = Shown(P.Control);
        const Band B = PictureBand(Screen, Place, Expected, int(Top * Expected.Height),
                                   int(Bottom * Expected.Height), P.MainOverControl());
        D = lctest::Compare(B.Seen, B.Expected, 48);
        return D.Mean < T.Mean && D.FarShare < T.FarShare;
      },
      30000);
  return D;
}

// Whether a difference is within the tolerance, saying by how much not.
::testing::AssertionResult Within(const lctest::PictureDifference& D, const Tolerance& T) {
  if (D.Mean < T.Mean && D.FarShare < T.FarShare) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "mean difference " << D.Mean << " (below " << T.Mean
                                       << " wanted), share of pixels far off " << D.FarShare << " (below "
                                       << T.FarShare << " wanted)";
}

// The capture file Name in Folder once it is whole, read as its type.
RgbPicture WaitForCapture(const std::wstring& Folder, const std::wstring& Name) {
  RgbPicture P;
  lctest::WaitUntil(
      [&] {
        if (!lctest::FileExists(Folder + Name)) return false;
        const std::string Bytes = lctest::ReadFileText(Folder + Name);
        const std::wstring Ext = Name.substr(Name.size() - 3);
        if (Ext == L"jpg") {
          // libjpeg ends the program on a file cut short: wait for its end.
          if (Bytes.size() < 4 || Bytes.substr(Bytes.size() - 2) != "\xFF\xD9") return false;
          P = lctest::ReadJpeg(Bytes);
        } else {
          P = Ext == L"png" ? lctest::ReadPng(Bytes) : lctest::ReadBmp(Bytes);
        }
        return P.Width > 0;
      },
      15000);
  return P;
}

// Each size in its own window at its own size (an odd one too): the
// decoder's picture, and a capture of it (BMP, JPEG and PNG in turn)
// equals what the screen shows.
TEST(ProgramPictureSizes, EachSizeShowsTheDecodersPictureAndCapturesIt) {
  const struct {
    const char* Clip;
    int Width, Height;
    int CaptureType;
    const wchar_t* CaptureName;
    Tolerance Screen, Capture;
  } Clips[] = {{"pic_642x362.mp4", 642, 362, 0, L"Capture0001.bmp", kOwnSize, kExact},
               {"pic_718x400.avi", 718, 400, 1, L"Capture0001.jpg", kOwnSize, kJpeg},
               {"pic_854x480.mp4", 854, 480, 2, L"Capture0001.png", kOwnSize, kExact},
               {"pic_1366x768.avi", 1366, 768, 1, L"Capture0001.jpg", kOwnSize, kJpeg},
               {"pic_640x360.mp4", 640, 360, 2, L"Capture0001.png", kOwnSize, kExact},
               {"pic_853x481.avi", 853, 481, 0, L"Capture0001.bmp", kPlatformRgb, kExact}};
  // A clip whose picture is wrong ends there (nothing after it can be
  // right); the others are still looked at.
  const auto Look = [](const auto& C) {
    SCOPED_TRACE(C.Clip);
    const RgbPicture Ref = Reference(C.Clip, C.Width, C.Height);
    ASSERT_EQ(Ref.Width, C.Width);
    RunningClip P(L"LcSizes", C.Width, C.Height, 0, 0,
                  {"OSDDisplay=0", "CaptureType=" + std::to_string(C.CaptureType)});
    ASSERT_TRUE(P.Start(lctest::MediaPath(C.Clip)));
    ASSERT_TRUE(lctest::WaitUntil(
        [&] { return P.ControlSize().cx == C.Width && P.ControlSize().cy == C.Height; }, 20000));
    const RECT Whole{0, 0, C.Width, C.Height};
    ASSERT_TRUE(Within(WaitForPicture(P, Whole, Ref, 0, 1, C.Screen), C.Screen));

    const RgbPicture Screen = Shown(P.Control);
    lctest::PressKey('C', {VK_MENU});
    const RgbPicture Captured = WaitForCapture(P.Copy.ExeFolder(), C.CaptureName);
    ASSERT_EQ(Captured.Width, C.Width);
    ASSERT_EQ(Captured.Height, C.Height);
    EXPECT_TRUE(Within(lctest::Compare(Captured, Screen, 48), C.Capture)) << "the capture against the screen";
  };
  for (const auto& C : Clips) Look(C);
}

// Share of the pixels of rows [Top, Bottom) of the picture placed at Place
// that stand out from Expected (more than 96 away in a channel): the text
// of the on-screen display or of a subtitle.
double MarkedShare(const RunningClip& P, const RECT& Place, const RgbPicture& Expected, double Top, double Bottom) {
  const Band B = PictureBand(Shown(P.Control), Place, Expected, int(Top * Expected.Height),
                             int(Bottom * Expected.Height), P.MainOverControl());
  return lctest::Compare(B.Seen, B.Expected, 96).FarShare;
}

// Every channel lowered by Levels (clipped at 0).
RgbPicture Darker(const RgbPicture& P, int Levels) {
  RgbPicture D = P;
  for (auto& V : D.Rgb) V = std::uint8_t(std::max(0, int(V) - Levels));
  return D;
}

// 854 x 480 from its own folder, beside a subtitle that shows all along,
// with the on-screen display on: the picture between the display's band at
// the top and the subtitle's at the bottom is the decoder's, and both
// texts show over it, at its own size, doubled by the zoom key (Enter), in
// full screen (Enter again), at 1:1 (Ctrl+4) and with the brightness
// lowered from the colour controls (Ctrl+C, Left).
TEST(ProgramPictureSizes, ThePictureStaysTheDecodersZoomedInFullScreenInAnotherAspectAndAdjusted) {
  const std::string Clip = "pic_854x480.mp4";
  const RgbPicture Ref = Reference(Clip, 854, 480);
  ASSERT_EQ(Ref.Width, 854);
  // Doubled about its centre, the window stays on the screen.
  RunningClip P(L"LcSizeStates", 854, 480, 440, 250,
                {"OSDDisplay=1", "AutoLoadSubtitle=1", "SubtitleFontColor=65535"});
  const std::wstring Movie = P.Copy.ExeFolder() + L"pic_854x480.mp4";
  ASSERT_TRUE(CopyFileW(lctest::MediaPath(Clip.c_str()).c_str(), Movie.c_str(), FALSE));
  lctest::WriteFileText(P.Copy.ExeFolder() + L"pic_854x480.srt",
                        "1\r\n00:00:00,100 --> 00:00:04,000\r\nSUBTITLE OVER THE PICTURE\r\n\r\n"
                        "2\r\n00:00:04,000 --> 00:00:07,900\r\nSUBTITLE OVER THE PICTURE\r\n");
  ASSERT_TRUE(P.Start(Movie));
  constexpr double kMiddleTop = 0.25, kMiddleBottom = 0.7;

  // At its own size.
  ASSERT_TRUE(lctest::WaitUntil([&] { return P.ControlSize().cx == 854 && P.ControlSize().cy == 480; }, 20000));
  RECT Place{0, 0, 854, 480};
  ASSERT_TRUE(Within(WaitForPicture(P, Place, Ref, kMiddleTop, kMiddleBottom, kOwnSize), kOwnSize));
  EXPECT_TRUE(lctest::WaitUntil([&] { return MarkedShare(P, Place, Ref, kMiddleBottom, 1) > 0.005; }))
      << "no subtitle over the picture";

  // Doubled.
  lctest::PressKey(VK_RETURN);
  ASSERT_TRUE(lctest::WaitUntil([&] { return P.ControlSize().cx == 1708 && P.ControlSize().cy == 960; }, 20000));
  Place = {0, 0, 1708, 960};
  const RgbPicture Doubled = lctest::Resampled(Ref, 1708, 960);
  EXPECT_TRUE(Within(WaitForPicture(P, Place, Doubled, kMiddleTop, kMiddleBottom, kScaled), kScaled));
  EXPECT_TRUE(lctest::WaitUntil([&] { return MarkedShare(P, Place, Doubled, kMiddleBottom, 1) > 0.005; }))
      << "no subtitle over the doubled picture";

  // Full screen, stretched to it.
  lctest::PressKey(VK_RETURN);
  ASSERT_TRUE(lctest::WaitUntil([&] { return P.ControlSize().cx == 1920 && P.ControlSize().cy == 1080; }, 20000));
  Place = {0, 0, 1920, 1080};
  const RgbPicture Full = lctest::Resampled(Ref, 1920, 1080);
  EXPECT_TRUE(Within(WaitForPicture(P, Place, Full, kMiddleTop, kMiddleBottom, kScaled), kScaled));

  // 1:1: a square picture 1080 high in the middle of the screen, its
  // message on the display above it.
  lctest::PressKey('4', {VK_CONTROL});
  Place = {420, 0, 1500, 1080};
  const RgbPicture Square = lctest::Resampled(Ref, 1080, 1080);
  EXPECT_TRUE(Within(WaitForPicture(P, Place, Square, kMiddleTop, kMiddleBottom, kScaled), kScaled));
  EXPECT_TRUE(lctest::WaitUntil([&] { return MarkedShare(P, Place, Square, 0, 0.15) > 0.002; }, 5000))
      << "no on-screen display over the picture";
  EXPECT_TRUE(lctest::WaitUntil([&] { return MarkedShare(P, Place, Square, kMiddleBottom, 1) > 0.002; }))
      << "no subtitle over the square picture";
  const RgbPicture Screen = Shown(P.Control);
  for (int X : {100, 300, 1620, 1820}) {
    SCOPED_TRACE(X);
    EXPECT_LT(Screen.At(X, 540, 0) + Screen.At(X, 540, 1) + Screen.At(X, 540, 2), 30) << "beside the picture";
  }

  // The brightness at its lowest: 750 / 10000 of the range, 19 levels, off
  // every channel.
  lctest::PressKey('C', {VK_CONTROL});
  // The keys typed next reach the colour controls once they are the active
  // window (a key goes where the keyboard is when it is typed).
  const HWND Colours = lctest::WaitForWindow(L"TfrmColorControl", P.App->Id(), 10000, true);
  ASSERT_NE(nullptr, Colours);
  ASSERT_TRUE(lctest::WaitUntil([&] { return GetForegroundWindow() == Colours; }));
  for (int I = 0; I < 10; ++I) lctest::PressKey(VK_LEFT);
  lctest::PressKey(VK_ESCAPE);
  const RgbPicture Dark = Darker(Square, 19);
  EXPECT_TRUE(Within(WaitForPicture(P, Place, Dark, kMiddleTop, kMiddleBottom, kScaled), kScaled));
}

}  // namespace
