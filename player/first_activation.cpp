// The main window's first activation: the face painted at once, the
// satellite windows of the last run shown, the dock table filled, and the
// command line turned into the playlist with its first movie opened.
#include <filesystem>
#include <system_error>

#include "framework/application.h"
#include "kit/message_box.h"
#include "kit/snap.h"
#include "kit/system_utils.h"
#include "player/command_line.h"
#include "player/main_form.h"
#include "settings/file_io.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"

using lc::CommandLineCase;
using lc::CommandLineEntry;
using lc::settings::Utf8ToWide;

namespace lc {
namespace {

bool HiddenFolder(const std::filesystem::path& Path) {
  const std::wstring Name = Path.filename().wstring();
  return !Name.empty() && Name[0] == L'.';
}

}  // namespace

// The file system of the machine.
class TWinCommandLineFiles : public CommandLineFiles {
 public:
  bool FileExists(const std::string& Path) const override { return settings::FileExists(Path); }
  bool FolderExists(const std::string& Path) const override { return settings::FolderExists(Path); }
  // Every file under Folder with a media extension, subfolders whose names
  // start with "." skipped.
  std::vector<std::string> ScanFolder(const std::string& Folder) const override {
    namespace fs = std::filesystem;
    std::vector<std::string> Found;
    std::error_code Error;
    const auto& Extensions = Program().Settings.MediaExtensions;
    fs::recursive_directory_iterator It(fs::path(Utf8ToWide(Folder)), Error), End;
    for (; !Error && It != End; It.increment(Error)) {
      if (It->is_directory(Error)) {
        if (HiddenFolder(It->path())) It.disable_recursion_pending();
        continue;
      }
      const std::string Path = settings::WideToUtf8(It->path().wstring());
      const std::string Ext = LowerExtensionOf(Path);
      for (const std::string& E : Extensions)
        if (E == Ext) Found.push_back(Path);
    }
    return Found;
  }
  int CompareNames(const std::string& A, const std::string& B) const override {
    const std::wstring WA = Utf8ToWide(A), WB = Utf8ToWide(B);
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, WA.c_str(), -1, WB.c_str(), -1) - CSTR_EQUAL;
  }
  // The subtitle search belongs to the subtitle room, which is not there
  // yet: no subtitle is found.
  std::string SearchSubtitle(const std::string&) const override { return {}; }
};

std::unique_ptr<CommandLineFiles> MakeWinCommandLineFiles() { return std::make_unique<TWinCommandLineFiles>(); }

}  // namespace lc

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// A movie named without its folder leaves the current folder as it is.
void ChangeToFolderOf(const std::string& Movie) {
  if (Movie.find_first_of("\\/") != std::string::npos)
    SetCurrentDirectoryW(Utf8ToWide(lc::FolderOf(Movie)).c_str());
}

}  // namespace

void TfrmMain::FirstActivation(const lc::CommandLineFiles& Files) {
  lc::settings::SettingsStore& S = lc::Program().Settings;
  // The face at once, before anything slow.
  if (TBitmap* Face = Host().BackBuffer()) Canvas().CopyRect(ClientRect(), Face->Canvas(), ClientRect());
  if (S.EqualizerShow && Satellites.Equalizer) Satellites.Equalizer->Show();
  if (S.PlayListShow) {
    // Started with a file, the player keeps the list out of the way.
    if (!CommandLine.empty() && Files.FileExists(CommandLine[0]))
      S.PlayListShow = false;
    else if (Satellites.PlayList)
      Satellites.PlayList->Show();
  }
  BringToFront();
  DockTable[DockVideoWindow].Form = Satellites.VideoWindow;
  DockTable[DockPlayList].Form = Satellites.PlayList;
  DockTable[DockEqualizer].Form = Satellites.Equalizer;

  switch (lc::ClassifyCommandLine(CommandLine, Files)) {
    case CommandLineCase::AddFile:
      Playlist().AddMovie(CommandLine[1]);
      if (Satellites.PlayList) Satellites.PlayList->Show();
      break;
    case CommandLineCase::AddFolder:
      Playlist().AddFolderWithMovies(CommandLine[1]);
      if (Satellites.PlayList) Satellites.PlayList->Show();
      break;
    case CommandLineCase::SingleFile: OpenSingleFile(CommandLine[0], Files); break;
    case CommandLineCase::General: OpenGeneral(Files); break;
    case CommandLineCase::Missing: ShowMissing(CommandLine[0]); break;
    case CommandLineCase::Nothing: break;
  }
  // The open dialogs start in the folder used last.
  if (!Commands().GraphActive()) ChangeToFolderOrParent(Utf8ToWide(S.LastAccessedFolder));
  FirstActivationPending = false;
}

