#include "settings/text_table.h"

namespace lc::settings {
namespace {

// The built-in English texts. \r\n ends a line inside a message, a lone \r
// separates the items of an option list, \t leads a menu's shortcut column.

constexpr const char* kMessages[] = {
    "Error while reading video info from",  // 0
    "Unable to shutdown the computer!",  // 1
    "No movie found!",  // 2
    "Can't open",  // 3
    "for reading!",  // 4
    "The file",  // 5
    "is too big to be a subtitle!",  // 6
    "Can't read from",  // 7
    "Unknown subtitle type!",  // 8
    // 9
    "This text file appears to be a subtitle. However, it contains serious errors which "
    "can be corrected only with a specialized program (for example a subtitle editor).",
    "File",  // 10
    "doesn't exist!",  // 11
    "Couldn't find any video file in",  // 12
    "Error opening",  // 13
    "is too big for a playlist file!",  // 14
    "Error reading from",  // 15
    "Bad subtitle!",  // 16
    "Subtitle already loaded!",  // 17
    "Nothing to save!",  // 18
    "Can't write in",  // 19
    "Invalid video file or\r\ncodec not found!",  // 20
    "The computer will be shutdown\r\nin",  // 21
    "secondes",  // 22
    "Volume",  // 23
    "Close movie",  // 24
    "Horizontal position",  // 25
    "Vertical position",  // 26
    "Center",  // 27
    "Start position",  // 28
    "End position",  // 29
    "Mute on",  // 30
    "Mute off",  // 31
    "PanScan",  // 32
    "PanScan off",  // 33
    "Aspect Ratio",  // 34
    "Subtitle enabled",  // 35
    "Subtitle disabled",  // 36
    "Subtitle time correction",  // 37
    "Bookmark added",  // 38
    "Bookmarks erased",  // 39
    "Bookmark",  // 40
    "Subtitle vertical position",  // 41
    "Subtitle size",  // 42
    "Select a directory:",  // 43
    "Always on Top: on",  // 44
    "Always on Top: off",  // 45
    "Turn off computer after play: on",  // 46
    "Turn off computer after play: off",  // 47
    "original",  // 48
    "free",  // 49
    "Preamplification",  // 50
    "Automatic PanScan",  // 51
    "Movie mode on",  // 52
    "Movie mode off",  // 53
    "Dynamic amplification on",  // 54
    "Dynamic amplification off",  // 55
    // 56
    "Video overlay not available!\r\nColor control, subtitle and OSD will not be "
    "visible. Please check video card settings, close all programs that are using the "
    "overlay and/or update the video codec",
    "Should I associate",  // 57
    "with all supported extensions?",  // 58
    "This is not a text!",  // 59
    "Please select a movie!",  // 60
    "Unable to capture frame!",  // 61
    "saved...",  // 62
    "Display time",  // 63
    "Display frames",  // 64
    // 65
    "Can't save the configuration !\r\nPlease remove the write protection...",
    // 66
    "Can't write to Windows registry !\r\nPlease remove the write protection...\r\nUntil "
    "then I can't set or remove file associations !",
    // 67
    "One or more audio streams could not be rendered.\r\nPlease install a proper audio codec.",
    // 68
    "One or more streams could not be rendered.\r\nPlease install a proper codec.",
};

constexpr const char* kHints[] = {
    "Close",  // 0
    "Movie info",  // 1
    "Click for frames",  // 2
    "Click for times",  // 3
    "Open movie(s)",  // 4
    "Rewind",  // 5
    "Play",  // 6
    "Forward",  // 7
    "Pause",  // 8
    "Stop",  // 9
    "Open subtitle",  // 10
    "Previous",  // 11
    "Next",  // 12
    "Playlist",  // 13
    "Remember previous movie settings",  // 14
    "Configuration",  // 15
    "Minimize",  // 16
    "Volume up",  // 17
    "Volume down",  // 18
    "Mute",  // 19
    "Add movie(s)",  // 20
    "Add folder",  // 21
    "Remove selected movie",  // 22
    "Save playlist file",  // 23
    "Load playlist file",  // 24
    "Add subtitle",  // 25
    "Show subtitles",  // 26
    "Hide subtitles",  // 27
    "Original Aspect Ratio",  // 28
    "Double click to open movie(s)",  // 29
    "Double click to open subtitle",  // 30
    "Shuffle",  // 31
};

constexpr const char* kLabels[] = {
    "Version",  // 0
    "... translation\r\nby: ...",  // 1
    "Brightness",  // 2
    "Contrast",  // 3
    "Hue",  // 4
    "Saturation",  // 5
    "Associated extensions",  // 6
    "Playlist font size:",  // 7
    "For full screen mode switch to",  // 8
    "CPU priority:",  // 9
    "Second to jump rewind and forward:",  // 10
    "Second to fast jump rewind and forward:",  // 11
    "Average vertical display\r\nzone from the bottom (%):",  // 12
    "Horizontal display area (%):",  // 13
    "Average display time\r\nat 20 characters (ms):",  // 14
    "Video compression",  // 15
    "Nr. of video streams",  // 16
    "Time",  // 17
    "Nr. of frames",  // 18
    "Resolution",  // 19
    "Frames per second",  // 20
    "Average video bitrate (Kbps)",  // 21
    "Bit depth",  // 22
    "Nr. of audio streams",  // 23
    "Audio compression",  // 24
    "Average audio bitrate (Kbps)",  // 25
    "Audio sample rate",  // 26
    "Audio channels",  // 27
    "from",  // 28
    "No movie",  // 29
    "No subtitle",  // 30
    "Movie info",  // 31
    "Repeat off",  // 32
    "Repeat one",  // 33
    "Repeat all",  // 34
    "x",  // 35
    "fps",  // 36
    "Subtitle size (%):",  // 37
    "OSD size (%):",  // 38
    "OSD Color:",  // 39
    "Select capture format:",  // 40
    "Save capture in:",  // 41
    "Hide",  // 42
    "Show",  // 43
};

constexpr const char* kOptionLists[] = {
    "Register extensions on player start",  // 0
    // 1
    "Auto play\r"
    "Auto hide main window\r"
    "Auto close video window\r"
    "Close movie when finished\r"
    "Auto close player when finished\r"
    "Remember movie settings\r"
    "Remember movie position\r"
    "Show names with full path as hints in playlist\r"
    "Allow multiple instances\r"
    "At movie open load all movies from folder\r"
    "Activate Always on Top in fullscreen",
    // 2
    "Always start in fullscreen mode\r"
    "Remember PanScan settings\r"
    "Automatic PanScan\r"
    "Always start in Movie mode\r"
    "Load at original movie size\r"
    "Pause on minimize\r"
    "OSD Display",
    // 3
    "Transparent background\r"
    "Use outline font\r"
    "Shadow effect\r"
    "Auto resize font if line is too long",
    // 4
    "Auto load subtitle\r"
    "Auto split lines that are too long\r"
    "Wrap all text\r"
    "Auto calculation time Min & Max display subtitle\r"
    "Remember subtitle settings\r"
    "Disable external subtitle filters",
    "Search here first instead of current folder",  // 5
    "No change",  // 6
    // 7
    "High\r"
    "Above normal\r"
    "Normal\r"
    "Below normal",
    "Default",  // 8
    "Do not show this message in the future",  // 9
    "Enhanced outline",  // 10
    "Boss Key",  // 11
};

constexpr const char* kButtons[] = {
    "Select all",  // 0
    "Select none",  // 1
    "Add extension",  // 2
    "Delete extension",  // 3
    "Subtitle font...",  // 4
    "Subtitle directory...",  // 5
    "OK",  // 6
    "Cancel",  // 7
    "Apply",  // 8
    "Default",  // 9
    "Close",  // 10
    "Default values",  // 11
    "Profiles editor",  // 12
    "Delete",  // 13
    "Delete all",  // 14
};

constexpr const char* kCaptions[] = {
    "About",  // 0
    "Aspect Ratio",  // 1
    "Color Control",  // 2
    "Configuration",  // 3
    "Info",  // 4
    "Jump to time",  // 5
    "Key definitions",  // 6
    "Message",  // 7
    "PanScan",  // 8
    "Playlist",  // 9
    "Equalizer",  // 10
    "Load preset",  // 11
    "Save preset",  // 12
    "Profiles editor",  // 13
    "Choose subtitle font",  // 14
};

constexpr const char* kTabs[] = {
    "General",  // 0
    "File types",  // 1
    "Subtitle",  // 2
    "Video",  // 3
};

constexpr const char* kMenus[] = {
    "Open movie(s)...\t\t",  // 0
    "Load subtitle...\t\t\t",  // 1
    "Recent files",  // 2
    "Clear history",  // 3
    "Play control",  // 4
    "Play\t\t\t\t",  // 5
    "Stop\t\t\t\t",  // 6
    "Pause\t\t\t\t",  // 7
    "Rewind\t\t\t\t",  // 8
    "Forward\t\t\t",  // 9
    "Fast rewind\t\t\t",  // 10
    "Fast forward\t\t\t",  // 11
    "Jump to time\t\t\t",  // 12
    "Bookmarks",  // 13
    "Add bookmark\t\t\t",  // 14
    "Clear bookmarks\t\t",  // 15
    "Video",  // 16
    "Change resolution",  // 17
    "Fullscreen\t\t",  // 18
    "Color control...\t\t",  // 19
    "Movie mode\t\t",  // 20
    "Aspect Ratio",  // 21
    "Original\t\t",  // 22
    "16:9\t\t",  // 23
    "4:3\t\t",  // 24
    "1:1\t\t",  // 25
    "Free\t\t",  // 26
    "Custom\t\t",  // 27
    "Pan scan (fullscreen only)",  // 28
    "Pan in\t\t",  // 29
    "Pan out\t",  // 30
    "Automatic\t",  // 31
    "Custom\t\t",  // 32
    "Window Size",  // 33
    "Audio",  // 34
    "Volume up\t\t",  // 35
    "Volume down\t\t",  // 36
    "Equalizer\t\t",  // 37
    "Subtitle",  // 38
    "Font\t\t\t\t",  // 39
    "Disable subtitle\t\t\t",  // 40
    "Decrease time (0.5 sec)\t\t",  // 41
    "Increase time (0.5 sec)\t\t",  // 42
    "Move up\t\t\t",  // 43
    "Move down\t\t\t",  // 44
    "Increase size (5%)\t\t",  // 45
    "Decrease size (5%)\t\t",  // 46
    "Advanced",  // 47
    "Filters",  // 48
    "Configuration...\t\t",  // 49
    "Key definitions...\t\t",  // 50
    "Playlist\t\t\t\t",  // 51
    "Always on Top\t\t\t",  // 52
    "About...\t\t\t",  // 53
    "Turn off computer after play\t",  // 54
    "Exit",  // 55
    "Add movie(s)",  // 56
    "Add folder",  // 57
    "Replace movie",  // 58
    "Remove",  // 59
    "Remove all",  // 60
    "Sort by filename",  // 61
    "Randomize",  // 62
    "Add subtitle",  // 63
    "Left",  // 64
    "Right",  // 65
    "Down",  // 66
    "Up",  // 67
    "Dynamic amplification",  // 68
    "Send window to",  // 69
    "Monitor",  // 70
    "Capture frame\t\t\t",  // 71
};

constexpr const char* kFilters[] = {
    "Subtitle files",  // 0
    "All files",  // 1
    "Video files",  // 2
    "Lumacraft playlist file",  // 3
};

// The key list: action, TAB characters, keys.
struct KeyHelpLine {
  const char* action;
  int tabs;
  const char* keys;
};

constexpr KeyHelpLine kKeyHelp[] = {
    {"About", 4, "Ctrl+F1"},
    {"Activate Bookmark", 3, "Alt+[1..9]"},
    {"Activate playlist", 3, "Alt+P"},
    {"Add Bookmark", 3, "Alt+I"},
    {"Add folder to playlist", 2, "Shift+L"},
    {"Always on Top", 3, "T"},
    {"Aspect ratio", 3, "Ctrl+[1..5,], A"},
    {"Automatic PanScan", 2, "*, Num *"},
    {"Capture frame", 3, "Alt+C"},
    {"Change subtitle font", 2, "Ctrl+F"},
    {"Center picture", 3, "Shift+H, Num 5"},
    {"Clear Bookmarks", 3, "Shift+C"},
    {"Close movie", 3, "Ctrl+F4"},
    {"Close player", 3, "Alt+F4, Alt+X"},
    {"Color control", 3, "Ctrl+C"},
    {"Configuration", 3, "Ctrl+P"},
    {"Decrease subtitle size", 2, "Ctrl+Down"},
    {"Exit color control", 3, "Esc"},
    {"Exit equalizer", 3, "Esc"},
    {"Exit fullscreen", 3, "Esc"},
    {"Exit playlist", 3, "Esc"},
    {"Fast Forward/Rewind", 2, "Ctrl+Left/Right, Ctrl+,/."},
    {"Forward/Rewind", 3, ",/. Left/Right"},
    {"Fullscreen Switch", 3, "F, Alt+Enter, DblClick, Scroll Click"},
    {"Goto end", 4, "End"},
    {"Goto start", 3, "Home"},
    {"Increase subtitle size", 2, "Ctrl+Up"},
    {"Load subtitle", 3, "Ctrl+L"},
    {"Minimize", 4, "Ctrl+M"},
    {"Move element in playlist", 2, "Alt+Up/Down"},
    {"Move picture down", 3, "Shift+N, Num 2"},
    {"Move picture left", 3, "Shift+G, Num 4"},
    {"Move picture right", 3, "Shift+J, Num 6"},
    {"Move picture up", 3, "Shift+Y, Num 8"},
    {"Move subtitle down", 3, "Shift+Down"},
    {"Move subtitle up", 3, "Shift+Up"},
    {"Movie Mode", 3, "M"},
    {"Mute", 4, "Alt+M"},
    {"Next", 4, "B"},
    {"Open movie", 3, "Ctrl+O"},
    {"Pan in", 4, "+, Num +"},
    {"Pan out", 4, "-, Num -"},
    {"PanScan", 4, "P"},
    {"PanScan off", 3, "0, Num 0"},
    {"Pause", 4, "C"},
    {"Play", 4, "X"},
    {"Preamplification +/+", 2, "Alt+Up/Down"},
    {"Previous", 4, "Z"},
    {"Quick time/frame info", 2, "Q"},
    {"Repeat on/off", 3, "R"},
    {"Resize movie window", 2, "Scroll, +/-, Num +/-"},
    {"Set movie window size to 50%", 1, "1"},
    {"Set movie window size to 100%", 1, "2"},
    {"Set movie window size to 200%", 1, "3"},
    {"Show/Hide equalizer", 2, "E, Alt+G"},
    {"Show/Hide main window", 2, "H, F12"},
    {"Show/Hide playlist", 3, "Alt+E, F10"},
    {"Show/Hide system time", 2, "I"},
    {"Stop", 4, "V"},
    {"Subtitle time correction", 2, "Alt+Left/Right. Alt+,/. ]["},
    {"Subtitles On/Off", 3, "S"},
    {"Switch Play/Pause", 3, "Space"},
    {"Switch between time/frames", 2, "/"},
    {"Turn off computer after play", 2, "Ctrl+T"},
    {"Video info", 3, "F6"},
    {"Volume up/down", 3, "Up/Down, scroll (fullscreen)"},
    {"Zoom cycle", 3, "Enter"},
};
constexpr const char* kNotices[] = {
    "It is kept as",  // 0: after an unreadable stored file's message, before the kept copy's name
    "is running but did not take these files:",  // 1: after the program's name, a second start's files
    // 2: at close, below the files that could not be saved (settings::NotSavedMessage)
    "They are left as they were: what changed in this run could not be saved in them.",
    // 3: the preset dialog, after the presets file's read error, before the kept copy's name
    "When a preset is saved, it is kept as",
    // 4 and 5: after an unreadable stored file's message, for a file that
    // stays under its own name (settings::UnreadFileMessage)
    "It is a folder: it stays where it is, and nothing is written in its place.",
    "No copy of it could be kept: it stays as it is, and nothing is written in its place.",
    // 6: at close, below the one file that could not be saved (settings::NotSavedMessage)
    "It is left as it was: what changed in this run could not be saved in it.",
    // 7: at close, below a file that could not be saved because another
    // player held its save (settings::NotSavedMessage)
    "Another player was saving it and did not finish within 10 seconds.",
};

template <std::size_t N, std::size_t M>
void Assign(std::array<std::string, N>& target, const char* const (&source)[M]) {
  static_assert(N == M, "every entry needs its built-in text");
  for (std::size_t i = 0; i < N; ++i) target[i] = source[i];
}

std::string BuildKeyHelp() {
  std::string text = "Action\t\t\t\tKey\r\n" + std::string(110, '-');
  for (const KeyHelpLine& line : kKeyHelp) {
    text += "\r\n";
    text += line.action;
    text.append(static_cast<std::size_t>(line.tabs), '\t');
    text += line.keys;
  }
  return text;
}

}  // namespace

void SetDefaultTexts(TextTable& table) {
  Assign(table.TextMessages, kMessages);
  Assign(table.TextHints, kHints);
  Assign(table.TextLabels, kLabels);
  Assign(table.TextOptionLists, kOptionLists);
  Assign(table.TextButtons, kButtons);
  Assign(table.TextCaptions, kCaptions);
  Assign(table.TextTabs, kTabs);
  Assign(table.TextMenus, kMenus);
  Assign(table.TextFilters, kFilters);
  Assign(table.TextNotices, kNotices);
  table.TextKeyHelp = BuildKeyHelp();
}

TextTable& GlobalTextTable() {
  static TextTable table = [] {
    TextTable t;
    SetDefaultTexts(t);
    return t;
  }();
  return table;
}

std::array<TextSection, 10> TextSectionOrder(TextTable& t) {
  return {{
      {"TextCaptions", t.TextCaptions, 256, false},
      {"TextHints", t.TextHints, 256, false},
      {"TextMessages", t.TextMessages, 512, false},
      {"TextLabels", t.TextLabels, 256, false},
      {"TextOptionLists", t.TextOptionLists, 1024, true},
      {"TextButtons", t.TextButtons, 128, false},
      {"TextTabs", t.TextTabs, 64, false},
      {"TextMenus", t.TextMenus, 256, false},
      {"TextFilters", t.TextFilters, 256, false},
      {"TextKeyHelp", std::span<std::string>(&t.TextKeyHelp, 1), 5120, false},
  }};
}

}  // namespace lc::settings
