#include "settings/file_io.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

#include "settings/text_encoding.h"

namespace lc::settings {
namespace fs = std::filesystem;

namespace {

fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

bool PortableReplace(const std::string& source, const std::string& target) {
  std::error_code ec;
  fs::rename(ToPath(source), ToPath(target), ec);
  return !ec;
}

// A second name made in one step fails when the name is taken; the first
// name then goes.
bool PortableRenameNew(const std::string& source, const std::string& target) {
  std::error_code ec;
  fs::create_hard_link(ToPath(source), ToPath(target), ec);
  if (ec) return false;
  fs::remove(ToPath(source), ec);
  return true;
}

bool PortableFlush(const std::string& path) {
#ifdef _WIN32
  const int fd = _wopen(ToPath(path).c_str(), _O_RDWR | _O_BINARY);
  if (fd < 0) return false;
  const bool flushed = _commit(fd) == 0;
  _close(fd);
#else
  const int fd = ::open(ToPath(path).c_str(), O_RDWR);
  if (fd < 0) return false;
  const bool flushed = ::fsync(fd) == 0;
  ::close(fd);
#endif
  return flushed;
}

void* PortableLockSave(const std::string&) {
  static char token;
  return &token;
}
void PortableUnlockSave(void*) {}

constexpr FileSteps kPortableSteps{&PortableReplace, &PortableRenameNew, &PortableFlush,
                                   &PortableLockSave, &PortableUnlockSave};
FileSteps g_steps = kPortableSteps;
std::atomic<unsigned> g_tempCounter{0};

// A tag that differs between processes, so that two players saving the
// same file at the same moment never write the same temporary file.
const std::string& ProcessTag() {
  static const std::string tag = [] {
    std::random_device random;
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::to_string(random() ^ static_cast<unsigned>(now));
  }();
  return tag;
}

constexpr std::string_view kTempMarker = ".tmp";

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  return true;
}

// True for `name` + ".tmp" + digits + "-" + digits.
bool IsTemporaryNameOf(std::string_view candidate, std::string_view name) {
  if (candidate.size() <= name.size() + kTempMarker.size() ||
      candidate.substr(0, name.size()) != name ||
      candidate.substr(name.size(), kTempMarker.size()) != kTempMarker) {
    return false;
  }
  const std::string_view rest = candidate.substr(name.size() + kTempMarker.size());
  const std::size_t dash = rest.find('-');
  return dash != std::string_view::npos && AllDigits(rest.substr(0, dash)) &&
         AllDigits(rest.substr(dash + 1));
}

}  // namespace

std::string TemporaryNameFor(const std::string& path) {
  return path + std::string(kTempMarker) + ProcessTag() + "-" + std::to_string(g_tempCounter++);
}

void SetFileSteps(const FileSteps& steps) {
  g_steps.replace = steps.replace ? steps.replace : kPortableSteps.replace;
  g_steps.renameNew = steps.renameNew ? steps.renameNew : kPortableSteps.renameNew;
  g_steps.flush = steps.flush ? steps.flush : kPortableSteps.flush;
  // The two halves of the lock come together: a lock let go by another
  // step's release would never be let go.
  const bool lockGiven = steps.lockSave && steps.unlockSave;
  g_steps.lockSave = lockGiven ? steps.lockSave : kPortableSteps.lockSave;
  g_steps.unlockSave = lockGiven ? steps.unlockSave : kPortableSteps.unlockSave;
}

const FileSteps& CurrentFileSteps() { return g_steps; }
const FileSteps& PortableFileSteps() { return kPortableSteps; }

SaveLock::SaveLock(const std::string& path) : held_(g_steps.lockSave(path)) {}
SaveLock::~SaveLock() {
  if (held_) g_steps.unlockSave(held_);
}

void SetReplaceFileFunction(ReplaceFileFunction fn) { g_steps.replace = fn ? fn : kPortableSteps.replace; }

// One open, and the size taken from the open file: a list of many movies
// checks many subtitle files, and every extra question to the file system
// costs (under Wine, most of the time the check takes).
ReadStatus ReadFileBytes(const std::string& path, std::uint64_t maxBytes, std::string& bytes) {
  bytes.clear();
  const fs::path p = ToPath(path);
  std::error_code ec;
  std::ifstream in(p, std::ios::binary | std::ios::ate);
  if (!in) return fs::exists(p, ec) && !ec ? ReadStatus::Unreadable : ReadStatus::Missing;
  const std::streamoff size = in.tellg();
  if (size < 0) return ReadStatus::Unreadable;
  // A folder opens on some systems (never on Windows); its "size" is no
  // file's. Where it gives one the read below fails, so only an empty or
  // over-large "file" is asked about.
  const bool tooLarge = static_cast<std::uint64_t>(size) > maxBytes;
  if ((size == 0 || tooLarge) && fs::is_directory(p, ec)) return ReadStatus::Unreadable;
  if (tooLarge) return ReadStatus::TooLarge;
  in.seekg(0);
  bytes.resize(static_cast<std::size_t>(size));
  in.read(bytes.data(), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size)) {
    bytes.clear();
    return ReadStatus::Unreadable;
  }
  return ReadStatus::Ok;
}

