// The custom aspect-ratio and pan & scan dialogs: one slider applied live to
// the picture, OK keeping the last value, Cancel and Escape going back to
// the value the dialog was shown with. One class; the two differ by the
// options they are built with. GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

// The dialog base first: the slider's header brings the platform's macros.
#include "tools/tool_dialog.h"

#include "kit/trackbar.h"
#include "tools/dialog_rules.h"
#include "tools/tool_links.h"

class TSliderDialog : public TToolDialog {
 public:
  enum class TKind { AspectRatio, PanScan };
  // Player: the picture the slider shapes (the main window's dialog link).
  TSliderDialog(TKind Kind, lc::tools::TDialogPlayerLink& Player);
  ~TSliderDialog() override;

  TKind Kind() const { return FKind; }
  TVirtualTrackBar& Slider() { return *FSlider; }
  // The value Cancel and Escape go back to.
  int SavedValue() const { return FSaved; }
  // The form's character keys (the remote control calls them too):
  // AspectRatioKeyPress and PanScanKeyPress.
  void SliderKeyPress(wchar_t& Key);
  // Left and Down one step down, Up and Right one step up, applied.
  void FormKeyDown(WORD& Key);
  // The Restore button of the aspect dialog.
  void RestoreClick();

 protected:
  void DoShow() override;
  void Activate() override;
  void KeyPress(wchar_t& Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;
  void Paint() override;

 private:
  // The value the player holds now.
  int PlayerValue() const;
  // Hands the slider's position to the player when it differs.
  void Apply();
  void Step(int Delta);
  void Cancel();
  // Makes OK, Cancel and (aspect ratio only) Restore.
  void PlaceButtons();

  TKind FKind;
  lc::tools::TDialogPlayerLink& FPlayer;
  int FSaved = 0;
  std::unique_ptr<TSkinImage> FThumb;
  std::unique_ptr<TVirtualTrackBar> FSlider;
  // The buttons PlaceButtons makes (owned by the dialog's face); FRestore
  // stays null for pan & scan.
  TVirtualButton* FOk = nullptr;
  TVirtualButton* FCancel = nullptr;
  TVirtualButton* FRestore = nullptr;
};

// TfrmAspectRatio and TfrmPanScan: the two dialogs.
class TfrmAspectRatio : public TSliderDialog {
 public:
  explicit TfrmAspectRatio(lc::tools::TDialogPlayerLink& Player);
  ~TfrmAspectRatio() override;
  void AspectRatioKeyPress(wchar_t& Key) { SliderKeyPress(Key); }
};

class TfrmPanScan : public TSliderDialog {
 public:
  explicit TfrmPanScan(lc::tools::TDialogPlayerLink& Player);
  ~TfrmPanScan() override;
  void PanScanKeyPress(wchar_t& Key) { SliderKeyPress(Key); }
};

// The dialogs while they exist, nullptr otherwise.
extern TfrmAspectRatio* frmAspectRatio;
extern TfrmPanScan* frmPanScan;
