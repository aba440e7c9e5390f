// The real Windows registry behind the Registry interface.
#pragma once

#include "settings/registry.h"

namespace lc {

class WinRegistry : public Registry {
 public:
  bool CreateKey(RegRoot root, const std::string& path) override;
  bool KeyExists(RegRoot root, const std::string& path) const override;
  std::optional<std::string> ReadString(RegRoot root, const std::string& path,
                                        const std::string& name) const override;
  bool WriteString(RegRoot root, const std::string& path, const std::string& name,
                   const std::string& data) override;
  bool DeleteValue(RegRoot root, const std::string& path, const std::string& name) override;
  bool DeleteTree(RegRoot root, const std::string& path) override;
};

// Tells the shell that file associations changed.
void NotifyShellOfAssociations();

}  // namespace lc
