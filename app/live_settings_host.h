// The settings' view of the running program: screens, drives, fonts, the
// current folder, and the live values of the windows that exist, gathered
// before the settings file is written. GUI thread only.
#pragma once

#include "settings/settings_host.h"

namespace lc {

class LiveSettingsHost : public settings::SettingsHost {
 public:
  int ScreenWidth() const override;
  int ScreenHeight() const override;
  settings::ScreenArea PrimaryWorkArea() const override;
  settings::ScreenArea VirtualScreen() const override;
  bool MonitorsDiffer() const override;
  bool IsDriveReady(const std::string& path) const override;
  bool FolderExists(const std::string& path) const override;
  bool IsFontInstalled(const std::string& name) const override;
  void GatherLiveValues(settings::SettingsStore& store) const override;
};

}  // namespace lc
