// Thin framework classes over the platform's own controls: the common base
// TStdControl (events, colours, focus), the edit field TEdit and the memo
// TMemo, the push button TButton, the radio button TRadioButton, the group
// box TGroupBox, the combo box TComboBox and the track bar TTrackBar. List
// boxes are in list_box.h, the page control in page_control.h.
//
// The parent reflects the controls' notifications to them (CN_ messages of
// framework/messages.h), so every event below fires on real input and
// arrives on the GUI thread. Events do not fire for changes made through
// the wrappers, unless a wrapper says otherwise.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "framework/controls.h"

// Registers the window classes `Classes` (ICC_ flags) of the platform's
// common controls library, which is loaded then: only the controls that
// are its classes (track bar, tabs, tree, hot key) ask for it, so a program
// that shows none of them at start does not load it.
void RegisterCommonControls(DWORD Classes);

// A control starts with its parent's font and colour; the edit, list and
// combo boxes are white.
class TStdControl : public TWinControl {
 public:
  ~TStdControl() override;

  TNotifyEvent OnClick;
  TNotifyEvent OnChange;
  // The control got / lost the keyboard focus.
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

 protected:
  explicit TStdControl(TWinControl* Parent);

  // ---- hooks ----
  virtual void Click();
  virtual void Change();
  virtual void DoEnter();
  virtual void DoExit();
  // A WM_COMMAND notification code of this control, reflected by the
  // parent.
  virtual void Notify(WORD Code);
  // Handles focus, reflected notifications and the colour messages (the
  // text in Font's colour on Color).
  void WndProc(TMessage& Message) override;

  // Creates the platform control of ClassName (children take the
  // parent's font).
  void CreateControl(const std::wstring& ClassName, DWORD Style, DWORD ExStyle,
                     const TRect& Bounds);
  // Creates it again with another style, keeping place and font.
  void RecreateControl(DWORD Style);
  DWORD ControlStyle() const { return FStyle; }

 public:
  // ---- wrappers ----
  // The window text as the control holds it now.
  std::wstring Text() const;
  void SetText(const std::wstring& Text);

 private:
  LRESULT ColorMessage(HDC DC);

  std::wstring FControlClass;
  DWORD FStyle = 0;
  DWORD FExStyle = 0;
  HBRUSH FBrush = nullptr;
  TColor FBrushColor = clNone;
};

// Edit fields: the single-line TEdit and the multi-line TMemo. OnChange
// fires for every change of the text by the user.
class TCustomEdit : public TStdControl {
 protected:
  TCustomEdit(TWinControl* Parent, DWORD Style);
  void Notify(WORD Code) override;

 public:
  // ---- wrappers ----
  // 0: no limit beyond the platform's.
  int MaxLength() const;
  void SetMaxLength(int Length);
  bool ReadOnly() const;
  void SetReadOnly(bool ReadOnly);
  void SelectAll();
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TWinControl* Parent);
  // Only the digits 0 to 9 can be typed (pasted text is not checked).
  bool NumbersOnly() const;
  void SetNumbersOnly(bool NumbersOnly);
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TWinControl* Parent, TScrollStyle ScrollBars = TScrollStyle::ssVertical);
  // The text as lines (split at CR LF; a last empty line is not counted).
  std::vector<std::wstring> Lines() const;
  void SetLines(const std::vector<std::wstring>& Lines);
  // Appends a line at the end.
  void AddLine(const std::wstring& Line);
  // Every tab of the text reaches to Pixels from the text's left edge, or
  // just past it (the platform counts tab stops in quarters of the font's
  // average character width). Kept until the control is made anew.
  void SetTabStop(int Pixels);
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle ScrollBars);

 private:
  TScrollStyle FScrollBars;
};

// A push button. A ModalResult other than mrNone also ends the modal loop
// of the form the button is on.
class TButton : public TStdControl {
 public:
  explicit TButton(TWinControl* Parent);
  TModalResult ModalResult = mrNone;
  // The default button: Enter in its dialog presses it, and it is drawn
  // with a heavier frame.
  bool Default() const;
  void SetDefault(bool Default);

 protected:
  void Notify(WORD Code) override;
};

// A radio button; checking one unchecks the other radio buttons of its
// parent.
class TRadioButton : public TStdControl {
 public:
  explicit TRadioButton(TWinControl* Parent);
  bool Checked() const;
  void SetChecked(bool Checked);

 protected:
  void Notify(WORD Code) override;
};

// A framed group with its caption; controls created with the group box as
// their parent sit inside it.
class TGroupBox : public TStdControl {
 public:
  explicit TGroupBox(TWinControl* Parent);

 protected:
  // Fills its background in Color (the platform's group box leaves it).
  void WndProc(TMessage& Message) override;
};

enum class TComboBoxStyle { csDropDown, csDropDownList };

// A combo box: csDropDownList lets the user pick an item only;
// csDropDown also lets him type. OnChange fires when the user picks
// another item or edits the text.
class TComboBox : public TStdControl {
 public:
  explicit TComboBox(TWinControl* Parent,
                     TComboBoxStyle Style = TComboBoxStyle::csDropDownList);
  TComboBoxStyle Style() const { return FComboStyle; }

  // ---- items ----
  int Count() const;
  std::wstring Items(int Index) const;
  int Add(const std::wstring& Item);
  void Insert(int Index, const std::wstring& Item);
  void Delete(int Index);
  void Clear();
  void SetItems(const std::vector<std::wstring>& Items);
  // -1: none.
  int ItemIndex() const;
  void SetItemIndex(int Index);
  // For a drop-down list, setting the text selects the item of exactly
  // that text (none when there is no such item).
  void SetText(const std::wstring& Text);
  // Width of the dropped list in pixels (at least the control's width).
  int DropDownWidth() const;
  void SetDropDownWidth(int Width);
  // Items the dropped list shows without scrolling.
  int DropDownCount = 8;
  // Height is that of the closed control; the dropped list comes below.
  void SetBounds(int Left, int Top, int Width, int Height) override;

 protected:
  void Notify(WORD Code) override;

 private:
  TComboBoxStyle FComboStyle;
};

enum class TTrackBarOrientation { trHorizontal, trVertical };

// The platform's track bar. OnChange fires whenever the position changes,
// by the user or through SetPosition.
class TTrackBar : public TStdControl {
 public:
  explicit TTrackBar(TWinControl* Parent,
                     TTrackBarOrientation Orientation = TTrackBarOrientation::trHorizontal);
  int Min() const;
  int Max() const;
  // Keeps the position inside the new range.
  void SetRange(int Min, int Max);
  int Position() const;
  void SetPosition(int Position);

 protected:
  void WndProc(TMessage& Message) override;

 private:
  void PositionMayHaveChanged();
  int FLastPosition = 0;
};
