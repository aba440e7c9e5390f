#include "playlist/playlist.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>

#include "playlist/folder_scan.h"
#include "playlist/playlist_file.h"
#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

std::size_t Digits(std::size_t n) {
  std::size_t digits = 1;
  for (; n >= 10; n /= 10) ++digits;
  return digits;
}

RandomFunction ClockSeededRandom() {
  auto engine = std::make_shared<std::mt19937>(
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  return [engine](std::size_t bound) { return std::uniform_int_distribution<std::size_t>(0, bound - 1)(*engine); };
}

int FindExact(const std::vector<std::string>& list, const std::string& path) {
  const auto it = std::find(list.begin(), list.end(), path);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

}  // namespace

std::string FileMessage(const std::string& prefix, const std::string& file, const std::string& suffix) {
  return prefix + " \"" + file + "\"" + (suffix.empty() ? std::string("!") : " " + suffix);
}

Playlist::Playlist(PlayerLink& link, FileSystem& files, settings::SettingsStore& settings,
                   const settings::TextTable& texts, std::string dataFolder, std::string autoPlaylistFile)
    : link_(link),
      files_(files),
      settings_(settings),
      texts_(texts),
      dataFolder_(std::move(dataFolder)),
      autoPlaylistFile_(std::move(autoPlaylistFile)),
      random_(ClockSeededRandom()) {}

void Playlist::SetItemIndex(int index) {
  itemIndex_ = index >= 0 && index < Count() ? index : -1;
  LinesChanged();
}

// ------------------------------------------------------------ lines

std::size_t Playlist::NumberWidth() const { return Digits(entries_.PlaylistMovies.size()); }

std::string Playlist::LineFor(int index, std::size_t width) const {
  std::string number = std::to_string(index + 1);
  if (number.size() < width) number.insert(0, width - number.size(), '0');
  return number + ". " + FileNamePart(entries_.PlaylistMovies[index]);
}

void Playlist::RebuildLines() {
  const std::size_t width = NumberWidth();
  lines_.clear();
  lines_.reserve(entries_.PlaylistMovies.size());
  for (int i = 0; i < Count(); ++i) lines_.push_back(LineFor(i, width));
  LinesChanged();
}

void Playlist::SetLineName(int index, const std::string& path) {
  std::string& line = lines_[index];
  line = line.substr(0, line.find(". ") + 2) + FileNamePart(path);
}

// ------------------------------------------------------------ adding

std::string Playlist::SubtitleFor(const std::string& movie) {
  if (!settings_.AutoLoadSubtitle) return kNoSubtitle;
  std::string found = link_.SearchSubtitle(movie);
  return found.empty() ? std::string(kNoSubtitle) : found;
}

void Playlist::AppendMovie(const std::string& path) {
  entries_.PlaylistMovies.push_back(path);
  if (settings_.Shuffle) entries_.ShufflePool.push_back(path);
  entries_.PlaylistSubtitles.push_back(SubtitleFor(path));
}

void Playlist::AddMovie(const std::string& path) {
  link_.SetCloseWhenListEnds(false);
  const int selected = itemIndex_;
  if (files_.FileExists(path)) AppendMovie(path);
  RebuildLines();
  SetItemIndex(selected);
}

void Playlist::ClearModel() {
  entries_ = PlaylistEntries{};
  lines_.clear();
  itemIndex_ = -1;
  cutFile_.clear();
  cutTail_.clear();
  LinesChanged();
}

void Playlist::ClearForNewList() { ClearModel(); }

// ------------------------------------------------------------ edits

void Playlist::RemoveFromPool(const std::string& path) {
  const int at = FindExact(entries_.ShufflePool, path);
  if (at >= 0) entries_.ShufflePool.erase(entries_.ShufflePool.begin() + at);
}

void Playlist::RemoveMovie() {
  const int s = itemIndex_;
  if (s < 0 || s >= Count()) return;
  if (s <= entries_.PlaylistIndex) --entries_.PlaylistIndex;
  if (settings_.Shuffle) RemoveFromPool(entries_.PlaylistMovies[s]);
  entries_.PlaylistMovies.erase(entries_.PlaylistMovies.begin() + s);
  entries_.PlaylistSubtitles.erase(entries_.PlaylistSubtitles.begin() + s);
  // Every line keeps its number; only the width can change.
  RebuildLines();
  SetItemIndex(std::max(std::min(s, Count() - 1), 0));
  link_.SelectionChanged();
  if (Count() == 0) {
    // The entries beyond the load limit go with the list they belonged to.
    cutFile_.clear();
    cutTail_.clear();
    link_.SetPreviousMovieSettingsValid(false);
  }
}

void Playlist::RemoveAll() {
  ClearModel();
  link_.SelectionChanged();
  link_.SetCloseWhenListEnds(false);
  link_.SetPreviousMovieSettingsValid(false);
}

void Playlist::ReplaceMovie(const std::string& path) {
  const int s = itemIndex_;
  if (s < 0 || s >= Count() || !files_.FileExists(path)) return;
  link_.SetCloseWhenListEnds(false);
  if (settings_.Shuffle) {
    RemoveFromPool(entries_.PlaylistMovies[s]);
    entries_.ShufflePool.push_back(path);
  }
  entries_.PlaylistMovies[s] = path;
  SetLineName(s, path);
  entries_.PlaylistSubtitles[s] = SubtitleFor(path);
  LinesChanged();
  link_.SelectionChanged();
}

void Playlist::SwapEntries(int a, int b) {
  std::swap(entries_.PlaylistMovies[a], entries_.PlaylistMovies[b]);
  std::swap(entries_.PlaylistSubtitles[a], entries_.PlaylistSubtitles[b]);
  SetLineName(a, entries_.PlaylistMovies[a]);
  SetLineName(b, entries_.PlaylistMovies[b]);
  if (entries_.PlaylistIndex == a) {
    entries_.PlaylistIndex = b;
  } else if (entries_.PlaylistIndex == b) {
    entries_.PlaylistIndex = a;
  }
}

void Playlist::MoveUp(bool selectionFollows) {
  const int s = itemIndex_;
  if (s < 1 || s >= Count()) return;
  SwapEntries(s, s - 1);
  if (selectionFollows) itemIndex_ = s - 1;
  LinesChanged();
}

void Playlist::MoveDown(bool selectionFollows) {
  const int s = itemIndex_;
  if (s < 0 || s >= Count() - 1) return;
  SwapEntries(s, s + 1);
  if (selectionFollows) itemIndex_ = s + 1;
  LinesChanged();
}

void Playlist::ReorderAndReselect(const std::vector<std::size_t>& order) {
  const std::string selected = itemIndex_ >= 0 ? entries_.PlaylistMovies[itemIndex_] : std::string();
  const bool hadSelection = itemIndex_ >= 0;
  std::vector<std::string> movies, subtitles;
  movies.reserve(order.size());
  subtitles.reserve(order.size());
  for (std::size_t from : order) {
    movies.push_back(std::move(entries_.PlaylistMovies[from]));
    subtitles.push_back(std::move(entries_.PlaylistSubtitles[from]));
  }
  entries_.PlaylistMovies = std::move(movies);
  entries_.PlaylistSubtitles = std::move(subtitles);
  RebuildLines();
  itemIndex_ = -1;
  if (hadSelection) {
    for (int i = 0; i < Count(); ++i) {
      if (entries_.PlaylistMovies[i] == selected) itemIndex_ = i;
    }
  }
  LinesChanged();
  link_.SelectionChanged();
}

void Playlist::SortByFileName() { ReorderAndReselect(FileNameOrder(entries_.PlaylistMovies)); }

void Playlist::Randomize() {
  if (Count() < 2) return;
  std::vector<std::size_t> remaining(entries_.PlaylistMovies.size());
  for (std::size_t i = 0; i < remaining.size(); ++i) remaining[i] = i;
  std::vector<std::size_t> order;
  order.reserve(remaining.size());
  while (remaining.size() > 1) {
    const std::size_t pick = random_(remaining.size());
    order.push_back(remaining[pick]);
    remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(pick));
  }
  order.push_back(remaining.front());
  ReorderAndReselect(order);
}

