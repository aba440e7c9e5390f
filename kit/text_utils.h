#pragma once

#include <functional>
#include <string>
#include <string_view>

// Small string routines used across the program, and the portable rules of
// the folder and drive helpers of kit/system_utils.h.

// Number of non-overlapping occurrences of Sub in S, searched left to right,
// each search starting just after the previous match. An empty Sub occurs
// nowhere (0).
int CountSubstr(std::string_view Sub, std::string_view S);
int CountSubstr(std::wstring_view Sub, std::wstring_view S);

// S with every case-sensitive occurrence of OldPattern, scanned from the
// start, replaced by NewPattern. An empty OldPattern, or an S shorter than
// it, gives S unchanged.
std::wstring WideReplaceAll(std::wstring_view S, std::wstring_view OldPattern,
                            std::wstring_view NewPattern);

// Takes a field off the front of S: Head := the text before the first Delim
// (all of S when there is none), S := the text after it (empty when none).
void SplitAtChar(std::wstring& S, wchar_t Delim, std::wstring& Head);
void SplitAtChar(std::string& S, char Delim, std::string& Head);

// Lower case of a Windows-1250 character; non-letters come back unchanged.
char LoCaseCP1250(char Ch);

// Drive number of a drive letter ("A" or "a" is 1, "Z" 26); 0 for anything
// that is not a letter A..Z.
int DriveNumber(wchar_t Letter);

// The walk of ChangeToFolderOrParent over an already lower-cased path:
// tries the path, then (for "x:\..." and "\\x..." forms) ever shorter parent
// paths, each through TrySetFolder, and returns True at the first that
// succeeds. Paths under 3 characters and other forms give False after the
// first try (the forms that cannot be shortened are not tried at all when
// too short).
bool WalkToFolderOrParent(
    std::wstring Path,
    const std::function<bool(const std::wstring&)>& TrySetFolder);
