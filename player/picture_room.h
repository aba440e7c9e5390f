// The picture room as the main window reaches it: the picture-geometry
// and full-screen commands, the OSD, the display-mode switch, the video
// window's graph and the remembered-settings score are answered here;
// everything else goes on to the rooms installed before (Next).
// GUI thread only.
#pragma once

#include <string>

#include "player/main_links.h"

class TfrmMain;

namespace lc {

class TPictureRoom : public TPlayerCommands {
 public:
  // Main and Next must outlive the room.
  TPictureRoom(TfrmMain& Main, TPlayerCommands& Next) : FMain(Main), FNext(Next) {}

  void SetVolume(int GraphVolume) override { FNext.SetVolume(GraphVolume); }
  bool GraphActive() const override;
  void SeekToPosition(int Position) override { FNext.SeekToPosition(Position); }
  int RmsChangeScore() const override;
  void SetRmsChangeScore(int Score) override;
  void CancelVolumeRestore() override { FNext.CancelVolumeRestore(); }
  bool IsWin9x() const override { return FNext.IsWin9x(); }
  void Run(Cmd Command, int Arg) override;
  void ShowOSD(const std::wstring& Text) override;
  int GraphVolume() const override;
  bool ShowFrames() const override { return FNext.ShowFrames(); }
  void OpenMovie(bool PlayAfterOpen, bool AddNextParts) override { FNext.OpenMovie(PlayAfterOpen, AddNextParts); }
  void SetPreviousMovieSettingsValid(bool Valid) override { FNext.SetPreviousMovieSettingsValid(Valid); }
  void SetDynamicAmplification(bool Enabled) override { FNext.SetDynamicAmplification(Enabled); }
  void StoreMovieAndStopGraph() override { FNext.StoreMovieAndStopGraph(); }
  void UndoRememberedReplacements() override { FNext.UndoRememberedReplacements(); }
  void ChangeResolution(const std::string& ModeName) override;
  std::string SearchSubtitle(const std::string& Movie) override { return FNext.SearchSubtitle(Movie); }
  bool AttachSubtitle(const std::string& File) override { return FNext.AttachSubtitle(File); }

 private:
  TfrmMain& FMain;
  TPlayerCommands& FNext;
};

}  // namespace lc
