// Reading an AVI file (the RIFF form "AVI ", riff_chunks.h): its header
// list with the main header and each stream's kind, format and OpenDML
// index, its movie list and its legacy index, and a stream's chunks as
// those indexes list them. Every read is checked against the file's size
// and the chunk that holds it. No platform header: the file is read
// through a function.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "engine/graph/read_at.h"
#include "engine/graph/riff_chunks.h"

// Streams an AVI names its chunks for (two digits).
constexpr int kMostAviStreams = 100;

// A stream of the header list: its header (strh) and format (strf).
struct TAviStream {
  std::uint32_t Kind = 0;         // 'vids', 'auds', ...
  std::uint32_t Compression = 0;  // a video format's compression code; 0 when its format is too short
  // The contents of its OpenDML index chunk (indx), or [0, 0).
  std::uint64_t IndexBegin = 0, IndexEnd = 0;
};

struct TAviFile {
  std::uint32_t Flags = 0;  // the main header's flags (kAviHasIndex...)
  std::vector<TAviStream> Streams;  // in the order the chunks number them, at most kMostAviStreams
  // The contents of the first movie list and of the legacy index (idx1),
  // or [0, 0).
  std::uint64_t MovieBegin = 0, MovieEnd = 0;
  std::uint64_t IndexBegin = 0, IndexEnd = 0;
};

// The main header's flag that the legacy index is there to be used.
constexpr std::uint32_t kAviHasIndex = 0x10;

// The headers of a RIFF AVI file of FileSize bytes; none for other files
// and where the header list cannot be read.
std::optional<TAviFile> ReadAviFile(const TReadAt& Read, std::uint64_t FileSize);

// One entry of a stream's index: its chunk's id, where the chunk's
// contents begin, how long they are, and whether the chunk is a key frame
// (one a seek may begin at).
struct TAviIndexEntry {
  std::uint32_t Id = 0;
  std::uint64_t At = 0;
  std::uint32_t Size = 0;
  bool Key = false;
};

// Which index a stream's chunks were listed from: none, the legacy index
// (idx1), or the OpenDML index of files over 1 GB (the stream's indx,
// listing standard indexes ix## that list the chunks).
enum class TAviIndex { None, Legacy, OpenDml };

// Calls Visit for each of stream Stream's chunks (those its number names)
// in the order of the stream, from the stream's OpenDML index when it has one, else from the
// legacy index when the main header says it is to be used, until Visit
// returns false; the platform's parser seeks by that same index. The
// parts of an OpenDML index from one beyond the file's end on are left
// out.
// Which index was read: None when neither can be read.
TAviIndex ReadAviIndex(const TRiffReader& R, const TAviFile& File, int Stream,
                       const std::function<bool(const TAviIndexEntry&)>& Visit);

// The chunk id of stream Stream's (0..99) chunks of the two-letter kind
// ("dc": compressed video, "db": uncompressed video, "wb": sound).
std::uint32_t AviChunkId(int Stream, const char (&Kind)[3]);
