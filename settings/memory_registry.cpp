#include "settings/memory_registry.h"

#include <cctype>

namespace lc {

namespace {
const char kUserClasses[] = "software\\classes\\";
}  // namespace

std::string MemoryRegistry::Normalise(const std::string& path) {
  std::string out;
  out.reserve(path.size());
  for (char c : path) out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  while (!out.empty() && out.front() == '\\') out.erase(0, 1);
  while (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

bool MemoryRegistry::CreateKey(RegRoot root, const std::string& path) {
  std::string key = Normalise(path);
  if (KeyExists(root, key)) return true;
  if (!Writable(root)) return false;
  // Parents exist whenever a child does, as in the real registry.
  for (size_t pos = key.find('\\'); pos != std::string::npos; pos = key.find('\\', pos + 1))
    Root(root).try_emplace(key.substr(0, pos));
  Root(root).try_emplace(key);
  return true;
}

bool MemoryRegistry::KeyExists(RegRoot root, const std::string& path) const {
  if (root == RegRoot::ClassesRoot && Root(RegRoot::CurrentUser).count(kUserClasses + Normalise(path))) return true;
  return Root(root).count(Normalise(path)) != 0;
}

std::optional<std::string> MemoryRegistry::ReadString(RegRoot root, const std::string& path,
                                                       const std::string& name) const {
  if (root == RegRoot::ClassesRoot) {
    auto user = ReadString(RegRoot::CurrentUser, kUserClasses + Normalise(path), name);
    if (user) return user;
  }
  auto key = Root(root).find(Normalise(path));
  if (key == Root(root).end()) return std::nullopt;
  auto value = key->second.values.find(Normalise(name));
  if (value == key->second.values.end()) return std::nullopt;
  return value->second;
}

bool MemoryRegistry::WriteString(RegRoot root, const std::string& path, const std::string& name,
                                 const std::string& data) {
  if (!Writable(root) || !CreateKey(root, path)) return false;
  Root(root)[Normalise(path)].values[Normalise(name)] = data;
  return true;
}

bool MemoryRegistry::DeleteValue(RegRoot root, const std::string& path, const std::string& name) {
  auto key = Root(root).find(Normalise(path));
  if (key == Root(root).end() || !key->second.values.count(Normalise(name))) return true;
  if (!Writable(root)) return false;
  key->second.values.erase(Normalise(name));
  return true;
}

bool MemoryRegistry::DeleteTree(RegRoot root, const std::string& path) {
  std::string key = Normalise(path);
  if (!Root(root).count(key) || !Writable(root)) return false;
  auto& keys = Root(root);
  const std::string prefix = key + "\\";
  for (auto it = keys.begin(); it != keys.end();) {
    if (it->first == key || it->first.compare(0, prefix.size(), prefix) == 0)
      it = keys.erase(it);
    else
      ++it;
  }
  return true;
}

void MemoryRegistry::SetReadOnly(RegRoot root, bool readOnly) {
  if (readOnly)
    readOnly_.insert(static_cast<int>(root));
  else
    readOnly_.erase(static_cast<int>(root));
}

size_t MemoryRegistry::KeyCount(RegRoot root) const { return Root(root).size(); }

}  // namespace lc
