// TfrmConfig's controls: filled from ConfigControls (ShowControls) and read
// back (ReadControls), and their handlers: the option rules applied on
// clicks, the fields cleaned when left, the file types edited, Apply,
// Default, the font, colour and folder choices, the subtitle sample and
// closing.
#include <algorithm>

#include <windows.h>
#include <shlobj.h>

#include "framework/application.h"
#include "framework/keys.h"
#include "framework/unicode.h"
#include "kit/message_box.h"
#include "settings/file_io.h"
#include "settings/language_file.h"
#include "settings/program_state.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "settings/value_parse.h"
#include "tools/config/config_apply.h"
#include "tools/config/config_dialog.h"
#include "tools/tool_environment.h"

using lc::tools::ConfigControls;
using lc::tools::NumericField;

namespace {

const lc::settings::TextTable& Texts() { return lc::settings::GlobalTextTable(); }

// Language files are small; the credit is looked for in the first 100 KB.
constexpr std::uint64_t kMaxLanguageFileBytes = 16u << 20;

template <std::size_t N>
std::array<bool, N> ReadLines(TCheckListBox& List) {
  std::array<bool, N> Lines{};
  for (std::size_t I = 0; I < N && static_cast<int>(I) < List.Count(); ++I) Lines[I] = List.Checked(static_cast<int>(I));
  return Lines;
}

template <std::size_t N>
void ShowLines(TCheckListBox& List, const std::array<bool, N>& Lines) {
  for (std::size_t I = 0; I < N && static_cast<int>(I) < List.Count(); ++I) List.SetChecked(static_cast<int>(I), Lines[I]);
}

}  // namespace

// ---- controls <-> ConfigControls ------------------------------------------------------

ConfigControls TfrmConfig::ReadControls() const {
  ConfigControls C;
  TfrmConfig& F = const_cast<TfrmConfig&>(*this);
  C.RegisterExtensionsOnLoad = FRegExtension->Checked();
  for (int I = 0; I < FAssocFile->Count(); ++I) {
    C.FileTypeLines.push_back(WideToUtf8(FAssocFile->Items(I)));
    C.FileTypeChecks.push_back(FAssocFile->Checked(I));
  }
  C.General = ReadLines<lc::tools::kGeneralLines>(*F.FGeneral);
  C.FullscreenModeSwitch = WideToUtf8(FFullModeSwitch->Text());
  C.Priority = FPriority->ItemIndex();
  C.BossKey = FBossKey->Checked();
  C.BossKeyHide = FHide->HotKey();
  C.BossKeyShow = FShow->HotKey();
  C.Subtitle1 = ReadLines<lc::tools::kSubtitle1Lines>(*F.FSubtitle1);
  C.Subtitle2 = ReadLines<lc::tools::kSubtitle2Lines>(*F.FSubtitle2);
  C.Video = ReadLines<lc::tools::kVideoLines>(*F.FVideo);
  for (int I = 0; I < lc::tools::kNumericFields; ++I) C.Numbers[I] = WideToUtf8(FNumbers[I]->Text());
  const TFont& Font = FFontDialogTemp.Font;
  C.FontName = WideToUtf8(Font.Name());
  C.FontColor = static_cast<std::int32_t>(Font.Color());
  C.FontStyle = static_cast<lc::settings::FontStyles>(Font.Style());
  C.FontScript = FFontDialogTemp.CharSet;
  C.SubtitleDirectory = WideToUtf8(FDirSub->Text());
  C.SearchHereFirst = FSearchHereFirst->Checked();
  C.OsdColor = static_cast<std::int32_t>(FOsdColor);
  C.CaptureFolder = WideToUtf8(FPathSaveCapture->Text());
  C.CaptureType = FCaptureFormat->ItemIndex();
  const int Language = FLanguages->ItemIndex();
  C.Language = Language < 0 ? std::string() : WideToUtf8(FLanguages->Items(Language));
  return C;
}

