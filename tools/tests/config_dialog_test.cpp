// The configuration dialog on the virtual display, joined to the main
// window by the start-up's links: the controls show the
// settings, Apply is enabled only while something differs, Apply stores
// the controls and tells the player, Default shows the defaults without
// storing them, closing without Apply changes nothing, the boss keys are
// registered again at closing, a language is switched with its translator
// credit shown, and the File Types page refuses bad extensions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/application.h"
#include "kit/page_button.h"
#include "kit/tests/box_closer.h"
#include "player/tests/main_form_fixture.h"
#include "settings/program_state.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "tools/config_dialog.h"
#include "tests/support/scratch.h"

namespace {

using lc::settings::NumericField;

// A language file with every built-in text, the first tab and the first
// button renamed.
std::string GermanFile() {
  lc::settings::TextTable t;
  lc::settings::SetDefaultTexts(t);
  t.TextTabs[0] = "Allgemein";
  t.TextButtons[0] = "Alle";
  std::string out = "// Translated by: Jan Novak\r\n\r\n";
  for (const lc::settings::TextSection& s : lc::settings::TextSectionOrder(t)) {
    for (const std::string& text : s.entries) {
      for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
          out += "\\n";
          if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\t') {
          out += "\\t";
        } else {
          out += text[i];
        }
      }
      out += "\r\n";
    }
  }
  return out;
}

class ConfigDialog : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    std::filesystem::create_directories(Folder / "lang");
    std::ofstream(Folder / "lang" / "german.lng", std::ios::binary) << GermanFile();
    lc::ProgramState& P = lc::Program();
    P.Names.AppName = "ConfigTest";
    P.Names.ExeFolder = Folder.string() + "\\";
    P.Names.DataFolder = Folder.string() + "\\";
    P.Names.ConfigFileName = (Folder / "ConfigTest.ini").string();
    lc::settings::SettingsStore& S = P.Settings;
    S = {};
    S.MediaExtensions = {"avi", "mkv"};
    S.FileAssociation = "00";
    S.RememberMovieSettings = true;
    S.CpuPriority = 1;
    S.PlaylistFontSize = 10;
    S.HorizontalDisplayArea = 99;
    S.AverageVerticalDisplayZone = 15;
    S.SubtitleSize = 100;
    S.AverageDisplayTime = 2200;
    S.SecondesToJump = 20;
    S.SecondesToFastJump = 60;
    S.OsdSize = 100;
    S.SubtitleFontName = "Arial";
    S.SubtitleFontColor = 0xFFFFFF;
    S.SubtitleFontStyle = lc::settings::kFontBold;
    S.SubtitleFontScript = 1;
    S.OsdColor = 65280;
    S.CaptureFolder = "Desktop";
    S.CaptureType = 1;
    S.LastUsedLanguage = "English (built in)";
    S.FullscreenModeSwitch = "No change";
    S.BossKeyHide = 0x006E;
    S.BossKeyShow = 0xC053;
    Form = std::make_unique<TfrmConfig>();
    Form->Show();
  }
  void TearDown() override {
    Form.reset();
    form->BossKeys().UnregisterAll();
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    MainWindowTest::TearDown();
  }
  // A value of the settings file the player wrote.
  std::string Saved(const std::string& Key) {
    std::ifstream In(lc::Program().Names.ConfigFileName, std::ios::binary);
    std::string Line;
    while (std::getline(In, Line)) {
      if (Line.rfind(Key + "=", 0) != 0) continue;
      if (!Line.empty() && Line.back() == '\r') Line.pop_back();
      return Line.substr(Key.size() + 1);
    }
    return "<missing>";
  }
  lctest::ScratchFolder Scratch;
  const std::filesystem::path& Folder = Scratch.path();
  std::unique_ptr<TfrmConfig> Form;
};

TEST_F(ConfigDialog, ControlsShowTheSettingsAndApplyStartsDisabled) {
  EXPECT_TRUE(Form->CBGeneral().Checked(5));   // remember movie settings
  EXPECT_FALSE(Form->CBGeneral().Checked(0));  // auto play
  EXPECT_EQ(1, Form->CBPriority().ItemIndex());
  EXPECT_EQ(L"2200", Form->NumberField(NumericField::AverageDisplayTime).Text());
  EXPECT_EQ(L"15", Form->NumberField(NumericField::AverageVerticalDisplayZone).Text());
  EXPECT_EQ(0x006E, Form->hkHide().HotKey());
  EXPECT_EQ(0xC053, Form->hkShow().HotKey());
  EXPECT_FALSE(Form->hkHide().Enabled());
  ASSERT_EQ(2, Form->CBAssocFile().Count());
  EXPECT_EQ(L"MKV", Form->CBAssocFile().Items(1));
  EXPECT_EQ(L"General", Form->Node().NodeText(0));
  EXPECT_EQ(L"Language", Form->Node().NodeText(4));
  ASSERT_EQ(2, Form->LanguageList().Count());
  EXPECT_EQ(L"English (built in)", Form->LanguageList().Items(Form->LanguageList().ItemIndex()));
  Form->OptionsChangeCheck();
  EXPECT_FALSE(Form->ApplyEnabled());
}

