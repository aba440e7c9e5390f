#include "settings/win/settings_win.h"

#include <windows.h>

#include <cstdint>

#include "framework/unicode.h"
#include "settings/file_io.h"
#include "settings/text_encoding.h"

namespace lc::settings {
namespace {

// The system's ANSI code page; characters it lacks become its default
// character.
class AnsiCodePageCodec final : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) const override { return EncodeText(DecodeText(ansi, CP_ACP)); }
  std::string FromUtf8(std::string_view utf8) const override { return EncodeText(DecodeText(utf8), CP_ACP); }
};

}  // namespace

bool ReplaceFileWin(const std::string& source, const std::string& target) {
  const std::wstring wideTarget = Utf8ToWide(target);
  // Windows refuses to replace a read-only file; say so explicitly, since
  // not every implementation of the call does.
  const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  // Another player reading the file at this instant holds it open: the
  // replace waits for it a little.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(Utf8ToWide(source).c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return true;
    const DWORD error = GetLastError();
    if (attempt == 9 || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)) return false;
    Sleep(20);
  }
}

void* LockSaveWin(const std::string& path) {
  // One named mutex per file, named after its lower-cased path (a name may
  // not hold the path's backslashes, nor be as long as a path may be).
  std::wstring wide = Utf8ToWide(path);
  CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
  std::uint64_t hash = 14695981039346656037ull;  // FNV-1a
  for (wchar_t c : wide) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  std::wstring name = L"Local\\lc-save-";
  for (int shift = 60; shift >= 0; shift -= 4) name += L"0123456789abcdef"[(hash >> shift) & 15];
  HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  if (!mutex) return nullptr;
  // A save takes milliseconds; a player that holds it longer is hung, and
  // this save gives up rather than hang too (going on without the lock, it
  // could write over what that player writes). A mutex whose holder died
  // is ours.
  const DWORD waited = WaitForSingleObject(mutex, 10000);
  if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED) return mutex;
  CloseHandle(mutex);
  return nullptr;
}

void UnlockSaveWin(void* held) {
  ReleaseMutex(held);
  CloseHandle(held);
}

bool RenameNewFileWin(const std::string& source, const std::string& target) {
  return MoveFileExW(Utf8ToWide(source).c_str(), Utf8ToWide(target).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

void InstallWindowsSettingsServices() {
  static const AnsiCodePageCodec codec;
  SetAnsiCodec(&codec);
  SetFileSteps({.replace = &ReplaceFileWin,
                .renameNew = &RenameNewFileWin,
                .lockSave = &LockSaveWin,
                .unlockSave = &UnlockSaveWin});
}

}  // namespace lc::settings
