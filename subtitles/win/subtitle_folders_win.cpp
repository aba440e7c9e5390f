#include "subtitles/win/subtitle_folders_win.h"

#include <windows.h>

#include "framework/unicode.h"
#include "kit/system_utils.h"

namespace lc::subtitles {

bool WinSubtitleFolders::DriveReady(char letter) const {
  return IsDriveReady(static_cast<wchar_t>(static_cast<unsigned char>(letter)));
}

std::vector<std::string> WinSubtitleFolders::FileNames(const std::string& folder) const {
  std::vector<std::string> names;
  std::wstring pattern = DecodeText(folder);
  if (!pattern.empty() && pattern.back() != L'\\' && pattern.back() != L'/') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(EncodeText(found.cFileName));
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return names;
}

}  // namespace lc::subtitles