TEST_F(ConfigDialog, AChangeEnablesApplyAndChangingItBackDisablesIt) {
  TEdit& Jump = Form->NumberField(NumericField::SecondesToJump);
  Jump.SetText(L"21");
  Form->OptionsChangeCheck();
  EXPECT_TRUE(Form->ApplyEnabled());
  Jump.SetText(L"20");
  Form->OptionsChangeCheck();
  EXPECT_FALSE(Form->ApplyEnabled());
}

TEST_F(ConfigDialog, ApplyStoresTheControlsAndTellsThePlayer) {
  Form->CBGeneral().SetChecked(0, true);
  Form->CBPriority().SetItemIndex(3);
  Form->NumberField(NumericField::SubtitleSize).SetText(L"1000");
  Form->OptionsChangeCheck();
  ASSERT_TRUE(Form->ApplyEnabled());
  Form->BtnApplyClick();
  const lc::settings::SettingsStore& S = lc::Program().Settings;
  EXPECT_TRUE(S.AutoPlayOnLoad);
  EXPECT_EQ(3, S.CpuPriority);
  EXPECT_EQ(1000, S.SubtitleSize);
  EXPECT_FALSE(Form->ApplyEnabled());
  // The process runs below normal, and the settings file holds the values
  // (the priority stored as 4 less the held value).
  EXPECT_EQ(static_cast<DWORD>(BELOW_NORMAL_PRIORITY_CLASS), GetPriorityClass(GetCurrentProcess()));
  EXPECT_EQ("1", Saved("CpuPriority"));
  EXPECT_EQ("1000", Saved("SubtitleSize"));
}

TEST_F(ConfigDialog, DefaultShowsTheDefaultsWithoutStoringThem) {
  Form->BtnDefaultClick();
  EXPECT_TRUE(Form->CBGeneral().Checked(0));
  EXPECT_FALSE(Form->CBGeneral().Checked(5));
  EXPECT_EQ(2, Form->CBPriority().ItemIndex());
  EXPECT_EQ(L"100", Form->NumberField(NumericField::OsdSize).Text());
  EXPECT_TRUE(Form->CBSubtitle1().Checked(2));
  EXPECT_TRUE(Form->CBVideo().Checked(6));
  EXPECT_TRUE(Form->ApplyEnabled());
  EXPECT_FALSE(lc::Program().Settings.AutoPlayOnLoad);
  EXPECT_EQ(1, lc::Program().Settings.CpuPriority);
}

TEST_F(ConfigDialog, ClosingWithoutApplyKeepsTheSettingsAndReleasesSwitchedOffBossKeys) {
  ASSERT_TRUE(form->BossKeys().Register(0x006E, lc::kBossHideId));
  Form->CBGeneral().SetChecked(0, true);
  Form->cbBossKey().SetChecked(true);
  Form->Close();
  EXPECT_FALSE(lc::Program().Settings.AutoPlayOnLoad);
  EXPECT_EQ(0, form->BossKeys().Registered(lc::kBossHideId));
  EXPECT_FALSE(std::filesystem::exists(lc::Program().Names.ConfigFileName));
}

TEST_F(ConfigDialog, ABossKeyAppliedIsRegisteredAtClosing) {
  Form->cbBossKey().SetChecked(true);
  Form->hkShow().SetHotKey(0x4000 | 'K');
  Form->BtnApplyClick();
  Form->Close();
  EXPECT_EQ(0x006E, form->BossKeys().Registered(lc::kBossHideId));
  EXPECT_EQ(0x4000 | 'K', form->BossKeys().Registered(lc::kBossShowId));
}

TEST_F(ConfigDialog, ALanguageIsSwitchedAndItsCreditShown) {
  TListBox& List = Form->LanguageList();
  List.SetItemIndex(1);
  Form->LanguageListSelect();
  EXPECT_EQ(L"German", List.Items(1));
  EXPECT_EQ(L"Translated by: Jan Novak", Form->LTranslator().Caption());
  Form->BtnApplyClick();
  EXPECT_EQ("German", lc::Program().Settings.LastUsedLanguage);
  EXPECT_EQ("Allgemein", lc::settings::GlobalTextTable().TextTabs[0]);
  EXPECT_EQ(L"Allgemein", Form->Node().NodeText(0));
  EXPECT_EQ(L"Alle", Form->PageButton(0)->Button().Caption()) << "the page buttons are re-captioned";
}

