// Prints how long the playlist takes to load and save lists of 1,000 and
// 10,000 entries, to scan a generated tree of 10,000 files, and to open
// 1,000 and 1,500 names of a folder of 5,000 files as a new list (and
// 1,500 names as the first instance's command line), each movie's subtitle
// searched as the player searches it. Figures only:
// nothing here fails.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "playlist/command_line_movies.h"
#include "playlist/file_opening.h"
#include "playlist/file_system.h"
#include "playlist/folder_scan.h"
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "settings/settings_store.h"
#include "settings/text_table.h"
#include "subtitles/loader.h"
#include "subtitles/search.h"
#ifdef _WIN32
#include "subtitles/win/subtitle_folders_win.h"
#endif

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
  // The player's search: through the folders of the operation, each
  // candidate confirmed by the silent check.
  std::string SearchSubtitle(const std::string& movie) override {
    if (!folders) return {};
    return lc::subtitles::SearchSubtitle(movie, search, *folders, [](const std::string& path) {
      return lc::subtitles::CheckSubtitleFile(path);
    });
  }
  const lc::subtitles::SubtitleFolders* folders = nullptr;
  lc::subtitles::SearchSettings search;
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

// A folder of 5,000 files as a season's worth of recordings: 4,000 movies
// and, for every fourth of them, a subtitle of the same name. Returns the
// movies' paths.
std::vector<std::string> MakeBigFolder(const fs::path& folder) {
  fs::create_directories(folder);
  std::vector<std::string> movies;
  for (int i = 0; i < 4000; ++i) {
    const std::string base = "Recording " + std::to_string(100000 + i);
    std::ofstream(folder / (base + ".avi")) << "x";
    movies.push_back(Native(folder / (base + ".avi")));
    if (i % 4 == 0) {
      std::ofstream(folder / (base + ".srt")) << "1\r\n00:00:01,000 --> 00:00:02,000\r\nOne\r\n\r\n"
                                                 "2\r\n00:00:03,000 --> 00:00:04,000\r\nTwo\r\n\r\n"
                                                 "3\r\n00:00:05,000 --> 00:00:06,000\r\nThree\r\n";
    }
  }
  return movies;
}

// Opening `count` of the folder's movies as a new list, the way the open
// dialog or the command line hands them over.
void BenchOpening(lc::playlist::Playlist& playlist, QuietLink& link, lc::playlist::DiskFileSystem& disk,
                  const lc::settings::SettingsStore& settings, const lc::settings::TextTable& texts,
                  const std::vector<std::string>& movies) {
  lc::playlist::FileOpener opener(playlist, link, disk, settings, texts);
#ifdef _WIN32
  const lc::subtitles::WinSubtitleFolders diskFolders;  // as the player lists folders
#else
  const lc::subtitles::DiskFolders diskFolders;
#endif
  const std::string folder = movies.front().substr(0, movies.front().find_last_of("\\/") + 1);
  std::size_t listed = 0;
  const double listing = BestMs(3, [&] { listed = diskFolders.FileNames(folder).size(); });
  const double portable = BestMs(3, [&] { listed = lc::subtitles::DiskFolders().FileNames(folder).size(); });
  std::printf("list the 5000-file folder:    %8.3f ms (%zu files; the portable listing %8.3f ms)\n", listing, listed,
              portable);
  lc::subtitles::FolderListingCache cache(diskFolders);
  link.search.MediaExtensions = settings.MediaExtensions;
  for (std::size_t count : {std::size_t{1000}, std::size_t{1500}}) {
    const std::vector<std::string> names(movies.begin(), movies.begin() + static_cast<std::ptrdiff_t>(count));
    link.folders = &cache;
    const double open = BestMs(3, [&] {
      opener.OpenFiles(names, -1);
      cache.Forget();  // the player forgets the folders after each operation
    });
    std::size_t subtitles = 0;
    for (const std::string& s : playlist.Entries().PlaylistSubtitles) subtitles += s != lc::playlist::kNoSubtitle;
    std::printf("open %4zu names of a 5000-file folder: %8.3f ms (%d entries, %zu subtitles)\n", count, open,
                playlist.Count(), subtitles);
  }
  {
    // The first instance's command line: the same searches, in the
    // arguments' order.
    const std::vector<std::string> names(movies.begin(), movies.begin() + 1500);
    std::size_t gathered = 0;
    const double gather = BestMs(3, [&] {
      gathered = lc::playlist::GatherCommandLineMovies(names, settings.MediaExtensions, true, disk, [&](const std::string& m) {
                   return link.SearchSubtitle(m);
                 }).size();
      cache.Forget();
    });
    std::printf("gather 1500 command-line names:     %8.3f ms (%zu entries)\n", gather, gathered);
  }
  // The same search without the operation's view of the folders lists the
  // folder twice for every movie.
  const std::vector<std::string> few(movies.begin(), movies.begin() + 50);
  link.folders = &diskFolders;
  const double uncached = BestMs(1, [&] { opener.OpenFiles(few, -1); });
  std::printf("open   50 names, every search listing the folder: %8.3f ms (%.1f ms a name)\n", uncached,
              uncached / 50);
  link.folders = nullptr;
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
  settings.AutoLoadSubtitle = true;
  BenchOpening(playlist, link, disk, settings, texts, MakeBigFolder(root / "big"));
  fs::remove_all(root);
  std::printf("targets: 1000 entries load in at most 20 ms; 10000 in at most 240 ms; under Wine, 1000 names of a\n"
              "5000-file folder open in at most 200 ms and 1500 command-line names are gathered in at most 1000 ms\n");
  return 0;
}
