// Finding the subtitle file that belongs to a movie: the candidates of the
// movie's folder and the subtitle folder, ranked by how much their names
// resemble the movie's, tried best first.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lc::subtitles {

// The file name without the part from its last "." on (whole when it has
// no ".").
std::string BaseName(std::string_view fileName);

// Points for a position where the names differ only in letter case, in the
// pass from the front and the pass from the back. The automatic search
// gives 100 and 50; the playlist's candidate list 150 and 75.
struct CaseOnlyPoints {
  int Forward = 100;
  int Backward = 50;
};

// How much a candidate's base name resembles the movie's, as a percentage
// (100: the same name). Both names are compared as 8-bit characters of
// the ANSI code page (given in UTF-8, converted here), letter case through
// the Windows-1250 lower case.
float NameScore(std::string_view candidateBase, std::string_view movieBase,
                CaseOnlyPoints points = {});

// The lowest score taken: 75 when the movie's folder holds two or more
// media files, otherwise 12.5 x 2^min(2.59, candidates), at least 25.
float ScoreThreshold(int mediaFiles, std::size_t candidates);

// A subtitle file of a folder as the search scores it.
struct SubtitleFile {
  std::string Name;      // the file name
  std::string AnsiBase;  // its base name in the ANSI code page, as NameScore compares it
};
using SubtitleFileList = std::shared_ptr<const std::vector<SubtitleFile>>;

// What the search needs of the file system. Folder names end with their
// separator; file names have no folder.
class SubtitleFolders {
 public:
  virtual ~SubtitleFolders() = default;
  virtual bool DriveReady(char letter) const = 0;
  virtual bool FolderExists(const std::string& folder) const = 0;
  // The names of the files in the folder, in the order the system lists them.
  virtual std::vector<std::string> FileNames(const std::string& folder) const = 0;
  // The process's current folder.
  virtual std::string CurrentFolder() const = 0;
  // The folder's "*.sub", "*.srt", "*.txt" and "*.ssa" files, in that
  // order, each kind in the order of FileNames.
  virtual SubtitleFileList SubtitleFiles(const std::string& folder) const;
  // How many of the folder's files have one of `extensions`, counted up
  // to two.
  virtual int MediaFileCount(const std::string& folder, const std::vector<std::string>& extensions) const;
};

// The folders as one operation sees them: each folder is listed once and
// what the search needs of it is kept, so that a list of many movies from
// one large folder lists it once instead of twice per movie. The disk may
// change later: Forget drops everything kept (the player does so when the
// operation that searched has ended). Not thread-safe.
class FolderListingCache : public SubtitleFolders {
 public:
  explicit FolderListingCache(const SubtitleFolders& disk) : disk_(disk) {}
  bool DriveReady(char letter) const override;
  bool FolderExists(const std::string& folder) const override;
  std::vector<std::string> FileNames(const std::string& folder) const override;
  std::string CurrentFolder() const override { return disk_.CurrentFolder(); }
  SubtitleFileList SubtitleFiles(const std::string& folder) const override;
  int MediaFileCount(const std::string& folder, const std::vector<std::string>& extensions) const override;
  void Forget();

 private:
  const SubtitleFolders& disk_;
  mutable std::map<char, bool> drives_;
  mutable std::map<std::string, bool> folders_;
  mutable std::map<std::string, std::vector<std::string>> names_;
  mutable std::map<std::string, SubtitleFileList> subtitleFiles_;
  mutable std::map<std::string, int> mediaCounts_;  // keyed by folder and extensions
};

// The disk through std::filesystem (UTF-8 names). A drive is ready when
// its root folder exists; the Windows player may override DriveReady with
// the platform's quieter test.
class DiskFolders : public SubtitleFolders {
 public:
  bool DriveReady(char letter) const override;
  bool FolderExists(const std::string& folder) const override;
  std::vector<std::string> FileNames(const std::string& folder) const override;
  std::string CurrentFolder() const override;
};

// Whether a file name has the extension (no dot), letters in any case.
bool HasExtension(std::string_view fileName, std::string_view extension);

struct SearchSettings {
  std::string SubtitleDirectory;             // may be empty
  bool SearchHereFirst = false;              // the subtitle folder before the movie's
  std::vector<std::string> MediaExtensions;  // lower case, no dots
};

struct SubtitleCandidate {
  std::string Name;    // file name
  std::string Folder;  // ending in its separator
  float Score = 0;
};

// The folders to search for `movie`, in order, each ending in a separator:
// the movie's folder (the current folder when the path has none) and the
// subtitle folder, swapped by SearchHereFirst. An empty folder is left
// out; a folder that begins with a letter is kept only when that drive is
// ready, any other only when it exists.
std::vector<std::string> SearchFolders(const std::string& movie, const SearchSettings& settings,
                                       const SubtitleFolders& folders);

// The "*.sub", "*.srt", "*.txt" and "*.ssa" files of the folders, in that
// order per folder, scored against the movie's base name.
std::vector<SubtitleCandidate> GatherCandidates(const std::string& movie,
                                                const std::vector<std::string>& searchFolders,
                                                const SubtitleFolders& folders,
                                                CaseOnlyPoints points = {});

// The number of media files in the movie's folder, counted up to two.
int CountMediaFiles(const std::string& movie, const SearchSettings& settings,
                    const SubtitleFolders& folders);

// Index of the best candidate scoring at least `threshold` (the earlier
// one among equals); -1 when none does.
int BestCandidate(const std::vector<SubtitleCandidate>& candidates, float threshold);

// The search: candidates are tried best first until `accept` takes one
// (the silent check, or a silent load); its path, or "" when none was
// taken.
std::string SearchSubtitle(const std::string& movie, const SearchSettings& settings,
                           const SubtitleFolders& folders,
                           const std::function<bool(const std::string& path)>& accept);

}  // namespace lc::subtitles
