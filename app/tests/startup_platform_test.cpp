// The start-up's platform side under Wine: the single-instance marker, the
// hand-over message, real file moves, the data folder and the priority.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

#include "app/instance.h"
#include "app/migration.h"
#include "app/startup_platform.h"
#include "framework/unicode.h"
#include "tests/support/scratch.h"

namespace lc {
namespace {

TEST(InstanceMarker, SecondCreationSeesTheFirstAndLetterCaseCounts) {
  const std::wstring name = L"LcMarkerTest" + std::to_wstring(GetCurrentProcessId());
  EXPECT_FALSE(InstanceMarkerExisted(name));
  EXPECT_TRUE(InstanceMarkerExisted(name));
  // Base names that differ only in letter case do not see each other.
  std::wstring upper = name;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  EXPECT_FALSE(InstanceMarkerExisted(upper));
}

// A stand-in for the running player's main window: it refuses the first
// `refusals` hand-overs (as the player does while it is still starting or
// busy), then takes them.
struct Receiver {
  std::vector<std::string> texts;
  std::vector<DWORD> sizes;
  int refusals = 0;
};
Receiver* gReceiver = nullptr;

LRESULT CALLBACK ReceiverProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COPYDATA && gReceiver) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
    gReceiver->texts.emplace_back(static_cast<const char*>(data->lpData), data->cbData);
    gReceiver->sizes.push_back(data->cbData);
    return gReceiver->refusals-- > 0 ? 0 : 1;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

class HandOverTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gReceiver = &receiver;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TfrmMain";
    RegisterClassW(&wc);
    window = CreateWindowExW(0, L"TfrmMain", L"LcHandOverMainWindow", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                             wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    DestroyWindow(window);
    gReceiver = nullptr;
  }
  Receiver receiver;
  HWND window = nullptr;
};

TEST_F(HandOverTest, ArgumentsGoToTheVisibleMainWindowInOneMessage) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  // The title comparison ignores letter case.
  EXPECT_TRUE(HandOverToRunningInstance(L"lchandover", nullptr, {L"C:\\a.avi", L"C:\\b c.mkv", L"D:\\films"}));
  ASSERT_EQ(receiver.texts.size(), 1u);
  EXPECT_EQ(receiver.texts[0], "C:\\a.avi\x01" "C:\\b c.mkv\x01" "D:\\films\x01");
  EXPECT_EQ(receiver.sizes[0], 29u);
}

// A player that refuses the files while it is still starting is asked
// again until it takes them; one that never does is given up on.
TEST_F(HandOverTest, ARefusedHandOverIsTriedAgainUntilTakenOrGivenUp) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  receiver.refusals = 3;
  EXPECT_TRUE(HandOverToRunningInstance(L"LcHandOver", nullptr, {L"C:\\a.avi"}));
  EXPECT_EQ(receiver.texts, std::vector<std::string>(4, "C:\\a.avi\x01"));

  receiver.texts.clear();
  receiver.refusals = 1000;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(HandOverToRunningInstance(L"LcHandOver", nullptr, {L"C:\\b.avi"}, 500));
  EXPECT_GE(GetTickCount() - start, 500u);
  EXPECT_GE(receiver.texts.size(), 2u);
}

// Names the code page cannot spell travel as UTF-8 behind its mark.
TEST_F(HandOverTest, NamesOutsideTheCodePageArriveWhole) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(HandOverToRunningInstance(L"LcHandOver", nullptr, {L"C:\\\x03A9mega.avi"}));
  ASSERT_EQ(receiver.texts.size(), 1u);
  EXPECT_EQ(receiver.texts[0], "\xEF\xBB\xBF" "C:\\\xCE\xA9mega.avi\x01");
}

