#include "tools/config/config_dialog.h"

#include <algorithm>

#include <windows.h>

#include "framework/application.h"
#include "framework/unicode.h"
#include "kit/page_button.h"
#include "kit/pointer_snap.h"
#include "kit/skin_strip.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "kit/window_drag.h"
#include "kit/word_wrap.h"
#include "tools/config/config_page_metrics.h"
#include "tools/profiles/profiles_editor.h"
#include "tools/tool_environment.h"

using lc::tools::NumericField;
using namespace lc::tools::config_metrics;

TfrmConfig* frmConfig = nullptr;

namespace {

constexpr TColor TitleColor = 0x999999;

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// The items of an option list (separated by a lone CR).
std::vector<std::wstring> OptionItems(const std::string& List) {
  std::vector<std::wstring> Items;
  std::size_t Start = 0;
  for (;;) {
    const std::size_t End = List.find('\r', Start);
    Items.push_back(Utf8ToWide(List.substr(Start, End - Start)));
    if (End == std::string::npos) return Items;
    Start = End + 1;
  }
}

void SetLines(TCheckListBox& List, const std::string& Texts, std::size_t Count) {
  std::vector<std::wstring> Items = OptionItems(Texts);
  Items.resize(Count);
  const bool Fill = List.Count() == 0;
  for (std::size_t I = 0; I < Count; ++I) {
    if (Fill)
      List.Add(Items[I]);
    else
      List.SetItem(static_cast<int>(I), Items[I]);
  }
}

}  // namespace

TfrmConfig::TfrmConfig() : TSkinForm(L"TfrmConfig", L"Config", false), FSurface(Host()) {
  frmConfig = this;
  Font.SetName(L"MS Sans Serif");
  // Places and sizes are pixels, which the framework never scales for the
  // system's font size, so the layout keeps its pixel size as it is; the
  // text size is chosen so that the texts keep theirs too.
  Font.SetSize(CaptionFontSize(Screen.PixelsPerInch()));
  Font.SetColor(clBlack);  // the controls' and labels' text
  KeyPreview = true;
  FNoChange = lc::settings::NoChangeText(Texts());
  CreateButtons();
  CreatePages();
  FillLanguages();
  SetTexts();
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  const std::vector<bool> Associated =
      lc::tools::ToolEnvironment().FileAssociations().AssociatedChecks(S.MediaExtensions);
  FSuspendChangeCheck = true;
  ShowControls(lc::tools::ControlsFromSettings(S, Associated));
  FSuspendChangeCheck = false;
  NodeChange();
}

TfrmConfig::~TfrmConfig() {
  if (frmConfig == this) frmConfig = nullptr;
}

// ---- the frame -----------------------------------------------------------------------

void TfrmConfig::CreateButtons() {
  const int W = Host().Skin().Width();
  const int H = Host().Skin().Height();
  FCloseButton = std::make_unique<TVirtualButton>(
      Host(), FSurface, TRect{W - 14, 7, W - 5, 16}, L"", Utf8ToWide(Texts().TextHints[0]), L"MainbtnClose",
      TButtonOptions{TButtonVariant::Config});
  const auto Caption = [&](int Text, int Left, bool Enabled) {
    TButtonOptions O{TButtonVariant::Config};
    O.Enabled = Enabled;
    return std::make_unique<TVirtualButton>(Host(), FSurface, TRect{Left, H - 26, Left + 80, H - 6},
                                            Utf8ToWide(Texts().TextButtons[Text]), L"", L"", O);
  };
  FApplyButton = Caption(8, 0, false);
  FDefaultButton = Caption(9, 80, true);
  FCloseCaptionButton = Caption(10, 160, true);
  // The dialog's mouse order.
  Host().SetMouseOrder({FCloseButton.get(), FApplyButton.get(), FDefaultButton.get(), FCloseCaptionButton.get()});
  FCloseButton->OnClick = [this] { ModalResult = mrCancel; };
  FCloseCaptionButton->OnClick = [this] { ModalResult = mrCancel; };
  FApplyButton->OnClick = [this] { BtnApplyClick(); };
  FDefaultButton->OnClick = [this] { BtnDefaultClick(); };
}

