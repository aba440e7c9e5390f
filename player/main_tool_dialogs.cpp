// TfrmMain's side of the tool dialogs: the custom aspect-ratio and pan & scan
// openers, and the player as the jump, aspect and pan & scan dialogs reach
// it (seek, on-screen texts, the picture values).
#include <dshow.h>

#include "framework/unicode.h"
#include "player/main_form.h"
#include "player/player_state.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "tools/dialog_rules.h"
#include "tools/slider_dialogs.h"

using lc::Player;
using lc::Program;

namespace {

bool VideoShowing() { return frmVideoWindow && frmVideoWindow->Showing(); }
bool GraphActive() { return frmVideoWindow && frmVideoWindow->GraphActive(); }

class TMainDialogLink : public lc::tools::TDialogPlayerLink {
 public:
  explicit TMainDialogLink(TfrmMain& Main) : FMain(Main) {}

  std::int64_t DurationMs() const override { return FMain.ProgressBar ? FMain.ProgressBar->Max() : 0; }

  void SeekTo(std::int64_t Position) override {
    if (GraphActive()) frmVideoWindow->FilterGraph.SeekTo(Position);
  }

  bool ShowFrames() const override { return FMain.Commands().ShowFrames(); }
  double FrameRate() const override { return FMain.FrameRate; }

  void ShowPositionOSD(const std::wstring& Text) override {
    FMain.ShowOSD(WideToUtf8(Text));
    if (Program().Settings.OSDDisplay) Player().OsdShowsPosition = true;
  }

  double AspectRatio() const override { return Player().AspectRatioValue; }
  void ApplyAspectRatio(double Value, const std::string& Text) override {
    Player().AspectRatioValue = Value;
    FMain.SetAspectRatio(Text);
  }

  int PanScan() const override { return Program().Settings.PanScanValue; }
  void ApplyPanScan(int Value) override {
    Program().Settings.PanScanValue = Value;
    FMain.DoPanScan(true);
  }

  TSize NativeVideoSize() const override { return {Player().NativeWidth, Player().NativeHeight}; }

 private:
  TfrmMain& FMain;
};

}  // namespace

lc::tools::TDialogPlayerLink& TfrmMain::DialogLink() {
  if (!FDialogLink) FDialogLink = std::make_unique<TMainDialogLink>(*this);
  return *FDialogLink;
}

// The dialog starts from the present ratio with the picture's aspect kept
// (a free picture is laid out anew first); its entry is the one ticked. A
// changed ratio is worth remembering for the movie.
void TfrmMain::CustomRatioMenuClick() {
  if (Program().OpeningMovie || frmAspectRatio || !GraphActive()) return;
  ChooseAspectRatio(lc::AspectChoice::Custom);
  const double Before = Player().AspectRatioValue;
  auto Dialog = std::make_unique<TfrmAspectRatio>(DialogLink());
  Dialog->Slider().SetPosition(lc::tools::AspectPosition(Before));
  Dialog->ShowModal();
  Dialog.reset();
  if (Player().AspectRatioValue != Before) lc::RaiseRmsChangeScore(Player(), GraphActive());
}

// Only over a full-screen video.
void TfrmMain::CustomPanScanMenuClick() {
  if (Program().OpeningMovie || frmPanScan || !GraphActive() || !VideoShowing() || !frmVideoWindow->FullScreen)
    return;
  MovieModeChecked = false;
  const int Before = Program().Settings.PanScanValue;
  auto Dialog = std::make_unique<TfrmPanScan>(DialogLink());
  Dialog->Slider().SetPosition(Before);
  Dialog->ShowModal();
  Dialog.reset();
  if (Program().Settings.PanScanValue != Before) lc::RaiseRmsChangeScore(Player(), GraphActive());
}
