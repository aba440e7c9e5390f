// The small dialogs' rules as plain values: the jump dialog's time text,
// its parsing and the on-screen text after a jump; the aspect-ratio and
// pan & scan sliders' keys and the aspect dialog's Restore; the shutdown
// countdown's arithmetic and the layout of its text. Portable.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace lc::tools {

// ---- jump to time ----
// Whole seconds as "hh:mm:ss"; hours above 99 keep all their digits.
std::string SecondsToHMS(std::int64_t Seconds);
// The seconds of a valid "hh:mm:ss" (exactly 8 characters, minutes and
// seconds 00..59); nullopt for anything else.
std::optional<std::int64_t> ParseJumpTime(const std::string& Text);
// The characters the time edit takes: digits, ":" and Backspace.
bool JumpEditAccepts(wchar_t Key);
// The text shown after a jump to Position (100-ns units) of a movie
// DurationMs long: "hh:nn:ss / hh:nn:ss (P%)" as times of day, or with
// ShowFrames "%6d / frames (P%)" at FrameRate. A duration of 0 gives 0%.
std::string JumpOsdText(std::int64_t Position, std::int64_t DurationMs, bool ShowFrames,
                        double FrameRate);

// ---- aspect ratio and pan & scan sliders ----
constexpr int kAspectMin = 50;
constexpr int kAspectMax = 300;
constexpr int kPanScanMin = -50;
constexpr int kPanScanMax = 100;

// What a character does in a slider dialog.
struct TSliderKey {
  enum class TAction { None, Set, Close, Cancel } Action = TAction::None;
  int Position = 0;  // for Set, clamped to the slider's range
};
// Aspect ratio: "0".."3" set digit x 100 (at least 50), "A"/"a" and Enter
// close, Escape goes back to the saved value and closes.
TSliderKey AspectRatioKey(wchar_t Key);
// Pan & scan: "0" sets 0, "P"/"p" and Enter close, Escape cancels.
TSliderKey PanScanKey(wchar_t Key);
// The slider position the ratio stands for (ratio x 100, rounded).
int AspectPosition(double Ratio);
// Restore: the native picture's ratio as a slider position, nullopt when
// the picture has no height or the ratio already is within 0.01 of it.
std::optional<int> RestoreAspectPosition(int NativeWidth, int NativeHeight, double Ratio);

// ---- key list ----
// The key list as shown: in every line the run of TABs between the action
// and its keys becomes a single TAB, so that one tab stop past the widest
// action lines every line's keys up whatever the font. Lines split at
// CR LF.
std::string OneTabPerLine(const std::string& Text);

// ---- shutdown countdown ----
constexpr int kCountdownSeconds = 30;
// Whole seconds between two readings of a monotonic millisecond clock.
int ElapsedSeconds(std::uint64_t StartMs, std::uint64_t NowMs);
// The caption: Before + " " + the seconds left + " " + After.
std::string CountdownText(const std::string& Before, int Elapsed, const std::string& After);

// Where the countdown's text may go on its face (pixels): lines at most
// Width wide; the block at Top when it fits between Top and Bottom, else
// anywhere from Highest (below the title) down to Bottom (above the
// Cancel button).
struct TTextRoom {
  int Width = 0;
  int Top = 0;
  int Highest = 0;
  int Bottom = 0;
};
// How a text measures in the text's font at a height of FontHeight pixels.
struct TTextMetrics {
  std::function<int(int FontHeight, const std::wstring& Line)> Width;
  std::function<int(int FontHeight)> LineHeight;
};
struct TCountdownLayout {
  int FontHeight = 0;
  std::vector<std::wstring> Lines;
  int Top = 0;
};
// Lays Text (lines ending at CR LF) out in Room: at FontHeight, its lines
// broken at blanks (a word wider than the room between characters) so that
// each fits the width; at Room.Top when the block fits below it, else
// centred between Highest and Bottom; and only when the lines are still
// too many for that, in a smaller font, one pixel at a time, down to the
// first height whose block fits (1 at the least). The block never leaves
// the room while any height fits.
TCountdownLayout FitCountdownText(const std::wstring& Text, int FontHeight, const TTextRoom& Room,
                                  const TTextMetrics& Metrics);

}  // namespace lc::tools