void Playlist::SetShuffle(bool on) {
  settings_.Shuffle = on;
  if (on) {
    entries_.ShufflePool = entries_.PlaylistMovies;
  } else {
    entries_.ShufflePool.clear();
  }
  entries_.ShuffleHistory.clear();
}

void Playlist::SubtitleAttached(const std::string& file, const std::string& currentMovie) {
  if (Count() == 0) return;
  if (itemIndex_ >= 0 && entries_.PlaylistMovies[itemIndex_] == currentMovie) {
    entries_.PlaylistSubtitles[itemIndex_] = file;
    link_.SelectionChanged();
    return;
  }
  for (int i = 0; i < Count(); ++i) {
    if (entries_.PlaylistMovies[i] == currentMovie) entries_.PlaylistSubtitles[i] = file;
  }
}

// ------------------------------------------------------------ playing

void Playlist::PlayEntry(bool userAction) {
  const bool listHadFocus = link_.ListHasFocus();
  for (;;) {
    entries_.PlaylistIndex = -1;
    const int s = itemIndex_;
    if (s < 0 || s >= Count()) return;
    if (link_.StopEnabled() && !link_.StopPlayback()) return;
    entries_.PlaylistIndex = s;
    const std::string movie = entries_.PlaylistMovies[s];
    link_.SetCurrentMovieFile(movie);
    if (settings_.Shuffle) {
      RemoveFromPool(movie);
      auto& history = entries_.ShuffleHistory;
      if (history.empty() || history.back() != movie) history.push_back(movie);
    }
    if (files_.FileExists(movie)) {
      const bool closeWhenListEnds = link_.CloseWhenListEnds();
      link_.OpenMovie(true, false);
      link_.SetCloseWhenListEnds(closeWhenListEnds);
      link_.SetPreviousMovieSettingsValid(true);
      link_.AfterEntryOpened(listHadFocus);
      return;
    }
    if (userAction) {
      link_.ShowMessage(FileMessage(texts_.TextMessages[10], movie, texts_.TextMessages[11]),
                        MessageOwner::PlaylistWindow);
      return;
    }
    if (s + 1 >= Count()) return;
    itemIndex_ = s + 1;
    LinesChanged();
    link_.SelectionChanged();
  }
}

int Playlist::PickShuffleNext() {
  auto& pool = entries_.ShufflePool;
  while (!pool.empty()) {
    const std::size_t r = random_(pool.size());
    const int entry = FindExact(entries_.PlaylistMovies, pool[r]);
    if (entry >= 0) return entry;
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(r));
  }
  return -1;
}

int Playlist::RestartShuffleRound() {
  entries_.ShuffleHistory.clear();
  entries_.ShufflePool = entries_.PlaylistMovies;
  if (Count() == 0) return -1;
  return static_cast<int>(random_(entries_.PlaylistMovies.size()));
}

int Playlist::PickShufflePrevious() {
  auto& history = entries_.ShuffleHistory;
  for (int k = static_cast<int>(history.size()) - 2; k >= 0; --k) {
    const int entry = FindExact(entries_.PlaylistMovies, history[k]);
    if (entry >= 0) {
      history.resize(k);
      return entry;
    }
  }
  history.clear();
  return -1;
}

}  // namespace lc::playlist
