#include "settings/associations.h"

#include <utility>

#include "settings/settings_store.h"
#include "settings/value_parse.h"

namespace lc {

namespace {

constexpr RegRoot kClasses = RegRoot::ClassesRoot;
constexpr RegRoot kUser = RegRoot::CurrentUser;
// The user's own classes, below the current user.
const std::string kUserClasses = "Software\\Classes\\";

}  // namespace

Associations::Associations(Registry& registry, std::string appName, std::string exePath,
                           std::function<void()> notifyShell)
    : reg_(registry), appName_(std::move(appName)), exePath_(std::move(exePath)),
      notifyShell_(std::move(notifyShell)) {}

bool Associations::GetRegExt(const std::string& ext) const {
  if (!settings::IsValidMediaExtension(ext)) return false;
  auto value = reg_.ReadString(kClasses, "." + ext, "");
  return value && *value == ProgId();
}

bool Associations::SetRegExtIn(RegRoot root, const std::string& prefix, const std::string& ext) {
  const std::string key = prefix + "." + ext;
  if (!reg_.CreateKey(root, key)) return false;
  const std::string old = reg_.ReadString(root, key, "").value_or("");
  if (!old.empty() && old != ProgId() && !reg_.WriteString(root, key, BackupName(), old)) return false;
  return reg_.WriteString(root, key, "", ProgId());
}

bool Associations::SetRegExt(const std::string& ext) {
  // An extension from the settings file that is empty or holds a "\", a
  // dot or a blank would name another key: it is never written.
  if (!settings::IsValidMediaExtension(ext)) return false;
  if (SetRegExtIn(kClasses, "", ext)) return reg_.ReadString(kClasses, "." + ext, "").value_or("") == ProgId();
  if (SetRegExtIn(kUser, kUserClasses, ext))
    return reg_.ReadString(kUser, kUserClasses + "." + ext, "").value_or("") == ProgId();
  RegistryWriteError = true;
  return false;
}

bool Associations::RemRegExt(const std::string& ext) {
  if (!settings::IsValidMediaExtension(ext)) return false;
  const std::string key = "." + ext;
  if (!reg_.CreateKey(kClasses, key)) return false;
  std::string backup = reg_.ReadString(kClasses, key, BackupName()).value_or("");
  if (reg_.WriteString(kClasses, key, "", backup) && reg_.DeleteValue(kClasses, key, BackupName()))
    return reg_.ReadString(kClasses, key, "").value_or("") != ProgId();

  // The machine-wide classes refused: give the type back in the user's own.
  const std::string userKey = kUserClasses + key;
  if (!reg_.CreateKey(kUser, userKey)) {
    RegistryWriteError = true;
    return false;
  }
  backup = reg_.ReadString(kUser, userKey, BackupName()).value_or("");
  if (!reg_.WriteString(kUser, userKey, "", backup) || !reg_.DeleteValue(kUser, userKey, BackupName())) {
    RegistryWriteError = true;
    return false;
  }
  const std::string now = reg_.ReadString(kUser, userKey, "").value_or("");
  if (now.empty()) reg_.DeleteTree(kUser, userKey);
  return now != ProgId();
}

bool Associations::WriteProgIdSetIn(RegRoot root, const std::string& prefix,
                                    bool withFolderVerbs) {
  const std::string quotedExe = "\"" + exePath_ + "\"";
  const std::string id = ProgId();
  const std::string folder = "Directory\\shell\\" + appName_;
  struct Entry {
    std::string key;
    std::string value;
  };
  std::vector<Entry> table{{id, ""}, {id + "\\shell", "Play"}};
  // A verb: its caption, its command and the DDE macro that hands the file
  // to the running player.
  auto verb = [&](const std::string& base, const std::string& caption, const std::string& macro) {
    table.push_back({base, caption});
    table.push_back({base + "\\command", quotedExe});
    table.push_back({base + "\\DDEExec", macro});
    table.push_back({base + "\\DDEExec\\Application", appName_});
    table.push_back({base + "\\DDEExec\\Topic", "System"});
  };
  verb(id + "\\shell\\Play", "&Play in " + appName_, "/Play %L");
  verb(id + "\\shell\\Enqueue", "&Enqueue in " + appName_, "/AddFile %L");
  if (withFolderVerbs) {
    verb(folder + ".Play", "&Play in " + appName_, "/Play %L");
    verb(folder + ".Enqueue", "&Enqueue in " + appName_, "/AddFolder %L");
  }
  table.push_back({id + "\\Defaulticon", exePath_ + ",0"});

  // The identifier's own key carries no value; every other key has one,
  // and writing it makes the key (one trip to the registry fewer a key:
  // the start-up writes this set at every start).
  for (size_t i = 0; i < table.size(); ++i) {
    const std::string key = prefix + table[i].key;
    if (!(i == 0 ? reg_.CreateKey(root, key) : reg_.WriteString(root, key, "", table[i].value))) return false;
  }
  return true;
}

void Associations::WriteProgIdSet(bool withFolderVerbs) {
  if (!WriteProgIdSetIn(kClasses, "", withFolderVerbs))
    WriteProgIdSetIn(kUser, kUserClasses, withFolderVerbs);
}

void Associations::DeleteProgramKeys() {
  for (const std::string& key : {ProgId(), "Directory\\shell\\" + appName_ + ".Play",
                                 "Directory\\shell\\" + appName_ + ".Enqueue"}) {
    if (!reg_.DeleteTree(kClasses, key)) reg_.DeleteTree(kUser, kUserClasses + key);
  }
}

void Associations::NotifyShell() {
  if (notifyShell_) notifyShell_();
}

void Associations::WriteProgIdSetWhenUsed(const std::string& fileAssociation) {
  const bool mediaType = fileAssociation.find('1') != std::string::npos;
  if (mediaType || GetRegExt(kPlaylistExtension)) WriteProgIdSet(mediaType);
}

void Associations::StartupRegistration(const std::vector<std::string>& mediaExtensions,
                                       std::string& fileAssociation, bool registerOnLoad) {
  bool changed = false;
  if (registerOnLoad) {
    for (size_t i = 0; i < mediaExtensions.size() && i < fileAssociation.size(); ++i) {
      if (fileAssociation[i] != '1' || GetRegExt(mediaExtensions[i])) continue;
      fileAssociation[i] = SetRegExt(mediaExtensions[i]) ? '1' : '0';
      changed = true;
    }
  }
  if (!GetRegExt(kPlaylistExtension)) {
    SetRegExt(kPlaylistExtension);
    changed = true;
  }
  WriteProgIdSetWhenUsed(fileAssociation);
  if (changed) NotifyShell();
}

void Associations::Uninstall(const std::vector<std::string>& mediaExtensions) {
  for (const std::string& ext : mediaExtensions)
    if (GetRegExt(ext)) RemRegExt(ext);
  DeleteProgramKeys();
  // Only our own playlist association is given back: another program's
  // stays untouched.
  if (GetRegExt(kPlaylistExtension)) RemRegExt(kPlaylistExtension);
}

void Associations::DeleteLegacyFolderVerb() {
  // The key name ends in the character of code 255 followed by "Enqueue".
  reg_.DeleteTree(kClasses, "Directory\\shell\\" + appName_ + ".\xC3\xBF" "Enqueue");
}

bool Associations::AnyAssociated(const std::vector<std::string>& mediaExtensions) const {
  for (const std::string& ext : mediaExtensions)
    if (GetRegExt(ext)) return true;
  return false;
}

void Associations::AssociateAll(const std::vector<std::string>& mediaExtensions, std::string& fileAssociation) {
  fileAssociation.clear();
  RegistryWriteError = false;
  for (const std::string& ext : mediaExtensions) fileAssociation += SetRegExt(ext) ? '1' : '0';
  SetRegExt(kPlaylistExtension);
  DeleteProgramKeys();
  WriteProgIdSetWhenUsed(fileAssociation);
  NotifyShell();
}

bool Associations::ProgIdIsOurs() const {
  const auto command = reg_.ReadString(kClasses, ProgId() + "\\shell\\Play\\command", "");
  const auto verb = reg_.ReadString(kClasses, ProgId() + "\\shell", "");
  return command && verb && settings::LowerAscii(*command) == settings::LowerAscii("\"" + exePath_ + "\"") &&
         settings::LowerAscii(*verb) == "play";
}

std::vector<bool> Associations::AssociatedChecks(const std::vector<std::string>& extensions) const {
  const bool ours = ProgIdIsOurs();
  std::vector<bool> checks;
  for (const std::string& ext : extensions) checks.push_back(ours && GetRegExt(ext));
  return checks;
}

void Associations::ApplyFileTypes(const std::vector<std::string>& lines, std::vector<bool>& checks,
                                  std::vector<std::string>& mediaExtensions, std::string& fileAssociation) {
  const std::string before = fileAssociation;
  fileAssociation.clear();
  mediaExtensions.clear();
  checks.resize(lines.size(), false);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string ext = settings::LowerAscii(lines[i]);
    mediaExtensions.push_back(ext);
    if (checks[i])
      checks[i] = SetRegExt(ext);
    else if (GetRegExt(ext))
      checks[i] = !RemRegExt(ext);
    fileAssociation += checks[i] ? '1' : '0';
  }
  DeleteProgramKeys();
  WriteProgIdSetWhenUsed(fileAssociation);
  checks = AssociatedChecks(mediaExtensions);
  if (fileAssociation != before) NotifyShell();
}

}  // namespace lc
