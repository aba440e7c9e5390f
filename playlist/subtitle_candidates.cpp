#include "playlist/subtitle_candidates.h"

#include "playlist/playlist_file.h"
#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

// The playlist's points for letters equal only when case is ignored.
constexpr subtitles::CaseOnlyPoints kPlaylistPoints{150, 75};

bool IsDriveLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool FolderReachable(const std::string& folder, const subtitles::SubtitleFolders& folders) {
  if (folder.empty()) return false;
  return IsDriveLetter(folder[0]) ? folders.DriveReady(folder[0]) : folders.FolderExists(folder);
}

}  // namespace

EntryCandidates GatherEntryCandidates(const std::string& movie, const std::string& entrySubtitle,
                                      const subtitles::SearchSettings& settings,
                                      const subtitles::SubtitleFolders& folders,
                                      const std::function<bool(const std::string& path)>& check) {
  EntryCandidates out;
  const bool ownSubtitle = entrySubtitle != kNoSubtitle;
  if (ownSubtitle) out.Paths.push_back(entrySubtitle);
  const std::string movieFolder = FolderPart(movie);
  if (!FolderReachable(movieFolder, folders)) return out;
  out.SearchedFolder = movieFolder;
  out.SelectedLine = ownSubtitle ? 1 : 0;

  std::vector<subtitles::SubtitleCandidate> working = subtitles::GatherCandidates(
      movie, subtitles::SearchFolders(movie, settings, folders), folders, kPlaylistPoints);
  const float threshold =
      subtitles::ScoreThreshold(subtitles::CountMediaFiles(movie, settings, folders), working.size());
  const std::string ownLower = LowerText(entrySubtitle);
  while (out.Paths.size() < kMaxSubtitleCandidates) {
    const int pick = subtitles::BestCandidate(working, threshold);
    if (pick < 0 || working[static_cast<std::size_t>(pick)].Score <= 0) break;
    const auto& chosen = working[static_cast<std::size_t>(pick)];
    const std::string path = chosen.Folder + chosen.Name;
    if (LowerText(path) != ownLower && check(path)) out.Paths.push_back(path);
    working.erase(working.begin() + pick);
  }
  return out;
}

std::vector<std::string> CandidateLines(const std::string& noSubtitleText,
                                        const EntryCandidates& candidates) {
  std::vector<std::string> lines{noSubtitleText};
  if (candidates.SearchedFolder.empty()) return lines;
  for (const auto& path : candidates.Paths) lines.push_back(FileNamePart(path));
  return lines;
}

}  // namespace lc::playlist
