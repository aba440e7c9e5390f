// TfrmEqualizer: the skinned 10-band equalizer window. Created hidden at
// start-up and kept until the end; closing it hides it. Its face and rules
// are TEqualizerPanel's; the window places and snaps itself and opens the
// preset dialog. GUI thread only.
#pragma once

#include <memory>

// The window header first: it brings the platform's names, which the
// portable widget headers must see too.
#include "tools/tool_window.h"
#include "tools/equalizer/equalizer_panel.h"

class TfrmEqualizer : public TToolWindow {
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
  void ApplyTexts(const lc::settings::TextTable& Table) override;

 protected:
  std::wstring TitleText() const override;
  void FaceKeyDown(int& Key, TShiftState Shift) override { AllKeyDown(Key, Shift); }
  void FaceWheel(bool Up) override { FPanel->Wheel(Up); }
  std::vector<TVirtualButton*> HoverButtons() override;
  void DoShow() override;
  void WndProc(TMessage& Message) override;

 private:
  void Act(lc::tools::TEqualizerAction Action);
  void WMWindowPosChanging(TMessage& Message);

  lc::tools::TEqualizerAudio& FAudio;
  std::unique_ptr<lc::tools::TEqualizerPanel> FPanel;
  bool FMoving = false;
};

// The equalizer window; nullptr while it does not exist.
extern TfrmEqualizer* frmEqualizer;
