// A narrow view of the Windows registry, as the file associations use it.
//
// Strings are UTF-8, as everywhere in the settings. Paths are key paths
// below a root, with "\" separators and no leading "\". Every operation
// reports failure by its result; none throws. The Windows
// implementation (win/registry_win.h) talks to the real registry; MemoryRegistry
// (memory_registry.h) keeps keys in memory for tests and for tools.
#pragma once

#include <optional>
#include <string>

namespace lc {

enum class RegRoot { ClassesRoot, CurrentUser, LocalMachine };

class Registry {
 public:
  virtual ~Registry() = default;

  // Opens the key, creating it and its missing parents; false when the key
  // cannot be opened or created.
  virtual bool CreateKey(RegRoot root, const std::string& path) = 0;
  virtual bool KeyExists(RegRoot root, const std::string& path) const = 0;
  // The string value `name` ("" is the key's default value); nothing when
  // the key or the value is missing or cannot be read.
  virtual std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                                 const std::string& name) const = 0;
  // Creates the key when missing and writes the value; false on failure.
  virtual bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                           const std::string& data) = 0;
  // False when the value existed and could not be deleted; a missing value
  // or key counts as deleted.
  virtual bool DeleteValue(RegRoot root, const std::string& path, const std::string& name) = 0;
  // Deletes the key with all its subkeys; false when it exists and could
  // not be deleted, or does not exist.
  virtual bool DeleteTree(RegRoot root, const std::string& path) = 0;
};

}  // namespace lc
