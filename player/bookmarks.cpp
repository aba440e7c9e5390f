// TfrmMain's bookmarks (up to nine positions of the current movie as items
// of the bookmarks menu, their caption holding the time) and the recent
// files menu (the five movies opened last).
#include "framework/menus.h"
#include "framework/unicode.h"
#include "kit/menu_images.h"
#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

using lc::Cmd;
using lc::Player;
using lc::Program;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The separator and nine bookmarks.
constexpr std::size_t kMaxBookmarkItems = 10;

}  // namespace

// ------------------------------------------------------------- bookmarks

void TfrmMain::AddBookmarkMenuClick() {
  if (!lc::MovieActive() || BookmarkItems.size() >= kMaxBookmarkItems) return;
  const long long Ms = lc::MoviePosition().value_or(0) / lc::kRefPerMs;
  const std::wstring Time = Utf8ToWide(lc::BookmarkTime(Ms));
  // One bookmark a second.
  for (const TMenuItem* Item : BookmarkItems)
    if (Item->Caption.compare(0, 8, Time) == 0) return;
  const int Number = AppendBookmark(Ms);
  // The menu painter takes up the new items.
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
  Player().OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[38] + " (" + std::to_string(Number) + ")");
  Commands().SetRmsChangeScore(RmsChangeScoreCap);
}

void TfrmMain::ClearBookmarksMenuClick() {
  if (BookmarkItems.empty()) return;
  RemoveBookmarks();
  Player().OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[39]);
  if (lc::MovieActive()) AddRmsChangeScore(Commands(), 5000);
}

void TfrmMain::bkClick(int Number) {
  if (!lc::MovieActive() || Number < 1 || Number >= static_cast<int>(BookmarkItems.size())) return;
  const auto Position = lc::BookmarkPosition(WideToUtf8(BookmarkItems[Number]->Caption));
  if (!Position) return;
  TFilterGraph& Graph = frmVideoWindow->FilterGraph;
  const bool Playing = ShownDown(*BtnPlay);
  Graph.Pause();
  lc::SeekMovie(*Position);
  if (Playing) Graph.Play();
  Player().OsdShowsPosition = false;
  ShowOSD(Texts().TextMessages[40] + " " + std::to_string(Number));
}

std::vector<std::string> TfrmMain::BookmarkCaptions() const {
  std::vector<std::string> Captions;
  for (std::size_t I = 1; I < BookmarkItems.size(); ++I) Captions.push_back(WideToUtf8(BookmarkItems[I]->Caption));
  return Captions;
}

void TfrmMain::SetBookmarks(const std::vector<std::string>& Times) {
  RemoveBookmarks();
  for (const std::string& Time : Times) {
    const auto Position = lc::BookmarkPosition(Time);
    if (Position && BookmarkItems.size() < kMaxBookmarkItems) AppendBookmark(*Position / lc::kRefPerMs);
  }
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
}

int TfrmMain::AppendBookmark(long long Ms) {
  TMenuItem* Menu = MenuItem(L"BookmarksMenu");
  if (BookmarkItems.empty()) BookmarkItems.push_back(Menu->Add(L"-", nullptr, L"s0"));
  const int Number = static_cast<int>(BookmarkItems.size());
  TMenuItem* Item = Menu->Add(Utf8ToWide(lc::BookmarkCaption(Ms, Number)),
                              [this, Number](TComponent*) { RunCommand(Cmd::Bookmark, Number); },
                              L"s" + std::to_wstring(Number));
  Item->ImageIndex = lc::BookmarkImage(Number);
  BookmarkItems.push_back(Item);
  return Number;
}

void TfrmMain::RemoveBookmarks() {
  TMenuItem* Menu = MenuItem(L"BookmarksMenu");
  for (TMenuItem* Item : BookmarkItems) Menu->Remove(Item);
  BookmarkItems.clear();
}

// ---------------------------------------------------------- recent files

void TfrmMain::RecentClick(int Place) {
  const auto& Recent = Program().Settings.RecentFiles;
  if (Place < 1 || Place > static_cast<int>(Recent.size())) return;
  const std::string File = Recent[Place - 1];
  if (File.empty() || !FDisk.FileExists(File)) return;
  if (BtnStop->Enabled()) BtnStopClick(true);
  CurrentMovieFile = File;
  // The playlist becomes this movie alone.
  lc::playlist::Playlist& List = Playlist();
  List.ClearForNewList();
  List.AppendMovie(File);
  List.RebuildLines();
  lc::playlist::PlaylistEntries& E = List.Entries();
  E.ShufflePool.clear();
  E.ShuffleHistory = {File};
  E.PlaylistIndex = 0;
  List.SetItemIndex(0);
  CloseWhenListEnds = false;
  Commands().SetPreviousMovieSettingsValid(false);
  Commands().OpenMovie(Program().Settings.AutoPlayOnLoad, true);
  if (lc::MovieActive()) Commands().SetPreviousMovieSettingsValid(true);
}

void TfrmMain::ClearHistoryMenuClick() {
  auto& Recent = Program().Settings.RecentFiles;
  for (std::size_t I = 0; I < Recent.size(); ++I) {
    Recent[I].clear();
    TMenuItem* Item = MenuItem(L"N" + std::to_wstring(I + 1) + L"1");
    Item->Caption = std::to_wstring(I + 1);
    Item->Visible = false;
  }
  MenuItem(L"Separator")->Visible = false;
  MenuItem(L"ClearHistoryMenu")->Visible = false;
}
