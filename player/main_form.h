// The main window, TfrmMain: the small skinned control window of the
// player. It is the application's main form; closing it ends the program.
//
// The class is one, its members live in files by subject:
// main_form.cpp (creation, show, a second instance's files, saving and
// closing), window_proc.cpp (the window procedure's switch, docking,
// display change and the end of the session),
// main_face.cpp (the widgets, their places and their clicks),
// main_keys.cpp (the key map's dispatcher, the media keys and the command
// router), main_windows.cpp (satellite windows, dialogs and the simple menu
// commands), main_menu.cpp (the popup menu), main_playlist.cpp (the
// playlist model and what it asks of the player), first_activation.cpp (the command line at the first
// activation), subtitle_loading.cpp and subtitle_commands.cpp (loading,
// searching and showing subtitles, the subtitle commands). GUI thread only.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <windows.h>

#include "framework/dialogs.h"
#include "framework/flat_menu_painter.h"
#include "framework/image_list.h"
#include "framework/menus.h"
#include "framework/messages.h"
#include "framework/timer.h"
#include "kit/button.h"
#include "kit/flip.h"
#include "kit/label.h"
#include "kit/menu_images.h"
#include "kit/progress_bar.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "kit/volume_control.h"
#include "player/boss_keys.h"
#include "player/commands.h"
#include "player/display_switch.h"
#include "player/main_links.h"
#include "player/picture_choices.h"
#include "player/playback_state.h"
#include "player/pulse_rules.h"
#include "player/remote_codes.h"
#include "playlist/file_opening.h"
#include "tools/tool_links.h"
#include "playlist/playlist.h"
#include "settings/file_io.h"
#include "settings/rms_table.h"
#include "settings/text_apply.h"
#include "subtitles/loader.h"
#include "subtitles/search.h"

namespace lc::settings {
class SettingsHost;
}

namespace lc {
class TRoomsNotBuilt;
}

struct THintInfo;
class TDdeServerConv;
class TMenuItem;

// The primary screen's size in pixels.
struct TScreenSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TScreenSize&) const = default;
};

class TfrmMain : public TSkinForm, public lc::settings::TextTarget {
 public:
  // `settingsHost` gathers the windows' live values when the settings file
  // is written at close; it must outlive the form.
  explicit TfrmMain(const lc::settings::SettingsHost& settingsHost);
  ~TfrmMain() override;

  // ---- the rooms built elsewhere ----
  // Installs a room's commands (nullptr: the stand-in that does nothing);
  // Commands must outlive the form or be replaced first.
  void SetCommands(lc::TPlayerCommands* Commands);
  lc::TPlayerCommands& Commands() { return *FCommands; }
  // The playlist model and the opening of files, kept by the main window.
  lc::playlist::Playlist& Playlist() { return *FPlaylist; }
  lc::playlist::FileOpener& Opener() { return *FOpener; }
  lc::TSatelliteWindows Satellites;
  lc::TMainDialogs Dialogs;
  // The player as the tool windows see it: their unused keys go through
  // the key map, their texts to the OSD.
  lc::tools::TToolPlayerLink& ToolLink() { return *FToolLink; }

  // ---- program-wide state of the main window ----
  // True from creation until the end of the first activation.
  bool FirstActivationPending = true;
  // While set, show and activation do nothing (the window is being placed).
  bool SkipFormPlacement = false;
  // Set when the end of the session closes the player.
  bool SessionEnding = false;
  // The first instance's command-line arguments (the program not counted),
  // opened at the first activation.
  std::vector<std::string> CommandLine;
  // The files and folders of each hand-over from a second instance that
  // waits to be opened, oldest first.
  std::deque<std::vector<std::string>> WaitingHandOvers;
  // The hand-over being opened; empty otherwise.
  std::vector<std::string> OpenFileList;
  // Playback was started from outside and may close the player at the end
  // of the list.
  bool CloseWhenListEnds = false;
  // The movie being played, empty for none.
  std::string CurrentMovieFile;
  TScreenSize LastScreenSize;
  bool SubtitlesShown = true;
  double FrameRate = 25.0;
  // The shutdown after play at the end of the list (TurnOffComputerMenu's
  // check mark).
  bool TurnOffComputerAfterPlay = false;

