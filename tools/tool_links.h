// What the tool windows use of the player. Each is a narrow interface that
// the player implements; tests use recording fakes. (The equalizer's link to
// the audio chain is tools/equalizer/equalizer_audio.h.) GUI thread.
#pragma once

#include <cstdint>
#include <string>

#include "framework/types.h"

namespace lc::tools {

// The player as a tool window sees it.
class TToolPlayerLink {
 public:
  virtual ~TToolPlayerLink() = default;
  // Shows Text on the on-screen display, the live position display off
  // (OsdShowsPosition := False, then TfrmMain.ShowOSD).
  virtual void ShowOSD(const std::wstring& Text) = 0;
  // A key the tool window does not use: the player's shortcuts
  // (TfrmMain.ExecuteKeyCommand), then the video window's special keys
  // (TfrmVideoWindow.SpecialKeyExecute).
  virtual void PassKey(int& Key, TShiftState Shift) = 0;
};

// The player as the modal dialogs (jump, aspect ratio, pan & scan,
// shutdown countdown) see it.
class TDialogPlayerLink {
 public:
  virtual ~TDialogPlayerLink() = default;
  // The current movie's duration in milliseconds (the seek bar's maximum).
  virtual std::int64_t DurationMs() const = 0;
  // Seeks the graph to the absolute Position (100-ns units), the stop
  // position untouched; a refusal is not reported.
  virtual void SeekTo(std::int64_t Position) = 0;
  // The time label shows frames (ShowFrames), and the movie's frame rate.
  virtual bool ShowFrames() const = 0;
  virtual double FrameRate() const = 0;
  // TfrmMain.ShowOSD with Text; then, when OSDDisplay is on, the live
  // position goes on showing (OsdShowsPosition := True).
  virtual void ShowPositionOSD(const std::wstring& Text) = 0;
  // AspectRatioValue, and setting it with TfrmMain.SetAspectRatio(Text).
  virtual double AspectRatio() const = 0;
  virtual void ApplyAspectRatio(double Value, const std::string& Text) = 0;
  // PanScanValue, and setting it with TfrmMain.DoPanScan(True).
  virtual int PanScan() const = 0;
  virtual void ApplyPanScan(int Value) = 0;
  // NativeVideoSize: 0 x 0 without video.
  virtual TSize NativeVideoSize() const = 0;
};

}  // namespace lc::tools
