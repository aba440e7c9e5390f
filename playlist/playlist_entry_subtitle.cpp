// Playlist's subtitle list, the commands on the selected entry: choosing
// one of its candidates, and adding a subtitle file chosen in a dialog or
// dropped.
#include "playlist/playlist.h"
#include "playlist/playlist_file.h"
#include "playlist/text_rules.h"

namespace lc::playlist {

// The selected entry's movie is the one open in the player; with
// `asCurrentEntry` it must also be the current entry.
bool Playlist::SelectedIsPlaying(bool asCurrentEntry) const {
  const int s = itemIndex_;
  if (s < 0 || s >= Count() || !link_.GraphActive()) return false;
  if (asCurrentEntry && s != entries_.PlaylistIndex) return false;
  return entries_.PlaylistMovies[s] == link_.CurrentMovieFile();
}

void Playlist::ChooseSubtitleLine(int line) {
  const int s = itemIndex_;
  if (s < 0 || s >= Count() || line < 0) return;
  const auto& candidates = entries_.PlaylistSubtitleCandidates;
  if (line == 0) {
    entries_.PlaylistSubtitles[s] = kNoSubtitle;
    if (SelectedIsPlaying(false)) link_.DetachSubtitle();
    return;
  }
  if (line - 1 >= static_cast<int>(candidates.size())) return;
  entries_.PlaylistSubtitles[s] = candidates[line - 1];
  // A subtitle that does not load stays the entry's choice; the loader has
  // said why.
  if (SelectedIsPlaying(true)) link_.LoadChosenSubtitle(candidates[line - 1]);
}

bool Playlist::AddEntrySubtitle(const std::string& file, const std::function<bool(const std::string&)>& check) {
  const int s = itemIndex_;
  if (s < 0 || s >= Count()) return false;
  for (const std::string& offered : entries_.PlaylistSubtitleCandidates) {
    if (SameTextNoCase(offered, file)) {
      link_.ShowMessage(texts_.TextMessages[17], MessageOwner::PlaylistWindow);
      return false;
    }
  }
  if (SelectedIsPlaying(false)) {
    if (!link_.LoadChosenSubtitle(file)) return false;
  } else if (!check(file)) {
    link_.ShowMessage(texts_.TextMessages[16], MessageOwner::PlaylistWindow);
    return false;
  }
  entries_.PlaylistSubtitles[s] = file;
  link_.SelectionChanged();
  return true;
}

}  // namespace lc::playlist
