// The player's commands as the main window's buttons, keys, media keys and
// menu items name them. One list for every way in: the key map, the face's
// widgets and the popup menu all end in TfrmMain::RunCommand, which does
// the window's own commands and hands the others to the rooms that own them
// (transport, seeking, subtitles, picture geometry, bookmarks, tools).
// Every command has a room that runs it (TfrmMain::HasHandler).
// Portable: no Windows header.
#pragma once

#include <cstdint>

namespace lc {

enum class Cmd : std::uint8_t {
  None,
  // ---- handed to the other rooms ----
  // Opening, transport, seeking and volume.
  BtnOpenMovieClick,
  BtnPlayClick,
  BtnPauseClick,
  BtnStopClick,
  BtnRewindClick,
  BtnForwardClick,
  FastRewindClick,
  FastForwardClick,
  btnGoToStartClick,
  btnGoToEndClick,
  BtnPreviousClick,
  BtnNextClick,
  BtnVolUpClick,
  BtnVolDownClick,
  MuteFlipClick,
  MovieTimesLabelClick,
  RepeatLabelClick,
  QuickTimeInfo,
  // Stops with closing (when a movie is loaded), deactivates the graph,
  // forgets the current movie and its subtitle (also after a stop that kept
  // them) and says "Close movie" on the OSD; the main window has already put
  // its labels back.
  CloseMovie,
  // Stops the loaded movie before a new list starts (with the application
  // minimised, the new movie's video window is not hidden on restore).
  StopForNewList,
  // Subtitles.
  BtnOpenSubtitleClick,
  FontMenuClick,
  DisableSubtitleMenuClick,
  DecreaseTimeMenuClick,
  IncreaseTimeMenuClick,
  DecreaseTime20MenuClick,
  IncreaseTime20MenuClick,
  MoveSubtitleUpMenuClick,
  MoveSubtitleDownMenuClick,
  IncreaseFontSizeMenuClick,
  DecreaseFontSizeMenuClick,
  // Picture geometry and the video window.
  BtnFullScreenClick,
  MovieModeMenuClick,
  ZoomCycle,
  PanInMenuClick,
  PanOutMenuClick,
  AutomaticMenuClick,
  CustomPanScanMenuClick,
  CustomRatioMenuClick,
  OriginalRatioMenuClick,
  N169RatioMenuClick,
  N43RatioMenuClick,
  N11RatioMenuClick,
  FreeRatioMenuClick,
  N50MenuClick,
  N100MenuClick,
  N200MenuClick,
  // SetMovieWindowSize(100), whatever the modifiers.
  MovieWindowSize100,
  AlwaysOnTopMenuClick,
  PictureLeft,
  PictureRight,
  PictureUp,
  PictureDown,
  CentrePicture,
  // The OSD clock on and off.
  ToggleClock,
  // Bookmarks: Arg is the bookmark's number for Bookmark.
  AddBookmarkMenuClick,
  ClearBookmarksMenuClick,
  Bookmark,
  // Recent files: Arg is the place 1 .. 5 for RecentClick.
  RecentClick,
  ClearHistoryMenuClick,
  // The video window to a monitor: Arg is the monitor's number from 1.
  MonitorClick,

  // ---- done by the main window itself ----
  // H and F12: the main window in front of or behind the full-screen
  // video, or the focus between the two windows.
  MainOrVideoWindow,
  // Escape: main window behind the video, leave full screen, or focus the
  // video window.
  EscapeKey,
  // The equalizer window's Up and Down keys (its pre-amplification).
  PreampUp,
  PreampDown,
  PlayOrPause,       // Space
  PlayEntry,         // X
  PauseUnlessDown,   // C
  StopIfEnabled,     // V
  CloseMovieKey,     // Ctrl+F4
  RepeatWithOsd,     // R
  FramesWithOsd,     // '/'
  VolumeUpWithOsd,   // Up
  VolumeDownWithOsd, // Down
  ShowPlaylist,      // Alt+P
  TogglePlaylist,    // Alt+E, F10
  ShowEqualizer,     // E, Alt+G
  ShowColorControl,  // Ctrl+C
  BtnOptionsClick,
  AboutMenuClick,
  KeyDefinitionsClick,
  JumpToTimeMenuClick,
  MovieInfoLabelClick,
  TurnOffComputerMenuClick,
  DynamicAmplificationMenuClick,
  BtnPlayListClick,
  PlaylistMenuClick,
  EqualizerMenuClick,
  ColorControlMenuClick,
  MinimizeApp,
  CloseMainWindow,
  CaptureFrameMenuClick,

  // Not a command: one past the last, for walking the list.
  EndOfList,
};

}  // namespace lc