void TfrmConfig::CreatePages() {
  FNode = std::make_unique<TTreeView>(this);
  FNode->SetBounds(8, 28, 150, 336);
  FNode->OnChange = [this](TComponent*) { NodeChange(); };
  for (int I = 0; I < 5; ++I) FNode->AddNode(L"");
  FFontDialogTemp.OnShow = [this](TComponent*) {
    SetWindowTextW(FFontDialogTemp.Handle(), Utf8ToWide(Texts().TextCaptions[14]).c_str());
  };
  FNumbers.resize(lc::tools::kNumericFields);
  CreateGeneralPage();
  CreateFileTypesPage();
  CreateSubtitlePage();
  CreateVideoPage();
  CreateLanguagePage();
  for (TMyCheckBox* Box : {FRegExtension.get(), FSearchHereFirst.get(), FBossKey.get()}) {
    Box->OnMouseIn = [this, Box](TComponent*) { CheckBoxMouseIn(*Box); };
    Box->OnMouseOut = [](TComponent*) { Application.CancelHint(); };
  }
}

TPanel* TfrmConfig::NewPage() {
  FPages.push_back(std::make_unique<TPanel>(this));
  TPanel* Page = FPages.back().get();
  Page->SetColor(clBtnFace);
  Page->SetBounds(kPageLeft, kPageTop, kPageWidth, kPageHeight);
  DragsDialog(*Page);
  return Page;
}

// A press on an empty spot of a page moves the dialog, as one on the form.
void TfrmConfig::DragsDialog(TWinControl& Area) {
  Area.OnMouseDown = [this](TComponent*, TMouseButton Button, TShiftState, int, int) {
    if (Button == TMouseButton::mbLeft) StartWindowDrag(*this);
  };
}

TEdit* TfrmConfig::NewNumberField(TWinControl* Page, NumericField F, int X, int Y) {
  auto Edit = std::make_unique<TEdit>(Page);
  Edit->SetBounds(X, Y, 50, 21);
  Edit->SetMaxLength(lc::tools::RuleOf(F).MaxChars);
  Edit->OnKeyPress = [this](TComponent*, wchar_t& Key) { FieldKeyPress(Key); };
  Edit->OnExit = [this, F](TComponent*) { NumberFieldExit(F); };
  Edit->OnChange = [this, F](TComponent*) {
    if (F == NumericField::SubtitleSize) DrawSubtitleSample();
    OptionsChangeCheck();
  };
  FNumbers[static_cast<int>(F)] = std::move(Edit);
  return FNumbers[static_cast<int>(F)].get();
}

TLabel* TfrmConfig::NewLabel(TWinControl* Page, int Text, int X, int Y, int Right) {
  auto L = std::make_unique<TLabel>(Page);
  L->Transparent = true;
  L->SetFont(Font);
  L->SetBounds(X, Y, 0, 0);
  FLabels.push_back({std::move(L), Text, Right});
  return FLabels.back().Label.get();
}

TButton* TfrmConfig::NewButton(TWinControl* Page, const std::string& Text, int X, int Y, int W) {
  auto B = std::make_unique<TButton>(Page);
  B->SetBounds(X, Y, W, 23);
  B->SetCaption(Utf8ToWide(Text));
  TButton* Raw = B.get();
  FOwned.push_back(std::move(B));
  return Raw;
}

void TfrmConfig::NewPageButton(TWinControl* Page, int Text, int X, int Y, int W, std::function<void()> Action) {
  auto B = std::make_unique<TPageButton>(Page, TRect{X, Y, X + W, Y + 20}, Utf8ToWide(Texts().TextButtons[Text]), L"");
  B->OnClick = std::move(Action);
  FPageButtons.emplace_back(B.get(), Text);
  FOwned.push_back(std::move(B));
}

