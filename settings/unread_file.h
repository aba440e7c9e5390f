// A stored file (settings, remembered settings, presets, playlist) that is
// there but could not be read stays the user's. Before the user is told of
// it, a copy is kept beside it under a name of its own (KeepUnreadFile);
// the file itself stays where the program reads it until a save puts a new
// file in its place. So at every instant the user's bytes are either under
// the file's own name (and the next start tells of them again) or in a
// copy the user was told of.
#pragma once

#include <cstddef>
#include <string>

namespace lc::settings {

struct TextTable;

// How the saves of a file treat it, from its reading on:
enum class UnreadFile {
  None,     // read (or not there), or its copy kept aside: saved as usual
  NotTold,  // not read, and the user not told yet: no save touches it
  Stays,    // not read, no copy could be kept (a folder, say), the user
            // told: never written over or deleted
};

// What KeepUnreadFile did.
struct KeptCopy {
  enum class Outcome {
    Copied,  // a copy is kept under `name`
    Folder,  // a folder: it stays where it is, nothing is copied
    NoCopy,  // no copy could be made (the file or the folder refused)
    Gone,    // nothing is there any more
  };
  Outcome outcome = Outcome::NoCopy;
  std::string name;  // the copy's file name, without its folder (Copied)
};

// Keeps a copy of the unread file `path` beside it: under AsideNameFor(path),
// written whole to a temporary file, flushed to the disk, then given that
// name in one step that never replaces a file. An earlier copy with the
// same bytes is taken as the copy (nothing new is written); an earlier copy
// with other bytes is never replaced. The file itself is not touched.
KeptCopy KeepUnreadFile(const std::string& path);
// How the saves treat the file after KeepUnreadFile said `kept`.
UnreadFile StateAfterKeeping(const KeptCopy& kept);
// The full path of the copy KeepUnreadFile would take for `path` now: the
// first of `path` + ".bad", + ".2.bad", + ".3.bad", ... that holds the same
// bytes as `path` or is free.
std::string AsideNameFor(const std::string& path);
// What the user is told of a stored file that could not be read, in the
// texts of `texts`: "Error reading from" the file, then what became of it
// (kept as the copy's name, a folder that stays, a file that stays because
// no copy could be made). Empty for a file that is gone.
std::string UnreadFileMessage(const TextTable& texts, const std::string& path, const KeptCopy& kept);
// Keeps a copy of the unread file `path` aside (KeepUnreadFile) and adds
// what became of it (UnreadFileMessage) to `text`, on a line of its own;
// the state the file's saves go by afterwards.
UnreadFile KeepAsideAndTell(const TextTable& texts, const std::string& path, std::string& text);
// What the user is told of a stored file that could not be read and will
// be kept aside later: "Error reading from" the file, then TextNotices
// entry `keptAsNotice` and the name (in the same folder) of the copy it
// would be kept as now; for a folder, or a file no copy of which could be
// made now, what UnreadFileMessage says of it (it stays as it is).
std::string SetAsideMessage(const TextTable& texts, const std::string& path, std::size_t keptAsNotice);

}  // namespace lc::settings
