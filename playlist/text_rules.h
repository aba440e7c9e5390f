// Name rules of the playlist and of file opening: the file-name and folder
// parts of a path, its extension, and the letter-case rules used to compare
// and sort names. Paths are UTF-8 Windows paths ("\" separates folders; "/"
// is taken as a separator too, as the platform does).
//
// Lower-casing and the case-ignoring comparison follow the user's locale on
// Windows: the window code installs the platform's collation through
// SetCollation. The portable default folds ASCII, Latin-1 and Latin
// Extended-A letters and compares code points.
#pragma once

#include <string>
#include <string_view>

namespace lc::playlist {

class Collation {
 public:
  virtual ~Collation() = default;
  // The text lower-cased.
  virtual std::string Lower(std::string_view text) const = 0;
  // Negative, 0 or positive as `a` sorts before, with or after `b`, letter
  // case ignored.
  virtual int CompareNoCase(std::string_view a, std::string_view b) const = 0;
};

// The collation every rule of this folder uses.
const Collation& CurrentCollation();
// Installs a collation (it must outlive its use); nullptr restores the
// portable one.
void SetCollation(const Collation* collation);

std::string LowerText(std::string_view text);
// True when both texts are equal after lower-casing.
bool SameTextNoCase(std::string_view a, std::string_view b);

// The text after the last "\", "/" or ":" (the whole path when none).
std::string FileNamePart(std::string_view path);
// The path up to and including its last "\", "/" or ":" (empty when none).
std::string FolderPart(std::string_view path);
// The text after the last "." of the whole path, lower-cased; empty for a
// path without ".".
std::string ExtensionOf(std::string_view path);
// True for a path that ends in "\" or "/".
bool EndsWithSeparator(std::string_view path);
// The folder with a "\" appended unless it already ends in a separator.
std::string WithSeparator(std::string_view folder);

}  // namespace lc::playlist
