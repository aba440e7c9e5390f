#include "engine/graph/avi_file.h"

#include <algorithm>

namespace {

// A stream's list (strl): its header, format and OpenDML index.
TAviStream ReadStream(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End) {
  TAviStream s;
  R.Walk(Begin, End, [&](std::uint32_t Id, std::uint32_t, std::uint64_t B, std::uint64_t E) {
    if (Id == Fourcc("strh") && E - B >= 4) {
      R.U32(B, s.Kind);
    } else if (Id == Fourcc("strf") && E - B >= 20 && s.Kind == Fourcc("vids")) {
      R.U32(B + 16, s.Compression);
    } else if (Id == Fourcc("indx")) {
      s.IndexBegin = B;
      s.IndexEnd = E;
    }
    return true;
  });
  return s;
}

}  // namespace

std::optional<TAviFile> ReadAviFile(const TReadAt& Read, std::uint64_t FileSize) {
  const TRiffReader r(Read, FileSize);
  TAviFile file;
  bool headers = false;
  r.Walk(12, r.FormEnd(Fourcc("AVI ")), [&](std::uint32_t Id, std::uint32_t Type, std::uint64_t Begin, std::uint64_t End) {
    if (Type == Fourcc("hdrl") && !headers) {
      headers = true;
      r.Walk(Begin, End, [&](std::uint32_t Id2, std::uint32_t Type2, std::uint64_t B, std::uint64_t E) {
        if (Id2 == Fourcc("avih") && E - B >= 16) r.U32(B + 12, file.Flags);
        if (Type2 == Fourcc("strl")) file.Streams.push_back(ReadStream(r, B, E));
        return file.Streams.size() < kMostAviStreams;
      });
    } else if (Type == Fourcc("movi") && file.MovieEnd == 0) {
      file.MovieBegin = Begin;
      file.MovieEnd = End;
    } else if (Id == Fourcc("idx1") && file.MovieEnd != 0 && file.IndexEnd == 0) {
      file.IndexBegin = Begin;
      file.IndexEnd = End;
    }
    return true;
  });
  if (!headers) return std::nullopt;
  return file;
}

