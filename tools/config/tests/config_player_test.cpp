// The configuration dialog against the running main window: the options
// command opens it, a language chosen with Apply retitles the main
// window's face (a malformed one leaves it as it was), a boss key changed with Apply is held by the main window
// once the dialog closes, the playlist takes its font size and loses its
// hints, movie-mode's tick goes when the subtitle's place is changed, and
// the loaded subtitle's display lengths follow the average display time.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "app/playlist_setup.h"
#include "fuzz/language_writer.h"
#include "kit/tests/box_closer.h"
#include "playlist/win/playlist_window.h"
#include "player/player_state.h"
#include "player/subtitle_state.h"
#include "player/tests/main_form_fixture.h"
#include "settings/text_apply.h"
#include "subtitles/loader.h"
#include "tools/config/config_dialog.h"

namespace {

using lc::Program;
using lc::tools::NumericField;

class MainConfig : public lc::testing::MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Program().Names.ExeFolder = folder.File("");
    Program().Settings.LastUsedLanguage = lc::settings::kEnglishBuiltIn;
  }
  void TearDown() override {
    Dialog.reset();
    lc::Player().SubtitleLoaded = false;
    lc::Subtitles().Current = {};
    form->BossKeys().UnregisterAll();
    lc::settings::SetDefaultTexts(lc::settings::GlobalTextTable(), false);
    MainWindowTest::TearDown();
  }
  TfrmConfig& Open() {
    Dialog = form->Dialogs.Config.Create();
    Dialog->Show();
    return static_cast<TfrmConfig&>(*Dialog);
  }
  // A language file in the folder that holds the executable.
  void WriteLanguage(const std::string& Name, const lc::settings::TextTable& Table) {
    std::string Text;
    ASSERT_TRUE(lc::fuzz::WriteLanguageText(Table, "// Translated by: Test\r\n\r\n", Text));
    std::filesystem::create_directories(folder.path() / "lang");
    lc::settings::testing::WriteBytes(folder.File("lang\\" + Name + ".lng"), Text);
  }
  std::unique_ptr<TForm> Dialog;
};

// The dialog the options command brings up is noted and closed by a timer.
bool SawDialog = false;
void CALLBACK CloseConfig(HWND, UINT, UINT_PTR Id, DWORD) {
  if (!frmConfig || !frmConfig->Showing()) return;
  KillTimer(nullptr, Id);
  SawDialog = true;
  frmConfig->Close();
}

TEST_F(MainConfig, TheOptionsCommandOpensTheDialog) {
  SawDialog = false;
  SetTimer(nullptr, 0, 50, CloseConfig);
  form->RunCommand(lc::Cmd::BtnOptionsClick);
  EXPECT_TRUE(SawDialog);
  EXPECT_EQ(frmConfig, nullptr);
  EXPECT_EQ(form->Dialogs.Config.Open, nullptr);
}

TEST_F(MainConfig, ALanguageAppliedRetitlesTheMainWindowAndIsSaved) {
  lc::settings::TextTable German;
  lc::settings::SetDefaultTexts(German);
  German.TextHints[6] = "Abspielen";
  German.TextLabels[29] = "Kein Film";
  German.TextMenus[49] = "Einstellungen";
  WriteLanguage("german", German);
  TfrmConfig& Config = Open();
  TListBox& List = Config.LanguageList();
  ASSERT_EQ(2, List.Count());
  ASSERT_EQ(L"German", List.Items(1));
  List.SetItemIndex(1);
  Config.OptionsChangeCheck();
  ASSERT_TRUE(Config.ApplyEnabled());
  Config.BtnApplyClick();
  EXPECT_EQ("German", Program().Settings.LastUsedLanguage);
  EXPECT_EQ(L"Abspielen", form->BtnPlay->Hint());
  EXPECT_EQ(L"Kein Film", form->MovieLabel->Caption());
  EXPECT_EQ(L"Einstellungen\tCtrl+P", form->MenuItem(L"ConfigurationMenu")->Caption);
  const std::string Saved = lc::settings::testing::ReadBytes(folder.File("LcFormTest.ini"));
  EXPECT_NE(Saved.find("LastUsedLanguage=German"), std::string::npos) << Saved;
  // Back to the built-in texts.
  List.SetItemIndex(0);
  Config.BtnApplyClick();
  EXPECT_EQ(L"Play", form->BtnPlay->Hint());
  EXPECT_EQ(L"No movie", form->MovieLabel->Caption());
}

