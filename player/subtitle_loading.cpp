// The main window's side of loading subtitles: the load with its message,
// the silent check, the search for a movie's subtitle, attaching a file to
// the open movie and the open-subtitle dialog. The reading, parsing and
// scoring are the subtitle engine's (subtitles/).
#include <filesystem>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/video_window.h"
#include "settings/path_names.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "subtitles/loader.h"
#include "subtitles/win/subtitle_folders_win.h"

using lc::Player;
using lc::Program;
using lc::Subtitles;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

lc::subtitles::LoadOptions TfrmMain::SubtitleLoadOptions() const {
  lc::subtitles::LoadOptions Options;
  if (FrameRate > 0) Options.FrameRate = FrameRate;
  Options.AverageDisplayTime = Program().Settings.AverageDisplayTime;
  return Options;
}

bool TfrmMain::LoadSubtitle(const std::string& File, bool Silent) {
  lc::subtitles::SubtitleLoad Load;
  {
    lc::BusyScope Busy;
    Load = lc::subtitles::LoadSubtitleWithMessage(File, Silent, SubtitleLoadOptions(), Texts());
    lc::SubtitleState& S = Subtitles();
    S.Current = std::move(Load.Result.Loaded);
    S.SubtitleFontScale = 1.0;
    if (Load.Result.Ok()) S.SubtitleDelay = 0;
    // Still busy while the box is up: commands arriving meanwhile (shell
    // macros, the remote control) do not run underneath it.
    if (!Load.Message.empty()) {
      bool Unused = false;
      ShowMessageBox(Utf8ToWide(Load.Message), this, false, Unused);
    }
  }
  return Load.Result.Ok();
}

bool TfrmMain::CheckSubtitleFile(const std::string& File) {
  lc::BusyScope Busy;
  return lc::subtitles::CheckSubtitleFile(File, SubtitleLoadOptions());
}

std::string TfrmMain::SearchSubtitle(const std::string& Movie, bool CheckOnly) {
  const lc::settings::SettingsStore& Settings = Program().Settings;
  lc::SubtitleState& S = Subtitles();
  S.SubtitleSearchResult.clear();
  const lc::subtitles::SearchSettings Search{Settings.SubtitleDirectory, Settings.SearchHereFirst,
                                             Settings.MediaExtensions};
  const lc::subtitles::SubtitleFolders& Folders = SearchFolders();
  const auto Accept = [this, CheckOnly](const std::string& Path) {
    if (CheckOnly) return CheckSubtitleFile(Path);
    if (!LoadSubtitle(Path, true)) return false;
    Player().SubtitleLoaded = true;
    Subtitles().CurrentSubtitleFile = Path;
    SubtitleLabel->SetCaption(Utf8ToWide(lc::FileNameOf(Path)));
    return true;
  };
  Program().BusyFlag = true;
  S.SubtitleSearchResult = lc::subtitles::SearchSubtitle(Movie, Search, Folders, Accept);
  Program().BusyFlag = false;
  return S.SubtitleSearchResult;
}

const lc::subtitles::SubtitleFolders& TfrmMain::SearchFolders() {
  static const lc::subtitles::WinSubtitleFolders Disk;
  if (!FSearchFolders) FSearchFolders = std::make_unique<lc::subtitles::FolderListingCache>(Disk);
  if (!FSearchFoldersKept) {
    FSearchFoldersKept = true;
    PostMessageW(Handle(), WM_FORGETFOLDERS, 0, 0);
  }
  return *FSearchFolders;
}

// Kept alive (only emptied): a search that a nested message loop
// interrupted may still be using it.
void TfrmMain::ForgetSearchFolders() {
  if (FSearchFolders) FSearchFolders->Forget();
  FSearchFoldersKept = false;
}

bool TfrmMain::TakeSubtitle(const std::string& File, bool Silent) {
  SubtitleLabel->SetCaption(Utf8ToWide(Texts().TextLabels[30]));
  const bool LoadedBefore = Player().SubtitleLoaded;
  Player().SubtitleLoaded = false;
  ShowSubtitles(true);
  if (!LoadSubtitle(File, Silent)) return false;
  Player().SubtitleLoaded = true;
  Subtitles().CurrentSubtitleFile = File;
  SubtitleLabel->SetCaption(Utf8ToWide(lc::FileNameOf(File)));
  ClearSubtitleLines();
  if (frmVideoWindow) frmVideoWindow->VideoWindow->RepaintVideo();
  if (!LoadedBefore) MovieModeChecked = false;
  return true;
}

bool TfrmMain::AttachSubtitle(const std::string& File) { return TakeSubtitle(File, true); }

void TfrmMain::BtnOpenSubtitleClick() {
  if (Program().OpeningMovie || !Commands().GraphActive()) return;
  const lc::settings::TextTable& T = Texts();
  OpenSubtitleDialog.Title = Utf8ToWide(T.TextHints[10]);
  OpenSubtitleDialog.Filter =
      Utf8ToWide(T.TextFilters[0] + "|*.sub;*.srt;*.txt;*.ssa|" + T.TextFilters[1] + "|*.*");
  OpenSubtitleDialog.InitialDir = std::filesystem::current_path().wstring();
  const bool Picked = RunOpenSubtitleDialog ? RunOpenSubtitleDialog() : OpenSubtitleDialog.Execute();
  // The player may have been closed meanwhile (the end of the list, the
  // shutdown countdown): the program ends instead of acting on the choice.
  if (Program().PlayerClosing) {
    Application.Terminate();
    return;
  }
  if (!Picked) return;
  const std::string File = WideToUtf8(OpenSubtitleDialog.FileName);
  if (!TakeSubtitle(File, false)) {
    OpenSubtitleDialog.FileName.clear();
    return;
  }
  lc::playlist::Playlist& P = Playlist();
  const int Selected = P.ItemIndex();
  const bool SelectedIsCurrent =
      Selected >= 0 && Selected < P.Count() && P.Entries().PlaylistMovies[Selected] == CurrentMovieFile;
  P.SubtitleAttached(File, CurrentMovieFile);
  if (!SelectedIsCurrent) OpenSubtitleDialog.FileName.clear();
}

void TfrmMain::ConnectSubtitles() {
  OpenSubtitleDialog.Options |= ofFileMustExist | ofPathMustExist;
  OpenSubtitleDialog.OnShow = [this](TComponent*) { OpenSubtitleDialog.Tag = 1; };
  OpenSubtitleDialog.OnClose = [this](TComponent*) { OpenSubtitleDialog.Tag = 0; };
  // Shown, it takes the remote control's keystrokes.
  RemoteFileDialogs.push_back(&OpenSubtitleDialog);
  FontDialogSub.OnShow = [this](TComponent*) {
    if (FontDialogSub.Handle()) SetWindowTextW(FontDialogSub.Handle(), Utf8ToWide(Texts().TextCaptions[14]).c_str());
  };
}
