// The playlist window's two lists: the movie lines and their selection,
// the subtitle candidates, the keys of both lists and of the face, and the
// dragging of an entry to another place.
#include <windows.h>

#include "framework/application.h"
#include "playlist/playlist_file.h"
#include "playlist/win/playlist_window.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"
#include "subtitles/search.h"

using lc::settings::GlobalTextTable;
using lc::settings::Utf8ToWide;

namespace {

constexpr TShiftState kModifiers = ssShift | ssAlt | ssCtrl;

TShiftState Modifiers(TShiftState Shift) { return Shift & kModifiers; }

}  // namespace

void TfrmPlayList::RefreshLines() {
  ListVideo.Clear();
  for (const auto& Line : FModel.Lines()) ListVideo.Add(Utf8ToWide(Line));
  ListVideo.SetItemIndex(FModel.ItemIndex());
  ListVideoSelectItem();
}

void TfrmPlayList::ListVideoSelectItem() {
  ListSub.Clear();
  auto& Entries = FModel.Entries();
  Entries.PlaylistSubtitleCandidates.clear();
  const int Index = ListVideo.ItemIndex();
  if (Index < 0 || Index >= FModel.Count()) return;
  lc::subtitles::SearchSettings Search;
  Search.SubtitleDirectory = FSettings.SubtitleDirectory;
  Search.SearchHereFirst = FSettings.SearchHereFirst;
  Search.MediaExtensions = FSettings.MediaExtensions;
  const lc::subtitles::DiskFolders Folders;
  const auto Check = [this](const std::string& Path) {
    return FEnv.CheckSubtitleFile ? FEnv.CheckSubtitleFile(Path) : true;
  };
  const lc::playlist::EntryCandidates Found = lc::playlist::GatherEntryCandidates(
      Entries.PlaylistMovies[Index], Entries.PlaylistSubtitles[Index], Search, Folders, Check);
  if (!Found.SearchedFolder.empty()) {
    SetCurrentDirectoryW(Utf8ToWide(Found.SearchedFolder).c_str());
  }
  Entries.PlaylistSubtitleCandidates = Found.Paths;
  for (const auto& Line : lc::playlist::CandidateLines(GlobalTextTable().TextLabels[30], Found)) {
    ListSub.Add(Utf8ToWide(Line));
  }
  ListSub.SetItemIndex(Found.SelectedLine);
}

void TfrmPlayList::ListSubClick() {
  const int Line = ListSub.ItemIndex();
  const int Entry = ListVideo.ItemIndex();
  auto& Entries = FModel.Entries();
  if (Line < 0 || Entry < 0 || Entry >= FModel.Count()) return;
  if (Line == 0) {
    Entries.PlaylistSubtitles[Entry] = lc::playlist::kNoSubtitle;
  } else if (Line - 1 < static_cast<int>(Entries.PlaylistSubtitleCandidates.size())) {
    Entries.PlaylistSubtitles[Entry] = Entries.PlaylistSubtitleCandidates[Line - 1];
  }
}

void TfrmPlayList::ListVideoDblClick() {
  FModel.SetItemIndex(ListVideo.ItemIndex());
  FModel.PlayEntry(true);
}

// ---- keys ----

// The keys both lists share. True when the key was handled here.
bool TfrmPlayList::CommonListKey(WORD& Key, TShiftState Shift) {
  const TShiftState M = Modifiers(Shift);
  if (Key == VK_ESCAPE) {
    Close();
    return true;
  }
  if (Key == 'L' && M == ssShift) {
    if (FEnv.AddFolderMenuClick) FEnv.AddFolderMenuClick();
    return true;
  }
  if ((Key == VK_RIGHT || Key == VK_LEFT) && (M == 0 || M == ssCtrl || M == ssAlt)) {
    if (FEnv.Seek) FEnv.Seek(Key == VK_RIGHT, M);
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
  if (CommonListKey(Key, Shift)) return;
  FModel.SetItemIndex(ListVideo.ItemIndex());
  if (Key == VK_INSERT && M == 0) {
    if (FEnv.AddMovieClick) FEnv.AddMovieClick();
  } else if (Key == VK_DELETE) {
    if (AllSelected) FModel.RemoveAll(); else FModel.RemoveMovie();
    RefreshLines();
    Key = 0;
  } else if (Key == 'A' && M == ssCtrl) {
    ListVideo.SetMultiSelect(true);
    ListVideo.SelectAll();
    ListSub.Clear();
    Key = 0;
  } else if ((Key == VK_UP || Key == VK_DOWN) && M == ssAlt) {
    if (Key == VK_UP) FModel.MoveUp(true); else FModel.MoveDown(true);
    RefreshLines();
    Key = 0;
  }
  if (Key != 0 && FEnv.ExecuteKeyCommand) FEnv.ExecuteKeyCommand(Key, Shift);
}

void TfrmPlayList::ListSubKeyDown(WORD& Key, TShiftState Shift) {
  if (ListVideo.MultiSelect()) ListVideo.SetMultiSelect(false);
  if (CommonListKey(Key, Shift)) return;
  const TShiftState M = Modifiers(Shift);
  if (Key == VK_INSERT && M == 0) {
    if (FEnv.ListSubAdd) FEnv.ListSubAdd();
  } else if (Key == VK_F5) {
    ListVideoSelectItem();
  }
  if (Key != 0 && FEnv.ExecuteKeyCommand) FEnv.ExecuteKeyCommand(Key, Shift);
}

void TfrmPlayList::KeyDown(WORD& Key, TShiftState Shift) {
  TForm::KeyDown(Key, Shift);
  if (Key == VK_ESCAPE) {
    Close();
    return;
  }
  if (Key == 'L' && Modifiers(Shift) == ssShift && FEnv.AddFolderMenuClick) FEnv.AddFolderMenuClick();
  if (Key != 0 && FEnv.ExecuteKeyCommand) FEnv.ExecuteKeyCommand(Key, Shift);
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
// nothing until the selection is next to the entry again).
void TfrmPlayList::ListVideoMouseMove(TShiftState Shift) {
  if (!FDragging || (Shift & (ssLeft | ssRight | ssMiddle)) != ssLeft) return;
  const int Selected = ListVideo.ItemIndex();
  if (Selected == FDragIndex - 1) {
    FModel.SetItemIndex(FDragIndex);
    FModel.MoveUp(true);
  } else if (Selected == FDragIndex + 1) {
    FModel.SetItemIndex(FDragIndex);
    FModel.MoveDown(true);
  } else {
    return;
  }
  FDragIndex = Selected;
  const int Top = ListVideo.TopIndex();
  ListVideo.Clear();
  for (const auto& Line : FModel.Lines()) ListVideo.Add(Utf8ToWide(Line));
  ListVideo.SetItemIndex(FModel.ItemIndex());
  ListVideo.SetTopIndex(Top);
}
