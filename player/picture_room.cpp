#include "player/picture_room.h"

#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/video_window.h"

namespace lc {

bool TPictureRoom::GraphActive() const { return frmVideoWindow && frmVideoWindow->GraphActive(); }

int TPictureRoom::RmsChangeScore() const { return Player().RmsChangeScore; }

void TPictureRoom::SetRmsChangeScore(int Score) { Player().RmsChangeScore = Score; }

void TPictureRoom::Run(Cmd Command, int Arg) {
  if (!FMain.RunFrom(TfrmMain::PictureCommands(), Command, Arg)) Next().Run(Command, Arg);
}

bool TPictureRoom::Takes(Cmd Command) const {
  return TfrmMain::Lists(TfrmMain::PictureCommands(), Command) || Next().Takes(Command);
}

void TPictureRoom::ShowOSD(const std::wstring& Text) {
  Player().OsdShowsPosition = false;
  FMain.ShowOSD(WideToUtf8(Text));
}

int TPictureRoom::GraphVolume() const { return frmVideoWindow ? frmVideoWindow->FilterGraph.Volume() : 0; }

void TPictureRoom::ChangeResolution(const std::string& ModeName) { FMain.ChangeResolution(ModeName); }

}  // namespace lc
