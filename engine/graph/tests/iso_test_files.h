// ISO media files (MP4) built byte by byte for the tests and benchmarks of
// their readers: boxes, movie and media headers, handlers, edit lists and
// tracks, movies written in fragments with their index, and a reader of
// such bytes as a file.
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

// Reads File, refusing what lies beyond it. A read of no bytes (an empty
// chunk's) may come with no buffer.
inline TReadAt ReaderOf(const Bytes& File) {
  return [&File](std::uint64_t At, void* Buffer, std::size_t Count) {
    if (At > File.size() || Count > File.size() - At) return false;
    if (Count > 0) std::memcpy(Buffer, File.data() + At, Count);
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

// A track fragment of track Id with one run of Count samples: Decode its
// decode time (none when negative; 64 bits when Wide), each sample's
// duration listed in the run when Duration is not 0 (else the movie's
// default), Offset its composition offset when not 0 (signed when
// negative), Size its bytes. A fragment with a duration of its own for
// its samples (Alike, 0 or more) has samples alike: its run lists none.
// With NoRun, the fragment has no run.
struct Traf {
  std::uint32_t Id;
  std::int64_t Decode;
  int Count;
  std::uint32_t Duration = 0;
  std::int32_t Offset = 0;
  bool Wide = false;
  std::int64_t Alike = -1;
  std::uint32_t Size = 4;
  bool NoRun = false;
};
inline std::uint32_t DataBytes(const Traf& R) { return R.NoRun ? 0 : std::uint32_t(R.Count) * R.Size; }
using Fragment = std::vector<Traf>;

// A track fragment whose samples' data begin DataOffset bytes after the
// start of the fragment box.
inline Bytes TrackFragment(const Traf& R, std::uint32_t DataOffset) {
  Bytes header, decode, run;
  const bool alike = R.Alike >= 0;
  Put32(header, 0x20000u | (alike ? 0x18u : 0u));  // data counted from the fragment box
  Put32(header, R.Id);
  if (alike) {
    Put32(header, std::uint32_t(R.Alike));
    Put32(header, R.Size);
  }
  Put32(decode, R.Wide ? 0x01000000u : 0u);
  if (R.Wide) Put32(decode, std::uint32_t(R.Decode >> 32));
  Put32(decode, std::uint32_t(R.Decode));
  Put32(run, (R.Offset < 0 ? 0x01000000u : 0u) | 0x1u | (alike ? 0u : 0x200u) | (R.Duration ? 0x100u : 0u) |
                 (R.Offset ? 0x800u : 0u));
  Put32(run, std::uint32_t(R.Count));
  Put32(run, DataOffset);
  for (int i = 0; i < R.Count && !alike; ++i) {
    if (R.Duration) Put32(run, R.Duration);
    Put32(run, R.Size);
    if (R.Offset) Put32(run, std::uint32_t(R.Offset));
  }
  return Box("traf", Join({Box("tfhd", header), R.Decode >= 0 ? Box("tfdt", decode) : Bytes{},
                           R.NoRun ? Bytes{} : Box("trun", run)}));
}

// A fragment box whose samples' data begin DataStart bytes after its
// start, one track fragment after the other.
inline Bytes FragmentBox(const Fragment& F, std::uint32_t DataStart) {
  Bytes parts = Box("mfhd", Bytes(8, 0));
  for (const Traf& r : F) {
    parts = Join({parts, TrackFragment(r, DataStart)});
    DataStart += DataBytes(r);
  }
  return Box("moof", parts);
}

// The fragments' index (tfra) of one track: the fragments it lists, its
// entries 64 bits wide when Wide, and the 6 bits that give the width of
// their fragment, run and sample numbers (0: a byte each).
struct Listing {
  std::uint32_t Track;
  std::vector<int> Fragments;
  bool Wide = false;
  std::uint32_t NumberBytes = 0;
};

// The movie with its tracks and their defaults, then each fragment and the
// data of its samples, then the index when it lists any track.
inline Bytes Fragmented(const Bytes& Tracks, const Bytes& Defaults, const std::vector<Fragment>& Fragments,
                 const std::vector<Listing>& Index = {}) {
  const Bytes movie = Box("moov", Join({Header("mvhd", 1000), Tracks, Box("mvex", Defaults)}));
  Bytes file = Join({Box("ftyp", Bytes(8, 0)), movie});
  std::vector<std::uint64_t> places;
  for (const Fragment& f : Fragments) {
    places.push_back(file.size());
    std::size_t bytes = 0;
    for (const Traf& r : f) bytes += DataBytes(r);
    for (const Bytes& box : {FragmentBox(f, std::uint32_t(FragmentBox(f, 0).size()) + 8), Box("mdat", Bytes(bytes, 0x5A))})
      file.insert(file.end(), box.begin(), box.end());
  }
  if (Index.empty()) return file;
  Bytes lists;
  for (const Listing& l : Index) {
    Bytes b;
    Put32(b, l.Wide ? 0x01000000u : 0u);
    Put32(b, l.Track);
    Put32(b, l.NumberBytes);
    Put32(b, std::uint32_t(l.Fragments.size()));
    const std::size_t numbers = ((l.NumberBytes >> 4) & 3) + ((l.NumberBytes >> 2) & 3) + (l.NumberBytes & 3) + 3;
    for (const int f : l.Fragments) {
      const std::uint64_t time = std::uint64_t(f) * 1000, place = places[std::size_t(f)];
      if (l.Wide) {
        Put64(b, time);
        Put64(b, place);
      } else {
        Put32(b, std::uint32_t(time));
        Put32(b, std::uint32_t(place));
      }
      b.insert(b.end(), numbers, 1);
    }
    lists = Join({lists, Box("tfra", b)});
  }
  Bytes tail;
  Put32(tail, 0);
  Put32(tail, std::uint32_t(lists.size() + 8 + 16));
  return Join({file, Box("mfra", Join({lists, Box("mfro", tail)}))});
}

}  // namespace iso_test
