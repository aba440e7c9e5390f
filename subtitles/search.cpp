#include "subtitles/search.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "kit/text_utils.h"
#include "settings/text_encoding.h"

namespace lc::subtitles {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kSubtitleExtensions[] = {"sub", "srt", "txt", "ssa"};

fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string FromPath(const fs::path& path) {
  const std::u8string name = path.u8string();
  return std::string(reinterpret_cast<const char*>(name.data()), name.size());
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The folder with its separator: "\" unless it already uses "/" alone.
std::string WithSeparator(std::string folder) {
  if (folder.empty() || IsSeparator(folder.back())) return folder;
  const bool slashes = folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos;
  return folder + (slashes ? '/' : '\\');
}

std::string FolderOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string FileNameOf(const std::string& path) {
  const std::size_t cut = path.find_last_of("\\/");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// One scoring pass: `same` points for an equal character, `caseOnly` for
// one equal only after lower-casing; stops at the first other. Returns the
// 1-based stop position (n + 1 when it ran through).
std::size_t ScorePass(std::string_view a, std::string_view b, bool reversed, int same, int caseOnly,
                      int weightEach, long long& points, long long& weight) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t j = 0; j < n; ++j) {
    const char x = reversed ? a[a.size() - 1 - j] : a[j];
    const char y = reversed ? b[b.size() - 1 - j] : b[j];
    if (x == y) {
      points += same;
    } else if (LoCaseCP1250(x) == LoCaseCP1250(y)) {
      points += caseOnly;
    } else {
      return j + 1;
    }
    weight += weightEach;
  }
  return n + 1;
}

// NameScore of names already in the ANSI code page.
float AnsiNameScore(std::string_view s, std::string_view m, CaseOnlyPoints points) {
  long long sum = 0;
  long long weight = 0;
  const std::size_t a = ScorePass(s, m, false, 200, points.Forward, 2, sum, weight);
  const std::size_t b = ScorePass(s, m, true, 100, points.Backward, 1, sum, weight);
  // The unmatched middle, and one more, weigh against the name.
  const long long middle = static_cast<long long>(std::max(s.size(), m.size())) -
                           static_cast<long long>(b) + 1;
  if (middle >= static_cast<long long>(a)) weight += middle - static_cast<long long>(a) + 2;
  return weight == 0 ? 0.0f : static_cast<float>(sum) / static_cast<float>(weight);
}

// Index of the first of the best scores at or above `threshold`; -1 for none.
template <class T, class Score>
int BestOf(const std::vector<T>& items, float threshold, Score score) {
  int best = -1;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (score(items[i]) < threshold) continue;
    if (best < 0 || score(items[i]) > score(items[static_cast<std::size_t>(best)])) best = static_cast<int>(i);
  }
  return best;
}

std::string AnsiBaseOf(std::string_view utf8Name) {
  return settings::CurrentAnsiCodec().FromUtf8(utf8Name.substr(0, utf8Name.rfind('.')));
}

}  // namespace

std::string BaseName(std::string_view fileName) {
  return std::string(fileName.substr(0, fileName.rfind('.')));
}

float NameScore(std::string_view candidateBase, std::string_view movieBase, CaseOnlyPoints points) {
  const settings::AnsiCodec& codec = settings::CurrentAnsiCodec();
  return AnsiNameScore(codec.FromUtf8(candidateBase), codec.FromUtf8(movieBase), points);
}

float ScoreThreshold(int mediaFiles, std::size_t candidates) {
  if (mediaFiles >= 2) return 75.0f;
  const double power = std::min(2.59, static_cast<double>(candidates));
  return static_cast<float>(std::max(12.5 * std::pow(2.0, power), 25.0));
}

bool DiskFolders::DriveReady(char letter) const {
  return FolderExists(std::string(1, letter) + ":\\");
}

bool DiskFolders::FolderExists(const std::string& folder) const {
  std::error_code ec;
  return fs::is_directory(ToPath(folder), ec);
}

std::vector<std::string> DiskFolders::FileNames(const std::string& folder) const {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(ToPath(folder), ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_directory(ec)) names.push_back(FromPath(it->path().filename()));
  }
  return names;
}

std::string DiskFolders::CurrentFolder() const {
  std::error_code ec;
  return FromPath(fs::current_path(ec));
}

bool HasExtension(std::string_view fileName, std::string_view extension) {
  if (fileName.size() <= extension.size()) return false;
  const std::size_t dot = fileName.size() - extension.size() - 1;
  if (fileName[dot] != '.') return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    const char c = fileName[dot + 1 + i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    const char wanted = extension[i] >= 'A' && extension[i] <= 'Z'
                            ? static_cast<char>(extension[i] - 'A' + 'a')
                            : extension[i];
    if (lower != wanted) return false;
  }
  return true;
}

std::vector<std::string> SearchFolders(const std::string& movie, const SearchSettings& settings,
                                       const SubtitleFolders& folders) {
  std::string movieFolder = FolderOf(movie);
  if (movieFolder.empty()) movieFolder = folders.CurrentFolder();
  std::vector<std::string> order = {WithSeparator(movieFolder),
                                    WithSeparator(settings.SubtitleDirectory)};
  if (settings.SearchHereFirst) std::swap(order[0], order[1]);
  std::vector<std::string> usable;
  for (const auto& folder : order) {
    if (folder.empty()) continue;
    if (IsLetter(folder[0]) ? folders.DriveReady(folder[0]) : folders.FolderExists(folder)) {
      usable.push_back(folder);
    }
  }
  return usable;
}

