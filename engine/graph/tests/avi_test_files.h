// AVI files (RIFF) built byte by byte for the tests of their readers:
// chunks, lists and the header list of a stream. Bytes, Join and ReaderOf
// are those of iso_test_files.h.
#pragma once

#include <algorithm>
#include <cstdint>
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

}  // namespace avi_test
