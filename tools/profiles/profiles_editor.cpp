#include "tools/profiles/profiles_editor.h"

#include <algorithm>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/pointer_snap.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "tools/profiles/profiles_rules.h"
#include "tools/tool_environment.h"

TfrmProfilesEditor* frmProfilesEditor = nullptr;

namespace {

constexpr TColor TitleColor = 0x999999;
constexpr int kButtonTop = 341;
constexpr int kButtonBottom = 361;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The list's order: the user locale's, letter case ignored.
bool NameBefore(const std::wstring& A, const std::wstring& B) {
  return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A.c_str(), -1, B.c_str(), -1) ==
         CSTR_LESS_THAN;
}

}  // namespace

TfrmProfilesEditor::TfrmProfilesEditor(TForm* Owner)
    : TSkinForm(L"TfrmProfilesEditor", L"ProfilesEditor", false), FOwner(Owner), FSurface(Host()) {
  lc::tools::ToolEnvironment();  // made only in a connected program: throws otherwise
  FTitle = Utf8ToWide(Texts().TextCaptions[13]);
  SetCaption(FTitle);
  Font.SetName(L"Verdana");
  Font.SetHeight(-12);
  Font.SetColor(TitleColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  FListFont.SetName(L"MS Sans Serif");
  FListFont.SetHeight(-13);
  LayOut();
}

TfrmProfilesEditor::~TfrmProfilesEditor() {
  if (frmProfilesEditor == this) frmProfilesEditor = nullptr;
}

// ---- layout ------------------------------------------------------------------------

void TfrmProfilesEditor::LayOut() {
  const int W = Host().Skin().Width();
  FList = std::make_unique<TListBox>(this);
  FList->SetMultiSelect(true);
  FList->SetFont(FListFont);
  FList->SetBounds(2, 24, 490, 307);
  FList->OnKeyUp = [this](TComponent*, WORD& Key, TShiftState Shift) { lbMovieNamesKeyUp(Key, Shift); };
  FList->OnKeyPress = [this](TComponent*, wchar_t& Key) { AllKeyPress(Key); };

  const TButtonOptions Caption{TButtonVariant::CaptionGrowing, ptWindow};
  FCloseButton = std::make_unique<TVirtualButton>(
      Host(), FSurface, TRect{W - 14, 7, W - 5, 16}, L"", Utf8ToWide(Texts().TextHints[0]),
      L"MainbtnClose", Caption);
  const auto CaptionButton = [&](int Text, int Left) {
    return std::make_unique<TVirtualButton>(Host(), FSurface,
                                            TRect{Left, kButtonTop, Left + 80, kButtonBottom},
                                            Utf8ToWide(Texts().TextButtons[Text]), L"", L"", Caption);
  };
  FDeleteButton = CaptionButton(13, 0);
  FDeleteAllButton = CaptionButton(14, 80);
  FCloseCaptionButton = CaptionButton(10, 160);
  // Equal widths; the middle button centred, the outer ones at equal gaps.
  const int W3 = std::max({FDeleteButton->ImageWidth(), FDeleteAllButton->ImageWidth(),
                           FCloseCaptionButton->ImageWidth()});
  for (TVirtualButton* B : {FDeleteButton.get(), FDeleteAllButton.get(), FCloseCaptionButton.get()})
    B->SetWidth(W3);
  const int Gap = RoundHalfEven((W - 3 * W3) / 4.0);
  const int Middle = (W - W3) / 2;
  FDeleteButton->SetRect({Gap, kButtonTop, Gap + W3, kButtonBottom});
  FDeleteAllButton->SetRect({Middle, kButtonTop, Middle + W3, kButtonBottom});
  FCloseCaptionButton->SetRect({W - Gap - W3, kButtonTop, W - Gap, kButtonBottom});
  // The dialog's mouse order.
  Host().SetMouseOrder({FCloseButton.get(), FDeleteButton.get(), FDeleteAllButton.get(), FCloseCaptionButton.get()});
  FCloseButton->OnClick = [this] { ModalResult = mrCancel; };
  FCloseCaptionButton->OnClick = [this] { ModalResult = mrCancel; };
  FDeleteButton->OnClick = [this] { DeleteSelectedElements(); };
  FDeleteAllButton->OnClick = [this] { DeleteAllElements(); };
}

void TfrmProfilesEditor::FillList() {
  std::vector<std::wstring> Names;
  for (const lc::settings::TRmsEntry& E : lc::Program().Rms.entries()) Names.push_back(Utf8ToWide(E.Name));
  std::stable_sort(Names.begin(), Names.end(), NameBefore);
  FList->Clear();
  for (const std::wstring& N : Names) FList->Add(N);
}

// Centred on the owner, kept inside the work area of the owner's monitor
// when the monitors differ, else of the screen.
void TfrmProfilesEditor::Place() {
  TRect Area = Screen.WorkAreaRect();
  if (lc::tools::ToolEnvironment().Windows().MonitorsDiffer() && FOwner)
    Area = GetWindowMonitor(FOwner->Handle()).WorkareaRect;
  const TRect Around = FOwner ? FOwner->BoundsRect() : Area;
  const int CentreX = (Around.Left + Around.Right) / 2;
  const int CentreY = (Around.Top + Around.Bottom) / 2;
  const int X = std::min(std::max(CentreX - Width() / 2, Area.Left), Area.Right - ClientWidth());
  const int Y = std::min(std::max(CentreY - Height() / 2, Area.Top), Area.Bottom - ClientHeight());
  SetBounds(X, Y, Width(), Height());
}

void TfrmProfilesEditor::DoShow() {
  if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) {
    FillList();
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    if (FList->Count() > 0) FList->SetItemIndex(0);
    Place();
  }
  TSkinForm::DoShow();
}

