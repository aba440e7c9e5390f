#include "tools/equalizer/preset_dialog.h"

#include <algorithm>
#include <set>

#include <windows.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "kit/pointer_snap.h"
#include "kit/skin_strip.h"
#include "kit/window_drag.h"
#include "settings/text_table.h"
#include "settings/unread_file.h"
#include "tools/tool_environment.h"
#include "tools/tool_dialog.h"
#include "tools/tool_placement.h"

TfrmLoadSavePreset* frmLoadSavePreset = nullptr;

namespace {

constexpr TColor TitleColor = 0x999999;
constexpr int kButtonTop = 267;
constexpr int kButtonBottom = 287;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

}  // namespace

TfrmLoadSavePreset::TfrmLoadSavePreset(TMode Mode, const std::string& FileName, TForm& Window,
                                       lc::tools::TEqualizerPanel& Equalizer,
                                       lc::tools::TEqualizerAudio& Audio)
    : TSkinForm(L"TfrmLoadSavePreset", L"LoadSavePreset", false),
      FMode(Mode),
      FFileName(FileName),
      FWindow(Window),
      FEqualizer(Equalizer),
      FAudio(Audio),
      FPresets(Texts().TextOptionLists[8]),
      FSurface(Host()) {
  lc::tools::ToolEnvironment();  // made only in a connected program: throws otherwise
  FTitle = Utf8ToWide(Texts().TextCaptions[Mode == TMode::Load ? 11 : 12]);
  SetCaption(FTitle);
  Font.SetName(L"Verdana");
  Font.SetHeight(-12);
  Font.SetColor(TitleColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  FListFont.SetName(L"MS Sans Serif");
  FListFont.SetHeight(-13);
  LayOut();
  FFileState = lc::tools::LoadPresetsFile(FileName, FPresets);
  for (int I = 0; I < FPresets.Count(); ++I) FList->Add(Utf8ToWide(FPresets.Entry(I).Name));
}

TfrmLoadSavePreset::~TfrmLoadSavePreset() {
  if (frmLoadSavePreset == this) frmLoadSavePreset = nullptr;
}

void TfrmLoadSavePreset::SaveChanges() {
  using lc::tools::TPresetsFileState;
  const TPresetsFileState Before = FFileState;
  lc::settings::KeptCopy Kept;
  const bool Saved = lc::tools::SavePresetsFile(FFileName, FPresets, FFileState, &Kept);
  const bool MovedAside = Before != TPresetsFileState::SetAside && FFileState == TPresetsFileState::SetAside;
  std::string Text;
  // A damaged file's user was told when the dialog opened that it would
  // be kept aside; a file read in part is told of now.
  if (MovedAside && (Before == TPresetsFileState::PartlyRead || !Saved))
    Text = lc::settings::UnreadFileMessage(Texts(), FFileName, Kept);
  // A failed save is told as this one save's failure, naming the file.
  if (!Saved) Text += (Text.empty() ? "" : "\r\n") + Texts().TextMessages[19] + " \"" + FFileName + "\"!";
  if (Text.empty()) return;
  bool Unused = false;
  ShowMessageBox(Utf8ToWide(Text), &FWindow, false, Unused);
}

void TfrmLoadSavePreset::TellOfUnreadFile() {
  // The presets files whose damage the user was told of in this run.
  static std::set<std::string> Told;
  if (FFileState != lc::tools::TPresetsFileState::Damaged || !Told.insert(FFileName).second) return;
  bool Unused = false;
  ShowMessageBox(Utf8ToWide(lc::settings::SetAsideMessage(Texts(), FFileName, 3)), &FWindow, false, Unused);
}

// ---- layout ------------------------------------------------------------------------

void TfrmLoadSavePreset::LayOut() {
  const int W = Host().Skin().Width();
  const bool Save = FMode == TMode::Save;
  FList = std::make_unique<TListBox>(this);
  FList->SetFont(FListFont);
  FList->SetItemHeight(16);
  FList->SetBounds(2, 24, W - 4, Save ? 203 : 229);
  FList->OnClick = [this](TComponent*) { lbPresetsClick(); };
  FList->OnKeyDown = [this](TComponent*, WORD& Key, TShiftState) { lbPresetsKeyDown(Key); };
  FList->OnKeyPress = [this](TComponent*, wchar_t& Key) { AllKeyPress(Key); };
  FNameEdit = std::make_unique<TEdit>(this);
  FNameEdit->SetFont(FListFont);
  FNameEdit->SetBounds(2, 229, W - 4, 24);
  FNameEdit->SetVisible(Save);
  FNameEdit->OnKeyPress = [this](TComponent*, wchar_t& Key) {
    if (Key == L'=')
      Key = 0;
    else
      AllKeyPress(Key);
  };
  FNameEdit->OnChange = [this](TComponent*) { NameChanged(); };

  FCloseButton = std::make_unique<TVirtualButton>(
      Host(), FSurface, TRect{236, 7, 245, 16}, L"", Utf8ToWide(Texts().TextHints[0]),
      L"MainbtnClose", TButtonOptions{TButtonVariant::CaptionGrowing, ptWindow});
  const TButtonOptions Caption{TButtonVariant::CaptionGrowing, ptWindow};
  FOkButton = std::make_unique<TVirtualButton>(Host(), FSurface, TRect{0, kButtonTop, 0, kButtonBottom},
                                               Utf8ToWide(Texts().TextButtons[6]), L"", L"", Caption);
  FCancelButton = std::make_unique<TVirtualButton>(
      Host(), FSurface, TRect{0, kButtonTop, 0, kButtonBottom}, Utf8ToWide(Texts().TextButtons[7]),
      L"", L"", Caption);
  PlaceCaptionButtons(*FOkButton, *FCancelButton, W, kButtonTop, kButtonBottom);
  // The dialog's mouse order.
  Host().SetMouseOrder({FCloseButton.get(), FOkButton.get(), FCancelButton.get()});
  FCloseButton->OnClick = [this] { ModalResult = mrCancel; };
  FOkButton->OnClick = [this] {
    if (FMode == TMode::Load || !FNameEdit->Text().empty()) ModalResult = mrOk;
  };
  FCancelButton->OnClick = [this] { ModalResult = mrCancel; };
}

void TfrmLoadSavePreset::Place() {
  lc::tools::TPresetPlacementInput In;
  In.Width = Width();
  In.Height = Height();
  In.MonitorsDiffer = lc::tools::ToolEnvironment().Windows().MonitorsDiffer();
  In.ScreenWidth = Screen.Width();
  In.ScreenHeight = Screen.Height();
  In.Area = Screen.WorkAreaRect();
  In.Monitor = Bounds(0, 0, In.ScreenWidth, In.ScreenHeight);
  In.Equalizer = FWindow.BoundsRect();
  if (In.MonitorsDiffer) {
    const TMonitor M = GetWindowMonitor(FWindow.Handle());
    In.Area = M.WorkareaRect;
    In.Monitor = M.BoundsRect;
  }
  const TPoint At = lc::tools::PlacePresetDialog(In);
  SetBounds(At.X, At.Y, Width(), Height());
}

void TfrmLoadSavePreset::DoShow() {
  if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) {
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    Place();
  }
  TSkinForm::DoShow();
  if (FMode == TMode::Save) FNameEdit->SetFocus();
}