TEST_F(HandOverTest, ALongCommandLineIsCutAtTheLimit) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  HandOverToRunningInstance(L"LcHandOver", nullptr, {std::wstring(9000, L'a'), std::wstring(500, L'b')});
  ASSERT_EQ(receiver.texts.size(), 1u);
  EXPECT_EQ(receiver.sizes[0], 9252u);
  EXPECT_EQ(receiver.texts[0].substr(9000, 2), "\x01" "b");
}

TEST_F(HandOverTest, NothingIsSentWithoutArgumentsOrToAHiddenWindow) {
  ShowWindow(window, SW_SHOWNOACTIVATE);
  EXPECT_TRUE(HandOverToRunningInstance(L"LcHandOver", nullptr, {}, 300));
  EXPECT_TRUE(receiver.texts.empty());
  ShowWindow(window, SW_HIDE);
  EXPECT_FALSE(HandOverToRunningInstance(L"LcHandOver", nullptr, {L"C:\\a.avi"}, 300));
  EXPECT_TRUE(receiver.texts.empty());
  // Another base name never finds this window.
  ShowWindow(window, SW_SHOWNOACTIVATE);
  EXPECT_FALSE(HandOverToRunningInstance(L"LcHandOv", nullptr, {L"C:\\a.avi"}, 300));
  EXPECT_TRUE(receiver.texts.empty());
}

TEST(WindowsMigration, MovesOnlyFilesMissingInTheDataFolder) {
  const lctest::ScratchFolder scratch;
  std::filesystem::create_directories(scratch.path() / "exe");
  std::filesystem::create_directories(scratch.path() / "data");
  const std::string exe = scratch.File("exe") + "\\", data = scratch.File("data") + "\\";
  lctest::WriteBytes(exe + "LcMig.ini", "old settings");
  lctest::WriteBytes(exe + "Presets.EQ", "old presets");
  lctest::WriteBytes(data + "Presets.EQ", "new presets");

  auto moved = MigrateOldFiles(exe, data, "LcMig", WindowsFileOps());
  EXPECT_EQ(moved, std::vector<std::string>{"LcMig.ini"});
  EXPECT_EQ(lctest::ReadBytes(data + "LcMig.ini"), "old settings");
  EXPECT_EQ(GetFileAttributesW(Utf8ToWide(exe + "LcMig.ini").c_str()), INVALID_FILE_ATTRIBUTES);
  // The newer copy wins; the old one stays where it was.
  EXPECT_EQ(lctest::ReadBytes(data + "Presets.EQ"), "new presets");
  EXPECT_EQ(lctest::ReadBytes(exe + "Presets.EQ"), "old presets");

  // A second start moves nothing.
  EXPECT_TRUE(MigrateOldFiles(exe, data, "LcMig", WindowsFileOps()).empty());
}

TEST(DataFolder, IsCreatedUnderTheApplicationData) {
  const std::wstring name = L"LcDataTest" + std::to_wstring(GetCurrentProcessId());
  const std::wstring appData = GetSpecialFolderPath(0x1A /* CSIDL_APPDATA */);
  ASSERT_FALSE(appData.empty());
  EXPECT_NE(appData.back(), L'\\');
  const std::wstring folder = ChooseDataFolder(name, L"C:\\exe\\");
  EXPECT_EQ(folder, appData + L"\\" + name + L"\\");
  DWORD attributes = GetFileAttributesW(folder.c_str());
  EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  RemoveDirectoryW(folder.c_str());
}

TEST(Priority, HeldValuesGiveTheirClasses) {
  EXPECT_EQ(PriorityClassFor(0), static_cast<unsigned>(HIGH_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassFor(1), static_cast<unsigned>(ABOVE_NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassFor(2), 0u);
  EXPECT_EQ(PriorityClassFor(3), static_cast<unsigned>(BELOW_NORMAL_PRIORITY_CLASS));
  EXPECT_EQ(PriorityClassFor(4), 0u);
  EXPECT_EQ(PriorityClassFor(-1), 0u);
}

}  // namespace
}  // namespace lc
