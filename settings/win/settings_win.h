// The Windows pieces of the settings files: the one-step replace and rename
// of a file and the system's ANSI code page. The start-up installs them once, before
// the first settings file is read.
#pragma once

#include <string>

namespace lc::settings {

// Replaces `target` with `source` (MoveFileExW with MOVEFILE_REPLACE_EXISTING);
// both paths UTF-8. Fails for a read-only target.
bool ReplaceFileWin(const std::string& source, const std::string& target);

// Gives `source` the name `target` (MoveFileExW without replacing); fails
// when `target` exists. Both paths UTF-8.
bool RenameNewFileWin(const std::string& source, const std::string& target);

// Holds the save of `path` against other processes (a named mutex of the
// session, named after the lower-cased path), waiting up to 10 s for one
// that holds it; nullptr when the wait ran out. UnlockSaveWin lets it go.
void* LockSaveWin(const std::string& path);
void UnlockSaveWin(void* held);

// Installs ReplaceFileWin, RenameNewFileWin, the save lock and the ANSI code-page codec
// into the portable file code (settings/file_io.h,
// settings/text_encoding.h).
void InstallWindowsSettingsServices();

}  // namespace lc::settings