void TfrmConfig::ShowControls(const ConfigControls& C) {
  FRegExtension->SetChecked(C.RegisterExtensionsOnLoad);
  FAssocFile->Clear();
  for (std::size_t I = 0; I < C.FileTypeLines.size(); ++I) {
    FAssocFile->Add(Utf8ToWide(C.FileTypeLines[I]));
    FAssocFile->SetChecked(static_cast<int>(I), I < C.FileTypeChecks.size() && C.FileTypeChecks[I]);
  }
  ShowLines(*FGeneral, C.General);
  if (C.FullscreenModeSwitch.empty() || C.FullscreenModeSwitch == FNoChange)
    FFullModeSwitch->SetItemIndex(0);
  else
    FFullModeSwitch->SetText(Utf8ToWide(C.FullscreenModeSwitch));
  FPriority->SetItemIndex(C.Priority);
  FBossKey->SetChecked(C.BossKey);
  FHide->SetEnabled(C.BossKey);
  FShow->SetEnabled(C.BossKey);
  FHide->SetHotKey(C.BossKeyHide);
  FShow->SetHotKey(C.BossKeyShow);
  ShowLines(*FSubtitle1, C.Subtitle1);
  ShowLines(*FSubtitle2, C.Subtitle2);
  ShowLines(*FVideo, C.Video);
  for (int I = 0; I < lc::tools::kNumericFields; ++I) FNumbers[I]->SetText(Utf8ToWide(C.Numbers[I]));
  FFontDialogTemp.Font.SetName(Utf8ToWide(C.FontName));
  FFontDialogTemp.Font.SetColor(static_cast<TColor>(C.FontColor));
  FFontDialogTemp.Font.SetStyle(static_cast<TFontStyles>(C.FontStyle));
  FFontDialogTemp.CharSet = static_cast<BYTE>(C.FontScript);
  FDirSub->SetText(Utf8ToWide(C.SubtitleDirectory));
  FSearchHereFirst->SetChecked(C.SearchHereFirst);
  FOsdColor = static_cast<TColor>(C.OsdColor);
  FOsdColorPanel->SetColor(FOsdColor);
  FOsdColorPanel->Invalidate();
  FPathSaveCapture->SetText(Utf8ToWide(C.CaptureFolder));
  FCaptureFormat->SetItemIndex(C.CaptureType);
  for (int I = 0; I < FLanguages->Count(); ++I) {
    if (!lc::settings::SameTextAscii(WideToUtf8(FLanguages->Items(I)), C.Language)) continue;
    FLanguages->SetItemIndex(I);
    LanguageListSelect();
    break;
  }
}

// ---- change tracking and the rules -----------------------------------------------------

bool TfrmConfig::ApplyEnabled() const { return FApplyButton->Enabled(); }

void TfrmConfig::OptionsChangeCheck() {
  if (!Visible() || FSuspendChangeCheck) return;
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  ConfigControls Now = ReadControls();
  // The check marks are compared with the registry as it is now.
  const std::vector<bool> Associated =
      lc::tools::ToolEnvironment().FileAssociations().AssociatedChecks(S.MediaExtensions);
  const lc::tools::ConfigDifference D =
      lc::tools::FirstDifference(Now, lc::tools::ControlsFromSettings(S, Associated));
  FApplyButton->SetEnabled(D != lc::tools::ConfigDifference::None);
  if (lc::tools::EndsMovieModeLook(D)) lc::tools::ToolEnvironment().Config().UncheckMovieMode();
}

void TfrmConfig::ListClickCheck(void (*Rule)(ConfigControls&, int), TCheckListBox& List) {
  ConfigControls C = ReadControls();
  Rule(C, List.ItemIndex());
  FSuspendChangeCheck = true;
  ShowLines(*FGeneral, C.General);
  ShowLines(*FSubtitle1, C.Subtitle1);
  ShowLines(*FSubtitle2, C.Subtitle2);
  ShowLines(*FVideo, C.Video);
  FSuspendChangeCheck = false;
  OptionsChangeCheck();
}

// ---- fields --------------------------------------------------------------------------------

void TfrmConfig::FieldKeyPress(wchar_t& Key) {
  if (Key == vkReturn || Key == vkEscape) return;  // the form's keys
  if (Key != 8 && (Key < L'0' || Key > L'9')) Key = 0;
}

void TfrmConfig::NumberFieldExit(NumericField F) {
  TEdit& Edit = NumberField(F);
  const std::int32_t Stored = lc::tools::StoredNumber(lc::Program().Settings, F);
  const std::wstring Shown = Utf8ToWide(lc::tools::NumericFieldOnExit(F, WideToUtf8(Edit.Text()), Stored));
  if (Shown != Edit.Text()) Edit.SetText(Shown);
}

