// The playback room as the main window reaches it: opening, play, pause
// and stop, the graph's volume, the previous movie's picture, the dynamic
// amplification and what closing asks of the movie are answered here;
// everything else goes on to the rooms installed before (Next).
// GUI thread only.
#pragma once

#include <string>

#include "player/main_links.h"

class TfrmMain;

namespace lc {

class TPlaybackRoom : public TPlayerCommands {
 public:
  // Main and Next must outlive the room.
  TPlaybackRoom(TfrmMain& Main, TPlayerCommands& Next) : FMain(Main), FNext(Next) {}

  void SetVolume(int GraphVolume) override;
  bool GraphActive() const override;
  void SeekToPosition(int Position) override { FNext.SeekToPosition(Position); }
  int RmsChangeScore() const override { return FNext.RmsChangeScore(); }
  void SetRmsChangeScore(int Score) override { FNext.SetRmsChangeScore(Score); }
  void CancelVolumeRestore() override;
  bool IsWin9x() const override { return FNext.IsWin9x(); }
  void Run(Cmd Command, int Arg) override;
  bool Takes(Cmd Command) const override;
  void ShowOSD(const std::wstring& Text) override { FNext.ShowOSD(Text); }
  int GraphVolume() const override;
  bool ShowFrames() const override { return FNext.ShowFrames(); }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override;
  void SetPreviousMovieSettingsValid(bool Valid) override;
  void SetDynamicAmplification(bool Enabled) override;
  void StoreMovieAndStopGraph() override;
  void UndoRememberedReplacements() override;
  void ChangeResolution(const std::string& ModeName) override { FNext.ChangeResolution(ModeName); }

 private:
  TfrmMain& FMain;
  TPlayerCommands& FNext;
};

}  // namespace lc