// A malformed language file chosen over another language: the user is
// told, the language setting stays, the table holds the built-in texts
// while the main window keeps the ones it shows, and the dialog re-captions
// itself from the table.
TEST_F(MainConfig, AMalformedLanguageLeavesTheBuiltInTextsAndTheWindowsTheirs) {
  lc::settings::TextTable German;
  lc::settings::SetDefaultTexts(German);
  German.TextHints[6] = "Abspielen";
  German.TextTabs[0] = "Allgemein";
  WriteLanguage("german", German);
  lc::settings::testing::WriteBytes(folder.File("lang\\broken.lng"), "// Translated by: Nobody\r\nOne text\r\n");
  TfrmConfig& Config = Open();
  const auto Choose = [&Config](const std::wstring& Name) {
    TListBox& List = Config.LanguageList();
    for (int I = 0; I < List.Count(); ++I)
      if (List.Items(I) == Name) List.SetItemIndex(I);
    Config.OptionsChangeCheck();
    Config.BtnApplyClick();
  };
  Choose(L"German");
  ASSERT_EQ("German", Program().Settings.LastUsedLanguage);
  ASSERT_EQ(L"Allgemein", Config.Node().NodeText(0));

  lc::testing::ClosedBoxes().clear();
  lc::testing::CloseNextBox();
  Choose(L"Broken");
  EXPECT_EQ(lc::testing::ClosedBoxes(), std::vector<std::wstring>{L"Error while loading\r\n\"Broken.lng\"!"});
  EXPECT_EQ("German", Program().Settings.LastUsedLanguage);
  EXPECT_EQ("Play", lc::settings::GlobalTextTable().TextHints[6]);
  EXPECT_EQ(L"Abspielen", form->BtnPlay->Hint());
  EXPECT_EQ(L"General", Config.Node().NodeText(0));
  const std::string Saved = lc::settings::testing::ReadBytes(folder.File("LcFormTest.ini"));
  EXPECT_NE(Saved.find("LastUsedLanguage=German"), std::string::npos) << Saved;
}

TEST_F(MainConfig, ABossKeyAppliedIsHeldByTheMainWindowOnceTheDialogCloses) {
  // Ctrl+Alt+F9 as the hot-key field holds it.
  const lc::settings::ShortCut CtrlAltF9 = 0x4000 | 0x8000 | VK_F9;
  TfrmConfig& Config = Open();
  Config.cbBossKey().SetChecked(true);
  Config.hkHide().SetHotKey(CtrlAltF9);
  Config.hkShow().SetHotKey(0);
  Config.BtnApplyClick();
  EXPECT_TRUE(Program().Settings.BossKey);
  Config.Close();
  EXPECT_EQ(CtrlAltF9, form->BossKeys().Registered(lc::kBossHideId));
  EXPECT_EQ(0, form->BossKeys().Registered(lc::kBossShowId));
  EXPECT_FALSE(RegisterHotKey(nullptr, 31, MOD_CONTROL | MOD_ALT, VK_F9)) << "the main window holds it";

  // Switched off again: the hot key is free.
  TfrmConfig& Again = Open();
  Again.cbBossKey().SetChecked(false);
  Again.BtnApplyClick();
  Again.Close();
  EXPECT_EQ(0, form->BossKeys().Registered(lc::kBossHideId));
  EXPECT_TRUE(RegisterHotKey(nullptr, 31, MOD_CONTROL | MOD_ALT, VK_F9));
  UnregisterHotKey(nullptr, 31);
}

