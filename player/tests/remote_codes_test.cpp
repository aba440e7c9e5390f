#include "player/remote_codes.h"

#include <gtest/gtest.h>

namespace {

using lc::AspectStep;
using lc::Cmd;
using lc::RemoteTarget;

constexpr TShiftState None = 0, Shift = ssShift, Ctrl = ssCtrl, Alt = ssAlt;

TEST(RemoteCodes, KeysOfTheKeyMap) {
  struct Case {
    unsigned code;
    RemoteTarget target;
    unsigned key;
    TShiftState shift;
  };
  const Case cases[] = {
      {1, RemoteTarget::Key, 'O', Ctrl},       {2, RemoteTarget::Key, 'L', Ctrl},
      {3, RemoteTarget::Key, 'X', None},       {4, RemoteTarget::Key, 'C', None},
      {5, RemoteTarget::Key, 0x20, None},      {6, RemoteTarget::Key, 'V', None},
      {7, RemoteTarget::Key, 'Z', None},       {8, RemoteTarget::Key, 'B', None},
      {9, RemoteTarget::Key, 0xBC, None},      {10, RemoteTarget::Key, 0xBE, None},
      {11, RemoteTarget::Key, 0xBC, Ctrl},     {12, RemoteTarget::Key, 0xBE, Ctrl},
      {13, RemoteTarget::Key, 'R', None},      {14, RemoteTarget::VideoKey, 0x26, None},
      {15, RemoteTarget::VideoKey, 0x28, None}, {16, RemoteTarget::EqualizerKey, 0x26, None},
      {17, RemoteTarget::EqualizerKey, 0x28, None}, {18, RemoteTarget::Key, 'F', None},
      {19, RemoteTarget::VideoKey, 0x26, Ctrl}, {20, RemoteTarget::VideoKey, 0x28, Ctrl},
      {21, RemoteTarget::VideoKey, 0x26, Shift}, {22, RemoteTarget::VideoKey, 0x28, Shift},
      {23, RemoteTarget::Key, 0x6B, None},     {24, RemoteTarget::Key, 0x6D, None},
      {25, RemoteTarget::Key, 0x60, None},     {26, RemoteTarget::Key, 0x6A, None},
      {27, RemoteTarget::Key, 0x68, None},     {28, RemoteTarget::Key, 0x62, None},
      {29, RemoteTarget::Key, 0x66, None},     {30, RemoteTarget::Key, 0x64, None},
      {31, RemoteTarget::Key, 0x65, None},     {33, RemoteTarget::Key, 'M', Alt},
      {39, RemoteTarget::Key, 'M', None},      {40, RemoteTarget::ColorKey, 0x27, None},
      {41, RemoteTarget::ColorKey, 0x25, None}, {42, RemoteTarget::Key, 'I', Alt},
      {43, RemoteTarget::Key, 'C', Alt},       {44, RemoteTarget::Key, '1', Alt},
      {48, RemoteTarget::Key, '5', Alt},       {52, RemoteTarget::Key, '9', Alt},
      {53, RemoteTarget::Key, 0x24, None},     {54, RemoteTarget::Key, 0x23, None},
      {56, RemoteTarget::Key, 'H', None},      {57, RemoteTarget::Key, 0xBE, Alt},
      {58, RemoteTarget::Key, 0xBC, Alt},      {60, RemoteTarget::Key, 'T', Ctrl},
      {61, RemoteTarget::Key, 'T', None},      {65, RemoteTarget::PlaylistList, 0x26, None},
      {66, RemoteTarget::PlaylistList, 0x28, None}, {67, RemoteTarget::PlaylistKey, 0x0D, None},
      {68, RemoteTarget::PlaylistKey, 0x26, Alt}, {69, RemoteTarget::PlaylistKey, 0x28, Alt},
      {70, RemoteTarget::PlaylistKey, 0x2E, Alt},
  };
  for (const Case& c : cases) {
    const lc::RemoteAction a = lc::RemoteActionFor(c.code);
    EXPECT_EQ(c.target, a.Target) << c.code;
    EXPECT_EQ(c.key, a.Key) << c.code;
    EXPECT_EQ(c.shift, a.Shift) << c.code;
  }
}

TEST(RemoteCodes, CommandsAndActionsOfTheirOwn) {
  const std::pair<unsigned, Cmd> commands[] = {
      {32, Cmd::MinimizeApp},       {34, Cmd::OriginalRatioMenuClick},     {35, Cmd::N169RatioMenuClick},
      {36, Cmd::N43RatioMenuClick}, {37, Cmd::N11RatioMenuClick},          {38, Cmd::FreeRatioMenuClick},
      {59, Cmd::DisableSubtitleMenuClick}, {62, Cmd::QuickTimeInfo},       {63, Cmd::N50MenuClick},
      {64, Cmd::N200MenuClick},     {71, Cmd::DynamicAmplificationMenuClick}, {72, Cmd::ZoomCycle},
      {73, Cmd::FramesWithOsd},
  };
  for (const auto& [code, command] : commands) {
    EXPECT_EQ(RemoteTarget::Command, lc::RemoteActionFor(code).Target) << code;
    EXPECT_EQ(command, lc::RemoteActionFor(code).Command) << code;
  }
  EXPECT_EQ(RemoteTarget::TogglePlaylist, lc::RemoteActionFor(55).Target);
  EXPECT_EQ(RemoteTarget::AspectCycle, lc::RemoteActionFor(74).Target);
  for (unsigned code : {0u, 75u, 100u, 0xFFFFFFFFu}) EXPECT_EQ(RemoteTarget::None, lc::RemoteActionFor(code).Target) << code;
  // Every code from 1 to 74 does something.
  for (unsigned code = 1; code <= 74; ++code) EXPECT_NE(RemoteTarget::None, lc::RemoteActionFor(code).Target) << code;
}

TEST(RemoteCodes, KeystrokesOfAFileDialog) {
  using E = lc::RemoteKeyEvent;
  auto check = [](unsigned code, std::vector<E> expected) {
    const std::vector<E> got = lc::FileDialogKeystrokes(code);
    ASSERT_EQ(expected.size(), got.size()) << code;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(expected[i].Key, got[i].Key) << code << " #" << i;
      EXPECT_EQ(expected[i].Scan, got[i].Scan) << code << " #" << i;
      EXPECT_EQ(expected[i].Up, got[i].Up) << code << " #" << i;
    }
  };
  check(3, {{0x0D, 0x9C, false}, {0x0D, 0x9C, true}});
  check(4, {{0x08, 0x9B, false}, {0x08, 0x9B, true}});  // Backspace here, Escape in other dialogs
  check(6, {{0x1B, 0x81, false}, {0x1B, 0x81, true}});
  check(7, {{0x26, 0, false}, {0x26, 0, true}});
  check(8, {{0x28, 0, false}, {0x28, 0, true}});
  check(9, {{0x10, 0xAA, false}, {0x09, 0x8F, false}, {0x09, 0x8F, true}, {0x10, 0xAA, true}});
  check(10, {{0x09, 0x8F, false}, {0x09, 0x8F, true}});
  for (unsigned code : {0u, 1u, 2u, 5u, 11u, 74u}) check(code, {});
}