std::vector<std::pair<const TLabel*, int>> TfrmConfig::PageLabels() const {
  std::vector<std::pair<const TLabel*, int>> Labels;
  for (const TPageLabel& L : FLabels) Labels.emplace_back(L.Label.get(), L.Text);
  return Labels;
}

TPageButton* TfrmConfig::PageButton(int Text) const {
  for (const auto& [Button, Caption] : FPageButtons)
    if (Caption == Text) return Button;
  return nullptr;
}

// ---- pages ------------------------------------------------------------------------------

void TfrmConfig::CreateGeneralPage() {
  TPanel* Page = NewPage();
  FGeneralTabs = std::make_unique<TPageControl>(Page);
  FGeneralTabs->SetBounds(0, 0, kPageWidth, kPageHeight);
  Widens(*FGeneralTabs, TWiden::Stretch);
  TTabSheet* One = FGeneralTabs->AddPage(L"");
  TTabSheet* Two = FGeneralTabs->AddPage(L"");
  DragsDialog(*One);
  DragsDialog(*Two);
  FGeneral = std::make_unique<TCheckListBox>(One);
  FGeneral->SetBounds(4, 4, 330, 180);
  Widens(*FGeneral, TWiden::Stretch);
  FGeneral->OnClickCheck = [this](TComponent*) { ListClickCheck(lc::tools::GeneralClickCheck, *FGeneral); };
  NewLabel(One, 8, 4, 192, 200);
  FFullModeSwitch = std::make_unique<TComboBox>(One);
  FFullModeSwitch->SetBounds(200, 188, 134, 200);
  Widens(*FFullModeSwitch, TWiden::MoveRight);
  FFullModeSwitch->OnChange = [this](TComponent*) { OptionsChangeCheck(); };
  NewLabel(One, 7, 4, 220, 200);
  Widens(*NewNumberField(One, NumericField::PlaylistFontSize, 200, 216), TWiden::MoveRight);
  NewLabel(One, 9, 4, 248, 200);
  FPriority = std::make_unique<TComboBox>(One);
  FPriority->SetBounds(200, 244, 134, 200);
  Widens(*FPriority, TWiden::MoveRight);
  FPriority->OnChange = [this](TComponent*) { OptionsChangeCheck(); };
  NewPageButton(One, 12, 4, 276, 120, [this] { RunProfilesEditor(this); });

  FBossKey = std::make_unique<TMyCheckBox>(Two);
  FBossKey->SetBounds(4, 8, 300, 17);
  Widens(*FBossKey, TWiden::Stretch);
  FBossKey->OnClick = [this](TComponent*) {
    FHide->SetEnabled(FBossKey->Checked());
    FShow->SetEnabled(FBossKey->Checked());
    OptionsChangeCheck();
  };
  NewLabel(Two, 42, 24, 40, 100);
  FHide = std::make_unique<THotKey>(Two);
  FHide->SetBounds(100, 36, 150, 21);
  NewLabel(Two, 43, 24, 70, 100);
  FShow = std::make_unique<THotKey>(Two);
  FShow->SetBounds(100, 66, 150, 21);
  for (THotKey* K : {FHide.get(), FShow.get()}) K->OnChange = [this](TComponent*) { OptionsChangeCheck(); };
}

