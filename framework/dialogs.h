// The platform's common dialogs: open and save (TOpenDialog, TSaveDialog),
// font (TFontDialog), colour (TColorDialog) and folder choice
// (TFolderDialog), and the plain message box (ShowMessage). Execute shows the dialog and returns true with the
// user's choice in the dialog's properties, or false (properties as they
// were) when he cancels.
//
// A dialog runs modally as our own modal forms do: every other form of the
// application is disabled meanwhile and the application's OnModalBegin and
// OnModalEnd fire around it. OnShow fires when the dialog window is up
// (Handle is then valid: a handler may change its title), OnClose when it
// has gone; owners mark the dialog open through Tag from them.
//
// GUI thread only.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/component.h"
#include "framework/graphics.h"

class TCommonDialog : public TComponent {
 public:
  TNotifyEvent OnShow;
  TNotifyEvent OnClose;
  // The dialog window while Execute runs, else nullptr.
  HWND Handle() const { return FHandle; }

 protected:
  // Runs Show (which calls the platform) with the modal bookkeeping; Owner
  // is the window the dialog belongs to. Returns Show's result.
  bool RunModal(const std::function<bool(HWND Owner)>& Show);

 public:
  // ---- internals used by the dialog hooks ----
  // The dialog window Wnd is up: runs OnShow.
  void DialogShownFromHook(HWND Wnd);

 private:
  HWND FHandle = nullptr;
};

// Options of the file dialogs.
enum TOpenOption : unsigned {
  ofAllowMultiSelect = 1u << 0,
  ofOverwritePrompt = 1u << 1,
  ofFileMustExist = 1u << 2,
  ofPathMustExist = 1u << 3,
  ofHideReadOnly = 1u << 4,
  ofEnableSizing = 1u << 5,
  // The process's current folder is left as it was.
  ofNoChangeDir = 1u << 6,
};
using TOpenOptions = unsigned;

class TOpenDialog : public TCommonDialog {
 public:
  TOpenDialog();
  // "Video files|*.avi;*.mpg|All files|*.*": pairs of description and
  // patterns separated by "|".
  std::wstring Filter;
  // The chosen pair, from 1.
  int FilterIndex = 1;
  std::wstring InitialDir;
  std::wstring Title;
  // Appended to a typed name without extension ("lpl", no dot).
  std::wstring DefaultExt;
  TOpenOptions Options = ofHideReadOnly | ofEnableSizing;
  // The chosen file (the first one when several are chosen); a name set
  // before Execute is offered in the dialog.
  std::wstring FileName;
  // Every chosen file, full paths, in the order the dialog gives them.
  std::vector<std::wstring> Files;

  bool Execute();

 protected:
  virtual bool IsSaveDialog() const { return false; }
};

class TSaveDialog : public TOpenDialog {
 public:
  TSaveDialog();

 protected:
  bool IsSaveDialog() const override { return true; }
};

// Font name, size, style and colour; CharSet travels with them.
class TFontDialog : public TCommonDialog {
 public:
  TFontDialog();
  TFont Font;
  BYTE CharSet = DEFAULT_CHARSET;

  bool Execute();
};

class TColorDialog : public TCommonDialog {
 public:
  TColor Color = clBlack;
  // The sixteen custom colours the dialog offers and the user may change.
  std::array<TColor, 16> CustomColors{};

  bool Execute();
};

// The choice of a folder of the file system.
class TFolderDialog : public TCommonDialog {
 public:
  // Shown above the folder tree.
  std::wstring Title;
  // The folder selected when the dialog opens; the chosen one afterwards.
  std::wstring Directory;

  bool Execute();
};

// The plain message box: Text with an OK button, titled with the
// application's title, run modally as the dialogs are (every other form
// disabled, OnModalBegin and OnModalEnd); returns when it was closed.
void ShowMessage(const std::wstring& Text);

// The file names of the platform's multi-select result: a folder followed
// by names, each ended by a zero, the list by a second zero; a single
// full path stands alone. Returns full paths.
std::vector<std::wstring> SplitDialogFileList(const wchar_t* Buffer);
// The platform's filter list (zero-separated, ends with two zeros) from
// "description|patterns|..." text.
std::wstring DialogFilterList(const std::wstring& Filter);
