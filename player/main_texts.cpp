// TfrmMain in the present language: the hints of its widgets, the labels
// that show a state in words, and the popup menu's captions.
#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "settings/program_state.h"

void TfrmMain::ApplyTexts(const lc::settings::TextTable& T) {
  const auto Hint = [&T](TWidget& W, int Index) { W.SetHint(Utf8ToWide(T.TextHints[Index])); };
  Hint(*BtnClose, 0);
  Hint(*BtnInfo, 1);
  Hint(*BtnOpenMovie, 4);
  Hint(*BtnRewind, 5);
  Hint(*BtnPlay, 6);
  Hint(*BtnForward, 7);
  Hint(*BtnPause, 8);
  Hint(*BtnStop, 9);
  Hint(*BtnOpenSubtitle, 10);
  Hint(*BtnPrevious, 11);
  Hint(*BtnNext, 12);
  Hint(*BtnPlayList, 13);
  Hint(*BtnOptions, 15);
  Hint(*BtnMinimize, 16);
  Hint(*BtnVolUp, 17);
  Hint(*BtnVolDown, 18);
  Hint(*MuteFlip, 19);
  Hint(*MovieTimesLabel, Commands().ShowFrames() ? 3 : 2);
  Hint(*MovieLabel, 29);
  Hint(*SubtitleLabel, 30);
  // The labels that name a state rather than a file.
  if (!Commands().GraphActive()) MovieLabel->SetCaption(Utf8ToWide(T.TextLabels[29]));
  if (!lc::Player().SubtitleLoaded) SubtitleLabel->SetCaption(Utf8ToWide(T.TextLabels[30]));
  const int Repeat = lc::Program().Settings.RepeatMode;
  RepeatLabel->SetCaption(L"");
  if (Repeat >= 0 && Repeat <= 2) RepeatLabel->SetCaption(Utf8ToWide(T.TextLabels[32 + Repeat]));
  RefreshMenuCaptions();
  // The menu painter measures the new captions.
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
}
