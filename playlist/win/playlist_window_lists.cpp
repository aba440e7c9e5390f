// The playlist window's two lists: the movie lines and their selection,
// the subtitle candidates, the keys of both lists and of the face, and the
// dragging of an entry to another place.
#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/system_utils.h"
#include "playlist/playlist_file.h"
#include "playlist/win/playlist_window.h"
#include "settings/text_table.h"
#include "subtitles/search.h"
#include "subtitles/win/subtitle_folders_win.h"

using lc::settings::GlobalTextTable;

namespace {

constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;

TShiftState Modifiers(TShiftState Shift) { return Shift & kModifiers; }

}  // namespace

void TfrmPlayList::SyncLines() {
  const std::vector<std::string>& Lines = FModel.Lines();
  if (FShownLines.size() != Lines.size() || ListVideo.Count() != static_cast<int>(Lines.size())) {
    const int Top = ListVideo.TopIndex();
    std::vector<std::wstring> Wide;
    Wide.reserve(Lines.size());
    for (const auto& Line : Lines) Wide.push_back(Utf8ToWide(Line));
    ListVideo.SetItems(Wide);
    FShownLines = Lines;
    ListVideo.SetTopIndex(Top);
  } else {
    for (std::size_t I = 0; I < Lines.size(); ++I) {
      if (FShownLines[I] == Lines[I]) continue;
      ListVideo.SetItem(static_cast<int>(I), Utf8ToWide(Lines[I]));
      FShownLines[I] = Lines[I];
    }
  }
  // Select all (Ctrl+A) is the list's own state until the next key.
  if (!ListVideo.MultiSelect() && ListVideo.ItemIndex() != FModel.ItemIndex()) {
    ListVideo.SetItemIndex(FModel.ItemIndex());
  }
}

bool TfrmPlayList::ListVideoFocused() const {
  return ListVideo.HandleAllocated() && GetFocus() == ListVideo.Handle();
}

void TfrmPlayList::ListVideoSelectItem() {
  ListSub.Clear();
  auto& Entries = FModel.Entries();
  Entries.PlaylistSubtitleCandidates.clear();
  const int Index = FModel.ItemIndex();
  if (Index < 0) return;
  lc::subtitles::SearchSettings Search;
  Search.SubtitleDirectory = FSettings.SubtitleDirectory;
  Search.SearchHereFirst = FSettings.SearchHereFirst;
  Search.MediaExtensions = FSettings.MediaExtensions;
  // Drives are tested quietly: an empty removable drive raises no prompt.
  const lc::subtitles::WinSubtitleFolders Folders;
  const auto Check = [this](const std::string& Path) { return FEnv.CheckSubtitleFile(Path); };
  const lc::playlist::EntryCandidates Found = lc::playlist::GatherEntryCandidates(
      Entries.PlaylistMovies[Index], Entries.PlaylistSubtitles[Index], Search, Folders, Check);
  // The open dialogs start in the movie's folder, or in the nearest
  // folder above it that still exists.
  if (!Found.SearchedFolder.empty()) ChangeToFolderOrParent(Utf8ToWide(Found.SearchedFolder));
  Entries.PlaylistSubtitleCandidates = Found.Paths;
  for (const auto& Line : lc::playlist::CandidateLines(GlobalTextTable().TextLabels[30], Found)) {
    ListSub.Add(Utf8ToWide(Line));
  }
  ListSub.SetItemIndex(Found.SelectedLine);
}

void TfrmPlayList::ListSubClick() { FModel.ChooseSubtitleLine(ListSub.ItemIndex()); }

void TfrmPlayList::ListVideoDblClick() {
  FModel.SetItemIndex(ListVideo.ItemIndex());
  FModel.PlayEntry(true);
}

// ---- keys ----

// The keys both lists share. True when the key was handled here (it still
// goes on to the player's key map unless consumed).
bool TfrmPlayList::CommonListKey(WORD& Key, TShiftState Shift) {
  const TShiftState M = Modifiers(Shift);
  if (Key == VK_ESCAPE) {
    Close();
    return true;
  }
  if (Key == 'L' && M == ssShift) {
    AddFolderMenuClick();
    return true;
  }
  if ((Key == VK_RIGHT || Key == VK_LEFT) && (M == 0 || M == ssCtrl || M == ssAlt)) {
    FEnv.Seek(Key == VK_RIGHT, M);
    Key = 0;
  }
  return false;
}

