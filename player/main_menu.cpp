// The main window's popup menu: built once from a table of items (name,
// caption, command, shortcut text), its captions taken from the text table
// and its changing parts (recent files, the monitors, the display modes)
// brought up to date each time it opens.
#include <span>
#include <utility>

#include "kit/window_drag.h"
#include "player/display_modes.h"
#include "player/display_platform.h"
#include "player/main_form.h"
#include "settings/program_state.h"
#include "settings/text_table.h"
#include "settings/win/settings_win.h"

using lc::Cmd;
using lc::settings::Utf8ToWide;

namespace {

// No text of the text table: the literal caption is used.
constexpr int kLiteral = -1;

struct MenuRow {
  const wchar_t* Parent;  // L"" for the top level
  const wchar_t* Name;
  int Text;               // index into TextMenus, or kLiteral
  const wchar_t* Caption; // the literal caption, or the shortcut text
  Cmd Command;
  int Arg;
};

// In menu order; separators have the caption "-".
constexpr MenuRow kMenu[] = {
    {L"", L"OpenMovieMenu", 0, L"Ctrl+O", Cmd::BtnOpenMovieClick, 0},
    {L"", L"LoadSubtitleMenu", 1, L"Ctrl+L", Cmd::BtnOpenSubtitleClick, 0},
    {L"", L"RecentFilesMenu", 2, L"", Cmd::None, 0},
    {L"RecentFilesMenu", L"N11", kLiteral, L"1", Cmd::RecentClick, 1},
    {L"RecentFilesMenu", L"N21", kLiteral, L"2", Cmd::RecentClick, 2},
    {L"RecentFilesMenu", L"N31", kLiteral, L"3", Cmd::RecentClick, 3},
    {L"RecentFilesMenu", L"N41", kLiteral, L"4", Cmd::RecentClick, 4},
    {L"RecentFilesMenu", L"N51", kLiteral, L"5", Cmd::RecentClick, 5},
    {L"RecentFilesMenu", L"Separator", kLiteral, L"-", Cmd::None, 0},
    {L"RecentFilesMenu", L"ClearHistoryMenu", 3, L"", Cmd::ClearHistoryMenuClick, 0},
    {L"", L"N1", kLiteral, L"-", Cmd::None, 0},
    {L"", L"PlayControlMenu", 4, L"", Cmd::None, 0},
    {L"PlayControlMenu", L"PlayMenu", 5, L"X", Cmd::BtnPlayClick, 0},
    {L"PlayControlMenu", L"StopMenu", 6, L"V", Cmd::BtnStopClick, 0},
    {L"PlayControlMenu", L"PauseMenu", 7, L"C", Cmd::BtnPauseClick, 0},
    {L"PlayControlMenu", L"RewindMenu", 8, L"Left", Cmd::BtnRewindClick, 0},
    {L"PlayControlMenu", L"ForwardMenu", 9, L"Right", Cmd::BtnForwardClick, 0},
    {L"PlayControlMenu", L"FastRewindMenu", 10, L"Ctrl+Left", Cmd::FastRewindClick, 0},
    {L"PlayControlMenu", L"FastForwardMenu", 11, L"Ctrl+Right", Cmd::FastForwardClick, 0},
    {L"PlayControlMenu", L"JumpToTimeMenu", 12, L"Ctrl+J", Cmd::JumpToTimeMenuClick, 0},
    {L"", L"BookmarksMenu", 13, L"", Cmd::None, 0},
    {L"BookmarksMenu", L"AddBookmarkMenu", 14, L"Alt+I", Cmd::AddBookmarkMenuClick, 0},
    {L"BookmarksMenu", L"ClearBookmarksMenu", 15, L"Shift+C", Cmd::ClearBookmarksMenuClick, 0},
    {L"", L"VideoMenu", 16, L"", Cmd::None, 0},
    {L"VideoMenu", L"ChangeResolutionMenu", 17, L"", Cmd::None, 0},
    {L"VideoMenu", L"FullScreenMenu", 18, L"F", Cmd::BtnFullScreenClick, 0},
    {L"VideoMenu", L"ColorControlMenu", 19, L"Ctrl+C", Cmd::ColorControlMenuClick, 0},
    {L"VideoMenu", L"MovieModeMenu", 20, L"M", Cmd::MovieModeMenuClick, 0},
    {L"VideoMenu", L"AspectRatioMenu", 21, L"", Cmd::None, 0},
    {L"AspectRatioMenu", L"OriginalRatioMenu", 22, L"Ctrl+1", Cmd::OriginalRatioMenuClick, 0},
    {L"AspectRatioMenu", L"N169RatioMenu", 23, L"Ctrl+2", Cmd::N169RatioMenuClick, 0},
    {L"AspectRatioMenu", L"N43RatioMenu", 24, L"Ctrl+3", Cmd::N43RatioMenuClick, 0},
    {L"AspectRatioMenu", L"N11RatioMenu", 25, L"Ctrl+4", Cmd::N11RatioMenuClick, 0},
    {L"AspectRatioMenu", L"FreeRatioMenu", 26, L"Ctrl+5", Cmd::FreeRatioMenuClick, 0},
    {L"AspectRatioMenu", L"CustomRatioMenu", 27, L"A", Cmd::CustomRatioMenuClick, 0},
    {L"VideoMenu", L"PanScanMenu", 28, L"", Cmd::None, 0},
    {L"PanScanMenu", L"PanInMenu", 29, L"+", Cmd::PanInMenuClick, 0},
    {L"PanScanMenu", L"PanOutMenu", 30, L"-", Cmd::PanOutMenuClick, 0},
    {L"PanScanMenu", L"AutomaticMenu", 31, L"*", Cmd::AutomaticMenuClick, 0},
    {L"PanScanMenu", L"CustomPanScanMenu", 32, L"P", Cmd::CustomPanScanMenuClick, 0},
    {L"VideoMenu", L"WindowSizeMenu", 33, L"", Cmd::None, 0},
    {L"WindowSizeMenu", L"N50Menu", kLiteral, L"50%\t\t1", Cmd::N50MenuClick, 0},
    {L"WindowSizeMenu", L"N100Menu", kLiteral, L"100%\t\t2", Cmd::N100MenuClick, 0},
    {L"WindowSizeMenu", L"N200Menu", kLiteral, L"200%\t\t3", Cmd::N200MenuClick, 0},
    {L"VideoMenu", L"CaptureFrameMenu", 71, L"Alt+C", Cmd::CaptureFrameMenuClick, 0},
    {L"VideoMenu", L"SendWindowToMenu", 69, L"", Cmd::None, 0},
    {L"", L"AudioMenu", 34, L"", Cmd::None, 0},
    {L"AudioMenu", L"VolumeUpMenu", 35, L"Up", Cmd::BtnVolUpClick, 0},
    {L"AudioMenu", L"VolumeDownMenu", 36, L"Down", Cmd::BtnVolDownClick, 0},
    {L"AudioMenu", L"EqualizerMenu", 37, L"E", Cmd::EqualizerMenuClick, 0},
    {L"AudioMenu", L"DynamicAmplificationMenu", 68, L"", Cmd::DynamicAmplificationMenuClick, 0},
    {L"", L"SubtitleMenu", 38, L"", Cmd::None, 0},
    {L"SubtitleMenu", L"FontMenu", 39, L"Ctrl+F", Cmd::FontMenuClick, 0},
    {L"SubtitleMenu", L"DisableSubtitleMenu", 40, L"S", Cmd::DisableSubtitleMenuClick, 0},
    {L"SubtitleMenu", L"DecreaseTimeMenu", 41, L"[", Cmd::DecreaseTimeMenuClick, 0},
    {L"SubtitleMenu", L"IncreaseTimeMenu", 42, L"]", Cmd::IncreaseTimeMenuClick, 0},
    {L"SubtitleMenu", L"MoveSubtitleUpMenu", 43, L"Shift+Up", Cmd::MoveSubtitleUpMenuClick, 0},
    {L"SubtitleMenu", L"MoveSubtitleDownMenu", 44, L"Shift+Down", Cmd::MoveSubtitleDownMenuClick, 0},
    {L"SubtitleMenu", L"IncreaseFontSizeMenu", 45, L"Ctrl+Up", Cmd::IncreaseFontSizeMenuClick, 0},
    {L"SubtitleMenu", L"DecreaseFontSizeMenu", 46, L"Ctrl+Down", Cmd::DecreaseFontSizeMenuClick, 0},
    {L"", L"AdvancedMenu", 47, L"", Cmd::None, 0},
    {L"AdvancedMenu", L"FiltersMenu", 48, L"", Cmd::None, 0},
    {L"", L"N2", kLiteral, L"-", Cmd::None, 0},
    {L"", L"ConfigurationMenu", 49, L"Ctrl+P", Cmd::BtnOptionsClick, 0},
    {L"", L"KeyboardDefinitionsMenu", 50, L"F1", Cmd::KeyDefinitionsClick, 0},
    {L"", L"PlaylistMenu", 51, L"Alt+E", Cmd::PlaylistMenuClick, 0},
    {L"", L"AlwaysOnTopMenu", 52, L"T", Cmd::AlwaysOnTopMenuClick, 0},
    {L"", L"N3", kLiteral, L"-", Cmd::None, 0},
    {L"", L"AboutMenu", 53, L"Ctrl+F1", Cmd::AboutMenuClick, 0},
    {L"", L"TurnOffComputerMenu", 54, L"Ctrl+T", Cmd::TurnOffComputerMenuClick, 0},
    {L"", L"N4", kLiteral, L"-", Cmd::None, 0},
    {L"", L"ExitMenu", 55, L"Alt+X", Cmd::CloseMainWindow, 0},
};

// The caption of a row in the present language.
std::wstring CaptionOf(const MenuRow& Row) {
  if (Row.Text == kLiteral) return Row.Caption;
  std::wstring Text = Utf8ToWide(lc::settings::GlobalTextTable().TextMenus[Row.Text]);
  // The shortcut text stands after a tab.
  if (*Row.Caption && Text.find(L'\t') == std::wstring::npos) Text += L'\t';
  return Text + Row.Caption;
}

TMenuItem* FindIn(const TMenuItem& Root, const std::wstring& Name) {
  for (int I = 0; I < Root.Count(); ++I) {
    TMenuItem* Item = Root.Items(I);
    if (Item->Name == Name) return Item;
    if (TMenuItem* Found = FindIn(*Item, Name)) return Found;
  }
  return nullptr;
}

}  // namespace