void TfrmConfig::CreateFileTypesPage() {
  TPanel* Page = NewPage();
  FRegExtension = std::make_unique<TMyCheckBox>(Page);
  FRegExtension->SetBounds(4, 4, 330, 17);
  Widens(*FRegExtension, TWiden::Stretch);
  FRegExtension->OnClick = [this](TComponent*) { OptionsChangeCheck(); };
  NewLabel(Page, 6, 4, 28, kPageWidth);
  FAssocFile = std::make_unique<TCheckListBox>(Page);
  FAssocFile->SetBounds(4, 44, 180, 288);
  FAssocFile->OnClickCheck = [this](TComponent*) { OptionsChangeCheck(); };
  FExtensionName = std::make_unique<TEdit>(Page);
  FExtensionName->SetBounds(192, 44, 146, 21);
  FExtensionName->SetMaxLength(static_cast<int>(lc::tools::kMaxExtensionChars));
  FExtensionName->OnKeyPress = [this](TComponent*, wchar_t& Key) { ExtensionKeyPress(Key); };
  const auto Button = [&](int Text, int Y, std::function<void()> Action) {
    NewPageButton(Page, Text, 192, Y, 146, std::move(Action));
  };
  Button(2, 72, [this] { AddExtensionClick(); });
  Button(3, 100, [this] { DeleteExtensionClick(); });
  Button(0, 148, [this] { SelectAllClick(true); });
  Button(1, 176, [this] { SelectAllClick(false); });
}

void TfrmConfig::CreateSubtitlePage() {
  TPanel* Page = NewPage();
  FSubtitleTabs = std::make_unique<TPageControl>(Page);
  FSubtitleTabs->SetBounds(0, 0, kPageWidth, kPageHeight);
  Widens(*FSubtitleTabs, TWiden::Stretch);
  FSubtitleTabs->OnChange = [this](TComponent*) { DrawSubtitleSample(); };
  TTabSheet* One = FSubtitleTabs->AddPage(L"");
  TTabSheet* Two = FSubtitleTabs->AddPage(L"");
  DragsDialog(*One);
  DragsDialog(*Two);
  FSubtitle1 = std::make_unique<TCheckListBox>(One);
  FSubtitle1->SetBounds(4, 4, 330, 72);
  Widens(*FSubtitle1, TWiden::Stretch);
  FSubtitle1->OnClickCheck = [this](TComponent*) {
    ListClickCheck(lc::tools::Subtitle1ClickCheck, *FSubtitle1);
    DrawSubtitleSample();
  };
  NewLabel(One, 13, 4, 88, 260);
  Widens(*NewNumberField(One, NumericField::HorizontalDisplayArea, 260, 84), TWiden::MoveRight);
  NewLabel(One, 12, 4, 112, 260);
  Widens(*NewNumberField(One, NumericField::AverageVerticalDisplayZone, 260, 112), TWiden::MoveRight);
  NewLabel(One, 37, 4, 148, 260);
  Widens(*NewNumberField(One, NumericField::SubtitleSize, 260, 144), TWiden::MoveRight);
  NewPageButton(One, 4, 4, 174, 140, [this] { SubtitleFontClick(); });
  FSample = std::make_unique<TPanel>(One);
  FSample->SetBounds(4, 204, 330, 100);
  Widens(*FSample, TWiden::Stretch);
  FSample->OnPaint = [this](TComponent*) { PaintSample(); };

  FSubtitle2 = std::make_unique<TCheckListBox>(Two);
  FSubtitle2->SetBounds(4, 4, 330, 104);
  Widens(*FSubtitle2, TWiden::Stretch);
  FSubtitle2->OnClickCheck = [this](TComponent*) {
    ListClickCheck(lc::tools::Subtitle2ClickCheck, *FSubtitle2);
    DrawSubtitleSample();
  };
  NewLabel(Two, 14, 4, 118, 260);
  Widens(*NewNumberField(Two, NumericField::AverageDisplayTime, 260, 118), TWiden::MoveRight);
  FDirSub = std::make_unique<TEdit>(Two);
  FDirSub->SetBounds(4, 190, 330, 21);
  Widens(*FDirSub, TWiden::Stretch);
  FDirSub->OnChange = [this](TComponent*) { OptionsChangeCheck(); };
  FDirSub->OnExit = [this](TComponent*) { SubtitleDirectoryExit(); };
  NewPageButton(Two, 5, 4, 160, 160, [this] { ChooseFolder(*FDirSub, false); });
  FSearchHereFirst = std::make_unique<TMyCheckBox>(Two);
  FSearchHereFirst->SetBounds(4, 220, 330, 17);
  Widens(*FSearchHereFirst, TWiden::Stretch);
  FSearchHereFirst->OnClick = [this](TComponent*) { OptionsChangeCheck(); };
}

