// Reading a movie file's streams for the media information window through
// the platform's media detector, independently of the playing graph; the
// media-type and file-size helpers that go with it. GUI thread (COM
// initialised on it).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <dshow.h>

#include "tools/media_info_text.h"

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
// the detector cannot be created or cannot open the file.
bool ReadMediaInfo(const std::wstring& FileName, TMediaInfoBuilder& Info);

}  // namespace lc::tools