void TfrmMain::CreatePopupMenu() {
  for (const MenuRow& Row : kMenu) {
    TMenuItem* Parent = *Row.Parent ? MenuItem(Row.Parent) : &PopupMenuMain.Items;
    TNotifyEvent Click;
    if (Row.Command != Cmd::None) {
      const Cmd Command = Row.Command;
      const int Arg = Row.Arg;
      Click = [this, Command, Arg](TComponent*) { RunCommand(Command, Arg); };
    }
    Parent->Add(CaptionOf(Row), Click, Row.Name);
  }
  // Enabled when a graph's filters are listed.
  MenuItem(L"FiltersMenu")->Enabled = false;
  PopupMenuMain.Painter = &FlatMenu;
  PopupMenuMain.OnPopup = [this](TComponent*) { PopupMenuMainPopup(); };
  PopupMenu = &PopupMenuMain;
}

TMenuItem* TfrmMain::MenuItem(const std::wstring& Name) const { return FindIn(PopupMenuMain.Items, Name); }

void TfrmMain::RefreshMenuCaptions() {
  for (const MenuRow& Row : kMenu)
    if (Row.Text != kLiteral) MenuItem(Row.Name)->Caption = CaptionOf(Row);
}

void TfrmMain::PopupMenuMainPopup() {
  RefreshMenuCaptions();
  ShowPictureState();
  FillRecentFiles();
  FillSendWindowTo();
  if (MenuItem(L"ChangeResolutionMenu")->Count() == 0) FillResolutions();
  // The painter takes up the new items.
  FlatMenu.SetActive(false);
  FlatMenu.SetActive(true);
}

