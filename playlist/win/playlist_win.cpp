#include "playlist/win/playlist_win.h"

#include "framework/unicode.h"
#include "playlist/text_rules.h"

namespace lc::playlist {
namespace {

class WindowsCollation final : public Collation {
 public:
  std::string Lower(std::string_view text) const override {
    std::wstring wide = DecodeText(text);
    if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return EncodeText(wide);
  }

  int CompareNoCase(std::string_view a, std::string_view b) const override {
    const std::wstring wa = DecodeText(a);
    const std::wstring wb = DecodeText(b);
    const int result = CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, wa.data(), static_cast<int>(wa.size()),
                                      wb.data(), static_cast<int>(wb.size()));
    if (result == 0) return Lower(a).compare(Lower(b));
    return result - CSTR_EQUAL;
  }
};

}  // namespace

void InstallWindowsPlaylistServices() {
  static const WindowsCollation collation;
  SetCollation(&collation);
}

std::vector<std::string> TakeDroppedFiles(HDROP drop) {
  std::vector<std::string> names;
  const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileW(drop, i, nullptr, 0);
    std::wstring name(length + 1, L'\0');
    const UINT copied = DragQueryFileW(drop, i, name.data(), length + 1);
    name.resize(copied);
    names.push_back(EncodeText(name));
  }
  DragFinish(drop);
  return names;
}

}  // namespace lc::playlist
