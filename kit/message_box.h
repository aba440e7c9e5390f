#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/forms.h"
#include "kit/button.h"
#include "kit/checkbox.h"
#include "kit/message_layout.h"
#include "kit/program_windows.h"
#include "kit/skin_host.h"
#include "kit/skin_surface.h"

// The skinned message box: the one way the system reports to the user. A
// modal, borderless window with a title, the word-wrapped text, an "OK"
// button, a close button and, on request, the check box "Do not show this
// message in the future", whose state is handed back. Only one box is up at
// a time. The box sizes itself to its text (kit/message_layout.h): a text
// taller than the screen's work area allows shows the lines that fit, and
// the mouse wheel and the up, down, page up and page down keys scroll the
// rest into view. GUI thread only.

// The texts of the box (the text table's entries; built-in English by
// default).
struct TMessageBoxTexts {
  std::wstring CloseHint = L"Close";
  std::wstring Ok = L"OK";
  std::wstring DoNotShow = L"Do not show this message in the future";
  std::wstring Title = L"Message";
};

// Joins the box to the program: the windows it places itself by (centred
// on the video's monitor over a full-screen video, else relative to the
// main window) and its texts (the text table's entries). Both are required:
// an empty Texts is refused with std::invalid_argument, and a box made
// before the box is connected throws std::logic_error. Windows must outlive
// the connection.
void ConnectMessageBox(const TProgramWindows& Windows, std::function<TMessageBoxTexts()> Texts);
// Ends the connection when Windows are the connected ones (they are going
// away).
void DisconnectMessageBox(const TProgramWindows& Windows);

class TfrmMessage : public TSkinForm {
 public:
  TfrmMessage();
  ~TfrmMessage() override;

  // Sets the text to show (before the form is shown).
  void SetText(const std::wstring& Text) { FText = Text; }
  const std::wstring& Text() const { return FText; }
  // Closes the box on Enter (13) and Escape (27); the main window calls it
  // for the remote-control command that closes the box.
  void FormKeyPress(wchar_t& Key);

  TForm* OwnerForm = nullptr;
  TVirtualButton& CloseButton() { return *FCloseButton; }
  TVirtualButton& OkButton() { return *FOkButton; }
  TVirtualCheckbox& CheckBox() { return *FCheckBox; }
  // The layout of the last show, and the font its lines are measured and
  // drawn in.
  const TMessageLayout& Layout() const { return FLayout; }
  const TFont& TextFont() const { return FTextFont; }
  // The first line of the text in view: above 0 only when the text was cut
  // to the screen's height and has been scrolled (the mouse wheel, the up
  // and down keys, page up and page down).
  int FirstLine() const { return FFirstLine; }

 protected:
  void DoShow() override;
  void Activate() override;
  void Paint() override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void KeyPress(wchar_t& Key) override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void DoClose(TCloseAction& Action) override;
  void WndProc(TMessage& Message) override;

 private:
  void LayOut();
  TMessagePlacementInput PlacementInput() const;
  void CropBackground();
  void ScrollText(int Lines);

  TSkinSurface FSurface;
  const TProgramWindows& FWindows;
  TFont FTextFont;  // the text's font: Arial, 16 pixels, $166116
  TMessageBoxTexts FTexts;
  std::unique_ptr<TVirtualButton> FCloseButton;
  std::unique_ptr<TVirtualButton> FOkButton;
  std::unique_ptr<TVirtualCheckbox> FCheckBox;
  std::wstring FText;
  TMessageLayout FLayout;
  int FFirstLine = 0;
};

// The box being shown, or nullptr: the guard against a second box (the
// shutdown countdown also refuses to start while it is set).
extern TfrmMessage* frmMessage;

// Shows Text modally (Owner: the form asking) and returns when the box is
// closed. With ShowCheckBox, Checked receives the check box's state;
// otherwise it is not touched. While a box is up, a second request returns
// at once and shows nothing.
void ShowMessageBox(const std::wstring& Text, TForm* Owner, bool ShowCheckBox,
                    bool& Checked);

// Shows Text as ShowMessageBox does, also while another box is up: that
// box steps aside (hidden) until this one is closed, then comes back. For
// a report that must not be lost (a save that failed as the program ends).
void ShowMessageBoxOverOpenBox(const std::wstring& Text, TForm* Owner, bool ShowCheckBox,
                               bool& Checked);