namespace {

// Index entries are read this many bytes at a time.
constexpr std::size_t kIndexBlock = 65536;
// OpenDML index entries are 2 to 4 longs; more is no index of ours.
constexpr std::uint32_t kMostLongsPerEntry = 16;
constexpr std::uint32_t kKeyFrameFlag = 0x10;               // legacy index
constexpr std::uint32_t kNotKeyFrame = 0x80000000u;         // an OpenDML entry's size
constexpr std::uint32_t kIndexOfIndexes = 0, kIndexOfChunks = 1;

// Calls Entry(bytes) for each entry of Stride bytes in [Begin, End), read
// in blocks, until it returns false or a read fails.
template <class F>
void ForEachEntry(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End, std::size_t Stride, F&& Entry) {
  std::vector<std::uint8_t> block;
  for (std::uint64_t at = Begin; at < End && End - at >= Stride;) {
    const std::uint64_t entries = std::min<std::uint64_t>((End - at) / Stride, kIndexBlock / Stride);
    block.resize(std::size_t(entries * Stride));
    if (!R.Bytes(at, block.data(), block.size())) return;
    for (std::size_t i = 0; i < block.size(); i += Stride)
      if (!Entry(block.data() + i)) return;
    at += block.size();
  }
}

std::uint32_t Le32(const std::uint8_t* B) {
  return std::uint32_t(B[0]) | std::uint32_t(B[1]) << 8 | std::uint32_t(B[2]) << 16 | std::uint32_t(B[3]) << 24;
}

// The two digits that name stream Stream's chunks.
std::uint32_t StreamDigits(int Stream) { return AviChunkId(Stream, "00") & 0xFFFF; }

// An OpenDML index's header: the length of its entries in longs, its
// type, how many entries it lists and the chunk id it lists.
struct TOdmlHeader {
  std::uint32_t Longs = 0, Type = 0, Count = 0, Id = 0;
};
bool ReadOdmlHeader(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End, TOdmlHeader& H) {
  std::uint32_t first = 0;
  if (End - Begin < 24 || !R.U32(Begin, first) || !R.U32(Begin + 4, H.Count) || !R.U32(Begin + 8, H.Id))
    return false;
  H.Longs = first & 0xFFFF;
  H.Type = first >> 24;
  return H.Longs >= 2 && H.Longs <= kMostLongsPerEntry;
}

// A standard index (the contents [Begin, End) of an ix## chunk, or of an
// indx that lists chunks): entries of an offset from its base and a size
// whose top bit marks a chunk that is no key frame, visited as far as
// they can be read. False when it is no such index of the stream.
bool ReadStandardIndex(const TRiffReader& R, std::uint64_t Begin, std::uint64_t End, int Stream,
                       const std::function<bool(const TAviIndexEntry&)>& Visit, bool& Stopped) {
  TOdmlHeader h;
  std::uint64_t base = 0;
  if (!ReadOdmlHeader(R, Begin, End, h) || h.Type != kIndexOfChunks || (h.Id & 0xFFFF) != StreamDigits(Stream) ||
      !R.U64(Begin + 12, base))
    return false;
  const std::size_t stride = h.Longs * 4;
  const std::uint64_t end = Begin + 24 + std::min<std::uint64_t>(h.Count, (End - Begin - 24) / stride) * stride;
  ForEachEntry(R, Begin + 24, end, stride, [&](const std::uint8_t* E) {
    const std::uint32_t size = Le32(E + 4);
    Stopped = !Visit({h.Id, base + Le32(E), size & ~kNotKeyFrame, (size & kNotKeyFrame) == 0});
    return !Stopped;
  });
  return true;
}

TAviIndex ReadOpenDmlIndex(const TRiffReader& R, const TAviStream& S, int Stream,
                           const std::function<bool(const TAviIndexEntry&)>& Visit) {
  TOdmlHeader h;
  if (S.IndexEnd == 0 || !ReadOdmlHeader(R, S.IndexBegin, S.IndexEnd, h)) return TAviIndex::None;
  bool stopped = false;
  if (h.Type == kIndexOfChunks)
    return ReadStandardIndex(R, S.IndexBegin, S.IndexEnd, Stream, Visit, stopped) ? TAviIndex::OpenDml
                                                                                  : TAviIndex::None;
  if (h.Type != kIndexOfIndexes || h.Longs < 4) return TAviIndex::None;
  const std::size_t stride = h.Longs * 4;
  const std::uint64_t end =
      S.IndexBegin + 24 + std::min<std::uint64_t>(h.Count, (S.IndexEnd - S.IndexBegin - 24) / stride) * stride;
  bool read = false;
  ForEachEntry(R, S.IndexBegin + 24, end, stride, [&](const std::uint8_t* E) {
    const std::uint64_t at = std::uint64_t(Le32(E + 4)) << 32 | Le32(E);
    std::uint32_t size = 0;
    // The standard indexes from one beyond the file's end on (a file cut
    // short) are left out.
    if (at > R.Size() || !R.U32(at + 4, size)) return false;
    const std::uint64_t contentsEnd = std::min<std::uint64_t>(R.Size(), at + 8 + std::uint64_t(size));
    read = ReadStandardIndex(R, at + 8, contentsEnd, Stream, Visit, stopped) || read;
    return !stopped;
  });
  return read ? TAviIndex::OpenDml : TAviIndex::None;
}

// The legacy index: entries of a chunk id, flags, the chunk's place
// (from the movie list's type, or from the file's start) and size.
TAviIndex ReadLegacyIndex(const TRiffReader& R, const TAviFile& File, int Stream,
                          const std::function<bool(const TAviIndexEntry&)>& Visit) {
  std::uint32_t firstId = 0, firstAt = 0, there = 0;
  if (!(File.Flags & kAviHasIndex) || File.IndexEnd - File.IndexBegin < 16 || !R.U32(File.IndexBegin, firstId) ||
      !R.U32(File.IndexBegin + 8, firstAt))
    return TAviIndex::None;
  // Places are counted from the movie list's type, unless the first one
  // names its chunk only when counted from the file's start.
  const std::uint64_t movie = File.MovieBegin - 4;
  const bool fromMovie = R.U32(movie + firstAt, there) && (there == firstId || there == Fourcc("LIST"));
  const std::uint64_t base = fromMovie ? movie : 0;
  const std::uint32_t digits = StreamDigits(Stream);
  ForEachEntry(R, File.IndexBegin, File.IndexEnd, 16, [&](const std::uint8_t* E) {
    const std::uint32_t id = Le32(E);
    return (id & 0xFFFF) != digits || Visit({id, base + Le32(E + 8) + 8, Le32(E + 12), (Le32(E + 4) & kKeyFrameFlag) != 0});
  });
  return TAviIndex::Legacy;
}

}  // namespace

TAviIndex ReadAviIndex(const TRiffReader& R, const TAviFile& File, int Stream,
                       const std::function<bool(const TAviIndexEntry&)>& Visit) {
  if (Stream < 0 || std::size_t(Stream) >= File.Streams.size()) return TAviIndex::None;
  const TAviIndex odml = ReadOpenDmlIndex(R, File.Streams[std::size_t(Stream)], Stream, Visit);
  return odml != TAviIndex::None ? odml : ReadLegacyIndex(R, File, Stream, Visit);
}

std::uint32_t AviChunkId(int Stream, const char (&Kind)[3]) {
  return std::uint32_t('0' + Stream / 10) | std::uint32_t('0' + Stream % 10) << 8 |
         std::uint32_t(std::uint8_t(Kind[0])) << 16 | std::uint32_t(std::uint8_t(Kind[1])) << 24;
}
