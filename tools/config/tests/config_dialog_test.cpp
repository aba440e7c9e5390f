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
#include "framework/hintwindow.h"
#include "framework/tests/input.h"
#include "framework/unicode.h"
#include "kit/page_button.h"
#include "kit/skin_widget.h"
#include "kit/tests/box_closer.h"
#include "player/tests/main_form_fixture.h"
#include "settings/program_state.h"
#include "settings/tests/language_files.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "tools/config/config_dialog.h"
#include "tests/support/scratch.h"

namespace {

using lc::tools::NumericField;

// A language file with every built-in text, the first tab and the first
// button renamed.
std::string GermanFile() {
  lc::settings::TextTable t;
  lc::settings::SetDefaultTexts(t);
  t.TextTabs[0] = "Allgemein";
  t.TextButtons[0] = "Alle";
  // The file is text in the code page: "José" in Windows-1252.
  return lc::settings::testing::LanguageFileText(t, "Jos\xE9 Novak");
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
    S.ConfigTaken = true;  // the running player's settings
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
  EXPECT_EQ(L"Translated by: Jos\u00e9 Novak", Form->LTranslator().Caption());
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

TEST_F(ConfigDialog, APastedBadExtensionIsRefusedAndLeftSelected) {
  TEdit& Ext = Form->EExtensionName();
  Ext.SetText(L"m p3");
  lc::testing::ClosedBoxes().clear();
  // A box would be closed (and counted) instead of waiting for a user.
  const UINT_PTR Closer = SetTimer(nullptr, 0, 50, lc::testing::CloseShownBox);
  Form->AddExtensionClick();
  KillTimer(nullptr, Closer);
  EXPECT_EQ(2, Form->CBAssocFile().Count());
  // No message in words the language could not give.
  EXPECT_EQ(lc::testing::ClosedBoxes(), std::vector<std::wstring>{});
  EXPECT_TRUE(Ext.Focused());
  DWORD From = 9, To = 9;
  SendMessageW(Ext.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&From), reinterpret_cast<LPARAM>(&To));
  EXPECT_EQ(0u, From);
  EXPECT_EQ(4u, To);
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

// The texts of a table compared as a label shows them: its line breaks
// (the form's and those of wrapping) as blanks.
std::wstring Flat(std::wstring Text) {
  for (std::size_t At; (At = Text.find(L"\r\n")) != std::wstring::npos;) Text.replace(At, 2, L" ");
  return Text;
}

TEST_F(ConfigDialog, ALanguageChangeReCaptionsEveryLabelButtonAndHint) {
  const lc::settings::TextTable Longer = lc::settings::testing::LongerTable();
  std::ofstream(Folder / "lang" / "longer.lng", std::ios::binary)
      << lc::settings::testing::LanguageFileText(Longer, "the tests");
  Form = std::make_unique<TfrmConfig>();
  Form->Show();
  TListBox& List = Form->LanguageList();
  ASSERT_EQ(L"Longer", List.Items(2));
  List.SetItemIndex(2);
  Form->BtnApplyClick();
  ASSERT_EQ("Longer", lc::Program().Settings.LastUsedLanguage);
  const auto Wide = [](const std::string& Text) { return Utf8ToWide(Text); };
  const auto Labels = Form->PageLabels();
  ASSERT_EQ(16u, Labels.size());
  for (const auto& [Label, Text] : Labels) EXPECT_EQ(Flat(Wide(Longer.TextLabels[Text])), Flat(Label->Caption())) << Text;
  EXPECT_EQ(L"CloseCl", Form->CloseBox().Hint());
  EXPECT_EQ(L"ApplyAp", Form->ApplyButton().Caption());
  EXPECT_EQ(L"DefaultDef", Form->DefaultButton().Caption());
  EXPECT_EQ(L"CloseCl", Form->CloseCaptionButton().Caption());
  for (int Text : {0, 1, 2, 3, 4, 5, 12}) EXPECT_EQ(Wide(Longer.TextButtons[Text]), Form->PageButton(Text)->Button().Caption());
  EXPECT_EQ(L"Auto playAut", Form->CBGeneral().Items(0));
  EXPECT_EQ(L"OSD DisplayOSDx", Form->CBVideo().Items(6));
  EXPECT_EQ(Wide(Longer.TextOptionLists[0]), Form->CBRegExtension().Caption());
  EXPECT_EQ(Wide(Longer.TextOptionLists[11]), Form->cbBossKey().Caption());
  EXPECT_EQ(L"GeneralGen 1", Form->GeneralTabs().TabCaption(0));
  EXPECT_EQ(L"SubtitleSub 2", Form->SubtitleTabs().TabCaption(1));
  EXPECT_EQ(L"VideoVi", Form->Node().NodeText(3));
}

// Children of a page (its check lists, fields, combo boxes and buttons)
// that stand on the same rows as the label and to its right.
std::vector<HWND> RightNeighbours(const TLabel& Label, HWND Page) {
  std::vector<HWND> Found;
  for (HWND Child = GetWindow(Page, GW_CHILD); Child; Child = GetWindow(Child, GW_HWNDNEXT)) {
    RECT R;
    GetWindowRect(Child, &R);
    MapWindowPoints(nullptr, Page, reinterpret_cast<POINT*>(&R), 2);
    const bool SameRows = R.top < Label.Top() + Label.Height() && R.bottom > Label.Top();
    if (SameRows && R.left > Label.Left()) Found.push_back(Child);
  }
  return Found;
}

TEST_F(ConfigDialog, EveryTextFitsItsControlInTheBuiltInAndInALongerLanguage) {
  for (const bool Longer : {false, true}) {
    if (Longer) lc::settings::GlobalTextTable() = lc::settings::testing::LongerTable();
    Form = std::make_unique<TfrmConfig>();
    Form->Show();
    TCanvas& C = Form->Canvas();
    // The bottom buttons: side by side from the left edge, none over the
    // next, each at least as wide as its caption, all inside the window.
    const TVirtualButton* Bottom[] = {&Form->ApplyButton(), &Form->DefaultButton(), &Form->CloseCaptionButton()};
    EXPECT_EQ(0, Bottom[0]->Rect().Left);
    TBitmap CaptionMeasure(1, 1);
    SetCaptionFont(CaptionMeasure.Canvas());
    for (int I = 0; I < 3; ++I) {
      const TRect& R = Bottom[I]->Rect();
      EXPECT_GE(R.Right - R.Left, CaptionMeasure.Canvas().TextWidth(Bottom[I]->Caption())) << Longer << " button " << I;
      if (I < 2) {
        EXPECT_LE(R.Right, Bottom[I + 1]->Rect().Left) << Longer << " button " << I;
      }
      EXPECT_LE(R.Right, Form->ClientWidth());
    }
    // Labels never run into the control beside them.
    for (const auto& [Label, Text] : Form->PageLabels()) {
      const TWinControl* Parent = Label->Parent();
      ASSERT_NE(Parent, nullptr);
      for (HWND Next : RightNeighbours(*Label, Parent->Handle())) {
        RECT R;
        GetWindowRect(Next, &R);
        MapWindowPoints(nullptr, Parent->Handle(), reinterpret_cast<POINT*>(&R), 2);
        EXPECT_LE(Label->Left() + Label->Width(), R.left) << Longer << " label " << Text;
      }
      EXPECT_LE(Label->Left() + Label->Width(), Parent->ClientWidth()) << Longer << " label " << Text;
    }
    // Check lists and check boxes in the font they show.
    for (TCheckListBox* List : {&Form->CBGeneral(), &Form->CBVideo(), &Form->CBSubtitle1(), &Form->CBSubtitle2()}) {
      C.Font.Assign(List->Font);
      for (int I = 0; I < List->Count(); ++I)
        EXPECT_LE(List->CheckWidth() + 2 + C.TextWidth(List->Items(I)), List->ClientWidth()) << Longer << " "
                                                                                               << List->Items(I);
    }
    for (TCheckBox* Box : {&Form->CBRegExtension(), &Form->CBSearchHereFirst(), &Form->cbBossKey()}) {
      C.Font.Assign(Box->Font);
      EXPECT_LE(C.TextWidth(Box->Caption()) + 20, Box->Width()) << Longer;
    }
    // The pages' caption buttons stay on their pages.
    for (int Text : {0, 1, 2, 3, 4, 5, 12}) {
      const TPageButton& B = *Form->PageButton(Text);
      EXPECT_GE(B.Left(), 0) << Longer << " button " << Text;
      EXPECT_LE(B.Left() + B.Width(), B.Parent()->ClientWidth()) << Longer << " button " << Text;
    }
  }
}

// The hint window showing now, or nullptr.
const THintWindow* ShownHint() {
  HWND Hint = FindWindowW(L"THintWindow", nullptr);
  return Hint && IsWindowVisible(Hint) ? dynamic_cast<const THintWindow*>(TWinControl::FindControl(Hint)) : nullptr;
}

TEST_F(ConfigDialog, ACheckBoxCaptionCutAtItsWidthShowsWholeAsTheHintWhileTheMouseIsOverIt) {
  // A caption far wider than any screen: the dialog widens to the screen's
  // edge and still cuts it.
  std::string Long;
  while (Long.size() < 900) Long += "Register extensions on player start ";
  lc::settings::GlobalTextTable().TextOptionLists[0] = Long;
  Form = std::make_unique<TfrmConfig>();
  Form->Show();
  Form->Node().SetSelected(1);
  Form->NodeChange();
  TMyCheckBox& Cut = Form->CBRegExtension();
  ASSERT_TRUE(Cut.Showing());
  const TPoint Over = Cut.ClientToScreen({Cut.Width() / 2, Cut.Height() / 2});
  lctest::MouseToScreen(Over.X, Over.Y);
  EXPECT_TRUE(lctest::SettleUntil([] { return ShownHint() != nullptr; }, 10000));
  ASSERT_NE(nullptr, ShownHint());
  EXPECT_EQ(Utf8ToWide(Long), ShownHint()->Text());
  // Leaving the box takes the hint away.
  lctest::MouseToScreen(Form->Left() + 40, Form->Top() + Form->Height() + 40);
  EXPECT_TRUE(lctest::SettleUntil([] { return ShownHint() == nullptr; }, 10000));

  // A caption shown whole gives no hint.
  Form->Node().SetSelected(2);
  Form->NodeChange();
  Form->SubtitleTabs().SetActivePageIndex(1);
  TMyCheckBox& Whole = Form->CBSearchHereFirst();
  ASSERT_TRUE(Whole.Showing());
  const TPoint On = Whole.ClientToScreen({20, Whole.Height() / 2});
  lctest::MouseToScreen(On.X, On.Y);
  ASSERT_TRUE(lctest::SettleUntil([&] { return Whole.Hint.empty() && !Whole.ShowHint; }, 10000));
  EXPECT_FALSE(lctest::SettleUntil([] { return ShownHint() != nullptr; }, 3 * Application.HintPause));
}

TEST_F(ConfigDialog, APressOnAnEmptySpotOfAPageMovesTheDialog) {
  Form->Node().SetSelected(4);
  Form->NodeChange();
  TPanel& Page = Form->Page(4);
  ASSERT_TRUE(Page.Showing());
  // Below the translator's credit, where the Language page holds nothing.
  const TPoint Start = Page.ClientToScreen({200, 328});
  const TRect Before = Form->BoundsRect();
  lctest::MouseToScreen(Start.X, Start.Y);
  Application.ProcessMessages();
  lctest::DragFrom(Start.X, Start.Y, 8, -5, 5);
  lctest::SettleUntil([&] { return Form->Left() == Before.Left - 40 && Form->Top() == Before.Top + 40; });
  EXPECT_EQ(Before.Left - 40, Form->Left());
  EXPECT_EQ(Before.Top + 40, Form->Top());
}

// The sample's pixels inside its frame, row by row.
std::vector<std::vector<COLORREF>> SamplePixels(TfrmConfig& Form) {
  Form.DrawSubtitleSample();
  for (int I = 0; I < 10; ++I) {
    Application.ProcessMessages();
    Sleep(15);
  }
  TPanel& Sample = Form.SamplePanel();
  HDC DC = GetDC(Sample.Handle());
  std::vector<std::vector<COLORREF>> Rows;
  for (int Y = 1; Y < Sample.Height() - 1; ++Y) {
    Rows.emplace_back();
    for (int X = 1; X < Sample.Width() - 1; ++X) Rows.back().push_back(GetPixel(DC, X, Y));
  }
  ReleaseDC(Sample.Handle(), DC);
  return Rows;
}

TEST_F(ConfigDialog, TheSampleFitsItsFrameAndShowsFuchsiaText) {
  Form->Node().SetSelected(2);
  Form->NodeChange();
  for (int Line = 0; Line < 3; ++Line) Form->CBSubtitle1().SetChecked(Line, true);
  ASSERT_TRUE(Form->SamplePanel().Showing());
  // The largest size the field takes: the letters stay off the frame's
  // inner edges, left and right, top and bottom.
  Form->NumberField(NumericField::SubtitleSize).SetText(L"1000");
  const auto Rows = SamplePixels(*Form);
  const COLORREF Page = Rows[0][0];
  int Ink = 0;
  for (const auto& Row : Rows) {
    EXPECT_EQ(Page, Row.front());
    EXPECT_EQ(Page, Row.back());
    for (COLORREF C : Row) Ink += C != Page;
  }
  for (COLORREF C : Rows.front()) EXPECT_EQ(Page, C);
  for (COLORREF C : Rows.back()) EXPECT_EQ(Page, C);
  EXPECT_GT(Ink, 1000) << "the sample is written, large";
  // Fuchsia letters (the colour the work bitmap's key was) show.
  Form->NumberField(NumericField::SubtitleSize).SetText(L"100");
  Form->FontDialogTemp().Font.SetColor(static_cast<TColor>(0xFF00FF));
  int Fuchsia = 0;
  for (const auto& Row : SamplePixels(*Form))
    for (COLORREF C : Row) Fuchsia += C == RGB(255, 0, 255);
  EXPECT_GT(Fuchsia, 100);
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
  // Two quick clicks act twice: the second press of the double click is a
  // press like the first.
  TPageButton& None = *Form->PageButton(1);
  int Clicks = 0;
  None.OnClick = [&, Act = None.OnClick] {
    ++Clicks;
    Act();
  };
  const LPARAM At = MAKELPARAM(None.Width() / 2, 10);
  Click(None);
  SendMessageW(None.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, At);
  SendMessageW(None.Handle(), WM_LBUTTONUP, 0, At);
  EXPECT_EQ(2, Clicks);
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