void TfrmConfig::RunFocusedExit() {
  for (int I = 0; I < lc::tools::kNumericFields; ++I)
    if (FNumbers[I]->Focused()) NumberFieldExit(static_cast<NumericField>(I));
  if (FDirSub->Focused()) SubtitleDirectoryExit();
}

void TfrmConfig::SubtitleDirectoryExit() {
  const std::string Folder = WideToUtf8(FDirSub->Text());
  if (!Folder.empty() && !lc::settings::FolderExists(Folder)) FDirSub->SetText(L"");
}

// ---- file types ----------------------------------------------------------------------------

void TfrmConfig::ExtensionKeyPress(wchar_t& Key) {
  if (lc::tools::IsRefusedExtensionChar(static_cast<char32_t>(Key))) Key = 0;
}

// The text is checked as a whole when added, so a pasted text cannot bring
// a refused character into the list. The text table has no words for a
// refused text: it is refused as the key filter refuses a character, with
// the system's beep, and left selected in the field for the user to mend.
void TfrmConfig::AddExtensionClick() {
  std::vector<std::string> Lines;
  for (int I = 0; I < FAssocFile->Count(); ++I) Lines.push_back(WideToUtf8(FAssocFile->Items(I)));
  std::string Upper;
  switch (lc::tools::CheckNewExtension(WideToUtf8(FExtensionName->Text()), Lines, Upper)) {
    case lc::tools::ExtensionCheck::Ok:
      FAssocFile->SetItemIndex(FAssocFile->Add(Utf8ToWide(Upper)));
      break;
    case lc::tools::ExtensionCheck::Invalid:
      MessageBeep(MB_OK);
      FExtensionName->SetFocus();
      FExtensionName->SelectAll();
      break;
    default:
      break;
  }
  OptionsChangeCheck();
}

// An associated type is given back at once, whatever happens to the dialog.
void TfrmConfig::DeleteExtensionClick() {
  const int I = FAssocFile->ItemIndex();
  if (I < 0) return;
  const std::string Ext = lc::settings::LowerAscii(WideToUtf8(FAssocFile->Items(I)));
  lc::Associations& A = lc::tools::ToolEnvironment().FileAssociations();
  if (A.GetRegExt(Ext)) A.RemRegExt(Ext);
  FAssocFile->Delete(I);
  if (FAssocFile->Count() > 0) FAssocFile->SetItemIndex(std::min(I, FAssocFile->Count() - 1));
  OptionsChangeCheck();
}

void TfrmConfig::SelectAllClick(bool Checked) {
  for (int I = 0; I < FAssocFile->Count(); ++I) FAssocFile->SetChecked(I, Checked);
  OptionsChangeCheck();
}

// ---- choices --------------------------------------------------------------------------------

void TfrmConfig::SubtitleFontClick() {
  const int Width = Screen.Width();
  const std::int32_t Size = lc::settings::StrToIntDef(WideToUtf8(NumberField(NumericField::SubtitleSize).Text()), 100);
  FFontDialogTemp.Font.SetSize(lc::tools::FontDialogPoints(Size, Width));
  if (!FFontDialogTemp.Execute()) return;
  const int Chosen = lc::tools::SizeFromFontDialog(FFontDialogTemp.Font.Size(), Width);
  NumberField(NumericField::SubtitleSize).SetText(std::to_wstring(Chosen));
  OptionsChangeCheck();
  DrawSubtitleSample();
}

void TfrmConfig::OsdColorClick() {
  FOsdColorDialog.Color = FOsdColor;
  if (!FOsdColorDialog.Execute()) return;
  FOsdColor = FOsdColorDialog.Color;
  FOsdColorPanel->SetColor(FOsdColor);
  FOsdColorPanel->Invalidate();
  OptionsChangeCheck();
}

void TfrmConfig::ChooseFolder(TEdit& Edit, bool Capture) {
  TFolderDialog Dialog;
  Dialog.Title = Utf8ToWide(Texts().TextMessages[43]);
  const UINT Errors = SetErrorMode(SEM_FAILCRITICALERRORS);
  const bool Chosen = Dialog.Execute();
  SetErrorMode(Errors);
  if (!Chosen) return;
  std::wstring Folder = Dialog.Directory;
  if (Capture) {
    wchar_t Desktop[MAX_PATH] = {};
    if (SHGetSpecialFolderPathW(nullptr, Desktop, CSIDL_DESKTOPDIRECTORY, FALSE) &&
        lstrcmpiW(Desktop, Folder.c_str()) == 0)
      Folder = Utf8ToWide(lc::settings::kDesktopFolder);
  }
  Edit.SetText(Folder);
  OptionsChangeCheck();
}