void TfrmPlayList::ListVideoKeyDown(WORD& Key, TShiftState Shift) {
  const bool AllSelected = ListVideo.MultiSelect();
  if (AllSelected && !(Key == 'A' && Modifiers(Shift) == ssCtrl)) ListVideo.SetMultiSelect(false);
  const TShiftState M = Modifiers(Shift);
  if (Key == VK_F10 && M == 0) {
    Close();
    Key = 0;
    return;
  }
  if (Key == VK_RETURN) {
    ListVideoDblClick();
    Key = 0;
    return;
  }
  if (CommonListKey(Key, Shift)) {
    PassKeyOn(Key, Shift);
    return;
  }
  FModel.SetItemIndex(ListVideo.ItemIndex());
  if (Key == VK_INSERT && M == 0) {
    AddMovieClick();
  } else if (Key == VK_DELETE) {
    if (AllSelected) FModel.RemoveAll(); else FModel.RemoveMovie();
  } else if (Key == 'A' && M == ssCtrl) {
    ListVideo.SetMultiSelect(true);
    ListVideo.SelectAll();
    ListSub.Clear();
  } else if ((Key == VK_UP || Key == VK_DOWN) && M == ssAlt) {
    if (Key == VK_UP) FModel.MoveUp(true); else FModel.MoveDown(true);
    Key = 0;
  }
  PassKeyOn(Key, Shift);
}

void TfrmPlayList::ListSubKeyDown(WORD& Key, TShiftState Shift) {
  if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  if (!CommonListKey(Key, Shift)) {
    const TShiftState M = Modifiers(Shift);
    if (Key == VK_INSERT && M == 0) {
      ListSubAdd();
    } else if (Key == VK_F5) {
      ListVideoSelectItem();
    }
  }
  PassKeyOn(Key, Shift);
}

void TfrmPlayList::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE)
    Close();
  else if (Key == 'L' && Modifiers(Shift) == ssShift)
    AddFolderMenuClick();
  PassKeyOn(Key, Shift);
}

// After the window's own handling every key, unless consumed, goes on to
// the player's key map.
void TfrmPlayList::PassKeyOn(WORD& Key, TShiftState Shift) {
  if (Key != 0) FEnv.ExecuteKeyCommand(Key, Shift);
}

// ---- the mouse in the movie list ----

void TfrmPlayList::ListVideoMouseDown(TMouseButton Button, int X, int Y) {
  if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  ListVideo.Hint.clear();
  if (Button == TMouseButton::mbRight) {
    ListVideo.SetItemIndex(ListVideo.ItemAtPos(X, Y));
  }
  const int Selected = ListVideo.ItemIndex();
  FModel.SetItemIndex(Selected);
  if (Button == TMouseButton::mbLeft && Selected >= 0) {
    FDragging = true;
    FDragIndex = Selected;
    FClickFollowsPress = true;
  }
  ListVideoSelectItem();
}

// While an entry is dragged, the platform moves the selection with the
// mouse; the entry follows one line at a time (a jump of more lines moves
// nothing until the selection is next to the entry again). Otherwise the
// list's hint is the full path of the line under the mouse.
void TfrmPlayList::ListVideoMouseMove(TShiftState Shift, int X, int Y) {
  DropFaceHover();
  if (!FDragging || (Shift & (ssLeft | ssRight | ssMiddle)) != ssLeft) {
    ListHint(ListVideo, X, Y, true);
    return;
  }
  const int Selected = ListVideo.ItemIndex();
  if (Selected != FDragIndex - 1 && Selected != FDragIndex + 1) return;
  FModel.SetItemIndex(FDragIndex);
  if (Selected < FDragIndex) FModel.MoveUp(true); else FModel.MoveDown(true);
  FDragIndex = Selected;
}

// The hint of a list: the full path of the movie or candidate under the
// mouse; none off the lines and on the "No subtitle" line.
void TfrmPlayList::ListHint(TListBox& List, int X, int Y, bool Movies) {
  if (!FSettings.DisplayHintInPlaylist) return;
  const int Line = List.ItemAtPos(X, Y);
  const auto& Entries = FModel.Entries();
  std::string Path;
  if (Movies && Line >= 0 && Line < FModel.Count()) {
    Path = Entries.PlaylistMovies[Line];
  } else if (!Movies && Line >= 1 && Line - 1 < static_cast<int>(Entries.PlaylistSubtitleCandidates.size())) {
    Path = Entries.PlaylistSubtitleCandidates[Line - 1];
  }
  const std::wstring Hint = Utf8ToWide(Path);
  if (Hint == List.Hint) return;
  Application.CancelHint();
  List.Hint = Hint;
}