void TfrmConfig::CreateVideoPage() {
  TPanel* Page = NewPage();
  FVideo = std::make_unique<TCheckListBox>(Page);
  FVideo->SetBounds(4, 4, 338, 120);
  Widens(*FVideo, TWiden::Stretch);
  FVideo->OnClickCheck = [this](TComponent*) { ListClickCheck(lc::tools::VideoClickCheck, *FVideo); };
  NewLabel(Page, 10, 4, 136, 286);
  Widens(*NewNumberField(Page, NumericField::SecondesToJump, 286, 132), TWiden::MoveRight);
  NewLabel(Page, 11, 4, 162, 286);
  Widens(*NewNumberField(Page, NumericField::SecondesToFastJump, 286, 158), TWiden::MoveRight);
  NewLabel(Page, 38, 4, 188, 286);
  Widens(*NewNumberField(Page, NumericField::OsdSize, 286, 184), TWiden::MoveRight);
  NewLabel(Page, 39, 4, 214, 286);
  FOsdColorPanel = std::make_unique<TPanel>(Page);
  FOsdColorPanel->SetBounds(286, 210, 50, 21);
  Widens(*FOsdColorPanel, TWiden::MoveRight);
  FOsdColorPanel->OnMouseUp = [this](TComponent*, TMouseButton, TShiftState, int, int) { OsdColorClick(); };
  NewLabel(Page, 40, 4, 242, 286);
  FCaptureFormat = std::make_unique<TComboBox>(Page);
  FCaptureFormat->SetBounds(286, 238, 50, 200);
  Widens(*FCaptureFormat, TWiden::MoveRight);
  for (const wchar_t* Format : {L"BMP", L"JPG", L"PNG"}) FCaptureFormat->Add(Format);
  FCaptureFormat->OnChange = [this](TComponent*) { OptionsChangeCheck(); };
  NewLabel(Page, 41, 4, 270, kPageWidth);
  FPathSaveCapture = std::make_unique<TEdit>(Page);
  FPathSaveCapture->SetBounds(4, 288, 306, 21);
  Widens(*FPathSaveCapture, TWiden::Stretch);
  FPathSaveCapture->SetReadOnly(true);
  TButton* Folder = NewButton(Page, "...", 314, 287, 24);
  Folder->OnClick = [this](TComponent*) { ChooseFolder(*FPathSaveCapture, true); };
  Widens(*Folder, TWiden::MoveRight);
}

void TfrmConfig::CreateLanguagePage() {
  TPanel* Page = NewPage();
  FLanguages = std::make_unique<TListBox>(Page);
  FLanguages->SetBounds(4, 4, 338, 290);
  Widens(*FLanguages, TWiden::Stretch);
  FLanguages->OnClick = [this](TComponent*) {
    LanguageListSelect();
    OptionsChangeCheck();
  };
  FTranslator = std::make_unique<TLabel>(Page);
  FTranslator->Transparent = true;
  FTranslator->SetFont(Font);
  FTranslator->SetBounds(4, 304, 338, 16);
}

// "English (built in)" and one entry per language file, sorted.
void TfrmConfig::FillLanguages() {
  std::vector<std::wstring> Entries{Utf8ToWide(lc::settings::kEnglishBuiltIn)};
  const std::wstring Folder = Utf8ToWide(lc::Program().Names.ExeFolder + "lang\\");
  WIN32_FIND_DATAW Found;
  HANDLE Find = FindFirstFileW((Folder + L"*.lng").c_str(), &Found);
  if (Find != INVALID_HANDLE_VALUE) {
    do {
      if (!(Found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        Entries.push_back(Utf8ToWide(lc::tools::LanguageEntryOfFile(WideToUtf8(Found.cFileName))));
    } while (FindNextFileW(Find, &Found));
    FindClose(Find);
  }
  std::sort(Entries.begin(), Entries.end(), [](const std::wstring& A, const std::wstring& B) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, A.c_str(), -1, B.c_str(), -1) == CSTR_LESS_THAN;
  });
  for (const std::wstring& E : Entries) FLanguages->Add(E);
}

