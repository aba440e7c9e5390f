// Files with letters outside ASCII in their names, under a host locale
// that is not UTF-8: CTest starts this program with LANG and LC_ALL set to
// "C", so it passes only when the Wine runner reaches such names anyway.
#include <gtest/gtest.h>

#include <string>

#include <windows.h>

namespace {

std::wstring TempFolder() {
  wchar_t buffer[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, buffer);
  return buffer;
}

// The names that a Windows program lists in `folder`.
std::wstring OnlyEntry(const std::wstring& folder) {
  WIN32_FIND_DATAW found = {};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  std::wstring names;
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names += name + L";";
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

TEST(HostLocale, NonAsciiNamesAreCreatedWrittenRenamedAndDeleted) {
  // Accented Latin, Cyrillic and CJK letters.
  const std::wstring folder = TempFolder() + L"lc-\u00e9t\u00e9-" +
                              std::to_wstring(GetCurrentProcessId());
  const std::wstring first = folder + L"\\\u0444\u0438\u043b\u044c\u043c.txt";
  const std::wstring second = folder + L"\\\u5b57\u5e55 \u00c9V\u00c9.srt";

  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << GetLastError();
  HANDLE file = CreateFileW(first.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(file, "abc", 3, &written, nullptr));
  CloseHandle(file);

  ASSERT_TRUE(MoveFileW(first.c_str(), second.c_str())) << GetLastError();
  EXPECT_EQ(OnlyEntry(folder), L"\u5b57\u5e55 \u00c9V\u00c9.srt;");

  WIN32_FILE_ATTRIBUTE_DATA data = {};
  ASSERT_TRUE(GetFileAttributesExW(second.c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 3u);

  EXPECT_TRUE(DeleteFileW(second.c_str())) << GetLastError();
  EXPECT_TRUE(RemoveDirectoryW(folder.c_str())) << GetLastError();
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
