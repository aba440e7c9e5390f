// What the player stores, it shows and keeps, on the built program under
// Wine: every key of the settings table with a state to see at start is
// written into the settings file, read back from the running program,
// changed through the program's own input (remote codes, keys, clicks),
// and found in the file after closing and on the screen after the next
// start. Then a movie's remembered entry with bookmarks, colours and a
// subtitle font, through playing, a stop and a close.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <windows.h>

#include "framework/messages.h"
#include "settings/settings_table.h"
#include "settings/win/settings_win.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::ChildProcess;
using lctest::ProgramCopy;
using State = std::map<std::string, std::string>;

// The value State shows under Name, "<none>" when it shows none.
std::string At(const State& S, const std::string& Name) {
  const auto Found = S.find(Name);
  return Found == S.end() ? "<none>" : Found->second;
}

constexpr DWORD kStartMs = 30000;

// Remote-control codes (the messages a user's remote sends).
constexpr WPARAM kStop = 6, kRepeat = 13, kVolumeDown = 15, kPreampUp = 16, kPanIn = 23, kMute = 33,
                 kMovieMode = 39, kColourUp = 40, kAddBookmark = 42, kTogglePlaylist = 55,
                 kDynamicAmplification = 71, kFrames = 73;

// A started copy and its windows.
class Running {
 public:
  explicit Running(const ProgramCopy& Copy, const std::wstring& Args = L"") : FProcess(Copy.Exe(), Args) {
    Main = lctest::WaitForVisibleMainWindow(FProcess.Id(), kStartMs);
    // The first activation shows the satellites and opens the command line.
    for (int I = 0; Main && I < 300 && SendQuery(WM_QUERYPLAYLISTCOUNT) == -1; ++I) Sleep(100);
  }
  ~Running() {
    if (Main && FProcess.Wait(0) == STILL_ACTIVE) Close();
  }
  DWORD Close() {
    PostMessageW(Main, WM_CLOSE, 0, 0);
    const DWORD Code = FProcess.Wait(30000);
    Main = nullptr;
    return Code;
  }

  HWND Window(const wchar_t* Class) const { return lctest::WaitForWindow(Class, FProcess.Id(), 5000); }

