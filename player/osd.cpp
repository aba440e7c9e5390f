// TfrmMain's on-screen display: showing a text and removing it when its
// time is up. The video window paints it
// (player/video_window_osd_painter.cpp).
#include "dates/date_time.h"
#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/osd_rules.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"

using lc::Player;

void TfrmMain::ShowOSD(const std::string& Text) {
  lc::PlayerState& S = Player();
  if (!lc::Program().Settings.OSDDisplay) {
    S.OsdText.clear();
    return;
  }
  const std::wstring Wide = Utf8ToWide(Text);
  S.OsdText = Text;
  S.OsdDuration = lc::OsdDuration(Wide.size());
  S.OsdStartTime = lc::CurrentDateTime();
  // The same text again only starts its time anew.
  if (frmVideoWindow && Wide != frmVideoWindow->VideoWindow->OsdPaintedText)
    frmVideoWindow->VideoWindow->RepaintOsd();
}

void TfrmMain::ExpireOSD() {
  lc::PlayerState& S = Player();
  if (!frmVideoWindow || frmVideoWindow->VideoWindow->OsdPaintedText.empty()) return;
  if (lc::CurrentDateTime() - S.OsdStartTime < S.OsdDuration) return;
  S.OsdText.clear();
  frmVideoWindow->VideoWindow->RepaintOsd();
  S.OsdShowsPosition = false;
}