TEST_F(ConfigDialog, SubtitleRulesActOnClicks) {
  TCheckListBox& Sub1 = Form->CBSubtitle1();
  Sub1.SetItemIndex(2);
  Sub1.SetChecked(2, true);  // shadow on
  Sub1.OnClickCheck(&Sub1);
  EXPECT_TRUE(Sub1.Checked(0));
  EXPECT_TRUE(Sub1.Checked(1));
}

TEST_F(ConfigDialog, ExtensionsAreFilteredWhenTypedAndCheckedWhenAdded) {
  TEdit& Ext = Form->EExtensionName();
  Ext.SetFocus();
  for (wchar_t C : std::wstring(L"o.g/m")) SendMessageW(Ext.Handle(), WM_CHAR, C, 0);
  EXPECT_EQ(L"ogm", Ext.Text());
  Form->AddExtensionClick();
  ASSERT_EQ(3, Form->CBAssocFile().Count());
  EXPECT_EQ(L"OGM", Form->CBAssocFile().Items(2));
  EXPECT_TRUE(Form->ApplyEnabled());
  Form->AddExtensionClick();  // already a line
  EXPECT_EQ(3, Form->CBAssocFile().Count());
  Form->DeleteExtensionClick();
  EXPECT_EQ(2, Form->CBAssocFile().Count());
  EXPECT_EQ(1, Form->CBAssocFile().ItemIndex());
}

TEST_F(ConfigDialog, APastedBadExtensionIsRefusedWithAMessage) {
  Form->EExtensionName().SetText(L"m p3");
  lc::testing::ClosedBoxes().clear();
  lc::testing::CloseNextBox();
  Form->AddExtensionClick();
  EXPECT_EQ(2, Form->CBAssocFile().Count());
  EXPECT_EQ(lc::testing::ClosedBoxes(),
            std::vector<std::wstring>{L"\"m p3\" cannot be a file type: use letters and digits only."});
}

}  // namespace

