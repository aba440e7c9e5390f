// TfrmColorControl: the skinned window with the picture's brightness,
// contrast, hue and saturation sliders. Created hidden at start-up and kept
// until the end; closing it hides it. It only holds the four values (the
// player's timer applies them); its face and rules are TColorPanel's.
// GUI thread only.
#pragma once

#include <memory>

#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "settings/text_apply.h"
#include "tools/color_panel.h"

class TfrmColorControl : public TSkinForm, public lc::settings::TextTarget {
 public:
  TfrmColorControl();
  ~TfrmColorControl() override;

  lc::tools::TColorPanel& Panel() { return *FPanel; }
  // The key handler; the player's remote control calls it with Left and
  // Right.
  void AllKeyDown(int& Key, TShiftState Shift) { FPanel->AllKeyDown(Key, Shift); }
  void btnDefaultClick() { FPanel->btnDefaultClick(); }
  void RedrawCaption();
  void ApplyTexts(const lc::settings::TextTable& Table) override;

 protected:
  void DoShow() override;
  void DoClose(TCloseAction& Action) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void WndProc(TMessage& Message) override;

 private:
  void DrawTitle();
  void DropHover();
  void Place();

  TSkinSurface FSurface;
  TFont FTitleFont;
  std::unique_ptr<lc::tools::TColorPanel> FPanel;
};

// The colour control window; nullptr while it does not exist.
extern TfrmColorControl* frmColorControl;
