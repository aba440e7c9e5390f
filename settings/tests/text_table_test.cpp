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

}  // namespace
}  // namespace lc::settings
