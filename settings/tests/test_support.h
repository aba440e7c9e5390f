// Shared helpers of the settings tests: a fake host and a scratch folder.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>

#include "settings/settings_host.h"
#include "settings/settings_store.h"

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
  std::string currentDirectory = "c:\\movies";
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
  std::string CurrentDirectory() const override { return currentDirectory; }
  void GatherLiveValues(SettingsStore& store) const override {
    if (gather) gather(store);
  }
};

// The path of a UTF-8 string.
inline std::filesystem::path U8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
 public:
  ScratchFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("lc_settings_test_" + std::to_string(Tag()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  // A UTF-8 path of a file in the folder.
  std::string File(const std::string& name) const {
    const auto u8 = (path_ / U8(name)).u8string();
    return std::string(u8.begin(), u8.end());
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  static unsigned Tag() {
    static const unsigned tag = std::random_device{}();
    return tag;
  }
  std::filesystem::path path_;
};

inline void WriteBytes(const std::string& utf8Path, const std::string& bytes) {
  std::ofstream out(U8(utf8Path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& utf8Path) {
  std::ifstream in(U8(utf8Path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace lc::settings::testing
