#include "kit/system_utils.h"

#include <windows.h>

#include "kit/text_utils.h"

namespace {

const wchar_t AppPathsKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

bool WriteString(HKEY Key, const wchar_t* Name, const std::wstring& Value) {
  DWORD Bytes = static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(Key, Name, 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(Value.c_str()), Bytes) ==
         ERROR_SUCCESS;
}

// Restores the process's error mode when the scope ends.
class TErrorModeScope {
 public:
  explicit TErrorModeScope(UINT Mode) : FOld(SetErrorMode(Mode)) {}
  ~TErrorModeScope() { SetErrorMode(FOld); }
  TErrorModeScope(const TErrorModeScope&) = delete;
  TErrorModeScope& operator=(const TErrorModeScope&) = delete;

 private:
  UINT FOld;
};

}  // namespace

bool RegisterAppPath(const std::wstring& ExePath) {
  auto Slash = ExePath.find_last_of(L"\\/:");
  std::wstring Folder = Slash == std::wstring::npos ? std::wstring() : ExePath.substr(0, Slash + 1);
  std::wstring FileName = ExePath.substr(Folder.size());
  if (FileName.empty()) return false;

  HKEY Key = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, (AppPathsKey + FileName).c_str(), 0,
                      nullptr, 0, KEY_SET_VALUE, nullptr, &Key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  bool Written = WriteString(Key, nullptr, ExePath) && WriteString(Key, L"path", Folder);
  RegCloseKey(Key);
  return Written;
}

bool ChangeToFolderOrParent(const std::wstring& Path) {
  std::wstring Lower = Path;
  if (!Lower.empty())
    CharLowerBuffW(Lower.data(), static_cast<DWORD>(Lower.size()));
  return WalkToFolderOrParent(Lower, [](const std::wstring& P) {
    return SetCurrentDirectoryW(P.c_str()) != 0;
  });
}

bool IsDriveReady(wchar_t Drive) {
  int Number = DriveNumber(Drive);
  if (Number == 0) return false;
  TErrorModeScope Quiet(SEM_FAILCRITICALERRORS);
  const wchar_t Root[] = {static_cast<wchar_t>(L'A' + Number - 1), L':', L'\\', 0};
  ULARGE_INTEGER Total;
  return GetDiskFreeSpaceExW(Root, nullptr, &Total, nullptr) != 0;
}