void TfrmLoadSavePreset::Activate() {
  TSkinForm::Activate();
  SnapPointerToCentre(*this);
}

void TfrmLoadSavePreset::Paint() {
  TSkinForm::Paint();  // the skin and the three buttons
  Canvas().Font.Assign(Font);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  Canvas().TextOut(5, 5, FTitle);
}

// ---- the list and the name ---------------------------------------------------------

void TfrmLoadSavePreset::lbPresetsClick() {
  const int I = FList->ItemIndex();
  if (I < 0 || I >= FPresets.Count()) return;
  const lc::tools::TEqPreset& Values = FPresets.Entry(I).Values;
  if (FMode == TMode::Save) {
    if (I >= 1) FNameEdit->SetText(Utf8ToWide(FPresets.Entry(I).Name));
    return;
  }
  // The slider shows the volume the amplifier really holds.
  FAudio.SetPreampVolume(lc::tools::PreampVolume(Values[0]));
  FEqualizer.ShowPreampVolume(FAudio.PreampVolume());
  for (int B = 0; B < lc::tools::kEqBands; ++B) FEqualizer.tbEqChange(B, Values[B + 1]);
}

void TfrmLoadSavePreset::lbPresetsKeyDown(WORD& Key) {
  if (Key != vkDelete || FMode != TMode::Load) return;
  const int I = FList->ItemIndex();
  const int Next = FPresets.Delete(I);
  if (Next < 0) return;
  FList->Delete(I);
  FList->SetItemIndex(Next);
  lbPresetsClick();
}

// Names never hold "=" or a line break, also when pasted.
void TfrmLoadSavePreset::NameChanged() {
  std::wstring Text = FNameEdit->Text();
  const auto Refused = [](wchar_t C) { return C == L'=' || C == L'\r' || C == L'\n'; };
  if (std::none_of(Text.begin(), Text.end(), Refused)) return;
  Text.erase(std::remove_if(Text.begin(), Text.end(), Refused), Text.end());
  FNameEdit->SetText(Text);
}

// ---- keys and mouse -----------------------------------------------------------------

void TfrmLoadSavePreset::AllKeyPress(wchar_t& Key) {
  if (Key == vkReturn) {
    ModalResult = mrOk;
    Key = 0;
  } else if (Key == vkEscape) {
    ModalResult = mrCancel;
    Key = 0;
  }
}

void TfrmLoadSavePreset::KeyPress(wchar_t& Key) {
  AllKeyPress(Key);
  TSkinForm::KeyPress(Key);
}

void TfrmLoadSavePreset::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TSkinForm::MouseUp(Button, Shift, X, Y);
  if (Button != TMouseButton::mbLeft) return;
  Application.ProcessMessages();
  Application.CancelHint();
}

// ---- the equalizer's buttons -----------------------------------------------------------

void RunPresetDialog(TfrmLoadSavePreset::TMode Mode, const std::string& FileName, TForm& Window,
                     lc::tools::TEqualizerPanel& Equalizer, lc::tools::TEqualizerAudio& Audio) {
  if (frmLoadSavePreset) return;
  const lc::tools::TEqPreset Saved = Equalizer.Positions();
  auto Dialog = std::make_unique<TfrmLoadSavePreset>(Mode, FileName, Window, Equalizer, Audio);
  frmLoadSavePreset = Dialog.get();
  Dialog->TellOfUnreadFile();
  const TModalResult Result = Dialog->ShowModal();
  if (Mode == TfrmLoadSavePreset::TMode::Load) {
    if (Result != mrOk) Equalizer.SetPositions(Saved);
  } else if (Result == mrOk) {
    Dialog->Presets().SaveAs(WideToUtf8(Dialog->PresetNameEdit().Text()), Equalizer.Positions());
  }
  Dialog->SaveChanges();
  Dialog.reset();
  frmLoadSavePreset = nullptr;
}
