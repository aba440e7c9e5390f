// TfrmLoadSavePreset: the equalizer's modal preset dialog, in a load mode
// (clicking a preset previews it live; Delete removes one) or a save mode
// (a name edit; clicking a preset takes its name). Created for each opening,
// it reads "Presets.EQ" when created; the file is written after the dialog
// only when a preset was saved or deleted (a deletion is kept whatever the
// dialog's result). A file it could not read is named to the user before
// the dialog shows. GUI thread only.
#pragma once

#include <memory>
#include <string>

#include "framework/list_box.h"
#include "framework/std_controls.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"
#include "tools/equalizer/eq_presets.h"
#include "tools/equalizer/equalizer_panel.h"

class TfrmLoadSavePreset : public TSkinForm {
 public:
  enum class TMode { Load, Save };
  // Reads the presets file at FileName. Window is the equalizer window (the
  // dialog is placed beside it), Equalizer its face, which load-mode clicks
  // set, and Audio its amplifier (read back).
  TfrmLoadSavePreset(TMode Mode, const std::string& FileName, TForm& Window,
                     lc::tools::TEqualizerPanel& Equalizer, lc::tools::TEqualizerAudio& Audio);
  ~TfrmLoadSavePreset() override;

  TMode Mode() const { return FMode; }
  lc::tools::TPresetList& Presets() { return FPresets; }
  TListBox& lbPresets() { return *FList; }
  TEdit& PresetNameEdit() { return *FNameEdit; }

  // Enter gives OK and Escape Cancel (the key is consumed); the main window's
  // remote control calls it too.
  void AllKeyPress(wchar_t& Key);
  // A click on a preset.
  void lbPresetsClick();
  // A presets file that was there but could not be read: the user is told,
  // the first time in this run that a dialog reads it, and under which
  // name it is kept when a preset is saved.
  void TellOfUnreadFile();
  // Writes the presets file when a preset was saved or deleted. The user is
  // told when a file with lines that could not be read was set aside
  // first, and when the file could not be written (named: the change is
  // lost).
  void SaveChanges();

 protected:
  void DoShow() override;
  void Activate() override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(wchar_t& Key) override;

 private:
  void LayOut();
  void Place();
  void lbPresetsKeyDown(WORD& Key);
  void NameChanged();

  TMode FMode;
  std::string FFileName;
  TForm& FWindow;
  lc::tools::TEqualizerPanel& FEqualizer;
  lc::tools::TEqualizerAudio& FAudio;
  lc::tools::TPresetList FPresets;
  lc::tools::TPresetsFileState FFileState;
  std::wstring FTitle;
  TFont FListFont;
  TSkinSurface FSurface;
  std::unique_ptr<TListBox> FList;
  std::unique_ptr<TEdit> FNameEdit;
  std::unique_ptr<TVirtualButton> FCloseButton;
  std::unique_ptr<TVirtualButton> FOkButton;
  std::unique_ptr<TVirtualButton> FCancelButton;
};

// The open preset dialog; nullptr while none exists.
extern TfrmLoadSavePreset* frmLoadSavePreset;

// The equalizer's load and save buttons: runs the dialog in that mode
// (nothing while one is open), puts the saved positions back when a load is
// not confirmed, saves the current positions under the typed name when a
// save is, then writes the file when it changed. The file is DataFolder +
// "Presets.EQ".
void RunPresetDialog(TfrmLoadSavePreset::TMode Mode, const std::string& FileName, TForm& Window,
                     lc::tools::TEqualizerPanel& Equalizer, lc::tools::TEqualizerAudio& Audio);
