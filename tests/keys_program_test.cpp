// Keys typed on the keyboard reach the player whichever of its windows has
// the focus: the full-screen picture (the main window parked behind it),
// the picture in a window after a click on it, and the playlist; and they
// still do after a close or a hide took away the window that held them. A copy of
// the program's test build plays the 20 s demo clip; the test types real
// keys and reads their effect from the player's state. Every command a key,
// button or menu item names has a room that runs it in the running program.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "player/commands.h"
#include "tests/support/player_queries.h"
#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

using lctest::PressKey;
using lctest::QuerySeekBar;
using lctest::QueryTransport;
using lctest::QueryWindows;
using lctest::WaitUntil;

// A copy of the program playing `movies` (the demo clip): 5 s to a seek
// step, the volume at 10 of 20, and `settings` besides. With `firstRun`,
// it starts as on its first run and waits at its question whether to
// associate the media types until Answer.
class PlayingCopy {
 public:
  explicit PlayingCopy(const wchar_t* name, std::vector<std::string> settings = {}, bool firstRun = false,
                       std::vector<const char*> movies = {"demo.mp4"})
      : copy_(name) {
    settings.insert(settings.begin(), {"FirstRun=0", "EqualizerShow=0", "PlayListShow=0", "AudioVolume=10", "Mute=0",
                                       "SecondesToJump=5"});
    if (firstRun) settings.push_back("FirstRun=1");
    lctest::WriteSettingsFile(copy_.SettingsFile(), settings);
    std::wstring args;
    for (const char* movie : movies) args += L" \"" + lctest::MediaPath(movie) + L"\"";
    process_ = std::make_unique<lctest::ChildProcess>(copy_.Exe(), args);
    if (firstRun)
      lctest::WaitForWindow(L"#32770", process_->Id(), 30000, true);
    else
      main = lctest::WaitForVisibleMainWindow(process_->Id(), 30000);
  }
  ~PlayingCopy() { copy_.Uninstall(); }

  // Types `keys` on the display's keyboard until the main window shows
  // (the display gives the question the keyboard a moment after it shows;
  // N answers "No" and is no key of the player's); whether it did.
  bool Answer(const char* keys) {
    for (int n = 0; n < 10 && !main && lctest::TypeOnTheDisplay(keys); ++n)
      main = lctest::WaitForVisibleMainWindow(process_->Id(), 3000);
    return main != nullptr;
  }
  DWORD Id() const { return process_->Id(); }
  std::wstring SettingsFile() const { return copy_.SettingsFile(); }
  // Whether every one of the kWindows... flags holds within 10 s.
  bool Windows(LRESULT flags, LRESULT want) {
    return WaitUntil([&] { return (QueryWindows(main) & flags) == want; });
  }
  bool Paused() {
    return WaitUntil([&] { return QueryTransport(main).Paused(); });
  }
  // Waits for the seek bar to stand within 600 ms of `ms`; its position.
  int SeekBarNear(int ms) {
    WaitUntil([&] { return std::abs(QuerySeekBar(main) - ms) <= 600; });
    return QuerySeekBar(main);
  }
  int Volume(int want) {
    WaitUntil([&] { return QueryTransport(main).Volume() == want; });
    return QueryTransport(main).Volume();
  }
  DWORD Close() {
    PostMessageW(main, WM_CLOSE, 0, 0);
    return process_->Wait(20000);
  }
  // Waits up to `ms` for the player to end by itself; its exit code, or
  // STILL_ACTIVE.
  DWORD Wait(DWORD ms) { return process_->Wait(ms); }

  HWND main = nullptr;

 private:
  lctest::ProgramCopy copy_;
  std::unique_ptr<lctest::ChildProcess> process_;
};

constexpr LRESULT kFull = kWindowsFullScreen;
constexpr LRESULT kParked = kWindowsMainParked;
constexpr LRESULT kEnabled = kWindowsMainEnabled;
constexpr LRESULT kPicture = kWindowsPictureFocus;

// Pause, seek both ways, volume both ways: the keys of the picture.
void PlayerFollowsThePictureKeys(PlayingCopy& player) {
  PressKey(VK_SPACE);
  ASSERT_TRUE(player.Paused());
  const int at = QuerySeekBar(player.main);
  PressKey(VK_RIGHT);
  EXPECT_NEAR(player.SeekBarNear(at + 5000), at + 5000, 600);
  PressKey(VK_LEFT);
  EXPECT_NEAR(player.SeekBarNear(at), at, 600);
  PressKey(VK_UP);
  EXPECT_EQ(player.Volume(11), 11);
  PressKey(VK_DOWN);
  EXPECT_EQ(player.Volume(10), 10);
}

