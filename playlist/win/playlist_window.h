// TfrmPlayList: the playlist window. A borderless, resizable window whose
// face is composed from the ten "PlaylistPart" images at any size, with the
// movie list and the subtitle candidates list, the skinned buttons, three
// resize zones and snapping to the other windows while it is moved. It
// presents and commands the playlist model; what it needs of the rest of the
// program comes through TPlayListEnvironment. GUI thread only.
//
// Its members live in files by subject: playlist_window.cpp (creation, the
// widgets, layout and face, the mouse on the face, window messages),
// playlist_window_lists.cpp (the two lists, their keys and dragging an
// entry) and playlist_window_commands.cpp (popup menus, commands with a
// dialog, drops, texts, placement on showing).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <shellapi.h>

#include "framework/dialogs.h"
#include "framework/flat_menu_painter.h"
#include "framework/forms.h"
#include "framework/image_list.h"
#include "framework/list_box.h"
#include "framework/menus.h"
#include "kit/button.h"
#include "kit/flip.h"
#include "kit/program_windows.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "kit/small_controls.h"
#include "kit/widget_links.h"
#include "playlist/file_opening.h"
#include "playlist/playlist.h"
#include "playlist/subtitle_candidates.h"
#include "settings/text_apply.h"

// What the playlist window needs of the rest of the program. Every part is
// required; the start-up answers for the running program
// (app/playlist_setup.cpp).
class TPlayListEnvironment {
 public:
  virtual ~TPlayListEnvironment() = default;
  // The program's windows: snapping, placement, the boss key's return.
  virtual const TProgramWindows& Windows() const = 0;
  // A key the playlist did not use up: the player's shortcuts.
  virtual void ExecuteKeyCommand(WORD& Key, TShiftState Shift) = 0;
  // The main window's seek commands for Right and Left (none, Ctrl, Alt).
  virtual void Seek(bool Forward, TShiftState Shift) = 0;
  // The silent subtitle check.
  virtual bool CheckSubtitleFile(const std::string& Path) = 0;
  // A message owned by the playlist window (the skinned message box).
  virtual void ShowMessage(const std::wstring& Text) = 0;
  // The player was closed while a dialog was up: the application then
  // terminates instead of acting on the dialog's choice.
  virtual bool PlayerClosing() const = 0;
  // The images the popup menus show: the main window's menu images
  // (kit/menu_images.h).
  virtual TImageList& MenuImages() const = 0;
};

class TfrmPlayList : public TForm, public TPlaylistLink, public lc::settings::TextTarget {
 public:
  TfrmPlayList(lc::playlist::Playlist& Model, lc::playlist::FileOpener& Opener,
               lc::settings::SettingsStore& Settings, TPlayListEnvironment& Environment);
  ~TfrmPlayList() override;

  TListBox ListVideo;
  TListBox ListSub;
  TPopupMenu PopupVideoMenu;
  TPopupMenu PopupSubtitleMenu;
  TFlatMenu FlatMenu;
  TOpenDialog OpenDialog;
  TSaveDialog SavePlaylistDialog;
  TOpenDialog OpenPlaylistDialog;
  TOpenDialog OpenSubtitleDialog;
  TFolderDialog FolderDialog;

  // Brings the movie list in line with the model's lines and selection
  // (only the lines that differ are rewritten).
  void SyncLines();
  // Gathers the subtitle candidates of the selected entry into ListSub.
  void ListVideoSelectItem();
  // Applies the chosen subtitle line to the selected entry.
  void ListSubClick();
  // Plays the selected entry.
  void ListVideoDblClick();
  // The movie list has the keyboard focus.
  bool ListVideoFocused() const;
  // Both lists take the font size (points) of PlaylistFontSize.
  void SetListFontSize(int Points);
  // The switches take the settings read at start: the subtitle list and
  // its toggle and add button (ShowSubtitlesInPlaylist), the latches of
  // RememberPreviousMovieSettings and Shuffle; the face is laid out anew.
  void SettingsIntoSwitches();
  // The switches as the face shows them.
  bool SubtitleToggleOn() const { return FToggle->State(); }
  bool AddSubtitleEnabled() const { return FButtons[6]->Enabled(); }
  bool PreviousSettingsDown() const { return FPrevious->Down(); }
  bool ShuffleDown() const { return FShuffle->Down(); }
  // Both lists lose their hints (the full-path hints were switched off).
  void ClearListHints();
  // The item of either popup menu named Name; nullptr when none.
  TMenuItem* MenuItem(const std::wstring& Name) const;

