// Starts Lumacraft.exe and checks that its main window appears with the
// caption a second instance looks for, and that the program ends cleanly
// when the window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/process.h"
#include "tests/support/program_copy.h"

namespace {

TEST(AppSmoke, MainWindowAppearsAndClosesCleanly) {
  lctest::ProgramCopy copy(L"Lumacraft");
  lctest::WriteSettingsFile(copy.SettingsFile(), {"FirstRun=0"});
  lctest::ChildProcess app(copy.Exe(), L"");
  ASSERT_TRUE(app.Started()) << "CreateProcess failed: " << GetLastError();

  HWND main = lctest::WaitForVisibleMainWindow(app.Id(), 30000);
  ASSERT_NE(main, nullptr) << "no visible TfrmMain window within 30 s";

  wchar_t caption[128] = {};
  GetWindowTextW(main, caption, 128);
  EXPECT_STREQ(caption, L"LumacraftMainWindow");
  RECT r = {};
  GetClientRect(main, &r);
  EXPECT_EQ(r.right, 460);
  EXPECT_EQ(r.bottom, 150);

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Wait(20000), 0u);
  copy.Uninstall();
}

}  // namespace