TEST(ProgramKeys, TheFullScreenPictureTakesTheKeys) {
  PlayingCopy player(L"LcKeysFull");
  ASSERT_NE(player.main, nullptr);
  ASSERT_TRUE(lctest::WaitUntilPlaying(player.main, 0).Playing());
  ASSERT_TRUE(lctest::MakeForeground(player.main));
  ASSERT_TRUE(player.Windows(kPicture, 0));

  // F on the main window: full screen, the main window parked behind the
  // video and the picture holding the focus.
  PressKey('F');
  ASSERT_TRUE(player.Windows(kFull | kParked | kPicture, kFull | kParked | kPicture));
  PlayerFollowsThePictureKeys(player);

  // H brings the main window in front of the video and parks it again.
  PressKey('H');
  EXPECT_TRUE(player.Windows(kFull | kParked | kEnabled, kFull | kEnabled));
  PressKey('H');
  EXPECT_TRUE(player.Windows(kFull | kParked | kPicture, kFull | kParked | kPicture));
  // Escape leaves full screen; the picture keeps the keys.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(player.Windows(kFull | kEnabled | kPicture, kEnabled | kPicture));
  // F from the picture, and Enter's zoom cycle comes back out.
  PressKey('F');
  EXPECT_TRUE(player.Windows(kFull, kFull));
  PressKey(VK_RETURN);
  EXPECT_TRUE(player.Windows(kFull, 0));
  EXPECT_EQ(player.Close(), 0u);
}

TEST(ProgramKeys, APictureClickedInAWindowTakesTheKeys) {
  PlayingCopy player(L"LcKeysClick");
  ASSERT_NE(player.main, nullptr);
  ASSERT_TRUE(lctest::WaitUntilPlaying(player.main, 0).Playing());
  HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", player.Id(), 10000, true);
  ASSERT_NE(video, nullptr);
  ASSERT_TRUE(lctest::MakeForeground(player.main));
  ASSERT_TRUE(player.Windows(kPicture, 0));

  lctest::ClickCentre(video);
  ASSERT_TRUE(player.Windows(kFull | kPicture, kPicture));
  PlayerFollowsThePictureKeys(player);
  PressKey(VK_SPACE);
  EXPECT_TRUE(WaitUntil([&] { return QueryTransport(player.main).Playing(); }));
  PressKey('F');
  EXPECT_TRUE(player.Windows(kFull | kPicture, kFull | kPicture));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(player.Windows(kFull, 0));
  EXPECT_EQ(player.Close(), 0u);
}

// The playlist's list of movies: of the window's two lists, the upper one.
HWND MovieList(HWND playlist) {
  HWND best = nullptr;
  RECT bestRect{};
  for (HWND child = FindWindowExW(playlist, nullptr, L"LISTBOX", nullptr); child;
       child = FindWindowExW(playlist, child, L"LISTBOX", nullptr)) {
    RECT r{};
    GetWindowRect(child, &r);
    if (!best || r.top < bestRect.top) {
      best = child;
      bestRect = r;
    }
  }
  return best;
}

TEST(ProgramKeys, KeysTypedIntoThePlaylistReachThePlayer) {
  PlayingCopy player(L"LcKeysList");
  ASSERT_NE(player.main, nullptr);
  ASSERT_TRUE(lctest::WaitUntilPlaying(player.main, 0).Playing());
  // Alt+P on the main window shows the playlist.
  ASSERT_TRUE(lctest::MakeForeground(player.main));
  PressKey('P', {VK_MENU});
  HWND playlist = lctest::WaitForWindow(L"TfrmPlayList", player.Id(), 10000, true);
  ASSERT_NE(playlist, nullptr);
  HWND movies = MovieList(playlist);
  ASSERT_NE(movies, nullptr);

  // A click on the list's first line, then keys the list does not use
  // itself: Space pauses, the volume steps.
  RECT r{};
  GetWindowRect(movies, &r);
  lctest::ClickAt(r.left + 30, r.top + 6);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == playlist; }));
  PressKey(VK_SPACE);
  EXPECT_TRUE(player.Paused());
  PressKey('M', {VK_MENU});
  EXPECT_TRUE(WaitUntil([&] { return !QueryTransport(player.main).SoundOn(); }));
  // Escape closes the playlist window.
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(player.Windows(kWindowsPlaylistShown, 0));
  EXPECT_EQ(player.Close(), 0u);
}

// The states a close or a hide leaves the player in, each reached with
// real keys from a player that plays: false when it was not reached.
struct LeftState {
  const char* name;
  std::vector<std::string> settings;
  bool (*leave)(PlayingCopy& player, HWND video);
  WORD closeKey;  // with Alt, the key that ends the player afterwards
};

