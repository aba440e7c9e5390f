#include <gtest/gtest.h>

#include <algorithm>

#include "settings/text_apply.h"
#include "settings/text_table.h"
#include "settings/value_parse.h"

namespace lc::settings {
namespace {

TextTable English() {
  TextTable t;
  SetDefaultTexts(t);
  return t;
}

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t hit; (hit = text.find("\r\n", start)) != std::string::npos; start = hit + 2) {
    lines.push_back(text.substr(start, hit - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

TEST(TextTable, HoldsTheBuiltInTexts) {
  TextTable t = English();
  std::size_t count = 0;
  for (const TextSection& s : TextSectionOrder(t)) {
    count += s.entries.size();
    for (const std::string& text : s.entries) {
      EXPECT_FALSE(text.empty()) << s.name;
      EXPECT_LE(text.size(), s.maxLength) << s.name;
    }
  }
  EXPECT_EQ(count, kTextCount);
  EXPECT_EQ(t.TextMessages[3], "Can't open");
  EXPECT_EQ(t.TextMessages[65], "Can't save the configuration !\r\nPlease remove the write protection...");
  EXPECT_EQ(t.TextMessages[9].back(), '.');
  EXPECT_EQ(t.TextMenus[0], "Open movie(s)...\t\t");
  EXPECT_EQ(NoChangeText(t), "No change");
  EXPECT_EQ(t.TextFilters[3], "Lumacraft playlist file");
  EXPECT_EQ(t.TextCaptions[14], "Choose subtitle font");
}

TEST(TextTable, OptionListsHaveTheirItemCounts) {
  const TextTable t = English();
  const int items[12] = {1, 11, 7, 4, 6, 1, 1, 4, 1, 1, 1, 1};
  for (int i = 0; i < 12; ++i) {
    EXPECT_EQ(std::count(t.TextOptionLists[i].begin(), t.TextOptionLists[i].end(), '\r') + 1, items[i])
        << "entry " << i;
    EXPECT_EQ(t.TextOptionLists[i].find('\n'), std::string::npos);
  }
}

TEST(TextTable, MessagePiecesCarryNoOuterBlanks) {
  const TextTable t = English();
  for (const std::string& m : t.TextMessages) {
    EXPECT_NE(m.front(), ' ') << m;
    EXPECT_NE(m.back(), ' ') << m;
  }
}

TEST(TextTable, KeyHelpLayout) {
  const std::vector<std::string> lines = SplitCrLf(English().TextKeyHelp);
  ASSERT_EQ(lines.size(), 69u);
  EXPECT_EQ(lines[0], "Action\t\t\t\tKey");
  EXPECT_EQ(lines[1], std::string(110, '-'));
  EXPECT_EQ(lines[2], "About\t\t\t\tCtrl+F1");
  EXPECT_EQ(lines[53], "Set movie window size to 50%\t1");
  EXPECT_EQ(lines[68], "Zoom cycle\t\t\tEnter");
}

// Every line of the built-in key list: the action, its TABs, the keys.
TEST(TextTable, KeyHelpLines) {
  const std::vector<std::string> expected = {
      "Action\t\t\t\tKey",
      std::string(110, '-'),
      "About\t\t\t\tCtrl+F1",
      "Activate Bookmark\t\t\tAlt+[1..9]",
      "Activate playlist\t\t\tAlt+P",
      "Add Bookmark\t\t\tAlt+I",
      "Add folder to playlist\t\tShift+L",
      "Always on Top\t\t\tT",
      "Aspect ratio\t\t\tCtrl+[1..5,], A",
      "Automatic PanScan\t\t*, Num *",
      "Capture frame\t\t\tAlt+C",
      "Change subtitle font\t\tCtrl+F",
      "Center picture\t\t\tShift+H, Num 5",
      "Clear Bookmarks\t\t\tShift+C",
      "Close movie\t\t\tCtrl+F4",
      "Close player\t\t\tAlt+F4, Alt+X",
      "Color control\t\t\tCtrl+C",
      "Configuration\t\t\tCtrl+P",
      "Decrease subtitle size\t\tCtrl+Down",
      "Exit color control\t\t\tEsc",
      "Exit equalizer\t\t\tEsc",
      "Exit fullscreen\t\t\tEsc",
      "Exit playlist\t\t\tEsc",
      "Fast Forward/Rewind\t\tCtrl+Left/Right, Ctrl+,/.",
      "Forward/Rewind\t\t\t,/. Left/Right",
      "Fullscreen Switch\t\t\tF, Alt+Enter, DblClick, Scroll Click",
      "Goto end\t\t\t\tEnd",
      "Goto start\t\t\tHome",
      "Increase subtitle size\t\tCtrl+Up",
      "Load subtitle\t\t\tCtrl+L",
      "Minimize\t\t\t\tCtrl+M",
      "Move element in playlist\t\tAlt+Up/Down",
      "Move picture down\t\t\tShift+N, Num 2",
      "Move picture left\t\t\tShift+G, Num 4",
      "Move picture right\t\t\tShift+J, Num 6",
      "Move picture up\t\t\tShift+Y, Num 8",
      "Move subtitle down\t\t\tShift+Down",
      "Move subtitle up\t\t\tShift+Up",
      "Movie Mode\t\t\tM",
      "Mute\t\t\t\tAlt+M",
      "Next\t\t\t\tB",
      "Open movie\t\t\tCtrl+O",
      "Pan in\t\t\t\t+, Num +",
      "Pan out\t\t\t\t-, Num -",
      "PanScan\t\t\t\tP",
      "PanScan off\t\t\t0, Num 0",
      "Pause\t\t\t\tC",
      "Play\t\t\t\tX",
      "Preamplification +/+\t\tAlt+Up/Down",
      "Previous\t\t\t\tZ",
      "Quick time/frame info\t\tQ",
      "Repeat on/off\t\t\tR",
      "Resize movie window\t\tScroll, +/-, Num +/-",
      "Set movie window size to 50%\t1",
      "Set movie window size to 100%\t2",
      "Set movie window size to 200%\t3",
      "Show/Hide equalizer\t\tE, Alt+G",
      "Show/Hide main window\t\tH, F12",
      "Show/Hide playlist\t\t\tAlt+E, F10",
      "Show/Hide system time\t\tI",
      "Stop\t\t\t\tV",
      "Subtitle time correction\t\tAlt+Left/Right. Alt+,/. ][",
      "Subtitles On/Off\t\t\tS",
      "Switch Play/Pause\t\t\tSpace",
      "Switch between time/frames\t\t/",
      "Turn off computer after play\t\tCtrl+T",
      "Video info\t\t\tF6",
      "Volume up/down\t\t\tUp/Down, scroll (fullscreen)",
      "Zoom cycle\t\t\tEnter",
  };
  EXPECT_EQ(SplitCrLf(English().TextKeyHelp), expected);
}

TEST(TextApply, FileDialogFilters) {
  const TextTable t = English();
  EXPECT_EQ(SubtitleDialogFilter(t), "Subtitle files|*.sub;*.srt;*.txt;*.ssa|All files|*.*");
  EXPECT_EQ(MovieDialogFilter(t, {"avi", "mkv"}), "Video files|*.avi;*.mkv;*.lpl|All files|*.*");
  EXPECT_EQ(PlaylistAddFilter(t, {"avi", "mkv"}), "Video files|*.avi;*.mkv;|All files|*.*");
  EXPECT_EQ(PlaylistFileFilter(t), "Lumacraft playlist file (*.lpl)|*.lpl|All files|*.*");
  EXPECT_EQ(MovieDialogFilter(t, {}), "All files|*.*");
  EXPECT_EQ(PlaylistAddFilter(t, {}), "All files|*.*");
  // Extensions that could break the pattern list are left out.
  EXPECT_EQ(MovieDialogFilter(t, {"avi", "", "a|b", "x;y"}), "Video files|*.avi;*.lpl|All files|*.*");
  EXPECT_EQ(PlaylistAddFilter(t, {"", "*"}), "All files|*.*");
}

TEST(TextApply, MenuCaptionsTakeKeyNamesFromTheTable) {
  TextTable t = English();
  t.TextMenus[64] = "Links";
  const auto captions = MainMenuCaptions(t);
  EXPECT_EQ(captions.size(), 59u);
  auto find = [&](const std::string& item) {
    for (const MenuCaption& c : captions) {
      if (item == c.item) return c.caption;
    }
    return std::string("<missing>");
  };
  EXPECT_EQ(find("OpenMovieMenu"), "Open movie(s)...\t\tCtrl+O");
  EXPECT_EQ(find("FastRewindMenu"), "Fast rewind\t\t\tCtrl+Links");
  EXPECT_EQ(find("VolumeDownMenu"), "Volume down\t\tDown");
  EXPECT_EQ(find("MoveSubtitleUpMenu"), "Move up\t\t\tShift+Up");
  EXPECT_EQ(find("SendWindowToMenu"), "Send window to");
  EXPECT_EQ(find("CaptureFrameMenu"), "Capture frame\t\t\tAlt+C");
  EXPECT_EQ(find("PlaylistMenu"), "Playlist\t\t\t\tF10");
  EXPECT_EQ(find("DecreaseTimeMenu"), "Decrease time (0.5 sec)\t\tAlt+Links");
  EXPECT_EQ(find("IncreaseTimeMenu"), "Increase time (0.5 sec)\t\tAlt+Right");
  EXPECT_EQ(find("ExitMenu"), "Exit");
  // A translated caption without a TAB keeps its shortcut apart.
  t.TextMenus[5] = "Lecture";
  t.TextMenus[4] = "Controle";
  for (const MenuCaption& c : MainMenuCaptions(t)) {
    if (std::string(c.item) == "PlayMenu") {
      EXPECT_EQ(c.caption, "Lecture\tX");
    }
    if (std::string(c.item) == "PlayControlMenu") {
      EXPECT_EQ(c.caption, "Controle");
    }
  }
  const auto playlist = PlaylistMenuCaptions(t);
  ASSERT_EQ(playlist.size(), 8u);
  EXPECT_EQ(playlist[7].caption, "Add subtitle");
}

// The whole popup menu in the built-in texts, item by item in menu order.
TEST(TextApply, BuiltInMenuCaptions) {
  const struct {
    const char* item;
    const char* caption;
  } expected[] = {
      {"OpenMovieMenu", "Open movie(s)...\t\tCtrl+O"},
      {"LoadSubtitleMenu", "Load subtitle...\t\t\tCtrl+L"},
      {"RecentFilesMenu", "Recent files"},
      {"ClearHistoryMenu", "Clear history"},
      {"PlayControlMenu", "Play control"},
      {"PlayMenu", "Play\t\t\t\tX"},
      {"StopMenu", "Stop\t\t\t\tV"},
      {"PauseMenu", "Pause\t\t\t\tC"},
      {"RewindMenu", "Rewind\t\t\t\tLeft"},
      {"ForwardMenu", "Forward\t\t\tRight"},
      {"FastRewindMenu", "Fast rewind\t\t\tCtrl+Left"},
      {"FastForwardMenu", "Fast forward\t\t\tCtrl+Right"},
      {"JumpToTimeMenu", "Jump to time\t\t\tCtrl+J"},
      {"BookmarksMenu", "Bookmarks"},
      {"AddBookmarkMenu", "Add bookmark\t\t\tAlt+I"},
      {"ClearBookmarksMenu", "Clear bookmarks\t\tShift+C"},
      {"VideoMenu", "Video"},
      {"ChangeResolutionMenu", "Change resolution"},
      {"FullScreenMenu", "Fullscreen\t\tF"},
      {"ColorControlMenu", "Color control...\t\tCtrl+C"},
      {"MovieModeMenu", "Movie mode\t\tM"},
      {"AspectRatioMenu", "Aspect Ratio"},
      {"OriginalRatioMenu", "Original\t\tCtrl+1"},
      {"N169RatioMenu", "16:9\t\tCtrl+2"},
      {"N43RatioMenu", "4:3\t\tCtrl+3"},
      {"N11RatioMenu", "1:1\t\tCtrl+4"},
      {"FreeRatioMenu", "Free\t\tCtrl+5"},
      {"CustomRatioMenu", "Custom\t\tA"},
      {"PanScanMenu", "Pan scan (fullscreen only)"},
      {"PanInMenu", "Pan in\t\t+"},
      {"PanOutMenu", "Pan out\t-"},
      {"AutomaticMenu", "Automatic\t*"},
      {"CustomPanScanMenu", "Custom\t\tP"},
      {"WindowSizeMenu", "Window Size"},
      {"SendWindowToMenu", "Send window to"},
      {"AudioMenu", "Audio"},
      {"VolumeUpMenu", "Volume up\t\tUp"},
      {"VolumeDownMenu", "Volume down\t\tDown"},
      {"EqualizerMenu", "Equalizer\t\tE"},
      {"SubtitleMenu", "Subtitle"},
      {"FontMenu", "Font\t\t\t\tCtrl+F"},
      {"DisableSubtitleMenu", "Disable subtitle\t\t\tS"},
      {"DecreaseTimeMenu", "Decrease time (0.5 sec)\t\tAlt+Left"},
      {"IncreaseTimeMenu", "Increase time (0.5 sec)\t\tAlt+Right"},
      {"MoveSubtitleUpMenu", "Move up\t\t\tShift+Up"},
      {"MoveSubtitleDownMenu", "Move down\t\t\tShift+Down"},
      {"IncreaseFontSizeMenu", "Increase size (5%)\t\tCtrl+Up"},
      {"DecreaseFontSizeMenu", "Decrease size (5%)\t\tCtrl+Down"},
      {"AdvancedMenu", "Advanced"},
      {"FiltersMenu", "Filters"},
      {"ConfigurationMenu", "Configuration...\t\tCtrl+P"},
      {"KeyboardDefinitionsMenu", "Key definitions...\t\tF1"},
      {"PlaylistMenu", "Playlist\t\t\t\tF10"},
      {"AlwaysOnTopMenu", "Always on Top\t\t\tT"},
      {"AboutMenu", "About...\t\t\tCtrl+F1"},
      {"TurnOffComputerMenu", "Turn off computer after play\tCtrl+T"},
      {"ExitMenu", "Exit"},
      {"DynamicAmplificationMenu", "Dynamic amplification"},
      {"CaptureFrameMenu", "Capture frame\t\t\tAlt+C"},
  };
  const std::vector<MenuCaption> captions = MainMenuCaptions(English());
  ASSERT_EQ(captions.size(), std::size(expected));
  for (std::size_t i = 0; i < captions.size(); ++i) {
    EXPECT_STREQ(captions[i].item, expected[i].item) << i;
    EXPECT_EQ(captions[i].caption, expected[i].caption) << expected[i].item;
  }
}

}  // namespace
}  // namespace lc::settings