TEST(RemoteCodes, NavigationKeysOfOtherDialogs) {
  const std::pair<unsigned, unsigned> keys[] = {{3, 13}, {4, 27}, {6, 27}, {7, 38}, {8, 40}, {9, 37}, {10, 39},
                                                {1, 0},  {2, 0},  {5, 0},  {11, 0}, {43, 0}, {0, 0},  {75, 0}};
  for (const auto& [code, key] : keys) EXPECT_EQ(key, lc::DialogNavigationKey(code)) << code;
}

TEST(RemoteCodes, TheAspectCycle) {
  struct Case {
    int native, current;
    AspectStep expected;
  };
  const Case cases[] = {
      {133, 133, AspectStep::Wide169},   {133, 178, AspectStep::Square11},  {133, 100, AspectStep::Original},
      {133, 150, AspectStep::Original},  {178, 178, AspectStep::Standard43}, {178, 133, AspectStep::Square11},
      {178, 100, AspectStep::Original},  {178, 235, AspectStep::Original},  {100, 100, AspectStep::Wide169},
      {100, 178, AspectStep::Standard43}, {100, 133, AspectStep::Original}, {235, 235, AspectStep::Wide169},
      {235, 178, AspectStep::Standard43}, {235, 133, AspectStep::Square11}, {235, 100, AspectStep::Original},
      {235, 185, AspectStep::Original},
      // A square movie at a free or custom ratio goes back to its own.
      {100, 185, AspectStep::Original},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, lc::AspectCycleStep(c.native, c.current)) << c.native << " " << c.current;
}

TEST(RemoteCodes, RatiosInHundredths) {
  EXPECT_EQ(133, lc::NativeRatioHundredths(320, 240));
  EXPECT_EQ(178, lc::NativeRatioHundredths(1280, 720));
  EXPECT_EQ(100, lc::NativeRatioHundredths(200, 200));
  EXPECT_EQ(2000, lc::NativeRatioHundredths(20, 0));  // height taken as 1
  EXPECT_EQ(178, lc::RatioHundredths(1.7778));
  EXPECT_EQ(133, lc::RatioHundredths(1.3333));
  // Halves to even: 1.125 -> 112.5 -> 112; 1.135 would not be exact in binary.
  EXPECT_EQ(112, lc::RatioHundredths(1.125));
  EXPECT_EQ(62, lc::NativeRatioHundredths(5, 8));  // 62.5 -> 62
}

}  // namespace