bool MovieClosed(PlayingCopy& player, HWND video) {
  return WaitUntil([&] { return !QueryTransport(player.main).Active() && !IsWindowVisible(video); });
}

// Ctrl+F4 while the picture in its window holds the keys: the video window
// hides with the movie.
bool CloseFromThePicture(PlayingCopy& player, HWND video) {
  lctest::ClickCentre(video);
  if (!player.Windows(kFull | kPicture, kPicture)) return false;
  PressKey(VK_F4, {VK_CONTROL});
  return MovieClosed(player, video);
}

// Ctrl+F4 in full screen: the picture leaves full screen and hides.
bool CloseInFullScreen(PlayingCopy& player, HWND video) {
  if (!lctest::MakeForeground(player.main)) return false;
  PressKey('F');
  if (!player.Windows(kFull | kParked | kPicture, kFull | kParked | kPicture)) return false;
  PressKey(VK_F4, {VK_CONTROL});
  return MovieClosed(player, video) && player.Windows(kFull, 0);
}

// The main window in front of the full-screen picture, the playlist shown
// from it and closed again with Escape.
bool PlaylistClosedInFullScreen(PlayingCopy& player, HWND) {
  if (!lctest::MakeForeground(player.main)) return false;
  PressKey('F');
  if (!player.Windows(kFull | kParked | kPicture, kFull | kParked | kPicture)) return false;
  PressKey('H');
  if (!player.Windows(kFull | kParked | kEnabled, kFull | kEnabled)) return false;
  PressKey('P', {VK_MENU});
  HWND playlist = lctest::WaitForWindow(L"TfrmPlayList", player.Id(), 10000, true);
  if (!playlist || !WaitUntil([&] { return GetForegroundWindow() == playlist; })) return false;
  PressKey(VK_ESCAPE);
  return player.Windows(kWindowsPlaylistShown | kFull, kFull);
}

// The boss keys hide the player and show it again; the picture, which
// held the keys, holds them again.
bool HiddenByTheBossKey(PlayingCopy& player, HWND video) {
  lctest::ClickCentre(video);
  if (!player.Windows(kFull | kPicture, kPicture)) return false;
  PressKey(VK_F9, {VK_CONTROL, VK_MENU});
  if (!WaitUntil([&] { return !IsWindowVisible(player.main) && !IsWindowVisible(video); })) return false;
  PressKey(VK_F10, {VK_CONTROL, VK_MENU});
  if (!WaitUntil([&] { return IsWindowVisible(player.main) && IsWindowVisible(video); })) return false;
  return player.Windows(kPicture, kPicture);
}

const LeftState kLeftStates[] = {
    {"the movie closed from the picture", {}, CloseFromThePicture, VK_F4},
    {"the movie closed in full screen", {}, CloseInFullScreen, 'X'},
    {"the playlist closed over the full-screen picture", {}, PlaylistClosedInFullScreen, 'X'},
    {"the player hidden and shown by the boss keys",
     {"BossKey=1", "BossKeyHide=Ctrl+Alt+F9", "BossKeyShow=Ctrl+Alt+F10"},
     HiddenByTheBossKey,
     'X'},
};

// Whatever a close or a hide left, the keys reach the player: R steps the
// repeat mode, and Alt+X or Alt+F4 ends the player.
TEST(ProgramKeys, TheKeysActAfterACloseOrAHide) {
  int index = 0;
  for (const LeftState& state : kLeftStates) {
    SCOPED_TRACE(state.name);
    const std::wstring name = L"LcKeysLeft" + std::to_wstring(index++);
    PlayingCopy player(name.c_str(), state.settings);
    ASSERT_NE(player.main, nullptr);
    ASSERT_TRUE(lctest::WaitUntilPlaying(player.main, 0).Playing());
    HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", player.Id(), 10000, true);
    ASSERT_NE(video, nullptr);
    ASSERT_TRUE(state.leave(player, video));

    PressKey('R');
    EXPECT_TRUE(WaitUntil([&] { return lctest::QueryFace(player.main)["RepeatLabel"] == "Repeat one"; }));
    PressKey(state.closeKey, {VK_MENU});
    EXPECT_EQ(player.Wait(20000), 0u);
  }
}

// Moments at which keys typed on the display's own keyboard hide the window
// that holds it just after another window took it: the keys come while the
// player is busy, and the display moves its focus to the new window after
// they were typed. Each moment is reached from a player that started with
// the demo clip (on its first run with `firstRun`; `ready` may ask it by
// message before it types anything on the display), then `keys` are typed
// at once.
struct DisplayMoment {
  const char* name;
  bool firstRun;
  bool (*ready)(PlayingCopy& player);
  const char* keys;
};

