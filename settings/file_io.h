// File access of the settings folder. Paths are UTF-8 strings (converted to
// the platform's wide names by std::filesystem on Windows).
//
// Every file is written whole into a temporary file beside the target,
// flushed to the disk, and then replaces the target in one step, so neither
// a failed write nor a cut at any instant destroys the previous file. The
// steps that name files are platform-specific (FileSteps); the Windows
// start-up installs its MoveFileExW versions.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "settings/text_table.h"

namespace lc::settings {

// Foreign comes only from ReadStoredText: bytes in an encoding that no
// reader of the stored files takes (settings/text_encoding.h). Damaged comes
// only from the reader of one kind of file: text that is not what that file
// holds (a settings file without its header line, a remembered-settings
// file from which entries had to be dropped).
enum class ReadStatus { Ok, Missing, Unreadable, TooLarge, Foreign, Damaged };

// Reads the whole file into `bytes`. A file larger than `maxBytes` gives
// TooLarge and leaves `bytes` empty.
ReadStatus ReadFileBytes(const std::string& path, std::uint64_t maxBytes, std::string& bytes);

// Reads a stored file (settings, remembered settings, presets, playlist)
// whole and decodes it into UTF-8 text: ANSI, or UTF-8 behind its mark.
// Bytes in any other encoding give Foreign and leave `utf8` empty.
ReadStatus ReadStoredText(const std::string& path, std::uint64_t maxBytes, std::string& utf8);

// A stored file that could not be saved, and whether that was because
// another player held its save past the wait.
struct NotSavedFile {
  std::string path;
  bool heldByAnother = false;
};
// What the user is told of stored files that could not be saved: "Can't
// write in" each file by its name without the folder (the data files live
// together; full paths would not fit the box), one line each, followed by
// a line saying so for a file another player held, then that they were (or
// it was, for one file) left as they were.
std::string NotSavedMessage(const TextTable& texts, const std::vector<NotSavedFile>& files);

// Writes `bytes` to a temporary file next to `path`, flushes it to the disk
// and replaces `path` with it. False on any failure; the previous file is
// then untouched.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// The name of a fresh temporary file beside `path`, of the shape that
// SweepTemporaryFiles deletes when a cut leaves it behind.
std::string TemporaryNameFor(const std::string& path);

// Deletes what interrupted writes of `path` left beside it: the temporary
// files of WriteFileReplacing ("<file name>.tmp<digits>-<digits>") last
// written at least `minAge` ago (a younger one may belong to a save that
// another instance is running right now). Returns how many were deleted.
int SweepTemporaryFiles(const std::string& path,
                        std::chrono::seconds minAge = std::chrono::seconds(60));
// The same for several files, each folder listed once (the start-up sweeps
// its four data files together).
int SweepTemporaryFiles(const std::vector<std::string>& paths,
                        std::chrono::seconds minAge = std::chrono::seconds(60));

// The platform's steps of a safe write. Each is one call that either
// happens whole or not at all (flush aside). The portable ones serve where
// no other is installed; the Windows start-up installs its own
// (settings/win/settings_win.h).
struct FileSteps {
  // Replaces `target` with `source` (the target may exist).
  bool (*replace)(const std::string& source, const std::string& target) = nullptr;
  // Gives `source` the name `target`; fails when `target` exists.
  bool (*renameNew)(const std::string& source, const std::string& target) = nullptr;
  // Writes what the system still holds of the file's bytes to the disk.
  bool (*flush)(const std::string& path) = nullptr;
  // Waits until no other process holds the save of `path`, then holds it;
  // returns what unlockSave lets go, or nullptr when the wait ran out
  // (another process holds it still). The portable steps lock nothing:
  // they serve one process, and their hold is a token.
  void* (*lockSave)(const std::string& path) = nullptr;
  void (*unlockSave)(void* held) = nullptr;
};
// Installs `steps`; a member left empty takes the portable step.
void SetFileSteps(const FileSteps& steps);
// The steps in use.
const FileSteps& CurrentFileSteps();
// The portable steps.
const FileSteps& PortableFileSteps();

// While it lives, no other player runs a save of `path` under a SaveLock of
// its own: a save that reads the file, merges and writes it back (the
// remembered settings) never writes over what another player wrote between
// its read and its write.
class SaveLock {
 public:
  explicit SaveLock(const std::string& path);
  ~SaveLock();
  // False when another player held the save past the wait: nothing is
  // held, and the save must not go on.
  bool Taken() const { return held_ != nullptr; }
  SaveLock(const SaveLock&) = delete;
  SaveLock& operator=(const SaveLock&) = delete;

 private:
  void* held_;
};

// Replaces `target` with `source` in one step (the target may exist).
using ReplaceFileFunction = bool (*)(const std::string& source, const std::string& target);
// Installs only the replace step; nullptr restores the portable one.
void SetReplaceFileFunction(ReplaceFileFunction fn);

bool FileExists(const std::string& path);

// What stands at a path, as far as telling one version of a file from the
// next goes: a file is known by its size and the time it was last written
// (every save puts a new file in its place).
struct FileStamp {
  enum class Kind { None, File, Other } kind = Kind::None;  // Other: a folder, say
  std::uint64_t size = 0;
  std::int64_t written = 0;
  bool operator==(const FileStamp&) const = default;
};
FileStamp StampOf(const std::string& path);

bool FolderExists(const std::string& path);
// Creates the folder with every missing parent; True when it exists afterwards.
bool CreateFolders(const std::string& path);
// Deletes a file; True when it no longer exists.
bool DeleteFileAt(const std::string& path);

// True for text of nothing but blanks, tabs and line ends (an empty file
// among them): a stored file of such text holds nothing to keep.
bool IsBlankText(std::string_view text);

// Splits text into lines ended by CR LF, LF or a lone CR. A last line without
// an ending is included; the empty text has no lines.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace lc::settings