  // What the program shows: its own answer and what anyone can read of its
  // windows from outside.
  State Read() const {
    State S = lctest::QueryFace(Main);
    Place(S, "Main", Window(L"TfrmMain"), false);
    Place(S, "Video", Window(L"TfrmVideoWindow"), false);
    Place(S, "Playlist", Window(L"TfrmPlayList"), true);
    Place(S, "Equalizer", Window(L"TfrmEqualizer"), false);
    HANDLE Process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, FProcess.Id());
    S["Priority"] = std::to_string(GetPriorityClass(Process));
    CloseHandle(Process);
    return S;
  }
  // Reads until Wanted holds or about thirty seconds have passed (an
  // opening on a busy machine).
  State ReadUntil(const std::function<bool(const State&)>& Wanted) const {
    State S = Read();
    for (int I = 0; I < 300 && !Wanted(S); ++I) {
      Sleep(100);
      S = Read();
    }
    return S;
  }

  void Remote(WPARAM Code) const { SendQuery(WM_REMOTECOMMAND, Code); }
  void Key(const wchar_t* Class, WORD Key) const {
    DWORD_PTR R = 0;
    SendMessageTimeoutW(Window(Class), WM_KEYDOWN, Key, 0, SMTO_NORMAL, 10000, &R);
  }
  // A left click at (X, Y) of a window's client area.
  void Click(const wchar_t* Class, int X, int Y) const {
    DWORD_PTR R = 0;
    HWND W = Window(Class);
    SendMessageTimeoutW(W, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y), SMTO_NORMAL, 10000, &R);
    SendMessageTimeoutW(W, WM_LBUTTONUP, 0, MAKELPARAM(X, Y), SMTO_NORMAL, 10000, &R);
  }
  void MoveTo(const wchar_t* Class, int X, int Y) const {
    SetWindowPos(Window(Class), nullptr, X, Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  HWND Main = nullptr;

 private:
  LRESULT SendQuery(UINT Message, WPARAM W = 0) const {
    DWORD_PTR R = 0;
    SendMessageTimeoutW(Main, Message, W, 0, SMTO_NORMAL, 30000, &R);
    return static_cast<LRESULT>(R);
  }
  static void Place(State& S, const std::string& Name, HWND W, bool ClientSize) {
    RECT R{}, C{};
    GetWindowRect(W, &R);
    GetClientRect(W, &C);
    S[Name + "Left"] = std::to_string(R.left);
    S[Name + "Top"] = std::to_string(R.top);
    S[Name + "Width"] = std::to_string(ClientSize ? C.right : R.right - R.left);
    S[Name + "Height"] = std::to_string(ClientSize ? C.bottom : R.bottom - R.top);
    S[Name + "Shown"] = IsWindowVisible(W) ? "1" : "0";
  }

  ChildProcess FProcess;
};

// Window coordinates are stored per 100000 of the primary screen's width
// (x) or height (y); the figures below are for the test display's
// 1920 x 1080 screen (300 pixels across: 300 * 100000 / 1920 = 15625).
constexpr int kScreenWidth = 1920, kScreenHeight = 1080;

// One key with a state the running program shows: the value written, what
// shows it and how, the program's own input that changes it (none: the
// value only travels), what shows then, and what the file holds after
// closing.
struct Row {
  std::string Key, Written, Probe, Shown;
  std::function<void(const Running&)> Input;
  std::string Changed, Saved;
};

std::vector<Row> Rows() {
  const auto Remote = [](WPARAM Code) { return [Code](const Running& R) { R.Remote(Code); }; };
  const auto Click = [](int X, int Y) { return [X, Y](const Running& R) { R.Click(L"TfrmPlayList", X, Y); }; };
  const std::string Off = "00:00:00 - 00:00:00 - 00:00:00", Frames = "     0 -      0 -      0";
  return {
      {"AudioVolume", "6", "VolumeBar", "6", Remote(kVolumeDown), "5", "5"},
      {"Mute", "1", "SoundOn", "0", Remote(kMute), "1", "0"},
      // The graph's volume: muted at start, then the bar's 5 x 500.
      {"Mute", "1", "GraphVolume", "0", nullptr, "2500", "0"},
      {"RepeatStatus", "2", "RepeatLabel", "Repeat all", Remote(kRepeat), "Repeat off", "0"},
      {"ShowFrames", "1", "TimesLabel", Frames, Remote(kFrames), Off, "0"},
      {"DynamicAmplification", "1", "DynamicAmplificationTick", "1", Remote(kDynamicAmplification), "0", "0"},
      {"DynamicAmplification", "1", "DynamicAmplifier", "1", nullptr, "0", "0"},
      {"EqualizerShow", "1", "EqualizerShown", "1", [](const Running& R) { R.Key(L"TfrmEqualizer", 'E'); }, "0",
       "0"},
      {"PlayListShow", "1", "PlaylistShown", "1", Remote(kTogglePlaylist), "0", "0"},
      // Hidden, the subtitle list's toggle sits 12 pixels above the bottom.
      {"ShowSubtitlesInPlaylist", "0", "SubtitleToggle", "0", Click(13, 280 - 12), "1", "1"},
      {"ShowSubtitlesInPlaylist", "0", "SubtitleList", "0", nullptr, "1", "1"},
      {"ShowSubtitlesInPlaylist", "0", "AddSubtitle", "0", nullptr, "1", "1"},
      {"RememberPreviousMovieSettings", "1", "PreviousLatch", "1", Click(13, 113), "0", "0"},
      {"Shuffle", "1", "ShuffleLatch", "1", Click(13, 133), "0", "0"},
      {"BrightnessControl", "3000", "Brightness", "300", Remote(kColourUp), "310", "3100"},
      // The pulse hands the sliders to the picture's colour controls.
      {"BrightnessControl", "3000", "PictureBrightness", "3000", nullptr, "3100", "3100"},
      {"ContrastControl", "15000", "Contrast", "150", nullptr, "150", "15000"},
      {"HueControl", "-45", "Hue", "-45", nullptr, "-45", "-45"},
      {"SaturationControl", "5000", "Saturation", "50", nullptr, "50", "5000"},
      {"EqualizerSettings", "10,-20,30", "Equalizer", "10,-20,30,0,0,0,0,0,0,0,0", Remote(kPreampUp),
       "5,-20,30,0,0,0,0,0,0,0,0", "5,-20,30,0,0,0,0,0,0,0,0"},
      {"PlaylistFontSize", "14", "PlaylistFont", "14", nullptr, "14", "14"},
      // 3 in the file is the class above normal.
      {"CpuPriority", "3", "Priority", "32768", nullptr, "32768", "3"},
      {"MainXPosition", "15625", "MainLeft", "300", [](const Running& R) { R.MoveTo(L"TfrmMain", 320, 260); },
       "320", "16667"},
      {"MainYPosition", "23148", "MainTop", "250", nullptr, "260", "24074"},
      {"VideoWindowXPosition", "3125", "VideoLeft", "60", nullptr, "60", "3125"},
      {"VideoWindowYPosition", "3704", "VideoTop", "40", nullptr, "40", "3704"},
      {"VideoWindowWidth", "500", "VideoWidth", "500", nullptr, "500", "500"},
      {"VideoWindowHeight", "320", "VideoHeight", "320", nullptr, "320", "320"},
      {"PlaylistXPosition", "2083", "PlaylistLeft", "40", nullptr, "40", "2083"},
      {"PlaylistYPosition", "38889", "PlaylistTop", "420", nullptr, "420", "38889"},
      {"PlayListWidth", "300", "PlaylistWidth", "300", nullptr, "300", "300"},
      {"PlayListHeight", "280", "PlaylistHeight", "280", nullptr, "280", "280"},
      {"EqualizerXPosition", "26042", "EqualizerLeft", "500", nullptr, "500", "26042"},
      {"EqualizerYPosition", "39815", "EqualizerTop", "430", nullptr, "430", "39815"},
  };
}

// The keys whose state shows only with a movie, a subtitle, a dialog, the
// registry or a file of their own, and where that is tested.
const std::map<std::string, std::string>& ShownElsewhere() {
  static const std::string Movie = "an opened movie (player graph tests)";
  static const std::string Subtitle = "a subtitle on a movie (subtitle player tests)";
  static const std::string Dialog = "a dialog (tool and playlist tests)";
  static const std::string Startup = "the start itself (startup_tests)";
  static const std::map<std::string, std::string> Keys = {
      {"LastAccessedFolder", "the folder of the last movie (settings tests)"},
      {"FileTypes", Dialog}, {"FileAssociation", Startup}, {"RegisterExtensionsOnLoad", Startup},
      {"AutoPlayOnLoad", Movie}, {"AutoHideMainWindow", Movie}, {"AutoCloseVideoWindow", Movie},
      {"CloseFileWhenFinished", Movie}, {"AutoClosePlayerWhenFinished", Movie}, {"FullscreenModeSwitch", Startup},
      {"TransparentBackground", Subtitle}, {"UseOutlineFont", Subtitle}, {"AutoResizeFont", Subtitle},
      {"AutoLoadSubtitle", Subtitle}, {"AutoSplitLine", Subtitle}, {"WrapAllText", Subtitle},
      {"AutoCalculationTime", Subtitle}, {"AverageDisplayTime", Subtitle}, {"AverageVerticalDisplayZone", Subtitle},
      {"HorizontalDisplayArea", Subtitle}, {"SubtitleFontName", Subtitle}, {"SubtitleSize", Subtitle},
      {"SubtitleFontColor", Subtitle}, {"SubtitleFontStyle", Subtitle}, {"SubtitleFontScript", Subtitle},
      {"SubtitleDirectory", Subtitle}, {"SearchHereFirst", Subtitle}, {"RememberSubtitleSettings", Movie},
      {"FullscreenOnLoad", Movie}, {"MovieModeOnLoad", Movie}, {"RememberPanScanSettings", Movie},
      {"AutomaticPanScan", Movie}, {"LoadAtOriginalMovieSize", Movie}, {"PauseOnMinimize", Movie},
      {"SecondesToJump", Movie}, {"SecondesToFastJump", Movie}, {"RememberMovieSettings", Movie},
      {"RememberLastMoviePosition", Movie}, {"DisplayHintInPlaylist", "the playlist's hints (playlist tests)"},
      {"PanScanSize", Movie}, {"LastMovieSelectedInPlaylist", Startup},
      {"OSDDisplay", Movie}, {"RecentFile1", "the popup menu (main menu tests)"},
      {"RecentFile2", "the popup menu (main menu tests)"}, {"RecentFile3", "the popup menu (main menu tests)"},
      {"RecentFile4", "the popup menu (main menu tests)"}, {"RecentFile5", "the popup menu (main menu tests)"},
      {"KeepAspectRatio", Movie}, {"AllowMultipleInstances", Startup}, {"LastUsedLanguage", Startup},
      {"DoNotShowOverlayMessage", Movie}, {"DisableExternalSubtitleFilters", Movie}, {"OsdSize", Movie},
      {"OsdColor", Movie}, {"FirstRun", Startup}, {"SubtitleShadowEffect", Subtitle},
      {"LoadEntireFolder", Dialog}, {"CaptureFolder", Movie}, {"CaptureType", Movie}, {"BossKey", Startup},
      {"BossKeyHide", Startup}, {"BossKeyShow", Startup}, {"DontShowRegistryError", Startup},
      {"DontShowWritingError", Dialog}, {"DoNotShowAudioStreamMessage", Movie}, {"DoNotShowStreamMessage", Movie},
      {"ActivateAlwaysOnTopInFullScreen", Movie},
  };
  return Keys;
}

TEST(RememberedProgram, EveryKeyOfTheSettingsTableIsShownHereOrNamedElsewhere) {
  std::set<std::string> Here;
  for (const Row& R : Rows()) Here.insert(R.Key);
  for (const std::string& Key : lc::settings::ConfigKeyNames()) {
    const bool Elsewhere = ShownElsewhere().count(Key) > 0;
    EXPECT_NE(Here.count(Key) > 0, Elsewhere) << Key << ": exactly one of the two places";
  }
  EXPECT_EQ(Here.size() + ShownElsewhere().size(), 96u);
}

TEST(RememberedProgram, EverySettingShownAtStartIsChangedByItsInputAndKept) {
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), kScreenWidth) << "the stored window places are figured for this screen";
  ASSERT_EQ(GetSystemMetrics(SM_CYSCREEN), kScreenHeight);
  ProgramCopy Copy(L"LcTestShown");
  const std::vector<Row> Table = Rows();
  std::vector<std::string> Lines = {"FirstRun=0"};
  for (const Row& R : Table) Lines.push_back(R.Key + "=" + R.Written);
  lctest::WriteSettingsFile(Copy.SettingsFile(), Lines);
  const auto All = [&Table](const std::string Row::*Value) {
    return [&Table, Value](const State& S) {
      for (const Row& R : Table)
        if (At(S, R.Probe) != R.*Value) return false;
      return true;
    };
  };
  {
    Running Player(Copy);
    ASSERT_NE(Player.Main, nullptr);
    const State Start = Player.ReadUntil(All(&Row::Shown));
    for (const Row& R : Table) EXPECT_EQ(At(Start, R.Probe), R.Shown) << R.Key;
    for (const Row& R : Table)
      if (R.Input) R.Input(Player);
    const State After = Player.ReadUntil(All(&Row::Changed));
    for (const Row& R : Table) EXPECT_EQ(At(After, R.Probe), R.Changed) << R.Key;
    EXPECT_EQ(Player.Close(), 0u);
  }
  for (const Row& R : Table) EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), R.Key), R.Saved) << R.Key;

  Running Again(Copy);
  ASSERT_NE(Again.Main, nullptr);
  const State Restarted = Again.ReadUntil(All(&Row::Changed));
  for (const Row& R : Table)
    EXPECT_EQ(At(Restarted, R.Probe), R.Changed) << R.Key << " after a restart";
  EXPECT_EQ(Again.Close(), 0u);
  Copy.Uninstall();
}

