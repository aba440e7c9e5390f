// TfrmAbout, the about box with the version and the makers' mail and web
// links, and TfrmKeyboard, the list of the player's keys, widened when a
// line of the list needs more room. Both are created for one opening.
// GUI thread only.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/controls.h"
#include "framework/std_controls.h"
#include "tools/tool_dialog.h"

class TfrmAbout : public TToolDialog {
 public:
  TfrmAbout();
  ~TfrmAbout() override;

  TLabel& VersionLabel() { return *FVersion; }
  // Enter and Escape close (the remote control calls it too).
  void FormKeyPress(wchar_t& Key);

  // Hands a link to the shell (ShellExecute with no verb and the show
  // state); tests replace it.
  static std::function<void(const std::wstring& Target, int ShowCommand)> OpenLink;

 protected:
  void DoShow() override;
  void KeyPress(wchar_t& Key) override;
  void Paint() override;

 private:
  std::unique_ptr<TLabel> FVersion;
  TVirtualButton* FMail = nullptr;
  TVirtualButton* FSite = nullptr;
};

// The makers' addresses the about box opens.
extern const wchar_t* const kAboutMailLink;
extern const wchar_t* const kAboutSiteLink;

class TfrmKeyboard : public TToolDialog {
 public:
  TfrmKeyboard();
  ~TfrmKeyboard() override;

  TMemo& MemoText() { return *FMemo; }
  // Where the keys of every line start in the memo (pixels from the text's
  // left edge): past the widest action.
  int KeyColumn() const { return FKeyColumn; }
  // Enter and Escape close (the form's and the memo's keys; the remote
  // control calls it too).
  void FormKeyPress(wchar_t& Key);

 protected:
  void DoShow() override;
  void KeyPress(wchar_t& Key) override;

 private:
  // Sets the key column and gives the width the key list needs: the
  // memo's client width, or the widest line + 30, never beyond the screen
  // less 16.
  int NeededWidth();

  std::unique_ptr<TMemo> FMemo;
  TVirtualButton* FClose = nullptr;
  int FKeyColumn = 0;
};

// The windows while they exist, nullptr otherwise.
extern TfrmAbout* frmAbout;
extern TfrmKeyboard* frmKeyboard;
