// TfrmPlayList: the playlist window. A borderless, resizable window whose
// face is composed from the ten "PlaylistPart" images at any size, with the
// movie list and the subtitle candidates list, the skinned buttons, three
// resize zones and snapping to the other windows while it is moved. It
// presents and commands the playlist model; what it needs of the rest of the
// program comes through TPlayListEnvironment. GUI thread only.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "framework/forms.h"
#include "framework/list_box.h"
#include "kit/button.h"
#include "kit/flip.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "kit/small_controls.h"
#include "kit/widget_links.h"
#include "playlist/playlist.h"
#include "playlist/subtitle_candidates.h"

struct TPlayListEnvironment {
  std::function<TForm*()> MainWindow;
  std::function<TForm*()> VideoWindow;
  std::function<TForm*()> EqualizerWindow;
  std::function<bool()> VideoFullScreen;
  // A key the playlist did not use up: the player's shortcuts.
  std::function<void(WORD& Key, TShiftState Shift)> ExecuteKeyCommand;
  // The main window's seek commands for Right and Left (none, Ctrl, Alt).
  std::function<void(bool Forward, TShiftState Shift)> Seek;
  // The silent subtitle check.
  std::function<bool(const std::string& Path)> CheckSubtitleFile;
  // The commands that open dialogs (add movies, add folder, add subtitle,
  // save and load the list); nothing happens while one is empty.
  std::function<void()> AddMovieClick;
  std::function<void()> AddFolderMenuClick;
  std::function<void()> ListSubAdd;
  std::function<void()> SavePlaylistClick;
  std::function<void()> OpenPlaylistClick;
};

class TfrmPlayList : public TForm, public TPlaylistLink {
 public:
  TfrmPlayList(lc::playlist::Playlist& Model, lc::settings::SettingsStore& Settings,
               TPlayListEnvironment Environment);
  ~TfrmPlayList() override;

  TListBox ListVideo;
  TListBox ListSub;

  // Refills the movie list from the model's lines and selection.
  void RefreshLines();
  // Gathers the subtitle candidates of the selected entry into ListSub.
  void ListVideoSelectItem();
  // Applies the chosen subtitle line to the selected entry.
  void ListSubClick();
  // Plays the selected entry.
  void ListVideoDblClick();
  // Re-lays the window out for the toggle's state.
  void ShowHideSubtitlesRepaint();
  // Composes the face for the current size.
  void BufferPaint();
  TBitmap& Buffer() { return FHost.Skin(); }

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
  bool CloseQuery() override;
  void Activate() override;
  void WndProc(TMessage& Message) override;

 private:
  void CreateWidgets();
  void SetUpList(TListBox& List);
  void DrawLine(TListBox* List, int Index, const TRect& Rect, UINT State);
  bool SubtitlesShown() const { return FSettings.ShowSubtitlesInPlaylist; }
  void ListVideoKeyDown(WORD& Key, TShiftState Shift);
  void ListSubKeyDown(WORD& Key, TShiftState Shift);
  bool CommonListKey(WORD& Key, TShiftState Shift);
  void ListVideoMouseDown(TMouseButton Button, int X, int Y);
  void ListVideoMouseMove(TShiftState Shift);
  void ButtonAction(int Index);
  void ZoneMouseDown(WPARAM SizeCommand);
  void Snap(TMessage& Message);

  lc::playlist::Playlist& FModel;
  lc::settings::SettingsStore& FSettings;
  TPlayListEnvironment FEnv;
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
  bool FSelectAllBeforeKey = false;
};

// The playlist window; nullptr while it does not exist.
extern TfrmPlayList* frmPlayList;
