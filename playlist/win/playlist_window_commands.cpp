// The playlist window's commands that go beyond its lists: the two popup
// menus, the commands with a file or folder dialog, files dropped on the
// window, the texts of the present language and the placement on showing.
#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/menu_images.h"
#include "kit/pointer_snap.h"
#include "playlist/win/playlist_win.h"
#include "playlist/win/playlist_window.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"

using lc::settings::GlobalTextTable;

namespace {

std::wstring CurrentFolder() {
  wchar_t Folder[MAX_PATH + 1] = {};
  const DWORD N = GetCurrentDirectoryW(MAX_PATH + 1, Folder);
  return N > 0 && N <= MAX_PATH ? std::wstring(Folder) : std::wstring();
}

// Marks the dialog as open while it is shown (the remote-control message
// sends keys to an open file dialog).
void TagWhileShown(TCommonDialog& Dialog) {
  Dialog.OnShow = [&Dialog](TComponent*) { Dialog.Tag = 1; };
  Dialog.OnClose = [&Dialog](TComponent*) { Dialog.Tag = 0; };
}

}  // namespace

// ---- the popup menus ----

void TfrmPlayList::CreateMenus() {
  TMenuItem& V = PopupVideoMenu.Items;
  V.Add(L"", [this](TComponent*) { AddMovieClick(); }, L"AddMovieMenu")->ImageIndex = lc::miOpenMovie;
  V.Add(L"", [this](TComponent*) { AddFolderMenuClick(); }, L"AddFolderMenu")->ImageIndex = lc::miAddFolder;
  V.Add(L"", [this](TComponent*) { ReplaceMovieMenuClick(); }, L"ReplaceMovieMenu")->ImageIndex = lc::miOpenMovie;
  V.Add(L"-", nullptr, L"N1");
  V.Add(L"", [this](TComponent*) { FModel.RemoveMovie(); }, L"RemoveMenu")->ImageIndex = lc::miRemove;
  V.Add(L"", [this](TComponent*) { FModel.RemoveAll(); }, L"RemoveAllMenu")->ImageIndex = lc::miRemoveAll;
  V.Add(L"-", nullptr, L"N2");
  V.Add(L"", [this](TComponent*) { FModel.SortByFileName(); }, L"SortByFilenameMenu")->ImageIndex = lc::miSortByName;
  V.Add(L"", [this](TComponent*) { FModel.Randomize(); }, L"RandomizeMenu")->ImageIndex = lc::miRandomize;
  PopupSubtitleMenu.Items.Add(L"", [this](TComponent*) { ListSubAdd(); }, L"AddSubtitleMenu")->ImageIndex =
      lc::miLoadSubtitle;
  PopupVideoMenu.Images = &FEnv.MenuImages();
  PopupSubtitleMenu.Images = &FEnv.MenuImages();
  PopupVideoMenu.Painter = &FlatMenu;
  PopupSubtitleMenu.Painter = &FlatMenu;
  // Before a command of the menu the list leaves select-all.
  PopupVideoMenu.OnPopup = [this](TComponent*) {
    if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  };
  ListVideo.PopupMenu = &PopupVideoMenu;
  ListSub.PopupMenu = &PopupSubtitleMenu;
  FlatMenu.SetActive(true);
}

TMenuItem* TfrmPlayList::MenuItem(const std::wstring& Name) const {
  if (TMenuItem* Item = PopupVideoMenu.Items.Find(Name)) return Item;
  return PopupSubtitleMenu.Items.Find(Name);
}

// ---- texts ----

void TfrmPlayList::CreateDialogs() {
  OpenDialog.Options |= ofAllowMultiSelect | ofEnableSizing;
  SavePlaylistDialog.Options |= ofOverwritePrompt;
  OpenSubtitleDialog.Options |= ofFileMustExist | ofPathMustExist;
  for (TCommonDialog* D : std::initializer_list<TCommonDialog*>{&OpenDialog, &SavePlaylistDialog,
                                                                &OpenPlaylistDialog, &OpenSubtitleDialog}) {
    TagWhileShown(*D);
  }
  // The face is composed once the window has its size, at the end of its
  // creation, not here.
  SetTexts(GlobalTextTable());
}

void TfrmPlayList::ApplyTexts(const lc::settings::TextTable& T) {
  SetTexts(T);
  if (!HandleAllocated()) return;
  BufferPaint();
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas().Handle()), 0);
}

void TfrmPlayList::SetTexts(const lc::settings::TextTable& T) {
  auto Hint = [&T](int I) { return Utf8ToWide(T.TextHints[I]); };
  for (int I = 0; I < 7; ++I) FButtons[I]->SetHint(Hint(kButtonHints[I]));
  FPrevious->SetHint(Hint(14));
  FShuffle->SetHint(Hint(31));
  FToggle->SetStateHints(Hint(27), Hint(26));
  const std::wstring Movies = Utf8ToWide(lc::settings::PlaylistAddFilter(T, FSettings.MediaExtensions));
  const std::wstring Lists = Utf8ToWide(lc::settings::PlaylistFileFilter(T));
  OpenDialog.Filter = Movies;
  OpenDialog.Title = Hint(20);
  SavePlaylistDialog.Filter = Lists;
  SavePlaylistDialog.Title = Hint(23);
  OpenPlaylistDialog.Filter = Lists;
  OpenPlaylistDialog.Title = Hint(24);
  OpenSubtitleDialog.Filter = Utf8ToWide(lc::settings::SubtitleDialogFilter(T));
  OpenSubtitleDialog.Title = Hint(10);
  for (const auto& Item : lc::settings::PlaylistMenuCaptions(T)) {
    if (TMenuItem* M = MenuItem(Utf8ToWide(Item.item))) M->Caption = Utf8ToWide(Item.caption);
  }
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
  if (ListSub.Count() > 0) ListSub.SetItem(0, Utf8ToWide(T.TextLabels[30]));
}