void TfrmMain::OpenSingleFile(const std::string& Path, const lc::CommandLineFiles& Files) {
  lc::TPlaylistAccess& P = Playlist();
  const bool IsList = lc::IsPlaylistFileName(Path);
  std::string Movie = Path;
  if (IsList) {
    if (Satellites.PlayList) Satellites.PlayList->Show();
    P.LoadFromList(Path);
    if (P.Count() == 0) return;
    const CommandLineEntry First = P.Entry(0);
    if (!Files.FileExists(First.Subtitle)) P.SetSubtitle(0, lc::kNoSubtitle);
    if (!Files.FileExists(First.Movie)) {
      ShowMissing(First.Movie);
      return;
    }
    Movie = First.Movie;
  }
  P.SetCurrentMovieFile(Movie);
  ChangeToFolderOf(Movie);
  if (!IsList) {
    const bool AutoLoad = lc::Program().Settings.AutoLoadSubtitle;
    P.Replace({{Path, lc::SubtitleForMovie(Path, AutoLoad, Files)}}, {}, {Path});
    P.SetLines({"1. " + lc::FileNameOf(Path)});
  }
  P.SetIndex(0);
  if (P.LineCount() > 9) {
    std::vector<std::string> Movies;
    for (int I = 0; I < P.Count(); ++I) Movies.push_back(P.Entry(I).Movie);
    P.SetLines(lc::PlaylistLines(Movies, true));
  }
  StartFirstEntry(!IsList);
}

void TfrmMain::OpenGeneral(const lc::CommandLineFiles& Files) {
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  lc::TPlaylistAccess& P = Playlist();
  const std::vector<CommandLineEntry> Entries =
      lc::GatherCommandLineMovies(CommandLine, S.MediaExtensions, S.AutoLoadSubtitle, Files);
  std::vector<std::string> Movies;
  for (const CommandLineEntry& E : Entries) Movies.push_back(E.Movie);
  P.Replace(Entries, S.Shuffle ? Movies : std::vector<std::string>{}, {});
  P.SetLines(lc::PlaylistLines(Movies, true));
  P.SelectLine(-1);
  P.SetIndex(-1);
  if (Entries.empty()) {
    ShowReport(Texts().TextMessages[2]);
    return;
  }
  if (Satellites.PlayList) Satellites.PlayList->Show();
  P.SetCurrentMovieFile(Movies[0]);
  ChangeToFolderOf(Movies[0]);
  P.SetIndex(0);
  StartFirstEntry(Entries.size() == 1);
}

void TfrmMain::StartFirstEntry(bool AddNextParts) {
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  Playlist().SelectLine(0);
  CloseWhenListEnds = S.AutoClosePlayerWhenFinished;
  Commands().OpenMovie(S.AutoPlayOnLoad, AddNextParts);
  if (Commands().GraphActive()) Commands().SetPreviousMovieSettingsValid(true);
}

void TfrmMain::ShowMissing(const std::string& Path) {
  ShowReport(Texts().TextMessages[10] + " \"" + Path + "\" " + Texts().TextMessages[11]);
}

void TfrmMain::ShowReport(const std::string& Text) {
  if (OnReport) {
    OnReport(Utf8ToWide(Text));
    return;
  }
  bool Unused = false;
  ShowMessageBox(Utf8ToWide(Text), this, false, Unused);
}