TEST_F(MainConfig, CancelLeavesTheSettingsAndThePlayerAlone) {
  const std::wstring Hint = form->BtnPlay->Hint();
  TfrmConfig& Config = Open();
  Config.NumberField(NumericField::SecondesToJump).SetText(L"33");
  Config.cbBossKey().SetChecked(true);
  Config.Close();
  EXPECT_EQ(20, Program().Settings.SecondesToJump);
  EXPECT_FALSE(Program().Settings.BossKey);
  EXPECT_EQ(0, form->BossKeys().Registered(lc::kBossHideId));
  EXPECT_EQ(Hint, form->BtnPlay->Hint());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "LcFormTest.ini"));
}

TEST_F(MainConfig, MovingTheSubtitleZoneUnticksMovieMode) {
  form->MovieModeChecked = true;
  TfrmConfig& Config = Open();
  Config.NumberField(NumericField::AverageVerticalDisplayZone).SetText(L"20");
  Config.OptionsChangeCheck();
  EXPECT_FALSE(form->MovieModeChecked);
}

TEST_F(MainConfig, ThePlaylistTakesItsFontSizeAndLosesItsHintsWhenSwitchedOff) {
  std::unique_ptr<TfrmPlayList> Made = lc::MakePlaylistWindow(*form, links->Playlist());
  TfrmPlayList& List = *Made;
  List.ListVideo.Hint = L"C:\\movies\\one.avi";
  List.ListSub.Hint = L"C:\\movies\\one.srt";
  Program().Settings.DisplayHintInPlaylist = true;
  TfrmConfig& Config = Open();
  Config.NumberField(NumericField::PlaylistFontSize).SetText(L"14");
  Config.BtnApplyClick();
  EXPECT_EQ(14, List.ListVideo.Font.Size());
  EXPECT_EQ(14, List.ListSub.Font.Size());
  EXPECT_EQ(L"C:\\movies\\one.avi", List.ListVideo.Hint) << "hints stay while they are wanted";
  Config.CBGeneral().SetChecked(7, false);  // full paths as hints: off
  Config.BtnApplyClick();
  EXPECT_FALSE(Program().Settings.DisplayHintInPlaylist);
  EXPECT_EQ(L"", List.ListVideo.Hint);
  EXPECT_EQ(L"", List.ListSub.Hint);
  form->Satellites.PlayList = nullptr;
}

TEST_F(MainConfig, TheLoadedSubtitleTakesTheNewAverageDisplayTime) {
  // Entries at 1 s and 3 s of 5 and 20 characters.
  auto Load = lc::subtitles::LoadSubtitleBytes(
      "1\r\n00:00:01,000 --> 00:00:02,000\r\nab\r\ncd\r\n\r\n"
      "2\r\n00:00:03,000 --> 00:00:04,000\r\nA text of twenty....\r\n");
  ASSERT_TRUE(Load.Ok());
  lc::Subtitles().Current = Load.Loaded;
  lc::Player().SubtitleLoaded = true;
  ASSERT_EQ((std::vector<int32_t>{1260, 2231}), lc::Subtitles().Current.Durations);
  TfrmConfig& Config = Open();
  Config.NumberField(NumericField::AverageDisplayTime).SetText(L"5000");
  Config.BtnApplyClick();
  EXPECT_EQ(5000, Program().Settings.AverageDisplayTime);
  EXPECT_EQ((std::vector<int32_t>{2000, 13239}), lc::Subtitles().Current.Durations);

  // With no subtitle loaded the list is not touched.
  lc::Player().SubtitleLoaded = false;
  Config.NumberField(NumericField::AverageDisplayTime).SetText(L"1000");
  Config.BtnApplyClick();
  EXPECT_EQ(1000, Program().Settings.AverageDisplayTime);
  EXPECT_EQ((std::vector<int32_t>{2000, 13239}), lc::Subtitles().Current.Durations);
}

}  // namespace