// The lines of a remembered-settings file's entry, by key.
State EntryLines(const std::string& Text, const std::string& Movie) {
  State Lines;
  std::size_t At = Text.find("[" + Movie + "]\r\n");
  if (At == std::string::npos) return Lines;
  At = Text.find("\r\n", At) + 2;
  while (At < Text.size() && Text[At] != '[') {
    const std::size_t End = Text.find("\r\n", At);
    const std::string Line = Text.substr(At, End - At);
    Lines[Line.substr(0, Line.find('='))] = Line.substr(Line.find('=') + 1);
    At = End == std::string::npos ? Text.size() : End + 2;
  }
  return Lines;
}

TEST(RememberedProgram, AMoviesEntryBringsItsBookmarksColoursAndFontAndKeepsThem) {
  ProgramCopy Copy(L"LcTestEntry");
  lctest::WriteSettingsFile(Copy.SettingsFile(),
                            {"FirstRun=0", "AutoPlayOnLoad=0", "RememberMovieSettings=1", "RememberSubtitleSettings=1",
                             "BrightnessControl=5000", "AudioVolume=14", "SubtitleFontName=DejaVu Sans",
                             "SubtitleFontColor=16777215", "SubtitleFontStyle=1"});
  lctest::WriteFileText(Copy.DataFolder() + L"LcTestEntry.rs",
                        "[demo.mp4]\r\nLastAccessed=01/02/2024 10:00:00\r\nBookMark1=00:00:05\r\n"
                        "BookMark2=00:00:12\r\nBrightness=9000\r\nContrast=12000\r\nHue=30\r\nSaturation=8000\r\n"
                        "AudioVolume=3000\r\nSubtitleFontName=DejaVu Serif\r\nSubtitleSize=150\r\n"
                        "SubtitleFontColor=65280\r\nSubtitleFontStyle=2\r\n");
  const std::wstring Movie = lctest::MediaPath("demo.mp4");
  {
    Running Player(Copy, L"\"" + Movie + L"\"");
    ASSERT_NE(Player.Main, nullptr);
    const State Playing = Player.ReadUntil([](const State& S) { return At(S, "Opening") == "0"; });
    EXPECT_EQ(At(Playing, "Bookmarks"), "00:00:05\t\t\tAlt+&1|00:00:12\t\t\tAlt+&2");
    EXPECT_EQ(At(Playing, "Brightness"), "900");
    EXPECT_EQ(At(Playing, "Contrast"), "120");
    EXPECT_EQ(At(Playing, "Hue"), "30");
    EXPECT_EQ(At(Playing, "Saturation"), "80");
    EXPECT_EQ(At(Playing, "PictureBrightness"), "9000");
    EXPECT_EQ(At(Playing, "VolumeBar"), "6");
    EXPECT_EQ(At(Playing, "SubtitleFont"), "DejaVu Serif");
    EXPECT_EQ(At(Playing, "SubtitleColor"), "65280");
    EXPECT_EQ(At(Playing, "SubtitleStyle"), "3");  // bold and italic
    // A third bookmark where the paused movie stands, then the stop.
    Player.Remote(kAddBookmark);
    Player.Remote(kStop);
    // The pulse hands the sliders to the picture at its next tick.
    const State Stopped = Player.ReadUntil(
        [](const State& S) { return At(S, "Brightness") == "500" && At(S, "PictureBrightness") == "5000"; });
    EXPECT_EQ(At(Stopped, "Brightness"), "500");
    EXPECT_EQ(At(Stopped, "PictureBrightness"), "5000");
    EXPECT_EQ(At(Stopped, "VolumeBar"), "14");
    EXPECT_EQ(At(Stopped, "SubtitleFont"), "DejaVu Sans");
    EXPECT_EQ(At(Stopped, "SubtitleColor"), "16777215");
    EXPECT_EQ(At(Stopped, "SubtitleStyle"), "1");
    EXPECT_EQ(Player.Close(), 0u);
  }
  const State Entry = EntryLines(lctest::ReadFileText(Copy.DataFolder() + L"LcTestEntry.rs"), "demo.mp4");
  EXPECT_EQ(At(Entry, "BookMark1"), "00:00:05");
  EXPECT_EQ(At(Entry, "BookMark2"), "00:00:12");
  EXPECT_EQ(At(Entry, "BookMark3"), "00:00:00");
  EXPECT_EQ(At(Entry, "Brightness"), "9000");
  EXPECT_EQ(At(Entry, "Contrast"), "12000");
  EXPECT_EQ(At(Entry, "Hue"), "30");
  EXPECT_EQ(At(Entry, "Saturation"), "8000");
  EXPECT_EQ(At(Entry, "AudioVolume"), "3000");
  EXPECT_EQ(At(Entry, "SubtitleFontName"), "DejaVu Serif");
  EXPECT_EQ(At(Entry, "SubtitleFontColor"), "65280");
  EXPECT_EQ(At(Entry, "SubtitleFontStyle"), "2");
  // The user's own values went back into the settings.
  const std::wstring File = Copy.SettingsFile();
  EXPECT_EQ(lctest::SettingsValue(File, "BrightnessControl"), "5000");
  EXPECT_EQ(lctest::SettingsValue(File, "AudioVolume"), "14");
  EXPECT_EQ(lctest::SettingsValue(File, "SubtitleFontName"), "DejaVu Sans");
  EXPECT_EQ(lctest::SettingsValue(File, "SubtitleFontStyle"), "1");

  // The next start on the movie brings the three bookmarks.
  Running Again(Copy, L"\"" + Movie + L"\"");
  ASSERT_NE(Again.Main, nullptr);
  const State Reopened = Again.ReadUntil([](const State& S) { return At(S, "Opening") == "0"; });
  EXPECT_EQ(At(Reopened, "Bookmarks"), "00:00:05\t\t\tAlt+&1|00:00:12\t\t\tAlt+&2|00:00:00\t\t\tAlt+&3");
  EXPECT_EQ(Again.Close(), 0u);
  Copy.Uninstall();
}

