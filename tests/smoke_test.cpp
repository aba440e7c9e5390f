// Starts the real Lumacraft.exe and checks that its main window appears and
// that the program ends cleanly when the window is closed.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/support/process.h"

namespace {

TEST(AppSmoke, MainWindowAppearsAndClosesCleanly) {
  lctest::ChildProcess app(lctest::WindowsPath(LC_EXE_PATH), L"");
  ASSERT_TRUE(app.Started()) << "CreateProcess failed: " << GetLastError();

  HWND main = lctest::WaitForWindow(L"TfrmMain", app.Id(), 30000);
  ASSERT_NE(main, nullptr) << "no TfrmMain window within 30 s";
  EXPECT_TRUE(IsWindowVisible(main));

  wchar_t caption[128] = {};
  GetWindowTextW(main, caption, 128);
  EXPECT_STREQ(caption, L"LumacraftMainWindow");

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(app.Wait(20000), 0u);
}

}  // namespace