ReadStatus ReadStoredText(const std::string& path, std::uint64_t maxBytes, std::string& utf8) {
  std::string bytes;
  const ReadStatus status = ReadFileBytes(path, maxBytes, bytes);
  utf8.clear();
  if (status != ReadStatus::Ok) return status;
  if (IsForeignText(bytes)) return ReadStatus::Foreign;
  utf8 = DecodeStoredText(bytes);
  return ReadStatus::Ok;
}

std::string NotSavedMessage(const TextTable& texts, const std::vector<NotSavedFile>& files) {
  std::string text;
  for (const NotSavedFile& file : files) {
    text += texts.TextMessages[19] + " \"" + file.path.substr(file.path.find_last_of("\\/") + 1) + "\"!\r\n";
    if (file.heldByAnother) text += texts.TextNotices[7] + "\r\n";
  }
  return text + texts.TextNotices[files.size() == 1 ? 6 : 2];
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  // A write-protected file stays protected: replacing it would bypass the
  // protection the user set.
  std::error_code ec;
  const fs::file_status st = fs::status(ToPath(path), ec);
  if (!ec && fs::exists(st) &&
      (st.permissions() & fs::perms::owner_write) == fs::perms::none) {
    return false;
  }
  const std::string temp = TemporaryNameFor(path);
  {
    std::ofstream out(ToPath(temp), std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    // On the disk before it takes the file's name: a cut after the
    // replace must not leave an empty or partial file in its place.
    if (!out || !g_steps.flush(temp)) {
      DeleteFileAt(temp);
      return false;
    }
  }
  const bool replaced = g_steps.replace(temp, path);
  if (!replaced) DeleteFileAt(temp);
  return replaced;
}

int SweepTemporaryFiles(const std::string& path, std::chrono::seconds minAge) {
  return SweepTemporaryFiles(std::vector<std::string>{path}, minAge);
}

int SweepTemporaryFiles(const std::vector<std::string>& paths, std::chrono::seconds minAge) {
  // The file names to look for, by folder.
  std::map<fs::path, std::vector<std::string>> folders;
  for (const std::string& path : paths) {
    const fs::path target = ToPath(path);
    const std::u8string name8 = target.filename().u8string();
    folders[target.parent_path().empty() ? fs::path(".") : target.parent_path()].emplace_back(name8.begin(),
                                                                                                name8.end());
  }
  const auto now = fs::file_time_type::clock::now();
  int deleted = 0;
  for (const auto& [folder, names] : folders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) continue;
    for (const fs::directory_entry& entry : it) {
      const std::u8string found8 = entry.path().filename().u8string();
      const std::string found(found8.begin(), found8.end());
      if (std::none_of(names.begin(), names.end(),
                       [&found](const std::string& name) { return IsTemporaryNameOf(found, name); }))
        continue;
      if (!entry.is_regular_file(ec)) continue;
      const auto written = entry.last_write_time(ec);
      if (ec || now - written < minAge) continue;
      if (fs::remove(entry.path(), ec)) ++deleted;
    }
  }
  return deleted;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(ToPath(path), ec);
}

FileStamp StampOf(const std::string& path) {
  std::error_code ec;
  const fs::path p = ToPath(path);
  const fs::file_status st = fs::status(p, ec);
  if (st.type() == fs::file_type::not_found) return {};
  if (ec || !fs::is_regular_file(st)) return {FileStamp::Kind::Other, 0, 0};
  const std::uint64_t size = fs::file_size(p, ec);
  const auto written = fs::last_write_time(p, ec);
  if (ec) return {FileStamp::Kind::Other, 0, 0};
  return {FileStamp::Kind::File, size, static_cast<std::int64_t>(written.time_since_epoch().count())};
}

bool FolderExists(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(ToPath(path), ec);
}

bool CreateFolders(const std::string& path) {
  std::error_code ec;
  fs::create_directories(ToPath(path), ec);
  return FolderExists(path);
}

bool DeleteFileAt(const std::string& path) {
  std::error_code ec;
  fs::remove(ToPath(path), ec);
  return !fs::exists(ToPath(path), ec);
}

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

}  // namespace lc::settings