// ---- languages -------------------------------------------------------------------------------

void TfrmConfig::LanguageListSelect() {
  const int I = FLanguages->ItemIndex();
  std::string Credit;
  if (I >= 0 && WideToUtf8(FLanguages->Items(I)) != lc::settings::kEnglishBuiltIn) {
    const std::string File = lc::Program().Names.ExeFolder + "lang\\" + WideToUtf8(FLanguages->Items(I)) + ".lng";
    std::string Bytes;
    if (lc::settings::ReadFileBytes(File, kMaxLanguageFileBytes, Bytes) == lc::settings::ReadStatus::Ok)
      Credit = lc::tools::TranslatorCredit(Bytes);
  }
  FTranslator->SetCaption(Utf8ToWide(Credit));
}

// ---- Apply, Default, closing -------------------------------------------------------------------

void TfrmConfig::BtnApplyClick() {
  lc::ProgramState& P = lc::Program();
  RunFocusedExit();
  ConfigControls C = ReadControls();
  lc::tools::ConfigLanguage Language;
  Language.Folder = P.Names.ExeFolder + "lang\\";
  Language.Load = [this](const std::string& File) {
    return lc::settings::LoadLanguageFile(File, false, lc::settings::GlobalTextTable(), [this](const std::string& Text) {
      bool Unused = false;
      ShowMessageBox(Utf8ToWide(Text), this, false, Unused);
    });
  };
  Language.SetDefault = [] { lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), true); };
  Language.NoChangeText = [] { return lc::settings::NoChangeText(lc::settings::GlobalTextTable()); };
  const lc::tools::TToolEnvironment& E = lc::tools::ToolEnvironment();
  FSuspendChangeCheck = true;
  const lc::tools::ConfigApplyResult R =
      lc::tools::ApplyConfig(C, P.Settings, E.FileAssociations(), P.RegistryWriteError, Language, E.Config());
  for (int I = 0; I < FAssocFile->Count() && I < static_cast<int>(C.FileTypeChecks.size()); ++I)
    FAssocFile->SetChecked(I, C.FileTypeChecks[I]);
  if (R.Recaption) SetTexts();
  FSuspendChangeCheck = false;
  Invalidate();
  FApplyButton->SetEnabled(false);
  ShowApplyMessages(R.ShowWriteError, R.ShowRegistryError);
}

void TfrmConfig::ShowApplyMessages(bool WriteError, bool RegistryError) {
  lc::settings::SettingsStore& S = lc::Program().Settings;
  if (WriteError) ShowMessageBox(Utf8ToWide(Texts().TextMessages[65]), this, true, S.DontShowWritingError);
  if (RegistryError) ShowMessageBox(Utf8ToWide(Texts().TextMessages[66]), this, true, S.DontShowRegistryError);
}

void TfrmConfig::BtnDefaultClick() {
  FSuspendChangeCheck = true;
  ShowControls(lc::tools::DefaultControls(ReadControls(), FNoChange));
  FSuspendChangeCheck = false;
  DrawSubtitleSample();
  OptionsChangeCheck();
}

// Enter and Escape act on their key-down, from every control of the dialog
// (the form sees their keys first) and from the remote control, which hands
// them to the form as key-downs.
void TfrmConfig::KeyDown(WORD& Key, TShiftState Shift) {
  TSkinForm::KeyDown(Key, Shift);
  if (Key == vkEscape) {
    ModalResult = mrCancel;
    Key = 0;
  } else if (Key == vkReturn) {
    if (ApplyEnabled()) BtnApplyClick();
    ModalResult = mrOk;
    Key = 0;
  }
}

// Their characters, which follow the key-downs, are spent.
void TfrmConfig::KeyPress(wchar_t& Key) {
  if (Key == vkEscape || Key == vkReturn) Key = 0;
  TSkinForm::KeyPress(Key);
}

void TfrmConfig::DoClose(TCloseAction& Action) {
  TSkinForm::DoClose(Action);
  Screen.SetCursor(crDefault);
  lc::tools::CloseBossKeys(lc::Program().Settings, lc::tools::ToolEnvironment().Config());
}
