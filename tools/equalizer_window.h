// TfrmEqualizer: the skinned 10-band equalizer window. Created hidden at
// start-up and kept until the end; closing it hides it. Its face and rules
// are TEqualizerPanel's; the window feeds it the mouse, keys and wheel,
// draws its title, places and snaps itself and opens the preset dialog.
// GUI thread only.
#pragma once

#include <memory>

#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "settings/text_apply.h"
#include "tools/equalizer_panel.h"

class TfrmEqualizer : public TSkinForm, public lc::settings::TextTarget {
 public:
  // Audio: the video window's equalizer and amplifier (must outlive the form).
  explicit TfrmEqualizer(lc::tools::TEqualizerAudio& Audio);
  ~TfrmEqualizer() override;

  lc::tools::TEqualizerPanel& Panel() { return *FPanel; }

  // Sets band Band (0..9) to Value and applies it.
  void tbEqChange(int Band, int Value) { FPanel->tbEqChange(Band, Value); }
  // Applies the pre-amplification slider.
  void tbPreAmpChange() { FPanel->tbPreAmpChange(); }
  // The key handler; the player's remote control calls it with Up and Down.
  void AllKeyDown(int& Key, TShiftState Shift) { FPanel->AllKeyDown(Key, Shift); }
  // Repaints the title from the clean skin in the current language.
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
  void Act(lc::tools::TEqualizerAction Action);
  void DropHover();
  void WMWindowPosChanging(TMessage& Message);

  lc::tools::TEqualizerAudio& FAudio;
  TSkinSurface FSurface;
  TFont FTitleFont;
  std::unique_ptr<lc::tools::TEqualizerPanel> FPanel;
  bool FMoving = false;
};

// The equalizer window; nullptr while it does not exist.
extern TfrmEqualizer* frmEqualizer;
