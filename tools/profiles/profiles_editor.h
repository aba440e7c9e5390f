// TfrmProfilesEditor: the small skinned dialog that lists the movies whose
// settings are remembered and deletes some or all of them. The deletions
// act on Program().Rms at once and reach the file when the window closes.
// The configuration dialog creates it for each use. GUI thread only.
#pragma once

#include <memory>
#include <string>

#include "framework/list_box.h"
#include "kit/button.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"

class TfrmProfilesEditor : public TSkinForm {
 public:
  // Owner is the window the editor is centred on (the configuration dialog).
  explicit TfrmProfilesEditor(TForm* Owner);
  ~TfrmProfilesEditor() override;

  TListBox& lbMovieNames() { return *FList; }

  // Escape closes the window; the main window passes remote keys here too.
  void AllKeyPress(wchar_t& Key);
  // Deletes the selected lines and their table entries.
  void DeleteSelectedElements();
  // Empties the list and the table.
  void DeleteAllElements();

 protected:
  void DoShow() override;
  void Activate() override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseLeave() override;
  void KeyPress(wchar_t& Key) override;
  void DoClose(TCloseAction& Action) override;

 private:
  void LayOut();
  void FillList();
  void Place();
  void lbMovieNamesKeyUp(WORD Key, TShiftState Shift);
  void DropHover();

  TForm* FOwner;
  std::wstring FTitle;
  TFont FListFont;
  TSkinSurface FSurface;
  std::unique_ptr<TListBox> FList;
  std::unique_ptr<TVirtualButton> FCloseButton;
  std::unique_ptr<TVirtualButton> FDeleteButton;
  std::unique_ptr<TVirtualButton> FDeleteAllButton;
  std::unique_ptr<TVirtualButton> FCloseCaptionButton;
};

// The open editor; nullptr while none exists (the periodic store of the
// playing movie waits meanwhile).
extern TfrmProfilesEditor* frmProfilesEditor;

// The configuration dialog's "Profiles editor" button: runs the editor
// modally, centred on Owner; nothing while one is open.
void RunProfilesEditor(TForm* Owner);
