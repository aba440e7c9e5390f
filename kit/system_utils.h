#pragma once

#include <string>

// Small system routines: the application path registration, the current
// folder and the drive test. GUI thread (they touch process-wide state).

// Records the program under the platform's application paths (HKLM
// "Software\Microsoft\Windows\CurrentVersion\App Paths\<file name>"): the
// default value is ExePath, "path" its folder with a trailing backslash.
// False when the key cannot be opened or a value cannot be written (the
// "/install" switch then ends with a failure code).
bool RegisterAppPath(const std::wstring& ExePath);

// Makes Path, or its nearest existing parent folder, the process's current
// folder (where the open dialogs start). Works on "x:\..." and "\\server..."
// paths; True when a folder was set.
bool ChangeToFolderOrParent(const std::wstring& Path);

// True when the drive of that letter has a medium (its size can be read).
// No system message appears for an empty drive; a character that is not a
// letter A..Z gives False.
bool IsDriveReady(wchar_t Drive);
