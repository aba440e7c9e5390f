// File associations and shell verbs: which media types open in the player,
// the program identifier (AppName + ".File") with its "Play" and "Enqueue"
// verbs, and the two folder verbs. Every write goes to the machine-wide
// classes first and falls back to the user's own classes
// ("Software\Classes" under the current user) when that fails.
//
// All registry errors are handled here; none reaches the caller. Only the
// per-extension writes record a failure, in RegistryWriteError.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "settings/registry.h"

namespace lc {

class Associations {
 public:
  // `exePath` is the running executable's full path; `notifyShell` sends
  // the shell's association-changed notification.
  Associations(Registry& registry, std::string appName, std::string exePath,
               std::function<void()> notifyShell = {});

  // True when the extension's default value names our program identifier.
  bool GetRegExt(const std::string& ext) const;
  // Makes the extension ours, keeping another program's identifier in the
  // backup value; true when the extension now names our identifier.
  bool SetRegExt(const std::string& ext);
  // Gives the extension back (the backup value becomes its default again);
  // true when the extension no longer names our identifier.
  bool RemRegExt(const std::string& ext);

  // Writes the program identifier with its verbs and, when withFolderVerbs,
  // the folder verbs.
  void WriteProgIdSet(bool withFolderVerbs = true);
  // Deletes the program identifier and the folder verbs, in both roots.
  void DeleteProgramKeys();
  void NotifyShell();

  // The registration at start: re-registers the types marked "1" in
  // `fileAssociation` that lost their association (when `registerOnLoad`),
  // always registers the playlist type, and writes the identifier while
  // anything points at it.
  void StartupRegistration(const std::vector<std::string>& mediaExtensions, std::string& fileAssociation,
                           bool registerOnLoad);
  // "/uninstall": gives back every associated type, the playlist type when
  // it is ours, and deletes the program's keys.
  void Uninstall(const std::vector<std::string>& mediaExtensions);
  // The first run's clean-up of a key older versions wrote.
  void DeleteLegacyFolderVerb();
  bool AnyAssociated(const std::vector<std::string>& mediaExtensions) const;
  // The "Yes" answer to the first-run question: associates every type.
  void AssociateAll(const std::vector<std::string>& mediaExtensions, std::string& fileAssociation);

  // True when the identifier's "Play" command runs this executable and
  // "Play" is its default verb.
  bool ProgIdIsOurs() const;
  // The File Types list's check marks: an extension is checked when it
  // points to our identifier and the identifier is ours.
  std::vector<bool> AssociatedChecks(const std::vector<std::string>& extensions) const;
  // The configuration dialog's Apply over its File Types lines (upper or
  // lower case) and their check marks: MediaExtensions and FileAssociation
  // are rebuilt from the lines, checked types registered, unchecked ones
  // of ours given back, the identifier rewritten while anything uses it,
  // the marks refreshed from the registry and the shell told when
  // FileAssociation changed.
  void ApplyFileTypes(const std::vector<std::string>& lines, std::vector<bool>& checks,
                      std::vector<std::string>& mediaExtensions, std::string& fileAssociation);

  bool RegistryWriteError = false;

  static constexpr const char* kPlaylistExtension = "lpl";

 private:
  std::string ProgId() const { return appName_ + ".File"; }
  std::string BackupName() const { return appName_ + "FileBak"; }
  bool SetRegExtIn(RegRoot root, const std::string& prefix, const std::string& ext);
  bool WriteProgIdSetIn(RegRoot root, const std::string& prefix, bool withFolderVerbs);
  // The identifier exists whenever an extension of ours points at it; the
  // folder verbs only while a media type is associated (the playlist type
  // alone does not bring back folder entries the user removed).
  void WriteProgIdSetWhenUsed(const std::string& fileAssociation);

  Registry& reg_;
  std::string appName_;
  std::string exePath_;
  std::function<void()> notifyShell_;
};

}  // namespace lc
