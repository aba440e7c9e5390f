// ISO media files (MP4) built byte by byte for the tests of their readers:
// boxes, movie and media headers, handlers, edit lists and tracks, and a
// reader of such bytes as a file.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

#include "engine/graph/read_at.h"

namespace iso_test {

using Bytes = std::vector<std::uint8_t>;

inline void Put32(Bytes& B, std::uint32_t V) {
  for (int s = 24; s >= 0; s -= 8) B.push_back(std::uint8_t(V >> s));
}
inline void Put64(Bytes& B, std::uint64_t V) {
  Put32(B, std::uint32_t(V >> 32));
  Put32(B, std::uint32_t(V));
}
inline Bytes Box(const char* Type, const Bytes& Contents) {
  Bytes b(8 + Contents.size());
  const std::uint32_t size = std::uint32_t(b.size());
  for (int i = 0; i < 4; ++i) {
    b[std::size_t(i)] = std::uint8_t(size >> (24 - 8 * i));
    b[std::size_t(4 + i)] = std::uint8_t(Type[i]);
  }
  std::copy(Contents.begin(), Contents.end(), b.begin() + 8);
  return b;
}
inline Bytes Join(std::initializer_list<Bytes> Parts) {
  Bytes b;
  for (const Bytes& p : Parts) b.insert(b.end(), p.begin(), p.end());
  return b;
}
// A movie or media header with its time scale: of version 0, or of
// version 1 (64-bit times) when Wide.
inline Bytes Header(const char* Type, std::uint32_t Scale, bool Wide = false) {
  Bytes b;
  Put32(b, Wide ? 0x01000000u : 0);  // version, flags
  Put32(b, 0);                        // created
  if (Wide) Put32(b, 0);
  Put32(b, 0);                        // modified
  if (Wide) Put32(b, 0);
  Put32(b, Scale);
  Put32(b, 0);                        // duration
  if (Wide) Put32(b, 0);
  return Box(Type, b);
}
inline Bytes Handler(const char* Kind) {
  Bytes b;
  Put32(b, 0);
  Put32(b, 0);
  b.insert(b.end(), Kind, Kind + 4);
  return Box("hdlr", b);
}
struct Edit {
  std::int64_t Duration, MediaTime;
};
inline Bytes EditList(const std::vector<Edit>& Edits, bool Wide = false) {
  Bytes b;
  Put32(b, Wide ? 0x01000000u : 0);
  Put32(b, std::uint32_t(Edits.size()));
  for (const Edit& e : Edits) {
    if (Wide) {
      Put64(b, std::uint64_t(e.Duration));
      Put64(b, std::uint64_t(e.MediaTime));
    } else {
      Put32(b, std::uint32_t(e.Duration));
      Put32(b, std::uint32_t(e.MediaTime));
    }
    Put32(b, 0x00010000);  // rate 1
  }
  return Box("edts", Box("elst", b));
}
// A track of the kind, its media's time scale and edits; its media header
// of version 1 when Wide.
inline Bytes Track(const char* Kind, std::uint32_t Scale, const Bytes& Edits, bool Wide = false) {
  return Box("trak", Join({Box("tkhd", Bytes(84, 0)), Edits,
                           Box("mdia", Join({Header("mdhd", Scale, Wide), Handler(Kind), Box("minf", {})}))}));
}
// ftyp, then the movie (time scale 1000, its header of version 1 when
// Wide) with its tracks, then the data.
inline Bytes Movie(std::initializer_list<Bytes> Tracks, bool Wide = false) {
  Bytes moov = Header("mvhd", 1000, Wide);
  for (const Bytes& t : Tracks) moov.insert(moov.end(), t.begin(), t.end());
  return Join({Box("ftyp", {'i', 's', 'o', 'm', 0, 0, 2, 0}), Box("moov", moov), Box("mdat", Bytes(32, 0))});
}

// Reads File, refusing what lies beyond it.
inline TReadAt ReaderOf(const Bytes& File) {
  return [&File](std::uint64_t At, void* Buffer, std::size_t Count) {
    if (At > File.size() || Count > File.size() - At) return false;
    std::memcpy(Buffer, File.data() + At, Count);
    return true;
  };
}

// A fragmented movie's track Id of the kind and time scale, its tables
// empty; its track and media headers of version 1 when Wide.
inline Bytes FragmentedTrack(std::uint32_t Id, const char* Kind, std::uint32_t Scale, bool Wide = false) {
  Bytes header(Wide ? 20 : 12, 0);  // version, flags, created, modified
  if (Wide) header[0] = 1;
  Put32(header, Id);
  header.resize(Wide ? 96 : 84, 0);
  const Bytes media = Box("mdia", Join({Header("mdhd", Scale, Wide), Handler(Kind), Box("minf", {})}));
  return Box("trak", Join({Box("tkhd", header), media}));
}
// The defaults of track Id's fragments (trex): its samples' duration and
// size.
inline Bytes TrackDefaults(std::uint32_t Id, std::uint32_t Duration, std::uint32_t Size = 0) {
  Bytes b;
  for (std::uint32_t v : {0u, Id, 1u, Duration, Size, 0u}) Put32(b, v);
  return Box("trex", b);
}

}  // namespace iso_test
