// TfrmMain's picture-offset keys: the picture moved one percent of its size
// left, right, up or down inside the video control, or centred again. The
// size stays; the move is remembered for the movie and named on the OSD,
// which also shows when the offset is already at its limit.
#include "player/main_form.h"
#include "player/picture_choices.h"
#include "player/picture_geometry.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_table.h"

namespace {

bool GraphActive() { return frmVideoWindow && frmVideoWindow->GraphActive(); }

}  // namespace

void TfrmMain::PictureOffsetStep(bool Horizontal, int Delta) {
  if (!GraphActive()) return;
  lc::PlayerState& S = lc::Player();
  int& Offset = Horizontal ? S.ImageOffsetX : S.ImageOffsetY;
  if (const auto Next = lc::OffsetStep(Offset, Delta)) {
    Offset = *Next;
    MovieModeChecked = false;
    TDSVideoWindowEx2& Video = *frmVideoWindow->VideoWindow;
    const TRect R = lc::OffsetPictureRect(Video.VideoRect, Video.ClientWidth(), Video.ClientHeight(),
                                          S.ImageOffsetX, S.ImageOffsetY, Horizontal);
    SetVideoPosAndSize(R.Left, R.Top, R.Width(), R.Height());
    Video.RepaintVideo();
    lc::RaiseRmsChangeScore(S, true);
  }
  S.OsdShowsPosition = false;
  ShowOSD(lc::OffsetOsdText(Horizontal, Offset, lc::settings::GlobalTextTable()));
}

void TfrmMain::CentrePicture() {
  if (!GraphActive()) return;
  lc::PlayerState& S = lc::Player();
  if (S.ImageOffsetX != 0 || S.ImageOffsetY != 0) {
    S.ImageOffsetX = 0;
    S.ImageOffsetY = 0;
    MovieModeChecked = false;
    TDSVideoWindowEx2& Video = *frmVideoWindow->VideoWindow;
    const TRect R = lc::CentredPictureRect(Video.VideoRect, Video.ClientWidth(), Video.ClientHeight());
    SetVideoPosAndSize(R.Left, R.Top, R.Width(), R.Height());
    Video.RepaintVideo();
    lc::RaiseRmsChangeScore(S, true);
  }
  S.OsdShowsPosition = false;
  ShowOSD(lc::settings::GlobalTextTable().TextMessages[27]);
}
