// The life cycle of the open movie as the opening, the graph's events,
// the transport and the pulse share it: the one-shot hand-over flags, the
// user's settings a movie's remembered entry replaced (put back by a stop,
// a render failure or closing), the picture of the movie stopped last,
// and the outcome of the last render. GUI thread only.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings_store.h"

namespace lc {

// The subtitle look a remembered entry replaced.
struct SavedSubtitleLook {
  bool Valid = false;
  std::string FontName;
  std::int32_t FontColor = 0;
  settings::FontStyles FontStyle = 0;
  std::int32_t SubtitleSize = 100;
  std::int32_t AverageVerticalDisplayZone = 15;
  bool TransparentBackground = true;
  bool UseOutlineFont = true;
};

// The colour sliders a remembered entry replaced, in the entry's units
// (brightness x 10, contrast x 100, hue, saturation x 100).
struct SavedColorValues {
  bool Valid = false;
  std::int16_t Brightness = 0, Contrast = 0, Hue = 0, Saturation = 0;
};

// The picture of the movie stopped last; the next opening takes it over
// when RememberPreviousMovieSettings is on and the native size matches.
struct PreviousMovie {
  bool Valid = false;
  bool FullScreen = false;
  double AspectRatio = -1;  // -1: the picture filled the area freely
  int PanScan = 0;
  int WindowWidth = 0, WindowHeight = 0;
  int ImageOffsetX = 0, ImageOffsetY = 0;
  int NativeWidth = 0, NativeHeight = 0;
};

struct PlaybackState {
  // One-shot flags read and cleared by the next tick of the pulse.
  bool PlaybackFinished = false;  // the movie ended and is not replayed
  bool RenderFailed = false;      // a render failed while advancing by itself
  // The pulse is starting the next entry by itself: a failure is silent.
  bool AutoAdvancing = false;

  SavedSubtitleLook SavedSubtitleSettings;
  SavedColorValues SavedColorSliders;
  bool SavedVolumeValid = false;
  int SavedVolumePosition = 0;
  // The pan & scan in force came from the movie's remembered entry: a stop
  // puts back SavedPanScan, the value before it. A pan & scan change made
  // in full screen, and movie mode, clear it, so the new value stays.
  bool RmsPanScanApplied = false;
  int SavedPanScan = 0;
  PreviousMovie PreviousMovieSettings;

  // The last render's result (the warnings depend on it).
  std::int32_t LastRenderResult = 0;
  // Days: the end of the last opening or render failure.
  double LastOpenEndTime = 0;
  // The video window is full screen only because movie mode put it there.
  bool FullScreenFromMovieMode = false;
};

// The one instance.
PlaybackState& Playback();

}  // namespace lc
