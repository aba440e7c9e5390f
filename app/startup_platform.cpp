#include "app/startup_platform.h"
#include "framework/unicode.h"

#include <windows.h>
#include <shlobj.h>

namespace lc {

std::wstring GetSpecialFolderPath(int csidl) {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

namespace {
bool FolderExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
}  // namespace

std::wstring ChooseDataFolder(const std::wstring& appName, const std::wstring& exeFolder) {
  const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA);
  if (appData.empty()) return exeFolder;
  const std::wstring folder = appData + L"\\" + appName + L"\\";
  if (!FolderExists(folder)) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
  return FolderExists(folder) ? folder : exeFolder;
}

FileOps WindowsFileOps() {
  return {[](const std::string& path) {
            return GetFileAttributesW(Utf8ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
          },
          [](const std::string& from, const std::string& to) {
            return CopyFileW(Utf8ToWide(from).c_str(), Utf8ToWide(to).c_str(), TRUE) != FALSE;
          },
          [](const std::string& path) { DeleteFileW(Utf8ToWide(path).c_str()); }};
}

unsigned PriorityClassFor(int heldPriority) {
  switch (heldPriority) {
    case 0: return HIGH_PRIORITY_CLASS;
    case 1: return ABOVE_NORMAL_PRIORITY_CLASS;
    case 3: return BELOW_NORMAL_PRIORITY_CLASS;
    default: return 0;
  }
}

void ApplyProcessPriority(int heldPriority) {
  if (unsigned cls = PriorityClassFor(heldPriority)) SetPriorityClass(GetCurrentProcess(), cls);
}

}  // namespace lc
