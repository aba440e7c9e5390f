// Shared helpers of the settings tests: a fake host and a scratch folder.
#pragma once

#include <functional>
#include <set>
#include <string>

#include "settings/rms_file.h"
#include "settings/settings_host.h"
#include "settings/settings_store.h"
#include "tests/support/scratch.h"

namespace lc::settings::testing {

class FakeHost : public SettingsHost {
 public:
  int screenWidth = 1024;
  int screenHeight = 768;
  ScreenArea work{0, 0, 1024, 738};
  ScreenArea virtualScreen{-1280, 0, 2304, 1024};
  bool monitorsDiffer = false;
  std::set<char> readyDrives{'c', 'C'};
  std::set<std::string> folders;
  std::set<std::string> fonts{"Arial", "Tahoma"};
  std::function<void(SettingsStore&)> gather;

  int ScreenWidth() const override { return screenWidth; }
  int ScreenHeight() const override { return screenHeight; }
  ScreenArea PrimaryWorkArea() const override { return work; }
  ScreenArea VirtualScreen() const override { return virtualScreen; }
  bool MonitorsDiffer() const override { return monitorsDiffer; }
  bool IsDriveReady(const std::string& path) const override {
    return !path.empty() && readyDrives.count(path[0]) > 0;
  }
  bool FolderExists(const std::string& path) const override { return folders.count(path) > 0; }
  bool IsFontInstalled(const std::string& name) const override { return fonts.count(name) > 0; }
  void GatherLiveValues(SettingsStore& store) const override {
    if (gather) gather(store);
  }
};

// The scratch folder and the whole-file helpers, under the names the
// settings tests have always used.
using lctest::ReadBytes;
using lctest::ScratchFolder;
using lctest::U8;
using lctest::WriteBytes;

// A remembered-settings file of `text` in a scratch folder, with this
// run's table and the file's state as the start-up loads them.
struct LoadedRmsFile {
  explicit LoadedRmsFile(const std::string& text, const std::string& name = "x.rs") : file(dir.File(name)) {
    WriteBytes(file, text);
    RmsLoadFromHdd(mine, file, TRmsEntry{}, nullptr, state);
  }
  ScratchFolder dir;
  std::string file;
  RmsTable mine;
  RmsFileState state;
};

}  // namespace lc::settings::testing
