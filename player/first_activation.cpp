// The main window's first activation: the face painted at once, the
// satellite windows of the last run shown, the dock table filled, and the
// command line turned into the playlist with its first movie opened.
#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/snap.h"
#include "kit/system_utils.h"
#include "player/command_line.h"
#include "player/main_form.h"
#include "playlist/command_line_movies.h"
#include "playlist/playlist_file.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::CommandLineCase;
using lc::playlist::CommandLineEntry;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// A movie named without its folder leaves the current folder as it is.
void ChangeToFolderOf(const std::string& Movie) {
  if (Movie.find_first_of("\\/") != std::string::npos)
    SetCurrentDirectoryW(Utf8ToWide(lc::FolderOf(Movie)).c_str());
}

}  // namespace

void TfrmMain::FirstActivation() {
  lc::settings::SettingsStore& S = lc::Program().Settings;
  // The face at once, before anything slow.
  if (TBitmap* Face = Host().BackBuffer()) Canvas().CopyRect(ClientRect(), Face->Canvas(), ClientRect());
  if (S.EqualizerShow && Satellites.Equalizer) Satellites.Equalizer->Show();
  if (S.PlayListShow) {
    // Started with a file, the player keeps the list out of the way.
    if (!CommandLine.empty() && FDisk.FileExists(CommandLine[0]))
      S.PlayListShow = false;
    else if (Satellites.PlayList)
      Satellites.PlayList->Show();
  }
  BringToFront();
  DockTable[DockVideoWindow].Form = Satellites.VideoWindow;
  DockTable[DockPlayList].Form = Satellites.PlayList;
  DockTable[DockEqualizer].Form = Satellites.Equalizer;

  switch (lc::ClassifyCommandLine(CommandLine, FDisk)) {
    case CommandLineCase::AddFile:
      Playlist().AddMovie(CommandLine[1]);
      if (Satellites.PlayList) Satellites.PlayList->Show();
      break;
    case CommandLineCase::AddFolder:
      Opener().AddFolderWithMovies(CommandLine[1]);
      if (Satellites.PlayList) Satellites.PlayList->Show();
      break;
    case CommandLineCase::SingleFile: OpenSingleFile(CommandLine[0]); break;
    case CommandLineCase::General: OpenGeneral(); break;
    case CommandLineCase::Missing: ShowMissing(CommandLine[0]); break;
    case CommandLineCase::Nothing: break;
  }
  // The open dialogs start in the folder used last.
  if (!Commands().GraphActive()) ChangeToFolderOrParent(Utf8ToWide(S.LastAccessedFolder));
  FirstActivationPending = false;
}

void TfrmMain::OpenSingleFile(const std::string& Path) {
  lc::playlist::Playlist& P = Playlist();
  lc::playlist::PlaylistEntries& E = P.Entries();
  const bool IsList = lc::IsPlaylistFileName(Path);
  std::string Movie = Path;
  if (IsList) {
    if (Satellites.PlayList) Satellites.PlayList->Show();
    P.LoadFromList(Path, false, true);
    if (P.Count() == 0) return;
    if (!FDisk.FileExists(E.PlaylistSubtitles[0])) E.PlaylistSubtitles[0] = lc::playlist::kNoSubtitle;
    if (!FDisk.FileExists(E.PlaylistMovies[0])) {
      ShowMissing(E.PlaylistMovies[0]);
      return;
    }
    Movie = E.PlaylistMovies[0];
  }
  CurrentMovieFile = Movie;
  ChangeToFolderOf(Movie);
  if (!IsList) {
    const auto Search = [this](const std::string& M) { return SearchSubtitle(M, true); };
    P.ClearForNewList();
    E.PlaylistMovies = {Path};
    E.PlaylistSubtitles = {lc::playlist::SubtitleForMovie(Path, lc::Program().Settings.AutoLoadSubtitle, Search)};
    E.ShuffleHistory = {Path};
    P.RebuildLines();
  }
  E.PlaylistIndex = 0;
  // Lines numbered as wide as the count.
  if (P.Lines().size() > 9) P.RebuildLines();
  StartFirstEntry(!IsList);
}

void TfrmMain::OpenGeneral() {
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  lc::playlist::Playlist& P = Playlist();
  lc::playlist::PlaylistEntries& E = P.Entries();
  const auto Search = [this](const std::string& M) { return SearchSubtitle(M, true); };
  const std::vector<CommandLineEntry> Entries =
      lc::playlist::GatherCommandLineMovies(CommandLine, S.MediaExtensions, S.AutoLoadSubtitle, FDisk, Search);
  P.ClearForNewList();
  for (const CommandLineEntry& Entry : Entries) {
    E.PlaylistMovies.push_back(Entry.Movie);
    E.PlaylistSubtitles.push_back(Entry.Subtitle);
    if (S.Shuffle) E.ShufflePool.push_back(Entry.Movie);
  }
  P.RebuildLines();
  P.SetItemIndex(-1);
  E.PlaylistIndex = -1;
  if (Entries.empty()) {
    ShowReport(Texts().TextMessages[2]);
    return;
  }
  if (Satellites.PlayList) Satellites.PlayList->Show();
  CurrentMovieFile = Entries[0].Movie;
  ChangeToFolderOf(CurrentMovieFile);
  E.PlaylistIndex = 0;
  StartFirstEntry(Entries.size() == 1);
}

void TfrmMain::StartFirstEntry(bool AddNextParts) {
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  Playlist().SetItemIndex(0);
  CloseWhenListEnds = S.AutoClosePlayerWhenFinished;
  Commands().OpenMovie(S.AutoPlayOnLoad, AddNextParts);
  if (Commands().GraphActive()) Commands().SetPreviousMovieSettingsValid(true);
}

void TfrmMain::ShowMissing(const std::string& Path) {
  ShowReport(Texts().TextMessages[10] + " \"" + Path + "\" " + Texts().TextMessages[11]);
}

void TfrmMain::ShowReport(const std::string& Text, TForm* Owner) {
  if (OnReport) {
    OnReport(Utf8ToWide(Text));
    return;
  }
  bool Unused = false;
  ShowMessageBox(Utf8ToWide(Text), Owner ? Owner : this, false, Unused);
}
