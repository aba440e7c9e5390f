#include "settings/win/settings_win.h"

#include <windows.h>

#include "settings/file_io.h"
#include "settings/text_encoding.h"

namespace lc::settings {
namespace {

std::wstring ToWide(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                        nullptr);
  }
  return out;
}

// The system's ANSI code page; characters it lacks become its default
// character.
class AnsiCodePageCodec final : public AnsiCodec {
 public:
  std::string ToUtf8(std::string_view ansi) const override { return FromWide(CP_UTF8, ToWide(CP_ACP, ansi)); }
  std::string FromUtf8(std::string_view utf8) const override { return FromWide(CP_ACP, ToWide(CP_UTF8, utf8)); }
};

}  // namespace

std::wstring Utf8ToWide(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }

std::string WideToUtf8(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }

bool ReplaceFileWin(const std::string& source, const std::string& target) {
  const std::wstring wideTarget = Utf8ToWide(target);
  // Windows refuses to replace a read-only file; say so explicitly, since
  // not every implementation of the call does.
  const DWORD attributes = GetFileAttributesW(wideTarget.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) return false;
  return MoveFileExW(Utf8ToWide(source).c_str(), wideTarget.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

void InstallWindowsSettingsServices() {
  static const AnsiCodePageCodec codec;
  SetAnsiCodec(&codec);
  SetReplaceFileFunction(&ReplaceFileWin);
}

}  // namespace lc::settings