// With several players allowed, two run at once, each opening a movie of
// its own, and close one after the other: the remembered settings keep
// both movies and the entry neither of them played.
TEST(RememberedProgram, TwoPlayersAtOnceKeepEachOthersMovies) {
  ProgramCopy Copy(L"LcTestTwoPlayers");
  lctest::WriteSettingsFile(Copy.SettingsFile(),
                            {"FirstRun=0", "AllowMultipleInstances=1", "RememberMovieSettings=1"});
  const std::wstring Rs = Copy.DataFolder() + L"LcTestTwoPlayers.rs";
  lctest::WriteFileText(Rs, "[old.avi]\r\nLastAccessed=01/02/2024 10:00:00\r\nPanScan=7\r\n");
  const auto Opened = [](const State& S) { return At(S, "Opening") == "0"; };
  {
    Running First(Copy, L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
    ASSERT_NE(First.Main, nullptr);
    First.ReadUntil(Opened);
    Running Second(Copy, L"\"" + lctest::MediaPath("clip.avi") + L"\"");
    ASSERT_NE(Second.Main, nullptr);
    Second.ReadUntil(Opened);
    EXPECT_EQ(First.Close(), 0u);
    EXPECT_EQ(Second.Close(), 0u);
  }
  const std::string Text = lctest::ReadFileText(Rs);
  EXPECT_EQ(At(EntryLines(Text, "old.avi"), "PanScan"), "7");
  EXPECT_NE(At(EntryLines(Text, "demo.mp4"), "LastAccessed"), "<none>");
  EXPECT_NE(At(EntryLines(Text, "clip.avi"), "LastAccessed"), "<none>");
  Copy.Uninstall();
}

// Another player holds its save of the remembered settings (this test,
// through the same session-wide lock, for 4 s) while this one plays and a
// new bookmark asks for a save: the player answers every moment and its
// movie moves on while its save waits, and the save writes the bookmark
// once the other player let go.
TEST(RememberedProgram, APlayerWaitingForAnotherPlayersSaveKeepsPlaying) {
  ProgramCopy Copy(L"LcTestSaveWait");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "RememberMovieSettings=1"});
  const std::wstring Rs = Copy.DataFolder() + L"LcTestSaveWait.rs";
  lctest::WriteFileText(Rs, "[old.avi]\r\nPanScan=7\r\n");
  Running Player(Copy, L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  ASSERT_NE(Player.Main, nullptr);
  void* OthersSave = lc::settings::LockSaveWin(std::string(Rs.begin(), Rs.end()));  // an ASCII path
  ASSERT_NE(OthersSave, nullptr);
  ASSERT_TRUE(lctest::WaitUntilPlaying(Player.Main, 0).Playing());
  const int Before = lctest::QuerySeekBar(Player.Main);
  Player.Remote(kAddBookmark);
  int Unanswered = 0;
  for (DWORD Start = GetTickCount(); GetTickCount() - Start < 4000; Sleep(100)) {
    DWORD_PTR R = 0;
    if (!SendMessageTimeoutW(Player.Main, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &R)) ++Unanswered;
  }
  EXPECT_EQ(Unanswered, 0);
  EXPECT_GT(lctest::QuerySeekBar(Player.Main), Before + 3000);
  EXPECT_EQ(lctest::ReadFileText(Rs), "[old.avi]\r\nPanScan=7\r\n") << "the save waits for the other player's";
  const FILETIME Waiting = lctest::WrittenAt(Rs);
  lc::settings::UnlockSaveWin(OthersSave);
  EXPECT_TRUE(lctest::WaitUntilRewritten(Rs, Waiting, 30000));
  const std::string Written = lctest::ReadFileText(Rs);
  EXPECT_NE(At(EntryLines(Written, "demo.mp4"), "BookMark1"), "<none>");
  EXPECT_EQ(At(EntryLines(Written, "old.avi"), "PanScan"), "7");
  EXPECT_EQ(Player.Close(), 0u);
  Copy.Uninstall();
}