bool JustShown(PlayingCopy&) { return true; }

// Full screen, the picture holding the keys.
bool PictureInFullScreen(PlayingCopy& player) {
  if (!lctest::WaitUntilPlaying(player.main, 0).Playing() || !lctest::MakeForeground(player.main)) return false;
  PressKey('F');
  return player.Windows(kFull | kParked | kPicture, kFull | kParked | kPicture);
}

const DisplayMoment kDisplayMoments[] = {
    // Ctrl+F4 the moment the main window shows, while the movie still
    // opens.
    {"Ctrl+F4 as the movie opens", false, JustShown, "ctrl+F4"},
    // The same after the first run's question was answered: the picture
    // appears and takes the keyboard, then hides.
    {"Ctrl+F4 as the movie opens after the first run's question", true, JustShown, "ctrl+F4"},
    // F6's media information window, slow to come, takes the keyboard
    // after Escape and Ctrl+F4 were typed; Escape closes it and Ctrl+F4
    // closes the movie, which hides the full-screen picture.
    {"F6, Escape and Ctrl+F4 over the full-screen picture", false, PictureInFullScreen, "F6 Escape ctrl+F4"},
};

// At none of these moments does the display leave the keyboard with nobody,
// not even for the few milliseconds between a window hiding and the next
// taking the keys (a key typed then would go nowhere): the display's focus
// is read every few milliseconds while it happens. R and Alt+X typed on
// the display afterwards step the repeat mode, which the closing player
// writes in its settings, and end the player. The moments are short, so
// the player starts several times; a start whose keys came before the
// opening began plays on in its window and does not count. (Nothing here
// asks the player by message once the display's tools have run: replies
// to this process stop coming under Wine after it starts a program of the
// host.)
TEST(ProgramKeys, KeysOnTheDisplayActAfterTheirWindowHid) {
  int index = 0;
  for (const DisplayMoment& moment : kDisplayMoments) {
    SCOPED_TRACE(moment.name);
    int closed = 0;
    for (int start = 0; start < 4; ++start) {
      SCOPED_TRACE(start);
      const std::wstring name = L"LcKeysDisplay" + std::to_wstring(index++);
      PlayingCopy player(name.c_str(), {}, moment.firstRun);
      if (moment.firstRun) player.Answer("n");
      ASSERT_NE(player.main, nullptr);
      ASSERT_TRUE(moment.ready(player));
      const lctest::DisplayFocusRecord focus(2500);
      ASSERT_TRUE(lctest::TypeOnTheDisplay(moment.keys));
      Sleep(1500);
      HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", player.Id(), 0);
      if (video && !IsWindowVisible(video)) ++closed;
      EXPECT_EQ(focus.KeyboardWithNobody(), 0);
      ASSERT_TRUE(lctest::TypeOnTheDisplay("r"));
      ASSERT_TRUE(lctest::TypeOnTheDisplay("alt+x"));
      ASSERT_EQ(player.Wait(20000), 0u);
      EXPECT_EQ(lctest::SettingsValue(player.SettingsFile(), "RepeatStatus"), "1");
    }
    EXPECT_GE(closed, 2);
  }
}

// Keys typed on the display right after the first run's question was
// answered, as the main window appears and the movie opens: the display
// never leaves the keyboard with nobody, not as the question closes
// either, and Ctrl+F4 closes the movie unless it came before the opening
// began. R and Alt+X then act, as above.
TEST(ProgramKeys, KeysTypedRightAfterTheFirstRunQuestionAct) {
  const char* const kAnswers[] = {"n sleep 0.05 key ctrl+F4", "n sleep 0.15 key ctrl+F4", "n sleep 0.3 key ctrl+F4",
                                  "n sleep 0.45 key ctrl+F4"};
  int closed = 0, index = 0;
  for (const char* answer : kAnswers) {
    SCOPED_TRACE(answer);
    const std::wstring name = L"LcKeysAnswer" + std::to_wstring(index++);
    PlayingCopy player(name.c_str(), {}, true);
    Sleep(1000);
    const lctest::DisplayFocusRecord focus(4000);
    ASSERT_TRUE(player.Answer(answer));
    Sleep(1500);
    HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", player.Id(), 0);
    if (video && !IsWindowVisible(video)) ++closed;
    EXPECT_EQ(focus.KeyboardWithNobody(), 0);
    ASSERT_TRUE(lctest::TypeOnTheDisplay("r alt+x"));
    ASSERT_EQ(player.Wait(20000), 0u);
    EXPECT_EQ(lctest::SettingsValue(player.SettingsFile(), "RepeatStatus"), "1");
  }
  EXPECT_GE(closed, 2);
}