  // ---- the face (its mouse order: TfrmMain::CreateWidgets, main_face.cpp) ----
  // The settings read at start onto the face: mute and volume (the graph's
  // volume with them), the repeat label, frames in the time label, the
  // dynamic amplification tick. The start-up calls it once the rooms are in.
  void SettingsIntoFace();
  TSkinSurface& Surface() { return FSurface; }
  std::unique_ptr<TVirtualLabel> MovieLabel, SubtitleLabel;
  std::unique_ptr<TVirtualButton> BtnInfo;
  std::unique_ptr<TVirtualLabel> MovieTimesLabel, RepeatLabel;
  std::unique_ptr<TVirtualButton> BtnOpenMovie, BtnRewind, BtnPlay, BtnForward, BtnPause, BtnStop,
      BtnOpenSubtitle, BtnPrevious, BtnNext, BtnPlayList, BtnOptions, BtnClose, BtnMinimize, BtnVolUp,
      BtnVolDown;
  std::unique_ptr<TVirtualFlip> MuteFlip;
  std::unique_ptr<TVolumeControl> VolumeBar;
  std::unique_ptr<TVirtualProgressBar> ProgressBar;
  // The pulse's timers (their work is the pulse's).
  TTimer GeneralTimer, ResetTimer, ScrollTimer;

  // ---- the popup menu (right click, the context-menu key) ----
  TPopupMenu PopupMenuMain;
  TFlatMenu FlatMenu;
  // The menus' images (kit/menu_images.h); the playlist's menus show them
  // too.
  TImageList ImageList{lc::kMenuImageSize, lc::kMenuImageSize};
  // The item of PopupMenuMain named Name, at any depth; nullptr when none.
  TMenuItem* MenuItem(const std::wstring& Name) const;
  // Brings the menu up to date as it opens: captions in the present
  // language, the recent files, the monitors to send the video to and the
  // display modes.
  void PopupMenuMainPopup();
  // Opens the menu at the mouse (the context-menu key of either window).
  void PopupMenuAtMouse();

  // ---- commands ----
  // Runs a command: the main window's own, or the room's that owns it.
  // While an opening waits for its movie's render, a command that does not
  // end the movie or the player is held, and runs once the opening ended.
  void RunCommand(lc::Cmd Command, int Arg = 0);
  // The held commands, in their order (from the pulse, once no opening or
  // operation runs).
  void RunHeldCommands();
  // Whether the main window or one of its rooms runs Command.
  bool HasHandler(lc::Cmd Command) const;
  // One command that a room of the main window runs, and how. A room's rows
  // both run its commands and tell which commands it takes.
  struct TCommandRow {
    lc::Cmd Command;
    void (*Run)(TfrmMain& Main, int Arg);
  };
  using TCommandRows = std::span<const TCommandRow>;
  // Runs Command by its row in Rows; false when Rows has none.
  bool RunFrom(TCommandRows Rows, lc::Cmd Command, int Arg);
  static bool Lists(TCommandRows Rows, lc::Cmd Command);
  // The key handlers (the key map): the main window's key handler, the
  // Escape and arrow table, and the table of every other key. Key is set
  // to 0 for F10.
  void FormKeyDown(WORD& Key, TShiftState Shift);
  void SpecialKeyExecute(WORD& Key, TShiftState Shift);
  void ExecuteKeyCommand(WORD& Key, TShiftState Shift);
  // Play or pause (Space, the play/pause media key).
  void PlayOrPause();
  // BtnPlay's own step before the play command: the selected playlist
  // entry becomes the current movie when there is none.
  void PlayStep();

  // ---- dialogs and satellite windows ----
  void BtnOptionsClick();
  void AboutMenuClick();
  void KeyDefinitionsClick();
  void JumpToTimeMenuClick();
  void MovieInfoLabelClick();
  void TurnOffComputerMenuClick();
  void DynamicAmplificationMenuClick();
  void BtnPlayListClick();

  // The messages of the first activation ("doesn't exist!", "No movie
  // found!") and of a failed save at close go here when it is set, else to
  // the message box.
  std::function<void(const std::wstring&)> OnReport;

  // ---- the first activation ----
  // Shows the satellites and turns CommandLine into the playlist
  // (FormActivate while FirstActivationPending).
  void FirstActivation();

