// Reading a movie file's streams for the media information window through
// the platform's media detector, independently of the playing graph; the
// media-type and file-size helpers that go with it. The detector can stay
// stuck in a file it cannot parse: the GUI thread reads through
// ReadMediaInfoWithin, which runs it on a thread of its own and waits for
// it a limited time.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <dshow.h>

#include "tools/media_info/media_info_text.h"

namespace lc::tools {

// Frees the format block (task allocator) when cbFormat is not zero,
// releases pUnk when set and zeroes the record.
void ClearMediaType(AM_MEDIA_TYPE& MediaType);

// The size of the first file a directory search for Name finds, -1 for
// none.
std::int64_t GetFileSize64(const std::wstring& Name);

// What the window reads of a stream's format block: nullopt for a block
// that is missing, of another type, or shorter than its header (cbFormat is
// checked before any field is read).
std::optional<TVideoStreamFormat> VideoFormatOf(const AM_MEDIA_TYPE& MediaType);
std::optional<TAudioStreamFormat> AudioFormatOf(const AM_MEDIA_TYPE& MediaType);

// Fills Info with the length of stream 0 and every stream the detector
// reports, then the video bitrate from the file's size. False only when
// the detector cannot be created or cannot open the file. Any thread with
// COM initialised.
bool ReadMediaInfo(const std::wstring& FileName, TMediaInfoBuilder& Info);

// How long the GUI thread waits for the detector.
inline constexpr int kDetectorWaitMs = 5000;

// Runs Work on a thread of its own (COM initialised there) and waits up to
// Milliseconds for it: true when it ended in time. A thread that did not
// is left to end by itself, so whatever Work writes must be owned by Work
// itself (shared with the caller), never by the caller's stack.
bool RunWithinTime(std::function<void()> Work, int Milliseconds);

// ReadMediaInfo through RunWithinTime: no answer in time reads as a file
// that cannot be read (false, Info untouched). GUI thread.
bool ReadMediaInfoWithin(const std::wstring& FileName, TMediaInfoBuilder& Info, int Milliseconds);

}  // namespace lc::tools
