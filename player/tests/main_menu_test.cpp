// The main window's popup menu under Wine: every item under its parent with
// its caption, each item's command, the recent files and monitors brought
// up to date as it opens, and the check marks that follow the settings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/tests/menu_driver.h"
#include "framework/unicode.h"
#include "kit/skin_image.h"
#include "player/tests/main_form_fixture.h"

namespace {

using lc::Cmd;
using lc::Program;

class MainMenu : public lc::testing::MainWindowTest {
 protected:
  TMenuItem& Item(const wchar_t* Name) {
    TMenuItem* Found = form->MenuItem(Name);
    EXPECT_NE(Found, nullptr) << "no item";
    return Found ? *Found : form->PopupMenuMain.Items;
  }
  std::vector<std::wstring> Names(const TMenuItem& Parent) {
    std::vector<std::wstring> Out;
    for (int I = 0; I < Parent.Count(); ++I) Out.push_back(Parent.Items(I)->Name);
    return Out;
  }
};

TEST_F(MainMenu, EveryItemSitsUnderItsParent) {
  using W = std::vector<std::wstring>;
  EXPECT_EQ(Names(form->PopupMenuMain.Items),
            (W{L"OpenMovieMenu", L"LoadSubtitleMenu", L"RecentFilesMenu", L"N1", L"PlayControlMenu",
               L"BookmarksMenu", L"VideoMenu", L"AudioMenu", L"SubtitleMenu", L"AdvancedMenu", L"N2",
               L"ConfigurationMenu", L"KeyboardDefinitionsMenu", L"PlaylistMenu", L"AlwaysOnTopMenu", L"N3",
               L"AboutMenu", L"TurnOffComputerMenu", L"N4", L"ExitMenu"}));
  EXPECT_EQ(Names(Item(L"RecentFilesMenu")),
            (W{L"N11", L"N21", L"N31", L"N41", L"N51", L"Separator", L"ClearHistoryMenu"}));
  EXPECT_EQ(Names(Item(L"PlayControlMenu")),
            (W{L"PlayMenu", L"StopMenu", L"PauseMenu", L"RewindMenu", L"ForwardMenu", L"FastRewindMenu",
               L"FastForwardMenu", L"JumpToTimeMenu"}));
  EXPECT_EQ(Names(Item(L"BookmarksMenu")), (W{L"AddBookmarkMenu", L"ClearBookmarksMenu"}));
  EXPECT_EQ(Names(Item(L"VideoMenu")),
            (W{L"ChangeResolutionMenu", L"FullScreenMenu", L"ColorControlMenu", L"MovieModeMenu",
               L"AspectRatioMenu", L"PanScanMenu", L"WindowSizeMenu", L"CaptureFrameMenu", L"SendWindowToMenu"}));
  EXPECT_EQ(Names(Item(L"AspectRatioMenu")),
            (W{L"OriginalRatioMenu", L"N169RatioMenu", L"N43RatioMenu", L"N11RatioMenu", L"FreeRatioMenu",
               L"CustomRatioMenu"}));
  EXPECT_EQ(Names(Item(L"PanScanMenu")), (W{L"PanInMenu", L"PanOutMenu", L"AutomaticMenu", L"CustomPanScanMenu"}));
  EXPECT_EQ(Names(Item(L"WindowSizeMenu")), (W{L"N50Menu", L"N100Menu", L"N200Menu"}));
  EXPECT_EQ(Names(Item(L"AudioMenu")),
            (W{L"VolumeUpMenu", L"VolumeDownMenu", L"EqualizerMenu", L"DynamicAmplificationMenu"}));
  EXPECT_EQ(Names(Item(L"SubtitleMenu")),
            (W{L"FontMenu", L"DisableSubtitleMenu", L"DecreaseTimeMenu", L"IncreaseTimeMenu", L"MoveSubtitleUpMenu",
               L"MoveSubtitleDownMenu", L"IncreaseFontSizeMenu", L"DecreaseFontSizeMenu"}));
  EXPECT_EQ(Names(Item(L"AdvancedMenu")), W{L"FiltersMenu"});
  EXPECT_FALSE(Item(L"FiltersMenu").Enabled);
  for (const wchar_t* Line : {L"N1", L"N2", L"N3", L"N4", L"Separator"}) EXPECT_TRUE(Item(Line).IsLine()) << Line;
  EXPECT_EQ(form->PopupMenu, &form->PopupMenuMain) << "a right click opens it";
  EXPECT_EQ(form->PopupMenuMain.Painter, &form->FlatMenu);
}

TEST_F(MainMenu, CaptionsComeFromTheTextTableWithTheirKeys) {
  EXPECT_EQ(Item(L"OpenMovieMenu").CaptionText(), L"Open movie(s)...");
  EXPECT_EQ(Item(L"OpenMovieMenu").ShortCutText(), L"Ctrl+O");
  EXPECT_EQ(Item(L"PlayMenu").Caption, L"Play\t\t\t\tX");
  EXPECT_EQ(Item(L"SendWindowToMenu").Caption, L"Send window to");
  EXPECT_EQ(Item(L"ExitMenu").CaptionText(), L"Exit");
  EXPECT_EQ(Item(L"N100Menu").CaptionText(), L"100%");
  // A language loaded after the menu was made shows at the next opening.
  auto& Texts = lc::settings::GlobalTextTable();
  Texts.TextMenus[5] = "Lecture\t\t";
  form->PopupMenuMainPopup();
  EXPECT_EQ(Item(L"PlayMenu").Caption, L"Lecture\t\tX");
  lc::settings::SetDefaultTexts(Texts);
}

// One row of the open menu as the screen shows it, top-left at R.
struct TShownRow {
  RECT R{};
  std::vector<COLORREF> Pixels;  // row by row
  COLORREF At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y * (R.right - R.left) + X)]; }
};