// ---- commands with a dialog ----

void TfrmPlayList::ShowMessageText(const std::wstring& Text) {
  FEnv.ShowMessage(Text);
}

bool TfrmPlayList::ClosedDuringDialog() {
  if (!FEnv.PlayerClosing()) return false;
  Application.Terminate();
  return true;
}

void TfrmPlayList::AddMovieClick() {
  if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  RepaintButtons();
  if (OpenDialog.InitialDir.empty()) OpenDialog.InitialDir = CurrentFolder();
  const bool Chosen = OpenDialog.Execute();
  if (ClosedDuringDialog() || !Chosen) return;
  std::vector<std::string> Names;
  for (const std::wstring& Name : OpenDialog.Files) Names.push_back(WideToUtf8(Name));
  FOpener.AddMovies(Names);
}

void TfrmPlayList::AddFolderMenuClick() {
  if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  RepaintButtons();
  FOpener.FolderCommandBegins();
  FolderDialog.Title = Utf8ToWide(GlobalTextTable().TextMessages[43]);
  const bool Chosen = FolderDialog.Execute();
  if (ClosedDuringDialog() || !Chosen || FolderDialog.Directory.empty()) return;
  FOpener.AddFolderWithMovies(WideToUtf8(FolderDialog.Directory));
}

void TfrmPlayList::ReplaceMovieMenuClick() {
  if (FModel.ItemIndex() < 0) return;
  const lc::settings::TextTable& T = GlobalTextTable();
  OpenDialog.Options &= ~ofAllowMultiSelect;
  OpenDialog.Title = Utf8ToWide(T.TextMenus[58]);
  OpenDialog.FileName.clear();
  if (OpenDialog.InitialDir.empty()) OpenDialog.InitialDir = CurrentFolder();
  const bool Chosen = OpenDialog.Execute();
  OpenDialog.Options |= ofAllowMultiSelect;
  OpenDialog.Title = Utf8ToWide(T.TextHints[20]);
  if (ClosedDuringDialog() || !Chosen) return;
  FModel.ReplaceMovie(WideToUtf8(OpenDialog.FileName));
}

void TfrmPlayList::btnSavePlaylistClick() {
  // The model says "Nothing to save!" for an empty list.
  if (FModel.Count() == 0) {
    FModel.SaveCommand({}, false);
    return;
  }
  SavePlaylistDialog.InitialDir = CurrentFolder();
  const bool Chosen = SavePlaylistDialog.Execute();
  if (ClosedDuringDialog() || !Chosen) return;
  FModel.SaveCommand(WideToUtf8(SavePlaylistDialog.FileName), SavePlaylistDialog.FilterIndex == 2);
}

void TfrmPlayList::btnOpenPlaylistClick() {
  OpenPlaylistDialog.InitialDir = CurrentFolder();
  const bool Chosen = OpenPlaylistDialog.Execute();
  if (ClosedDuringDialog() || !Chosen) return;
  FModel.OpenCommand(WideToUtf8(OpenPlaylistDialog.FileName));
}

void TfrmPlayList::ListSubAdd() {
  const lc::settings::TextTable& T = GlobalTextTable();
  if (ListSub.Count() == 0) {
    if (FModel.Count() > 0) ShowMessageText(Utf8ToWide(T.TextMessages[60]));
    return;
  }
  if (ListSub.ItemIndex() < 0) return;
  OpenSubtitleDialog.InitialDir = CurrentFolder();
  OpenSubtitleDialog.Title = Utf8ToWide(T.TextHints[25]);
  OpenSubtitleDialog.FileName.clear();
  const bool Chosen = OpenSubtitleDialog.Execute();
  OpenSubtitleDialog.Title = Utf8ToWide(T.TextHints[10]);
  if (ClosedDuringDialog() || !Chosen) return;
  AddSubtitleFile(WideToUtf8(OpenSubtitleDialog.FileName));
  OpenSubtitleDialog.FileName.clear();
}

void TfrmPlayList::AddSubtitleFile(const std::string& File) {
  const auto Check = [this](const std::string& Path) { return FEnv.CheckSubtitleFile(Path); };
  FModel.AddEntrySubtitle(File, Check);
}

// ---- drops ----

void TfrmPlayList::AcceptFiles(HDROP Drop) {
  POINT At{};
  DragQueryPoint(Drop, &At);
  const std::vector<std::string> Names = lc::playlist::TakeDroppedFiles(Drop);
  if (Names.empty()) return;
  if (ListSub.Visible()) {
    const TRect R = ListSub.BoundsRect();
    if (At.x >= R.Left && At.x <= R.Right && At.y >= R.Top && At.y <= R.Bottom) {
      if (ListSub.Count() > 0 && ListSub.ItemIndex() >= 0) AddSubtitleFile(Names.front());
      return;
    }
  }
  FOpener.DropOnPlaylist(Names);
}

// ---- showing ----

void TfrmPlayList::DoShow() {
  TForm::DoShow();
  if (FEnv.Windows().SkipFormPlacement()) return;
  const bool Desktop = FEnv.Windows().MonitorsDiffer();
  const TRect Area = Desktop ? Screen.DesktopRect() : Screen.WorkAreaRect();
  // The lower bound first: a window larger than the area ends at its far edge.
  const int X = std::min(std::max(Left(), Area.Left), Area.Left + Area.Width() - ClientWidth());
  const int Y = std::min(std::max(Top(), Area.Top), Area.Top + Area.Height() - ClientHeight());
  if (X != Left() || Y != Top()) SetBounds(X, Y, Width(), Height());
  SnapPointerToCentre(*this);
}