  // ---- the boss key ----
  // Registers the hot key `id` (1 hide, 2 show) for this window, replacing
  // an earlier registration of that id; true when the platform accepted it.
  bool RegisterBossKey(lc::settings::ShortCut shortCut, int id);
  // Brings the hot keys in line with BossKey, BossKeyHide and BossKeyShow:
  // switched off or changed keys are released, a key that another program
  // holds stays unregistered (the setting is kept).
  void ApplyBossKeys();
  lc::BossKeys& BossKeys() { return *FBossKeys; }

  // ---- saving ----
  // The close handler: stores and stops the movie, saves the remembered
  // settings, the playlist and the settings file, and gives the desktop
  // its display mode back; the program is not asked to end (Close does
  // that after it). A close asked for while it runs (from a message loop
  // nested in it) is dropped: the running one completes. Only the data
  // files that the start-up has read in this run are saved (a close during
  // the start-up leaves the others as they were).
  void FormClose();
  // The close handler has run (the program is ending).
  bool Closed() const { return FClosed; }
  // TfrmMain.SaveConfiguration: writes the settings file.
  void SaveConfiguration();
  // TfrmMain.rmsSaveToHdd: writes the remembered movie settings before it
  // returns (the closing's save; a save under way on the worker is waited
  // for first); false when they could not be written. A file found damaged
  // meanwhile is kept aside and the user told before it is written.
  bool rmsSaveToHdd();
  // The same save during playback: done on a worker thread, so that no
  // frame waits for it (lc::StartRememberedSettingsSave); the pulse takes
  // its outcome in (CollectRmsSave).
  void rmsSaveInBackground();
  // TfrmMain.rmsLoadFromHdd: reads them.
  void rmsLoadFromHdd();

  // ---- the application's events, routed here by the start-up ----
  void OnExceptionEvent(TComponent* Sender, std::exception_ptr E);
  void OnShowHintEvent(std::wstring& HintStr, bool& CanShow, THintInfo& HintInfo);
  void OnModalBeginEvent(TComponent* Sender);
  void OnModalEndEvent(TComponent* Sender);
  // The window that takes the keyboard from Leaving (a window about to
  // hide, or nullptr), Preferred when it can: the main window, or the
  // picture while the main window is parked behind it, or another window
  // of the player that shows and takes input (lc::KeyboardHeir); the
  // windows the boss key hides are leaving too. nullptr when none can.
  // (player/main_windows.cpp)
  TForm* KeyboardHeir(TForm* Leaving, TForm* Preferred = nullptr);

  // ---- messages of one build ----
  // Offered every message first by the window procedure
  // (player/window_proc.cpp); true when it handled it. Null in the
  // shipped program; the build that the whole-program tests run answers
  // their queries through it.
  using TMessageHook = bool (*)(TfrmMain& Form, TMessage& Message);
  static TMessageHook MessageHook;

