// The end of the main window's chain of rooms: no graph is ever active,
// every command does nothing and the volume is 0. The main window starts
// with it alone; the start-up puts the playback, picture and pulse rooms in
// front of it, each passing on what it does not take. Tests that build the
// main window without its rooms run against it as it is.
#pragma once

#include "player/main_links.h"

namespace lc {

class TRoomsNotBuilt : public TPlayerCommands {
 public:
  void SetVolume(int) override {}
  bool GraphActive() const override { return false; }
  void SeekToPosition(int) override {}
  int RmsChangeScore() const override { return FScore; }
  void SetRmsChangeScore(int Score) override { FScore = Score; }
  void CancelVolumeRestore() override {}
  bool IsWin9x() const override { return false; }
  void Run(Cmd, int) override {}
  bool Takes(Cmd) const override { return false; }
  void ShowOSD(const std::wstring&) override {}
  int GraphVolume() const override { return 0; }
  bool ShowFrames() const override { return false; }
  void OpenMovie(bool, bool) override {}
  void SetPreviousMovieSettingsValid(bool) override {}
  void SetDynamicAmplification(bool) override {}
  void StoreMovieAndStopGraph() override {}
  void UndoRememberedReplacements() override {}
  void ChangeResolution(const std::string&) override {}

 private:
  int FScore = 0;
};

}  // namespace lc
