// Remembered per-movie settings: RmsTable keeps one TRmsEntry per movie
// file name (without folder, letter case ignored), at most 200 created by
// the player itself, and its text file (settings/rms_file.cpp). Names are
// UTF-8. GUI thread only.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/settings_store.h"

namespace lc::settings {

inline constexpr std::size_t kRmsMaxEntries = 200;
inline constexpr int kRmsBookmarks = 9;

struct TRmsEntry {
  std::string Name;                 // the movie's file name without folder
  double LastAccessed = 0;          // days since 30/12/1899
  std::int32_t PanScan = 0;         // -50..100
  double AspectRatio = 1.33;        // -1 (the movie's own), or 0.1..5.0
  std::int32_t VideoImageXPosition = 0;  // -100..100
  std::int32_t VideoImageYPosition = 0;  // -100..100
  std::int32_t VideoWindowWidth = 460;   // 46..8006
  std::int32_t VideoWindowHeight = 274;  // 36..6006
  double LastVideoPosition = 0;     // fraction of a day, >= 0
  std::array<std::string, kRmsBookmarks> BookMark;  // "hh:nn:ss" or empty
  std::int32_t Brightness = 2000;   // 0..10000
  std::int32_t Contrast = 10000;    // 0..20000
  std::int32_t Hue = 0;             // -180..180
  std::int32_t Saturation = 10000;  // 0..20000
  bool FullScreen = false;
  std::int32_t AudioVolume = 5000;  // 0..10000
  std::string SubtitleFontName = "Arial";
  std::int32_t SubtitleSize = 100;  // 10..1000
  std::int32_t SubtitleFontColor = 0xFFFFFF;
  FontStyles SubtitleFontStyle = kFontBold;
  bool TransparentBackground = true;
  bool UseOutlineFont = true;
  std::int32_t AverageVerticalDisplayZone = 15;  // 0..50

  bool operator==(const TRmsEntry&) const = default;
};

class RmsTable {
 public:
  // Index of the entry named `name` (ASCII letter case ignored), or -1.
  int Find(std::string_view name) const;

  // Stores `entry` under its name: overwrites the entry of that name; a new
  // name is appended while the table holds fewer than 200 entries, and
  // otherwise replaces the entry with the smallest LastAccessed (the first
  // of equal ones). Returns the index used.
  std::size_t Store(const TRmsEntry& entry);

  void Append(TRmsEntry entry) { entries_.push_back(std::move(entry)); }
  // Remove and Clear delete entries as the user does (the profiles
  // editor): the names are kept until the next save (Deleted), so that the
  // save leaves them out of the file, whoever else wrote them there. An
  // entry Store replaces to make room is not deleted so.
  void Remove(std::size_t index);
  void Clear();
  // Empties the table without deleting anything (before a load).
  void Reset();
  const std::vector<std::string>& Deleted() const { return deleted_; }
  // Forgets the first `count` names deleted (all by default): a save has
  // left them out of the file.
  void ForgetDeleted(std::size_t count = SIZE_MAX);

  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const TRmsEntry& operator[](std::size_t i) const { return entries_[i]; }
  TRmsEntry& operator[](std::size_t i) { return entries_[i]; }
  const std::vector<TRmsEntry>& entries() const { return entries_; }

 private:
  std::vector<TRmsEntry> entries_;
  std::vector<std::string> deleted_;
};

// The live state of the player that AddToRms records (the player window
// fills it in; movie-mode values are the ones kept from before movie mode).
struct RmsLiveState {
  std::string MovieName;
  bool MovieMode = false;
  std::int32_t PanScanValue = 0, ImageOffsetX = 0, ImageOffsetY = 0;
  bool FullScreen = false;
  // Values from before movie mode began.
  std::int32_t SavedPanScan = 0, SavedImageOffsetX = 0, SavedImageOffsetY = 0;
  bool SavedFullScreen = false;
  std::int32_t SavedVerticalDisplayZone = 0;
  // Set once when the stop or close handling ended a movie mode that had
  // switched to full screen itself: FullScreen is then stored as False.
  bool MovieModeFullScreenEnded = false;
  bool KeepAspectRatio = true;
  double AspectRatioValue = 0;
  std::int32_t VideoWindowWidth = 0, VideoWindowHeight = 0;  // normal-mode size
  std::int64_t Position100ns = 0;  // the graph's current position
  std::vector<std::string> BookmarkCaptions;  // captions of the bookmark items
  // Colour-control slider positions.
  std::int32_t BrightnessSlider = 0, ContrastSlider = 0, HueSlider = 0, SaturationSlider = 0;
  std::int32_t VolumePosition = 0;  // 0..20
  std::string SubtitleFontName;
  std::int32_t SubtitleFontColor = 0;
  FontStyles SubtitleFontStyle = 0;
  std::int32_t SubtitleSize = 100;
  bool TransparentBackground = true, UseOutlineFont = true;
  std::int32_t AverageVerticalDisplayZone = 15;
};

// TfrmMain.AddToRms: stores the live state of the current movie at `now`.
std::size_t AddToRms(RmsTable& table, const RmsLiveState& live, double now);

// The entry AddToRms would store (without touching a table).
TRmsEntry MakeRmsEntry(const RmsLiveState& live, double now);

// The values an entry read from the file starts from, before its lines
// overwrite them: no pan & scan, aspect ratio 1.33, no picture offset, no
// position or bookmarks, full screen as FullscreenOnLoad, volume 5000; the
// window size, the colour sliders (scaled as AddToRms scales them) and the
// subtitle look as they stand at start-up, taken from the settings.
TRmsEntry RmsStartEntry(const SettingsStore& settings);

}  // namespace lc::settings
