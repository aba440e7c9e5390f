// Test doubles of the playlist tests: a player link that records what the
// playlist asks of the windows, and an in-memory file system with links.
// (Tests on disk use the settings tests' ScratchFolder.)
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "playlist/file_system.h"
#include "playlist/player_link.h"

namespace lc::playlist::testing {

class RecordingLink : public PlayerLink {
 public:
  bool closeWhenListEnds = false;
  bool previousSettingsValid = false;
  std::string currentMovie;
  bool busy = false;
  bool graphActive = false;
  bool stopEnabled = false;
  bool stopRefused = false;
  bool subtitleLoads = true;
  bool listHasFocus = false;
  bool openSucceeds = true;  // an opened movie leaves an active graph
  std::map<std::string, std::string> subtitlesFound;  // movie -> subtitle
  // What the playlist did, one text per call ("open " + movie, ...).
  std::vector<std::string> calls;
  std::vector<std::string> messages;
  int selectionChanges = 0;

  bool CloseWhenListEnds() const override { return closeWhenListEnds; }
  void SetCloseWhenListEnds(bool value) override { closeWhenListEnds = value; }
  void SetPreviousMovieSettingsValid(bool valid) override { previousSettingsValid = valid; }
  std::string CurrentMovieFile() const override { return currentMovie; }
  void SetCurrentMovieFile(const std::string& path) override { currentMovie = path; }
  bool Busy() const override { return busy; }
  bool GraphActive() const override { return graphActive; }
  bool StopEnabled() const override { return stopEnabled; }
  bool StopPlayback() override {
    calls.push_back("stop");
    return !stopRefused;
  }
  void StopForNewList() override {
    calls.push_back("stop for new list");
    if (onStopForNewList) onStopForNewList();
  }
  std::function<void()> onStopForNewList;
  void OpenMovie(bool playAfterOpen, bool addNextParts) override {
    calls.push_back("open " + currentMovie + (playAfterOpen ? " play" : " paused") + (addNextParts ? " parts" : ""));
    // An opening of a movie from outside would set this again; the list
    // must put back the value it had.
    closeWhenListEnds = false;
    graphActive = openSucceeds;
  }
  bool AttachSubtitle(const std::string& file) override {
    calls.push_back("subtitle " + file);
    return subtitleLoads;
  }
  bool LoadChosenSubtitle(const std::string& file) override {
    calls.push_back("chosen subtitle " + file);
    return subtitleLoads;
  }
  void DetachSubtitle() override { calls.push_back("no subtitle"); }
  std::string SearchSubtitle(const std::string& movie) override {
    const auto it = subtitlesFound.find(movie);
    return it == subtitlesFound.end() ? std::string() : it->second;
  }
  void ShowMessage(const std::string& text, MessageOwner owner) override {
    messages.push_back((owner == MessageOwner::MainWindow ? "main: " : "playlist: ") + text);
  }
  void SelectionChanged() override { ++selectionChanges; }
  bool ListHasFocus() const override { return listHasFocus; }
  void AfterEntryOpened(bool listHadFocus) override {
    calls.push_back(listHadFocus ? "arrange focused" : "arrange");
  }
  void ShowPlaylistWindow() override { calls.push_back("show playlist"); }
};

// Files and folders in memory. Paths are Windows paths; a folder is named
// without its last "\". A link makes one folder path show another folder.
class FakeFileSystem : public FileSystem {
 public:
  void AddFile(const std::string& path, std::string bytes = {}) {
    AddFolder(Parent(path));
    if (!files_.count(path)) Listing(Parent(path)).push_back({Name(path), true});
    files_[path] = std::move(bytes);
  }
  void AddFolder(const std::string& folder) {
    const std::string f = Trim(folder);
    if (f.empty() || folders_.count(f)) return;
    folders_.insert(f);
    const std::string parent = Parent(f);
    if (!parent.empty() && parent != f) {
      AddFolder(parent);
      Listing(parent).push_back({Name(f), false});
    }
  }
  // `link` (inside an existing folder) leads to `target`.
  void AddLink(const std::string& link, const std::string& target) {
    links_[Trim(link)] = Trim(target);
    Listing(Parent(link)).push_back({Name(link), false});
  }
  const std::string& Bytes(const std::string& path) const { return files_.at(path); }
  bool failWrites = false;
  int writes = 0;
  int folderListings = 0;

  bool FileExists(const std::string& path) const override { return files_.count(path) > 0; }
  bool FolderExists(const std::string& path) const override { return folders_.count(Resolve(path)) > 0; }
  std::vector<FolderEntry> ListFolder(const std::string& folder) const override {
    ++const_cast<FakeFileSystem*>(this)->folderListings;
    const auto it = listings_.find(Resolve(folder));
    return it == listings_.end() ? std::vector<FolderEntry>{} : it->second;
  }
  std::string FolderIdentity(const std::string& folder) const override {
    const std::string resolved = Resolve(folder);
    return folders_.count(resolved) ? "id:" + resolved : std::string();
  }
  settings::ReadStatus ReadWhole(const std::string& path, std::uint64_t maxBytes, std::string& bytes) const override {
    bytes.clear();
    const auto it = files_.find(path);
    if (it == files_.end()) return settings::ReadStatus::Missing;
    if (unreadable.count(path)) return settings::ReadStatus::Unreadable;
    if (it->second.size() > maxBytes) return settings::ReadStatus::TooLarge;
    bytes = it->second;
    return settings::ReadStatus::Ok;
  }
  bool WriteReplacing(const std::string& path, std::string_view bytes) override {
    ++writes;
    if (failWrites) return false;
    AddFile(path, std::string(bytes));
    return true;
  }
  bool KeepAside(const std::string& path) override {
    if (FolderExists(path)) return false;  // a folder is never copied
    if (!files_.count(path)) return true;
    if (unreadable.count(path)) return false;
    AddFile(path + ".bad", files_[path]);
    return true;
  }
  bool RemoveFile(const std::string& path) override {
    files_.erase(path);
    auto& listing = Listing(Parent(path));
    std::erase_if(listing, [&](const FolderEntry& e) { return e.name == Name(path); });
    return true;
  }
  bool MakeFolders(const std::string& path) override {
    AddFolder(path);
    return true;
  }
  std::set<std::string> unreadable;

 private:
  static std::string Trim(const std::string& path) {
    return !path.empty() && path.back() == '\\' ? path.substr(0, path.size() - 1) : path;
  }
  static std::string Parent(const std::string& path) {
    const std::string p = Trim(path);
    const std::size_t slash = p.rfind('\\');
    return slash == std::string::npos ? std::string() : p.substr(0, slash);
  }
  static std::string Name(const std::string& path) {
    const std::string p = Trim(path);
    return p.substr(p.rfind('\\') + 1);
  }
  // The folder a path reaches, links followed.
  std::string Resolve(const std::string& path) const {
    std::string p = Trim(path);
    for (bool changed = true; changed;) {
      changed = false;
      for (const auto& [link, target] : links_) {
        if (p == link || p.rfind(link + "\\", 0) == 0) {
          p = target + p.substr(link.size());
          changed = true;
        }
      }
    }
    return p;
  }
  std::vector<FolderEntry>& Listing(const std::string& folder) { return listings_[Trim(folder)]; }

  std::map<std::string, std::string> files_;
  std::set<std::string> folders_;
  std::map<std::string, std::string> links_;
  std::map<std::string, std::vector<FolderEntry>> listings_;
};

}  // namespace lc::playlist::testing
