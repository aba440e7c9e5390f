#include "settings/win/registry_win.h"
#include "framework/unicode.h"

#include <vector>

#include <windows.h>
#include <shlobj.h>

namespace lc {

namespace {

HKEY RootKey(RegRoot root) {
  switch (root) {
    case RegRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegRoot::CurrentUser: return HKEY_CURRENT_USER;
    case RegRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
  }
  return HKEY_CURRENT_USER;
}

// An open key, closed when it goes.
class Key {
 public:
  Key(RegRoot root, const std::string& path, REGSAM access, bool create) {
    const std::wstring wpath = Utf8ToWide(path);
    LONG rc = create ? RegCreateKeyExW(RootKey(root), wpath.c_str(), 0, nullptr, 0, access, nullptr, &key_, nullptr)
                     : RegOpenKeyExW(RootKey(root), wpath.c_str(), 0, access, &key_);
    if (rc != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  explicit operator bool() const { return key_ != nullptr; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

bool WinRegistry::CreateKey(RegRoot root, const std::string& path) {
  return static_cast<bool>(Key(root, path, KEY_READ | KEY_WRITE, true));
}

bool WinRegistry::KeyExists(RegRoot root, const std::string& path) const {
  return static_cast<bool>(Key(root, path, KEY_READ, false));
}

std::optional<std::string> WinRegistry::ReadString(RegRoot root, const std::string& path,
                                                   const std::string& name) const {
  Key key(root, path, KEY_READ, false);
  if (!key) return std::nullopt;
  const std::wstring wname = Utf8ToWide(name);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
  std::vector<wchar_t> buffer(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &bytes) !=
      ERROR_SUCCESS)
    return std::nullopt;
  // The stored text may or may not carry its terminator.
  buffer.back() = L'\0';
  return WideToUtf8(buffer.data());
}

bool WinRegistry::WriteString(RegRoot root, const std::string& path, const std::string& name,
                              const std::string& data) {
  Key key(root, path, KEY_READ | KEY_WRITE, true);
  if (!key) return false;
  const std::wstring wdata = Utf8ToWide(data);
  const DWORD bytes = static_cast<DWORD>((wdata.size() + 1) * sizeof(wchar_t));
  return RegSetValueExW(key.get(), Utf8ToWide(name).c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(wdata.c_str()),
                        bytes) == ERROR_SUCCESS;
}

bool WinRegistry::DeleteValue(RegRoot root, const std::string& path, const std::string& name) {
  Key key(root, path, KEY_READ | KEY_WRITE, false);
  if (!key) return true;
  LONG rc = RegDeleteValueW(key.get(), Utf8ToWide(name).c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool WinRegistry::DeleteTree(RegRoot root, const std::string& path) {
  if (!KeyExists(root, path)) return false;
  return RegDeleteTreeW(RootKey(root), Utf8ToWide(path).c_str()) == ERROR_SUCCESS;
}

void NotifyShellOfAssociations() { SHChangeNotify(SHCNE_ASSOCCHANGED, 3, nullptr, nullptr); }

}  // namespace lc
