// TfrmColorControl: the skinned window with the picture's brightness,
// contrast, hue and saturation sliders. Created hidden at start-up and kept
// until the end; closing it hides it. It only holds the four values (the
// player's timer applies them); its face and rules are TColorPanel's.
// GUI thread only.
#pragma once

#include <memory>

// The window header first: it brings the platform's names, which the
// portable widget headers must see too.
#include "tools/tool_window.h"
#include "tools/color/color_panel.h"

class TfrmColorControl : public TToolWindow {
 public:
  TfrmColorControl();
  ~TfrmColorControl() override;

  lc::tools::TColorPanel& Panel() { return *FPanel; }
  // The key handler; the player's remote control calls it with Left and
  // Right.
  void AllKeyDown(int& Key, TShiftState Shift) { FPanel->AllKeyDown(Key, Shift); }
  void btnDefaultClick() { FPanel->btnDefaultClick(); }
  void ApplyTexts(const lc::settings::TextTable& Table) override;

 protected:
  std::wstring TitleText() const override;
  void FaceKeyDown(int& Key, TShiftState Shift) override { AllKeyDown(Key, Shift); }
  void FaceWheel(bool Up) override { FPanel->Wheel(Up); }
  std::vector<TVirtualButton*> HoverButtons() override;
  void DoShow() override;

 private:
  void Place();

  std::unique_ptr<lc::tools::TColorPanel> FPanel;
};

// The colour control window; nullptr while it does not exist.
extern TfrmColorControl* frmColorControl;
