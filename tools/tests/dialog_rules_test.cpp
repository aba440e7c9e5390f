// The small dialogs' rules: the jump dialog's times, the slider keys and
// Restore, the countdown's arithmetic.
#include "tools/dialog_rules.h"

#include <gtest/gtest.h>

namespace lc::tools {
namespace {

TEST(JumpTimes, SecondsAsHoursMinutesSeconds) {
  EXPECT_EQ("00:00:00", SecondsToHMS(0));
  EXPECT_EQ("00:45:00", SecondsToHMS(2700));
  EXPECT_EQ("01:01:01", SecondsToHMS(3661));
  EXPECT_EQ("100:05:03", SecondsToHMS(100 * 3600 + 5 * 60 + 3));
}

TEST(JumpTimes, OnlyEightCharactersWithValidMinutesAndSeconds) {
  EXPECT_EQ(5400, ParseJumpTime("01:30:00"));
  EXPECT_EQ(99 * 3600 + 59 * 60 + 59, ParseJumpTime("99:59:59"));
  EXPECT_EQ(0, ParseJumpTime("00:00:00"));
  for (const char* Bad : {"1:30:00", "01:60:00", "01-30-00", "01:30:60", "01:30:0", "01:30:000", "0a:30:00",
                          "01:3x:00", "01:30:0x", "", "01:30:00 ", "01:/0:00", "01:30:/0"})
    EXPECT_EQ(std::nullopt, ParseJumpTime(Bad)) << Bad;
}

TEST(JumpTimes, EditTakesDigitsColonAndBackspace) {
  for (wchar_t K : {L'0', L'9', L':', wchar_t(8)}) EXPECT_TRUE(JumpEditAccepts(K)) << int(K);
  for (wchar_t K : {L'a', L'-', L' ', L'/', L';', wchar_t(13)}) EXPECT_FALSE(JumpEditAccepts(K)) << int(K);
}

TEST(JumpTimes, OnScreenText) {
  // 45 minutes into a 90-minute movie.
  EXPECT_EQ("00:45:00 / 01:30:00 (50%)", JumpOsdText(2700LL * 10000000, 5400000, false, 25));
  // Hours wrap at 24 as times of day.
  EXPECT_EQ("01:00:00 / 01:00:00 (100%)", JumpOsdText(25LL * 3600 * 10000000, 25LL * 3600000, false, 25));
  EXPECT_EQ("  1000 / 4000 (25%)", JumpOsdText(40LL * 10000000, 160000, true, 25));
  // A duration of 0 gives 0% instead of dividing by it.
  EXPECT_EQ("00:00:10 / 00:00:00 (0%)", JumpOsdText(10LL * 10000000, 0, false, 25));
}

TEST(SliderKeys, AspectRatio) {
  using A = TSliderKey::TAction;
  EXPECT_EQ(A::Set, AspectRatioKey(L'0').Action);
  EXPECT_EQ(50, AspectRatioKey(L'0').Position);
  EXPECT_EQ(100, AspectRatioKey(L'1').Position);
  EXPECT_EQ(300, AspectRatioKey(L'3').Position);
  EXPECT_EQ(A::None, AspectRatioKey(L'4').Action);
  EXPECT_EQ(A::Close, AspectRatioKey(L'A').Action);
  EXPECT_EQ(A::Close, AspectRatioKey(L'a').Action);
  EXPECT_EQ(A::Close, AspectRatioKey(13).Action);
  EXPECT_EQ(A::Cancel, AspectRatioKey(27).Action);
  EXPECT_EQ(A::None, AspectRatioKey(L'P').Action);
}

TEST(SliderKeys, PanScan) {
  using A = TSliderKey::TAction;
  EXPECT_EQ(A::Set, PanScanKey(L'0').Action);
  EXPECT_EQ(0, PanScanKey(L'0').Position);
  EXPECT_EQ(A::None, PanScanKey(L'1').Action);
  EXPECT_EQ(A::Close, PanScanKey(L'p').Action);
  EXPECT_EQ(A::Close, PanScanKey(L'P').Action);
  EXPECT_EQ(A::Close, PanScanKey(13).Action);
  EXPECT_EQ(A::Cancel, PanScanKey(27).Action);
  EXPECT_EQ(A::None, PanScanKey(L'A').Action);
}

TEST(SliderKeys, RestoreTakesTheNativeRatio) {
  EXPECT_EQ(125, RestoreAspectPosition(720, 576, 1.33));
  EXPECT_EQ(std::nullopt, RestoreAspectPosition(720, 576, 1.25));
  EXPECT_EQ(178, RestoreAspectPosition(1920, 1080, 1.25));
  // No picture height: nothing to restore.
  EXPECT_EQ(std::nullopt, RestoreAspectPosition(720, 0, 1.33));
  EXPECT_EQ(133, AspectPosition(1.33));
  EXPECT_EQ(210, AspectPosition(2.1));
}

TEST(Countdown, WholeSecondsFromAMonotonicClock) {
  EXPECT_EQ(0, ElapsedSeconds(5000, 5999));
  EXPECT_EQ(1, ElapsedSeconds(5000, 6000));
  // Past a minute it keeps counting (no seconds field wrapping at 60).
  EXPECT_EQ(75, ElapsedSeconds(5000, 80000));
  EXPECT_EQ(0, ElapsedSeconds(5000, 4000));
  EXPECT_EQ("The computer will be shutdown\r\nin 30 secondes",
            CountdownText("The computer will be shutdown\r\nin", 0, "secondes"));
  EXPECT_EQ("x 1 y", CountdownText("x", 29, "y"));
}

// A font whose every character is half its height wide, lines 2 pixels
// taller than the font; a room 120 wide, the text at 46 when it fits above
// 98, else anywhere from 24.
const TTextMetrics kHalfWide{[](int H, const std::wstring& Line) { return static_cast<int>(Line.size()) * (H / 2); },
                             [](int H) { return H + 2; }};
const TTextRoom kRoom{120, 46, 24, 98};

TEST(Countdown, TheTextWrapsAndRisesBeforeItsFontShrinks) {
  // Two lines that fit: as they stand, at 46.
  TCountdownLayout L = FitCountdownText(L"Shut down\r\nin 30 s", 16, kRoom, kHalfWide);
  EXPECT_EQ(16, L.FontHeight);
  EXPECT_EQ((std::vector<std::wstring>{L"Shut down", L"in 30 s"}), L.Lines);
  EXPECT_EQ(46, L.Top);
  // Two lines of 26 px fill the 52 px below 46 exactly: they stay there.
  L = FitCountdownText(L"ab\r\ncd", 24, kRoom, kHalfWide);
  EXPECT_EQ(24, L.FontHeight);
  EXPECT_EQ(46, L.Top);
  // A first line too wide breaks at a blank; the three lines (54 px) take
  // the room up to the title, centred: the font stays.
  L = FitCountdownText(L"The computer will be shut\r\nin 30 s", 16, kRoom, kHalfWide);
  EXPECT_EQ(16, L.FontHeight);
  EXPECT_EQ((std::vector<std::wstring>{L"The computer", L"will be shut", L"in 30 s"}), L.Lines);
  EXPECT_EQ(34, L.Top);
  // Fifteen words take five lines down to 14 px (too tall for the room's
  // 74 px); at 13 four words fit a line: four lines of 15 px.
  L = FitCountdownText(L"aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk llll mmmm nnnn oooo", 16, kRoom,
                       kHalfWide);
  EXPECT_EQ(13, L.FontHeight);
  EXPECT_EQ(4u, L.Lines.size());
  EXPECT_EQ(31, L.Top);
}

TEST(Countdown, NoTextLeavesTheRoom) {
  for (const int Words : {40, 120, 400}) {
    std::wstring Text;
    for (int I = 0; I < Words; ++I) Text += L"word" + std::to_wstring(I) + L" ";
    const TCountdownLayout L = FitCountdownText(Text, 16, kRoom, kHalfWide);
    EXPECT_GE(L.Top, kRoom.Highest) << Words;
    EXPECT_LE(L.Top + static_cast<int>(L.Lines.size()) * (L.FontHeight + 2), kRoom.Bottom) << Words;
    for (const std::wstring& Line : L.Lines)
      EXPECT_LE(kHalfWide.Width(L.FontHeight, Line), kRoom.Width) << Words;
  }
}

TEST(KeyList, EveryLineKeepsOneTabBeforeItsKeys) {
  EXPECT_EQ("Action\tKey\r\n---\r\nAbout\tCtrl+F1\r\nAutomatic PanScan\t*, Num *",
            OneTabPerLine("Action\t\t\t\tKey\r\n---\r\nAbout\t\t\t\tCtrl+F1\r\nAutomatic PanScan\t\t*, Num *"));
  EXPECT_EQ("Set movie window size to 50%\t1", OneTabPerLine("Set movie window size to 50%\t1"));
  EXPECT_EQ("a\tb\tc", OneTabPerLine("a\t\tb\t\t\tc"));
  EXPECT_EQ("", OneTabPerLine(""));
}

}  // namespace
}  // namespace lc::tools
