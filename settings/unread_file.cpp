#include "settings/unread_file.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "settings/file_io.h"
#include "settings/text_table.h"

namespace lc::settings {
namespace fs = std::filesystem;

namespace {

fs::path ToPath(const std::string& utf8) {
  return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

// Copies aside: `path` + ".bad", then + ".2.bad", + ".3.bad", ...
constexpr int kMaxAsideCopies = 999;

std::string AsideName(const std::string& path, int n) {
  return n == 1 ? path + ".bad" : path + "." + std::to_string(n) + ".bad";
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

bool SameBytes(const std::string& a, const std::string& b) {
  std::error_code ec1, ec2;
  if (fs::file_size(ToPath(a), ec1) != fs::file_size(ToPath(b), ec2) || ec1 || ec2) return false;
  std::ifstream inA(ToPath(a), std::ios::binary), inB(ToPath(b), std::ios::binary);
  if (!inA || !inB) return false;
  std::string bufA(1 << 16, '\0'), bufB(1 << 16, '\0');
  for (;;) {
    inA.read(bufA.data(), static_cast<std::streamsize>(bufA.size()));
    inB.read(bufB.data(), static_cast<std::streamsize>(bufB.size()));
    if (inA.gcount() != inB.gcount()) return false;
    if (bufA.compare(0, static_cast<std::size_t>(inA.gcount()), bufB, 0, static_cast<std::size_t>(inB.gcount())) != 0)
      return false;
    if (!inA || !inB) return inA.eof() && inB.eof();
  }
}

// Copies the file `source` whole into the new file `target`.
bool CopyWhole(const std::string& source, const std::string& target) {
  std::ifstream in(ToPath(source), std::ios::binary);
  std::ofstream out(ToPath(target), std::ios::binary | std::ios::trunc);
  if (!in || !out) return false;
  std::string buffer(1 << 16, '\0');
  while (in) {
    in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.write(buffer.data(), in.gcount());
  }
  out.close();
  return in.eof() && !in.bad() && out.good();
}

}  // namespace

std::string AsideNameFor(const std::string& path) {
  for (int n = 1; n <= kMaxAsideCopies; ++n) {
    const std::string name = AsideName(path, n);
    std::error_code ec;
    const fs::file_status st = fs::status(ToPath(name), ec);
    if (st.type() == fs::file_type::not_found) return name;
    if (fs::is_regular_file(st) && SameBytes(path, name)) return name;
  }
  return {};
}

KeptCopy KeepUnreadFile(const std::string& path) {
  using Outcome = KeptCopy::Outcome;
  std::error_code ec;
  const fs::file_status st = fs::status(ToPath(path), ec);
  // A file that is not there reports itself as an error too.
  if (st.type() == fs::file_type::not_found) return {Outcome::Gone, {}};
  if (ec) return {Outcome::NoCopy, {}};
  if (fs::is_directory(st)) return {Outcome::Folder, {}};
  if (!fs::is_regular_file(st)) return {Outcome::NoCopy, {}};
  // Another player keeping its copy at the same moment may take the name
  // between the choice and the renaming: the next free one is chosen then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    const std::string aside = AsideNameFor(path);
    if (aside.empty()) break;
    if (FileExists(aside)) return {Outcome::Copied, FileNameOf(aside)};  // kept before
    const std::string temp = TemporaryNameFor(path);
    if (!CopyWhole(path, temp) || !CurrentFileSteps().flush(temp)) {
      DeleteFileAt(temp);
      break;
    }
    if (CurrentFileSteps().renameNew(temp, aside)) return {Outcome::Copied, FileNameOf(aside)};
    DeleteFileAt(temp);
  }
  return {Outcome::NoCopy, {}};
}

UnreadFile StateAfterKeeping(const KeptCopy& kept) {
  switch (kept.outcome) {
    case KeptCopy::Outcome::Copied:
    case KeptCopy::Outcome::Gone:
      return UnreadFile::None;
    case KeptCopy::Outcome::Folder:
    case KeptCopy::Outcome::NoCopy:
      break;
  }
  return UnreadFile::Stays;
}

std::string UnreadFileMessage(const TextTable& texts, const std::string& path, const KeptCopy& kept) {
  const std::string head = texts.TextMessages[15] + " \"" + path + "\"!\r\n";
  switch (kept.outcome) {
    case KeptCopy::Outcome::Copied:
      return head + texts.TextNotices[0] + " \"" + kept.name + "\".";
    case KeptCopy::Outcome::Folder:
      return head + texts.TextNotices[4];
    case KeptCopy::Outcome::NoCopy:
      return head + texts.TextNotices[5];
    case KeptCopy::Outcome::Gone:
      break;
  }
  return {};
}

UnreadFile KeepAsideAndTell(const TextTable& texts, const std::string& path, std::string& text) {
  const KeptCopy kept = KeepUnreadFile(path);
  const std::string told = UnreadFileMessage(texts, path, kept);
  if (!told.empty()) text += (text.empty() ? "" : "\r\n") + told;
  return StateAfterKeeping(kept);
}

std::string SetAsideMessage(const TextTable& texts, const std::string& path, std::size_t keptAsNotice) {
  // What keeping it aside would do now: a folder is never copied, and
  // without a free name no copy is made.
  if (FolderExists(path)) return UnreadFileMessage(texts, path, {KeptCopy::Outcome::Folder, {}});
  const std::string aside = AsideNameFor(path);
  if (aside.empty()) return UnreadFileMessage(texts, path, {KeptCopy::Outcome::NoCopy, {}});
  return texts.TextMessages[15] + " \"" + path + "\"!\r\n" + texts.TextNotices.at(keptAsNotice) + " \"" +
         FileNameOf(aside) + "\".";
}

}  // namespace lc::settings
