// AVI files (RIFF) built byte by byte for the tests of their readers:
// chunks, lists, the header list of a stream, pictures of MPEG-4 part 2
// of every coding type, and whole files with their legacy or OpenDML
// index. Bytes, Join and ReaderOf are those of iso_test_files.h.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "engine/graph/tests/iso_test_files.h"

namespace avi_test {

using iso_test::Bytes;
using iso_test::Join;

inline void Put32Le(Bytes& B, std::uint32_t V) {
  for (int s = 0; s < 32; s += 8) B.push_back(std::uint8_t(V >> s));
}
inline Bytes Chunk(const char* Id, const Bytes& Contents) {
  Bytes b(Id, Id + 4);
  Put32Le(b, std::uint32_t(Contents.size()));
  b.insert(b.end(), Contents.begin(), Contents.end());
  if (Contents.size() & 1) b.push_back(0);
  return b;
}
inline Bytes List(const char* Type, const Bytes& Contents) {
  Bytes body(Type, Type + 4);
  body.insert(body.end(), Contents.begin(), Contents.end());
  return Chunk("LIST", body);
}
// The timing of a stream's header: its units of Scale / Rate seconds, its
// start and length in them, and the bytes of each of its samples (0: a
// chunk each).
struct StreamTiming {
  std::uint32_t Scale = 0, Rate = 0, Start = 0, Length = 0, SampleSize = 0;
};
// A stream's header list: its kind and timing, and its format of
// FormatBytes with the compression where it fits; After follows the
// format in the list.
inline Bytes StreamList(const char* Kind, const char* Compression, std::size_t FormatBytes = 40,
                        const Bytes& After = {}, const StreamTiming& Timing = {}) {
  Bytes header(Kind, Kind + 4);
  header.resize(20, 0);
  for (const std::uint32_t v : {Timing.Scale, Timing.Rate, Timing.Start, Timing.Length}) Put32Le(header, v);
  header.resize(44, 0);
  Put32Le(header, Timing.SampleSize);
  header.resize(56, 0);
  Bytes format(std::max<std::size_t>(FormatBytes, 20), 0);
  std::copy(Compression, Compression + 4, format.begin() + 16);
  format.resize(FormatBytes);
  return List("strl", Join({Chunk("strh", header), Chunk("strf", format), After}));
}

// A chunk of pictures of coding type I, P or B (29 bytes each); a P-frame
// of 1,000 bytes (p); a P-frame and the B-frame shown before it packed in one chunk (N,
// and n after a P-frame of 1,000 bytes), or a key frame and the B-frame
// (J); a picture not coded (c), and one padded to 19 bytes (d) and to 20
// (e); a B-frame whose header begins 251 bytes into its chunk (X) and
// one 252 bytes in (Y); an empty chunk, a picture dropped (-), and an
// empty chunk the index lists as a key frame (K).
inline Bytes Picture(char Type) {
  const auto Vop = [](int Code) { return Join({Bytes{0, 0, 1, 0xB6, std::uint8_t(Code << 6)}, Bytes(24, 0x12)}); };
  const Bytes data(971, 0x55);
  switch (Type) {
    case 'I': return Join({Bytes{0, 0, 1, 0xB0, 1}, Vop(0)});
    case 'P': return Vop(1);
    case 'p': return Join({Vop(1), data});
    case 'B': return Vop(2);
    case 'N': return Join({Vop(1), Vop(2)});
    case 'n': return Join({Vop(1), data, Vop(2)});
    case 'J': return Join({Vop(0), data, Vop(2)});
    case 'c': return Bytes{0, 0, 1, 0xB6, 0x40, 0x0F};
    case 'd': return Join({Picture('c'), Bytes(13, 0)});
    case 'e': return Join({Picture('c'), Bytes(14, 0)});
    case 'X': return Join({Bytes(251, 0x55), Vop(2)});
    case 'Y': return Join({Bytes(252, 0x55), Vop(2)});
    default: return {};
  }
}
inline bool ListedKey(char Type) { return Type == 'I' || Type == 'J' || Type == 'K'; }

// The index an AVI gives its parser: none; the legacy index, its places
// counted from the movie list's type or from the file's start, or there
// but not to be used (the main header's flag off); the OpenDML index in
// two standard indexes (the second beyond the file's end when Cut), with
// or without the legacy index beside it.
enum class Index { None, Legacy, FromFileStart, Unflagged, OpenDml, OpenDmlAndLegacy };
// How an AVI is laid out: SoundsBefore sound streams before the video
// stream (one after it when none), the room a muxer keeps after the
// headers, each picture's chunk after a sound chunk of 6 bytes, the
// video's format FormatBytes long. The OpenDML index counts its places
// from the movie list's type.
struct AviShape {
  int SoundsBefore = 1;
  Index Kind = Index::Legacy;
  std::size_t FormatBytes = 40;
};
inline Bytes AviOf(const char* Compression, const std::string& Pictures, const AviShape& Shape = {}) {
  const int video = Shape.SoundsBefore;
  const std::string videoId = {char('0' + video / 10), char('0' + video % 10), 'd', 'c'};
  const char* soundId = video == 0 ? "01wb" : "00wb";
  const bool odml = Shape.Kind == Index::OpenDml || Shape.Kind == Index::OpenDmlAndLegacy;
  const auto Headers = [&](const Bytes& SuperIndex) {
    Bytes main(56, 0);
    main[12] = Shape.Kind == Index::Unflagged || Shape.Kind == Index::None ? 0 : 0x10;
    Bytes streams = Chunk("avih", main);
    for (int i = 0; i < Shape.SoundsBefore; ++i) streams = Join({streams, StreamList("auds", "\1\0\0\0")});
    const Bytes indx = odml ? Chunk("indx", SuperIndex) : Bytes{};
    streams = Join({streams, StreamList("vids", Compression, Shape.FormatBytes, indx),
                    Shape.SoundsBefore == 0 ? StreamList("auds", "\1\0\0\0") : Bytes{}});
    return List("hdrl", streams);
  };
  // Every chunk's id, place in the file and size, and whether it is a key
  // frame.
  struct Placed {
    std::string Id;
    std::size_t At, Size;
    bool Key;
  };
  std::vector<Placed> placed;
  Bytes movi;
  const Bytes room = Chunk("JUNK", Bytes(10, 0));
  const std::size_t movieType = 12 + Headers(Bytes(56, 0)).size() + room.size() + 8;
  std::size_t at = movieType + 4;
  for (char p : Pictures) {
    for (const auto& [id, data, key] : {std::tuple{std::string(soundId), Bytes(6, 0x55), true},
                                        std::tuple{videoId, Picture(p), ListedKey(p)}}) {
      placed.push_back({id, at, data.size(), key});
      const Bytes chunk = Chunk(id.c_str(), data);
      movi.insert(movi.end(), chunk.begin(), chunk.end());
      at += chunk.size();
    }
  }
  Bytes legacy, standard[2], super;
  for (const Placed& c : placed) {
    legacy.insert(legacy.end(), c.Id.begin(), c.Id.end());
    Put32Le(legacy, c.Key ? 0x10 : 0);
    Put32Le(legacy, std::uint32_t(Shape.Kind == Index::FromFileStart ? c.At : c.At - movieType));
    Put32Le(legacy, std::uint32_t(c.Size));
  }
  std::vector<Placed> pictures;
  for (const Placed& c : placed)
    if (c.Id == videoId) pictures.push_back(c);
  for (int half = 0; half < 2; ++half) {
    const std::size_t from = half == 0 ? 0 : pictures.size() / 2, to = half == 0 ? pictures.size() / 2 : pictures.size();
    Bytes& b = standard[half];
    Put32Le(b, 0x01000002);  // two longs an entry, an index of chunks
    Put32Le(b, std::uint32_t(to - from));
    b.insert(b.end(), videoId.begin(), videoId.end());
    Put32Le(b, std::uint32_t(movieType));  // base offset, 64 bits
    Put32Le(b, 0);
    Put32Le(b, 0);
    for (std::size_t i = from; i < to; ++i) {
      Put32Le(b, std::uint32_t(pictures[i].At + 8 - movieType));
      Put32Le(b, std::uint32_t(pictures[i].Size) | (pictures[i].Key ? 0 : 0x80000000u));
    }
  }
  const std::string ixId = "ix" + videoId.substr(0, 2);
  const Bytes ix0 = Chunk(ixId.c_str(), standard[0]), ix1 = Chunk(ixId.c_str(), standard[1]);
  Put32Le(super, 0x00000004);  // four longs an entry, an index of indexes
  Put32Le(super, 2);
  super.insert(super.end(), videoId.begin(), videoId.end());
  super.resize(24, 0);
  for (const std::size_t ixAt : {at, at + ix0.size()}) {
    Put32Le(super, std::uint32_t(ixAt));
    Put32Le(super, 0);
    Put32Le(super, 0);
    Put32Le(super, 0);
  }
  const bool withLegacy = Shape.Kind != Index::None && Shape.Kind != Index::OpenDml;
  const Bytes body = Join({Bytes{'A', 'V', 'I', ' '}, Headers(super), room, List("movi", movi), odml ? Join({ix0, ix1}) : Bytes{},
                           withLegacy ? Chunk("idx1", legacy) : Bytes{}});
  return Chunk("RIFF", body);
}

}  // namespace avi_test
