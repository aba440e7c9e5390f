// What the settings code needs of the screens, the file system and the live
// windows. The start-up and the windows implement it; the tests use a fake.
// Called on the GUI thread only.
#pragma once

#include <string>

namespace lc::settings {

struct SettingsStore;

struct ScreenArea {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

class SettingsHost {
 public:
  virtual ~SettingsHost() = default;

  // Size of the primary screen in pixels.
  virtual int ScreenWidth() const = 0;
  virtual int ScreenHeight() const = 0;
  // The primary monitor's work area and the virtual screen of all monitors.
  virtual ScreenArea PrimaryWorkArea() const = 0;
  virtual ScreenArea VirtualScreen() const = 0;
  // Set by the monitor-layout detection: windows are then placed against the
  // virtual screen instead of the primary work area.
  virtual bool MonitorsDiffer() const = 0;

  // True when the drive named by the first letter of `path` can be asked
  // for its size.
  virtual bool IsDriveReady(const std::string& path) const = 0;
  virtual bool FolderExists(const std::string& path) const = 0;
  // True when `name` is among the installed screen fonts.
  virtual bool IsFontInstalled(const std::string& name) const = 0;

  // Copies the live state of the windows into the store before it is saved:
  // window places and sizes (the video window's normal-mode rectangle while
  // it is in full screen), the colour sliders scaled to the stored units,
  // volume bar, mute, playlist index + 1, subtitle font, equalizer sliders,
  // frames display and dynamic amplification; and, once the main window's
  // first activation has shown the windows and changed to the folder used
  // last, which windows are shown and the process's current directory. A
  // value the program has not taken from the settings yet stays as read.
  virtual void GatherLiveValues(SettingsStore& store) const = 0;
};

}  // namespace lc::settings