SubtitleFileList SubtitleFolders::SubtitleFiles(const std::string& folder) const {
  const std::vector<std::string> names = FileNames(folder);
  auto found = std::make_shared<std::vector<SubtitleFile>>();
  for (const auto extension : kSubtitleExtensions) {
    for (const auto& name : names) {
      if (HasExtension(name, extension)) found->push_back({name, AnsiBaseOf(name)});
    }
  }
  return found;
}

int SubtitleFolders::MediaFileCount(const std::string& folder, const std::vector<std::string>& extensions) const {
  const std::vector<std::string> names = FileNames(folder);
  int count = 0;
  for (const auto& extension : extensions) {
    for (const auto& name : names) {
      if (HasExtension(name, extension) && ++count >= 2) return count;
    }
  }
  return count;
}

namespace {

// The value kept for `key`, asked of `ask` the first time.
template <class Map, class Ask>
const typename Map::mapped_type& Kept(Map& map, const typename Map::key_type& key, Ask ask) {
  auto it = map.find(key);
  if (it == map.end()) it = map.emplace(key, ask()).first;
  return it->second;
}

}  // namespace

bool FolderListingCache::DriveReady(char letter) const {
  return Kept(drives_, letter, [&] { return disk_.DriveReady(letter); });
}

bool FolderListingCache::FolderExists(const std::string& folder) const {
  return Kept(folders_, folder, [&] { return disk_.FolderExists(folder); });
}

std::vector<std::string> FolderListingCache::FileNames(const std::string& folder) const {
  return Kept(names_, folder, [&] { return disk_.FileNames(folder); });
}

SubtitleFileList FolderListingCache::SubtitleFiles(const std::string& folder) const {
  return Kept(subtitleFiles_, folder, [&] { return SubtitleFolders::SubtitleFiles(folder); });
}

int FolderListingCache::MediaFileCount(const std::string& folder, const std::vector<std::string>& extensions) const {
  std::string key = folder;
  for (const auto& extension : extensions) key += '|' + extension;
  return Kept(mediaCounts_, key, [&] { return SubtitleFolders::MediaFileCount(folder, extensions); });
}

void FolderListingCache::Forget() {
  drives_.clear();
  folders_.clear();
  names_.clear();
  subtitleFiles_.clear();
  mediaCounts_.clear();
}

namespace {

// A subtitle file of a searched folder with its score; it points into the
// folder's list and at the folder's name.
struct ScoredFile {
  const SubtitleFile* File;
  const std::string* Folder;
  float Score;
};

// The subtitle files of the searched folders, each scored against the
// movie's base name, and the lists that hold them.
struct ScoredFiles {
  std::vector<SubtitleFileList> Lists;
  std::vector<ScoredFile> Files;
};

// Scores every subtitle file of `searchFolders` (which must outlive the
// result) in GatherCandidates' order, without copying a name: a list of
// many movies from one folder scores every subtitle file of it per movie.
ScoredFiles ScoreFiles(const std::string& movie, const std::vector<std::string>& searchFolders,
                       const SubtitleFolders& folders, CaseOnlyPoints points) {
  const std::string movieBase = AnsiBaseOf(FileNameOf(movie));
  ScoredFiles scored;
  for (const std::string& folder : searchFolders) {
    scored.Lists.push_back(folders.SubtitleFiles(folder));
    for (const SubtitleFile& file : *scored.Lists.back()) {
      scored.Files.push_back({&file, &folder, AnsiNameScore(file.AnsiBase, movieBase, points)});
    }
  }
  return scored;
}

}  // namespace

std::vector<SubtitleCandidate> GatherCandidates(const std::string& movie,
                                                const std::vector<std::string>& searchFolders,
                                                const SubtitleFolders& folders,
                                                CaseOnlyPoints points) {
  const ScoredFiles scored = ScoreFiles(movie, searchFolders, folders, points);
  std::vector<SubtitleCandidate> candidates;
  candidates.reserve(scored.Files.size());
  for (const ScoredFile& file : scored.Files) candidates.push_back({file.File->Name, *file.Folder, file.Score});
  return candidates;
}

int CountMediaFiles(const std::string& movie, const SearchSettings& settings,
                    const SubtitleFolders& folders) {
  std::string movieFolder = FolderOf(movie);
  if (movieFolder.empty()) movieFolder = folders.CurrentFolder();
  return folders.MediaFileCount(WithSeparator(movieFolder), settings.MediaExtensions);
}

int BestCandidate(const std::vector<SubtitleCandidate>& candidates, float threshold) {
  return BestOf(candidates, threshold, [](const SubtitleCandidate& c) { return c.Score; });
}

// As GatherCandidates and BestCandidate, over the scored files themselves.
std::string SearchSubtitle(const std::string& movie, const SearchSettings& settings,
                           const SubtitleFolders& folders,
                           const std::function<bool(const std::string& path)>& accept) {
  const std::vector<std::string> searchFolders = SearchFolders(movie, settings, folders);
  ScoredFiles scored = ScoreFiles(movie, searchFolders, folders, {});
  std::vector<ScoredFile>& candidates = scored.Files;
  const float threshold = ScoreThreshold(CountMediaFiles(movie, settings, folders), candidates.size());
  const auto score = [](const ScoredFile& c) { return c.Score; };
  for (int pick = BestOf(candidates, threshold, score); pick >= 0; pick = BestOf(candidates, threshold, score)) {
    const ScoredFile& chosen = candidates[static_cast<std::size_t>(pick)];
    const std::string path = *chosen.Folder + chosen.File->Name;
    if (accept(path)) return path;
    candidates.erase(candidates.begin() + pick);
  }
  return {};
}

}  // namespace lc::subtitles