  // ---- commands with a dialog (playlist_window_commands.cpp) ----
  void AddMovieClick();
  void AddFolderMenuClick();
  void ReplaceMovieMenuClick();
  void btnSavePlaylistClick();
  void btnOpenPlaylistClick();
  void ListSubAdd();
  // WM_DROPFILES: names dropped on the subtitle list give the selected
  // entry its subtitle, elsewhere they are added to the list.
  void AcceptFiles(HDROP Drop);

  // ---- TextTarget ----
  void ApplyTexts(const lc::settings::TextTable& Table) override;
  // Re-lays the window out for the toggle's state.
  void ShowHideSubtitlesRepaint();
  // Composes the face for the current size.
  void BufferPaint();
  TBitmap& Buffer() { return *FHost.BackBuffer(); }

  // ---- TPlaylistLink ----
  void RepaintButtons() override;
  void SetShowSubtitlesInPlaylist(bool Show) override;

 protected:
  void Resize() override;
  void Paint() override;
  bool EraseBackground() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoShow() override;
  bool CloseQuery() override;
  void Activate() override;
  void WndProc(TMessage& Message) override;

 private:
  // The hints of the seven buttons (TextHints): close, then the column.
  static constexpr int kButtonHints[7] = {0, 20, 21, 22, 23, 24, 25};

  void CreateWidgets();
  void CreateMenus();
  void CreateDialogs();
  // The texts of the hints, dialogs, menus and the subtitle list's first
  // line; ApplyTexts also repaints the face with them.
  void SetTexts(const lc::settings::TextTable& T);
  void ShowMessageText(const std::wstring& Text);
  // After a dialog: true when the player was closed meanwhile (the
  // application is then asked to terminate).
  bool ClosedDuringDialog();
  void AddSubtitleFile(const std::string& File);
  void ListHint(TListBox& List, int X, int Y, bool Movies);
  void SetUpList(TListBox& List);
  void FitItemHeight(TListBox& List);
  void DrawLine(TListBox* List, int Index, const TRect& Rect, UINT State);
  bool SubtitlesShown() const { return FSettings.ShowSubtitlesInPlaylist; }
  void ListVideoKeyDown(WORD& Key, TShiftState Shift);
  void ListSubKeyDown(WORD& Key, TShiftState Shift);
  void PassKeyOn(WORD& Key, TShiftState Shift);
  bool CommonListKey(WORD& Key, TShiftState Shift);
  void ListVideoMouseDown(TMouseButton Button, int X, int Y);
  void ListVideoMouseMove(TShiftState Shift, int X, int Y);
  void DropFaceHover();
  void ButtonAction(int Index);
  void ZoneMouseDown(WPARAM SizeCommand);
  void Snap(TMessage& Message);

  lc::playlist::Playlist& FModel;
  lc::playlist::FileOpener& FOpener;
  lc::settings::SettingsStore& FSettings;
  TPlayListEnvironment& FEnv;
  TSkinHost FHost;
  TSkinSurface FSurface;
  std::array<TBitmapImage, 10> FParts;
  TResizeZone FBottomZone;
  TResizeZone FRightZone;
  TResizeZone FCornerZone;
  std::array<std::unique_ptr<TVirtualButton>, 7> FButtons;  // close first
  std::unique_ptr<TVirtualFlip> FToggle;
  std::unique_ptr<TVirtualButton2> FPrevious;
  std::unique_ptr<TVirtualButton2> FShuffle;
  signed char FPaintGate = 100;
  bool FMoving = false;
  bool FDragging = false;
  int FDragIndex = -1;
  bool FClickFollowsPress = false;
  std::vector<std::string> FShownLines;
};

// The playlist window; nullptr while it does not exist.
extern TfrmPlayList* frmPlayList;
