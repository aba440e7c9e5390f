// How long an AVI's streams are, read from their stream headers in files
// built here byte by byte: the latest end of any stream, its start
// counted; a header that does not fit, or claims more than its file
// holds or a time beyond any movie, tells nothing.
#include "engine/graph/avi_streams.h"

#include <cstdint>
#include <initializer_list>
#include <string>

#include <gtest/gtest.h>

#include "engine/graph/tests/avi_test_files.h"

namespace {

using namespace avi_test;
using iso_test::ReaderOf;

Bytes Picture(const StreamTiming& Timing) { return StreamList("vids", "FMP4", 40, {}, Timing); }
Bytes Sound(const StreamTiming& Timing) { return StreamList("auds", "\1\0\0\0", 16, {}, Timing); }

// An AVI of Size bytes (an even number) with the streams' header lists,
// Before them in the file, and a movie list filled up to that size.
Bytes AviOfSize(std::size_t Size, std::initializer_list<Bytes> Streams, const Bytes& Before = {}) {
  Bytes headers = Chunk("avih", Bytes(56, 0));
  for (const Bytes& s : Streams) headers = Join({headers, s});
  const Bytes start = Join({Bytes{'A', 'V', 'I', ' '}, Before, List("hdrl", headers)});
  // RIFF and movie list headers, and the filler chunk's.
  const std::size_t used = 8 + start.size() + 12 + 8;
  return Chunk("RIFF", Join({start, List("movi", Chunk("JUNK", Bytes(Size - used, 0)))}));
}

std::int64_t End(const Bytes& File) { return AviStreamsEnd(ReaderOf(File), File.size()); }

// 100-ns units. Files of 8000 bytes hold up to 1000 chunks, or 8000
// samples of a byte.
TEST(AviStreamsEnd, TheLongestStreamEndsTheMovie) {
  static constexpr StreamTiming picture3s{1, 25, 0, 75};
  // A stream header of 3 s that ends after Bytes, its sample size the last
  // field of 48.
  const auto Short = [](std::size_t Bytes) {
    avi_test::Bytes h{'v', 'i', 'd', 's'};
    h.resize(20, 0);
    for (const std::uint32_t v : {1u, 25u, 0u, 75u}) Put32Le(h, v);
    h.resize(Bytes, 0);
    return List("strl", Chunk("strh", h));
  };
  const struct {
    const char* Name;
    Bytes File;
    std::int64_t Expected;
  } cases[] = {
      {"sound longer than the picture", AviOfSize(8000, {Picture(picture3s), Sound({1, 500, 0, 6000, 1})}), 120000000},
      {"a stream that starts late", AviOfSize(8000, {Picture({1, 25, 50, 75})}), 50000000},
      {"frames of 1001/30000 s", AviOfSize(8000, {Picture({1001, 30000, 0, 75})}), 25025000},
      {"sound in frames of 1152 samples", AviOfSize(8000, {Sound({1152, 44100, 0, 461})}), 120424490},
      {"two thirds, rounded up", AviOfSize(8000, {Picture({2, 3, 0, 1})}), 6666667},
      {"a list before the header list", AviOfSize(8000, {Picture(picture3s)}, List("INFO", Bytes(6, 0))), 30000000},
      // As many chunks or samples as the file could hold, and one more.
      {"1000 chunks in 8000 bytes", AviOfSize(8000, {Picture({1, 25, 0, 1000})}), 400000000},
      {"1001 chunks", AviOfSize(8000, {Picture({1, 25, 0, 1001}), Picture(picture3s)}), 30000000},
      {"a start of 1001 chunks", AviOfSize(8000, {Picture({1, 25, 1001, 1}), Picture(picture3s)}), 30000000},
      {"4000 samples of 2 bytes", AviOfSize(8000, {Sound({1, 1000, 0, 4000, 2})}), 40000000},
      {"4001 samples of 2 bytes", AviOfSize(8000, {Sound({1, 1000, 0, 4001, 2}), Picture(picture3s)}), 30000000},
      // The longest time a movie has, and a second more.
      {"a billion seconds", AviOfSize(8000, {Picture({1000000000, 1, 0, 1})}), 10000000000000000},
      {"beyond", AviOfSize(8000, {Picture({1000000001, 1, 0, 1}), Picture(picture3s)}), 30000000},
      {"beyond in whole rates", AviOfSize(8000, {Picture({500000001, 1, 0, 2}), Picture(picture3s)}), 30000000},
      {"a scale of 0", AviOfSize(8000, {Picture({0, 25, 0, 75})}), 0},
      {"a rate of 0", AviOfSize(8000, {Picture({1, 0, 0, 75})}), 0},
      {"a stream header too short for its sample size", AviOfSize(8000, {Short(47)}), 0},
      {"a stream header that ends with its sample size", AviOfSize(8000, {Short(48)}), 30000000},
      {"not an AVI", [] {
         Bytes f = AviOfSize(8000, {Picture(picture3s)});
         f[10] = 'X';
         return f;
       }(),
       0},
      // Its stream's header whole (20 chunks, which the bytes left could
      // hold), the lists that hold it 10 bytes short.
      {"cut inside the header list", [] {
         Bytes f = AviOfSize(8000, {Picture({1, 25, 0, 20})});
         f.resize(std::string(f.begin(), f.end()).find("strf") + 8 + 30);
         return f;
       }(),
       0},
      {"empty", Bytes{}, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(End(c.File), c.Expected) << c.Name;
}

}  // namespace
