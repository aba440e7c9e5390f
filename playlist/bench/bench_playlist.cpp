// Prints how long the playlist takes to load and save lists of 1,000 and
// 10,000 entries and to scan a generated tree of 10,000 files. Figures
// only: nothing here fails.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "playlist/file_system.h"
#include "playlist/folder_scan.h"
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"

namespace {

namespace fs = std::filesystem;
using lc::playlist::MessageOwner;

class QuietLink : public lc::playlist::PlayerLink {
 public:
  bool CloseWhenListEnds() const override { return false; }
  void SetCloseWhenListEnds(bool) override {}
  void SetPreviousMovieSettingsValid(bool) override {}
  std::string CurrentMovieFile() const override { return {}; }
  void SetCurrentMovieFile(const std::string&) override {}
  bool Busy() const override { return false; }
  bool GraphActive() const override { return false; }
  bool StopEnabled() const override { return false; }
  bool StopPlayback() override { return true; }
  void StopForNewList() override {}
  void OpenMovie(bool, bool) override {}
  bool AttachSubtitle(const std::string&) override { return false; }
  bool LoadChosenSubtitle(const std::string&) override { return false; }
  void DetachSubtitle() override {}
  std::string SearchSubtitle(const std::string&) override { return {}; }
  void ShowMessage(const std::string& text, MessageOwner) override { std::printf("message: %s\n", text.c_str()); }
  void SelectionChanged() override {}
  bool ListHasFocus() const override { return false; }
  void AfterEntryOpened(bool) override {}
  void ShowPlaylistWindow() override {}
};

// The best of `rounds` runs, in milliseconds.
double BestMs(int rounds, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < rounds; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (took.count() < best) best = took.count();
  }
  return best;
}

std::string Native(const fs::path& p) {
  const std::u8string text = p.u8string();
  return std::string(text.begin(), text.end());
}

std::string WriteList(const fs::path& folder, int entries) {
  std::vector<std::string> movies, subtitles;
  for (int i = 0; i < entries; ++i) {
    movies.push_back("C:\\Movies\\Series " + std::to_string(i / 100) + "\\Episode " + std::to_string(i) + ".avi");
    subtitles.push_back(i % 3 == 0 ? "C:\\Subtitles\\Episode " + std::to_string(i) + ".srt" : "No subtitle");
  }
  const fs::path file = folder / ("list" + std::to_string(entries) + ".lpl");
  std::ofstream(file, std::ios::binary) << lc::playlist::FormatPlaylistBytes(movies, subtitles);
  return Native(file);
}

void MakeTree(const fs::path& root, int files) {
  for (int i = 0; i < files; ++i) {
    const fs::path folder = root / ("season" + std::to_string(i / 1000)) / ("disc" + std::to_string(i / 100 % 10));
    if (i % 100 == 0) fs::create_directories(folder);
    std::ofstream(folder / ("clip" + std::to_string(i) + (i % 2 ? ".AVI" : ".mkv")));
  }
}

}  // namespace

int main() {
  const fs::path root = fs::temp_directory_path() / "lc_bench_playlist";
  fs::remove_all(root);
  fs::create_directories(root);

  lc::playlist::DiskFileSystem disk;
  lc::settings::SettingsStore settings;
  settings.MediaExtensions = lc::settings::BuiltInMediaExtensions();
  lc::settings::TextTable texts;
  lc::settings::SetDefaultTexts(texts);
  QuietLink link;
  lc::playlist::Playlist playlist(link, disk, settings, texts, Native(root) + "/", Native(root / "auto.lpl"));

  // The line limit caps a load at 1,000 entries; 10,000 are read whole
  // through the file reader as well, so both figures show the reading.
  for (int entries : {1000, 10000}) {
    const std::string file = WriteList(root, entries);
    const double load = BestMs(20, [&] { playlist.LoadFromList(file, true, true); });
    std::string bytes;
    const double parse = BestMs(20, [&] {
      disk.ReadWhole(file, ~0ull, bytes);
      lc::playlist::ParsePlaylistBytes(bytes, 0);
    });
    std::printf("load %5d-entry list:  %8.3f ms (%d entries kept), read and decode all: %8.3f ms\n", entries, load,
                playlist.Count(), parse);
  }
  {
    // A list of 10,000 entries built by adding, then saved and read back.
    playlist.RemoveAll();
    for (int i = 0; i < 10000; ++i) playlist.AppendMovie("C:\\Movies\\Episode " + std::to_string(i) + ".avi");
    playlist.RebuildLines();
    const std::string file = Native(root / "saved.lpl");
    const double save = BestMs(20, [&] { playlist.SavePlaylist(file, true); });
    std::printf("save 10000-entry list: %8.3f ms (%ju bytes)\n", save, static_cast<std::uintmax_t>(fs::file_size(file)));
  }
  {
    MakeTree(root / "tree", 10000);
    std::size_t found = 0;
    const double scan = BestMs(5, [&] {
      std::vector<std::string> result;
      lc::playlist::ScanFolderForVideos(disk, Native(root / "tree"), settings.MediaExtensions, result);
      found = result.size();
    });
    std::vector<std::string> result;
    lc::playlist::ScanFolderForVideos(disk, Native(root / "tree"), settings.MediaExtensions, result);
    const double sort = BestMs(5, [&] {
      std::vector<std::string> copy = result;
      lc::playlist::SortByFileName(copy);
    });
    std::printf("scan 10000-file tree:  %8.3f ms (%zu movies), sort by name: %8.3f ms\n", scan, found, sort);
  }
  fs::remove_all(root);
  std::printf("targets: 1000 entries load in at most 20 ms; 10000 in at most 240 ms\n");
  return 0;
}
