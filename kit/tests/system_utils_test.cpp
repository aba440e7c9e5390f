#include <gtest/gtest.h>

#include <string>

#include <windows.h>

#include "kit/system_utils.h"

namespace {

std::wstring CurrentFolder() {
  wchar_t Buffer[MAX_PATH];
  DWORD N = GetCurrentDirectoryW(MAX_PATH, Buffer);
  std::wstring S(Buffer, N);
  CharLowerBuffW(S.data(), static_cast<DWORD>(S.size()));
  return S;
}

std::wstring TempFolder() {
  wchar_t Buffer[MAX_PATH];
  DWORD N = GetTempPathW(MAX_PATH, Buffer);
  return std::wstring(Buffer, N);  // with a trailing backslash
}

std::wstring ReadValue(const std::wstring& Key, const wchar_t* Name) {
  wchar_t Buffer[512];
  DWORD Bytes = sizeof(Buffer);
  if (RegGetValueW(HKEY_LOCAL_MACHINE, Key.c_str(), Name, RRF_RT_REG_SZ, nullptr,
                   Buffer, &Bytes) != ERROR_SUCCESS)
    return L"<none>";
  return Buffer;
}

}  // namespace

TEST(RegisterAppPath, WritesThePathAndTheFolder) {
  const std::wstring Key =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\KitTestPlayer.exe";
  ASSERT_TRUE(RegisterAppPath(L"C:\\Program Files\\Kit Test\\KitTestPlayer.exe"));
  EXPECT_EQ(L"C:\\Program Files\\Kit Test\\KitTestPlayer.exe", ReadValue(Key, nullptr));
  EXPECT_EQ(L"C:\\Program Files\\Kit Test\\", ReadValue(Key, L"path"));
  RegDeleteKeyW(HKEY_LOCAL_MACHINE, Key.c_str());
  EXPECT_FALSE(RegisterAppPath(L"C:\\Program Files\\Kit Test\\"));
}

TEST(ChangeToFolderOrParent, SetsTheDeepestExistingParent) {
  const std::wstring Base = TempFolder() + L"KitFolderTest";
  CreateDirectoryW(Base.c_str(), nullptr);
  CreateDirectoryW((Base + L"\\Movies").c_str(), nullptr);
  std::wstring Expected = Base + L"\\movies";
  CharLowerBuffW(Expected.data(), static_cast<DWORD>(Expected.size()));

  EXPECT_TRUE(ChangeToFolderOrParent(Base + L"\\Movies\\Gone\\Deeper\\Deepest"));
  EXPECT_EQ(Expected, CurrentFolder());

  // A short path, a relative one and one on a missing drive change nothing.
  EXPECT_FALSE(ChangeToFolderOrParent(L"c:"));
  EXPECT_FALSE(ChangeToFolderOrParent(L"no such\\folder"));
  EXPECT_EQ(Expected, CurrentFolder());
  SetCurrentDirectoryW(TempFolder().c_str());
  RemoveDirectoryW((Base + L"\\Movies").c_str());
  RemoveDirectoryW(Base.c_str());
}

TEST(ChangeToFolderOrParent, FallsBackToTheDriveRoot) {
  EXPECT_TRUE(ChangeToFolderOrParent(L"C:\\KitNoSuchFolder\\At\\All"));
  EXPECT_EQ(L"c:\\", CurrentFolder());
}

TEST(IsDriveReady, ExistingDrivesOnlyAndLettersOnly) {
  EXPECT_TRUE(IsDriveReady(L'C'));
  EXPECT_TRUE(IsDriveReady(L'c'));
  // '@' would be drive number 0, the current drive, without the letter test.
  for (wchar_t C : {L'@', L'0', L'[', L'\\', L'\0'})
    EXPECT_FALSE(IsDriveReady(C)) << static_cast<int>(C);
  UINT Before = SetErrorMode(0);
  SetErrorMode(Before);
  IsDriveReady(L'Q');
  EXPECT_EQ(Before, SetErrorMode(Before)) << "the error mode is restored";
}