std::vector<TShownRow> ShownRows(HMENU Menu, const std::vector<int>& Positions) {
  std::vector<TShownRow> Rows;
  HDC Screen = GetDC(nullptr);
  for (int Position : Positions) {
    TShownRow Row;
    GetMenuItemRect(nullptr, Menu, Position, &Row.R);
    for (int Y = Row.R.top; Y < Row.R.bottom; ++Y)
      for (int X = Row.R.left; X < Row.R.right; ++X) Row.Pixels.push_back(GetPixel(Screen, X, Y));
    Rows.push_back(std::move(Row));
  }
  ReleaseDC(nullptr, Screen);
  return Rows;
}

TEST_F(MainMenu, TheOpenMenusRowsShowTheirImagesAndShortcuts) {
  struct Case {
    int Position;  // among the shown rows
    int Image;     // index into the menu images, -1 none
    const wchar_t* Shortcut;
  };
  const Case Cases[] = {{0, 0, L"Ctrl+O"}, {12, 28, L"F1"}, {13, 29, L"F10"}, {14, -1, L"T"}, {19, 40, L""}};
  std::vector<int> Positions;
  for (const Case& C : Cases) Positions.push_back(C.Position);
  std::vector<TShownRow> Rows;
  SetCursorPos(10, 10);
  {
    // The rows as they settle: the menu's thread may still be drawing
    // when the window first shows.
    lctest::TMenuDriver Driver({VK_ESCAPE}, [&](HWND) {
      auto Same = [](const std::vector<TShownRow>& A, const std::vector<TShownRow>& B) {
        if (A.size() != B.size()) return false;
        for (std::size_t I = 0; I < A.size(); ++I)
          if (A[I].Pixels != B[I].Pixels) return false;
        return true;
      };
      Rows = ShownRows(form->PopupMenuMain.Handle(), Positions);
      for (int Tries = 0; Tries < 40; ++Tries) {
        Sleep(50);
        std::vector<TShownRow> Again = ShownRows(form->PopupMenuMain.Handle(), Positions);
        const bool Settled = Same(Rows, Again);
        Rows = std::move(Again);
        if (Settled) break;
      }
    });
    form->PopupMenuMain.Popup(1400, 400);
  }
  ASSERT_EQ(std::size(Cases), Rows.size());
  TBitmap Strip;
  LoadSkinImage(L"MenuImages", Strip);
  const COLORREF Column = RGB(228, 228, 228), Face = RGB(250, 250, 250);
  for (std::size_t I = 0; I < Rows.size(); ++I) {
    const Case& C = Cases[I];
    const TShownRow& Row = Rows[I];
    const int W = Row.R.right - Row.R.left, H = Row.R.bottom - Row.R.top;
    ASSERT_GE(H, 20) << C.Position;
    // The 16 x 16 image centred in the 24-pixel column, or the plain column.
    const int Top = (H - 16) / 2;
    int Same = 0, Plain = 0;
    for (int Y = 0; Y < 16; ++Y)
      for (int X = 0; X < 16; ++X) {
        const COLORREF Shown = Row.At(4 + X, Top + Y);
        Plain += Shown == Column;
        if (C.Image >= 0) Same += Shown == static_cast<COLORREF>(Strip.Canvas().Pixel(C.Image * 16 + X, Y));
      }
    if (C.Image >= 0) {
      EXPECT_EQ(256, Same) << C.Position;
      EXPECT_LT(Plain, 250) << C.Position << ": the image is more than its key colour";
    } else {
      EXPECT_EQ(256, Plain) << C.Position;
    }
    // The shortcut, right-aligned 16 pixels before the row's end, in the
    // painter's font, as the platform writes it.
    TBitmap Expected(W, H);
    TCanvas& E = Expected.Canvas();
    E.Brush.Color = Face;
    E.FillRect(Rect(0, 0, W, H));
    E.Font.Assign(form->FlatMenu.Font);
    E.Brush.Style = TBrushStyle::bsClear;
    E.DrawText(C.Shortcut, Rect(0, 0, W - 16, H), DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    int Differ = 0;
    for (int Y = 0; Y < H; ++Y)
      for (int X = W - 70; X < W; ++X) Differ += Row.At(X, Y) != static_cast<COLORREF>(E.Pixel(X, Y));
    EXPECT_EQ(0, Differ) << C.Position;
  }
}

TEST_F(MainMenu, EachItemRunsItsCommand) {
  struct Case {
    const wchar_t* Name;
    Cmd Command;
    int Arg;
  };
  const std::vector<Case> Cases = {
      {L"OpenMovieMenu", Cmd::BtnOpenMovieClick, 0},
      {L"N31", Cmd::RecentClick, 3},                      {L"ClearHistoryMenu", Cmd::ClearHistoryMenuClick, 0},
      {L"PlayMenu", Cmd::BtnPlayClick, 0},                {L"StopMenu", Cmd::BtnStopClick, 0},
      {L"PauseMenu", Cmd::BtnPauseClick, 0},              {L"RewindMenu", Cmd::BtnRewindClick, 0},
      {L"ForwardMenu", Cmd::BtnForwardClick, 0},          {L"FastRewindMenu", Cmd::FastRewindClick, 0},
      {L"FastForwardMenu", Cmd::FastForwardClick, 0},     {L"AddBookmarkMenu", Cmd::AddBookmarkMenuClick, 0},
      {L"ClearBookmarksMenu", Cmd::ClearBookmarksMenuClick, 0}, {L"FullScreenMenu", Cmd::BtnFullScreenClick, 0},
      {L"MovieModeMenu", Cmd::MovieModeMenuClick, 0},     {L"OriginalRatioMenu", Cmd::OriginalRatioMenuClick, 0},
      {L"N169RatioMenu", Cmd::N169RatioMenuClick, 0},     {L"N43RatioMenu", Cmd::N43RatioMenuClick, 0},
      {L"N11RatioMenu", Cmd::N11RatioMenuClick, 0},       {L"FreeRatioMenu", Cmd::FreeRatioMenuClick, 0},
      {L"CustomRatioMenu", Cmd::CustomRatioMenuClick, 0}, {L"PanInMenu", Cmd::PanInMenuClick, 0},
      {L"PanOutMenu", Cmd::PanOutMenuClick, 0},           {L"AutomaticMenu", Cmd::AutomaticMenuClick, 0},
      {L"CustomPanScanMenu", Cmd::CustomPanScanMenuClick, 0}, {L"N50Menu", Cmd::N50MenuClick, 0},
      {L"N100Menu", Cmd::N100MenuClick, 0},               {L"N200Menu", Cmd::N200MenuClick, 0},
      {L"VolumeUpMenu", Cmd::BtnVolUpClick, 0},
      {L"VolumeDownMenu", Cmd::BtnVolDownClick, 0},       {L"AlwaysOnTopMenu", Cmd::AlwaysOnTopMenuClick, 0},
  };
  for (const Case& C : Cases) {
    rooms.Calls.clear();
    Item(C.Name).Click();
    EXPECT_EQ(rooms.Calls, (std::vector<lc::testing::RecordingCommands::Call>{{C.Command, C.Arg}})) << C.Name;
  }
}

TEST_F(MainMenu, SubtitleItemsAreTheMainWindowsOwn) {
  lc::settings::SettingsStore& S = Program().Settings;
  S.SubtitleSize = 100;
  S.AverageVerticalDisplayZone = 15;
  int Dialogs = 0;
  form->RunFontDialog = [&] { return ++Dialogs, false; };
  form->RunOpenSubtitleDialog = [&] { return ++Dialogs, false; };
  rooms.Active = true;
  Item(L"FontMenu").Click();
  Item(L"LoadSubtitleMenu").Click();
  EXPECT_EQ(Dialogs, 2);
  Item(L"IncreaseFontSizeMenu").Click();
  EXPECT_EQ(S.SubtitleSize, 105);
  Item(L"DecreaseFontSizeMenu").Click();
  Item(L"DecreaseFontSizeMenu").Click();
  EXPECT_EQ(S.SubtitleSize, 95);
  Item(L"MoveSubtitleUpMenu").Click();
  EXPECT_EQ(S.AverageVerticalDisplayZone, 16);
  Item(L"MoveSubtitleDownMenu").Click();
  Item(L"MoveSubtitleDownMenu").Click();
  EXPECT_EQ(S.AverageVerticalDisplayZone, 14);
  // Without a subtitle the toggle and the shifts do nothing.
  Item(L"DisableSubtitleMenu").Click();
  Item(L"DecreaseTimeMenu").Click();
  Item(L"IncreaseTimeMenu").Click();
  EXPECT_TRUE(form->SubtitlesShown);
  EXPECT_TRUE(rooms.Calls.empty());
  EXPECT_EQ(rooms.Osd, (std::vector<std::wstring>{L"Subtitle size: 105%", L"Subtitle size: 100%",
                                                   L"Subtitle size: 95%", L"Subtitle vertical position: 16%",
                                                   L"Subtitle vertical position: 15%",
                                                   L"Subtitle vertical position: 14%"}));
}

TEST_F(MainMenu, WindowAndDialogItemsAreTheMainWindowsOwn) {
  TForm List(L"TLcTestPlaylist"), Eq(L"TLcTestEqualizer"), Colour(L"TLcTestColour");
  List.SetBounds(600, 100, 100, 50);
  Eq.SetBounds(600, 200, 100, 50);
  Colour.SetBounds(600, 300, 100, 50);
  form->Satellites = {nullptr, &List, &Eq, &Colour};
  Item(L"PlaylistMenu").Click();
  Item(L"EqualizerMenu").Click();
  Item(L"ColorControlMenu").Click();
  EXPECT_TRUE(List.Showing());
  EXPECT_TRUE(Eq.Showing());
  EXPECT_TRUE(Colour.Showing());
  int Dialogs = 0;
  auto Count = [&]() -> std::unique_ptr<TForm> {
    ++Dialogs;
    return nullptr;
  };
  form->Dialogs.Config.Create = Count;
  form->Dialogs.About.Create = Count;
  form->Dialogs.Keyboard.Create = Count;
  Item(L"ConfigurationMenu").Click();
  Item(L"AboutMenu").Click();
  Item(L"KeyboardDefinitionsMenu").Click();
  EXPECT_EQ(Dialogs, 3);
  // Jump needs a loaded movie in a showing video window.
  form->Dialogs.Jump.Create = Count;
  Item(L"JumpToTimeMenu").Click();
  rooms.Active = true;
  form->Satellites.VideoWindow = &Colour;
  Item(L"JumpToTimeMenu").Click();
  EXPECT_EQ(Dialogs, 4);
  EXPECT_TRUE(rooms.Calls.empty());
  List.Hide();
  Eq.Hide();
  Colour.Hide();
  form->Satellites = {};
}

TEST_F(MainMenu, RecentFilesShowOnlyTheUsedPlaces) {
  auto& Recent = Program().Settings.RecentFiles;
  Recent = {"C:\\m\\a.avi", "", "D:\\b.mkv", "", ""};
  form->PopupMenuMainPopup();
  EXPECT_TRUE(Item(L"N11").Visible);
  EXPECT_EQ(Item(L"N11").Caption, L"C:\\m\\a.avi");
  EXPECT_FALSE(Item(L"N21").Visible);
  EXPECT_TRUE(Item(L"N31").Visible);
  EXPECT_EQ(Item(L"N31").Caption, L"D:\\b.mkv");
  EXPECT_FALSE(Item(L"N51").Visible);
  EXPECT_TRUE(Item(L"Separator").Visible);
  EXPECT_TRUE(Item(L"ClearHistoryMenu").Visible);
  Recent = {};
  form->PopupMenuMainPopup();
  for (const wchar_t* Name : {L"N11", L"N31", L"Separator", L"ClearHistoryMenu"}) EXPECT_FALSE(Item(Name).Visible) << Name;
}

TEST_F(MainMenu, SendWindowToListsTheMonitorsOnlyForAShowingVideoOnDifferingMonitors) {
  TForm Video(L"TLcTestVideo");
  Video.SetBounds(100, 100, 200, 150);
  form->Satellites.VideoWindow = &Video;
  Program().MonitorsDiffer = true;
  form->PopupMenuMainPopup();
  EXPECT_FALSE(Item(L"SendWindowToMenu").Visible) << "the video window is hidden";
  Video.Show();
  form->PopupMenuMainPopup();
  TMenuItem& SendTo = Item(L"SendWindowToMenu");
  EXPECT_TRUE(SendTo.Visible);
  ASSERT_EQ(SendTo.Count(), Screen.MonitorCount());
  EXPECT_EQ(SendTo.Items(0)->Name, L"Monitor1");
  EXPECT_EQ(SendTo.Items(0)->Caption, L"Monitor 1");
  EXPECT_FALSE(SendTo.Items(0)->Enabled) << "the video's own monitor";
  SendTo.Items(0)->Click();
  EXPECT_EQ(rooms.Calls, (std::vector<lc::testing::RecordingCommands::Call>{{Cmd::MonitorClick, 1}}));
  // Built anew at each opening.
  form->PopupMenuMainPopup();
  EXPECT_EQ(Item(L"SendWindowToMenu").Count(), Screen.MonitorCount());
  Program().MonitorsDiffer = false;
  form->PopupMenuMainPopup();
  EXPECT_FALSE(Item(L"SendWindowToMenu").Visible);
  Video.Hide();
  form->Satellites.VideoWindow = nullptr;
}

TEST_F(MainMenu, ChecksFollowTheSettingsAndTheirCommands) {
  Program().Settings.DynamicAmplification = true;
  form->SettingsIntoFace();
  form->Show();
  EXPECT_TRUE(Item(L"DynamicAmplificationMenu").Checked());
  EXPECT_TRUE(form->FlatMenu.Active());
  Item(L"DynamicAmplificationMenu").Click();
  EXPECT_FALSE(Item(L"DynamicAmplificationMenu").Checked());
  EXPECT_FALSE(Program().Settings.DynamicAmplification);
  EXPECT_FALSE(rooms.Amplify);
  Item(L"TurnOffComputerMenu").Click();
  EXPECT_TRUE(Item(L"TurnOffComputerMenu").Checked());
  EXPECT_TRUE(form->TurnOffComputerAfterPlay);
  form->Hide();
}

TEST_F(MainMenu, TheDisplayModesFillTheResolutionMenuOnce) {
  form->PopupMenuMainPopup();
  TMenuItem& Modes = Item(L"ChangeResolutionMenu");
  ASSERT_GT(Modes.Count(), 0);
  const int Count = Modes.Count();
  TMenuItem* First = Modes.Items(0);
  TMenuItem* Pick = First->Count() > 0 ? First->Items(0) : First;
  EXPECT_EQ(Pick->Name.rfind(L"M", 0), 0u) << "named after its mode";
  Pick->Click();
  EXPECT_EQ(rooms.Resolution, WideToUtf8(Pick->Name));
  form->PopupMenuMainPopup();
  EXPECT_EQ(Modes.Count(), Count);
}

TEST_F(MainMenu, ThePictureStateShowsAsTheMenuOpens) {
  form->AlwaysOnTopChecked = true;
  form->MovieModeChecked = true;
  form->AspectChecked = lc::AspectChoice::Wide169;
  form->PanScanMenuVisible = true;
  form->WindowSizeMenuVisible = false;
  form->PopupMenuMainPopup();
  EXPECT_TRUE(Item(L"AlwaysOnTopMenu").Checked());
  EXPECT_TRUE(Item(L"MovieModeMenu").Checked());
  EXPECT_TRUE(Item(L"N169RatioMenu").Checked());
  for (const wchar_t* Other : {L"OriginalRatioMenu", L"N43RatioMenu", L"N11RatioMenu", L"FreeRatioMenu",
                               L"CustomRatioMenu"})
    EXPECT_FALSE(Item(Other).Checked()) << Other;
  EXPECT_TRUE(Item(L"PanScanMenu").Visible);
  EXPECT_FALSE(Item(L"WindowSizeMenu").Visible);

  // Back in a window with the free ratio and nothing ticked.
  form->AlwaysOnTopChecked = false;
  form->MovieModeChecked = false;
  form->AspectChecked = lc::AspectChoice::Free;
  form->PanScanMenuVisible = false;
  form->WindowSizeMenuVisible = true;
  form->PopupMenuMainPopup();
  EXPECT_FALSE(Item(L"AlwaysOnTopMenu").Checked());
  EXPECT_FALSE(Item(L"MovieModeMenu").Checked());
  EXPECT_FALSE(Item(L"N169RatioMenu").Checked());
  EXPECT_TRUE(Item(L"FreeRatioMenu").Checked());
  EXPECT_FALSE(Item(L"PanScanMenu").Visible);
  EXPECT_TRUE(Item(L"WindowSizeMenu").Visible);

  // A ratio of the custom dialog ticks its entry alone.
  form->AspectChecked = lc::AspectChoice::Custom;
  form->PopupMenuMainPopup();
  EXPECT_TRUE(Item(L"CustomRatioMenu").Checked());
  for (const wchar_t* Other : {L"OriginalRatioMenu", L"N169RatioMenu", L"N43RatioMenu", L"N11RatioMenu",
                               L"FreeRatioMenu"})
    EXPECT_FALSE(Item(Other).Checked()) << Other;
}

}  // namespace