// Another program the user types in (a window of this test's own process,
// an edit box) stands in front of the player while its list moves on from
// a 5 s movie to the next: every key typed reaches that program and the
// display's keyboard never moves, while the player shows the next movie's
// picture, hidden between the movies or kept up.
TEST(ProgramKeys, AListMovingOnBehindAnotherProgramLeavesItTheKeyboard) {
  const std::vector<std::string> kBetween[] = {{}, {"AutoCloseVideoWindow=0"}};
  int index = 0;
  for (const std::vector<std::string>& settings : kBetween) {
    SCOPED_TRACE(index);
    const std::wstring name = L"LcKeysBehind" + std::to_wstring(index++);
    PlayingCopy player(name.c_str(), settings, false, {"bars.mp4", "demo.mp4"});
    ASSERT_NE(player.main, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return QueryTransport(player.main).Entry() == 0 && QuerySeekBar(player.main) >= 1500; }));
    HWND app = GetWindow(player.main, GW_OWNER);
    HWND video = lctest::WaitForWindow(L"TfrmVideoWindow", player.Id(), 0);
    HWND frame = CreateWindowExW(0, L"STATIC", L"LcKeysOther", WS_POPUP | WS_VISIBLE | WS_BORDER, 100, 100, 700, 300,
                                 nullptr, nullptr, nullptr, nullptr);
    HWND other = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 700, 300, frame, nullptr,
                                 nullptr, nullptr);
    // The display gives it the keyboard as the user's click would.
    lctest::Pump(100);
    ASSERT_TRUE(lctest::FocusOnTheDisplay("LcKeysOther"));
    lctest::Pump(100);
    SetFocus(other);
    for (int n = 0; n < 10 && GetWindowTextLengthW(other) == 0; ++n) {
      lctest::TypeOnTheDisplay("x");
      lctest::Pump(300);
    }
    ASSERT_GT(GetWindowTextLengthW(other), 0);
    SetWindowTextW(other, L"");
    std::string typed, keys;
    for (int n = 0; n < 160; ++n) {
      typed += char('a' + n % 26);
      keys += std::string(keys.empty() ? "" : " ") + typed.back();
    }
    const lctest::DisplayFocusRecord focus(12000);
    ASSERT_TRUE(lctest::TypeOnTheDisplay(keys.c_str()));
    // The pump takes the keys in; the typing goes on after the list moved
    // on (the application's title names the next movie).
    int typedBeforeNext = -1, length = 0;
    wchar_t title[200] = {};
    for (DWORD start = GetTickCount(); length < int(typed.size()) && GetTickCount() - start < 20000;) {
      lctest::Pump(20);
      length = GetWindowTextLengthW(other);
      if (typedBeforeNext < 0 && GetWindowTextW(app, title, 200) && wcsstr(title, L"demo.mp4")) typedBeforeNext = length;
    }
    std::vector<char> text(typed.size() + 2);
    GetWindowTextA(other, text.data(), int(text.size()));
    EXPECT_EQ(text.data(), typed);
    EXPECT_GE(typedBeforeNext, 0);
    EXPECT_LT(typedBeforeNext, int(typed.size()));
    EXPECT_EQ(focus.KeyboardMoves(), 0);
    EXPECT_TRUE(IsWindowVisible(video));
    DestroyWindow(frame);
    EXPECT_EQ(player.Close(), 0u);
  }
}

TEST(ProgramKeys, EveryCommandHasARoomThatRunsIt) {
  lctest::ProgramCopy copy(L"LcKeysRooms");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0", "EqualizerShow=0", "PlayListShow=0"});
  lctest::ChildProcess process(copy.Exe(), L"");
  HWND main = lctest::WaitForVisibleMainWindow(process.Id(), 30000);
  ASSERT_NE(main, nullptr);
  auto Handled = [main](WPARAM command) {
    DWORD_PTR answer = 2;
    SendMessageTimeoutW(main, WM_QUERYCOMMANDHANDLER, command, 0, SMTO_NORMAL, 5000, &answer);
    return answer;
  };
  EXPECT_EQ(Handled(0), 0u) << "None is no command";
  for (WPARAM command = 1; command < WPARAM(lc::Cmd::EndOfList); ++command)
    EXPECT_EQ(Handled(command), 1u) << "command " << command;
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(process.Wait(20000), 0u);
  copy.Uninstall();
}

}  // namespace
