#include "player/remote_codes.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "player/key_map.h"

namespace lc {

namespace {

constexpr TShiftState kNone = 0, kShift = ssShift, kCtrl = ssCtrl, kAlt = ssAlt;

constexpr RemoteAction Key(std::uint16_t key, TShiftState shift = kNone) {
  return {RemoteTarget::Key, key, shift, Cmd::None};
}
constexpr RemoteAction VideoKey(std::uint16_t key, TShiftState shift = kNone) {
  return {RemoteTarget::VideoKey, key, shift, Cmd::None};
}
constexpr RemoteAction Run(Cmd command) { return {RemoteTarget::Command, 0, kNone, command}; }
constexpr RemoteAction To(RemoteTarget target, std::uint16_t key = 0, TShiftState shift = kNone) {
  return {target, key, shift, Cmd::None};
}

// Codes 1 .. 74 in order.
constexpr std::array<RemoteAction, 74> kCodes = {
    Key('O', kCtrl),                           // 1 open movie
    Key('L', kCtrl),                           // 2 load subtitle
    Key('X'),                                  // 3 play
    Key('C'),                                  // 4 pause
    Key(vk::Space),                            // 5 play/pause
    Key('V'),                                  // 6 stop
    Key('Z'),                                  // 7 previous
    Key('B'),                                  // 8 next
    Key(vk::OemComma),                         // 9 rewind
    Key(vk::OemPeriod),                        // 10 forward
    Key(vk::OemComma, kCtrl),                  // 11 fast rewind
    Key(vk::OemPeriod, kCtrl),                 // 12 fast forward
    Key('R'),                                  // 13 repeat
    VideoKey(vk::Up),                          // 14 volume up
    VideoKey(vk::Down),                        // 15 volume down
    To(RemoteTarget::EqualizerKey, vk::Up),    // 16 pre-amplification up
    To(RemoteTarget::EqualizerKey, vk::Down),  // 17 pre-amplification down
    Key('F'),                                  // 18 full screen
    VideoKey(vk::Up, kCtrl),                   // 19 larger subtitles
    VideoKey(vk::Down, kCtrl),                 // 20 smaller subtitles
    VideoKey(vk::Up, kShift),                  // 21 subtitles up
    VideoKey(vk::Down, kShift),                // 22 subtitles down
    Key(vk::Add),                              // 23 pan in
    Key(vk::Subtract),                         // 24 pan out
    Key(vk::Numpad0),                          // 25 pan & scan off
    Key(vk::Multiply),                         // 26 automatic pan & scan
    Key(vk::Numpad8),                          // 27 picture up
    Key(vk::Numpad2),                          // 28 picture down
    Key(vk::Numpad6),                          // 29 picture right
    Key(vk::Numpad4),                          // 30 picture left
    Key(vk::Numpad5),                          // 31 centre picture
    Run(Cmd::MinimizeApp),                     // 32 minimise
    Key('M', kAlt),                            // 33 mute
    Run(Cmd::OriginalRatioMenuClick),          // 34
    Run(Cmd::N169RatioMenuClick),              // 35
    Run(Cmd::N43RatioMenuClick),               // 36
    Run(Cmd::N11RatioMenuClick),               // 37
    Run(Cmd::FreeRatioMenuClick),              // 38
    Key('M'),                                  // 39 movie mode
    To(RemoteTarget::ColorKey, vk::Right),     // 40 colour value up
    To(RemoteTarget::ColorKey, vk::Left),      // 41 colour value down
    Key('I', kAlt),                            // 42 add bookmark
    Key('C', kAlt),                            // 43 capture frame
    Key('1', kAlt), Key('2', kAlt), Key('3', kAlt), Key('4', kAlt), Key('5', kAlt),  // 44 .. 48
    Key('6', kAlt), Key('7', kAlt), Key('8', kAlt), Key('9', kAlt),                  // 49 .. 52 bookmarks
    Key(vk::Home),                             // 53 go to start
    Key(vk::End),                              // 54 go to end
    To(RemoteTarget::TogglePlaylist),          // 55 show/hide playlist
    Key('H'),                                  // 56 show/hide main window
    Key(vk::OemPeriod, kAlt),                  // 57 subtitle delay up
    Key(vk::OemComma, kAlt),                   // 58 subtitle delay down
    Run(Cmd::DisableSubtitleMenuClick),        // 59
    Key('T', kCtrl),                           // 60 turn off after play
    Key('T'),                                  // 61 always on top
    Run(Cmd::QuickTimeInfo),                   // 62
    Run(Cmd::N50MenuClick),                    // 63
    Run(Cmd::N200MenuClick),                   // 64
    To(RemoteTarget::PlaylistList, vk::Up),    // 65 selection up
    To(RemoteTarget::PlaylistList, vk::Down),  // 66 selection down
    To(RemoteTarget::PlaylistKey, vk::Return),          // 67 play the selected entry
    To(RemoteTarget::PlaylistKey, vk::Up, kAlt),        // 68 entry up
    To(RemoteTarget::PlaylistKey, vk::Down, kAlt),      // 69 entry down
    To(RemoteTarget::PlaylistKey, 0x2E, kAlt),          // 70 remove entry
    Run(Cmd::DynamicAmplificationMenuClick),   // 71
    Run(Cmd::ZoomCycle),                       // 72
    Run(Cmd::FramesWithOsd),                   // 73 time or frames, said on the OSD
    To(RemoteTarget::AspectCycle),             // 74
};

}  // namespace

RemoteAction RemoteActionFor(std::uint32_t code) {
  if (code < kFirstRemoteCode || code > kLastRemoteCode) return {};
  return kCodes[code - kFirstRemoteCode];
}

std::vector<RemoteKeyEvent> FileDialogKeystrokes(std::uint32_t code) {
  const auto press = [](std::uint16_t key, std::uint8_t scan) {
    return std::vector<RemoteKeyEvent>{{key, scan, false}, {key, scan, true}};
  };
  switch (code) {
    case 3: return press(vk::Return, 0x9C);
    case 4: return press(vk::Back, 0x9B);
    case 6: return press(vk::Escape, 0x81);
    case 7: return press(vk::Up, 0);
    case 8: return press(vk::Down, 0);
    case 9: return {{0x10, 0xAA, false}, {0x09, 0x8F, false}, {0x09, 0x8F, true}, {0x10, 0xAA, true}};
    case 10: return press(0x09, 0x8F);
    default: return {};
  }
}

std::uint16_t DialogNavigationKey(std::uint32_t code) {
  switch (code) {
    case 3: return vk::Return;
    case 4:
    case 6: return vk::Escape;
    case 7: return vk::Up;
    case 8: return vk::Down;
    case 9: return vk::Left;
    case 10: return vk::Right;
    default: return 0;
  }
}

AspectStep AspectCycleStep(int native, int current) {
  // The cycle runs Original, 16:9, 4:3, 1:1, skipping the movie's own ratio.
  if (current == native) return native == 178 ? AspectStep::Standard43 : AspectStep::Wide169;
  if (current == 178) return native == 133 ? AspectStep::Square11 : AspectStep::Standard43;
  if (current == 133) return native == 100 ? AspectStep::Original : AspectStep::Square11;
  // 1:1, a free or a custom ratio: back to the movie's own (also for a
  // square movie, where the cycle would otherwise stop).
  return AspectStep::Original;
}

int NativeRatioHundredths(int width, int height) {
  return static_cast<int>(std::nearbyint(width * 100.0 / std::max(height, 1)));
}

int RatioHundredths(double ratio) { return static_cast<int>(std::nearbyint(100.0 * ratio)); }

}  // namespace lc
