// An in-memory registry: keys and string values, with roots that can be
// made read-only to play a user without write access to the machine-wide
// classes. As on Windows, reading the classes root sees the user's own
// classes ("Software\Classes" under the current user) first.
#pragma once

#include <map>
#include <set>
#include <string>

#include "settings/registry.h"

namespace lc {

class MemoryRegistry : public Registry {
 public:
  bool CreateKey(RegRoot root, const std::string& path) override;
  bool KeyExists(RegRoot root, const std::string& path) const override;
  std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                         const std::string& name) const override;
  bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                   const std::string& data) override;
  bool DeleteValue(RegRoot root, const std::string& path, const std::string& name) override;
  bool DeleteTree(RegRoot root, const std::string& path) override;

  // Every write, create and delete under `root` fails from now on.
  void SetReadOnly(RegRoot root, bool readOnly);
  // Number of keys under `root` (for tests that check nothing else was
  // written).
  size_t KeyCount(RegRoot root) const;

 private:
  struct Key {
    std::map<std::string, std::string> values;  // name -> data
  };
  // Keys are stored by their lower-cased full path: the registry ignores
  // letter case in key names.
  using KeyMap = std::map<std::string, Key>;
  static std::string Normalise(const std::string& path);
  KeyMap& Root(RegRoot root) { return roots_[static_cast<int>(root)]; }
  const KeyMap& Root(RegRoot root) const { return roots_[static_cast<int>(root)]; }
  bool Writable(RegRoot root) const { return !readOnly_.count(static_cast<int>(root)); }

  KeyMap roots_[3];
  std::set<int> readOnly_;
};

}  // namespace lc