namespace {

TEST_F(ConfigDialog, TheTreeChoosesThePage) {
  TTreeView& Tree = Form->Node();
  ASSERT_EQ(5, Tree.Count());
  EXPECT_EQ(L"File types", Tree.NodeText(1));
  EXPECT_EQ(0, Tree.Selected());
  EXPECT_EQ(0, Form->PageIndex());
  // A click on "Video" shows the Video page with its check list.
  const TRect R = Tree.NodeRect(3);
  ASSERT_FALSE(R.IsEmpty());
  SetForegroundWindow(Form->Handle());
  const TPoint At = Tree.ClientToScreen({(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2});
  SetCursorPos(At.X, At.Y);
  mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
  mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
  for (int I = 0; I < 10; ++I) {
    MSG M;
    while (PeekMessageW(&M, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&M);
    Sleep(15);
  }
  EXPECT_EQ(3, Tree.Selected());
  EXPECT_EQ(3, Form->PageIndex());
  EXPECT_TRUE(Form->CBVideo().Showing());
  EXPECT_FALSE(Form->CBGeneral().Showing());
}

TEST_F(ConfigDialog, TheOutlinedSampleShowsNoFringeOfItsKeyColour) {
  // White bold text, outlined and shadowed: its work bitmap is copied with
  // a magenta key, of which no blend may reach the page.
  Form->Node().SetSelected(2);
  Form->NodeChange();
  for (int Line = 0; Line < 3; ++Line) Form->CBSubtitle1().SetChecked(Line, true);
  Form->DrawSubtitleSample();
  for (int I = 0; I < 10; ++I) {
    Application.ProcessMessages();
    Sleep(15);
  }
  TPanel& Sample = Form->SamplePanel();
  ASSERT_TRUE(Sample.Showing());
  HDC DC = GetDC(Sample.Handle());
  int Magenta = 0, White = 0, Outline = 0;
  for (int Y = 1; Y < Sample.Height() - 1; ++Y)
    for (int X = 1; X < Sample.Width() - 1; ++X) {
      const COLORREF C = GetPixel(DC, X, Y);
      const int R = GetRValue(C), G = GetGValue(C), B = GetBValue(C);
      Magenta += R > 100 && B > 100 && G + 40 < std::min(R, B);
      White += R > 240 && G > 240 && B > 240;
      // The outline of white text: each channel a quarter, (63, 63, 63).
      Outline += std::abs(R - 63) < 8 && std::abs(G - 63) < 8 && std::abs(B - 63) < 8;
    }
  ReleaseDC(Sample.Handle(), DC);
  EXPECT_GT(White, 200);
  EXPECT_GT(Outline, 100);
  EXPECT_EQ(Magenta, 0);
}

TEST_F(ConfigDialog, ThePagesButtonsAreSkinnedCaptionButtonsThatAct) {
  Form->Node().SetSelected(1);
  Form->NodeChange();
  for (int I = 0; I < 10; ++I) {
    Application.ProcessMessages();
    Sleep(15);
  }
  // Select all (TextButtons 0), Select none (1), Add and Delete extension
  // (2, 3) at x 192..338, the profiles editor (12), the subtitle font and
  // folder buttons (4, 5).
  for (int Text : {0, 1, 2, 3, 4, 5, 12}) ASSERT_NE(Form->PageButton(Text), nullptr) << Text;
  TPageButton& All = *Form->PageButton(0);
  ASSERT_TRUE(All.Showing());
  // As wide as a caption image, 20 high, centred where it was placed.
  EXPECT_TRUE(All.Width() == 80 || All.Width() == 100 || All.Width() == 120 || All.Width() == 140 ||
              All.Width() == 160)
      << All.Width();
  EXPECT_EQ(20, All.Height());
  EXPECT_EQ(265, All.Left() + All.Width() / 2);
  // The caption in the skin's green, $166116: a platform button writes black.
  HDC DC = GetDC(All.Handle());
  int Green = 0;
  for (int Y = 0; Y < All.Height(); ++Y)
    for (int X = 0; X < All.Width(); ++X) Green += GetPixel(DC, X, Y) == RGB(22, 97, 22);
  ReleaseDC(All.Handle(), DC);
  EXPECT_GT(Green, 10);
  // A click checks every line; Select none's unchecks them.
  const auto Click = [](TPageButton& B) {
    const LPARAM At = MAKELPARAM(B.Width() / 2, 10);
    SendMessageW(B.Handle(), WM_MOUSEMOVE, 0, At);
    SendMessageW(B.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, At);
    SendMessageW(B.Handle(), WM_LBUTTONUP, 0, At);
  };
  Click(All);
  EXPECT_TRUE(Form->CBAssocFile().Checked(0));
  EXPECT_TRUE(Form->CBAssocFile().Checked(1));
  Click(*Form->PageButton(1));
  EXPECT_FALSE(Form->CBAssocFile().Checked(0));
  EXPECT_FALSE(Form->CBAssocFile().Checked(1));
}

// The font dialog's title is read and the dialog cancelled by a timer.
std::wstring FontDialogTitle;
void CALLBACK CloseFontDialog(HWND, UINT, UINT_PTR Id, DWORD) {
  HWND Dialog = FindWindowW(L"#32770", nullptr);
  if (!Dialog) return;
  KillTimer(nullptr, Id);
  wchar_t Title[128] = {};
  GetWindowTextW(Dialog, Title, 128);
  FontDialogTitle = Title;
  PostMessageW(Dialog, WM_COMMAND, IDCANCEL, 0);
}

TEST_F(ConfigDialog, TheFontDialogIsTitledFromTheTextTableAndCancelKeepsTheSize) {
  lc::settings::GlobalTextTable().TextCaptions[14] = "Schrift";
  FontDialogTitle.clear();
  SetTimer(nullptr, 0, 50, CloseFontDialog);
  Form->SubtitleFontClick();
  EXPECT_EQ(L"Schrift", FontDialogTitle);
  EXPECT_EQ(L"100", Form->NumberField(NumericField::SubtitleSize).Text());
  Form->OptionsChangeCheck();
  EXPECT_FALSE(Form->ApplyEnabled());
}

}  // namespace

namespace {

TEST_F(ConfigDialog, EnterInTheTreeAppliesAndClosesEscapeOnlyCloses) {
  Form->NumberField(NumericField::SecondesToJump).SetText(L"33");
  Form->OptionsChangeCheck();
  Form->Node().SetFocus();
  // The keys act as they go down; their characters, which follow, do nothing.
  SendMessageW(Form->Node().Handle(), WM_CHAR, VK_ESCAPE, 0);
  EXPECT_EQ(mrNone, Form->ModalResult);
  SendMessageW(Form->Node().Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_EQ(mrCancel, Form->ModalResult);
  EXPECT_EQ(20, lc::Program().Settings.SecondesToJump);
  Form->ModalResult = mrNone;
  SendMessageW(Form->Node().Handle(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(mrOk, Form->ModalResult);
  EXPECT_EQ(33, lc::Program().Settings.SecondesToJump);
}

}  // namespace