// The ticks and visibility that the picture and full-screen commands keep.
void TfrmMain::ShowPictureState() {
  MenuItem(L"AlwaysOnTopMenu")->SetChecked(AlwaysOnTopChecked);
  MenuItem(L"MovieModeMenu")->SetChecked(MovieModeChecked);
  constexpr std::pair<lc::AspectChoice, const wchar_t*> kAspectItems[] = {
      {lc::AspectChoice::Original, L"OriginalRatioMenu"}, {lc::AspectChoice::Wide169, L"N169RatioMenu"},
      {lc::AspectChoice::Standard43, L"N43RatioMenu"},    {lc::AspectChoice::Square11, L"N11RatioMenu"},
      {lc::AspectChoice::Free, L"FreeRatioMenu"},        {lc::AspectChoice::Custom, L"CustomRatioMenu"}};
  for (const auto& [Choice, Name] : kAspectItems) MenuItem(Name)->SetChecked(AspectChecked == Choice);
  MenuItem(L"PanScanMenu")->Visible = PanScanMenuVisible;
  MenuItem(L"WindowSizeMenu")->Visible = WindowSizeMenuVisible;
}

void TfrmMain::FillRecentFiles() {
  const auto& Recent = lc::Program().Settings.RecentFiles;
  bool Any = false;
  for (std::size_t I = 0; I < Recent.size(); ++I) {
    TMenuItem* Item = MenuItem(L"N" + std::to_wstring(I + 1) + L"1");
    Item->Visible = !Recent[I].empty();
    if (Item->Visible) Item->Caption = Utf8ToWide(Recent[I]);
    Any = Any || Item->Visible;
  }
  MenuItem(L"Separator")->Visible = Any;
  MenuItem(L"ClearHistoryMenu")->Visible = Any;
}