  // ---- picture, full screen, on-screen display and display modes ----
  // (player/picture_commands.cpp, player/osd.cpp, player/screen_modes.cpp)
  // The ticks and visibility of the popup menu's items these commands
  // keep (AlwaysOnTopMenu, MovieModeMenu, AspectRatioMenu, PanScanMenu,
  // WindowSizeMenu).
  bool AlwaysOnTopChecked = false;
  bool MovieModeChecked = false;
  lc::AspectChoice AspectChecked = lc::AspectChoice::Original;
  bool PanScanMenuVisible = false;
  bool WindowSizeMenuVisible = true;
  // Hands a placed rectangle (video control coordinates) to the renderer
  // and the video control; nothing without a renderer that can place.
  void SetVideoPosAndSize(int Left, int Top, int Width, int Height);
  // Lays the picture out anew for the aspect settings; OSD "Aspect
  // Ratio: " + Text. Also the custom aspect dialog's way in.
  void SetAspectRatio(const std::string& Text);
  // Lays the picture out anew for PanScanValue (full screen only) and
  // shows it; Manual false words it as automatic.
  void DoPanScan(bool Manual);
  void OriginalRatioMenuClick() { ChooseAspectRatio(lc::AspectChoice::Original); }
  void N169RatioMenuClick() { ChooseAspectRatio(lc::AspectChoice::Wide169); }
  void N43RatioMenuClick() { ChooseAspectRatio(lc::AspectChoice::Standard43); }
  void N11RatioMenuClick() { ChooseAspectRatio(lc::AspectChoice::Square11); }
  void FreeRatioMenuClick() { ChooseAspectRatio(lc::AspectChoice::Free); }
  void PanInMenuClick() { PanStep(1); }
  void PanOutMenuClick() { PanStep(-1); }
  void AutomaticMenuClick();
  void N50MenuClick() { SetMovieWindowSize(50); }
  void N100MenuClick() { SetMovieWindowSize(100); }
  void N200MenuClick() { SetMovieWindowSize(200); }
  void SetMovieWindowSize(int Percent);
  void ZoomCycle();
  void MovieModeMenuClick();
  void BtnFullScreenClick();
  void AlwaysOnTopMenuClick();
  // The picture-offset keys (player/picture_offsets.cpp): one step of
  // ImageOffsetX (Horizontal) or ImageOffsetY by Delta, and both back to 0;
  // only while a graph is active, the OSD naming the result.
  void PictureOffsetStep(bool Horizontal, int Delta);
  void CentrePicture();
  // The rows of the picture commands above (Arg: the monitor's number from
  // 1 for MonitorClick).
  static TCommandRows PictureCommands();
  // Puts the picture room (player/picture_room.h) in front of the rooms
  // installed so far; the start-up calls it once the video window exists.
  void InstallPictureRoom();
  // Shows Text on the OSD (nothing kept while OSDDisplay is off).
  void ShowOSD(const std::string& Text);
  // Removes the OSD text once its time is up (the pulse calls it).
  void ExpireOSD();
  // Switches the display to the mode named like "M1024x768x60Hz"; false
  // when the name holds no mode or the display refuses it.
  bool ChangeResolution(const std::string& ModeName);
  // Sends the video window to monitor Index (0-based).
  void MonitorClick(int Index);
  // Builds DisplayModeNames anew from the display's modes (after
  // DetectMonitorLayout), empties the resolution submenu (the popup fills
  // it again) and resets a FullscreenModeSwitch that is no longer offered
  // to "No change".
  void RebuildDisplayModes();
  std::string CurrentDisplayModeName();
  lc::DisplaySwitch& Display() { return *FDisplay; }
  void SetDisplaySwitch(std::unique_ptr<lc::DisplaySwitch> Display) { FDisplay = std::move(Display); }

