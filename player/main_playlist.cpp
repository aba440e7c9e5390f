// The playlist model and the opening of files, kept by the main window, and
// what they ask of the player: its shared values, its commands, its
// messages and the playlist window.
#include "player/main_form.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;

class TMainPlayerLink : public lc::playlist::PlayerLink {
 public:
  explicit TMainPlayerLink(TfrmMain& Form) : F(Form) {}

  bool CloseWhenListEnds() const override { return F.CloseWhenListEnds; }
  void SetCloseWhenListEnds(bool Value) override { F.CloseWhenListEnds = Value; }
  void SetPreviousMovieSettingsValid(bool Valid) override { F.Commands().SetPreviousMovieSettingsValid(Valid); }
  std::string CurrentMovieFile() const override { return F.CurrentMovieFile; }
  void SetCurrentMovieFile(const std::string& Path) override { F.CurrentMovieFile = Path; }
  bool Busy() const override { return lc::Program().BusyFlag || lc::Program().OpeningMovie; }
  bool GraphActive() const override { return F.Commands().GraphActive(); }
  bool StopEnabled() const override { return F.BtnStop->Enabled(); }
  // The stop was refused when Play still shows down.
  bool StopPlayback() override {
    F.Commands().Run(Cmd::BtnStopClick, 0);
    return !ShownDown(*F.BtnPlay);
  }
  void StopForNewList() override {
    if (F.BtnStop->Enabled()) F.Commands().Run(Cmd::StopForNewList, 0);
  }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override {
    F.Commands().OpenMovie(PlayAfterOpen, AddNextParts);
  }
  bool AttachSubtitle(const std::string& File) override { return F.Commands().AttachSubtitle(File); }
  std::string SearchSubtitle(const std::string& Movie) override { return F.Commands().SearchSubtitle(Movie); }
  void ShowMessage(const std::string& Text, lc::playlist::MessageOwner) override { F.ShowReport(Text); }
  // The playlist window's face is the playlist window's.
  void SelectionChanged() override {}
  bool ListHasFocus() const override { return F.PlaylistFocused(); }
  void AfterEntryOpened(bool) override {}
  void ShowPlaylistWindow() override {
    if (F.Satellites.PlayList && !F.Satellites.PlayList->Showing()) F.Satellites.PlayList->Show();
  }

 private:
  TfrmMain& F;
};

void TfrmMain::CreatePlaylist() {
  lc::ProgramState& P = lc::Program();
  const lc::settings::TextTable& Texts = lc::settings::GlobalTextTable();
  FPlayerLink = std::make_unique<TMainPlayerLink>(*this);
  FPlaylist = std::make_unique<lc::playlist::Playlist>(*FPlayerLink, FDisk, P.Settings, Texts, P.Names.DataFolder,
                                                       P.Names.AutoPlaylistFileName());
  FOpener = std::make_unique<lc::playlist::FileOpener>(*FPlaylist, *FPlayerLink, FDisk, P.Settings, Texts);
}