void TfrmMain::FillSendWindowTo() {
  TMenuItem* SendTo = MenuItem(L"SendWindowToMenu");
  TForm* Video = Satellites.VideoWindow;
  SendTo->Visible = Video && Video->Showing() && lc::Program().MonitorsDiffer;
  SendTo->Clear();
  const HMONITOR VideoMonitor = Video ? GetWindowMonitor(Video->Handle()).Handle : nullptr;
  const std::vector<TMonitor> Monitors = Screen.Monitors();
  const std::wstring Word = Utf8ToWide(lc::settings::GlobalTextTable().TextMenus[70]);
  for (std::size_t I = 0; I < Monitors.size() && I < 9; ++I) {
    const int Number = static_cast<int>(I) + 1;
    TMenuItem* Item = SendTo->Add(Word + L" " + std::to_wstring(Number),
                                  [this, Number](TComponent*) { RunCommand(Cmd::MonitorClick, Number); },
                                  L"Monitor" + std::to_wstring(Number));
    Item->Enabled = Monitors[I].Handle != VideoMonitor;
  }
}

// The display modes offered for full screen: a size at one refresh rate is
// one item, a size at several rates holds one item per rate.
void TfrmMain::FillResolutions() {
  TMenuItem* Menu = MenuItem(L"ChangeResolutionMenu");
  const lc::DisplayModeMenu Modes = lc::BuildDisplayModeMenu(lc::CollectDisplayModes());
  auto Switch = [this](const std::string& Name) {
    return [this, Name](TComponent*) { Commands().ChangeResolution(Name); };
  };
  for (const lc::ResolutionMenuItem& Size : Modes.items) {
    if (Size.refresh.empty()) {
      Menu->Add(Utf8ToWide(Size.caption), Switch(Size.name), Utf8ToWide(Size.name));
      continue;
    }
    TMenuItem* Rates = Menu->Add(Utf8ToWide(Size.caption));
    for (const lc::ResolutionMenuItem& Rate : Size.refresh)
      Rates->Add(Utf8ToWide(Rate.caption), Switch(Rate.name), Utf8ToWide(Rate.name));
  }
}
