// The pulse room as the main window reaches it: the seek, playlist-step,
// volume, mute, time-label, repeat, bookmark and recent-file commands, the
// seek bar's seeks and the time label's mode are answered here;
// everything else goes on to the rooms installed before. GUI thread only.
#pragma once

#include "player/room_chain.h"

class TfrmMain;

namespace lc {

class TPulseRoom : public TRoomChain {
 public:
  // Main and Next must outlive the room.
  TPulseRoom(TfrmMain& Main, TPlayerCommands& Next) : TRoomChain(Next), FMain(Main) {}

  void SeekToPosition(int Position) override;
  void Run(Cmd Command, int Arg) override;
  bool Takes(Cmd Command) const override;
  bool ShowFrames() const override;

 private:
  TfrmMain& FMain;
};

}  // namespace lc