// Another player holds its save of the remembered settings and never lets
// go (hung; this test, through the same session-wide lock): this one
// plays, a bookmark asks for a save, which waits on the worker, and the
// player is closed meanwhile. The close waits for the other player's save
// once, writes nothing over the file, tells the user that the remembered
// settings could not be saved and why, and ends with 1.
TEST(RememberedProgram, AClosePastAHungPlayersSaveWaitsOnceAndTellsTheUser) {
  ProgramCopy Copy(L"LcTestHungSave");
  lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "RememberMovieSettings=1"});
  const std::wstring Rs = Copy.DataFolder() + L"LcTestHungSave.rs";
  lctest::WriteFileText(Rs, "[old.avi]\r\nPanScan=7\r\n");
  ChildProcess Player(Copy.Exe(), L"\"" + lctest::MediaPath("demo.mp4") + L"\"");
  HWND Main = lctest::WaitForVisibleMainWindow(Player.Id(), kStartMs);
  ASSERT_NE(Main, nullptr);
  void* OthersSave = lc::settings::LockSaveWin(std::string(Rs.begin(), Rs.end()));  // an ASCII path
  ASSERT_NE(OthersSave, nullptr);
  ASSERT_TRUE(lctest::WaitUntilPlaying(Main, 0).Playing());
  DWORD_PTR R = 0;
  SendMessageTimeoutW(Main, WM_REMOTECOMMAND, kAddBookmark, 0, SMTO_NORMAL, 30000, &R);
  // The pulse starts the save within a second or two; a close before it
  // waits in its own save instead, once all the same.
  Sleep(2000);
  PostMessageW(Main, WM_CLOSE, 0, 0);
  EXPECT_EQ(lctest::ReadAndCloseMessageBox(Player.Id(), 60000),
            "Can't write in \"LcTestHungSave.rs\"!|"
            "Another player was saving it and did not finish within 10 seconds.|"
            "It is left as it was: what changed in this run could not be saved in it.");
  EXPECT_EQ(Player.Wait(30000), 1u);
  EXPECT_EQ(lctest::ReadFileText(Rs), "[old.avi]\r\nPanScan=7\r\n");
  lc::settings::UnlockSaveWin(OthersSave);
  Copy.Uninstall();
}

