// The main window's popup menu: built once from a table of items (name,
// command, image), its captions and shortcut texts taken from the text
// table (the few items it has no text for keep a literal caption) and its
// changing parts (recent files, the monitors, the display modes)
// brought up to date each time it opens.
#include <map>
#include <utility>

#include "framework/image_list.h"
#include "framework/unicode.h"
#include "kit/menu_images.h"
#include "kit/window_drag.h"
#include "player/display_modes.h"
#include "player/display_platform.h"
#include "player/main_form.h"
#include "player/video_window.h"
#include "settings/program_state.h"
#include "settings/text_apply.h"
#include "settings/text_table.h"

using lc::Cmd;

namespace {

struct MenuRow {
  const wchar_t* Parent;   // L"" for the top level
  const wchar_t* Name;
  const wchar_t* Literal;  // the caption of an item the text table has no text for; nullptr for the others
  Cmd Command;
  int Arg;
  int Image;               // index into ImageList, -1 for none
};

constexpr int kNoImage = -1;

// In menu order; separators have the caption "-".
constexpr MenuRow kMenu[] = {
    {L"", L"OpenMovieMenu", nullptr, Cmd::BtnOpenMovieClick, 0, lc::miOpenMovie},
    {L"", L"LoadSubtitleMenu", nullptr, Cmd::BtnOpenSubtitleClick, 0, lc::miLoadSubtitle},
    {L"", L"RecentFilesMenu", nullptr, Cmd::None, 0, lc::miRecentFiles},
    {L"RecentFilesMenu", L"N11", L"1", Cmd::RecentClick, 1, kNoImage},
    {L"RecentFilesMenu", L"N21", L"2", Cmd::RecentClick, 2, kNoImage},
    {L"RecentFilesMenu", L"N31", L"3", Cmd::RecentClick, 3, kNoImage},
    {L"RecentFilesMenu", L"N41", L"4", Cmd::RecentClick, 4, kNoImage},
    {L"RecentFilesMenu", L"N51", L"5", Cmd::RecentClick, 5, kNoImage},
    {L"RecentFilesMenu", L"Separator", L"-", Cmd::None, 0, kNoImage},
    {L"RecentFilesMenu", L"ClearHistoryMenu", nullptr, Cmd::ClearHistoryMenuClick, 0, lc::miClearHistory},
    {L"", L"N1", L"-", Cmd::None, 0, kNoImage},
    {L"", L"PlayControlMenu", nullptr, Cmd::None, 0, lc::miPlayControl},
    {L"PlayControlMenu", L"PlayMenu", nullptr, Cmd::BtnPlayClick, 0, lc::miPlay},
    {L"PlayControlMenu", L"StopMenu", nullptr, Cmd::BtnStopClick, 0, lc::miStop},
    {L"PlayControlMenu", L"PauseMenu", nullptr, Cmd::BtnPauseClick, 0, lc::miPause},
    {L"PlayControlMenu", L"RewindMenu", nullptr, Cmd::BtnRewindClick, 0, lc::miRewind},
    {L"PlayControlMenu", L"ForwardMenu", nullptr, Cmd::BtnForwardClick, 0, lc::miForward},
    {L"PlayControlMenu", L"FastRewindMenu", nullptr, Cmd::FastRewindClick, 0, lc::miFastRewind},
    {L"PlayControlMenu", L"FastForwardMenu", nullptr, Cmd::FastForwardClick, 0, lc::miFastForward},
    {L"PlayControlMenu", L"JumpToTimeMenu", nullptr, Cmd::JumpToTimeMenuClick, 0, lc::miJumpToTime},
    {L"", L"BookmarksMenu", nullptr, Cmd::None, 0, lc::miBookmarks},
    {L"BookmarksMenu", L"AddBookmarkMenu", nullptr, Cmd::AddBookmarkMenuClick, 0, lc::miAddBookmark},
    {L"BookmarksMenu", L"ClearBookmarksMenu", nullptr, Cmd::ClearBookmarksMenuClick, 0, lc::miClearBookmarks},
    {L"", L"VideoMenu", nullptr, Cmd::None, 0, lc::miVideo},
    {L"VideoMenu", L"ChangeResolutionMenu", nullptr, Cmd::None, 0, lc::miChangeResolution},
    {L"VideoMenu", L"FullScreenMenu", nullptr, Cmd::BtnFullScreenClick, 0, lc::miFullScreen},
    {L"VideoMenu", L"ColorControlMenu", nullptr, Cmd::ColorControlMenuClick, 0, lc::miColorControl},
    {L"VideoMenu", L"MovieModeMenu", nullptr, Cmd::MovieModeMenuClick, 0, kNoImage},
    {L"VideoMenu", L"AspectRatioMenu", nullptr, Cmd::None, 0, lc::miAspectRatio},
    {L"AspectRatioMenu", L"OriginalRatioMenu", nullptr, Cmd::OriginalRatioMenuClick, 0, kNoImage},
    {L"AspectRatioMenu", L"N169RatioMenu", nullptr, Cmd::N169RatioMenuClick, 0, kNoImage},
    {L"AspectRatioMenu", L"N43RatioMenu", nullptr, Cmd::N43RatioMenuClick, 0, kNoImage},
    {L"AspectRatioMenu", L"N11RatioMenu", nullptr, Cmd::N11RatioMenuClick, 0, kNoImage},
    {L"AspectRatioMenu", L"FreeRatioMenu", nullptr, Cmd::FreeRatioMenuClick, 0, kNoImage},
    {L"AspectRatioMenu", L"CustomRatioMenu", nullptr, Cmd::CustomRatioMenuClick, 0, kNoImage},
    {L"VideoMenu", L"PanScanMenu", nullptr, Cmd::None, 0, kNoImage},
    {L"PanScanMenu", L"PanInMenu", nullptr, Cmd::PanInMenuClick, 0, kNoImage},
    {L"PanScanMenu", L"PanOutMenu", nullptr, Cmd::PanOutMenuClick, 0, kNoImage},
    {L"PanScanMenu", L"AutomaticMenu", nullptr, Cmd::AutomaticMenuClick, 0, kNoImage},
    {L"PanScanMenu", L"CustomPanScanMenu", nullptr, Cmd::CustomPanScanMenuClick, 0, kNoImage},
    {L"VideoMenu", L"WindowSizeMenu", nullptr, Cmd::None, 0, kNoImage},
    {L"WindowSizeMenu", L"N50Menu", L"50%\t\t1", Cmd::N50MenuClick, 0, kNoImage},
    {L"WindowSizeMenu", L"N100Menu", L"100%\t\t2", Cmd::N100MenuClick, 0, kNoImage},
    {L"WindowSizeMenu", L"N200Menu", L"200%\t\t3", Cmd::N200MenuClick, 0, kNoImage},
    {L"VideoMenu", L"CaptureFrameMenu", nullptr, Cmd::CaptureFrameMenuClick, 0, lc::miCaptureFrame},
    {L"VideoMenu", L"SendWindowToMenu", nullptr, Cmd::None, 0, kNoImage},
    {L"", L"AudioMenu", nullptr, Cmd::None, 0, lc::miAudio},
    {L"AudioMenu", L"VolumeUpMenu", nullptr, Cmd::BtnVolUpClick, 0, lc::miVolumeUp},
    {L"AudioMenu", L"VolumeDownMenu", nullptr, Cmd::BtnVolDownClick, 0, lc::miVolumeDown},
    {L"AudioMenu", L"EqualizerMenu", nullptr, Cmd::EqualizerMenuClick, 0, lc::miEqualizer},
    {L"AudioMenu", L"DynamicAmplificationMenu", nullptr, Cmd::DynamicAmplificationMenuClick, 0, kNoImage},
    {L"", L"SubtitleMenu", nullptr, Cmd::None, 0, lc::miSubtitleFont},
    {L"SubtitleMenu", L"FontMenu", nullptr, Cmd::FontMenuClick, 0, lc::miSubtitleFont},
    {L"SubtitleMenu", L"DisableSubtitleMenu", nullptr, Cmd::DisableSubtitleMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"DecreaseTimeMenu", nullptr, Cmd::DecreaseTimeMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"IncreaseTimeMenu", nullptr, Cmd::IncreaseTimeMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"MoveSubtitleUpMenu", nullptr, Cmd::MoveSubtitleUpMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"MoveSubtitleDownMenu", nullptr, Cmd::MoveSubtitleDownMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"IncreaseFontSizeMenu", nullptr, Cmd::IncreaseFontSizeMenuClick, 0, kNoImage},
    {L"SubtitleMenu", L"DecreaseFontSizeMenu", nullptr, Cmd::DecreaseFontSizeMenuClick, 0, kNoImage},
    {L"", L"AdvancedMenu", nullptr, Cmd::None, 0, kNoImage},
    {L"AdvancedMenu", L"FiltersMenu", nullptr, Cmd::None, 0, kNoImage},
    {L"", L"N2", L"-", Cmd::None, 0, kNoImage},
    {L"", L"ConfigurationMenu", nullptr, Cmd::BtnOptionsClick, 0, lc::miConfiguration},
    {L"", L"KeyboardDefinitionsMenu", nullptr, Cmd::KeyDefinitionsClick, 0, lc::miKeyDefinitions},
    {L"", L"PlaylistMenu", nullptr, Cmd::PlaylistMenuClick, 0, lc::miPlaylist},
    {L"", L"AlwaysOnTopMenu", nullptr, Cmd::AlwaysOnTopMenuClick, 0, kNoImage},
    {L"", L"N3", L"-", Cmd::None, 0, kNoImage},
    {L"", L"AboutMenu", nullptr, Cmd::AboutMenuClick, 0, lc::miAbout},
    {L"", L"TurnOffComputerMenu", nullptr, Cmd::TurnOffComputerMenuClick, 0, kNoImage},
    {L"", L"N4", L"-", Cmd::None, 0, kNoImage},
    {L"", L"ExitMenu", nullptr, Cmd::CloseMainWindow, 0, lc::miExit},
};

// The captions of the text table's items in the present language, by name.
std::map<std::wstring, std::wstring> TableCaptions() {
  std::map<std::wstring, std::wstring> Captions;
  for (const lc::settings::MenuCaption& C : lc::settings::MainMenuCaptions(lc::settings::GlobalTextTable()))
    Captions[Utf8ToWide(C.item)] = Utf8ToWide(C.caption);
  return Captions;
}

std::wstring CaptionOf(const MenuRow& Row, const std::map<std::wstring, std::wstring>& Captions) {
  if (Row.Literal) return Row.Literal;
  const auto Found = Captions.find(Row.Name);
  return Found == Captions.end() ? std::wstring() : Found->second;
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
  lc::LoadMenuImages(ImageList);
  PopupMenuMain.Images = &ImageList;
  const auto Captions = TableCaptions();
  for (const MenuRow& Row : kMenu) {
    TMenuItem* Parent = *Row.Parent ? MenuItem(Row.Parent) : &PopupMenuMain.Items;
    TNotifyEvent Click;
    if (Row.Command != Cmd::None) {
      const Cmd Command = Row.Command;
      const int Arg = Row.Arg;
      Click = [this, Command, Arg](TComponent*) { RunCommand(Command, Arg); };
    }
    TMenuItem* Item = Parent->Add(CaptionOf(Row, Captions), Click, Row.Name);
    Item->ImageIndex = Row.Image;
    // Every level shows the same images (the bookmarks and the run-time
    // items included).
    Item->SubMenuImages = &ImageList;
  }
  // Enabled when a graph's filters are listed.
  MenuItem(L"FiltersMenu")->Enabled = false;
  PopupMenuMain.Painter = &FlatMenu;
  PopupMenuMain.OnPopup = [this](TComponent*) { PopupMenuMainPopup(); };
  PopupMenu = &PopupMenuMain;
}

TMenuItem* TfrmMain::MenuItem(const std::wstring& Name) const { return FindIn(PopupMenuMain.Items, Name); }

void TfrmMain::RefreshMenuCaptions() {
  const auto Captions = TableCaptions();
  for (const MenuRow& Row : kMenu)
    if (!Row.Literal) MenuItem(Row.Name)->Caption = CaptionOf(Row, Captions);
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
  MenuItem(L"FullScreenMenu")->SetChecked(frmVideoWindow && frmVideoWindow->FullScreen);
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