  // ---- opening, transport and the movie's life cycle ----
  // (player/opening.cpp, player/opening_picture.cpp, player/transport.cpp,
  // player/stream_queries.cpp, player/playback_room.cpp)
  // Opens CurrentMovieFile into a new graph and starts it (or leaves it
  // paused on its first frame). A failure ends in the video window's
  // render-failure path, which unwinds out of here with the silent abort.
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts);
  // For the commands that end the movie (stop, close, another movie handed
  // over): while an opening (or a reload of the picture) is under way, its
  // render is abandoned if it is waiting for one, and the opening then ends
  // with no movie, the commands held for it dropped; true while an opening
  // is under way, which leaves the command nothing more to do.
  bool AbandonOpening();
  // An opening waits for its movie's render (the player answers meanwhile).
  bool OpeningRenders() const;
  // The open dialog of BtnOpenMovieClick: its title and filter are the
  // present language's and the media extensions' when it opens; Tag is 1
  // while it is up.
  TOpenDialog OpenMovieDialog;
  void BtnOpenMovieClick();
  void BtnPlayClick();
  void BtnPauseClick();
  // Stops; with CloseMovie also unloads the labels and may hide the video.
  void BtnStopClick(bool CloseMovie);
  // The steps of BtnStopClick, in their order.
  void StoreStoppingMovie();
  void ReleaseStoppedGraph();
  void CloseMovieDialogs();
  void StoppedFace(bool CloseMovie);
  // The transport buttons as an opening movie or no movie wants them.
  void SetTransportButtons(bool Opening);
  // The frame rate of the movie the graph holds, from its video's frame
  // duration; 25 when there is no graph or its video gives none.
  double GetMovieFrameRate();
  // NativeVideoSize and AspectRatioValue from the graph's picture.
  void ReadVideoAspect();
  // One item per filter of the graph that has property pages.
  void BuildFilterMenus();
  void FilterMenuClick(TMenuItem* Item);
  // Frees the filter items and disables FiltersMenu.
  void ClearFilterMenus();
  // The user's settings that the movie's remembered entry replaced.
  void RestoreRememberedReplacements();
  // Before a stopped or closed movie is stored: movie mode ends, its values
  // go back, and a full screen that only movie mode entered is marked
  // (FullScreenFromMovieMode) so the movie is remembered as windowed.
  void EndMovieModeForStore();
  // The labels, title and time label of the player without a movie.
  void NoMovieFace();
  // What the movie's remembered entry records of the player now.
  lc::settings::RmsLiveState LiveRmsState() const;
  // Puts the playback room (player/playback_room.h) in place of the
  // stand-in; the start-up calls it before the picture room.
  void InstallPlaybackRoom();
  std::vector<TMenuItem*> FilterMenuItems;
  // ---- texts ----
  // (player/main_texts.cpp)
  // The present language into the face: the widgets' hints, the captions
  // of the labels that show a state, the popup menu's captions.
  void ApplyTexts(const lc::settings::TextTable& Table) override;
  // The popup menu's captions in the present language.
  void RefreshMenuCaptions();
  // ---- the pulse, seeking, volume, bookmarks and recent files ----
  // (player/pulse.cpp, player/seeking.cpp, player/bookmarks.cpp)
  // GeneralTimer's, ResetTimer's and ScrollTimer's work.
  void GeneralTimerTimer();
  void ResetTimerTimer();
  void ScrollTimerTimer();
  // The position OSD, kept live by the pulse.
  void QuickTimeInfo();
  // The rows of the commands above and below.
  static TCommandRows PulseCommands();
  // Puts the pulse room (player/pulse_room.h) in front of the rooms
  // installed so far; the start-up calls it after the picture room.
  void InstallPulseRoom();
  // A seek step of Seconds back or forward with the position OSD.
  void SeekStep(bool Forward, int Seconds);
  void btnGoToStartClick();
  void btnGoToEndClick();
  // The progress bar's absolute seek; nothing without a movie.
  void SeekToPosition(int Milliseconds);
  // The movie's length changed while it plays: the seek bar's maximum
  // follows.
  void MovieLengthChanged();
  void BtnPreviousClick();
  void BtnNextClick();
  void BtnVolUpClick() { VolumeStep(1); }
  void BtnVolDownClick() { VolumeStep(-1); }
  // The mute command: the flip inverted, then applied.
  void MuteCommand();
  void MovieTimesLabelClick();
  void RepeatLabelClick();
  // The main form's wheel: the volume while the video window is hidden,
  // else the video window's own wheel step.
  void FormMouseWheel(bool Up);
  // The OSD clock on or off.
  void ToggleClock();
  // Bookmarks: the separator and up to nine items under BookmarksMenu.
  std::vector<TMenuItem*> BookmarkItems;
  void AddBookmarkMenuClick();
  void ClearBookmarksMenuClick();
  void bkClick(int Number);
  // The bookmark captions (for the remembered entry) and the bookmarks
  // rebuilt from a remembered entry's times ("hh:nn:ss", empty skipped).
  std::vector<std::string> BookmarkCaptions() const;
  void SetBookmarks(const std::vector<std::string>& Times);
  void RecentClick(int Place);
  void ClearHistoryMenuClick();
  // Whether ResetTimer holds the display and the system awake.
  bool KeepsAwake() const { return FKeepsAwake; }
  // The name labels scroll in turns, the movie label first (set again by
  // each opening).
  bool ScrollTurnMovieLabel = true;
  double LastRmsSaveTime = 0;

  // ---- frame capture (player/capture.cpp) ----
  // The number of the last capture name tried in this run.
  long long CaptureCounter = 0;
  // Saves the frame at the playback position as the next free
  // "CaptureNNNN" file; the OSD names it, a failure is reported.
  void CaptureFrameMenuClick();

  // ---- remote control (player/remote_control.cpp) ----
  // The program's file dialogs, each with Tag 1 while it is shown; their
  // owners add them. While one is shown, remote codes type into it.
  std::vector<const TCommonDialog*> RemoteFileDialogs;
  // The playlist window's list as remote codes 65 .. 70 reach it: ToList
  // sends Key to the list itself, else to the list's key handler with
  // Shift. Set by the playlist window.
  std::function<void(WORD Key, TShiftState Shift, bool ToList)> PlaylistListKey;
  // WM_REMOTECOMMAND: the result is always 0.
  void WMRemoteCommand(TMessage& Message);
  // Remote code 74: the next of Original, 16:9, 4:3 and 1:1 that is not
  // the movie's own ratio; nothing without a graph.
  void AspectCycle();

  // ---- system integration (player/system_events.cpp) ----
  // Minimising paused playback, which restoring resumes.
  bool PausedByMinimize = false;
  // Minimising put the video window behind the main window.
  bool VideoLoweredOnMinimize = false;
  // The next restore hides the video window instead of showing it (the
  // movie was stopped while the application was minimised).
  bool HideVideoOnRestore = false;
  // The boss key's hide paused playback, which its show resumes.
  bool PausedByBoss = false;
  // The hide came while the application was minimised.
  bool BossHidIconic = false;
  // The windows the boss key hid, in the order hidden; empty when nothing
  // is hidden (a null entry when only the taskbar button was).
  std::vector<TForm*> BossHiddenForms;
  // The window that held the keyboard when the boss key hid the player;
  // it takes it back when the player shows again.
  TForm* BossKeyboardForm = nullptr;
  // The application's minimise, restore and deactivate. A player that is
  // closing shows nothing anew on a restore (a second start restores it):
  // its closing report stays in front.
  void OnMinimizeEvent();
  void OnRestoreEvent();
  void OnDeactivateEvent();
  // WM_HOTKEY: id 1 hides the player, id 2 shows it again.
  void WMHotKey(TMessage& Message);
  // Serves the shell's DDE conversation (service: the base name, topic
  // "System"); without it the shell starts a second instance instead.
  void StartDdeServer();
  // "/Play ", "/AddFile " and "/AddFolder " (the first line only).
  void SystemExecuteMacro(const std::vector<std::string>& Macro);
  // When the last opening (or render failure, or the last "/Play" that
  // joined the playlist) ended, in days; the opening sets it at its end.
  double& LastOpenEndTime();

  // ---- the window procedure: its switch and the messages it answers
  // itself (player/window_proc.cpp) ----
  // From WM_ENTERSIZEMOVE to WM_EXITSIZEMOVE of a move by the user.
  bool InSizeMove = false;
  // The dialogs created on demand that exist now, in the order the remote
  // control and the display change take them.
  static std::vector<TForm*> OnDemandDialogs();

  // ---- the tool dialogs (player/main_tool_dialogs.cpp) ----
  // The custom aspect-ratio and pan & scan dialogs.
  void CustomRatioMenuClick();
  void CustomPanScanMenuClick();
  // The player as the jump, aspect-ratio and pan & scan dialogs see it.
  lc::tools::TDialogPlayerLink& DialogLink();

  // ---- subtitles (player/subtitle_loading.cpp, player/subtitle_commands.cpp) ----
  TOpenDialog OpenSubtitleDialog;  // Tag is 1 while the dialog is up
  TFontDialog FontDialogSub;
  // Stand in for the two dialogs' Execute when set (the tests pick a file
  // or a font through them).
  std::function<bool()> RunOpenSubtitleDialog, RunFontDialog;
  // Loads File as the current subtitle (an empty one when it fails, with
  // the failure's message box unless Silent); true when it loaded.
  bool LoadSubtitle(const std::string& File, bool Silent);
  // True when File would load; shows nothing and changes nothing.
  bool CheckSubtitleFile(const std::string& File);
  // The subtitle search for Movie: the file found (also kept as
  // SubtitleSearchResult), empty for none. Without CheckOnly the file is
  // loaded as the current subtitle as well.
  std::string SearchSubtitle(const std::string& Movie, bool CheckOnly);
  // A subtitle file opened while a movie plays: loaded silently and shown;
  // false when it did not load.
  bool AttachSubtitle(const std::string& File);
  void BtnOpenSubtitleClick();
  void DisableSubtitleMenuClick();
  void FontMenuClick();
  // The rows of the subtitle commands.
  static TCommandRows SubtitleCommands();
  // The pulse's subtitle step: the entry at the playing position goes on
  // the video control, repainted only when the entry changes.
  void ShowSubtitleAt(std::int64_t PositionMs);

 protected:
  void DoShow() override;
  void Activate() override;
  void Deactivate() override;
  bool CloseQuery() override;
  void DoClose(TCloseAction& Action) override;
  // window_proc.cpp
  void WndProc(TMessage& Message) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  // Ends the process at once (ExitProcess): with 0 when closing during an
  // operation, with 1 after a failure while saving.
  virtual void EndProcess(UINT ExitCode);

 private:
  friend class TMainPlayerLink;
  // main_face.cpp
  void CreateWidgets();
  void ConnectWidgets();
  void MuteFlipClick();
  // main_playlist.cpp
  void CreatePlaylist();
  // The opening's steps in the playlist window: the entry's subtitle
  // candidates gathered again, and the focus on the list that the step
  // names while the playlist window is the active one.
  void OpeningPlaylistCandidates();
  void OpeningPlaylistFocus();
  // main_menu.cpp
  void CreatePopupMenu();
  void ShowPictureState();
  void FillRecentFiles();
  void FillSendWindowTo();
  void FillResolutions();
  // main_keys.cpp
  // The rows of the main window's own commands.
  static TCommandRows OwnCommands();
  void PlayEntry();
  void WMAppCommand(TMessage& Message);
  void VolumeWithOsd(lc::Cmd Step);
  void CloseMovieKey();
  // The commands held while an opening waits for its movie's render, with
  // their arguments (RunCommand).
  std::vector<std::pair<lc::Cmd, int>> FHeldCommands;
  // main_windows.cpp
  void CreateToolLink();
  void RunDialog(lc::TDialogSlot& Slot);
  void ShowOrFront(TForm* Window);
  void TogglePlaylistKey();
  void ShowColorControl();
  bool PlaylistFocused() const;
  // Escape: the main window behind the full-screen video, then out of full
  // screen; in a window, the focus to the video window.
  void EscapeKey();
  // H and F12: the main window in front of or behind the full-screen video;
  // in a window, the focus from one window to the other, the window taking
  // it brought back onto the screen.
  void MainOrVideoWindow();
  // Hands Key to the equalizer window's key handler with no modifier.
  void EqualizerKey(WORD Key);
  // first_activation.cpp
  void OpenSingleFile(const std::string& Path);
  void OpenGeneral();
  void StartFirstEntry(bool AddNextParts);
  void ShowMissing(const std::string& Path);
  // A message box belonging to Owner (the main window when none).
  void ShowReport(const std::string& Text, TForm* Owner = nullptr);
  // main_form.cpp
  void ReportFailedSaveAtClose(const std::vector<lc::settings::NotSavedFile>& NotSaved);
  // Takes in a background save of the remembered settings that has ended;
  // one that found the file damaged anew is told (TellOfRmsDamage) and
  // started again. Called by the pulse.
  void CollectRmsSave();
  // The remembered-settings file was found damaged by a save: a copy of it
  // is kept aside and the user told, before the next save writes it.
  void TellOfRmsDamage();
  void RestoreDisplayMode();
  // The application's problem box: the base name and " has detected a
  // problem and will be terminated...".
  void ShowProblemBox();
  void WMCopyData(TMessage& Message);
  // Opens the oldest waiting hand-over as the playlist (WM_OPENHANDOVER,
  // and the pulse for one that waited while the player was busy).
  void OpenHandedOverFiles();
  // subtitle_loading.cpp (WM_FORGETFOLDERS).
  void ForgetSearchFolders();
  // remote_control.cpp
  void KeepAwake();
  bool FileDialogShown() const;
  void RunRemoteAction(const lc::RemoteAction& Action);
  // system_events.cpp
  void RegainForeground();
  void KeyboardBackAfterBoss();
  // window_proc.cpp
  void WMEnterSizeMove();
  void WMWindowPosChanging(TMessage& Message);
  void WMMoving();
  void WMExitSizeMove();
  void WMDisplayChange(TMessage& Message);
  void PlaceWindowsOnNewScreen(TScreenSize Size);
  void ReloadPicture();
  void WMEndSession(TMessage& Message);

  // opening.cpp, opening_picture.cpp, transport.cpp
  void OpeningSubtitleSettings(int Found);
  void OpeningRememberedSettings(int Entry);
  void OpeningNewGraph(bool AddNextParts);
  void OpeningRender();
  void RebuildGraph();
  void OpeningLabels();
  void OpeningSubtitle();
  void OpeningFrameRate();
  void AppendNextParts();
  void OpeningVolume(int Entry);
  void OpeningPlace(int Entry);
  void OpeningPanScan(int Entry);
  void OpeningPosition(int Entry);
  void OpeningAspect(int Entry);
  void OpeningOffsets(int Entry);
  void OpeningFullScreen(int Entry);
  void OpeningPicture();
  void StartOpenedMovie(bool PlayAfterOpen, bool TakeKeyboard);
  void OpeningWarnings();
  void RecordPreviousMovie();
  void SetColorSliders(const lc::SavedColorValues& Values);
  std::unique_ptr<lc::TPlayerCommands> FPlaybackRoom;

  // subtitle_loading.cpp, subtitle_commands.cpp
  lc::subtitles::LoadOptions SubtitleLoadOptions() const;
  bool TakeSubtitle(const std::string& File, bool Silent);
  void ConnectSubtitles();
  void ShowSubtitles(bool Shown);
  void ClearSubtitleLines();
  // The subtitle look of the settings (font, colour, style, size) onto the
  // video control, after a remembered entry replaced it or it came back.
  void SubtitleLookIntoVideo();
  void ShiftSubtitles(int Tenths);
  void StepSubtitleZone(bool Up);
  void StepSubtitleSize(bool Up);

  void ChooseAspectRatio(lc::AspectChoice Choice);
  void PanStep(int Delta);
  // Say: the OSD names the mode (not when an opening switches it on).
  void MovieModeOn(bool Say = true);
  void MovieModeOff();

  const lc::settings::SettingsHost& FSettingsHost;
  TSkinSurface FSurface;
  std::unique_ptr<TPlaybackLink> FPlaybackRelay;
  std::unique_ptr<lc::TRoomsNotBuilt> FStandIn;
  lc::TPlayerCommands* FCommands;
  lc::playlist::DiskFileSystem FDisk;
  std::unique_ptr<lc::playlist::PlayerLink> FPlayerLink;
  std::unique_ptr<lc::playlist::Playlist> FPlaylist;
  std::unique_ptr<lc::playlist::FileOpener> FOpener;
  std::unique_ptr<lc::tools::TToolPlayerLink> FToolLink;
  std::unique_ptr<lc::tools::TDialogPlayerLink> FDialogLink;
  std::unique_ptr<lc::DisplaySwitch> FDisplay;
  std::unique_ptr<lc::TPlayerCommands> FPictureRoom;
  std::unique_ptr<lc::HotKeyApi> FHotKeyApi;
  std::unique_ptr<lc::BossKeys> FBossKeys;
  std::unique_ptr<TDdeServerConv> FSystemConv;
  bool FActivating = false;
  // The close handler runs; it has run.
  bool FClosing = false;
  bool FClosed = false;
  // A hand-over is being opened.
  bool FOpeningHandOver = false;
  // subtitle_loading.cpp: the folders as the subtitle searches of one
  // operation see them (a new list of many movies lists each folder once);
  // forgotten when the operation has ended (WM_FORGETFOLDERS).
  const lc::subtitles::SubtitleFolders& SearchFolders();
  std::unique_ptr<lc::subtitles::FolderListingCache> FSearchFolders;
  bool FSearchFoldersKept = false;
  // pulse.cpp, seeking.cpp
  void ConnectPulse();
  bool AdvanceAfterFailure();
  bool AdvanceAfterEnd();
  bool StartEntry(int Index, unsigned WaitMs);
  bool EndOfList();
  int PlaybackPulse();
  void LivePositionOsd();
  void ApplyColorSliders();
  void VolumeStep(int Delta);
  void PlayChosen(int Index, bool UserAction);
  void ReleaseAwake();
  // bookmarks.cpp: appends a bookmark item (and the separator first);
  // returns its number.
  int AppendBookmark(long long Ms);
  void RemoveBookmarks();
  std::unique_ptr<lc::TPlayerCommands> FPulseRoom;
  bool FKeepsAwake = false;
  int FAppliedColors[4] = {-1, -1, -1, -1};
  // What the time label was last made of by the pulse, and what it then
  // read: a tick where neither moved leaves the label alone.
  struct TTimeLabelInputs {
    long long Position = -1, Max = -1;
    bool ShowFrames = false, Playing = false;
    double FrameRate = 0;
    bool operator==(const TTimeLabelInputs&) const = default;
  } FTimeLabelInputs;
  std::wstring FTimeLabelCaption;
  lc::FailedEntries FFailedEntries;
};

// Play and Pause count as shown down when latched down, allowed to be and
// enabled.
bool ShownDown(const TVirtualButton& Button);

// The main window; nullptr before the start-up creates it.
extern TfrmMain* frmMain;

// How long a hint of `length` characters stays, in milliseconds.
int HintDisplayTime(std::size_t length);
