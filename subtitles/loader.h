// Loading a subtitle file: reading, the plain-text test, format detection,
// repair, parsing, finishing and the per-entry display data, in one call
// that touches no program state. The player keeps the result as its
// current subtitle (an empty one after a failure: the subtitle shown before
// is gone once a load was tried) and shows the failure's message unless the
// load was silent.
#pragma once

#include <string>
#include <string_view>

#include "settings/text_encoding.h"
#include "settings/text_table.h"
#include "subtitles/subtitle_data.h"

namespace lc::subtitles {

enum class LoadFailure {
  None,           // loaded
  Missing,        // the file does not exist: no message, even when not silent
  CannotOpen,     // the file cannot be opened or read
  TooBig,         // beyond the size limit of its encoding
  NotText,        // the plain-text test failed
  UnknownType,    // no format fits, or no entry could be parsed
  SeriousErrors,  // the repair failed, or the parsed times are unusable
};

struct LoadOptions {
  double FrameRate = 25.0;        // MicroDVD frames per second
  int AverageDisplayTime = 2200;  // the display-length rule, in ms
  // Converts 8-bit text to UTF-8 for the screen lines; nullptr takes the
  // program's ANSI code page (settings::CurrentAnsiCodec).
  const settings::AnsiCodec* Codec = nullptr;
};

struct LoadResult {
  LoadFailure Failure = LoadFailure::None;
  // The format the detection found (Unknown when the load failed before).
  SubtitleFormat DetectedFormat = SubtitleFormat::Unknown;
  Subtitle Loaded;  // empty unless the load succeeded

  bool Ok() const { return Failure == LoadFailure::None; }
};

// Loads a subtitle from the bytes of a whole file. Safe on any input:
// hostile bytes give a failure or a sound list, in time linear in their
// size.
LoadResult LoadSubtitleBytes(std::string_view bytes, const LoadOptions& options = {});

// Loads the subtitle file at `path` (UTF-8). Its size is checked before
// anything is read beyond what any encoding could accept.
LoadResult LoadSubtitleFile(const std::string& path, const LoadOptions& options = {});

// The silent check: True exactly when a silent load of the file succeeds.
bool CheckSubtitleFile(const std::string& path, const LoadOptions& options = {});

// The message box text for a failed load of `fileName`; empty for a
// success and for a missing file.
std::string LoadFailureMessage(LoadFailure failure, const std::string& fileName,
                               const settings::TextTable& texts);

// A loaded subtitle's display lengths computed again for another
// AverageDisplayTime. An entry's length is that of its screen lines joined
// by one character each (the 8-bit lines of an 8-bit file, else the wide
// ones); every entry but the last is cut at the next entry's start.
void RecomputeDisplayDurations(Subtitle& subtitle, int averageDisplayTime);

// What the player's LoadSubtitle needs in one call: the load of `path` and
// the message box text to show, empty after a success, for a missing file
// and whenever `silent` is set.
struct SubtitleLoad {
  LoadResult Result;
  std::string Message;
};
SubtitleLoad LoadSubtitleWithMessage(const std::string& path, bool silent,
                                     const LoadOptions& options,
                                     const settings::TextTable& texts);

}  // namespace lc::subtitles