// Every caption from the text table; check marks and choices are kept.
void TfrmConfig::SetTexts() {
  const lc::settings::TextTable& T = Texts();
  FTitle = Utf8ToWide(T.TextCaptions[3]);
  SetCaption(FTitle);
  for (int I = 0; I < 4; ++I) FNode->SetNodeText(I, Utf8ToWide(T.TextTabs[I]));
  FNode->SetNodeText(4, L"Language");
  FGeneralTabs->SetTabCaption(0, Utf8ToWide(T.TextTabs[0] + " 1"));
  FGeneralTabs->SetTabCaption(1, Utf8ToWide(T.TextTabs[0] + " 2"));
  FSubtitleTabs->SetTabCaption(0, Utf8ToWide(T.TextTabs[2] + " 1"));
  FSubtitleTabs->SetTabCaption(1, Utf8ToWide(T.TextTabs[2] + " 2"));
  for (const auto& [Button, Caption] : FPageButtons) Button->SetCaption(Utf8ToWide(T.TextButtons[Caption]));
  FCloseButton->SetHint(Utf8ToWide(T.TextHints[0]));
  FApplyButton->SetCaption(Utf8ToWide(T.TextButtons[8]));
  FDefaultButton->SetCaption(Utf8ToWide(T.TextButtons[9]));
  FCloseCaptionButton->SetCaption(Utf8ToWide(T.TextButtons[10]));
  SetLines(*FGeneral, T.TextOptionLists[1], lc::tools::kGeneralLines);
  SetLines(*FVideo, T.TextOptionLists[2], lc::tools::kVideoLines);
  SetLines(*FSubtitle1, T.TextOptionLists[3], lc::tools::kSubtitle1Lines);
  SetLines(*FSubtitle2, T.TextOptionLists[4], lc::tools::kSubtitle2Lines);
  FRegExtension->SetCaption(Utf8ToWide(T.TextOptionLists[0]));
  FSearchHereFirst->SetCaption(Utf8ToWide(T.TextOptionLists[5]));
  FBossKey->SetCaption(Utf8ToWide(T.TextOptionLists[11]));
  // The pages widen as far as the texts need, then everything is fitted
  // into them.
  WidenPages(NeededExtraWidth());
  for (TPageLabel& L : FLabels) SetLabelText(L, T.TextLabels[L.Text]);
  PlaceFileTypes();
  for (const auto& [Button, Caption] : FPageButtons) KeepOnPage(*Button);
  PlaceBottomButtons();
  for (TCheckListBox* List : {FGeneral.get(), FVideo.get(), FSubtitle1.get(), FSubtitle2.get()})
    FitFont(*List, List->ItemsText(), List->ClientWidth() - List->CheckWidth() - kCheckLinePart);
  for (TCheckBox* Box : {FRegExtension.get(), FSearchHereFirst.get(), FBossKey.get()})
    FitFont(*Box, {Box->Caption()}, Box->Width() - kCheckBoxPart);
  // The priority list, as wide as its widest item.
  const int Priority = FPriority->ItemIndex();
  FPriority->SetItems(OptionItems(T.TextOptionLists[7]));
  FPriority->SetItemIndex(Priority);
  int Widest = 0;
  for (int I = 0; I < FPriority->Count(); ++I)
    Widest = std::max(Widest, Canvas().TextWidth(FPriority->Items(I)));
  FPriority->SetDropDownWidth(Widest + 10);
  // The full-screen combo's first item follows the language.
  const std::wstring Mode = FFullModeSwitch->Text();
  const bool WasNoChange = FFullModeSwitch->Count() == 0 || FFullModeSwitch->ItemIndex() == 0;
  FNoChange = lc::settings::NoChangeText(T);
  FFullModeSwitch->Clear();
  FFullModeSwitch->Add(Utf8ToWide(FNoChange));
  for (const std::string& Name : lc::Program().DisplayModeNames) FFullModeSwitch->Add(Utf8ToWide(Name));
  if (WasNoChange)
    FFullModeSwitch->SetItemIndex(0);
  else
    FFullModeSwitch->SetText(Mode);
  Invalidate();
}

