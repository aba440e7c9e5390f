// The key map's two tables and the media keys, against the documented key
// lists: every key with its modifier sets, the busy guards, and the sets
// that must match nothing.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "player/key_map.h"

namespace {

using lc::Cmd;

constexpr TShiftState N = 0, C = ssCtrl, S = ssShift, A = ssAlt, SA = ssShift | ssAlt;

struct Row {
  std::uint16_t Key;
  TShiftState Shift;
  Cmd Command;
  int Arg;
  bool NotBusy;
};

void ExpectRows(const std::vector<Row>& Rows, bool Special) {
  for (const Row& R : Rows) {
    const lc::KeyEntry* E = Special ? lc::FindSpecialKey(R.Key, R.Shift) : lc::FindKeyCommand(R.Key, R.Shift);
    ASSERT_NE(E, nullptr) << "key 0x" << std::hex << R.Key << " shift " << R.Shift;
    EXPECT_EQ(static_cast<int>(E->Command), static_cast<int>(R.Command)) << "key 0x" << std::hex << R.Key << " shift " << R.Shift;
    EXPECT_EQ(E->Arg, R.Arg) << "key 0x" << std::hex << R.Key;
    EXPECT_EQ(E->NotBusy, R.NotBusy) << "key 0x" << std::hex << R.Key << " shift " << R.Shift;
  }
}

TEST(KeyMap, EscapeAndArrowsWithEachModifierSet) {
  ExpectRows({
                 {0x26, N, Cmd::VolumeUpWithOsd, 0, false},
                 {0x26, C, Cmd::IncreaseFontSizeMenuClick, 0, false},
                 {0x26, S, Cmd::MoveSubtitleUpMenuClick, 0, false},
                 {0x26, A, Cmd::PreampUp, 0, false},
                 {0x28, N, Cmd::VolumeDownWithOsd, 0, false},
                 {0x28, C, Cmd::DecreaseFontSizeMenuClick, 0, false},
                 {0x28, S, Cmd::MoveSubtitleDownMenuClick, 0, false},
                 {0x28, A, Cmd::PreampDown, 0, false},
                 {0x25, N, Cmd::BtnRewindClick, 0, false},
                 {0x25, C, Cmd::FastRewindClick, 0, false},
                 {0x25, A, Cmd::DecreaseTimeMenuClick, 0, false},
                 {0x25, SA, Cmd::DecreaseTime20MenuClick, 0, false},
                 {0x27, N, Cmd::BtnForwardClick, 0, false},
                 {0x27, C, Cmd::FastForwardClick, 0, false},
                 {0x27, A, Cmd::IncreaseTimeMenuClick, 0, false},
                 {0x27, SA, Cmd::IncreaseTime20MenuClick, 0, false},
                 {0x1B, N, Cmd::EscapeKey, 0, false},
             },
             true);
}

TEST(KeyMap, PlaybackAndSeekingKeys) {
  ExpectRows({
                 {0x20, N, Cmd::PlayOrPause, 0, false},
                 {'X', N, Cmd::PlayEntry, 0, true},
                 {'X', A, Cmd::CloseMainWindow, 0, false},
                 {'C', N, Cmd::PauseUnlessDown, 0, false},
                 {'C', C, Cmd::ShowColorControl, 0, false},
                 {'C', S, Cmd::ClearBookmarksMenuClick, 0, false},
                 {'C', A, Cmd::CaptureFrameMenuClick, 0, false},
                 {'V', N, Cmd::StopIfEnabled, 0, true},
                 {0x73, C, Cmd::CloseMovieKey, 0, true},
                 {0x08, N, Cmd::BtnRewindClick, 0, true},
                 {0x08, C, Cmd::FastRewindClick, 0, true},
                 {0x08, A, Cmd::DecreaseTimeMenuClick, 0, false},
                 {0xBC, N, Cmd::BtnRewindClick, 0, true},
                 {0xBC, C, Cmd::FastRewindClick, 0, true},
                 {0xBC, A, Cmd::DecreaseTimeMenuClick, 0, false},
                 {0xBE, N, Cmd::BtnForwardClick, 0, true},
                 {0xBE, C, Cmd::FastForwardClick, 0, true},
                 {0xBE, A, Cmd::IncreaseTimeMenuClick, 0, false},
                 {0xDB, N, Cmd::DecreaseTimeMenuClick, 0, false},
                 {0xDD, N, Cmd::IncreaseTimeMenuClick, 0, false},
                 {0x24, N, Cmd::btnGoToStartClick, 0, true},
                 {0x23, N, Cmd::btnGoToEndClick, 0, true},
                 {'B', N, Cmd::BtnNextClick, 0, true},
                 {'Z', N, Cmd::BtnPreviousClick, 0, true},
                 {'R', N, Cmd::RepeatWithOsd, 0, false},
                 {'Q', N, Cmd::QuickTimeInfo, 0, false},
                 {0xBF, N, Cmd::FramesWithOsd, 0, false},
             },
             false);
}

TEST(KeyMap, VolumePictureAndWindowKeys) {
  ExpectRows({
                 {'M', N, Cmd::MovieModeMenuClick, 0, false},
                 {'M', C, Cmd::MinimizeApp, 0, false},
                 {'M', A, Cmd::MuteFlipClick, 0, false},
                 {'F', N, Cmd::BtnFullScreenClick, 0, false},
                 {'F', C, Cmd::FontMenuClick, 0, false},
                 {0x0D, N, Cmd::ZoomCycle, 0, false},
                 {0x0D, A, Cmd::BtnFullScreenClick, 0, false},
                 {0x6B, N, Cmd::PanInMenuClick, 0, false},
                 {0xBB, S, Cmd::PanInMenuClick, 0, false},
                 {0x6D, N, Cmd::PanOutMenuClick, 0, false},
                 {0xBD, N, Cmd::PanOutMenuClick, 0, false},
                 {0x6A, N, Cmd::AutomaticMenuClick, 0, false},
                 {'P', N, Cmd::CustomPanScanMenuClick, 0, false},
                 {'P', C, Cmd::BtnOptionsClick, 0, false},
                 {'P', A, Cmd::ShowPlaylist, 0, false},
                 {'A', N, Cmd::CustomRatioMenuClick, 0, false},
                 {0x64, N, Cmd::PictureLeft, 0, false},
                 {0x66, N, Cmd::PictureRight, 0, false},
                 {0x68, N, Cmd::PictureUp, 0, false},
                 {0x62, N, Cmd::PictureDown, 0, false},
                 {0x65, N, Cmd::CentrePicture, 0, false},
                 {'G', S, Cmd::PictureLeft, 0, false},
                 {'G', A, Cmd::ShowEqualizer, 0, false},
                 {'J', C, Cmd::JumpToTimeMenuClick, 0, false},
                 {'J', S, Cmd::PictureRight, 0, false},
                 {'Y', S, Cmd::PictureUp, 0, false},
                 {'N', S, Cmd::PictureDown, 0, false},
                 {'H', N, Cmd::MainOrVideoWindow, 0, false},
                 {'H', S, Cmd::CentrePicture, 0, false},
                 {0x7B, N, Cmd::MainOrVideoWindow, 0, false},
                 {0x7B, S, Cmd::CentrePicture, 0, false},
                 {'E', N, Cmd::ShowEqualizer, 0, false},
                 {'E', A, Cmd::TogglePlaylist, 0, false},
                 {0x79, N, Cmd::TogglePlaylist, 0, false},
                 {'T', N, Cmd::AlwaysOnTopMenuClick, 0, false},
                 {'T', C, Cmd::TurnOffComputerMenuClick, 0, false},
             },
             false);
}

TEST(KeyMap, DigitKeysAndBookmarks) {
  ExpectRows({
                 {'1', N, Cmd::N50MenuClick, 0, true},
                 {'1', C, Cmd::OriginalRatioMenuClick, 0, true},
                 {'2', N, Cmd::N100MenuClick, 0, true},
                 {'2', C, Cmd::N169RatioMenuClick, 0, true},
                 {'3', N, Cmd::N200MenuClick, 0, true},
                 {'3', C, Cmd::N43RatioMenuClick, 0, true},
                 {'4', C, Cmd::N11RatioMenuClick, 0, true},
                 {'5', C, Cmd::FreeRatioMenuClick, 0, true},
                 {'8', S, Cmd::AutomaticMenuClick, 0, true},
                 {'1', A, Cmd::Bookmark, 1, true},
                 {'2', A, Cmd::Bookmark, 2, true},
                 {'3', A, Cmd::Bookmark, 3, true},
                 {'4', A, Cmd::Bookmark, 4, true},
                 {'5', A, Cmd::Bookmark, 5, true},
                 {'6', A, Cmd::Bookmark, 6, true},
                 {'7', A, Cmd::Bookmark, 7, true},
                 {'8', A, Cmd::Bookmark, 8, true},
                 {'9', A, Cmd::Bookmark, 9, true},
             },
             false);
}

TEST(KeyMap, SubtitleInformationAndApplicationKeys) {
  ExpectRows({
                 {'S', N, Cmd::DisableSubtitleMenuClick, 0, false},
                 {'L', C, Cmd::BtnOpenSubtitleClick, 0, false},
                 {'O', C, Cmd::BtnOpenMovieClick, 0, false},
                 {'I', N, Cmd::ToggleClock, 0, false},
                 {'I', A, Cmd::AddBookmarkMenuClick, 0, false},
                 {0x70, N, Cmd::KeyDefinitionsClick, 0, false},
                 {0x70, C, Cmd::AboutMenuClick, 0, false},
                 {0x75, N, Cmd::MovieInfoLabelClick, 0, false},
             },
             false);
}

TEST(KeyMap, TheZeroKeysIgnoreModifiersAndTheBusyFlag) {
  for (std::uint16_t Key : {std::uint16_t('0'), std::uint16_t(0x60)}) {
    for (TShiftState Shift : {N, C, A, S, C | S, A | ssLeft}) {
      const lc::KeyEntry* E = lc::FindKeyCommand(Key, Shift);
      ASSERT_NE(E, nullptr) << Key << " " << Shift;
      EXPECT_EQ(static_cast<int>(E->Command), static_cast<int>(Cmd::MovieWindowSize100));
      EXPECT_FALSE(E->NotBusy);
    }
  }
}

TEST(KeyMap, OtherModifierSetsMatchNothing) {
  struct Miss {
    std::uint16_t Key;
    TShiftState Shift;
  };
  // Combined sets, a mouse button held, and sets that have no entry.
  for (const Miss& M : std::vector<Miss>{{0x25, C | S}, {0x26, C | S}, {0x27, S}, {0x25, S}, {0x1B, C},
                                        {0x1B, S}, {0x26, N | ssLeft}, {0x26, SA}}) {
    EXPECT_EQ(lc::FindSpecialKey(M.Key, M.Shift), nullptr) << M.Key << " " << M.Shift;
  }
  for (const Miss& M : std::vector<Miss>{{'6', C}, {'6', N}, {'9', N}, {'4', N}, {'X', C}, {'X', S},
                                        {0x20, S}, {'V', C}, {0x73, N}, {0x73, A}, {'M', C | S},
                                        {'B', N | ssRight}, {'P', C | A}, {'K', N}, {0x79, S}, {'H', C},
                                        {0x25, N}, {0x1B, N}}) {
    EXPECT_EQ(lc::FindKeyCommand(M.Key, M.Shift), nullptr) << M.Key << " " << M.Shift;
  }
}

TEST(KeyMap, MediaKeysBecomeKeysOfTheTables) {
  struct Media {
    std::uint32_t LParam;
    bool Special;
    std::uint16_t Key;
    TShiftState Shift;
    bool PlayPause;
  };
  for (const Media& M : std::vector<Media>{{8u << 16, false, 'M', A, false},
                                          {9u << 16, true, 0x28, N, false},
                                          {10u << 16, true, 0x26, N, false},
                                          {11u << 16, false, 'B', N, false},
                                          {12u << 16, false, 'Z', N, false},
                                          {13u << 16, false, 'V', N, false},
                                          {14u << 16, false, 0, N, true}}) {
    const auto K = lc::AppCommandFor(M.LParam);
    ASSERT_TRUE(K.has_value()) << M.LParam;
    EXPECT_EQ(K->Special, M.Special) << M.LParam;
    EXPECT_EQ(K->Key, M.Key) << M.LParam;
    EXPECT_EQ(K->Shift, M.Shift) << M.LParam;
    EXPECT_EQ(K->PlayPause, M.PlayPause) << M.LParam;
  }
}

TEST(KeyMap, MediaKeysWithModifiersOrOtherCommandsAreNotRecognised) {
  // A modifier bit in the low word, a mouse device, other commands.
  for (std::uint32_t LParam : {(14u << 16) | 0x0004u, (10u << 16) | 0x0008u, (11u << 16) | 0x8000u << 16,
                               7u << 16, 15u << 16, 46u << 16, 0u}) {
    EXPECT_FALSE(lc::AppCommandFor(LParam).has_value()) << std::hex << LParam;
  }
}

}  // namespace
