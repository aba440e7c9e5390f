#include "player/key_map.h"

#include <span>

namespace lc {
namespace {

constexpr TShiftState kNone = 0;
constexpr TShiftState kCtrl = ssCtrl;
constexpr TShiftState kShift = ssShift;
constexpr TShiftState kAlt = ssAlt;
constexpr TShiftState kShiftAlt = ssShift | ssAlt;
constexpr bool kBusyGuard = true;

constexpr std::uint16_t Letter(char C) { return static_cast<std::uint16_t>(C); }

constexpr KeyEntry kSpecialKeys[] = {
    {vk::Up, kNone, Cmd::VolumeUpWithOsd, 0, false},
    {vk::Up, kCtrl, Cmd::IncreaseFontSizeMenuClick, 0, false},
    {vk::Up, kShift, Cmd::MoveSubtitleUpMenuClick, 0, false},
    {vk::Up, kAlt, Cmd::PreampUp, 0, false},
    {vk::Down, kNone, Cmd::VolumeDownWithOsd, 0, false},
    {vk::Down, kCtrl, Cmd::DecreaseFontSizeMenuClick, 0, false},
    {vk::Down, kShift, Cmd::MoveSubtitleDownMenuClick, 0, false},
    {vk::Down, kAlt, Cmd::PreampDown, 0, false},
    // The seeks test the busy flag themselves.
    {vk::Left, kNone, Cmd::BtnRewindClick, 0, false},
    {vk::Left, kCtrl, Cmd::FastRewindClick, 0, false},
    {vk::Left, kAlt, Cmd::DecreaseTimeMenuClick, 0, false},
    {vk::Left, kShiftAlt, Cmd::DecreaseTime20MenuClick, 0, false},
    {vk::Right, kNone, Cmd::BtnForwardClick, 0, false},
    {vk::Right, kCtrl, Cmd::FastForwardClick, 0, false},
    {vk::Right, kAlt, Cmd::IncreaseTimeMenuClick, 0, false},
    {vk::Right, kShiftAlt, Cmd::IncreaseTime20MenuClick, 0, false},
    {vk::Escape, kNone, Cmd::EscapeKey, 0, false},
};

constexpr KeyEntry kKeys[] = {
    // Playback and seeking.
    {vk::Space, kNone, Cmd::PlayOrPause, 0, false},
    {Letter('X'), kNone, Cmd::PlayEntry, 0, kBusyGuard},
    {Letter('X'), kAlt, Cmd::CloseMainWindow, 0, false},
    {Letter('C'), kNone, Cmd::PauseUnlessDown, 0, false},
    {Letter('C'), kCtrl, Cmd::ShowColorControl, 0, false},
    {Letter('C'), kShift, Cmd::ClearBookmarksMenuClick, 0, false},
    {Letter('C'), kAlt, Cmd::CaptureFrameMenuClick, 0, false},
    {Letter('V'), kNone, Cmd::StopIfEnabled, 0, kBusyGuard},
    {vk::F4, kCtrl, Cmd::CloseMovieKey, 0, kBusyGuard},
    {vk::Back, kNone, Cmd::BtnRewindClick, 0, kBusyGuard},
    {vk::Back, kCtrl, Cmd::FastRewindClick, 0, kBusyGuard},
    {vk::Back, kAlt, Cmd::DecreaseTimeMenuClick, 0, false},
    {vk::OemComma, kNone, Cmd::BtnRewindClick, 0, kBusyGuard},
    {vk::OemComma, kCtrl, Cmd::FastRewindClick, 0, kBusyGuard},
    {vk::OemComma, kAlt, Cmd::DecreaseTimeMenuClick, 0, false},
    {vk::OemPeriod, kNone, Cmd::BtnForwardClick, 0, kBusyGuard},
    {vk::OemPeriod, kCtrl, Cmd::FastForwardClick, 0, kBusyGuard},
    {vk::OemPeriod, kAlt, Cmd::IncreaseTimeMenuClick, 0, false},
    {vk::OemOpenBracket, kNone, Cmd::DecreaseTimeMenuClick, 0, false},
    {vk::OemCloseBracket, kNone, Cmd::IncreaseTimeMenuClick, 0, false},
    {vk::Home, kNone, Cmd::btnGoToStartClick, 0, kBusyGuard},
    {vk::End, kNone, Cmd::btnGoToEndClick, 0, kBusyGuard},
    {Letter('B'), kNone, Cmd::BtnNextClick, 0, kBusyGuard},
    {Letter('Z'), kNone, Cmd::BtnPreviousClick, 0, kBusyGuard},
    {Letter('R'), kNone, Cmd::RepeatWithOsd, 0, false},
    {Letter('Q'), kNone, Cmd::QuickTimeInfo, 0, false},
    {vk::OemSlash, kNone, Cmd::FramesWithOsd, 0, false},
    // Volume, picture and windows.
    {Letter('M'), kNone, Cmd::MovieModeMenuClick, 0, false},
    {Letter('M'), kCtrl, Cmd::MinimizeApp, 0, false},
    {Letter('M'), kAlt, Cmd::MuteFlipClick, 0, false},
    {Letter('F'), kNone, Cmd::BtnFullScreenClick, 0, false},
    {Letter('F'), kCtrl, Cmd::FontMenuClick, 0, false},
    {vk::Return, kNone, Cmd::ZoomCycle, 0, false},
    {vk::Return, kAlt, Cmd::BtnFullScreenClick, 0, false},
    {vk::Add, kNone, Cmd::PanInMenuClick, 0, false},
    {vk::OemPlus, kShift, Cmd::PanInMenuClick, 0, false},
    {vk::Subtract, kNone, Cmd::PanOutMenuClick, 0, false},
    {vk::OemMinus, kNone, Cmd::PanOutMenuClick, 0, false},
    {vk::Multiply, kNone, Cmd::AutomaticMenuClick, 0, false},
    {Letter('P'), kNone, Cmd::CustomPanScanMenuClick, 0, false},
    {Letter('P'), kCtrl, Cmd::BtnOptionsClick, 0, false},
    {Letter('P'), kAlt, Cmd::ShowPlaylist, 0, false},
    {Letter('A'), kNone, Cmd::CustomRatioMenuClick, 0, false},
    // The native size, whatever the modifiers and the busy flag.
    {Letter('0'), kAnyShift, Cmd::MovieWindowSize100, 0, false},
    {vk::Numpad0, kAnyShift, Cmd::MovieWindowSize100, 0, false},
    {vk::Numpad4, kNone, Cmd::PictureLeft, 0, false},
    {vk::Numpad6, kNone, Cmd::PictureRight, 0, false},
    {vk::Numpad8, kNone, Cmd::PictureUp, 0, false},
    {vk::Numpad2, kNone, Cmd::PictureDown, 0, false},
    {vk::Numpad5, kNone, Cmd::CentrePicture, 0, false},
    {Letter('G'), kShift, Cmd::PictureLeft, 0, false},
    {Letter('G'), kAlt, Cmd::ShowEqualizer, 0, false},
    {Letter('J'), kCtrl, Cmd::JumpToTimeMenuClick, 0, false},
    {Letter('J'), kShift, Cmd::PictureRight, 0, false},
    {Letter('Y'), kShift, Cmd::PictureUp, 0, false},
    {Letter('N'), kShift, Cmd::PictureDown, 0, false},
    {Letter('H'), kNone, Cmd::MainOrVideoWindow, 0, false},
    {Letter('H'), kShift, Cmd::CentrePicture, 0, false},
    {vk::F12, kNone, Cmd::MainOrVideoWindow, 0, false},
    {vk::F12, kShift, Cmd::CentrePicture, 0, false},
    {Letter('E'), kNone, Cmd::ShowEqualizer, 0, false},
    {Letter('E'), kAlt, Cmd::TogglePlaylist, 0, false},
    {vk::F10, kNone, Cmd::TogglePlaylist, 0, false},
    {Letter('T'), kNone, Cmd::AlwaysOnTopMenuClick, 0, false},
    {Letter('T'), kCtrl, Cmd::TurnOffComputerMenuClick, 0, false},
    // Digits: window sizes, aspect ratios and bookmarks.
    {Letter('1'), kNone, Cmd::N50MenuClick, 0, kBusyGuard},
    {Letter('1'), kCtrl, Cmd::OriginalRatioMenuClick, 0, kBusyGuard},
    {Letter('2'), kNone, Cmd::N100MenuClick, 0, kBusyGuard},
    {Letter('2'), kCtrl, Cmd::N169RatioMenuClick, 0, kBusyGuard},
    {Letter('3'), kNone, Cmd::N200MenuClick, 0, kBusyGuard},
    {Letter('3'), kCtrl, Cmd::N43RatioMenuClick, 0, kBusyGuard},
    {Letter('4'), kCtrl, Cmd::N11RatioMenuClick, 0, kBusyGuard},
    {Letter('5'), kCtrl, Cmd::FreeRatioMenuClick, 0, kBusyGuard},
    {Letter('8'), kShift, Cmd::AutomaticMenuClick, 0, kBusyGuard},
    {Letter('1'), kAlt, Cmd::Bookmark, 1, kBusyGuard},
    {Letter('2'), kAlt, Cmd::Bookmark, 2, kBusyGuard},
    {Letter('3'), kAlt, Cmd::Bookmark, 3, kBusyGuard},
    {Letter('4'), kAlt, Cmd::Bookmark, 4, kBusyGuard},
    {Letter('5'), kAlt, Cmd::Bookmark, 5, kBusyGuard},
    {Letter('6'), kAlt, Cmd::Bookmark, 6, kBusyGuard},
    {Letter('7'), kAlt, Cmd::Bookmark, 7, kBusyGuard},
    {Letter('8'), kAlt, Cmd::Bookmark, 8, kBusyGuard},
    {Letter('9'), kAlt, Cmd::Bookmark, 9, kBusyGuard},
    // Subtitles, bookmarks, information, application.
    {Letter('S'), kNone, Cmd::DisableSubtitleMenuClick, 0, false},
    {Letter('L'), kCtrl, Cmd::BtnOpenSubtitleClick, 0, false},
    {Letter('O'), kCtrl, Cmd::BtnOpenMovieClick, 0, false},
    {Letter('I'), kNone, Cmd::ToggleClock, 0, false},
    {Letter('I'), kAlt, Cmd::AddBookmarkMenuClick, 0, false},
    {vk::F1, kNone, Cmd::KeyDefinitionsClick, 0, false},
    {vk::F1, kCtrl, Cmd::AboutMenuClick, 0, false},
    {vk::F6, kNone, Cmd::MovieInfoLabelClick, 0, false},
};

const KeyEntry* Find(std::span<const KeyEntry> Table, std::uint16_t Key, TShiftState Shift) {
  for (const KeyEntry& E : Table)
    if (E.Key == Key && (E.Shift == Shift || E.Shift == kAnyShift)) return &E;
  return nullptr;
}

}  // namespace

const KeyEntry* FindSpecialKey(std::uint16_t Key, TShiftState Shift) {
  return Find(kSpecialKeys, Key, Shift);
}

const KeyEntry* FindKeyCommand(std::uint16_t Key, TShiftState Shift) {
  return Find(kKeys, Key, Shift);
}

std::optional<AppCommandKey> AppCommandFor(std::uint32_t LParam) {
  // APPCOMMAND_VOLUME_MUTE (8) .. APPCOMMAND_MEDIA_PLAY_PAUSE (14).
  switch (LParam) {
    case 8u << 16: return AppCommandKey{false, Letter('M'), kAlt, false};
    case 9u << 16: return AppCommandKey{true, vk::Down, kNone, false};
    case 10u << 16: return AppCommandKey{true, vk::Up, kNone, false};
    case 11u << 16: return AppCommandKey{false, Letter('B'), kNone, false};
    case 12u << 16: return AppCommandKey{false, Letter('Z'), kNone, false};
    case 13u << 16: return AppCommandKey{false, Letter('V'), kNone, false};
    case 14u << 16: return AppCommandKey{false, 0, kNone, true};
    default: return std::nullopt;
  }
}

}  // namespace lc