// ---- showing -----------------------------------------------------------------------------

void TfrmConfig::DoShow() {
  if (!lc::tools::ToolEnvironment().Windows().SkipFormPlacement()) {
    const lc::settings::SettingsStore& S = lc::Program().Settings;
    FFontDialogTemp.Font.SetName(Utf8ToWide(S.SubtitleFontName));
    FFontDialogTemp.Font.SetColor(static_cast<TColor>(S.SubtitleFontColor));
    FFontDialogTemp.Font.SetStyle(static_cast<TFontStyles>(S.SubtitleFontStyle));
    FFontDialogTemp.CharSet = static_cast<BYTE>(S.SubtitleFontScript);
    FNode->FullExpand();
    const int W = Host().Skin().Width();
    const int H = Host().Skin().Height();
    Constraints = {W, H, W, H};
    Place();
  }
  TSkinForm::DoShow();
  FNode->SetFocus();
}

void TfrmConfig::Activate() {
  TSkinForm::Activate();
  const TRect Tree = FNode->BoundsRect();
  SnapPointerTo(*this, (Tree.Left + Tree.Right) / 2, (Tree.Top + Tree.Bottom) / 2);
}

// Centred on the full-screen video's monitor; otherwise between the
// screen's centre and the main window's, inside the work area.
void TfrmConfig::Place() {
  const TProgramWindows& E = lc::tools::ToolEnvironment().Windows();
  if (E.VideoFullScreen()) {
    const TRect M = E.VideoMonitor();
    SetBounds(M.Left + (M.Width() - Width()) / 2, M.Top + (M.Height() - Height()) / 2, Width(), Height());
    return;
  }
  TRect Area = Screen.WorkAreaRect();
  TRect Screen_ = Bounds(0, 0, Screen.Width(), Screen.Height());
  TForm& Main = E.MainWindow();
  if (E.MonitorsDiffer()) {
    const TMonitor M = GetWindowMonitor(Main.Handle());
    Area = M.WorkareaRect;
    Screen_ = M.BoundsRect;
  }
  const TRect Around = Main.BoundsRect();
  int X = ((Screen_.Left + Screen_.Right) / 2 + (Around.Left + Around.Right) / 2) / 2 - ClientWidth() / 2;
  int Y = ((Screen_.Top + Screen_.Bottom) / 2 + (Around.Top + Around.Bottom) / 2) / 2 - ClientHeight() / 2;
  X = std::clamp(X, Area.Left, std::max(Area.Left, Area.Right - Width()));
  Y = std::clamp(Y, Area.Top, std::max(Area.Top, Area.Bottom - Height()));
  SetBounds(X, Y, Width(), Height());
}

void TfrmConfig::Paint() {
  TSkinForm::Paint();  // the skin and the buttons
  Canvas().Font.Assign(Font);
  Canvas().Font.SetColor(TitleColor);
  Canvas().Brush.Style = TBrushStyle::bsClear;
  Canvas().TextOut(5, 5, FTitle);
}

void TfrmConfig::NodeChange() {
  const int I = FNode->Selected();
  FPageIndex = I < 0 ? FPageIndex : I;
  for (std::size_t P = 0; P < FPages.size(); ++P) FPages[P]->SetVisible(static_cast<int>(P) == FPageIndex);
  if (FNode->Selected() != FPageIndex) FNode->SetSelected(FPageIndex);
  if (FPageIndex == 2) DrawSubtitleSample();
}