// A movie's remembered pan & scan (20) is the movie's own: a stop puts the
// setting's value (5) back. A pan & scan change made in full screen, and
// movie mode, make the value in force the setting's: after a step in it
// is 21, after movie mode on and off it is the movie's 20 again.
TEST(RememberedProgram, APanAndScanChangedInFullScreenStaysAsTheSetting) {
  const struct {
    const char* Name;
    std::vector<WPARAM> Codes;
    const char* Kept;
  } Cases[] = {{"no change", {}, "5"}, {"pan in", {kPanIn}, "21"}, {"movie mode", {kMovieMode, kMovieMode}, "20"}};
  const std::wstring Movie = lctest::MediaPath("demo.mp4");
  for (const auto& C : Cases) {
    SCOPED_TRACE(C.Name);
    ProgramCopy Copy(L"LcPanScan");
    lctest::WriteSettingsFile(Copy.SettingsFile(), {"FirstRun=0", "RememberMovieSettings=1",
                                                     "RememberPanScanSettings=1", "PanScanSize=5"});
    lctest::WriteFileText(Copy.DataFolder() + L"LcPanScan.rs",
                          "[demo.mp4]\r\nLastAccessed=01/02/2024 10:00:00\r\nPanScan=20\r\nFullScreen=1\r\n");
    Running Player(Copy, L"\"" + Movie + L"\"");
    ASSERT_NE(Player.Main, nullptr);
    Player.ReadUntil([](const State& S) { return At(S, "Opening") == "0"; });
    ASSERT_TRUE(
        lctest::WaitUntil([&] { return (lctest::QueryWindows(Player.Main) & kWindowsFullScreen) != 0; }, 30000));
    for (WPARAM Code : C.Codes) Player.Remote(Code);
    Player.Remote(kStop);
    EXPECT_EQ(Player.Close(), 0u);
    EXPECT_EQ(lctest::SettingsValue(Copy.SettingsFile(), "PanScanSize"), C.Kept);
    Copy.Uninstall();
  }
}

}  // namespace
