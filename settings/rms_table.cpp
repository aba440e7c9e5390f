#include "settings/rms_table.h"

#include <algorithm>

#include "settings/text_encoding.h"
#include "settings/value_parse.h"

namespace lc::settings {

int RmsTable::Find(std::string_view name) const {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (SameTextAscii(entries_[i].Name, name)) return static_cast<int>(i);
  }
  return -1;
}

std::size_t RmsTable::Store(const TRmsEntry& entry) {
  const int found = Find(entry.Name);
  if (found >= 0) {
    entries_[found] = entry;
    return static_cast<std::size_t>(found);
  }
  if (entries_.size() < kRmsMaxEntries) {
    entries_.push_back(entry);
    return entries_.size() - 1;
  }
  std::size_t oldest = 0;
  for (std::size_t i = 1; i < entries_.size(); ++i) {
    if (entries_[i].LastAccessed < entries_[oldest].LastAccessed) oldest = i;
  }
  entries_[oldest] = entry;
  return oldest;
}

void RmsTable::Remove(std::size_t index) {
  if (index >= entries_.size()) return;
  deleted_.push_back(entries_[index].Name);
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
}

void RmsTable::Clear() {
  for (const TRmsEntry& e : entries_) deleted_.push_back(e.Name);
  entries_.clear();
}

void RmsTable::ForgetDeleted(std::size_t count) {
  deleted_.erase(deleted_.begin(), deleted_.begin() + static_cast<std::ptrdiff_t>(std::min(count, deleted_.size())));
}

void RmsTable::Reset() {
  entries_.clear();
  deleted_.clear();
}

TRmsEntry MakeRmsEntry(const RmsLiveState& live, double now) {
  TRmsEntry e;
  e.Name = live.MovieName;
  e.LastAccessed = now;
  if (live.MovieMode) {
    e.PanScan = live.SavedPanScan;
    e.VideoImageXPosition = live.SavedImageOffsetX;
    e.VideoImageYPosition = live.SavedImageOffsetY;
    e.FullScreen = live.SavedFullScreen;
    e.AverageVerticalDisplayZone = live.SavedVerticalDisplayZone;
  } else {
    e.PanScan = live.PanScanValue;
    e.VideoImageXPosition = live.ImageOffsetX;
    e.VideoImageYPosition = live.ImageOffsetY;
    e.FullScreen = live.FullScreen && !live.MovieModeFullScreenEnded;
    e.AverageVerticalDisplayZone = live.AverageVerticalDisplayZone;
  }
  e.AspectRatio = live.KeepAspectRatio ? live.AspectRatioValue : -1.0;
  e.VideoWindowWidth = live.VideoWindowWidth;
  e.VideoWindowHeight = live.VideoWindowHeight;
  e.LastVideoPosition = static_cast<double>(live.Position100ns) * 0.0001 / 86400000.0;
  for (std::size_t k = 0; k < live.BookmarkCaptions.size() && k < e.BookMark.size(); ++k) {
    e.BookMark[k] = Utf8Left(live.BookmarkCaptions[k], 8);
  }
  e.Brightness = live.BrightnessSlider * 10;
  e.Contrast = live.ContrastSlider * 100;
  e.Hue = live.HueSlider;
  e.Saturation = live.SaturationSlider * 100;
  e.AudioVolume = live.VolumePosition * 500;
  e.SubtitleFontName = live.SubtitleFontName;
  e.SubtitleFontColor = live.SubtitleFontColor;
  e.SubtitleFontStyle = live.SubtitleFontStyle;
  e.SubtitleSize = live.SubtitleSize;
  e.TransparentBackground = live.TransparentBackground;
  e.UseOutlineFont = live.UseOutlineFont;
  return e;
}

TRmsEntry RmsStartEntry(const SettingsStore& s) {
  TRmsEntry e;
  e.LastAccessed = 0;
  e.PanScan = 0;
  e.AspectRatio = 1.33;
  e.VideoImageXPosition = 0;
  e.VideoImageYPosition = 0;
  e.VideoWindowWidth = s.VideoWindowWidth;
  e.VideoWindowHeight = s.VideoWindowHeight;
  e.LastVideoPosition = 0;
  // The colour sliders hold the settings in their own units.
  e.Brightness = s.BrightnessControl / 10 * 10;
  e.Contrast = s.ContrastControl / 100 * 100;
  e.Hue = s.HueControl;
  e.Saturation = s.SaturationControl / 100 * 100;
  e.FullScreen = s.FullscreenOnLoad;
  e.AudioVolume = 5000;
  e.SubtitleFontName = s.SubtitleFontName;
  e.SubtitleSize = s.SubtitleSize;
  e.SubtitleFontColor = s.SubtitleFontColor;
  e.SubtitleFontStyle = s.SubtitleFontStyle;
  e.TransparentBackground = s.TransparentBackground;
  e.UseOutlineFont = s.UseOutlineFont;
  e.AverageVerticalDisplayZone = s.AverageVerticalDisplayZone;
  return e;
}

std::size_t AddToRms(RmsTable& table, const RmsLiveState& live, double now) {
  return table.Store(MakeRmsEntry(live, now));
}

}  // namespace lc::settings