void TfrmProfilesEditor::Activate() {
  TSkinForm::Activate();
  SnapPointerToCentre(*this);
}

void TfrmProfilesEditor::Paint() {
  TSkinForm::Paint();  // the skin and the four buttons
  Canvas().Font.Assign(Font);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  Canvas().TextOut(5, 5, FTitle);
}

// ---- deleting ----------------------------------------------------------------------

void TfrmProfilesEditor::DeleteSelectedElements() {
  const int Current = FList->ItemIndex();
  if (FList->Count() == 0 || Current < 0) return;
  std::vector<std::string> Names;
  std::vector<int> Lines;
  for (int I = FList->Count() - 1; I >= 0; --I) {
    if (!FList->Selected(I)) continue;
    Names.push_back(WideToUtf8(FList->Items(I)));
    Lines.push_back(I);
  }
  lc::tools::DeleteRmsNames(lc::Program().Rms, Names);
  for (int I : Lines) FList->Delete(I);  // from the last line up
  const int Next = lc::tools::CurrentLineAfterDelete(Current, FList->Count());
  if (Next >= 0) FList->SetItemIndex(Next);
}

void TfrmProfilesEditor::DeleteAllElements() {
  FList->Clear();
  lc::Program().Rms.Clear();
}

// ---- keys, mouse and closing ---------------------------------------------------------

void TfrmProfilesEditor::AllKeyPress(wchar_t& Key) {
  if (Key != vkEscape) return;
  ModalResult = mrCancel;
  Key = 0;
}

void TfrmProfilesEditor::KeyPress(wchar_t& Key) {
  AllKeyPress(Key);
  TSkinForm::KeyPress(Key);
}

void TfrmProfilesEditor::lbMovieNamesKeyUp(WORD Key, TShiftState Shift) {
  const TShiftState Modifiers = Shift & (ssShift | ssCtrl | ssAlt);
  if (Key == vkDelete && Modifiers == 0) {
    DeleteSelectedElements();
  } else if (Key == 'A' && Modifiers == ssCtrl) {
    FList->SelectAll();
  }
}

void TfrmProfilesEditor::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  Application.ProcessMessages();
  Application.CancelHint();
}

void TfrmProfilesEditor::DropHover() {
  for (TVirtualButton* B : {FCloseButton.get(), FDeleteButton.get(), FDeleteAllButton.get(),
                            FCloseCaptionButton.get()})
    B->MouseLeave();
  Screen.SetCursor(crDefault);
}

void TfrmProfilesEditor::MouseLeave() {
  TSkinForm::MouseLeave();
  DropHover();
}

// A movie whose entry went is not stored again by the next stop or close;
// the file is rewritten (or deleted when the table is empty) on the
// remembered settings' worker, while the movie plays on.
void TfrmProfilesEditor::DoClose(TCloseAction& Action) {
  DropHover();
  TSkinForm::DoClose(Action);
  const lc::tools::TToolEnvironment& E = lc::tools::ToolEnvironment();
  lc::ProgramState& P = lc::Program();
  P.RmsSkipCurrent = lc::tools::SkipCurrentAfterEditing(P.Rms, E.Playback().GraphActive(), E.CurrentMovieName(),
                                                        P.RmsSkipCurrent);
  lc::StartRememberedSettingsSave();
}

void RunProfilesEditor(TForm* Owner) {
  if (frmProfilesEditor) return;
  auto Editor = std::make_unique<TfrmProfilesEditor>(Owner);
  frmProfilesEditor = Editor.get();
  Editor->ShowModal();
  Editor.reset();
}
