#pragma once

// The few things of other subsystems that widgets reach. Each is a narrow
// interface that its owner implements (the playback engine and the main
// window for the bars and the colour sliders, the playlist window for its
// own widgets); tests use recording fakes. GUI thread.

// Playback as the main window's bars and the colour sliders see it.
class TPlaybackLink {
 public:
  virtual ~TPlaybackLink() = default;
  // Sets the graph's volume, 0 .. 10000 (TFilterGraph.SetVolume).
  virtual void SetVolume(int GraphVolume) = 0;
  // Whether a filter graph is active (TFilterGraph.Active).
  virtual bool GraphActive() const = 0;
  // Seeks the movie to a position of the progress bar's range
  // (TfrmMain.SeekToPosition).
  virtual void SeekToPosition(int Position) = 0;
  // The count of changes worth remembering since the last save of the
  // movie's remembered settings (RmsChangeScore).
  virtual int RmsChangeScore() const = 0;
  virtual void SetRmsChangeScore(int Score) = 0;
  // Cancels the pending restore of the volume a movie's remembered volume
  // replaced (VolumeRestorePending := False).
  virtual void CancelVolumeRestore() = 0;
  // Whether the system is of the Windows 9x family (the seek bar is drawn
  // one pixel further left there).
  virtual bool IsWin9x() const = 0;
};

// The remembered-settings score is capped at this value, which triggers a
// save.
inline constexpr int RmsChangeScoreCap = 10000;

// Adds Amount to the score, capped at RmsChangeScoreCap.
void AddRmsChangeScore(TPlaybackLink& Link, long long Amount);

// The playlist window as its own widgets see it.
class TPlaylistLink {
 public:
  virtual ~TPlaylistLink() = default;
  // Redraws the playlist's title strips and toggle buttons
  // (TfrmPlayList.RepaintButtons).
  virtual void RepaintButtons() = 0;
  // Stores the setting ShowSubtitlesInPlaylist.
  virtual void SetShowSubtitlesInPlaylist(bool Show) = 0;
};
