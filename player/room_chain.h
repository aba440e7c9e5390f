// A room in the chain of rooms the main window hands its commands to: it
// answers what it overrides and passes everything else on to the rooms
// installed before it (Next). GUI thread only.
#pragma once

#include <string>

#include "player/main_links.h"

namespace lc {

class TRoomChain : public TPlayerCommands {
 public:
  // Next must outlive the room.
  explicit TRoomChain(TPlayerCommands& Next) : FNext(Next) {}

  void SetVolume(int GraphVolume) override { FNext.SetVolume(GraphVolume); }
  bool GraphActive() const override { return FNext.GraphActive(); }
  void SeekToPosition(int Position) override { FNext.SeekToPosition(Position); }
  int RmsChangeScore() const override { return FNext.RmsChangeScore(); }
  void SetRmsChangeScore(int Score) override { FNext.SetRmsChangeScore(Score); }
  void CancelVolumeRestore() override { FNext.CancelVolumeRestore(); }
  bool IsWin9x() const override { return FNext.IsWin9x(); }
  void Run(Cmd Command, int Arg) override { FNext.Run(Command, Arg); }
  bool Takes(Cmd Command) const override { return FNext.Takes(Command); }
  void ShowOSD(const std::wstring& Text) override { FNext.ShowOSD(Text); }
  int GraphVolume() const override { return FNext.GraphVolume(); }
  bool ShowFrames() const override { return FNext.ShowFrames(); }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override { FNext.OpenMovie(PlayAfterOpen, AddNextParts); }
  void SetPreviousMovieSettingsValid(bool Valid) override { FNext.SetPreviousMovieSettingsValid(Valid); }
  void SetDynamicAmplification(bool Enabled) override { FNext.SetDynamicAmplification(Enabled); }
  void StoreMovieAndStopGraph() override { FNext.StoreMovieAndStopGraph(); }
  void UndoRememberedReplacements() override { FNext.UndoRememberedReplacements(); }
  void ChangeResolution(const std::string& ModeName) override { FNext.ChangeResolution(ModeName); }

 protected:
  TPlayerCommands& Next() { return FNext; }
  const TPlayerCommands& Next() const { return FNext; }

 private:
  TPlayerCommands& FNext;
};

}  // namespace lc
