#include "player/pulse_room.h"

#include "player/main_form.h"
#include "player/movie_position.h"
#include "player/video_window.h"
#include "settings/program_state.h"

namespace lc {

void TPulseRoom::SeekToPosition(int Position) { FMain.SeekToPosition(Position); }

void TPulseRoom::Run(Cmd Command, int Arg) {
  if (!FMain.RunFrom(TfrmMain::PulseCommands(), Command, Arg)) Next().Run(Command, Arg);
}

bool TPulseRoom::Takes(Cmd Command) const {
  return TfrmMain::Lists(TfrmMain::PulseCommands(), Command) || Next().Takes(Command);
}

bool TPulseRoom::ShowFrames() const { return Program().Settings.ShowFrames; }

}  // namespace lc

void TfrmMain::InstallPulseRoom() {
  FPulseRoom = std::make_unique<lc::TPulseRoom>(*this, Commands());
  SetCommands(FPulseRoom.get());
  // The wheel over the full-screen picture steps the volume.
  if (frmVideoWindow) frmVideoWindow->OnVolumeStep = [this](bool Up) { VolumeStep(Up ? 1 : -1); };
}
