// The picture room as the main window reaches it: the picture-geometry
// and full-screen commands, the OSD, the display-mode switch, the video
// window's graph and the remembered-settings score are answered here;
// everything else goes on to the rooms installed before (Next).
// GUI thread only.
#pragma once

#include <string>

#include "player/room_chain.h"

class TfrmMain;

namespace lc {

class TPictureRoom : public TRoomChain {
 public:
  // Main and Next must outlive the room.
  TPictureRoom(TfrmMain& Main, TPlayerCommands& Next) : TRoomChain(Next), FMain(Main) {}

  bool GraphActive() const override;
  int RmsChangeScore() const override;
  void SetRmsChangeScore(int Score) override;
  void Run(Cmd Command, int Arg) override;
  bool Takes(Cmd Command) const override;
  void ShowOSD(const std::wstring& Text) override;
  int GraphVolume() const override;
  void ChangeResolution(const std::string& ModeName) override;

 private:
  TfrmMain& FMain;
};

}  // namespace lc
